#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "app/ui/qt_hooks.h"

namespace vetrilo::test {

// Each widget test file registers its test object here.
using TUiTestFactory = std::function<QObject*()>;
inline std::vector<TUiTestFactory>& UiTestFactories() {
  static std::vector<TUiTestFactory> factories;
  return factories;
}
struct TUiTestRegistration {
  explicit TUiTestRegistration(TUiTestFactory factory) {
    UiTestFactories().push_back(std::move(factory));
  }
};

}  // namespace vetrilo::test

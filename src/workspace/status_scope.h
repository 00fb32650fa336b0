#pragma once

#include <string>
#include <string_view>

#include "core/ui_hooks.h"

namespace vetrilo {

// A status text for the length of one operation. On every way out the status of
// the operation around it comes back (innermost first); the outermost clears it.
class TStatusScope {
 public:
  TStatusScope(TUiHooks& hooks, std::string_view text)
      : hooks_(hooks), outer_(hooks.OperationStatus()) {
    hooks_.SetOperationStatus(text);
    hooks_.SetStatus(text);
  }
  ~TStatusScope() {
    hooks_.SetOperationStatus(outer_);
    hooks_.SetStatus(outer_);
  }
  TStatusScope(const TStatusScope&) = delete;
  TStatusScope& operator=(const TStatusScope&) = delete;

 private:
  TUiHooks& hooks_;
  std::string outer_;
};

}  // namespace vetrilo

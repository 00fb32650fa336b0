#pragma once

#include <string_view>

#include "core/ui_hooks.h"

namespace vetrilo {

// A status text for the length of one operation: cleared on every way out.
class TStatusScope {
 public:
  TStatusScope(TUiHooks& hooks, std::string_view text) : hooks_(hooks) { hooks_.SetStatus(text); }
  ~TStatusScope() { hooks_.SetStatus(""); }
  TStatusScope(const TStatusScope&) = delete;
  TStatusScope& operator=(const TStatusScope&) = delete;

 private:
  TUiHooks& hooks_;
};

}  // namespace vetrilo

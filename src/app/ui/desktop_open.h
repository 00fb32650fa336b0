#pragma once

#include <QUrl>
#include <functional>
#include <string_view>

#include "core/ui_hooks.h"

namespace vetrilo {

// Files and web pages go to the desktop's program for them. The seam lets
// tests (and runs without a display) answer instead of the desktop.
struct TDesktopOpen {
  // False when no program could be started for it.
  static std::function<bool(const QUrl& url)> Open;
};

// Opens it; when no program can, the user is told `unopened` (a message that
// names the file or the address) rather than only a warning on stderr.
bool OpenOnDesktop(TUiHooks& hooks, const QUrl& url, std::string_view unopened);

}  // namespace vetrilo

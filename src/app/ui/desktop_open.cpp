#include "app/ui/desktop_open.h"

#include <QDesktopServices>
#include <QGuiApplication>

namespace vetrilo {

std::function<bool(const QUrl&)> TDesktopOpen::Open = [](const QUrl& url) {
  // Without a display there is no program to show it in.
  if (QGuiApplication::platformName() == "offscreen" ||
      QGuiApplication::platformName() == "minimal") {
    return true;
  }
  return QDesktopServices::openUrl(url);
};

bool OpenOnDesktop(TUiHooks& hooks, const QUrl& url, std::string_view unopened) {
  if (TDesktopOpen::Open(url)) return true;
  hooks.ShowMessage(TMessageKind::Information, unopened);
  return false;
}

}  // namespace vetrilo

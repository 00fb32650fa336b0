#include "app/ui/screen_info.h"

#include <QGuiApplication>
#include <QScreen>

namespace vetrilo {

TScreenInfo ScreenInfoOf(const QWidget* window) {
  TScreenInfo info;
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return info;
  info.Width = screen->size().width();
  info.Height = screen->size().height();
  info.PixelsPerInch = qRound(screen->logicalDotsPerInch());
  for (const QScreen* s : QGuiApplication::screens()) {
    const QRect r = s->availableGeometry();
    info.WorkAreas.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
  }
  return info;
}

}  // namespace vetrilo

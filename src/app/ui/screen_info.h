#pragma once

#include <QWidget>

#include "app/window_placement.h"

namespace vetrilo {

// The screen a window is on and the work areas of all screens, for placing it.
TScreenInfo ScreenInfoOf(const QWidget* window);

}  // namespace vetrilo

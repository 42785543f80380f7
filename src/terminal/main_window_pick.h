// The terminal's main window among the top-level windows of its class: a
// program's dialogs, message boxes, tool windows and hidden helpers carry
// the class too.
#pragma once

#include <vector>

#include "desktop/window_system.h"

namespace vantrope {

// Menus, tooltips and hidden windows are never taken. Among the rest, in
// this order of weight: not owned by another window, of the normal role,
// large enough to hold a chart, a caption that names a chart ("[EURUSD,M15]"),
// shown rather than minimised, the largest; the topmost of equals. 0 when
// no window is left.
WindowHandle PickMainWindow(const std::vector<TopLevelWindow>& windows);

}  // namespace vantrope

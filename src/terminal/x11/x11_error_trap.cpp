#include "terminal/x11/x11_error_trap.h"

namespace vantrope {

namespace {
// The handler is one for the whole process; only the user-interface thread
// talks to the X server.
X11ErrorTrap* active_trap = nullptr;
}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display), previous_(XSetErrorHandler(&Record)) {
  active_trap = this;
}

X11ErrorTrap::~X11ErrorTrap() {
  XSync(display_, False);
  active_trap = nullptr;
  XSetErrorHandler(previous_);
}

bool X11ErrorTrap::Failed() {
  XSync(display_, False);
  return failed_;
}

int X11ErrorTrap::Record(Display* display, XErrorEvent* error) {
  if (active_trap != nullptr && display == active_trap->display_) {
    active_trap->failed_ = true;
    return 0;
  }
  // Another connection's error (Qt's own, say) goes where it went before.
  return active_trap != nullptr && active_trap->previous_ != nullptr ? active_trap->previous_(display, error) : 0;
}

}  // namespace vantrope

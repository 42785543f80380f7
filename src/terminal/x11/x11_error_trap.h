// Keeps the X errors of one connection from ending the program while it
// lives (Xlib's own handler exits): another program's window may vanish
// between any two requests.
#pragma once

#include <X11/Xlib.h>

namespace vantrope {

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  // Waits for the answers to the trapped requests, then restores the
  // handler that was there before.
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Whether any request made under the trap so far failed.
  bool Failed();

 private:
  static int Record(Display* display, XErrorEvent* error);

  Display* display_;
  XErrorHandler previous_;
  bool failed_ = false;
};

}  // namespace vantrope

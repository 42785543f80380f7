// The terminal's alert box, as an indicator pops one up on a signal: a small
// dialog of the terminal's window class, owned by the chart window and
// centred over it, with a caption that names no chart.
#pragma once

#include <X11/Xlib.h>

#include <string>

namespace vantrope::demo::terminal {

class AlertWindow {
 public:
  // Shows the box over `chart`; returns once the server shows it.
  AlertWindow(Display* display, Window chart, const std::string& window_class);
  ~AlertWindow();
  AlertWindow(const AlertWindow&) = delete;
  AlertWindow& operator=(const AlertWindow&) = delete;

  bool IsCloseRequest(const XEvent& event) const;

 private:
  Display* display_;
  Window window_;
  Atom delete_window_;
};

}  // namespace vantrope::demo::terminal

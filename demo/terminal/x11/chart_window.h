// The terminal's top-level X window: its class, caption and the chart's
// picture put on it as an image.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

#include "demo/terminal/chart_picture.h"
#include "demo/terminal/terminal_options.h"

namespace vantrope::demo::terminal {

class ChartWindow {
 public:
  // Creates the window, unmapped; throws std::runtime_error when the
  // screen is not TrueColor.
  ChartWindow(Display* display, const TerminalOptions& options);
  ~ChartWindow();
  ChartWindow(const ChartWindow&) = delete;
  ChartWindow& operator=(const ChartWindow&) = delete;

  // Maps the window and waits until the server shows it.
  void MapAndWait();
  void SetCaption(const std::string& caption, const std::string& label);
  // Takes a new picture and paints it.
  void Show(const PixelBuffer& picture);
  // Paints the last picture again (after an Expose).
  void Repaint();
  bool IsCloseRequest(const XEvent& event) const;

  Window Id() const { return window_; }

 private:
  unsigned long PixelOf(uint32_t rgb) const;

  Display* display_;
  Visual* visual_;
  int depth_;
  Window window_;
  GC gc_;
  Atom delete_window_;
  Atom net_wm_name_;
  Atom utf8_string_;
  XImage* image_ = nullptr;
  std::string label_;
};

}  // namespace vantrope::demo::terminal

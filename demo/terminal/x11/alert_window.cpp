#include "alert_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace vantrope::demo::terminal {

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 120;
const char* const kCaption = "Alert";

}  // namespace

AlertWindow::AlertWindow(Display* display, Window chart, const std::string& window_class) : display_(display) {
  const int screen = DefaultScreen(display_);
  XWindowAttributes chart_attributes{};
  XGetWindowAttributes(display_, chart, &chart_attributes);
  int chart_x = 0, chart_y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, chart, RootWindow(display_, screen), 0, 0, &chart_x, &chart_y, &child);
  window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), chart_x + (chart_attributes.width - kWidth) / 2,
                                chart_y + (chart_attributes.height - kHeight) / 2, kWidth, kHeight, 0,
                                BlackPixel(display_, screen), WhitePixel(display_, screen));

  // What a Windows program's message box is under Wine: the program's class,
  // transient for its owner, of the dialog type.
  XClassHint class_hint;
  class_hint.res_name = const_cast<char*>(window_class.c_str());
  class_hint.res_class = const_cast<char*>(window_class.c_str());
  XSetClassHint(display_, window_, &class_hint);
  XSetTransientForHint(display_, window_, chart);
  const Atom dialog = XInternAtom(display_, "_NET_WM_WINDOW_TYPE_DIALOG", False);
  XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&dialog), 1);
  XStoreName(display_, window_, kCaption);
  delete_window_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &delete_window_, 1);

  XSelectInput(display_, window_, StructureNotifyMask);
  XMapWindow(display_, window_);
  XEvent event;
  do XWindowEvent(display_, window_, StructureNotifyMask, &event);
  while (event.type != MapNotify);
}

AlertWindow::~AlertWindow() { XDestroyWindow(display_, window_); }

bool AlertWindow::IsCloseRequest(const XEvent& event) const {
  return event.type == ClientMessage && event.xclient.window == window_ &&
         static_cast<Atom>(event.xclient.data.l[0]) == delete_window_;
}

}  // namespace vantrope::demo::terminal

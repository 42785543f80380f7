#include "chart_window.h"

#include <X11/Xatom.h>
#include <unistd.h>

#include <bit>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace vantrope::demo::terminal {

namespace {

constexpr uint32_t kLabelColour = 0xC0C0C0;

// One colour component placed into a visual's pixel by its mask.
unsigned long Component(uint32_t value_8bit, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  const unsigned long value = bits >= 8 ? static_cast<unsigned long>(value_8bit) << (bits - 8)
                                        : static_cast<unsigned long>(value_8bit) >> (8 - bits);
  return (value << shift) & mask;
}

}  // namespace

ChartWindow::ChartWindow(Display* display, const TerminalOptions& options)
    : display_(display),
      visual_(DefaultVisual(display, DefaultScreen(display))),
      depth_(DefaultDepth(display, DefaultScreen(display))) {
  if (visual_->c_class != TrueColor) throw std::runtime_error("the screen is not TrueColor");
  const int screen = DefaultScreen(display_);
  const Geometry& geometry = options.geometry;
  window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), geometry.x, geometry.y,
                                static_cast<unsigned>(geometry.width), static_cast<unsigned>(geometry.height), 0,
                                BlackPixel(display_, screen), BlackPixel(display_, screen));

  // The robot looks for the window by this class.
  XClassHint class_hint;
  class_hint.res_name = const_cast<char*>(options.window_class.c_str());
  class_hint.res_class = const_cast<char*>(options.window_class.c_str());
  XSetClassHint(display_, window_, &class_hint);

  XSizeHints size_hints{};
  size_hints.flags = USPosition | USSize | PMinSize;
  size_hints.x = geometry.x;
  size_hints.y = geometry.y;
  size_hints.width = geometry.width;
  size_hints.height = geometry.height;
  size_hints.min_width = kMinPictureWidth;
  size_hints.min_height = kMinPictureHeight;
  XSetWMNormalHints(display_, window_, &size_hints);

  const long pid = static_cast<long>(getpid());
  XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  delete_window_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  net_wm_name_ = XInternAtom(display_, "_NET_WM_NAME", False);
  utf8_string_ = XInternAtom(display_, "UTF8_STRING", False);
  XSetWMProtocols(display_, window_, &delete_window_, 1);

  XSelectInput(display_, window_, ExposureMask | StructureNotifyMask);
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  XSetForeground(display_, gc_, PixelOf(kLabelColour));
}

ChartWindow::~ChartWindow() {
  if (image_ != nullptr) XDestroyImage(image_);
  XFreeGC(display_, gc_);
  XDestroyWindow(display_, window_);
}

void ChartWindow::MapAndWait() {
  XMapWindow(display_, window_);
  XEvent event;
  do XWindowEvent(display_, window_, StructureNotifyMask, &event);
  while (event.type != MapNotify);
}

void ChartWindow::SetCaption(const std::string& caption, const std::string& label) {
  XStoreName(display_, window_, caption.c_str());
  XChangeProperty(display_, window_, net_wm_name_, utf8_string_, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(caption.data()), static_cast<int>(caption.size()));
  label_ = label;
}

unsigned long ChartWindow::PixelOf(uint32_t rgb) const {
  return Component((rgb >> 16) & 0xFF, visual_->red_mask) | Component((rgb >> 8) & 0xFF, visual_->green_mask) |
         Component(rgb & 0xFF, visual_->blue_mask);
}

void ChartWindow::Show(const PixelBuffer& picture) {
  if (image_ == nullptr || image_->width != picture.width || image_->height != picture.height) {
    if (image_ != nullptr) XDestroyImage(image_);
    image_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                          static_cast<unsigned>(picture.width), static_cast<unsigned>(picture.height), 32, 0);
    if (image_ == nullptr) throw std::runtime_error("cannot create the chart's image");
    // XDestroyImage frees the data with free().
    image_->data = static_cast<char*>(std::malloc(static_cast<size_t>(image_->bytes_per_line) * picture.height));
    if (image_->data == nullptr) throw std::bad_alloc();
  }
  // XPutPixel knows every pixel layout and byte order the server may ask for.
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) XPutPixel(image_, x, y, PixelOf(picture.At(x, y)));
  Repaint();
}

void ChartWindow::Repaint() {
  if (image_ == nullptr) return;
  XPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, static_cast<unsigned>(image_->width),
            static_cast<unsigned>(image_->height));
  // The server's default font is always there; no font is looked up.
  XDrawString(display_, window_, gc_, 6, 16, label_.c_str(), static_cast<int>(label_.size()));
}

bool ChartWindow::IsCloseRequest(const XEvent& event) const {
  return event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == delete_window_;
}

}  // namespace vantrope::demo::terminal

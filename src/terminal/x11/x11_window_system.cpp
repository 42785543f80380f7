#include "terminal/x11/x11_window_system.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <functional>
#include <vector>

namespace vantrope {

namespace {

// Window managers put client windows into frames, a level or two below the root.
constexpr int kSearchDepth = 3;

std::vector<Window> ChildrenOf(Display* display, Window window) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(display, window, &root, &parent, &children, &count) != 0 && children != nullptr) {
    result.assign(children, children + count);
    XFree(children);
  }
  return result;
}

// The window manager's UTF-8 name, else the plain name.
std::string TitleOf(Display* display, Window window) {
  const Atom utf8_name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, utf8_name, 0, 1024, False, utf8_string, &type, &format, &items, &remaining,
                         &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), items);
    XFree(data);
    return title;
  }
  char* name = nullptr;
  if (XFetchName(display, window, &name) != 0 && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

bool HasClass(Display* display, Window window, const std::string& class_name) {
  XClassHint hint{};
  if (XGetClassHint(display, window, &hint) == 0) return false;
  const bool match = (hint.res_name != nullptr && class_name == hint.res_name) ||
                     (hint.res_class != nullptr && class_name == hint.res_class);
  if (hint.res_name != nullptr) XFree(hint.res_name);
  if (hint.res_class != nullptr) XFree(hint.res_class);
  return match;
}

Window FindBelow(Display* display, Window top, int depth, const std::function<bool(Window)>& wanted) {
  for (Window child : ChildrenOf(display, top)) {
    if (wanted(child)) return child;
    if (depth > 1)
      if (Window found = FindBelow(display, child, depth - 1, wanted)) return found;
  }
  return 0;
}

}  // namespace

X11WindowSystem::X11WindowSystem() : display_(XOpenDisplay(nullptr)) {}

X11WindowSystem::~X11WindowSystem() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

WindowHandle X11WindowSystem::FindTopLevelWindowByTitle(const std::string& title) {
  if (display_ == nullptr) return 0;
  return FindBelow(display_, DefaultRootWindow(display_), kSearchDepth,
                   [&](Window w) { return TitleOf(display_, w) == title; });
}

WindowHandle X11WindowSystem::FindChildWindow(WindowHandle parent, const std::string& class_name,
                                              const std::string& caption) {
  if (display_ == nullptr || parent == 0) return 0;
  return FindBelow(display_, static_cast<Window>(parent), kSearchDepth, [&](Window w) {
    return HasClass(display_, w, class_name) && TitleOf(display_, w) == caption;
  });
}

void X11WindowSystem::ClickButton(WindowHandle button) {
  if (display_ == nullptr || button == 0) return;
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, static_cast<Window>(button), &attributes) == 0) return;
  XEvent event{};
  event.xbutton.window = static_cast<Window>(button);
  event.xbutton.button = Button1;
  event.xbutton.same_screen = True;
  event.xbutton.x = attributes.width / 2;
  event.xbutton.y = attributes.height / 2;
  for (int type : {ButtonPress, ButtonRelease}) {
    event.type = type;
    event.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
    XSendEvent(display_, static_cast<Window>(button), True,
               type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &event);
  }
  XFlush(display_);
}

void X11WindowSystem::ResetScreenSaver() {
  if (display_ == nullptr) return;
  XResetScreenSaver(display_);
  XFlush(display_);
}

}  // namespace vantrope

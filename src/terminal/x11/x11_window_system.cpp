#include "terminal/x11/x11_window_system.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "terminal/x11/x11_error_trap.h"
#include "terminal/x11/x11_pixel_format.h"

namespace vantrope {

namespace {

// Window managers put client windows into frames, a level or two below the root.
constexpr int kSearchDepth = 3;

// What Windows reports for a minimised window; the robot restores a window
// whose rectangle is that small.
constexpr WindowRect kMinimisedRect{-32000, -32000, -32000 + 160, -32000 + 28};

// How long a window manager may take to act on a request.
constexpr int kWindowManagerAnswerMs = 300;

// Asks `done` every few milliseconds until it holds or `timeout_ms` passed.
bool PollFor(const std::function<bool()>& done, int timeout_ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

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

// The window manager's UTF-8 name, else the plain name in whatever encoding
// it was set (Latin-1 or compound text), converted.
std::string TitleOf(Display* display, Window window) {
  const Atom utf8_name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long items = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, utf8_name, 0, 1024, False, utf8_string, &type, &format, &items, &remaining,
                         &data) == Success) {
    std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
    if (type == utf8_string && format == 8 && data != nullptr)
      return std::string(reinterpret_cast<char*>(data), items);
  }
  XTextProperty name{};
  if (XGetWMName(display, window, &name) == 0 || name.value == nullptr) return {};
  std::unique_ptr<unsigned char, int (*)(void*)> owned(name.value, XFree);
  char** lines = nullptr;
  int count = 0;
  std::string title;
  if (Xutf8TextPropertyToTextList(display, &name, &lines, &count) >= Success && lines != nullptr) {
    for (int i = 0; i < count; ++i) title += lines[i];
    XFreeStringList(lines);
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

// The items of a window's property of this type in 32-bit format; none
// when it has no such property.
std::vector<long> Property32(Display* display, Window window, Atom property, Atom type, long max_items) {
  Atom actual_type = 0;
  int format = 0;
  unsigned long items = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, max_items, False, type, &actual_type, &format, &items,
                         &remaining, &data) != Success)
    return {};
  std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
  if (actual_type != type || format != 32 || data == nullptr) return {};
  // Xlib hands 32-bit items over as longs.
  const long* values = reinterpret_cast<const long*>(data);
  return std::vector<long>(values, values + items);
}

// The ICCCM state the window manager keeps on the windows it manages; none
// without a window manager.
std::optional<long> WmStateOf(Display* display, Window window) {
  const Atom wm_state = XInternAtom(display, "WM_STATE", False);
  const std::vector<long> state = Property32(display, window, wm_state, wm_state, 2);
  if (state.empty()) return std::nullopt;
  return state[0];
}

// Override-redirect windows (menus, tooltips) are the ones the window manager
// leaves alone; the others tell their role by their first window type.
WindowRole RoleOf(Display* display, Window window, const XWindowAttributes& attributes) {
  if (attributes.override_redirect) return WindowRole::kPopup;
  const std::vector<long> types =
      Property32(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 1);
  if (types.empty() || static_cast<Atom>(types[0]) == XInternAtom(display, "_NET_WM_WINDOW_TYPE_NORMAL", False))
    return WindowRole::kNormal;
  if (static_cast<Atom>(types[0]) == XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False))
    return WindowRole::kDialog;
  return WindowRole::kTool;
}

// A window the window manager keeps out of sight, iconified or on another
// desktop, still has its state there; a withdrawn one, or one unmapped
// without a window manager, has none.
WindowShowState ShowStateOf(Display* display, Window window, const XWindowAttributes& attributes) {
  if (attributes.map_state == IsViewable) return WindowShowState::kShown;
  const std::optional<long> state = WmStateOf(display, window);
  return state && (*state == IconicState || *state == NormalState) ? WindowShowState::kMinimised
                                                                   : WindowShowState::kHidden;
}

Window FindBelow(Display* display, Window top, int depth, const std::function<bool(Window)>& wanted) {
  for (Window child : ChildrenOf(display, top)) {
    if (wanted(child)) return child;
    if (depth > 1)
      if (Window found = FindBelow(display, child, depth - 1, wanted)) return found;
  }
  return 0;
}

// The program's own window of a top-level one: the window itself, or under a
// reparenting window manager the window in its frame that carries WM_STATE.
Window ClientOf(Display* display, Window top) {
  if (WmStateOf(display, top)) return top;
  const Window client =
      FindBelow(display, top, kSearchDepth - 1, [&](Window w) { return WmStateOf(display, w).has_value(); });
  return client != 0 ? client : top;
}

}  // namespace

X11WindowSystem::X11WindowSystem() : display_(XOpenDisplay(nullptr)) {}

X11WindowSystem::~X11WindowSystem() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

WindowHandle X11WindowSystem::FindTopLevelWindowByTitle(const std::string& title) {
  if (display_ == nullptr) return 0;
  X11ErrorTrap trap(display_);
  return FindBelow(display_, DefaultRootWindow(display_), kSearchDepth,
                   [&](Window w) { return TitleOf(display_, w) == title; });
}

WindowHandle X11WindowSystem::FindChildWindow(WindowHandle parent, const std::string& class_name,
                                              const std::string& caption) {
  if (display_ == nullptr || parent == 0) return 0;
  X11ErrorTrap trap(display_);
  return FindBelow(display_, static_cast<Window>(parent), kSearchDepth, [&](Window w) {
    return HasClass(display_, w, class_name) && TitleOf(display_, w) == caption;
  });
}

void X11WindowSystem::ClickButton(WindowHandle button) {
  if (display_ == nullptr || button == 0) return;
  X11ErrorTrap trap(display_);
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

std::vector<TopLevelWindow> X11WindowSystem::TopLevelWindowsOfClass(const std::string& class_name) {
  std::vector<TopLevelWindow> found;
  if (display_ == nullptr) return found;
  X11ErrorTrap trap(display_);
  // The tree lists the root's children bottom first.
  const std::vector<Window> tops = ChildrenOf(display_, DefaultRootWindow(display_));
  for (auto top = tops.rbegin(); top != tops.rend(); ++top) {
    const Window client = ClientOf(display_, *top);
    XWindowAttributes attributes{};
    if (!HasClass(display_, client, class_name) || XGetWindowAttributes(display_, client, &attributes) == 0) continue;
    Window owner = 0;
    found.push_back({client, TitleOf(display_, client), attributes.width, attributes.height,
                     XGetTransientForHint(display_, client, &owner) != 0, RoleOf(display_, client, attributes),
                     ShowStateOf(display_, client, attributes)});
  }
  return found;
}

std::string X11WindowSystem::WindowCaption(WindowHandle window) {
  if (display_ == nullptr || window == 0) return {};
  X11ErrorTrap trap(display_);
  return TitleOf(display_, static_cast<Window>(window));
}

// An iconified window is unmapped and has no place on the screen; it reports
// the minimised rectangle, so that the robot restores it.
bool X11WindowSystem::GetWindowRect(WindowHandle window, WindowRect& rect) {
  if (display_ == nullptr || window == 0) return false;
  X11ErrorTrap trap(display_);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, static_cast<Window>(window), &attributes) == 0) return false;
  if (attributes.map_state != IsViewable || WmStateOf(display_, static_cast<Window>(window)) == IconicState) {
    rect = kMinimisedRect;
    return !trap.Failed();
  }
  int left = 0, top = 0;
  Window child = 0;
  if (XTranslateCoordinates(display_, static_cast<Window>(window), attributes.root, 0, 0, &left, &top, &child) == 0 ||
      trap.Failed())
    return false;
  rect = {left, top, left + attributes.width, top + attributes.height};
  return true;
}

// Mapping an iconified window de-iconifies it; the input focus is left alone.
// A window manager that restores a window gives it the focus as well, in
// its own time after the request: the focus goes back to the window that had
// it. A window no manager looks after (no WM_STATE) is mapped at once and
// the focus stays where it was.
void X11WindowSystem::ShowWindowNoActivate(WindowHandle window) {
  if (display_ == nullptr || window == 0) return;
  X11ErrorTrap trap(display_);
  const auto target = static_cast<Window>(window);
  Window focus = 0;
  int revert_to = 0;
  XGetInputFocus(display_, &focus, &revert_to);
  XMapWindow(display_, target);
  XSync(display_, False);
  if (focus == None || focus == PointerRoot || focus == target || !WmStateOf(display_, target)) return;
  const bool focus_taken = PollFor(
      [&] {
        Window now = 0;
        XGetInputFocus(display_, &now, &revert_to);
        return now == target;
      },
      kWindowManagerAnswerMs);
  if (!focus_taken) return;
  XSetInputFocus(display_, focus, RevertToParent, CurrentTime);
  XSync(display_, False);
}

void X11WindowSystem::ShowWindow(WindowHandle window) {
  if (display_ == nullptr || window == 0) return;
  X11ErrorTrap trap(display_);
  XMapWindow(display_, static_cast<Window>(window));
  XFlush(display_);
}

// Under a window manager the raise goes to it as a request for the whole frame.
void X11WindowSystem::BringWindowToTop(WindowHandle window) {
  if (display_ == nullptr || window == 0) return;
  X11ErrorTrap trap(display_);
  XRaiseWindow(display_, static_cast<Window>(window));
  XFlush(display_);
}

// What the screen shows in that part of the window, windows lying over it
// included, read from the root: the server blanks the covered parts of an
// image read from the window itself. The server reads only what lies on
// the screen: the rest of the part is white. A window that is not viewable,
// or a part wholly beyond the screen, gives nothing.
bool X11WindowSystem::CopyWindowPixels(WindowHandle window, int x, int y, Bitmap& into) {
  if (display_ == nullptr || window == 0 || into.Width() == 0 || into.Height() == 0) return false;
  X11ErrorTrap trap(display_);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, static_cast<Window>(window), &attributes) == 0 ||
      attributes.map_state != IsViewable)
    return false;
  int screen_x = 0, screen_y = 0;
  Window child = 0;
  if (XTranslateCoordinates(display_, static_cast<Window>(window), attributes.root, x, y, &screen_x, &screen_y,
                            &child) == 0)
    return false;
  const int left = std::max(screen_x, 0);
  const int top = std::max(screen_y, 0);
  const int right = std::min(screen_x + into.Width(), WidthOfScreen(attributes.screen));
  const int bottom = std::min(screen_y + into.Height(), HeightOfScreen(attributes.screen));
  if (left >= right || top >= bottom) return false;
  XImage* image = XGetImage(display_, attributes.root, left, top, static_cast<unsigned int>(right - left),
                            static_cast<unsigned int>(bottom - top), AllPlanes, ZPixmap);
  if (image == nullptr || trap.Failed()) {
    if (image != nullptr) XDestroyImage(image);
    return false;
  }
  const X11PixelFormat format(image->red_mask, image->green_mask, image->blue_mask);
  if (format.Usable()) {
    into.Fill(ui::Rgb(255, 255, 255));
    for (int row = top; row < bottom; ++row) {
      ui::Color* pixels = into.Row(row - screen_y);
      for (int column = left; column < right; ++column)
        pixels[column - screen_x] = format.ToColor(XGetPixel(image, column - left, row - top));
    }
  }
  XDestroyImage(image);
  return format.Usable();
}

void X11WindowSystem::DrawFrame(WindowHandle window, const WindowRect& frame, ui::Color color) {
  if (display_ == nullptr || window == 0 || frame.right <= frame.left || frame.bottom <= frame.top) return;
  X11ErrorTrap trap(display_);
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(display_, static_cast<Window>(window), &attributes) == 0) return;
  const X11PixelFormat format(attributes.visual->red_mask, attributes.visual->green_mask,
                              attributes.visual->blue_mask);
  if (!format.Usable()) return;
  XGCValues values{};
  values.foreground = format.ToPixel(color);
  // Over child windows too, as a frame drawn on the whole window would be.
  values.subwindow_mode = IncludeInferiors;
  GC gc = XCreateGC(display_, static_cast<Window>(window), GCForeground | GCSubwindowMode, &values);
  // The outline's right and bottom lines lie on width and height.
  XDrawRectangle(display_, static_cast<Window>(window), gc, frame.left, frame.top,
                 static_cast<unsigned int>(frame.right - frame.left - 1),
                 static_cast<unsigned int>(frame.bottom - frame.top - 1));
  XFreeGC(display_, gc);
  XFlush(display_);
}

void X11WindowSystem::ResetScreenSaver() {
  if (display_ == nullptr) return;
  XResetScreenSaver(display_);
  XFlush(display_);
}

}  // namespace vantrope

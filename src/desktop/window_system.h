// Window-system port: other programs' windows on the desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/bitmap.h"
#include "ui/color.h"

namespace vantrope {

// An opaque window handle; 0 is no window.
using WindowHandle = uint64_t;

// A window's rectangle in screen pixels; right and bottom are exclusive.
struct WindowRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const WindowRect&) const = default;
};

// What a top-level window is for, as the window system tells it.
enum class WindowRole : uint8_t {
  kNormal,  // a program's main or document window
  kDialog,  // a dialog or message box
  kTool,    // a tool window, palette, splash or other helper
  kPopup,   // a menu, tooltip or other window the window manager leaves alone
};

// Whether the user can see a top-level window.
enum class WindowShowState : uint8_t {
  kShown,
  kMinimised,  // iconified, or out of sight on another desktop
  kHidden,     // withdrawn: neither shown nor minimised
};

// A top-level window and what the window system tells of it.
struct TopLevelWindow {
  WindowHandle handle = 0;
  std::string caption;
  // Its size when shown, also while it is minimised.
  int32_t width = 0;
  int32_t height = 0;
  // Owned by another window: a program's dialog, message box or panel.
  bool owned = false;
  WindowRole role = WindowRole::kNormal;
  WindowShowState show_state = WindowShowState::kShown;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // The first top-level window with exactly this title.
  virtual WindowHandle FindTopLevelWindowByTitle(const std::string& title) = 0;
  // The first child of `parent` of this window class with exactly this caption.
  virtual WindowHandle FindChildWindow(WindowHandle parent, const std::string& class_name,
                                       const std::string& caption) = 0;
  // Presses a push button as a click would.
  virtual void ClickButton(WindowHandle button) = 0;

  // The top-level windows of exactly this window class, topmost first.
  virtual std::vector<TopLevelWindow> TopLevelWindowsOfClass(const std::string& class_name) = 0;
  // The window's caption in UTF-8; empty when there is none or no window.
  virtual std::string WindowCaption(WindowHandle window) = 0;
  // The window's rectangle on the screen; false when the window is gone.
  // A minimised window reports the small rectangle of its minimised state.
  virtual bool GetWindowRect(WindowHandle window, WindowRect& rect) = 0;
  // Restores a minimised window without giving it the input focus.
  virtual void ShowWindowNoActivate(WindowHandle window) = 0;
  // Shows the window as it is.
  virtual void ShowWindow(WindowHandle window) = 0;
  // Puts the window on top of the window order.
  virtual void BringWindowToTop(WindowHandle window) = 0;
  // Copies the window's pixels from (x, y), window coordinates, into `into`
  // at its own size. False when the copy fails; `into` then holds nothing usable.
  virtual bool CopyWindowPixels(WindowHandle window, int x, int y, Bitmap& into) = 0;
  // Draws a one-pixel frame on the window's own pixels, window coordinates;
  // it stays until the window repaints.
  virtual void DrawFrame(WindowHandle window, const WindowRect& frame, ui::Color color) = 0;
};

}  // namespace vantrope

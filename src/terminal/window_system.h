// Window-system port: other programs' windows on the desktop.
#pragma once

#include <cstdint>
#include <string>

namespace vantrope {

// An opaque window handle; 0 is no window.
using WindowHandle = uint64_t;

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
};

}  // namespace vantrope

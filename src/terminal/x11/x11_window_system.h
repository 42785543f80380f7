// The window-system port on an X server, through Xlib.
#pragma once

#include "desktop/window_system.h"

typedef struct _XDisplay Display;

namespace vantrope {

class X11WindowSystem : public WindowSystem {
 public:
  // Without an X server (the offscreen platform) every search finds nothing.
  X11WindowSystem();
  ~X11WindowSystem() override;
  X11WindowSystem(const X11WindowSystem&) = delete;
  X11WindowSystem& operator=(const X11WindowSystem&) = delete;

  WindowHandle FindTopLevelWindowByTitle(const std::string& title) override;
  WindowHandle FindChildWindow(WindowHandle parent, const std::string& class_name,
                               const std::string& caption) override;
  void ClickButton(WindowHandle button) override;
  std::vector<TopLevelWindow> TopLevelWindowsOfClass(const std::string& class_name) override;
  std::string WindowCaption(WindowHandle window) override;
  bool GetWindowRect(WindowHandle window, WindowRect& rect) override;
  void ShowWindowNoActivate(WindowHandle window) override;
  void ShowWindow(WindowHandle window) override;
  void BringWindowToTop(WindowHandle window) override;
  bool CopyWindowPixels(WindowHandle window, int x, int y, Bitmap& into) override;
  void DrawFrame(WindowHandle window, const WindowRect& frame, ui::Color color) override;
  // Resets the screen saver, as user input would.
  void ResetScreenSaver();

 private:
  Display* display_ = nullptr;
};

}  // namespace vantrope

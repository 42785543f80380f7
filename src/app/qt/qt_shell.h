// The shell port on the Qt application.
#pragma once

#include <QPointer>
#include <QWidget>

#include "desktop/shell.h"
#include "site/web_browser.h"

namespace vantrope {

class QtTimerHost;
class X11WindowSystem;

class QtShell : public Shell {
 public:
  // Terminate silences the timers and the browser's events.
  // The screen saver is reset through the X server.
  QtShell(QtTimerHost& timers, WebBrowser& browser, X11WindowSystem& x11)
      : timers_(timers), browser_(browser), x11_(x11) {}

  // The window that BringToFront raises and error reports belong to.
  void AttachMainWindow(QWidget* window) { main_window_ = window; }

  void ProcessMessages() override;
  void BringToFront() override;
  void Terminate() override;
  void ShowErrorReport(const std::string& text) override;
  void KeepSystemAwake() override;
  void Sleep(int ms) override;
  void RegisterBrowserEmulation(const std::string& program_name, uint32_t mode) override;

 private:
  QtTimerHost& timers_;
  WebBrowser& browser_;
  X11WindowSystem& x11_;
  QPointer<QWidget> main_window_;
};

}  // namespace vantrope

// The shell port on the Qt application.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "desktop/shell.h"
#include "site/web_browser.h"

namespace vantrope {

class QtTimerHost;

class QtShell : public Shell {
 public:
  // Terminate silences the timers and the browser's events; keeping the
  // system awake is what the desktop's window system does for it.
  QtShell(QtTimerHost& timers, WebBrowser& browser, std::function<void()> keep_awake)
      : timers_(timers), browser_(browser), keep_awake_(std::move(keep_awake)) {}

  // The window that BringToFront raises and error reports belong to.
  void AttachMainWindow(QWidget* window) { main_window_ = window; }

  void BringToFront() override;
  void Terminate() override;
  void ShowErrorReport(const std::string& text) override;
  void KeepSystemAwake() override;
  void RegisterBrowserEmulation(const std::string& program_name, uint32_t mode) override;

 private:
  QtTimerHost& timers_;
  WebBrowser& browser_;
  std::function<void()> keep_awake_;
  QPointer<QWidget> main_window_;
};

}  // namespace vantrope

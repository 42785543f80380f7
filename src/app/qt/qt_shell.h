// The shell port on the Qt application.
#pragma once

#include <QPointer>
#include <QWidget>

#include "app/shell.h"
#include "site/web_browser.h"

namespace vantrope {

class QtTimerHost;

class QtShell : public Shell {
 public:
  // Terminate silences the timers and the browser's events.
  QtShell(QtTimerHost& timers, WebBrowser& browser) : timers_(timers), browser_(browser) {}

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
  QPointer<QWidget> main_window_;
};

}  // namespace vantrope

#include "app/qt/qt_shell.h"

#include <QApplication>
#include <QMessageBox>

#include "app/qt/qt_text.h"
#include "app/qt/qt_timer_host.h"

namespace vantrope {

void QtShell::BringToFront() {
  if (!main_window_) return;
  main_window_->raise();
  main_window_->activateWindow();
}

void QtShell::Terminate() {
  // Events already queued in this pass of the loop must not reach a handler:
  // timers stop for good, the browser's events go nowhere, widgets send no
  // signals (a focus leaving an editor would) and the windows take no input.
  timers_.Halt();
  browser_.onBeforeNavigate = nullptr;
  browser_.onDocumentComplete = nullptr;
  browser_.onProgressChange = nullptr;
  browser_.onPageDialog = nullptr;
  browser_.onPageProcessGone = nullptr;
  browser_.onDocumentChanged = nullptr;
  for (QWidget* widget : QApplication::allWidgets()) widget->blockSignals(true);
  for (QWidget* window : QApplication::topLevelWidgets()) window->setEnabled(false);
  // exit() rather than quit(): quit() would first send every window a close
  // event, and the main window's close handler must not run again.
  QCoreApplication::exit(0);
}

void QtShell::ShowErrorReport(const std::string& text) {
  QMessageBox::critical(main_window_, QCoreApplication::applicationName(), ToQString(text));
}

void QtShell::KeepSystemAwake() {
  if (keep_awake_) keep_awake_();
}

// Qt WebEngine has a single, current document mode: there is nothing to ask for.
void QtShell::RegisterBrowserEmulation(const std::string&, uint32_t) {}

}  // namespace vantrope

// The dialogs port on Qt's message box and file dialog.
#pragma once

#include <QPointer>
#include <QWidget>

#include "desktop/dialogs.h"

namespace vantrope {

class QtDialogs : public Dialogs {
 public:
  // The window the dialogs are centred on.
  void AttachMainWindow(QWidget* window) { main_window_ = window; }

  ModalResult MessageBox(const std::string& title, const std::string& text, DialogKind kind,
                         const std::vector<DialogButton>& buttons, const std::vector<std::string>& captions) override;
  void ShowNotice(const std::string& title, const std::string& text, DialogKind kind) override;
  std::optional<std::string> AskSaveFileName(const std::string& filter, const std::string& title) override;

 private:
  QPointer<QWidget> main_window_;
};

}  // namespace vantrope

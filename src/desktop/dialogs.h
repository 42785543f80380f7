// Dialogs port: modal message boxes, notices and the file-save dialog.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vantrope {

enum class DialogKind { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };

// The standard push buttons, in the order the dialog creates them.
enum class DialogButton { Yes, No, Ok, Cancel, Abort, Retry, Ignore };

enum class ModalResult { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box centred on the main window. `captions` are given to the push
  // buttons in their creation order; buttons beyond the list keep their own.
  virtual ModalResult MessageBox(const std::string& title, const std::string& text, DialogKind kind,
                                 const std::vector<DialogButton>& buttons,
                                 const std::vector<std::string>& captions) = 0;
  // A box that does not wait for the user: the caller goes on at once, and
  // the box stays until the user closes it.
  virtual void ShowNotice(const std::string& title, const std::string& text, DialogKind kind) = 0;
  // Asks for a file to write; no value when the user cancels.
  virtual std::optional<std::string> AskSaveFileName(const std::string& filter, const std::string& title) = 0;
};

}  // namespace vantrope

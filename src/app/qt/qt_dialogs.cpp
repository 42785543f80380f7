#include "app/qt/qt_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt/qt_text.h"

namespace vantrope {

namespace {

QMessageBox::Icon IconOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::Warning:
      return QMessageBox::Warning;
    case DialogKind::Error:
      return QMessageBox::Critical;
    case DialogKind::Information:
      return QMessageBox::Information;
    case DialogKind::Confirmation:
      return QMessageBox::Question;
    case DialogKind::Custom:
      return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton StandardButtonOf(DialogButton button) {
  switch (button) {
    case DialogButton::Yes:
      return QMessageBox::Yes;
    case DialogButton::No:
      return QMessageBox::No;
    case DialogButton::Ok:
      return QMessageBox::Ok;
    case DialogButton::Cancel:
      return QMessageBox::Cancel;
    case DialogButton::Abort:
      return QMessageBox::Abort;
    case DialogButton::Retry:
      return QMessageBox::Retry;
    case DialogButton::Ignore:
      return QMessageBox::Ignore;
  }
  return QMessageBox::NoButton;
}

ModalResult ResultOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Yes:
      return ModalResult::Yes;
    case QMessageBox::No:
      return ModalResult::No;
    case QMessageBox::Ok:
      return ModalResult::Ok;
    case QMessageBox::Abort:
      return ModalResult::Abort;
    case QMessageBox::Retry:
      return ModalResult::Retry;
    case QMessageBox::Ignore:
      return ModalResult::Ignore;
    default:
      return ModalResult::Cancel;
  }
}

// The texts break lines with a carriage return.
QString MessageText(const std::string& text) {
  QString result = ToQString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(u'\r', u'\n');
  return result;
}

// "Text file|*.txt|Log|*.log;*.old" becomes "Text file (*.txt);;Log (*.log *.old)".
QString QtFilter(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    filters << parts[i] + QStringLiteral(" (") + patterns.simplified() + u')';
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace

ModalResult QtDialogs::MessageBox(const std::string& title, const std::string& text, DialogKind kind,
                                  const std::vector<DialogButton>& buttons, const std::vector<std::string>& captions) {
  QMessageBox box(IconOf(kind), ToQString(title), MessageText(text), QMessageBox::NoButton, main_window_);
  for (size_t k = 0; k < buttons.size(); ++k) {
    QPushButton* button = box.addButton(StandardButtonOf(buttons[k]));
    if (button && k < captions.size()) button->setText(ToQString(captions[k]));
  }
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  return clicked ? ResultOf(box.standardButton(clicked)) : ModalResult::Cancel;
}

// Shown and left: no event loop of its own runs inside the caller.
void QtDialogs::ShowNotice(const std::string& title, const std::string& text, DialogKind kind) {
  auto* box = new QMessageBox(IconOf(kind), ToQString(title), MessageText(text), QMessageBox::Ok, main_window_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}

std::optional<std::string> QtDialogs::AskSaveFileName(const std::string& filter, const std::string& title) {
  const QString name = QFileDialog::getSaveFileName(main_window_, ToQString(title), QString(), QtFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return ToStdString(name);
}

}  // namespace vantrope

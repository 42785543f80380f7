#include "app/qt/memo_view.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "app/qt/model_binders.h"
#include "app/qt/qt_text.h"

namespace vantrope {

namespace {

struct Colours {
  QColor background;
  QColor text;
};

Colours ColoursOf(MemoView::Shade shade) {
  if (shade == MemoView::Shade::kDarkGreen) return {QColor(0x00, 0x33, 0x00), QColor(0xC8, 0xFF, 0xC8)};
  return {QColor(0x10, 0x10, 0x10), QColor(0xE6, 0xE6, 0xE6)};
}

// One model line is one block of the view: a break inside the line stays a
// break on screen without starting a new block.
QString BlockText(const std::string& line) {
  QString text = ToQString(line);
  text.replace(QStringLiteral("\r\n"), QChar(QChar::LineSeparator));
  text.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
  text.replace(QLatin1Char('\r'), QChar(QChar::LineSeparator));
  return text;
}

}  // namespace

MemoView::MemoView(ui::Memo& model, QWidget* parent, Shade shade) : QPlainTextEdit(parent), model_(model) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
  const Colours shown = ColoursOf(shade);
  QPalette colours = palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    colours.setColor(group, QPalette::Base, shown.background);
    colours.setColor(group, QPalette::Text, shown.text);
  }
  setPalette(colours);
  Observe<MemoView, ui::Memo>(*this, model, [](MemoView& view, ui::Memo&) { view.Refresh(); });
}

void MemoView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (model_.onDblClick)
    model_.onDblClick();
  else
    QPlainTextEdit::mouseDoubleClickEvent(event);
}

void MemoView::Refresh() {
  ApplyControl(*this, model_);
  if (!FollowOneLine()) Rebuild();
  shown_ = model_.Lines().size();
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

bool MemoView::FollowOneLine() {
  const std::deque<std::string>& lines = model_.Lines();
  QTextDocument& doc = *document();
  if (lines.size() == shown_ + 1 && shown_ > 0 && doc.lastBlock().text() == BlockText(lines[shown_ - 1])) {
    appendPlainText(BlockText(lines.back()));
    return true;
  }
  if (lines.size() + 1 == shown_ && !lines.empty() && doc.firstBlock().next().text() == BlockText(lines.front())) {
    QTextCursor first(doc.firstBlock());
    first.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    first.removeSelectedText();
    return true;
  }
  return false;
}

void MemoView::Rebuild() {
  QStringList blocks;
  for (const std::string& line : model_.Lines()) blocks << BlockText(line);
  setPlainText(blocks.join(QLatin1Char('\n')));
}

}  // namespace vantrope

// A read-only list of text lines (a log view): dark background, light text,
// no word wrap, always scrolled to its last line. A double click is the
// model's when it has a handler for it.
#pragma once

#include <QPlainTextEdit>

#include "ui/controls.h"

namespace vantrope {

class MemoView : public QPlainTextEdit {
 public:
  enum class Shade { kDark, kDarkGreen };

  MemoView(ui::Memo& model, QWidget* parent, Shade shade = Shade::kDark);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Refresh();
  // Follows a line added at the end or taken from the front; false when the
  // change was anything else.
  bool FollowOneLine();
  void Rebuild();

  ui::Memo& model_;
  // How many of the model's lines the view holds.
  size_t shown_ = 0;
};

}  // namespace vantrope

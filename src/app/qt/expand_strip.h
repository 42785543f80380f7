// The narrow strip that opens and closes the browser panel. Its caption is
// a symbol-font letter: "4" a right-pointing and "3" a left-pointing
// triangle, drawn here since that font is not at hand.
#pragma once

#include <QFrame>

#include "ui/controls.h"

namespace vantrope {

class ExpandStrip : public QFrame {
 public:
  ExpandStrip(ui::Panel& model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ui::Panel& model_;
};

}  // namespace vantrope

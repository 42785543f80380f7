// A picture box: its bitmap shown pixel for pixel from the top left corner,
// cut off where the widget ends.
#pragma once

#include <QWidget>

#include "ui/controls.h"

namespace vantrope {

class PictureView : public QWidget {
 public:
  PictureView(ui::PictureBox& model, QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return {0, 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::PictureBox& model_;
};

}  // namespace vantrope

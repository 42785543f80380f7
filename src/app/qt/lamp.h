// A small round lamp filled with its shape model's brush colour.
#pragma once

#include <QWidget>

#include "ui/controls.h"

namespace vantrope {

class Lamp : public QWidget {
 public:
  Lamp(ui::Shape& model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ui::Shape& model_;
};

}  // namespace vantrope

// The browser's address bar: a line edit with a button at its right end.
#pragma once

#include <QLineEdit>

#include "ui/controls.h"

namespace vantrope {

class AddressBar : public QLineEdit {
 public:
  AddressBar(ui::TextEdit& model, QWidget* parent);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ui::TextEdit& model_;
};

}  // namespace vantrope

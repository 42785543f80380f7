// The logo: one of the six pictures, a pop-up menu to choose it and a
// double click for its handler.
#pragma once

#include <QWidget>
#include <vector>

#include "ui/controls.h"

namespace vantrope {

class LogoView : public QWidget {
 public:
  LogoView(ui::Image& model, std::vector<ui::MenuItem*> menu, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ui::Image& model_;
  std::vector<ui::MenuItem*> menu_;
};

}  // namespace vantrope

// The browser panel: the address bar and a thin progress bar, shown while a
// page loads, over the browser's view. Its width is what is left of the
// window, and the panel model is told that width.
#pragma once

#include <QWidget>

#include "ui/controls.h"

namespace vantrope {

class WebPanel : public QWidget {
 public:
  WebPanel(ui::Panel& model, ui::TextEdit& address, ui::Control& progress, QWidget* browser_view, QWidget* parent);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ui::Panel& model_;
};

}  // namespace vantrope

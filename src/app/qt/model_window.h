// A top-level window that follows its window model: caption, bounds,
// minimum size and visibility. Moves and resizes that come from the user or
// the window manager are written back into the model once they settle: the
// window manager also confirms the program's own resizes, late, and a burst
// of them must not be taken for the user's.
//
// Each request of the model to bring the window to the front raises and
// activates it once.
//
// The model's Width and Height are outer sizes; the window's client size is
// the model's less its frame, which the model learns once the window is up.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "ui/controls.h"

namespace vantrope {

class ModelWindow : public QWidget {
 public:
  // `close_requested` runs when the user closes the window; false keeps it open.
  ModelWindow(ui::Window& model, std::function<bool()> close_requested);
  ~ModelWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Refresh();
  // False when the frame was already known.
  bool LearnFrame();
  void WriteBackBounds();

  ui::Window& model_;
  std::function<bool()> close_requested_;
  QTimer settle_;
  // How many of the model's front requests have been answered.
  int front_requests_answered_;
};

}  // namespace vantrope

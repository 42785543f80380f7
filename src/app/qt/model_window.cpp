#include "app/qt/model_window.h"

#include <QCloseEvent>
#include <algorithm>

#include "app/qt/qt_text.h"

namespace vantrope {

namespace {
// Quiet time after the last move or resize from outside before it is written back.
constexpr int kSettleMs = 50;
}  // namespace

ModelWindow::ModelWindow(ui::Window& model, std::function<bool()> close_requested)
    : model_(model), close_requested_(std::move(close_requested)), front_requests_answered_(model.FrontRequests()) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] { WriteBackBounds(); });
  model_.SetObserver([this] { Refresh(); });
  Refresh();
}

ModelWindow::~ModelWindow() { model_.SetObserver(nullptr); }

void ModelWindow::Refresh() {
  setWindowTitle(ToQString(model_.Caption()));
  setEnabled(model_.Enabled());
  const int frame_width = model_.FrameWidth();
  const int frame_height = model_.FrameHeight();
  setMinimumSize(std::max(0, model_.MinWidth() - frame_width), std::max(0, model_.MinHeight() - frame_height));
  const QSize client(std::max(1, model_.Width() - frame_width), std::max(1, model_.Height() - frame_height));
  if (size() != client) resize(client);
  const QPoint position(model_.Left(), model_.Top());
  if (pos() != position) move(position);
  if (isVisible() != model_.Visible()) setVisible(model_.Visible());
  if (front_requests_answered_ != model_.FrontRequests()) {
    front_requests_answered_ = model_.FrontRequests();
    if (isVisible()) {
      raise();
      activateWindow();
    }
  }
}

// The model, told of the frame, sizes the client area again (its outer size
// stays: the client area gives way to the frame).
bool ModelWindow::LearnFrame() {
  const int frame_width = frameGeometry().width() - width();
  const int frame_height = frameGeometry().height() - height();
  if (frame_width == model_.FrameWidth() && frame_height == model_.FrameHeight()) return false;
  model_.SetFrame(frame_width, frame_height);
  return true;
}

void ModelWindow::WriteBackBounds() {
  if (LearnFrame()) return;
  model_.SetBounds(pos().x(), pos().y(), width() + model_.FrameWidth(), height() + model_.FrameHeight());
}

void ModelWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  LearnFrame();
}

void ModelWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (event->spontaneous()) settle_.start();
}

void ModelWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (event->spontaneous()) settle_.start();
}

void ModelWindow::closeEvent(QCloseEvent* event) {
  // A disabled window cannot be closed, as it takes no input.
  if (!isEnabled() || (close_requested_ && !close_requested_()))
    event->ignore();
  else
    event->accept();
}

}  // namespace vantrope

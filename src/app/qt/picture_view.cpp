#include "app/qt/picture_view.h"

#include <QImage>
#include <QPainter>

#include "app/qt/model_binders.h"

namespace vantrope {

namespace {

// The model's pixels are 0x00BBGGRR, an image's 0xAARRGGBB.
QImage ToImage(const Bitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint32_t* from = bitmap.Row(y);
    auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x)
      to[x] = qRgb(from[x] & 0xFF, (from[x] >> 8) & 0xFF, (from[x] >> 16) & 0xFF);
  }
  return image;
}

}  // namespace

PictureView::PictureView(ui::PictureBox& model, QWidget* parent) : QWidget(parent), model_(model) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  Observe<PictureView, ui::PictureBox>(*this, model, [](PictureView& view, ui::PictureBox& m) {
    ApplyControl(view, m);
    view.updateGeometry();
    view.update();
  });
}

QSize PictureView::sizeHint() const { return {model_.Picture().Width(), model_.Picture().Height()}; }

void PictureView::paintEvent(QPaintEvent*) {
  const Bitmap& picture = model_.Picture();
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), ToImage(picture));
}

}  // namespace vantrope

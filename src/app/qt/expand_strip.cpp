#include "app/qt/expand_strip.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/qt/model_binders.h"
#include "app/qt/qt_text.h"

namespace vantrope {

ExpandStrip::ExpandStrip(ui::Panel& model, QWidget* parent) : QFrame(parent), model_(model) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setCursor(Qt::PointingHandCursor);
  Observe<ExpandStrip, ui::Panel>(*this, model, [](ExpandStrip& strip, ui::Panel& m) {
    ApplyControl(strip, m);
    strip.setFixedWidth(m.Width());
    strip.update();
  });
}

void ExpandStrip::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QString caption = ToQString(model_.Caption());
  const QPointF centre = QRectF(rect()).center();
  const double half_width = std::max(2.0, (width() - 6) / 2.0);
  const double half_height = half_width * 1.6;
  QPolygonF triangle;
  if (caption == QStringLiteral("4")) {
    triangle << centre + QPointF(-half_width, -half_height) << centre + QPointF(half_width, 0)
             << centre + QPointF(-half_width, half_height);
  } else if (caption == QStringLiteral("3")) {
    triangle << centre + QPointF(half_width, -half_height) << centre + QPointF(-half_width, 0)
             << centre + QPointF(half_width, half_height);
  } else {
    painter.drawText(rect(), Qt::AlignCenter, caption);
    return;
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawPolygon(triangle);
}

void ExpandStrip::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && model_.onClick)
    model_.onClick();
}

}  // namespace vantrope

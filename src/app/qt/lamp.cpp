#include "app/qt/lamp.h"

#include <QPainter>

#include "app/qt/model_binders.h"
#include "app/qt/qt_text.h"

namespace vantrope {

namespace {
constexpr int kDiameter = 12;
}

Lamp::Lamp(ui::Shape& model, QWidget* parent) : QWidget(parent), model_(model) {
  setFixedSize(kDiameter + 2, kDiameter + 2);
  Observe<Lamp, ui::Shape>(*this, model, [](Lamp& lamp, ui::Shape& m) {
    ApplyControl(lamp, m);
    lamp.update();
  });
}

void Lamp::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().color(QPalette::Dark), 1));
  painter.setBrush(ToQColor(model_.BrushColor()));
  painter.drawEllipse(QRectF(1.5, 1.5, kDiameter - 1, kDiameter - 1));
}

}  // namespace vantrope

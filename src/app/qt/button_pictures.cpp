#include "app/qt/button_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace vantrope {

namespace {

constexpr int kSize = 16;

QPixmap Draw(const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  paint(painter);
  return pixmap;
}

void PauseBars(QPainter& p, QColor color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawRect(QRectF(3, 2, 3.5, 12));
  p.drawRect(QRectF(9.5, 2, 3.5, 12));
}

void Speaker(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(50, 50, 60));
  QPolygonF body;
  body << QPointF(1, 6) << QPointF(4, 6) << QPointF(8, 2) << QPointF(8, 14) << QPointF(4, 10) << QPointF(1, 10);
  p.drawPolygon(body);
}

}  // namespace

QIcon PauseAfterResultPicture() {
  return QIcon(Draw([](QPainter& p) { PauseBars(p, QColor(30, 70, 160)); }));
}

QIcon PauseAfterWinPicture() {
  return QIcon(Draw([](QPainter& p) {
    PauseBars(p, QColor(20, 130, 50));
    p.setBrush(QColor(240, 190, 30));
    p.setPen(QPen(QColor(150, 110, 0), 1));
    p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
  }));
}

QIcon ContinuePicture() {
  return QIcon(Draw([](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 130, 50));
    QPolygonF triangle;
    triangle << QPointF(4, 2) << QPointF(14, 8) << QPointF(4, 14);
    p.drawPolygon(triangle);
  }));
}

QIcon MutePicture() {
  QIcon icon(Draw([](QPainter& p) {
    Speaker(p);
    p.setPen(QPen(QColor(50, 50, 60), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 4, 6, 8), -60 * 16, 120 * 16);
    p.drawArc(QRectF(5, 1.5, 10, 13), -60 * 16, 120 * 16);
  }));
  icon.addPixmap(Draw([](QPainter& p) {
                   Speaker(p);
                   p.setPen(QPen(QColor(200, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
                   p.drawLine(QPointF(10, 5), QPointF(15, 11));
                   p.drawLine(QPointF(15, 5), QPointF(10, 11));
                 }),
                 QIcon::Normal, QIcon::On);
  return icon;
}

}  // namespace vantrope

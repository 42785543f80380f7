#include "app/qt/logo_pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace vantrope {

namespace {

// Every picture is drawn on a 100 x 100 canvas scaled to the area.
constexpr double kCanvas = 100;

void Background(QPainter& p, QColor top, QColor bottom) {
  QLinearGradient gradient(0, 0, 0, kCanvas);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  p.fillRect(QRectF(0, 0, kCanvas, kCanvas), gradient);
}

// A zigzag trend line ending in an arrow head.
void TrendArrow(QPainter& p, const QPolygonF& line, QColor color) {
  p.setPen(QPen(color, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(line);
  const QPointF tip = line.last();
  const QPointF from = line[line.size() - 2];
  const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
  const double size = 16;
  QPolygonF head;
  head << tip + QPointF(std::cos(angle) * 6, std::sin(angle) * 6)
       << tip - QPointF(std::cos(angle - 0.5) * size, std::sin(angle - 0.5) * size)
       << tip - QPointF(std::cos(angle + 0.5) * size, std::sin(angle + 0.5) * size);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(head);
}

void Horns(QPainter& p, QColor color) {
  p.setPen(QPen(color, 5, Qt::SolidLine, Qt::RoundCap));
  QPainterPath horns;
  horns.moveTo(38, 22);
  horns.quadTo(22, 22, 18, 8);
  horns.moveTo(62, 22);
  horns.quadTo(78, 22, 82, 8);
  p.drawPath(horns);
}

void PaintBull(QPainter& p) {
  Background(p, QColor(220, 250, 220), QColor(150, 215, 150));
  Horns(p, QColor(90, 70, 40));
  TrendArrow(p, QPolygonF({{10, 88}, {32, 66}, {46, 76}, {72, 44}, {86, 30}}), QColor(0, 120, 40));
}

void PaintBear(QPainter& p) {
  Background(p, QColor(252, 225, 225), QColor(225, 150, 150));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(110, 70, 50));
  p.drawEllipse(QPointF(24, 16), 9, 9);
  p.drawEllipse(QPointF(76, 16), 9, 9);
  TrendArrow(p, QPolygonF({{10, 28}, {32, 50}, {46, 40}, {72, 72}, {86, 86}}), QColor(170, 20, 20));
}

void PaintCharts(QPainter& p) {
  Background(p, QColor(255, 255, 255), QColor(230, 235, 245));
  p.setPen(QPen(QColor(205, 210, 225), 1));
  for (int i = 1; i < 5; ++i) {
    p.drawLine(QPointF(0, i * 20), QPointF(kCanvas, i * 20));
    p.drawLine(QPointF(i * 20, 0), QPointF(i * 20, kCanvas));
  }
  struct Candle {
    double x, open, close, high, low;
  };
  const Candle candles[] = {
      {14, 70, 58, 76, 52}, {30, 58, 64, 70, 50}, {46, 62, 44, 66, 38}, {62, 44, 50, 56, 36}, {78, 50, 26, 54, 18}};
  for (const Candle& c : candles) {
    const QColor color = c.close < c.open ? QColor(20, 150, 60) : QColor(200, 40, 40);
    p.setPen(QPen(color.darker(130), 2));
    p.drawLine(QPointF(c.x, c.high), QPointF(c.x, c.low));
    p.setBrush(color);
    p.drawRect(QRectF(c.x - 5, std::min(c.open, c.close), 10, std::abs(c.open - c.close)));
  }
}

void Coin(QPainter& p, QPointF centre) {
  p.setPen(QPen(QColor(150, 110, 0), 1.5));
  p.setBrush(QColor(240, 195, 40));
  p.drawEllipse(centre, 22, 8);
}

void PaintCoins(QPainter& p) {
  Background(p, QColor(225, 235, 255), QColor(170, 190, 235));
  for (int i = 0; i < 6; ++i) Coin(p, QPointF(34, 86 - i * 8));
  for (int i = 0; i < 3; ++i) Coin(p, QPointF(70, 86 - i * 8));
  p.setPen(QPen(QColor(150, 110, 0), 2));
  p.setBrush(QColor(250, 210, 60));
  p.drawEllipse(QPointF(68, 34), 20, 20);
  QFont font = p.font();
  font.setPixelSize(26);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(48, 14, 40, 40), Qt::AlignCenter, QStringLiteral("$"));
}

void PaintGlobe(QPainter& p) {
  Background(p, QColor(235, 245, 255), QColor(190, 215, 245));
  const QPointF centre(50, 50);
  const double r = 40;
  QRadialGradient sea(centre - QPointF(12, 12), r * 1.4);
  sea.setColorAt(0, QColor(120, 180, 255));
  sea.setColorAt(1, QColor(20, 70, 170));
  p.setPen(QPen(QColor(10, 40, 110), 2));
  p.setBrush(sea);
  p.drawEllipse(centre, r, r);
  p.setPen(QPen(QColor(220, 235, 255), 1.2));
  p.setBrush(Qt::NoBrush);
  for (double w : {14.0, 28.0}) p.drawEllipse(centre, w, r);
  p.drawLine(QPointF(50, 10), QPointF(50, 90));
  for (double y : {-20.0, 0.0, 20.0}) {
    const double half = std::sqrt(r * r - y * y);
    p.drawLine(QPointF(50 - half, 50 + y), QPointF(50 + half, 50 + y));
  }
}

void PaintRobot(QPainter& p) {
  Background(p, QColor(240, 240, 240), QColor(195, 195, 200));
  p.setPen(QPen(QColor(60, 60, 70), 2));
  p.drawLine(QPointF(50, 22), QPointF(50, 10));
  p.setBrush(QColor(230, 60, 60));
  p.drawEllipse(QPointF(50, 9), 5, 5);
  p.setBrush(QColor(160, 170, 185));
  p.drawRoundedRect(QRectF(20, 22, 60, 50), 10, 10);
  p.drawRect(QRectF(12, 38, 8, 18));
  p.drawRect(QRectF(80, 38, 8, 18));
  p.setBrush(QColor(80, 220, 255));
  p.drawEllipse(QPointF(38, 40), 8, 8);
  p.drawEllipse(QPointF(62, 40), 8, 8);
  p.setBrush(QColor(250, 250, 250));
  p.drawRect(QRectF(34, 56, 32, 9));
  for (int i = 1; i < 4; ++i) p.drawLine(QPointF(34 + i * 8, 56), QPointF(34 + i * 8, 65));
  p.setBrush(QColor(120, 130, 145));
  p.drawRect(QRectF(30, 72, 40, 16));
}

}  // namespace

void PaintLogoPicture(QPainter& painter, const QRect& area, int index) {
  using Paint = void (*)(QPainter&);
  static constexpr Paint kPictures[kLogoPictureCount] = {PaintBull,  PaintBear,  PaintCharts,
                                                         PaintCoins, PaintGlobe, PaintRobot};
  if (index < 0 || index >= kLogoPictureCount) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(area.topLeft());
  painter.scale(area.width() / kCanvas, area.height() / kCanvas);
  painter.setClipRect(QRectF(0, 0, kCanvas, kCanvas));
  kPictures[index](painter);
  painter.restore();
}

}  // namespace vantrope

// The six pictures the logo can show: bull, bear, charts, coins, globe, robot.
#pragma once

#include <QPainter>
#include <QRect>

namespace vantrope {

constexpr int kLogoPictureCount = 6;

// Paints picture `index` into `area`; an index out of range paints nothing.
void PaintLogoPicture(QPainter& painter, const QRect& area, int index);

}  // namespace vantrope

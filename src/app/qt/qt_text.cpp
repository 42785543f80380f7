#include "app/qt/qt_text.h"

#include <QGuiApplication>
#include <QPalette>

namespace vantrope {

QColor ToQColor(ui::Color color) {
  if (color == ui::kClBtnFace) return QGuiApplication::palette().color(QPalette::Button);
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace vantrope

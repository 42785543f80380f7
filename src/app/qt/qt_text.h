// Conversions between the core's UTF-8 strings and colours and Qt's types.
#pragma once

#include <QColor>
#include <QString>
#include <string>

#include "ui/controls.h"

namespace vantrope {

inline QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

inline std::string ToStdString(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), size_t(bytes.size()));
}

// A model colour (0x00BBGGRR); kClBtnFace stands for the palette's button colour.
QColor ToQColor(ui::Color color);

}  // namespace vantrope

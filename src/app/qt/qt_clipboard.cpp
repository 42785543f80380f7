#include "app/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "app/qt/qt_text.h"

namespace vantrope {

void QtClipboard::SetText(const std::string& text) { QGuiApplication::clipboard()->setText(ToQString(text)); }

}  // namespace vantrope

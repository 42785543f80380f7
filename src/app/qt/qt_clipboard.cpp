#include "app/qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/qt/qt_text.h"

namespace vantrope {

// The locale goes as the Windows clipboard's own "Locale" format, which Qt
// passes through on Windows; other desktops carry it unread.
void QtClipboard::SetText(const std::string& text, uint32_t locale_id) {
  auto* data = new QMimeData;
  data->setText(ToQString(text));
  const QByteArray locale(reinterpret_cast<const char*>(&locale_id), sizeof locale_id);
  data->setData(QStringLiteral("application/x-qt-windows-mime;value=\"Locale\""), locale);
  QGuiApplication::clipboard()->setMimeData(data);
}

}  // namespace vantrope

#include "app/qt/debug_window_view.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "app/qt/memo_view.h"

namespace vantrope {

DebugWindowView::DebugWindowView(TfmDebug& debug)
    : ModelWindow(debug.Form, [&debug] {
        debug.FormClose();
        return true;
      }) {
  auto* layout = new QVBoxLayout(this);
  // The window's limits are the model's alone.
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* pages = new QTabWidget(this);
  pages->addTab(new MemoView(debug.mmLog, pages), QStringLiteral("Протокол событий и сообщений"));
  layout->addWidget(pages);
}

}  // namespace vantrope

#include "app/qt/debug_window_view.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "app/qt/debug_parser_page.h"
#include "app/qt/debug_protocol_pages.h"
#include "app/qt/debug_terminal_page.h"
#include "app/qt/model_binders.h"

namespace vantrope {

namespace {
const QColor kCream(255, 251, 240);
}  // namespace

DebugWindowView::DebugWindowView(TfmDebug& debug)
    : ModelWindow(debug.Form, [&debug] {
        debug.FormClose();
        return true;
      }) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, kCream);
  setPalette(colours);
  setAutoFillBackground(true);

  auto* layout = new QVBoxLayout(this);
  // The window's limits are the model's alone.
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* pages = new QTabWidget(this);
  // Captions come with the binding. The pages show the window's colour, not
  // the style's pane.
  for (QWidget* page : {BuildTerminalPage(debug), BuildParserPage(debug.parser), BuildLogPage(debug),
                        BuildRecognitionPage(debug.parser)}) {
    page->setAutoFillBackground(true);
    pages->addTab(page, QString());
  }
  Bind(*pages, debug.pcDebug);
  layout->addWidget(pages);
}

}  // namespace vantrope

#include "app/qt/debug_protocol_pages.h"

#include <QVBoxLayout>

#include "app/qt/debug_simulator_groups.h"
#include "app/qt/memo_view.h"

namespace vantrope {

namespace {

QVBoxLayout* PageColumn(QWidget* page) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(4);
  return column;
}

}  // namespace

QWidget* BuildLogPage(TfmDebug& debug) {
  auto* page = new QWidget;
  QVBoxLayout* column = PageColumn(page);
  column->addWidget(new MemoView(debug.mmLog, page), 1);
  column->addWidget(RobotDebugGroupBox(debug.robot_debug, page));
  return page;
}

QWidget* BuildRecognitionPage(ParserView& parser) {
  auto* page = new QWidget;
  PageColumn(page)->addWidget(new MemoView(parser.mmWebRecogLog, page, MemoView::Shade::kDarkGreen));
  return page;
}

}  // namespace vantrope

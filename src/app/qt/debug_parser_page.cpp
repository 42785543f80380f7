#include "app/qt/debug_parser_page.h"

#include <QSplitter>
#include <QVBoxLayout>

#include "app/qt/data_grid_view.h"

namespace vantrope {

namespace {

constexpr int kStretch = GridColumn::kStretch;
constexpr int kHidden = GridColumn::kHidden;

const std::vector<GridColumn> kFieldColumns = {{"№", 35},     {"Field", 75}, {"ID", 75},
                                               {"Ftype", 85}, {"Ftext", 85}, {"Fsubdata", kStretch}};

// The control slots: the field's columns, the two actions and the field's
// index, which the actions need and the user does not.
const std::vector<GridColumn> kControlColumns = {{"", 35},      {"Field", 75}, {"ID", 75},
                                                 {"Ftype", 85}, {"Ftext", 85}, {"Fsubdata", kStretch},
                                                 {"", 60},      {"", 85},      {"", kHidden}};

}  // namespace

QWidget* BuildParserPage(ParserView& parser) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* split = new QSplitter(Qt::Vertical, page);
  split->setChildrenCollapsible(false);
  split->addWidget(new DataGridView(parser.gwWebParser, kFieldColumns, {&parser.miCopyRow, &parser.miCopyAll}, split));
  split->addWidget(new DataGridView(parser.gwDebug, kControlColumns, {}, split));
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  layout->addWidget(split);
  return page;
}

}  // namespace vantrope

#include "app/qt/log_grid_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "app/qt/grid_cells.h"
#include "app/qt/model_binders.h"
#include "app/qt/popup_menu.h"

namespace vantrope {

namespace {

enum Column { kTime = 0, kMark = 1, kMessage = 2, kType = 3 };
constexpr int kRowHeight = 16;
constexpr int kTimeColumnWidth = 65;

QTableWidgetItem* NewItem(int col, const QFont& base) {
  auto* item = new QTableWidgetItem;
  item->setFlags(Qt::ItemIsEnabled);
  QFont font = base;
  switch (col) {
    case kTime:
      item->setTextAlignment(Qt::AlignCenter);
      item->setForeground(QColor(128, 128, 128));
      break;
    case kMark:
      item->setTextAlignment(Qt::AlignCenter);
      font.setPointSizeF(base.pointSizeF() + 2);
      break;
    case kMessage:
      item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      font.setBold(true);
      break;
    default:
      break;
  }
  item->setFont(font);
  return item;
}

}  // namespace

LogGridView::LogGridView(ui::Grid& model, std::vector<ui::MenuItem*> menu_items, QWidget* parent)
    : QTableWidget(0, model.ColCount(), parent), model_(model), menu_items_(std::move(menu_items)) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  setColumnWidth(kTime, kTimeColumnWidth);
  setColumnWidth(kMark, 25);
  horizontalHeader()->setStretchLastSection(false);
  if (model.ColCount() > kMessage) horizontalHeader()->setSectionResizeMode(kMessage, QHeaderView::Stretch);
  if (model.ColCount() > kType) setColumnHidden(kType, true);
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::NoFocus);
  setWordWrap(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setStyleSheet(QStringLiteral("QTableWidget { background: #FFFFFB; gridline-color: #E8E8FF; }"));
  // What the user scrolls to is where the grid stands.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
          [this] { model_.ScrollTo(verticalScrollBar()->sliderPosition()); });
  Observe<LogGridView, ui::Grid>(*this, model, [](LogGridView& view, ui::Grid&) { view.Refresh(); });
}

void LogGridView::Refresh() {
  ApplyControl(*this, model_);
  const int rows = rowCount();
  SyncGridCells(*this, model_, [this](int col) { return NewItem(col, font()); });
  // The scroll range follows the new rows only at the next layout pass.
  if (rowCount() != rows) updateGeometries();
  // The times of a 12-hour locale ("12:05:33 PM") are wider than the usual column.
  setColumnWidth(kTime, std::max(kTimeColumnWidth, sizeHintForColumn(kTime)));
  verticalScrollBar()->setValue(model_.TopRow());
}

void LogGridView::contextMenuEvent(QContextMenuEvent* event) {
  if (model_.onPopup) model_.onPopup();
  PopUpMenu(menu_items_, event->globalPos());
}

}  // namespace vantrope

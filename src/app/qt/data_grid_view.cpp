#include "app/qt/data_grid_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>

#include "app/qt/grid_cells.h"
#include "app/qt/model_binders.h"
#include "app/qt/popup_menu.h"
#include "app/qt/qt_text.h"

namespace vantrope {

namespace {
constexpr int kRowHeight = 18;
}  // namespace

DataGridView::DataGridView(ui::Grid& model, const std::vector<GridColumn>& columns, std::vector<ui::MenuItem*> menu,
                           QWidget* parent)
    : QTableWidget(0, model.ColCount(), parent), model_(model), menu_(std::move(menu)) {
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(kRowHeight);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setHighlightSections(false);
  for (int col = 0; col < model.ColCount() && col < int(columns.size()); ++col) {
    setHorizontalHeaderItem(col, new QTableWidgetItem(QString::fromUtf8(columns[col].title)));
    if (columns[col].width == GridColumn::kHidden)
      setColumnHidden(col, true);
    else if (columns[col].width == GridColumn::kStretch)
      horizontalHeader()->setSectionResizeMode(col, QHeaderView::Stretch);
    else
      setColumnWidth(col, columns[col].width);
  }
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setWordWrap(false);

  connect(this, &QTableWidget::itemSelectionChanged, this, [this] {
    const QModelIndexList picked = selectionModel()->selectedIndexes();
    model_.SetSelectedRow(picked.isEmpty() ? -1 : picked.first().row());
  });
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->row() < model_.RowCount() && model_.ColumnEditable(item->column()))
      model_.SetCell(item->column(), item->row(), ToStdString(item->text()));
  });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int col) {
    if (model_.onDblClick) model_.onDblClick(col, row);
  });
  Observe<DataGridView, ui::Grid>(*this, model, [](DataGridView& view, ui::Grid&) { view.Refresh(); });
}

QTableWidgetItem* DataGridView::NewItem(int col) const {
  auto* item = new QTableWidgetItem;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (model_.ColumnEditable(col)) flags |= Qt::ItemIsEditable;
  item->setFlags(flags);
  return item;
}

void DataGridView::Refresh() {
  ApplyControl(*this, model_);
  SyncGridCells(*this, model_, [this](int col) { return NewItem(col); });
  ShowSelectedRow();
}

void DataGridView::ShowSelectedRow() {
  const int row = model_.SelectedRow();
  const QModelIndexList picked = selectionModel()->selectedIndexes();
  if (row < 0 || row >= rowCount()) {
    if (!picked.isEmpty()) clearSelection();
  } else if (picked.isEmpty() || picked.first().row() != row) {
    selectRow(row);
  }
}

void DataGridView::contextMenuEvent(QContextMenuEvent* event) {
  // The handler brings the items' state up to date before they are shown.
  if (model_.onPopup) model_.onPopup();
  PopUpMenu(menu_, event->globalPos());
}

}  // namespace vantrope

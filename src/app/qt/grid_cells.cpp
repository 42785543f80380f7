#include "app/qt/grid_cells.h"

#include "app/qt/qt_text.h"

namespace vantrope {

void SyncGridCells(QTableWidget& table, const ui::Grid& model, const NewGridItem& new_item) {
  if (table.rowCount() != model.RowCount()) table.setRowCount(model.RowCount());
  for (int row = 0; row < model.RowCount(); ++row) {
    for (int col = 0; col < model.ColCount(); ++col) {
      QTableWidgetItem* cell = table.item(row, col);
      if (!cell) {
        cell = new_item(col);
        table.setItem(row, col, cell);
      }
      const QString text = ToQString(model.Cell(col, row));
      if (cell->text() != text) cell->setText(text);
      const QColor color = ToQColor(model.CellColor(col, row));
      if (cell->background().color() != color || cell->background().style() != Qt::SolidPattern)
        cell->setBackground(color);
    }
  }
}

}  // namespace vantrope

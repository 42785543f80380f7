// The rows and cells of a table widget kept in line with a grid model.
#pragma once

#include <QTableWidget>
#include <functional>

#include "ui/controls.h"

namespace vantrope {

// Makes the item of a cell the table does not have yet, styled for its column.
using NewGridItem = std::function<QTableWidgetItem*(int col)>;

// Brings the table's row count, texts and cell colours to the model's.
void SyncGridCells(QTableWidget& table, const ui::Grid& model, const NewGridItem& new_item);

}  // namespace vantrope

// A row of the debug window's field grids: a number, then the record.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"
#include "site/cat_field.h"

namespace vantrope {

// A row's cells: column 0 the number, 1 the kind's name, 2..5 the texts.
inline std::vector<std::string> FieldRowCells(size_t number, const TCatField& field) {
  return {std::to_string(number), KindName(field.Kind), field.ID, field.Ftype, field.Ftext, field.Fsubdata};
}

inline int AppendRowCells(ui::Grid& grid, const std::vector<std::string>& cells) {
  const int row = grid.AppendRow();
  for (size_t col = 0; col < cells.size(); ++col) grid.SetCell(static_cast<int>(col), row, cells[col]);
  return row;
}

inline int AppendFieldRow(ui::Grid& grid, size_t number, const TCatField& field) {
  return AppendRowCells(grid, FieldRowCells(number, field));
}

}  // namespace vantrope

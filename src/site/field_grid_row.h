// A row of the debug window's field grids: a number, then the record.
#pragma once

#include <string>

#include "ui/controls.h"
#include "site/cat_field.h"

namespace vantrope {

// Appends a row: column 0 the number, 1 the kind's name, 2..5 the texts.
inline int AppendFieldRow(ui::Grid& grid, size_t number, const TCatField& field) {
  const int row = grid.AppendRow();
  grid.SetCell(0, row, std::to_string(number));
  grid.SetCell(1, row, KindName(field.Kind));
  grid.SetCell(2, row, field.ID);
  grid.SetCell(3, row, field.Ftype);
  grid.SetCell(4, row, field.Ftext);
  grid.SetCell(5, row, field.Fsubdata);
  return row;
}

}  // namespace vantrope

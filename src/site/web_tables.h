// The table cells of the parsed page, by table, row and column number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "site/cat_field.h"

namespace vantrope {

// The highest table number among the cell records; 0 when there is none.
uint16_t GetWebTableCount(const std::vector<TCatField>& fields);

// The trimmed text of the first header cell of the table and column, in any
// row; empty when a number is 0, the table is beyond the count, or there is
// no such cell.
std::string GetWebTableHeader(const std::vector<TCatField>& fields, uint16_t table, uint16_t column);

// The trimmed text of the data cell at the table, row and column; empty when
// a number is 0, the table is beyond the count, or there is no such cell.
std::string GetWebTableData(const std::vector<TCatField>& fields, uint16_t table, uint16_t row, uint16_t column);

}  // namespace vantrope

// The text pass of the page parse: paragraphs, table cells and blocks of
// the body's markup as page fields.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "site/cat_field.h"

namespace vantrope {

// Numbers of the current table, row and column; 16-bit, wrapping as they
// count on. The main window keeps them between parses.
struct TableCounters {
  uint16_t TableNo = 0;
  uint16_t RowNo = 0;
  uint16_t ColNo = 0;
};

// Appends a TEXT record per paragraph, a TABLE or TAB_HEADER record per
// cell and a DIV record per block whose text is not yet in the list as a
// DIV or TEXT record. An element counts only where its closing tag follows
// within 999999 characters of the markup; characters are counted as UTF-16
// code units.
void HtmlTextParser(std::string_view markup, TableCounters& counters, std::vector<TCatField>& fields);

}  // namespace vantrope

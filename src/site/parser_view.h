// What the debug window shows of the parse and the recognition: the parsed
// page, the resolved control slots and the recognition protocol.
#pragma once

#include <string>
#include <vector>

#include "ui/controls.h"

namespace vantrope {

struct ParserView {
  // One row per record of WebFields, and its pop-up menu: the selected row,
  // or every row, to the clipboard.
  ui::Grid gwWebParser{6};
  ui::MenuItem miCopyRow, miCopyAll;
  // The resolved control slots: number, record, two action cells, field index.
  ui::Grid gwDebug{9};
  // The rows as the encoder last wrote them into gwDebug: while the page
  // gives the same, the grid is left alone and a value typed into it stays.
  std::vector<std::vector<std::string>> ControlRowsWritten;
  // The recognition protocol of a traced parse.
  ui::Memo mmWebRecogLog;
};

}  // namespace vantrope

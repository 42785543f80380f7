// What the debug window shows of the parse and the recognition: the parsed
// page, the resolved control slots and the recognition protocol.
#pragma once

#include "ui/controls.h"

namespace vantrope {

struct ParserView {
  // One row per record of WebFields, and its pop-up menu: the selected row,
  // or every row, to the clipboard.
  ui::Grid gwWebParser{6};
  ui::MenuItem miCopyRow, miCopyAll;
  // The resolved control slots: number, record, two action cells, field index.
  ui::Grid gwDebug{9};
  // The recognition protocol of a traced parse.
  ui::Memo mmWebRecogLog;
};

}  // namespace vantrope

// How each type of event-log line looks: its mark and the colour of the mark.
#pragma once

#include <cstdint>
#include <string>

#include "ui/color.h"

namespace vantrope {

struct LogLineLook {
  const char* mark;  // a symbol standing for the old symbol-font glyph; empty for none
  ui::Color color;
};

LogLineLook LookOfLogType(uint8_t type);

// The two-character prefix of a row in the text export.
const char* ExportPrefixOfLogType(int type);

}  // namespace vantrope

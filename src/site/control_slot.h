// A control slot: where a control of the recognised page is in WebFields.
#pragma once

#include <cstdint>

namespace vantrope {

struct TControlSlot {
  int32_t FieldIndex = -1;     // index into WebFields, -1 when not found
  uint16_t ControlNo = 65535;  // the configured control number, 65535 when unused
};

}  // namespace vantrope

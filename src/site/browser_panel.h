// The browser panel's controls that browser supervision writes: the address
// bar and the thin progress bar shown while a page loads.
#pragma once

#include "ui/controls.h"

namespace vantrope {

struct BrowserPanel {
  ui::TextEdit teWebAddr;
  ui::Control pbWEB;
};

}  // namespace vantrope

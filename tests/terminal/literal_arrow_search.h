// The arrow search exactly as its rules read: byte arrays and a plain scan.
// The reference the fast scanner is held to, in tests and benchmarks.
#pragma once

#include <cstdint>

#include "ui/bitmap.h"
#include "terminal/arrow_scanner.h"

namespace vantrope::testing {

TArrowMatch LiteralArrowSearch(const Bitmap& snapshot, uint32_t arrow_color, const Bitmap& picture, int width,
                               int height, int component_shift);

}  // namespace vantrope::testing

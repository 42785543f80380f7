// Reads the program's pictures, kept as binary portable pixmaps.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/bitmap.h"

namespace vantrope {

// A binary portable pixmap ("P6", 8 bits a component); nothing when the
// bytes are not one.
std::optional<Bitmap> ReadPixmap(const std::vector<uint8_t>& bytes);

}  // namespace vantrope

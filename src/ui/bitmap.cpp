#include "ui/bitmap.h"

#include <algorithm>

namespace vantrope {

void Bitmap::Resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, 0u);
}

void Bitmap::Fill(uint32_t color) { std::fill(pixels_.begin(), pixels_.end(), color); }

}  // namespace vantrope

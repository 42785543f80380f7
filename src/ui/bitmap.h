// A picture in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrope {

// Colours are 0x00BBGGRR (ui::Color).
class Bitmap {
 public:
  // What a pixel outside the picture reads as: every component 255.
  static constexpr uint32_t kInvalidColor = 0xFFFFFFFF;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Resizing keeps no pixels: the new picture is black.
  void Resize(int width, int height);
  uint32_t Pixel(int x, int y) const {
    return Contains(x, y) ? pixels_[static_cast<size_t>(y) * width_ + x] : kInvalidColor;
  }
  void SetPixel(int x, int y, uint32_t color) {
    if (Contains(x, y)) pixels_[static_cast<size_t>(y) * width_ + x] = color;
  }
  void Fill(uint32_t color);
  // One row of pixels, left to right.
  const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  bool operator==(const Bitmap&) const = default;

 private:
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace vantrope

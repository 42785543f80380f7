// Exhaustive template matching of one arrow colour over the terminal strip.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "ui/bitmap.h"
#include "ui/color.h"

namespace vantrope {

struct TArrowMatch {
  bool Found = false;
  double Score = 0;  // percent of equal cells
  uint16_t X = 0;    // strip column of the template's left edge
  uint16_t Y = 0;    // strip row of its top edge
  bool operator==(const TArrowMatch&) const = default;
};

// The score and scan rules are those of a byte-by-byte comparison of a 0/255
// mask with a template of colour components. The scanner keeps the mask and
// the template as bits, so a placement costs one popcount per template row,
// and skips every placement whose count of arrow-coloured pixels cannot give
// enough equal cells, which on a chart is nearly all of them.
class ArrowScanner {
 public:
  static constexpr int kStripWidth = 128;
  static constexpr int kSearchMargin = 16;
  static constexpr int kMaxTemplateWidth = 32;
  static constexpr int kMaxTemplateHeight = 16;
  static constexpr float kMatchThreshold = 80.0f;

  // Marks the strip's pixels of exactly the arrow colour (the first 128
  // columns, every row).
  void BuildMask(const Bitmap& snapshot, ui::Color arrow_color);
  // Takes one colour component (bit shift 0 red, 8 green, 16 blue) of the
  // top-left width x height part of the picture; outside the picture every
  // component reads 255. Sizes are clamped to the limits.
  void BuildTemplate(const Bitmap& picture, int width, int height, int component_shift);
  // The last placement, in column-then-row order, scoring at least the
  // threshold.
  TArrowMatch FindObject(uint8_t width, uint8_t height) const;

 private:
  int ArrowPixelsIn(int x, int y, int width, int height) const;

  // Bit x of a row is column x of the strip.
  std::vector<unsigned __int128> mask_rows_;
  // Arrow-coloured pixels above and left of each corner: (rows + 1) x 129.
  std::vector<int32_t> mask_sums_;
  // Template rows as bits: cells of value 255, and cells of value 0. A cell
  // of any other value equals no mask cell.
  std::array<uint32_t, kMaxTemplateHeight> template_full_{};
  std::array<uint32_t, kMaxTemplateHeight> template_empty_{};
};

}  // namespace vantrope

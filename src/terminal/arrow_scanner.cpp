#include "terminal/arrow_scanner.h"

#include <algorithm>
#include <bit>

namespace vantrope {

void ArrowScanner::BuildMask(const Bitmap& snapshot, ui::Color arrow_color) {
  const int columns = std::min(snapshot.Width(), kStripWidth);
  constexpr int kCorners = kStripWidth + 1;
  mask_rows_.resize(static_cast<size_t>(snapshot.Height()));
  // Every sum is written below but those of the top row.
  mask_sums_.resize(static_cast<size_t>(snapshot.Height() + 1) * kCorners);
  std::fill_n(mask_sums_.begin(), kCorners, 0);
  for (int y = 0; y < snapshot.Height(); ++y) {
    const ui::Color* row = snapshot.Row(y);
    // Two plain loops of comparisons, which the compiler can vectorise.
    uint64_t low = 0, high = 0;
    for (int x = 0; x < std::min(columns, 64); ++x) low |= static_cast<uint64_t>(row[x] == arrow_color) << x;
    for (int x = 64; x < columns; ++x) high |= static_cast<uint64_t>(row[x] == arrow_color) << (x - 64);
    const unsigned __int128 bits = (static_cast<unsigned __int128>(high) << 64) | low;
    mask_rows_[static_cast<size_t>(y)] = bits;
    const int32_t* above = &mask_sums_[static_cast<size_t>(y) * kCorners];
    int32_t* sums = &mask_sums_[static_cast<size_t>(y + 1) * kCorners];
    // Most rows of a chart hold no pixel of the arrow's colour.
    if (bits == 0) {
      std::copy_n(above, kCorners, sums);
      continue;
    }
    sums[0] = 0;
    int32_t in_row = 0;
    for (int x = 0; x < kStripWidth; ++x) {
      in_row += static_cast<int32_t>((bits >> x) & 1);
      sums[x + 1] = above[x + 1] + in_row;
    }
  }
}

int ArrowScanner::ArrowPixelsIn(int x, int y, int width, int height) const {
  constexpr int kCorners = kStripWidth + 1;
  const auto at = [this](int cx, int cy) { return mask_sums_[static_cast<size_t>(cy) * kCorners + cx]; };
  return at(x + width, y + height) - at(x, y + height) - at(x + width, y) + at(x, y);
}

void ArrowScanner::BuildTemplate(const Bitmap& picture, int width, int height, int component_shift) {
  width = std::clamp(width, 0, kMaxTemplateWidth);
  height = std::clamp(height, 0, kMaxTemplateHeight);
  template_full_.fill(0);
  template_empty_.fill(0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint8_t component = static_cast<uint8_t>(picture.Pixel(x, y) >> component_shift);
      if (component == 255) template_full_[y] |= 1u << x;
      if (component == 0) template_empty_[y] |= 1u << x;
    }
}

TArrowMatch ArrowScanner::FindObject(uint8_t width, uint8_t height) const {
  TArrowMatch match;
  const int rows = static_cast<int>(mask_rows_.size());
  const int last_x = kStripWidth - kSearchMargin - width;
  const int last_y = rows - height - kSearchMargin;
  if (width == 0 || height == 0 || width > kMaxTemplateWidth || height > kMaxTemplateHeight || last_x < 0 ||
      last_y < 0)
    return match;

  // The score depends only on the count of equal cells, in the single
  // precision of the established arithmetic: one table of verdicts.
  const int cells = width * height;
  const float per_cent = static_cast<float>(cells) / 100.0f;
  const auto score_of = [per_cent](int equal) { return static_cast<float>(equal) / per_cent; };
  int needed = 0;
  while (needed <= cells && score_of(needed) < kMatchThreshold) ++needed;
  if (needed > cells) return match;

  // A placement with n arrow pixels has at most min(full, n) equal arrow
  // cells and min(empty, cells - n) equal background cells.
  int full_cells = 0, empty_cells = 0;
  for (int r = 0; r < height; ++r) {
    full_cells += std::popcount(template_full_[r]);
    empty_cells += std::popcount(template_empty_[r]);
  }

  // The last qualifying placement of the column-then-row scan is the first
  // one scanning backwards.
  const uint32_t window = width == 32 ? ~0u : (1u << width) - 1;
  for (int x = last_x; x >= 0; --x) {
    // The same bound over the placement's columns, all rows: a column of
    // placements that cannot qualify is passed over at once.
    if (std::min(full_cells, ArrowPixelsIn(x, 0, width, rows)) + empty_cells < needed) continue;
    for (int y = last_y; y >= 0; --y) {
      const int arrow_pixels = ArrowPixelsIn(x, y, width, height);
      if (std::min(full_cells, arrow_pixels) + std::min(empty_cells, cells - arrow_pixels) < needed) continue;
      int equal = 0;
      for (int r = 0; r < height; ++r) {
        const auto bits = static_cast<uint32_t>(mask_rows_[static_cast<size_t>(y + r)] >> x) & window;
        equal += std::popcount((bits & template_full_[r]) | (~bits & template_empty_[r]));
      }
      if (equal >= needed) {
        match.Found = true;
        match.Score = score_of(equal);
        match.X = static_cast<uint16_t>(x);
        match.Y = static_cast<uint16_t>(y);
        return match;
      }
    }
  }
  return match;
}

}  // namespace vantrope

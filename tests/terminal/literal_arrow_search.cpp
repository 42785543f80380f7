#include "literal_arrow_search.h"

#include <vector>

namespace vantrope::testing {

TArrowMatch LiteralArrowSearch(const Bitmap& snapshot, uint32_t arrow_color, const Bitmap& picture, int width,
                               int height, int component_shift) {
  constexpr int kColumns = 128, kMargin = 16;
  const int rows = snapshot.Height();
  std::vector<uint8_t> mask(static_cast<size_t>(kColumns) * rows);
  for (int x = 0; x < kColumns; ++x)
    for (int y = 0; y < rows; ++y) mask[static_cast<size_t>(x) * rows + y] = snapshot.Pixel(x, y) == arrow_color ? 255 : 0;
  uint8_t templ[32][16] = {};
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) templ[x][y] = static_cast<uint8_t>(picture.Pixel(x, y) >> component_shift);

  const auto score = [&](int at_x, int at_y) {
    int equal = 0;
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y)
        if (templ[x][y] == mask[static_cast<size_t>(at_x + x) * rows + at_y + y]) ++equal;
    const float cells = static_cast<float>(width * height);
    return static_cast<float>(equal) / (cells / 100.0f);
  };
  TArrowMatch match;
  for (int x = 0; x <= kColumns - kMargin - width; ++x)
    for (int y = 0; y <= rows - height - kMargin; ++y) {
      const float s = score(x, y);
      if (s >= 80.0f) match = {true, s, static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
    }
  return match;
}

}  // namespace vantrope::testing

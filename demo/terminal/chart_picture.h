// The chart drawn into plain pixels, and where on it each bar and arrow
// lies. The newest bar stands near the right edge, older ones to its left.
#pragma once

#include <cstdint>
#include <vector>

#include "chart.h"

namespace vantrope::demo::terminal {

struct PixelBuffer {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

inline constexpr int kBarSpacing = 8;
// The newest bar's arrows begin this far from the right edge: inside the
// strip the robot searches, well clear of its 16-pixel margin.
inline constexpr int kNewestArrowInset = 60;
// The smallest window the picture is laid out for.
inline constexpr int kMinPictureWidth = 200;
inline constexpr int kMinPictureHeight = 150;
// The largest window side the command line takes; the chart keeps enough
// bars for this width.
inline constexpr int kMaxPictureSide = 4000;

// Top-left pixel of the arrow of `direction` on the bar `age` bars older
// than the newest: below the bar's low for up, above its high for down.
Point ArrowTopLeft(const Bar& bar, int age, ArrowDirection direction, int width, int height);

// The whole window's picture; `width` and `height` at least the minimum.
PixelBuffer RenderChart(const Chart& chart, int width, int height);

}  // namespace vantrope::demo::terminal

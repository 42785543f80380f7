#include "chart_picture.h"

#include <algorithm>

#include "arrow_shapes.h"

namespace vantrope::demo::terminal {

namespace {

constexpr uint32_t kBackground = 0x000000;
constexpr uint32_t kGrid = 0x303030;
constexpr uint32_t kAxis = 0x808080;
// Candles in darker shades, so no pixel of theirs is an arrow's colour.
constexpr uint32_t kBullCandle = 0x00C800;
constexpr uint32_t kBearCandle = 0xC80000;

// Room above the prices for a down arrow, below them for an up arrow, and
// below that the bottom rows the robot never searches.
constexpr int kPlotTop = 40;
constexpr int kPlotBottomInset = 48;
constexpr int kArrowGap = 3;  // empty rows between a bar's wick and its arrow
constexpr int kAxisInset = 36;
constexpr int kGridRowSpacing = 50;
constexpr int kGridBarsApart = 12;

// Within a bar's slot, which starts at its arrows' left edge.
constexpr int kBodyOffset = 2;
constexpr int kBodyWidth = 6;
constexpr int kWickOffset = 4;
constexpr int kWickWidth = 2;

class Canvas {
 public:
  Canvas(int width, int height)
      : buffer_{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, kBackground)} {}

  void Set(int x, int y, uint32_t colour) {
    if (x >= 0 && y >= 0 && x < buffer_.width && y < buffer_.height)
      buffer_.pixels[static_cast<size_t>(y) * static_cast<size_t>(buffer_.width) + x] = colour;
  }
  void Fill(int left, int top, int width, int height, uint32_t colour) {
    for (int y = top; y < top + height; ++y)
      for (int x = left; x < left + width; ++x) Set(x, y, colour);
  }
  PixelBuffer Take() { return std::move(buffer_); }

 private:
  PixelBuffer buffer_;
};

int PriceY(int price, int height) {
  const int plot_bottom = height - kPlotBottomInset;
  return kPlotTop +
         (Chart::kHighestPrice - price) * (plot_bottom - kPlotTop) / (Chart::kHighestPrice - Chart::kLowestPrice);
}

int SlotLeft(int age, int width) { return width - kNewestArrowInset - age * kBarSpacing; }

void DrawGrid(Canvas& canvas, const Chart& chart, int width, int height) {
  const int axis_x = width - kAxisInset;
  for (int y = kPlotTop; y < height - kPlotBottomInset; y += kGridRowSpacing) {
    for (int x = 0; x < axis_x; x += 2) canvas.Set(x, y, kGrid);
    canvas.Fill(axis_x, y, 4, 1, kAxis);
  }
  const int newest = static_cast<int>(chart.Bars().size()) - 1;
  for (int i = newest; i >= 0; --i) {
    const int x = SlotLeft(newest - i, width) + kWickOffset;
    if (x < 0) break;
    if (chart.Bars()[i].serial % kGridBarsApart == 0)
      for (int y = 0; y < height; y += 2) canvas.Set(x, y, kGrid);
  }
  canvas.Fill(axis_x, 0, 1, height, kAxis);
}

void DrawCandle(Canvas& canvas, const Bar& bar, int slot_left, int height) {
  const uint32_t colour = bar.close >= bar.open ? kBullCandle : kBearCandle;
  const int high_y = PriceY(bar.high, height);
  const int low_y = PriceY(bar.low, height);
  canvas.Fill(slot_left + kWickOffset, high_y, kWickWidth, low_y - high_y + 1, colour);
  const int body_top = PriceY(std::max(bar.open, bar.close), height);
  const int body_bottom = PriceY(std::min(bar.open, bar.close), height);
  canvas.Fill(slot_left + kBodyOffset, body_top, kBodyWidth, body_bottom - body_top + 1, colour);
}

void DrawArrow(Canvas& canvas, ArrowDirection direction, Point top_left) {
  const ArrowShape& shape = ShapeOf(direction);
  for (int row = 0; row < kArrowHeight; ++row)
    for (int column = 0; column < kArrowWidth; ++column)
      if (shape[row][column] == '#') canvas.Set(top_left.x + column, top_left.y + row, ColourOf(direction));
}

}  // namespace

Point ArrowTopLeft(const Bar& bar, int age, ArrowDirection direction, int width, int height) {
  const int x = SlotLeft(age, width);
  if (direction == ArrowDirection::kUp) return {x, PriceY(bar.low, height) + 1 + kArrowGap};
  return {x, PriceY(bar.high, height) - kArrowGap - kArrowHeight};
}

PixelBuffer RenderChart(const Chart& chart, int width, int height) {
  Canvas canvas(width, height);
  DrawGrid(canvas, chart, width, height);
  const auto& bars = chart.Bars();
  const int newest = static_cast<int>(bars.size()) - 1;
  int oldest_shown = newest;
  while (oldest_shown > 0 && SlotLeft(newest - oldest_shown + 1, width) + kArrowWidth > 0) --oldest_shown;
  for (int i = oldest_shown; i <= newest; ++i) DrawCandle(canvas, bars[i], SlotLeft(newest - i, width), height);
  // Arrows last: nothing may cover them.
  for (int i = oldest_shown; i <= newest; ++i)
    for (ArrowDirection direction : {ArrowDirection::kUp, ArrowDirection::kDown})
      if (bars[i].HasArrow(direction))
        DrawArrow(canvas, direction, ArrowTopLeft(bars[i], newest - i, direction, width, height));
  return canvas.Take();
}

}  // namespace vantrope::demo::terminal

// The chart's picture: the arrows exactly where the terminal says they are,
// in exactly the robot's shapes, and nothing else in their colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <tuple>

#include "demo/terminal/arrow_shapes.h"
#include "demo/terminal/chart_picture.h"
#include "demo/terminal/demo_terminal.h"
#include "terminal_manual_clock.h"

namespace vantrope::testing {
namespace {

using demo::terminal::ArrowDirection;
using demo::terminal::Bar;
using demo::terminal::Chart;
using demo::terminal::DemoTerminal;
using demo::terminal::kArrowHeight;
using demo::terminal::kArrowWidth;
using demo::terminal::kDownArrowColour;
using demo::terminal::kUpArrowColour;
using demo::terminal::PixelBuffer;
using demo::terminal::Point;

using Pixel = std::tuple<int, int, uint32_t>;

std::set<Pixel> PixelsInArrowColours(const PixelBuffer& picture) {
  std::set<Pixel> found;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (picture.At(x, y) == kUpArrowColour || picture.At(x, y) == kDownArrowColour)
        found.insert({x, y, picture.At(x, y)});
  return found;
}

// The "#" cells of an arrow at `at` that fall inside the picture.
void AddArrowCells(std::set<Pixel>& cells, ArrowDirection direction, Point at, int width, int height) {
  const auto& shape = demo::terminal::ShapeOf(direction);
  for (int row = 0; row < kArrowHeight; ++row)
    for (int column = 0; column < kArrowWidth; ++column) {
      const int x = at.x + column, y = at.y + row;
      if (shape[row][column] == '#' && x >= 0 && x < width && y >= 0 && y < height)
        cells.insert({x, y, demo::terminal::ColourOf(direction)});
    }
}

// Every cell as the shape has it: "#" in the colour, "." in neither colour.
void ExpectArrowAt(const PixelBuffer& picture, ArrowDirection direction, Point at) {
  const auto& shape = demo::terminal::ShapeOf(direction);
  for (int row = 0; row < kArrowHeight; ++row)
    for (int column = 0; column < kArrowWidth; ++column) {
      const uint32_t pixel = picture.At(at.x + column, at.y + row);
      if (shape[row][column] == '#')
        EXPECT_EQ(pixel, demo::terminal::ColourOf(direction)) << "cell " << column << "," << row;
      else
        EXPECT_TRUE(pixel != kUpArrowColour && pixel != kDownArrowColour) << "cell " << column << "," << row;
    }
}

// "ok up X Y" -> (X, Y).
Point ReplyPoint(const std::string& reply) {
  Point at{-1, -1};
  char direction[8] = {};
  EXPECT_EQ(std::sscanf(reply.c_str(), "ok %7s %d %d", direction, &at.x, &at.y), 3) << reply;
  return at;
}

demo::terminal::TerminalOptions Options(uint32_t seed, int width, int height) {
  demo::terminal::TerminalOptions options;
  options.seed = seed;
  options.geometry.width = width;
  options.geometry.height = height;
  return options;
}

TEST(DemoTerminalPicture, ArrowsAreDrawnExactlyWhereReportedInsideTheSearchedStrip) {
  for (const auto& [width, height] : {std::pair{800, 600}, std::pair{200, 150}, std::pair{1024, 1600}})
    for (uint32_t seed = 1; seed <= 20; ++seed) {
      SCOPED_TRACE(::testing::Message() << width << "x" << height << " seed " << seed);
      ManualTerminalClock clock;
      DemoTerminal terminal(Options(seed, width, height), clock);
      const Point up = ReplyPoint(terminal.HandleLine("up").reply);
      const Point down = ReplyPoint(terminal.HandleLine("down").reply);
      const PixelBuffer picture = terminal.Render();
      ASSERT_EQ(picture.width, width);
      ASSERT_EQ(picture.height, height);
      ExpectArrowAt(picture, ArrowDirection::kUp, up);
      ExpectArrowAt(picture, ArrowDirection::kDown, down);
      EXPECT_EQ(PixelsInArrowColours(picture).size(), 2u * 48u);
      // The up arrow hangs below the down arrow on the same bar.
      EXPECT_EQ(up.x, width - 60);
      EXPECT_EQ(down.x, width - 60);
      EXPECT_GT(up.y, down.y + kArrowHeight);
      // Within the right-hand 128 columns, clear of the 16 never searched
      // at the right, and at least 30 rows above the bottom edge.
      for (const Point& at : {up, down}) {
        EXPECT_GE(at.x, width - 128);
        EXPECT_LE(at.x + kArrowWidth, width - 16 - 10);
        EXPECT_GE(at.y, 0);
        EXPECT_LE(at.y + kArrowHeight, height - 30);
      }
    }
}

TEST(DemoTerminalPicture, NothingButTheArrowsHasTheArrowColoursOverLongWalks) {
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    Chart chart(seed);
    for (int added = 1; added <= 3000; ++added) {
      chart.AddBar();
      if (added % 5 == 0) chart.MarkNewest(ArrowDirection::kUp);
      if (added % 7 == 0) chart.MarkNewest(ArrowDirection::kDown);
      const Bar& newest = chart.Newest();
      ASSERT_LE(Chart::kLowestPrice, newest.low);
      ASSERT_LE(newest.low, std::min(newest.open, newest.close));
      ASSERT_LE(std::max(newest.open, newest.close), newest.high);
      ASSERT_LE(newest.high, Chart::kHighestPrice);
      if (added % 150 != 0) continue;
      for (const auto& [width, height] : {std::pair{800, 600}, std::pair{200, 150}}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << " bar " << added << " " << width << "x" << height);
        std::set<Pixel> expected;
        const int newest_index = static_cast<int>(chart.Bars().size()) - 1;
        for (int i = 0; i <= newest_index; ++i)
          for (ArrowDirection direction : {ArrowDirection::kUp, ArrowDirection::kDown})
            if (chart.Bars()[i].HasArrow(direction))
              AddArrowCells(expected, direction,
                            ArrowTopLeft(chart.Bars()[i], newest_index - i, direction, width, height), width, height);
        ASSERT_EQ(PixelsInArrowColours(RenderChart(chart, width, height)), expected);
      }
    }
  }
}

TEST(DemoTerminalPicture, ArrowsScrollLeftWithTheirBarsAndDropOff) {
  ManualTerminalClock clock;
  DemoTerminal terminal(Options(3, 800, 600), clock);
  const Point up = ReplyPoint(terminal.HandleLine("up").reply);
  for (int bars = 1; bars <= 5; ++bars) {
    clock.now_ms += 60'000;
    ASSERT_TRUE(terminal.CatchUp());
    ExpectArrowAt(terminal.Render(), ArrowDirection::kUp, {up.x - 8 * bars, up.y});
  }
  // Past the left edge: gone from the picture, and later from the chart.
  clock.now_ms += int64_t{60'000} * (800 / 8);
  ASSERT_TRUE(terminal.CatchUp());
  EXPECT_TRUE(PixelsInArrowColours(terminal.Render()).empty());
  clock.now_ms += int64_t{60'000} * Chart::kHistoryBars;
  terminal.CatchUp();
  for (const auto& bar : terminal.chart().Bars()) EXPECT_FALSE(bar.up_arrow);
}

TEST(DemoTerminalPicture, ClearAndAnotherPairRemoveEveryArrow) {
  ManualTerminalClock clock;
  DemoTerminal terminal(Options(5, 800, 600), clock);
  // Every other bar: arrows of neighbouring bars may overlap by two columns.
  for (int bar = 0; bar < 4; ++bar) {
    terminal.HandleLine("up");
    terminal.HandleLine("down");
    clock.now_ms += 2 * 60'000;
    terminal.CatchUp();
  }
  EXPECT_EQ(PixelsInArrowColours(terminal.Render()).size(), 8u * 48u);
  const auto cleared = terminal.HandleLine("clear");
  EXPECT_TRUE(cleared.changed);
  EXPECT_TRUE(PixelsInArrowColours(terminal.Render()).empty());

  terminal.HandleLine("down");
  EXPECT_EQ(PixelsInArrowColours(terminal.Render()).size(), 48u);
  terminal.HandleLine("pair GBPUSD");
  EXPECT_TRUE(PixelsInArrowColours(terminal.Render()).empty());
}

}  // namespace
}  // namespace vantrope::testing

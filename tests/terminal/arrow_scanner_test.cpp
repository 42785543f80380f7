#include "terminal/arrow_scanner.h"

#include <gtest/gtest.h>

#include <random>

#include "app/pixmap_reader.h"
#include "app/resources.h"
#include "arrow_drawing.h"
#include "literal_arrow_search.h"

namespace vantrope::testing {
namespace {

constexpr int kGreenShift = 8;
constexpr int kRedShift = 0;

TArrowMatch FindUp(const Bitmap& strip, int width = 10, int height = 8) {
  ArrowScanner scanner;
  scanner.BuildMask(strip, kGreen);
  scanner.BuildTemplate(TemplatePicture(true), width, height, kGreenShift);
  return scanner.FindObject(static_cast<uint8_t>(width), static_cast<uint8_t>(height));
}

TArrowMatch FindDown(const Bitmap& strip) {
  ArrowScanner scanner;
  scanner.BuildMask(strip, kRed);
  scanner.BuildTemplate(TemplatePicture(false), 10, 8, kRedShift);
  return scanner.FindObject(10, 8);
}

TEST(ArrowTemplates, ProgramCarriesBothShapes) {
  for (bool up : {true, false}) {
    const auto* bytes = FindResource("BITMAP", up ? "UP" : "DOWN");
    ASSERT_NE(bytes, nullptr);
    const auto picture = ReadPixmap(*bytes);
    ASSERT_TRUE(picture);
    EXPECT_EQ(*picture, TemplatePicture(up));
  }
  EXPECT_FALSE(ReadPixmap({'P', '6', ' ', '1', '0', ' ', '8', ' ', '2', '5', '5', ' ', 0, 0}));
  EXPECT_FALSE(ReadPixmap({'P', '3', ' ', '1', ' ', '1', ' ', '2', '5', '5', ' ', '0', ' ', '0', ' ', '0'}));
}

TEST(ArrowScanner, SixtyFourOfEightyCellsMatchSixtyThreeDoNot) {
  // 44 arrow cells: leaving out 16 keeps 64 equal cells (80.0 %), 17 leaves 63.
  Bitmap strip = Strip(200);
  DrawArrow(strip, 40, 100, true, kGreen, 16);
  const TArrowMatch match = FindUp(strip);
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.Score, 80.0);
  EXPECT_EQ(match.X, 40);
  EXPECT_EQ(match.Y, 100);

  strip = Strip(200);
  DrawArrow(strip, 40, 100, true, kGreen, 17);
  EXPECT_FALSE(FindUp(strip).Found);

  strip = Strip(200);
  DrawArrow(strip, 40, 100, true, kGreen);
  EXPECT_EQ(FindUp(strip).Score, 100.0);
}

TEST(ArrowScanner, LastPlacementWins) {
  Bitmap strip = Strip(300);
  DrawArrow(strip, 60, 40, true, kGreen);
  DrawArrow(strip, 30, 250, true, kGreen);
  TArrowMatch match = FindUp(strip);
  EXPECT_EQ(match.X, 60) << "the right-most arrow";
  EXPECT_EQ(match.Y, 40);

  strip = Strip(300);
  DrawArrow(strip, 50, 200, true, kGreen);
  DrawArrow(strip, 50, 30, true, kGreen);
  match = FindUp(strip);
  EXPECT_EQ(match.X, 50);
  EXPECT_EQ(match.Y, 200) << "in one column the lower arrow";
}

TEST(ArrowScanner, OnlyTheExactColourCounts) {
  for (ui::Color near : {ui::Rgb(0, 254, 0), ui::Rgb(1, 255, 0), ui::Rgb(0, 255, 1)}) {
    Bitmap strip = Strip(100);
    DrawArrow(strip, 20, 20, true, near);
    EXPECT_FALSE(FindUp(strip).Found) << std::hex << near;
  }
  Bitmap strip = Strip(100);
  DrawArrow(strip, 20, 20, false, kGreen);
  EXPECT_FALSE(FindDown(strip).Found) << "a green down arrow is no down arrow";
  DrawArrow(strip, 20, 20, false, kRed);
  EXPECT_TRUE(FindDown(strip).Found);
}

TEST(ArrowScanner, RightAndBottomSixteenPixelsAreNeverCovered) {
  const int height = 200;
  Bitmap strip = Strip(height);
  DrawArrow(strip, 128 - 16 - 10, height - 16 - 8, true, kGreen);
  TArrowMatch match = FindUp(strip);
  EXPECT_TRUE(match.Found) << "the last placement";
  EXPECT_EQ(match.X, 102);
  EXPECT_EQ(match.Y, 176);

  strip = Strip(height);
  DrawArrow(strip, 110, 50, true, kGreen);
  EXPECT_FALSE(FindUp(strip).Found) << "within 16 pixels of the right edge";
  strip = Strip(height);
  DrawArrow(strip, 50, height - 12, true, kGreen);
  EXPECT_FALSE(FindUp(strip).Found) << "within 16 pixels of the bottom";

  strip = Strip(8 + 16 - 1);
  DrawArrow(strip, 10, 0, true, kGreen);
  EXPECT_FALSE(FindUp(strip).Found) << "too short for any placement";
}

TEST(ArrowScanner, WindowsTallerThanSixteenHundredRowsAreSearchedWhole) {
  Bitmap strip = Strip(2400);
  DrawArrow(strip, 70, 2300, true, kGreen);
  const TArrowMatch match = FindUp(strip);
  EXPECT_TRUE(match.Found);
  EXPECT_EQ(match.Y, 2300);
}

TEST(ArrowScanner, CellsBeyondTheStoredPictureCountAsArrowCells) {
  // A 12 x 8 template: two more columns that read 255, so a placement over
  // black loses them and a placement over green gains them.
  Bitmap strip = Strip(100);
  DrawArrow(strip, 20, 20, true, kGreen);
  for (int y = 20; y < 28; ++y) strip.SetPixel(30, y, kGreen), strip.SetPixel(31, y, kGreen);
  const TArrowMatch match = FindUp(strip, 12, 8);
  ASSERT_TRUE(match.Found);
  EXPECT_EQ(match.Score, 100.0);
}

// The fast scan against the plain reading of the rules, on noisy strips with
// arrows, damaged arrows and every template size.
TEST(ArrowScanner, EqualsTheLiteralSearch) {
  std::mt19937 random(20261208);
  const Bitmap up = TemplatePicture(true), down = TemplatePicture(false);
  for (int round = 0; round < 400; ++round) {
    const int height = std::uniform_int_distribution<int>(0, round % 10 == 0 ? 1700 : 120)(random);
    Bitmap strip = Strip(height);
    // Now and then a strip half of arrow colours, where few placements can be skipped.
    const int noise = round % 7 == 0 ? 128 * height : std::uniform_int_distribution<int>(0, 400)(random);
    for (int i = 0; i < noise && height > 0; ++i)
      strip.SetPixel(static_cast<int>(random() % 128), static_cast<int>(random() % height),
                     i % 2 ? kGreen : kRed);
    for (int i = 0; i < 3; ++i)
      DrawArrow(strip, static_cast<int>(random() % 128), height > 0 ? static_cast<int>(random() % height) : 0,
                random() % 2, random() % 2 ? kGreen : kRed, static_cast<int>(random() % 20));
    const int width = round < 200 ? 10 : 1 + static_cast<int>(random() % 32);
    const int rows = round < 200 ? 8 : 1 + static_cast<int>(random() % 16);
    for (bool is_up : {true, false}) {
      ArrowScanner scanner;
      const ui::Color color = is_up ? kGreen : kRed;
      const int shift = is_up ? kGreenShift : kRedShift;
      scanner.BuildMask(strip, color);
      scanner.BuildTemplate(is_up ? up : down, width, rows, shift);
      EXPECT_EQ(scanner.FindObject(static_cast<uint8_t>(width), static_cast<uint8_t>(rows)),
                LiteralArrowSearch(strip, color, is_up ? up : down, width, rows, shift))
          << "round " << round << ", " << width << " x " << rows << ", height " << height;
    }
  }
}

}  // namespace
}  // namespace vantrope::testing

// The indicator's arrows as test pictures and on synthetic strips.
#pragma once

#include <array>
#include <cstdint>

#include "ui/bitmap.h"
#include "ui/controls.h"

namespace vantrope::testing {

constexpr std::array<const char*, 8> kUpShape = {"....##....", "...####...", "..######..", ".########.",
                                                 "##########", "###.##.###", "##..##..##", "#...##...#"};
constexpr std::array<const char*, 8> kDownShape = {"#...##...#", "##..##..##", "###.##.###", "##########",
                                                   ".########.", "..######..", "...####...", "....##...."};
constexpr ui::Color kGreen = ui::Rgb(0, 255, 0);
constexpr ui::Color kRed = ui::Rgb(255, 0, 0);

inline const std::array<const char*, 8>& ShapeOf(bool up) { return up ? kUpShape : kDownShape; }

// The template picture: white arrow cells on black.
inline Bitmap TemplatePicture(bool up) {
  Bitmap picture;
  picture.Resize(10, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x)
      picture.SetPixel(x, y, ShapeOf(up)[y][x] == '#' ? ui::Rgb(255, 255, 255) : ui::Rgb(0, 0, 0));
  return picture;
}

// Paints the arrow cells at (x, y); `skip` arrow cells, counted from the
// top-left, are left out.
inline void DrawArrow(Bitmap& strip, int x, int y, bool up, ui::Color color, int skip = 0) {
  for (int row = 0; row < 8; ++row)
    for (int col = 0; col < 10; ++col)
      if (ShapeOf(up)[row][col] == '#' && skip-- <= 0) strip.SetPixel(x + col, y + row, color);
}

inline Bitmap Filled(int width, int height, ui::Color color) {
  Bitmap picture;
  picture.Resize(width, height);
  picture.Fill(color);
  return picture;
}

// A strip as the seeker captures it: 128 pixels wide.
inline Bitmap Strip(int height, ui::Color background = ui::Rgb(0, 0, 0)) { return Filled(128, height, background); }

}  // namespace vantrope::testing

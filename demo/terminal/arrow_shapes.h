// The indicator's arrows as the robot's templates expect them: 10 x 8
// cells, "#" in the arrow's colour, "." left as the chart beneath.
#pragma once

#include <array>
#include <cstdint>

#include "chart.h"

namespace vantrope::demo::terminal {

inline constexpr int kArrowWidth = 10;
inline constexpr int kArrowHeight = 8;

using ArrowShape = std::array<const char*, kArrowHeight>;

inline constexpr ArrowShape kUpArrowShape = {"....##....", "...####...", "..######..", ".########.",
                                             "##########", "###.##.###", "##..##..##", "#...##...#"};
inline constexpr ArrowShape kDownArrowShape = {"#...##...#", "##..##..##", "###.##.###", "##########",
                                               ".########.", "..######..", "...####...", "....##...."};

// 0x00RRGGBB. Nothing else on the chart may have these exact colours.
inline constexpr uint32_t kUpArrowColour = 0x00FF00;
inline constexpr uint32_t kDownArrowColour = 0xFF0000;

inline const ArrowShape& ShapeOf(ArrowDirection direction) {
  return direction == ArrowDirection::kUp ? kUpArrowShape : kDownArrowShape;
}

inline uint32_t ColourOf(ArrowDirection direction) {
  return direction == ArrowDirection::kUp ? kUpArrowColour : kDownArrowColour;
}

}  // namespace vantrope::demo::terminal

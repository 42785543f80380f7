// Colours as the controls keep them.
#pragma once

#include <cstdint>

namespace vantrope::ui {

// An RGB colour as 0x00BBGGRR, the form the established colour numbers use
// (12632256 is silver).
using Color = uint32_t;
constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }
constexpr Color kClBtnFace = 0xFF000000;  // the system's button-face colour

}  // namespace vantrope::ui

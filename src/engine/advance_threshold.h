// The advance threshold: the largest price, in percent of the stake, that
// the bet cycle accepts, chosen by index with the threshold button.
#pragma once

#include <array>
#include <cstdint>

#include "ui/controls.h"

namespace vantrope {

inline constexpr std::array<int32_t, 3> kGreedThresholds = {100, 75, 60};

// The threshold of an index; an index beyond the table allows no advance at all.
int32_t GreedThreshold(uint8_t greed_porog);
// The index after a click of the button: 100 %, 60 %, 75 %, and round again.
uint8_t NextGreedPorog(uint8_t greed_porog);
// Shows the threshold on the button and its colour on the lamp beside it. An
// index from a damaged settings file would show nothing meaningful and step
// through values the bet cycle does not know: it goes back to the default.
void ShowCurrentGreed(uint8_t& greed_porog, ui::Button& btGreed, ui::Shape& shGreed);

}  // namespace vantrope

#include "engine/advance_threshold.h"

#include <string>

namespace vantrope {

namespace {

constexpr std::array<ui::Color, 3> kThresholdColors = {ui::Rgb(255, 0, 0), ui::Rgb(255, 255, 0), ui::Rgb(0, 255, 0)};

}  // namespace

int32_t GreedThreshold(uint8_t greed_porog) {
  return greed_porog < kGreedThresholds.size() ? kGreedThresholds[greed_porog] : 0;
}

uint8_t NextGreedPorog(uint8_t greed_porog) { return greed_porog > 0 ? greed_porog - 1 : 2; }

void ShowCurrentGreed(uint8_t& greed_porog, ui::Button& btGreed, ui::Shape& shGreed) {
  if (greed_porog >= kGreedThresholds.size()) greed_porog = 0;
  btGreed.SetCaption(std::to_string(kGreedThresholds[greed_porog]) + "%");
  shGreed.SetBrushColor(kThresholdColors[greed_porog]);
}

}  // namespace vantrope

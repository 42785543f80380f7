#include "chart.h"

#include <algorithm>

namespace vantrope::demo::terminal {

namespace {

constexpr int kMaxStep = 40;  // how far a close may move from its open
constexpr int kMaxWick = 20;
// The walk turns back this close to the bounds, so wicks fit inside them.
constexpr int kWalkMargin = kMaxWick + 1;

// mt19937's numbers are the same everywhere; a distribution's are not.
int Draw(std::mt19937& engine, int from, int to) {
  return from + static_cast<int>(engine() % static_cast<uint32_t>(to - from + 1));
}

}  // namespace

Chart::Chart(uint32_t seed) : engine_(seed) {
  for (size_t i = 0; i < kHistoryBars; ++i) AddBar();
}

void Chart::AddBar() {
  Bar bar;
  bar.serial = next_serial_++;
  bar.open = bars_.empty() ? (kLowestPrice + kHighestPrice) / 2 : bars_.back().close;
  int step = Draw(engine_, -kMaxStep, kMaxStep);
  if (bar.open + step < kLowestPrice + kWalkMargin || bar.open + step > kHighestPrice - kWalkMargin) step = -step;
  bar.close = bar.open + step;
  bar.high = std::min(kHighestPrice, std::max(bar.open, bar.close) + Draw(engine_, 0, kMaxWick));
  bar.low = std::max(kLowestPrice, std::min(bar.open, bar.close) - Draw(engine_, 0, kMaxWick));
  bars_.push_back(bar);
  if (bars_.size() > kHistoryBars) bars_.pop_front();
}

void Chart::MarkNewest(ArrowDirection direction) {
  (direction == ArrowDirection::kUp ? bars_.back().up_arrow : bars_.back().down_arrow) = true;
}

void Chart::ClearArrows() {
  for (Bar& bar : bars_) bar.up_arrow = bar.down_arrow = false;
}

}  // namespace vantrope::demo::terminal

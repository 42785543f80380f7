// The chart's bars, newest last, with the indicator's arrows on them. New
// bars push the oldest out; prices are a seeded random walk.
#pragma once

#include <cstdint>
#include <deque>
#include <random>

namespace vantrope::demo::terminal {

enum class ArrowDirection { kUp, kDown };

struct Bar {
  int64_t serial = 0;  // counts the bars since the chart began
  int open = 0;
  int high = 0;
  int low = 0;
  int close = 0;
  bool up_arrow = false;
  bool down_arrow = false;

  bool HasArrow(ArrowDirection direction) const { return direction == ArrowDirection::kUp ? up_arrow : down_arrow; }
};

class Chart {
 public:
  // Prices stay within these bounds, which the picture maps onto its height.
  static constexpr int kLowestPrice = 0;
  static constexpr int kHighestPrice = 1000;
  // Enough bars, 8 pixels apart, to fill a window 4000 pixels wide.
  static constexpr size_t kHistoryBars = 510;

  // A chart already full of bars.
  explicit Chart(uint32_t seed);

  void AddBar();
  void MarkNewest(ArrowDirection direction);
  void ClearArrows();

  const std::deque<Bar>& Bars() const { return bars_; }  // oldest first
  const Bar& Newest() const { return bars_.back(); }

 private:
  std::mt19937 engine_;
  std::deque<Bar> bars_;
  int64_t next_serial_ = 0;
};

}  // namespace vantrope::demo::terminal

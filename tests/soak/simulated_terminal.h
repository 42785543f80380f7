// The trading terminal of the simulation: one chart window on the fake
// desktop, whose indicator draws an arrow at the newest bar, whose chart
// changes pair and timeframe, and which can vanish, be covered or lose the
// pair from its caption for a while.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace vantrope::testing {

// An arrow the indicator drew, as the chart showed it.
struct Arrow {
  int64_t drawn_ms = 0;
  bool up = true;
  std::string pair;       // as the site names it: frxEURUSD
  int period_minutes = 0;  // the chart's timeframe
  // When a person at the screen could first see it; none while the window
  // was out of sight and the next arrow came first.
  std::optional<int64_t> seen_ms;
};

class SimulatedTerminal {
 public:
  SimulatedTerminal(FakeWindowSystem& windows, std::mt19937& random);

  // A new arrow at the newest bar; the older ones scroll out of the strip.
  void DrawArrow(bool up, int64_t now);
  // Another pair or timeframe, or both.
  void ChangeChart();
  void Gone(bool gone, int64_t now) {
    Window().exists = !gone;
    NoteSight(now);
  }
  void Covered(bool covered, int64_t now) {
    Window().covered = covered;
    NoteSight(now);
  }
  void CaptionWithoutPair(bool without) {
    without_pair_ = without;
    ShowCaption();
  }
  bool InSight() const;
  // Every arrow drawn, oldest first.
  const std::vector<Arrow>& Arrows() const { return arrows_; }

 private:
  // The newest arrow is seen once the window is in sight.
  void NoteSight(int64_t now);
  FakeWindowSystem::Terminal& Window() { return windows_.terminals.front(); }
  const FakeWindowSystem::Terminal& Window() const { return windows_.terminals.front(); }
  void ShowCaption();

  FakeWindowSystem& windows_;
  std::mt19937& random_;
  std::string pair_ = "EURUSD";
  std::string timeframe_ = "M1";
  bool without_pair_ = false;
  std::vector<Arrow> arrows_;
};

}  // namespace vantrope::testing

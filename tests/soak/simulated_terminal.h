// The trading terminal of the simulation: one chart window on the fake
// desktop, whose indicator draws an arrow at the newest bar, whose chart
// changes pair and timeframe, and which can vanish, be covered or lose the
// pair from its caption for a while.
#pragma once

#include <random>
#include <string>

#include "support/fake_platform.h"

namespace vantrope::testing {

class SimulatedTerminal {
 public:
  SimulatedTerminal(FakeWindowSystem& windows, std::mt19937& random);

  // A new arrow at the newest bar; the older ones scroll out of the strip.
  void DrawArrow(bool up);
  // Another pair or timeframe, or both.
  void ChangeChart();
  void Gone(bool gone) { Window().exists = !gone; }
  void Covered(bool covered) { Window().covered = covered; }
  void CaptionWithoutPair(bool without) {
    without_pair_ = without;
    ShowCaption();
  }

 private:
  FakeWindowSystem::Terminal& Window() { return windows_.terminals.front(); }
  void ShowCaption();

  FakeWindowSystem& windows_;
  std::mt19937& random_;
  std::string pair_ = "EURUSD";
  std::string timeframe_ = "M1";
  bool without_pair_ = false;
};

}  // namespace vantrope::testing

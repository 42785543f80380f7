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

inline std::string ChartOf(const Arrow& arrow) { return arrow.pair + " M" + std::to_string(arrow.period_minutes); }

class SimulatedTerminal {
 public:
  SimulatedTerminal(FakeWindowSystem& windows, std::mt19937& random);

  // A new arrow at the newest bar; the older ones scroll out of the strip.
  void DrawArrow(bool up, int64_t now);  // seen at the next look
  // Another pair or timeframe, or both, without an arrow at its newest bars.
  struct ChartChange {
    bool pair = false, timeframe = false;
  };
  ChartChange ChangeChart();
  // The chart moves a bar to the left at each new bar, its arrows with it,
  // until they leave the strip the robot searches.
  void Scroll(int64_t now);
  void Gone(bool gone) { Window().exists = !gone; }
  void Covered(bool covered) { Window().covered = covered; }
  // Out of sight: minimised (the robot restores it), or on another desktop.
  void Away(FakeWindowSystem::Sight sight) { Window().sight = sight; }
  void CaptionWithoutPair(bool without) {
    without_pair_ = without;
    ShowCaption();
  }
  bool InSight() const;
  // The robot learns the chart's pair and timeframe: the caption tells them,
  // and the window is shown (the robot follows the pair only after a search
  // of the chart, which a minimised window or one on another desktop denies).
  bool CaptionTellsChart() const { return CaptionTellsTimeframe() && Window().sight == FakeWindowSystem::Sight::kShown; }
  // The timeframe the robot takes from the caption alone, wherever the window is.
  bool CaptionTellsTimeframe() const { return Window().exists && !without_pair_; }
  // The newest arrow stands on the chart in sight.
  bool ArrowInSight() const { return InSight() && ShowsNewest(); }
  // The chart shown, as ChartOf names an arrow's.
  std::string Chart() const { return "frx" + pair_ + " " + timeframe_; }
  // The robot's look: the newest arrow is seen once it stands in sight.
  // True when it is seen for the first time.
  bool NoteSight(int64_t now);
  // Every arrow drawn, oldest first.
  const std::vector<Arrow>& Arrows() const { return arrows_; }

 private:
  FakeWindowSystem::Terminal& Window() { return windows_.terminals.front(); }
  const FakeWindowSystem::Terminal& Window() const { return windows_.terminals.front(); }
  void ShowCaption();

  FakeWindowSystem& windows_;
  std::mt19937& random_;
  std::string pair_ = "EURUSD";
  std::string timeframe_ = "M1";
  bool without_pair_ = false;
  bool ShowsNewest() const { return !on_chart_.empty() && on_chart_.back().arrow + 1 == arrows_.size(); }
  int64_t Bar(int64_t ms) const { return ms / (int64_t{std::stoi(timeframe_.substr(1))} * 60'000); }
  // The arrows standing in the strip, oldest first: one a bar at most.
  struct OnChart {
    size_t arrow;
    int y;
  };
  std::vector<OnChart> on_chart_;
  std::vector<Arrow> arrows_;
};

}  // namespace vantrope::testing

// The blocks every strategy is put together from: the pause, the signal,
// the chart, the chain and following a bet from its request to its outcome.
#pragma once

#include <cstdint>

#include "strategy/strategy.h"

namespace vantrope {

class StrategyBlocks : public Strategy {
 public:
  StrategyBlocks(const StrategyContext& context, const StrategyParams& params)
      : EVENT(context.EVENT), state(context.state), host(context.host), params(params) {}

  void Step(const StrategyInput& step_input) final {
    input = step_input;
    Run();
  }

 protected:
  using enum StrategyText;

  // Where the follow blocks go for the site states a strategy decides on.
  struct FollowTargets {
    uint8_t restart;
    uint8_t impossible;
    uint8_t placing;
    uint8_t outcome;
    uint8_t won;
    uint8_t lost;
  };

  virtual void Run() = 0;

  int32_t Rounded(double value) const;
  bool Paused() const;
  bool Continue(StrategyText text, uint8_t sub_status);
  void SiteNotReady();
  bool ChartChanged() const;
  void ApplyChartChanges();
  bool WaitForSignal();
  // The waiting signal is the one the next bet answers.
  void TakeSignal();
  void StartChain();
  bool BetHeldBack(bool win_hold, uint16_t win_marker) const;
  // Without take_signal a new signal leaves the chain's direction alone.
  bool Request(uint8_t requested, bool take_signal = true);
  void FollowRequested(const FollowTargets& to);
  // Returns true when the site state is 1 or 2, which each strategy handles itself.
  bool FollowPlacing(const FollowTargets& to, bool count_games);
  void FollowOutcome(const FollowTargets& to, bool count_games);
  void StopOnLimit(StrategyText text, int32_t saved_stake);
  // ChainStake raised after a loss; false when it went over MaxStake.
  bool RaiseAfterLoss();

  TEvent& EVENT;
  StrategyState& state;
  StrategyHost& host;
  StrategyParams params;
  StrategyInput input;
};

}  // namespace vantrope

// The steps the simple bet and the balanced strategy share: one stake for
// every bet, a signal awaited, a chain begun on it, each bet followed from
// its request to its outcome.
#pragma once

#include "event/event_changes.h"
#include "strategy/strategy_blocks.h"

namespace vantrope {

class OneStakeChain : public StrategyBlocks {
 protected:
  using StrategyBlocks::StrategyBlocks;

  enum Sub : uint8_t {
    kNewChain = 0,
    kAwaitSignal = 1,
    kBeginChain = 2,
    kRequest = 3,
    kRequested = 4,
    kPlacing = 5,
    kOutcome = 6,
    kWon = 7,
    kLost = 8,
  };
  static constexpr FollowTargets kTo{kNewChain, kNewChain, kPlacing, kOutcome, kWon, kLost};

  // The limit check, then a chart change (back to a new chain) or a new
  // signal; false when the check paused or stopped the robot.
  bool AwaitSignal() {
    if (host.LimitReached(state.GameCount)) return false;
    if (ChartChanged()) {
      ApplyChartChanges();
      PairChangeTaken(EVENT);
      PeriodChangeTaken(EVENT);
      state.RobotSubStatus = kNewChain;
    } else if (WaitForSignal()) {
      state.RobotSubStatus = kBeginChain;
    }
    return true;
  }

  void BeginChain() {
    state.RobotSubStatus = kRequest;
    state.BetCount = 0;
    state.GameCount = 0;
    StartChain();
  }

  void FollowBet() {
    uint8_t& sub = state.RobotSubStatus;
    if (sub == kRequested) FollowRequested(kTo);
    if (sub == kPlacing && !Paused() && FollowPlacing(kTo, false)) sub = kRequested;
    if (sub == kOutcome && !Paused()) FollowOutcome(kTo, false);
  }
};

}  // namespace vantrope

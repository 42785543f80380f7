// Strategy 3, the adaptive martingale: every bet of the chain follows the
// latest signal's direction, the stake raised after every loss.
#include "event/event_changes.h"
#include "strategy/chain_over_signals.h"
#include "strategy/strategies.h"

namespace vantrope {

namespace {

class AdaptiveMartingale final : public ChainOverSignals {
 public:
  using ChainOverSignals::ChainOverSignals;

 private:
  enum Sub : uint8_t {
    kNewChain = 0,
    kLimitCheck = 1,
    kAwaitSignal = 2,
    kRequest = 3,
    kRequested = 4,
    kPlacing = 5,
    kOutcome = 6,
    kWon = 7,
    kLost = 8,
  };
  static constexpr FollowTargets kTo{kLimitCheck, kLimitCheck, kPlacing, kOutcome, kWon, kLost};

  void Run() override {
    uint8_t& sub = state.RobotSubStatus;
    ResumeOrOpenChain();
    if (sub == kLimitCheck && !Paused()) {
      if (host.LimitReached(state.GameCount)) return;
      if (ChartChanged() && state.BetCount == 0) ApplyChartChanges();
      sub = kAwaitSignal;
    }
    if (sub == kAwaitSignal && !Paused()) {
      if (state.RobotPauseMode == pmAfterResult) {
        // The limit check of the next step pauses.
        sub = kLimitCheck;
        return;
      }
      // The next step would apply a change after the signal, and drop it.
      if (ChartChanged()) ApplyChartChanges();
      if (WaitForSignal()) {
        host.Note(txChainStarted);
        state.BetCount = 0;
        sub = kRequest;
        StartChain();
      }
    }
    if (sub == kRequest && !Paused()) {
      if (BetHeldBack(true, state.GameCount)) {
        sub = kLimitCheck;
      } else if (ChartChanged() && state.BetCount == 0) {
        ApplyChartChanges();
        sub = kLimitCheck;
      } else {
        Request(kRequested);
      }
    }
    if (sub == kRequested && !Paused()) FollowRequested(kTo);
    if (sub == kPlacing && !Paused() && FollowPlacing(kTo, true)) sub = kRequested;
    if (sub == kOutcome && !Paused()) FollowOutcome(kTo, true);
    if (sub == kWon && !Paused()) {
      host.Note(txBetWon);
      state.ChainStake = Rounded(params.BetSize);
      state.ChainDirection = state.BetDirection = EVENT.Direction;
      state.GameCount = 0;
      sub = kRequest;
    }
    if (sub == kLost && !Paused()) {
      host.Note(txBetLost);
      if (state.GameCount < params.ChainCount) {
        const bool raised = RaiseAfterLoss();
        state.ChainDirection = state.BetDirection = EVENT.Direction;
        if (!raised) {
          // Over the ceiling the chain ends, also when it would bet again at once.
          sub = kNewChain;
        } else if (state.BetCount < 3) {
          DropSignal(EVENT);
          sub = kRequest;
        } else {
          sub = kLimitCheck;
        }
      } else {
        DropSignal(EVENT);
        sub = kNewChain;
      }
    }
  }
};

}  // namespace

std::unique_ptr<Strategy> MakeAdaptiveMartingale(const StrategyContext& context, const StrategyParams& params) {
  return std::make_unique<AdaptiveMartingale>(context, params);
}

}  // namespace vantrope

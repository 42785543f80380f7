// Strategy 2, the cautious martingale: the chain spread over several
// signals, a few bets on each, the stake raised after every loss.
#include "event/event_changes.h"
#include "strategy/chain_over_signals.h"
#include "strategy/strategies.h"

namespace vantrope {

namespace {

class CautiousMartingale final : public ChainOverSignals {
 public:
  using ChainOverSignals::ChainOverSignals;

 private:
  enum Sub : uint8_t {
    kNewChain = 0,
    kAwaitSignal = 1,
    kRequest = 2,
    kRequested = 3,
    kPlacing = 4,
    kOutcome = 5,
    kWon = 6,
    kLost = 7,
  };
  static constexpr FollowTargets kTo{kAwaitSignal, kAwaitSignal, kPlacing, kOutcome, kWon, kLost};

  void Run() override {
    uint8_t& sub = state.RobotSubStatus;
    ResumeOrOpenChain();
    if (sub == kAwaitSignal && !Paused()) {
      if (host.LimitReached(state.GameCount)) return;
      if (ChartChanged() && state.BetCount == 0) ApplyChartChanges();
      if (WaitForSignal()) {
        host.Note(txChainStarted);
        sub = kRequest;
        StartChain();
      }
    }
    if (sub == kRequest) {
      if (BetHeldBack(true, state.GameCount)) {
        sub = kAwaitSignal;
      } else if (ChartChanged() && state.BetCount == 0) {
        ApplyChartChanges();
        sub = kAwaitSignal;
      } else {
        Request(kRequested);
      }
    }
    if (sub == kRequested) FollowRequested(kTo);
    if (sub == kPlacing && FollowPlacing(kTo, true)) sub = EVENT.BetStatus == ssReady ? kRequest : kRequested;
    if (sub == kOutcome) FollowOutcome(kTo, true);
    if (sub == kWon) {
      host.Note(txBetWon);
      state.ChainStake = Rounded(params.BetSize);
      state.BetDirection = state.ChainDirection;
      if (state.BetCount < params.BetCount) {
        state.GameCount = 0;
        sub = kRequest;
      } else {
        DropSignal(EVENT);
        sub = kNewChain;
      }
    }
    if (sub == kLost) {
      host.Note(txBetLost);
      if (state.GameCount < params.ChainCount) {
        const bool raised = RaiseAfterLoss();
        state.BetDirection = state.ChainDirection;
        if (!raised) {
          // Over the ceiling the chain ends, also when it would wait for the next signal.
          sub = kNewChain;
        } else if (state.BetCount >= params.BetCount) {
          state.BetCount = 0;
          DropSignal(EVENT);
          sub = kAwaitSignal;
        } else {
          sub = kRequest;
        }
      } else {
        DropSignal(EVENT);
        sub = kNewChain;
      }
    }
  }
};

}  // namespace

std::unique_ptr<Strategy> MakeCautiousMartingale(const StrategyContext& context, const StrategyParams& params) {
  return std::make_unique<CautiousMartingale>(context, params);
}

}  // namespace vantrope

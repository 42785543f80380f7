// Strategies 1 and 4, the martingale and Monte-Carlo: a chain of bets on one
// signal, the stake raised after every loss up to the chain's length, and
// a new chain after a win up to a count of chains. Monte-Carlo keeps its
// chain's direction whatever the indicator says, and turns after a loss.
#include "event/event_changes.h"
#include "strategy/strategies.h"
#include "strategy/strategy_blocks.h"

namespace vantrope {

namespace {

class Martingale final : public StrategyBlocks {
 public:
  Martingale(const StrategyContext& context, const StrategyParams& params, bool monte_carlo)
      : StrategyBlocks(context, params), monte_carlo_(monte_carlo) {}

 private:
  enum Sub : uint8_t {
    kAwaitSignal = 0,
    kRequest = 1,
    kRequested = 2,
    kPlacing = 3,
    kOutcome = 4,
    kWon = 5,
    kLost = 6,
    kAwaitSignalToResume = 7,  // a chain paused in the middle
    kAwaitSignalAfterImpossible = 8,
  };
  static constexpr FollowTargets kTo{kAwaitSignal, kAwaitSignalAfterImpossible, kPlacing, kOutcome, kWon, kLost};

  void Run() override {
    uint8_t& sub = state.RobotSubStatus;
    const int chains = params.ChainCount;
    const int length = params.BetCount;

    const bool in_chain = state.BetCount != 0;
    Continue(in_chain ? txContinuingChain : txContinuingWithoutChain, in_chain ? kAwaitSignalToResume : kAwaitSignal);
    SiteNotReady();
    if (sub == kAwaitSignal && !Paused()) {
      // A new chain starts with the initial stake: the limit check weighs that
      // one, and a pause saves it as the stake owed next.
      if (state.BetCount == 0) state.ChainStake = Rounded(params.BetSize);
      if (host.LimitReached(state.BetCount)) return;
      if (ChartChanged() && state.BetCount == 0) ApplyChartChanges();
      if (WaitForSignal()) {
        host.Note(txChainStarted);
        sub = kRequest;
        state.BetCount = 0;
        state.GameCount = 0;
        state.ChainStake = Rounded(params.BetSize);
        StartChain();
      }
    }
    if (sub == kRequest) {
      if (BetHeldBack(false, 0)) {
        sub = kAwaitSignal;
      } else if (ChartChanged() && state.BetCount == 0) {
        ApplyChartChanges();
        sub = kAwaitSignal;
      } else {
        Request(kRequested, !monte_carlo_);
      }
    }
    const bool following = sub >= kRequested && sub <= kOutcome;
    if (sub == kRequested) FollowRequested(kTo);
    if (sub == kPlacing && FollowPlacing(kTo, false)) sub = EVENT.BetStatus == ssReady ? kRequest : kRequested;
    if (sub == kOutcome) {
      FollowOutcome(kTo, false);
      if (sub == kWon) {
        ++state.GameCount;
        state.BetCount = 0;
      }
    }
    if (following && sub == kAwaitSignalAfterImpossible) {
      // Bet impossible: the chain keeps its stake and waits for a new signal.
      ForgetSignal(EVENT);
    }
    if (sub == kWon) {
      host.Note(txBetWon);
      if (monte_carlo_ && state.RobotPauseMode == pmAfterWin) {
        sub = kAwaitSignal;
      } else if (state.GameCount < chains) {
        state.ChainStake = Rounded(params.BetSize);
        state.BetDirection = state.ChainDirection;
        sub = kRequest;
      } else {
        DropSignal(EVENT);
        sub = kAwaitSignal;
      }
    }
    if (sub == kLost) {
      host.Note(txBetLost);
      if (state.BetCount < length) {
        const bool raised = RaiseAfterLoss();
        if (monte_carlo_) state.ChainDirection = Reversed(state.ChainDirection);
        state.BetDirection = state.ChainDirection;
        if (raised) {
          sub = kRequest;
        } else {
          state.BetCount = 0;
          sub = kAwaitSignal;
        }
      } else {
        DropSignal(EVENT);
        state.BetCount = 0;
        sub = kAwaitSignal;
      }
    }
    if (sub == kAwaitSignalToResume && !Paused()) {
      if (ChartChanged() && state.BetCount == 0) ApplyChartChanges();
      if (WaitForSignal()) {
        host.Note(txChainStarted);
        sub = kRequest;
        state.BetCount = state.SavedBetCount;
        state.GameCount = state.SavedGameCount;
        state.ChainStake = state.SavedStake;
        StartChain();
      }
    }
    if (sub == kAwaitSignalAfterImpossible && !Paused()) {
      // A chart change with no bet of the chain placed begins a new chain on
      // the new chart, as the step after the signal would; applied there, it
      // would drop the signal.
      if (ChartChanged() && state.BetCount == 0) {
        ApplyChartChanges();
        sub = kAwaitSignal;
      } else if (EVENT.NewSignal && EVENT.Direction != drNone) {
        state.ChainDirection = EVENT.Direction;
        TakeSignal();
        sub = kRequest;
      } else {
        host.Note(txWaitingForSignal);
      }
    }
  }

  const bool monte_carlo_;
};

}  // namespace

std::unique_ptr<Strategy> MakeMartingale(const StrategyContext& context, const StrategyParams& params) {
  return std::make_unique<Martingale>(context, params, false);
}

std::unique_ptr<Strategy> MakeMonteCarlo(const StrategyContext& context, const StrategyParams& params) {
  return std::make_unique<Martingale>(context, params, true);
}

}  // namespace vantrope

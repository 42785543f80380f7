// Strategy 0, the simple bet: the same stake on every signal, repeated after
// a win up to a count of bets, or until the first loss.
#include "strategy/strategies.h"
#include "event/event_changes.h"
#include "strategy/strategy_blocks.h"

namespace vantrope {

namespace {

class SimpleBet final : public StrategyBlocks {
 public:
  using StrategyBlocks::StrategyBlocks;

 private:
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

  void Run() override {
    uint8_t& sub = state.RobotSubStatus;
    Continue(txContinuing, kNewChain);
    SiteNotReady();
    if (sub == kNewChain) {
      state.BetCount = 0;
      state.ChainStake = Rounded(params.BetSize);
      sub = kAwaitSignal;
    }
    if (sub == kAwaitSignal && !Paused() && !AwaitSignal()) return;
    if (sub == kBeginChain && !Paused()) BeginChain();
    if (sub == kRequest && !Paused()) {
      if (BetHeldBack(true, state.GameCount))
        sub = kAwaitSignal;
      else
        Request(kRequested);
    }
    FollowBet(kTo);
    if (sub == kWon && !Paused()) {
      host.Note(txBetWon);
      state.GameCount = 0;
      if (params.ReBet || state.BetCount < params.BetCount) {
        state.BetDirection = state.ChainDirection;
        sub = kRequest;
      } else {
        DropSignal(EVENT);
        sub = kNewChain;
      }
    }
    if (sub == kLost && !Paused()) {
      host.Note(txBetLost);
      sub = kNewChain;
      state.GameCount = 1;
      DropSignal(EVENT);
    }
  }
};

}  // namespace

std::unique_ptr<Strategy> MakeSimpleBet(const StrategyContext& context, const StrategyParams& params) {
  return std::make_unique<SimpleBet>(context, params);
}

}  // namespace vantrope

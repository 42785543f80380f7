// Strategy 0, the simple bet: the same stake on every signal, repeated after
// a win up to a count of bets, or until the first loss.
#include "event/event_changes.h"
#include "strategy/one_stake_chain.h"
#include "strategy/strategies.h"

namespace vantrope {

namespace {

class SimpleBet final : public OneStakeChain {
 public:
  using OneStakeChain::OneStakeChain;

 private:
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
    FollowBet();
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

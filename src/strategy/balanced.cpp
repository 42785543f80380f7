// Strategy 5, balanced: the simple bet between a loss threshold that rises
// with the balance and a win limit; either limit stops the robot.
#include <algorithm>

#include "event/event_changes.h"
#include "strategy/one_stake_chain.h"
#include "strategy/strategies.h"

namespace vantrope {

namespace {

class Balanced final : public OneStakeChain {
 public:
  using OneStakeChain::OneStakeChain;

 private:
  // The page's threshold is never below 0.
  void SetThreshold(double porog) {
    params.Porog = std::max(0.0, porog);
    host.ShowThreshold(params.Porog);
  }

  void Threshold() {
    const double balance = input.shown_balance;
    if (Rounded(params.Porog) != 0 || !(balance > 0)) return;
    state.BalancedTarget = Rounded(params.WinLimit + balance);
    SetThreshold(Rounded(balance - params.LoseLimit));
  }

  // The loss limit, then the win limit: either stops the robot.
  bool LimitReached() {
    const int32_t stake = Rounded(params.BetSize);
    if (input.shown_balance - params.BetSize < params.Porog) {
      StopOnLimit(txLossLimitReached, stake);
      return true;
    }
    if (Rounded(input.shown_balance) >= state.BalancedTarget) {
      StopOnLimit(txWinLimitReached, stake);
      return true;
    }
    return false;
  }

  void Run() override {
    uint8_t& sub = state.RobotSubStatus;
    Continue(txContinuing, kNewChain);
    SiteNotReady();
    if (sub == kNewChain) {
      Threshold();
      state.BetCount = 0;
      state.ChainStake = Rounded(params.BetSize);
      sub = kAwaitSignal;
    }
    if (sub == kAwaitSignal && !Paused()) {
      Threshold();
      if (!AwaitSignal()) return;
    }
    if (sub == kBeginChain && !Paused()) {
      Threshold();
      BeginChain();
    }
    if (sub == kRequest && !Paused()) {
      Threshold();
      if (BetHeldBack(true, state.GameCount)) {
        sub = kAwaitSignal;
      } else {
        if (LimitReached()) return;
        Request(kRequested);
      }
    }
    FollowBet();
    if (sub == kWon && !Paused()) {
      host.Note(txBetWon);
      state.GameCount = 0;
      const int32_t floor = Rounded(input.shown_balance - params.LoseLimit);
      if (params.Porog < floor) SetThreshold(floor);
      if (state.BetCount < params.BetCount) {
        state.BetDirection = state.ChainDirection;
        sub = kRequest;
      } else {
        DropSignal(EVENT);
        sub = kNewChain;
      }
    }
    if (sub == kLost && !Paused()) {
      host.Note(txBetLost);
      ++state.GameCount;
      if (state.BetCount < params.BetCount) {
        if (params.AutoDirect) state.ChainDirection = Reversed(state.ChainDirection);
        state.BetDirection = state.ChainDirection;
        sub = kRequest;
      } else {
        DropSignal(EVENT);
        sub = kNewChain;
      }
    }
  }
};

}  // namespace

std::unique_ptr<Strategy> MakeBalanced(const StrategyContext& context, const StrategyParams& params) {
  return std::make_unique<Balanced>(context, params);
}

}  // namespace vantrope

#include "soak/strategy_model.h"

#include <algorithm>
#include <cmath>

namespace vantrope::testing {

namespace {

constexpr int64_t kMaxStake = 100000;
// The adaptive martingale bets again at once after a loss only among the
// first bets of a signal.
constexpr int kAdaptiveQuickBets = 3;
// The share of the next stake that must stay above the minimum balance, for
// the bet guard and the limit check alike.
constexpr double kGuardShare = 0.75;

// Money rounds half to even, as the default rounding of the machine does.
int64_t Round(double value) { return static_cast<int64_t>(std::nearbyint(value)); }

}  // namespace

StrategyModel::StrategyModel(const StrategyParams& params) : params_(params) { Fresh(); }

// Cut towards zero from the extended-precision product: 2.35L is the value
// just below 2.35, so that exact multiples come out one lower.
int64_t StrategyModel::Raised(int64_t stake) { return static_cast<int64_t>(static_cast<long double>(stake) * 2.35L); }

void StrategyModel::Fresh() {
  bets_ = 0;
  games_ = 0;
  stake_ = params_.stake;
  owed_ = false;
  resets_on_signal_ = true;
  keeps_market_ = false;
  chart_pending_ = false;
}

void StrategyModel::Start(bool resume) {
  target_ = threshold_ = 0;
  if (!resume || !Chain()) {
    Fresh();
    open_ = false;  // a purchase the run takes up no longer drives the strategy
    return;
  }
  // A chain taken up with its bet open follows that bet; otherwise the
  // strategy's Continue takes it up, as after a pause.
  if (open_) return;
  Continued();
}

void StrategyModel::Continued() {
  const bool in_chain = params_.page == 2 || params_.page == 3 || ((params_.page == 1 || params_.page == 4) && bets_ != 0);
  if (!in_chain) return Fresh();
  owed_ = false;
  resets_on_signal_ = false;
  keeps_market_ = false;
}

void StrategyModel::FirstBalance(double balance) {
  if (params_.page != 5 || threshold_ != 0 || balance <= 0) return;
  target_ = Round(params_.win_limit + balance);
  threshold_ = Round(balance - params_.lose_limit);
}

ExpectedBet StrategyModel::Next() const {
  ExpectedBet bet;
  bet.stake = static_cast<int32_t>(stake_);
  bet.owed = owed_;
  bet.up = up_;
  // A pending arrow's direction replaces the chain's at the request, except
  // in the Monte-Carlo chain.
  bet.follows_arrows = owed_ && params_.page != 4;
  bet.chain_market = owed_ || keeps_market_;
  return bet;
}

bool StrategyModel::ChainKept() const {
  if (!Chain()) return false;
  const int of_chain = params_.page == 1 || params_.page == 4 ? bets_ : games_;
  return of_chain != 0 || open_;
}

// A new arrow taken begins the strategy's count anew.
void StrategyModel::TakeArrow() {
  switch (params_.page) {
    case 0:
    case 5:
      bets_ = 0;
      games_ = 0;
      break;
    case 1:
    case 4:
      if (resets_on_signal_) {
        bets_ = 0;
        games_ = 0;
        stake_ = params_.stake;
      }
      break;
    case 3: bets_ = 0; break;
    default: break;
  }
}

void StrategyModel::Bought(bool up, int32_t /*stake*/) {
  if (!owed_) {
    TakeArrow();
    // The step that took the arrow found no change waiting.
    if (bets_ == 0) chart_pending_ = false;
  }
  resets_on_signal_ = true;
  keeps_market_ = false;
  owed_ = false;
  open_ = true;
  up_ = up;
  ++bets_;
  if (params_.page == 2 || params_.page == 3) ++games_;
}

void StrategyModel::Settled(bool won, double balance_after, std::optional<bool> latest_arrow_up) {
  if (!open_) return;
  open_ = false;
  owed_ = false;
  const int64_t initial = params_.stake;
  switch (params_.page) {
    case 0:
      games_ = won ? 0 : 1;
      owed_ = won && (params_.rebet || bets_ < params_.bet_count);
      break;
    case 5:
      if (won) {
        games_ = 0;
        threshold_ = std::max(threshold_, Round(balance_after - params_.lose_limit));
      } else {
        ++games_;
        if (params_.auto_direct && bets_ < params_.bet_count) up_ = !up_;
      }
      owed_ = bets_ < params_.bet_count;
      break;
    case 1:
    case 4:
      if (won) {
        ++games_;
        bets_ = 0;
        stake_ = initial;
        owed_ = games_ < params_.chain_count;
      } else if (bets_ < params_.bet_count) {
        stake_ = Raised(stake_);
        if (params_.page == 4) up_ = !up_;
        owed_ = stake_ <= kMaxStake;
        if (!owed_) Fresh();
      } else {
        Fresh();
      }
      break;
    case 2:
      if (won) {
        stake_ = initial;
        if (bets_ < params_.bet_count) {
          games_ = 0;
          owed_ = true;
        } else {
          Fresh();
        }
      } else if (games_ < params_.chain_count) {
        stake_ = Raised(stake_);
        const bool over = stake_ > kMaxStake;
        if (bets_ >= params_.bet_count) {
          bets_ = 0;  // the chain waits for the next arrow with its stake
        } else if (over) {
          Fresh();
        } else {
          owed_ = true;
        }
      } else {
        Fresh();
      }
      break;
    case 3:
      if (won) {
        stake_ = initial;
        if (latest_arrow_up) up_ = *latest_arrow_up;
        games_ = 0;
        owed_ = true;
      } else if (games_ < params_.chain_count) {
        stake_ = Raised(stake_);
        if (latest_arrow_up) up_ = *latest_arrow_up;
        // Over the ceiling the chain ends, also where it would bet again at once.
        if (stake_ > kMaxStake)
          Fresh();
        else
          owed_ = bets_ < kAdaptiveQuickBets;
      } else {
        Fresh();
      }
      break;
    default: break;
  }
  ApplyChartChange();
}

void StrategyModel::NotBought() {
  if (!owed_ && !open_) TakeArrow();
  owed_ = false;
  open_ = false;
  // The simple and balanced strategies begin again; the chains keep their
  // stake and counts for the next arrow.
  if (params_.page == 0 || params_.page == 5) {
    Fresh();
    return;
  }
  resets_on_signal_ = false;
  keeps_market_ = params_.page == 1 || params_.page == 4;
}

// A martingale chain that has placed no bet yet moves to the chart's new
// market: an owed bet of a new chain is dropped at once, and a chain waiting
// after a refusal drops the next arrow when it applies the change.
// A martingale chain with bets on its market keeps it while a change of the
// chart waits in the robot's flags; where the strategy's steps find the flag
// again is a matter of the robot's timing, so the rules accept either: the
// chain going on, or the change applied (`DropForChart`).
void StrategyModel::ChartChanged() {
  if (params_.page != 1 && params_.page != 3 && params_.page != 4) return;
  chart_pending_ = true;
  ApplyChartChange();
}

// A martingale waiting with no bet of its chain placed applies it at once.
void StrategyModel::ApplyChartChange() {
  if (chart_pending_ && params_.page != 3 && bets_ == 0 && !open_ && !owed_ && !keeps_market_) chart_pending_ = false;
}

void StrategyModel::DropForChart() { Fresh(); }

void StrategyModel::Guard(double balance) {
  if (owed_ && balance != 0 && !(balance - static_cast<double>(stake_) * kGuardShare > params_.min_balance)) NotBought();
}

LimitStop StrategyModel::Limit(double balance) const {
  if (!Bets() || balance == 0) return LimitStop::kNone;
  if (params_.page == 5 && threshold_ != 0) {
    if (balance - params_.stake < threshold_) return LimitStop::kBalancedLoss;
    if (Round(balance) >= target_) return LimitStop::kBalancedWin;
  }
  // An owed bet the guard holds back falls back to the waiting step, whose
  // limit check stops the robot.
  if (!(balance - static_cast<double>(stake_) * kGuardShare > params_.min_balance)) return LimitStop::kMinimumBalance;
  return LimitStop::kNone;
}

std::string StrategyModel::Describe() const {
  return "strategy " + std::to_string(params_.page) + ": next stake " + std::to_string(stake_) +
         (owed_ ? " owed " : " on an arrow ") + (up_ ? "up" : "down") + ", bets " + std::to_string(bets_) +
         ", count " + std::to_string(games_) + (open_ ? ", a bet open" : "");
}

}  // namespace vantrope::testing

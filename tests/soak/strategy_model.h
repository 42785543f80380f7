// The six strategies written again for the judge, from their rules, in plain
// code that calls nothing of the robot: given the purchases the site sold and
// their results, it says what the next purchase must be.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vantrope::testing {

// A strategy page's settings, as the settings file gives them.
struct StrategyParams {
  int page = 0;  // 0..6
  int32_t stake = 3;
  int bet_count = 2;    // the key BetCount
  int chain_count = 2;  // the key ChainCount
  bool rebet = false;
  int32_t win_limit = 6, lose_limit = 6;
  bool auto_direct = false;
  int32_t min_balance = 0;
};

// The next purchase the strategy makes.
struct ExpectedBet {
  int32_t stake = 0;
  // False: it waits for a new arrow and bets in its direction. True: it is
  // owed at once, in `up`, or, where `follows_arrows`, in the direction of an
  // arrow seen since the last purchase.
  bool owed = false;
  bool up = true;
  bool follows_arrows = false;
  // It may also stand on the pair and period of the chain's last purchase:
  // a chain that goes on after a refusal keeps its market.
  bool chain_market = false;
};

// Why a strategy must stop the robot rather than bet.
enum class LimitStop { kNone, kMinimumBalance, kBalancedLoss, kBalancedWin };

class StrategyModel {
 public:
  explicit StrategyModel(const StrategyParams& params);

  // The robot started; `resume`: it took up the chain of the run before.
  void Start(bool resume);
  // The trader's Continue after a pause: a chain with bets placed goes on
  // at the next arrow with its stake and counts; otherwise the strategy
  // begins afresh.
  void Continued();
  // The balance the robot first reads in a run (the balanced strategy's
  // target and threshold come from it).
  void FirstBalance(double balance);

  // Whether the strategy bets at all, and what its next purchase must be.
  bool Bets() const { return params_.page <= 5; }
  ExpectedBet Next() const;
  // Whether a chain is under way that a restart keeps for the trader to take up.
  bool ChainKept() const;

  // A purchase was made; `owed`: without a new arrow.
  void Bought(bool up, int32_t stake);
  // Its result; `latest_arrow_up`: the direction of the newest arrow seen
  // (the adaptive martingale follows it).
  void Settled(bool won, double balance_after, std::optional<bool> latest_arrow_up);
  // The chain taken up follows a buy press that may have bought nothing.
  void AwaitPress() { open_ = true; }
  bool Awaiting() const { return open_; }
  // A request the site did not sell (an arrow's, or an owed one): the
  // strategy waits for a new arrow.
  void NotBought();
  // The chart's pair or timeframe changed, as the robot saw it.
  void ChartChanged();
  // A change of the chart waits, which may drop the next arrow or an owed bet.
  bool ChartPending() const { return chart_pending_; }
  // Whether applying it may end a martingale chain that has placed no bet.
  bool ChartMayEndChain() const { return chart_pending_ && (params_.page == 1 || params_.page == 4); }
  // The bet owed is the first of a new chain, which the change may move to
  // the new chart: the robot may drop it and wait for an arrow there.
  bool OwedBetMayDrop() const { return ChartMayEndChain() && owed_ && bets_ == 0; }
  // The change applied: the chain begins anew.
  void DropForChart();
  // The bet guard at this balance: an owed bet it holds back waits for an arrow.
  void Guard(double balance);

  // What the strategy's limits say before its next bet at this balance.
  LimitStop Limit(double balance) const;
  // The chain's stake after a loss.
  static int64_t Raised(int64_t stake);

  std::string Describe() const;

 private:
  void Fresh();
  void TakeArrow();
  void ApplyChartChange();
  bool Chain() const { return params_.page >= 1 && params_.page <= 4; }

  StrategyParams params_;
  int bets_ = 0;   // of the signal, or of the chain (strategies 1 and 4)
  int games_ = 0;  // chains won on the signal (1, 4), bets of the chain (2, 3), losses (5)
  int64_t stake_ = 0;
  bool up_ = true;
  bool owed_ = false;
  bool open_ = false;  // a purchase awaits its result
  // The next arrow begins a new chain (strategies 1 and 4), rather than go
  // on with one a refusal or a restart interrupted.
  bool resets_on_signal_ = true;
  bool keeps_market_ = false;
  bool chart_pending_ = false;  // a change of the chart waits for the next arrow  // and stays on the chain's market
  int64_t target_ = 0, threshold_ = 0;
};

}  // namespace vantrope::testing

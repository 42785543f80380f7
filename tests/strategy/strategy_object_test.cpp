// A strategy run on its own, as a backtest or the strategy lab runs it: its
// state, an event record and a host that records what it is asked.
#include <gtest/gtest.h>

#include <vector>

#include "strategy/strategies.h"

namespace vantrope {
namespace {

class RecordingHost : public StrategyHost {
 public:
  explicit RecordingHost(const StrategyState& state) : state_(state) {}
  void Note(StrategyText) override {}
  void Tell(StrategyText text, bool) override { told.push_back(text); }
  void ForgetSignal() override {}
  void TakeChartChange() override {}
  void ShowPair(const std::string&) override {}
  void RequestBet() override { stakes.push_back(state_.BetStake); }
  bool LimitReached(uint16_t) override { return false; }
  void Stop() override { ++stops; }
  void ShowThreshold(double porog) override { thresholds.push_back(porog); }

  std::vector<int32_t> stakes;
  std::vector<StrategyText> told;
  std::vector<double> thresholds;
  int stops = 0;

 private:
  const StrategyState& state_;
};

class StrategyObjectTest : public ::testing::Test {
 protected:
  void Make(std::unique_ptr<Strategy> (*make)(const StrategyContext&, const StrategyParams&),
            const StrategyParams& params) {
    strategy = make({event, state, host}, params);
  }
  void Site(TSiteState site, double balance = 1000) {
    event.BetStatus = site;
    strategy->Step({balance, balance, 0});
  }
  void Signal(TDirection direction) {
    event.NewSignal = true;
    event.Direction = direction;
  }
  // The site's states from the request to the result.
  void Settle(bool won, double balance = 1000) {
    for (TSiteState site : {ssWaitingForPrices, ssBetMade, won ? ssBetWon : ssBetLost, ssReady}) Site(site, balance);
  }

  TEvent event;
  StrategyState state;
  RecordingHost host{state};
  std::unique_ptr<Strategy> strategy;
};

TEST_F(StrategyObjectTest, MartingaleChainRaisesEveryLossUpToItsLengthAndStartsAgainAfterAWin) {
  StrategyParams params;
  params.BetSize = 3;
  params.BetCount = 3;
  params.ChainCount = 1;
  Make(&MakeMartingale, params);
  Signal(drUp);
  Site(ssReady);
  Settle(false);
  Settle(false);
  Settle(false);
  EXPECT_EQ(host.stakes, (std::vector<int32_t>{3, 7, 16})) << "the chain ends at its length";
  Signal(drDown);
  Site(ssReady);
  Settle(true);
  Signal(drDown);
  Site(ssReady);
  EXPECT_EQ(host.stakes, (std::vector<int32_t>{3, 7, 16, 3, 3})) << "a new chain starts from the first stake";
}

TEST_F(StrategyObjectTest, BalancedThresholdFollowsTheBalanceUpAndItsLossLimitStops) {
  StrategyParams params;
  params.BetSize = 5;
  params.BetCount = 20;
  params.WinLimit = 50;
  params.LoseLimit = 10;
  Make(&MakeBalanced, params);
  Signal(drUp);
  Site(ssReady, 100);
  ASSERT_EQ(host.thresholds, (std::vector<double>{90})) << "balance 100 less the loss limit";
  Settle(true, 104);
  EXPECT_EQ(host.thresholds.back(), 94) << "a win lifts the threshold to the balance less the loss limit";
  EXPECT_EQ(host.stops, 0);
  Settle(false, 98);
  EXPECT_EQ(host.stops, 1) << "98 less a stake of 5 is below the threshold of 94";
  EXPECT_EQ(host.told.back(), StrategyText::txLossLimitReached);
}

}  // namespace
}  // namespace vantrope

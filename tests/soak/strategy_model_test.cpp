// The judge's own model of the strategies against the cases their rules
// spell out: a model that agreed with a wrong robot would let it pass.
#include <gtest/gtest.h>

#include <vector>

#include "soak/strategy_model.h"

namespace vantrope::testing {
namespace {

StrategyParams Page(int page, int32_t stake, int bet_count, int chain_count) {
  StrategyParams p;
  p.page = page;
  p.stake = stake;
  p.bet_count = bet_count;
  p.chain_count = chain_count;
  return p;
}

TEST(StrategyModel, MartingaleRaisesToItsLengthAndMonteCarloTurnsAfterALoss) {
  StrategyModel martingale(Page(1, 3, 5, 1));
  std::vector<int32_t> stakes;
  for (int bet = 0; bet < 5; ++bet) {
    stakes.push_back(martingale.Next().stake);
    EXPECT_EQ(martingale.Next().owed, bet > 0);
    martingale.Bought(true, martingale.Next().stake);
    martingale.Settled(false, 0, true);
  }
  EXPECT_EQ(stakes, (std::vector<int32_t>{3, 7, 16, 37, 86}));
  EXPECT_FALSE(martingale.Next().owed) << "the chain ended: the next waits for an arrow";
  EXPECT_EQ(martingale.Next().stake, 3);

  StrategyModel monte_carlo(Page(4, 3, 5, 1));
  monte_carlo.Bought(true, 3);
  monte_carlo.Settled(false, 0, true);
  EXPECT_TRUE(monte_carlo.Next().owed);
  EXPECT_FALSE(monte_carlo.Next().up);
  EXPECT_FALSE(monte_carlo.Next().follows_arrows);
  EXPECT_EQ(monte_carlo.Next().stake, 7);
  EXPECT_EQ(StrategyModel::Raised(100), 234);
  EXPECT_EQ(StrategyModel::Raised(50000), 117499);
}

TEST(StrategyModel, ChainsPerIndicatorAndTheCautiousChainAcrossSignals) {
  StrategyModel martingale(Page(1, 3, 5, 2));
  martingale.Bought(true, 3);
  martingale.Settled(true, 0, true);
  EXPECT_TRUE(martingale.Next().owed) << "a second chain at once";
  martingale.Bought(true, 3);
  martingale.Settled(true, 0, true);
  EXPECT_FALSE(martingale.Next().owed);

  StrategyModel cautious(Page(2, 3, 2, 5));
  cautious.Bought(false, 3);
  cautious.Settled(false, 0, false);
  EXPECT_TRUE(cautious.Next().owed);
  cautious.Bought(false, 7);
  cautious.Settled(false, 0, false);
  EXPECT_FALSE(cautious.Next().owed) << "two bets on the signal: the chain waits for the next";
  EXPECT_EQ(cautious.Next().stake, 16);
}

TEST(StrategyModel, BalancedLimitsFromTheFirstBalanceAndTheAdaptiveFollowsTheLatestArrow) {
  StrategyParams p = Page(5, 3, 2, 0);
  StrategyModel balanced(p);
  balanced.Start(false);
  balanced.FirstBalance(100);
  EXPECT_EQ(balanced.Limit(96.5), LimitStop::kBalancedLoss);
  EXPECT_EQ(balanced.Limit(106.4), LimitStop::kBalancedWin);
  EXPECT_EQ(balanced.Limit(100), LimitStop::kNone);
  balanced.Bought(true, 3);
  balanced.Settled(true, 103, true);
  EXPECT_EQ(balanced.Limit(99.9), LimitStop::kBalancedLoss) << "the threshold rose to 97";

  StrategyModel adaptive(Page(3, 4, 0, 5));
  adaptive.Bought(true, 4);
  adaptive.Settled(true, 0, false);
  EXPECT_TRUE(adaptive.Next().owed);
  EXPECT_FALSE(adaptive.Next().up) << "the latest arrow's direction";
  EXPECT_EQ(adaptive.Next().stake, 4);
}

}  // namespace
}  // namespace vantrope::testing

// The advance threshold against the broker's price, and a result that leaves
// the balance where it was.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

// Advance threshold 75 % (index 1); the site prices every contract at a fixed share.
class ThresholdScenario : public BetScenario {
 protected:
  explicit ThresholdScenario(int price_share)
      : BetScenario(Options("W", price_share), {{"Binary", "GreedPorog", "1"}}) {}
};

class PriceAboveThresholdScenario : public ThresholdScenario {
 protected:
  PriceAboveThresholdScenario() : ThresholdScenario(80) {}
};

TEST_F(PriceAboveThresholdScenario, PriceOf80PercentIsRefused) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.BetStatus == ssBetImpossible; }, 120'000));
  EXPECT_EQ(F().robot.BetOnStatus, bsFormReady);
  EXPECT_FALSE(F().EVENT.NewSignal);
  EXPECT_EQ(F().EVENT.Direction, drNone);
  EXPECT_FALSE(F().tmBetWDT.Enabled());
  EXPECT_EQ(RowsWith(ltInfo, 166), 1) << "the pending row is closed as refused";
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  EXPECT_EQ(buy_presses, 0);
  EXPECT_EQ(world.Site().PurchasesAsked(), 0) << "no contract bought";
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000)) << "the signal was dropped";
  EXPECT_EQ(F().EVENT.BetStatus, ssReady);
  EXPECT_DOUBLE_EQ(SiteBalance("CR100200"), 1250);
}

class PriceAtThresholdScenario : public ThresholdScenario {
 protected:
  PriceAtThresholdScenario() : ThresholdScenario(75) {}
};

TEST_F(PriceAtThresholdScenario, PriceOfExactly75PercentIsBought) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000));
  EXPECT_EQ(F().robot.BetPricePercent, 75);
  EXPECT_EQ(buy_presses, 1);
  EXPECT_DOUBLE_EQ(F().EVENT.Result, 0.75) << "a payout of 3 for a price of 2.25";
  EXPECT_DOUBLE_EQ(SiteBalance("CR100200"), 1250.75);
}

class TieScenario : public BetScenario {
 protected:
  TieScenario() : BetScenario(Options("T", 75), {{"Robot0", "BetCount", "1"}}) {}
};

TEST_F(TieScenario, ResultWithTheBalanceUnchangedCountsAsLost) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.BetStatus == ssBetLost; }, 600'000));
  EXPECT_EQ(F().EVENT.Result, 0);
  EXPECT_EQ(RowsOfType(ltLost), 1);
  EXPECT_EQ(RowsOfType(ltWin), 0);
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  bool amount_shown = false;
  for (int row = 0; row < F().event_log.gwLog.RowCount(); ++row)
    if (F().event_log.gwLog.Cell(3, row) == std::to_string(ltLost))
      amount_shown = F().event_log.gwLog.Cell(2, row).find("USD: 0.00") != std::string::npos;
  EXPECT_TRUE(amount_shown) << "the lost line shows the amount 0.00";
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Result, 2);
  EXPECT_EQ(records[0].BalanceAtBet, 1250);
  EXPECT_EQ(records[0].BalanceAtResult, 1250) << "the bet's price came back";
  EXPECT_DOUBLE_EQ(SiteBalance("CR100200"), 1250);
}

// Quotes that can be bought for 30 s / 4 = 7.5 s: the cycle presses buy 10 s
// after it asked for prices, too late.
class StalePricesScenario : public BetScenario {
 protected:
  StalePricesScenario() : BetScenario(Site(), {{"Robot0", "BetCount", "1"}}) {}
  static demo::SiteOptions Site() {
    demo::SiteOptions options = Options("W", 75);
    options.time_scale = 4;
    return options;
  }
};

TEST_F(StalePricesScenario, PricesAreAskedForAgainAndTheBetIsBoughtOnce) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000));
  EXPECT_TRUE(std::find(trace.steps.begin(), trace.steps.end(), bsAwaitConfirmation) != trace.steps.end());
  EXPECT_GE(presses_after_stale_prices, 1) << "the first press met the prices-changed page";
  EXPECT_EQ(bet_requests, 1);
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  EXPECT_DOUBLE_EQ(SiteBalance("CR100200"), 1250.75) << "one contract bought";
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 120'000));
}

// A balance of 2.30 and a price of 2.40: the site refuses the purchase.
class BalanceTooLowScenario : public BetScenario {
 protected:
  BalanceTooLowScenario() : BetScenario(Site(), {{"Robot0", "BetCount", "1"}}) {}
  static demo::SiteOptions Site() {
    demo::SiteOptions options = Options("W", 80);
    options.accounts = AccountsWith("CR100201", 230);
    return options;
  }
};

TEST_F(BalanceTooLowScenario, RefusedPurchaseEndsAsBetImpossible) {
  Start("CR100201", "demo201");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.BetStatus == ssBetImpossible; }, 300'000));
  EXPECT_EQ(F().robot.BetOnStatus, bsFormReady);
  EXPECT_FALSE(F().EVENT.NewSignal);
  EXPECT_EQ(RowsWith(ltInfo, 159), 1) << "the pending row is closed without a result";
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  EXPECT_EQ(RowsOfType(ltWin) + RowsOfType(ltLost), 0);
  EXPECT_EQ(buy_presses, 1);
  EXPECT_DOUBLE_EQ(SiteBalance("CR100201"), 2.3);
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 120'000));
  EXPECT_NE(F().robot.RobotStatus, rsStopped);
}

}  // namespace
}  // namespace vantrope::testing

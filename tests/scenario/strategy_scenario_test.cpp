// The simple and balanced strategies on the demo broker: how many bets a
// signal gets, the balanced strategy's target and threshold, its stops and
// its change of direction after a loss.
#include <gtest/gtest.h>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

class UntilFirstLossScenario : public BetScenario {
 protected:
  UntilFirstLossScenario() : BetScenario("WWL", {{"Robot0", "ReBet", "1"}, {"Robot0", "BetCount", "2"}}) {}
};

TEST_F(UntilFirstLossScenario, BetsGoOnBeyondTheCountUntilTheLoss) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  ASSERT_TRUE(F().strategies.cbBot0ReBet.Checked());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltLost) == 1; }, 1'800'000));
  EXPECT_EQ(RowsOfType(ltWin), 2) << "two wins, then the loss: three bets where the count says two";
  EXPECT_EQ(bet_requests, 3);
  EXPECT_EQ(F().robot.GameCount, 1);
  EXPECT_FALSE(F().EVENT.NewSignal);
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000))
      << "the loss ends the signal";
  for (const THistoryRecord& record : ReadHistoryFile("history.dat")) EXPECT_EQ(record.Direction, 1);
}

// The example of the balanced strategy: balance 100, limits 6 and 6, stake 3.
class BalancedScenario : public BetScenario {
 protected:
  explicit BalancedScenario(std::string script, int price_share, std::vector<RobotWorld::Setting> more = {},
                            demo::Cents balance = 10000)
      : BetScenario(Site(std::move(script), price_share, balance), Settings(std::move(more))) {}
  static demo::SiteOptions Site(std::string script, int price_share, demo::Cents balance) {
    demo::SiteOptions options = Options(std::move(script), price_share);
    options.accounts = AccountsWith("CR100201", balance);
    return options;
  }
  static std::vector<RobotWorld::Setting> Settings(std::vector<RobotWorld::Setting> more) {
    std::vector<RobotWorld::Setting> settings = {{"Robot0", "Down", "0"},     {"Robot5", "Down", "1"},
                                                 {"Robot5", "WinLimit", "6"}, {"Robot5", "LoseLimit", "6"},
                                                 {"Robot5", "BetSize", "3"},  {"Robot5", "BetCount", "2"}};
    settings.insert(settings.end(), more.begin(), more.end());
    return settings;
  }
  bool Stopped() { return F().robot.RobotStatus == rsStopped && F().robot.BetOnStatus == bsIdle; }
};

class BalancedLossStopScenario : public BalancedScenario {
 protected:
  // Every price 75 % of the payout: a loss costs 2.25.
  BalancedLossStopScenario() : BalancedScenario("L", 75) {}
};

TEST_F(BalancedLossStopScenario, StopsWhenTheNextLossCouldPassTheThreshold) {
  Start("CR100201", "demo201");
  ASSERT_TRUE(ReachReadyForm());
  EXPECT_EQ(F().robot.RobotStatus, rsBalanced);
  EXPECT_EQ(F().robot.BalancedTarget, 106);
  EXPECT_EQ(F().strategies.neBot5Porog.Value(), 94);

  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltLost) == 2; }, 1'800'000));
  // 97.75 after the first loss: 97.75 - 3 is not below 94, so the second bet was made.
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 95.5);
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotSubStatus == 1 && F().robot.BetOnStatus == bsFormReady; }, 120'000));
  EXPECT_FALSE(Stopped()) << "the limits are looked at before a bet";

  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Stopped(); }, 120'000)) << "95.5 - 3 is below 94";
  EXPECT_EQ(RowsWith(ltInfo, 192), 1);
  EXPECT_EQ(RowsWith(ltInfo, 193), 0);
  EXPECT_EQ(bet_requests, 2) << "no third bet";
  EXPECT_EQ(F().robot.SavedStake, 3);
  EXPECT_TRUE(F().robot_controls.btRun.Enabled());
}

class BalancedLargeBalanceScenario : public BalancedScenario {
 protected:
  BalancedLargeBalanceScenario() : BalancedScenario("L", 75, {}, 20'000'000) {}
};

TEST_F(BalancedLargeBalanceScenario, LossStopComesInTimeOnABalanceOfTwoHundredThousand) {
  Start("CR100201", "demo201");
  ASSERT_TRUE(ReachReadyForm());
  EXPECT_EQ(F().strategies.neBot5Porog.Value(), 199994);
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltLost) == 2; }, 1'800'000));
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotSubStatus == 1 && F().robot.BetOnStatus == bsFormReady; }, 120'000));
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Stopped(); }, 120'000)) << "199995.5 - 3 is below 199994";
  EXPECT_EQ(RowsWith(ltInfo, 192), 1);
  EXPECT_EQ(bet_requests, 2);
}

class BalancedWinStopScenario : public BalancedScenario {
 protected:
  // Every price half the payout: a win brings 1.50.
  BalancedWinStopScenario() : BalancedScenario("W", 50) {}
};

TEST_F(BalancedWinStopScenario, ThresholdFollowsTheWinsAndTheTargetStops) {
  Start("CR100201", "demo201");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 900'000));
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 101.5);
  EXPECT_EQ(F().strategies.neBot5Porog.Value(), 96) << "101.5 - 6 rounds half to even";
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 2; }, 900'000));
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 103);
  EXPECT_EQ(F().strategies.neBot5Porog.Value(), 97) << "after a win at 103 the threshold rises to 97";
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotSubStatus == 1 && F().robot.BetOnStatus == bsFormReady; }, 120'000));

  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 4; }, 1'800'000));
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 106);
  EXPECT_EQ(F().strategies.neBot5Porog.Value(), 100);
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotSubStatus == 1 && F().robot.BetOnStatus == bsFormReady; }, 120'000));
  EXPECT_FALSE(Stopped());

  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return Stopped(); }, 120'000)) << "106 reaches the target";
  EXPECT_EQ(RowsWith(ltInfo, 193), 1);
  EXPECT_EQ(RowsWith(ltInfo, 192), 0);
  EXPECT_EQ(bet_requests, 4);
}

class BalancedChangeDirectionScenario : public BalancedScenario {
 protected:
  BalancedChangeDirectionScenario() : BalancedScenario("LW", 75, {{"Robot5", "AutoDirect", "1"}}) {}
};

TEST_F(BalancedChangeDirectionScenario, ALossReversesTheSecondBet) {
  Start("CR100201", "demo201");
  ASSERT_TRUE(ReachReadyForm());
  ASSERT_TRUE(F().strategies.cbBot5ChangeDirection.Checked());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 1'800'000));
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Result, 2);
  EXPECT_EQ(records[0].Direction, 1);
  EXPECT_EQ(records[1].Result, 1);
  EXPECT_EQ(records[1].Direction, 2) << "the lost up bet is followed by a down bet";
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000)) << "two bets per signal";
}

}  // namespace
}  // namespace vantrope::testing

// The whole robot trades on the demo broker: Start, login, the trading form,
// a signal, the bet, its result, the log row and the history record.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

TEST_F(BetScenario, OneBetFromStartToItsResult) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsFormReady; }, 120'000)) << "the trading form is ready";
  EXPECT_EQ(F().robot.StartBalance, 1250);
  EXPECT_EQ(F().page.CurrencyName, "USD");
  EXPECT_EQ(F().robot.RobotStatus, rsSimpleBet);

  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.BetStatus == ssBetWon || F().EVENT.BetStatus == ssBetLost; }, 600'000));
  EXPECT_EQ(F().EVENT.BetStatus, ssBetWon) << "the script says won";
  EXPECT_GT(F().EVENT.Result, 0);

  const std::vector<TBetStep> expected_steps = {bsOpenSite,     bsLogIn,        bsLoggedIn,          bsReadBalance,
                                                bsOpenTrading,  bsSelectMarket, bsFillForm,          bsFormReady,
                                                bsBetRequested, bsBuy,          bsAwaitConfirmation, bsPortfolio,
                                                bsAwaitResult,  bsPortfolio,    bsSelectMarket};
  std::vector<TBetStep> steps = trace.steps;
  // Waiting for the contract goes back and forth between the portfolio steps.
  steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
  for (size_t i = 0; i + 1 < steps.size();)
    if (steps[i] == bsAwaitResult && steps[i + 1] == bsPortfolio && i + 2 < steps.size() &&
        steps[i + 2] == bsAwaitResult)
      steps.erase(steps.begin() + i, steps.begin() + i + 2);
    else
      ++i;
  EXPECT_EQ(std::vector<TBetStep>(steps.begin(), steps.begin() + std::min(steps.size(), expected_steps.size())),
            expected_steps);
  EXPECT_EQ(trace.states,
            (std::vector<TSiteState>{ssNotReady, ssReady, ssWaitingForPrices, ssBetMade, ssBetAccepted, ssBetWon}));

  EXPECT_EQ(RowsOfType(ltWin), 1) << "one row went from pending to won";
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Account, "CR100200");
  EXPECT_EQ(records[0].Result, 1);
  EXPECT_EQ(records[0].Pair, "frxEURUSD");
  EXPECT_EQ(records[0].Direction, 1);
  EXPECT_EQ(records[0].BalanceAtBet, F().robot.BalanceAtBet);
  EXPECT_GT(records[0].BalanceAtResult, records[0].BalanceAtBet);

  // The simple strategy bets twice on one signal by default.
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 60'000));
}

TEST_F(BetScenario, StopEndsTheCycleAndLogsOut) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsFormReady; }, 120'000));
  F().robot_controls.btStop.onClick();
  EXPECT_EQ(F().robot.BetOnStatus, bsIdle);
  EXPECT_TRUE(F().robot_controls.btRun.Enabled());
  EXPECT_TRUE(F().strategies.pnDown.Enabled());
  world.Wait(60'000);
  EXPECT_FALSE(F().tmBetOnState.Enabled());
  EXPECT_EQ(F().robot.RobotStatus, rsStopped);
}

TEST_F(BetScenario, WrongPasswordEndsTheRun) {
  Start("CR100200", "not-the-password");
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotStatus == rsStopped; }, 120'000));
  EXPECT_EQ(RowsOfType(ltError), 1) << "the failed login is a fault";
  EXPECT_TRUE(F().robot_controls.btRun.Enabled());
}

TEST_F(BetScenario, EmptyPasswordStartsNothing) {
  Start("CR100200", "   ");
  EXPECT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_TRUE(F().robot_controls.btRun.Enabled());
  EXPECT_EQ(F().robot.BetOnStatus, bsIdle);
}

class ThreeWinsScenario : public BetScenario {
 protected:
  ThreeWinsScenario() : BetScenario("WWWW", {{"Robot0", "BetCount", "3"}}) {}
};

TEST_F(ThreeWinsScenario, ThreeBetsOnOneSignalThenTheSignalIsDropped) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsFormReady; }, 120'000));
  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 3; }, 1'800'000));
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000)) << "no fourth bet";
  for (const THistoryRecord& record : ReadHistoryFile("history.dat")) EXPECT_EQ(record.Direction, 2);
}

class LossScenario : public BetScenario {
 protected:
  LossScenario() : BetScenario("L") {}
};

TEST_F(LossScenario, ALossEndsTheSignal) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsFormReady; }, 120'000));
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltLost) == 1; }, 600'000));
  EXPECT_LT(F().EVENT.Result, 0);
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000));
  EXPECT_EQ(F().robot.GameCount, 1);
}

class DisabledAccountScenario : public BetScenario {
 protected:
  DisabledAccountScenario() : BetScenario("WW") {}
};

TEST_F(DisabledAccountScenario, AccountDisabledByTheSiteEndsTheRun) {
  Start("CR100209", "demo209");
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsFormReady; }, 120'000));
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotStatus == rsStopped; }, 1'800'000));
  // The site disables the account as the second contract settles: the robot
  // sees that page before the second result.
  all_bets_finished = false;
  EXPECT_EQ(RowsOfType(ltWin), 1);
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  EXPECT_EQ(RowsWith(ltInfo, 284), 1) << "the second bet's row says that its result is unknown";
  EXPECT_EQ(RowsOfType(ltError), 1) << "the page that ends a run is a fault";
  EXPECT_TRUE(F().robot_controls.btRun.Enabled());
}

}  // namespace
}  // namespace vantrope::testing

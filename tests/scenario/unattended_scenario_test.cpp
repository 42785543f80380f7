// What a robot left alone must never do: buy an old arrow, lose the answer
// to its own page request, wait without a word, leave a row open.
#include <gtest/gtest.h>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

constexpr int kBetTimedOut = 174;
constexpr int kStoppedAtMinimum = 189;
constexpr int kStoppedBeforePurchase = 219;
constexpr int kSignalTooOld = 294;
constexpr int kLateAnswer = 295;
constexpr int kForeignContract = 296;

class UnattendedScenario : public BetScenario {
 protected:
  UnattendedScenario() : BetScenario(Options("W"), {{"Robot0", "BetCount", "1"}}) {}
  TBetStep Step() { return F().robot.BetOnStatus; }
  bool Won(int rows) {
    return RunUntil([&] { return RowsOfType(ltWin) == rows; }, 900'000);
  }
  bool DebugLogHas(const std::string& text) {
    for (const std::string& line : F().fmDebug.mmLog.Lines())
      if (line.find(text) != std::string::npos) return true;
    return false;
  }
};

TEST_F(UnattendedScenario, AnArrowOlderThanTheSignalLifetimeIsNeverBought) {
  // A signal seen while the robot was stopped is not taken at Start.
  F().EVENT.Valute = "frxEURUSD";
  world.Signal(drUp);
  Start("CR100200", "demo200");
  EXPECT_FALSE(F().EVENT.NewSignal);

  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp, 61'000);
  RunUntil([] { return false; }, 60'000);
  EXPECT_EQ(world.Site().PurchasesAsked(), 0);
  EXPECT_EQ(RowsWith(ltInfo, kSignalTooOld), 1);

  world.Signal(drDown, 30'000);
  ASSERT_TRUE(Won(1));
}

// The page with the prices takes longer to come than the arrow may age:
// the bet is not bought, however close it came.
TEST_F(UnattendedScenario, ABetTheSiteHeldUpPastTheSignalLifetimeIsNotBought) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.browser->load_ms = [](const std::string& address) -> std::optional<int> {
    if (address.find("get_prices") == std::string::npos) return std::nullopt;
    return 70'000;
  };
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltInfo, kSignalTooOld) == 1; }, 120'000));
  EXPECT_EQ(world.Site().PurchasesAsked(), 0);
  EXPECT_EQ(RowsOfType(ltBetPending), 0) << "the bet's row is closed";
}

// The bet watchdog fires while the cycle waits for the page's answer: it
// neither gives the bet up nor moves the cycle before the answer is in.
TEST_F(UnattendedScenario, TheWatchdogWaitsForTheAnswerTheCycleAwaits) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Site().WithholdPrices(true);
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsBuy; }, 30'000));
  RunUntil([] { return false; }, 290'000);
  world.browser->hold_answers = true;
  ASSERT_TRUE(RunUntil([&] { return F().robot.AwaitedTicket != 0; }, 10'000));
  int navigations = 0;
  world.browser->on_navigate = [&](const std::string&) { ++navigations; };
  RunUntil([] { return false; }, 15'000);  // the watchdog's five minutes are up
  EXPECT_EQ(navigations, 0) << "nothing moved while the answer was awaited";
  EXPECT_EQ(RowsWith(ltInfo, kBetTimedOut), 0);

  world.browser->hold_answers = false;
  while (!world.browser->held_answers.empty()) world.browser->ReleaseHeldAnswer(0);
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltInfo, kBetTimedOut) == 1; }, 10'000));
  world.Site().WithholdPrices(false);
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drDown);
  ASSERT_TRUE(Won(1));
  EXPECT_EQ(world.Site().PurchasesAsked(), 1);
}

// An answer to a wait of the run that Stop ended neither holds up the next
// run nor moves it when it comes.
TEST_F(UnattendedScenario, AnAnswerOfAStoppedRunIsDropped) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.browser->hold_answers = true;
  ASSERT_TRUE(RunUntil([&] { return F().robot.AwaitedTicket != 0; }, 20'000));
  F().robot_controls.btStop.onClick();
  world.browser->hold_answers = false;
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return Step() > bsLogIn; }, 60'000)) << "the new run logs in";
  while (!world.browser->held_answers.empty()) world.browser->ReleaseHeldAnswer(0);
  EXPECT_TRUE(DebugLogHas(F().Txt(kLateAnswer)));
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1));
}

TEST_F(UnattendedScenario, StopClosesTheRowOfABetAskedForAndNotBought) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Site().WithholdPrices(true);
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltBetPending) == 1; }, 30'000));
  F().robot_controls.btStop.onClick();
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  EXPECT_EQ(RowsWith(ltInfo, kStoppedBeforePurchase), 1);
  world.Site().WithholdPrices(false);
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drDown);
  ASSERT_TRUE(Won(1));
  EXPECT_EQ(RowsWith(ltInfo, kStoppedBeforePurchase), 1) << "the next run's lines went to rows of their own";
}

// Stop marks a bought contract's result unknown; the next run finds it open
// on the account and says why it waits, once.
TEST_F(UnattendedScenario, AContractTheRobotDidNotBuyIsToldOnce) {
  all_bets_finished = false;
  F().EVENT.Period = 5;
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsAwaitResult; }, 300'000));
  F().robot_controls.btStop.onClick();
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltError, kForeignContract) == 1; }, 60'000));
  RunUntil([] { return false; }, 120'000);
  EXPECT_EQ(RowsWith(ltError, kForeignContract), 1) << "told once while it waits";
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.BetStatus == ssReady; }, 600'000)) << "trading once it closed";
}

class ZeroBalanceScenario : public BetScenario {
 protected:
  ZeroBalanceScenario() : BetScenario(ZeroBalance(), {}) {}
  static demo::SiteOptions ZeroBalance() {
    demo::SiteOptions options = Options("W");
    options.accounts = AccountsWith("CR100200", 0);
    return options;
  }
};

TEST_F(ZeroBalanceScenario, ABalanceOfZeroStopsAtTheMinimumWithItsMessage) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return !F().robot.Running; }, 120'000))
      << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(RowsWith(ltInfo, kStoppedAtMinimum), 1);
  EXPECT_EQ(world.dialogs.notices, 1) << "its message waits for nobody inside the strategy step";
}

}  // namespace
}  // namespace vantrope::testing

// What limits the robot's work on the demo broker: working hours across
// midnight, the minimum balance, a pause after the result, and the offer to
// resume a chain saved at the last exit.
#include <gtest/gtest.h>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

constexpr int64_t kHourMs = 3'600'000;

// Working hours 22:00 to 06:00; the virtual clock starts at 12:00.
class NightHoursScenario : public BetScenario {
 protected:
  NightHoursScenario()
      : BetScenario("W", {{"MainForm", "RobotWorkTime", "1"},
                          {"MainForm", "WorkStart", "22"},
                          {"MainForm", "WorkEnd", "6"},
                          {"Robot0", "BetCount", "1"}}) {}
};

TEST_F(NightHoursScenario, At3OClockTheRobotWorks) {
  world.Wait(15 * kHourMs);
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  EXPECT_EQ(F().robot.RobotStatus, rsSimpleBet);
  EXPECT_EQ(RowsWith(ltInfo, 175), 1) << "the working hours have begun";
  EXPECT_EQ(RowsWith(ltInfo, 176), 0);
  EXPECT_EQ(F().robot.RobotPauseMode, pmNone);
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000));
}

TEST_F(NightHoursScenario, At21OClockTheRobotWaitsAndAPauseIsRequested) {
  world.Wait(9 * kHourMs + 50 * 60'000);  // 21:50
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm()) << "the cycle runs the site all the same";
  EXPECT_EQ(F().robot.RobotStatus, rsStarted);
  EXPECT_EQ(F().robot.RobotPauseMode, pmAfterResult);
  EXPECT_GE(RowsWith(ltInfo, 176), 1);
  EXPECT_EQ(RowsWith(ltInfo, 175), 0);
  world.Signal(drUp);
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000))
      << "no bet outside the hours";
  EXPECT_EQ(F().robot.RobotStatus, rsStarted);

  // At 22:00 the strategy starts, and the pause requested before pauses it at once.
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotStatus == rsSimpleBet; }, 300'000));
  EXPECT_GE(world.clock.ElapsedMs(), 10 * kHourMs);
  EXPECT_EQ(RowsWith(ltInfo, 175), 1);
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotPauseMode == pmPaused; }, 60'000));
  EXPECT_EQ(F().robot.RobotPauseType, 2);
  EXPECT_EQ(bet_requests, 0);
}

// Minimum balance 100, stake 3, every price 75 % of the payout.
class MinimumBalanceScenario : public BetScenario {
 protected:
  explicit MinimumBalanceScenario(demo::Cents balance)
      : BetScenario(Site(balance), {{"Binary", "MinBalans", "100"}, {"Robot0", "BetCount", "1"}}) {}
  static demo::SiteOptions Site(demo::Cents balance) {
    demo::SiteOptions options = Options("L", 75);
    options.accounts = AccountsWith("CR100201", balance);
    return options;
  }
  bool Stopped() { return F().robot.RobotStatus == rsStopped && F().robot.BetOnStatus == bsIdle; }
  int MinimumBalanceBoxes() {
    int count = 0;
    for (const FakeDialogs::Shown& box : world.dialogs.shown) count += box.text == F().Txt(185);
    return count;
  }
};

class BalanceAtTheMinimumScenario : public MinimumBalanceScenario {
 protected:
  BalanceAtTheMinimumScenario() : MinimumBalanceScenario(10200) {}
};

TEST_F(BalanceAtTheMinimumScenario, StopsAsSoonAsTheBalanceIsRead) {
  Start("CR100201", "demo201");
  ASSERT_TRUE(RunUntil([&] { return Stopped(); }, 120'000)) << "102 - 2.25 is not above 100";
  EXPECT_EQ(F().robot.StartBalance, 102);
  EXPECT_EQ(MinimumBalanceBoxes(), 1);
  EXPECT_EQ(RowsWith(ltInfo, 189), 1);
  EXPECT_EQ(bet_requests, 0);
  EXPECT_TRUE(F().robot_controls.btRun.Enabled());
}

class BalanceAboveTheMinimumScenario : public MinimumBalanceScenario {
 protected:
  BalanceAboveTheMinimumScenario() : MinimumBalanceScenario(10400) {}
};

TEST_F(BalanceAboveTheMinimumScenario, BetsUntilALossBringsTheBalanceDown) {
  Start("CR100201", "demo201");
  ASSERT_TRUE(ReachReadyForm()) << "104 - 2.25 is above 100";
  EXPECT_FALSE(Stopped());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Stopped(); }, 600'000));
  EXPECT_EQ(RowsOfType(ltLost), 1);
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 101.75) << "101.75 - 2.25 is not above 100";
  EXPECT_EQ(MinimumBalanceBoxes(), 1);
  EXPECT_EQ(RowsWith(ltInfo, 189), 1);
  EXPECT_EQ(F().robot.SavedStake, 3);
  EXPECT_EQ(F().robot.RobotPauseMode, pmNone);
}

class PauseAfterResultScenario : public BetScenario {
 protected:
  PauseAfterResultScenario() : BetScenario("WW", {}) {}
};

TEST_F(PauseAfterResultScenario, PausesAfterTheBetAndContinuesOnRequest) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus >= bsAwaitConfirmation; }, 120'000));
  F().robot_controls.btPause1.onClick();
  EXPECT_EQ(F().robot.RobotPauseMode, pmAfterResult);
  EXPECT_TRUE(F().robot_controls.btPause3.Enabled());

  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotPauseMode == pmPaused; }, 600'000));
  EXPECT_EQ(RowsOfType(ltWin), 1);
  EXPECT_EQ(F().robot.RobotPauseType, 2);
  EXPECT_FALSE(F().robot_controls.btPause1.Enabled());
  EXPECT_FALSE(F().robot_controls.btPause2.Enabled());
  EXPECT_TRUE(F().robot_controls.btPause3.Enabled());
  ASSERT_FALSE(world.dialogs.shown.empty());
  EXPECT_EQ(world.dialogs.shown.back().text, F().Txt(181) + "\r" + F().Txt(182));
  world.Signal(drDown);
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000)) << "no bet while paused";
  EXPECT_EQ(bet_requests, 1) << "the second bet of the signal waits too";

  F().robot_controls.btPause3.onClick();
  EXPECT_EQ(F().robot.RobotPauseMode, pmContinue);
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotPauseMode == pmNone; }, 30'000));
  EXPECT_EQ(F().robot.RobotPauseType, 0);
  EXPECT_FALSE(F().EVENT.NewSignal) << "a signal from before the continuation is dropped";
  EXPECT_TRUE(F().robot_controls.btPause1.Enabled());

  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 2; }, 600'000));
  EXPECT_EQ(bet_requests, 2);
  EXPECT_EQ(ReadHistoryFile("history.dat").back().Direction, 2);
}

// At the last exit strategy 2 (the cautious martingale) was paused in a chain.
class ResumeQuestionScenario : public BetScenario {
 protected:
  ResumeQuestionScenario()
      : BetScenario("W", {{"Robot0", "Down", "0"},
                          {"Robot2", "Down", "1"},
                          {"Binary", "RobotMode", "302"},
                          {"Binary", "RobotLastBet", "12"},
                          {"Binary", "RobotBetCount", "3"},
                          {"Binary", "RobotGameCount", "1"}}) {}
  int Questions() {
    int count = 0;
    for (const FakeDialogs::Shown& box : world.dialogs.shown) count += box.title == F().Txt(179);
    return count;
  }
};

TEST_F(ResumeQuestionScenario, YesRestoresTheSavedChainAndWaitsForContinue) {
  world.dialogs.answers.push_back(ModalResult::Yes);
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotStatus == rsCautiousMartingale; }, 60'000));
  ASSERT_EQ(Questions(), 1);
  const FakeDialogs::Shown& question = world.dialogs.shown.back();
  EXPECT_EQ(question.text, F().Txt(177) + "\r" + F().Txt(178));
  EXPECT_EQ(question.kind, DialogKind::Confirmation);
  EXPECT_EQ(question.captions, (std::vector<std::string>{F().Txt(105), F().Txt(259)}));
  EXPECT_EQ(F().robot.ChainStake, 12);
  EXPECT_EQ(F().robot.BetCount, 3);
  EXPECT_EQ(F().robot.GameCount, 1);
  EXPECT_EQ(F().robot.RobotPauseMode, pmPaused);
  EXPECT_EQ(F().robot.RobotPauseType, 1);
  EXPECT_TRUE(F().robot_controls.btPause3.Enabled());
  EXPECT_FALSE(F().robot_controls.btPause1.Enabled());
  ASSERT_TRUE(ReachReadyForm());
  world.Wait(60'000);
  EXPECT_EQ(Questions(), 1) << "asked once";
  EXPECT_EQ(F().robot.ChainStake, 12);
}

TEST_F(ResumeQuestionScenario, NoLeavesTheNewRunAsItIs) {
  world.dialogs.answers.push_back(ModalResult::No);
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotStatus == rsCautiousMartingale; }, 60'000));
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(F().robot.ChainStake, 3);
  EXPECT_EQ(F().robot.BetCount, 0);
  EXPECT_EQ(F().robot.GameCount, 0);
  EXPECT_EQ(F().robot.RobotPauseMode, pmNone);
  ASSERT_TRUE(ReachReadyForm());
  world.Wait(60'000);
  EXPECT_EQ(Questions(), 1) << "asked once";
}

}  // namespace
}  // namespace vantrope::testing

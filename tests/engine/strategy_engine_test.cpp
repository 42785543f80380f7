// The strategy engine with the site simulated: site states in, bet requests out.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace vantrope {
namespace {

class StrategyEngineTest : public testing::FormFixture {
 protected:
  // Starts the robot on the simulated site, which reports itself ready; the
  // first step takes the pair of the pair box as a chart change.
  void Run(int strategy, const std::string& settings = "", double balance = 1000) {
    WriteSettings(settings);
    Start();
    form->strategies.pcStrategy.SetActivePageIndex(strategy);
    form->page.SimulatorEnabled = true;
    form->btRunClick();
    form->account.neCurrentBalanse.SetValue(balance);
    Site(1);
  }
  void Site(uint8_t state) {
    form->EVENT.BetStatus = state;
    form->BetOnRobot();
  }
  void Signal(uint8_t direction) {
    form->EVENT.NewSignal = true;
    form->EVENT.Direction = direction;
  }
  // One bet from request to result, as the site would report it.
  void Bet(bool won) {
    ASSERT_EQ(form->robot.BetOnStatus, 8) << "a bet was requested";
    form->robot.BetOnStatus = 7;
    Site(2);
    Site(4);
    Site(won ? 6 : 7);
    Site(1);
  }
  int Requests() const { return requests; }
  bool DebugLogHas(const std::string& text) const {
    for (const std::string& line : form->fmDebug.mmLog.Lines())
      if (line.find("> " + text) != std::string::npos) return true;
    return false;
  }
  int requests = 0;
};

TEST_F(StrategyEngineTest, SimpleBetRepeatsAWinUpToTheCountThenDropsTheSignal) {
  Run(0, "[Robot0]\nBetCount=3\nBetSize=5\n");
  EXPECT_EQ(form->robot.RobotStatus, 23);
  Signal(1);
  Site(1);
  ASSERT_EQ(form->robot.BetOnStatus, 8);
  EXPECT_EQ(form->robot.BetStake, 5);
  EXPECT_EQ(form->robot.BetDirection, 1);
  EXPECT_FALSE(form->EVENT.NewSignal) << "the request takes the signal";
  for (int bet = 1; bet <= 3; ++bet) {
    Bet(true);
    if (bet < 3) {
      EXPECT_EQ(form->robot.BetOnStatus, 8) << "bet " << bet + 1 << " on the same signal";
    }
  }
  EXPECT_NE(form->robot.BetOnStatus, 8);
  EXPECT_EQ(form->robot.RobotSubStatus, 1);
  EXPECT_EQ(form->robot.BetCount, 0);
}

TEST_F(StrategyEngineTest, SimpleBetGoesOnUntilTheFirstLossWhenAsked) {
  Run(0, "[Robot0]\nBetCount=1\nReBet=1\n");
  Signal(2);
  Site(1);
  for (int bet = 0; bet < 5; ++bet) Bet(true);
  EXPECT_EQ(form->robot.BetOnStatus, 8);
  EXPECT_EQ(form->robot.BetDirection, 2);
  Bet(false);
  EXPECT_NE(form->robot.BetOnStatus, 8);
  EXPECT_EQ(form->robot.GameCount, 1) << "the loss marker";
}

TEST_F(StrategyEngineTest, SignalWhileTheSiteIsNotReadyIsDropped) {
  Run(0);
  Signal(1);
  Site(0);
  EXPECT_FALSE(form->EVENT.NewSignal);
  Site(1);
  EXPECT_NE(form->robot.BetOnStatus, 8);
  EXPECT_TRUE(DebugLogHas(form->Txt(190)));
}

TEST_F(StrategyEngineTest, BetImpossibleReturnsToANewSignal) {
  Run(0);
  Signal(1);
  Site(1);
  form->robot.BetOnStatus = 7;
  Site(3);
  EXPECT_EQ(form->robot.RobotSubStatus, 0) << "back to a new stake and a new signal";
  EXPECT_NE(form->robot.BetOnStatus, 8);
}

TEST_F(StrategyEngineTest, BalancedStopsAtItsLossThreshold) {
  Run(5, "[Robot5]\nName=Сбалансированный\nWinLimit=6\nLoseLimit=6\nBetSize=3\n", 100);
  EXPECT_EQ(form->robot.BalancedTarget, 106);
  EXPECT_EQ(form->strategies.neBot5Porog.Value(), 94);
  form->account.neCurrentBalanse.SetValue(96.5);
  Signal(1);
  Site(1);
  EXPECT_EQ(form->robot.RobotStatus, 0) << "96.5 - 3 is below 94";
  EXPECT_EQ(form->event_log.gwLog.Cell(2, form->event_log.gwLog.RowCount() - 1), "  " + form->Txt(192));
  EXPECT_EQ(form->robot.SavedStake, 3);
}

TEST_F(StrategyEngineTest, BalancedStopsAtItsWinTarget) {
  Run(5, "[Robot5]\nName=Сбалансированный\nWinLimit=6\nLoseLimit=6\nBetSize=3\n", 100);
  form->account.neCurrentBalanse.SetValue(106.4);
  Signal(1);
  Site(1);
  EXPECT_EQ(form->robot.RobotStatus, 0);
  EXPECT_EQ(form->event_log.gwLog.Cell(2, form->event_log.gwLog.RowCount() - 1), "  " + form->Txt(193));
}

TEST_F(StrategyEngineTest, BalancedRaisesItsThresholdAfterAWinAndReversesAfterALoss) {
  Run(5, "[Robot5]\nName=Сбалансированный\nWinLimit=6\nLoseLimit=6\nBetSize=3\nBetCount=2\nAutoDirect=1\n", 100);
  Signal(1);
  Site(1);
  Bet(false);
  ASSERT_EQ(form->robot.BetOnStatus, 8);
  EXPECT_EQ(form->robot.BetDirection, 2) << "the second bet goes the other way";
  form->account.neCurrentBalanse.SetValue(103);
  Bet(true);
  EXPECT_EQ(form->strategies.neBot5Porog.Value(), 97);
}

TEST_F(StrategyEngineTest, MinimumBalanceStopsTheRobot) {
  Run(0, "[Binary]\nMinBalans=100\n");
  form->page.CurrentBalance = 102;
  Site(1);
  EXPECT_EQ(form->robot.RobotStatus, 0) << "102 - 2.25 is not above 100";
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.dialogs.shown[0].text, form->Txt(185));

  fake.dialogs.shown.clear();
  form->page.SimulatorEnabled = true;
  form->btRunClick();
  form->page.CurrentBalance = 103;
  Site(1);
  Site(1);
  EXPECT_EQ(form->robot.RobotStatus, 23);
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(StrategyEngineTest, PauseAfterResultPausesAtTheNextCheckAndContinues) {
  Run(0);
  form->robot_controls.btPause1.onClick();
  EXPECT_EQ(form->robot.RobotPauseMode, 1);
  EXPECT_TRUE(form->robot_controls.btPause3.Enabled());
  Site(1);  // the chain has not begun: the check pauses at once
  EXPECT_EQ(form->robot.RobotPauseMode, 255);
  EXPECT_EQ(form->robot.RobotPauseType, 2);
  Signal(1);
  Site(1);
  EXPECT_NE(form->robot.BetOnStatus, 8) << "paused";
  form->robot_controls.btPause3.onClick();
  EXPECT_EQ(form->robot.RobotPauseMode, 254);
  Site(1);
  EXPECT_EQ(form->robot.RobotPauseMode, 0);
  EXPECT_FALSE(form->EVENT.NewSignal) << "a continue starts with a new signal";
  EXPECT_TRUE(DebugLogHas(form->Txt(180)));
}

TEST_F(StrategyEngineTest, CancelButtonDoesNothingWithoutAPause) {
  Run(0);
  form->robot_controls.btPause3Fon.SetVisible(true);
  form->run_control.RequestPause(4);
  EXPECT_TRUE(form->robot_controls.btPause3Fon.Visible());
  EXPECT_EQ(form->robot.RobotPauseMode, 0);
}

TEST_F(StrategyEngineTest, SeventhStrategyNeverBets) {
  WriteSettings("[Robot6]\nName=Пустая\n");
  Start();
  form->strategies.pcStrategy.SetActivePageIndex(6);
  form->page.SimulatorEnabled = true;
  form->btRunClick();
  Signal(1);
  Site(1);
  EXPECT_EQ(form->robot.RobotStatus, 2);
  EXPECT_NE(form->robot.BetOnStatus, 8);
}

TEST_F(StrategyEngineTest, ResumeQuestionOnceForAPausedChainOfThisStrategy) {
  WriteSettings("[Binary]\nRobotMode=302\nRobotLastBet=16\nRobotBetCount=2\n[Robot2]\nDown=1\n");
  Start();
  form->page.SimulatorEnabled = true;
  fake.dialogs.answers = {ModalResult::Yes};
  form->btRunClick();
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.dialogs.shown[0].kind, DialogKind::Confirmation);
  EXPECT_EQ(form->robot.ChainStake, 16);
  EXPECT_EQ(form->robot.BetCount, 2);
  EXPECT_EQ(form->robot.RobotPauseMode, 255);
  EXPECT_EQ(form->robot.RobotPauseType, 1);
  Site(1);
  EXPECT_EQ(fake.dialogs.shown.size(), 1u);
}

TEST_F(StrategyEngineTest, PausedChainOfAnotherStrategyIsForgotten) {
  WriteSettings("[Binary]\nRobotMode=202\n[Robot2]\nDown=1\n");
  Start();
  form->page.SimulatorEnabled = true;
  form->btRunClick();
  EXPECT_TRUE(fake.dialogs.shown.empty());
  EXPECT_EQ(form->robot.RobotPauseType, 0);
}

class WorkingHoursTest : public StrategyEngineTest {
 protected:
  void RunAt(int hour, int start, int end) {
    Run(0, "[MainForm]\nRobotWorkTime=1\nWorkStart=" + std::to_string(start) + "\nWorkEnd=" + std::to_string(end) +
               "\n");
    // The virtual day starts at noon.
    fake.clock.Advance((static_cast<int64_t>((hour + 12) % 24) * 3600 + 60) * 1000);
    form->robot.RobotStatus = 1;
    form->robot.RobotPauseMode = 0;
    form->BetOnRobot();
  }
};

TEST_F(WorkingHoursTest, WindowAcrossMidnight) {
  RunAt(3, 22, 6);
  EXPECT_EQ(form->robot.RobotStatus, 23) << "from waiting on through the strategy choice";
  EXPECT_EQ(form->robot.RobotPauseMode, 0);
}

TEST_F(WorkingHoursTest, OutsideTheWindowAPauseIsRequested) {
  RunAt(10, 22, 6);
  EXPECT_EQ(form->robot.RobotStatus, 1);
  EXPECT_EQ(form->robot.RobotPauseMode, 1);
}

TEST_F(WorkingHoursTest, EqualHoursNeverStart) {
  RunAt(9, 9, 9);
  EXPECT_EQ(form->robot.RobotStatus, 1);
  EXPECT_EQ(form->robot.RobotPauseMode, 1);
}

}  // namespace
}  // namespace vantrope

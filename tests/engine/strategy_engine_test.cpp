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
    Site(ssReady);
  }
  void Site(TSiteState state) {
    form->EVENT.BetStatus = state;
    form->BetOnRobot();
  }
  void Signal(TDirection direction) {
    form->EVENT.NewSignal = true;
    form->EVENT.Direction = direction;
    form->EVENT.SignalTime = fake.clock.MonotonicMs();
  }
  // One bet from request to result, as the site would report it.
  void Bet(bool won) {
    ASSERT_EQ(form->robot.BetOnStatus, bsBetRequested) << "a bet was requested";
    form->robot.BetOnStatus = bsFormReady;
    Site(ssWaitingForPrices);
    Site(ssBetMade);
    Site(won ? ssBetWon : ssBetLost);
    Site(ssReady);
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
  EXPECT_EQ(form->robot.RobotStatus, rsSimpleBet);
  Signal(drUp);
  Site(ssReady);
  ASSERT_EQ(form->robot.BetOnStatus, bsBetRequested);
  EXPECT_EQ(form->robot.BetStake, 5);
  EXPECT_EQ(form->robot.BetDirection, drUp);
  EXPECT_FALSE(form->EVENT.NewSignal) << "the request takes the signal";
  for (int bet = 1; bet <= 3; ++bet) {
    Bet(true);
    if (bet < 3) {
      EXPECT_EQ(form->robot.BetOnStatus, bsBetRequested) << "bet " << bet + 1 << " on the same signal";
    }
  }
  EXPECT_NE(form->robot.BetOnStatus, bsBetRequested);
  EXPECT_EQ(form->robot.RobotSubStatus, 1);
  EXPECT_EQ(form->robot.BetCount, 0);
}

TEST_F(StrategyEngineTest, SimpleBetGoesOnUntilTheFirstLossWhenAsked) {
  Run(0, "[Robot0]\nBetCount=1\nReBet=1\n");
  Signal(drDown);
  Site(ssReady);
  for (int bet = 0; bet < 5; ++bet) Bet(true);
  EXPECT_EQ(form->robot.BetOnStatus, bsBetRequested);
  EXPECT_EQ(form->robot.BetDirection, drDown);
  Bet(false);
  EXPECT_NE(form->robot.BetOnStatus, bsBetRequested);
  EXPECT_EQ(form->robot.GameCount, 1) << "the loss marker";
}

TEST_F(StrategyEngineTest, SignalWhileTheSiteIsNotReadyIsDropped) {
  Run(0);
  Signal(drUp);
  Site(ssNotReady);
  EXPECT_FALSE(form->EVENT.NewSignal);
  Site(ssReady);
  EXPECT_NE(form->robot.BetOnStatus, bsBetRequested);
  EXPECT_TRUE(DebugLogHas(form->Txt(190)));
}

TEST_F(StrategyEngineTest, BetImpossibleReturnsToANewSignal) {
  Run(0);
  Signal(drUp);
  Site(ssReady);
  form->robot.BetOnStatus = bsFormReady;
  Site(ssBetImpossible);
  EXPECT_EQ(form->robot.RobotSubStatus, 0) << "back to a new stake and a new signal";
  EXPECT_NE(form->robot.BetOnStatus, bsBetRequested);
}

TEST_F(StrategyEngineTest, BalancedStopsAtItsLossThreshold) {
  Run(5, "[Robot5]\nName=Сбалансированный\nWinLimit=6\nLoseLimit=6\nBetSize=3\n", 100);
  EXPECT_EQ(form->robot.BalancedTarget, 106);
  EXPECT_EQ(form->strategies.neBot5Porog.Value(), 94);
  form->account.neCurrentBalanse.SetValue(96.5);
  Signal(drUp);
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotStatus, rsStopped) << "96.5 - 3 is below 94";
  EXPECT_EQ(form->event_log.gwLog.Cell(2, form->event_log.gwLog.RowCount() - 1), "  " + form->Txt(192));
  EXPECT_EQ(form->robot.SavedStake, 3);
}

TEST_F(StrategyEngineTest, BalancedStopsAtItsWinTarget) {
  Run(5, "[Robot5]\nName=Сбалансированный\nWinLimit=6\nLoseLimit=6\nBetSize=3\n", 100);
  form->account.neCurrentBalanse.SetValue(106.4);
  Signal(drUp);
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotStatus, rsStopped);
  EXPECT_EQ(form->event_log.gwLog.Cell(2, form->event_log.gwLog.RowCount() - 1), "  " + form->Txt(193));
}

TEST_F(StrategyEngineTest, BalancedRaisesItsThresholdAfterAWinAndReversesAfterALoss) {
  Run(5, "[Robot5]\nName=Сбалансированный\nWinLimit=6\nLoseLimit=6\nBetSize=3\nBetCount=2\nAutoDirect=1\n", 100);
  Signal(drUp);
  Site(ssReady);
  Bet(false);
  ASSERT_EQ(form->robot.BetOnStatus, bsBetRequested);
  EXPECT_EQ(form->robot.BetDirection, drDown) << "the second bet goes the other way";
  form->account.neCurrentBalanse.SetValue(103);
  Bet(true);
  EXPECT_EQ(form->strategies.neBot5Porog.Value(), 97);
}

TEST_F(StrategyEngineTest, MinimumBalanceStopsTheRobot) {
  Run(0, "[Binary]\nMinBalans=100\n");
  form->page.CurrentBalance = 102;
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotStatus, rsStopped) << "102 - 2.25 is not above 100";
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.dialogs.shown[0].text, form->Txt(185));

  fake.dialogs.shown.clear();
  form->page.SimulatorEnabled = true;
  form->btRunClick();
  form->page.CurrentBalance = 103;
  Site(ssReady);
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotStatus, rsSimpleBet);
  EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(StrategyEngineTest, PauseAfterResultPausesAtTheNextCheckAndContinues) {
  Run(0);
  form->robot_controls.btPause1.onClick();
  EXPECT_EQ(form->robot.RobotPauseMode, pmAfterResult);
  EXPECT_TRUE(form->robot_controls.btPause3.Enabled());
  Site(ssReady);  // the chain has not begun: the check pauses at once
  EXPECT_EQ(form->robot.RobotPauseMode, pmPaused);
  EXPECT_EQ(form->robot.RobotPauseType, 2);
  Signal(drUp);
  Site(ssReady);
  EXPECT_NE(form->robot.BetOnStatus, bsBetRequested) << "paused";
  form->robot_controls.btPause3.onClick();
  EXPECT_EQ(form->robot.RobotPauseMode, pmContinue);
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotPauseMode, pmNone);
  EXPECT_FALSE(form->EVENT.NewSignal) << "a continue starts with a new signal";
  EXPECT_TRUE(DebugLogHas(form->Txt(180)));
}

TEST_F(StrategyEngineTest, CancelButtonDoesNothingWithoutAPause) {
  Run(0);
  form->robot_controls.btPause3Fon.SetVisible(true);
  form->run_control.RequestPause(4);
  EXPECT_TRUE(form->robot_controls.btPause3Fon.Visible());
  EXPECT_EQ(form->robot.RobotPauseMode, pmNone);
}

TEST_F(StrategyEngineTest, SeventhStrategyNeverBets) {
  WriteSettings("[Robot6]\nName=Пустая\n");
  Start();
  form->strategies.pcStrategy.SetActivePageIndex(stNone);
  form->page.SimulatorEnabled = true;
  form->btRunClick();
  Signal(drUp);
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotStatus, rsChoosingStrategy);
  EXPECT_NE(form->robot.BetOnStatus, bsBetRequested);
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
  EXPECT_EQ(form->robot.RobotPauseMode, pmPaused);
  EXPECT_EQ(form->robot.RobotPauseType, 1);
  Site(ssReady);
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
    form->robot.RobotStatus = rsStarted;
    form->robot.RobotPauseMode = pmNone;
    form->BetOnRobot();
  }
};

TEST_F(WorkingHoursTest, WindowAcrossMidnight) {
  RunAt(3, 22, 6);
  EXPECT_EQ(form->robot.RobotStatus, rsSimpleBet) << "from waiting on through the strategy choice";
  EXPECT_EQ(form->robot.RobotPauseMode, pmNone);
}

TEST_F(WorkingHoursTest, OutsideTheWindowAPauseIsRequested) {
  RunAt(10, 22, 6);
  EXPECT_EQ(form->robot.RobotStatus, rsStarted);
  EXPECT_EQ(form->robot.RobotPauseMode, pmAfterResult);
}

// A chain taken up at a start after the hours waits for them: the pause
// their end asks for does not replace the Continue that takes it up, or the
// chain would begin again at the initial stake.
TEST_F(WorkingHoursTest, AChainTakenUpAfterTheHoursGoesOnWithItsStakeWhenTheyBegin) {
  Run(1, "[MainForm]\nRobotWorkTime=1\nWorkStart=0\nWorkEnd=1\n");  // the virtual day starts at noon
  LedgerChain chain;
  chain.strategy = 1;
  chain.bet_count = 1;
  chain.stake = 7;
  chain.direction = drUp;
  chain.valute = "frxEURUSD";
  chain.period = 1;
  chain.period_unit = "m";
  form->strategy_engine.ResumeChain(chain, false);
  Site(ssReady);
  ASSERT_EQ(form->robot.RobotStatus, rsStarted);
  fake.clock.Advance(12 * 3'600'000);
  Site(ssReady);
  Site(ssReady);
  Signal(drDown);
  Site(ssReady);
  Site(ssReady);
  ASSERT_EQ(form->robot.BetOnStatus, bsBetRequested);
  EXPECT_EQ(form->robot.BetStake, 7);
}

TEST_F(WorkingHoursTest, EqualHoursNeverStart) {
  RunAt(9, 9, 9);
  EXPECT_EQ(form->robot.RobotStatus, rsStarted);
  EXPECT_EQ(form->robot.RobotPauseMode, pmAfterResult);
}

}  // namespace
}  // namespace vantrope

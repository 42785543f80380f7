// The four martingale strategies with the site simulated: site states in,
// bet requests out.
#include <gtest/gtest.h>

#include <vector>

#include "support/form_fixture.h"

namespace vantrope {
namespace {

class MartingaleTest : public testing::FormFixture {
 protected:
  // Starts the robot on the simulated site, which reports itself ready.
  void Run(int strategy, const std::string& settings = "", double balance = 1000) {
    form.reset();
    WriteSettings(settings);
    Start();
    form->strategies.pcStrategy.SetActivePageIndex(strategy);
    form->page.SimulatorEnabled = true;
    form->btRunClick();
    form->page.CurrentBalance = balance;
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
  bool Requested() const { return form->robot.BetOnStatus == bsBetRequested; }
  // One bet from request to result, as the site reports it; the stake and
  // direction of the request are recorded.
  void Bet(bool won) {
    ASSERT_TRUE(Requested()) << "a bet was requested";
    stakes.push_back(form->robot.BetStake);
    directions.push_back(form->robot.BetDirection);
    form->robot.BetOnStatus = bsFormReady;
    Site(ssWaitingForPrices);
    Site(ssBetMade);
    Site(ssBetAccepted);
    Site(won ? ssBetWon : ssBetLost);
    Site(ssReady);
  }
  bool DebugLogHas(int text) const {
    for (const std::string& line : form->fmDebug.mmLog.Lines())
      if (line.find("> " + form->Txt(text)) != std::string::npos) return true;
    return false;
  }
  std::string LastLogText() const { return form->event_log.gwLog.Cell(2, form->event_log.gwLog.RowCount() - 1); }
  std::string LastLogType() const { return form->event_log.gwLog.Cell(3, form->event_log.gwLog.RowCount() - 1); }

  std::vector<int32_t> stakes;
  std::vector<TDirection> directions;
};

TEST_F(MartingaleTest, ChainRaisesAfterEveryLossUpToItsLengthThenDropsTheSignal) {
  Run(1, "[Robot1]\nBetSize=3\nBetCount=5\nChainCount=2\n");
  EXPECT_EQ(form->robot.RobotStatus, rsMartingale);
  Signal(drDown);
  Site(ssReady);
  for (int bet = 0; bet < 5; ++bet) Bet(false);
  EXPECT_EQ(stakes, (std::vector<int32_t>{3, 7, 16, 37, 86}));
  EXPECT_EQ(directions, (std::vector<TDirection>(5, drDown)));
  EXPECT_FALSE(Requested()) << "the chain ends at its length";
  EXPECT_EQ(form->robot.RobotSubStatus, 0);
  EXPECT_EQ(form->robot.BetCount, 0);
  EXPECT_FALSE(form->EVENT.NewSignal);
  Site(ssReady);
  EXPECT_FALSE(Requested()) << "the signal was dropped";
  EXPECT_TRUE(DebugLogHas(202));
  EXPECT_TRUE(DebugLogHas(199));

  Signal(drUp);
  Site(ssReady);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 3) << "a new signal starts a new chain";
  EXPECT_EQ(form->robot.BetDirection, drUp);
}

TEST_F(MartingaleTest, AWinStartsTheNextChainAtOnceUpToTheChainsPerSignal) {
  Run(1, "[Robot1]\nBetSize=3\nBetCount=5\nChainCount=2\n");
  Signal(drUp);
  Site(ssReady);
  Bet(false);
  Bet(false);
  Bet(true);
  ASSERT_TRUE(Requested()) << "the second chain starts at once";
  EXPECT_EQ(form->robot.BetStake, 3);
  EXPECT_EQ(form->robot.GameCount, 1);
  Bet(true);
  EXPECT_EQ(stakes, (std::vector<int32_t>{3, 7, 16, 3}));
  EXPECT_EQ(directions, (std::vector<TDirection>(4, drUp)));
  EXPECT_FALSE(Requested()) << "two chains won: the signal is dropped";
  EXPECT_FALSE(form->EVENT.NewSignal);
  EXPECT_TRUE(DebugLogHas(198));
}

TEST_F(MartingaleTest, ANewSignalInTheChainTurnsTheMartingaleButNotMonteCarlo) {
  Run(1);
  Signal(drUp);
  Site(ssReady);
  Signal(drDown);
  Bet(false);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetDirection, drDown) << "the martingale's request takes the new signal";
  EXPECT_FALSE(form->EVENT.NewSignal);

  Run(4);
  EXPECT_EQ(form->robot.RobotStatus, rsMonteCarlo);
  Signal(drUp);
  Site(ssReady);
  Signal(drUp);
  Bet(false);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 7);
  EXPECT_EQ(form->robot.BetDirection, drDown) << "Monte-Carlo reverses after a loss";
  EXPECT_TRUE(form->EVENT.NewSignal) << "and leaves the signal alone";
  Bet(false);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 16);
  EXPECT_EQ(form->robot.BetDirection, drUp);
}

TEST_F(MartingaleTest, MonteCarloHonoursAPauseAfterAWinAtOnce) {
  Run(4, "[Robot4]\nChainCount=2\n");
  Signal(drUp);
  Site(ssReady);
  form->robot_controls.btPause2.onClick();
  Bet(true);
  EXPECT_FALSE(Requested()) << "no second chain";
  EXPECT_EQ(form->robot.RobotPauseMode, pmPaused);
  EXPECT_EQ(fake.dialogs.shown.size(), 1u);

  Run(1, "[Robot1]\nChainCount=2\n");
  Signal(drUp);
  Site(ssReady);
  form->robot_controls.btPause2.onClick();
  Bet(true);
  EXPECT_TRUE(Requested()) << "the martingale starts its second chain";
}

TEST_F(MartingaleTest, StakeOverTheCeilingEndsTheChain) {
  const char* const settings[] = {"", "[Robot1]\nBetSize=50000\nBetCount=5\n",
                                  // one bet per signal: the chain would wait for the next signal
                                  "[Robot2]\nBetSize=50000\nBetCount=1\nChainCount=5\n",
                                  // the first loss of a signal: the chain would bet again at once
                                  "[Robot3]\nBetSize=50000\nChainCount=5\n", "[Robot4]\nBetSize=50000\nBetCount=5\n"};
  // Where each strategy waits for the signal of a new chain.
  const uint8_t waiting[] = {0, 0, 1, 2, 0};
  for (const int strategy : {1, 2, 3, 4}) {
    SCOPED_TRACE(strategy);
    Run(strategy, settings[strategy], 1'000'000);
    Signal(drUp);
    Site(ssReady);
    Bet(false);
    EXPECT_EQ(LastLogText(), "  " + form->Txt(203));
    EXPECT_EQ(LastLogType(), "1");
    if (strategy == 1 || strategy == 4) {
      EXPECT_EQ(form->robot.ChainStake, 50000) << "the stake owed next";
    }
    EXPECT_FALSE(Requested());
    EXPECT_FALSE(form->EVENT.NewSignal);
    EXPECT_EQ(form->robot.RobotSubStatus, waiting[strategy]) << "back to a new chain";
    Site(ssReady);
    EXPECT_FALSE(Requested());
    Signal(drDown);
    Site(ssReady);
    ASSERT_TRUE(Requested());
    EXPECT_EQ(form->robot.BetStake, 50000) << "the next signal starts with the initial stake";
  }
}

TEST_F(MartingaleTest, BetImpossibleWaitsForANewSignalWithTheSameStake) {
  Run(1);
  Signal(drUp);
  Site(ssReady);
  Bet(false);
  ASSERT_TRUE(Requested());
  form->robot.BetOnStatus = bsFormReady;
  Site(ssBetImpossible);
  EXPECT_EQ(form->robot.RobotSubStatus, 8);
  EXPECT_EQ(form->EVENT.Direction, drNone);
  Site(ssReady);
  EXPECT_FALSE(Requested());
  Signal(drDown);
  Site(ssReady);
  Site(ssReady);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 7);
  EXPECT_EQ(form->robot.BetDirection, drDown);
}

// The bet a won chain owes could not be made: the chain waits for a signal.
// A change of the chart meanwhile begins a new chain on the new chart while
// it waits, not after the signal, which it would drop.
TEST_F(MartingaleTest, AChartChangeWhileTheChainWaitsAfterABetImpossibleKeepsTheNextSignal) {
  for (const int strategy : {1, 4}) {
    SCOPED_TRACE(strategy);
    const std::string section = "[Robot" + std::to_string(strategy) + "]";
    Run(strategy, section + "\nBetSize=3\nBetCount=5\nChainCount=2\n");
    Signal(drUp);
    Site(ssReady);
    Bet(true);
    ASSERT_TRUE(Requested());
    form->robot.BetOnStatus = bsFormReady;
    Site(ssBetImpossible);
    ASSERT_EQ(form->robot.RobotSubStatus, 8);
    form->EVENT.Valute = "frxGBPUSD";
    form->EVENT.ValuteChanged = true;
    Site(ssReady);
    Signal(drDown);
    Site(ssReady);
    Site(ssReady);
    ASSERT_TRUE(Requested());
    EXPECT_EQ(form->robot.ChainValute, "frxGBPUSD");
    EXPECT_EQ(form->robot.GameCount, 0) << "a new chain";
  }
}

// Below three quarters of the stake above the minimum balance the guard
// holds every bet back: the cautious and adaptive martingales stop there,
// as the others do, rather than sit silent (their check weighed half).
TEST_F(MartingaleTest, CautiousAndAdaptiveStopWhereTheGuardHoldsEveryBetBack) {
  for (const int strategy : {2, 3}) {
    SCOPED_TRACE(strategy);
    Run(strategy, "[Binary]\nMinBalans=100\n", 102);  // 102 - 0.75 * 3 is not above 100, 102 - 0.5 * 3 is
    Signal(drUp);
    Site(ssReady);
    Site(ssReady);
    EXPECT_EQ(form->robot.RobotStatus, rsStopped);
  }
}

TEST_F(MartingaleTest, CautiousChainWaitsForTheNextSignalAndGoesOnWithTheRaisedStake) {
  Run(2, "[Robot2]\nBetSize=3\nBetCount=2\nChainCount=5\n");
  EXPECT_EQ(form->robot.RobotStatus, rsCautiousMartingale);
  Signal(drUp);
  Site(ssReady);
  Bet(false);
  ASSERT_TRUE(Requested()) << "the second bet on the signal at once";
  Bet(false);
  EXPECT_FALSE(Requested());
  EXPECT_FALSE(form->EVENT.NewSignal);
  Site(ssReady);
  EXPECT_FALSE(Requested()) << "two bets per signal";
  EXPECT_EQ(form->robot.GameCount, 2) << "the bets of the chain";
  Signal(drDown);
  Site(ssReady);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 16);
  EXPECT_EQ(form->robot.BetDirection, drDown);
  Bet(true);
  ASSERT_TRUE(Requested()) << "a win with bets left on the signal starts again";
  EXPECT_EQ(form->robot.BetStake, 3);
  Bet(true);
  EXPECT_FALSE(Requested());
  EXPECT_EQ(stakes, (std::vector<int32_t>{3, 7, 16, 3}));
}

TEST_F(MartingaleTest, CautiousChainEndsAtItsLength) {
  Run(2, "[Robot2]\nBetSize=3\nBetCount=9\nChainCount=3\n");
  Signal(drUp);
  Site(ssReady);
  for (int bet = 0; bet < 3; ++bet) Bet(false);
  EXPECT_FALSE(Requested());
  EXPECT_EQ(form->robot.RobotSubStatus, 1) << "sub-step 0 has already set up a new chain";
  EXPECT_EQ(form->robot.ChainStake, 3);
  EXPECT_EQ(form->robot.GameCount, 0);
}

TEST_F(MartingaleTest, AdaptiveBetsAgainAtOnceAfterAWinInTheLatestDirection) {
  Run(3, "[Robot3]\nBetSize=3\nChainCount=5\n");
  EXPECT_EQ(form->robot.RobotStatus, rsAdaptiveMartingale);
  Signal(drUp);
  Site(ssReady);
  Bet(false);
  ASSERT_TRUE(Requested()) << "a loss among the first three bets bets again at once";
  EXPECT_EQ(form->robot.BetStake, 7);
  form->EVENT.Direction = drDown;  // the indicator turned while the bet ran
  Bet(true);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 3);
  EXPECT_EQ(form->robot.BetDirection, drDown);
  EXPECT_EQ(form->robot.ChainDirection, drDown);
}

TEST_F(MartingaleTest, AdaptiveWaitsForASignalFromItsThirdLoss) {
  Run(3, "[Robot3]\nBetSize=3\nChainCount=5\n");
  Signal(drUp);
  Site(ssReady);
  Bet(false);
  Bet(false);
  Bet(false);
  EXPECT_FALSE(Requested());
  EXPECT_EQ(form->robot.ChainStake, 37);
  Site(ssReady);
  EXPECT_FALSE(Requested());
  Signal(drDown);
  Site(ssReady);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 37);
  EXPECT_EQ(form->robot.BetDirection, drDown);
}

TEST_F(MartingaleTest, PauseInTheChainAndContinueWithTheSavedStake) {
  Run(1);
  Signal(drUp);
  Site(ssReady);
  form->robot_controls.btPause1.onClick();
  Bet(false);
  EXPECT_FALSE(Requested()) << "held back by the pause request";
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotPauseMode, pmPaused);
  EXPECT_EQ(form->robot.RobotPauseType, 2);
  EXPECT_EQ(form->robot.SavedStake, 7);
  EXPECT_EQ(form->robot.SavedBetCount, 1);
  form->robot_controls.btPause3.onClick();
  Site(ssReady);
  EXPECT_TRUE(DebugLogHas(200));
  EXPECT_EQ(form->robot.RobotSubStatus, 7) << "the chain waits for a new signal";
  Site(ssReady);
  EXPECT_FALSE(Requested());
  Signal(drDown);
  Site(ssReady);
  Site(ssReady);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 7);
  EXPECT_EQ(form->robot.BetDirection, drDown);
  EXPECT_EQ(form->robot.BetCount, 1);
}

TEST_F(MartingaleTest, ContinueWithoutAChainStartsAfresh) {
  Run(4);
  form->robot_controls.btPause1.onClick();
  Site(ssReady);
  EXPECT_EQ(form->robot.RobotPauseMode, pmPaused);
  form->robot_controls.btPause3.onClick();
  Site(ssReady);
  EXPECT_TRUE(DebugLogHas(201));
  EXPECT_EQ(form->robot.RobotSubStatus, 0);
}

// A chain paused on a pause request comes back after a restart of the program
// through the resume question.
class ResumeTest : public MartingaleTest {
 protected:
  void PauseInTheChainAndClose(int strategy) {
    Run(strategy, "[Robot" + std::to_string(strategy) + "]\nBetSize=3\nBetCount=5\nChainCount=5\n");
    Signal(drUp);
    Site(ssReady);
    form->robot_controls.btPause1.onClick();
    Bet(false);
    Site(ssReady);
    Site(ssReady);
    ASSERT_EQ(form->robot.RobotPauseMode, pmPaused);
    fake.dialogs.answers = {ModalResult::No};  // do not keep the running robot open
    ASSERT_TRUE(form->FormClose());
    form.reset();
    fake.dialogs.shown.clear();
    Start();
    ASSERT_EQ(form->StrategyIndex(), strategy);
    form->page.SimulatorEnabled = true;
    fake.dialogs.answers = {ModalResult::Yes};
    form->btRunClick();
    ASSERT_EQ(fake.dialogs.shown.size(), 1u) << "the resume question";
    EXPECT_EQ(fake.dialogs.shown[0].kind, DialogKind::Confirmation);
    EXPECT_EQ(form->robot.RobotPauseMode, pmPaused);
    Site(ssReady);
    Site(ssReady);
    EXPECT_EQ(fake.dialogs.shown.size(), 1u) << "asked once";
    form->robot_controls.btPause3.onClick();
  }
};

TEST_F(ResumeTest, MartingaleGoesOnWithItsSavedStakeOnTheNextSignal) {
  PauseInTheChainAndClose(1);
  Site(ssReady);
  Site(ssReady);
  EXPECT_FALSE(Requested());
  Signal(drDown);
  Site(ssReady);
  Site(ssReady);
  ASSERT_TRUE(Requested());
  EXPECT_EQ(form->robot.BetStake, 7);
}

TEST_F(ResumeTest, CautiousAndAdaptiveGoOnWithTheirSavedStake) {
  for (const int strategy : {2, 3}) {
    SCOPED_TRACE(strategy);
    PauseInTheChainAndClose(strategy);
    Site(ssReady);  // the continue drops any signal that came before it
    Signal(drDown);
    Site(ssReady);
    Site(ssReady);
    // The adaptive applied the pair chosen at the start while it waited, not
    // after the signal, which it would have dropped; the cautious chain keeps
    // its market.
    EXPECT_EQ(form->EVENT.ValuteChanged, strategy == 2);
    ASSERT_TRUE(Requested());
    EXPECT_EQ(form->robot.BetStake, 7);
    EXPECT_EQ(form->robot.BetDirection, drDown);
  }
}

}  // namespace
}  // namespace vantrope

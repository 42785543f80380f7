// A martingale chain on the demo broker: losses raise the stake, a win ends
// the chain.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <memory>

#include "log/history_file.h"
#include "engine/bet_ledger.h"
#include "scenario/robot_world.h"
#include "settings/ini_file.h"

namespace vantrope::testing {
namespace {

class MartingaleScenario : public ::testing::Test {
 protected:
  // The strategy page chosen, with its settings, and the outcomes the site gives.
  MartingaleScenario(int strategy = 1,
                     std::vector<RobotWorld::Setting> settings = {{"Robot1", "BetCount", "5"},
                                                                  {"Robot1", "ChainCount", "1"}},
                     std::string script = "LLW", int price_share = 0)
      : world(Options(std::move(script), price_share), Page(strategy, std::move(settings))) {}
  static demo::SiteOptions Options(std::string script, int price_share) {
    demo::SiteOptions options;
    options.script = std::move(script);
    options.price_share = price_share;
    return options;
  }
  static std::vector<RobotWorld::Setting> Page(int strategy, std::vector<RobotWorld::Setting> settings) {
    for (int page = 0; page < 7; ++page)
      settings.push_back({"Robot" + std::to_string(page), "Down", page == strategy ? "1" : "0"});
    settings.push_back({"Robot" + std::to_string(strategy), "BetSize", "3"});
    return settings;
  }
  void StartTrading() {
    world.Start("CR100200", "demo200");
    ASSERT_TRUE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsFormReady; }, 120'000, 10))
        << "the trading form is ready";
  }
  void ExpectBets(const std::vector<int32_t>& stakes, const std::vector<uint8_t>& results,
                  const std::vector<int32_t>& directions) {
    const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
    ASSERT_EQ(records.size(), stakes.size());
    for (size_t i = 0; i < records.size(); ++i) {
      EXPECT_EQ(records[i].Stake, stakes[i]) << i;
      EXPECT_EQ(records[i].Result, results[i]) << i;
      EXPECT_EQ(records[i].Direction, directions[i]) << i;
    }
  }
  TMainForm& F() { return world.Form(); }
  int RowsOfType(TLogType type) {
    int count = 0;
    for (int row = 0; row < F().event_log.gwLog.RowCount(); ++row)
      count += F().event_log.gwLog.Cell(3, row) == std::to_string(type);
    return count;
  }
  // Every won or lost row has its history record, and the records add up to
  // the balance the site shows.
  void TearDown() override {
    const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
    EXPECT_EQ(static_cast<int>(records.size()), RowsOfType(ltWin) + RowsOfType(ltLost));
    double results = 0;
    for (const THistoryRecord& record : records) results += record.BalanceAtResult - record.BalanceAtBet;
    EXPECT_NEAR(F().page.CurrentBalance - F().robot.StartBalance, results, 0.005);
  }

  RobotWorld world;
};

TEST_F(MartingaleScenario, TwoLossesRaiseTheStakeAndTheWinEndsTheChain) {
  StartTrading();
  EXPECT_EQ(F().robot.RobotStatus, rsMartingale);
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltWin) == 1; }, 1'800'000, 10));
  ExpectBets({3, 7, 16}, {2, 2, 1}, {1, 1, 1});
  EXPECT_EQ(F().robot.GameCount, 1) << "one chain won";
  EXPECT_FALSE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000, 10))
      << "one chain per signal";
  EXPECT_EQ(F().robot.RobotSubStatus, 0);
  EXPECT_FALSE(F().EVENT.NewSignal);
}

class MinimumBalanceScenario : public MartingaleScenario {
 protected:
  // Every price half the payout: the chain of five losses costs 74.50 of the 1250.00.
  MinimumBalanceScenario()
      : MartingaleScenario(1,
                           {{"Robot1", "BetCount", "5"}, {"Robot1", "ChainCount", "1"}, {"Binary", "MinBalans", "1150"}},
                           "LLLLLW", 50) {}
};

TEST_F(MinimumBalanceScenario, AChainLostToItsEndIsWeighedWithTheNextChainsStake) {
  StartTrading();
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltLost) == 5; }, 3'600'000, 10));
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 1175.5) << "less 0.75 * 86 it is below 1150, less 0.75 * 3 above";
  ASSERT_TRUE(world.WaitUntil([&] { return F().robot.RobotSubStatus == 0 && F().robot.BetOnStatus == bsFormReady; },
                              120'000, 10))
      << "waiting for the next chain's signal";
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltWin) == 1; }, 1'800'000, 10)) << "no minimum-balance stop";
  ExpectBets({3, 7, 16, 37, 86, 3}, {2, 2, 2, 2, 2, 1}, {1, 1, 1, 1, 1, 1});
}

class MonteCarloScenario : public MartingaleScenario {
 protected:
  MonteCarloScenario() : MartingaleScenario(4, {{"Robot4", "BetCount", "5"}, {"Robot4", "ChainCount", "1"}}, "LW") {}
};

TEST_F(MonteCarloScenario, TheStakeRisesAndTheDirectionTurnsAfterALoss) {
  StartTrading();
  EXPECT_EQ(F().robot.RobotStatus, rsMonteCarlo);
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltWin) == 1; }, 1'800'000, 10));
  ExpectBets({3, 7}, {2, 1}, {1, 2});
  EXPECT_FALSE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000, 10));
}

class CautiousScenario : public MartingaleScenario {
 protected:
  CautiousScenario() : MartingaleScenario(2, {{"Robot2", "BetCount", "2"}, {"Robot2", "ChainCount", "5"}}, "LLW") {}
};

TEST_F(CautiousScenario, TheChainWaitsForTheNextSignalAndGoesOnWithTheRaisedStake) {
  StartTrading();
  EXPECT_EQ(F().robot.RobotStatus, rsCautiousMartingale);
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltLost) == 2; }, 1'800'000, 10));
  EXPECT_FALSE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 300'000, 10))
      << "two bets per signal";
  world.Signal(drDown);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltWin) == 1; }, 1'800'000, 10));
  ExpectBets({3, 7, 16}, {2, 2, 1}, {1, 1, 2});
}

class AdaptiveScenario : public MartingaleScenario {
 protected:
  AdaptiveScenario() : MartingaleScenario(3, {{"Robot3", "ChainCount", "5"}}, "LWL") {}
};

TEST_F(AdaptiveScenario, AWinIsFollowedAtOnceByTheInitialStakeInTheLatestDirection) {
  StartTrading();
  EXPECT_EQ(F().robot.RobotStatus, rsAdaptiveMartingale);
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltLost) == 1; }, 1'800'000, 10));
  ASSERT_TRUE(world.WaitUntil([&] { return F().robot.BetOnStatus > bsBetRequested && F().robot.BetOnStatus != bsIdle; },
                              120'000, 10))
      << "the second bet of the signal at once";
  world.Signal(drDown);  // the indicator turns while the bet runs
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltLost) == 2; }, 1'800'000, 10));
  ExpectBets({3, 7, 3}, {2, 1, 2}, {1, 1, 2});
}

// A chain paused after a result, the program closed and started again: the
// resume question comes once and the chain goes on with its saved stake.
TEST(MartingaleRestartScenario, PausedChainGoesOnAfterARestartWithItsSavedStake) {
  std::vector<RobotWorld::Setting> saved;
  {
    demo::SiteOptions options;
    options.script = "L";
    RobotWorld world(options, {{"Robot0", "Down", "0"}, {"Robot1", "Down", "1"}, {"Robot1", "BetSize", "3"}});
    TMainForm& f = world.Form();
    world.Start("CR100200", "demo200");
    ASSERT_TRUE(world.WaitUntil([&] { return f.robot.BetOnStatus == bsFormReady; }, 120'000, 10));
    world.Signal(drUp);
    ASSERT_TRUE(world.WaitUntil([&] { return f.robot.BetOnStatus == bsBetRequested; }, 60'000, 10));
    f.robot_controls.btPause1.onClick();
    ASSERT_TRUE(world.WaitUntil([&] { return f.robot.RobotPauseMode == pmPaused; }, 1'800'000, 10));
    EXPECT_EQ(f.robot.SavedStake, 7);
    EXPECT_EQ(f.robot.SavedBetCount, 1);
    world.dialogs.answers = {ModalResult::No};  // close the running robot
    ASSERT_TRUE(f.FormClose());
    const IniFile ini("Vantrope.ini");
    for (const char* key : {"RobotMode", "RobotLastBet", "RobotBetCount", "RobotGameCount"})
      saved.push_back({"Binary", key, ini.ReadString("Binary", key, "")});
    EXPECT_EQ(saved[0].value, "202");
  }
  demo::SiteOptions options;
  options.script = "W";
  saved.insert(saved.end(), {{"Robot0", "Down", "0"}, {"Robot1", "Down", "1"}, {"Robot1", "BetSize", "3"}});
  RobotWorld world(options, saved);
  TMainForm& f = world.Form();
  auto questions = [&] {
    int count = 0;
    for (const FakeDialogs::Shown& box : world.dialogs.shown) count += box.title == f.Txt(179);
    return count;
  };
  world.dialogs.answers = {ModalResult::Yes};
  world.Start("CR100200", "demo200");
  ASSERT_TRUE(world.WaitUntil([&] { return f.robot.BetOnStatus == bsFormReady; }, 120'000, 10));
  EXPECT_EQ(questions(), 1);
  EXPECT_EQ(f.robot.RobotPauseMode, pmPaused);
  f.robot_controls.btPause3.onClick();
  ASSERT_TRUE(world.WaitUntil([&] { return f.robot.RobotPauseMode == pmNone; }, 20'000, 10)) << "the chain goes on";
  world.Signal(drDown);
  ASSERT_TRUE(world.WaitUntil([&] { return ReadHistoryFile("history.dat").size() == 1; }, 1'800'000, 10));
  const THistoryRecord record = ReadHistoryFile("history.dat")[0];
  EXPECT_EQ(record.Stake, 7);
  EXPECT_EQ(record.Direction, 2);
  EXPECT_EQ(record.Result, 1);
  EXPECT_EQ(questions(), 1) << "asked once";
  int result_rows = 0;
  for (int row = 0; row < f.event_log.gwLog.RowCount(); ++row)
    result_rows += f.event_log.gwLog.Cell(3, row) == std::to_string(ltWin);
  EXPECT_EQ(result_rows, 1);
  EXPECT_NEAR(f.page.CurrentBalance - f.robot.StartBalance, record.BalanceAtResult - record.BalanceAtBet, 0.005);
}

// A bet asked for meets the trading page of another market before its
// prices: the cycle goes back to the market choice, and the chain follows
// its bet all the while (the long simulation, seed 6000012, saw a chain lose
// track of it and never place the stake it owed).
class OtherMarketMidBetScenario : public MartingaleScenario {
 protected:
  OtherMarketMidBetScenario()
      : MartingaleScenario(1, {{"Robot1", "BetCount", "5"}, {"Robot1", "ChainCount", "1"}}, "LW") {}
};

TEST_F(OtherMarketMidBetScenario, TheChainFollowsItsBetThroughTheMarketChoice) {
  StartTrading();
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 60'000, 10));
  F().browser_supervisor.NavigateUrl(F().site.ReturnUrl);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltWin) == 1; }, 1'800'000, 10))
      << "the chain bet the stake it owed after the loss";
  ExpectBets({3, 7}, {2, 1}, {1, 1});
}

// The program is killed with the chain's first purchase open: started again
// on the same folder, it follows that contract to its result, records it
// once, and the chain goes on with the stake it owes.
class KilledMidChainScenario : public MartingaleScenario {
 protected:
  KilledMidChainScenario() : MartingaleScenario(1, {{"Robot1", "BetCount", "5"}, {"Robot1", "ChainCount", "1"}}, "LW") {}
};

TEST_F(KilledMidChainScenario, RestartRecordsTheOpenPurchaseOnceAndTheChainOwesItsRaisedStake) {
  StartTrading();
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsAwaitResult; }, 300'000, 10));
  ASSERT_EQ(world.Site().Contracts().size(), 1u);

  world.Restart();
  EXPECT_EQ(F().event_log.gwLog.RowCount(), 1) << "the start-up says a bet was open";
  world.dialogs.answers.push_back(ModalResult::Yes);  // the chain is taken up
  world.Start("CR100200", "demo200");
  EXPECT_TRUE(world.dialogs.answers.empty()) << "the chain was offered";
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltWin) == 1; }, 1'800'000, 10));
  EXPECT_EQ(RowsOfType(ltLost), 1) << "the open purchase's row closed with its result";
  ExpectBets({3, 7}, {2, 1}, {1, 1});
  ASSERT_EQ(world.Site().Contracts().size(), 2u);
  EXPECT_EQ(world.Site().Contracts()[1].payout, 700) << "the stake the chain owed after the loss";
  EXPECT_NEAR(F().robot.StartBalance, ReadHistoryFile("history.dat").at(0).BalanceAtBet, 0.005)
      << "the run starts from the balance before the purchase it took up";
}

// Started again outside its working hours, the robot still follows the
// purchase the chain left open, so its loss raises the chain; then it pauses.
TEST_F(KilledMidChainScenario, OutsideTheWorkingHoursTheOpenPurchaseStillDrivesTheChain) {
  StartTrading();
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsAwaitResult; }, 300'000, 10));

  world.Restart();
  F().robot_controls.cbBetOnRobotWorkTime.SetChecked(true);  // from midnight to one: the day began at noon
  F().robot_controls.cbeBetOnWorkStart.SetItemIndex(0);
  F().robot_controls.cbeBetOnWorkEnd.SetItemIndex(1);
  world.dialogs.answers.push_back(ModalResult::Yes);
  world.Start("CR100200", "demo200");
  ASSERT_TRUE(world.WaitUntil([&] { return F().robot.RobotPauseMode == pmPaused; }, 1'800'000, 10));
  EXPECT_EQ(RowsOfType(ltLost), 1);
  EXPECT_EQ(F().robot.SavedStake, 7) << "the stake the chain owes after the loss";
  EXPECT_EQ(world.Site().Contracts().size(), 1u) << "nothing bought outside the hours";
}

// The site refused the chain's first bet at its price, and the program died
// before the buy was pressed again: the chain taken up has no bet behind it
// and runs to its full length of three.
class KilledAfterARefusedPressScenario : public MartingaleScenario {
 protected:
  KilledAfterARefusedPressScenario()
      : MartingaleScenario(1, {{"Robot1", "BetCount", "3"}, {"Robot1", "ChainCount", "1"}}, "LLL") {}
};

TEST_F(KilledAfterARefusedPressScenario, TheChainTakenUpDoesNotCountTheBetNeverBought) {
  bool refused = false;
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (request.path != "/d/buy.cgi" || refused) return std::nullopt;
    refused = true;
    world.Site().ChangePrices();
    return world.Site().Handle(request);
  };
  StartTrading();
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return refused && F().ledger.Open() == TOpenBet::Requested; }, 600'000, 10));

  world.Restart();
  world.dialogs.answers.push_back(ModalResult::Yes);
  world.Start("CR100200", "demo200");
  ASSERT_TRUE(world.WaitUntil([&] { return F().robot.BetOnStatus == bsFormReady; }, 120'000, 10));
  world.Signal(drUp);
  EXPECT_TRUE(world.WaitUntil([&] { return RowsOfType(ltLost) == 3; }, 1'800'000, 10));
  ASSERT_EQ(world.Site().Contracts().size(), 3u);
  EXPECT_EQ(world.Site().Contracts()[2].payout, 1600) << "the chain's third bet";
}

// A chain whose last bet has just won is over, though the strategy's next
// step, which opens a new one, has not come yet: the journal keeps no chain
// for a program killed in between to take up with the old counts.
class ChainEndedScenario : public MartingaleScenario {
 protected:
  ChainEndedScenario() : MartingaleScenario(2, {{"Robot2", "BetCount", "2"}, {"Robot2", "ChainCount", "5"}}, "WW") {}
};

TEST_F(ChainEndedScenario, TheJournalKeepsNoChainOnceItsLastBetWon) {
  StartTrading();
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return RowsOfType(ltWin) == 2; }, 1'800'000, 10));
  std::ifstream file(kBetJournalFileName);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::optional<LedgerState> journal = DecodeJournal(text);
  ASSERT_TRUE(journal);
  EXPECT_FALSE(journal->chain) << text;
}

// A chain of the cautious martingale taken up at Start goes on at the
// strategy's first step, which may wait for the site; a program killed
// before that step finds the chain in the journal all the same (the long
// simulation, seed 102115, saw the chain lost at the step that chose the
// strategy).
TEST(ChainTakenUpScenario, AKillBeforeTheStrategyGoesOnKeepsTheChain) {
  demo::SiteOptions options;
  options.script = "L";
  RobotWorld world(options, {{"Robot0", "Down", "0"}, {"Robot2", "Down", "1"}, {"Robot2", "BetSize", "3"},
                             {"Robot2", "BetCount", "1"}, {"Robot2", "ChainCount", "5"}});
  world.Start("CR100200", "demo200");
  ASSERT_TRUE(world.WaitUntil([&] { return world.Form().robot.BetOnStatus == bsFormReady; }, 120'000, 10));
  world.Signal(drUp);
  ASSERT_TRUE(world.WaitUntil([&] { return ReadHistoryFile("history.dat").size() == 1; }, 1'800'000, 10));
  for (int start = 1; start <= 2; ++start) {
    world.Restart();
    TMainForm& f = world.Form();
    world.dialogs.answers = {ModalResult::Yes};
    world.Start("CR100200", "demo200");
    ASSERT_TRUE(world.dialogs.answers.empty()) << "start " << start << ": the chain is offered";
    ASSERT_TRUE(world.WaitUntil(
        [&] { return f.robot.RobotStatus != rsStarted && f.robot.RobotStatus != rsChoosingStrategy; }, 120'000, 10));
    ASSERT_EQ(f.robot.RobotPauseMode, pmContinue) << "the strategy has not gone on yet";
  }
}

}  // namespace
}  // namespace vantrope::testing

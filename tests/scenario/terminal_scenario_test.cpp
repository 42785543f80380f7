// Arrows on the terminal's chart trade on the demo broker: the seeker finds
// the terminal, the bet pair and period follow its chart, an arrow bets.
#include <gtest/gtest.h>

#include "scenario/chart_scenario.h"

namespace vantrope::testing {
namespace {

class TerminalScenario : public ChartScenario {
 protected:
  explicit TerminalScenario(std::vector<RobotWorld::Setting> settings = {}) : ChartScenario("WLWL", std::move(settings)) {}
  const std::vector<THistoryRecord> Records() { return ReadHistoryFile("history.dat"); }
};

TEST_F(TerminalScenario, ArrowsOnTheChartBecomeBetsOnItsPair) {
  world.Wait(2000);
  EXPECT_EQ(F().chart.cbeBetOnValutePair_.Text(), "GBP/USD") << "the pair box follows the chart";
  EXPECT_EQ(F().chart.teBetOnBetPeriod_.Text(), "5");

  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  EXPECT_EQ(F().EVENT.Valute, "frxGBPUSD");
  EXPECT_EQ(F().robot.BetPeriod, 5);

  DrawArrowAt(60, 200, true);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000)) << "the up arrow's bet is won";
  std::vector<THistoryRecord> records = Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Pair, "frxGBPUSD");
  EXPECT_EQ(records[0].Direction, 1);
  EXPECT_EQ(RowsOfType(ltUp), 1) << "one up signal for an arrow seen on every pass";

  // The simple strategy bets twice on a signal; once both are done, a newer
  // down arrow right of the up arrow turns the robot to down.
  ASSERT_TRUE(RunUntil([&] { return Records().size() == 2 && F().robot.BetOnStatus == bsFormReady; }, 600'000));
  DrawArrowAt(80, 100, false);
  const auto down_bets = [&] {
    int count = 0;
    for (const THistoryRecord& record : Records()) count += record.Direction == 2;
    return count;
  };
  ASSERT_TRUE(RunUntil([&] { return down_bets() == 1; }, 600'000)) << "a down bet finished";
  EXPECT_EQ(RowsOfType(ltDown), 1);
  EXPECT_EQ(RowsOfType(ltUp), 1);
  EXPECT_EQ(Records().back().Pair, "frxGBPUSD");
  CheckInvariants();
}

// The program dies after buying an arrow and comes back while a window
// covers the chart: once the cover goes, the arrow it bought stands there as
// if new to this program. It is the signal the last one took.
class KilledCoveredTerminalScenario : public TerminalScenario {
 protected:
  KilledCoveredTerminalScenario() : TerminalScenario({{"Robot0", "BetCount", "1"}}) {}
  void BuyAnArrowThenRestartCovered() {
    Start("CR100200", "demo200");
    ASSERT_TRUE(ReachReadyForm());
    DrawArrowAt(60, 200, true);
    ASSERT_TRUE(RunUntil([&] { return world.Site().Contracts().size() == 1; }, 60'000));
    Terminal().cover.Resize(800, 600);
    Terminal().cover.Fill(ui::Rgb(255, 255, 255));
    Terminal().covered = true;
    world.Restart();
    world.browser->on_buy_press = [this](const std::string& id) { OnBuyPress(id); };
    world.Start("CR100200", "demo200");
    ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000)) << "the open purchase is followed";
  }
  void UncoverThenDrawTheNextArrow() {
    Terminal().covered = false;
    world.Wait(180'000);
    EXPECT_EQ(world.Site().Contracts().size(), 1u) << "the arrow bought before the kill is not bought again";
    DrawArrowAt(80, 100, false);
    EXPECT_TRUE(RunUntil([&] { return world.Site().Contracts().size() == 2; }, 60'000)) << "the next arrow is";
    EXPECT_TRUE(RunUntil([&] { return RowsOfType(ltLost) == 1; }, 600'000));
  }
};

TEST_F(KilledCoveredTerminalScenario, TheArrowRaisesNoSignalForItsDirectionIsTheLastSignals) {
  BuyAnArrowThenRestartCovered();
  UncoverThenDrawTheNextArrow();
  EXPECT_EQ(RowsOfType(ltUp), 0);
}

// A bet refused or given up forgets the direction; the arrow then raises
// its signal again, of an age the new program cannot know.
TEST_F(KilledCoveredTerminalScenario, ARaisedAgainArrowOfTheLastSignalsDirectionIsOfUnknownAge) {
  BuyAnArrowThenRestartCovered();
  F().EVENT.Direction = drNone;
  UncoverThenDrawTheNextArrow();
  EXPECT_EQ(RowsOfType(ltUp), 1);
}

// The last program's arrow stood on its own chart: on the chart that
// replaced it while no program ran, an arrow of that direction is new.
TEST_F(KilledCoveredTerminalScenario, OnAnotherChartTheLastSignalsDirectionIsOfNoUnknownAge) {
  ASSERT_TRUE(StartTrading());
  DrawArrowAt(60, 200, true);
  ASSERT_TRUE(RunUntil([&] { return world.Site().Contracts().size() == 1; }, 60'000));
  Terminal().picture.Fill(ui::Rgb(0, 0, 0));
  Terminal().caption = "1000200: Demo-Server - Demo Account - [EURUSD,M5]";
  world.Restart();
  world.browser->on_buy_press = [this](const std::string& id) { OnBuyPress(id); };
  world.Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000)) << "the open purchase is followed";
  Idle(60'000);
  F().EVENT.Direction = drNone;
  DrawArrowAt(80, 100, true);
  EXPECT_TRUE(RunUntil([&] { return world.Site().Contracts().size() == 2; }, 60'000));
  EXPECT_TRUE(Finished(2));
}

// A bet given up forgets its signal's direction, in the journal too: the
// program started after a kill buys the next arrow of that direction.
TEST_F(KilledCoveredTerminalScenario, ASignalGivenUpIsForgottenAcrossAKill) {
  ASSERT_TRUE(StartTrading());
  world.Site().WithholdPrices(true);
  DrawArrowAt(60, 200, true);
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.Direction == drUp; }, 10'000));
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.Direction == drNone; }, 600'000)) << "the bet given up";
  world.Site().WithholdPrices(false);
  Terminal().picture.Fill(ui::Rgb(0, 0, 0));
  world.Restart();
  world.browser->on_buy_press = [this](const std::string& id) { OnBuyPress(id); };
  world.Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  DrawArrowAt(80, 100, true);
  EXPECT_TRUE(RunUntil([&] { return Purchases() == 1; }, 60'000));
  EXPECT_TRUE(Finished(1));
}

}  // namespace
}  // namespace vantrope::testing

// Arrows on the terminal's chart trade on the demo broker: the seeker finds
// the terminal, the bet pair and period follow its chart, an arrow bets.
#include <gtest/gtest.h>

#include "scenario/chart_scenario.h"

namespace vantrope::testing {
namespace {

class TerminalScenario : public ChartScenario {
 protected:
  TerminalScenario() : ChartScenario("WLWL") {}
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

}  // namespace
}  // namespace vantrope::testing

// The wall clock stepped an hour (daylight saving, an NTP step, the user)
// while the robot works: arrow ages, the terminal's sightings and the stall
// report keep the timers' pace, not the clock's.
#include <gtest/gtest.h>

#include "scenario/chart_scenario.h"

namespace vantrope::testing {
namespace {

constexpr int kSignalTooOld = 294;
constexpr int kResultOverdue = 298;
constexpr int64_t kHourMs = 3'600'000;

class WallClockScenario : public ChartScenario {
 protected:
  WallClockScenario() : ChartScenario("WL", {{"Robot0", "BetCount", "1"}}) {}
};

// The site holds the prices up past the arrow's lifetime while the clock is
// set back: the old arrow is not bought, nor when the hour comes back, and
// the next fresh arrow is.
TEST_F(WallClockScenario, AClockSetBackOrForwardNeverMakesAnOldArrowFresh) {
  ASSERT_TRUE(StartTrading());
  world.browser->load_ms = [](const std::string& address) -> std::optional<int> {
    if (address.find("get_prices") == std::string::npos) return std::nullopt;
    return 70'000;
  };
  DrawArrowAt(60, 200, true);
  ASSERT_TRUE(RunUntil([&] { return F().ledger.Open() == TOpenBet::Requested; }, 10'000));
  Idle(20'000);
  world.clock.StepWallClock(-kHourMs);
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltInfo, kSignalTooOld) == 1; }, 120'000));
  EXPECT_EQ(Purchases(), 0) << "an arrow over a minute old bought";

  world.browser->load_ms = nullptr;
  ASSERT_TRUE(ReachReadyForm());
  Idle(10'000);
  world.clock.StepWallClock(kHourMs);
  Idle(60'000);
  EXPECT_EQ(Purchases(), 0) << "the old arrow taken for a new one when the hour came back";
  EXPECT_EQ(RowsWith(ltInfo, kSignalTooOld), 1);

  DrawArrowAt(80, 100, false);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000));
  EXPECT_EQ(Purchases(), 1);
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Direction, 2);
}

// A bet open while the clock goes an hour forward and back: followed to its
// result without a word of an overdue result, bought once, and the next
// arrow bought after it.
TEST_F(WallClockScenario, ABetOpenWhileTheClockStepsIsFollowedToItsResult) {
  ASSERT_TRUE(StartTrading());
  DrawArrowAt(60, 200, true);
  ASSERT_TRUE(RunUntil([&] { return Purchases() == 1; }, 30'000));
  Idle(5'000);
  world.clock.StepWallClock(kHourMs);
  Idle(120'000);
  world.clock.StepWallClock(-kHourMs);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000));
  EXPECT_EQ(Purchases(), 1);
  EXPECT_EQ(RowsWith(ltInfo, kResultOverdue), 0) << "a result told overdue that was not";
  ASSERT_EQ(ReadHistoryFile("history.dat").size(), 1u);

  world.clock.StepWallClock(-kHourMs);
  ASSERT_TRUE(ReachReadyForm());
  DrawArrowAt(80, 100, false);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltLost) == 1; }, 600'000));
  EXPECT_EQ(Purchases(), 2);
  EXPECT_EQ(RowsWith(ltInfo, kResultOverdue), 0);
  EXPECT_EQ(ReadHistoryFile("history.dat").size(), 2u);
}

}  // namespace
}  // namespace vantrope::testing

// The terminal minimised, or moved to another desktop, while the robot
// trades on its arrows.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenario/chart_scenario.h"

namespace vantrope::testing {
namespace {

constexpr int kTerminalHidden = 288;
constexpr int kSignalTooOld = 294;
using Sight = FakeWindowSystem::Sight;

class TerminalSightScenario : public ChartScenario {
 protected:
  TerminalSightScenario() : ChartScenario("WL", {{"Robot0", "BetCount", "1"}}) {}
  long Restores() {
    const std::vector<std::string>& calls = world.windows.calls;
    return std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("restore ", 0) == 0; });
  }
};

// Minimised between two arrows: restored at once without a word, and the
// next arrow bought as if nothing had happened.
TEST_F(TerminalSightScenario, AMinimisedTerminalIsRestoredAndItsNextArrowBought) {
  ASSERT_TRUE(StartTrading());
  DrawArrowAt(60, 200, true);
  ASSERT_TRUE(Finished(1));
  ASSERT_TRUE(ReachReadyForm());

  Terminal().sight = Sight::kMinimised;
  Idle(3000);
  EXPECT_EQ(Terminal().sight, Sight::kShown);
  EXPECT_EQ(Restores(), 1);
  EXPECT_EQ(RowsWith(ltError, kTerminalHidden), 0) << "a terminal back in sight is not told of";
  DrawArrowAt(80, 100, false);
  ASSERT_TRUE(Finished(2));
  EXPECT_EQ(Purchases(), 2);
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1].Direction, 2);
}

// On another desktop the terminal cannot be restored: told once, the
// robot's window left alone after the one try. An arrow drawn meanwhile is
// not bought when the terminal comes back minutes later; the next one is.
TEST_F(TerminalSightScenario, ATerminalOnAnotherDesktopIsToldOnceAndNothingDrawnMeanwhileBoughtLate) {
  ASSERT_TRUE(StartTrading());
  const int fronts = world.shell.bring_to_front_calls;

  Terminal().sight = Sight::kOtherDesktop;
  Idle(30'000);
  DrawArrowAt(60, 200, true);
  Idle(150'000);
  EXPECT_EQ(RowsWith(ltError, kTerminalHidden), 1);
  EXPECT_EQ(Restores(), 1);
  EXPECT_EQ(world.shell.bring_to_front_calls, fronts + 1);

  Terminal().sight = Sight::kShown;
  Idle(60'000);
  EXPECT_EQ(Purchases(), 0) << "an arrow drawn while the terminal was away bought late";
  EXPECT_EQ(RowsWith(ltInfo, kSignalTooOld), 1) << "seen, and told too old";
  DrawArrowAt(80, 100, false);
  ASSERT_TRUE(Finished(1));
  EXPECT_EQ(Purchases(), 1);
  EXPECT_EQ(ReadHistoryFile("history.dat").back().Direction, 2);
  EXPECT_EQ(RowsWith(ltError, kTerminalHidden), 1);
}

// The window gone a while and back (the terminal restarted, its chart the
// same): an arrow found then may be as old as the absence.
TEST_F(TerminalSightScenario, AnArrowFoundWhenTheTerminalWindowIsBackIsAsOldAsItsAbsence) {
  ASSERT_TRUE(StartTrading());
  Terminal().exists = false;
  Idle(30'000);
  DrawArrowAt(60, 200, true);
  Idle(90'000);
  Terminal().exists = true;
  Idle(60'000);
  EXPECT_EQ(Purchases(), 0) << "an arrow drawn while the window was gone bought late";
  EXPECT_EQ(RowsWith(ltInfo, kSignalTooOld), 1);
  DrawArrowAt(80, 100, false);
  ASSERT_TRUE(Finished(1));
  EXPECT_EQ(Purchases(), 1);
}

}  // namespace
}  // namespace vantrope::testing

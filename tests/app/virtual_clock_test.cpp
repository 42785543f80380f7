// The virtual clock that drives the timers in every time-dependent test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/virtual_clock.h"

namespace vantrope::testing {
namespace {

TEST(VirtualClockTest, FiresTimersInOrderOfDueTime) {
  VirtualClock clock;
  std::vector<std::string> fired;
  ui::Timer slow(clock, "slow", 300, [&] { fired.push_back("slow@" + std::to_string(clock.ElapsedMs())); });
  ui::Timer fast(clock, "fast", 200, [&] { fired.push_back("fast@" + std::to_string(clock.ElapsedMs())); });
  slow.SetEnabled(true);
  fast.SetEnabled(true);
  clock.Advance(650);
  EXPECT_EQ(fired, (std::vector<std::string>{"fast@200", "slow@300", "fast@400", "slow@600", "fast@600"}));
  EXPECT_EQ(clock.ElapsedMs(), 650);
}

TEST(VirtualClockTest, HandlersThatChangeTheirTimerWin) {
  VirtualClock clock;
  int ticks = 0;
  ui::Timer* self = nullptr;
  ui::Timer timer(clock, "t", 500, [&] {
    ++ticks;
    self->SetEnabled(false);  // a one-shot, as the bet-state timer is during its tick
    if (ticks == 1) {
      self->SetInterval(20);
      self->SetEnabled(true);
    }
  });
  self = &timer;
  timer.SetEnabled(true);
  clock.Advance(10'000);
  EXPECT_EQ(ticks, 2);
  EXPECT_FALSE(clock.IsArmed(timer));
}

TEST(VirtualClockTest, NewIntervalRestartsARunningTimer) {
  VirtualClock clock;
  int ticks = 0;
  ui::Timer timer(clock, "t", 1000, [&] { ++ticks; });
  timer.SetEnabled(true);
  clock.Advance(900);
  timer.SetInterval(1000);  // unchanged: no restart
  clock.Advance(100);
  EXPECT_EQ(ticks, 1);
  clock.Advance(900);
  timer.SetInterval(500);
  clock.Advance(499);
  EXPECT_EQ(ticks, 1);
  clock.Advance(1);
  EXPECT_EQ(ticks, 2);
}

TEST(VirtualClockTest, NowCountsDaysAndFractions) {
  VirtualClock clock;
  const double start = clock.Now();
  clock.Advance(6 * 60 * 60 * 1000);
  EXPECT_DOUBLE_EQ(clock.Now() - start, 0.25);
}

}  // namespace
}  // namespace vantrope::testing

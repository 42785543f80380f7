// The terminal's schedule on a clock moved by hand: a bar every timeframe
// and an arrow every so often, both shortened by the time scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "demo/terminal/demo_terminal.h"
#include "terminal_manual_clock.h"

namespace vantrope::testing {
namespace {

using demo::terminal::DemoTerminal;

demo::terminal::TerminalOptions Scaled(const char* timeframe, int time_scale, int signal_seconds) {
  demo::terminal::TerminalOptions options;
  options.timeframe = *demo::terminal::FindTimeframe(timeframe);
  options.time_scale = time_scale;
  options.signal_seconds = signal_seconds;
  return options;
}

int64_t NewestSerial(const DemoTerminal& terminal) { return terminal.chart().Newest().serial; }

TEST(DemoTerminalSchedule, ANewBarEveryScaledTimeframe) {
  ManualTerminalClock clock;
  DemoTerminal terminal(Scaled("M1", 20, 0), clock);  // a bar every 3 s
  const int64_t first = NewestSerial(terminal);
  EXPECT_EQ(terminal.MsUntilNextEvent(), 3000);

  clock.now_ms = 2999;
  EXPECT_FALSE(terminal.CatchUp());
  EXPECT_EQ(terminal.MsUntilNextEvent(), 1);
  clock.now_ms = 3000;
  EXPECT_TRUE(terminal.CatchUp());
  EXPECT_EQ(NewestSerial(terminal), first + 1);
  EXPECT_EQ(terminal.MsUntilNextEvent(), 3000);

  // A late look catches up with every bar that fell due meanwhile.
  clock.now_ms = 3000 + 4 * 3000 + 10;
  EXPECT_TRUE(terminal.CatchUp());
  EXPECT_EQ(NewestSerial(terminal), first + 5);
  EXPECT_EQ(terminal.MsUntilNextEvent(), 2990);
}

TEST(DemoTerminalSchedule, AnotherTimeframeStartsAWholeNewBar) {
  ManualTerminalClock clock;
  DemoTerminal terminal(Scaled("M1", 20, 0), clock);
  const int64_t first = NewestSerial(terminal);
  clock.now_ms = 2000;
  EXPECT_EQ(terminal.HandleLine("timeframe M5").reply, "ok timeframe M5");
  EXPECT_EQ(terminal.MsUntilNextEvent(), 15000);
  clock.now_ms = 16999;
  EXPECT_FALSE(terminal.CatchUp());
  clock.now_ms = 17000;
  EXPECT_TRUE(terminal.CatchUp());
  EXPECT_EQ(NewestSerial(terminal), first + 1);
}

TEST(DemoTerminalSchedule, AnArrowDueWithABarLandsOnTheNewBarInSeededDirections) {
  std::vector<std::vector<bool>> runs;
  for (int run = 0; run < 2; ++run) {
    ManualTerminalClock clock;
    DemoTerminal terminal(Scaled("M1", 20, 60), clock);  // both every 3 s
    const int64_t first = NewestSerial(terminal);
    std::vector<bool> ups;
    for (int k = 1; k <= 40; ++k) {
      clock.now_ms = 3000 * k;
      ASSERT_TRUE(terminal.CatchUp());
      const auto& newest = terminal.chart().Newest();
      ASSERT_EQ(newest.serial, first + k);
      ASSERT_NE(newest.up_arrow, newest.down_arrow);
      ups.push_back(newest.up_arrow);
    }
    runs.push_back(ups);
  }
  EXPECT_EQ(runs[0], runs[1]);
  EXPECT_NE(std::count(runs[0].begin(), runs[0].end(), true), 0);
  EXPECT_NE(std::count(runs[0].begin(), runs[0].end(), false), 0);
}

TEST(DemoTerminalSchedule, ArrowsBetweenBarsMarkTheNewestBar) {
  ManualTerminalClock clock;
  DemoTerminal terminal(Scaled("M1", 20, 30), clock);  // bars every 3 s, arrows every 1.5 s
  const int64_t first = NewestSerial(terminal);
  EXPECT_EQ(terminal.MsUntilNextEvent(), 1500);
  clock.now_ms = 1499;
  EXPECT_FALSE(terminal.CatchUp());
  clock.now_ms = 1500;
  EXPECT_TRUE(terminal.CatchUp());
  EXPECT_EQ(NewestSerial(terminal), first);
  EXPECT_TRUE(terminal.chart().Newest().up_arrow || terminal.chart().Newest().down_arrow);
  EXPECT_EQ(terminal.MsUntilNextEvent(), 1500);
}

TEST(DemoTerminalSchedule, NoArrowsWithoutSignalsOrCommands) {
  ManualTerminalClock clock;
  DemoTerminal terminal(Scaled("M1", 60, 0), clock);
  clock.now_ms = 600'000;
  EXPECT_TRUE(terminal.CatchUp());
  for (const auto& bar : terminal.chart().Bars()) EXPECT_FALSE(bar.up_arrow || bar.down_arrow);
  EXPECT_EQ(terminal.MsUntilNextEvent(), 1000);
}

}  // namespace
}  // namespace vantrope::testing

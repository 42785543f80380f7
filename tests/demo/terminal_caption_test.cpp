// The caption the robot reads the chart's pair and timeframe from.
#include <gtest/gtest.h>

#include "demo/terminal/caption.h"
#include "demo/terminal/demo_terminal.h"
#include "terminal_manual_clock.h"

namespace vantrope::testing {
namespace {

using demo::terminal::DemoTerminal;
using demo::terminal::TerminalCaption;

TEST(DemoTerminalCaption, EndsWithPairAndTimeframeInBrackets) {
  EXPECT_EQ(TerminalCaption("EURUSD", "M1"), "1000200: Demo-Server - Demo Account - [EURUSD,M1]");
  EXPECT_EQ(TerminalCaption("GBPJPY", "Daily"), "1000200: Demo-Server - Demo Account - [GBPJPY,Daily]");
}

TEST(DemoTerminalCaption, FollowsThePairAndTimeframeCommands) {
  ManualTerminalClock clock;
  demo::terminal::TerminalOptions options;
  options.pair = "USDCAD";
  options.timeframe = *demo::terminal::FindTimeframe("H4");
  DemoTerminal terminal(options, clock);
  EXPECT_EQ(terminal.Caption(), "1000200: Demo-Server - Demo Account - [USDCAD,H4]");

  EXPECT_EQ(terminal.HandleLine("pair GBPUSD").reply, "ok pair GBPUSD");
  EXPECT_EQ(terminal.Caption(), "1000200: Demo-Server - Demo Account - [GBPUSD,H4]");
  EXPECT_EQ(terminal.HandleLine("timeframe w1").reply, "ok timeframe W1");
  EXPECT_EQ(terminal.Caption(), "1000200: Demo-Server - Demo Account - [GBPUSD,W1]");
  EXPECT_EQ(terminal.HandleLine("timeframe daily").reply, "ok timeframe Daily");
  EXPECT_EQ(terminal.Caption(), "1000200: Demo-Server - Demo Account - [GBPUSD,Daily]");
  EXPECT_EQ(terminal.ChartName(), "GBPUSD,Daily");

  // A refused command leaves the caption as it was.
  EXPECT_EQ(terminal.HandleLine("timeframe M2").reply, "error timeframe M2");
  EXPECT_EQ(terminal.Caption(), "1000200: Demo-Server - Demo Account - [GBPUSD,Daily]");
}

}  // namespace
}  // namespace vantrope::testing

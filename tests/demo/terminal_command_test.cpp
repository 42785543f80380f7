// The demo terminal's standard input and command line.
#include <gtest/gtest.h>

#include "demo/terminal/command.h"
#include "demo/terminal/demo_terminal.h"
#include "demo/terminal/terminal_options.h"
#include "terminal_manual_clock.h"

namespace vantrope::testing {
namespace {

using demo::terminal::Command;
using demo::terminal::CommandText;
using demo::terminal::ParseCommand;
using demo::terminal::ParseTerminalOptions;

TEST(DemoTerminalCommand, ReadsEveryCommandWithBlanksAroundAndCanonicalTimeframes) {
  EXPECT_EQ(ParseCommand("up"), (Command{Command::Kind::kUp, ""}));
  EXPECT_EQ(ParseCommand("  down \r"), (Command{Command::Kind::kDown, ""}));
  EXPECT_EQ(ParseCommand("pair   GBPUSD"), (Command{Command::Kind::kPair, "GBPUSD"}));
  EXPECT_EQ(ParseCommand("pair eurusdpro"), (Command{Command::Kind::kPair, "eurusdpro"}));
  EXPECT_EQ(ParseCommand("timeframe h1"), (Command{Command::Kind::kTimeframe, "H1"}));
  EXPECT_EQ(ParseCommand("timeframe DAILY"), (Command{Command::Kind::kTimeframe, "Daily"}));
  EXPECT_EQ(ParseCommand("timeframe mn"), (Command{Command::Kind::kTimeframe, "MN"}));
  EXPECT_EQ(ParseCommand("clear"), (Command{Command::Kind::kClear, ""}));
  EXPECT_EQ(ParseCommand("quit"), (Command{Command::Kind::kQuit, ""}));
  EXPECT_EQ(CommandText(*ParseCommand("timeframe m15")), "timeframe M15");
  EXPECT_EQ(CommandText(*ParseCommand(" pair  GBPJPY ")), "pair GBPJPY");
}

TEST(DemoTerminalCommand, RefusesAnythingElse) {
  for (const char* line : {"", "UP", "up now", "upp", "pair", "pair EUR/USD", "pair EUR,USD", "pair [EURUSD]",
                           "pair EURUSD GBPUSD", "timeframe", "timeframe M2", "timeframe H1 H4", "clear all", "jump"})
    EXPECT_FALSE(ParseCommand(line).has_value()) << line;
}

TEST(DemoTerminalCommand, AnswersErrorsWithTheLineAndIgnoresBlankLines) {
  ManualTerminalClock clock;
  demo::terminal::DemoTerminal terminal({}, clock);
  const auto bad = terminal.HandleLine("timeframe M2");
  EXPECT_EQ(bad.reply, "error timeframe M2");
  EXPECT_FALSE(bad.changed);
  EXPECT_FALSE(bad.quit);
  EXPECT_EQ(terminal.HandleLine("  \t").reply, "");
  EXPECT_EQ(terminal.HandleLine("clear").reply, "ok clear");
  const auto quit = terminal.HandleLine("quit");
  EXPECT_EQ(quit.reply, "ok quit");
  EXPECT_TRUE(quit.quit);
}

TEST(DemoTerminalOptions, DefaultsAndEveryOption) {
  std::string error;
  const auto defaults = ParseTerminalOptions({}, error);
  ASSERT_TRUE(defaults.has_value());
  EXPECT_EQ(defaults->window_class, "MetaQuotes::MetaTrader::4.00");
  EXPECT_EQ(defaults->pair, "EURUSD");
  EXPECT_EQ(defaults->timeframe.name, "M1");
  EXPECT_EQ(defaults->time_scale, 1);
  EXPECT_EQ(defaults->signal_seconds, 0);
  EXPECT_EQ(defaults->seed, 1u);
  EXPECT_EQ(defaults->geometry.width, 800);
  EXPECT_EQ(defaults->geometry.height, 600);

  const auto given =
      ParseTerminalOptions({"--class", "Test::Terminal", "--pair", "GBPJPY", "--timeframe", "daily", "--time-scale",
                            "20", "--signals", "30", "--seed", "7", "--geometry", "640x480+10+20"},
                           error);
  ASSERT_TRUE(given.has_value()) << error;
  EXPECT_EQ(given->window_class, "Test::Terminal");
  EXPECT_EQ(given->pair, "GBPJPY");
  EXPECT_EQ(given->timeframe.name, "Daily");
  EXPECT_EQ(given->timeframe.seconds, 86400);
  EXPECT_EQ(given->time_scale, 20);
  EXPECT_EQ(given->signal_seconds, 30);
  EXPECT_EQ(given->seed, 7u);
  EXPECT_EQ(given->geometry.width, 640);
  EXPECT_EQ(given->geometry.height, 480);
  EXPECT_EQ(given->geometry.x, 10);
  EXPECT_EQ(given->geometry.y, 20);
  EXPECT_EQ(ParseTerminalOptions({"--geometry", "300x200"}, error)->geometry.width, 300);
}

TEST(DemoTerminalOptions, RefusesBadValues) {
  const std::vector<std::vector<std::string>> bad = {{"--timeframe", "M2"},
                                                     {"--time-scale", "0"},
                                                     {"--signals", "-1"},
                                                     {"--geometry", "100x100"},
                                                     {"--geometry", "800x600+5"},
                                                     {"--geometry", "800"},
                                                     {"--geometry", "4001x600"},
                                                     {"--pair", "EUR/USD"},
                                                     {"--class", ""},
                                                     {"--seed", "x"},
                                                     {"--colour", "red"},
                                                     {"--pair"}};
  for (const auto& arguments : bad) {
    std::string error;
    EXPECT_FALSE(ParseTerminalOptions(arguments, error).has_value()) << arguments[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace vantrope::testing

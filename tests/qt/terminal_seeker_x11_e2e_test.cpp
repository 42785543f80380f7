// The seeker on the X11 window system against the demo terminal, in
// virtual time. Apart from the adapter's own tests: Xlib's macros (None)
// clash with the main form's names.
#include <gtest/gtest.h>

#include <cstdio>

#include "demo_terminal_process.h"
#include "seeking_form.h"

namespace vantrope::testing {
namespace {

const std::string kDefaultClass = "MetaQuotes::MetaTrader::4.00";
constexpr int kStripWidth = 128;

// An indicator's alert box pops up over the chart with the chart's window
// class: the seeker keeps the chart window, its pair and its arrows.
TEST(TerminalSeekerX11EndToEnd, KeepsTheChartUnderAnAlertBox) {
  DemoTerminal terminal({"--geometry", "800x600+100+50"});
  SeekingForm seeking;
  X11WindowSystem& windows = seeking.windows;
  ASSERT_EQ(terminal.Send("alert"), "ok alert");
  const std::vector<TopLevelWindow> listed = windows.TopLevelWindowsOfClass(kDefaultClass);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_TRUE(listed[0].owned) << "the box, topmost";
  EXPECT_EQ(listed[0].role, WindowRole::kDialog);
  EXPECT_EQ(listed[1].handle, terminal.Handle());
  EXPECT_FALSE(listed[1].owned);
  EXPECT_EQ(listed[1].role, WindowRole::kNormal);

  TMainForm& form = seeking.form;
  FakePlatform& fake = seeking.fake;
  fake.clock.Advance(1000);
  EXPECT_EQ(form.terminal.TerminalHandle, terminal.Handle());
  EXPECT_EQ(form.terminal.TerminalValute, "frxEURUSD");

  const std::string answer = terminal.Send("up");
  int x = 0, y = 0;
  ASSERT_EQ(std::sscanf(answer.c_str(), "ok up %d %d", &x, &y), 2) << answer;
  fake.clock.Advance(1000);
  EXPECT_EQ(form.terminal.TerminalHandle, terminal.Handle());
  ASSERT_TRUE(form.terminal.ArrowUpMatch.Found);
  EXPECT_EQ(form.terminal.ArrowUpMatch.X, x - (800 - kStripWidth));
  EXPECT_EQ(form.terminal.ArrowUpMatch.Y, y);

  ASSERT_EQ(terminal.Send("dismiss"), "ok dismiss");
  EXPECT_EQ(windows.TopLevelWindowsOfClass(kDefaultClass).size(), 1u);
}

}  // namespace
}  // namespace vantrope::testing

// The demo terminal built as a Windows program, run under Wine in a virtual
// X server: the windows the robot meets with a real terminal on Linux. Wine
// gives every window of the program the class of the program's file name,
// its message boxes among them, and keeps a hidden helper window of it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>

#include "child_process.h"
#include "seeking_form.h"
#include "virtual_display.h"

namespace vantrope::testing {
namespace {

const std::string kWineClass = "vantrope-demo-terminal.exe";
constexpr int kStripWidth = 128;
constexpr int kChartWidth = 800;

// The terminal under Wine: commands on its standard input, answers on its output.
class WineTerminal {
 public:
  WineTerminal()
      : program_({"wine", VANTROPE_DEMO_TERMINAL_EXE, "--pair", "GBPUSD", "--timeframe", "M5", "--geometry",
                  "800x600+100+50"}) {
    // Wine's first start in a prefix takes a while.
    const std::optional<std::string> line = program_.ReadLine(90000);
    if (!line || line->rfind("window 0x", 0) != 0)
      throw std::runtime_error("the terminal did not show its window under Wine: " + line.value_or(""));
  }
  std::string Send(const std::string& command) {
    if (!program_.WriteLine(command)) return "";
    for (;;) {
      const std::optional<std::string> line = program_.ReadLine(20000);
      if (!line) return "";
      if (line->rfind("ok ", 0) == 0 || line->rfind("error ", 0) == 0) return *line;
    }
  }

 private:
  ChildProcess program_;
};

class WineTerminalEndToEnd : public ::testing::Test {
 protected:
  // One pass of the seeker, and a few more while Wine's drawing reaches the server.
  bool SeekUntil(const std::function<bool()>& done) {
    for (int pass = 0; pass < 10; ++pass) {
      fake.clock.Advance(1000);
      if (done()) return true;
      usleep(200000);
    }
    return false;
  }

  SeekingForm seeking{kWineClass};
  TMainForm& form = seeking.form;
  FakePlatform& fake = seeking.fake;
  X11WindowSystem& windows = seeking.windows;
};

// Found by its program's name, its pair and timeframe read from the caption,
// the arrows it draws found; an alert box of the program over the chart and
// Wine's hidden helper window of the same class leave the chart watched.
TEST_F(WineTerminalEndToEnd, ChartWindowIsWatchedAmongTheProgramsWindows) {
  WineTerminal terminal;
  ASSERT_TRUE(SeekUntil([&] { return form.terminal.TerminalValute == "frxGBPUSD"; }))
      << "pair " << form.terminal.TerminalValute;
  const WindowHandle chart = form.terminal.TerminalHandle;
  EXPECT_EQ(form.terminal.LastTerminalPeriod.period, 5);
  std::vector<TopLevelWindow> listed = windows.TopLevelWindowsOfClass(kWineClass);
  ASSERT_EQ(listed.size(), 2u) << "the chart and Wine's hidden helper";

  const std::string answer = terminal.Send("up");
  int x = 0, y = 0;
  ASSERT_EQ(std::sscanf(answer.c_str(), "ok up %d %d", &x, &y), 2) << answer;
  ASSERT_TRUE(SeekUntil([&] { return form.terminal.ArrowUpMatch.Found; }));
  EXPECT_EQ(form.terminal.ArrowUpMatch.X, x - (kChartWidth - kStripWidth));
  EXPECT_EQ(form.terminal.ArrowUpMatch.Y, y);

  // What Wine makes of an owned window: transient for its owner, a dialog.
  ASSERT_EQ(terminal.Send("alert"), "ok alert");
  listed = windows.TopLevelWindowsOfClass(kWineClass);
  ASSERT_EQ(listed.size(), 3u);
  const auto box = std::find_if(listed.begin(), listed.end(), [](const TopLevelWindow& w) { return w.owned; });
  ASSERT_NE(box, listed.end());
  EXPECT_EQ(box->role, WindowRole::kDialog);
  EXPECT_EQ(box->caption, "Alert");
  ASSERT_EQ(terminal.Send("pair USDJPY"), "ok pair USDJPY");
  ASSERT_TRUE(SeekUntil([&] { return form.terminal.TerminalValute == "frxUSDJPY"; }))
      << "pair " << form.terminal.TerminalValute;
  EXPECT_EQ(form.terminal.TerminalHandle, chart);
}

class WineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    display_ = std::make_unique<VirtualDisplay>();
    // The prefix the test set-up made; no offers to install .NET or a browser.
    setenv("WINEPREFIX", VANTROPE_WINE_PREFIX, 1);
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    setenv("WINEDEBUG", "-all", 1);
  }
  void TearDown() override { display_.reset(); }

 private:
  std::unique_ptr<VirtualDisplay> display_;
};

}  // namespace
}  // namespace vantrope::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new vantrope::testing::WineEnvironment);
  return RUN_ALL_TESTS();
}

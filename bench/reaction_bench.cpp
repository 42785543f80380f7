// How soon an arrow becomes a purchase. The demo broker, the demo terminal
// and the program (with Qt WebEngine) run at time scale 1 under a virtual X
// server of their own; arrows are drawn on the terminal's chart one after
// another, each timed from the moment it is drawn to the purchase the broker
// receives. Then the program's share of a core while it waits on the ready
// trading form.
//
//   reaction_bench [--quick 0|1] [--arrows N] [--idle-seconds S]
//
// The key [Binary] QuickReaction is set from --quick (default 1).
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "demo_terminal_process.h"
#include "qt_program.h"
#include "virtual_display.h"

namespace vantrope::testing {
namespace {

constexpr int kStepTimeoutMs = 180'000;
constexpr int kSettleMs = 3000;

int64_t SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The CPU seconds of this process, and of the page processes of Qt WebEngine.
double OwnCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double PageProcessCpuSeconds() {
  double seconds = 0;
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return 0;
  while (const dirent* entry = readdir(proc)) {
    std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
    std::string line;
    if (!std::getline(stat, line) || line.find("(QtWebEngineProc") == std::string::npos) continue;
    // After the name: state, then fields 4..; utime and stime are fields 14 and 15.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i == 14) utime = std::stoll(field);
      if (i == 15) stime = std::stoll(field);
    }
    seconds += static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
  }
  closedir(proc);
  return seconds;
}

int Run(bool quick, int arrows, int idle_seconds) {
  ChildProcess broker({VANTROPE_DEMO_BROKER, "--port", "0", "--trace-purchases", "--price-share", "75", "--script", "W"});
  const std::optional<std::string> listening = broker.ReadLine(10'000);
  const std::string marker = "listening on http://127.0.0.1:";
  if (!listening || listening->find(marker) == std::string::npos) throw std::runtime_error("no demo broker");
  const std::string port = std::to_string(std::stoi(listening->substr(listening->find(marker) + marker.size())));
  // At the screen's right edge, clear of the program's window.
  DemoTerminal terminal({"--geometry", "600x400+1000+0"});
  QtProgram program(1, [&](IniFile& ini) {
    PointAddressesAt(ini, port);
    ini.WriteBool("Alpari", "AlpariSeek", true);
    ini.WriteBool("Binary", "QuickReaction", quick);
    ini.WriteInteger("Robot0", "BetCount", 1);
    std::ofstream("accounts.txt") << "CR100200\n";
  });
  TMainForm& f = program.form;
  const auto wait = [](auto condition, const char* what) {
    if (!QTest::qWaitFor(condition, kStepTimeoutMs)) throw std::runtime_error(std::string("timed out: ") + what);
  };

  // Contracts of 15 seconds: the chart's minute would make each bet last one.
  wait([&] { return !f.terminal.TerminalValute.empty(); }, "the seeker reads the terminal");
  f.fmDebug.site_control.cbeBetOnBetTimeCost.SetItemIndex(0);
  f.fmDebug.site_control.cbeBetOnBetTimeCost.onChange();
  f.fmDebug.site_control.neBetOnBetPeriod.SetValue(15);
  f.fmDebug.site_control.neBetOnBetPeriod.onExit();
  f.account.cbeLogin.SetItemIndex(0);
  f.account.tePassword.SetText("demo200");
  f.robot_controls.btRun.onClick();

  // The robot waits on a settled form, as it does between arrows minutes apart.
  const auto ready = [&] {
    return f.robot.BetOnStatus == bsFormReady && f.EVENT.BetStatus == ssReady && f.ledger.Open() == TOpenBet::None &&
           f.robot.RobotSubStatus == 1 && !program.browser.Busy() && IsTradingPage(f.page.PageIndex);
  };
  const auto settled = [&](const char* what) {
    wait(ready, what);
    QTest::qWait(kSettleMs);
    wait(ready, what);
  };
  std::vector<int64_t> delays;
  for (int i = 0; i < arrows; ++i) {
    settled("the ready form");
    const int64_t drawn = SteadyMs();
    // The other direction each time: an arrow of the direction just bought raises no signal.
    terminal.Send(i % 2 == 0 ? "up" : "down");
    std::optional<std::string> purchase;
    wait([&] { return (purchase = broker.ReadLine(0)).has_value() && purchase->rfind("purchase ", 0) == 0; },
         "the purchase");
    delays.push_back(std::stoll(purchase->substr(9)) - drawn);
    std::printf("arrow %2d: %lld ms\n", i + 1, static_cast<long long>(delays.back()));
    std::fflush(stdout);
  }

  settled("the ready form");
  const double own_before = OwnCpuSeconds(), pages_before = PageProcessCpuSeconds();
  // The program's own event loop, as in use: QTest's waits wake every few ms.
  QEventLoop idle;
  QTimer::singleShot(idle_seconds * 1000, &idle, &QEventLoop::quit);
  idle.exec();
  const double own = (OwnCpuSeconds() - own_before) / idle_seconds * 100;
  const double pages = (PageProcessCpuSeconds() - pages_before) / idle_seconds * 100;

  std::vector<int64_t> sorted = delays;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted.size() % 2 == 1
                            ? static_cast<double>(sorted[sorted.size() / 2])
                            : (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2.0;
  std::printf("QuickReaction=%d, %d arrows: median %.0f ms, worst %lld ms\n", quick ? 1 : 0, arrows, median,
              static_cast<long long>(sorted.back()));
  std::printf("idle on the ready form for %d s: the program %.2f %% of a core, its page processes %.2f %%\n",
              idle_seconds, own, pages);
  terminal.Quit();
  broker.Stop();
  return 0;
}

}  // namespace
}  // namespace vantrope::testing

int main(int argc, char** argv) {
  bool quick = true;
  int arrows = 20, idle_seconds = 60;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const int value = std::atoi(argv[i + 1]);
    if (option == "--quick") quick = value != 0;
    if (option == "--arrows") arrows = std::max(1, value);
    if (option == "--idle-seconds") idle_seconds = std::max(1, value);
  }
  vantrope::testing::VirtualDisplay display;
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  try {
    return vantrope::testing::Run(quick, arrows, idle_seconds);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "reaction_bench: %s\n", error.what());
    return 1;
  }
}

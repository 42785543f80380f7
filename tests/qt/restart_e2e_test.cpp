// The program killed with a purchase open and started again on the same
// folder. The first run is a process of its own (this test program started
// again in that role), killed with SIGKILL once its contract is open on the
// demo broker; the second one, after Start, records that contract once with
// its real result, and its martingale chain goes on with the stake it owes.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "demo_broker_process.h"
#include "log/history_file.h"
#include "qt_program.h"
#include "support/temp_dir.h"

namespace vantrope::testing {
namespace {

constexpr int kTimeScale = 10;
constexpr int kRunTimeoutMs = 120'000;
// The first run's role: the data folder it works in.
constexpr const char* kFirstRunFolder = "VANTROPE_FIRST_RUN_FOLDER";
constexpr const char* kBoughtLine = "the contract is open";

TMainForm& StartRobot(QtProgram& program) {
  TMainForm& f = program.form;
  f.account.cbeLogin.SetItemIndex(0);
  f.account.tePassword.SetText("demo200");
  f.robot_controls.btRun.onClick();
  return f;
}

// Buys on an up signal and says so once the portfolio shows the contract
// open; then it waits to be killed.
void FirstRun(const std::filesystem::path& folder) {
  QtProgram program(kTimeScale, {}, folder);
  TMainForm& f = program.form;
  f.EVENT.Period = 3;  // a contract long enough to be open when the run is killed
  StartRobot(program);
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.EVENT.BetStatus == ssReady; }, kRunTimeoutMs));
  f.EVENT.Direction = drUp;
  f.EVENT.SignalTime = program.clock.MonotonicMs();
  f.EVENT.NewSignal = true;
  f.bet_cycle.SignalArrived();
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.robot.BetOnStatus == bsAwaitResult; }, kRunTimeoutMs));
  std::printf("\n%s\n", kBoughtLine);
  std::fflush(stdout);
  QTest::qWait(kRunTimeoutMs);
}

int RowsOfType(const TMainForm& f, TLogType type) {
  int count = 0;
  for (int row = 0; row < f.event_log.gwLog.RowCount(); ++row)
    count += f.event_log.gwLog.Cell(3, row) == std::to_string(type);
  return count;
}

TEST(RestartEndToEnd, APurchaseOpenWhenTheProgramWasKilledIsRecordedOnce) {
  if (const char* folder = std::getenv(kFirstRunFolder)) return FirstRun(folder);

  DemoBroker broker({"--time-scale", std::to_string(kTimeScale), "--script", "LW"});
  TempWorkDir data;
  std::filesystem::copy_file(VANTROPE_SHIPPED_INI, "Vantrope.ini");
  {
    IniFile ini("Vantrope.ini");
    PointAddressesAt(ini, broker.Port());
    for (int page = 0; page < 7; ++page) ini.WriteBool("Robot" + std::to_string(page), "Down", page == 1);
    ini.WriteInteger("Robot1", "BetSize", 3);
    ini.WriteInteger("Robot1", "BetCount", 5);
    ini.WriteInteger("Robot1", "ChainCount", 1);
    ini.Save();
  }
  std::ofstream("accounts.txt") << "CR100200\n";

  setenv(kFirstRunFolder, data.Path().c_str(), 1);
  ChildProcess first_run({std::filesystem::read_symlink("/proc/self/exe").string(),
                          "--gtest_filter=RestartEndToEnd.APurchaseOpenWhenTheProgramWasKilledIsRecordedOnce"});
  unsetenv(kFirstRunFolder);
  std::optional<std::string> line;
  while ((line = first_run.ReadLine(kRunTimeoutMs)) && *line != kBoughtLine) {
  }
  ASSERT_TRUE(line) << "the first run bought";
  first_run.Kill();
  ASSERT_TRUE(std::filesystem::exists("bets.journal"));
  ASSERT_TRUE(ReadHistoryFile("history.dat").empty()) << "killed before the result";

  QtProgram second_run(kTimeScale, {}, data.Path());
  TMainForm& f = second_run.form;
  EXPECT_EQ(RowsOfType(f, ltBetPending), 1) << "the start-up tells of the open bet";
  second_run.dialogs.answers.push_back(ModalResult::Yes);  // the chain is taken up
  StartRobot(second_run);
  ASSERT_TRUE(QTest::qWaitFor([&] { return RowsOfType(f, ltWin) == 1; }, kRunTimeoutMs))
      << "step " << f.robot.BetOnStatus << ", page " << int(f.page.PageIndex);
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Stake, 3);
  EXPECT_EQ(records[0].Result, 2) << "the real result of the contract the first run bought";
  EXPECT_EQ(records[1].Stake, 7) << "the stake the chain owed after the loss";
  EXPECT_EQ(records[1].Result, 1);
  EXPECT_EQ(RowsOfType(f, ltLost), 1);
  f.robot_controls.btStop.onClick();
  EXPECT_TRUE(broker.Stop());
}

}  // namespace
}  // namespace vantrope::testing

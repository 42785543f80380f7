// The robot's page work end to end: the demo broker's server program, the
// program with the shipped settings pointed at it, and Qt WebEngine. The
// shipped page templates recognise the real pages, the robot logs in and
// reads the balance.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <csignal>
#include <fstream>

#include "demo_broker_process.h"
#include "demo_terminal_process.h"
#include "log/history_file.h"
#include "qt_program.h"

namespace vantrope::testing {
namespace {

// Timers run ten times faster: the parse follows a page after 500 ms.
constexpr int kTimeScale = 10;
constexpr int kStepTimeoutMs = 30000;

bool HasText(const std::vector<TCatField>& fields, const std::string& text) {
  return std::any_of(fields.begin(), fields.end(),
                     [&](const TCatField& field) { return field.Kind == kKindText && field.Fsubdata == text; });
}

class DemoBrokerEndToEnd : public ::testing::Test {
 protected:
  DemoBrokerEndToEnd() : program(kTimeScale, [this](IniFile& ini) { PointAddressesAt(ini, broker.Port()); }) {}

  TMainForm& F() { return program.form; }
  // Waits until the page is parsed and recognised as `page`, and shows `text`.
  bool OnPage(TPage page, const std::string& text) {
    return QTest::qWaitFor([&] { return F().page.PageIndex == page && HasText(F().page.WebFields, text); },
                           kStepTimeoutMs);
  }
  int32_t Field(size_t slot) { return F().page.ControlSlots[slot].FieldIndex; }
  // Runs one action of the slot's record on the page; true when it took.
  template <typename Add>
  bool Act(size_t slot, Add add) {
    PageActionBatch batch = F().page_actions.NewBatch();
    const int action = add(batch, static_cast<size_t>(Field(slot)));
    std::optional<bool> took;
    F().page_actions.Run(std::move(batch), [&](const PageActionReport& report) { took = report.Took(action); });
    return QTest::qWaitFor([&] { return took.has_value(); }, kStepTimeoutMs) && *took;
  }
  bool Set(size_t slot, const std::string& value) {
    return Act(slot, [&](PageActionBatch& batch, size_t field) { return batch.WebSetValue(field, value); });
  }
  bool Press(size_t slot) {
    return Act(slot, [](PageActionBatch& batch, size_t field) { return batch.WebExecute(field); });
  }

  DemoBroker broker;
  QtProgram program;
};

TEST_F(DemoBrokerEndToEnd, LogsInReadsTheBalanceAndOpensTheForexMarket) {
  const std::string site = "http://127.0.0.1:" + broker.Port();
  ASSERT_EQ(F().site.MainUrl, site + "/d/contact.cgi?l=EN");
  ASSERT_EQ(F().site.PortFolioUrl, "http://localhost:" + broker.Port() + "/d/portfolio.cgi?l=EN");

  F().browser_supervisor.NavigateUrl(F().site.MainUrl);
  ASSERT_TRUE(OnPage(pgLogin, "Log in to your trading account.")) << "page " << int(F().page.PageIndex);
  for (size_t slot : {0, 1, 2}) ASSERT_GE(Field(slot), 0) << "slot " << slot;

  EXPECT_TRUE(Set(0, "CR100200"));
  EXPECT_TRUE(Set(1, "demo200"));
  ASSERT_TRUE(Press(2));
  ASSERT_TRUE(OnPage(pgCabinet, "You are logged in as CR100200.")) << "page " << int(F().page.PageIndex);

  F().browser_supervisor.NavigateUrl(F().site.PortFolioUrl);
  ASSERT_TRUE(QTest::qWaitFor([&] { return F().page.PageIndex == pgPortfolio && F().page.CurrentBalance == 1250; },
                              kStepTimeoutMs))
      << "page " << int(F().page.PageIndex) << ", balance " << F().page.CurrentBalance;

  F().browser_supervisor.NavigateUrl(F().site.ReturnUrl);
  ASSERT_TRUE(OnPage(pgTrading, "Market: Indices")) << "page " << int(F().page.PageIndex);
  ASSERT_GE(Field(11), 0) << "the forex tab";
  ASSERT_TRUE(Press(11));
  ASSERT_TRUE(OnPage(pgTrading, "Market: Forex")) << "page " << int(F().page.PageIndex);

  EXPECT_TRUE(broker.Stop());
}

// The robot itself: Start, the ready trading form, its page process killed,
// an up arrow drawn on the demo terminal's chart, the bet, its result, Stop.
class RobotEndToEnd : public ::testing::Test {
 protected:
  explicit RobotEndToEnd(std::vector<std::string> broker_options = {}, int stake = 3)
      : broker(WithScript(std::move(broker_options))),
        terminal({"--geometry", "800x600+0+0"}),
        program(kTimeScale, [this, stake](IniFile& ini) {
          PointAddressesAt(ini, broker.Port());
          // The program's window lies over the terminal: raise it for each capture.
          ini.WriteBool("Alpari", "AlpariSeek", true);
          ini.WriteBool("Alpari", "AlpariHardUpdate", true);
          ini.WriteInteger("Robot0", "BetSize", stake);
          std::ofstream("accounts.txt") << "CR100200\n";
        }) {}
  static std::vector<std::string> WithScript(std::vector<std::string> options) {
    for (const std::string& option : {std::string("--time-scale"), std::to_string(kTimeScale), std::string("--script"),
                                      std::string("W")})
      options.push_back(option);
    return options;
  }
  void StartOnTheReadyForm() {
    ASSERT_FALSE(F().account.cbeLogin.Items().empty()) << "the broker's account list";
    F().account.cbeLogin.SetItemIndex(0);
    ASSERT_EQ(F().account.cbeLogin.Text(), "CR100200");
    F().account.tePassword.SetText("demo200");
    F().robot_controls.btRun.onClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().EVENT.BetStatus == ssReady; }, 120'000))
        << "the trading form is ready; step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
    EXPECT_EQ(F().robot.StartBalance, 1250);
  }

  TMainForm& F() { return program.form; }
  int RowsOfType(TLogType type) {
    int count = 0;
    for (int row = 0; row < F().event_log.gwLog.RowCount(); ++row)
      count += F().event_log.gwLog.Cell(3, row) == std::to_string(type);
    return count;
  }
  bool DebugLogHas(const std::string& text) {
    const auto& lines = F().fmDebug.mmLog.Lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
  }

  DemoBroker broker;
  DemoTerminal terminal;
  QtProgram program;
};

TEST_F(RobotEndToEnd, StartBetAndStop) {
  StartOnTheReadyForm();
  if (HasFatalFailure()) return;

  // The page process dies on the ready form: the robot loads the page again
  // and still bets.
  const qint64 page_process = program.browser.View()->page()->renderProcessPid();
  ASSERT_GT(page_process, 0);
  ASSERT_EQ(kill(static_cast<pid_t>(page_process), SIGKILL), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return DebugLogHas("Процесс страницы завершился"); }, kStepTimeoutMs));

  EXPECT_EQ(F().terminal.TerminalValute, "frxEURUSD") << "the seeker reads the terminal's caption";
  ASSERT_EQ(terminal.Send("up").rfind("ok up", 0), 0u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return RowsOfType(ltUp) == 1; }, kStepTimeoutMs)) << "the up signal's line";
  EXPECT_EQ(F().EVENT.Direction, drUp);
  ASSERT_TRUE(QTest::qWaitFor([&] { return RowsOfType(ltWin) == 1; }, 120'000))
      << "step " << F().robot.BetOnStatus << ", site state " << int(F().EVENT.BetStatus);
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Result, 1);
  EXPECT_EQ(records[0].Account, "CR100200");
  EXPECT_GT(records[0].BalanceAtResult, records[0].BalanceAtBet);
  EXPECT_EQ(records[0].Pair, "frxEURUSD");
  EXPECT_EQ(records[0].Direction, 1);

  F().robot_controls.btStop.onClick();
  EXPECT_EQ(F().robot.BetOnStatus, bsIdle);
  ASSERT_TRUE(QTest::qWaitFor([&] { return F().page.PageIndex == pgLogin; }, kStepTimeoutMs))
      << "logged out: the login page again; page " << int(F().page.PageIndex);
  EXPECT_TRUE(broker.Stop());
}

// The broker's site as today's sites are built: the trading form put in by a
// script after the load, its values heard only from typing, the buy buttons
// outside any form, the receipt shown in place. A stake of 7, not the form's
// own, reaches the site only through the page's script.
class ModernSiteEndToEnd : public RobotEndToEnd {
 protected:
  ModernSiteEndToEnd() : RobotEndToEnd({"--modern"}, 7) {}
};

TEST_F(ModernSiteEndToEnd, BuysTheArrowWithItsStakeAndRecordsIt) {
  StartOnTheReadyForm();
  if (HasFatalFailure()) return;
  ASSERT_EQ(terminal.Send("up").rfind("ok up", 0), 0u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return RowsOfType(ltWin) == 1; }, 120'000))
      << "step " << F().robot.BetOnStatus << ", site state " << int(F().EVENT.BetStatus) << ", page "
      << int(F().page.PageIndex);
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].Stake, 7);
  EXPECT_EQ(records[0].Direction, 1);
  EXPECT_GT(records[0].BalanceAtResult, records[0].BalanceAtBet);
  EXPECT_LT(records[0].BalanceAtResult - records[0].BalanceAtBet, 7) << "a payout of 7 less its price";
  F().robot_controls.btStop.onClick();
  EXPECT_TRUE(broker.Stop());
}

}  // namespace
}  // namespace vantrope::testing

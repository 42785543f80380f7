// The debug log: the stamped line, its repeat rule, the view and the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "debug/debug_log_file.h"
#include "support/form_fixture.h"
#include "support/refused_calls.h"

namespace vantrope {
namespace {

class DebugLogTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    WriteSettings(
        "[LangPack]\nTXT_271= Запуск робота \nTXT_272=Остановка робота\nTXT_291=Запись в журнал отладки не удалась:\n");
    Start();
  }
  const std::deque<std::string>& View() const { return form->fmDebug.mmLog.Lines(); }
};

TEST_F(DebugLogTest, LineIsStampedWithTheFourStateNumbers) {
  form->robot.BetOnStatus = bsFormReady;
  form->page.PageIndex = pgTrading;
  form->robot.RobotStatus = rsCautiousMartingale;
  form->robot.RobotSubStatus = 2;
  form->AddStringToDebugLog("text");
  EXPECT_EQ(View().back(), "12:00:00 00007 004 013 002 > text");
  form->robot.BetOnStatus = bsIdle;
  form->robot.RobotStatus = static_cast<TRobotStatus>(1234);
  form->AddStringToDebugLog("text");
  EXPECT_EQ(View().back(), "12:00:00 65535 004 1234 002 > text") << "longer numbers are not cut";
}

TEST_F(DebugLogTest, ExactRepeatsAreDroppedUntilStateOrTextChanges) {
  const size_t before = View().size();
  form->AddStringToDebugLog("poll");
  form->AddStringToDebugLog("poll");
  EXPECT_EQ(View().size(), before + 1);
  form->robot.RobotSubStatus = 1;
  form->AddStringToDebugLog("poll");
  EXPECT_EQ(View().size(), before + 2);
  form->AddStringToDebugLog("other");
  form->AddStringToDebugLog("poll");
  EXPECT_EQ(View().size(), before + 4);
}

TEST_F(DebugLogTest, ViewKeepsTheNewestThousandLinesAndTheFileKeepsAll) {
  for (int i = 0; i < 1001; ++i) form->AddStringToDebugLog("line " + std::to_string(i));
  EXPECT_EQ(View().size(), 1000u);
  EXPECT_NE(View().back().find("line 1000"), std::string::npos);
  EXPECT_EQ(View().front().find("line 0"), std::string::npos);
  const std::string file = FileText("$$$.log");
  EXPECT_NE(file.find("> line 0\r\n"), std::string::npos);
  EXPECT_NE(file.find("> line 1000\r\n"), std::string::npos);
}

TEST_F(DebugLogTest, FileLinesCarryDateAndTimePaddedTo23) {
  fake.clock.Advance((2 * 3600 + 5 * 60 + 33) * 1000);  // 14:05:33
  form->AddStringToDebugLog("stamped");
  EXPECT_NE(FileText("$$$.log").find("08.12.2026 14:05:33:    65535 000 000 000 > stamped\r\n"), std::string::npos)
      << FileText("$$$.log");
}

TEST_F(DebugLogTest, EachRunIsFramedByItsBanners) {
  form->AddStringToDebugLog("first run");
  ASSERT_TRUE(form->FormClose());
  form.reset();
  Start();
  form->CloseFromOutside();
  const std::string file = FileText("$$$.log");
  const std::string start = "==== Запуск робота (ver: 1.62) ====\r\n";
  const std::string end = "==== Остановка робота ====\r\n\r\n";
  ASSERT_EQ(file.find(start), 0u);
  const size_t first_end = file.find(end);
  ASSERT_NE(first_end, std::string::npos);
  EXPECT_LT(file.find("first run"), first_end);
  EXPECT_EQ(file.find(start, first_end), first_end + end.size()) << "the second run appends its own frame";
  EXPECT_EQ(file.rfind(end), file.size() - end.size());
}

TEST_F(DebugLogTest, UnwritableFileIsReportedOnceAndTheViewGoesOn) {
  form.reset();
  std::filesystem::remove(dir.Path() / "$$$.log");
  std::filesystem::create_directory(dir.Path() / "$$$.log");
  Start();
  EXPECT_EQ(fake.shell.error_reports, std::vector<std::string>{"Unable to write to $$$.log"});
  form->AddStringToDebugLog("still shown");
  EXPECT_NE(View().back().find("still shown"), std::string::npos);
  EXPECT_TRUE(form->Form.Visible()) << "start-up went on";
  EXPECT_EQ(fake.shell.error_reports.size(), 1u);
}

// The write may fail inside a step of the robot: a modal box there would run
// the robot's timers in its own event loop. The error line is mirrored into
// the debug log too, which must not report its failure again.
TEST_F(DebugLogTest, FailingWriteIsToldInTheEventLogOnceWithoutABox) {
  testing::RunRefusing(testing::Refusal::kWrites, [&] { form->AddStringToLog(ltInfo, "на полном диске", false); });
  form->AddStringToLog(ltInfo, "after the fault", false);

  EXPECT_TRUE(fake.shell.error_reports.empty());
  EXPECT_TRUE(fake.dialogs.shown.empty());
  const std::string told = "Запись в журнал отладки не удалась: Unable to write to $$$.log";
  const ui::Grid& log = form->event_log.gwLog;
  std::vector<std::string> errors;
  for (int row = 0; row < log.RowCount(); ++row)
    if (log.Cell(3, row) == std::to_string(ltError)) errors.push_back(log.Cell(2, row));
  EXPECT_EQ(errors, std::vector<std::string>{"  " + told});
  EXPECT_EQ(form->StatusBar1.Text(), " " + told);
}

// A small limit stands for the 50 MB.
TEST(DebugLogFileTest, FullFileBecomesThePreviousOneFramedAndANewOneStarts) {
  testing::TempWorkDir dir;
  constexpr uintmax_t kLimit = 200;
  const std::string start = "==== Запуск ====\r\n", end = "==== Остановка ====\r\n\r\n";
  DebugLogFile file(kLimit);
  ASSERT_FALSE(file.Open(kDebugLogFileName, "==== Запуск ====", "==== Остановка ===="));
  std::vector<std::string> previous;
  int written = 0;
  for (; previous.size() < 3 && written < 1000; ++written) {
    ASSERT_FALSE(file.WriteLine("строка " + std::to_string(written)));
    if (!std::filesystem::exists("$$$.log.1")) continue;
    const std::string kept = dir.ReadFile("$$$.log.1");
    if (previous.empty() || previous.back() != kept) previous.push_back(kept);
  }
  ASSERT_FALSE(file.Close());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2) << "one previous file is kept";
  std::vector<std::string> files = previous;
  files.push_back(dir.ReadFile(kDebugLogFileName));
  std::string lines;
  for (const std::string& bytes : files) {
    EXPECT_LE(bytes.size(), kLimit);
    const std::string text = Cp1251ToUtf8(bytes);
    ASSERT_EQ(text.rfind(start, 0), 0u) << text;
    ASSERT_GE(text.size(), start.size() + end.size());
    ASSERT_EQ(text.substr(text.size() - end.size()), end) << text;
    lines += text.substr(start.size(), text.size() - start.size() - end.size());
  }
  std::string expected;
  for (int i = 0; i < written; ++i) expected += "строка " + std::to_string(i) + "\r\n";
  EXPECT_EQ(lines, expected) << "no line lost or repeated";
}

}  // namespace
}  // namespace vantrope

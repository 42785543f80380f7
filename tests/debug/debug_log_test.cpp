// The debug log: the stamped line, its repeat rule, the view and the file.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace vantrope {
namespace {

class DebugLogTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    WriteSettings("[LangPack]\nTXT_271= Запуск робота \nTXT_272=Остановка робота\n");
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

}  // namespace
}  // namespace vantrope

// The event log grid: repeat guard, pending-bet rows, history hook, sounds, export.
#include <gtest/gtest.h>

#include "log/history_file.h"
#include "support/form_fixture.h"

namespace vantrope {
namespace {

class EventLogTest : public testing::FormFixture {
 protected:
  void SetUp() override { Start(); }

  std::string Text(int row) const { return form->event_log.gwLog.Cell(2, row); }
  std::string Time(int row) const { return form->event_log.gwLog.Cell(0, row); }
  std::string Type(int row) const { return form->event_log.gwLog.Cell(3, row); }
  int Rows() const { return form->event_log.gwLog.RowCount(); }
  // One tick of the visual-effects timer.
  void Tick() { fake.clock.Advance(500); }
};

TEST_F(EventLogTest, RepeatGuardDropsTheSameTextForFiveTicks) {
  form->AddStringToLog(ltInfo, "A", false);
  Tick();
  form->AddStringToLog(ltInfo, "  A  ", false);  // blanks do not defeat the guard
  EXPECT_EQ(Rows(), 1);
  for (int i = 0; i < 4; ++i) Tick();
  form->AddStringToLog(ltInfo, "  A  ", false);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1), "    A  ") << "a written row shows its text untrimmed";
}

TEST_F(EventLogTest, AnotherTextInBetweenLetsTheRepeatThrough) {
  form->AddStringToLog(ltInfo, "A", false);
  form->AddStringToLog(ltInfo, "B", false);
  form->AddStringToLog(ltInfo, "A", false);
  EXPECT_EQ(Rows(), 3);
}

TEST_F(EventLogTest, MarksTimesAndColoursByType) {
  fake.clock.Advance(3 * 3600 * 1000 + 5 * 60 * 1000 + 33 * 1000);  // 15:05:33
  form->AddStringToLog(ltUp, "up", false);
  form->AddStringToLog(ltError, "fault", false);
  form->AddStringToLog(ltPlain, "plain", false);
  EXPECT_EQ(Time(0), "15:05:33");
  EXPECT_EQ(form->event_log.gwLog.Cell(1, 0), "\u21E7");
  EXPECT_EQ(form->event_log.gwLog.CellColor(1, 0), 11599816u);
  EXPECT_EQ(form->event_log.gwLog.CellColor(0, 0), 0xFFFFFFu) << "only results colour the time cell";
  EXPECT_EQ(form->event_log.gwLog.Cell(1, 1), "\u2620");
  EXPECT_EQ(form->event_log.gwLog.CellColor(1, 1), 11579135u);
  EXPECT_EQ(form->event_log.gwLog.Cell(1, 2), "");
  EXPECT_EQ(Type(0), "2");
  EXPECT_EQ(form->event_log.gwLog.TopRow(), 2);
}

TEST_F(EventLogTest, ABetIsOneRowFromPlacedToResult) {
  form->AddStringToLog(ltInfo, "before", false);
  form->AddStringToLog(ltBetPending, "placed", false);
  fake.clock.Advance(60'000);
  form->AddStringToLog(ltBetPending, "confirmed", false);
  ASSERT_EQ(Rows(), 2);
  const std::string confirmed_time = Time(1);
  EXPECT_EQ(confirmed_time, "12:01:00");
  fake.clock.Advance(300'000);
  form->AddStringToLog(ltWin, "won", false);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1), "  won");
  EXPECT_EQ(Time(1), confirmed_time) << "a result keeps the time of the confirmation";
  EXPECT_EQ(form->event_log.gwLog.CellColor(0, 1), 11599816u);
  EXPECT_EQ(form->event_log.gwLog.CellColor(1, 1), 11599816u);
  EXPECT_EQ(Type(1), "5");

  form->AddStringToLog(ltLost, "lost without a pending row", false);
  ASSERT_EQ(Rows(), 3);
  EXPECT_EQ(Time(2), "") << "a new result row has no time";
  EXPECT_FALSE(std::filesystem::exists("history.dat")) << "a line shows a result; the ledger records it";
}

TEST_F(EventLogTest, ClosedPendingRowBecomesInformation) {
  form->AddStringToLog(ltBetPending, "placed", false);
  form->AddStringToLog(ltPendingClosed, "failed", false);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(form->event_log.gwLog.Cell(1, 0), "\u2022");
  EXPECT_EQ(form->event_log.gwLog.CellColor(1, 0), 12713983u);
  EXPECT_EQ(Type(0), "1");
  form->AddStringToLog(ltBetPending, "next bet", false);
  EXPECT_EQ(Rows(), 2) << "the closed row is no longer pending";
}

TEST_F(EventLogTest, DroppedRepeatOfAResultPlaysNoSound) {
  form->AddStringToLog(ltWin, "won 5", false);
  form->AddStringToLog(ltWin, "won 5", true);
  EXPECT_EQ(Rows(), 1);
  EXPECT_TRUE(fake.sounds.played.empty());
}

TEST_F(EventLogTest, SoundsFollowTypeRequestAndMute) {
  form->AddStringToLog(ltUp, "up", true);
  ASSERT_EQ(fake.sounds.played.size(), 1u);
  EXPECT_EQ(&fake.sounds.played[0][0] != nullptr, true);
  EXPECT_NE(fake.sounds.played[0], *form->Sounds[ltDown]) << "each type has its own sound";
  EXPECT_EQ(fake.sounds.played[0], *form->Sounds[ltUp]);
  form->AddStringToLog(ltInfo, "quiet", false);
  for (uint8_t type : {ltPlain, ltNotice, ltBetPending, ltPendingClosed})
    form->AddStringToLog(type, "never sounds " + std::to_string(type), true);
  EXPECT_EQ(fake.sounds.played.size(), 1u);
  form->btMute.onClick();
  EXPECT_TRUE(form->Mute);
  EXPECT_TRUE(form->btMute.Down());
  form->AddStringToLog(ltError, "muted", true);
  EXPECT_EQ(fake.sounds.played.size(), 1u);
}

TEST_F(EventLogTest, LinesReachTheDebugLogWhenDebugIsOn) {
  form->AddStringToLog(ltInfo, "mirrored", false);
  ASSERT_FALSE(form->fmDebug.mmLog.Lines().empty());
  EXPECT_NE(form->fmDebug.mmLog.Lines().back().find("> mirrored"), std::string::npos);
  form->DebugEnabled = false;
  form->AddStringToLog(ltInfo, "not mirrored", false);
  EXPECT_EQ(form->fmDebug.mmLog.Lines().back().find("not mirrored"), std::string::npos);
}

TEST_F(EventLogTest, ExportWritesOneLinePerRowWithPrefixes) {
  form->ppmLogPopup();
  EXPECT_FALSE(form->event_log.miSaveLogAsText.Visible()) << "nothing to save in an empty log";
  fake.clock.Advance(2 * 3600 * 1000 + 5 * 60 * 1000 + 33 * 1000);  // 14:05:33
  form->AddStringToLog(ltUp, "  сигнал вверх ", false);
  form->AddStringToLog(ltInfo, "инфо", false);
  form->AddStringToLog(ltBetPending, "ставка", false);
  form->AddStringToLog(ltPendingClosed, "не вышло", false);
  form->AddStringToLog(ltError, "ошибка \u4e2d", false);
  form->AddStringToLog(ltWin, "выигрыш", false);
  form->ppmLogPopup();
  EXPECT_TRUE(form->event_log.miSaveLogAsText.Visible());

  fake.dialogs.save_file_name = (dir.Path() / "log").string();
  form->event_log.miSaveLogAsText.onClick();
  EXPECT_EQ(FileText("log.txt"),
            "14:05:33 > сигнал вверх\r\n"
            "14:05:33 - инфо\r\n"
            "14:05:33 - не вышло\r\n"
            "14:05:33 ! ошибка ?\r\n"
            "         * выигрыш\r\n");
}

// The clock starts at noon.
TEST_F(EventLogTest, TwelveHourLocaleWritesTimesAsItDoesAndTheExportKeepsOneTextColumn) {
  fake.clock.long_time_format = "h:nn:ss ampm";
  form->AddStringToLog(ltInfo, "полдень", false);
  fake.clock.Advance(2 * 3600 * 1000 + 5 * 60 * 1000 + 33 * 1000);
  form->AddStringToLog(ltInfo, "после", false);
  form->AddStringToDebugLog("отладка");
  EXPECT_EQ(Time(0), "12:00:00 PM");
  EXPECT_EQ(Time(1), "2:05:33 PM");
  EXPECT_EQ(form->fmDebug.mmLog.Lines().back().rfind("2:05:33 PM ", 0), 0u) << form->fmDebug.mmLog.Lines().back();

  fake.dialogs.save_file_name = (dir.Path() / "log.txt").string();
  form->event_log.miSaveLogAsText.onClick();
  EXPECT_EQ(FileText("log.txt"),
            "12:00:00 PM - полдень\r\n"
            "2:05:33 PM  - после\r\n");
}

TEST_F(EventLogTest, CancelledExportWritesNothing) {
  form->AddStringToLog(ltInfo, "line", false);
  fake.dialogs.save_file_name = std::nullopt;
  form->miSaveLogAsTextClick();
  fake.dialogs.save_file_name = "   ";
  form->miSaveLogAsTextClick();
  EXPECT_EQ(fake.dialogs.save_requests.size(), 2u);
  EXPECT_TRUE(fake.shell.error_reports.empty());
}

}  // namespace
}  // namespace vantrope

// The seeker pass on a fake desktop in virtual time.
#include <gtest/gtest.h>

#include "terminal_world.h"

namespace vantrope::testing {
namespace {

using TerminalSeeker = TerminalFixture;

TEST_F(TerminalSeeker, OffUntilSwitchedOnThenEverySecond) {
  Pass();
  EXPECT_EQ(fake.windows.class_searches, 0);
  SwitchSeekingOn();
  Pass();
  Pass();
  EXPECT_EQ(fake.windows.class_searches, 2);
  // Off: no more passes, and what was found stays.
  form->cbAlpariSeek.SetChecked(false);
  form->cbAlpariSeekClick();
  Pass();
  EXPECT_EQ(fake.windows.class_searches, 2);
  EXPECT_EQ(form->terminal.TerminalValute, "frxEURUSD");
  EXPECT_EQ(form->fmDebug.terminal.stTermValute.Caption(), "frxEURUSD");
}

TEST_F(TerminalSeeker, StartsWithTheSettingOn) {
  WriteSettings("[Alpari]\nAlpariSeek=1\nTerminalPageName=terminal.exe\n");
  Start();
  Terminal().class_name = "terminal.exe";
  Pass();
  EXPECT_EQ(form->terminal.TerminalHandle, FakeWindowSystem::kTerminalHandleBase);
}

TEST_F(TerminalSeeker, ShowsWhatItFound) {
  SwitchSeekingOn();
  Pass();
  const TfmDebug& debug = form->fmDebug;
  EXPECT_EQ(debug.terminal.stTermHandle.Caption(), "0x00005000");
  EXPECT_EQ(debug.terminal.stTermName.Caption(), "1000200: Demo-Server - Demo Account - [EURUSD,M15]");
  EXPECT_EQ(debug.terminal.stTermPosX.Caption(), "100");
  EXPECT_EQ(debug.terminal.stTermPosY.Caption(), "50");
  EXPECT_EQ(debug.terminal.stTermWidth.Caption(), "800");
  EXPECT_EQ(debug.terminal.stTermHeight.Caption(), "600");
  EXPECT_EQ(debug.terminal.stSnapTime.Caption(), "08.12.2026 12:00:01");
  EXPECT_EQ(form->terminal.Snapshot.Width(), 128);
  EXPECT_EQ(form->terminal.Snapshot.Height(), 600);
  EXPECT_EQ(form->terminal.SnapshotState, snSearched) << "captured and searched";
  EXPECT_EQ(debug.terminal.Image1.Picture(), form->terminal.Snapshot);
  EXPECT_EQ(debug.terminal.lbArrowUpFound.Caption(), " " + form->Txt(86));

  // The terminal goes away: dashes, everything else as it was.
  Terminal().exists = false;
  Pass();
  for (const ui::Label* field : {&debug.terminal.stTermPosX, &debug.terminal.stTermPosY, &debug.terminal.stTermWidth,
                                 &debug.terminal.stTermHeight, &debug.terminal.stTermHandle, &debug.terminal.stTermName,
                                 &debug.terminal.stTermValute})
    EXPECT_EQ(field->Caption(), "---");
  EXPECT_EQ(form->terminal.TerminalValute, "frxEURUSD");
  EXPECT_EQ(debug.terminal.stSnapTime.Caption(), "08.12.2026 12:00:01");
  EXPECT_TRUE(fake.clock.IsArmed(form->tmSeeker)) << "passes go on";
}

TEST_F(TerminalSeeker, OnlyTheConfiguredClass) {
  Terminal().class_name = "Other";
  SwitchSeekingOn();
  Pass();
  EXPECT_EQ(form->terminal.TerminalHandle, 0u);
  EXPECT_EQ(form->fmDebug.terminal.stTermName.Caption(), "---");
}

TEST_F(TerminalSeeker, FirstPassReportsTheTimeframeAndSelectsThePair) {
  Terminal().caption = "MetaTrader without a chart";
  SwitchSeekingOn();
  Pass();
  ASSERT_EQ(Rows(), 1) << "the first timeframe is always reported";
  EXPECT_EQ(Text(0), form->Txt(130) + " 1m");
  EXPECT_EQ(Type(0), "1");
  EXPECT_TRUE(form->EVENT.PeriodChanged);
  EXPECT_EQ(form->terminal.TerminalValute, "frx");

  Terminal().caption = "Demo - [EURUSD,M15]";
  form->chart.cbeBetOnValutePair_.SetItemIndex(3);
  Pass();
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1), form->Txt(130) + " 15m");
  EXPECT_EQ(form->chart.cbeBetOnValutePair_.ItemIndex(), 7) << "the later of the two EUR/USD items";
  EXPECT_EQ(form->chart.teBetOnBetPeriod_.Text(), "15");
  EXPECT_EQ(form->chart.cbeBetOnBetTimeCost_.ItemIndex(), 1);
  Pass();
  EXPECT_EQ(Rows(), 2) << "an unchanged timeframe is not reported again";
}

TEST_F(TerminalSeeker, ChangedTimeframeRefillsTheForm) {
  SwitchSeekingOn();
  Pass();
  form->EVENT.PeriodChanged = false;  // consumed by the bet cycle
  form->robot.BetOnStatus = bsFormReady;
  form->chart.teBetOnBetPeriod_.SetText("x");
  Pass();
  EXPECT_EQ(form->robot.BetOnStatus, bsFormReady);
  EXPECT_EQ(form->chart.teBetOnBetPeriod_.Text(), "x") << "the period display waits for a change";

  Terminal().caption = "Demo - [EURUSD,H1]";
  Pass();
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1), form->Txt(130) + " 1h");
  EXPECT_TRUE(form->EVENT.PeriodChanged);
  EXPECT_EQ(form->robot.BetOnStatus, bsFillForm);
  EXPECT_EQ(form->EVENT.Period, 1);
  EXPECT_EQ(form->EVENT.PeriodUnit, "h");
  EXPECT_EQ(form->chart.cbeBetOnBetTimeCost_.ItemIndex(), 2);

  Terminal().caption = "Demo - [GBPJPY,H4]";
  Pass();
  EXPECT_EQ(form->chart.teBetOnBetPeriod_.Text(), "4");
  EXPECT_EQ(form->chart.cbeBetOnBetTimeCost_.Text(), form->chart.cbeBetOnBetTimeCost_.Items()[2]);
  EXPECT_EQ(form->chart.cbeBetOnValutePair_.Text(), "GBP/JPY");

  Terminal().caption = "Demo - [USDCAD,Daily]";
  Pass();
  EXPECT_EQ(form->EVENT.PeriodUnit, "d");
  EXPECT_EQ(form->chart.cbeBetOnBetTimeCost_.ItemIndex(), -1) << "the box has no days";

  Terminal().caption = "Demo - [USDCAD,W1]";
  Pass();
  EXPECT_EQ(form->EVENT.PeriodUnit, "d") << "a timeframe outside the table changes nothing";
  EXPECT_EQ(Rows(), 4);
}

TEST_F(TerminalSeeker, LowerCasePairMatchesNoItem) {
  SwitchSeekingOn();
  form->chart.cbeBetOnValutePair_.SetItemIndex(3);
  Terminal().caption = "Demo - [eurusd,m15]";
  Pass();
  EXPECT_EQ(form->terminal.TerminalValute, "frxeurusd");
  EXPECT_EQ(form->chart.cbeBetOnValutePair_.ItemIndex(), 3);
  EXPECT_EQ(form->EVENT.Period, 15);
  EXPECT_EQ(form->EVENT.PeriodUnit, "m");
}

// A terminal that stays out of sight (on another desktop, say) is restored
// once and told of once; the robot's window does not take the focus again.
TEST_F(TerminalSeeker, MinimisedTerminalIsRestoredOnceWithoutTheFocus) {
  const WindowRect shown = Terminal().rect;
  Terminal().rect = {-32000, -32000, -32000 + 160, -32000 + 28};
  SwitchSeekingOn();
  Pass();
  EXPECT_EQ(fake.windows.calls, (std::vector<std::string>{"restore 20480", "raise 20480"}));
  EXPECT_EQ(fake.shell.bring_to_front_calls, 2) << "start-up, then after the restore";
  EXPECT_EQ(form->terminal.Snapshot.Height(), 28) << "this pass keeps the minimised rectangle";
  const int rows = Rows();
  for (int pass = 0; pass < 5; ++pass) Pass();
  EXPECT_EQ(fake.windows.calls.size(), 2u);
  EXPECT_EQ(fake.shell.bring_to_front_calls, 2);
  ASSERT_EQ(Rows(), rows + 1);
  EXPECT_EQ(Text(rows), form->Txt(288));
  EXPECT_EQ(Type(rows), "4");

  // Seen again, then lost again: restored and told of once more.
  Terminal().rect = shown;
  Pass();
  Terminal().rect = {-32000, -32000, -32000 + 160, -32000 + 28};
  for (int pass = 0; pass < 5; ++pass) Pass();
  EXPECT_EQ(fake.windows.calls.size(), 4u);
  EXPECT_EQ(fake.shell.bring_to_front_calls, 3);
  EXPECT_EQ(Rows(), rows + 2);
}

TEST_F(TerminalSeeker, HardUpdateRaisesTheTerminalBeforeEachCapture) {
  // Another window lies over the terminal's right edge.
  Terminal().cover = Bitmap();
  Terminal().cover.Resize(kWidth, kHeight / 2);
  Terminal().cover.Fill(ui::Rgb(200, 200, 200));
  Terminal().covered = true;
  SwitchSeekingOn();
  Pass();
  EXPECT_EQ(form->terminal.Snapshot.Pixel(5, 5), ui::Rgb(200, 200, 200)) << "without hard update the cover is captured";
  EXPECT_TRUE(fake.windows.calls.empty());

  form->terminal.AlpariHardUpdate = true;
  Pass();
  EXPECT_EQ(fake.windows.calls, (std::vector<std::string>{"show 20480", "raise 20480"}));
  EXPECT_EQ(form->terminal.Snapshot.Pixel(5, 5), ui::Rgb(10, 10, 30));
}

TEST_F(TerminalSeeker, FailedCaptureShowsWhiteAndSearchesNothing) {
  DrawOnChart(40, 100, true);
  form->EVENT.Valute = "frxEURUSD";
  Terminal().copy_fails = true;
  SwitchSeekingOn();
  Pass();
  EXPECT_EQ(form->terminal.SnapshotState, snNone);
  EXPECT_EQ(form->terminal.Snapshot.Pixel(40, 100), ui::Rgb(255, 255, 255));
  EXPECT_EQ(form->fmDebug.terminal.Image1.Picture(), form->terminal.Snapshot);
  EXPECT_FALSE(form->terminal.ArrowUpMatch.Found);
  EXPECT_FALSE(form->EVENT.NewSignal);
  EXPECT_EQ(form->fmDebug.terminal.stSnapTime.Caption(), "08.12.2026 12:00:01") << "the attempt's time";

  Terminal().copy_fails = false;
  Pass();
  EXPECT_TRUE(form->EVENT.NewSignal) << "the next pass tries again";
}

// The window went between the search and the rectangle read.
TEST_F(TerminalSeeker, UnreadableRectangleCountsAsNoTerminal) {
  Terminal().rect_fails = true;
  SwitchSeekingOn();
  Pass();
  EXPECT_EQ(form->terminal.TerminalHandle, 0u);
  EXPECT_EQ(form->fmDebug.terminal.stTermHandle.Caption(), "---");
  EXPECT_TRUE(fake.clock.IsArmed(form->tmSeeker)) << "passes go on";
  Terminal().rect_fails = false;
  Pass();
  EXPECT_EQ(form->terminal.TerminalHandle, FakeWindowSystem::kTerminalHandleBase);
}

TEST_F(TerminalSeeker, StopsOnAnEmptyWindowOrAnUnsearchedCapture) {
  Terminal().rect.bottom = Terminal().rect.top;
  SwitchSeekingOn();
  Pass();
  EXPECT_FALSE(fake.clock.IsArmed(form->tmSeeker));
  Pass();
  EXPECT_EQ(fake.windows.class_searches, 1);

  Terminal().rect.bottom = Terminal().rect.top + kHeight;
  SwitchSeekingOn();
  Pass();
  EXPECT_EQ(fake.windows.class_searches, 2) << "switched on again";

  form->terminal.SnapshotState = snCaptured;
  Pass();
  EXPECT_EQ(fake.windows.class_searches, 2);
  EXPECT_FALSE(fake.clock.IsArmed(form->tmSeeker));
}

}  // namespace
}  // namespace vantrope::testing

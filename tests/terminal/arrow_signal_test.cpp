// Arrows on the terminal's chart becoming signals, and the pair following it.
#include <gtest/gtest.h>

#include "terminal_world.h"

namespace vantrope::testing {
namespace {

class ArrowSignals : public TerminalFixture {
 protected:
  void SetUp() override {
    TerminalFixture::SetUp();
    SwitchSeekingOn();
    Pass();  // the first timeframe report
    form->EVENT.PeriodChanged = false;
    form->EVENT.Valute = "frxEURUSD";  // as the robot's start sets it
  }
  int RowsOfType(const std::string& type) const {
    int count = 0;
    for (int row = 0; row < Rows(); ++row) count += Type(row) == type;
    return count;
  }
  ui::Color Yellow() const { return ui::Rgb(255, 255, 0); }
};

TEST_F(ArrowSignals, UpArrowRaisesOneSignalPerDirection) {
  DrawOnChart(40, 100, true);
  Pass();
  EXPECT_TRUE(form->EVENT.NewSignal);
  EXPECT_EQ(form->EVENT.Direction, drUp);
  ASSERT_EQ(RowsOfType("2"), 1);
  EXPECT_EQ(Text(Rows() - 1), form->Txt(132));
  EXPECT_EQ(fake.sounds.played.size(), 2u) << "the timeframe line and the up line";

  // The consumer clears the flag only: the same arrow raises nothing more.
  form->EVENT.NewSignal = false;
  Pass();
  Pass();
  EXPECT_FALSE(form->EVENT.NewSignal);
  EXPECT_EQ(RowsOfType("2"), 1);

  // A refused bet resets the direction: the arrow still in view signals again.
  form->EVENT.Direction = drNone;
  Pass();
  EXPECT_TRUE(form->EVENT.NewSignal);
  EXPECT_EQ(RowsOfType("2"), 2);

  // A down arrow further right signals at once.
  form->EVENT.NewSignal = false;
  DrawOnChart(60, 300, false);
  Pass();
  EXPECT_TRUE(form->EVENT.NewSignal);
  EXPECT_EQ(form->EVENT.Direction, drDown);
  EXPECT_EQ(RowsOfType("3"), 1);
  EXPECT_EQ(Text(Rows() - 1), form->Txt(133));
}

TEST_F(ArrowSignals, TheArrowFurtherRightWins) {
  DrawOnChart(50, 100, true);
  DrawOnChart(70, 300, false);
  Pass();
  EXPECT_FALSE(form->terminal.ArrowUpMatch.Found);
  EXPECT_TRUE(form->terminal.ArrowDownMatch.Found);
  EXPECT_EQ(form->EVENT.Direction, drDown);
  EXPECT_EQ(RowsOfType("2"), 0);
  // Both are outlined; the losing label keeps its score in black. A down
  // arrow also matches one row lower, and the last match wins.
  const TArrowMatch& down = form->terminal.ArrowDownMatch;
  EXPECT_EQ(down.X, 70);
  EXPECT_EQ(down.Y, 301);
  const Bitmap& picture = form->fmDebug.terminal.Image1.Picture();
  EXPECT_EQ(picture.Pixel(49, 99), Yellow());
  EXPECT_EQ(picture.Pixel(60, 107), Yellow());
  EXPECT_EQ(picture.Pixel(60, 98), form->terminal.Snapshot.Pixel(60, 98));
  EXPECT_EQ(picture.Pixel(69, 300), Yellow());
  EXPECT_EQ(picture.Pixel(80, 308), Yellow());
  EXPECT_EQ(picture.Pixel(55, 103), form->terminal.Snapshot.Pixel(55, 103)) << "inside untouched";
  EXPECT_NE(form->terminal.Snapshot.Pixel(49, 99), Yellow()) << "the snapshot itself stays clean";
  const TfmDebug& debug = form->fmDebug;
  EXPECT_EQ(debug.terminal.lbArrowUpFound.Caption(), " " + form->Txt(131) + " 100.0%");
  EXPECT_EQ(debug.terminal.lbArrowUpFound.FontColor(), ui::Rgb(0, 0, 0));
  EXPECT_EQ(debug.terminal.lbArrowDownFound.FontColor(), ui::Rgb(255, 0, 0));
}

TEST_F(ArrowSignals, InOneColumnDownWins) {
  DrawOnChart(50, 300, true);
  DrawOnChart(50, 100, false);
  Pass();
  EXPECT_EQ(form->EVENT.Direction, drDown);
  EXPECT_FALSE(form->terminal.ArrowUpMatch.Found);
  DrawOnChart(51, 200, true);
  form->EVENT.NewSignal = false;
  Pass();
  EXPECT_EQ(form->EVENT.Direction, drUp) << "one column further right";
}

TEST_F(ArrowSignals, NoSignalBeforeTheRobotsFirstStart) {
  form->EVENT.Valute.clear();
  DrawOnChart(40, 100, true);
  Terminal().caption = "Demo - [GBPUSD,M15]";
  Pass();
  EXPECT_TRUE(form->terminal.ArrowUpMatch.Found) << "found and shown";
  EXPECT_EQ(form->fmDebug.terminal.lbArrowUpFound.FontColor(), ui::Rgb(255, 0, 0));
  EXPECT_FALSE(form->EVENT.NewSignal);
  EXPECT_EQ(form->EVENT.Direction, drNone);
  EXPECT_TRUE(form->EVENT.Valute.empty()) << "no pair to follow yet";
  EXPECT_FALSE(form->EVENT.ValuteChanged);
}

TEST_F(ArrowSignals, BetPairFollowsTheChart) {
  form->robot.BetOnStatus = bsFormReady;
  Terminal().caption = "Demo - [GBPUSD,M15]";
  Pass();
  ASSERT_EQ(RowsOfType("1"), 2);
  EXPECT_EQ(Text(Rows() - 1), form->Txt(134) + "frxEURUSD" + form->Txt(135) + "frxGBPUSD]");
  EXPECT_EQ(form->EVENT.Valute, "frxGBPUSD");
  EXPECT_TRUE(form->EVENT.ValuteChanged);
  EXPECT_EQ(form->robot.BetOnStatus, bsFillForm);
  Pass();
  EXPECT_EQ(RowsOfType("1"), 2) << "followed once";

  // A caption without a pair names no pair to bet on: the bet pair stays.
  Terminal().caption = "Demo";
  Pass();
  EXPECT_EQ(form->EVENT.Valute, "frxGBPUSD");
  EXPECT_EQ(RowsOfType("1"), 2);
}

// A caption without a pair hides which chart the arrow stands on, which may
// have changed meanwhile: no signal until the caption tells the chart.
TEST_F(ArrowSignals, ACaptionWithoutAPairHoldsTheSignalBack) {
  Terminal().caption = "1000200: Demo-Server - Demo Account";
  const int64_t first_seen = fake.clock.MonotonicMs() + 1000;
  DrawOnChart(60, 100, true);
  Pass();
  EXPECT_TRUE(form->terminal.ArrowUpMatch.Found);
  EXPECT_FALSE(form->EVENT.NewSignal);
  EXPECT_EQ(form->EVENT.Direction, drNone);

  // The same chart: the arrow signals, as old as its first sight.
  Terminal().caption = "1000200: Demo-Server - Demo Account - [EURUSD,M15]";
  Pass();
  EXPECT_TRUE(form->EVENT.NewSignal);
  EXPECT_EQ(form->EVENT.SignalTime, first_seen);
}

// A signal carries when its arrow was first seen: the same arrow moving
// left with the chart keeps its time, however often it signals; an arrow
// on a chart the robot has not watched before is of no known age.
TEST_F(ArrowSignals, ASignalCarriesWhenItsArrowWasFirstSeen) {
  const int64_t drawn = fake.clock.MonotonicMs();
  DrawOnChart(60, 100, true);
  Pass();
  EXPECT_EQ(form->EVENT.SignalTime, drawn + 1000);

  for (int x : {55, 50}) {
    Terminal().picture = Blank(kWidth, kHeight);
    DrawOnChart(x, 100, true);
    form->EVENT.Direction = drNone;  // a refused bet lets the arrow signal again
    Pass();
    ASSERT_TRUE(form->EVENT.NewSignal);
    EXPECT_EQ(form->EVENT.SignalTime, drawn + 1000) << "the same arrow at " << x;
  }

  // The terminal's window gone for longer than a bar: an arrow where the
  // old one was is a new one, the old one having moved on, and it may have
  // come at any time while the window was gone.
  const int64_t last_look = fake.clock.MonotonicMs();
  Terminal().exists = false;
  fake.clock.Advance(15 * 60'000);
  Terminal().exists = true;
  form->EVENT.Direction = drNone;
  Pass();
  EXPECT_EQ(form->EVENT.SignalTime, last_look);

  // The up arrow gone, a down arrow and then a new up arrow further right.
  Terminal().picture = Blank(kWidth, kHeight);
  DrawOnChart(60, 300, false);
  Pass();
  DrawOnChart(70, 100, true);
  Pass();
  EXPECT_EQ(form->EVENT.Direction, drUp);
  EXPECT_EQ(form->EVENT.SignalTime, fake.clock.MonotonicMs());

  // Another pair: its arrows were there before the robot watched them.
  Terminal().caption = "Demo - [GBPUSD,M15]";
  form->EVENT.Direction = drDown;
  Pass();
  EXPECT_EQ(form->EVENT.Direction, drUp);
  EXPECT_EQ(form->EVENT.SignalTime, 0);
}

// The clock set an hour forward or back between two passes: the arrow in
// view is the same arrow, and keeps its time.
TEST_F(ArrowSignals, AClockSteppedAnHourLeavesTheArrowInViewAsOldAsItIs) {
  DrawOnChart(60, 100, true);
  Pass();
  const int64_t first_seen = form->EVENT.SignalTime;
  for (int64_t step : {3'600'000, -3'600'000, -3'600'000}) {
    fake.clock.StepWallClock(step);
    form->EVENT.Direction = drNone;
    Pass();
    ASSERT_TRUE(form->EVENT.NewSignal);
    EXPECT_EQ(form->EVENT.SignalTime, first_seen) << "after a step of " << step << " ms";
  }
}

// The pass that restores a minimised terminal has no chart to search: the
// arrow in view after it is the arrow it was.
TEST_F(ArrowSignals, AnArrowInViewOfARestoredTerminalKeepsItsTime) {
  DrawOnChart(60, 100, true);
  Pass();
  const int64_t first_seen = form->EVENT.SignalTime;
  Terminal().sight = FakeWindowSystem::Sight::kMinimised;
  Pass();
  form->EVENT.Direction = drNone;
  Pass();
  ASSERT_TRUE(form->EVENT.NewSignal);
  EXPECT_EQ(form->EVENT.SignalTime, first_seen);
}

TEST_F(ArrowSignals, FrameMarksTheArrowOfTheCurrentDirection) {
  DrawOnChart(40, 100, true);
  Pass();
  ASSERT_EQ(fake.windows.frames.size(), 1u);
  const auto& up = fake.windows.frames[0];
  EXPECT_EQ(up.window, FakeWindowSystem::kTerminalHandleBase);
  EXPECT_EQ(up.rect, (WindowRect{800 - 130 + 40, 98, 800 - 117 + 40, 113}));
  EXPECT_EQ(up.color, Yellow());

  // Before a start nothing signals, so the direction in force stays: the
  // up arrow found is not framed, a down arrow is.
  form->EVENT.Valute.clear();
  form->EVENT.Direction = drDown;
  Pass();
  EXPECT_EQ(fake.windows.frames.size(), 1u);

  Terminal().picture = Blank(kWidth, kHeight);
  DrawOnChart(30, 200, false);
  Pass();
  ASSERT_EQ(fake.windows.frames.size(), 2u);
  EXPECT_EQ(fake.windows.frames[1].rect, (WindowRect{800 - 130 + 30, 201 - 7, 800 - 117 + 30, 201 + 8}));
}

// A window lying over the chart hides the arrow from the searches: when it
// goes, the arrow is the one seen before, at its place or moved left, and
// keeps its first sight; a dropped bet let it raise its signal again.
TEST_F(ArrowSignals, AnArrowACoverHidTheSearchesFromKeepsItsFirstSight) {
  const int64_t drawn = fake.clock.MonotonicMs();
  DrawOnChart(60, 100, true);
  Pass();
  ASSERT_EQ(form->EVENT.SignalTime, drawn + 1000);
  for (const int x : {60, 52}) {
    Terminal().cover = Filled(kWidth, kHeight, ui::Rgb(255, 255, 255));
    Terminal().covered = true;
    Pass();
    fake.clock.Advance(x == 60 ? 60'000 : 20 * 60'000);  // within a bar; then longer, the chart moved a bar
    Terminal().covered = false;
    Terminal().picture = Blank(kWidth, kHeight);
    DrawOnChart(x, 100, true);
    form->EVENT.Direction = drNone;
    Pass();
    ASSERT_TRUE(form->EVENT.NewSignal);
    EXPECT_EQ(form->EVENT.SignalTime, drawn + 1000) << "the arrow at " << x;
  }
}

}  // namespace
}  // namespace vantrope::testing

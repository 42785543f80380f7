// The folding browser panel, lamps, blinking buttons, logo, keep-awake and memory trim.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace vantrope {
namespace {

class WindowBehaviourTest : public testing::FormFixture {
 protected:
  void SetUp() override { Start(); }
  int PanelWidth() const { return form->Form.Width() - form->Form.MinWidth(); }
  // The panel widths seen after each step of the animation, until it stops.
  std::vector<int> Animate() {
    std::vector<int> widths;
    while (form->tmFormAnimate.Enabled() && widths.size() < 100) {
      fake.clock.Advance(25);
      widths.push_back(PanelWidth());
    }
    return widths;
  }
};

TEST_F(WindowBehaviourTest, PanelOpensAndClosesInTenSteps) {
  EXPECT_EQ(form->ExpandState, 0);
  EXPECT_EQ(form->pnExpand.Caption(), "4");
  form->pnExpand.onClick();
  EXPECT_EQ(form->ExpandState, 1);
  EXPECT_EQ(Animate(), (std::vector<int>{60, 120, 180, 240, 300, 360, 420, 480, 540, 600}));
  EXPECT_EQ(form->ExpandState, 2);
  EXPECT_EQ(form->pnExpand.Caption(), "3");
  form->pnExpand.onClick();
  EXPECT_EQ(Animate(), (std::vector<int>{540, 480, 420, 360, 300, 240, 180, 120, 60, 0}));
  EXPECT_EQ(form->ExpandState, 0);
  EXPECT_EQ(form->pnExpand.Caption(), "4");
  EXPECT_EQ(form->Form.Width(), form->Form.MinWidth());
}

// The window manager's frame becomes known after the window shows: the
// limits follow it, a folded window stays at its minimum and an open panel
// keeps its width.
TEST_F(WindowBehaviourTest, FrameLearnedLateSetsTheLimitsAgain) {
  const int panels = form->MainPanelWidth + form->ExpandPanelWidth;
  EXPECT_EQ(form->Form.MinWidth(), panels - 2);
  form->Form.SetFrame(16, 30);
  EXPECT_EQ(form->Form.MinWidth(), panels + 6);
  EXPECT_EQ(form->Form.Width(), form->Form.MinWidth());
  EXPECT_EQ(form->ExpandState, 0);

  form->pnExpand.onClick();
  Animate();
  form->Form.SetFrame(2, 20);
  EXPECT_EQ(form->Form.MinWidth(), panels - 2);
  EXPECT_EQ(PanelWidth(), 600);
  EXPECT_EQ(form->ExpandState, 2);
}

TEST_F(WindowBehaviourTest, OddWidthEndsExactlyOnTheTarget) {
  form->BrowserPanelWidth = 305;
  form->pnExpand.onClick();
  const std::vector<int> widths = Animate();
  ASSERT_EQ(widths.size(), 11u);
  EXPECT_EQ(widths[0], 30);
  EXPECT_EQ(widths[9], 300);
  EXPECT_EQ(widths[10], 305);
}

TEST_F(WindowBehaviourTest, StoredWidthBelowTenStillEnds) {
  form->BrowserPanelWidth = 5;
  form->pnExpand.onClick();
  EXPECT_EQ(Animate(), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(form->ExpandState, 2);
}

TEST_F(WindowBehaviourTest, ClicksDuringTheAnimationAreIgnored) {
  form->pnExpand.onClick();
  fake.clock.Advance(50);
  form->pnExpand.onClick();
  EXPECT_EQ(form->ExpandState, 1);
  Animate();
  EXPECT_EQ(PanelWidth(), 600);
}

TEST_F(WindowBehaviourTest, ClosingRemembersTheWidthTheUserLeft) {
  form->pnExpand.onClick();
  Animate();
  form->Form.SetWidth(form->Form.MinWidth() + 250);  // the user drags the edge
  EXPECT_EQ(form->ExpandState, 2);
  EXPECT_EQ(form->BrowserPanelWidth, 300) << "never narrower than 300";
  form->Form.SetWidth(form->Form.MinWidth() + 450);
  EXPECT_EQ(form->BrowserPanelWidth, 450);
  form->pnExpand.onClick();
  Animate();
  form->pnExpand.onClick();
  Animate();
  EXPECT_EQ(PanelWidth(), 450);
  form->Form.SetWidth(0);
  EXPECT_EQ(form->ExpandState, 0);
  EXPECT_EQ(form->pnExpand.Caption(), "4");
}

TEST_F(WindowBehaviourTest, LampsFollowTheBetCycle) {
  const ui::Color green = ui::Rgb(128, 255, 128), red = ui::Rgb(255, 128, 128);
  form->robot.BetOnStatus = bsIdle;
  fake.clock.Advance(500);
  EXPECT_EQ(form->robot_controls.shRobotReady.BrushColor(), red);
  EXPECT_EQ(form->shWaitIndicator.BrushColor(), ui::kClBtnFace);
  form->robot.BetOnStatus = bsFormReady;
  fake.clock.Advance(500);
  EXPECT_EQ(form->robot_controls.shRobotReady.BrushColor(), green);
  EXPECT_EQ(form->shWaitIndicator.BrushColor(), green);
  form->robot.BetOnStatus = bsBetRequested;
  fake.browser.busy = true;
  form->page.PageParsedBlink = true;
  fake.clock.Advance(500);
  EXPECT_EQ(form->robot_controls.shRobotReady.BrushColor(), green);
  EXPECT_EQ(form->shWaitIndicator.BrushColor(), ui::kClBtnFace);
  EXPECT_EQ(form->shWebBrowserBusy.BrushColor(), red);
  EXPECT_EQ(form->shHtmlParser.BrushColor(), ui::Rgb(157, 157, 255));
  fake.clock.Advance(500);
  EXPECT_EQ(form->shHtmlParser.BrushColor(), green) << "the parser lamp blinks for one tick";
}

TEST_F(WindowBehaviourTest, PauseButtonsBlinkByPauseMode) {
  form->robot.RobotPauseMode = pmAfterResult;
  std::vector<int> blends;
  for (int i = 0; i < 3; ++i) {
    fake.clock.Advance(500);
    blends.push_back(form->robot_controls.btPause1.Blend());
    EXPECT_EQ(form->robot_controls.btPause2.Blend(), 0);
  }
  EXPECT_EQ(blends, (std::vector<int>{60, 0, 60}));
  form->robot.RobotPauseMode = pmPaused;
  fake.clock.Advance(500);
  EXPECT_EQ(form->robot_controls.btPause1.Blend(), 0);
  EXPECT_TRUE(form->robot_controls.btPause3Fon.Visible());
  fake.clock.Advance(500);
  EXPECT_FALSE(form->robot_controls.btPause3Fon.Visible());
}

TEST_F(WindowBehaviourTest, MuteButtonFollowsTheFlag) {
  form->Mute = true;
  fake.clock.Advance(500);
  EXPECT_TRUE(form->btMute.Down());
}

TEST_F(WindowBehaviourTest, SystemIsKeptAwakeAboutEveryMinute) {
  fake.clock.Advance(120 * 500);
  EXPECT_EQ(fake.shell.keep_awake_calls, 0);
  fake.clock.Advance(500);
  EXPECT_EQ(fake.shell.keep_awake_calls, 1);
  fake.clock.Advance(121 * 500);
  EXPECT_EQ(fake.shell.keep_awake_calls, 2);
}

TEST_F(WindowBehaviourTest, MemoryIsTrimmedEveryHalfHourAboveTheThreshold) {
  fake.memory.working_set = 179'999'999;
  fake.clock.Advance(1'800'000);
  EXPECT_EQ(fake.memory.trims, 0);
  fake.memory.working_set = 180'000'000;
  fake.clock.Advance(1'800'000);
  EXPECT_EQ(fake.memory.trims, 1);
  EXPECT_EQ(fake.browser.history_clears, 1);
  EXPECT_NE(form->fmDebug.mmLog.Lines().back().find("> " + form->Txt(112) + " 180000000 -> 180000000"),
            std::string::npos);
  form->EVENT.BetStatus = ssBetAccepted;
  fake.clock.Advance(1'800'000);
  EXPECT_EQ(fake.memory.trims, 2);
  EXPECT_EQ(fake.browser.history_clears, 1) << "the history stays while a bet is under way";
}

TEST_F(WindowBehaviourTest, ShutdownTrimsOnceMoreAndStopsTheTimer) {
  fake.memory.working_set = 200'000'000;
  ASSERT_TRUE(form->FormClose());
  EXPECT_EQ(fake.memory.trims, 1);
  EXPECT_FALSE(form->tmClearRam.Enabled());
}

TEST_F(WindowBehaviourTest, LogoMenuAndDoubleClick) {
  form->miSelectLogoPic[3].onClick();
  EXPECT_EQ(form->LogoIndex, 3);
  EXPECT_EQ(form->imLogo.PictureIndex(), 3);
  form->DebugEnabled = false;
  form->imLogo.onDblClick();
  EXPECT_FALSE(form->fmDebug.Form.Visible());
  form->DebugEnabled = true;
  form->imLogo.onDblClick();
  EXPECT_TRUE(form->fmDebug.Form.Visible());
}

TEST_F(WindowBehaviourTest, StatusMessageStaysEightSecondsAfterTheLatest) {
  form->ShowStatusMessage("first");
  fake.clock.Advance(5000);
  form->ShowStatusMessage("   ");
  EXPECT_EQ(form->StatusBar1.Text(), " ");
  fake.clock.Advance(7999);
  EXPECT_EQ(form->StatusBar1.Text(), " ");
  fake.clock.Advance(1);
  EXPECT_EQ(form->StatusBar1.Text(), "");
}

}  // namespace
}  // namespace vantrope

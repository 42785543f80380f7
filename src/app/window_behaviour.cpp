// The main window's own behaviour: the folding browser panel, the lamps and
// blinking buttons, keep-awake, the logo and the memory trim.
#include <algorithm>

#include "app/main_form.h"

namespace vantrope {

namespace {

constexpr int kMinBrowserPanelWidth = 300;
constexpr uint8_t kKeepAwakeTicks = 120;
constexpr ui::Color kLampGreen = ui::Rgb(128, 255, 128);
constexpr ui::Color kLampRed = ui::Rgb(255, 128, 128);
constexpr ui::Color kLampBlue = ui::Rgb(157, 157, 255);
constexpr int kMemoryTrimmedText = 112;

void ToggleBlend(ui::Button& button) {
  button.SetBlend(button.Blend() == RobotControls::kBlendNormal ? RobotControls::kBlendFaded
                                                                : RobotControls::kBlendNormal);
}

}  // namespace

int TMainForm::BrowserPanelShownWidth() const {
  return Form.Width() - MainPanelWidth - ExpandPanelWidth - FrameAllowance;
}

void TMainForm::SetWindowWidthForPanel(int panel_width) {
  Form.SetWidth(MainPanelWidth + ExpandPanelWidth + panel_width + FrameAllowance);
}

void TMainForm::pnExpandClick() {
  if (ExpandState == 0) {
    ExpandState = 1;
    tmFormAnimate.SetEnabled(true);
  } else if (ExpandState == 2) {
    BrowserPanelWidth = std::max(BrowserPanelShownWidth(), kMinBrowserPanelWidth);
    ExpandState = 3;
    tmFormAnimate.SetEnabled(true);
  }
}

void TMainForm::tmFormAnimateTimer() {
  int w = BrowserPanelShownWidth();
  const int t = BrowserPanelWidth;
  // A tenth of the width, but a stored width below ten still moves.
  const int step = std::max(t / 10, 1);
  if (ExpandState == 1) {
    if (w < t) w += step;
    if (w > t) w = t;
    SetWindowWidthForPanel(w);
    if (w == t) {
      ExpandState = 2;
      pnExpand.SetCaption("3");
      tmFormAnimate.SetEnabled(false);
    }
  } else if (ExpandState == 3) {
    if (w > 0) w -= step;
    if (w < 0) w = 0;
    if (w > 0)
      SetWindowWidthForPanel(w);
    else
      Form.SetWidth(0);
    if (w == 0) {
      ExpandState = 0;
      pnExpand.SetCaption("4");
      tmFormAnimate.SetEnabled(false);
    }
  } else {
    tmFormAnimate.SetEnabled(false);
  }
}

void TMainForm::FormResize() {
  if (tmFormAnimate.Enabled() || MainPanelWidth == 0) return;
  if (Form.Width() > Form.MinWidth()) {
    ExpandState = 2;
    pnExpand.SetCaption("3");
    BrowserPanelWidth = std::max(BrowserPanelShownWidth(), kMinBrowserPanelWidth);
  } else {
    ExpandState = 0;
    pnExpand.SetCaption("4");
  }
}

void TMainForm::tmVisualFxTimer() {
  switch (robot.RobotPauseMode) {
    case 1:
      ToggleBlend(robot_controls.btPause1);
      robot_controls.btPause2.SetBlend(RobotControls::kBlendNormal);
      robot_controls.btPause3Fon.SetVisible(false);
      break;
    case 2:
      ToggleBlend(robot_controls.btPause2);
      robot_controls.btPause1.SetBlend(RobotControls::kBlendNormal);
      robot_controls.btPause3Fon.SetVisible(false);
      break;
    case 255:
      robot_controls.btPause3Fon.SetVisible(!robot_controls.btPause3Fon.Visible());
      robot_controls.btPause1.SetBlend(RobotControls::kBlendNormal);
      robot_controls.btPause2.SetBlend(RobotControls::kBlendNormal);
      break;
    default:
      break;
  }

  if (++KeepAwakeCounter > kKeepAwakeTicks) {
    platform.shell.KeepSystemAwake();
    KeepAwakeCounter = 0;
  }
  event_log.CountDownRepeatGuard();
  if (btMute.Down() != Mute) btMute.SetDown(Mute);

  robot_controls.shRobotReady.SetBrushColor(robot.BetOnStatus >= bsFormReady && robot.BetOnStatus <= 64999 ? kLampGreen
                                                                                                           : kLampRed);
  shWebBrowserBusy.SetBrushColor(platform.browser.Busy() ? kLampRed : kLampGreen);
  shHtmlParser.SetBrushColor(page.PageParsedBlink ? kLampBlue : kLampGreen);
  page.PageParsedBlink = false;
  shWaitIndicator.SetBrushColor(robot.BetOnStatus == bsFormReady ? kLampGreen : ui::kClBtnFace);
}

uint64_t TMainForm::GegMemSize() { return platform.memory.WorkingSetSize(); }

void TMainForm::tmClearRamTimer() {
  const uint64_t before = GegMemSize();
  if (before < kMemoryTrimThreshold) return;
  // Only while no bet is under way.
  if (EVENT.BetStatus <= ssReady) platform.browser.ClearHistory();
  platform.memory.TrimWorkingSet();
  AddStringToDebugLog(Txt(kMemoryTrimmedText) + " " + std::to_string(before) + " -> " + std::to_string(GegMemSize()));
}

void TMainForm::miSelectLogoPicClick(int tag) {
  LogoIndex = static_cast<uint8_t>(tag);
  imLogo.SetPictureIndex(LogoIndex);
}

void TMainForm::imLogoDblClick() {
  if (DebugEnabled) fmDebug.Show(LangPack);
}

void TMainForm::btMuteClick() {
  Mute = !Mute;
  btMute.SetDown(Mute);
}

}  // namespace vantrope

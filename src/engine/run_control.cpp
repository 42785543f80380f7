#include "engine/run_control.h"

#include <cmath>

#include "ui/money.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr ui::Color kNeutralColor = 12632256;  // silver
constexpr ui::Color kRobotNotReadyColor = 8421631;

}  // namespace

void RunControl::Run() {
  if (!page.SimulatorEnabled && Trim(account.tePassword.Text()).empty()) {
    ShowMessage(texts.Text(111), texts.Text(123), DialogKind::Warning);
    return;
  }
  robot_controls.btRun.SetEnabled(false);
  robot_controls.btPause1.SetEnabled(true);
  robot_controls.btPause2.SetEnabled(true);
  robot_controls.btPause3.SetEnabled(false);
  robot_controls.btStop.SetEnabled(true);
  host.ShowStatusMessage(texts.Text(124));
  robot_controls.btPause1.SetBlend(RobotControls::kBlendNormal);
  robot_controls.btPause2.SetBlend(RobotControls::kBlendNormal);
  robot_controls.btPause3Fon.SetVisible(false);

  robot.RobotPauseMode = 0;
  robot.BetOnStatus = 0;
  robot_controls.teSiteStatus.SetText(texts.Text(32));
  robot.Running = true;
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           &strategies.pnDown, &account.cbeLogin, &account.tePassword, &robot_controls.cbBetOnRobotWorkTime,
           &robot_controls.cbeBetOnWorkStart, &robot_controls.cbeBetOnWorkEnd})
    control->SetEnabled(false);
  account.neStartBalanse.SetValue(0);
  account.neCurrentBalanse.SetValue(0);
  account.neWinBalanse.SetValue(0);
  account.neWinBalanse.SetFontColor(kNeutralColor);

  robot.BetValute = Trim(EVENT.Valute).empty() ? std::string("frxEURUSD") : EVENT.Valute;
  robot.BetPeriodUnit = Trim(EVENT.PeriodUnit).empty() ? std::string("m") : EVENT.PeriodUnit;
  robot.BetPeriod = EVENT.Period == 0 ? 1 : EVENT.Period;
  if (const ui::NumberEdit* stake = strategies.InitialStakeEditor())
    robot.BetStake = static_cast<int32_t>(RoundHalfEven(stake->Value()));
  if (strategies.StrategyIndex() == 5) {
    strategies.neBot5Porog.SetValue(0);
    robot.BalancedTarget = 0;
  }

  page.SiteDataUpdated = false;
  page.PageIndex = 255;
  page.PageName.clear();
  page.CurrencyName.clear();
  robot.StartBalance = 0;
  page.CurrentBalance = page.SimulatorEnabled ? 1000 : 0;
  if (page.SimulatorEnabled) {
    account.neStartBalanse.SetValue(1000);
    account.neCurrentBalanse.SetValue(1000);
  }

  robot_controls.shRobotReady.SetBrushColor(kRobotNotReadyColor);
  robot.RobotStatus = 1;
  robot.RobotSubStatus = 0;
  robot.RobotPauseMode = 0;
  robot.BetCount = 0;
  robot.GameCount = 0;
  robot.ChainStake = 3;
  robot.ChainDirection = EVENT.Direction;

  selectors.cbeBetOnValutePairChange();
  robot.ChainValute = EVENT.Valute;
  robot.ChainPeriod = EVENT.Period;
  robot.ChainPeriodUnit = EVENT.PeriodUnit;
  robot.RobotBusy = false;

  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetEnabled(true);
  if (page.SimulatorEnabled) host.BetOnRobot();
  tmAutoApplySecurity.SetEnabled(true);
}

void RunControl::RequestPause(int tag) {
  switch (tag) {
    case 2:
    case 3:
      robot.RobotPauseMode = tag == 2 ? 1 : 2;
      ShowPausedButtons();
      host.ShowStatusMessage(texts.Text(tag == 2 ? 125 : 126));
      (tag == 2 ? robot_controls.btPause2 : robot_controls.btPause1).SetBlend(RobotControls::kBlendNormal);
      break;
    case 4:
      if (robot.RobotPauseMode == 255) {
        robot.RobotPauseMode = 254;
        robot_controls.btRun.SetDown(true);
        host.ShowStatusMessage(texts.Text(127));
      } else if (robot.RobotPauseMode == 1 || robot.RobotPauseMode == 2) {
        robot.RobotPauseMode = 0;
        host.ShowStatusMessage(texts.Text(128));
      } else {
        return;
      }
      robot_controls.btPause1.SetEnabled(true);
      robot_controls.btPause2.SetEnabled(true);
      robot_controls.btPause3.SetEnabled(false);
      robot_controls.btPause1.SetBlend(RobotControls::kBlendNormal);
      robot_controls.btPause2.SetBlend(RobotControls::kBlendNormal);
      break;
    default:
      return;
  }
  robot_controls.btPause3Fon.SetVisible(false);
}

void RunControl::Stop() {
  robot_controls.btRun.SetEnabled(true);
  robot_controls.btPause1.SetEnabled(false);
  robot_controls.btPause2.SetEnabled(false);
  robot_controls.btPause3.SetEnabled(false);
  robot_controls.btStop.SetEnabled(false);
  host.ShowStatusMessage(texts.Text(129));
  robot_controls.btPause1.SetBlend(RobotControls::kBlendNormal);
  robot_controls.btPause2.SetBlend(RobotControls::kBlendNormal);
  robot_controls.btPause3Fon.SetVisible(false);
  robot.RobotPauseMode = 0;
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{&account.cbeLogin, &account.tePassword, &robot_controls.cbBetOnRobotWorkTime,
                                           &robot_controls.cbeBetOnWorkStart, &robot_controls.cbeBetOnWorkEnd})
    control->SetEnabled(true);
  robot.RobotStatus = 0;
  robot.BetOnStatus = 65535;
  tmBetWDT.SetEnabled(false);
  browser.Stop();
  shell.ProcessMessages();
  browser_supervisor.NavigateUrl(site.LogOutUrl);
  page.SiteDataUpdated = false;
  page.PageIndex = 255;
  robot.RobotPauseType = 0;
  tmBetOnState.SetEnabled(false);
  strategies.pnDown.SetEnabled(true);
  robot.Running = false;
}

void RunControl::StrategyChanged() {
  const uint8_t previous = robot.LastStrategyIndex;
  robot.LastStrategyIndex = strategies.StrategyIndex();
  if (robot.LastStrategyIndex != previous)
    host.ShowStatusMessage(texts.Text(117) + Trim(strategies.pcStrategy.PageCaption(robot.LastStrategyIndex)) + "\".");
}

void RunControl::WorkingHoursStep() {
  robot.RobotBusy = true;
  if (robot_controls.cbBetOnRobotWorkTime.Checked() && robot.RobotStatus < 5) {
    const double now = clock.Now();
    int hour = static_cast<int>(std::floor((now - std::floor(now)) * 24.0 + 1e-9)) % 24;
    const int start = robot_controls.cbeBetOnWorkStart.ItemIndex();
    int end = robot_controls.cbeBetOnWorkEnd.ItemIndex();
    if (end < start) {
      end += 24;
      if (hour < start) hour += 24;
    }
    if (robot.RobotStatus == 1 && start <= hour && hour < end) {
      log.AddStringToLog(ltInfo, texts.Text(175), false);
      robot.RobotStatus = 2;
    }
    if (hour >= end) {
      log.AddStringToLog(ltInfo, texts.Text(176), false);
      robot.RobotPauseMode = 1;
    }
  } else if (robot.RobotStatus == 1) {
    robot.RobotStatus = 2;
  }
}

void RunControl::StrategySelection() {
  const int own_paused_chain = (strategies.StrategyIndex() + 1) * 100 + 2;
  if (robot.RobotPauseType > 100 && robot.RobotPauseType != own_paused_chain) robot.RobotPauseType = 0;
  if (robot.RobotPauseType % 100 != 0) {
    const bool resumable = robot.RobotPauseType == 202 || robot.RobotPauseType == 302 ||
                           (robot.RobotPauseType == 402 && robot.SavedGameCount != 0);
    if (resumable) {
      if (dialogs.MessageBox(texts.Text(179), texts.Text(177) + "\r" + texts.Text(178), DialogKind::Confirmation,
                             {DialogButton::Yes, DialogButton::No},
                             {texts.Text(105), texts.Text(259)}) == ModalResult::Yes) {
        robot.ChainStake = robot.SavedStake;
        robot.BetCount = robot.SavedBetCount;
        robot.GameCount = robot.SavedGameCount;
        robot.RobotPauseMode = 255;
        robot.RobotPauseType = 1;
        ShowPausedButtons();
      }
    } else if (robot.RobotPauseType != 402) {
      robot.RobotPauseType = 0;
    }
  }
  static constexpr uint16_t kRunningStatus[] = {23, 3, 13, 33, 43, 53};
  if (strategies.StrategyIndex() < 6) robot.RobotStatus = kRunningStatus[strategies.StrategyIndex()];
}

bool RunControl::LimitCheck(double factor, uint16_t chain_counter) {
  int verdict = 0;
  if (robot.RobotPauseMode == 1)
    verdict = 1;
  else if (robot.RobotPauseMode == 2 && chain_counter == 0)
    verdict = 2;
  if (page.CurrentBalance != 0 &&
      !(page.CurrentBalance - robot.ChainStake * factor > RoundHalfEven(robot_controls.neMinBalans.Value())))
    verdict = 3;
  if (verdict == 0 || robot.RobotPauseMode == 255) return false;

  robot.RobotPauseType = 0;
  std::string text;
  if (verdict == 1) {
    text = texts.Text(181) + "\r" + texts.Text(182);
    robot.RobotPauseType = 2;
  } else if (verdict == 2) {
    text = texts.Text(183) + "\r" + texts.Text(184);
  } else {
    text = texts.Text(185);
  }
  log.AddStringToDebugLog(texts.Text(187));
  robot.SavedStake = robot.ChainStake;
  robot.SavedBetCount = robot.BetCount;
  robot.SavedGameCount = robot.GameCount;
  const uint8_t strategy = strategies.StrategyIndex();
  if (strategy == 0)
    ShowMessage(texts.Text(111), text, DialogKind::Warning);
  else if (strategy == 5)
    ShowMessage(texts.Text(188), text, DialogKind::Warning);
  else
    ShowMessage(texts.Text(187), text, DialogKind::Information);

  if (verdict == 3) {
    log.AddStringToLog(ltInfo, texts.Text(189), true);
    if (const ui::NumberEdit* stake = strategies.InitialStakeEditor())
      robot.SavedStake = static_cast<int32_t>(RoundHalfEven(stake->Value()));
    robot.SavedBetCount = 0;
    if (strategy != 0 && strategy != 5) robot.SavedGameCount = 0;
    robot.RobotPauseMode = 0;
    Stop();
  } else {
    ShowPausedButtons();
    robot.RobotPauseMode = 255;
  }
  return true;
}

// While a pause is requested or set, only its cancel-or-continue button works.
void RunControl::ShowPausedButtons() {
  robot_controls.btPause1.SetEnabled(false);
  robot_controls.btPause2.SetEnabled(false);
  robot_controls.btPause3.SetEnabled(true);
}

void RunControl::ShowMessage(const std::string& title, const std::string& text, DialogKind kind) {
  dialogs.MessageBox(title, text, kind, {DialogButton::Ok}, {});
}

}  // namespace vantrope

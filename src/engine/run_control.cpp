// Run control: start, pause, stop, the strategy choice, working hours, the
// resume offer after a restart, and the limit check.
#include <cmath>

#include "app/main_form.h"
#include "ui/money.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr ui::Color kNeutralColor = 12632256;  // silver
constexpr ui::Color kRobotNotReadyColor = 8421631;

}  // namespace

ui::NumberEdit* TMainForm::InitialStakeEditor() {
  switch (StrategyIndex()) {
    case 0: return &neBot0BetSize;
    case 1: return &neBot1BetSize;
    case 2: return &neBot2BetSize;
    case 3: return &neBot3BetSize;
    case 4: return &neBot4BetSize;
    case 5: return &neBot5BetSize;
    default: return nullptr;
  }
}

void TMainForm::btRunClick() {
  if (!SimulatorEnabled && Trim(tePassword.Text()).empty()) {
    MyShowMessage(Txt(111), Txt(123), DialogKind::Warning);
    return;
  }
  btRun.SetEnabled(false);
  btPause1.SetEnabled(true);
  btPause2.SetEnabled(true);
  btPause3.SetEnabled(false);
  btStop.SetEnabled(true);
  ShowStatusMessage(Txt(124));
  btPause1.SetBlend(kBlendNormal);
  btPause2.SetBlend(kBlendNormal);
  btPause3Fon.SetVisible(false);

  RobotPauseMode = 0;
  BetOnStatus = 0;
  teSiteStatus.SetText(Txt(32));
  for (ui::Control* control : std::initializer_list<ui::Control*>{&pnDown, &cbeLogin, &tePassword,
                                                                  &cbBetOnRobotWorkTime, &cbeBetOnWorkStart,
                                                                  &cbeBetOnWorkEnd})
    control->SetEnabled(false);
  neStartBalanse.SetValue(0);
  neCurrentBalanse.SetValue(0);
  neWinBalanse.SetValue(0);
  neWinBalanse.SetFontColor(kNeutralColor);

  BetValute = Trim(EVENT.Valute).empty() ? std::string("frxEURUSD") : EVENT.Valute;
  BetPeriodUnit = Trim(EVENT.PeriodUnit).empty() ? std::string("m") : EVENT.PeriodUnit;
  BetPeriod = EVENT.Period == 0 ? 1 : EVENT.Period;
  if (const ui::NumberEdit* stake = InitialStakeEditor())
    BetStake = static_cast<int32_t>(RoundHalfEven(stake->Value()));
  if (StrategyIndex() == 5) {
    neBot5Porog.SetValue(0);
    BalancedTarget = 0;
  }

  SiteDataUpdated = false;
  PageIndex = 255;
  PageName.clear();
  CurrencyName.clear();
  StartBalance = 0;
  CurrentBalance = SimulatorEnabled ? 1000 : 0;
  if (SimulatorEnabled) {
    neStartBalanse.SetValue(1000);
    neCurrentBalanse.SetValue(1000);
  }

  shRobotReady.SetBrushColor(kRobotNotReadyColor);
  RobotStatus = 1;
  RobotSubStatus = 0;
  RobotPauseMode = 0;
  BetCount = 0;
  GameCount = 0;
  ChainStake = 3;
  ChainDirection = EVENT.Direction;

  cbeBetOnValutePairChange();
  ChainValute = EVENT.Valute;
  ChainPeriod = EVENT.Period;
  ChainPeriodUnit = EVENT.PeriodUnit;
  RobotBusy = false;

  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetEnabled(true);
  if (SimulatorEnabled) BetOnRobot();
  tmAutoApplySecurity.SetEnabled(true);
}

void TMainForm::btPause1Click(const ui::Button& sender) { RequestPause(sender.Tag()); }

void TMainForm::RequestPause(int tag) {
  switch (tag) {
    case 2:
    case 3:
      RobotPauseMode = tag == 2 ? 1 : 2;
      btPause1.SetEnabled(false);
      btPause2.SetEnabled(false);
      btPause3.SetEnabled(true);
      ShowStatusMessage(Txt(tag == 2 ? 125 : 126));
      (tag == 2 ? btPause2 : btPause1).SetBlend(kBlendNormal);
      break;
    case 4:
      if (RobotPauseMode == 255) {
        RobotPauseMode = 254;
        btRun.SetDown(true);
        ShowStatusMessage(Txt(127));
      } else if (RobotPauseMode == 1 || RobotPauseMode == 2) {
        RobotPauseMode = 0;
        ShowStatusMessage(Txt(128));
      } else {
        return;
      }
      btPause1.SetEnabled(true);
      btPause2.SetEnabled(true);
      btPause3.SetEnabled(false);
      btPause1.SetBlend(kBlendNormal);
      btPause2.SetBlend(kBlendNormal);
      break;
    default:
      return;
  }
  btPause3Fon.SetVisible(false);
}

void TMainForm::btStopClick() {
  btRun.SetEnabled(true);
  btPause1.SetEnabled(false);
  btPause2.SetEnabled(false);
  btPause3.SetEnabled(false);
  btStop.SetEnabled(false);
  ShowStatusMessage(Txt(129));
  btPause1.SetBlend(kBlendNormal);
  btPause2.SetBlend(kBlendNormal);
  btPause3Fon.SetVisible(false);
  RobotPauseMode = 0;
  for (ui::Control* control : std::initializer_list<ui::Control*>{&cbeLogin, &tePassword, &cbBetOnRobotWorkTime,
                                                                  &cbeBetOnWorkStart, &cbeBetOnWorkEnd})
    control->SetEnabled(true);
  RobotStatus = 0;
  BetOnStatus = 65535;
  tmBetWDT.SetEnabled(false);
  platform.browser.Stop();
  platform.shell.ProcessMessages();
  NavigateUrl(LogOutUrl);
  SiteDataUpdated = false;
  PageIndex = 255;
  RobotPauseType = 0;
  tmBetOnState.SetEnabled(false);
  pnDown.SetEnabled(true);
}

void TMainForm::RobotModeChange() {
  const uint8_t previous = LastStrategyIndex;
  LastStrategyIndex = StrategyIndex();
  if (LastStrategyIndex != previous)
    ShowStatusMessage(Txt(117) + Trim(pcStrategy.PageCaption(LastStrategyIndex)) + "\".");
}

void TMainForm::WorkingHoursStep() {
  RobotBusy = true;
  if (cbBetOnRobotWorkTime.Checked() && RobotStatus < 5) {
    const double now = platform.clock.Now();
    int hour = static_cast<int>(std::floor((now - std::floor(now)) * 24.0 + 1e-9)) % 24;
    const int start = cbeBetOnWorkStart.ItemIndex();
    int end = cbeBetOnWorkEnd.ItemIndex();
    if (end < start) {
      end += 24;
      if (hour < start) hour += 24;
    }
    if (RobotStatus == 1 && start <= hour && hour < end) {
      AddStringToLog(ltInfo, Txt(175), false);
      RobotStatus = 2;
    }
    if (hour >= end) {
      AddStringToLog(ltInfo, Txt(176), false);
      RobotPauseMode = 1;
    }
  } else if (RobotStatus == 1) {
    RobotStatus = 2;
  }
}

void TMainForm::StrategySelection() {
  const int own_paused_chain = (StrategyIndex() + 1) * 100 + 2;
  if (RobotPauseType > 100 && RobotPauseType != own_paused_chain) RobotPauseType = 0;
  if (RobotPauseType % 100 != 0) {
    const bool resumable =
        RobotPauseType == 202 || RobotPauseType == 302 || (RobotPauseType == 402 && SavedGameCount != 0);
    if (resumable) {
      if (MyMessageDialog(Txt(179), Txt(177) + "\r" + Txt(178), {Txt(105), Txt(259)},
                          {DialogButton::Yes, DialogButton::No}, DialogKind::Confirmation) == ModalResult::Yes) {
        ChainStake = SavedStake;
        BetCount = SavedBetCount;
        GameCount = SavedGameCount;
        RobotPauseMode = 255;
        RobotPauseType = 1;
        btPause1.SetEnabled(false);
        btPause2.SetEnabled(false);
        btPause3.SetEnabled(true);
      }
    } else if (RobotPauseType != 402) {
      RobotPauseType = 0;
    }
  }
  static constexpr uint16_t kRunningStatus[] = {23, 3, 13, 33, 43, 53};
  if (StrategyIndex() < 6) RobotStatus = kRunningStatus[StrategyIndex()];
}

bool TMainForm::LimitCheck(double factor, uint16_t chain_counter) {
  int verdict = 0;
  if (RobotPauseMode == 1)
    verdict = 1;
  else if (RobotPauseMode == 2 && chain_counter == 0)
    verdict = 2;
  if (CurrentBalance != 0 && !(CurrentBalance - ChainStake * factor > RoundHalfEven(neMinBalans.Value())))
    verdict = 3;
  if (verdict == 0 || RobotPauseMode == 255) return false;

  RobotPauseType = 0;
  std::string text;
  if (verdict == 1) {
    text = Txt(181) + "\r" + Txt(182);
    RobotPauseType = 2;
  } else if (verdict == 2) {
    text = Txt(183) + "\r" + Txt(184);
  } else {
    text = Txt(185);
  }
  AddStringToDebugLog(Txt(187));
  SavedStake = ChainStake;
  SavedBetCount = BetCount;
  SavedGameCount = GameCount;
  const uint8_t strategy = StrategyIndex();
  if (strategy == 0)
    MyShowMessage(Txt(111), text, DialogKind::Warning);
  else if (strategy == 5)
    MyShowMessage(Txt(188), text, DialogKind::Warning);
  else
    MyShowMessage(Txt(187), text, DialogKind::Information);

  if (verdict == 3) {
    AddStringToLog(ltInfo, Txt(189), true);
    if (const ui::NumberEdit* stake = InitialStakeEditor())
      SavedStake = static_cast<int32_t>(RoundHalfEven(stake->Value()));
    SavedBetCount = 0;
    if (strategy != 0 && strategy != 5) SavedGameCount = 0;
    RobotPauseMode = 0;
    btStopClick();
  } else {
    btPause1.SetEnabled(false);
    btPause2.SetEnabled(false);
    btPause3.SetEnabled(true);
    RobotPauseMode = 255;
  }
  return true;
}

}  // namespace vantrope

#include "engine/strategy_engine.h"

#include "app/main_form.h"
#include "ui/money.h"
#include "text/utf8.h"

namespace vantrope {

void TMainForm::BetOnRobot() {
  if (RobotBusy) return;
  StrategyEngine(*this).Step();
  RobotBusy = false;
}

void TMainForm::BetOnBetModeSet() {
  if (EVENT.PeriodChanged) {
    fmDebug.neBetOnBetPeriod.SetValue(EVENT.Period);
    const std::string& unit = EVENT.PeriodUnit;
    fmDebug.cbeBetOnBetTimeCost.SetItemIndex(unit == "d" ? 3 : unit == "h" ? 2 : unit == "m" ? 1 : unit == "s" ? 0 : -1);
    EVENT.PeriodChanged = false;
  }
  if (EVENT.ValuteChanged) {
    BetOnSetValutePair(EVENT.Valute);
    EVENT.ValuteChanged = false;
  }
}

void TMainForm::RequestBet() {
  BetOnStatus = 8;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(20);
  tmBetOnState.SetEnabled(true);
}

void StrategyEngine::Step() {
  f_.WorkingHoursStep();
  switch (f_.RobotStatus) {
    case 2: f_.StrategySelection(); break;
    case 23: SimpleBet(); break;
    case 53: Balanced(); break;
    case 3: Martingale(false); break;
    case 13: CautiousMartingale(); break;
    case 33: AdaptiveMartingale(); break;
    case 43: Martingale(true); break;
    default: break;
  }
}

// --- shared blocks ---

int32_t StrategyEngine::Rounded(double value) const { return static_cast<int32_t>(RoundHalfEven(value)); }

bool StrategyEngine::Paused() const { return f_.RobotPauseMode == 255; }

bool StrategyEngine::Continue(int text, uint8_t sub_status) {
  if (f_.RobotPauseMode != 254) return false;
  f_.AddStringToDebugLog(f_.Txt(text));
  f_.RobotSubStatus = sub_status;
  f_.EVENT.NewSignal = false;
  f_.EVENT.Direction = 0;
  f_.RobotPauseType = 0;
  f_.RobotPauseMode = 0;
  return true;
}

void StrategyEngine::SiteNotReady() {
  if (f_.EVENT.BetStatus == 0) f_.EVENT.NewSignal = false;
}

bool StrategyEngine::ChartChanged() const { return f_.EVENT.ValuteChanged || f_.EVENT.PeriodChanged; }

void StrategyEngine::ApplyChartChanges() {
  f_.BetOnBetModeSet();
  f_.ChainPeriod = f_.EVENT.Period;
  f_.ChainPeriodUnit = f_.EVENT.PeriodUnit;
  if (!Trim(f_.EVENT.Valute).empty()) f_.ChainValute = f_.EVENT.Valute;
  f_.EVENT.NewSignal = false;
}

bool StrategyEngine::WaitForSignal() {
  const TEvent& e = f_.EVENT;
  if (e.NewSignal && e.Direction != 0 && e.BetStatus == 1) return true;
  f_.AddStringToDebugLog(f_.Txt(e.BetStatus == 1 ? 190 : 191));
  return false;
}

void StrategyEngine::StartChain() {
  f_.ChainDirection = f_.EVENT.Direction;
  f_.ChainValute = f_.EVENT.Valute;
  f_.BetOnSetValutePair(f_.EVENT.Valute);
  f_.ChainPeriod = f_.EVENT.Period;
  f_.ChainPeriodUnit = f_.EVENT.PeriodUnit;
}

// Also while no balance has been read: a bet needs a known balance above the minimum.
bool StrategyEngine::BetHeldBack(bool win_hold, uint16_t win_marker) const {
  if (!(f_.CurrentBalance - f_.ChainStake * 0.75 > Rounded(f_.neMinBalans.Value()))) return true;
  if (f_.RobotPauseMode == 1) return true;
  return win_hold && f_.RobotPauseMode == 2 && win_marker == 0;
}

bool StrategyEngine::Request(uint8_t requested, bool take_signal) {
  if (f_.EVENT.BetStatus != 1 || Paused()) return false;
  f_.AddStringToDebugLog(f_.Txt(194));
  if (take_signal && f_.EVENT.NewSignal) {
    f_.ChainDirection = f_.EVENT.Direction;
    f_.EVENT.NewSignal = false;
  }
  f_.BetValute = f_.ChainValute;
  f_.BetPeriod = f_.ChainPeriod;
  f_.BetPeriodUnit = f_.ChainPeriodUnit;
  f_.BetStake = f_.ChainStake;
  f_.BetDirection = f_.ChainDirection;
  f_.RequestBet();
  f_.RobotSubStatus = requested;
  return true;
}

void StrategyEngine::FollowRequested(const FollowTargets& to) {
  switch (f_.EVENT.BetStatus) {
    case 0: f_.RobotSubStatus = to.restart; break;
    case 2:
      f_.AddStringToDebugLog(f_.Txt(195));
      f_.RobotSubStatus = to.placing;
      break;
    case 3:
      f_.AddStringToDebugLog(f_.Txt(196));
      f_.RobotSubStatus = to.impossible;
      break;
    case 4:
    case 5: f_.RobotSubStatus = to.placing; break;
    default: break;
  }
}

bool StrategyEngine::FollowPlacing(const FollowTargets& to, bool count_games) {
  switch (f_.EVENT.BetStatus) {
    case 0: f_.RobotSubStatus = to.restart; break;
    case 1:
    case 2: return true;
    case 3:
      f_.AddStringToDebugLog(f_.Txt(196));
      f_.RobotSubStatus = to.impossible;
      break;
    case 4:
    case 5:
      f_.AddStringToDebugLog(f_.Txt(197));
      ++f_.BetCount;
      if (count_games) ++f_.GameCount;
      f_.RobotSubStatus = to.outcome;
      break;
    case 6:
    case 7: f_.RobotSubStatus = to.outcome; break;
    default: break;
  }
  return false;
}

void StrategyEngine::FollowOutcome(const FollowTargets& to) {
  switch (f_.EVENT.BetStatus) {
    case 0:
    case 1:
    case 2: f_.RobotSubStatus = to.restart; break;
    case 3:
      f_.AddStringToDebugLog(f_.Txt(196));
      f_.RobotSubStatus = to.impossible;
      break;
    case 6: f_.RobotSubStatus = to.won; break;
    case 7: f_.RobotSubStatus = to.lost; break;
    default: break;
  }
}

bool StrategyEngine::AwaitSignal() {
  if (f_.LimitCheck(0.75, f_.GameCount)) return false;
  if (ChartChanged()) {
    ApplyChartChanges();
    f_.EVENT.ValuteChanged = false;
    f_.EVENT.PeriodChanged = false;
    f_.RobotSubStatus = 0;
  } else if (WaitForSignal()) {
    f_.RobotSubStatus = 2;
  }
  return true;
}

void StrategyEngine::BeginChain() {
  f_.RobotSubStatus = 3;
  f_.BetCount = 0;
  f_.GameCount = 0;
  StartChain();
}

// Sub-steps 4, 5 and 6 of the strategies without a stake progression.
void StrategyEngine::FollowBet(const FollowTargets& to) {
  uint8_t& sub = f_.RobotSubStatus;
  if (sub == 4) FollowRequested(to);
  if (sub == 5 && !Paused() && FollowPlacing(to, false)) sub = 4;
  if (sub == 6 && !Paused()) FollowOutcome(to);
}

void StrategyEngine::StopOnLimit(int text, int32_t saved_stake) {
  f_.AddStringToLog(ltInfo, f_.Txt(text), true);
  f_.SavedStake = saved_stake;
  f_.SavedBetCount = 0;
  f_.RobotPauseMode = 0;
  f_.btStopClick();
}

// --- strategy 0: simple bet ---

void StrategyEngine::SimpleBet() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = f_.RobotSubStatus;
  Continue(180, 0);
  SiteNotReady();
  if (sub == 0) {
    f_.BetCount = 0;
    f_.ChainStake = Rounded(f_.neBot0BetSize.Value());
    sub = 1;
  }
  if (sub == 1 && !Paused() && !AwaitSignal()) return;
  if (sub == 2 && !Paused()) BeginChain();
  if (sub == 3 && !Paused()) {
    if (BetHeldBack(true, f_.GameCount))
      sub = 1;
    else
      Request(4);
  }
  FollowBet(kTo);
  if (sub == 7 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(198));
    f_.GameCount = 0;
    if (f_.cbBot0ReBet.Checked() || f_.BetCount < f_.speBot0BetCount.Value()) {
      f_.BetDirection = f_.ChainDirection;
      sub = 3;
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 8 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(199));
    sub = 0;
    f_.GameCount = 1;
    f_.EVENT.NewSignal = false;
  }
}

// --- strategy 5: balanced ---

void StrategyEngine::BalancedThreshold() {
  const double balance = f_.neCurrentBalanse.Value();
  if (Rounded(f_.neBot5Porog.Value()) != 0 || !(balance > 0)) return;
  f_.BalancedTarget = Rounded(f_.neBot5WinLimit.Value() + balance);
  f_.neBot5Porog.SetValue(Rounded(balance - f_.neBot5LoseLimit.Value()));
}

// The loss limit, then the win limit: either stops the robot.
bool StrategyEngine::BalancedLimitReached() {
  const int32_t stake = Rounded(f_.neBot5BetSize.Value());
  if (f_.neCurrentBalanse.Value() - f_.neBot5BetSize.Value() < f_.neBot5Porog.Value()) {
    StopOnLimit(192, stake);
    return true;
  }
  if (Rounded(f_.neCurrentBalanse.Value()) >= f_.BalancedTarget) {
    StopOnLimit(193, stake);
    return true;
  }
  return false;
}

void StrategyEngine::Balanced() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = f_.RobotSubStatus;
  Continue(180, 0);
  SiteNotReady();
  if (sub == 0) {
    BalancedThreshold();
    f_.BetCount = 0;
    f_.ChainStake = Rounded(f_.neBot5BetSize.Value());
    sub = 1;
  }
  if (sub == 1 && !Paused()) {
    BalancedThreshold();
    if (!AwaitSignal()) return;
  }
  if (sub == 2 && !Paused()) {
    BalancedThreshold();
    BeginChain();
  }
  if (sub == 3 && !Paused()) {
    BalancedThreshold();
    if (BetHeldBack(true, f_.GameCount)) {
      sub = 1;
    } else {
      if (BalancedLimitReached()) return;
      Request(4);
    }
  }
  FollowBet(kTo);
  if (sub == 7 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(198));
    f_.GameCount = 0;
    const int32_t floor = Rounded(f_.neCurrentBalanse.Value() - f_.neBot5LoseLimit.Value());
    if (f_.neBot5Porog.Value() < floor) f_.neBot5Porog.SetValue(floor);
    if (f_.BetCount < f_.speBot5BetCount.Value()) {
      f_.BetDirection = f_.ChainDirection;
      sub = 3;
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 8 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(199));
    ++f_.GameCount;
    if (f_.BetCount < f_.speBot5BetCount.Value()) {
      if (f_.cbBot5ChangeDirection.Checked() && (f_.ChainDirection == 1 || f_.ChainDirection == 2))
        f_.ChainDirection = 3 - f_.ChainDirection;
      f_.BetDirection = f_.ChainDirection;
      sub = 3;
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
}

}  // namespace vantrope

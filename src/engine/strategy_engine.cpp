#include "engine/strategy_engine.h"

#include "app/main_form.h"
#include "ui/money.h"
#include "text/utf8.h"

namespace vantrope {

void TMainForm::BetOnRobot() {
  if (robot.RobotBusy) return;
  StrategyEngine(*this).Step();
  robot.RobotBusy = false;
}

void TMainForm::RequestBet() {
  robot.BetOnStatus = 8;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(20);
  tmBetOnState.SetEnabled(true);
}

void StrategyEngine::Step() {
  f_.WorkingHoursStep();
  switch (f_.robot.RobotStatus) {
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

bool StrategyEngine::Paused() const { return f_.robot.RobotPauseMode == 255; }

bool StrategyEngine::Continue(int text, uint8_t sub_status) {
  if (f_.robot.RobotPauseMode != 254) return false;
  f_.AddStringToDebugLog(f_.Txt(text));
  f_.robot.RobotSubStatus = sub_status;
  f_.EVENT.NewSignal = false;
  f_.EVENT.Direction = 0;
  f_.robot.RobotPauseType = 0;
  f_.robot.RobotPauseMode = 0;
  return true;
}

void StrategyEngine::SiteNotReady() {
  if (f_.EVENT.BetStatus == 0) f_.EVENT.NewSignal = false;
}

bool StrategyEngine::ChartChanged() const { return f_.EVENT.ValuteChanged || f_.EVENT.PeriodChanged; }

void StrategyEngine::ApplyChartChanges() {
  f_.BetOnBetModeSet();
  f_.robot.ChainPeriod = f_.EVENT.Period;
  f_.robot.ChainPeriodUnit = f_.EVENT.PeriodUnit;
  if (!Trim(f_.EVENT.Valute).empty()) f_.robot.ChainValute = f_.EVENT.Valute;
  f_.EVENT.NewSignal = false;
}

bool StrategyEngine::WaitForSignal() {
  const TEvent& e = f_.EVENT;
  if (e.NewSignal && e.Direction != 0 && e.BetStatus == 1) return true;
  f_.AddStringToDebugLog(f_.Txt(e.BetStatus == 1 ? 190 : 191));
  return false;
}

void StrategyEngine::StartChain() {
  f_.robot.ChainDirection = f_.EVENT.Direction;
  f_.robot.ChainValute = f_.EVENT.Valute;
  f_.BetOnSetValutePair(f_.EVENT.Valute);
  f_.robot.ChainPeriod = f_.EVENT.Period;
  f_.robot.ChainPeriodUnit = f_.EVENT.PeriodUnit;
}

// Also while no balance has been read: a bet needs a known balance above the minimum.
bool StrategyEngine::BetHeldBack(bool win_hold, uint16_t win_marker) const {
  if (!(f_.page.CurrentBalance - f_.robot.ChainStake * 0.75 > Rounded(f_.robot_controls.neMinBalans.Value())))
    return true;
  if (f_.robot.RobotPauseMode == 1) return true;
  return win_hold && f_.robot.RobotPauseMode == 2 && win_marker == 0;
}

bool StrategyEngine::Request(uint8_t requested, bool take_signal) {
  if (f_.EVENT.BetStatus != 1 || Paused()) return false;
  f_.AddStringToDebugLog(f_.Txt(194));
  if (take_signal && f_.EVENT.NewSignal) {
    f_.robot.ChainDirection = f_.EVENT.Direction;
    f_.EVENT.NewSignal = false;
  }
  f_.robot.BetValute = f_.robot.ChainValute;
  f_.robot.BetPeriod = f_.robot.ChainPeriod;
  f_.robot.BetPeriodUnit = f_.robot.ChainPeriodUnit;
  f_.robot.BetStake = f_.robot.ChainStake;
  f_.robot.BetDirection = f_.robot.ChainDirection;
  f_.RequestBet();
  f_.robot.RobotSubStatus = requested;
  return true;
}

void StrategyEngine::FollowRequested(const FollowTargets& to) {
  switch (f_.EVENT.BetStatus) {
    case 0: f_.robot.RobotSubStatus = to.restart; break;
    case 2:
      f_.AddStringToDebugLog(f_.Txt(195));
      f_.robot.RobotSubStatus = to.placing;
      break;
    case 3:
      f_.AddStringToDebugLog(f_.Txt(196));
      f_.robot.RobotSubStatus = to.impossible;
      break;
    case 4:
    case 5: f_.robot.RobotSubStatus = to.placing; break;
    default: break;
  }
}

bool StrategyEngine::FollowPlacing(const FollowTargets& to, bool count_games) {
  switch (f_.EVENT.BetStatus) {
    case 0: f_.robot.RobotSubStatus = to.restart; break;
    case 1:
    case 2: return true;
    case 3:
      f_.AddStringToDebugLog(f_.Txt(196));
      f_.robot.RobotSubStatus = to.impossible;
      break;
    case 4:
    case 5:
      f_.AddStringToDebugLog(f_.Txt(197));
      ++f_.robot.BetCount;
      if (count_games) ++f_.robot.GameCount;
      f_.robot.RobotSubStatus = to.outcome;
      break;
    case 6:
    case 7: f_.robot.RobotSubStatus = to.outcome; break;
    default: break;
  }
  return false;
}

void StrategyEngine::FollowOutcome(const FollowTargets& to) {
  switch (f_.EVENT.BetStatus) {
    case 0:
    case 1:
    case 2: f_.robot.RobotSubStatus = to.restart; break;
    case 3:
      f_.AddStringToDebugLog(f_.Txt(196));
      f_.robot.RobotSubStatus = to.impossible;
      break;
    case 6: f_.robot.RobotSubStatus = to.won; break;
    case 7: f_.robot.RobotSubStatus = to.lost; break;
    default: break;
  }
}

bool StrategyEngine::AwaitSignal() {
  if (f_.LimitCheck(0.75, f_.robot.GameCount)) return false;
  if (ChartChanged()) {
    ApplyChartChanges();
    f_.EVENT.ValuteChanged = false;
    f_.EVENT.PeriodChanged = false;
    f_.robot.RobotSubStatus = 0;
  } else if (WaitForSignal()) {
    f_.robot.RobotSubStatus = 2;
  }
  return true;
}

void StrategyEngine::BeginChain() {
  f_.robot.RobotSubStatus = 3;
  f_.robot.BetCount = 0;
  f_.robot.GameCount = 0;
  StartChain();
}

// Sub-steps 4, 5 and 6 of the strategies without a stake progression.
void StrategyEngine::FollowBet(const FollowTargets& to) {
  uint8_t& sub = f_.robot.RobotSubStatus;
  if (sub == 4) FollowRequested(to);
  if (sub == 5 && !Paused() && FollowPlacing(to, false)) sub = 4;
  if (sub == 6 && !Paused()) FollowOutcome(to);
}

void StrategyEngine::StopOnLimit(int text, int32_t saved_stake) {
  f_.AddStringToLog(ltInfo, f_.Txt(text), true);
  f_.robot.SavedStake = saved_stake;
  f_.robot.SavedBetCount = 0;
  f_.robot.RobotPauseMode = 0;
  f_.btStopClick();
}

// --- strategy 0: simple bet ---

void StrategyEngine::SimpleBet() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = f_.robot.RobotSubStatus;
  Continue(180, 0);
  SiteNotReady();
  if (sub == 0) {
    f_.robot.BetCount = 0;
    f_.robot.ChainStake = Rounded(f_.strategies.neBot0BetSize.Value());
    sub = 1;
  }
  if (sub == 1 && !Paused() && !AwaitSignal()) return;
  if (sub == 2 && !Paused()) BeginChain();
  if (sub == 3 && !Paused()) {
    if (BetHeldBack(true, f_.robot.GameCount))
      sub = 1;
    else
      Request(4);
  }
  FollowBet(kTo);
  if (sub == 7 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(198));
    f_.robot.GameCount = 0;
    if (f_.strategies.cbBot0ReBet.Checked() || f_.robot.BetCount < f_.strategies.speBot0BetCount.Value()) {
      f_.robot.BetDirection = f_.robot.ChainDirection;
      sub = 3;
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 8 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(199));
    sub = 0;
    f_.robot.GameCount = 1;
    f_.EVENT.NewSignal = false;
  }
}

// --- strategy 5: balanced ---

void StrategyEngine::BalancedThreshold() {
  const double balance = f_.account.neCurrentBalanse.Value();
  if (Rounded(f_.strategies.neBot5Porog.Value()) != 0 || !(balance > 0)) return;
  f_.robot.BalancedTarget = Rounded(f_.strategies.neBot5WinLimit.Value() + balance);
  f_.strategies.neBot5Porog.SetValue(Rounded(balance - f_.strategies.neBot5LoseLimit.Value()));
}

// The loss limit, then the win limit: either stops the robot.
bool StrategyEngine::BalancedLimitReached() {
  const int32_t stake = Rounded(f_.strategies.neBot5BetSize.Value());
  if (f_.account.neCurrentBalanse.Value() - f_.strategies.neBot5BetSize.Value() < f_.strategies.neBot5Porog.Value()) {
    StopOnLimit(192, stake);
    return true;
  }
  if (Rounded(f_.account.neCurrentBalanse.Value()) >= f_.robot.BalancedTarget) {
    StopOnLimit(193, stake);
    return true;
  }
  return false;
}

void StrategyEngine::Balanced() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = f_.robot.RobotSubStatus;
  Continue(180, 0);
  SiteNotReady();
  if (sub == 0) {
    BalancedThreshold();
    f_.robot.BetCount = 0;
    f_.robot.ChainStake = Rounded(f_.strategies.neBot5BetSize.Value());
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
    if (BetHeldBack(true, f_.robot.GameCount)) {
      sub = 1;
    } else {
      if (BalancedLimitReached()) return;
      Request(4);
    }
  }
  FollowBet(kTo);
  if (sub == 7 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(198));
    f_.robot.GameCount = 0;
    const int32_t floor = Rounded(f_.account.neCurrentBalanse.Value() - f_.strategies.neBot5LoseLimit.Value());
    if (f_.strategies.neBot5Porog.Value() < floor) f_.strategies.neBot5Porog.SetValue(floor);
    if (f_.robot.BetCount < f_.strategies.speBot5BetCount.Value()) {
      f_.robot.BetDirection = f_.robot.ChainDirection;
      sub = 3;
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 8 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(199));
    ++f_.robot.GameCount;
    if (f_.robot.BetCount < f_.strategies.speBot5BetCount.Value()) {
      if (f_.strategies.cbBot5ChangeDirection.Checked() &&
          (f_.robot.ChainDirection == 1 || f_.robot.ChainDirection == 2))
        f_.robot.ChainDirection = 3 - f_.robot.ChainDirection;
      f_.robot.BetDirection = f_.robot.ChainDirection;
      sub = 3;
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
}

}  // namespace vantrope

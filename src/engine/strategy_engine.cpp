#include "engine/strategy_engine.h"

#include "ui/money.h"
#include "text/utf8.h"

namespace vantrope {

void StrategyEngine::BetOnRobot() {
  if (robot.RobotBusy) return;
  Step();
  robot.RobotBusy = false;
}

void StrategyEngine::Step() {
  run_control.WorkingHoursStep();
  switch (robot.RobotStatus) {
    case 2: run_control.StrategySelection(); break;
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

bool StrategyEngine::Paused() const { return robot.RobotPauseMode == 255; }

bool StrategyEngine::Continue(int text, uint8_t sub_status) {
  if (robot.RobotPauseMode != 254) return false;
  log.AddStringToDebugLog(texts.Text(text));
  robot.RobotSubStatus = sub_status;
  EVENT.NewSignal = false;
  EVENT.Direction = 0;
  robot.RobotPauseType = 0;
  robot.RobotPauseMode = 0;
  return true;
}

void StrategyEngine::SiteNotReady() {
  if (EVENT.BetStatus == 0) EVENT.NewSignal = false;
}

bool StrategyEngine::ChartChanged() const { return EVENT.ValuteChanged || EVENT.PeriodChanged; }

void StrategyEngine::ApplyChartChanges() {
  selectors.BetOnBetModeSet();
  robot.ChainPeriod = EVENT.Period;
  robot.ChainPeriodUnit = EVENT.PeriodUnit;
  if (!Trim(EVENT.Valute).empty()) robot.ChainValute = EVENT.Valute;
  EVENT.NewSignal = false;
}

bool StrategyEngine::WaitForSignal() {
  const TEvent& e = EVENT;
  if (e.NewSignal && e.Direction != 0 && e.BetStatus == 1) return true;
  log.AddStringToDebugLog(texts.Text(e.BetStatus == 1 ? 190 : 191));
  return false;
}

void StrategyEngine::StartChain() {
  robot.ChainDirection = EVENT.Direction;
  robot.ChainValute = EVENT.Valute;
  selectors.BetOnSetValutePair(EVENT.Valute);
  robot.ChainPeriod = EVENT.Period;
  robot.ChainPeriodUnit = EVENT.PeriodUnit;
}

// Also while no balance has been read: a bet needs a known balance above the minimum.
bool StrategyEngine::BetHeldBack(bool win_hold, uint16_t win_marker) const {
  if (!(page.CurrentBalance - robot.ChainStake * 0.75 > Rounded(robot_controls.neMinBalans.Value()))) return true;
  if (robot.RobotPauseMode == 1) return true;
  return win_hold && robot.RobotPauseMode == 2 && win_marker == 0;
}

bool StrategyEngine::Request(uint8_t requested, bool take_signal) {
  if (EVENT.BetStatus != 1 || Paused()) return false;
  log.AddStringToDebugLog(texts.Text(194));
  if (take_signal && EVENT.NewSignal) {
    robot.ChainDirection = EVENT.Direction;
    EVENT.NewSignal = false;
  }
  robot.BetValute = robot.ChainValute;
  robot.BetPeriod = robot.ChainPeriod;
  robot.BetPeriodUnit = robot.ChainPeriodUnit;
  robot.BetStake = robot.ChainStake;
  robot.BetDirection = robot.ChainDirection;
  bet_cycle.RequestBet();
  robot.RobotSubStatus = requested;
  return true;
}

void StrategyEngine::FollowRequested(const FollowTargets& to) {
  switch (EVENT.BetStatus) {
    case 0: robot.RobotSubStatus = to.restart; break;
    case 2:
      log.AddStringToDebugLog(texts.Text(195));
      robot.RobotSubStatus = to.placing;
      break;
    case 3:
      log.AddStringToDebugLog(texts.Text(196));
      robot.RobotSubStatus = to.impossible;
      break;
    case 4:
    case 5: robot.RobotSubStatus = to.placing; break;
    default: break;
  }
}

bool StrategyEngine::FollowPlacing(const FollowTargets& to, bool count_games) {
  switch (EVENT.BetStatus) {
    case 0: robot.RobotSubStatus = to.restart; break;
    case 1:
    case 2: return true;
    case 3:
      log.AddStringToDebugLog(texts.Text(196));
      robot.RobotSubStatus = to.impossible;
      break;
    case 4:
    case 5:
      log.AddStringToDebugLog(texts.Text(197));
      ++robot.BetCount;
      if (count_games) ++robot.GameCount;
      robot.RobotSubStatus = to.outcome;
      break;
    case 6:
    case 7: robot.RobotSubStatus = to.outcome; break;
    default: break;
  }
  return false;
}

void StrategyEngine::FollowOutcome(const FollowTargets& to) {
  switch (EVENT.BetStatus) {
    case 0:
    case 1:
    case 2: robot.RobotSubStatus = to.restart; break;
    case 3:
      log.AddStringToDebugLog(texts.Text(196));
      robot.RobotSubStatus = to.impossible;
      break;
    case 6: robot.RobotSubStatus = to.won; break;
    case 7: robot.RobotSubStatus = to.lost; break;
    default: break;
  }
}

bool StrategyEngine::AwaitSignal() {
  if (run_control.LimitCheck(0.75, robot.GameCount)) return false;
  if (ChartChanged()) {
    ApplyChartChanges();
    EVENT.ValuteChanged = false;
    EVENT.PeriodChanged = false;
    robot.RobotSubStatus = 0;
  } else if (WaitForSignal()) {
    robot.RobotSubStatus = 2;
  }
  return true;
}

void StrategyEngine::BeginChain() {
  robot.RobotSubStatus = 3;
  robot.BetCount = 0;
  robot.GameCount = 0;
  StartChain();
}

// Sub-steps 4, 5 and 6 of the strategies without a stake progression.
void StrategyEngine::FollowBet(const FollowTargets& to) {
  uint8_t& sub = robot.RobotSubStatus;
  if (sub == 4) FollowRequested(to);
  if (sub == 5 && !Paused() && FollowPlacing(to, false)) sub = 4;
  if (sub == 6 && !Paused()) FollowOutcome(to);
}

void StrategyEngine::StopOnLimit(int text, int32_t saved_stake) {
  log.AddStringToLog(ltInfo, texts.Text(text), true);
  robot.SavedStake = saved_stake;
  robot.SavedBetCount = 0;
  robot.RobotPauseMode = 0;
  run_control.Stop();
}

// --- strategy 0: simple bet ---

void StrategyEngine::SimpleBet() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = robot.RobotSubStatus;
  Continue(180, 0);
  SiteNotReady();
  if (sub == 0) {
    robot.BetCount = 0;
    robot.ChainStake = Rounded(strategies.neBot0BetSize.Value());
    sub = 1;
  }
  if (sub == 1 && !Paused() && !AwaitSignal()) return;
  if (sub == 2 && !Paused()) BeginChain();
  if (sub == 3 && !Paused()) {
    if (BetHeldBack(true, robot.GameCount))
      sub = 1;
    else
      Request(4);
  }
  FollowBet(kTo);
  if (sub == 7 && !Paused()) {
    log.AddStringToDebugLog(texts.Text(198));
    robot.GameCount = 0;
    if (strategies.cbBot0ReBet.Checked() || robot.BetCount < strategies.speBot0BetCount.Value()) {
      robot.BetDirection = robot.ChainDirection;
      sub = 3;
    } else {
      EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 8 && !Paused()) {
    log.AddStringToDebugLog(texts.Text(199));
    sub = 0;
    robot.GameCount = 1;
    EVENT.NewSignal = false;
  }
}

// --- strategy 5: balanced ---

void StrategyEngine::BalancedThreshold() {
  const double balance = account.neCurrentBalanse.Value();
  if (Rounded(strategies.neBot5Porog.Value()) != 0 || !(balance > 0)) return;
  robot.BalancedTarget = Rounded(strategies.neBot5WinLimit.Value() + balance);
  strategies.neBot5Porog.SetValue(Rounded(balance - strategies.neBot5LoseLimit.Value()));
}

// The loss limit, then the win limit: either stops the robot.
bool StrategyEngine::BalancedLimitReached() {
  const int32_t stake = Rounded(strategies.neBot5BetSize.Value());
  if (account.neCurrentBalanse.Value() - strategies.neBot5BetSize.Value() < strategies.neBot5Porog.Value()) {
    StopOnLimit(192, stake);
    return true;
  }
  if (Rounded(account.neCurrentBalanse.Value()) >= robot.BalancedTarget) {
    StopOnLimit(193, stake);
    return true;
  }
  return false;
}

void StrategyEngine::Balanced() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = robot.RobotSubStatus;
  Continue(180, 0);
  SiteNotReady();
  if (sub == 0) {
    BalancedThreshold();
    robot.BetCount = 0;
    robot.ChainStake = Rounded(strategies.neBot5BetSize.Value());
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
    if (BetHeldBack(true, robot.GameCount)) {
      sub = 1;
    } else {
      if (BalancedLimitReached()) return;
      Request(4);
    }
  }
  FollowBet(kTo);
  if (sub == 7 && !Paused()) {
    log.AddStringToDebugLog(texts.Text(198));
    robot.GameCount = 0;
    const int32_t floor = Rounded(account.neCurrentBalanse.Value() - strategies.neBot5LoseLimit.Value());
    if (strategies.neBot5Porog.Value() < floor) strategies.neBot5Porog.SetValue(floor);
    if (robot.BetCount < strategies.speBot5BetCount.Value()) {
      robot.BetDirection = robot.ChainDirection;
      sub = 3;
    } else {
      EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 8 && !Paused()) {
    log.AddStringToDebugLog(texts.Text(199));
    ++robot.GameCount;
    if (robot.BetCount < strategies.speBot5BetCount.Value()) {
      if (strategies.cbBot5ChangeDirection.Checked() && (robot.ChainDirection == 1 || robot.ChainDirection == 2))
        robot.ChainDirection = 3 - robot.ChainDirection;
      robot.BetDirection = robot.ChainDirection;
      sub = 3;
    } else {
      EVENT.NewSignal = false;
      sub = 0;
    }
  }
}

}  // namespace vantrope

#include "engine/strategy_engine.h"

#include "ui/money.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

// The sub-steps in which a martingale strategy follows its bet, from the
// request to the outcome.
struct FollowSteps {
  uint8_t first, last;
};

std::optional<FollowSteps> FollowStepsOf(TRobotStatus status) {
  switch (status) {
    case rsMartingale:
    case rsMonteCarlo: return FollowSteps{2, 4};
    case rsCautiousMartingale: return FollowSteps{3, 5};
    case rsAdaptiveMartingale: return FollowSteps{4, 6};
    default: return std::nullopt;
  }
}

}  // namespace

void StrategyEngine::BetOnRobot() {
  if (robot.RobotBusy) return;
  DropStaleSignal();
  Step();
  robot.RobotBusy = false;
  if (robot.Running && !page.SimulatorEnabled) ledger.KeepChain(RunningChain());
}

void StrategyEngine::DropStaleSignal() {
  if (!EVENT.NewSignal || robot.SignalLifetime <= 0) return;
  const bool age_unknown = EVENT.SignalTime == 0;
  if (!age_unknown && clock.MonotonicMs() - EVENT.SignalTime <= int64_t{robot.SignalLifetime} * 1000) return;
  EVENT.NewSignal = false;
  // A signal a chain took already, and one the log told of, go silently.
  if (EVENT.SignalTime == robot.TakenSignalTime && !age_unknown) return;
  if (EVENT.SignalTime == robot.StaleSignalTime && EVENT.Direction == robot.StaleSignalDirection) return;
  robot.StaleSignalTime = EVENT.SignalTime;
  robot.StaleSignalDirection = EVENT.Direction;
  log.AddStringToLog(ltInfo,
                     age_unknown ? texts.Text(txArrowBeforeWatching)
                                 : texts.Text(txSignalTooOld) + " " + std::to_string(robot.SignalLifetime),
                     false);
}

std::optional<LedgerChain> StrategyEngine::RunningChain() const {
  // Until the strategy runs, the chain the run took up waits as it is.
  if (robot.RobotStatus == rsStarted || robot.RobotStatus == rsChoosingStrategy) return ledger.Chain();
  const std::optional<FollowSteps> follow = FollowStepsOf(robot.RobotStatus);
  if (!follow) return std::nullopt;
  const uint8_t strategy = strategies.StrategyIndex();
  const uint16_t bets_of_chain =
      strategy == stMartingale || strategy == stMonteCarlo ? robot.BetCount : robot.GameCount;
  const bool following = robot.RobotSubStatus >= follow->first && robot.RobotSubStatus <= follow->last;
  // Strategies 2 and 3 open a new chain at sub-step 0: the counts still
  // standing there are those of the chain that just ended.
  const bool counts_games = strategy == stCautiousMartingale || strategy == stAdaptiveMartingale;
  if ((counts_games && robot.RobotSubStatus == 0) || (bets_of_chain == 0 && !following)) return std::nullopt;
  // The bet is counted at its buy press; while the site has refused that
  // press and it waits to be made again, the chain has not made it.
  const bool press_refused = robot.RobotSubStatus == follow->last && ledger.Open() == TOpenBet::Requested;
  const auto less = [&](uint16_t count) { return static_cast<uint16_t>(count > 0 ? count - 1 : 0); };
  return LedgerChain{strategy,
                     robot.RobotSubStatus,
                     press_refused ? less(robot.BetCount) : robot.BetCount,
                     press_refused && counts_games ? less(robot.GameCount) : robot.GameCount,
                     robot.ChainStake,
                     robot.ChainDirection,
                     robot.ChainValute,
                     robot.ChainPeriod,
                     robot.ChainPeriodUnit};
}

void StrategyEngine::ResumeChain(const LedgerChain& chain, bool bet_open) {
  robot.BetCount = chain.bet_count;
  robot.GameCount = chain.game_count;
  robot.ChainStake = chain.stake;
  robot.ChainDirection = chain.direction;
  robot.ChainValute = chain.valute;
  robot.ChainPeriod = chain.period;
  robot.ChainPeriodUnit = chain.period_unit;
  const std::optional<FollowSteps> follow = FollowStepsOf(RunningStatusOf(chain.strategy).value_or(rsStopped));
  if (bet_open && follow && chain.sub_status >= follow->first && chain.sub_status <= follow->last) {
    robot.RobotSubStatus = chain.sub_status;
    return;
  }
  robot.SavedStake = chain.stake;
  robot.SavedBetCount = chain.bet_count;
  robot.SavedGameCount = chain.game_count;
  robot.RobotPauseMode = pmContinue;
}

void StrategyEngine::Step() {
  run_control.WorkingHoursStep();
  switch (robot.RobotStatus) {
    case rsChoosingStrategy: run_control.StrategySelection(); break;
    case rsSimpleBet: SimpleBet(); break;
    case rsBalanced: Balanced(); break;
    case rsMartingale: Martingale(false); break;
    case rsCautiousMartingale: CautiousMartingale(); break;
    case rsAdaptiveMartingale: AdaptiveMartingale(); break;
    case rsMonteCarlo: Martingale(true); break;
    default: break;
  }
}

// --- shared blocks ---

int32_t StrategyEngine::Rounded(double value) const { return RoundHalfEvenTo<int32_t>(value); }

bool StrategyEngine::Paused() const { return robot.RobotPauseMode == pmPaused; }

bool StrategyEngine::Continue(Text text, uint8_t sub_status) {
  if (robot.RobotPauseMode != pmContinue) return false;
  log.AddStringToDebugLog(texts.Text(text));
  robot.RobotSubStatus = sub_status;
  bet_cycle.ForgetSignal();
  robot.RobotPauseType = 0;
  robot.RobotPauseMode = pmNone;
  return true;
}

void StrategyEngine::SiteNotReady() {
  if (EVENT.BetStatus == ssNotReady) EVENT.NewSignal = false;
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
  if (e.NewSignal && e.Direction != drNone && e.BetStatus == ssReady) {
    TakeSignal();
    return true;
  }
  log.AddStringToDebugLog(texts.Text(e.BetStatus == ssReady ? txWaitingForSignal : txSiteNotReady));
  return false;
}

void StrategyEngine::TakeSignal() {
  robot.TakenSignalTime = EVENT.SignalTime;
  robot.SignalTakenForBet = true;
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
  if (!(page.CurrentBalance - robot.ChainStake * kStakeShareAboveMinimum > Rounded(robot_controls.neMinBalans.Value())))
    return true;
  if (robot.RobotPauseMode == pmAfterResult) return true;
  return win_hold && robot.RobotPauseMode == pmAfterWin && win_marker == 0;
}

bool StrategyEngine::Request(uint8_t requested, bool take_signal) {
  if (EVENT.BetStatus != ssReady || Paused()) return false;
  log.AddStringToDebugLog(texts.Text(txBetRequested));
  if (take_signal && EVENT.NewSignal) {
    robot.ChainDirection = EVENT.Direction;
    TakeSignal();
    EVENT.NewSignal = false;
  }
  // The first bet on a signal is bought only while its arrow is fresh; the
  // bets a chain owes after it answer no new signal.
  robot.BetSignalTime = robot.SignalTakenForBet ? robot.TakenSignalTime : 0;
  robot.SignalTakenForBet = false;
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
    case ssNotReady: robot.RobotSubStatus = to.restart; break;
    case ssWaitingForPrices:
      log.AddStringToDebugLog(texts.Text(txWaitingForPrices));
      robot.RobotSubStatus = to.placing;
      break;
    case ssBetImpossible:
      log.AddStringToDebugLog(texts.Text(txBetImpossible));
      robot.RobotSubStatus = to.impossible;
      break;
    case ssBetMade:
    case ssBetAccepted: robot.RobotSubStatus = to.placing; break;
    default: break;
  }
}

bool StrategyEngine::FollowPlacing(const FollowTargets& to, bool count_games) {
  switch (EVENT.BetStatus) {
    case ssNotReady: robot.RobotSubStatus = to.restart; break;
    case ssReady:
    case ssWaitingForPrices: return true;
    case ssBetImpossible:
      log.AddStringToDebugLog(texts.Text(txBetImpossible));
      robot.RobotSubStatus = to.impossible;
      break;
    case ssBetMade:
    case ssBetAccepted:
      log.AddStringToDebugLog(texts.Text(txBetMade));
      ++robot.BetCount;
      if (count_games) ++robot.GameCount;
      robot.RobotSubStatus = to.outcome;
      break;
    case ssBetWon:
    case ssBetLost: robot.RobotSubStatus = to.outcome; break;
    default: break;
  }
  return false;
}

void StrategyEngine::FollowOutcome(const FollowTargets& to, bool count_games) {
  switch (EVENT.BetStatus) {
    case ssNotReady:
    case ssReady:
    case ssWaitingForPrices: robot.RobotSubStatus = to.restart; break;
    case ssBetImpossible:
      // The site did not take the purchase the bet was counted for when it
      // was pressed: the count goes back, or a chain would end a bet early.
      if (robot.BetCount > 0) --robot.BetCount;
      if (count_games && robot.GameCount > 0) --robot.GameCount;
      log.AddStringToDebugLog(texts.Text(txBetImpossible));
      robot.RobotSubStatus = to.impossible;
      break;
    case ssBetWon: robot.RobotSubStatus = to.won; break;
    case ssBetLost: robot.RobotSubStatus = to.lost; break;
    default: break;
  }
}

bool StrategyEngine::AwaitSignal() {
  if (run_control.LimitCheck(robot.GameCount)) return false;
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
  if (sub == 6 && !Paused()) FollowOutcome(to, false);
}

void StrategyEngine::StopOnLimit(Text text, int32_t saved_stake) {
  log.AddStringToLog(ltInfo, texts.Text(text), true);
  robot.SavedStake = saved_stake;
  robot.SavedBetCount = 0;
  robot.RobotPauseMode = pmNone;
  run_control.Stop();
}

// --- strategy 0: simple bet ---

void StrategyEngine::SimpleBet() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = robot.RobotSubStatus;
  Continue(txContinuing, 0);
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
    log.AddStringToDebugLog(texts.Text(txBetWon));
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
    log.AddStringToDebugLog(texts.Text(txBetLost));
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
    StopOnLimit(txLossLimitReached, stake);
    return true;
  }
  if (Rounded(account.neCurrentBalanse.Value()) >= robot.BalancedTarget) {
    StopOnLimit(txWinLimitReached, stake);
    return true;
  }
  return false;
}

void StrategyEngine::Balanced() {
  static constexpr FollowTargets kTo{0, 0, 5, 6, 7, 8};
  uint8_t& sub = robot.RobotSubStatus;
  Continue(txContinuing, 0);
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
    log.AddStringToDebugLog(texts.Text(txBetWon));
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
    log.AddStringToDebugLog(texts.Text(txBetLost));
    ++robot.GameCount;
    if (robot.BetCount < strategies.speBot5BetCount.Value()) {
      if (strategies.cbBot5ChangeDirection.Checked()) robot.ChainDirection = Reversed(robot.ChainDirection);
      robot.BetDirection = robot.ChainDirection;
      sub = 3;
    } else {
      EVENT.NewSignal = false;
      sub = 0;
    }
  }
}

}  // namespace vantrope

#include "engine/strategy_engine.h"
#include "event/event_changes.h"

namespace vantrope {

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
  DropSignal(EVENT);
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
  // Until the strategy runs, and then until it has applied a Continue, the
  // chain the run took up (or the pause left) waits as it is: at the step
  // that chooses the strategy, its sub-step still reads as a chain's opening.
  if (robot.RobotStatus == rsStarted || robot.RobotStatus == rsChoosingStrategy || robot.RobotPauseMode == pmContinue)
    return ledger.Chain();
  const StrategyRow* row = StrategyOfStatus(robot.RobotStatus);
  if (row == nullptr || !row->follow) return std::nullopt;
  const StrategyRow::FollowSteps follow = *row->follow;
  const uint16_t bets_of_chain = row->chain_in_games ? robot.GameCount : robot.BetCount;
  const bool following = robot.RobotSubStatus >= follow.first && robot.RobotSubStatus <= follow.last;
  // Strategies that count games open a new chain at sub-step 0: the counts
  // still standing there are those of the chain that just ended.
  if ((row->chain_in_games && robot.RobotSubStatus == 0) || (bets_of_chain == 0 && !following)) return std::nullopt;
  // The bet is counted at its buy press; while the site has refused that
  // press and it waits to be made again, the chain has not made it.
  const bool press_refused = robot.RobotSubStatus == follow.last && ledger.Open() == TOpenBet::Requested;
  const auto less = [&](uint16_t count) { return static_cast<uint16_t>(count > 0 ? count - 1 : 0); };
  return LedgerChain{strategies.StrategyIndex(),
                     robot.RobotSubStatus,
                     press_refused ? less(robot.BetCount) : robot.BetCount,
                     press_refused && row->chain_in_games ? less(robot.GameCount) : robot.GameCount,
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
  const StrategyRow* row = StrategyOfPage(chain.strategy);
  const std::optional<StrategyRow::FollowSteps> follow = row == nullptr ? std::nullopt : row->follow;
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
  if (robot.RobotStatus == rsChoosingStrategy) {
    run_control.StrategySelection();
    strategy_.reset();
    return;
  }
  const StrategyRow* row = StrategyOfStatus(robot.RobotStatus);
  if (row == nullptr) return;
  if (strategy_ == nullptr || running_ != row) {
    strategy_ = row->make({EVENT, robot, *this}, PageParams(*row, strategies));
    running_ = row;
  }
  strategy_->Step({page.CurrentBalance, account.neCurrentBalanse.Value(), robot_controls.neMinBalans.Value()});
}

// --- what the strategy asks of the robot ---

void StrategyEngine::Note(StrategyText text) { log.AddStringToDebugLog(texts.Text(static_cast<int>(text))); }

void StrategyEngine::Tell(StrategyText text, bool sound) { log.AddStringToLog(ltInfo, texts.Text(static_cast<int>(text)), sound); }

void StrategyEngine::ForgetSignal() { bet_cycle.ForgetSignal(); }

void StrategyEngine::TakeChartChange() { selectors.BetOnBetModeSet(); }

void StrategyEngine::ShowPair(const std::string& valute) { selectors.BetOnSetValutePair(valute); }

void StrategyEngine::RequestBet() { bets.RequestBet(); }

bool StrategyEngine::LimitReached(uint16_t chain_counter) { return run_control.LimitCheck(chain_counter); }

void StrategyEngine::Stop() { run_control.Stop(); }

void StrategyEngine::ShowThreshold(double porog) {
  if (running_ != nullptr && running_->written != nullptr) (strategies.*running_->written).SetValue(porog);
}

}  // namespace vantrope

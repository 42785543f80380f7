#include "strategy/strategy_blocks.h"

#include <algorithm>
#include <limits>

#include "event/event_changes.h"
#include "strategy/extended_math.h"
#include "text/utf8.h"
#include "ui/money.h"

namespace vantrope {

using enum StrategyText;

int32_t StrategyBlocks::Rounded(double value) const { return RoundHalfEvenTo<int32_t>(value); }

bool StrategyBlocks::Paused() const { return state.RobotPauseMode == pmPaused; }

bool StrategyBlocks::Continue(StrategyText text, uint8_t sub_status) {
  if (state.RobotPauseMode != pmContinue) return false;
  host.Note(text);
  state.RobotSubStatus = sub_status;
  host.ForgetSignal();
  state.RobotPauseType = 0;
  state.RobotPauseMode = pmNone;
  return true;
}

void StrategyBlocks::SiteNotReady() {
  if (EVENT.BetStatus == ssNotReady) DropSignal(EVENT);
}

bool StrategyBlocks::ChartChanged() const { return EVENT.ValuteChanged || EVENT.PeriodChanged; }

void StrategyBlocks::ApplyChartChanges() {
  host.TakeChartChange();
  state.ChainPeriod = EVENT.Period;
  state.ChainPeriodUnit = EVENT.PeriodUnit;
  if (!Trim(EVENT.Valute).empty()) state.ChainValute = EVENT.Valute;
  DropSignal(EVENT);
}

bool StrategyBlocks::WaitForSignal() {
  if (EVENT.NewSignal && EVENT.Direction != drNone && EVENT.BetStatus == ssReady) {
    TakeSignal();
    return true;
  }
  host.Note(EVENT.BetStatus == ssReady ? txWaitingForSignal : txSiteNotReady);
  return false;
}

void StrategyBlocks::TakeSignal() {
  state.TakenSignalTime = EVENT.SignalTime;
  state.SignalTakenForBet = true;
}

void StrategyBlocks::StartChain() {
  state.ChainDirection = EVENT.Direction;
  state.ChainValute = EVENT.Valute;
  host.ShowPair(EVENT.Valute);
  state.ChainPeriod = EVENT.Period;
  state.ChainPeriodUnit = EVENT.PeriodUnit;
}

// Also while no balance has been read: a bet needs a known balance above the minimum.
bool StrategyBlocks::BetHeldBack(bool win_hold, uint16_t win_marker) const {
  if (!StakeFitsAboveMinimum(input.balance, state.ChainStake, Rounded(input.min_balance))) return true;
  if (state.RobotPauseMode == pmAfterResult) return true;
  return win_hold && state.RobotPauseMode == pmAfterWin && win_marker == 0;
}

bool StrategyBlocks::Request(uint8_t requested, bool take_signal) {
  if (EVENT.BetStatus != ssReady || Paused()) return false;
  host.Note(txBetRequested);
  if (take_signal && EVENT.NewSignal) {
    state.ChainDirection = EVENT.Direction;
    TakeSignal();
    DropSignal(EVENT);
  }
  // The first bet on a signal is bought only while its arrow is fresh; the
  // bets a chain owes after it answer no new signal.
  state.BetSignalTime = state.SignalTakenForBet ? state.TakenSignalTime : 0;
  state.SignalTakenForBet = false;
  state.BetValute = state.ChainValute;
  state.BetPeriod = state.ChainPeriod;
  state.BetPeriodUnit = state.ChainPeriodUnit;
  state.BetStake = state.ChainStake;
  state.BetDirection = state.ChainDirection;
  host.RequestBet();
  state.RobotSubStatus = requested;
  return true;
}

void StrategyBlocks::FollowRequested(const FollowTargets& to) {
  switch (EVENT.BetStatus) {
    case ssNotReady: state.RobotSubStatus = to.restart; break;
    case ssWaitingForPrices:
      host.Note(txWaitingForPrices);
      state.RobotSubStatus = to.placing;
      break;
    case ssBetImpossible:
      host.Note(txBetImpossible);
      state.RobotSubStatus = to.impossible;
      break;
    case ssBetMade:
    case ssBetAccepted: state.RobotSubStatus = to.placing; break;
    default: break;
  }
}

bool StrategyBlocks::FollowPlacing(const FollowTargets& to, bool count_games) {
  switch (EVENT.BetStatus) {
    case ssNotReady: state.RobotSubStatus = to.restart; break;
    case ssReady:
    case ssWaitingForPrices: return true;
    case ssBetImpossible:
      host.Note(txBetImpossible);
      state.RobotSubStatus = to.impossible;
      break;
    case ssBetMade:
    case ssBetAccepted:
      host.Note(txBetMade);
      ++state.BetCount;
      if (count_games) ++state.GameCount;
      state.RobotSubStatus = to.outcome;
      break;
    case ssBetWon:
    case ssBetLost: state.RobotSubStatus = to.outcome; break;
    default: break;
  }
  return false;
}

void StrategyBlocks::FollowOutcome(const FollowTargets& to, bool count_games) {
  switch (EVENT.BetStatus) {
    case ssNotReady:
    case ssReady:
    case ssWaitingForPrices: state.RobotSubStatus = to.restart; break;
    case ssBetImpossible:
      // The site did not take the purchase the bet was counted for when it
      // was pressed: the count goes back, or a chain would end a bet early.
      if (state.BetCount > 0) --state.BetCount;
      if (count_games && state.GameCount > 0) --state.GameCount;
      host.Note(txBetImpossible);
      state.RobotSubStatus = to.impossible;
      break;
    case ssBetWon: state.RobotSubStatus = to.won; break;
    case ssBetLost: state.RobotSubStatus = to.lost; break;
    default: break;
  }
}

void StrategyBlocks::StopOnLimit(StrategyText text, int32_t saved_stake) {
  host.Tell(text, true);
  state.SavedStake = saved_stake;
  state.SavedBetCount = 0;
  state.RobotPauseMode = pmNone;
  host.Stop();
}

bool StrategyBlocks::RaiseAfterLoss() {
  const int64_t raised = BetOnGetBetCost(state.ChainStake);
  state.ChainStake = static_cast<int32_t>(
      std::clamp<int64_t>(raised, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
  if (raised <= MaxStake) return true;
  host.Tell(txStakeOverCeiling, false);
  DropSignal(EVENT);
  return false;
}

}  // namespace vantrope

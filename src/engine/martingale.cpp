// The four strategies that raise the stake after a loss: martingale,
// cautious martingale, adaptive martingale and Monte-Carlo.
#include <algorithm>
#include <limits>

#include "engine/extended_math.h"
#include "engine/strategy_engine.h"

namespace vantrope {

bool StrategyEngine::RaiseAfterLoss() {
  const int64_t raised = BetOnGetBetCost(robot.ChainStake);
  robot.ChainStake = static_cast<int32_t>(
      std::clamp<int64_t>(raised, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
  if (raised <= MaxStake) return true;
  log.AddStringToLog(ltInfo, texts.Text(txStakeOverCeiling), false);
  EVENT.NewSignal = false;
  return false;
}

// --- strategies 1 and 4 ---

void StrategyEngine::Martingale(bool monte_carlo) {
  static constexpr FollowTargets kTo{0, 8, 3, 4, 5, 6};
  uint8_t& sub = robot.RobotSubStatus;
  TEvent& e = EVENT;
  const ui::NumberEdit& stake = monte_carlo ? strategies.neBot4BetSize : strategies.neBot1BetSize;
  const int chains = (monte_carlo ? strategies.speBot4ChainCount : strategies.speBot1ChainCount).Value();
  const int length = (monte_carlo ? strategies.speBot4BetCount : strategies.speBot1BetCount).Value();

  // A chain paused in the middle waits in 7 for a new signal.
  const bool in_chain = robot.BetCount != 0;
  Continue(in_chain ? txContinuingChain : txContinuingWithoutChain, in_chain ? 7 : 0);
  SiteNotReady();
  if (sub == 0 && !Paused()) {
    // A new chain starts with the initial stake: the limit check weighs that
    // one, and a pause saves it as the stake owed next.
    if (robot.BetCount == 0) robot.ChainStake = Rounded(stake.Value());
    if (run_control.LimitCheck(robot.BetCount)) return;
    if (ChartChanged() && robot.BetCount == 0) ApplyChartChanges();
    if (WaitForSignal()) {
      log.AddStringToDebugLog(texts.Text(txChainStarted));
      sub = 1;
      robot.BetCount = 0;
      robot.GameCount = 0;
      robot.ChainStake = Rounded(stake.Value());
      StartChain();
    }
  }
  if (sub == 1) {
    if (BetHeldBack(false, 0)) {
      sub = 0;
    } else if (ChartChanged() && robot.BetCount == 0) {
      ApplyChartChanges();
      sub = 0;
    } else {
      // Monte-Carlo keeps its chain's direction whatever the indicator says.
      Request(2, !monte_carlo);
    }
  }
  const bool following = sub >= 2 && sub <= 4;
  if (sub == 2) FollowRequested(kTo);
  if (sub == 3 && FollowPlacing(kTo, false)) sub = e.BetStatus == ssReady ? 1 : 2;
  if (sub == 4) {
    FollowOutcome(kTo, false);
    if (sub == 5) {
      ++robot.GameCount;
      robot.BetCount = 0;
    }
  }
  if (following && sub == 8) {
    // Bet impossible: the chain keeps its stake and waits for a new signal.
    e.NewSignal = false;
    e.Direction = drNone;
  }
  if (sub == 5) {
    log.AddStringToDebugLog(texts.Text(txBetWon));
    if (monte_carlo && robot.RobotPauseMode == pmAfterWin) {
      sub = 0;
    } else if (robot.GameCount < chains) {
      robot.ChainStake = Rounded(stake.Value());
      robot.BetDirection = robot.ChainDirection;
      sub = 1;
    } else {
      e.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 6) {
    log.AddStringToDebugLog(texts.Text(txBetLost));
    if (robot.BetCount < length) {
      const bool raised = RaiseAfterLoss();
      if (monte_carlo) robot.ChainDirection = Reversed(robot.ChainDirection);
      robot.BetDirection = robot.ChainDirection;
      if (raised) {
        sub = 1;
      } else {
        robot.BetCount = 0;
        sub = 0;
      }
    } else {
      e.NewSignal = false;
      robot.BetCount = 0;
      sub = 0;
    }
  }
  if (sub == 7 && !Paused()) {
    if (ChartChanged() && robot.BetCount == 0) ApplyChartChanges();
    if (WaitForSignal()) {
      log.AddStringToDebugLog(texts.Text(txChainStarted));
      sub = 1;
      robot.BetCount = robot.SavedBetCount;
      robot.GameCount = robot.SavedGameCount;
      robot.ChainStake = robot.SavedStake;
      StartChain();
    }
  }
  if (sub == 8 && !Paused()) {
    // A chart change with no bet of the chain placed begins a new chain on
    // the new chart, as the step after the signal would; applied there, it
    // would drop the signal.
    if (ChartChanged() && robot.BetCount == 0) {
      ApplyChartChanges();
      sub = 0;
    } else if (e.NewSignal && e.Direction != drNone) {
      robot.ChainDirection = e.Direction;
      TakeSignal();
      sub = 1;
    } else {
      log.AddStringToDebugLog(texts.Text(txWaitingForSignal));
    }
  }
}

// The opening of strategies 2 and 3: a continue goes on with the saved chain,
// sub-step 0 starts a new one with the initial stake.
void StrategyEngine::ResumeOrOpenChain(const ui::NumberEdit& initial_stake) {
  if (Continue(txContinuingChain, 1)) {
    robot.ChainStake = robot.SavedStake;
    robot.BetCount = robot.SavedBetCount;
    robot.GameCount = robot.SavedGameCount;
  }
  SiteNotReady();
  if (robot.RobotSubStatus == 0 && !Paused()) {
    robot.BetCount = 0;
    robot.ChainStake = Rounded(initial_stake.Value());
    robot.GameCount = 0;
    robot.RobotSubStatus = 1;
  }
}

// --- strategy 2: the chain spread over several signals ---

void StrategyEngine::CautiousMartingale() {
  static constexpr FollowTargets kTo{1, 1, 4, 5, 6, 7};
  uint8_t& sub = robot.RobotSubStatus;
  ResumeOrOpenChain(strategies.neBot2BetSize);
  if (sub == 1 && !Paused()) {
    if (run_control.LimitCheck(robot.GameCount)) return;
    if (ChartChanged() && robot.BetCount == 0) ApplyChartChanges();
    if (WaitForSignal()) {
      log.AddStringToDebugLog(texts.Text(txChainStarted));
      sub = 2;
      StartChain();
    }
  }
  if (sub == 2) {
    if (BetHeldBack(true, robot.GameCount)) {
      sub = 1;
    } else if (ChartChanged() && robot.BetCount == 0) {
      ApplyChartChanges();
      sub = 1;
    } else {
      Request(3);
    }
  }
  if (sub == 3) FollowRequested(kTo);
  if (sub == 4 && FollowPlacing(kTo, true)) sub = EVENT.BetStatus == ssReady ? 2 : 3;
  if (sub == 5) FollowOutcome(kTo, true);
  if (sub == 6) {
    log.AddStringToDebugLog(texts.Text(txBetWon));
    robot.ChainStake = Rounded(strategies.neBot2BetSize.Value());
    robot.BetDirection = robot.ChainDirection;
    if (robot.BetCount < strategies.speBot2BetCount.Value()) {
      robot.GameCount = 0;
      sub = 2;
    } else {
      EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 7) {
    log.AddStringToDebugLog(texts.Text(txBetLost));
    if (robot.GameCount < strategies.speBot2ChainCount.Value()) {
      const bool raised = RaiseAfterLoss();
      robot.BetDirection = robot.ChainDirection;
      if (!raised) {
        // Over the ceiling the chain ends, also when it would wait for the next signal.
        sub = 0;
      } else if (robot.BetCount >= strategies.speBot2BetCount.Value()) {
        robot.BetCount = 0;
        EVENT.NewSignal = false;
        sub = 1;
      } else {
        sub = 2;
      }
    } else {
      EVENT.NewSignal = false;
      sub = 0;
    }
  }
}

// --- strategy 3: every bet follows the latest signal ---

void StrategyEngine::AdaptiveMartingale() {
  static constexpr FollowTargets kTo{1, 1, 5, 6, 7, 8};
  uint8_t& sub = robot.RobotSubStatus;
  TEvent& e = EVENT;
  ResumeOrOpenChain(strategies.neBot3BetSize);
  if (sub == 1 && !Paused()) {
    if (run_control.LimitCheck(robot.GameCount)) return;
    if (ChartChanged() && robot.BetCount == 0) ApplyChartChanges();
    sub = 2;
  }
  if (sub == 2 && !Paused()) {
    if (robot.RobotPauseMode == pmAfterResult) {
      // The limit check of the next step pauses.
      sub = 1;
      return;
    }
    // The next step would apply a change after the signal, and drop it.
    if (ChartChanged()) ApplyChartChanges();
    if (WaitForSignal()) {
      log.AddStringToDebugLog(texts.Text(txChainStarted));
      robot.BetCount = 0;
      sub = 3;
      StartChain();
    }
  }
  if (sub == 3 && !Paused()) {
    if (BetHeldBack(true, robot.GameCount)) {
      sub = 1;
    } else if (ChartChanged() && robot.BetCount == 0) {
      ApplyChartChanges();
      sub = 1;
    } else {
      Request(4);
    }
  }
  if (sub == 4 && !Paused()) FollowRequested(kTo);
  if (sub == 5 && !Paused() && FollowPlacing(kTo, true)) sub = 4;
  if (sub == 6 && !Paused()) FollowOutcome(kTo, true);
  if (sub == 7 && !Paused()) {
    log.AddStringToDebugLog(texts.Text(txBetWon));
    robot.ChainStake = Rounded(strategies.neBot3BetSize.Value());
    robot.ChainDirection = robot.BetDirection = e.Direction;
    robot.GameCount = 0;
    sub = 3;
  }
  if (sub == 8 && !Paused()) {
    log.AddStringToDebugLog(texts.Text(txBetLost));
    if (robot.GameCount < strategies.speBot3ChainCount.Value()) {
      const bool raised = RaiseAfterLoss();
      robot.ChainDirection = robot.BetDirection = e.Direction;
      if (!raised) {
        // Over the ceiling the chain ends, also when it would bet again at once.
        sub = 0;
      } else if (robot.BetCount < 3) {
        e.NewSignal = false;
        sub = 3;
      } else {
        sub = 1;
      }
    } else {
      e.NewSignal = false;
      sub = 0;
    }
  }
}

}  // namespace vantrope

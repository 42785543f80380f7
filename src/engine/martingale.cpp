// The four strategies that raise the stake after a loss: martingale,
// cautious martingale, adaptive martingale and Monte-Carlo.
#include <algorithm>
#include <limits>

#include "app/main_form.h"
#include "engine/extended_math.h"
#include "engine/strategy_engine.h"

namespace vantrope {

namespace {

uint8_t Reversed(uint8_t direction) { return direction == 1 ? 2 : direction == 2 ? 1 : direction; }

}  // namespace

bool StrategyEngine::RaiseAfterLoss() {
  const int64_t raised = BetOnGetBetCost(f_.robot.ChainStake);
  f_.robot.ChainStake = static_cast<int32_t>(
      std::clamp<int64_t>(raised, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
  if (raised <= MaxStake) return true;
  f_.AddStringToLog(ltInfo, f_.Txt(203), false);
  f_.EVENT.NewSignal = false;
  return false;
}

// --- strategies 1 and 4 ---

void StrategyEngine::Martingale(bool monte_carlo) {
  static constexpr FollowTargets kTo{0, 8, 3, 4, 5, 6};
  uint8_t& sub = f_.robot.RobotSubStatus;
  TEvent& e = f_.EVENT;
  const ui::NumberEdit& stake = monte_carlo ? f_.strategies.neBot4BetSize : f_.strategies.neBot1BetSize;
  const int chains = (monte_carlo ? f_.strategies.speBot4ChainCount : f_.strategies.speBot1ChainCount).Value();
  const int length = (monte_carlo ? f_.strategies.speBot4BetCount : f_.strategies.speBot1BetCount).Value();

  // A chain paused in the middle waits in 7 for a new signal.
  const bool in_chain = f_.robot.BetCount != 0;
  Continue(in_chain ? 200 : 201, in_chain ? 7 : 0);
  SiteNotReady();
  if (sub == 0 && !Paused()) {
    if (f_.LimitCheck(0.75, f_.robot.BetCount)) return;
    if (ChartChanged() && f_.robot.BetCount == 0) ApplyChartChanges();
    if (WaitForSignal()) {
      f_.AddStringToDebugLog(f_.Txt(202));
      sub = 1;
      f_.robot.BetCount = 0;
      f_.robot.GameCount = 0;
      f_.robot.ChainStake = Rounded(stake.Value());
      StartChain();
    }
  }
  if (sub == 1) {
    if (BetHeldBack(false, 0)) {
      sub = 0;
    } else if (ChartChanged() && f_.robot.BetCount == 0) {
      ApplyChartChanges();
      sub = 0;
    } else {
      // Monte-Carlo keeps its chain's direction whatever the indicator says.
      Request(2, !monte_carlo);
    }
  }
  const bool following = sub >= 2 && sub <= 4;
  if (sub == 2) FollowRequested(kTo);
  if (sub == 3 && FollowPlacing(kTo, false)) sub = e.BetStatus == 1 ? 1 : 2;
  if (sub == 4) {
    FollowOutcome(kTo);
    if (sub == 5) {
      ++f_.robot.GameCount;
      f_.robot.BetCount = 0;
    }
  }
  if (following && sub == 8) {
    // Bet impossible: the chain keeps its stake and waits for a new signal.
    e.NewSignal = false;
    e.Direction = 0;
  }
  if (sub == 5) {
    f_.AddStringToDebugLog(f_.Txt(198));
    if (monte_carlo && f_.robot.RobotPauseMode == 2) {
      sub = 0;
    } else if (f_.robot.GameCount < chains) {
      f_.robot.ChainStake = Rounded(stake.Value());
      f_.robot.BetDirection = f_.robot.ChainDirection;
      sub = 1;
    } else {
      e.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 6) {
    f_.AddStringToDebugLog(f_.Txt(199));
    if (f_.robot.BetCount < length) {
      const bool raised = RaiseAfterLoss();
      if (monte_carlo) f_.robot.ChainDirection = Reversed(f_.robot.ChainDirection);
      f_.robot.BetDirection = f_.robot.ChainDirection;
      if (raised) {
        sub = 1;
      } else {
        f_.robot.BetCount = 0;
        sub = 0;
      }
    } else {
      e.NewSignal = false;
      f_.robot.BetCount = 0;
      sub = 0;
    }
  }
  if (sub == 7 && !Paused()) {
    if (ChartChanged() && f_.robot.BetCount == 0) ApplyChartChanges();
    if (WaitForSignal()) {
      f_.AddStringToDebugLog(f_.Txt(202));
      sub = 1;
      f_.robot.BetCount = f_.robot.SavedBetCount;
      f_.robot.GameCount = f_.robot.SavedGameCount;
      f_.robot.ChainStake = f_.robot.SavedStake;
      StartChain();
    }
  }
  if (sub == 8 && !Paused()) {
    if (e.NewSignal && e.Direction != 0) {
      f_.robot.ChainDirection = e.Direction;
      sub = 1;
    } else {
      f_.AddStringToDebugLog(f_.Txt(190));
    }
  }
}

// The opening of strategies 2 and 3: a continue goes on with the saved chain,
// sub-step 0 starts a new one with the initial stake.
void StrategyEngine::ResumeOrOpenChain(const ui::NumberEdit& initial_stake) {
  if (Continue(200, 1)) {
    f_.robot.ChainStake = f_.robot.SavedStake;
    f_.robot.BetCount = f_.robot.SavedBetCount;
    f_.robot.GameCount = f_.robot.SavedGameCount;
  }
  SiteNotReady();
  if (f_.robot.RobotSubStatus == 0 && !Paused()) {
    f_.robot.BetCount = 0;
    f_.robot.ChainStake = Rounded(initial_stake.Value());
    f_.robot.GameCount = 0;
    f_.robot.RobotSubStatus = 1;
  }
}

// --- strategy 2: the chain spread over several signals ---

void StrategyEngine::CautiousMartingale() {
  static constexpr FollowTargets kTo{1, 1, 4, 5, 6, 7};
  uint8_t& sub = f_.robot.RobotSubStatus;
  ResumeOrOpenChain(f_.strategies.neBot2BetSize);
  if (sub == 1 && !Paused()) {
    if (f_.LimitCheck(0.5, f_.robot.GameCount)) return;
    if (ChartChanged() && f_.robot.BetCount == 0) ApplyChartChanges();
    if (WaitForSignal()) {
      f_.AddStringToDebugLog(f_.Txt(202));
      sub = 2;
      StartChain();
    }
  }
  if (sub == 2) {
    if (BetHeldBack(true, f_.robot.GameCount)) {
      sub = 1;
    } else if (ChartChanged() && f_.robot.BetCount == 0) {
      ApplyChartChanges();
      sub = 1;
    } else {
      Request(3);
    }
  }
  if (sub == 3) FollowRequested(kTo);
  if (sub == 4 && FollowPlacing(kTo, true)) sub = f_.EVENT.BetStatus == 1 ? 2 : 3;
  if (sub == 5) FollowOutcome(kTo);
  if (sub == 6) {
    f_.AddStringToDebugLog(f_.Txt(198));
    f_.robot.ChainStake = Rounded(f_.strategies.neBot2BetSize.Value());
    f_.robot.BetDirection = f_.robot.ChainDirection;
    if (f_.robot.BetCount < f_.strategies.speBot2BetCount.Value()) {
      f_.robot.GameCount = 0;
      sub = 2;
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
  if (sub == 7) {
    f_.AddStringToDebugLog(f_.Txt(199));
    if (f_.robot.GameCount < f_.strategies.speBot2ChainCount.Value()) {
      const bool raised = RaiseAfterLoss();
      f_.robot.BetDirection = f_.robot.ChainDirection;
      if (!raised) {
        // Over the ceiling the chain ends, also when it would wait for the next signal.
        sub = 0;
      } else if (f_.robot.BetCount >= f_.strategies.speBot2BetCount.Value()) {
        f_.robot.BetCount = 0;
        f_.EVENT.NewSignal = false;
        sub = 1;
      } else {
        sub = 2;
      }
    } else {
      f_.EVENT.NewSignal = false;
      sub = 0;
    }
  }
}

// --- strategy 3: every bet follows the latest signal ---

void StrategyEngine::AdaptiveMartingale() {
  static constexpr FollowTargets kTo{1, 1, 5, 6, 7, 8};
  uint8_t& sub = f_.robot.RobotSubStatus;
  TEvent& e = f_.EVENT;
  ResumeOrOpenChain(f_.strategies.neBot3BetSize);
  if (sub == 1 && !Paused()) {
    if (f_.LimitCheck(0.5, f_.robot.GameCount)) return;
    if (ChartChanged() && f_.robot.BetCount == 0) ApplyChartChanges();
    sub = 2;
  }
  if (sub == 2 && !Paused()) {
    if (f_.robot.RobotPauseMode == 1) {
      // The limit check of the next step pauses.
      sub = 1;
      return;
    }
    if (WaitForSignal()) {
      f_.AddStringToDebugLog(f_.Txt(202));
      f_.robot.BetCount = 0;
      sub = 3;
      StartChain();
    }
  }
  if (sub == 3 && !Paused()) {
    if (BetHeldBack(true, f_.robot.GameCount)) {
      sub = 1;
    } else if (ChartChanged() && f_.robot.BetCount == 0) {
      ApplyChartChanges();
      sub = 1;
    } else {
      Request(4);
    }
  }
  if (sub == 4 && !Paused()) FollowRequested(kTo);
  if (sub == 5 && !Paused() && FollowPlacing(kTo, true)) sub = 4;
  if (sub == 6 && !Paused()) FollowOutcome(kTo);
  if (sub == 7 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(198));
    f_.robot.ChainStake = Rounded(f_.strategies.neBot3BetSize.Value());
    f_.robot.ChainDirection = f_.robot.BetDirection = e.Direction;
    f_.robot.GameCount = 0;
    sub = 3;
  }
  if (sub == 8 && !Paused()) {
    f_.AddStringToDebugLog(f_.Txt(199));
    if (f_.robot.GameCount < f_.strategies.speBot3ChainCount.Value()) {
      const bool raised = RaiseAfterLoss();
      f_.robot.ChainDirection = f_.robot.BetDirection = e.Direction;
      if (!raised) {
        // Over the ceiling the chain ends, also when it would bet again at once.
        sub = 0;
      } else if (f_.robot.BetCount < 3) {
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

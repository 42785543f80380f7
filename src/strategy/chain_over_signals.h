// The opening the cautious and the adaptive martingale share.
#pragma once

#include "strategy/strategy_blocks.h"

namespace vantrope {

class ChainOverSignals : public StrategyBlocks {
 protected:
  using StrategyBlocks::StrategyBlocks;

  // A continue goes on with the saved chain; sub-step 0 starts a new one
  // with the initial stake.
  void ResumeOrOpenChain() {
    if (Continue(txContinuingChain, 1)) {
      state.ChainStake = state.SavedStake;
      state.BetCount = state.SavedBetCount;
      state.GameCount = state.SavedGameCount;
    }
    SiteNotReady();
    if (state.RobotSubStatus == 0 && !Paused()) {
      state.BetCount = 0;
      state.ChainStake = Rounded(params.BetSize);
      state.GameCount = 0;
      state.RobotSubStatus = 1;
    }
  }
};

}  // namespace vantrope

// The debug window's simulated site: while it is on, the user reports the
// site's states with the debug window's buttons, and a bet the strategies
// ask for is only written to the debug log; the broker's site and the bet
// ledger hear nothing of it.
#pragma once

#include "engine/robot_state.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "ui/timer.h"

namespace vantrope {

struct SimulatedSite {
  // One tick of tmBetOnState: a bet asked for counts as bought.
  void Tick();
  // The bet asked for is taken at the next tick, at once.
  void RequestBet();

  RobotState& robot;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmBetOnState;
};

}  // namespace vantrope

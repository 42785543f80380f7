#include "debug/simulated_site.h"

#include <string>

#include "engine/bet_cycle_names.h"

namespace vantrope {

using namespace bet_cycle;

namespace {

enum Text : int {
  txSimulatorBet = 142,
  txSimulatorBetUp = 143,
  txSimulatorBetDown = 144,
};

}  // namespace

void SimulatedSite::Tick() {
  // A wait for the broker's page, left from before the simulator was on,
  // ends the way it began: its answer finishes the tick.
  if (robot.AwaitedTicket != 0) return;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(kRetry);
  if (robot.BetOnStatus == bsBetRequested) {
    const int prefix = ByDirection(robot.BetDirection, txSimulatorBetUp, txSimulatorBetDown, txSimulatorBet);
    log.AddStringToDebugLog(texts.Text(prefix) + " " + std::to_string(robot.BetStake) + " " + robot.BetValute);
    robot.BetOnStatus = bsBuy;
  }
  if (robot.Running) tmBetOnState.SetEnabled(true);
}

void SimulatedSite::RequestBet() {
  robot.BetOnStatus = bsBetRequested;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(kAtOnce);
  tmBetOnState.SetEnabled(true);
}

}  // namespace vantrope

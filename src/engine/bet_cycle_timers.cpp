// The bet-state timer and the bet watchdog hand their ticks to the bet cycle.
#include "app/main_form.h"
#include "engine/bet_cycle.h"

namespace vantrope {

void TMainForm::tmBetOnStateTimer() { BetCycle(*this).Tick(); }

void TMainForm::tmBetWDTTimer() { BetCycle(*this).WatchdogFired(); }

}  // namespace vantrope

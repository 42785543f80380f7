// The debug window's groups of simulators: fake arrows, the manual bet, fake
// site states, and the robot-debugging group of the log page.
#pragma once

#include <QGroupBox>

#include "debug/debug_controls.h"
#include "site/bet_selectors.h"

namespace vantrope {

QGroupBox* ArrowSimulatorGroup(ArrowSimulator& simulator, QWidget* parent);
QGroupBox* SiteControlGroup(ManualBetButtons& bet, BetSelectors& selectors, QWidget* parent);
QGroupBox* SiteSimulatorGroup(SiteSimulator& simulator, QWidget* parent);
QGroupBox* RobotDebugGroupBox(RobotDebugGroup& group, QWidget* parent);

}  // namespace vantrope

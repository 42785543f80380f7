// The groups of controls of the debug window's simulators: the arrow
// simulator, the site simulator, the manual bet and the robot-debugging group.
#pragma once

#include <array>
#include <string>

#include "ui/controls.h"

namespace vantrope {

inline constexpr int kSiteStateCount = 8;

// Radio buttons, one a site state, each tagged with its state.
struct SiteStateButtons {
  SiteStateButtons() {
    for (int state = 0; state < kSiteStateCount; ++state) rbState[state].SetTag(state);
    rbState[0].SetChecked(true);
  }
  std::array<ui::RadioButton, kSiteStateCount> rbState;
};

// Two buttons that raise an indicator signal as a found arrow does: tag 0
// up, tag 1 down.
struct ArrowButtons {
  ArrowButtons() {
    btArrowUp.SetTag(0);
    btArrowDown.SetTag(1);
  }
  ui::Button btArrowUp, btArrowDown;
};

// " Симулятор ": the arrow simulator of the first page.
struct ArrowSimulator {
  ui::Label gbSimulator;
  ArrowButtons arrows;
};

// " Имитатор сайта ": site states injected by hand, the amount of a won or
// lost bet, and the robot called by hand.
struct SiteSimulator {
  ui::Label gbWebSim;
  SiteStateButtons states;
  ui::NumberEdit NumericEditor1;
  ui::Button Button9;  // "Обращение к роботу": a strategy step now
  ui::Button Button5;  // "Данные сайта обновились"
  ui::CheckBox CheckBox1;
};

// The manual bet buttons of " Контроль управления сайтом ": tag 1 a rise,
// tag 2 a fall.
struct ManualBetButtons {
  ManualBetButtons() {
    btBetUp.SetTag(1);
    btBetDown.SetTag(2);
  }
  ui::Label gbSiteControl;
  ui::Label lbStake;  // "Ставка"
  ui::Button btBetUp, btBetDown;
};

// The robot's state variables the robot-debugging group shows, in its order.
inline constexpr std::array<const char*, 9> kRobotStateNames = {
    "RobotStatus", "RobotSubStatus", "RobotPauseMode", "RobotPauseType", "EVENT.BetStatus",
    "BetOnStatus", "WEB PageIndex",  "BetCount",       "GameCount"};

// " Отладка алгоритма робота  " on the log page: a second set of the
// simulators, a balance top-up and the state variables by name.
struct RobotDebugGroup {
  ui::Panel gbRobotDebug;
  SiteStateButtons states;
  ui::Button btCallRobot;    // a second "Обращение к роботу"
  ui::Button btSiteUpdated;  // a second "Данные сайта обновились"
  ArrowButtons arrows;
  ui::NumberEdit NumericEditor2;
  ui::Button Button11;  // "+": the amount added to the balance
  std::array<ui::Label, kRobotStateNames.size()> stState;
};

}  // namespace vantrope

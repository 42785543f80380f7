// The main panel's controls of the robot itself: the advance threshold,
// working hours, the minimum balance, the site status and the run buttons.
#pragma once

#include "ui/controls.h"

namespace vantrope {

struct RobotControls {
  // Blend levels of the skinned pause buttons.
  static constexpr int kBlendNormal = 0;
  static constexpr int kBlendFaded = 60;
  // The run buttons' tags; the pause buttons act by theirs.
  static constexpr int kRunTag = 1;
  static constexpr int kPauseAfterResultTag = 2;
  static constexpr int kPauseAfterWinTag = 3;
  static constexpr int kContinueTag = 4;
  static constexpr int kStopTag = 5;

  ui::Button btGreed;
  ui::Shape shGreed;
  ui::CheckBox cbBetOnRobotWorkTime;
  ui::Label lbWorkFrom, lbWorkTo;
  ui::ComboBox cbeBetOnWorkStart, cbeBetOnWorkEnd;
  ui::Label lbMinBalans;
  ui::NumberEdit neMinBalans;
  ui::TextEdit teSiteStatus;
  ui::Shape shRobotReady;
  ui::Button btRun, btPause1, btPause2, btPause3, btPause3Fon, btStop;
};

}  // namespace vantrope

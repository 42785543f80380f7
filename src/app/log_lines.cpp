// A line of the event log with what it brings along: its copy in the debug
// log and its sound. A bet's record is the ledger's: a line only shows it.
#include "app/main_form.h"

namespace vantrope {

void TMainForm::AddStringToLog(uint8_t type, const std::string& text, bool sound) {
  if (!event_log.ShowLine(type, text)) return;
  if (DebugEnabled) AddStringToDebugLog(text);
  if (sound && !Mute && type >= ltInfo && type <= ltLost && Sounds[type] != nullptr)
    platform.sounds.Play(*Sounds[type]);
}

void TMainForm::AddStringToDebugLog(const std::string& text) {
  fmDebug.AddStringToDebugLog({robot.BetOnStatus, page.PageIndex, robot.RobotStatus, robot.RobotSubStatus}, text);
}

}  // namespace vantrope

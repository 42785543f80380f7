// A line of the event log with what it brings along: its copy in the debug
// log and its sound. A bet's record is the ledger's: a line only shows it.
#include "app/main_form.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr int txDebugLogWriteFailed = 291;

}  // namespace

void TMainForm::AddStringToLog(uint8_t type, const std::string& text, bool sound) {
  if (!event_log.ShowLine(type, text)) return;
  if (DebugEnabled) AddStringToDebugLog(text);
  if (sound && !Mute && type >= ltInfo && type <= ltLost && Sounds[type] != nullptr)
    platform.sounds.Play(*Sounds[type]);
}

void TMainForm::AddStringToDebugLog(const std::string& text) {
  fmDebug.AddStringToDebugLog({robot.BetOnStatus, page.PageIndex, robot.RobotStatus, robot.RobotSubStatus}, text);
}

// The file is closed after the fault, so the error line's own copy for the
// debug log goes to the view alone and is not reported again.
void TMainForm::DebugLogFileFault(const std::string& error) {
  const std::string text = Trim(Txt(txDebugLogWriteFailed)) + " " + error;
  AddStringToLog(ltError, text, true);
  ShowStatusMessage(text);
}

}  // namespace vantrope

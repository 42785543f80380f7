// The handlers of the program's events that hand their work to a subsystem.
#include "app/main_form.h"

namespace vantrope {

void TMainForm::tmSeekerTimer() { terminal_seeker.Seek(); }

void TMainForm::cbAlpariSeekClick() {
  terminal.TerminalControl = cbAlpariSeek.Checked();
  tmSeeker.SetEnabled(terminal.TerminalControl);
}

void TMainForm::ChartChanged() {
  // The bet cycle fills the broker's form again with the new pair or period.
  if (robot.BetOnStatus == 7) robot.BetOnStatus = 6;
}

}  // namespace vantrope

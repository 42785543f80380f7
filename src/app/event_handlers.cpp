// The handlers of the program's events that hand their work to a subsystem.
#include "app/main_form.h"
#include "engine/advance_threshold.h"

namespace vantrope {

void TMainForm::WebBrowser1BeforeNavigate2(const std::string& url) { browser_supervisor.BeforeNavigate(url); }

void TMainForm::WebBrowser1DocumentComplete() { browser_supervisor.DocumentComplete(); }

void TMainForm::WebBrowser1ProgressChange() { browser_supervisor.ProgressChange(); }

void TMainForm::tmParserDelayTimer() { page_encoder.ReparseUnlessBusy(); }

void TMainForm::tmWebWDTTimer() { browser_supervisor.ReloadStalledPage(); }

void TMainForm::tmWebWDT2Timer() { browser_supervisor.ReloadSilentPage(); }

void TMainForm::tmAutoApplySecurityTimer() { browser_supervisor.AnswerSecurityPrompt(); }

void TMainForm::teWebAddrButtonClick() { browser_supervisor.NavigateUrl(browser_supervisor.AddressShown()); }

void TMainForm::tmSeekerTimer() { terminal_seeker.Seek(); }

void TMainForm::cbAlpariSeekClick() {
  terminal.TerminalControl = cbAlpariSeek.Checked();
  tmSeeker.SetEnabled(terminal.TerminalControl);
}

void TMainForm::ppmLogPopup() { event_log.ppmLogPopup(); }

void TMainForm::miSaveLogAsTextClick() { event_log.miSaveLogAsTextClick(platform.dialogs, platform.shell); }

void TMainForm::btGreedClick() {
  robot.GreedPorog = NextGreedPorog(robot.GreedPorog);
  ShowCurrentGreed(robot.GreedPorog, robot_controls.btGreed, robot_controls.shGreed);
}

void TMainForm::ChartChanged() {
  // The bet cycle fills the broker's form again with the new pair or period.
  if (robot.BetOnStatus == 7) robot.BetOnStatus = 6;
}

}  // namespace vantrope

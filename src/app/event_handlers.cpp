// The handlers of the program's events: each hands its work to a subsystem.
#include "app/main_form.h"
#include "engine/advance_threshold.h"

namespace vantrope {

// --- the event log ---

void TMainForm::ppmLogPopup() { event_log.ppmLogPopup(); }

void TMainForm::miSaveLogAsTextClick() { event_log.miSaveLogAsTextClick(platform.dialogs, platform.shell); }

void TMainForm::miHistoryClick() { results.Open(kHistoryFileName); }

void TMainForm::miLabClick() {
  lab.Open(PagesLabSettings(strategies, robot_controls.neMinBalans.Value(), GreedThreshold(robot.GreedPorog)),
           account.neCurrentBalanse.Value());
}

// --- the browser ---

void TMainForm::WebBrowser1BeforeNavigate2(const std::string& url) { browser_supervisor.BeforeNavigate(url); }

void TMainForm::WebBrowser1DocumentComplete() {
  browser_supervisor.DocumentComplete();
  if (!page.SimulatorEnabled) bet_cycle.PageLoaded();
}

void TMainForm::WebBrowser1ProgressChange() { browser_supervisor.ProgressChange(); }

void TMainForm::WebBrowser1PageDialog(PageDialog dialog, const std::string& text) {
  browser_supervisor.PageDialogAnswered(dialog, text);
}

void TMainForm::WebBrowser1PageProcessGone() { browser_supervisor.PageProcessGone(); }

// A page its scripts built or changed in place is read once it is quiet; the
// parse every 5 s stays for pages that never are.
void TMainForm::WebBrowser1DocumentChanged() {
  page_encoder.ReparseUnlessBusy();
  if (!page.SimulatorEnabled) bet_cycle.PageLoaded();
}

void TMainForm::tmParserDelayTimer() { page_encoder.ReparseUnlessBusy(); }

void TMainForm::tmWebWDTTimer() { browser_supervisor.ReloadStalledPage(); }

void TMainForm::tmWebWDT2Timer() { browser_supervisor.ReloadSilentPage(); }

void TMainForm::tmAutoApplySecurityTimer() { browser_supervisor.AnswerSecurityPrompt(); }

void TMainForm::teWebAddrButtonClick() { browser_supervisor.NavigateUrl(browser_supervisor.AddressShown()); }

// --- the robot ---

void TMainForm::btRunClick() { run_control.Run(); }

void TMainForm::btPause1Click(const ui::Button& sender) { run_control.RequestPause(sender.Tag()); }

void TMainForm::btStopClick() { run_control.Stop(); }

void TMainForm::RobotModeChange() { run_control.StrategyChanged(); }

void TMainForm::btGreedClick() {
  robot.GreedPorog = NextGreedPorog(robot.GreedPorog);
  ShowCurrentGreed(robot.GreedPorog, robot_controls.btGreed, robot_controls.shGreed);
}

void TMainForm::tmBetOnStateTimer() {
  if (page.SimulatorEnabled)
    simulated_site.Tick();
  else
    bet_cycle.Tick();
}

void TMainForm::RequestBet() {
  if (page.SimulatorEnabled)
    simulated_site.RequestBet();
  else
    bet_cycle.RequestBet();
}

void TMainForm::SignalArrived() {
  if (!page.SimulatorEnabled) bet_cycle.SignalArrived();
}

void TMainForm::tmBetWDTTimer() { bet_cycle.WatchdogFired(); }

void TMainForm::BetOnStateFault(const std::string& name, const std::string& text, int flag) {
  bet_cycle.BetOnStateFault(name, text, flag);
}

// --- the terminal ---

void TMainForm::tmSeekerTimer() { terminal_seeker.Seek(); }

void TMainForm::cbAlpariSeekClick() {
  terminal.TerminalControl = cbAlpariSeek.Checked();
  tmSeeker.SetEnabled(terminal.TerminalControl);
}

void TMainForm::ChartChanged() { bet_cycle.ChartChanged(); }

void TMainForm::SignalRaised() {
  const auto& chart = terminal.Sighted;
  ledger.KeepSignal(EVENT.Direction, chart ? ChartKey(chart->valute, chart->period) : std::string());
  SignalArrived();
}

// --- the debug window's pair and period selectors ---

void TMainForm::cbeBetOnValutePairChange() { selectors.cbeBetOnValutePairChange(); }

void TMainForm::cbeBetOnBetTimeCostChange() { selectors.cbeBetOnBetTimeCostChange(); }

void TMainForm::neBetOnBetPeriodExit() { selectors.neBetOnBetPeriodExit(); }

}  // namespace vantrope

// What the program around the cycle asks of it, and the reports every step
// shares.
#include "engine/bet_cycle.h"
#include "engine/bet_cycle_names.h"
#include "event/event_changes.h"

namespace vantrope {

using namespace bet_cycle;

void BetCycle::RequestBet() {
  ledger.Requested({robot.BetValute, robot.BetPeriodUnit, robot.BetPeriod, robot.BetStake, robot.BetDirection});
  robot.BetOnStatus = bsBetRequested;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(kAtOnce);
  tmBetOnState.SetEnabled(true);
}

void BetCycle::ChartChanged() {
  if (robot.BetOnStatus == bsFormReady) robot.BetOnStatus = bsFillForm;
}

void BetCycle::SignalArrived() {
  if (robot.BetOnStatus == bsFillForm || robot.BetOnStatus == bsFormReady) Wake();
}

// A signal that came while the form was loading is taken once it is there.
void BetCycle::PageLoaded() {
  const bool form_ready = robot.BetOnStatus == bsFillForm || robot.BetOnStatus == bsFormReady;
  if (robot.BetOnStatus == bsBuy || (form_ready && EVENT.NewSignal)) Wake();
}

void BetCycle::BetOnStateFault(const std::string& name, const std::string& text, int /*flag*/) {
  // Between two ticks (the encoder after a delayed parse) the cycle's timer
  // is armed; inside a tick it is off and the tick itself re-arms it.
  const bool between_ticks = tmBetOnState.Enabled();
  log.AddStringToLog(ltError, texts.Text(txFault) + name + "): " + text, true);
  browser.Stop();
  tmBetOnState.SetEnabled(false);
  page.PageIndex = pgNone;
  page.PageName = site.PageNameOf(pgNone);
  // Left off, no tick would ever come again and the running robot would hang.
  // A login page without its controls is tried again from the start, as the
  // cycle does when it finds them missing itself.
  if (between_ticks && robot.Running) {
    if (robot.BetOnStatus == bsLogIn) robot.BetOnStatus = bsOpenSite;
    tmBetOnState.SetInterval(kRetry);
    tmBetOnState.SetEnabled(true);
  }
}

void BetCycle::LangCheck() {
  std::string url = browser.LocationUrl();
  const size_t at = url.find("l=RU");
  if (at == std::string::npos) return;
  url.replace(at + 2, 2, "EN");
  browser_supervisor.NavigateUrl(url);
  page.SiteDataUpdated = false;
  tmBetOnState.SetInterval(kSlowPageLoad);
}

// Where the robot's work is when a page it did not ask for shows: the main
// address while logging in, the trading form up to the buy, the portfolio
// after it.
std::optional<std::string> BetCycle::StepAddress() const {
  if (!robot.Running) return std::nullopt;
  if (robot.BetOnStatus <= bsReadBalance) return site.MainUrl;
  if (robot.BetOnStatus <= bsBuy) return site.ReturnUrl;
  return site.PortFolioUrl;
}

void BetCycle::ForgetSignal() {
  vantrope::ForgetSignal(EVENT);
  ledger.KeepSignal(drNone);
}

void BetCycle::WatchdogFired() {
  tmBetWDT.SetEnabled(false);
  // The answer to the step that asked comes first (at the latest after a few
  // seconds); the bet is given up once it has.
  if (robot.AwaitedTicket != 0) {
    robot.WatchdogDue = true;
    return;
  }
  GiveUpBet();
}

void BetCycle::GiveUpBet() {
  ledger.NotBought();
  tmBetOnState.SetEnabled(false);
  log.AddStringToLog(ltPendingClosed, texts.Text(txBetTimedOut), false);
  ReportSite(EVENT, ssBetImpossible);
  // The trading address opens the site's first market: the market is chosen
  // again before the form.
  robot.BetOnStatus = bsSelectMarket;
  ForgetSignal();
  host.BetOnRobot();
  browser_supervisor.NavigateUrl(site.ReturnUrl);
  page.SiteDataUpdated = false;
  SetInterval(kSlowPageLoad);
  tmBetOnState.SetEnabled(true);
}

// --- reports every step shares ---

std::string BetCycle::StepFaultName() const { return "tmBetOnStateTimer, " + std::to_string(robot.BetOnStatus); }

void BetCycle::FaultAndStop(const std::string& text) {
  BetOnStateFault("", text, 0);
  run_control.Stop();
}

// The signal is dropped: the site state tells the strategy that no bet was made.
void BetCycle::DropSignal(const std::string& text) {
  ledger.NotBought();
  tmBetWDT.SetEnabled(false);
  log.AddStringToLog(ltPendingClosed, text, false);
  robot.BetOnStatus = bsFormReady;
  SetInterval(kQuickLook);
  ForgetSignal();
  ReportSite(EVENT, ssBetImpossible);
}

// While a bet is open the strategy keeps the state it was last told: the
// cycle is only finding its way back to the bet.
void BetCycle::ReportNotReady() {
  if (ledger.Open() == TOpenBet::None) ReportSite(EVENT, ssNotReady);
}

// Off the ready form no new bet may be asked for; a bet asked for already
// keeps the state the strategy was told, while the cycle finds its way back.
void BetCycle::WithdrawReady() {
  if (EVENT.BetStatus == ssReady && ledger.Open() == TOpenBet::None) ReportSite(EVENT, ssNotReady);
}

// The site shows its login page in the middle of the run: it ended the
// session. The cycle logs in again and comes back to an open bet from there.
BetCycle::Outcome BetCycle::SessionEnded() {
  // A purchase keeps its pending row for the result; a request not bought
  // closes the row of its price request.
  log.AddStringToLog(ledger.Open() == TOpenBet::Bought ? ltInfo : ltPendingClosed, texts.Text(txSessionEnded), false);
  ReportNotReady();
  robot.BetOnStatus = bsLogIn;
  SetInterval(kAtOnce);
  return Outcome::Done;
}

}  // namespace vantrope

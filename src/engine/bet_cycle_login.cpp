// Logging in and reading the account.
#include <functional>

#include "engine/bet_cycle.h"
#include "engine/bet_cycle_names.h"
#include "site/page_search.h"
#include "site/url_host.h"
#include "text/utf8.h"

namespace vantrope {

using namespace bet_cycle;

namespace {

// Template controls of the main page: the text that shows a login, and the
// account number after it.
constexpr uint16_t kLoggedInControl = 21;
constexpr uint16_t kAccountControl = 22;

}  // namespace

BetCycle::Outcome BetCycle::LangCheckUnlessLoggedIn() {
  // 0 is also the not-found result of a control marked optional.
  if (page_encoder.SearchControl(kLoggedInControl) == 0) LangCheck();
  return Outcome::Done;
}

void BetCycle::ReportInaccessible(uint16_t control) {
  BetOnStateFault(StepFaultName(), texts.Text(txNoAccessToControl) + std::to_string(control), 0);
}

BetCycle::Outcome BetCycle::LogIn() {
  // The password goes only to the site's own hosts: a login page elsewhere
  // (a look-alike the browser was sent on to) gets nothing typed.
  const std::string host = UrlHostName(browser.LocationUrl());
  if (!site.IsSiteHost(host)) return LoginPageElsewhere(host);
  robot.ForeignLoginHost.clear();
  PageActionBatch batch = page_actions.NewBatch();
  std::array<int, 2> writes{-1, -1};
  for (Slot slot : {Slot::kLoginName, Slot::kPassword}) {
    int& write = writes[static_cast<size_t>(slot)];
    if (!SlotExists(slot))
      ReportInaccessible(page.SlotAt(slot).ControlNo);
    else if (slot == Slot::kLoginName)
      write = batch.WebSetValue(FieldOf(slot), Trim(credentials.login));
    else  // blanks at the ends of a password are part of it
      write = batch.WebTypePassword(FieldOf(slot), credentials.password);
  }
  const int press = AddPress(batch, Slot::kLoginPress);
  const uint16_t press_control = page.SlotAt(Slot::kLoginPress).ControlNo;
  return AskActions(std::move(batch), std::bind_front(&BetCycle::LoginAnswered, this, writes, press, press_control));
}

BetCycle::Outcome BetCycle::LoginAnswered(std::array<int, 2> writes, int press, uint16_t press_control,
                                          const PageActionReport& report) {
  int successes = 0;
  for (int write : writes) successes += report.Took(write) ? 1 : 0;
  if (report.Took(press))
    ++successes;
  else
    ReportInaccessible(press_control);
  if (successes == 3) {
    robot.LoginPressedAt = page.OwnNavigations;
    robot.BetOnStatus = bsLoggedIn;
    page.SiteDataUpdated = false;
    SetInterval(kLoginAnswer);
  } else {
    robot.BetOnStatus = bsOpenSite;
    SetInterval(kRetry);
  }
  return Outcome::Done;
}

// The site may send the browser on to its own login page later: the main
// address is tried again after a while.
BetCycle::Outcome BetCycle::LoginPageElsewhere(const std::string& host) {
  if (robot.ForeignLoginHost != host) log.AddStringToLog(ltError, texts.Text(txForeignLoginPage) + " " + host, false);
  robot.ForeignLoginHost = host;
  Navigate(site.MainUrl, kMinute, true);
  return Outcome::Done;
}

// The site's refusal ends the run only as the answer to the robot's own
// login press: reached any other way (the login's address loaded again
// without the form, say), it says nothing of the number and password.
BetCycle::Outcome BetCycle::LoginFailed() {
  if (robot.LoginPressedAt == page.OwnNavigations) {
    FaultAndStop(texts.Text(txLoginRefused));
    return Outcome::Done;
  }
  log.AddStringToDebugLog(texts.Text(txNoAnswerToTheLogin));
  robot.BetOnStatus = bsOpenSite;
  return Outcome::Done;
}

// The main page after the login: the account it shows must be the robot's.
BetCycle::Outcome BetCycle::CheckAccount() {
  if (page_encoder.SearchControl(kLoggedInControl) < 0) return Outcome::Done;
  const int32_t account_field = page_encoder.SearchControl(kAccountControl);
  const std::string account_shown =
      account_field < 0 ? std::string() : GetWebValue(page.WebFields, static_cast<size_t>(account_field));
  if (account_shown.find(Trim(credentials.login)) == std::string::npos) {
    log.AddStringToLog(ltError, texts.Text(txOtherAccount), false);
    Navigate(site.LogOutUrl, kPageLoad, true);
    robot.BetOnStatus = bsOpenSite;
  } else {
    log.AddStringToLog(ltInfo, texts.Text(txLoggedIn), false);
    Navigate(site.ReturnUrl, kSlowPageLoad, true);
    robot.BetOnStatus = bsLoggedIn;
  }
  return Outcome::Done;
}

void BetCycle::ReadStartBalance() {
  std::string currency = SlotValue(Slot::kBalance);
  if (!currency.empty() && currency[0] == ':') currency.erase(0, 1);
  currency = Trim(currency);
  const size_t blank = currency.find(' ');
  page.CurrencyName = blank == std::string::npos ? std::string() : Trim(currency.substr(0, blank + 1));
  page.CurrentBalance = CostTranslate(SlotValue(Slot::kBalance));
  // A run that took up a purchase open when the program ended starts from
  // the balance before that purchase, as the run that bought it did.
  robot.StartBalance = ledger.Open() == TOpenBet::Bought ? ledger.Bet().record.BalanceAtBet : page.CurrentBalance;
  robot.StartBalanceKnown = true;

  host.ShowBalances({.start = robot.StartBalance, .current = page.CurrentBalance, .win = 0});
  host.ShowCurrencyName(page.CurrencyName);
}

// A contract the robot did not buy (by hand, or one a run stopped before its
// result) that settled while the next bet is open would change the balance
// its result is read from: the robot waits until no contract of the account
// is open, and says so once.
BetCycle::Outcome BetCycle::ReadBalanceUnlessForeignContract() {
  if (ledger.Open() == TOpenBet::Bought) return ReadBalance();
  log.AddStringToDebugLog(texts.Text(txWaitingForOpenContract));
  if (!robot.ForeignContractReported) {
    robot.ForeignContractReported = true;
    log.AddStringToLog(ltError, texts.Text(txForeignContract), true);
    host.ShowStatusMessage(texts.Text(txForeignContract));
  }
  Navigate(site.PortFolioUrl, kPageLoad, true);
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::ReadBalance() {
  if (!SlotExists(Slot::kBalance)) {
    robot.BetOnStatus = bsOpenSite;
    return Outcome::Done;
  }
  robot.ForeignContractReported = false;
  // A new login in the middle of a run keeps the run's start balance.
  if (!robot.StartBalanceKnown) ReadStartBalance();
  robot.BetOnStatus = ledger.Open() == TOpenBet::Bought ? bsPortfolio : bsOpenTrading;
  SetInterval(kAtOnce);
  return Outcome::Done;
}

}  // namespace vantrope

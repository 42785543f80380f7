#include "engine/bet_cycle.h"

#include <array>

#include "engine/advance_threshold.h"
#include "site/page_search.h"
#include "site/url_host.h"
#include "text/number_format.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr int kRetryInterval = 2000;
constexpr int kWakeInterval = 20;
constexpr int kForeignLoginInterval = 60000;
constexpr double kResultWaitCeiling = 9999999999.0;
constexpr double kResultWaitLimit = 60;

// The language pack's texts the cycle writes.
enum Text : int {
  txBought = 90,
  txFault = 141,
  txSimulatorBet = 142,
  txSimulatorBetUp = 143,
  txSimulatorBetDown = 144,
  txLoggedIn = 145,
  txOtherAccount = 146,
  txNoAccessToControl = 147,
  txLoginRefused = 148,
  txSiteError = 149,
  txPriceRequest = 150,
  txUp = 151,
  txDown = 152,
  txBetUpOn = 153,
  txBetDownOn = 154,
  txBetOn = 155,
  txForPeriod = 156,
  txNoBet = 159,
  txAdvance = 160,
  txAdvanceTooHigh = 161,
  txBoughtUp = 162,
  txPercent = 163,
  txBoughtDown = 164,
  txBetCancelled = 166,
  txWonUp = 171,
  txWonDown = 172,
  txWon = 173,
  txBetTimedOut = 174,
  txLostUp = 266,
  txLostDown = 267,
  txLost = 268,
  txPricesNotShown = 269,
  txBuyUnanswered = 283,
  txSessionEnded = 285,
  txPriceUnreadable = 286,
  txWaitingForOpenContract = 287,
  txForeignLoginPage = 292,
  txNoAnswerToTheLogin = 293,
  txSignalTooOld = 294,
  txLateAnswer = 295,
  txForeignContract = 296,
  txFormOutOfReach = 297,
  txResultOverdue = 298,
};

// A wait past the bet watchdog's time is told in the event log.
constexpr double kStallSeconds = 300;

int ByDirection(TDirection direction, int up, int down, int other) {
  return direction == drUp ? up : direction == drDown ? down : other;
}

}  // namespace

// --- small helpers ---

void BetCycle::EnableTimerIfRunning() {
  if (robot.Running) tmBetOnState.SetEnabled(true);
}

void BetCycle::SetInterval(int interval) { tmBetOnState.SetInterval(interval); }

void BetCycle::Navigate(const std::string& url, int interval, bool fresh_page) {
  browser_supervisor.NavigateUrl(url);
  if (fresh_page) page.SiteDataUpdated = false;
  SetInterval(interval);
}

bool BetCycle::SlotExists(size_t slot) const { return page.ControlSlots[slot].FieldIndex >= 0; }

std::string BetCycle::SlotValue(size_t slot) const {
  return SlotExists(slot) ? GetWebValue(page.WebFields, FieldOf(slot)) : std::string();
}

size_t BetCycle::FieldOf(size_t slot) const { return static_cast<size_t>(page.ControlSlots[slot].FieldIndex); }

int BetCycle::AddPress(PageActionBatch& batch, size_t slot, bool only_after_success) const {
  return SlotExists(slot) ? batch.WebExecute(FieldOf(slot), only_after_success) : -1;
}

// --- waiting for the page ---

void BetCycle::FinishTick(Outcome outcome) {
  if (robot.WatchdogDue) {
    robot.WatchdogDue = false;
    if (ledger.Open() == TOpenBet::Requested) return GiveUpBet();
  }
  if (outcome == Outcome::Done) host.BetOnRobot();
  EnableTimerIfRunning();
}

// Only the answer to the ticket awaited may touch the cycle: an answer to an
// older wait (one that Stop or a new run left behind) is dropped. An answer
// that finds the cycle moved on by others meanwhile (a bet request, a chart
// change) ends the wait, and the cycle goes on from where it is now.
std::function<bool()> BetCycle::BeginAwait() {
  const uint64_t ticket = robot.AwaitedTicket = ++robot.LastTicket;
  return [this, ticket, step = robot.BetOnStatus] {
    if (ticket != robot.AwaitedTicket) {
      log.AddStringToDebugLog(texts.Text(txLateAnswer));
      return false;
    }
    robot.AwaitedTicket = 0;
    if (step == robot.BetOnStatus) return true;
    FinishTick(Outcome::Wait);
    return false;
  };
}

BetCycle::Outcome BetCycle::AwaitParse(std::function<void()> then) {
  std::function<bool()> current = BeginAwait();
  page_encoder.HtmlParser([this, current, then = std::move(then)](bool parsed) {
    if (!current()) return;
    // A page that did not answer is no page to act on.
    if (!parsed) {
      FinishTick(Outcome::Wait);
      return;
    }
    robot.ParsedThisTick = true;
    then();
  });
  return Outcome::Pending;
}

BetCycle::Outcome BetCycle::AwaitActions(PageActionBatch batch, std::function<Outcome(const PageActionReport&)> then) {
  // Nothing to do on the page: the step goes on at once.
  if (batch.Empty()) return then(PageActionReport({}));
  std::function<bool()> current = BeginAwait();
  page_actions.Run(std::move(batch), [this, current, then = std::move(then)](const PageActionReport& report) {
    if (current()) FinishTick(then(report));
  });
  return Outcome::Pending;
}

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
  SetInterval(1000);
  ForgetSignal();
  EVENT.BetStatus = ssBetImpossible;
}

void BetCycle::ForgetSignal() {
  EVENT.NewSignal = false;
  EVENT.Direction = drNone;
  ledger.KeepSignal(drNone);
}

// While a bet is open the strategy keeps the state it was last told: the
// cycle is only finding its way back to the bet.
void BetCycle::ReportNotReady() {
  if (ledger.Open() == TOpenBet::None) EVENT.BetStatus = ssNotReady;
}

// Off the ready form no new bet may be asked for; a bet asked for already
// keeps the state the strategy was told, while the cycle finds its way back.
void BetCycle::WithdrawReady() {
  if (EVENT.BetStatus == ssReady && ledger.Open() == TOpenBet::None) EVENT.BetStatus = ssNotReady;
}

// The site shows its login page in the middle of the run: it ended the
// session. The cycle logs in again and comes back to an open bet from there.
BetCycle::Outcome BetCycle::SessionEnded() {
  // A purchase keeps its pending row for the result; a request not bought
  // closes the row of its price request.
  log.AddStringToLog(ledger.Open() == TOpenBet::Bought ? ltInfo : ltPendingClosed, texts.Text(txSessionEnded), false);
  ReportNotReady();
  robot.BetOnStatus = bsLogIn;
  SetInterval(20);
  return Outcome::Done;
}

// A purchase is followed on the portfolio, where its result shows.
void BetCycle::FollowBet() {
  Navigate(site.PortFolioUrl, 5000, true);
  robot.BetOnStatus = bsPortfolio;
}

// A cycle that cannot reach the trading form, or a purchase whose result
// does not show, for longer than the bet watchdog would wait: the event log
// says so once, with where the cycle stands.
void BetCycle::WatchForStall() {
  const int64_t now = clock.MonotonicMs();
  const bool awaiting_result = ledger.Open() == TOpenBet::Bought;
  // On the form, or with a bet the watchdog looks after, the cycle gets on.
  const bool getting_on = EVENT.BetStatus == ssReady || ledger.Open() == TOpenBet::Requested;
  if (getting_on || awaiting_result != robot.AwaitingResult || robot.StallSince == 0) {
    robot.StallSince = now;
    robot.StallReported = false;
    robot.AwaitingResult = awaiting_result;
    return;
  }
  const double limit =
      kStallSeconds + (awaiting_result ? PeriodSeconds(robot.BetPeriod, Trim(robot.BetPeriodUnit)) : 0);
  // A contract the robot did not buy keeps it from the form: told already.
  if (robot.StallReported || robot.ForeignContractReported || (now - robot.StallSince) / 1000.0 <= limit)
    return;
  robot.StallReported = true;
  if (awaiting_result)
    log.AddStringToLog(ltInfo, texts.Text(txResultOverdue), true);
  else
    log.AddStringToLog(ltInfo,
                       texts.Text(txFormOutOfReach) + " " + std::to_string(robot.BetOnStatus) + ", " +
                           (page.PageName.empty() ? browser.LocationUrl() : page.PageName),
                       true);
}

// --- what others ask of the cycle ---

void BetCycle::RequestBet() {
  // The simulator's bets are no bets of the account.
  if (!page.SimulatorEnabled)
    ledger.Requested({robot.BetValute, robot.BetPeriodUnit, robot.BetPeriod, robot.BetStake, robot.BetDirection});
  robot.BetOnStatus = bsBetRequested;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(20);
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

// The steps are the same, only sooner: never on a page still loading (its
// end wakes the cycle again), never in the middle of a tick waiting for the
// page's answer.
void BetCycle::Wake() {
  if (!robot.QuickReaction || !robot.Running || robot.AwaitedTicket != 0 || page.SimulatorEnabled || browser.Busy())
    return;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(kWakeInterval);
  tmBetOnState.SetEnabled(true);
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
    tmBetOnState.SetInterval(kRetryInterval);
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
  tmBetOnState.SetInterval(6000);
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

// --- the tick ---

void BetCycle::Tick() {
  // A step waiting for the page finishes its tick when the answer comes.
  if (robot.AwaitedTicket != 0) return;
  robot.ParsedThisTick = false;
  tmBetOnState.SetEnabled(false);
  SetInterval(kTickInterval);

  if (page.SimulatorEnabled) {
    if (robot.BetOnStatus == bsBetRequested) {
      const int prefix = ByDirection(robot.BetDirection, txSimulatorBetUp, txSimulatorBetDown, txSimulatorBet);
      log.AddStringToDebugLog(texts.Text(prefix) + " " + std::to_string(robot.BetStake) + " " + robot.BetValute);
      robot.BetOnStatus = bsBuy;
    }
    EnableTimerIfRunning();
    return;
  }
  WatchForStall();
  // The trading form is parsed afresh before the tick acts on it.
  if (IsTradingPage(page.PageIndex) && !browser.Busy()) {
    AwaitParse([this] { TickOnPage(); });
    return;
  }
  TickOnPage();
}

void BetCycle::TickOnPage() {
  const TPage shown = page.PageIndex;
  // The wait counter counts ticks, two per tick, whatever their real pace.
  if (robot.ResultWaitCounter < kResultWaitCeiling) robot.ResultWaitCounter += tmBetOnState.Interval() / 1000;
  if (shown == pgRequestError || shown == pgPageNotFound || shown == pgPurchaseRefused) {
    // With no page left to go back to, the cycle starts again from the
    // site's main address and comes back to an open bet from there.
    if (robot.BetOnStatus == bsAwaitConfirmation) robot.BuyAnswerLost = true;
    if (!browser_supervisor.GoBack()) robot.BetOnStatus = bsOpenSite;
    page.PageIndex = pgNone;
  }
  if (shown == pgSitePause && robot.RobotPauseMode == pmNone && robot_controls.btPause1.Enabled())
    run_control.RequestPause(RobotControls::kPauseAfterResultTag);
  const Outcome outcome = RunStep(shown);
  if (outcome != Outcome::Pending) FinishTick(outcome);
}

BetCycle::Outcome BetCycle::RunStep(TPage shown) {
  switch (robot.BetOnStatus) {
    case bsOpenSite: return Step0();
    case bsLogIn: return Step1(shown);
    case bsLoggedIn: return Step2(shown);
    case bsReadBalance: return Step3(shown);
    case bsOpenTrading: return Step4();
    case bsSelectMarket: return Step5(shown);
    case bsFillForm:
    case bsFormReady: return Step6Or7(shown);
    case bsBetRequested: return Step8();
    case bsBuy: return Step9();
    case bsAwaitConfirmation: return Step10(shown);
    case bsPortfolio: return Step11(shown);
    case bsAwaitResult: return Step12(shown);
    case bsIdle: return StepIdle();
    default: return Outcome::Done;
  }
}

// --- login and account ---

BetCycle::Outcome BetCycle::Step0() {
  ReportNotReady();
  Navigate(site.MainUrl, 5000, false);
  robot.BetOnStatus = bsLogIn;
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
  for (size_t slot = 0; slot < 2; ++slot) {
    if (!SlotExists(slot))
      ReportInaccessible(page.ControlSlots[slot].ControlNo);
    else if (slot == 0)
      writes[slot] = batch.WebSetValue(FieldOf(slot), Trim(account.cbeLogin.Text()));
    else  // blanks at the ends of a password are part of it
      writes[slot] = batch.WebTypePassword(FieldOf(slot), account.tePassword.Text());
  }
  const int press = AddPress(batch, 2);
  const uint16_t press_control = page.ControlSlots[2].ControlNo;
  return AwaitActions(std::move(batch), [this, writes, press, press_control](const PageActionReport& report) {
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
      SetInterval(8000);
    } else {
      robot.BetOnStatus = bsOpenSite;
      SetInterval(2000);
    }
    return Outcome::Done;
  });
}

// The site may send the browser on to its own login page later: the main
// address is tried again after a while.
BetCycle::Outcome BetCycle::LoginPageElsewhere(const std::string& host) {
  if (robot.ForeignLoginHost != host)
    log.AddStringToLog(ltError, texts.Text(txForeignLoginPage) + " " + host, false);
  robot.ForeignLoginHost = host;
  Navigate(site.MainUrl, kForeignLoginInterval, true);
  return Outcome::Done;
}

// The site's refusal ends the run only as the answer to the robot's own
// login press: reached any other way (the login's address loaded again
// without the form, say), it says nothing of the number and password.
void BetCycle::LoginFailed() {
  if (robot.LoginPressedAt == page.OwnNavigations) {
    FaultAndStop(texts.Text(txLoginRefused));
    return;
  }
  log.AddStringToDebugLog(texts.Text(txNoAnswerToTheLogin));
  robot.BetOnStatus = bsOpenSite;
}

BetCycle::Outcome BetCycle::Step1(TPage shown) {
  ReportNotReady();
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case pgNone:
      // 0 is also the not-found result of a control marked optional.
      if (page_encoder.SearchControl(21) == 0) LangCheck();
      break;
    case pgLogin: return LogIn();
    case pgLoginFailed: LoginFailed(); break;
    case pgCabinet: {
      if (page_encoder.SearchControl(21) < 0) break;
      const int32_t account_field = page_encoder.SearchControl(22);
      const std::string account_shown =
          account_field < 0 ? std::string() : GetWebValue(page.WebFields, static_cast<size_t>(account_field));
      if (account_shown.find(Trim(account.cbeLogin.Text())) == std::string::npos) {
        log.AddStringToLog(ltError, texts.Text(txOtherAccount), false);
        Navigate(site.LogOutUrl, 5000, true);
        robot.BetOnStatus = bsOpenSite;
      } else {
        log.AddStringToLog(ltInfo, texts.Text(txLoggedIn), false);
        Navigate(site.ReturnUrl, 6000, true);
        robot.BetOnStatus = bsLoggedIn;
      }
      break;
    }
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices: robot.BetOnStatus = bsLoggedIn; break;
    case pgPricesChanged:
    case pgPurchaseConfirmed: robot.BetOnStatus = bsOpenSite; break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    case pgPortfolio:
    case pgPortfolioBetOpen: robot.BetOnStatus = bsReadBalance; break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step2(TPage shown) {
  ReportNotReady();
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case pgNone: LangCheck(); break;
    case pgLogin: robot.BetOnStatus = bsOpenSite; break;
    case pgLoginFailed: LoginFailed(); break;
    case pgCabinet:
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices:
      Navigate(site.PortFolioUrl, 6000, true);
      robot.BetOnStatus = bsReadBalance;
      break;
    case pgPricesChanged:
    case pgPurchaseConfirmed: robot.BetOnStatus = bsOpenSite; break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    case pgPortfolio:
    case pgPortfolioBetOpen: robot.BetOnStatus = bsReadBalance; break;
    default: break;
  }
  return Outcome::Done;
}

void BetCycle::ReadStartBalance() {
  std::string currency = SlotValue(1);
  if (!currency.empty() && currency[0] == ':') currency.erase(0, 1);
  currency = Trim(currency);
  const size_t blank = currency.find(' ');
  page.CurrencyName = blank == std::string::npos ? std::string() : Trim(currency.substr(0, blank + 1));
  page.CurrentBalance = CostTranslate(SlotValue(1));
  // A run that took up a purchase open when the program ended starts from
  // the balance before that purchase, as the run that bought it did.
  robot.StartBalance = ledger.Open() == TOpenBet::Bought ? ledger.Bet().record.BalanceAtBet : page.CurrentBalance;
  robot.StartBalanceKnown = true;

  account.neStartBalanse.SetValue(robot.StartBalance);
  account.neCurrentBalanse.SetValue(page.CurrentBalance);
  account.neWinBalanse.SetValue(0);
  account.neWinBalanse.SetFontColor(12632256);
  host.ShowCurrencyName(page.CurrencyName);
}

BetCycle::Outcome BetCycle::Step3(TPage shown) {
  ReportNotReady();
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case pgNone: LangCheck(); break;
    case pgLogin: robot.BetOnStatus = bsLogIn; break;
    case pgLoginFailed: robot.BetOnStatus = bsOpenSite; break;
    case pgCabinet:
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices: robot.BetOnStatus = bsLoggedIn; break;
    case pgPricesChanged:
    case pgPurchaseConfirmed: robot.BetOnStatus = bsOpenSite; break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    case pgPortfolioBetOpen:
      // A contract the robot did not buy (by hand, or one a run stopped
      // before its result) that settled while the next bet is open would
      // change the balance its result is read from: the robot waits until no
      // contract of the account is open, and says so once.
      if (ledger.Open() != TOpenBet::Bought) {
        log.AddStringToDebugLog(texts.Text(txWaitingForOpenContract));
        if (!robot.ForeignContractReported) {
          robot.ForeignContractReported = true;
          log.AddStringToLog(ltError, texts.Text(txForeignContract), true);
          host.ShowStatusMessage(texts.Text(txForeignContract));
        }
        Navigate(site.PortFolioUrl, 5000, true);
        break;
      }
      [[fallthrough]];
    case pgPortfolio:
      if (!SlotExists(1)) {
        robot.BetOnStatus = bsOpenSite;
        break;
      }
      robot.ForeignContractReported = false;
      // A new login in the middle of a run keeps the run's start balance.
      if (!robot.StartBalanceKnown) ReadStartBalance();
      robot.BetOnStatus = ledger.Open() == TOpenBet::Bought ? bsPortfolio : bsOpenTrading;
      SetInterval(20);
      break;
    default: break;
  }
  return Outcome::Done;
}

// --- the trading form ---

BetCycle::Outcome BetCycle::Step4() {
  ReportNotReady();
  Navigate(site.ReturnUrl, 6000, true);
  robot.BetOnStatus = bsSelectMarket;
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step5(TPage shown) {
  ReportNotReady();
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case pgNone: LangCheck(); break;
    case pgLogin:
    case pgLoginFailed:
    case pgPricesChanged:
    case pgPurchaseConfirmed: robot.BetOnStatus = bsOpenSite; break;
    // The main page does not change by itself: the trading page is opened.
    case pgCabinet:
      robot.BetOnStatus = bsOpenTrading;
      SetInterval(20);
      break;
    case pgPortfolio:
    case pgPortfolioBetOpen: robot.BetOnStatus = bsReadBalance; break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices: {
      // The tick has parsed this page just now; a page the browser was still
      // loading left nothing to press.
      PageActionBatch batch = page_actions.NewBatch();
      const int press = OnForexMarket() || !robot.ParsedThisTick ? -1 : AddPress(batch, 11);
      return AwaitActions(std::move(batch), [this, press](const PageActionReport& report) {
        if (report.Took(press)) {
          page.SiteDataUpdated = false;
          SetInterval(5000);
        } else {
          // A bet asked for before the cycle had to find its way back is
          // carried out now.
          robot.BetOnStatus = ledger.Open() == TOpenBet::Requested ? bsBetRequested : bsFillForm;
          SetInterval(20);
        }
        return Outcome::Done;
      });
    }
    default: break;
  }
  return Outcome::Done;
}

// The six form controls in their order, each written where the page shows
// another value; a missing one is passed over, and noted for the checked fill.
// The ready form shows the chart's pair and expiry; a bet keeps those of its
// request, so that a chain goes on with its own while the chart changes.
BetCycle::FormFill BetCycle::FillForm(PageActionBatch& batch, bool for_bet) const {
  const std::string& valute = for_bet ? robot.BetValute : EVENT.Valute;
  const std::string& unit = for_bet ? robot.BetPeriodUnit : EVENT.PeriodUnit;
  const uint16_t period = for_bet ? robot.BetPeriod : EVENT.Period;
  const std::pair<size_t, std::string> fields[] = {{2, "all"},
                                                   {4, Trim(valute)},
                                                   {5, "now"},
                                                   {7, Trim(unit)},
                                                   {6, std::to_string(period)},
                                                   {8, std::to_string(robot.BetStake)}};
  FormFill fill;
  for (const auto& [slot, value] : fields) {
    if (!SlotExists(slot)) {
      fill.controls.push_back({slot, FormFill::kMissing});
      continue;
    }
    if (SlotValue(slot) == value) continue;
    fill.controls.push_back({slot, batch.WebSetValue(FieldOf(slot), value)});
  }
  return fill;
}

bool BetCycle::FormFill::Failed(size_t slot, const PageActionReport& report) const {
  for (const Control& control : controls)
    if (control.slot == slot && (control.write == kMissing || !report.Took(control.write))) return true;
  return false;
}

bool BetCycle::OnForexMarket() const { return browser.LocationUrl().find("market=forex") != std::string::npos; }

// A way back from an error page may land on the trading page of the site's
// first market, whose pair selector has no forex pair.
bool BetCycle::LeaveOtherMarket(const FormFill& fill, const PageActionReport& report) {
  if (OnForexMarket() || !fill.Failed(4, report)) return false;
  WithdrawReady();
  robot.BetOnStatus = bsSelectMarket;
  SetInterval(20);
  return true;
}

// A page taken for the trading form by its address alone has no controls: it
// is no form to bet on (an error page of the site or of the browser, whose
// load failed) and never shows prices, however long it is waited on.
bool BetCycle::LeaveFormlessTradingPage() {
  if (SlotExists(9)) return false;
  WithdrawReady();
  Navigate(site.ReturnUrl, 10000, true);
  robot.BetOnStatus = bsSelectMarket;
  return true;
}

bool BetCycle::FormFill::AnyMissing() const {
  for (const Control& control : controls)
    if (control.write == kMissing) return true;
  return false;
}

// Checked, a missing control fails the attempt, as does a write that fails;
// a later failure replaces an earlier one.
int BetCycle::FormFill::FailedSlot(const PageActionReport& report) const {
  int failed = -1;
  for (const Control& control : controls)
    if (control.write == kMissing || !report.Took(control.write)) failed = static_cast<int>(control.slot);
  return failed;
}

BetCycle::Outcome BetCycle::Step6Or7(TPage shown) {
  tmBetWDT.SetEnabled(false);
  SetInterval(10000);
  // Off the trading form the site is no longer ready for a bet.
  if (!IsTradingPage(shown)) WithdrawReady();
  switch (shown) {
    case pgLogin: return SessionEnded();
    case pgNone:
    case pgLoginFailed:
      LangCheck();
      browser_supervisor.ReloadPage();
      SetInterval(10000);
      break;
    case pgCabinet:
      robot.BetOnStatus = bsOpenTrading;
      SetInterval(20);
      break;
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices: {
      if (LeaveFormlessTradingPage()) break;
      EVENT.BetStatus = ssReady;
      PageActionBatch batch = page_actions.NewBatch();
      FormFill fill = FillForm(batch, false);
      if (robot.BetOnStatus == bsFillForm) AddPress(batch, 9);
      return AwaitActions(std::move(batch), [this, fill](const PageActionReport& report) {
        if (LeaveOtherMarket(fill, report)) return Outcome::Done;
        if (robot.BetOnStatus == bsFillForm) robot.BetOnStatus = bsFormReady;
        page.SiteDataUpdated = false;
        return Outcome::Done;
      });
    }
    case pgPricesChanged:
    case pgPurchaseConfirmed:
    case pgPortfolio:
      Navigate(site.ReturnUrl, 4000, true);
      robot.BetOnStatus = bsSelectMarket;
      break;
    case pgPortfolioBetOpen:
      Navigate(site.MainUrl, 60000, false);
      robot.BetOnStatus = bsOpenSite;
      break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    default: break;
  }
  return Outcome::Done;
}

// --- the bet ---

BetCycle::Outcome BetCycle::OnFreshPage(Outcome (BetCycle::*step)()) {
  // A page parsed at the start of this very tick is still the page shown.
  if (robot.ParsedThisTick) return (this->*step)();
  return AwaitParse([this, step] {
    const Outcome outcome = (this->*step)();
    if (outcome != Outcome::Pending) FinishTick(outcome);
  });
}

BetCycle::Outcome BetCycle::Step8() {
  if (!tmBetWDT.Enabled()) tmBetWDT.SetEnabled(true);
  if (browser.Busy()) return Outcome::Done;
  return OnFreshPage(&BetCycle::Step8OnPage);
}

BetCycle::Outcome BetCycle::Step8OnPage() {
  if (page.PageIndex == pgLogin) return SessionEnded();
  if (!IsTradingPage(page.PageIndex)) {
    LangCheck();
    if (page.PageIndex == pgAccountBlocked) FaultAndStop(texts.Text(txSiteError));
    return Outcome::Done;
  }
  if (LeaveFormlessTradingPage()) return Outcome::Done;
  PageActionBatch batch = page_actions.NewBatch();
  FormFill fill = FillForm(batch, true);
  // The prices are asked for only when every control took its value.
  const int press = fill.AnyMissing() ? -1 : AddPress(batch, 9, true);
  std::array<uint16_t, 20> controls{};
  for (size_t slot = 0; slot < controls.size(); ++slot) controls[slot] = page.ControlSlots[slot].ControlNo;
  return AwaitActions(std::move(batch), [this, fill, press, controls](const PageActionReport& report) {
    if (LeaveOtherMarket(fill, report)) return Outcome::Done;
    const int failed_slot = fill.FailedSlot(report);
    if (failed_slot >= 0 || press < 0) {
      SetInterval(1000);
      const size_t reported = failed_slot >= 0 ? static_cast<size_t>(failed_slot) : 9;
      log.AddStringToDebugLog(texts.Text(txNoAccessToControl) + " " + std::to_string(controls[reported]));
      return Outcome::Done;
    }
    if (!report.Took(press)) return Outcome::Done;
    return PricesRequested();
  });
}

BetCycle::Outcome BetCycle::PricesRequested() {
  robot.BetOnStatus = bsBuy;
  SetInterval(10000);
  page.SiteDataUpdated = false;

  const std::string stake = std::to_string(robot.BetStake);
  const std::string direction = robot.BetDirection == drUp     ? " " + texts.Text(txUp)
                                : robot.BetDirection == drDown ? " " + texts.Text(txDown)
                                                               : std::string(" ...");
  log.AddStringToLog(ltBetPending, texts.Text(txPriceRequest) + " " + stake + " " + page.CurrencyName + direction,
                     false);
  const int direction_text = ByDirection(robot.BetDirection, txBetUpOn, txBetDownOn, txBetOn);
  log.AddStringToDebugLog(stake + " " + page.CurrencyName + " " + texts.Text(direction_text) + " " +
                          Trim(robot.BetValute) + " " + texts.Text(txForPeriod) + " " + std::to_string(robot.BetPeriod) +
                          Trim(robot.BetPeriodUnit));
  // Prices asked for again after the site refused a stale one: the strategy
  // was told of the bet already and waits for its outcome.
  if (EVENT.BetStatus < ssBetMade) EVENT.BetStatus = ssWaitingForPrices;
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step9() {
  if (browser.Busy()) return Outcome::Done;
  return OnFreshPage(&BetCycle::Step9OnPage);
}

BetCycle::Outcome BetCycle::Step9OnPage() {
  const TPage shown = page.PageIndex;
  if (shown == pgLogin) return SessionEnded();
  if (!IsTradingPage(shown)) {
    LangCheck();
    if (shown == pgAccountBlocked) {
      FaultAndStop(texts.Text(txSiteError));
      return Outcome::Done;
    }
    PageActionBatch batch = page_actions.NewBatch();
    const int press = shown == pgPricesChanged ? AddPress(batch, 0) : -1;
    return AwaitActions(std::move(batch), [this, press](const PageActionReport& report) {
      if (report.Took(press)) SetInterval(2000);
      return Outcome::Done;
    });
  }
  if (LeaveFormlessTradingPage()) return Outcome::Done;
  // Prices count as shown only when both price blocks are there.
  if (!(page.ControlSlots[14].FieldIndex > 0 && page.ControlSlots[15].FieldIndex > 0)) {
    log.AddStringToDebugLog(texts.Text(txPricesNotShown));
    return Outcome::Done;
  }
  // The prices are those of the form the page shows. A form that is not the
  // bet's (prices asked for again on a page that showed another, perhaps of
  // another market) is never bought: the bet starts again from the market.
  PageActionBatch probe = page_actions.NewBatch();
  if (!FillForm(probe, true).controls.empty()) {
    Navigate(site.ReturnUrl, 4000, true);
    robot.BetOnStatus = bsSelectMarket;
    return Outcome::Done;
  }
  // A bet that answers a signal is bought only while its arrow is fresh,
  // however long the site kept the cycle from the buy.
  if (robot.SignalLifetime > 0 && robot.BetSignalTime != 0 &&
      clock.MonotonicMs() - robot.BetSignalTime > int64_t{robot.SignalLifetime} * 1000)
    return BuyVerdict(Verdict::SignalTooOld, 0);
  const bool up = robot.BetDirection == drUp && page_encoder.SearchControl(13) >= 0;
  const bool down = robot.BetDirection == drDown && page_encoder.SearchControl(14) >= 0;
  if (!up && !down) return BuyVerdict(Verdict::None, 0);
  const int32_t percent =
      page_actions.GetBrokerPercent(static_cast<uint32_t>(robot.BetStake), static_cast<uint16_t>(up ? 12 : 13));
  // A price that does not read as a number is no price: nothing is bought
  // at an unknown price.
  if (percent <= 0) {
    SetInterval(5000);
    return BuyVerdict(Verdict::PriceUnreadable, percent);
  }
  host.ShowStatusMessage(texts.Text(txAdvance) + " " + std::to_string(percent) + "%");
  if (GreedThreshold(robot.GreedPorog) < percent) {
    SetInterval(5000);
    return BuyVerdict(Verdict::Refused, percent);
  }
  PageActionBatch batch = page_actions.NewBatch();
  const int press = AddPress(batch, up ? 18 : 19);
  if (press < 0) {
    SetInterval(5000);
    return BuyVerdict(Verdict::None, percent);
  }
  // From the press on a contract may exist: it is followed to its result and
  // never given up by the bet watchdog. The ledger holds it before the press
  // reaches the page.
  robot.BuyAnswerLost = false;
  robot.BalanceAtBet = page.CurrentBalance;
  ledger.Bought(PurchaseRecord());
  tmBetWDT.SetEnabled(false);
  return AwaitActions(std::move(batch), [this, up, percent, press](const PageActionReport& report) {
    // A press the page did not answer may still buy: the pages that follow
    // tell, and the press is never made again on another element.
    if (report.Unanswered(press)) log.AddStringToDebugLog(texts.Text(txBuyUnanswered));
    if (!report.Took(press) && !report.Unanswered(press)) {
      SetInterval(5000);
      return BuyVerdict(Verdict::None, percent);
    }
    robot.BetPricePercent = static_cast<uint8_t>(percent);
    page.SiteDataUpdated = false;
    return BuyVerdict(up ? Verdict::BoughtUp : Verdict::BoughtDown, percent);
  });
}

BetCycle::Outcome BetCycle::BuyVerdict(Verdict verdict, int32_t percent) {
  switch (verdict) {
    case Verdict::BoughtUp:
    case Verdict::BoughtDown: {
      const std::string way = texts.Text(verdict == Verdict::BoughtUp ? txBoughtUp : txBoughtDown);
      log.AddStringToLog(ltBetPending,
                         texts.Text(txBought) + " " + std::to_string(robot.BetStake) + " " + page.CurrencyName + " " +
                             way + " " + std::to_string(percent) + texts.Text(txPercent),
                         false);
      EVENT.BetStatus = ssBetMade;
      robot.BetOnStatus = bsAwaitConfirmation;
      SetInterval(5000);
      break;
    }
    case Verdict::Refused:
      DropSignal(texts.Text(txBetCancelled));
      log.AddStringToDebugLog(texts.Text(txAdvanceTooHigh));
      break;
    case Verdict::PriceUnreadable:
      DropSignal(texts.Text(txPriceUnreadable));
      log.AddStringToDebugLog(texts.Text(txPriceUnreadable));
      break;
    case Verdict::SignalTooOld: {
      const std::string text = texts.Text(txSignalTooOld) + " " + std::to_string(robot.SignalLifetime);
      DropSignal(text);
      log.AddStringToDebugLog(text);
      break;
    }
    case Verdict::None:
      DropSignal(texts.Text(txNoBet));
      log.AddStringToDebugLog(texts.Text(txNoBet));
      break;
  }
  return Outcome::Done;
}

// --- following the bet ---

BetCycle::Outcome BetCycle::Step10(TPage shown) {
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case pgNone: LangCheck(); break;
    case pgLogin: return SessionEnded();
    case pgLoginFailed:
      page_encoder.HtmlParser();
      SetInterval(1000);
      break;
    // The main page does not change by itself: the portfolio tells.
    case pgCabinet: FollowBet(); break;
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices:
    case pgPurchaseConfirmed:
      robot.BetOnStatus = bsPortfolio;
      page.SiteDataUpdated = false;
      tmBetWDT.SetEnabled(false);
      ledger.Confirmed(clock.Now());
      if (EVENT.BetStatus == ssBetAccepted)
        SetInterval(3000);
      else
        SetInterval(Trim(robot.BetPeriodUnit) == "s" ? robot.BetPeriod * 1000 : 60000);
      browser_supervisor.NavigateUrl(site.PortFolioUrl);
      break;
    case pgPricesChanged:
      // A page of the history may have bought: the portfolio tells.
      if (robot.BuyAnswerLost) {
        FollowBet();
        break;
      }
      // The site refused the purchase: its quote had gone stale. The bet is
      // a request again, given up by the watchdog if no price comes.
      ledger.PurchaseRefused();
      tmBetWDT.SetEnabled(true);
      robot.BetOnStatus = bsBuy;
      SetInterval(100);
      break;
    case pgPortfolio:
    case pgPortfolioBetOpen:
      robot.BetOnStatus = bsPortfolio;
      ledger.Confirmed(clock.Now());
      SetInterval(20);
      break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    default: break;
  }
  return Outcome::Done;
}

THistoryRecord BetCycle::PurchaseRecord() const {
  THistoryRecord record;
  record.Time = clock.Now();
  record.Account = Utf8Left(account.cbeLogin.Text(), 16);
  record.BalanceAtBet = robot.BalanceAtBet;
  record.Currency = Utf8Left(page.CurrencyName, 3);
  record.Pair = Utf8Left(robot.ChainValute, 9);
  record.Period = Utf8Left(std::to_string(robot.ChainPeriod) + Trim(robot.BetPeriodUnit), 6);
  record.Strategy = strategies.StrategyIndex();
  record.Stake = robot.ChainStake;
  record.Direction = robot.ChainDirection;
  record.Params = strategies.HistoryParams();
  return record;
}

// The ledger records the result; the log line only shows it.
void BetCycle::ReadResult() {
  robot.BalanceAtResult = page.CurrentBalance;
  EVENT.Result = robot.BalanceAtResult - robot.BalanceAtBet;
  ledger.Settled(EVENT.Result > 0 ? 1 : 2, robot.BalanceAtResult);
  const std::string amount =
      page.CurrencyName + ": " + FormatFixed(std::abs(EVENT.Result), 2, clock.DecimalSeparator());
  if (EVENT.Result > 0) {
    log.AddStringToLog(ltWin, texts.Text(ByDirection(robot.ChainDirection, txWonUp, txWonDown, txWon)) + " " + amount,
                       true);
    EVENT.BetStatus = ssBetWon;
  } else {
    log.AddStringToLog(
        ltLost, texts.Text(ByDirection(robot.ChainDirection, txLostUp, txLostDown, txLost)) + " " + amount, true);
    EVENT.BetStatus = ssBetLost;
  }
  // The trading address opens the site's first market: it is chosen again.
  Navigate(site.ReturnUrl, 4000, true);
  robot.BetOnStatus = bsSelectMarket;
}

BetCycle::Outcome BetCycle::Step11(TPage shown) {
  tmBetWDT.SetEnabled(false);
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case pgNone: LangCheck(); break;
    case pgLogin: return SessionEnded();
    // The form is no place to wait for a bet's result: the portfolio is.
    case pgLoginFailed:
    case pgCabinet:
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices:
    case pgPricesChanged:
    case pgPurchaseConfirmed: FollowBet(); break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    case pgPortfolioBetOpen:
      // The portfolio is where a purchase whose answer was lost, or one
      // bought before a new login, is seen first.
      ledger.Confirmed(clock.Now());
      if (EVENT.BetStatus < ssBetAccepted) {
        EVENT.BetStatus = ssBetAccepted;
        robot.BetDirection = drNone;
      }
      robot.ResultWaitCounter = 0;
      robot.BetOnStatus = bsAwaitResult;
      break;
    case pgPortfolio:
      // A balance that moved since the press tells of a contract that was
      // bought and settled before the portfolio showed it open.
      if (EVENT.BetStatus > ssBetMade || page.CurrentBalance != robot.BalanceAtBet) {
        ReadResult();
      } else {
        DropSignal(texts.Text(txNoBet));
        log.AddStringToDebugLog(texts.Text(txNoBet));
      }
      break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step12(TPage shown) {
  tmBetWDT.SetEnabled(false);
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case pgNone: LangCheck(); break;
    case pgLogin: return SessionEnded();
    case pgLoginFailed:
    case pgCabinet:
    case pgTrading:
    case pgTradingUpPrice:
    case pgTradingDownPrice:
    case pgTradingPrices:
    case pgPricesChanged:
    case pgPurchaseConfirmed: FollowBet(); break;
    case pgPortfolio:
      robot.BetOnStatus = bsPortfolio;
      SetInterval(20);
      break;
    case pgPortfolioBetOpen:
      // Past the wait limit the portfolio is looked at more often, but it is
      // always loaded again: its page does not change by itself.
      Navigate(site.PortFolioUrl, robot.ResultWaitCounter > kResultWaitLimit ? 1000 : 5000, true);
      robot.BetOnStatus = bsPortfolio;
      break;
    case pgAccountBlocked: FaultAndStop(texts.Text(txSiteError)); break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::StepIdle() {
  browser_supervisor.NavigateUrl(site.LogOutUrl);
  EVENT.BetStatus = ssNotReady;
  robot.RobotStatus = rsStopped;
  robot.RobotSubStatus = 0;
  return Outcome::Done;
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
  EVENT.BetStatus = ssBetImpossible;
  // The trading address opens the site's first market: the market is chosen
  // again before the form.
  robot.BetOnStatus = bsSelectMarket;
  ForgetSignal();
  host.BetOnRobot();
  browser_supervisor.NavigateUrl(site.ReturnUrl);
  page.SiteDataUpdated = false;
  SetInterval(6000);
  tmBetOnState.SetEnabled(true);
}

}  // namespace vantrope

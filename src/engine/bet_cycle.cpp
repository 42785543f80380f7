// The bet cycle as a table of its steps, and the tick that runs a step.
#include "engine/bet_cycle.h"

#include "engine/bet_cycle_names.h"

namespace vantrope {

using namespace bet_cycle;

namespace {

// The result wait counter stops counting here.
constexpr double kResultWaitCeiling = 9999999999.0;

using Row = BetCycle::PageRow;
using Move = BetCycle::Move;
using Address = BetCycle::Address;
using PageSet = BetCycle::PageSet;

constexpr PageSet kTrading{pgTrading, pgTradingUpPrice, pgTradingDownPrice, pgTradingPrices};
constexpr PageSet kPortfolios{pgPortfolio, pgPortfolioBetOpen};
constexpr PageSet kAfterBuy{pgPricesChanged, pgPurchaseConfirmed};

Row On(PageSet pages, Move move) { return {pages, move, nullptr}; }
Row On(PageSet pages, BetCycle::Reaction react) { return {pages, std::nullopt, react}; }

}  // namespace

const BetCycle::Move BetCycle::kFollowBet{bsPortfolio, Address::Portfolio, kPageLoad};

// Each step: how it looks at the page, what it does first, its pace, and
// for each page it expects, where that leads. Pages a row does not name get
// the shared reactions (SharedReaction).
const std::vector<BetCycle::StepRow>& BetCycle::Table() {
  // clang-format off
  static const std::vector<StepRow> table = [] {
    using B = BetCycle;
    const std::vector<Row> form = {
        On({pgNone, pgLoginFailed}, &B::ReloadForm),
        On({pgCabinet}, Move{bsOpenTrading, Address::None, kAtOnce}),
        On(kTrading, &B::FillReadyForm),
        On(kAfterBuy | PageSet{pgPortfolio}, Move{bsSelectMarket, Address::Trading, kFormLoad}),
        On({pgPortfolioBetOpen}, Move{bsOpenSite, Address::Main, kMinute, true})};
    // The form is no place to wait for a bet's result: the portfolio is.
    const Row follow = On(PageSet{pgLoginFailed, pgCabinet} | kTrading | kAfterBuy, kFollowBet);
    return std::vector<StepRow>{
        {bsOpenSite, Look::None, kReportNotReady, kRetry, {
            On(PageSet::All(), Move{bsLogIn, Address::Main, kPageLoad, true})}},
        {bsLogIn, Look::Updated, kReportNotReady, kRetry, {
            On({pgNone}, &B::LangCheckUnlessLoggedIn),
            On({pgLogin}, &B::LogIn),
            On({pgLoginFailed}, &B::LoginFailed),
            On({pgCabinet}, &B::CheckAccount),
            On(kTrading, Move{bsLoggedIn}),
            On(kAfterBuy, Move{bsOpenSite}),
            On(kPortfolios, Move{bsReadBalance})}},
        {bsLoggedIn, Look::Updated, kReportNotReady, kRetry, {
            On(kAfterBuy | PageSet{pgLogin}, Move{bsOpenSite}),
            On({pgLoginFailed}, &B::LoginFailed),
            On(kTrading | PageSet{pgCabinet}, Move{bsReadBalance, Address::Portfolio, kSlowPageLoad}),
            On(kPortfolios, Move{bsReadBalance})}},
        {bsReadBalance, Look::Updated, kReportNotReady, kRetry, {
            On({pgLogin}, Move{bsLogIn}),
            On(kAfterBuy | PageSet{pgLoginFailed}, Move{bsOpenSite}),
            On(kTrading | PageSet{pgCabinet}, Move{bsLoggedIn}),
            On({pgPortfolioBetOpen}, &B::ReadBalanceUnlessForeignContract),
            On({pgPortfolio}, &B::ReadBalance)}},
        {bsOpenTrading, Look::None, kReportNotReady, kRetry, {
            On(PageSet::All(), Move{bsSelectMarket, Address::Trading, kSlowPageLoad})}},
        {bsSelectMarket, Look::Updated, kReportNotReady, kRetry, {
            On(kAfterBuy | PageSet{pgLogin, pgLoginFailed}, Move{bsOpenSite}),
            // The main page does not change by itself: the trading page is opened.
            On({pgCabinet}, Move{bsOpenTrading, Address::None, kAtOnce}),
            On(kPortfolios, Move{bsReadBalance}),
            On(kTrading, &B::ChooseForexMarket)}},
        {bsFillForm, Look::Shown, kWatchdogOff | kWithdrawOffForm, kFormPace, form},
        {bsFormReady, Look::Shown, kWatchdogOff | kWithdrawOffForm, kFormPace, form},
        {bsBetRequested, Look::Fresh, kWatchdogOn, kRetry, {
            On(kTrading, &B::FillBetForm)}},
        {bsBuy, Look::Fresh, 0, kRetry, {
            On(kTrading, &B::CheckPricesAndBuy),
            On({pgPricesChanged}, &B::AskPricesAgain)}},
        {bsAwaitConfirmation, Look::Updated, 0, kRetry, {
            On({pgLoginFailed}, &B::ParseAgain),
            // The main page does not change by itself: the portfolio tells.
            On({pgCabinet}, kFollowBet),
            On(kTrading | PageSet{pgPurchaseConfirmed}, &B::PurchaseConfirmed),
            On({pgPricesChanged}, &B::PurchaseRefusedOrLost),
            On(kPortfolios, &B::SeenOnPortfolio)}},
        {bsPortfolio, Look::Updated, kWatchdogOff, kRetry, {
            follow,
            On({pgPortfolioBetOpen}, &B::BetOpen),
            On({pgPortfolio}, &B::ResultOrNoBet)}},
        {bsAwaitResult, Look::Updated, kWatchdogOff, kRetry, {
            follow,
            On({pgPortfolio}, Move{bsPortfolio, Address::None, kAtOnce}),
            On({pgPortfolioBetOpen}, &B::LookAgainAtOpenBet)}},
        {bsIdle, Look::None, 0, kRetry, {
            On(PageSet::All(), &B::GoIdle)}}};
  }();
  // clang-format on
  return table;
}

// --- the tick ---

void BetCycle::Tick() {
  // A step waiting for the page finishes its tick when the answer comes.
  if (robot.AwaitedTicket != 0) return;
  robot.ParsedThisTick = false;
  tmBetOnState.SetEnabled(false);
  SetInterval(kRetry);
  WatchForStall();
  // The trading form is parsed afresh before the tick acts on it.
  if (IsTradingPage(page.PageIndex) && !browser.Busy()) {
    AskParse([this] { TickOnPage(); });
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
  if (shown == pgSitePause && robot.RobotPauseMode == pmNone && robot.Running)
    run_control.RequestPause(RobotControls::kPauseAfterResultTag);
  const Outcome outcome = RunStep(shown);
  if (outcome != Outcome::Asked) FinishTick(outcome);
}

BetCycle::Outcome BetCycle::RunStep(TPage shown) {
  for (const StepRow& row : Table())
    if (row.step == robot.BetOnStatus) return RunRow(row, shown);
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::RunRow(const StepRow& row, TPage shown) {
  if (row.entry & kWatchdogOff) tmBetWDT.SetEnabled(false);
  if (row.entry & kWatchdogOn && !tmBetWDT.Enabled()) tmBetWDT.SetEnabled(true);
  if (row.entry & kReportNotReady) ReportNotReady();
  SetInterval(row.pace);
  if (row.entry & kWithdrawOffForm && !IsTradingPage(shown)) WithdrawReady();
  switch (row.look) {
    case Look::None:
    case Look::Shown:
      return React(row, shown);
    case Look::Updated:
      return page.SiteDataUpdated ? React(row, shown) : Outcome::Unchanged;
    case Look::Fresh:
      if (browser.Busy()) return Outcome::Done;
      // A page parsed at the start of this very tick is still the page shown.
      if (robot.ParsedThisTick) return React(row, page.PageIndex);
      return AskParse([this, &row] {
        const Outcome outcome = React(row, page.PageIndex);
        if (outcome != Outcome::Asked) FinishTick(outcome);
      });
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::React(const StepRow& row, TPage shown) {
  for (const PageRow& on : row.pages)
    if (on.pages.Has(shown)) return on.react != nullptr ? (this->*on.react)() : Go(*on.move);
  return SharedReaction(shown);
}

// The pages every step that looks at the page treats alike.
BetCycle::Outcome BetCycle::SharedReaction(TPage shown) {
  if (shown == pgAccountBlocked) {
    FaultAndStop(texts.Text(txSiteError));
    return Outcome::Done;
  }
  if (shown == pgLogin) return SessionEnded();
  // A page the step does not expect may be the site in Russian.
  LangCheck();
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Go(const Move& move) {
  if (move.open != Address::None)
    Navigate(AddressOf(move.open), move.interval, !move.keep_page);
  else if (move.interval != 0)
    SetInterval(move.interval);
  robot.BetOnStatus = move.next;
  return Outcome::Done;
}

const std::string& BetCycle::AddressOf(Address address) const {
  switch (address) {
    case Address::Main:
      return site.MainUrl;
    case Address::Trading:
      return site.ReturnUrl;
    case Address::Portfolio:
    case Address::None:
      break;
  }
  return site.PortFolioUrl;
}

void BetCycle::FinishTick(Outcome outcome) {
  if (robot.WatchdogDue) {
    robot.WatchdogDue = false;
    if (ledger.Open() == TOpenBet::Requested) return GiveUpBet();
  }
  if (outcome == Outcome::Done) host.BetOnRobot();
  EnableTimerIfRunning();
}

}  // namespace vantrope

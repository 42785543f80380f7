// Following a purchase to its result.
#include "engine/bet_cycle.h"
#include "engine/bet_cycle_names.h"
#include "event/event_changes.h"
#include "text/number_format.h"
#include "text/utf8.h"

namespace vantrope {

using namespace bet_cycle;

namespace {

// Ticks of waiting for a result past which the portfolio is looked at more
// often.
constexpr double kResultWaitLimit = 60;

}  // namespace

BetCycle::Outcome BetCycle::ParseAgain() {
  page_encoder.HtmlParser();
  SetInterval(kQuickLook);
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::PurchaseConfirmed() {
  robot.BetOnStatus = bsPortfolio;
  page.SiteDataUpdated = false;
  tmBetWDT.SetEnabled(false);
  ledger.Confirmed(clock.Now());
  if (EVENT.BetStatus == ssBetAccepted)
    SetInterval(kAcceptedLook);
  else
    SetInterval(Trim(robot.BetPeriodUnit) == "s" ? robot.BetPeriod * 1000 : kMinute);
  browser_supervisor.NavigateUrl(site.PortFolioUrl);
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::PurchaseRefusedOrLost() {
  // A page of the history may have bought: the portfolio tells.
  if (robot.BuyAnswerLost) return Go(kFollowBet);
  // The site refused the purchase: its quote had gone stale. The bet is a
  // request again, given up by the watchdog if no price comes.
  ledger.PurchaseRefused();
  tmBetWDT.SetEnabled(true);
  robot.BetOnStatus = bsBuy;
  SetInterval(kSoon);
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::SeenOnPortfolio() {
  robot.BetOnStatus = bsPortfolio;
  ledger.Confirmed(clock.Now());
  SetInterval(kAtOnce);
  return Outcome::Done;
}

// The portfolio is where a purchase whose answer was lost, or one bought
// before a new login, is seen first.
BetCycle::Outcome BetCycle::BetOpen() {
  ledger.Confirmed(clock.Now());
  if (EVENT.BetStatus < ssBetAccepted) {
    ReportSite(EVENT, ssBetAccepted);
    robot.BetDirection = drNone;
  }
  robot.ResultWaitCounter = 0;
  robot.BetOnStatus = bsAwaitResult;
  return Outcome::Done;
}

// A balance that moved since the press tells of a contract that was bought
// and settled before the portfolio showed it open.
BetCycle::Outcome BetCycle::ResultOrNoBet() {
  if (EVENT.BetStatus > ssBetMade || page.CurrentBalance != robot.BalanceAtBet) {
    ReadResult();
  } else {
    DropSignal(texts.Text(txNoBet));
    log.AddStringToDebugLog(texts.Text(txNoBet));
  }
  return Outcome::Done;
}

// Past the wait limit the portfolio is looked at more often, but it is
// always loaded again: its page does not change by itself.
BetCycle::Outcome BetCycle::LookAgainAtOpenBet() {
  Navigate(site.PortFolioUrl, robot.ResultWaitCounter > kResultWaitLimit ? kQuickLook : kPageLoad, true);
  robot.BetOnStatus = bsPortfolio;
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::GoIdle() {
  browser_supervisor.NavigateUrl(site.LogOutUrl);
  ReportSite(EVENT, ssNotReady);
  robot.RobotStatus = rsStopped;
  robot.RobotSubStatus = 0;
  return Outcome::Done;
}

THistoryRecord BetCycle::PurchaseRecord() const {
  THistoryRecord record;
  record.Time = clock.Now();
  record.Account = Utf8Left(credentials.login, 16);
  record.BalanceAtBet = robot.BalanceAtBet;
  record.Currency = Utf8Left(page.CurrencyName, 3);
  record.Pair = Utf8Left(robot.ChainValute, 9);
  record.Period = Utf8Left(std::to_string(robot.ChainPeriod) + Trim(robot.BetPeriodUnit), 6);
  record.Stake = robot.ChainStake;
  record.Direction = robot.ChainDirection;
  host.RecordStrategy(record);
  return record;
}

// The ledger records the result; the log line only shows it.
void BetCycle::ReadResult() {
  robot.BalanceAtResult = page.CurrentBalance;
  ReportResult(EVENT, robot.BalanceAtResult - robot.BalanceAtBet);
  ledger.Settled(EVENT.Result > 0 ? 1 : 2, robot.BalanceAtResult);
  const std::string amount =
      page.CurrencyName + ": " + FormatFixed(std::abs(EVENT.Result), 2, clock.DecimalSeparator());
  if (EVENT.Result > 0) {
    log.AddStringToLog(ltWin, texts.Text(ByDirection(robot.ChainDirection, txWonUp, txWonDown, txWon)) + " " + amount,
                       true);
    ReportSite(EVENT, ssBetWon);
  } else {
    log.AddStringToLog(
        ltLost, texts.Text(ByDirection(robot.ChainDirection, txLostUp, txLostDown, txLost)) + " " + amount, true);
    ReportSite(EVENT, ssBetLost);
  }
  // The trading address opens the site's first market: it is chosen again.
  Navigate(site.ReturnUrl, kFormLoad, true);
  robot.BetOnStatus = bsSelectMarket;
}

}  // namespace vantrope

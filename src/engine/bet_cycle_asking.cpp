// Asking the page, and the pace of the cycle's timer.
#include "engine/bet_cycle.h"
#include "engine/bet_cycle_names.h"
#include "site/page_search.h"
#include "text/utf8.h"

namespace vantrope {

using namespace bet_cycle;

namespace {

// A wait past the bet watchdog's time is told in the event log.
constexpr double kStallSeconds = 300;

}  // namespace

void BetCycle::EnableTimerIfRunning() {
  if (robot.Running) tmBetOnState.SetEnabled(true);
}

void BetCycle::SetInterval(int interval) { tmBetOnState.SetInterval(interval); }

void BetCycle::Navigate(const std::string& url, int interval, bool fresh_page) {
  browser_supervisor.NavigateUrl(url);
  if (fresh_page) page.SiteDataUpdated = false;
  SetInterval(interval);
}

// The steps are the same, only sooner: never on a page still loading (its
// end wakes the cycle again), never in the middle of a tick waiting for the
// page's answer.
void BetCycle::Wake() {
  if (!robot.QuickReaction || !robot.Running || robot.AwaitedTicket != 0 || browser.Busy()) return;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(kAtOnce);
  tmBetOnState.SetEnabled(true);
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
    FinishTick(Outcome::Unchanged);
    return false;
  };
}

BetCycle::Outcome BetCycle::AskParse(std::function<void()> then) {
  std::function<bool()> current = BeginAwait();
  page_encoder.HtmlParser([this, current, then = std::move(then)](bool parsed) {
    if (!current()) return;
    // A page that did not answer is no page to act on.
    if (!parsed) {
      FinishTick(Outcome::Unchanged);
      return;
    }
    robot.ParsedThisTick = true;
    then();
  });
  return Outcome::Asked;
}

BetCycle::Outcome BetCycle::AskActions(PageActionBatch batch, std::function<Outcome(const PageActionReport&)> then) {
  // Nothing to do on the page: the step goes on at once.
  if (batch.Empty()) return then(PageActionReport({}));
  std::function<bool()> current = BeginAwait();
  page_actions.Run(std::move(batch), [this, current, then = std::move(then)](const PageActionReport& report) {
    if (current()) FinishTick(then(report));
  });
  return Outcome::Asked;
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
  if (robot.StallReported || robot.ForeignContractReported || (now - robot.StallSince) / 1000.0 <= limit) return;
  robot.StallReported = true;
  if (awaiting_result)
    log.AddStringToLog(ltInfo, texts.Text(txResultOverdue), true);
  else
    log.AddStringToLog(ltInfo,
                       texts.Text(txFormOutOfReach) + " " + std::to_string(robot.BetOnStatus) + ", " +
                           (page.PageName.empty() ? browser.LocationUrl() : page.PageName),
                       true);
}

bool BetCycle::SlotExists(Slot slot) const { return page.SlotAt(slot).FieldIndex >= 0; }

std::string BetCycle::SlotValue(Slot slot) const {
  return SlotExists(slot) ? GetWebValue(page.WebFields, FieldOf(slot)) : std::string();
}

size_t BetCycle::FieldOf(Slot slot) const { return static_cast<size_t>(page.SlotAt(slot).FieldIndex); }

int BetCycle::AddPress(PageActionBatch& batch, Slot slot, bool only_after_success) const {
  return SlotExists(slot) ? batch.WebExecute(FieldOf(slot), only_after_success) : -1;
}

}  // namespace vantrope

// The trading form: the market, the form's values, the prices and the buy.
#include <functional>

#include "engine/advance_threshold.h"
#include "engine/bet_cycle.h"
#include "engine/bet_cycle_names.h"
#include "event/event_changes.h"
#include "text/utf8.h"

namespace vantrope {

using namespace bet_cycle;

namespace {

// Template controls of the trading page: the buy controls, searched for on
// the prices shown.
constexpr uint16_t kBuyUpControl = 13;
constexpr uint16_t kBuyDownControl = 14;

}  // namespace

BetCycle::Outcome BetCycle::ChooseForexMarket() {
  // The tick has parsed this page just now; a page the browser was still
  // loading left nothing to press.
  PageActionBatch batch = page_actions.NewBatch();
  const int press = OnForexMarket() || !robot.ParsedThisTick ? -1 : AddPress(batch, Slot::kForexTab);
  return AskActions(std::move(batch), std::bind_front(&BetCycle::MarketChosen, this, press));
}

BetCycle::Outcome BetCycle::MarketChosen(int press, const PageActionReport& report) {
  if (report.Took(press)) {
    page.SiteDataUpdated = false;
    SetInterval(kPageLoad);
  } else {
    // A bet asked for before the cycle had to find its way back is carried
    // out now.
    robot.BetOnStatus = ledger.Open() == TOpenBet::Requested ? bsBetRequested : bsFillForm;
    SetInterval(kAtOnce);
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::ReloadForm() {
  LangCheck();
  browser_supervisor.ReloadPage();
  SetInterval(kFormPace);
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
  const std::pair<Slot, std::string> fields[] = {{Slot::kMarketGroup, "all"},
                                                 {Slot::kPair, Trim(valute)},
                                                 {Slot::kStart, "now"},
                                                 {Slot::kDurationUnit, Trim(unit)},
                                                 {Slot::kDuration, std::to_string(period)},
                                                 {Slot::kStake, std::to_string(robot.BetStake)}};
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

bool BetCycle::FormFill::Failed(Slot slot, const PageActionReport& report) const {
  for (const Control& control : controls)
    if (control.slot == slot && (control.write == kMissing || !report.Took(control.write))) return true;
  return false;
}

bool BetCycle::FormFill::AnyMissing() const {
  for (const Control& control : controls)
    if (control.write == kMissing) return true;
  return false;
}

// Checked, a missing control fails the attempt, as does a write that fails;
// a later failure replaces an earlier one.
std::optional<Slot> BetCycle::FormFill::FailedSlot(const PageActionReport& report) const {
  std::optional<Slot> failed;
  for (const Control& control : controls)
    if (control.write == kMissing || !report.Took(control.write)) failed = control.slot;
  return failed;
}

bool BetCycle::OnForexMarket() const { return browser.LocationUrl().find("market=forex") != std::string::npos; }

// A way back from an error page may land on the trading page of the site's
// first market, whose pair selector has no forex pair.
bool BetCycle::LeaveOtherMarket(const FormFill& fill, const PageActionReport& report) {
  if (OnForexMarket() || !fill.Failed(Slot::kPair, report)) return false;
  WithdrawReady();
  robot.BetOnStatus = bsSelectMarket;
  SetInterval(kAtOnce);
  return true;
}

// A page taken for the trading form by its address alone has no controls: it
// is no form to bet on (an error page of the site or of the browser, whose
// load failed) and never shows prices, however long it is waited on.
bool BetCycle::LeaveFormlessTradingPage() {
  if (SlotExists(Slot::kGetPrices)) return false;
  WithdrawReady();
  Navigate(site.ReturnUrl, kFormPace, true);
  robot.BetOnStatus = bsSelectMarket;
  return true;
}

// --- the ready form ---

BetCycle::Outcome BetCycle::FillReadyForm() {
  if (LeaveFormlessTradingPage()) return Outcome::Done;
  ReportSite(EVENT, ssReady);
  PageActionBatch batch = page_actions.NewBatch();
  FormFill fill = FillForm(batch, false);
  if (robot.BetOnStatus == bsFillForm) AddPress(batch, Slot::kGetPrices);
  return AskActions(std::move(batch), std::bind_front(&BetCycle::ReadyFormFilled, this, std::move(fill)));
}

BetCycle::Outcome BetCycle::ReadyFormFilled(const FormFill& fill, const PageActionReport& report) {
  if (LeaveOtherMarket(fill, report)) return Outcome::Done;
  if (robot.BetOnStatus == bsFillForm) robot.BetOnStatus = bsFormReady;
  page.SiteDataUpdated = false;
  return Outcome::Done;
}

// --- the bet asked for ---

BetCycle::Outcome BetCycle::FillBetForm() {
  if (LeaveFormlessTradingPage()) return Outcome::Done;
  PageActionBatch batch = page_actions.NewBatch();
  FormFill fill = FillForm(batch, true);
  // The prices are asked for only when every control took its value.
  const int press = fill.AnyMissing() ? -1 : AddPress(batch, Slot::kGetPrices, true);
  std::array<uint16_t, 20> controls{};
  for (size_t slot = 0; slot < controls.size(); ++slot) controls[slot] = page.ControlSlots[slot].ControlNo;
  return AskActions(std::move(batch),
                    std::bind_front(&BetCycle::BetFormFilled, this, std::move(fill), press, controls));
}

BetCycle::Outcome BetCycle::BetFormFilled(const FormFill& fill, int press, std::array<uint16_t, 20> controls,
                                          const PageActionReport& report) {
  if (LeaveOtherMarket(fill, report)) return Outcome::Done;
  const std::optional<Slot> failed_slot = fill.FailedSlot(report);
  if (failed_slot || press < 0) {
    SetInterval(kQuickLook);
    const Slot reported = failed_slot.value_or(Slot::kGetPrices);
    log.AddStringToDebugLog(texts.Text(txNoAccessToControl) + " " +
                            std::to_string(controls[static_cast<size_t>(reported)]));
    return Outcome::Done;
  }
  if (!report.Took(press)) return Outcome::Done;
  return PricesRequested();
}

BetCycle::Outcome BetCycle::PricesRequested() {
  robot.BetOnStatus = bsBuy;
  SetInterval(kFormPace);
  page.SiteDataUpdated = false;

  const std::string stake = std::to_string(robot.BetStake);
  const std::string direction = robot.BetDirection == drUp     ? " " + texts.Text(txUp)
                                : robot.BetDirection == drDown ? " " + texts.Text(txDown)
                                                               : std::string(" ...");
  log.AddStringToLog(ltBetPending, texts.Text(txPriceRequest) + " " + stake + " " + page.CurrencyName + direction,
                     false);
  const int direction_text = ByDirection(robot.BetDirection, txBetUpOn, txBetDownOn, txBetOn);
  log.AddStringToDebugLog(stake + " " + page.CurrencyName + " " + texts.Text(direction_text) + " " +
                          Trim(robot.BetValute) + " " + texts.Text(txForPeriod) + " " +
                          std::to_string(robot.BetPeriod) + Trim(robot.BetPeriodUnit));
  // Prices asked for again after the site refused a stale one: the strategy
  // was told of the bet already and waits for its outcome.
  if (EVENT.BetStatus < ssBetMade) ReportSite(EVENT, ssWaitingForPrices);
  return Outcome::Done;
}

// --- the prices and the buy ---

BetCycle::Outcome BetCycle::AskPricesAgain() {
  PageActionBatch batch = page_actions.NewBatch();
  const int press = AddPress(batch, Slot::kAskPricesAgain);
  return AskActions(std::move(batch), std::bind_front(&BetCycle::PricesAskedAgain, this, press));
}

BetCycle::Outcome BetCycle::PricesAskedAgain(int press, const PageActionReport& report) {
  if (report.Took(press)) SetInterval(kRetry);
  return Outcome::Done;
}

// A price block at field 0 is taken for none: 0 is also what an optional
// control's template gives when it finds nothing.
bool BetCycle::PricesShown() const {
  return page.SlotAt(Slot::kUpPriceBlock).FieldIndex > 0 && page.SlotAt(Slot::kDownPriceBlock).FieldIndex > 0;
}

BetCycle::Outcome BetCycle::CheckPricesAndBuy() {
  if (LeaveFormlessTradingPage()) return Outcome::Done;
  if (!PricesShown()) {
    log.AddStringToDebugLog(texts.Text(txPricesNotShown));
    return Outcome::Done;
  }
  // The prices are those of the form the page shows. A form that is not the
  // bet's (prices asked for again on a page that showed another, perhaps of
  // another market) is never bought: the bet starts again from the market.
  PageActionBatch probe = page_actions.NewBatch();
  if (!FillForm(probe, true).controls.empty()) {
    Navigate(site.ReturnUrl, kFormLoad, true);
    robot.BetOnStatus = bsSelectMarket;
    return Outcome::Done;
  }
  // A bet that answers a signal is bought only while its arrow is fresh,
  // however long the site kept the cycle from the buy.
  if (robot.SignalLifetime > 0 && robot.BetSignalTime != 0 &&
      clock.MonotonicMs() - robot.BetSignalTime > int64_t{robot.SignalLifetime} * 1000)
    return BuyVerdict(Verdict::SignalTooOld, 0);
  const bool up = robot.BetDirection == drUp && page_encoder.SearchControl(kBuyUpControl) >= 0;
  const bool down = robot.BetDirection == drDown && page_encoder.SearchControl(kBuyDownControl) >= 0;
  if (!up && !down) return BuyVerdict(Verdict::None, 0);
  const int32_t percent =
      page_actions.GetBrokerPercent(static_cast<uint32_t>(robot.BetStake), up ? Slot::kUpPrice : Slot::kDownPrice);
  // A price that does not read as a number is no price: nothing is bought
  // at an unknown price.
  if (percent <= 0) {
    SetInterval(kPageLoad);
    return BuyVerdict(Verdict::PriceUnreadable, percent);
  }
  host.ShowStatusMessage(texts.Text(txAdvance) + " " + std::to_string(percent) + "%");
  if (GreedThreshold(robot.GreedPorog) < percent) {
    SetInterval(kPageLoad);
    return BuyVerdict(Verdict::Refused, percent);
  }
  PageActionBatch batch = page_actions.NewBatch();
  const int press = AddPress(batch, up ? Slot::kBuyUp : Slot::kBuyDown);
  if (press < 0) {
    SetInterval(kPageLoad);
    return BuyVerdict(Verdict::None, percent);
  }
  // From the press on a contract may exist: it is followed to its result and
  // never given up by the bet watchdog. The ledger holds it before the press
  // reaches the page.
  robot.BuyAnswerLost = false;
  robot.BalanceAtBet = page.CurrentBalance;
  ledger.Bought(PurchaseRecord());
  tmBetWDT.SetEnabled(false);
  return AskActions(std::move(batch), std::bind_front(&BetCycle::BuyPressed, this, up, percent, press));
}

BetCycle::Outcome BetCycle::BuyPressed(bool up, int32_t percent, int press, const PageActionReport& report) {
  // A press the page did not answer may still buy: the pages that follow
  // tell, and the press is never made again on another element.
  if (report.Unanswered(press)) log.AddStringToDebugLog(texts.Text(txBuyUnanswered));
  if (!report.Took(press) && !report.Unanswered(press)) {
    SetInterval(kPageLoad);
    return BuyVerdict(Verdict::None, percent);
  }
  robot.BetPricePercent = static_cast<uint8_t>(percent);
  page.SiteDataUpdated = false;
  return BuyVerdict(up ? Verdict::BoughtUp : Verdict::BoughtDown, percent);
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
      ReportSite(EVENT, ssBetMade);
      robot.BetOnStatus = bsAwaitConfirmation;
      SetInterval(kPageLoad);
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

}  // namespace vantrope

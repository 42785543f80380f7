#include "engine/bet_cycle.h"

#include <array>

#include "engine/advance_threshold.h"
#include "site/page_search.h"
#include "text/number_format.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr int kRetryInterval = 2000;
constexpr double kResultWaitCeiling = 9999999999.0;
constexpr double kResultWaitLimit = 60;

bool IsTradingPage(uint8_t number) { return number >= 4 && number <= 7; }

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
  return SlotExists(slot) ? GetWebValue(page.WebFields, static_cast<uint16_t>(page.ControlSlots[slot].FieldIndex))
                          : std::string();
}

bool BetCycle::WriteSlot(size_t slot, const std::string& value) {
  return SlotExists(slot) &&
         page_actions.WebSetValue(static_cast<uint16_t>(page.ControlSlots[slot].FieldIndex), value) > 0;
}

bool BetCycle::PressSlot(size_t slot) {
  return SlotExists(slot) && page_actions.WebExecute(static_cast<uint16_t>(page.ControlSlots[slot].FieldIndex));
}

std::string BetCycle::StepFaultName() const { return "tmBetOnStateTimer, " + std::to_string(robot.BetOnStatus); }

void BetCycle::FaultAndStop(const std::string& text) {
  BetOnStateFault("", text, 0);
  run_control.Stop();
}

// The signal is dropped: the site state tells the strategy that no bet was made.
void BetCycle::DropSignal(const std::string& text) {
  tmBetWDT.SetEnabled(false);
  log.AddStringToLog(ltPendingClosed, text, false);
  robot.BetOnStatus = 7;
  SetInterval(1000);
  EVENT.NewSignal = false;
  EVENT.Direction = 0;
  EVENT.BetStatus = 3;
}

// --- what others ask of the cycle ---

void BetCycle::RequestBet() {
  robot.BetOnStatus = 8;
  tmBetOnState.SetEnabled(false);
  tmBetOnState.SetInterval(20);
  tmBetOnState.SetEnabled(true);
}

void BetCycle::ChartChanged() {
  if (robot.BetOnStatus == 7) robot.BetOnStatus = 6;
}

void BetCycle::BetOnStateFault(const std::string& name, const std::string& text, int /*flag*/) {
  // Between two ticks (the encoder after a delayed parse) the cycle's timer
  // is armed; inside a tick it is off and the tick itself re-arms it.
  const bool between_ticks = tmBetOnState.Enabled();
  log.AddStringToLog(ltError, texts.Text(141) + name + "): " + text, true);
  browser.Stop();
  tmBetOnState.SetEnabled(false);
  page.PageIndex = 0;
  page.PageName = site.PageNameOf(0);
  // Left off, no tick would ever come again and the running robot would hang.
  // A login page without its controls is tried again from the start, as the
  // cycle does when it finds them missing itself.
  if (between_ticks && robot.Running) {
    if (robot.BetOnStatus == 1) robot.BetOnStatus = 0;
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

// --- the tick ---

void BetCycle::Tick() {
  tmBetOnState.SetEnabled(false);
  SetInterval(kTickInterval);

  if (page.SimulatorEnabled) {
    if (robot.BetOnStatus == 8) {
      const int prefix = robot.BetDirection == 1 ? 143 : robot.BetDirection == 2 ? 144 : 142;
      log.AddStringToDebugLog(texts.Text(prefix) + " " + std::to_string(robot.BetStake) + " " + robot.BetValute);
      robot.BetOnStatus = 9;
    }
    EnableTimerIfRunning();
    return;
  }

  shell.ProcessMessages();
  if (IsTradingPage(page.PageIndex) && !browser.Busy()) page_encoder.HtmlParser();
  const uint8_t shown = page.PageIndex;
  // The wait counter counts ticks, two per tick, whatever their real pace.
  if (robot.ResultWaitCounter < kResultWaitCeiling) robot.ResultWaitCounter += tmBetOnState.Interval() / 1000;
  shell.ProcessMessages();
  if (shown == 13 || shown == 14 || shown == 15) {
    browser.GoBack();
    page.PageIndex = 0;
  }
  if (shown == 12 && robot.RobotPauseMode == 0 && robot_controls.btPause1.Enabled()) run_control.RequestPause(2);
  shell.ProcessMessages();

  if (RunStep(shown) == Outcome::Wait) {
    EnableTimerIfRunning();
    return;
  }
  host.BetOnRobot();
  EnableTimerIfRunning();
}

BetCycle::Outcome BetCycle::RunStep(uint8_t shown) {
  switch (robot.BetOnStatus) {
    case 0: return Step0();
    case 1: return Step1(shown);
    case 2: return Step2(shown);
    case 3: return Step3(shown);
    case 4: return Step4();
    case 5: return Step5(shown);
    case 6:
    case 7: return Step6Or7(shown);
    case 8: return Step8();
    case 9: return Step9();
    case 10: return Step10(shown);
    case 11: return Step11(shown);
    case 12: return Step12(shown);
    case 65535: return StepIdle();
    default: return Outcome::Done;
  }
}

// --- login and account ---

BetCycle::Outcome BetCycle::Step0() {
  EVENT.BetStatus = 0;
  Navigate(site.MainUrl, 5000, false);
  robot.BetOnStatus = 1;
  return Outcome::Done;
}

void BetCycle::LogIn() {
  int successes = 0;
  auto report = [&](size_t slot) {
    BetOnStateFault(StepFaultName(), texts.Text(147) + std::to_string(page.ControlSlots[slot].ControlNo), 0);
  };
  const std::string values[] = {Trim(account.cbeLogin.Text()), Trim(account.tePassword.Text())};
  for (size_t slot = 0; slot < 2; ++slot) {
    if (!SlotExists(slot))
      report(slot);
    else if (WriteSlot(slot, values[slot]))
      ++successes;
  }
  if (!PressSlot(2))
    report(2);
  else
    ++successes;
  if (successes == 3) {
    robot.BetOnStatus = 2;
    page.SiteDataUpdated = false;
    SetInterval(8000);
  } else {
    robot.BetOnStatus = 0;
    SetInterval(2000);
  }
}

BetCycle::Outcome BetCycle::Step1(uint8_t shown) {
  EVENT.BetStatus = 0;
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case 0:
      // 0 is also the not-found result of a control marked optional.
      if (page_encoder.SearchControl(21) == 0) LangCheck();
      break;
    case 1: LogIn(); break;
    case 2:
      BetOnStateFault("", texts.Text(148), 0);
      run_control.Stop();
      break;
    case 3: {
      if (page_encoder.SearchControl(21) < 0) break;
      const int32_t account_field = page_encoder.SearchControl(22);
      const std::string shown =
          account_field < 0 ? std::string() : GetWebValue(page.WebFields, static_cast<uint16_t>(account_field));
      if (shown.find(Trim(account.cbeLogin.Text())) == std::string::npos) {
        log.AddStringToLog(ltError, texts.Text(146), false);
        Navigate(site.LogOutUrl, 5000, true);
        robot.BetOnStatus = 0;
      } else {
        log.AddStringToLog(ltInfo, texts.Text(145), false);
        Navigate(site.ReturnUrl, 6000, true);
        robot.BetOnStatus = 2;
      }
      break;
    }
    case 4:
    case 5:
    case 6:
    case 7: robot.BetOnStatus = 2; break;
    case 8:
    case 9:
    case 16: robot.BetOnStatus = 0; break;
    case 10:
    case 11: robot.BetOnStatus = 3; break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step2(uint8_t shown) {
  EVENT.BetStatus = 0;
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case 0: LangCheck(); break;
    case 1: robot.BetOnStatus = 0; break;
    case 2:
      BetOnStateFault("", texts.Text(148), 0);
      run_control.Stop();
      break;
    case 3: case 4: case 5: case 6: case 7:
      Navigate(site.PortFolioUrl, 6000, true);
      robot.BetOnStatus = 3;
      break;
    case 8:
    case 9:
    case 16: robot.BetOnStatus = 0; break;
    case 10:
    case 11: robot.BetOnStatus = 3; break;
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
  page.CurrentBalance = robot.StartBalance = CostTranslate(SlotValue(1));

  account.neStartBalanse.SetValue(robot.StartBalance);
  account.neCurrentBalanse.SetValue(robot.StartBalance);
  account.neWinBalanse.SetValue(0);
  account.neWinBalanse.SetFontColor(12632256);
  host.ShowCurrencyName(page.CurrencyName);
}

BetCycle::Outcome BetCycle::Step3(uint8_t shown) {
  EVENT.BetStatus = 0;
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case 0: LangCheck(); break;
    case 1: robot.BetOnStatus = 1; break;
    case 2: robot.BetOnStatus = 0; break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7: robot.BetOnStatus = 2; break;
    case 8:
    case 9:
    case 16: robot.BetOnStatus = 0; break;
    case 10: case 11:
      if (!SlotExists(1)) {
        robot.BetOnStatus = 0;
        break;
      }
      ReadStartBalance();
      robot.BetOnStatus = 4;
      SetInterval(20);
      break;
    default: break;
  }
  return Outcome::Done;
}

// --- the trading form ---

BetCycle::Outcome BetCycle::Step4() {
  EVENT.BetStatus = 0;
  Navigate(site.ReturnUrl, 6000, true);
  robot.BetOnStatus = 5;
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step5(uint8_t shown) {
  EVENT.BetStatus = 0;
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case 0: LangCheck(); break;
    case 1:
    case 2:
    case 8:
    case 9: robot.BetOnStatus = 0; break;
    case 3:
      page_encoder.HtmlParser();
      SetInterval(4000);
      break;
    case 10:
    case 11: robot.BetOnStatus = 3; break;
    case 4: case 5: case 6: case 7:
      page_encoder.HtmlParser();
      if (browser.LocationUrl().find("market=forex") != std::string::npos) {
        robot.BetOnStatus = 6;
        SetInterval(20);
      } else if (PressSlot(11)) {
        page.SiteDataUpdated = false;
        SetInterval(5000);
      } else {
        robot.BetOnStatus = 6;
        SetInterval(20);
      }
      break;
    default: break;
  }
  return Outcome::Done;
}

// Sets the six form controls in their order. Unchecked, a missing control is
// passed over; checked, it fails the attempt, as does a write that fails.
void BetCycle::FillForm(bool check, int& failed_slot) {
  const TEvent& e = EVENT;
  const std::pair<size_t, std::string> fields[] = {{2, "all"},
                                                   {4, Trim(e.Valute)},
                                                   {5, "now"},
                                                   {7, Trim(e.PeriodUnit)},
                                                   {6, std::to_string(e.Period)},
                                                   {8, std::to_string(robot.BetStake)}};
  for (const auto& [slot, value] : fields) {
    if (!SlotExists(slot)) {
      if (check) failed_slot = static_cast<int>(slot);
      continue;
    }
    if (SlotValue(slot) == value) continue;
    if (!WriteSlot(slot, value) && check) failed_slot = static_cast<int>(slot);
  }
}

BetCycle::Outcome BetCycle::Step6Or7(uint8_t shown) {
  tmBetWDT.SetEnabled(false);
  SetInterval(10000);
  switch (shown) {
    case 0: case 1: case 2:
      LangCheck();
      browser_supervisor.NavigateUrl(browser_supervisor.AddressShown());
      SetInterval(10000);
      break;
    case 3:
      page_encoder.HtmlParser();
      SetInterval(500);
      break;
    case 4: case 5: case 6: case 7: {
      EVENT.BetStatus = 1;
      int unused = -1;
      FillForm(false, unused);
      if (robot.BetOnStatus == 6) {
        PressSlot(9);
        robot.BetOnStatus = 7;
      }
      page.SiteDataUpdated = false;
      break;
    }
    case 8: case 9: case 10:
      Navigate(site.ReturnUrl, 4000, true);
      robot.BetOnStatus = 5;
      break;
    case 11:
      Navigate(site.MainUrl, 60000, false);
      robot.BetOnStatus = 0;
      break;
    case 16: FaultAndStop(texts.Text(149)); break;
    default: break;
  }
  return Outcome::Done;
}

// --- the bet ---

bool BetCycle::OnTradingPageAfterReparse(uint8_t& shown) {
  page_encoder.HtmlParser();
  shown = page.PageIndex;
  if (IsTradingPage(shown)) return true;
  page_encoder.HtmlParser();
  shown = page.PageIndex;
  LangCheck();
  return false;
}

BetCycle::Outcome BetCycle::Step8() {
  if (!tmBetWDT.Enabled()) tmBetWDT.SetEnabled(true);
  if (browser.Busy()) return Outcome::Done;
  uint8_t shown = 0;
  if (!OnTradingPageAfterReparse(shown)) {
    if (shown == 16) FaultAndStop(texts.Text(149));
    return Outcome::Done;
  }
  int failed_slot = -1;
  FillForm(true, failed_slot);
  if (failed_slot >= 0 || !SlotExists(9)) {
    SetInterval(1000);
    const size_t reported = failed_slot >= 0 ? static_cast<size_t>(failed_slot) : 9;
    log.AddStringToDebugLog(texts.Text(147) + " " + std::to_string(page.ControlSlots[reported].ControlNo));
    return Outcome::Done;
  }
  if (!PressSlot(9)) return Outcome::Done;
  robot.BetOnStatus = 9;
  SetInterval(10000);
  page.SiteDataUpdated = false;

  const std::string stake = std::to_string(robot.BetStake);
  const std::string direction = robot.BetDirection == 1   ? " " + texts.Text(151)
                                : robot.BetDirection == 2 ? " " + texts.Text(152)
                                                          : std::string(" ...");
  log.AddStringToLog(ltBetPending, texts.Text(150) + " " + stake + " " + page.CurrencyName + direction, false);
  const int direction_text = robot.BetDirection == 1 ? 153 : robot.BetDirection == 2 ? 154 : 155;
  log.AddStringToDebugLog(stake + " " + page.CurrencyName + " " + texts.Text(direction_text) + " " +
                          Trim(EVENT.Valute) + " " + texts.Text(156) + " " + std::to_string(EVENT.Period) +
                          Trim(EVENT.PeriodUnit));
  EVENT.BetStatus = 2;
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step9() {
  if (browser.Busy()) return Outcome::Done;
  uint8_t shown = 0;
  if (!OnTradingPageAfterReparse(shown)) {
    if (shown == 8 && PressSlot(0)) SetInterval(2000);
    if (shown == 16) FaultAndStop(texts.Text(149));
    return Outcome::Done;
  }
  // Prices count as shown only when both price blocks are there.
  if (!(page.ControlSlots[14].FieldIndex > 0 && page.ControlSlots[15].FieldIndex > 0)) {
    log.AddStringToDebugLog(texts.Text(269));
    return Outcome::Done;
  }
  const bool up_shown = page_encoder.SearchControl(13) >= 0;
  const bool down_shown = page_encoder.SearchControl(14) >= 0;
  enum class Verdict { None, Refused, BoughtUp, BoughtDown } verdict = Verdict::None;
  int32_t percent = 0;
  const int32_t threshold = GreedThreshold(robot.GreedPorog);
  auto buy = [&](size_t price_slot, size_t buy_slot, Verdict bought) {
    percent = page_actions.GetBrokerPercent(static_cast<uint32_t>(robot.BetStake), static_cast<uint16_t>(price_slot));
    host.ShowStatusMessage(texts.Text(160) + " " + std::to_string(percent) + "%");
    if (threshold < percent) {
      verdict = Verdict::Refused;
    } else if (PressSlot(buy_slot)) {
      robot.BetPricePercent = static_cast<uint8_t>(percent);
      robot.BalanceAtBet = page.CurrentBalance;
      page.SiteDataUpdated = false;
      verdict = bought;
      return;
    }
    SetInterval(5000);
  };
  if (robot.BetDirection == 1 && up_shown) buy(12, 18, Verdict::BoughtUp);
  if (robot.BetDirection == 2 && down_shown) buy(13, 19, Verdict::BoughtDown);

  switch (verdict) {
    case Verdict::BoughtUp:
    case Verdict::BoughtDown: {
      const std::string way = texts.Text(verdict == Verdict::BoughtUp ? 162 : 164);
      log.AddStringToLog(ltBetPending,
                         texts.Text(90) + " " + std::to_string(robot.BetStake) + " " + page.CurrencyName + " " + way +
                             " " + std::to_string(percent) + texts.Text(163),
                         false);
      EVENT.BetStatus = 4;
      robot.BetOnStatus = 10;
      SetInterval(5000);
      break;
    }
    case Verdict::Refused:
      DropSignal(texts.Text(166));
      log.AddStringToDebugLog(texts.Text(161));
      break;
    case Verdict::None:
      DropSignal(texts.Text(159));
      log.AddStringToDebugLog(texts.Text(159));
      break;
  }
  return Outcome::Done;
}

// --- following the bet ---

BetCycle::Outcome BetCycle::Step10(uint8_t shown) {
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case 0: LangCheck(); break;
    case 1:
    case 2:
    case 3:
      page_encoder.HtmlParser();
      SetInterval(1000);
      break;
    case 4: case 5: case 6: case 7: case 9:
      robot.BetOnStatus = 11;
      page.SiteDataUpdated = false;
      tmBetWDT.SetEnabled(false);
      robot.BetPlacedTime = clock.Now();
      if (EVENT.BetStatus == 5)
        SetInterval(3000);
      else
        SetInterval(Trim(robot.BetPeriodUnit) == "s" ? robot.BetPeriod * 1000 : 60000);
      browser_supervisor.NavigateUrl(site.PortFolioUrl);
      break;
    case 8:
      robot.BetOnStatus = 9;
      SetInterval(100);
      break;
    case 10:
    case 11:
      robot.BetOnStatus = 11;
      SetInterval(20);
      break;
    case 16: FaultAndStop(texts.Text(149)); break;
    default: break;
  }
  return Outcome::Done;
}

void BetCycle::ReadResult() {
  robot.BalanceAtResult = page.CurrentBalance;
  EVENT.Result = robot.BalanceAtResult - robot.BalanceAtBet;
  const std::string amount =
      page.CurrencyName + ": " + FormatFixed(std::abs(EVENT.Result), 2, clock.DecimalSeparator());
  const int by_direction = robot.ChainDirection == 1 ? 0 : robot.ChainDirection == 2 ? 1 : 2;
  if (EVENT.Result > 0) {
    log.AddStringToLog(ltWin, texts.Text(171 + by_direction) + " " + amount, true);
    EVENT.BetStatus = 6;
  } else {
    log.AddStringToLog(ltLost, texts.Text(266 + by_direction) + " " + amount, true);
    EVENT.BetStatus = 7;
  }
  Navigate(site.ReturnUrl, 4000, true);
  robot.BetOnStatus = 6;
}

BetCycle::Outcome BetCycle::Step11(uint8_t shown) {
  tmBetWDT.SetEnabled(false);
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case 0:
    case 8: LangCheck(); break;
    case 1:
    case 2:
    case 3:
      robot.BetOnStatus = 6;
      SetInterval(1000);
      break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 9: Navigate(site.PortFolioUrl, 5000, true); break;
    case 16: FaultAndStop(texts.Text(149)); break;
    case 11:
      if (EVENT.BetStatus < 5) {
        EVENT.BetStatus = 5;
        robot.BetDirection = 0;
      }
      robot.ResultWaitCounter = 0;
      robot.BetOnStatus = 12;
      break;
    case 10:
      if (EVENT.BetStatus > 4) {
        ReadResult();
      } else {
        DropSignal(texts.Text(159));
        log.AddStringToDebugLog(texts.Text(159));
      }
      break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step12(uint8_t shown) {
  tmBetWDT.SetEnabled(false);
  if (!page.SiteDataUpdated) return Outcome::Wait;
  switch (shown) {
    case 0:
    case 8: LangCheck(); break;
    case 1:
    case 2:
    case 3:
      robot.BetOnStatus = 6;
      SetInterval(1000);
      break;
    case 4: case 5: case 6: case 7: case 9:
      Navigate(site.PortFolioUrl, 5000, true);
      robot.BetOnStatus = 11;
      break;
    case 10:
      robot.BetOnStatus = 11;
      SetInterval(20);
      break;
    case 11:
      if (robot.ResultWaitCounter > kResultWaitLimit) {
        SetInterval(1000);
      } else {
        Navigate(site.PortFolioUrl, 5000, true);
        robot.BetOnStatus = 11;
      }
      break;
    case 16: FaultAndStop(texts.Text(149)); break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::StepIdle() {
  browser_supervisor.NavigateUrl(site.LogOutUrl);
  EVENT.BetStatus = 0;
  robot.RobotStatus = 0;
  robot.RobotSubStatus = 0;
  return Outcome::Done;
}

void BetCycle::WatchdogFired() {
  tmBetOnState.SetEnabled(false);
  tmBetWDT.SetEnabled(false);
  log.AddStringToLog(ltPendingClosed, texts.Text(174), false);
  EVENT.BetStatus = 3;
  robot.BetOnStatus = 6;
  EVENT.NewSignal = false;
  EVENT.Direction = 0;
  host.BetOnRobot();
  browser_supervisor.NavigateUrl(site.ReturnUrl);
  page.SiteDataUpdated = false;
  SetInterval(6000);
  tmBetOnState.SetEnabled(true);
}

}  // namespace vantrope

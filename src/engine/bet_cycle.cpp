#include "engine/bet_cycle.h"

#include <array>

#include "app/main_form.h"
#include "engine/advance_threshold.h"
#include "site/page_search.h"
#include "text/number_format.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr double kResultWaitCeiling = 9999999999.0;
constexpr double kResultWaitLimit = 60;

bool IsTradingPage(uint8_t page) { return page >= 4 && page <= 7; }

}  // namespace

// --- small helpers ---

bool BetCycle::RobotRunning() const { return !f_.strategies.pnDown.Enabled(); }

void BetCycle::EnableTimerIfRunning() {
  if (RobotRunning()) f_.tmBetOnState.SetEnabled(true);
}

void BetCycle::SetInterval(int interval) { f_.tmBetOnState.SetInterval(interval); }

void BetCycle::Navigate(const std::string& url, int interval, bool fresh_page) {
  f_.NavigateUrl(url);
  if (fresh_page) f_.page.SiteDataUpdated = false;
  SetInterval(interval);
}

bool BetCycle::SlotExists(size_t slot) const { return f_.page.ControlSlots[slot].FieldIndex >= 0; }

std::string BetCycle::SlotValue(size_t slot) const {
  return SlotExists(slot) ? GetWebValue(f_.page.WebFields, static_cast<uint16_t>(f_.page.ControlSlots[slot].FieldIndex))
                          : std::string();
}

bool BetCycle::WriteSlot(size_t slot, const std::string& value) {
  return SlotExists(slot) && f_.WebSetValue(static_cast<uint16_t>(f_.page.ControlSlots[slot].FieldIndex), value) > 0;
}

bool BetCycle::PressSlot(size_t slot) {
  return SlotExists(slot) && f_.WebExecute(static_cast<uint16_t>(f_.page.ControlSlots[slot].FieldIndex));
}

std::string BetCycle::StepFaultName() const { return "tmBetOnStateTimer, " + std::to_string(f_.robot.BetOnStatus); }

void BetCycle::FaultAndStop(const std::string& text) {
  f_.BetOnStateFault("", text, 0);
  f_.btStopClick();
}

// The signal is dropped: the site state tells the strategy that no bet was made.
void BetCycle::DropSignal(const std::string& text) {
  f_.tmBetWDT.SetEnabled(false);
  f_.AddStringToLog(ltPendingClosed, text, false);
  f_.robot.BetOnStatus = 7;
  SetInterval(1000);
  f_.EVENT.NewSignal = false;
  f_.EVENT.Direction = 0;
  f_.EVENT.BetStatus = 3;
}

// --- the tick ---

void BetCycle::Tick() {
  f_.tmBetOnState.SetEnabled(false);
  SetInterval(kTickInterval);

  if (f_.page.SimulatorEnabled) {
    if (f_.robot.BetOnStatus == 8) {
      const int prefix = f_.robot.BetDirection == 1 ? 143 : f_.robot.BetDirection == 2 ? 144 : 142;
      f_.AddStringToDebugLog(f_.Txt(prefix) + " " + std::to_string(f_.robot.BetStake) + " " + f_.robot.BetValute);
      f_.robot.BetOnStatus = 9;
    }
    EnableTimerIfRunning();
    return;
  }

  Shell& shell = f_.platform.shell;
  shell.ProcessMessages();
  if (IsTradingPage(f_.page.PageIndex) && !f_.platform.browser.Busy()) f_.HtmlParser();
  const uint8_t page = f_.page.PageIndex;
  // The wait counter counts ticks, two per tick, whatever their real pace.
  if (f_.robot.ResultWaitCounter < kResultWaitCeiling) f_.robot.ResultWaitCounter += f_.tmBetOnState.Interval() / 1000;
  shell.ProcessMessages();
  if (page == 13 || page == 14 || page == 15) {
    f_.platform.browser.GoBack();
    f_.page.PageIndex = 0;
  }
  if (page == 12 && f_.robot.RobotPauseMode == 0 && f_.robot_controls.btPause1.Enabled()) f_.RequestPause(2);
  shell.ProcessMessages();

  if (RunStep(page) == Outcome::Wait) {
    EnableTimerIfRunning();
    return;
  }
  f_.BetOnRobot();
  EnableTimerIfRunning();
}

BetCycle::Outcome BetCycle::RunStep(uint8_t page) {
  switch (f_.robot.BetOnStatus) {
    case 0: return Step0();
    case 1: return Step1(page);
    case 2: return Step2(page);
    case 3: return Step3(page);
    case 4: return Step4();
    case 5: return Step5(page);
    case 6:
    case 7: return Step6Or7(page);
    case 8: return Step8();
    case 9: return Step9();
    case 10: return Step10(page);
    case 11: return Step11(page);
    case 12: return Step12(page);
    case 65535: return StepIdle();
    default: return Outcome::Done;
  }
}

// --- login and account ---

BetCycle::Outcome BetCycle::Step0() {
  f_.EVENT.BetStatus = 0;
  Navigate(f_.site.MainUrl, 5000, false);
  f_.robot.BetOnStatus = 1;
  return Outcome::Done;
}

void BetCycle::LogIn() {
  int successes = 0;
  auto report = [&](size_t slot) {
    f_.BetOnStateFault(StepFaultName(), f_.Txt(147) + std::to_string(f_.page.ControlSlots[slot].ControlNo), 0);
  };
  const std::string values[] = {Trim(f_.account.cbeLogin.Text()), Trim(f_.account.tePassword.Text())};
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
    f_.robot.BetOnStatus = 2;
    f_.page.SiteDataUpdated = false;
    SetInterval(8000);
  } else {
    f_.robot.BetOnStatus = 0;
    SetInterval(2000);
  }
}

BetCycle::Outcome BetCycle::Step1(uint8_t page) {
  f_.EVENT.BetStatus = 0;
  if (!f_.page.SiteDataUpdated) return Outcome::Wait;
  switch (page) {
    case 0:
      // 0 is also the not-found result of a control marked optional.
      if (f_.SearchControl(21) == 0) f_.LangCheck();
      break;
    case 1: LogIn(); break;
    case 2: f_.BetOnStateFault("", f_.Txt(148), 0); f_.btStopClick(); break;
    case 3: {
      if (f_.SearchControl(21) < 0) break;
      const int32_t account_field = f_.SearchControl(22);
      const std::string shown =
          account_field < 0 ? std::string() : GetWebValue(f_.page.WebFields, static_cast<uint16_t>(account_field));
      if (shown.find(Trim(f_.account.cbeLogin.Text())) == std::string::npos) {
        f_.AddStringToLog(ltError, f_.Txt(146), false);
        Navigate(f_.site.LogOutUrl, 5000, true);
        f_.robot.BetOnStatus = 0;
      } else {
        f_.AddStringToLog(ltInfo, f_.Txt(145), false);
        Navigate(f_.site.ReturnUrl, 6000, true);
        f_.robot.BetOnStatus = 2;
      }
      break;
    }
    case 4:
    case 5:
    case 6:
    case 7: f_.robot.BetOnStatus = 2; break;
    case 8:
    case 9:
    case 16: f_.robot.BetOnStatus = 0; break;
    case 10:
    case 11: f_.robot.BetOnStatus = 3; break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step2(uint8_t page) {
  f_.EVENT.BetStatus = 0;
  if (!f_.page.SiteDataUpdated) return Outcome::Wait;
  switch (page) {
    case 0: f_.LangCheck(); break;
    case 1: f_.robot.BetOnStatus = 0; break;
    case 2: f_.BetOnStateFault("", f_.Txt(148), 0); f_.btStopClick(); break;
    case 3: case 4: case 5: case 6: case 7:
      Navigate(f_.site.PortFolioUrl, 6000, true);
      f_.robot.BetOnStatus = 3;
      break;
    case 8:
    case 9:
    case 16: f_.robot.BetOnStatus = 0; break;
    case 10:
    case 11: f_.robot.BetOnStatus = 3; break;
    default: break;
  }
  return Outcome::Done;
}

void BetCycle::ReadStartBalance() {
  std::string currency = SlotValue(1);
  if (!currency.empty() && currency[0] == ':') currency.erase(0, 1);
  currency = Trim(currency);
  const size_t blank = currency.find(' ');
  f_.page.CurrencyName = blank == std::string::npos ? std::string() : Trim(currency.substr(0, blank + 1));
  f_.page.CurrentBalance = f_.robot.StartBalance = CostTranslate(SlotValue(1));

  f_.account.neStartBalanse.SetValue(f_.robot.StartBalance);
  f_.account.neCurrentBalanse.SetValue(f_.robot.StartBalance);
  f_.account.neWinBalanse.SetValue(0);
  f_.account.neWinBalanse.SetFontColor(12632256);
  const std::string suffix = " " + f_.page.CurrencyName;
  for (ui::NumberEdit* editor :
       {&f_.account.neStartBalanse, &f_.account.neCurrentBalanse, &f_.account.neWinBalanse,
        &f_.robot_controls.neMinBalans, &f_.fmDebug.site_control.neBetOnDebet, &f_.strategies.neBot0BetSize,
        &f_.strategies.neBot1MinDeposit, &f_.strategies.neBot1BetSize, &f_.strategies.neBot2MinDeposit,
        &f_.strategies.neBot2BetSize, &f_.strategies.neBot3MinDeposit, &f_.strategies.neBot3BetSize,
        &f_.strategies.neBot4MinDeposit, &f_.strategies.neBot4BetSize, &f_.strategies.neBot5WinLimit,
        &f_.strategies.neBot5Porog, &f_.strategies.neBot5LoseLimit, &f_.strategies.neBot5BetSize})
    editor->SetSuffix(suffix);
}

BetCycle::Outcome BetCycle::Step3(uint8_t page) {
  f_.EVENT.BetStatus = 0;
  if (!f_.page.SiteDataUpdated) return Outcome::Wait;
  switch (page) {
    case 0: f_.LangCheck(); break;
    case 1: f_.robot.BetOnStatus = 1; break;
    case 2: f_.robot.BetOnStatus = 0; break;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7: f_.robot.BetOnStatus = 2; break;
    case 8:
    case 9:
    case 16: f_.robot.BetOnStatus = 0; break;
    case 10: case 11:
      if (!SlotExists(1)) {
        f_.robot.BetOnStatus = 0;
        break;
      }
      ReadStartBalance();
      f_.robot.BetOnStatus = 4;
      SetInterval(20);
      break;
    default: break;
  }
  return Outcome::Done;
}

// --- the trading form ---

BetCycle::Outcome BetCycle::Step4() {
  f_.EVENT.BetStatus = 0;
  Navigate(f_.site.ReturnUrl, 6000, true);
  f_.robot.BetOnStatus = 5;
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step5(uint8_t page) {
  f_.EVENT.BetStatus = 0;
  if (!f_.page.SiteDataUpdated) return Outcome::Wait;
  switch (page) {
    case 0: f_.LangCheck(); break;
    case 1:
    case 2:
    case 8:
    case 9: f_.robot.BetOnStatus = 0; break;
    case 3: f_.HtmlParser(); SetInterval(4000); break;
    case 10:
    case 11: f_.robot.BetOnStatus = 3; break;
    case 4: case 5: case 6: case 7:
      f_.HtmlParser();
      if (f_.platform.browser.LocationUrl().find("market=forex") != std::string::npos) {
        f_.robot.BetOnStatus = 6;
        SetInterval(20);
      } else if (PressSlot(11)) {
        f_.page.SiteDataUpdated = false;
        SetInterval(5000);
      } else {
        f_.robot.BetOnStatus = 6;
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
  const TEvent& e = f_.EVENT;
  const std::pair<size_t, std::string> fields[] = {{2, "all"},
                                                   {4, Trim(e.Valute)},
                                                   {5, "now"},
                                                   {7, Trim(e.PeriodUnit)},
                                                   {6, std::to_string(e.Period)},
                                                   {8, std::to_string(f_.robot.BetStake)}};
  for (const auto& [slot, value] : fields) {
    if (!SlotExists(slot)) {
      if (check) failed_slot = static_cast<int>(slot);
      continue;
    }
    if (SlotValue(slot) == value) continue;
    if (!WriteSlot(slot, value) && check) failed_slot = static_cast<int>(slot);
  }
}

BetCycle::Outcome BetCycle::Step6Or7(uint8_t page) {
  f_.tmBetWDT.SetEnabled(false);
  SetInterval(10000);
  switch (page) {
    case 0: case 1: case 2:
      f_.LangCheck();
      f_.NavigateUrl(f_.browser_panel.teWebAddr.Text());
      SetInterval(10000);
      break;
    case 3: f_.HtmlParser(); SetInterval(500); break;
    case 4: case 5: case 6: case 7: {
      f_.EVENT.BetStatus = 1;
      int unused = -1;
      FillForm(false, unused);
      if (f_.robot.BetOnStatus == 6) {
        PressSlot(9);
        f_.robot.BetOnStatus = 7;
      }
      f_.page.SiteDataUpdated = false;
      break;
    }
    case 8: case 9: case 10:
      Navigate(f_.site.ReturnUrl, 4000, true);
      f_.robot.BetOnStatus = 5;
      break;
    case 11:
      Navigate(f_.site.MainUrl, 60000, false);
      f_.robot.BetOnStatus = 0;
      break;
    case 16: FaultAndStop(f_.Txt(149)); break;
    default: break;
  }
  return Outcome::Done;
}

// --- the bet ---

bool BetCycle::OnTradingPageAfterReparse(uint8_t& page) {
  f_.HtmlParser();
  page = f_.page.PageIndex;
  if (IsTradingPage(page)) return true;
  f_.HtmlParser();
  page = f_.page.PageIndex;
  f_.LangCheck();
  return false;
}

BetCycle::Outcome BetCycle::Step8() {
  if (!f_.tmBetWDT.Enabled()) f_.tmBetWDT.SetEnabled(true);
  if (f_.platform.browser.Busy()) return Outcome::Done;
  uint8_t page = 0;
  if (!OnTradingPageAfterReparse(page)) {
    if (page == 16) FaultAndStop(f_.Txt(149));
    return Outcome::Done;
  }
  int failed_slot = -1;
  FillForm(true, failed_slot);
  if (failed_slot >= 0 || !SlotExists(9)) {
    SetInterval(1000);
    const size_t reported = failed_slot >= 0 ? static_cast<size_t>(failed_slot) : 9;
    f_.AddStringToDebugLog(f_.Txt(147) + " " + std::to_string(f_.page.ControlSlots[reported].ControlNo));
    return Outcome::Done;
  }
  if (!PressSlot(9)) return Outcome::Done;
  f_.robot.BetOnStatus = 9;
  SetInterval(10000);
  f_.page.SiteDataUpdated = false;

  const std::string stake = std::to_string(f_.robot.BetStake);
  const std::string direction = f_.robot.BetDirection == 1   ? " " + f_.Txt(151)
                                : f_.robot.BetDirection == 2 ? " " + f_.Txt(152)
                                                             : std::string(" ...");
  f_.AddStringToLog(ltBetPending, f_.Txt(150) + " " + stake + " " + f_.page.CurrencyName + direction, false);
  const int direction_text = f_.robot.BetDirection == 1 ? 153 : f_.robot.BetDirection == 2 ? 154 : 155;
  f_.AddStringToDebugLog(stake + " " + f_.page.CurrencyName + " " + f_.Txt(direction_text) + " " +
                         Trim(f_.EVENT.Valute) + " " + f_.Txt(156) + " " + std::to_string(f_.EVENT.Period) +
                         Trim(f_.EVENT.PeriodUnit));
  f_.EVENT.BetStatus = 2;
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step9() {
  if (f_.platform.browser.Busy()) return Outcome::Done;
  uint8_t page = 0;
  if (!OnTradingPageAfterReparse(page)) {
    if (page == 8 && PressSlot(0)) SetInterval(2000);
    if (page == 16) FaultAndStop(f_.Txt(149));
    return Outcome::Done;
  }
  // Prices count as shown only when both price blocks are there.
  if (!(f_.page.ControlSlots[14].FieldIndex > 0 && f_.page.ControlSlots[15].FieldIndex > 0)) {
    f_.AddStringToDebugLog(f_.Txt(269));
    return Outcome::Done;
  }
  const bool up_shown = f_.SearchControl(13) >= 0;
  const bool down_shown = f_.SearchControl(14) >= 0;
  enum class Verdict { None, Refused, BoughtUp, BoughtDown } verdict = Verdict::None;
  int32_t percent = 0;
  const int32_t threshold = GreedThreshold(f_.robot.GreedPorog);
  auto buy = [&](size_t price_slot, size_t buy_slot, Verdict bought) {
    percent = f_.GetBrokerPercent(static_cast<uint32_t>(f_.robot.BetStake), static_cast<uint16_t>(price_slot));
    f_.ShowStatusMessage(f_.Txt(160) + " " + std::to_string(percent) + "%");
    if (threshold < percent) {
      verdict = Verdict::Refused;
    } else if (PressSlot(buy_slot)) {
      f_.robot.BetPricePercent = static_cast<uint8_t>(percent);
      f_.robot.BalanceAtBet = f_.page.CurrentBalance;
      f_.page.SiteDataUpdated = false;
      verdict = bought;
      return;
    }
    SetInterval(5000);
  };
  if (f_.robot.BetDirection == 1 && up_shown) buy(12, 18, Verdict::BoughtUp);
  if (f_.robot.BetDirection == 2 && down_shown) buy(13, 19, Verdict::BoughtDown);

  switch (verdict) {
    case Verdict::BoughtUp:
    case Verdict::BoughtDown: {
      const std::string way = f_.Txt(verdict == Verdict::BoughtUp ? 162 : 164);
      f_.AddStringToLog(ltBetPending,
                        f_.Txt(90) + " " + std::to_string(f_.robot.BetStake) + " " + f_.page.CurrencyName + " " + way +
                            " " + std::to_string(percent) + f_.Txt(163),
                        false);
      f_.EVENT.BetStatus = 4;
      f_.robot.BetOnStatus = 10;
      SetInterval(5000);
      break;
    }
    case Verdict::Refused:
      DropSignal(f_.Txt(166));
      f_.AddStringToDebugLog(f_.Txt(161));
      break;
    case Verdict::None:
      DropSignal(f_.Txt(159));
      f_.AddStringToDebugLog(f_.Txt(159));
      break;
  }
  return Outcome::Done;
}

// --- following the bet ---

BetCycle::Outcome BetCycle::Step10(uint8_t page) {
  if (!f_.page.SiteDataUpdated) return Outcome::Wait;
  switch (page) {
    case 0: f_.LangCheck(); break;
    case 1: case 2: case 3: f_.HtmlParser(); SetInterval(1000); break;
    case 4: case 5: case 6: case 7: case 9:
      f_.robot.BetOnStatus = 11;
      f_.page.SiteDataUpdated = false;
      f_.tmBetWDT.SetEnabled(false);
      f_.robot.BetPlacedTime = f_.platform.clock.Now();
      if (f_.EVENT.BetStatus == 5)
        SetInterval(3000);
      else
        SetInterval(Trim(f_.robot.BetPeriodUnit) == "s" ? f_.robot.BetPeriod * 1000 : 60000);
      f_.NavigateUrl(f_.site.PortFolioUrl);
      break;
    case 8:
      f_.robot.BetOnStatus = 9;
      SetInterval(100);
      break;
    case 10:
    case 11:
      f_.robot.BetOnStatus = 11;
      SetInterval(20);
      break;
    case 16: FaultAndStop(f_.Txt(149)); break;
    default: break;
  }
  return Outcome::Done;
}

void BetCycle::ReadResult() {
  f_.robot.BalanceAtResult = f_.page.CurrentBalance;
  f_.EVENT.Result = f_.robot.BalanceAtResult - f_.robot.BalanceAtBet;
  const std::string amount =
      f_.page.CurrencyName + ": " + FormatFixed(std::abs(f_.EVENT.Result), 2, f_.platform.clock.DecimalSeparator());
  const int by_direction = f_.robot.ChainDirection == 1 ? 0 : f_.robot.ChainDirection == 2 ? 1 : 2;
  if (f_.EVENT.Result > 0) {
    f_.AddStringToLog(ltWin, f_.Txt(171 + by_direction) + " " + amount, true);
    f_.EVENT.BetStatus = 6;
  } else {
    f_.AddStringToLog(ltLost, f_.Txt(266 + by_direction) + " " + amount, true);
    f_.EVENT.BetStatus = 7;
  }
  Navigate(f_.site.ReturnUrl, 4000, true);
  f_.robot.BetOnStatus = 6;
}

BetCycle::Outcome BetCycle::Step11(uint8_t page) {
  f_.tmBetWDT.SetEnabled(false);
  if (!f_.page.SiteDataUpdated) return Outcome::Wait;
  switch (page) {
    case 0: case 8: f_.LangCheck(); break;
    case 1:
    case 2:
    case 3:
      f_.robot.BetOnStatus = 6;
      SetInterval(1000);
      break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 9: Navigate(f_.site.PortFolioUrl, 5000, true); break;
    case 16: FaultAndStop(f_.Txt(149)); break;
    case 11:
      if (f_.EVENT.BetStatus < 5) {
        f_.EVENT.BetStatus = 5;
        f_.robot.BetDirection = 0;
      }
      f_.robot.ResultWaitCounter = 0;
      f_.robot.BetOnStatus = 12;
      break;
    case 10:
      if (f_.EVENT.BetStatus > 4) {
        ReadResult();
      } else {
        DropSignal(f_.Txt(159));
        f_.AddStringToDebugLog(f_.Txt(159));
      }
      break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::Step12(uint8_t page) {
  f_.tmBetWDT.SetEnabled(false);
  if (!f_.page.SiteDataUpdated) return Outcome::Wait;
  switch (page) {
    case 0: case 8: f_.LangCheck(); break;
    case 1:
    case 2:
    case 3:
      f_.robot.BetOnStatus = 6;
      SetInterval(1000);
      break;
    case 4: case 5: case 6: case 7: case 9:
      Navigate(f_.site.PortFolioUrl, 5000, true);
      f_.robot.BetOnStatus = 11;
      break;
    case 10:
      f_.robot.BetOnStatus = 11;
      SetInterval(20);
      break;
    case 11:
      if (f_.robot.ResultWaitCounter > kResultWaitLimit) {
        SetInterval(1000);
      } else {
        Navigate(f_.site.PortFolioUrl, 5000, true);
        f_.robot.BetOnStatus = 11;
      }
      break;
    case 16: FaultAndStop(f_.Txt(149)); break;
    default: break;
  }
  return Outcome::Done;
}

BetCycle::Outcome BetCycle::StepIdle() {
  f_.NavigateUrl(f_.site.LogOutUrl);
  f_.EVENT.BetStatus = 0;
  f_.robot.RobotStatus = 0;
  f_.robot.RobotSubStatus = 0;
  return Outcome::Done;
}

void BetCycle::WatchdogFired() {
  f_.tmBetOnState.SetEnabled(false);
  f_.tmBetWDT.SetEnabled(false);
  f_.AddStringToLog(ltPendingClosed, f_.Txt(174), false);
  f_.EVENT.BetStatus = 3;
  f_.robot.BetOnStatus = 6;
  f_.EVENT.NewSignal = false;
  f_.EVENT.Direction = 0;
  f_.BetOnRobot();
  f_.NavigateUrl(f_.site.ReturnUrl);
  f_.page.SiteDataUpdated = false;
  SetInterval(6000);
  f_.tmBetOnState.SetEnabled(true);
}

}  // namespace vantrope

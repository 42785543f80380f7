// The bet cycle: walks the broker's site from login to a bet's result, one
// step per tick of the bet-state timer, and reports the site state to the
// strategies in the event record.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "desktop/clock.h"
#include "engine/account_panel.h"
#include "engine/bet_ledger.h"
#include "engine/robot_controls.h"
#include "engine/robot_state.h"
#include "engine/run_control.h"
#include "engine/strategy_pages.h"
#include "event/robot_event.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/browser_supervision.h"
#include "site/page_actions.h"
#include "site/page_encoder.h"
#include "site/site_page.h"
#include "site/site_settings.h"
#include "site/web_browser.h"
#include "ui/timer.h"

namespace vantrope {

struct BetCycle {
  static constexpr int kTickInterval = 2000;

  // What the bet cycle asks of the program around it.
  class Host {
   public:
    // One strategy step.
    virtual void BetOnRobot() = 0;
    virtual void ShowStatusMessage(const std::string& text) = 0;
    // The account's currency, shown after every money editor.
    virtual void ShowCurrencyName(const std::string& currency) = 0;

   protected:
    ~Host() = default;
  };

  // One tick of tmBetOnState.
  void Tick();
  // The bet watchdog gave up on a bet.
  void WatchdogFired();
  // Hands the filled bet request to the cycle at once.
  void RequestBet();
  // The chart's pair or timeframe changed: a ready form is filled again.
  void ChartChanged();
  // A new indicator signal: a ready form takes it at once.
  void SignalArrived();
  // The browser finished loading a page: the prices a bet waits for are
  // looked at at once.
  void PageLoaded();
  // The cycle's fault: an error line, the browser and the cycle stopped. The
  // flag is part of the callers' contract and has no effect.
  void BetOnStateFault(const std::string& name, const std::string& text, int flag);
  // Switches a Russian-language address of the site to English.
  void LangCheck();
  // The history record of the purchase about to be made, from the running
  // chain and the strategy's parameters; its result is not known yet.
  THistoryRecord PurchaseRecord() const;
  // The address of the step's own page; none while the robot is stopped.
  std::optional<std::string> StepAddress() const;
  // The signal of a bet not made is forgotten, by a program started after a
  // kill too: an arrow of its direction raises a signal again.
  void ForgetSignal();

  RobotState& robot;
  TEvent& EVENT;
  SitePage& page;
  const SiteSettings& site;
  AccountPanel& account;
  const RobotControls& robot_controls;
  const StrategyPages& strategies;
  BetLedger& ledger;
  BrowserSupervisor& browser_supervisor;
  PageEncoder& page_encoder;
  PageActions& page_actions;
  RunControl& run_control;
  WebBrowser& browser;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmBetOnState;
  ui::Timer& tmBetWDT;
  Host& host;

 private:
  // A step either ends (with or without the strategy step after it) or
  // waits for the page, whose answer then ends it.
  enum class Outcome { Done, Wait, Pending };
  enum class Verdict { None, Refused, PriceUnreadable, SignalTooOld, BoughtUp, BoughtDown };
  // The form controls of a fill: each with its write in the batch, or missing.
  struct FormFill {
    static constexpr int kMissing = -2;
    struct Control {
      size_t slot;
      int write;
    };
    std::vector<Control> controls;
    bool AnyMissing() const;
    // The slot of the last control that failed, -1 for none.
    int FailedSlot(const PageActionReport& report) const;
    bool Failed(size_t slot, const PageActionReport& report) const;
  };

  void TickOnPage();
  void FinishTick(Outcome outcome);
  // Starts waiting for the page under a new ticket; the check given back
  // tells, when the answer comes, whether it may move the cycle.
  std::function<bool()> BeginAwait();
  // The bet asked for and not bought is given up.
  void GiveUpBet();
  // Tells once in the event log of a wait that goes on past the watchdog's time.
  void WatchForStall();
  Outcome AwaitParse(std::function<void()> then);
  Outcome AwaitActions(PageActionBatch batch, std::function<Outcome(const PageActionReport&)> then);
  // Runs the step on a page parsed afresh in this tick.
  Outcome OnFreshPage(Outcome (BetCycle::*step)());

  Outcome RunStep(TPage shown);
  Outcome Step0();
  Outcome Step1(TPage shown);
  Outcome Step2(TPage shown);
  Outcome Step3(TPage shown);
  Outcome Step4();
  Outcome Step5(TPage shown);
  Outcome Step6Or7(TPage shown);
  Outcome Step8();
  Outcome Step8OnPage();
  Outcome PricesRequested();
  Outcome Step9();
  Outcome Step9OnPage();
  Outcome BuyVerdict(Verdict verdict, int32_t percent);
  Outcome Step10(TPage shown);
  Outcome Step11(TPage shown);
  Outcome Step12(TPage shown);
  Outcome StepIdle();

  FormFill FillForm(PageActionBatch& batch, bool for_bet) const;
  bool OnForexMarket() const;
  // The form of another market, which offers no forex pair, is left for the
  // market choice; true when it was.
  bool LeaveOtherMarket(const FormFill& fill, const PageActionReport& report);
  // A trading page without the form's controls is left for the market
  // choice; true when it was.
  bool LeaveFormlessTradingPage();
  Outcome LogIn();
  Outcome LoginPageElsewhere(const std::string& host);
  void LoginFailed();
  void ReportInaccessible(uint16_t control);
  void ReportNotReady();
  void WithdrawReady();
  Outcome SessionEnded();
  void FollowBet();
  void ReadStartBalance();
  void ReadResult();
  void DropSignal(const std::string& text);
  void FaultAndStop(const std::string& text);
  void Navigate(const std::string& url, int interval, bool fresh_page);
  // The next tick now, for a reaction that should not wait for the cycle's pace.
  void Wake();
  void SetInterval(int interval);
  void EnableTimerIfRunning();
  bool SlotExists(size_t slot) const;
  size_t FieldOf(size_t slot) const;
  int AddPress(PageActionBatch& batch, size_t slot, bool only_after_success = false) const;
  std::string SlotValue(size_t slot) const;
  std::string StepFaultName() const;
};

}  // namespace vantrope

// The bet cycle: walks the broker's site from login to a bet's result, one
// step per tick of the bet-state timer, and reports the site state to the
// strategies in the event record.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/clock.h"
#include "desktop/shell.h"
#include "engine/account_panel.h"
#include "engine/robot_controls.h"
#include "engine/robot_state.h"
#include "engine/run_control.h"
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
  // The cycle's fault: an error line, the browser and the cycle stopped. The
  // flag is part of the callers' contract and has no effect.
  void BetOnStateFault(const std::string& name, const std::string& text, int flag);
  // Switches a Russian-language address of the site to English.
  void LangCheck();

  RobotState& robot;
  TEvent& EVENT;
  SitePage& page;
  const SiteSettings& site;
  AccountPanel& account;
  const RobotControls& robot_controls;
  BrowserSupervisor& browser_supervisor;
  PageEncoder& page_encoder;
  PageActions& page_actions;
  RunControl& run_control;
  WebBrowser& browser;
  Shell& shell;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmBetOnState;
  ui::Timer& tmBetWDT;
  Host& host;

 private:
  enum class Outcome { Done, Wait };

  Outcome RunStep(TPage shown);
  Outcome Step0();
  Outcome Step1(TPage shown);
  Outcome Step2(TPage shown);
  Outcome Step3(TPage shown);
  Outcome Step4();
  Outcome Step5(TPage shown);
  Outcome Step6Or7(TPage shown);
  Outcome Step8();
  Outcome Step9();
  Outcome Step10(TPage shown);
  Outcome Step11(TPage shown);
  Outcome Step12(TPage shown);
  Outcome StepIdle();

  // Re-parses and reads the page; outside the trading page it handles the
  // language and the end of the run, and tells whether the step goes on.
  bool OnTradingPageAfterReparse(TPage& shown);
  void FillForm(bool check, int& failed_slot);
  void LogIn();
  void ReadStartBalance();
  void ReadResult();
  void DropSignal(const std::string& text);
  void FaultAndStop(const std::string& text);
  void Navigate(const std::string& url, int interval, bool fresh_page);
  void SetInterval(int interval);
  void EnableTimerIfRunning();
  bool SlotExists(size_t slot) const;
  bool WriteSlot(size_t slot, const std::string& value);
  bool PressSlot(size_t slot);
  std::string SlotValue(size_t slot) const;
  std::string StepFaultName() const;
};

}  // namespace vantrope

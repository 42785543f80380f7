// Run control: start, pause and stop, the strategy choice, working hours,
// the resume offer for a chain saved at the last shutdown, and the limit
// check the strategies call before a chain or a bet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "desktop/clock.h"
#include "desktop/dialogs.h"
#include "engine/account_panel.h"
#include "engine/run_credentials.h"
#include "engine/bet_ledger.h"
#include "engine/robot_controls.h"
#include "engine/robot_state.h"
#include "engine/strategy_pages.h"
#include "event/robot_event.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/browser_supervision.h"
#include "site/pair_period_selectors.h"
#include "site/site_page.h"
#include "site/site_settings.h"
#include "site/web_browser.h"
#include "ui/timer.h"

namespace vantrope {

struct RunControl {
  // What run control asks of the program around it.
  class Host {
   public:
    // One strategy step.
    virtual void BetOnRobot() = 0;
    virtual void ShowStatusMessage(const std::string& text) = 0;
    // The program's message box and question dialog.
    virtual ModalResult MyShowMessage(const std::string& title, const std::string& message, DialogKind kind) = 0;
    virtual ModalResult MyMessageDialog(const std::string& title, const std::string& message,
                                        const std::vector<std::string>& captions,
                                        const std::vector<DialogButton>& buttons, DialogKind kind) = 0;
    // A message that does not wait for the user: the robot's steps go on.
    virtual void MyShowNotice(const std::string& title, const std::string& message, DialogKind kind) = 0;
    // The strategy takes up the chain the last run left, with its purchase
    // still open or not.
    virtual void ResumeChain(const LedgerChain& chain, bool bet_open) = 0;

   protected:
    ~Host() = default;
  };

  // The start button.
  void Run();
  // The pause action of a button's tag: 2 after the result, 3 after a win,
  // 4 cancel the request or continue; any other tag does nothing.
  void RequestPause(int tag);
  // The stop button, and every stop of the robot.
  void Stop();
  // The strategy page control changed its page.
  void StrategyChanged();
  // The first part of every strategy step.
  void WorkingHoursStep();
  // Robot status 2: the strategy of the active page starts.
  void StrategySelection();
  // Pauses or stops the robot at a limit; true when it did.
  bool LimitCheck(uint16_t chain_counter);

  RobotState& robot;
  TEvent& EVENT;
  SitePage& page;
  const SiteSettings& site;
  StrategyPages& strategies;
  RobotControls& robot_controls;
  AccountPanel& account;
  // Copied from the account panel at Start.
  RunCredentials& credentials;
  BetLedger& ledger;
  PairPeriodSelectors& selectors;
  BrowserSupervisor& browser_supervisor;
  WebBrowser& browser;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmBetOnState;
  ui::Timer& tmBetWDT;
  ui::Timer& tmAutoApplySecurity;
  Host& host;

 private:
  void ShowRunButtons(bool running);
  void ShowPausedButtons();
  // The chain the journal holds, told in words for the questions and rows.
  std::string ChainText(const LedgerChain& chain) const;
  // Whether the user takes up the journal's chain of the selected strategy.
  bool AskResumeChain(const LedgerChain& chain);
  // Whether the user discards the journal's chain of another strategy.
  bool AskDiscardChain(const LedgerChain& chain);
  // A purchase the last run left open is followed to its result.
  void TakeUpOpenBet();
  // The offer to resume a chain paused when the program last closed.
  void OfferSavedChain();
};

}  // namespace vantrope

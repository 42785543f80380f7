// What the debug window does: fake arrows and site states, a manual bet, the
// robot called by hand, money added to the balance, the page's controls set
// or pressed from the control grid, the parsed fields copied out, and a page
// recognition written down step by step.
#pragma once

#include <string>
#include <vector>

#include "debug/debug_form.h"
#include "desktop/clipboard.h"
#include "desktop/clock.h"
#include "desktop/dialogs.h"
#include "engine/account_panel.h"
#include "engine/bet_runner.h"
#include "engine/robot_state.h"
#include "event/robot_event.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/page_actions.h"
#include "site/page_encoder.h"
#include "site/site_page.h"
#include "ui/timer.h"

namespace vantrope {

struct DebugSimulators {
  // What the simulators ask of the program around them.
  class Host {
   public:
    // One strategy step.
    virtual void BetOnRobot() = 0;
    virtual ModalResult MyMessageDialog(const std::string& title, const std::string& message,
                                        const std::vector<std::string>& captions,
                                        const std::vector<DialogButton>& buttons, DialogKind kind) = 0;

   protected:
    ~Host() = default;
  };

  // Creation: the robot-debug timer runs only when the simulator is on now.
  void FormCreate();
  // An arrow button: a signal of its direction (tag 0 up, 1 down), always.
  void TerminalArrowSim(int tag);
  // A bet button (tag 1 a rise, 2 a fall): the bet of the site-control group.
  void DebugManualBet(int tag);
  // A site-state button: the state, and for a won or lost bet its money.
  void WebSimClick(int tag);
  void Button9Click();
  void Button5Click();
  void CheckBox1Click();
  void NumericEditor2Exit();
  void Button11Click();
  void tmRobotDebugTimer();
  // A double click on a row of the control grid: set (<EDIT>) or press
  // (<EXECUTE>) the page's control of that row.
  void gwDebugDblClick(int col, int row);
  void ppmParserGridPopup();
  // Tag 0: the selected row of the parse grid; 1: every row.
  void miSaveParsedFieldClick(int tag);
  void mmWebRecogLogDblClick();

  TfmDebug& debug;
  RobotState& robot;
  TEvent& EVENT;
  SitePage& page;
  AccountPanel& account;
  PageActions& page_actions;
  PageEncoder& page_encoder;
  BetRunner& bets;
  Clipboard& clipboard;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmRobotDebug;
  Host& host;

 private:
  // The balances of the account panel after the simulator changed them.
  void ShowBalances();
};

}  // namespace vantrope

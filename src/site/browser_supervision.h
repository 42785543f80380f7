// Browser supervision: the one navigation routine, the browser's events, the
// two watchdogs that reload a stalled or silent page, and the security
// prompts answered for the user.
#pragma once

#include <optional>
#include <string>

#include "desktop/shell.h"
#include "desktop/window_system.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/browser_panel.h"
#include "site/site_page.h"
#include "site/web_browser.h"
#include "ui/timer.h"

namespace vantrope {

struct BrowserSupervisor {
  // What supervision asks of the robot around it.
  class Host {
   public:
    // The address of the robot's current work, opened in place of a page it
    // did not ask for; none while the robot is stopped.
    virtual std::optional<std::string> StepAddress() = 0;

   protected:
    ~Host() = default;
  };

  // Asks for the browser emulation mode of the program's file.
  void IERegister(const std::string& program_path);
  // The one navigation routine: a busy browser is stopped first.
  void NavigateUrl(const std::string& url);
  // Steps back in the browser's history; false when there is no page to go back to.
  bool GoBack();
  // The address the address bar shows.
  std::string AddressShown() const { return browser_panel.teWebAddr.Text(); }
  // Loads the page shown again when the robot itself asked for it last;
  // otherwise opens the address of the robot's work, or, while the robot is
  // stopped, the address it last opened.
  void ReloadPage();

  // The browser's events.
  void BeforeNavigate(const std::string& url);
  void DocumentComplete();
  void ProgressChange();
  // tmWebWDT: a navigation that never completed is started again.
  void ReloadStalledPage();
  // tmWebWDT2: a page that made no progress for long is loaded again.
  void ReloadSilentPage();
  // tmAutoApplySecurity: a security prompt is answered "yes".
  void AnswerSecurityPrompt();
  // The browser answered a dialog of the page.
  void PageDialogAnswered(PageDialog dialog, const std::string& text);
  // The page's process ended: the address bar's address is loaded again.
  void PageProcessGone();

  SitePage& page;
  BrowserPanel& browser_panel;
  WebBrowser& browser;
  Shell& shell;
  WindowSystem& windows;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmParserDelay;
  ui::Timer& tmWebWDT;
  ui::Timer& tmWebWDT2;
  Host& host;
};

}  // namespace vantrope

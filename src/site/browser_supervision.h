// Browser supervision: the one navigation routine, the browser's events, the
// two watchdogs that reload a stalled or silent page, and the security
// prompts answered for the user.
#pragma once

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

class BrowserSupervisor {
 public:
  BrowserSupervisor(SitePage& page, BrowserPanel& panel, WebBrowser& browser, Shell& shell, WindowSystem& windows,
                    RobotLog& log, const TLangPack& texts, ui::Timer& tmParserDelay, ui::Timer& tmWebWDT,
                    ui::Timer& tmWebWDT2)
      : page_(page),
        panel_(panel),
        browser_(browser),
        shell_(shell),
        windows_(windows),
        log_(log),
        texts_(texts),
        tmParserDelay_(tmParserDelay),
        tmWebWDT_(tmWebWDT),
        tmWebWDT2_(tmWebWDT2) {}

  // Asks for the browser emulation mode of the program's file.
  void IERegister(const std::string& program_path);
  // The one navigation routine: waits for a busy browser to stop first.
  void NavigateUrl(const std::string& url);
  // The address the address bar shows.
  std::string AddressShown() const { return panel_.teWebAddr.Text(); }

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

 private:
  SitePage& page_;
  BrowserPanel& panel_;
  WebBrowser& browser_;
  Shell& shell_;
  WindowSystem& windows_;
  RobotLog& log_;
  const TLangPack& texts_;
  ui::Timer& tmParserDelay_;
  ui::Timer& tmWebWDT_;
  ui::Timer& tmWebWDT2_;
};

}  // namespace vantrope

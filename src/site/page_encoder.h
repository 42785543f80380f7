// The page parse and the encoder after it: the current document read into
// WebFields, recognised as a configured page with its control slots and
// account values, and published for the bet cycle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/parser_view.h"
#include "site/site_page.h"
#include "site/site_settings.h"
#include "site/web_browser.h"
#include "ui/timer.h"

namespace vantrope {

class PageRecogniser;

struct PageEncoder {
  // What the encoder asks of the robot around it.
  class Host {
   public:
    // The bet cycle's fault routine, for a required control that is missing.
    virtual void BetOnStateFault(const std::string& name, const std::string& text, int flag) = 0;
    // The main window's site status and balance displays.
    virtual void ShowSiteDisplays() = 0;

   protected:
    ~Host() = default;
  };

  // Asks for the current document; once it has come, parses it into
  // WebFields and runs the encoder. `parsed` learns whether that happened:
  // without an address, with a busy browser (WebFields then empty) or when
  // the page did not answer, it did not.
  void HtmlParser(std::function<void(bool parsed)> parsed = {});
  // The periodic parse: the page as it is now, unless it is still loading.
  void ReparseUnlessBusy();
  // One run of the encoder on WebFields.
  void BetOnWebEncoder();
  // Searches the parsed page for the template of a page control: its index or -1.
  int32_t SearchControl(uint16_t control);

  SitePage& page;
  const SiteSettings& site;
  ParserView& parser_view;
  WebBrowser& browser;
  RobotLog& log;
  const TLangPack& texts;
  const bool& DebugEnabled;  // the setting that fills the debug window's views
  ui::Timer& tmWebWDT;
  ui::Timer& tmWebWDT2;
  Host& host;

 private:
  void WriteRecognitionResult(const PageRecogniser& recogniser);
  void Fault(const std::string& text);
};

}  // namespace vantrope

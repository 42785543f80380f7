// The demo broker's site on virtual time, with the test browser looking at
// it and the robot's own parser reading its pages.
#pragma once

#include <string>
#include <vector>

#include "broker/broker_site.h"
#include "site/cat_field.h"
#include "support/test_browser.h"
#include "support/virtual_clock.h"

namespace vantrope::testing {

// The site's time is the virtual clock's.
class VirtualSiteClock : public demo::SiteClock {
 public:
  explicit VirtualSiteClock(VirtualClock& clock) : clock_(clock) {}
  int64_t NowMs() override { return clock_.ElapsedMs(); }

 private:
  VirtualClock& clock_;
};

// The default addresses of the shipped settings.
inline constexpr const char* kMainUrl = "http://127.0.0.1:8470/d/contact.cgi?l=EN";
inline constexpr const char* kReturnUrl = "http://127.0.0.1:8470/d/trade.cgi?l=EN";
inline constexpr const char* kLogOutUrl = "http://127.0.0.1:8470/logout";
inline constexpr const char* kPortFolioUrl = "http://localhost:8470/d/portfolio.cgi?l=EN";

class DemoWorld {
 public:
  explicit DemoWorld(demo::SiteOptions options = {});

  // Navigates and lets the page load.
  void Open(const std::string& url);
  // Lets virtual time pass.
  void Wait(int64_t ms) { clock.Advance(ms); }

  // The page as the robot parses it.
  std::vector<TCatField> Fields();
  // SearchWebData with a template in its one-line form ("00<20000><1><nav-logout><><><>").
  int32_t Find(const std::string& template_line);
  // GetWebValue of the record the template finds ("" when none).
  std::string Value(const std::string& template_line);
  // Types into the form element of the record the template finds, as the
  // robot's page action does; false when there is none or it refused.
  bool Set(const std::string& template_line, const std::string& value);
  // Clicks the form element or follows the link of the record the template
  // finds, then lets the page load; false when there was nothing to press.
  bool Press(const std::string& template_line);

  VirtualClock clock;
  VirtualSiteClock site_clock{clock};
  demo::BrokerSite site;
  TestBrowser browser{site, clock};
};

// One request straight to the site, without a browser: `url` is absolute.
demo::Response Ask(demo::BrokerSite& site, const std::string& method, const std::string& url,
                   const std::string& body = "", const std::string& cookie = "");
// "vt_session=..." of the session cookie a response sets, or an empty text.
std::string SessionCookieOf(const demo::Response& response);

// A template line finding a FORM record by its element's id.
std::string FormById(const std::string& id);
// A template line finding a LINK record by its id.
std::string LinkById(const std::string& id);
// A template line finding a record of `kind` whose text contains `text`.
std::string TextContaining(uint8_t kind, const std::string& text);
// A template line finding the TABLE record of a table, row and column.
std::string TableCell(int table, int row, int column);

}  // namespace vantrope::testing

// Typing into and pressing the elements of the live document that the
// records of WebFields stand for, and the price the page quotes.
#pragma once

#include <cstdint>
#include <string>

#include "site/browser_supervision.h"
#include "site/site_page.h"
#include "site/web_browser.h"

namespace vantrope {

struct PageActions {
  // Types the text into every element of the document that the record stands
  // for; the number of elements that took it.
  uint16_t WebSetValue(uint16_t index, const std::string& text);
  // Clicks the first element a form record stands for, or follows a link.
  bool WebExecute(uint16_t index);
  // The price shown in the control slot as a whole percentage of the stake.
  int32_t GetBrokerPercent(uint32_t stake, uint16_t slot);

  SitePage& page;
  WebBrowser& browser;
  BrowserSupervisor& browser_supervisor;

 private:
  bool CanActOn(uint16_t index) const;
};

}  // namespace vantrope

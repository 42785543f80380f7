// Typing into and pressing the elements of the live document that the
// records of WebFields stand for, and the price the page quotes. A step
// gathers its actions in a batch; the batch runs on the page in one go and
// its report comes later, as an event of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "site/browser_supervision.h"
#include "site/site_page.h"
#include "site/web_browser.h"

namespace vantrope {

class PageActionBatch {
 public:
  // The actions on the page as it is parsed now, at `location`.
  PageActionBatch(const SitePage& page, std::string location) : page_(page), location_(std::move(location)) {}

  // Types the text into every element of the document that the record
  // stands for. The action's number in the report, or -1 when the record
  // takes no text (no such record, no page, not a form record).
  int WebSetValue(size_t index, const std::string& text);
  // The same for a password, typed as it is: its blanks are part of it.
  int WebTypePassword(size_t index, const std::string& password);
  // Clicks the first element a form record stands for, or follows a link
  // record's address once the actions before it have run; -1 when the record
  // takes no click. `only_after_success`: only when every action before it
  // took effect. Nothing can follow a link.
  int WebExecute(size_t index, bool only_after_success = false);
  bool Empty() const { return actions_.empty() && !link_; }

 private:
  friend struct PageActions;
  struct Link {
    int number;
    std::string address;
    bool only_after_success;
  };
  bool CanActOn(size_t index) const;
  int AddSetValue(size_t index, const std::string& value);

  const SitePage& page_;
  std::string location_;
  std::vector<DomAction> actions_;
  std::optional<Link> link_;
};

class PageActionReport {
 public:
  explicit PageActionReport(std::vector<DomActionResult> results) : results_(std::move(results)) {}

  // How many elements took the action; 0 for an action that is not in the
  // batch (-1) or that the page did not answer.
  int Count(int action) const;
  bool Took(int action) const { return Count(action) > 0; }
  // The page did not answer: the action may still have happened.
  bool Unanswered(int action) const;

 private:
  std::vector<DomActionResult> results_;
};

struct PageActions {
  PageActionBatch NewBatch() const { return PageActionBatch(page, browser.LocationUrl()); }
  // Runs the batch on the page; `done` gets its report later, never inside
  // this call.
  void Run(PageActionBatch batch, std::function<void(const PageActionReport&)> done);
  // The price shown in the control slot as a whole percentage of the stake.
  int32_t GetBrokerPercent(uint32_t stake, Slot slot);

  SitePage& page;
  WebBrowser& browser;
  BrowserSupervisor& browser_supervisor;
};

}  // namespace vantrope

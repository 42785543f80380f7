// A browser for tests: the WebBrowser port over the demo broker's site
// model, in-process and on virtual time. A page asked for loads after a
// short delay that the timer host lets pass; forms, links, cookies, redirects
// and history behave as in a real browser, as far as the site needs them.
// The page answers what the port asks of it a few milliseconds later; an
// answer that does not come within the program browser's limit is given as
// "no answer" at the limit, as that browser does.
#pragma once

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/timer.h"
#include "broker/broker_site.h"
#include "site/web_browser.h"
#include "support/test_browser_dom.h"
#include "support/test_browser_error_page.h"
#include "support/test_browser_url.h"

namespace vantrope::testing {

class TestBrowser : public WebBrowser {
 public:
  static constexpr int kDefaultLoadMs = 200;
  static constexpr int kAnswerMs = 5;
  // The program's browser waits this long for the page's answer.
  static constexpr int kNoAnswerMs = 5000;

  TestBrowser(demo::BrokerSite& site, ui::TimerHost& timers, int load_ms = kDefaultLoadMs);

  // Events: before-navigate and a progress change at once; after the load
  // delay another progress change and document-complete. Stopping a load
  // also completes it and keeps the page shown, as the program's browser
  // reports a stopped load. A load that fails on the network completes at
  // its address with the browser's own error page.
  void Navigate(const std::string& url) override;
  void Stop() override;
  bool GoBack() override;
  bool Busy() override;
  std::string LocationUrl() override;
  void ClearHistory() override;
  void SetLoadPictures(bool load) override;

  void ReadDocument(DocumentHandler done) override;
  void RunActions(std::vector<DomAction> actions, ActionsHandler done) override;

  // The same at once, and on elements by their place in the document.
  std::optional<DomDocument> ReadDocument();
  bool SetElementValue(size_t form, size_t element, const std::string& value);
  bool ClickElement(size_t form, size_t element);

  // Beyond the port, for the tests' own checks.
  int Status() const { return status_; }
  // The page's markup as the site served it.
  const std::string& Source() const { return source_; }
  // The value of a cookie the browser keeps for a host name, if any.
  std::optional<std::string> Cookie(const std::string& host_name, const std::string& name) const;
  bool LoadsPictures() const { return load_pictures_; }
  size_t HistoryLength() const { return history_.size(); }

 protected:
  // A click of an action landed on the element with this id.
  virtual void Clicked(const std::string& /*id*/) {}
  // The site's answer to one request; a test may answer in its place.
  virtual demo::Response Respond(const demo::Request& request) { return site_.Handle(request); }
  // A load that never finishes: the browser stays busy until it is stopped
  // or sent elsewhere.
  virtual bool LoadStalls() const { return false; }
  // How long the page at this address takes to load.
  virtual int LoadMs(const std::string& /*address*/) const { return load_ms_; }
  // How a load of this address fails on the network, if it does.
  virtual NetworkFault LoadFault(const std::string& /*address*/) const { return NetworkFault::kNone; }
  // How long the page takes to get to a read or a batch of actions; it acts
  // then. From kNoAnswerMs on, its answer comes too late for the port.
  virtual int PageMs() const { return kAnswerMs; }
  // The page's answer to this batch is lost, though the page acted on it.
  virtual bool AnswerLost(const std::vector<DomAction>& /*actions*/) const { return false; }

 private:
  enum class Step { kForward, kBack };
  struct Pending {
    std::string address;  // the final address, after redirects
    demo::Response response;
    Step step = Step::kForward;
  };

  void Start(const std::string& address, std::optional<BrowserUrl> url, const std::string& method,
             const std::string& body, Step step);
  demo::Request RequestFor(const BrowserUrl& url, const std::string& method, const std::string& body) const;
  // Asks the site, following its redirects; the final address stays in `url`.
  std::optional<demo::Response> Fetch(BrowserUrl& url, std::string method, std::string body);
  void KeepCookies(const BrowserUrl& url, const demo::Response& response);
  std::string CookieHeader(const BrowserUrl& url) const;
  void Finish();
  void Submit(HtmlNode& form, const HtmlNode* submitter);
  HtmlNode* FormElement(size_t form, size_t element);
  int Act(const DomAction& action);
  // The page runs `script` after PageMs(); the answer it gives is passed on
  // then, or, when late or lost, `no_answer` at the port's limit.
  void Ask(std::function<std::function<void()>()> script, bool lost, std::function<void()> no_answer);
  void After(int ms, std::function<void()> then);

  struct PageTask {
    std::function<void()> then;
    std::unique_ptr<ui::Timer> timer;
    bool done = false;
  };

  demo::BrokerSite& site_;
  ui::TimerHost& timers_;
  int load_ms_;
  ui::Timer load_timer_;
  std::list<PageTask> page_tasks_;  // a list: each task's timer holds on to it
  std::optional<Pending> pending_;

  std::unique_ptr<HtmlDocument> document_;
  // The document as last read, until it changes: pages are read every few
  // seconds and seldom change in between.
  std::optional<DomDocument> read_;
  std::string location_;
  int status_ = 0;
  std::string source_;
  std::vector<std::string> history_;
  size_t history_index_ = 0;
  std::map<std::string, std::map<std::string, std::string>> cookies_;  // by host name
  bool load_pictures_ = true;
};

}  // namespace vantrope::testing

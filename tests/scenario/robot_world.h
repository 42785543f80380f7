// The whole robot against the demo broker, in-process and on virtual time:
// the main window with the shipped settings, the test browser on the site.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "broker/broker_site.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "support/test_browser.h"

namespace vantrope::testing {

// The test browser, telling the tests of every press of a buy control, with
// the faults of a real browser to turn on and off: answers late or lost,
// loads failing on the network, the page's process gone.
class ObservedBrowser : public TestBrowser {
 public:
  using TestBrowser::ReadDocument;
  using TestBrowser::TestBrowser;
  void Navigate(const std::string& url) override {
    if (on_navigate) on_navigate(url);
    TestBrowser::Navigate(url);
  }
  void ReadDocument(DocumentHandler done) override {
    TestBrowser::ReadDocument([this, done](const std::optional<DomDocument>& document) {
      Answer([done, document = document_gone ? std::nullopt : document] { done(document); });
    });
  }
  void RunActions(std::vector<DomAction> actions, ActionsHandler done) override {
    if (on_actions) on_actions(actions);
    const size_t count = actions.size();
    // A page without its process does nothing and answers nothing.
    if (document_gone) actions.clear();
    TestBrowser::RunActions(std::move(actions), [this, count, done](const std::vector<DomActionResult>& results) {
      const std::vector<DomActionResult> answer = document_gone ? std::vector<DomActionResult>(count) : results;
      Answer([done, answer] { done(answer); });
    });
  }
  // The page's answers are held back, oldest first, until the test lets
  // each of them go.
  bool hold_answers = false;
  std::vector<std::function<void()>> held_answers;
  void ReleaseHeldAnswer(size_t index) {
    const std::function<void()> answer = held_answers.at(index);
    held_answers.erase(held_answers.begin() + static_cast<std::ptrdiff_t>(index));
    answer();
  }
  // How long the page takes to get to a read or a batch of actions and
  // answer it. From TestBrowser::kNoAnswerMs on, the port answers "no
  // answer" at that limit, and the page still acts when it gets there.
  // What was asked before a change keeps the time it was given.
  int answer_delay_ms = TestBrowser::kAnswerMs;
  // The page's answers to batches of actions are lost (lose_buy_answers:
  // only those with a buy press), though their writes and clicks take
  // effect: the port answers "no answer" at its limit.
  bool lose_answers = false;
  bool lose_buy_answers = false;
  // Loads started meanwhile fail on the network and show the browser's
  // error page.
  NetworkFault network_fault = NetworkFault::kNone;
  // Called with the buy control's id before the press takes effect.
  std::function<void(const std::string&)> on_buy_press;
  std::function<void(const std::string&)> on_navigate;
  std::function<void(const std::vector<DomAction>&)> on_actions;
  // Answers a request in the site's place when it gives an answer.
  std::function<std::optional<demo::Response>(const demo::Request&)> intercept;
  // Loads started meanwhile never finish.
  bool stall_loads = false;
  // How long a page takes to load, where it is not the usual time.
  std::function<std::optional<int>(const std::string& address)> load_ms;
  // The page's process is gone: its document cannot be read and it does
  // nothing of what it is asked.
  bool document_gone = false;

 protected:
  void Clicked(const std::string& id) override {
    if (on_buy_press && IsBuy(id)) on_buy_press(id);
  }
  demo::Response Respond(const demo::Request& request) override {
    if (intercept)
      if (std::optional<demo::Response> response = intercept(request)) return *response;
    return TestBrowser::Respond(request);
  }
  bool LoadStalls() const override { return stall_loads; }
  NetworkFault LoadFault(const std::string& /*address*/) const override { return network_fault; }
  int PageMs() const override { return answer_delay_ms; }
  bool AnswerLost(const std::vector<DomAction>& actions) const override {
    return lose_answers ||
           (lose_buy_answers && std::any_of(actions.begin(), actions.end(), [](const DomAction& a) { return IsBuy(a.id); }));
  }
  int LoadMs(const std::string& address) const override {
    const std::optional<int> ms = load_ms ? load_ms(address) : std::nullopt;
    return ms ? *ms : TestBrowser::LoadMs(address);
  }

 private:
  static bool IsBuy(const std::string& id) { return id == "buy-up" || id == "buy-down"; }
  void Answer(std::function<void()> answer) {
    if (hold_answers)
      held_answers.push_back(std::move(answer));
    else
      answer();
  }
};

class RobotWorld {
 public:
  struct Setting {
    std::string section, key, value;
  };
  // The shipped settings file, with these keys changed (QuickReaction off
  // unless they say otherwise).
  explicit RobotWorld(demo::SiteOptions options = {}, const std::vector<Setting>& settings = {});

  TMainForm& Form() { return *form_; }
  // Lets virtual time pass; the robot's timers and the site's contracts run.
  void Wait(int64_t ms) { clock.Advance(ms); }
  // Opens an address and lets the page load and be parsed.
  void Open(const std::string& url);
  // Types the password and presses Start.
  void Start(const std::string& account, const std::string& password);
  // Raises an indicator signal as the arrow search does, telling the bet
  // cycle; its arrow was first seen `age_ms` ago.
  void Signal(TDirection direction, int64_t age_ms = 0);
  // The program killed and started again on the same folder: the old one
  // runs no shutdown, and the new one has a browser of its own.
  void Restart();
  // Waits in steps until the condition holds or the time is up.
  template <typename Condition>
  bool WaitUntil(Condition condition, int64_t limit_ms, int64_t step_ms = 100) {
    for (int64_t waited = 0; waited <= limit_ms; waited += step_ms) {
      if (condition()) return true;
      clock.Advance(step_ms);
    }
    return condition();
  }

  TempWorkDir dir;
  VirtualClock clock;
  FakeShell shell;
  FakeDialogs dialogs;
  FakeClipboard clipboard;
  FakeSoundPlayer sounds;
  FakeProcessMemory memory;
  FakeWindowSystem windows;

 private:
  class SiteClock : public demo::SiteClock {
   public:
    explicit SiteClock(VirtualClock& clock) : clock_(clock) {}
    int64_t NowMs() override { return clock_.ElapsedMs(); }

   private:
    VirtualClock& clock_;
  };

  SiteClock site_clock_{clock};
  std::unique_ptr<demo::BrokerSite> site_;

 public:
  demo::BrokerSite& Site() { return *site_; }
  std::unique_ptr<ObservedBrowser> browser;

 private:
  void MakeBrowser();
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace vantrope::testing

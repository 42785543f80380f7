#include "scenario/robot_world.h"

#include <fstream>
#include <sstream>

#include "settings/ini_file.h"

namespace vantrope::testing {

RobotWorld::RobotWorld(demo::SiteOptions options, const std::vector<Setting>& settings) {
  site_ = std::make_unique<demo::BrokerSite>(std::move(options), site_clock_);
  MakeBrowser();

  std::ifstream shipped(VANTROPE_SHIPPED_INI, std::ios::binary);
  std::ostringstream text;
  text << shipped.rdbuf();
  dir.WriteFile("Vantrope.ini", text.str());
  IniFile ini("Vantrope.ini");
  // The scenarios keep the bet cycle's own pace unless they ask otherwise.
  ini.WriteString("Binary", "QuickReaction", "0");
  for (const Setting& setting : settings) ini.WriteString(setting.section, setting.key, setting.value);
  ini.Save();
  dir.WriteFile("accounts.txt", "CR100200\nCR100201\nVRTC300\nCR100209\nCR100299\n");

  form_ = std::make_unique<TMainForm>(*platform_);
  form_->CreateWindows();
}

void RobotWorld::MakeBrowser() {
  browser = std::make_unique<ObservedBrowser>(*site_, clock);
  platform_ = std::make_unique<Platform>(
      Platform{clock, clock, shell, dialogs, clipboard, sounds, memory, *browser, windows});
}

void RobotWorld::Restart() {
  form_.reset();
  platform_.reset();
  MakeBrowser();
  form_ = std::make_unique<TMainForm>(*platform_);
  form_->CreateWindows();
}

void RobotWorld::Open(const std::string& url) {
  form_->browser_supervisor.NavigateUrl(url);
  clock.Advance(TestBrowser::kDefaultLoadMs);
  clock.Advance(5000 + TestBrowser::kAnswerMs);  // the parse delay and the page's answer
}

void RobotWorld::Start(const std::string& account, const std::string& password) {
  const auto& accounts = form_->account.cbeLogin.Items();
  for (size_t i = 0; i < accounts.size(); ++i)
    if (accounts[i] == account) form_->account.cbeLogin.SetItemIndex(static_cast<int>(i));
  form_->account.tePassword.SetText(password);
  form_->robot_controls.btRun.onClick();
}

void RobotWorld::Signal(TDirection direction, int64_t age_ms) {
  form_->EVENT.NewSignal = true;
  form_->EVENT.Direction = direction;
  form_->EVENT.SignalTime = clock.MonotonicMs() - age_ms;
  form_->bet_cycle.SignalArrived();
}

}  // namespace vantrope::testing

#include "site/browser_supervision.h"

#include <filesystem>

#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr int kBusyWaitMs = 500;
// A browser that never stops being busy must not freeze the robot.
constexpr int kBusyWaitRounds = 60;
constexpr uint32_t kBrowserEmulationMode = 10000;

constexpr const char* kSecurityPromptTitles[] = {"Security Warning", "Security Alert",
                                                 "Предупреждение о безопасности",
                                                 "Предупреждение системы безопасности"};
constexpr const char* kYesCaptions[] = {"&Yes", "Y&es", "Ye&s", "Yes&", "Yes", "&Да", "Д&а", "Да&", "Да"};

void Restart(ui::Timer& timer) {
  timer.SetEnabled(false);
  timer.SetEnabled(true);
}

}  // namespace

void BrowserSupervisor::IERegister(const std::string& program_path) {
  shell_.RegisterBrowserEmulation(Trim(std::filesystem::path(program_path).filename().string()), kBrowserEmulationMode);
}

void BrowserSupervisor::NavigateUrl(const std::string& url) {
  for (int round = 0; browser_.Busy(); ++round) {
    if (round == kBusyWaitRounds) {
      log_.AddStringToDebugLog(texts_.Text(280));
      break;
    }
    browser_.Stop();
    shell_.ProcessMessages();
    shell_.Sleep(kBusyWaitMs);
    shell_.ProcessMessages();
  }
  browser_.Navigate(url);
  log_.AddStringToDebugLog(url);
}

void BrowserSupervisor::BeforeNavigate(const std::string& url) {
  panel_.pbWEB.SetVisible(true);
  panel_.teWebAddr.SetText(url);
  Restart(tmWebWDT_);
  page_.SiteDataUpdated = false;
}

void BrowserSupervisor::DocumentComplete() {
  panel_.pbWEB.SetVisible(false);
  Restart(tmParserDelay_);
}

void BrowserSupervisor::ProgressChange() { Restart(tmWebWDT2_); }

void BrowserSupervisor::ReloadStalledPage() {
  tmWebWDT_.SetEnabled(false);
  browser_.Stop();
  shell_.ProcessMessages();
  NavigateUrl(AddressShown());
}

void BrowserSupervisor::ReloadSilentPage() {
  tmWebWDT2_.SetEnabled(false);
  log_.AddStringToDebugLog(texts_.Text(136));
  NavigateUrl(AddressShown());
}

void BrowserSupervisor::AnswerSecurityPrompt() {
  WindowHandle prompt = 0;
  for (const char* title : kSecurityPromptTitles)
    if ((prompt = windows_.FindTopLevelWindowByTitle(title)) != 0) break;
  if (prompt == 0) return;
  for (const char* caption : kYesCaptions) {
    if (WindowHandle yes = windows_.FindChildWindow(prompt, "Button", caption)) {
      windows_.ClickButton(yes);
      log_.AddStringToDebugLog(texts_.Text(137));
      return;
    }
  }
}

}  // namespace vantrope

#include "site/browser_supervision.h"

#include <filesystem>

#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr int kBusyWaitMs = 500;
// A browser that never stops being busy must not freeze the robot.
constexpr int kBusyWaitRounds = 60;
constexpr uint32_t kBrowserEmulationMode = 10000;

// The language pack's texts of browser supervision.
enum Text : int { txSilentPageReloaded = 136, txSecurityPromptAnswered = 137, txBusyBrowserNavigated = 280 };

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
  shell.RegisterBrowserEmulation(Trim(std::filesystem::path(program_path).filename().string()), kBrowserEmulationMode);
}

void BrowserSupervisor::NavigateUrl(const std::string& url) {
  for (int round = 0; browser.Busy(); ++round) {
    if (round == kBusyWaitRounds) {
      log.AddStringToDebugLog(texts.Text(txBusyBrowserNavigated));
      break;
    }
    browser.Stop();
    shell.ProcessMessages();
    shell.Sleep(kBusyWaitMs);
    shell.ProcessMessages();
  }
  browser.Navigate(url);
  log.AddStringToDebugLog(url);
}

void BrowserSupervisor::BeforeNavigate(const std::string& url) {
  browser_panel.pbWEB.SetVisible(true);
  browser_panel.teWebAddr.SetText(url);
  Restart(tmWebWDT);
  page.SiteDataUpdated = false;
}

void BrowserSupervisor::DocumentComplete() {
  browser_panel.pbWEB.SetVisible(false);
  Restart(tmParserDelay);
}

void BrowserSupervisor::ProgressChange() { Restart(tmWebWDT2); }

void BrowserSupervisor::ReloadStalledPage() {
  tmWebWDT.SetEnabled(false);
  browser.Stop();
  shell.ProcessMessages();
  NavigateUrl(AddressShown());
}

void BrowserSupervisor::ReloadSilentPage() {
  tmWebWDT2.SetEnabled(false);
  log.AddStringToDebugLog(texts.Text(txSilentPageReloaded));
  NavigateUrl(AddressShown());
}

void BrowserSupervisor::AnswerSecurityPrompt() {
  WindowHandle prompt = 0;
  for (const char* title : kSecurityPromptTitles)
    if ((prompt = windows.FindTopLevelWindowByTitle(title)) != 0) break;
  if (prompt == 0) return;
  for (const char* caption : kYesCaptions) {
    if (WindowHandle yes = windows.FindChildWindow(prompt, "Button", caption)) {
      windows.ClickButton(yes);
      log.AddStringToDebugLog(texts.Text(txSecurityPromptAnswered));
      return;
    }
  }
}

}  // namespace vantrope

#include "site/browser_supervision.h"

#include <filesystem>

#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr uint32_t kBrowserEmulationMode = 10000;

// The language pack's texts of browser supervision.
enum Text : int {
  txSilentPageReloaded = 136,
  txSecurityPromptAnswered = 137,
  txPageDialogAnswered = 281,
  txPageProcessGone = 282,
};

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

// A load in progress is stopped, not waited for: nothing of the robot waits.
void BrowserSupervisor::NavigateUrl(const std::string& url) {
  if (browser.Busy()) browser.Stop();
  page.OwnAddress = url;
  ++page.OwnNavigations;
  browser.Navigate(url);
  log.AddStringToDebugLog(url);
}

bool BrowserSupervisor::GoBack() {
  if (!browser.GoBack()) return false;
  ++page.OwnNavigations;
  return true;
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

// A form's answer is never asked for again: as a plain request its address
// may do anything (a login refused, a buy made twice).
void BrowserSupervisor::ReloadPage() {
  std::optional<std::string> step;
  if (AddressShown() != page.OwnAddress) step = host.StepAddress();
  const std::string address = step.value_or(page.OwnAddress);
  if (!address.empty()) NavigateUrl(address);
}

void BrowserSupervisor::ReloadStalledPage() {
  tmWebWDT.SetEnabled(false);
  browser.Stop();
  ReloadPage();
}

void BrowserSupervisor::ReloadSilentPage() {
  tmWebWDT2.SetEnabled(false);
  log.AddStringToDebugLog(texts.Text(txSilentPageReloaded));
  ReloadPage();
}

void BrowserSupervisor::PageDialogAnswered(PageDialog dialog, const std::string& text) {
  const char* kind = dialog == PageDialog::Alert ? "alert" : dialog == PageDialog::Confirm ? "confirm" : "prompt";
  log.AddStringToDebugLog(texts.Text(txPageDialogAnswered) + " " + kind + ": " + text);
}

void BrowserSupervisor::PageProcessGone() {
  log.AddStringToDebugLog(texts.Text(txPageProcessGone));
  ReloadPage();
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

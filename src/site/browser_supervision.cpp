// The browser's navigation routine, its events, the periodic parse, the two
// watchdogs that reload a stalled or unrecognised page, and the security prompts.
#include <filesystem>

#include "app/main_form.h"
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

void TMainForm::IERegister(const std::string& program_path) {
  platform.shell.RegisterBrowserEmulation(Trim(std::filesystem::path(program_path).filename().string()),
                                          kBrowserEmulationMode);
}

void TMainForm::NavigateUrl(const std::string& url) {
  for (int round = 0; platform.browser.Busy(); ++round) {
    if (round == kBusyWaitRounds) {
      AddStringToDebugLog(Txt(280));
      break;
    }
    platform.browser.Stop();
    platform.shell.ProcessMessages();
    platform.shell.Sleep(kBusyWaitMs);
    platform.shell.ProcessMessages();
  }
  platform.browser.Navigate(url);
  AddStringToDebugLog(url);
}

void TMainForm::WebBrowser1BeforeNavigate2(const std::string& url) {
  browser_panel.pbWEB.SetVisible(true);
  browser_panel.teWebAddr.SetText(url);
  Restart(tmWebWDT);
  page.SiteDataUpdated = false;
}

void TMainForm::WebBrowser1DocumentComplete() {
  browser_panel.pbWEB.SetVisible(false);
  Restart(tmParserDelay);
}

void TMainForm::WebBrowser1ProgressChange() { Restart(tmWebWDT2); }

void TMainForm::tmParserDelayTimer() {
  if (!platform.browser.Busy()) HtmlParser();
}

void TMainForm::tmWebWDTTimer() {
  tmWebWDT.SetEnabled(false);
  platform.browser.Stop();
  platform.shell.ProcessMessages();
  NavigateUrl(browser_panel.teWebAddr.Text());
}

void TMainForm::tmWebWDT2Timer() {
  tmWebWDT2.SetEnabled(false);
  AddStringToDebugLog(Txt(136));
  NavigateUrl(browser_panel.teWebAddr.Text());
}

void TMainForm::tmAutoApplySecurityTimer() {
  WindowSystem& windows = platform.windows;
  WindowHandle prompt = 0;
  for (const char* title : kSecurityPromptTitles)
    if ((prompt = windows.FindTopLevelWindowByTitle(title)) != 0) break;
  if (prompt == 0) return;
  for (const char* caption : kYesCaptions) {
    if (WindowHandle yes = windows.FindChildWindow(prompt, "Button", caption)) {
      windows.ClickButton(yes);
      AddStringToDebugLog(Txt(137));
      return;
    }
  }
}

void TMainForm::teWebAddrButtonClick() { NavigateUrl(browser_panel.teWebAddr.Text()); }

}  // namespace vantrope

// The bet cycle's fault reporter, also used by the page encoder.
#include "app/main_form.h"

namespace vantrope {

namespace {

constexpr int kRetryInterval = 2000;

}  // namespace

// The flag is part of the callers' contract and has no effect.
void TMainForm::BetOnStateFault(const std::string& name, const std::string& text, int /*flag*/) {
  // Between two ticks (the encoder after a delayed parse) the cycle's timer
  // is armed; inside a tick it is off and the tick itself re-arms it.
  const bool between_ticks = tmBetOnState.Enabled();
  AddStringToLog(ltError, Txt(141) + name + "): " + text, true);
  platform.browser.Stop();
  tmBetOnState.SetEnabled(false);
  page.PageIndex = 0;
  page.PageName = site.PageNameOf(0);
  // Left off, no tick would ever come again and the running robot would hang.
  // A login page without its controls is tried again from the start, as the
  // cycle does when it finds them missing itself.
  if (between_ticks && !strategies.pnDown.Enabled()) {
    if (robot.BetOnStatus == 1) robot.BetOnStatus = 0;
    tmBetOnState.SetInterval(kRetryInterval);
    tmBetOnState.SetEnabled(true);
  }
}

void TMainForm::LangCheck() {
  std::string url = platform.browser.LocationUrl();
  const size_t at = url.find("l=RU");
  if (at == std::string::npos) return;
  url.replace(at + 2, 2, "EN");
  NavigateUrl(url);
  page.SiteDataUpdated = false;
  tmBetOnState.SetInterval(6000);
}

}  // namespace vantrope

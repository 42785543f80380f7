// The bet cycle's fault reporter, also used by the page encoder.
#include "app/main_form.h"

namespace vantrope {

// The flag is part of the callers' contract and has no effect.
void TMainForm::BetOnStateFault(const std::string& name, const std::string& text, int /*flag*/) {
  AddStringToLog(ltError, Txt(141) + name + "): " + text, true);
  platform.browser.Stop();
  tmBetOnState.SetEnabled(false);
  PageIndex = 0;
  PageName = PageNameOf(0);
}

}  // namespace vantrope

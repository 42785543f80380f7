// The main window's money displays: the site status with the balances of the
// run, and the account's currency after every money editor.
#include "app/main_form.h"

namespace vantrope {

void TMainForm::ShowSiteDisplays() {
  robot_controls.teSiteStatus.SetText(page.PageName);
  const std::string suffix = " " + page.CurrencyName;
  account.neStartBalanse.SetValue(robot.StartBalance);
  account.neCurrentBalanse.SetValue(page.CurrentBalance);
  const double difference = page.CurrentBalance - robot.StartBalance;
  account.neWinBalanse.SetValue(difference);
  for (ui::NumberEdit* editor : {&account.neStartBalanse, &account.neCurrentBalanse, &account.neWinBalanse})
    editor->SetSuffix(suffix);
  account.neWinBalanse.SetFontColor(difference == 0  ? ui::Rgb(0xC0, 0xC0, 0xC0)
                                    : difference > 0 ? ui::Rgb(0x00, 0x80, 0x00)
                                                     : ui::Rgb(0xFF, 0x00, 0x00));
}

}  // namespace vantrope

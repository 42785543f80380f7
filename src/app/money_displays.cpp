// The main window's money displays: the site status with the balances of the
// run, and the account's currency after every money editor.
#include "app/main_form.h"
#include "engine/strategy_registry.h"

namespace vantrope {

void TMainForm::ShowSiteDisplays() {
  robot_controls.teSiteStatus.SetText(page.PageName);
  const std::string suffix = " " + page.CurrencyName;
  account.ShowBalances(
      {.start = robot.StartBalance, .current = page.CurrentBalance, .win = page.CurrentBalance - robot.StartBalance});
  for (ui::NumberEdit* editor : {&account.neStartBalanse, &account.neCurrentBalanse, &account.neWinBalanse})
    editor->SetSuffix(suffix);
}

void TMainForm::ShowBalances(const RunBalances& balances) { account.ShowBalances(balances); }

void TMainForm::RecordStrategy(THistoryRecord& record) {
  record.Strategy = strategies.StrategyIndex();
  record.Params = HistoryParams(strategies);
}

void TMainForm::ShowCurrencyName(const std::string& currency) {
  const std::string suffix = " " + currency;
  for (ui::NumberEdit* editor : {&account.neStartBalanse, &account.neCurrentBalanse, &account.neWinBalanse,
                                 &robot_controls.neMinBalans, &fmDebug.site_control.neBetOnDebet})
    editor->SetSuffix(suffix);
  for (const StrategyRow& row : StrategyRows())
    for (const StrategyField& field : row.fields)
      if (const auto* money = std::get_if<ui::NumberEdit StrategyPages::*>(&field.control))
        (strategies.**money).SetSuffix(suffix);
}

}  // namespace vantrope

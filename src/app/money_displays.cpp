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
  for (ui::NumberEdit* editor :
       {&account.neStartBalanse, &account.neCurrentBalanse, &account.neWinBalanse, &robot_controls.neMinBalans,
        &fmDebug.site_control.neBetOnDebet, &strategies.neBot0BetSize, &strategies.neBot1MinDeposit,
        &strategies.neBot1BetSize, &strategies.neBot2MinDeposit, &strategies.neBot2BetSize,
        &strategies.neBot3MinDeposit, &strategies.neBot3BetSize, &strategies.neBot4MinDeposit,
        &strategies.neBot4BetSize, &strategies.neBot5WinLimit, &strategies.neBot5Porog, &strategies.neBot5LoseLimit,
        &strategies.neBot5BetSize})
    editor->SetSuffix(suffix);
}

}  // namespace vantrope

// The history record of a finished bet, filled from the robot's state.
#include "app/main_form.h"
#include "ui/money.h"
#include "log/history_file.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

int32_t Rounded(const ui::NumberEdit& editor) { return static_cast<int32_t>(RoundHalfEven(editor.Value())); }

// The active strategy's parameters, read from its editors now.
std::array<int32_t, 8> StrategyParams(const TMainForm& f) {
  switch (f.StrategyIndex()) {
    case 0:
      return {Rounded(f.strategies.neBot0BetSize), f.strategies.cbBot0ReBet.Checked() ? 1 : 0,
              f.strategies.speBot0BetCount.Value()};
    case 1:
      return {Rounded(f.strategies.neBot1BetSize), f.strategies.speBot1ChainCount.Value(),
              f.strategies.speBot1BetCount.Value()};
    case 2:
      return {Rounded(f.strategies.neBot2BetSize), f.strategies.speBot2BetCount.Value(),
              f.strategies.speBot2ChainCount.Value()};
    case 3: return {Rounded(f.strategies.neBot3BetSize), f.strategies.speBot3ChainCount.Value()};
    case 4:
      return {Rounded(f.strategies.neBot4BetSize), f.strategies.speBot4BetCount.Value(),
              f.strategies.speBot4ChainCount.Value()};
    case 5:
      return {Rounded(f.strategies.neBot5WinLimit), Rounded(f.strategies.neBot5LoseLimit),
              f.strategies.speBot5BetCount.Value(), Rounded(f.strategies.neBot5Porog)};
    default: return {};
  }
}

}  // namespace

void TMainForm::AddHistoryRecord(uint8_t result) {
  THistoryRecord record;
  record.Time = robot.BetPlacedTime;
  record.Account = Utf8Left(account.cbeLogin.Text(), 16);
  record.BalanceAtBet = robot.BalanceAtBet;
  record.BalanceAtResult = robot.BalanceAtResult;
  record.Currency = Utf8Left(page.CurrencyName, 3);
  record.Result = result;
  record.Pair = Utf8Left(robot.ChainValute, 9);
  record.Period = Utf8Left(std::to_string(robot.ChainPeriod) + Trim(robot.BetPeriodUnit), 6);
  record.Strategy = StrategyIndex();
  record.Stake = robot.ChainStake;
  record.Direction = robot.ChainDirection;
  record.Params = StrategyParams(*this);
  AppendHistoryRecord(kHistoryFileName, record);
}

}  // namespace vantrope

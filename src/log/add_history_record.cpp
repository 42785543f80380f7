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
    case 0: return {Rounded(f.neBot0BetSize), f.cbBot0ReBet.Checked() ? 1 : 0, f.speBot0BetCount.Value()};
    case 1: return {Rounded(f.neBot1BetSize), f.speBot1ChainCount.Value(), f.speBot1BetCount.Value()};
    case 2: return {Rounded(f.neBot2BetSize), f.speBot2BetCount.Value(), f.speBot2ChainCount.Value()};
    case 3: return {Rounded(f.neBot3BetSize), f.speBot3ChainCount.Value()};
    case 4: return {Rounded(f.neBot4BetSize), f.speBot4BetCount.Value(), f.speBot4ChainCount.Value()};
    case 5:
      return {Rounded(f.neBot5WinLimit), Rounded(f.neBot5LoseLimit), f.speBot5BetCount.Value(),
              Rounded(f.neBot5Porog)};
    default: return {};
  }
}

}  // namespace

void TMainForm::AddHistoryRecord(uint8_t result) {
  THistoryRecord record;
  record.Time = BetPlacedTime;
  record.Account = Utf8Left(cbeLogin.Text(), 16);
  record.BalanceAtBet = BalanceAtBet;
  record.BalanceAtResult = BalanceAtResult;
  record.Currency = Utf8Left(CurrencyName, 3);
  record.Result = result;
  record.Pair = Utf8Left(ChainValute, 9);
  record.Period = Utf8Left(std::to_string(ChainPeriod) + Trim(BetPeriodUnit), 6);
  record.Strategy = StrategyIndex();
  record.Stake = ChainStake;
  record.Direction = ChainDirection;
  record.Params = StrategyParams(*this);
  AppendHistoryRecord(kHistoryFileName, record);
}

}  // namespace vantrope

#include "engine/strategy_pages.h"

#include "strategy/extended_math.h"
#include "ui/money.h"

namespace vantrope {

namespace {

void ShowNeededDeposit(const ui::NumberEdit& stake, const ui::SpinEdit& length, ui::NumberEdit& deposit) {
  deposit.SetValue(NeededDeposit(RoundHalfEven(stake.Value()), length.Value()));
}

}  // namespace

void StrategyPages::cbBot0ReBetClick() {
  const bool count_matters = !cbBot0ReBet.Checked();
  speBot0BetCount.SetVisible(count_matters);
  lbBot0BetCount.SetVisible(count_matters);
}

void StrategyPages::BetOnNeedDepositCalc1() { ShowNeededDeposit(neBot1BetSize, speBot1BetCount, neBot1MinDeposit); }
void StrategyPages::BetOnNeedDepositCalc2() { ShowNeededDeposit(neBot2BetSize, speBot2ChainCount, neBot2MinDeposit); }
void StrategyPages::BetOnNeedDepositCalc3() { ShowNeededDeposit(neBot3BetSize, speBot3ChainCount, neBot3MinDeposit); }
void StrategyPages::BetOnNeedDepositCalc4() { ShowNeededDeposit(neBot4BetSize, speBot4BetCount, neBot4MinDeposit); }

}  // namespace vantrope

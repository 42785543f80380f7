#include "engine/strategy_pages.h"

#include "engine/extended_math.h"
#include "ui/money.h"

namespace vantrope {

namespace {

int32_t Rounded(const ui::NumberEdit& editor) { return RoundHalfEvenTo<int32_t>(editor.Value()); }

void ShowNeededDeposit(const ui::NumberEdit& stake, const ui::SpinEdit& length, ui::NumberEdit& deposit) {
  deposit.SetValue(NeededDeposit(RoundHalfEven(stake.Value()), length.Value()));
}

}  // namespace

const ui::NumberEdit* StrategyPages::InitialStakeEditor() const {
  switch (StrategyIndex()) {
    case stSimpleBet: return &neBot0BetSize;
    case stMartingale: return &neBot1BetSize;
    case stCautiousMartingale: return &neBot2BetSize;
    case stAdaptiveMartingale: return &neBot3BetSize;
    case stMonteCarlo: return &neBot4BetSize;
    case stBalanced: return &neBot5BetSize;
    default: return nullptr;
  }
}

std::array<int32_t, 8> StrategyPages::HistoryParams() const {
  switch (StrategyIndex()) {
    case stSimpleBet: return {Rounded(neBot0BetSize), cbBot0ReBet.Checked() ? 1 : 0, speBot0BetCount.Value()};
    case stMartingale: return {Rounded(neBot1BetSize), speBot1ChainCount.Value(), speBot1BetCount.Value()};
    case stCautiousMartingale: return {Rounded(neBot2BetSize), speBot2BetCount.Value(), speBot2ChainCount.Value()};
    case stAdaptiveMartingale: return {Rounded(neBot3BetSize), speBot3ChainCount.Value()};
    case stMonteCarlo: return {Rounded(neBot4BetSize), speBot4BetCount.Value(), speBot4ChainCount.Value()};
    case stBalanced:
      return {Rounded(neBot5WinLimit), Rounded(neBot5LoseLimit), speBot5BetCount.Value(), Rounded(neBot5Porog)};
    default: return {};
  }
}

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

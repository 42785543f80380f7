// The needed-deposit estimates of the martingale pages and the advance
// threshold button.
#include <array>
#include <string>

#include "app/main_form.h"
#include "ui/money.h"
#include "engine/extended_math.h"
#include "engine/greed_thresholds.h"

namespace vantrope {

namespace {

constexpr std::array<ui::Color, 3> kThresholdColors = {ui::Rgb(255, 0, 0), ui::Rgb(255, 255, 0), ui::Rgb(0, 255, 0)};

void ShowNeededDeposit(const ui::NumberEdit& stake, const ui::SpinEdit& length, ui::NumberEdit& deposit) {
  deposit.SetValue(NeededDeposit(RoundHalfEven(stake.Value()), length.Value()));
}

}  // namespace

void TMainForm::BetOnNeedDepositCalc1() { ShowNeededDeposit(neBot1BetSize, speBot1BetCount, neBot1MinDeposit); }
void TMainForm::BetOnNeedDepositCalc2() { ShowNeededDeposit(neBot2BetSize, speBot2ChainCount, neBot2MinDeposit); }
void TMainForm::BetOnNeedDepositCalc3() { ShowNeededDeposit(neBot3BetSize, speBot3ChainCount, neBot3MinDeposit); }
void TMainForm::BetOnNeedDepositCalc4() { ShowNeededDeposit(neBot4BetSize, speBot4BetCount, neBot4MinDeposit); }

void TMainForm::btGreedClick() {
  GreedPorog = GreedPorog > 0 ? GreedPorog - 1 : 2;
  ShowCurrentGreed();
}

void TMainForm::ShowCurrentGreed() {
  // An index from a damaged settings file would show nothing meaningful and
  // step through values the bet cycle does not know: back to the default.
  if (GreedPorog >= kGreedThresholds.size()) GreedPorog = 0;
  btGreed.SetCaption(std::to_string(kGreedThresholds[GreedPorog]) + "%");
  shGreed.SetBrushColor(kThresholdColors[GreedPorog]);
}

}  // namespace vantrope

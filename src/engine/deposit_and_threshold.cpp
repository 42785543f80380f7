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

void TMainForm::BetOnNeedDepositCalc1() {
  ShowNeededDeposit(strategies.neBot1BetSize, strategies.speBot1BetCount, strategies.neBot1MinDeposit);
}
void TMainForm::BetOnNeedDepositCalc2() {
  ShowNeededDeposit(strategies.neBot2BetSize, strategies.speBot2ChainCount, strategies.neBot2MinDeposit);
}
void TMainForm::BetOnNeedDepositCalc3() {
  ShowNeededDeposit(strategies.neBot3BetSize, strategies.speBot3ChainCount, strategies.neBot3MinDeposit);
}
void TMainForm::BetOnNeedDepositCalc4() {
  ShowNeededDeposit(strategies.neBot4BetSize, strategies.speBot4BetCount, strategies.neBot4MinDeposit);
}

void TMainForm::btGreedClick() {
  robot.GreedPorog = robot.GreedPorog > 0 ? robot.GreedPorog - 1 : 2;
  ShowCurrentGreed();
}

void TMainForm::ShowCurrentGreed() {
  // An index from a damaged settings file would show nothing meaningful and
  // step through values the bet cycle does not know: back to the default.
  if (robot.GreedPorog >= kGreedThresholds.size()) robot.GreedPorog = 0;
  robot_controls.btGreed.SetCaption(std::to_string(kGreedThresholds[robot.GreedPorog]) + "%");
  robot_controls.shGreed.SetBrushColor(kThresholdColors[robot.GreedPorog]);
}

}  // namespace vantrope

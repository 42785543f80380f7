// The needed-deposit editors of the martingale pages and the advance
// threshold button.
#include <gtest/gtest.h>

#include "support/form_fixture.h"

namespace vantrope {
namespace {

class DepositAndThresholdTest : public testing::FormFixture {};

TEST_F(DepositAndThresholdTest, StartUpShowsTheDepositOfEveryPage) {
  WriteSettings(
      "[Robot1]\nBetSize=3\nBetCount=5\n[Robot2]\nBetSize=10\nChainCount=5\n"
      "[Robot3]\nBetSize=3\nChainCount=1\n[Robot4]\nBetSize=3\nBetCount=2\n");
  Start();
  EXPECT_EQ(form->strategies.neBot1MinDeposit.Value(), 107);
  EXPECT_EQ(form->strategies.neBot2MinDeposit.Value(), 354);
  EXPECT_EQ(form->strategies.neBot3MinDeposit.Value(), 2);
  EXPECT_EQ(form->strategies.neBot4MinDeposit.Value(), 5);
}

TEST_F(DepositAndThresholdTest, EditorsOfAPageRecomputeItsDeposit) {
  WriteSettings("[Robot1]\nBetSize=3\nBetCount=5\n[Robot2]\nBetSize=3\nChainCount=5\n");
  Start();
  struct Page {
    ui::NumberEdit& stake;
    ui::SpinEdit& length;
    ui::NumberEdit& deposit;
  };
  for (const Page& page :
       {Page{form->strategies.neBot1BetSize, form->strategies.speBot1BetCount, form->strategies.neBot1MinDeposit},
        Page{form->strategies.neBot2BetSize, form->strategies.speBot2ChainCount, form->strategies.neBot2MinDeposit},
        Page{form->strategies.neBot3BetSize, form->strategies.speBot3ChainCount, form->strategies.neBot3MinDeposit},
        Page{form->strategies.neBot4BetSize, form->strategies.speBot4BetCount, form->strategies.neBot4MinDeposit}}) {
    page.length.SetValue(5);
    page.length.onChange();
    page.stake.SetValue(10);
    page.stake.onExit();
    EXPECT_EQ(page.deposit.Value(), 354);
    page.stake.SetValue(3.4);  // rounded to 3
    page.stake.onChange();
    EXPECT_EQ(page.deposit.Value(), 107);
    page.length.SetValue(2);
    page.length.onChange();
    EXPECT_EQ(page.deposit.Value(), 5);
  }
}

TEST_F(DepositAndThresholdTest, ThresholdButtonCyclesWithItsColours) {
  Start();
  EXPECT_EQ(form->robot_controls.btGreed.Caption(), "100%");
  EXPECT_EQ(form->robot_controls.shGreed.BrushColor(), 255u) << "red";
  form->robot_controls.btGreed.onClick();
  EXPECT_EQ(form->robot.GreedPorog, 2);
  EXPECT_EQ(form->robot_controls.btGreed.Caption(), "60%");
  EXPECT_EQ(form->robot_controls.shGreed.BrushColor(), 65280u) << "lime";
  form->robot_controls.btGreed.onClick();
  EXPECT_EQ(form->robot.GreedPorog, 1);
  EXPECT_EQ(form->robot_controls.btGreed.Caption(), "75%");
  EXPECT_EQ(form->robot_controls.shGreed.BrushColor(), 65535u) << "yellow";
  form->robot_controls.btGreed.onClick();
  EXPECT_EQ(form->robot.GreedPorog, 0);
  EXPECT_EQ(form->robot_controls.btGreed.Caption(), "100%");
  EXPECT_EQ(form->robot_controls.shGreed.BrushColor(), 255u);
}

TEST_F(DepositAndThresholdTest, StartUpShowsTheStoredThreshold) {
  WriteSettings("[Binary]\nGreedPorog=1\n");
  Start();
  EXPECT_EQ(form->robot_controls.btGreed.Caption(), "75%");
  EXPECT_EQ(form->robot_controls.shGreed.BrushColor(), 65535u);
}

TEST_F(DepositAndThresholdTest, ThresholdOutsideTheTableFallsBackToTheDefault) {
  WriteSettings("[Binary]\nGreedPorog=7\n");
  Start();
  EXPECT_EQ(form->robot.GreedPorog, 0);
  EXPECT_EQ(form->robot_controls.btGreed.Caption(), "100%");
  EXPECT_EQ(form->robot_controls.shGreed.BrushColor(), 255u);
}

}  // namespace
}  // namespace vantrope

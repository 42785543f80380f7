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
  EXPECT_EQ(form->neBot1MinDeposit.Value(), 107);
  EXPECT_EQ(form->neBot2MinDeposit.Value(), 354);
  EXPECT_EQ(form->neBot3MinDeposit.Value(), 2);
  EXPECT_EQ(form->neBot4MinDeposit.Value(), 5);
}

TEST_F(DepositAndThresholdTest, EditorsOfAPageRecomputeItsDeposit) {
  WriteSettings("[Robot1]\nBetSize=3\nBetCount=5\n[Robot2]\nBetSize=3\nChainCount=5\n");
  Start();
  struct Page {
    ui::NumberEdit& stake;
    ui::SpinEdit& length;
    ui::NumberEdit& deposit;
  };
  for (const Page& page : {Page{form->neBot1BetSize, form->speBot1BetCount, form->neBot1MinDeposit},
                           Page{form->neBot2BetSize, form->speBot2ChainCount, form->neBot2MinDeposit},
                           Page{form->neBot3BetSize, form->speBot3ChainCount, form->neBot3MinDeposit},
                           Page{form->neBot4BetSize, form->speBot4BetCount, form->neBot4MinDeposit}}) {
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
  EXPECT_EQ(form->btGreed.Caption(), "100%");
  EXPECT_EQ(form->shGreed.BrushColor(), 255u) << "red";
  form->btGreed.onClick();
  EXPECT_EQ(form->GreedPorog, 2);
  EXPECT_EQ(form->btGreed.Caption(), "60%");
  EXPECT_EQ(form->shGreed.BrushColor(), 65280u) << "lime";
  form->btGreed.onClick();
  EXPECT_EQ(form->GreedPorog, 1);
  EXPECT_EQ(form->btGreed.Caption(), "75%");
  EXPECT_EQ(form->shGreed.BrushColor(), 65535u) << "yellow";
  form->btGreed.onClick();
  EXPECT_EQ(form->GreedPorog, 0);
  EXPECT_EQ(form->btGreed.Caption(), "100%");
  EXPECT_EQ(form->shGreed.BrushColor(), 255u);
}

TEST_F(DepositAndThresholdTest, StartUpShowsTheStoredThreshold) {
  WriteSettings("[Binary]\nGreedPorog=1\n");
  Start();
  EXPECT_EQ(form->btGreed.Caption(), "75%");
  EXPECT_EQ(form->shGreed.BrushColor(), 65535u);
}

TEST_F(DepositAndThresholdTest, ThresholdOutsideTheTableFallsBackToTheDefault) {
  WriteSettings("[Binary]\nGreedPorog=7\n");
  Start();
  EXPECT_EQ(form->GreedPorog, 0);
  EXPECT_EQ(form->btGreed.Caption(), "100%");
  EXPECT_EQ(form->shGreed.BrushColor(), 255u);
}

}  // namespace
}  // namespace vantrope

// A martingale chain driven by the debug window's simulators alone: arrows,
// site states and robot calls by hand, no broker.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenario/robot_world.h"

namespace vantrope::testing {
namespace {

class SimulatorScenario : public ::testing::Test {
 protected:
  SimulatorScenario()
      : world({}, {{"Robot0", "Down", "0"},
                   {"Robot1", "Down", "1"},
                   {"Robot1", "BetSize", "3"},
                   {"Robot1", "BetCount", "5"},
                   {"Robot1", "ChainCount", "1"}}) {}
  TMainForm &F() { return world.Form(); }
  TfmDebug &D() { return F().fmDebug; }
  // A site state by its radio button, then the robot called by hand.
  void Site(TSiteState state, double amount = 0) {
    D().site_simulator.NumericEditor1.SetValue(amount);
    D().site_simulator.states.rbState[state].onClick();
    D().site_simulator.Button9.onClick();
    world.Wait(100);  // the bet cycle's tick after a request
  }
  bool Echoed(const std::string &line) {
    const auto &lines = D().mmLog.Lines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string &l) { return l.find(line) != std::string::npos; });
  }

  RobotWorld world;
};

TEST_F(SimulatorScenario, ArrowAndSiteStateButtonsDriveAMartingaleChain) {
  D().site_simulator.CheckBox1.SetChecked(true);
  D().site_simulator.CheckBox1.onClick();
  F().robot_controls.btRun.onClick();
  ASSERT_EQ(F().robot.RobotStatus, rsMartingale) << "a run needs no password with the simulator";
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 1000);

  Site(ssReady);  // the first step of the strategy takes the pair chosen at the
                  // start
  D().arrow_simulator.arrows.btArrowUp.onClick();
  Site(ssReady);
  EXPECT_EQ(F().robot.BetOnStatus, bsBuy) << "the request echoed, nothing done on a page";
  EXPECT_TRUE(Echoed(F().Txt(143) + " 3 frxEURUSD"));
  EXPECT_EQ(F().ledger.Open(), TOpenBet::None) << "a simulated bet is no bet of the account";
  Site(ssWaitingForPrices);
  Site(ssBetMade);
  Site(ssBetLost, 3);
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 997);
  Site(ssReady);
  EXPECT_TRUE(Echoed(F().Txt(143) + " 7 frxEURUSD")) << "the chain's second stake";
  Site(ssBetMade);
  Site(ssBetWon, 5);
  EXPECT_EQ(F().robot.BetCount, 0) << "the chain ended with the win";
  EXPECT_EQ(F().robot.GameCount, 1);
  EXPECT_DOUBLE_EQ(F().page.CurrentBalance, 1002);
  EXPECT_EQ(world.Site().PurchasesAsked(), 0) << "no broker";
}

}  // namespace
}  // namespace vantrope::testing

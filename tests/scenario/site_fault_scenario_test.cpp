// When the site does not answer as it should: prices that never come, a buy
// press whose answer is lost, a login page without its control, pages nobody
// recognises.
#include <gtest/gtest.h>

#include <algorithm>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

class NoPricesScenario : public BetScenario {
 protected:
  NoPricesScenario() : BetScenario(Site(), {}) {}
  static demo::SiteOptions Site() {
    demo::SiteOptions options = Options("W");
    options.withhold_prices = true;
    return options;
  }
};

TEST_F(NoPricesScenario, BetWatchdogGivesUpAfter300Seconds) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsBuy; }, 60'000));
  ASSERT_TRUE(F().tmBetWDT.Enabled());
  const int64_t asked = world.clock.ElapsedMs();
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.BetStatus == ssBetImpossible; }, 400'000));
  const int64_t waited = world.clock.ElapsedMs() - asked;
  EXPECT_GE(waited, 299'000);
  EXPECT_LE(waited, 300'100) << "the watchdog runs from the first bet step, not restarted by later ones";
  EXPECT_EQ(F().robot.BetOnStatus, bsSelectMarket) << "the market is chosen again on the trading address";
  EXPECT_FALSE(F().EVENT.NewSignal);
  EXPECT_EQ(F().EVENT.Direction, drNone);
  EXPECT_FALSE(F().tmBetWDT.Enabled());
  EXPECT_EQ(RowsWith(ltInfo, 174), 1) << "the pending row is closed by the watchdog";
  EXPECT_EQ(RowsOfType(ltBetPending), 0);
  EXPECT_EQ(F().robot.RobotSubStatus, 0) << "the strategy starts over";

  // The cycle goes back to the form and the robot goes on.
  ASSERT_TRUE(ReachReadyForm());
  EXPECT_NE(F().robot.RobotStatus, rsStopped);
  EXPECT_FALSE(RunUntil([&] { return F().robot.BetOnStatus == bsBetRequested; }, 120'000)) << "the signal was dropped";
  EXPECT_EQ(world.Site().PurchasesAsked(), 0);

  // The form is the chosen market's again: once prices come, a signal is bought.
  world.Site().WithholdPrices(false);
  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000));
}

// The page buys but its answer to the press never comes: the bet is
// followed on the pages that come next and never bought a second time.
TEST_F(BetScenario, ABuyPressWithoutAnAnswerIsFollowedToItsResult) {
  world.browser->lose_buy_answers = true;
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000))
      << "step " << F().robot.BetOnStatus << ", site state " << int(F().EVENT.BetStatus);
  EXPECT_EQ(buy_presses, 1);
  EXPECT_EQ(ReadHistoryFile("history.dat").size(), 1u);
  const auto& debug = F().fmDebug.mmLog.Lines();
  EXPECT_TRUE(std::any_of(debug.begin(), debug.end(),
                          [&](const std::string& line) { return line.find(F().Txt(283)) != std::string::npos; }));
}

class MissingLoginControlScenario : public BetScenario {
 protected:
  MissingLoginControlScenario()
      : BetScenario("W", {{"Binary", "PageControl_1", "00<22000><0><no-such-input><><><>"}}) {}
};

TEST_F(MissingLoginControlScenario, FaultNamesTheControlAndTheLoginIsTriedAgain) {
  std::vector<std::pair<int64_t, std::string>> navigations;
  world.browser->on_navigate = [&](const std::string& url) { navigations.emplace_back(world.clock.ElapsedMs(), url); };
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltError) == 1; }, 60'000));
  bool names_control = false;
  for (int row = 0; row < F().event_log.gwLog.RowCount(); ++row)
    if (F().event_log.gwLog.Cell(3, row) == std::to_string(ltError))
      names_control = F().event_log.gwLog.Cell(2, row).find("PageControl_1") != std::string::npos;
  EXPECT_TRUE(names_control) << "the fault line names the missing control";
  const int64_t fault_at = world.clock.ElapsedMs();
  const size_t before = navigations.size();

  // From step 0 again, 2000 ms later: the main address once more.
  ASSERT_TRUE(RunUntil([&] { return navigations.size() > before; }, 10'000)) << "the login is tried again";
  EXPECT_EQ(navigations[before].second, F().site.MainUrl);
  EXPECT_LE(navigations[before].first - fault_at, 2'100);
  EXPECT_EQ(F().robot.BetOnStatus, bsLogIn);
  EXPECT_NE(F().robot.RobotStatus, rsStopped) << "the robot still runs";
  EXPECT_FALSE(F().robot_controls.btRun.Enabled());

  // And again after every failed attempt, never logging in.
  world.Wait(60'000);
  EXPECT_GT(navigations.size(), before + 3);
  EXPECT_EQ(world.Site().PurchasesAsked(), 0);
  EXPECT_EQ(F().robot.StartBalance, 0);
}

// The login page no longer fits its templates: it stays unrecognised.
class UnrecognisedLoginPageScenario : public BetScenario {
 protected:
  UnrecognisedLoginPageScenario()
      : BetScenario("W", {{"Binary", "PageField_0", "01<20002><2><><><><A text that no page shows.>"}}) {}
};

TEST_F(UnrecognisedLoginPageScenario, ProgressWatchdogReloadsTheAddressEvery100Seconds) {
  std::vector<std::pair<int64_t, std::string>> navigations;
  world.browser->on_navigate = [&](const std::string& url) { navigations.emplace_back(world.clock.ElapsedMs(), url); };
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == bsLogIn && F().page.SiteDataUpdated; }, 60'000));
  EXPECT_EQ(F().page.PageIndex, pgNone);
  const size_t before = navigations.size();
  world.Wait(350'000);
  ASSERT_EQ(navigations.size(), before + 3) << "three reloads in 350 s";
  for (size_t i = before; i < navigations.size(); ++i) {
    EXPECT_EQ(navigations[i].second, F().browser_panel.teWebAddr.Text()) << "the address bar's address";
    if (i > before) {
      EXPECT_NEAR(navigations[i].first - navigations[i - 1].first, 100'000, 500);
    }
  }
  EXPECT_EQ(F().robot.BetOnStatus, bsLogIn);
  EXPECT_EQ(F().page.PageIndex, pgNone);
  EXPECT_EQ(RowsOfType(ltError), 0) << "an unrecognised page is no fault";
  EXPECT_EQ(RowsWith(ltInfo, 297), 1) << "a wait past five minutes is told once";
  EXPECT_NE(F().robot.RobotStatus, rsStopped);
}

// The site answers in Russian: the language check switches it to English.
class RussianSiteScenario : public BetScenario {
 protected:
  RussianSiteScenario() : BetScenario("W", {{"Binary", "MainUrl", "http://127.0.0.1:8470/d/contact.cgi?l=RU"}}) {}
};

TEST_F(RussianSiteScenario, LanguageCheckOnTheUnrecognisedPageLeadsToTheLogin) {
  std::vector<std::string> navigations;
  world.browser->on_navigate = [&](const std::string& url) { navigations.push_back(url); };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  ASSERT_GE(navigations.size(), 2u);
  EXPECT_EQ(navigations[0], "http://127.0.0.1:8470/d/contact.cgi?l=RU");
  EXPECT_NE(navigations[1].find("l=EN"), std::string::npos) << "the Russian login page, switched";
  EXPECT_EQ(navigations[1].find("l=RU"), std::string::npos);
  EXPECT_EQ(F().robot.StartBalance, 1250);
  EXPECT_EQ(RowsOfType(ltError), 0);
}

}  // namespace
}  // namespace vantrope::testing

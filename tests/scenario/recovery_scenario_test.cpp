// The robot finds its way back after the site fails it: a session ended, a
// page that never comes, a page with no way out, a price it cannot read.
#include <gtest/gtest.h>

#include <regex>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

constexpr int kSessionEnded = 285;
constexpr int kSiteError = 149;

// The simple strategy with one bet per signal, unless the settings say more.
std::vector<RobotWorld::Setting> OneBetPerSignal(std::vector<RobotWorld::Setting> more = {}) {
  more.push_back({"Robot0", "BetCount", "1"});
  return more;
}

// The first purchase reaches the site with a field of its form rewritten.
void SpoilFirstPurchase(RobotWorld& world, const std::string& field, const std::string& replacement) {
  world.browser->intercept = [&world, field, replacement, spoilt = false](
                                 const demo::Request& request) mutable -> std::optional<demo::Response> {
    if (spoilt || request.path != "/d/buy.cgi") return std::nullopt;
    spoilt = true;
    demo::Request changed = request;
    changed.body = std::regex_replace(request.body, std::regex(field + "=[^&]*"), field + "=" + replacement);
    return world.Site().Handle(changed);
  };
}

class RecoveryScenario : public BetScenario {
 protected:
  RecoveryScenario() : BetScenario(Options("W"), OneBetPerSignal()) {}
  TBetStep Step() { return F().robot.BetOnStatus; }
  bool Won(int rows) {
    return RunUntil([&] { return RowsOfType(ltWin) == rows; }, 900'000);
  }
};

TEST_F(RecoveryScenario, SessionEndedOnTheReadyFormLogsInAgainAndTheSignalIsBought) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Site().EndSessions();
  world.Signal(drUp);
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(world.Site().Contracts().size(), 1u);
  EXPECT_EQ(RowsWith(ltInfo, kSessionEnded), 1);
}

TEST_F(RecoveryScenario, SessionEndedWithAContractOpenStillRecordsItsResult) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsAwaitResult; }, 300'000));
  world.Site().EndSessions();
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(ReadHistoryFile("history.dat").size(), 1u);
  EXPECT_EQ(F().robot.StartBalance, 1250) << "a new login keeps the run's start balance";
}

// The site ends the session right after it sold the contract: the page that
// answers the buy press is the login page, and the robot logs in again and
// follows the contract to its result.
TEST_F(RecoveryScenario, SessionEndedByThePurchaseStillRecordsItsResult) {
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (request.path != "/d/buy.cgi") return std::nullopt;
    demo::Response sold = world.Site().Handle(request);
    world.Site().EndSessions();
    return sold;
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(world.Site().Contracts().size(), 1u);
}

// The receipt never loads for six minutes after the purchase: the bet
// watchdog's five minutes pass while the contract is open.
TEST_F(RecoveryScenario, BetWatchdogNeverDropsABoughtContract) {
  world.browser->on_buy_press = [&](const std::string& id) {
    OnBuyPress(id);
    world.browser->stall_loads = true;
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return world.browser->stall_loads; }, 300'000));
  RunUntil([] { return false; }, 360'000);
  world.browser->stall_loads = false;
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(RowsWith(ltInfo, 174), 0) << "the bet was not given up";
  EXPECT_EQ(world.Site().Contracts().size(), 1u);
}

// The second press buys, but its answer is an error page; going back shows
// a prices-changed page, as the first press got. That is no refusal of the
// second: the portfolio tells, and the contract is bought once.
TEST_F(RecoveryScenario, PricesChangedPageGotBackToAfterTheBuyIsNoRefusal) {
  std::optional<demo::Response> refused;
  int posts = 0;
  bool went_back = false;
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (posts == 2 && !went_back && request.path == "/d/trade.cgi") {
      went_back = true;
      return refused;
    }
    if (request.path != "/d/buy.cgi") return std::nullopt;
    if (++posts == 1) {
      world.Site().ChangePrices();
      refused = world.Site().Handle(request);
      return refused;
    }
    if (posts > 2) return std::nullopt;
    world.Site().Handle(request);
    demo::Request missing = request;
    missing.method = "GET";
    missing.path = "/d/missing.cgi";
    missing.body.clear();
    return world.Site().Handle(missing);
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
  EXPECT_TRUE(went_back);
  EXPECT_EQ(posts, 2);
  EXPECT_EQ(world.Site().Contracts().size(), 1u);
  EXPECT_GT(ReadHistoryFile("history.dat").at(0).Time, 0) << "the time the purchase was first seen";
}

TEST_F(RecoveryScenario, LeavingTheTradingFormWithdrawsTheReadyState) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  F().browser_supervisor.NavigateUrl(F().site.PortFolioUrl);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsSelectMarket; }, 60'000));
  EXPECT_EQ(F().EVENT.BetStatus, ssNotReady) << "no strategy step may ask for a bet off the form";
}

TEST_F(RecoveryScenario, PricesChangedPageWhileTheContractIsOpenGoesBackToThePortfolio) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsAwaitResult; }, 300'000));
  F().browser_supervisor.NavigateUrl(F().site.ReturnUrl + "&market=forex&notice=changed");
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
}

TEST_F(RecoveryScenario, PriceThatDoesNotReadAsANumberIsNeverBought) {
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (request.query.find("get_prices") == std::string::npos) return std::nullopt;
    demo::Response response = world.Site().Handle(request);
    response.body = std::regex_replace(response.body, std::regex(R"(name="price" value="[0-9.]+")"),
                                       R"(name="price" value="n/a")");
    return response;
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltInfo, 286) == 1; }, 300'000));
  EXPECT_EQ(world.Site().PurchasesAsked(), 0);
}

// The receipt sends the browser on to the portfolio: the confirmation is
// seen there, and the history record still has its time.
TEST_F(RecoveryScenario, ConfirmationSeenOnThePortfolioStampsTheBet) {
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (request.path != "/d/receipt.cgi") return std::nullopt;
    demo::Response response;
    response.status = 303;
    response.headers = {{"Location", F().site.PortFolioUrl}};
    return response;
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1));
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_GT(records[0].Time, 0) << "the time the bet was confirmed";
}

demo::Response ServerError() {
  demo::Response response;
  response.status = 500;
  response.body = "<html><body><h1>Internal Server Error</h1></body></html>";
  return response;
}

// The site's main page shows on the ready form (a redirect after a new
// login, say): it does not change by itself, the trading page is opened.
TEST_F(RecoveryScenario, MainPageOnTheReadyFormLeadsBackToTheForm) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  F().browser_supervisor.NavigateUrl(F().site.MainUrl);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsSelectMarket; }, 60'000)) << "step " << Step();
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1));
}

// The main page met while the market is chosen, or while a purchase awaits
// its confirmation, does not change by itself: the robot opens the trading
// page, or follows its bet on the portfolio.
TEST_F(RecoveryScenario, MainPageWhileChoosingTheMarketOrAwaitingTheConfirmation) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return Step() == bsSelectMarket; }, 60'000));
  F().browser_supervisor.NavigateUrl(F().site.MainUrl);
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsAwaitConfirmation; }, 60'000));
  F().browser_supervisor.NavigateUrl(F().site.MainUrl);
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
}

// An error page with no page left to go back to (after a long run of error
// pages, or a history cleared): the robot starts again from the main address.
TEST_F(RecoveryScenario, ErrorPageWithNothingToGoBackToStartsFromTheMainAddress) {
  F().EVENT.Period = 5;
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsAwaitResult; }, 300'000));
  F().browser_supervisor.NavigateUrl("http://127.0.0.1:8470/d/nowhere.cgi?l=EN");
  ASSERT_TRUE(RunUntil([&] { return F().page.PageIndex == pgPageNotFound; }, 60'000));
  world.browser->ClearHistory();
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
}

// A way back from an error page lands on the trading page of the site's
// first market, whose pair selector has no forex pair: the robot chooses the
// market again rather than wait there, and the signal is bought.
TEST_F(RecoveryScenario, TradingPageOfAnotherMarketIsLeftForTheMarketChoice) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  F().browser_supervisor.NavigateUrl("http://127.0.0.1:8470/d/trade.cgi?l=EN");
  RunUntil([] { return false; }, 30'000);
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
  ASSERT_EQ(world.Site().Contracts().size(), 1u);
  EXPECT_EQ(world.Site().Contracts()[0].instrument, "frxEURUSD");
}

// The trading address answers with an error page, which its address alone
// makes the trading page: no form to bet on, never reported ready.
TEST_F(RecoveryScenario, ErrorPageAtTheTradingAddressIsNoFormToBetOn) {
  bool failing = true;
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (failing && request.path == "/d/trade.cgi") return ServerError();
    return std::nullopt;
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return Step() == bsSelectMarket; }, 120'000));
  EXPECT_FALSE(RunUntil([&] { return F().EVENT.BetStatus == ssReady; }, 180'000));
  failing = false;
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1));
}

// The buy's answer is a page the robot does not know: a proxy's error page,
// or a pop-up's site it is sent on to. The buy is never asked for again (a
// site whose buy is a plain request would buy again); the portfolio tells
// the result.
class UnknownAnswerToTheBuy : public BetScenario, public ::testing::WithParamInterface<bool> {
 protected:
  UnknownAnswerToTheBuy() : BetScenario(Options("W"), OneBetPerSignal()) {}
};

TEST_P(UnknownAnswerToTheBuy, IsNeverBoughtAgainAndThePortfolioTellsTheResult) {
  const bool to_another_site = GetParam();
  int buys_asked_again = 0;
  world.browser->intercept = [&](const demo::Request& request) -> std::optional<demo::Response> {
    if (request.host == "offers.example") {
      demo::Response offer;
      offer.body = "<html><body><p>Special offer</p></body></html>";
      return offer;
    }
    if (request.path != "/d/buy.cgi") return std::nullopt;
    if (request.method != "POST") {
      ++buys_asked_again;
      return std::nullopt;
    }
    world.Site().Handle(request);
    if (!to_another_site) return ServerError();
    demo::Response sent_on;
    sent_on.status = 303;
    sent_on.headers = {{"Location", "http://offers.example/special"}};
    return sent_on;
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 900'000))
      << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(buys_asked_again, 0);
  EXPECT_EQ(world.Site().Contracts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Answers, UnknownAnswerToTheBuy, ::testing::Bool());

// The page's process ends while the robot waits for a five-minute
// contract's result, and no page shows for minutes: once pages load again,
// the portfolio is loaded until the result shows, however long the wait was.
TEST_F(RecoveryScenario, LongWaitForTheResultStillLoadsThePortfolioUntilTheResult) {
  F().EVENT.Period = 5;
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsAwaitResult; }, 300'000));
  world.browser->stall_loads = world.browser->document_gone = true;
  world.browser->onPageProcessGone();
  RunUntil([] { return false; }, 150'000);
  world.browser->stall_loads = world.browser->document_gone = false;
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
}

// The purchase meets a prices-changed page whose form is the site's default,
// of another market: the robot never buys that form's contract, asks for
// prices on the bet's own form and buys the bet once.
TEST_F(RecoveryScenario, PricesChangedPageOfAnotherFormIsNeverBought) {
  // A quote the site does not know: its prices-changed page shows its default form.
  SpoilFirstPurchase(world, "quote", "0");
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(Won(1)) << "step " << Step() << ", page " << int(F().page.PageIndex);
  ASSERT_EQ(world.Site().Contracts().size(), 1u);
  EXPECT_EQ(world.Site().Contracts()[0].instrument, "frxEURUSD");
  EXPECT_EQ(presses_after_stale_prices, 1) << "the strategy waited for the bet's outcome";
}

// A contract of an earlier run is still open when the robot logs in: it
// settling during the next bet would change the balance that bet's result is
// read from, so the robot waits for it first.
TEST_F(RecoveryScenario, ContractOfAnEarlierRunIsWaitedForBeforeTheNextBet) {
  F().EVENT.Period = 5;
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return Step() == bsAwaitResult; }, 300'000));
  F().robot_controls.btStop.onClick();
  all_bets_finished = false;
  world.Wait(10'000);
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().EVENT.BetStatus == ssReady; }, 600'000));
  EXPECT_TRUE(world.Site().Contracts()[0].settled) << "ready only once the earlier contract settled";
  world.Signal(drDown);
  ASSERT_TRUE(Won(1));
  const demo::Contract& second = world.Site().Contracts().at(1);
  EXPECT_NEAR(F().EVENT.Result, static_cast<double>(second.payout - second.price) / 100, 0.005);
}

// A purchase refused for a stale price, and then no price comes: the bet is
// a request again, and the bet watchdog gives it up.
TEST_F(RecoveryScenario, RefusedPurchaseWithoutNewPricesIsGivenUp) {
  world.browser->on_buy_press = [&](const std::string& id) {
    OnBuyPress(id);
    world.Site().ChangePrices();
    world.Site().WithholdPrices(true);
  };
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltInfo, 174) == 1; }, 600'000)) << "step " << Step();
  EXPECT_EQ(world.Site().Contracts().size(), 0u);
}

// The account is disabled while the robot logs in: the run ends with the
// fault instead of logging in for ever.
class DisabledWhileLoggingIn : public BetScenario, public ::testing::WithParamInterface<TBetStep> {};

TEST_P(DisabledWhileLoggingIn, EndsTheRun) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.BetOnStatus == GetParam(); }, 120'000));
  world.Site().DisableAccount("CR100200");
  ASSERT_TRUE(RunUntil([&] { return F().robot.RobotStatus == rsStopped; }, 120'000))
      << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex);
  EXPECT_EQ(RowsOfType(ltError), 1);
  EXPECT_EQ(RowsWith(ltError, kSiteError), 1) << "the page that says so, not a login refused";
}

INSTANTIATE_TEST_SUITE_P(Steps, DisabledWhileLoggingIn, ::testing::Values(bsLoggedIn, bsReadBalance, bsOpenTrading));

// A martingale chain keeps its pair when the chart changes in the middle of it.
class ChainScenario : public BetScenario {
 protected:
  ChainScenario()
      : BetScenario(Options("LW"), {{"Robot0", "Down", "0"},
                                    {"Robot1", "Down", "1"},
                                    {"Robot1", "ChainCount", "1"},
                                    {"Robot1", "BetCount", "2"}}) {
    requested_substep = 2;
  }
};

// The site turns the chain's first purchase down after its press: the bet
// counted for it never was, and the chain keeps its full length.
TEST_F(ChainScenario, PurchaseTheSiteTurnedDownIsNotCountedInTheChain) {
  SpoilFirstPurchase(world, "contract_type", "NONE");
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsWith(ltInfo, 159) == 1; }, 600'000)) << "no bet";
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drDown);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 900'000));
  const std::vector<demo::Contract>& contracts = world.Site().Contracts();
  ASSERT_EQ(contracts.size(), 2u) << "a chain of two bets: lost, then won";
  EXPECT_EQ(contracts[1].payout, 700);
}

TEST_F(ChainScenario, ChartChangeInTheMiddleOfAChainKeepsTheChainsPair) {
  Start("CR100200", "demo200");
  ASSERT_TRUE(ReachReadyForm());
  world.Signal(drUp);
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltLost) == 1; }, 600'000));
  F().EVENT.Valute = "frxGBPUSD";
  F().EVENT.ValuteChanged = true;
  ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 600'000));
  const std::vector<demo::Contract>& contracts = world.Site().Contracts();
  ASSERT_EQ(contracts.size(), 2u);
  EXPECT_EQ(contracts[1].instrument, contracts[0].instrument);
}

}  // namespace
}  // namespace vantrope::testing

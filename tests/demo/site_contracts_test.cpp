// Contracts on virtual time: expiry by duration and time scale, scripted
// and seeded outcomes, payouts, and the account disabled by its contracts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "demo_world.h"
#include "site/page_search.h"

namespace vantrope::testing {
namespace {

using ::testing::HasSubstr;

class DemoSiteContracts : public ::testing::Test {
 protected:
  void Start(demo::SiteOptions options, const std::string& account = "CR100200",
             const std::string& password = "demo200") {
    world = std::make_unique<DemoWorld>(std::move(options));
    world->Open("http://127.0.0.1:8470/d/login.cgi?l=EN");
    world->Set(FormById("loginid"), account);
    world->Set(FormById("password"), password);
    world->Press(FormById("login"));
  }

  // Buys a contract of the form's instrument; its price.
  double Buy(const std::string& side, const std::string& duration, const std::string& unit,
             const std::string& start = "now") {
    world->Open(std::string(kReturnUrl) + "&market=forex");
    world->Set(FormById("duration_amount"), duration);
    world->Set(FormById("duration_unit"), unit);
    world->Set(FormById("date_start"), start);
    world->Press(FormById("get-prices"));
    const double price = CostTranslate(world->Value(FormById("price-" + side)));
    EXPECT_TRUE(world->Press(FormById("buy-" + side)));
    EXPECT_THAT(world->browser.LocationUrl(), HasSubstr("/d/receipt.cgi"));
    return price;
  }

  double Balance() {
    world->Open(kPortFolioUrl);
    return CostTranslate(world->Value(TableCell(1, 2, 2)));
  }
  std::string OpenCount() {
    world->Open(kPortFolioUrl);
    return world->Value(TableCell(1, 3, 2));
  }
  // The result cell of the latest settled contract.
  std::string LatestResult() {
    world->Open(kPortFolioUrl);
    return world->Value(TableCell(3, 2, 6));
  }

  std::unique_ptr<DemoWorld> world;
};

TEST_F(DemoSiteContracts, ContractExpiresAfterItsDurationDividedByTheTimeScale) {
  demo::SiteOptions options;
  options.time_scale = 20;
  Start(options);
  // The price request and the purchase each take one load.
  const int64_t bought_at = world->clock.ElapsedMs() + 2 * TestBrowser::kDefaultLoadMs;
  Buy("up", "5", "m");
  const std::string cookie = "vt_session=" + world->browser.Cookie("127.0.0.1", "vt_session").value_or("");
  auto portfolio_at = [&](int64_t ms) {
    world->Wait(bought_at + ms - world->clock.ElapsedMs());
    return Ask(world->site, "GET", "http://127.0.0.1:8470/d/portfolio.cgi?l=EN", "", cookie).body;
  };
  // 5 minutes at 20 times the pace: 15 seconds; the time left shows in the contract's own time.
  EXPECT_THAT(portfolio_at(3000), HasSubstr("<td>4:00</td>"));
  EXPECT_THAT(portfolio_at(14999), HasSubstr("<td>0:01</td>"));
  EXPECT_THAT(portfolio_at(14999), HasSubstr("<td>: 1</td>"));
  EXPECT_THAT(portfolio_at(15000), HasSubstr("<td>: 0</td>"));
}

TEST_F(DemoSiteContracts, ScriptedOutcomesInTheOrderContractsSettle) {
  demo::SiteOptions options;
  options.script = "WLL";
  Start(options);
  const double start = Balance();
  const double first = Buy("up", "60", "s");
  const double second = Buy("down", "30", "s");  // settles first
  EXPECT_DOUBLE_EQ(Balance(), start - first - second);
  EXPECT_EQ(OpenCount(), ": 2");

  world->Wait(30000);
  EXPECT_EQ(OpenCount(), ": 1");
  EXPECT_EQ(LatestResult(), "Won");
  EXPECT_NEAR(Balance(), start - first - second + 10.00, 1e-9);
  EXPECT_EQ(world->Value(TableCell(3, 2, 3)), "Fall");

  world->Wait(30000);
  EXPECT_EQ(OpenCount(), ": 0");
  EXPECT_EQ(LatestResult(), "Lost");
  EXPECT_NEAR(Balance(), start - first - second + 10.00, 1e-9);

  // The script's third letter, then its first again.
  Buy("up", "15", "s");
  world->Wait(15000);
  EXPECT_EQ(LatestResult(), "Lost");
  Buy("up", "15", "s");
  world->Wait(15000);
  EXPECT_EQ(LatestResult(), "Won");
}

TEST_F(DemoSiteContracts, ResultRowShowsThePayoutLessThePriceOrThePriceLost) {
  demo::SiteOptions options;
  options.script = "WL";
  Start(options);
  const double won_price = Buy("up", "15", "s");
  world->Wait(15000);
  world->Open(kPortFolioUrl);
  EXPECT_EQ(world->Value(TableCell(3, 2, 6)), "Won");
  EXPECT_NEAR(CostTranslate(world->Value(TableCell(3, 2, 7))), 10.00 - won_price, 1e-9);
  const double lost_price = Buy("up", "15", "s");
  world->Wait(15000);
  world->Open(kPortFolioUrl);
  EXPECT_EQ(world->Value(TableCell(3, 2, 6)), "Lost");
  EXPECT_NEAR(CostTranslate(world->Value(TableCell(3, 2, 7))), -lost_price, 1e-9);
  EXPECT_EQ(world->Value(TableCell(3, 3, 6)), "Won");  // the earlier one below
}

TEST_F(DemoSiteContracts, ForwardStartExpiresAfterItsStartAndDuration) {
  demo::SiteOptions options;
  options.time_scale = 60;
  Start(options);
  Buy("up", "1", "m", "5");
  // 5 minutes to the start and 1 minute of duration, at 60 times the pace: 6 seconds.
  world->Wait(6000 - 2 * TestBrowser::kDefaultLoadMs);
  EXPECT_EQ(OpenCount(), ": 1");
  world->Wait(TestBrowser::kDefaultLoadMs * 2);
  EXPECT_EQ(OpenCount(), ": 0");
}

// The outcomes and prices of a seed, one contract after another.
std::vector<std::string> RunOfSeed(uint32_t seed, int contracts) {
  demo::SiteOptions options;
  options.seed = seed;
  options.accounts = {{"CR100200", "demo200", 100000000}};
  DemoWorld world(options);
  world.Open("http://127.0.0.1:8470/d/login.cgi?l=EN");
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  std::vector<std::string> seen;
  for (int i = 0; i < contracts; ++i) {
    world.Open(std::string(kReturnUrl) +
               "&market=forex&underlying=frxEURUSD&duration_amount=15&duration_unit=s"
               "&get_prices=1");
    seen.push_back(world.Value(FormById("price-up")));
    world.Press(FormById("buy-up"));
    world.Wait(15000);
    world.Open(kPortFolioUrl);
    seen.push_back(world.Value(TableCell(3, 2, 6)));
  }
  return seen;
}

TEST(DemoSiteChance, SameSeedGivesTheSameRunAndAnotherSeedAnother) {
  const std::vector<std::string> first = RunOfSeed(11, 24);
  EXPECT_EQ(RunOfSeed(11, 24), first);
  EXPECT_NE(RunOfSeed(12, 24), first);
  const auto wins = std::count(first.begin(), first.end(), "Won");
  const auto losses = std::count(first.begin(), first.end(), "Lost");
  EXPECT_EQ(wins + losses, 24);
  EXPECT_GT(wins, 0);
  EXPECT_GT(losses, 0);
}

TEST(DemoSiteChance, ScriptOfOtherLettersIsRefused) {
  demo::SiteOptions options;
  options.script = "WLX";
  VirtualClock clock;
  VirtualSiteClock site_clock(clock);
  EXPECT_THROW(demo::BrokerSite(options, site_clock), std::invalid_argument);
  options.script = "";
  options.time_scale = 0;
  EXPECT_THROW(demo::BrokerSite(options, site_clock), std::invalid_argument);
}

TEST_F(DemoSiteContracts, AccountIsDisabledWhenItsLimitOfContractsHasSettled) {
  Start({}, "CR100209", "demo209");
  Buy("up", "15", "s");
  world->Wait(15000);
  EXPECT_EQ(OpenCount(), ": 0");
  Buy("up", "15", "s");
  world->Wait(15000);
  for (const char* url : {kPortFolioUrl, kReturnUrl, kMainUrl}) {
    world->Open(url);
    EXPECT_EQ(world->browser.Status(), 403) << url;
    EXPECT_EQ(world->Value(TextContaining(kKindText, "has been disabled")),
              "Your account CR100209 has been disabled. Trading is no longer possible.");
    EXPECT_EQ(world->Find(LinkById("nav-trade")), -1);
  }
  ASSERT_TRUE(world->Press(LinkById("disabled-logout")));
  EXPECT_EQ(world->browser.LocationUrl(), "http://127.0.0.1:8470/d/login.cgi?l=EN");
}

TEST_F(DemoSiteContracts, TieOfTheScriptPaysThePriceBack) {
  demo::SiteOptions options;
  options.script = "T";
  Start(options);
  const double start = Balance();
  const double price = Buy("down", "15", "s");
  EXPECT_DOUBLE_EQ(Balance(), start - price);
  world->Wait(15000);
  EXPECT_EQ(LatestResult(), "Tie");
  EXPECT_EQ(world->Value(TableCell(3, 2, 7)), "USD +0.00");
  EXPECT_DOUBLE_EQ(Balance(), start);
}

TEST_F(DemoSiteContracts, FixedPriceShareMakesEveryPriceThatShareOfThePayout) {
  demo::SiteOptions options;
  options.price_share = 75;
  Start(options);
  for (int i = 0; i < 3; ++i) {
    world->Open(std::string(kReturnUrl) + "&market=forex");
    world->Set(FormById("amount"), "3");
    world->Press(FormById("get-prices"));
    EXPECT_EQ(world->Value(FormById("price-up")), "2.25");
    EXPECT_EQ(world->Value(FormById("price-down")), "2.25");
  }
  options.price_share = 100;
  VirtualClock clock;
  VirtualSiteClock site_clock(clock);
  EXPECT_THROW(demo::BrokerSite(options, site_clock), std::invalid_argument);
}

// The hidden price is read back by the purchase: no thousands separator.
TEST_F(DemoSiteContracts, PriceOfAThousandOrMoreIsBought) {
  demo::SiteOptions options;
  options.price_share = 75;
  Start(options, "VRTC300", "demo300");
  world->Open(std::string(kReturnUrl) + "&market=forex");
  world->Set(FormById("amount"), "2000");
  world->Press(FormById("get-prices"));
  EXPECT_EQ(world->Value(FormById("price-up")), "1500.00");
  EXPECT_TRUE(world->Press(FormById("buy-up")));
  EXPECT_THAT(world->browser.LocationUrl(), HasSubstr("/d/receipt.cgi"));
}

TEST_F(DemoSiteContracts, WithheldPricesLeaveTheFormWithoutPrices) {
  demo::SiteOptions options;
  options.withhold_prices = true;
  Start(options);
  world->Open(std::string(kReturnUrl) + "&market=forex");
  world->Press(FormById("get-prices"));
  EXPECT_EQ(world->browser.Status(), 200);
  EXPECT_THAT(world->browser.LocationUrl(), HasSubstr("get_prices=1"));
  EXPECT_EQ(world->browser.Source().find("buy-up"), std::string::npos);
  EXPECT_EQ(world->browser.Source().find("price-up"), std::string::npos);
  EXPECT_NE(world->browser.Source().find("get-prices"), std::string::npos) << "the form is there";
}

TEST_F(DemoSiteContracts, PurchasesAskedAreCounted) {
  Start({});
  EXPECT_EQ(world->site.PurchasesAsked(), 0);
  Buy("up", "15", "s");
  EXPECT_EQ(world->site.PurchasesAsked(), 1);
  // A purchase refused as stale is asked for all the same.
  world->Open(std::string(kReturnUrl) + "&market=forex");
  world->Press(FormById("get-prices"));
  world->Wait(31000);
  world->Press(FormById("buy-down"));
  EXPECT_THAT(world->browser.LocationUrl(), HasSubstr("notice=changed"));
  EXPECT_EQ(world->site.PurchasesAsked(), 2);
  ASSERT_EQ(world->site.Accounts().size(), demo::DemoAccounts().size());
  EXPECT_EQ(world->site.Accounts()[0].number, "CR100200");
}

}  // namespace
}  // namespace vantrope::testing

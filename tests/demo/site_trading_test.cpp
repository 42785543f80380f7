// The trading page, prices, buying and the pages a purchase can end on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "demo_world.h"
#include "site/page_search.h"
#include "event/pair_table.h"

namespace vantrope::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kForex = std::string(kReturnUrl) + "&market=forex";

class DemoSiteTrading : public ::testing::Test {
 protected:
  explicit DemoSiteTrading(demo::SiteOptions options = {}) : world(std::move(options)) {
    world.Open("http://127.0.0.1:8470/d/login.cgi?l=EN");
    world.Set(FormById("loginid"), "CR100200");
    world.Set(FormById("password"), "demo200");
    world.Press(FormById("login"));
  }

  // Asks for prices of `amount` with the form's other fields as the page has them.
  void AskPrices(const std::string& amount, const std::string& basis = "payout") {
    world.Open(kForex);
    ASSERT_TRUE(world.Set(FormById("amount"), amount));
    ASSERT_TRUE(world.Set(FormById("basis"), basis));
    ASSERT_TRUE(world.Press(FormById("get-prices")));
  }

  std::string Cookie() { return "vt_session=" + world.browser.Cookie("127.0.0.1", "vt_session").value_or(""); }

  DemoWorld world;
};

TEST_F(DemoSiteTrading, ForexTabLeadsToAnAddressNamingTheMarket) {
  world.Open(kReturnUrl);
  EXPECT_EQ(world.Value(TextContaining(kKindText, "Market:")), "Market: Indices");
  EXPECT_EQ(world.Find(FormById("buy-up")), -1);
  ASSERT_TRUE(world.Press(LinkById("tab-forex")));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("market=forex"));
  EXPECT_EQ(world.Value(TextContaining(kKindText, "Market:")), "Market: Forex");
}

TEST_F(DemoSiteTrading, InstrumentSelectorOffersTheCodesOfThePairTable) {
  world.Open(kForex);
  std::set<std::string> expected;
  for (const CurrencyPair& pair : kPairTable) expected.insert(pair.code);
  const std::string& source = world.browser.Source();
  std::set<std::string> offered;
  for (size_t at = source.find("<option value=\"frx"); at != std::string::npos;
       at = source.find("<option value=\"frx", at + 1))
    offered.insert(source.substr(at + 15, 9));
  EXPECT_EQ(offered, expected);
  // Every code can be chosen, as the robot does.
  for (const std::string& code : expected) EXPECT_TRUE(world.Set(FormById("underlying"), code)) << code;
  EXPECT_FALSE(world.Set(FormById("underlying"), "frxXXXYYY"));
}

TEST_F(DemoSiteTrading, FormTakesTheRobotsValues) {
  world.Open(kForex);
  EXPECT_TRUE(world.Set(FormById("group"), "all"));
  EXPECT_TRUE(world.Set(FormById("date_start"), "now"));
  for (const char* unit : {"s", "m", "h", "d"}) EXPECT_TRUE(world.Set(FormById("duration_unit"), unit)) << unit;
  EXPECT_TRUE(world.Set(FormById("duration_amount"), "30"));
  EXPECT_TRUE(world.Set(FormById("amount"), "3"));
  EXPECT_FALSE(world.Set(FormById("amount"), "3 USD"));
}

TEST_F(DemoSiteTrading, PricesAreSeventyToEightyFivePercentOfThePayout) {
  for (int i = 0; i < 40; ++i) {
    AskPrices("10");
    for (const std::string side : {"up", "down"}) {
      const double price = CostTranslate(world.Value(FormById("price-" + side)));
      EXPECT_GE(price, 7.00);
      EXPECT_LE(price, 8.50);
    }
  }
  // The visible blocks say the same as the hidden prices, up first.
  const std::string up = world.Value(FormById("price-up"));
  const std::string down = world.Value(FormById("price-down"));
  EXPECT_EQ(world.Value(TextContaining(kKindText, "Price:")), "Price: USD " + up);
  EXPECT_THAT(world.Value(TextContaining(kKindDiv, "Rise")), HasSubstr("Price: USD " + up));
  EXPECT_THAT(world.Value(TextContaining(kKindDiv, "Fall")), HasSubstr("Price: USD " + down));
  EXPECT_THAT(world.Value(TextContaining(kKindDiv, "Fall")), HasSubstr("Payout: USD 10.00"));
}

TEST_F(DemoSiteTrading, StakeBasisPricesAtTheAmountAndPaysMore) {
  AskPrices("7.50", "stake");
  EXPECT_EQ(world.Value(FormById("price-up")), "7.50");
  const double payout = CostTranslate(world.Value(TextContaining(kKindText, "Payout:")));
  EXPECT_GE(payout, 7.50 / 0.85 - 0.01);
  EXPECT_LE(payout, 7.50 / 0.70 + 0.01);
}

TEST_F(DemoSiteTrading, BuyingShowsTheReceiptAndTakesThePrice) {
  AskPrices("10");
  const std::string price = world.Value(FormById("price-down"));
  ASSERT_TRUE(world.Press(FormById("buy-down")));
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/receipt.cgi?l=EN&contract=1001");
  EXPECT_EQ(world.Value(TextContaining(kKindText, "Your contract")), "Your contract 1001 has been bought.");
  EXPECT_EQ(world.Value(TableCell(1, 3, 2)), "Fall");
  EXPECT_DOUBLE_EQ(CostTranslate(world.Value(TableCell(1, 7, 2))), 1250.00 - CostTranslate(price));
  ASSERT_TRUE(world.Press(LinkById("receipt-portfolio")));
  EXPECT_EQ(world.browser.LocationUrl(), kPortFolioUrl);
  EXPECT_EQ(world.Value(TableCell(1, 3, 2)), ": 1");
}

TEST_F(DemoSiteTrading, StalePricesLeadToThePricesChangedPage) {
  AskPrices("10");
  world.Wait(30001);
  ASSERT_TRUE(world.Press(FormById("buy-up")));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("/d/trade.cgi?l=EN&market=forex&"));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("&amount=10&notice=changed"));
  EXPECT_EQ(world.Value(TextContaining(kKindText, "prices have changed")),
            "The prices have changed. Please ask for new prices.");
  EXPECT_EQ(world.Find(FormById("buy-up")), -1);
  EXPECT_EQ(world.Value(FormById("amount")), "10");
  // Asking again gives prices that can be bought.
  ASSERT_TRUE(world.Press(FormById("get-prices")));
  ASSERT_TRUE(world.Press(FormById("buy-up")));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("/d/receipt.cgi"));
}

TEST_F(DemoSiteTrading, APriceOtherThanQuotedOrAQuoteBoughtAlreadyIsNotBought) {
  AskPrices("10");
  const std::string body = "quote=" + world.Value("00<22200><0><><quote><hidden><>") + "&price=";
  const std::string cheaper = "0.01&contract_type=CALL";
  EXPECT_THAT(
      Ask(world.site, "POST", "http://127.0.0.1:8470/d/buy.cgi?l=EN", body + cheaper, Cookie()).Header("Location"),
      HasSubstr("notice=changed"));
  AskPrices("10");
  const std::string quote = "quote=" + world.Value("00<22200><0><><quote><hidden><>");
  const std::string buy = quote + "&price=" + world.Value(FormById("price-up")) + "&contract_type=CALL";
  EXPECT_THAT(Ask(world.site, "POST", "http://127.0.0.1:8470/d/buy.cgi?l=EN", buy, Cookie()).Header("Location"),
              HasSubstr("/d/receipt.cgi"));
  EXPECT_THAT(Ask(world.site, "POST", "http://127.0.0.1:8470/d/buy.cgi?l=EN", buy, Cookie()).Header("Location"),
              HasSubstr("notice=changed"));
}

TEST_F(DemoSiteTrading, IncompletePurchaseIsARequestError) {
  const demo::Response response =
      Ask(world.site, "POST", "http://127.0.0.1:8470/d/buy.cgi?l=EN", "quote=1&contract_type=UP", Cookie());
  EXPECT_EQ(response.Header("Location"), "http://127.0.0.1:8470/d/error.cgi?l=EN&reason=purchase");
  const demo::Response page = Ask(world.site, "GET", response.Header("Location"), "", Cookie());
  EXPECT_EQ(page.status, 400);
  EXPECT_THAT(page.body, HasSubstr("Your request could not be processed."));
  EXPECT_THAT(page.body, HasSubstr("The purchase request is incomplete."));
}

TEST_F(DemoSiteTrading, WrongFormValuesShowTheRequestErrorPageWithTheReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"&underlying=frxEURUSD&duration_amount=14&duration_unit=s",
       "The duration must be a whole number from 15 to 86400 (seconds)."},
      {"&underlying=frxEURUSD&duration_amount=1.5&duration_unit=m",
       "The duration must be a whole number from 1 to 1440 (minutes)."},
      {"&underlying=frxEURUSD&duration_unit=w", "There is no such unit of duration."},
      {"&underlying=idxUS500", "There is no such instrument in this market."},
      {"&underlying=frxEURUSD&group=minor", "The instrument does not belong to the chosen group."},
      {"&underlying=frxEURUSD&group=exotic", "There is no such group of instruments."},
      {"&underlying=frxEURUSD&date_start=7", "There is no such start time."},
      {"&underlying=frxEURUSD&basis=profit", "The amount must be given as a payout or as a stake."},
      {"&underlying=frxEURUSD&amount=0.99", "The amount must be from 1.00 to 5,000.00 with at most two decimals."},
      {"&underlying=frxEURUSD&amount=5000.01", "The amount must be from 1.00 to 5,000.00 with at most two decimals."},
      {"&underlying=frxEURUSD&amount=1.234", "The amount must be from 1.00 to 5,000.00 with at most two decimals."},
  };
  for (const auto& [fields, reason] : cases) {
    world.Open(kForex + fields + "&get_prices=1");
    EXPECT_EQ(world.browser.Status(), 400) << fields;
    EXPECT_EQ(world.Value(TextContaining(kKindText, "could not be processed")), "Your request could not be processed.")
        << fields;
    EXPECT_GT(world.Find("00<20002><2><><><><" + std::string(reason) + ">"), 0) << fields;
  }
  world.Open(std::string(kReturnUrl) + "&market=bonds");
  EXPECT_EQ(world.browser.Status(), 400);
  EXPECT_THAT(world.browser.Source(), HasSubstr("There is no such market."));
  // Within the limits the prices come.
  world.Open(kForex + "&underlying=frxGBPJPY&group=minor&duration_amount=15&duration_unit=s&amount=5000&get_prices=1");
  EXPECT_EQ(world.browser.Status(), 200);
  EXPECT_GT(world.Find(FormById("buy-up")), 0);
}

TEST_F(DemoSiteTrading, GroupNarrowsTheInstrumentList) {
  world.Open(kForex + "&group=major");
  EXPECT_TRUE(world.Set(FormById("underlying"), "frxUSDJPY"));
  EXPECT_FALSE(world.Set(FormById("underlying"), "frxEURGBP"));
}

class DemoSiteFastTrading : public DemoSiteTrading {
 protected:
  static demo::SiteOptions Fast() {
    demo::SiteOptions options;
    options.time_scale = 10;
    return options;
  }
  DemoSiteFastTrading() : DemoSiteTrading(Fast()) {}
};

TEST_F(DemoSiteFastTrading, PricesLastThirtySecondsDividedByTheTimeScale) {
  AskPrices("10");
  world.Wait(3000 - TestBrowser::kDefaultLoadMs);
  ASSERT_TRUE(world.Press(FormById("buy-up")));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("/d/receipt.cgi"));
  AskPrices("10");
  world.Wait(3001 - TestBrowser::kDefaultLoadMs);
  ASSERT_TRUE(world.Press(FormById("buy-up")));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("notice=changed"));
}

class DemoSitePoorAccount : public DemoSiteTrading {
 protected:
  static demo::SiteOptions Poor() {
    demo::SiteOptions options;
    options.accounts = {{"CR100200", "demo200", 500}};
    return options;
  }
  DemoSitePoorAccount() : DemoSiteTrading(Poor()) {}
};

TEST_F(DemoSitePoorAccount, PurchaseBeyondTheBalanceIsRefused) {
  AskPrices("10");
  ASSERT_TRUE(world.Press(FormById("buy-up")));
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/error.cgi?l=EN&reason=balance");
  EXPECT_EQ(world.browser.Status(), 409);
  EXPECT_EQ(world.Value(TextContaining(kKindText, "balance is too low")),
            "Your balance is too low to buy this contract.");
  world.Open(kPortFolioUrl);
  EXPECT_EQ(world.Value(TableCell(1, 2, 2)), ": USD 5.00");
  EXPECT_EQ(world.Value(TableCell(1, 3, 2)), ": 0");
}

TEST(DemoSitePages, UnknownAddressIsNotFound) {
  DemoWorld world;
  for (const char* url : {"http://127.0.0.1:8470/d/nothing.cgi?l=EN", "http://127.0.0.1:8470/favicon.ico",
                          "http://127.0.0.1:8470/d/error.cgi?l=EN&reason=other"}) {
    world.Open(url);
    EXPECT_EQ(world.browser.Status(), 404) << url;
    EXPECT_EQ(world.Value(TextContaining(kKindText, "does not exist")), "The page you asked for does not exist.");
  }
  world.Open("http://127.0.0.1:8470/");
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/login.cgi?l=EN");
}

}  // namespace
}  // namespace vantrope::testing

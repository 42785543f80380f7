// A whole bet by hand, the way the bet cycle walks the site: the robot's
// addresses, its parser and templates, and its page actions through the
// browser port, on virtual time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "demo_world.h"
#include "site/page_search.h"

namespace vantrope::testing {
namespace {

using ::testing::HasSubstr;

// The controls of the walk, as template lines like the settings file's.
const std::string kAccountInput = FormById("loginid");
const std::string kPasswordInput = FormById("password");
const std::string kLoginButton = FormById("login");
const std::string kLoggedIn = TextContaining(kKindText, "You are logged in as");
const std::string kOpenCount = TableCell(1, 3, 2);
const std::string kBalance = TableCell(1, 2, 2);
const std::string kForexTab = LinkById("tab-forex");
const std::string kPriceRequest = FormById("get-prices");
const std::string kUpPrice = "00<20200><0><><price><><>";  // first of the two; the down price is the second
const std::string kUpBlock = TextContaining(kKindDiv, "Rise");
const std::string kDownBlock = TextContaining(kKindDiv, "Fall");
const std::string kBuyUp = FormById("buy-up");
const std::string kReceipt = TextContaining(kKindText, "has been bought");

class BetWalk : public ::testing::Test {
 protected:
  void Walk(demo::SiteOptions options) {
    world = std::make_unique<DemoWorld>(std::move(options));
    DemoWorld& w = *world;
    // Main address: not logged in yet, so the login page.
    w.Open(kMainUrl);
    ASSERT_GE(w.Find(kLoginButton), 0);
    ASSERT_TRUE(w.Set(kAccountInput, "CR100200"));
    ASSERT_TRUE(w.Set(kPasswordInput, "demo200"));
    ASSERT_TRUE(w.Press(kLoginButton));
    ASSERT_THAT(w.Value(kLoggedIn), HasSubstr("CR100200"));

    // The account page on the second host: currency and start balance.
    w.Open(kPortFolioUrl);
    ASSERT_EQ(w.Value(kBalance), ": USD 1,250.00");
    start_balance = CostTranslate(w.Value(kBalance));
    ASSERT_EQ(CostTranslate(w.Value(kOpenCount)), 0);

    // The trading page, then its forex market.
    w.Open(kReturnUrl);
    ASSERT_TRUE(w.Press(kForexTab));
    ASSERT_THAT(w.browser.LocationUrl(), HasSubstr("market=forex"));
    EXPECT_EQ(w.Find(kBuyUp), -1);

    // Fill the form in the cycle's order and ask for prices.
    ASSERT_TRUE(w.Set(FormById("group"), "all"));
    ASSERT_TRUE(w.Set(FormById("underlying"), "frxGBPUSD"));
    ASSERT_TRUE(w.Set(FormById("date_start"), "now"));
    ASSERT_TRUE(w.Set(FormById("duration_unit"), "m"));
    ASSERT_TRUE(w.Set(FormById("duration_amount"), "2"));
    ASSERT_TRUE(w.Set(FormById("amount"), "10"));
    ASSERT_TRUE(w.Press(kPriceRequest));
    ASSERT_GT(w.Find(kUpBlock), 0);
    ASSERT_GT(w.Find(kDownBlock), 0);
    price = CostTranslate(w.Value(kUpPrice));
    const int percent = static_cast<int>(price / (10 / 100.0) + 0.5);
    EXPECT_GE(percent, 70);
    EXPECT_LE(percent, 85);

    ASSERT_TRUE(w.Press(kBuyUp));
    ASSERT_THAT(w.Value(kReceipt), HasSubstr("Your contract"));

    // Accepted: one open contract, the price paid.
    w.Open(kPortFolioUrl);
    ASSERT_EQ(CostTranslate(w.Value(kOpenCount)), 1);
    ASSERT_NEAR(CostTranslate(w.Value(kBalance)), start_balance - price, 1e-9);
  }

  // Reloads the portfolio until no contract is open; the balance then.
  double WaitForResult(int64_t step_ms) {
    for (int i = 0; i < 1000; ++i) {
      world->Wait(step_ms);
      world->Open(kPortFolioUrl);
      if (CostTranslate(world->Value(kOpenCount)) == 0) return CostTranslate(world->Value(kBalance));
    }
    ADD_FAILURE() << "the contract never settled";
    return 0;
  }

  std::unique_ptr<DemoWorld> world;
  double start_balance = 0;
  double price = 0;
};

TEST_F(BetWalk, WonBetRaisesTheBalanceByThePayoutLessThePrice) {
  demo::SiteOptions options;
  options.script = "W";
  Walk(options);
  const int64_t before = world->clock.ElapsedMs();
  const double balance = WaitForResult(5000);
  // Two minutes of contract, at the pace of one.
  EXPECT_GE(world->clock.ElapsedMs() - before, 120000 - 1000);
  EXPECT_LE(world->clock.ElapsedMs() - before, 120000 + 5000 + 1000);
  EXPECT_NEAR(balance - start_balance, 10.00 - price, 1e-9);
  EXPECT_GT(balance, start_balance);
  EXPECT_EQ(world->Value(TableCell(3, 2, 6)), "Won");
}

TEST_F(BetWalk, LostBetCostsThePriceAndEndsSoonerOnAFasterTimeScale) {
  demo::SiteOptions options;
  options.script = "L";
  options.time_scale = 20;
  Walk(options);
  const int64_t before = world->clock.ElapsedMs();
  const double balance = WaitForResult(500);
  EXPECT_LE(world->clock.ElapsedMs() - before, 6000 + 500 + 1000);
  EXPECT_NEAR(balance - start_balance, -price, 1e-9);
  EXPECT_EQ(world->Value(TableCell(3, 2, 6)), "Lost");
}

}  // namespace
}  // namespace vantrope::testing

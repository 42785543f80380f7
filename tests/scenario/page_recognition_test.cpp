// The shipped templates recognise every page of the demo broker, resolve its
// controls and read the balance, through the robot's own parser.
#include <gtest/gtest.h>

#include "scenario/robot_world.h"

namespace vantrope::testing {
namespace {

constexpr const char* kSite = "http://127.0.0.1:8470";

class DemoPageRecognition : public ::testing::Test {
 protected:
  TMainForm& F() { return world.Form(); }
  TPage PageAt(const std::string& url) {
    world.Open(url);
    return F().page.PageIndex;
  }
  // Runs one action of the slot's record on the page; true when it took.
  template <typename Add>
  bool Act(size_t slot, Add add) {
    const int32_t field = F().page.ControlSlots[slot].FieldIndex;
    if (field < 0) return false;
    PageActionBatch batch = F().page_actions.NewBatch();
    const int action = add(batch, static_cast<size_t>(field));
    bool took = false;
    F().page_actions.Run(std::move(batch), [&](const PageActionReport& report) { took = report.Took(action); });
    world.Wait(TestBrowser::kAnswerMs);
    return took;
  }
  bool Set(size_t slot, const std::string& value) {
    return Act(slot, [&](PageActionBatch& batch, size_t field) { return batch.WebSetValue(field, value); });
  }
  void Press(size_t slot) {
    ASSERT_TRUE(Act(slot, [](PageActionBatch& batch, size_t field) { return batch.WebExecute(field); }))
        << "slot " << slot;
    world.Wait(TestBrowser::kDefaultLoadMs + 5000 + TestBrowser::kAnswerMs);
  }
  void LogIn(const std::string& password = "demo200") {
    ASSERT_EQ(PageAt(F().site.MainUrl), pgLogin);
    ASSERT_TRUE(Set(0, "CR100200"));
    ASSERT_TRUE(Set(1, password));
    Press(2);
  }
  // The trading form of the forex market, filled as the bet cycle fills it,
  // with the prices asked for.
  void AskPrices() {
    ASSERT_EQ(PageAt(std::string(kSite) + "/d/trade.cgi?l=EN&market=forex"), pgTrading);
    for (const auto& [slot, value] : std::vector<std::pair<size_t, std::string>>{
             {2, "all"}, {4, "frxEURUSD"}, {5, "now"}, {7, "m"}, {6, "1"}, {8, "10"}})
      ASSERT_TRUE(Set(slot, value)) << "slot " << slot;
    Press(9);
  }

  RobotWorld world;
};

TEST_F(DemoPageRecognition, LoginPagesAndTheLoggedInPage) {
  ASSERT_EQ(PageAt(F().site.MainUrl), pgLogin);
  EXPECT_EQ(F().page.PageName, "Вход в личный кабинет");
  for (size_t slot : {0, 1, 2}) EXPECT_GE(F().page.ControlSlots[slot].FieldIndex, 0) << slot;
  LogIn();
  EXPECT_EQ(F().page.PageIndex, pgCabinet);
  EXPECT_GT(F().page_encoder.SearchControl(21), 0);
}

TEST_F(DemoPageRecognition, FailedLoginEndsTheRun) {
  LogIn("wrong");
  EXPECT_EQ(F().page.PageIndex, pgLoginFailed);
}

TEST_F(DemoPageRecognition, AccountPageGivesTheBalance) {
  LogIn();
  EXPECT_EQ(PageAt(F().site.PortFolioUrl), pgPortfolio);
  EXPECT_EQ(F().page.CurrentBalance, 1250);
  EXPECT_EQ(F().page.ControlSlots[1].ControlNo, 4);
}

TEST_F(DemoPageRecognition, TradingPageAndItsPrices) {
  LogIn();
  EXPECT_EQ(PageAt(F().site.ReturnUrl), pgTrading);
  EXPECT_GE(F().page.ControlSlots[11].FieldIndex, 0) << "the forex tab";
  AskPrices();
  ASSERT_EQ(F().page.PageIndex, pgTradingPrices) << "both buy controls shown";
  const auto& slots = F().page.ControlSlots;
  for (size_t slot = 2; slot <= 15; ++slot) EXPECT_GE(slots[slot].FieldIndex, 0) << slot;
  EXPECT_GT(slots[14].FieldIndex, 0);
  EXPECT_GT(slots[15].FieldIndex, 0);
  EXPECT_NE(slots[12].FieldIndex, slots[13].FieldIndex);
  const int32_t percent = F().page_actions.GetBrokerPercent(10, Slot::kUpPrice);
  EXPECT_GE(percent, 70);
  EXPECT_LE(percent, 85);
}

TEST_F(DemoPageRecognition, BoughtContractOpenThenSettled) {
  LogIn();
  AskPrices();
  Press(18);
  EXPECT_EQ(F().page.PageIndex, pgPurchaseConfirmed);
  EXPECT_EQ(PageAt(F().site.PortFolioUrl), pgPortfolioBetOpen);
  world.Wait(61'000);
  EXPECT_EQ(PageAt(F().site.PortFolioUrl), pgPortfolio);
}

TEST_F(DemoPageRecognition, StalePricesAskForNewOnes) {
  LogIn();
  AskPrices();
  world.Wait(31'000);
  Press(18);
  EXPECT_EQ(F().page.PageIndex, pgPricesChanged);
  EXPECT_GE(F().page.ControlSlots[0].FieldIndex, 0) << "the price request on that page";
}

TEST_F(DemoPageRecognition, PagesTheRobotStepsBackFrom) {
  LogIn();
  EXPECT_EQ(PageAt(std::string(kSite) + "/no/such/page?l=EN"), pgPageNotFound);
  EXPECT_EQ(PageAt(std::string(kSite) + "/d/error.cgi?l=EN&reason=purchase"), pgRequestError);
  EXPECT_EQ(PageAt(std::string(kSite) + "/d/error.cgi?l=EN&reason=balance"), pgPurchaseRefused);
}

TEST_F(DemoPageRecognition, RussianPagesAreNotRecognised) {
  LogIn();
  EXPECT_EQ(PageAt(std::string(kSite) + "/d/trade.cgi?l=RU"), pgNone);
  EXPECT_EQ(PageAt("http://localhost:8470/d/portfolio.cgi?l=RU"), pgNone);
}

}  // namespace
}  // namespace vantrope::testing

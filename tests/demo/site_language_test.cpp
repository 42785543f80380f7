// The language query: English and Russian pages of the same site.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "demo_world.h"
#include "site/page_search.h"

namespace vantrope::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class DemoSiteLanguage : public ::testing::Test {
 protected:
  DemoSiteLanguage() {
    world.Open("http://127.0.0.1:8470/d/login.cgi?l=RU");
    world.Set(FormById("loginid"), "CR100200");
    world.Set(FormById("password"), "demo200");
    world.Press(FormById("login"));
  }

  // The texts of the page's TEXT, DIV, TABLE and TAB_HEADER records.
  std::string PageTexts() {
    std::string texts;
    for (const TCatField& field : world.Fields())
      if (field.Kind >= kKindText) texts += field.Fsubdata + "\n";
    return texts;
  }

  DemoWorld world;
};

TEST_F(DemoSiteLanguage, RussianStaysRussianThroughLoginAndTrading) {
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/contact.cgi?l=RU");
  EXPECT_THAT(PageTexts(), HasSubstr("Вы вошли как CR100200."));
  world.Press(LinkById("nav-trade"));
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/trade.cgi?l=RU");
  world.Press(LinkById("tab-forex"));
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/trade.cgi?l=RU&market=forex");
  world.Press(FormById("get-prices"));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("/d/trade.cgi?l=RU&market=forex&"));
  EXPECT_THAT(PageTexts(), HasSubstr("Цена: USD "));
  world.Press(FormById("buy-up"));
  EXPECT_THAT(world.browser.LocationUrl(), HasSubstr("/d/receipt.cgi?l=RU&contract="));
  EXPECT_THAT(PageTexts(), HasSubstr("Ваш контракт 1001 куплен."));
}

TEST_F(DemoSiteLanguage, RussianPagesShowNoneOfTheEnglishTexts) {
  const char* const english[] = {"Log in",
                                 "Login failed",
                                 "logged in",
                                 "Market:",
                                 "Price:",
                                 "Payout:",
                                 "Balance",
                                 "Open contracts",
                                 "Results",
                                 "prices have changed",
                                 "has been bought",
                                 "could not be processed",
                                 "does not exist",
                                 "too low",
                                 "Vantrope Demo Broker"};
  const std::vector<std::string> pages = {
      "http://127.0.0.1:8470/d/login.cgi?l=RU&error=login",
      "http://127.0.0.1:8470/d/login.cgi?l=RU&error=expired",
      "http://127.0.0.1:8470/d/contact.cgi?l=RU",
      "http://localhost:8470/d/portfolio.cgi?l=RU",
      "http://127.0.0.1:8470/d/trade.cgi?l=RU&market=forex&notice=changed",
      "http://127.0.0.1:8470/d/trade.cgi?l=RU&market=forex&underlying=frxEURUSD&get_prices=1",
      "http://127.0.0.1:8470/d/trade.cgi?l=RU&market=forex&underlying=frxEURUSD&amount=0&get_prices=1",
      "http://127.0.0.1:8470/d/nothing.cgi?l=RU",
      "http://127.0.0.1:8470/d/error.cgi?l=RU&reason=balance",
  };
  for (const std::string& page : pages) {
    world.Open(page);
    const std::string texts = PageTexts();
    EXPECT_THAT(texts, HasSubstr("Демо-брокер Vantrope")) << page;
    for (const char* text : english) EXPECT_THAT(texts, Not(HasSubstr(text))) << page;
  }
}

TEST_F(DemoSiteLanguage, RussianBalanceIsWrittenTheRussianWay) {
  world.Open("http://localhost:8470/d/portfolio.cgi?l=RU");
  EXPECT_EQ(world.Value(TableCell(1, 2, 2)), ": USD 1 250,00");
  EXPECT_EQ(CostTranslate(world.Value(TableCell(1, 2, 2))), 0);
  world.Open("http://localhost:8470/d/portfolio.cgi?l=EN");
  EXPECT_EQ(CostTranslate(world.Value(TableCell(1, 2, 2))), 1250);
}

TEST_F(DemoSiteLanguage, LanguageLinksAndTheEnglishQueryGiveTheSamePageInEnglish) {
  const std::string russian = "http://127.0.0.1:8470/d/trade.cgi?l=RU&market=forex";
  world.Open(russian);
  EXPECT_EQ(world.Value(TextContaining(kKindText, "Рынок:")), "Рынок: Форекс");
  ASSERT_TRUE(world.Press(LinkById("lang-en")));
  EXPECT_EQ(world.browser.LocationUrl(), "http://127.0.0.1:8470/d/trade.cgi?l=EN&market=forex");
  EXPECT_EQ(world.Value(TextContaining(kKindText, "Market:")), "Market: Forex");
  // What the robot's language check does to the address.
  std::string english = russian;
  english.replace(english.find("l=RU") + 2, 2, "EN");
  world.Open(english);
  EXPECT_EQ(world.Value(TextContaining(kKindText, "Market:")), "Market: Forex");
  ASSERT_TRUE(world.Press(LinkById("lang-ru")));
  EXPECT_EQ(world.browser.LocationUrl(), russian);
}

TEST_F(DemoSiteLanguage, ControlsKeepTheirIdsAndNamesInBothLanguages) {
  world.Open("http://127.0.0.1:8470/d/trade.cgi?l=RU&market=forex&underlying=frxEURUSD&get_prices=1");
  const std::vector<TCatField> russian = world.Fields();
  world.Open("http://127.0.0.1:8470/d/trade.cgi?l=EN&market=forex&underlying=frxEURUSD&get_prices=1");
  const std::vector<TCatField> english = world.Fields();
  std::vector<std::string> russian_forms, english_forms;
  for (const TCatField& field : russian)
    if (field.Kind == kKindForm) russian_forms.push_back(field.ID + "|" + field.Ftype + "|" + field.Ftext);
  for (const TCatField& field : english)
    if (field.Kind == kKindForm) english_forms.push_back(field.ID + "|" + field.Ftype + "|" + field.Ftext);
  EXPECT_EQ(russian_forms, english_forms);
  EXPECT_EQ(russian_forms.size(), 16u);
}

}  // namespace
}  // namespace vantrope::testing

// Each page of the site against the texts and controls that demo/broker/README.md
// tells the template writers: every page is recognised by its texts and by
// no other page's, and a Russian page by none.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "demo_world.h"
#include "site/page_search.h"

namespace vantrope::testing {
namespace {

// What each page is recognised by, as the README says.
const std::map<std::string, std::string> kRecognisedBy = {
    {"login", TextContaining(kKindText, "Log in to your trading account.")},
    {"session expired", TextContaining(kKindText, "Your session has expired. Please log in again.")},
    {"failed login", TextContaining(kKindText, "Login failed:")},
    {"logged in", TextContaining(kKindText, "You are logged in as ")},
    {"trading", TextContaining(kKindText, "Market: ")},
    {"prices changed", TextContaining(kKindText, "The prices have changed. Please ask for new prices.")},
    {"confirmation", TextContaining(kKindText, " has been bought.")},
    {"portfolio", "00<22222><4><1><2><1><Balance>"},
    {"request error", TextContaining(kKindText, "Your request could not be processed.")},
    {"not found", TextContaining(kKindText, "The page you asked for does not exist.")},
    {"purchase refused", TextContaining(kKindText, "Your balance is too low to buy this contract.")},
    {"account disabled", TextContaining(kKindText, " has been disabled. Trading is no longer possible.")},
};

struct Shown {
  std::string page;
  std::vector<TCatField> fields;
  std::vector<std::string> recognised_as;  // the README's names it must match
};

class DemoSitePageRecognition : public ::testing::Test {
 protected:
  // Walks the site through every page, in `language`, keeping what each showed.
  std::vector<Shown> Pages(const std::string& language) {
    demo::SiteOptions options;
    options.accounts = {{"CR100200", "demo200", 125000}, {"CR100209", "demo209", 500, false, 1}};
    options.session_idle_ms = 3600000;
    DemoWorld world(options);
    const std::string l = "?l=" + language;
    const std::string site = "http://127.0.0.1:8470";
    std::vector<Shown> shown;
    auto keep = [&](const std::string& page, std::vector<std::string> names) {
      shown.push_back({page, world.Fields(), std::move(names)});
    };
    auto login = [&](const std::string& account, const std::string& password) {
      world.Open(site + "/d/login.cgi" + l);
      world.Set(FormById("loginid"), account);
      world.Set(FormById("password"), password);
      world.Press(FormById("login"));
    };
    world.Open(site + "/d/contact.cgi" + l);
    keep("login", {"login"});
    login("CR100200", "wrong");
    keep("failed login", {"login", "failed login"});
    world.Open(site + "/d/login.cgi" + l + "&error=disabled");
    keep("failed login, disabled", {"login", "failed login"});
    login("CR100200", "demo200");
    keep("logged in", {"logged in"});
    world.Open("http://localhost:8470/d/portfolio.cgi" + l);
    keep("portfolio, nothing open", {"portfolio"});
    world.Open(site + "/d/trade.cgi" + l);
    keep("trading", {"trading"});
    world.Press(LinkById("tab-forex"));
    keep("trading, forex", {"trading"});
    world.Press(FormById("get-prices"));
    keep("trading with prices", {"trading"});
    world.Wait(30001);
    world.Press(FormById("buy-up"));
    keep("prices changed", {"trading", "prices changed"});
    world.Press(FormById("get-prices"));
    world.Press(FormById("buy-up"));
    keep("confirmation", {"confirmation"});
    world.Open("http://localhost:8470/d/portfolio.cgi" + l);
    keep("portfolio, one open", {"portfolio"});
    world.Open(site + "/d/trade.cgi" + l + "&market=forex&underlying=frxEURUSD&amount=0&get_prices=1");
    keep("request error", {"request error"});
    world.Open(site + "/d/nothing.cgi" + l);
    keep("not found", {"not found"});
    world.Open(site + "/d/error.cgi" + l + "&reason=balance");
    keep("purchase refused", {"purchase refused"});
    world.Wait(3600001);
    world.Open(site + "/d/contact.cgi" + l);
    keep("session expired", {"login", "session expired"});
    login("CR100209", "demo209");
    world.Open(site + "/d/trade.cgi" + l + "&market=forex&underlying=frxEURUSD&amount=1&get_prices=1");
    world.Press(FormById("buy-up"));
    world.Wait(5 * 60000);
    world.Open("http://localhost:8470/d/portfolio.cgi" + l);
    keep("account disabled", {"account disabled"});
    return shown;
  }
};

TEST_F(DemoSitePageRecognition, EveryEnglishPageIsRecognisedByItsOwnTextsOnly) {
  for (const Shown& shown : Pages("EN")) {
    for (const auto& [name, line] : kRecognisedBy) {
      TCatField pattern;
      SrtToFieldData(line, pattern);
      const bool expected =
          std::find(shown.recognised_as.begin(), shown.recognised_as.end(), name) != shown.recognised_as.end();
      EXPECT_EQ(SearchWebData(shown.fields, pattern) >= 0, expected) << shown.page << " / " << name;
    }
  }
}

TEST_F(DemoSitePageRecognition, NoRussianPageIsRecognised) {
  const std::vector<Shown> pages = Pages("RU");
  EXPECT_EQ(pages.size(), 16u);
  for (const Shown& shown : pages)
    for (const auto& [name, line] : kRecognisedBy) {
      TCatField pattern;
      SrtToFieldData(line, pattern);
      EXPECT_EQ(SearchWebData(shown.fields, pattern), -1) << shown.page << " / " << name;
    }
}

TEST_F(DemoSitePageRecognition, ControlsOfTheTradingPageAreWhereTheReadmeSaysTheyAre) {
  demo::SiteOptions options;
  DemoWorld world(options);
  world.Open("http://127.0.0.1:8470/d/login.cgi?l=EN");
  world.Set(FormById("loginid"), "CR100200");
  world.Set(FormById("password"), "demo200");
  world.Press(FormById("login"));
  world.Open(std::string(kReturnUrl) + "&market=forex");
  world.Press(FormById("get-prices"));
  const std::vector<TCatField> fields = world.Fields();
  auto find = [&](const std::string& line) {
    TCatField pattern;
    SrtToFieldData(line, pattern);
    return SearchWebData(fields, pattern);
  };
  const char* const ids[] = {"group", "underlying", "date_start", "duration_amount", "duration_unit",
                             "basis", "amount",     "get-prices", "buy-up",          "buy-down"};
  for (const char* id : ids) EXPECT_GE(find(FormById(id)), 0) << id;
  // The second match of the price control is the down price.
  const int32_t up = find("00<20200><0><><price><><>");
  ASSERT_GE(up, 0);
  EXPECT_EQ(fields[up].ID, "price-up");
  std::vector<TCatField> hidden = fields;
  hidden[up].Kind = 255;
  TCatField price;
  SrtToFieldData("00<20200><0><><price><><>", price);
  const int32_t down = SearchWebData(hidden, price);
  ASSERT_GE(down, 0);
  EXPECT_EQ(fields[down].ID, "price-down");
  EXPECT_GT(find("00<20001><5><><><><Rise>"), 0);
  EXPECT_GT(find("00<20001><5><><><><Fall>"), 0);
  EXPECT_GE(find(LinkById("tab-forex")), 0);
  EXPECT_EQ(fields[find(LinkById("tab-forex"))].Fsubdata, "http://127.0.0.1:8470/d/trade.cgi?l=EN&market=forex");
}

}  // namespace
}  // namespace vantrope::testing

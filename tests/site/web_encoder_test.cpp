// Page recognition, control slots, account values and the site language on
// hand-made field lists.
#include <gtest/gtest.h>

#include "site/default_addresses.h"
#include "support/form_fixture.h"

namespace vantrope {
namespace {

TCatField Text(const std::string& text) {
  TCatField field;
  field.Kind = kKindText;
  field.Fsubdata = text;
  return field;
}

TCatField Control(const std::string& id, const std::string& value = "") {
  TCatField field;
  field.Kind = kKindForm;
  field.ID = id;
  field.Ftype = id;
  field.Ftext = "text";
  field.Fsubdata = value;
  return field;
}

// Each configured page is recognised by one TEXT record "PageN"; control N is
// the FORM element with id "cN".
std::string Settings() {
  std::string text = "[Binary]\nPageFieldCount=14\n";
  const int pages[] = {1, 2, 3, 4, 8, 9, 10, 13, 14, 15, 16, 12, 17, 18};
  for (int i = 0; i < 14; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "PageField_%d=%02d<20002><2><><><><Page%d>\n", i, pages[i], pages[i]);
    text += line;
  }
  text += "PageСontrolsCount=21\n";
  for (int n = 0; n <= 20; ++n) text += "PageControl_" + std::to_string(n) + "=00<22000><0><c" + std::to_string(n) + "><><><>\n";
  text += "PageNamesCount=17\n";
  for (int n = 0; n <= 16; ++n) text += "PageName_" + std::to_string(n) + "=Страница " + std::to_string(n) + "\n";
  text += "[LangPack]\nTXT_138=Опознана (\nTXT_139=не найден\nTXT_140=найден (\nTXT_141=Ошибка (\n";
  return text;
}

class WebEncoderTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    WriteSettings(Settings());
    Start();
    fake.browser.navigations = {"http://127.0.0.1:8470/somewhere"};
  }
  TPage Encode(std::vector<TCatField> fields) {
    form->page.WebFields = std::move(fields);
    form->page_encoder.BetOnWebEncoder();
    return form->page.PageIndex;
  }
  std::vector<TCatField> TradingPage(bool up, bool down) {
    std::vector<TCatField> fields = {Text("Page4")};
    for (int n : {5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17, 18}) fields.push_back(Control("c" + std::to_string(n)));
    if (up) fields.push_back(Control("c13"));
    if (down) fields.push_back(Control("c14"));
    fields.push_back(Control("c15"));  // a second buy control
    return fields;
  }
  int ErrorLines() const {
    int count = 0;
    for (int row = 0; row < form->event_log.gwLog.RowCount(); ++row)
      count += form->event_log.gwLog.Cell(3, row) == std::to_string(ltError);
    return count;
  }
};

TEST_F(WebEncoderTest, HigherPriorityWinsAndTiesGoToTheLowerPage) {
  EXPECT_EQ(Encode({Text("Page1"), Control("c0"), Control("c1"), Control("c2"), Text("Page13")}), pgRequestError);
  EXPECT_EQ(form->page.PageName, "Страница 13");
  EXPECT_EQ(Encode({Text("Page14"), Text("Page13")}), pgRequestError);
  EXPECT_EQ(Encode({Text("Page15"), Text("Page1"), Control("c0"), Control("c1"), Control("c2")}), pgLogin);
  EXPECT_EQ(Encode({Text("nothing")}), pgNone);
  EXPECT_EQ(form->page.PageName, "Страница 0");
  EXPECT_EQ(form->robot_controls.teSiteStatus.Text(), "Страница 0");
}

TEST_F(WebEncoderTest, TradingPageVariantsByTheirPriceControls) {
  EXPECT_EQ(Encode(TradingPage(false, false)), pgTrading);
  EXPECT_EQ(Encode(TradingPage(true, false)), pgTradingUpPrice);
  EXPECT_EQ(Encode(TradingPage(false, true)), pgTradingDownPrice);
  EXPECT_EQ(Encode(TradingPage(true, true)), pgTradingPrices);
  EXPECT_EQ(ErrorLines(), 0);
  const auto& slots = form->page.ControlSlots;
  EXPECT_EQ(slots[2].ControlNo, 5);
  EXPECT_EQ(slots[3].FieldIndex, slots[2].FieldIndex) << "slot 3 is a copy of slot 2";
  EXPECT_EQ(slots[18].ControlNo, 13);
  EXPECT_EQ(slots[16].ControlNo, 65535);
  ASSERT_GE(slots[12].FieldIndex, 0);
  ASSERT_GE(slots[13].FieldIndex, 0);
  EXPECT_NE(slots[12].FieldIndex, slots[13].FieldIndex) << "slot 13 takes the second match of control 15";
  EXPECT_EQ(form->page.WebFields[slots[12].FieldIndex].Kind, kKindForm) << "the hidden record is restored";
}

TEST_F(WebEncoderTest, MissingRequiredControlsAreFaults) {
  std::vector<TCatField> page = TradingPage(true, false);
  page.erase(page.begin() + 1);  // control 5: slots 2 and 3
  page.pop_back();               // the second control 15: slot 13 is not required without control 14
  EXPECT_EQ(Encode(page), pgNone) << "a fault leaves no page to act on";
  // Slots 2 and 3 both miss control 5: the log's repeat guard keeps one line.
  EXPECT_EQ(ErrorLines(), 1);
  EXPECT_EQ(form->event_log.gwLog.Cell(2, 0), "  Ошибка (WebEncoder): WEB-page 5. PageControl_5 не найден");
  EXPECT_EQ(fake.browser.stops, 2);

  page = TradingPage(true, true);
  page.pop_back();  // no second control 15 while control 14 is shown
  form->event_log.LastLogText.clear();
  Encode(page);
  EXPECT_EQ(form->event_log.gwLog.Cell(2, form->event_log.gwLog.RowCount() - 1),
            "  Ошибка (WebEncoder): WEB-page 7. PageControl_15 не найден");
}

TEST_F(WebEncoderTest, AccountPageBySomethingOpen) {
  EXPECT_EQ(Encode({Text("Page10"), Control("c3", "2"), Control("c4", ": USD 1,250.00")}), pgPortfolioBetOpen);
  EXPECT_EQ(form->page.CurrentBalance, 1250);
  EXPECT_EQ(Encode({Text("Page10"), Control("c3", "0.4"), Control("c4", "1250")}), pgPortfolio);
  EXPECT_EQ(Encode({Text("Page10"), Control("c3", "256"), Control("c4", "1250")}), pgPortfolio)
      << "only the low byte counts";
  EXPECT_EQ(ErrorLines(), 0);
  EXPECT_EQ(form->page.CurrencyName, "") << "the currency is read only without control 3";
}

TEST_F(WebEncoderTest, AccountPageWithoutABalanceIsNotActedOn) {
  EXPECT_EQ(Encode({Text("Page10"), Control("c3", "0"), Control("c4", "n/a")}), pgNone);
  EXPECT_EQ(ErrorLines(), 0) << "a balance that is no money fails without a fault";
  form->page.CurrentBalance = 5;
  EXPECT_EQ(Encode({Text("Page10"), Control("c3", "0"), Control("c4", "0.00")}), pgPortfolio) << "0.00 is a balance";
  EXPECT_EQ(form->page.CurrentBalance, 0);
  EXPECT_EQ(Encode({Text("Page10"), Control("c4", ": USD 1,250.00")}), pgNone);
  EXPECT_EQ(form->page.CurrencyName, "USD");
  EXPECT_EQ(form->page.CurrentBalance, 1250);
  EXPECT_EQ(ErrorLines(), 1);
  EXPECT_EQ(form->account.neCurrentBalanse.Suffix(), " USD");
}

TEST_F(WebEncoderTest, AnyOfGroupOnlyWhenNoOtherPagePassed) {
  EXPECT_EQ(Encode({Text("Page18")}), pgSitePause);
  EXPECT_EQ(Encode({Text("Page17"), Text("Page2")}), pgLoginFailed);
  EXPECT_EQ(Encode({Text("Page12"), Text("Page15")}), pgSitePause) << "equal priority, the lower page";
}

TEST_F(WebEncoderTest, TradingAddressStandsForTheTradingPage) {
  fake.browser.navigations = {std::string("  ") + kDefaultReturnUrl + " "};
  EXPECT_EQ(Encode({Text("nothing")}), pgTrading);
  EXPECT_EQ(form->page.PageName, "Страница 4");
  for (const TControlSlot& slot : form->page.ControlSlots) EXPECT_EQ(slot.FieldIndex, -1);
  EXPECT_EQ(ErrorLines(), 0);
}

TEST_F(WebEncoderTest, UnconfiguredPagesAlwaysPass) {
  form->site.PageFields.clear();
  EXPECT_EQ(Encode({Text("anything")}), pgRequestError);
}

TEST_F(WebEncoderTest, StuckGuardIsGivenUpAfterFiveSkips) {
  form->page.EncoderBusy = true;
  form->page.EncoderSkips = 5;
  form->page.PageIndex = pgUnread;
  for (int call = 1; call <= 6; ++call) {
    form->page.WebFields = {Text("Page2")};
    form->page_encoder.BetOnWebEncoder();
    EXPECT_EQ(form->page.PageIndex, pgUnread) << call;
  }
  EXPECT_FALSE(form->page.EncoderBusy);
  form->page_encoder.BetOnWebEncoder();
  EXPECT_EQ(form->page.PageIndex, pgLoginFailed);
}

TEST_F(WebEncoderTest, SimulatorSkipsThePage) {
  form->page.SimulatorEnabled = true;
  form->page.SiteDataUpdated = false;
  form->page.PageIndex = pgPurchaseConfirmed;
  Encode({Text("Page2")});
  EXPECT_EQ(form->page.PageIndex, pgPurchaseConfirmed);
  EXPECT_TRUE(form->page.SiteDataUpdated);
}

TEST_F(WebEncoderTest, WatchdogsAreDisarmedByARecognisedPage) {
  form->tmWebWDT.SetEnabled(true);
  form->tmWebWDT2.SetEnabled(true);
  Encode({Text("nothing")});
  EXPECT_FALSE(form->tmWebWDT.Enabled());
  EXPECT_TRUE(form->tmWebWDT2.Enabled());
  Encode({Text("Page3")});
  EXPECT_FALSE(form->tmWebWDT2.Enabled());
  EXPECT_TRUE(form->page.SiteDataUpdated);
}

TEST_F(WebEncoderTest, ProtocolAndDebugGrid) {
  form->page.RecognitionLog = true;
  Encode({Text("Page8"), Control("c12")});
  const auto& log = form->fmDebug.parser.mmWebRecogLog.Lines();
  EXPECT_EQ(log.front(), "=== Страница 1 ===");
  EXPECT_NE(std::find(log.begin(), log.end(), "PageField_4: 0"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "Опознана (8) Страница 8"), log.end());
  EXPECT_EQ(log.back(), "PageControl_12: найден (1)");
  const ui::Grid& grid = form->fmDebug.parser.gwDebug;
  ASSERT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(grid.Cell(0, 0), "0");
  EXPECT_EQ(grid.Cell(1, 0), "FORM");
  EXPECT_EQ(grid.Cell(6, 0), "<EDIT>");
  EXPECT_EQ(grid.Cell(8, 0), "1");

  // A value typed into the grid outlives the periodic parse of the same
  // page, and gives way once the page's control changes.
  form->fmDebug.parser.gwDebug.SetCell(5, 0, "typed");
  Encode({Text("Page8"), Control("c12")});
  EXPECT_EQ(grid.Cell(5, 0), "typed");
  Encode({Text("Page8"), Control("c12", "new")});
  EXPECT_EQ(grid.Cell(5, 0), "new");
}

TEST_F(WebEncoderTest, WinColourFollowsTheDifference) {
  form->robot.StartBalance = 1000;
  Encode({Text("Page10"), Control("c3", "0"), Control("c4", "1010")});
  EXPECT_EQ(form->account.neWinBalanse.Value(), 10);
  EXPECT_EQ(form->account.neWinBalanse.FontColor(), ui::Rgb(0, 0x80, 0));
  Encode({Text("Page10"), Control("c3", "0"), Control("c4", "990")});
  EXPECT_EQ(form->account.neWinBalanse.FontColor(), ui::Rgb(0xFF, 0, 0));
}

TEST_F(WebEncoderTest, RussianSiteIsSwitchedToEnglish) {
  fake.browser.navigations = {"http://127.0.0.1:8470/d/trade.cgi?l=RU&x=l=RU"};
  form->page.SiteDataUpdated = true;
  form->bet_cycle.LangCheck();
  EXPECT_EQ(fake.browser.navigations.back(), "http://127.0.0.1:8470/d/trade.cgi?l=EN&x=l=RU");
  EXPECT_FALSE(form->page.SiteDataUpdated);
  EXPECT_EQ(form->tmBetOnState.Interval(), 6000);
  fake.browser.navigations = {"http://127.0.0.1:8470/d/trade.cgi?l=EN"};
  form->bet_cycle.LangCheck();
  EXPECT_EQ(fake.browser.navigations.size(), 1u);
}

}  // namespace
}  // namespace vantrope

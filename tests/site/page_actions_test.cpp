// Searching, reading, typing into and pressing the records of the parsed page.
#include <gtest/gtest.h>

#include "site/page_search.h"
#include "support/form_fixture.h"
#include "support/field_record.h"

namespace vantrope {
namespace {

using testing::Record;

TCatField Pattern(const std::string& line) {
  TCatField pattern;
  SrtToFieldData(line, pattern);
  return pattern;
}

const std::vector<TCatField> kPage = {
    Record(kKindForm, "stake_amount_input", "amount", "text", "10"),
    Record(kKindForm, "", "login", "text", ""),
    Record(kKindLink, "buy", "Купить", "  Купить вверх ", "http://127.0.0.1:8470/buy"),
    Record(kKindTable, "1", "1", "2", " 1,234.50 "),
};

TEST(PageSearchTest, TemplatesMatchByTheirModes) {
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<00000><0><><><><>")), 0) << "no criteria: the first record";
  EXPECT_EQ(SearchWebData({}, Pattern("99<00000><0><><><><>")), -1) << "an empty list has nothing, even optional";
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<11000><0><amount><><><>")), 0) << "mode 1: the text occurs inside";
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<22000><0><amount><><><>")), -1) << "mode 2: the texts are equal";
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<20220><0><><login><text><>")), 1);
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<20220><0><><login><   ><>")), 1) << "a blank text is not compared";
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<30000><0><><><><>")), -1) << "kind mode 3 never matches";
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<10000><3><><><><>")), 3);
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<22000><0><missing><><><>")), -1);
  EXPECT_EQ(SearchWebData(kPage, Pattern("99<22000><0><missing><><><>")), 0) << "an optional control";
  EXPECT_EQ(SearchWebData(kPage, Pattern("00<10007><0><><><><x>")), -1) << "an unknown mode never matches";
}

TEST(PageSearchTest, ValuesOfRecords) {
  EXPECT_EQ(GetWebValue(kPage, 2), "Купить вверх") << "a link gives its visible text";
  EXPECT_EQ(GetWebValue(kPage, 3), "1,234.50");
  EXPECT_EQ(GetWebValue(kPage, 4), "");
  EXPECT_EQ(GetWebValue(kPage, static_cast<size_t>(-1)), "") << "a missing control's -1";
  EXPECT_EQ(GetWebValue({Record(kKindDiv, "", "", "", "цена \u4e2d")}, 0), "цена ?")
      << "the value is a text of the code page";
}

TEST(PageSearchTest, MoneyTextToNumbers) {
  EXPECT_EQ(CostTranslate("$1,234.50"), 1234.5);
  EXPECT_EQ(CostTranslate("+15.00"), 15);
  EXPECT_EQ(CostTranslate("1,5"), 15);
  EXPECT_EQ(CostTranslate("12.5 USD"), 0);
  EXPECT_EQ(CostTranslate("-12.30"), -12.3);
  EXPECT_EQ(CostTranslate(": USD 1,250.00"), 1250);
  for (const char* zero : {"", "   ", "abc", "-", "1.2.3", "inf", "0x10", "1e"}) EXPECT_EQ(CostTranslate(zero), 0) << zero;
}

class PageActionsTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    Start();
    fake.browser.navigations = {"http://127.0.0.1:8470/d/trade.cgi"};
    DomFormElement amount{"amt", "amount", "text", "1"};
    DomFormElement buy{"buy", "buy", "submit", "Купить"};
    DomFormElement no_id{std::nullopt, "amount", "text", "1"};
    fake.browser.document = DomDocument{{DomForm{{amount, buy, no_id}}, DomForm{{amount, buy}}}, {}, "<p>x</p>"};
    form->page.WebFields = {Record(kKindForm, "amt", "amount", "text", "1"),
                            Record(kKindForm, "buy", "buy", "submit", ""), Record(kKindText, "", "", "", "x"),
                            Record(kKindLink, "l", "", "Портфель", " http://127.0.0.1:8470/d/portfolio.cgi ")};
  }
  PageActionReport Run(PageActionBatch batch) {
    std::optional<PageActionReport> got;
    form->page_actions.Run(std::move(batch), [&](const PageActionReport& report) { got = report; });
    fake.clock.Advance(1);
    return got.value_or(PageActionReport({}));
  }
};

TEST_F(PageActionsTest, ValueGoesIntoEveryElementTheRecordStandsFor) {
  PageActionBatch batch = form->page_actions.NewBatch();
  const int write = batch.WebSetValue(0, "  25 ");
  EXPECT_EQ(batch.WebSetValue(2, "25"), -1) << "not a form record";
  EXPECT_EQ(batch.WebSetValue(9, "25"), -1);
  const PageActionReport report = Run(std::move(batch));
  EXPECT_EQ(report.Count(write), 2);
  EXPECT_EQ(fake.browser.document->forms[0].elements[0].value, "25");
  EXPECT_EQ(fake.browser.document->forms[1].elements[0].value, "25");
  EXPECT_EQ(fake.browser.document->forms[0].elements[2].value, "1") << "an element without id never matches";
  fake.browser.navigations.clear();
  EXPECT_EQ(form->page_actions.NewBatch().WebSetValue(0, "25"), -1) << "no address, no document";
}

TEST_F(PageActionsTest, PressClicksOnlyTheFirstOfTwinButtons) {
  PageActionBatch batch = form->page_actions.NewBatch();
  const int press = batch.WebExecute(1);
  EXPECT_EQ(batch.WebExecute(2), -1) << "a text takes no click";
  EXPECT_TRUE(Run(std::move(batch)).Took(press));
  EXPECT_EQ(fake.browser.clicks, (std::vector<std::pair<size_t, size_t>>{{0, 1}}));
}

// The page answers later, as an event of its own; what it answers is the page
// as it is then: an element gone since the parse takes nothing, and a press
// that waits for the actions before it does not happen.
TEST_F(PageActionsTest, ActionsReachTheElementsThatHaveTheRecordsIdentityWhenTheyRun) {
  PageActionBatch batch = form->page_actions.NewBatch();
  const int write = batch.WebSetValue(0, "25");
  const int press = batch.WebExecute(1, true);
  bool reported = false;
  form->page_actions.Run(std::move(batch), [&](const PageActionReport& report) {
    reported = true;
    EXPECT_EQ(report.Count(write), 0);
    EXPECT_FALSE(report.Took(press));
  });
  EXPECT_FALSE(reported) << "never inside the call";
  fake.browser.document->forms[0].elements[0].id = "other";
  fake.browser.document->forms[1].elements[0].id = "other";
  fake.clock.Advance(1);
  EXPECT_TRUE(reported);
  EXPECT_TRUE(fake.browser.clicks.empty());
}

TEST_F(PageActionsTest, AnUnansweredActionMayStillHaveHappened) {
  fake.browser.answers = false;
  PageActionBatch batch = form->page_actions.NewBatch();
  const int press = batch.WebExecute(1);
  const PageActionReport report = Run(std::move(batch));
  EXPECT_TRUE(report.Unanswered(press));
  EXPECT_FALSE(report.Took(press));
}

TEST_F(PageActionsTest, PressOnALinkNavigatesToItsAddressAfterTheActionsBeforeIt) {
  PageActionBatch batch = form->page_actions.NewBatch();
  batch.WebSetValue(0, "25");
  const int follow = batch.WebExecute(3);
  EXPECT_EQ(batch.WebSetValue(0, "26"), -1) << "nothing follows a link";
  form->page_actions.Run(std::move(batch), [](const PageActionReport&) {});
  EXPECT_EQ(fake.browser.navigations.size(), 1u) << "not before the value went in";
  fake.clock.Advance(1);
  EXPECT_EQ(fake.browser.navigations.back(), "http://127.0.0.1:8470/d/portfolio.cgi");
  EXPECT_GE(follow, 0);
  form->page.WebFields[3].Fsubdata = "  ";
  EXPECT_EQ(form->page_actions.NewBatch().WebExecute(3), -1);
}

TEST_F(PageActionsTest, PayoutIsAWholePercentageOfTheStake) {
  form->page.WebFields.push_back(Record(kKindTable, "1", "1", "1", "1.7"));
  form->page.ControlSlots[12].FieldIndex = 4;
  EXPECT_EQ(form->page_actions.GetBrokerPercent(2, Slot::kUpPrice), 85);
  EXPECT_EQ(form->page.BetPrice, 1.7);
  form->page.WebFields[4].Fsubdata = "2.5";
  EXPECT_EQ(form->page_actions.GetBrokerPercent(4, Slot::kUpPrice), 62) << "62.5 rounds to the even 62";
  form->page.ControlSlots[12].FieldIndex = -1;
  EXPECT_EQ(form->page_actions.GetBrokerPercent(2, Slot::kUpPrice), 0);
  EXPECT_EQ(form->page.BetPrice, 2.5) << "left as it was";
  form->page.ControlSlots[12].FieldIndex = 4;
  EXPECT_EQ(form->page_actions.GetBrokerPercent(0, Slot::kUpPrice), 0) << "a stake of 0 has no percentage";
}

// A big page: the records at the low 16 bits of an index stand for other elements.
TEST_F(PageActionsTest, RecordsBeyondSixteenBitIndexesAreReadAndActedOnThemselves) {
  std::vector<TCatField>& fields = form->page.WebFields;
  fields.resize(70004, Record(kKindForm, "gone", "gone", "text", ""));
  const size_t amount = fields.size() - 4, buy = amount + 1, price = amount + 2;
  fields[amount] = Record(kKindForm, "amt", "amount", "text", "1");
  fields[buy] = Record(kKindForm, "buy", "buy", "submit", "");
  fields[price] = Record(kKindTable, "1", "1", "1", "1.7");
  fields[price & 0xFFFF] = Record(kKindTable, "1", "1", "1", "2.5");
  form->page.ControlSlots[12].FieldIndex = static_cast<int32_t>(price);
  EXPECT_EQ(form->page_actions.GetBrokerPercent(2, Slot::kUpPrice), 85);
  PageActionBatch batch = form->page_actions.NewBatch();
  const int write = batch.WebSetValue(amount, "25");
  const int press = batch.WebExecute(buy);
  EXPECT_EQ(batch.WebSetValue(fields.size(), "25"), -1) << "beyond the list";
  const PageActionReport report = Run(std::move(batch));
  EXPECT_EQ(report.Count(write), 2);
  EXPECT_TRUE(report.Took(press));
  EXPECT_EQ(fake.browser.clicks, (std::vector<std::pair<size_t, size_t>>{{0, 1}}));
}

class PairPeriodTest : public testing::FormFixture {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(PairPeriodTest, PairCodeSelectsTheLastMatchingItem) {
  form->EVENT.ValuteChanged = false;
  form->selectors.BetOnSetValutePair("frxGBPJPY");
  EXPECT_EQ(form->fmDebug.site_control.cbeBetOnValutePair.Text(), "GBP/JPY");
  EXPECT_EQ(form->EVENT.Valute, "frxGBPJPY");
  EXPECT_TRUE(form->EVENT.ValuteChanged);
  form->EVENT.ValuteChanged = false;
  form->selectors.BetOnSetValutePair("frxGBPJPY");
  EXPECT_FALSE(form->EVENT.ValuteChanged);
  form->selectors.BetOnSetValutePair("EURUSD");
  EXPECT_EQ(form->fmDebug.site_control.cbeBetOnValutePair.ItemIndex(), 7);
  form->selectors.BetOnSetValutePair("frxXAUUSD");
  EXPECT_EQ(form->fmDebug.site_control.cbeBetOnValutePair.ItemIndex(), 7) << "an unknown pair changes nothing";
  form->selectors.BetOnSetValutePair("");
  EXPECT_EQ(form->fmDebug.site_control.cbeBetOnValutePair.ItemIndex(), 7);
}

TEST_F(PairPeriodTest, UnitSetsTheLowerLimitAndThePeriod) {
  ui::NumberEdit& period = form->fmDebug.site_control.neBetOnBetPeriod;
  form->fmDebug.site_control.cbeBetOnBetTimeCost.SetItemIndex(0);
  form->cbeBetOnBetTimeCostChange();
  EXPECT_EQ(period.MinValue(), 30);
  form->fmDebug.site_control.cbeBetOnBetTimeCost.SetItemIndex(2);
  form->EVENT.PeriodChanged = false;
  form->cbeBetOnBetTimeCostChange();
  EXPECT_EQ(period.MinValue(), 1);
  EXPECT_EQ(form->EVENT.PeriodUnit, "h");
  EXPECT_TRUE(form->EVENT.PeriodChanged);
  period.SetValue(5);
  form->neBetOnBetPeriodExit();
  EXPECT_EQ(form->EVENT.Period, 5);
  form->EVENT.Period = 0;
  form->neBetOnBetPeriodExit();
  EXPECT_EQ(form->EVENT.Period, 30) << "an unset period becomes 30";
  form->fmDebug.site_control.cbeBetOnBetTimeCost.SetItemIndex(-1);
  form->cbeBetOnBetTimeCostChange();
  EXPECT_EQ(form->EVENT.PeriodUnit, "s");
}

}  // namespace
}  // namespace vantrope

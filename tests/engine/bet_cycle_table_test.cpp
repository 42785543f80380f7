// The bet cycle's table, walked row by row on the cycle itself: a page that
// a row sends somewhere goes there, and the pages a row leaves out get the
// reactions every step shares.
#include <gtest/gtest.h>

#include <set>

#include "support/form_fixture.h"

namespace vantrope {
namespace {

using Row = BetCycle::StepRow;

class BetCycleTableTest : public testing::FormFixture {
 protected:
  void SetUp() override { Start(); }

  const BetCycle::PageRow* Named(const Row& row, TPage shown) const {
    for (const BetCycle::PageRow& on : row.pages)
      if (on.pages.Has(shown)) return &on;
    return nullptr;
  }
  std::string AddressOf(BetCycle::Address address) const {
    switch (address) {
      case BetCycle::Address::Main:
        return form->site.MainUrl;
      case BetCycle::Address::Trading:
        return form->site.ReturnUrl;
      case BetCycle::Address::Portfolio:
        return form->site.PortFolioUrl;
      case BetCycle::Address::None:
        break;
    }
    return "";
  }
};

TEST_F(BetCycleTableTest, EveryStepHasOneRowAndEveryMoveLeadsToOne) {
  std::set<TBetStep> steps;
  for (const Row& row : BetCycle::Table()) EXPECT_TRUE(steps.insert(row.step).second) << row.step;
  for (int step = bsOpenSite; step <= bsAwaitResult; ++step) EXPECT_EQ(steps.count(static_cast<TBetStep>(step)), 1u);
  EXPECT_EQ(steps.count(bsIdle), 1u);
  for (const Row& row : BetCycle::Table()) {
    for (const BetCycle::PageRow& on : row.pages) {
      EXPECT_NE(on.move.has_value(), on.react != nullptr) << row.step << ": a move or a reaction";
      if (!on.move) continue;
      EXPECT_EQ(steps.count(on.move->next), 1u) << row.step << " leads to " << on.move->next;
      if (on.move->open != BetCycle::Address::None) {
        EXPECT_GT(on.move->interval, 0) << row.step;
      }
    }
  }
}

TEST_F(BetCycleTableTest, EachPageLeadsWhereItsRowSays) {
  for (const Row& row : BetCycle::Table()) {
    // These parse the page afresh in the tick; the scenarios walk them.
    if (row.look == BetCycle::Look::Fresh) continue;
    for (int number = pgNone; number <= pgAccountBlocked; ++number) {
      const auto shown = static_cast<TPage>(number);
      // The tick parses the trading form afresh, and leaves the error pages
      // before any step looks at them.
      if (IsTradingPage(shown) || shown == pgSitePause || (shown >= pgRequestError && shown <= pgPurchaseRefused))
        continue;
      const BetCycle::PageRow* named = Named(row, shown);
      // A reaction of the step's own is walked by the scenarios.
      if (named != nullptr && named->react != nullptr) continue;
      SCOPED_TRACE("step " + std::to_string(row.step) + ", page " + std::to_string(number));
      form->robot.Running = true;
      form->robot.BetOnStatus = row.step;
      form->page.PageIndex = shown;
      form->page.SiteDataUpdated = true;
      fake.browser.navigations.clear();
      form->bet_cycle.Tick();
      if (named != nullptr) {
        EXPECT_EQ(form->robot.BetOnStatus, named->move->next);
        if (named->move->open != BetCycle::Address::None) {
          EXPECT_EQ(fake.browser.LocationUrl(), AddressOf(named->move->open));
          EXPECT_EQ(form->page.SiteDataUpdated, named->move->keep_page) << "the page opened is waited for";
        } else {
          EXPECT_TRUE(fake.browser.navigations.empty());
        }
      } else if (shown == pgAccountBlocked) {
        EXPECT_EQ(form->robot.BetOnStatus, bsIdle) << "a disabled account stops the robot";
      } else if (shown == pgLogin) {
        EXPECT_EQ(form->robot.BetOnStatus, bsLogIn) << "the site ended the session";
      } else {
        EXPECT_EQ(form->robot.BetOnStatus, row.step) << "a page the step does not expect keeps it where it is";
        EXPECT_TRUE(fake.browser.navigations.empty());
      }
    }
  }
}

}  // namespace
}  // namespace vantrope

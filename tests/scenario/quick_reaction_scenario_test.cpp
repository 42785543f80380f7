// The quick reaction takes a signal to its purchase by the same steps, pages
// and page actions as the cycle's own pace, only sooner.
#include <gtest/gtest.h>

#include "scenario/robot_world.h"

namespace vantrope::testing {
namespace {

struct OneBet {
  std::vector<TBetStep> steps;
  std::vector<std::string> page_work;  // addresses opened, values written, controls pressed
  int64_t signal_to_purchase_ms = 0;
};

OneBet FromSignalToResult(bool quick) {
  demo::SiteOptions options;
  options.script = "W";
  RobotWorld world(options, {{"Binary", "QuickReaction", quick ? "1" : "0"}, {"Robot0", "BetCount", "1"}});
  OneBet bet;
  world.browser->on_navigate = [&](const std::string& url) { bet.page_work.push_back("open " + url); };
  world.browser->on_actions = [&](const std::vector<DomAction>& actions) {
    for (const DomAction& a : actions)
      bet.page_work.push_back((a.kind == DomAction::Kind::Click ? "press " : "write " + a.value + " to ") + a.id);
  };
  std::optional<int64_t> purchase_at;
  world.browser->on_buy_press = [&](const std::string&) { purchase_at = world.clock.ElapsedMs(); };
  world.clock.after_fire = [&] {
    const TBetStep step = world.Form().robot.BetOnStatus;
    if (bet.steps.empty() || bet.steps.back() != step) bet.steps.push_back(step);
  };
  world.Start("CR100200", "demo200");
  EXPECT_TRUE(world.WaitUntil(
      [&] { return world.Form().robot.BetOnStatus == bsFormReady && world.Form().EVENT.BetStatus == ssReady; },
      120'000, 10));
  bet.steps.clear();
  bet.page_work.clear();
  const int64_t signal_at = world.clock.ElapsedMs();
  world.Signal(drUp);
  EXPECT_TRUE(world.WaitUntil([&] { return world.Form().EVENT.BetStatus == ssBetWon; }, 600'000, 10));
  bet.signal_to_purchase_ms = purchase_at.value_or(0) - signal_at;
  world.clock.after_fire = nullptr;
  return bet;
}

TEST(QuickReaction, ASignalIsBoughtByTheSameStepsAndPageWorkOnlySooner) {
  const OneBet paced = FromSignalToResult(false);
  const OneBet quick = FromSignalToResult(true);
  EXPECT_EQ(quick.steps, paced.steps);
  EXPECT_EQ(quick.page_work, paced.page_work);
  ASSERT_GT(paced.signal_to_purchase_ms, 0);
  EXPECT_LT(quick.signal_to_purchase_ms, paced.signal_to_purchase_ms);
}

}  // namespace
}  // namespace vantrope::testing

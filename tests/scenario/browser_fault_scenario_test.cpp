// The browser fails as a real one does: answers late or lost, loads that
// fail on the network. The robot meets each fault while it waits for an
// arrow and while a bet is open; it never buys twice, records each result
// once and right, and once the fault is over trades as before.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "scenario/bet_scenario.h"

namespace vantrope::testing {
namespace {

constexpr int64_t kMinute = 60'000;

class BrowserFaultScenario : public BetScenario {
 protected:
  BrowserFaultScenario() : BetScenario(Options("WW"), {{"Robot0", "BetCount", "1"}}) {
    world.browser->on_actions = [this](const std::vector<DomAction>& actions) {
      const bool buys = std::any_of(actions.begin(), actions.end(),
                                    [](const DomAction& a) { return a.id == "buy-up" || a.id == "buy-down"; });
      if (buys && fault_at_buy) {
        fault_at_buy = false;
        fault_on();
      }
    };
  }

  // The fault comes while the robot waits for an arrow, and an arrow meets
  // it. Once it is over, arrows come every 15 s (dropped while the site is
  // not ready): within a minute the robot has bought one.
  void MeetWhileWaiting(int64_t lasting_ms) {
    Start("CR100200", "demo200");
    ASSERT_TRUE(ReachReadyForm());
    fault_on();
    RunUntil([] { return false; }, 10'000);
    world.Signal(drUp);
    RunUntil([] { return false; }, lasting_ms);
    fault_off();
    const bool bought = RunUntil(
        [&, arrows = 0]() mutable {
          if (buy_presses == 0 && F().ledger.Open() == TOpenBet::None && arrows++ % 1500 == 0) world.Signal(drUp);
          return buy_presses == 1;
        },
        kMinute);
    ASSERT_TRUE(bought) << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex) << ", at "
                        << world.browser->LocationUrl();
    ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 1; }, 10 * kMinute));
  }
  // The fault comes as the buy is pressed, before its answer, and lasts.
  void MeetWhileBetOpen(int64_t lasting_ms) {
    ASSERT_TRUE(ReachReadyForm(5 * kMinute));
    fault_at_buy = true;
    world.Signal(drDown);
    ASSERT_TRUE(RunUntil([&] { return !fault_at_buy; }, kMinute));
    RunUntil([] { return false; }, lasting_ms);
    fault_off();
    ASSERT_TRUE(RunUntil([&] { return RowsOfType(ltWin) == 2; }, 15 * kMinute))
        << "step " << F().robot.BetOnStatus << ", page " << int(F().page.PageIndex) << ", at "
        << world.browser->LocationUrl();
    EXPECT_EQ(buy_presses, 2);
    EXPECT_EQ(world.Site().Contracts().size(), 2u);
    EXPECT_EQ(ReadHistoryFile("history.dat").size(), 2u);
    EXPECT_EQ(RowsOfType(ltLost), 0);
  }

  // A press that lands after the port gave up on it finds the strategy
  // following its bet already; it is still the one press of its request.
  void OnLatePress(const std::string& id) {
    Observe();
    ++buy_presses;
    ASSERT_GT(bet_requests, 0) << "a buy without a bet request";
    EXPECT_EQ(++buys_of_request.back(), 1) << "two buy presses for one request";
    EXPECT_EQ(id, F().robot.BetDirection == drUp ? "buy-up" : "buy-down");
  }

  std::function<void()> fault_on, fault_off;
  bool fault_at_buy = false;
};

TEST_F(BrowserFaultScenario, AnswersPastTheLimitWhileWaitingAndAfterTheBuyPress) {
  // The page gets to each script a second after the port stopped waiting.
  world.browser->on_buy_press = [&](const std::string& id) { OnLatePress(id); };
  fault_on = [&] { world.browser->answer_delay_ms = TestBrowser::kNoAnswerMs + 1'000; };
  fault_off = [&] { world.browser->answer_delay_ms = TestBrowser::kAnswerMs; };
  ASSERT_NO_FATAL_FAILURE(MeetWhileWaiting(2 * kMinute));
  MeetWhileBetOpen(2 * kMinute);
}

TEST_F(BrowserFaultScenario, LostAnswersWhileWaitingAndAfterTheBuyPress) {
  fault_on = [&] { world.browser->lose_answers = true; };
  fault_off = [&] { world.browser->lose_answers = false; };
  ASSERT_NO_FATAL_FAILURE(MeetWhileWaiting(2 * kMinute));
  MeetWhileBetOpen(2 * kMinute);
}

TEST_F(BrowserFaultScenario, LoadsFailingOnTheNetworkWhileWaitingAndAfterTheBuyPress) {
  fault_on = [&] { world.browser->network_fault = NetworkFault::kRefused; };
  fault_off = [&] { world.browser->network_fault = NetworkFault::kNone; };
  ASSERT_NO_FATAL_FAILURE(MeetWhileWaiting(3 * kMinute));
  // The purchase reaches the site but its answer is lost, and so are those
  // of the pages that follow for a while.
  fault_on = [&] { world.browser->network_fault = NetworkFault::kAnswerLost; };
  MeetWhileBetOpen(2 * kMinute);
}

}  // namespace
}  // namespace vantrope::testing

// The fixture of the scenarios: the whole robot on the demo broker, traced,
// with the invariants that every scenario must keep checked after it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "log/history_file.h"
#include "scenario/robot_world.h"

namespace vantrope::testing {

// Records every change of the bet cycle's step and the site state.
struct Trace {
  std::vector<TBetStep> steps;
  std::vector<TSiteState> states;
  void Sample(const TMainForm& f) {
    if (steps.empty() || steps.back() != f.robot.BetOnStatus) steps.push_back(f.robot.BetOnStatus);
    if (states.empty() || states.back() != f.EVENT.BetStatus) states.push_back(f.EVENT.BetStatus);
  }
};

class BetScenario : public ::testing::Test {
 protected:
  explicit BetScenario(std::string script = "W", std::vector<RobotWorld::Setting> settings = {})
      : BetScenario(Options(std::move(script)), std::move(settings)) {}
  BetScenario(demo::SiteOptions options, std::vector<RobotWorld::Setting> settings)
      : start_accounts(options.accounts), world(std::move(options), settings) {
    world.browser->on_buy_press = [this](const std::string& id) { OnBuyPress(id); };
  }
  static demo::SiteOptions Options(std::string script, int price_share = 0) {
    demo::SiteOptions options;
    options.script = std::move(script);
    options.price_share = price_share;
    return options;
  }
  // The demo accounts, one of them with another balance.
  static std::vector<demo::Account> AccountsWith(const std::string& number, demo::Cents balance) {
    std::vector<demo::Account> accounts = demo::DemoAccounts();
    for (demo::Account& account : accounts)
      if (account.number == number) account.balance = balance;
    return accounts;
  }

  TMainForm& F() { return world.Form(); }
  void Start(const std::string& account, const std::string& password) {
    this->account = account;
    world.Start(account, password);
  }
  // Runs virtual time in small steps, tracing, until the condition holds.
  template <typename Condition>
  bool RunUntil(Condition condition, int64_t limit_ms) {
    return world.WaitUntil(
        [&] {
          trace.Sample(F());
          Observe();
          return condition();
        },
        limit_ms, 10);
  }
  bool ReachReadyForm(int64_t limit_ms = 120'000) {
    return RunUntil([&] { return F().robot.BetOnStatus == bsFormReady && F().EVENT.BetStatus == ssReady; }, limit_ms);
  }
  int RowsOfType(TLogType type) {
    int count = 0;
    for (int row = 0; row < F().event_log.gwLog.RowCount(); ++row)
      count += F().event_log.gwLog.Cell(3, row) == std::to_string(type);
    return count;
  }
  // Rows of a type whose text contains the language-pack text.
  int RowsWith(TLogType type, int text) {
    int count = 0;
    for (int row = 0; row < F().event_log.gwLog.RowCount(); ++row)
      count += F().event_log.gwLog.Cell(3, row) == std::to_string(type) &&
               F().event_log.gwLog.Cell(2, row).find(F().Txt(text)) != std::string::npos;
    return count;
  }
  double SiteBalance(const std::string& number) {
    for (const demo::Account& a : world.Site().Accounts())
      if (a.number == number) return static_cast<double>(a.balance) / 100;
    return 0;
  }
  double StartBalanceOf(const std::string& number) {
    for (const demo::Account& a : start_accounts)
      if (a.number == number) return static_cast<double>(a.balance) / 100;
    return 0;
  }

  // A bet request opens a bet in the cycle, seen at every step of the
  // virtual time; the cycle may leave the bet steps and come back to it.
  void Observe() {
    const TOpenBet open = F().ledger.Open();
    if (open == TOpenBet::Requested && last_open == TOpenBet::None) {
      ++bet_requests;
      buys_of_request.push_back(0);
      prices_changed = false;
    }
    // The site refused the purchase: its quote went stale. The bet may be bought anew.
    if (open != TOpenBet::None && F().page.PageIndex == pgPricesChanged) prices_changed = true;
    last_open = open;
  }
  void OnBuyPress(const std::string& id) {
    Observe();
    ++buy_presses;
    EXPECT_GT(bet_requests, 0) << "a buy without a bet request";
    if (bet_requests == 0) return;
    const uint8_t sub = F().robot.RobotSubStatus;
    if (buys_of_request.back() > 0 && prices_changed) {
      // The strategy took the refused press for the bet made and waits for its outcome.
      ++presses_after_stale_prices;
      EXPECT_EQ(sub, requested_substep + 2) << "the strategy follows its request";
    } else {
      EXPECT_EQ(++buys_of_request.back(), 1) << "two buy presses for one request";
      EXPECT_TRUE(sub == requested_substep || sub == requested_substep + 1) << "the strategy follows its request";
    }
    prices_changed = false;
    EXPECT_EQ(id, F().robot.BetDirection == drUp ? "buy-up" : "buy-down") << "the buy of the requested direction";
  }

  // What holds after every scenario: each press of a buy control belongs to
  // its own bet request, each won or lost row has its history record, and
  // the records add up to the balance change at the broker.
  void CheckInvariants() {
    EXPECT_EQ(world.Site().PurchasesAsked(), buy_presses) << "every purchase the site saw was a buy press";
    EXPECT_LE(buy_presses - presses_after_stale_prices, bet_requests);
    const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
    int won = 0, lost = 0;
    for (const THistoryRecord& record : records) (record.Result == 1 ? won : lost) += 1;
    EXPECT_EQ(won, RowsOfType(ltWin)) << "one history record per won row";
    EXPECT_EQ(lost, RowsOfType(ltLost)) << "one history record per lost row";
    if (!all_bets_finished || account.empty()) return;
    double results = 0;
    for (const THistoryRecord& record : records) results += record.BalanceAtResult - record.BalanceAtBet;
    EXPECT_NEAR(SiteBalance(account) - StartBalanceOf(account), results, 0.005);
    EXPECT_NEAR(F().page.CurrentBalance - F().robot.StartBalance, results, 0.005);
  }
  // A run the site ends in the middle of a bet leaves that bet unrecorded.
  bool all_bets_finished = true;
  void TearDown() override { CheckInvariants(); }

  std::vector<demo::Account> start_accounts;
  RobotWorld world;
  Trace trace;
  std::string account;
  int bet_requests = 0;
  int buy_presses = 0;
  std::vector<int> buys_of_request;
  int presses_after_stale_prices = 0;
  bool prices_changed = false;
  TOpenBet last_open = TOpenBet::None;
  // The strategy's sub-step after a request: the simple bet's by default.
  uint8_t requested_substep = 4;
};

}  // namespace vantrope::testing

// The strategy step: the selected strategy run on the robot's state and the
// event record, with the robot around it as its host.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "desktop/clock.h"
#include "engine/account_panel.h"
#include "engine/bet_cycle.h"
#include "engine/bet_runner.h"
#include "engine/bet_ledger.h"
#include "engine/robot_controls.h"
#include "engine/robot_state.h"
#include "engine/run_control.h"
#include "strategy/strategy.h"
#include "engine/strategy_pages.h"
#include "engine/strategy_registry.h"
#include "event/robot_event.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/pair_period_selectors.h"
#include "site/site_page.h"

namespace vantrope {

// The records and parts of the robot the strategy step works with.
struct StrategyEngineParts {
  RobotState& robot;
  TEvent& EVENT;
  const SitePage& page;
  StrategyPages& strategies;
  const RobotControls& robot_controls;
  const AccountPanel& account;
  PairPeriodSelectors& selectors;
  RunControl& run_control;
  BetCycle& bet_cycle;
  BetRunner& bets;
  BetLedger& ledger;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;
};

struct StrategyEngine : StrategyEngineParts, private StrategyHost {
  explicit StrategyEngine(const StrategyEngineParts& parts) : StrategyEngineParts(parts) {}

  // One engine step, unless one is running already.
  void BetOnRobot();
  // Takes up the chain the last run left: with its purchase open, where the
  // chain follows it; otherwise at the next signal, as after a pause.
  void ResumeChain(const LedgerChain& chain, bool bet_open);

 private:
  // The language pack's texts the step writes besides the strategies'.
  enum Text : int {
    txArrowBeforeWatching = 205,
    txSignalTooOld = 294,
  };

  void Step();
  // A signal too old to be bought is dropped before any strategy sees it.
  void DropStaleSignal();
  // The chain of a martingale strategy that owes its next bet or follows
  // one; none otherwise.
  std::optional<LedgerChain> RunningChain() const;

  void Note(StrategyText text) override;
  void Tell(StrategyText text, bool sound) override;
  void ForgetSignal() override;
  void TakeChartChange() override;
  void ShowPair(const std::string& valute) override;
  void RequestBet() override;
  bool LimitReached(uint16_t chain_counter) override;
  void Stop() override;
  void ShowThreshold(double porog) override;

  // The running strategy, made with its page's parameters at its first step
  // after the strategy was chosen.
  const StrategyRow* running_ = nullptr;
  std::unique_ptr<Strategy> strategy_;
};

}  // namespace vantrope

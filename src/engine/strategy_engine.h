// The strategy engine: one step of the selected money-management strategy.
// Every strategy is put together from the shared blocks below.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/clock.h"
#include "engine/account_panel.h"
#include "engine/bet_ledger.h"
#include "engine/bet_cycle.h"
#include "engine/robot_controls.h"
#include "engine/robot_state.h"
#include "engine/run_control.h"
#include "engine/strategy_pages.h"
#include "event/robot_event.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "site/pair_period_selectors.h"
#include "site/site_page.h"
#include "ui/controls.h"

namespace vantrope {

struct StrategyEngine {
  // One engine step, unless one is running already.
  void BetOnRobot();
  // Takes up the chain the last run left: with its purchase open, where the
  // chain follows it; otherwise at the next signal, as after a pause.
  void ResumeChain(const LedgerChain& chain, bool bet_open);

  RobotState& robot;
  TEvent& EVENT;
  const SitePage& page;
  StrategyPages& strategies;
  const RobotControls& robot_controls;
  const AccountPanel& account;
  PairPeriodSelectors& selectors;
  RunControl& run_control;
  BetCycle& bet_cycle;
  BetLedger& ledger;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;

 private:
  // The language pack's texts the strategies write.
  enum Text : int {
    txContinuing = 180,
    txWaitingForSignal = 190,
    txSiteNotReady = 191,
    txLossLimitReached = 192,
    txWinLimitReached = 193,
    txBetRequested = 194,
    txWaitingForPrices = 195,
    txBetImpossible = 196,
    txBetMade = 197,
    txBetWon = 198,
    txBetLost = 199,
    txContinuingChain = 200,
    txContinuingWithoutChain = 201,
    txChainStarted = 202,
    txStakeOverCeiling = 203,
    txArrowBeforeWatching = 205,
    txSignalTooOld = 294,
  };

  // Where the follow blocks go for the site states a strategy decides on.
  struct FollowTargets {
    uint8_t restart;
    uint8_t impossible;
    uint8_t placing;
    uint8_t outcome;
    uint8_t won;
    uint8_t lost;
  };

  void SimpleBet();
  void Balanced();
  // Strategies 1 and 4; the Monte-Carlo one reverses after a loss.
  void Martingale(bool monte_carlo);
  void CautiousMartingale();
  void AdaptiveMartingale();
  // ChainStake raised after a loss; false when it went over MaxStake.
  bool RaiseAfterLoss();
  void ResumeOrOpenChain(const ui::NumberEdit& initial_stake);
  void BalancedThreshold();
  bool BalancedLimitReached();

  bool Paused() const;
  bool Continue(Text text, uint8_t sub_status);
  void SiteNotReady();
  bool ChartChanged() const;
  void ApplyChartChanges();
  bool WaitForSignal();
  // The waiting signal is the one the next bet answers.
  void TakeSignal();
  void StartChain();
  bool BetHeldBack(bool win_hold, uint16_t win_marker) const;
  // Without take_signal a new signal leaves the chain's direction alone.
  bool Request(uint8_t requested, bool take_signal = true);
  void FollowRequested(const FollowTargets& to);
  // Returns true when the site state is 1 or 2, which each strategy handles itself.
  bool FollowPlacing(const FollowTargets& to, bool count_games);
  void FollowOutcome(const FollowTargets& to, bool count_games);
  // Sub-step 1: the limit check, then a chart change or a new signal; false
  // when the check paused or stopped the robot.
  bool AwaitSignal();
  // Sub-step 2: a new chain on the signal.
  void BeginChain();
  void FollowBet(const FollowTargets& to);
  void StopOnLimit(Text text, int32_t saved_stake);
  int32_t Rounded(double value) const;
  void Step();
  // A signal too old to be bought is dropped before any strategy sees it.
  void DropStaleSignal();
  // The chain of a martingale strategy that owes its next bet or follows
  // one; none otherwise.
  std::optional<LedgerChain> RunningChain() const;
};

}  // namespace vantrope

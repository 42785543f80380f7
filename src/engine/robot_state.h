// The robot's state between two timer ticks: the bet cycle's step, the
// strategy's chain, the bet request, run control's pause state and the money
// of the current bet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "strategy/strategy_state.h"
#include "event/robot_event.h"

namespace vantrope {

// The bet cycle's step, BetOnStatus.
enum TBetStep : uint16_t {
  bsOpenSite = 0,
  bsLogIn = 1,
  bsLoggedIn = 2,     // go to the portfolio page
  bsReadBalance = 3,  // the account page: currency and start balance
  bsOpenTrading = 4,
  bsSelectMarket = 5,  // the currency market of the trading page
  bsFillForm = 6,      // once, then ask for prices
  bsFormReady = 7,     // refilled every tick, waiting for a bet request
  bsBetRequested = 8,
  bsBuy = 9,  // prices shown: the threshold, then buy
  bsAwaitConfirmation = 10,
  bsPortfolio = 11,    // waiting for acceptance or the result
  bsAwaitResult = 12,  // accepted: the portfolio reloaded until the result
  bsIdle = 65535,
};

// RobotStatus: where run control and the strategy step stand.
enum TRobotStatus : uint16_t {
  rsStopped = 0,
  rsStarted = 1,  // waiting for the working hours
  rsChoosingStrategy = 2,
  rsMartingale = 3,
  rsCautiousMartingale = 13,
  rsSimpleBet = 23,
  rsAdaptiveMartingale = 33,
  rsMonteCarlo = 43,
  rsBalanced = 53,
};

// The strategy's part is a record of its own (StrategyState), so that a
// strategy can run on it outside the robot.
struct RobotState : StrategyState {
  // Between Run and Stop.
  bool Running = false;

  // --- run control ---
  TRobotStatus RobotStatus = rsStopped;
  uint8_t LastStrategyIndex = 0;
  // Re-entry guard of the strategy step.
  bool RobotBusy = false;

  // Seconds a signal may be old and still be bought; 0 for any age.
  int32_t SignalLifetime = 60;

  // --- the bet cycle ---
  TBetStep BetOnStatus = bsIdle;
  // Index into the advance thresholds.
  uint8_t GreedPorog = 0;
  // A new signal on the ready form and the prices of a bet are acted on at
  // once, not at the cycle's next tick; off, the cycle keeps its own pace.
  bool QuickReaction = true;
  uint8_t BetPricePercent = 0;
  double StartBalance = 0;
  // The run's start balance was read; a new login keeps it.
  bool StartBalanceKnown = false;
  double BalanceAtBet = 0;
  double BalanceAtResult = 0;
  // An error page came between the buy press and its answer: a page got back
  // to from there is no answer to the press.
  bool BuyAnswerLost = false;
  double ResultWaitCounter = 0;
  // The page answer the cycle waits for: only the answer to this ticket may
  // move the cycle; 0 while it waits for none.
  uint64_t AwaitedTicket = 0;
  uint64_t LastTicket = 0;
  // The bet watchdog fired while an answer was awaited: the bet is given up
  // once the answer has come.
  bool WatchdogDue = false;
  // Since when the cycle waits without getting on, and whether the event
  // log said so; the kind of wait it is.
  int64_t StallSince = 0;
  bool StallReported = false;
  bool AwaitingResult = false;
  // A contract the robot did not buy was open on the account: told once.
  bool ForeignContractReported = false;
  // The last signal the log said was too old: the time its arrow was first
  // seen, and its direction.
  int64_t StaleSignalTime = -1;
  TDirection StaleSignalDirection = drNone;
  // The host of the last login page met away from the site's own hosts: the
  // event log tells of it once.
  std::string ForeignLoginHost;
  // The robot's own navigations as counted when its login press took: the
  // site's refusal is its answer only while no other followed.
  std::optional<uint64_t> LoginPressedAt;
  // The tick began with a fresh parse of the page shown.
  bool ParsedThisTick = false;
};

}  // namespace vantrope

// A money-management strategy: a plain object that, step by step, reads the
// site state and the signal in the event record, keeps its chain in a
// strategy state, and asks for bets. Its parameters are copied from its
// strategy page at Start; it never touches a control. Whatever it asks of
// the robot around it goes through StrategyHost, in the order of its step.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "strategy/strategy_state.h"
#include "event/robot_event.h"

namespace vantrope {

// The strategy pages by index, StrategyIndex.
enum TStrategy : uint8_t {
  stSimpleBet = 0,
  stMartingale = 1,
  stCautiousMartingale = 2,
  stAdaptiveMartingale = 3,
  stMonteCarlo = 4,
  stBalanced = 5,
  stNone = 6,  // the seventh page has no behaviour
};

// The editors of a strategy page, by the settings file's keys; each strategy
// reads those its page has.
struct StrategyParams {
  double BetSize = 3;  // the first stake of a chain
  int BetCount = 0;
  int ChainCount = 0;
  bool ReBet = false;       // simple bet: go on until the first loss
  bool AutoDirect = false;  // balanced: the other direction after a loss
  double WinLimit = 0;
  double LoseLimit = 0;
  // Balanced: the balance a bet may not take the account below; it rises
  // with the wins. The strategy moves it and the host shows it.
  double Porog = 0;
};

// The share of the next stake that must stay above the minimum balance: the
// bet guard holds a bet back below it, and the limit check stops there (for
// every strategy: with half the stake, the cautious and adaptive martingales
// sat between the two, every bet held back and no stop).
constexpr double kStakeShareAboveMinimum = 0.75;

// Whether that share of the stake stays above the (rounded) minimum balance.
inline bool StakeFitsAboveMinimum(double balance, int32_t stake, double minimum) {
  return balance - stake * kStakeShareAboveMinimum > minimum;
}

// The money a step weighs.
struct StrategyInput {
  // The account's balance as the site showed it last.
  double balance = 0;
  // As the account panel shows it, which the balanced strategy reads.
  double shown_balance = 0;
  // Run control's minimum balance.
  double min_balance = 0;
};

// The language pack's texts the strategies write.
enum class StrategyText : int {
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
};

// What a strategy asks of the robot around it.
class StrategyHost {
 public:
  // A line of the debug log.
  virtual void Note(StrategyText text) = 0;
  // A line of the event log.
  virtual void Tell(StrategyText text, bool sound) = 0;
  // The signal is forgotten, by a program started after a kill too.
  virtual void ForgetSignal() = 0;
  // The pair and expiry selectors follow the chart's change.
  virtual void TakeChartChange() = 0;
  // The pair selector shows the chain's pair.
  virtual void ShowPair(const std::string& valute) = 0;
  // The bet in the state's request fields is asked of the site.
  virtual void RequestBet() = 0;
  // Run control's limit check on the chain's counter: true when it paused
  // or stopped the robot.
  virtual bool LimitReached(uint16_t chain_counter) = 0;
  virtual void Stop() = 0;
  // The balanced strategy's threshold, shown on its page.
  virtual void ShowThreshold(double porog) = 0;

 protected:
  ~StrategyHost() = default;
};

// What a strategy works on.
struct StrategyContext {
  TEvent& EVENT;
  StrategyState& state;
  StrategyHost& host;
};

class Strategy {
 public:
  virtual ~Strategy() = default;
  // One step on the site state and the signal of the event record.
  virtual void Step(const StrategyInput& input) = 0;
};

}  // namespace vantrope

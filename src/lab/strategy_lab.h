// The strategy lab: a strategy run on bets whose outcomes are drawn at
// random (Monte Carlo) or taken from the trader's own history, with the same
// strategy code the live robot runs. The lab plays the site and run control
// around it: it answers the strategy's bet requests in the order the live
// bet cycle reports a purchase, and stops a run where run control would.
#pragma once

#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "event/robot_event.h"
#include "lab/lab_inputs.h"

namespace vantrope {

// How a run ended.
enum class LabEnd : uint8_t {
  kAllBets,             // every bet of the run was made (or the history replayed)
  kLossLimit,           // the balanced strategy's loss limit, or the trader's
  kMinimumBalance,      // run control stopped at the minimum balance
  kStakeBeyondBalance,  // a raised stake did not fit above the minimum balance
  kWinLimit,            // the balanced strategy's win limit, or the trader's
  kNoBets,              // the robot bought nothing on the signals offered
};
inline constexpr int kLabEndCount = 6;

// Where the signals and the outcomes of a run's bets come from.
class LabOutcomes {
 public:
  // The direction of the next arrow; drNone when there are no more.
  virtual TDirection NextSignal() = 0;
  // The next bet made, in the direction given: whether it won, and its price
  // in parts of the stake.
  struct Bet {
    bool won;
    double price_share;
  };
  virtual Bet Outcome(TDirection direction) = 0;

 protected:
  ~LabOutcomes() = default;
};

struct LabRun {
  double final_balance = 0;
  LabEnd end = LabEnd::kAllBets;
  int bets = 0;
  int won = 0;
  int32_t largest_stake = 0;
  double max_drawdown = 0;  // the deepest fall of the balance below its highest point before
  int longest_losing_streak = 0;
  // A chain's stake would have been raised beyond MaxStake: the chain ended there.
  bool stake_over_ceiling = false;
};

// One run of the strategy in `inputs` on the outcomes given, at most
// `inputs.bets` bets. `path`, when not empty, receives the balance before the
// first bet and after every `stride` bets; a run that ends early keeps its
// last balance to the end.
LabRun RunStrategy(const LabInputs& inputs, LabOutcomes& outcomes, std::span<float> path = {}, int stride = 1);

// How far a computation is, and a request to give it up.
struct LabProgress {
  std::atomic<int> runs_done{0};
  std::atomic<bool> cancel{false};
};

// The runs of a Monte Carlo, and the balance paths sampled at a fixed
// number of bets.
struct LabResult {
  std::vector<LabRun> runs;
  int stride = 1;               // bets between two samples of a path
  int points = 0;               // samples per path
  std::vector<float> paths;     // runs × points, run by run
  bool cancelled = false;
};

// `inputs.runs` runs of `inputs.bets` bets, each won with `inputs.win_rate`.
// Each run draws from its own generator, seeded by the seed and its number,
// so the result is the same on any number of threads.
LabResult RunMonteCarlo(const LabInputs& inputs, LabProgress* progress = nullptr);

// The bets of a history, as their outcomes: the direction each was made in
// and whether it won; a bet the other way would have had the other outcome.
struct HistoryOutcome {
  TDirection direction;
  bool won;
  double price_share;  // its price in parts of its stake; 0 when unknown
};

// The strategy played through the history's outcomes once.
LabResult ReplayHistory(const LabInputs& inputs, const std::vector<HistoryOutcome>& history);

}  // namespace vantrope

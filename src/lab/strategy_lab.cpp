#include "lab/strategy_lab.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "engine/strategy_registry.h"
#include "event/event_changes.h"
#include "ui/money.h"

namespace vantrope {

double AdvancePercent(double payout) { return 100.0 * 100.0 / (100.0 + payout); }

namespace {

// The site and run control around the strategy, for one run.
class LabWorld final : public StrategyHost {
 public:
  LabWorld(const LabInputs& inputs, LabOutcomes& outcomes)
      : inputs_(inputs), outcomes_(outcomes), balance_(inputs.balance), peak_(inputs.balance) {
    const StrategyRow* row = StrategyOfPage(inputs.strategy);
    if (row == nullptr) throw std::invalid_argument("no strategy on page " + std::to_string(inputs.strategy));
    StrategyParams params = inputs.params;
    // Run control clears the threshold a strategy writes at Start.
    if (row->written_param != nullptr) params.*row->written_param = 0;
    first_stake_ = RoundHalfEvenTo<int32_t>(params.BetSize);
    strategy_ = row->make({event_, state_, *this}, params);
  }

  LabRun Run(std::span<float> path, int stride) {
    Sample(path, stride);
    // The robot buys nothing priced above its advance threshold.
    if (RoundHalfEven(AdvancePercent(inputs_.payout)) > inputs_.advance_threshold) End(LabEnd::kNoBets);
    while (!ended_) {
      if (run_.bets >= inputs_.bets) {
        End(LabEnd::kAllBets);
      } else if (AskForBet()) {
        MakeBet();
        Sample(path, stride);
      }
    }
    run_.final_balance = balance_;
    // The rest of the path stays at the last balance.
    for (size_t i = static_cast<size_t>(run_.bets / stride) + 1; i < path.size(); ++i) path[i] = static_cast<float>(balance_);
    return run_;
  }

 private:
  // Steps with the site ready until the strategy asks for a bet, an arrow
  // raised whenever it waits for one; false when the run ended instead.
  bool AskForBet() {
    requested_ = false;
    for (int step = 0; step < kStepsWithoutBet && !requested_ && !ended_; ++step) {
      // A chain's next bet is asked at once; an arrow comes only to a strategy left waiting.
      if (step > 0 && !event_.NewSignal) {
        const TDirection direction = outcomes_.NextSignal();
        if (direction == drNone) {
          End(LabEnd::kAllBets);
          break;
        }
        RaiseSignal(event_, direction, ++signal_time_);
      }
      Step(ssReady);
    }
    if (!requested_ && !ended_) End(LabEnd::kNoBets);
    return requested_ && !ended_;
  }

  // The purchase as the live bet cycle reports it: prices, bought, accepted, result.
  void MakeBet() {
    const int32_t stake = state_.BetStake;
    Step(ssWaitingForPrices);
    const LabOutcomes::Bet bet = outcomes_.Outcome(state_.BetDirection);
    const double share = bet.price_share > 0 ? bet.price_share : 1 / (1 + inputs_.payout / 100);
    const double price = stake * share;
    // The site refuses a purchase priced above the balance, however often it is asked.
    if (price > balance_) {
      End(LabEnd::kStakeBeyondBalance);
      return;
    }
    balance_ -= price;
    Step(ssBetMade);
    Step(ssBetAccepted);
    if (bet.won) balance_ += stake;
    ++run_.bets;
    run_.won += bet.won ? 1 : 0;
    run_.largest_stake = std::max(run_.largest_stake, stake);
    losing_streak_ = bet.won ? 0 : losing_streak_ + 1;
    run_.longest_losing_streak = std::max(run_.longest_losing_streak, losing_streak_);
    peak_ = std::max(peak_, balance_);
    run_.max_drawdown = std::max(run_.max_drawdown, peak_ - balance_);
    Step(bet.won ? ssBetWon : ssBetLost);
    if (inputs_.win_limit > 0 && balance_ - inputs_.balance >= inputs_.win_limit) End(LabEnd::kWinLimit);
    if (inputs_.loss_limit > 0 && inputs_.balance - balance_ >= inputs_.loss_limit) End(LabEnd::kLossLimit);
  }

  void Step(TSiteState site) {
    if (ended_) return;
    ReportSite(event_, site);
    strategy_->Step({balance_, balance_, inputs_.min_balance});
  }

  void Sample(std::span<float> path, int stride) {
    if (path.empty()) return;
    if (run_.bets % stride == 0)
      path[static_cast<size_t>(run_.bets / stride)] = static_cast<float>(balance_);
    else if (run_.bets == inputs_.bets)
      path.back() = static_cast<float>(balance_);
  }

  void End(LabEnd end) {
    if (ended_) return;
    ended_ = true;
    run_.end = end;
  }

  // --- what the strategy asks ---
  void Note(StrategyText) override {}
  void Tell(StrategyText text, bool) override {
    if (text == StrategyText::txStakeOverCeiling) run_.stake_over_ceiling = true;
    told_ = text;
  }
  void ForgetSignal() override { vantrope::ForgetSignal(event_); }
  void TakeChartChange() override {}
  void ShowPair(const std::string&) override {}
  void RequestBet() override { requested_ = true; }
  // Run control's check of the minimum balance: the stake the chain owes
  // next must fit above it.
  bool LimitReached(uint16_t) override {
    if (StakeFitsAboveMinimum(balance_, state_.ChainStake, RoundHalfEven(inputs_.min_balance))) return false;
    End(state_.ChainStake > first_stake_ ? LabEnd::kStakeBeyondBalance : LabEnd::kMinimumBalance);
    return true;
  }
  // The balanced strategy stops at its limits, having said which.
  void Stop() override {
    End(told_ == StrategyText::txWinLimitReached ? LabEnd::kWinLimit : LabEnd::kLossLimit);
  }
  void ShowThreshold(double) override {}

  // Steps without a bet asked, each with an arrow, before the run is given up.
  static constexpr int kStepsWithoutBet = 8;

  const LabInputs& inputs_;
  LabOutcomes& outcomes_;
  TEvent event_;
  StrategyState state_;
  std::unique_ptr<Strategy> strategy_;
  int32_t first_stake_ = 0;
  double balance_;
  double peak_;
  int losing_streak_ = 0;
  int64_t signal_time_ = 0;
  bool requested_ = false;
  bool ended_ = false;
  StrategyText told_ = StrategyText::txContinuing;
  LabRun run_;
};

// SplitMix64: small and fast, and every run's seed gives an independent stream.
class RandomBets final : public LabOutcomes {
 public:
  RandomBets(uint64_t seed, uint64_t run, double win_rate)
      : state_(seed * 0x9E3779B97F4A7C15u ^ (run + 1) * 0xD1B54A32D192ED03u), win_rate_(win_rate) {}

  // Arrows alternate: the terminal raises no signal for an arrow the way the last one pointed.
  TDirection NextSignal() override { return last_ = last_ == drUp ? drDown : drUp; }
  Bet Outcome(TDirection) override {
    const double draw = static_cast<double>(Next() >> 11) * 0x1.0p-53;
    return {draw < win_rate_, 0};
  }

 private:
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }

  uint64_t state_;
  const double win_rate_;
  TDirection last_ = drDown;
};

class HistoryBets final : public LabOutcomes {
 public:
  explicit HistoryBets(const std::vector<HistoryOutcome>& history) : history_(history) {}

  TDirection NextSignal() override { return next_ < history_.size() ? history_[next_].direction : drNone; }
  Bet Outcome(TDirection direction) override {
    const HistoryOutcome& bet = history_.at(next_++);
    return {(direction == bet.direction) == bet.won, bet.price_share};
  }

 private:
  const std::vector<HistoryOutcome>& history_;
  size_t next_ = 0;
};

// Paths sampled at about this many points, whatever the number of bets.
constexpr int kPathPoints = 200;

LabResult EmptyResult(const LabInputs& inputs, int runs) {
  LabResult result;
  result.stride = std::max(1, (inputs.bets + kPathPoints - 1) / kPathPoints);
  result.points = (inputs.bets + result.stride - 1) / result.stride + 1;
  result.runs.resize(static_cast<size_t>(runs));
  result.paths.resize(static_cast<size_t>(runs) * static_cast<size_t>(result.points));
  return result;
}

std::span<float> PathOf(LabResult& result, size_t run) {
  return std::span<float>(result.paths).subspan(run * static_cast<size_t>(result.points),
                                                static_cast<size_t>(result.points));
}

void CheckInputs(const LabInputs& inputs) {
  if (StrategyOfPage(inputs.strategy) == nullptr)
    throw std::invalid_argument("no strategy on page " + std::to_string(inputs.strategy));
  if (inputs.bets < 0 || inputs.runs < 0) throw std::invalid_argument("a negative number of bets or runs");
  if (!(inputs.payout > -100)) throw std::invalid_argument("a payout of -100 % or less");
}

}  // namespace

LabRun RunStrategy(const LabInputs& inputs, LabOutcomes& outcomes, std::span<float> path, int stride) {
  return LabWorld(inputs, outcomes).Run(path, std::max(1, stride));
}

LabResult RunMonteCarlo(const LabInputs& inputs, LabProgress* progress) {
  CheckInputs(inputs);
  LabResult result = EmptyResult(inputs, inputs.runs);
  const int threads = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 16u));
  std::atomic<bool> cancelled{false};
  const auto work = [&](int first) {
    for (int run = first; run < inputs.runs; run += threads) {
      if (progress != nullptr && progress->cancel.load(std::memory_order_relaxed)) {
        cancelled = true;
        return;
      }
      RandomBets outcomes(inputs.seed, static_cast<uint64_t>(run), inputs.win_rate);
      const size_t index = static_cast<size_t>(run);
      result.runs[index] = RunStrategy(inputs, outcomes, PathOf(result, index), result.stride);
      if (progress != nullptr) progress->runs_done.fetch_add(1, std::memory_order_relaxed);
    }
  };
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
  work(0);
  for (std::thread& thread : pool) thread.join();
  result.cancelled = cancelled;
  return result;
}

LabResult ReplayHistory(const LabInputs& inputs, const std::vector<HistoryOutcome>& history) {
  LabInputs replay = inputs;
  replay.bets = static_cast<int>(history.size());
  CheckInputs(replay);
  LabResult result = EmptyResult(replay, 1);
  HistoryBets outcomes(history);
  result.runs[0] = RunStrategy(replay, outcomes, PathOf(result, 0), result.stride);
  return result;
}

}  // namespace vantrope

// Every rule the simulation holds the robot to, in one place. Its truth comes
// from outside the robot: the arrows the simulated terminal drew, the
// contracts the site sold and its balances, the settings, the faults the
// world made; what it grades is what a trader sees of the robot: purchases,
// the event log's rows, sounds, stops and the balance figures.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "broker/contracts.h"
#include "log/history_file.h"
#include "soak/simulated_terminal.h"
#include "soak/strategy_model.h"

namespace vantrope::testing {

// Why the robot stopped by itself, read from its row.
enum class StopReason { kUnexplained, kBalancedLoss, kBalancedWin, kMinimumBalance, kAccountDisabled, kLoginRefused };
const char* StopReasonName(StopReason reason);

// What the world was like when a rule looked.
struct WorldState {
  int64_t now = 0;
  bool site_healthy = false;
  int64_t site_healthy_since = 0;
  bool terminal_in_sight = false;
  bool arrow_in_sight = false;  // the newest arrow stands on the chart in sight
  bool chart_known = false;     // the caption tells the chart's pair
  std::string chart;            // the chart shown, as ChartOf names an arrow's
  bool working = true;          // within the working hours, where the settings set them
  int64_t working_since = 0;
  bool terminal_healthy = false;
  int64_t terminal_healthy_since = 0;
  bool account_disabled = false;
  double site_balance = 0;
  int64_t last_chart_change = 0;
};

class Rules {
 public:
  Rules(const std::vector<demo::Contract>& contracts, const std::vector<Arrow>& arrows, const StrategyParams& params,
        int signal_lifetime_s);

  // --- the robot's life, as the trader and the world make it ---
  // Start pressed; `resumed`: the trader took up the chain the journal kept,
  // `asked`: the robot asked about one.
  void Started(const WorldState& world, bool asked, bool resumed);
  // The first balance the robot showed in a run.
  void BalanceShown(const WorldState& world);
  // The program killed; it ran no shutdown. `press_lost`: a buy press had
  // not reached the site.
  void Killed(const WorldState& world, bool press_lost);
  // The new program found the last one's request not bought and dropped it:
  // its buy press, if the kill cut one off, bought nothing.
  void RequestDroppedAtStartUp() { press_lost_ = false; }
  // The robot stopped by itself, for the reason its rows give (`rows`, the
  // texts of the new rows); `sound`: whether one played.
  void StoppedByItself(const WorldState& world, StopReason reason, bool sound, const std::string& rows);
  // The trader stopped it.
  void StoppedByTrader();
  // The robot paused itself at the end of the working hours; the trader
  // pressed Continue.
  void Paused(const WorldState& world);
  void Continued(const WorldState& world);
  // The strategy says it goes on after a pause or with a chain taken up at
  // Start: it forgets the signal's direction then, at its first step, which
  // waits for the site and the working hours.
  void StrategyContinued(const WorldState& world);

  // --- what the robot did ---
  void Purchase(const WorldState& world, const demo::Contract& contract);
  // A won or lost row, the money it tells, the history file after it and the
  // balance figure the window shows.
  void Result(const WorldState& world, bool won, double result, const std::vector<THistoryRecord>& history,
              double shown_balance);
  // A row saying a bet's result is not known.
  void Unknown(const WorldState& world);
  // A pending row closed without a purchase or a result: the site sold
  // nothing. A missed bet is caught by the deadlines.
  void RequestEnded(const WorldState& world);

  // --- what the world did ---
  // An arrow came into sight on the chart for the first time.
  void ArrowInSight(const WorldState& world, size_t arrow);
  // The newest arrow, seen before, is in sight again.
  void ArrowBackInSight(const WorldState& world, size_t arrow);
  // The caption tells the chart's pair again while the arrow that came when
  // it told none stands in sight: the robot raises it now.
  void ArrowOnKnownChart(const WorldState& world, size_t arrow);
  // The chart changed pair or timeframe, as the robot can see; a new
  // program sees its first chart as a change.
  void ChartChanged();
  // The robot looked at the chart (after the arrows in sight were told).
  void Looked(const WorldState& world);
  // Once a minute: the deadlines.
  void Tick(const WorldState& world);
  // The end: every contract settled; the site's balance change.
  void Close(double balance_change);

  // A line for the trace a break shows: what the world did.
  void Note(const std::string& line);

  // --- figures ---
  int Purchases() const { return purchases_; }
  int Won() const { return won_; }
  int Lost() const { return lost_; }
  int Unknowns() const { return unknown_; }
  int ArmedChecks() const { return armed_; }
  int ArrowsBought() const { return static_cast<int>(std::count(arrow_used_.begin(), arrow_used_.end(), true)); }
  const std::map<std::string, int>& NotBought() const { return not_bought_; }
  const std::map<std::string, int>& Stops() const { return stops_; }
  bool ContractOpen() const { return !unresolved_.empty(); }
  const std::vector<std::string>& Breaks() const { return breaks_; }

 private:
  void Break(const std::string& what);
  // What the rules were told, with the model's state after it: a break shows the last of it.
  void Trace(int64_t now, const std::string& what);
  std::deque<std::string> trace_;
  void ForgetSignal();
  // The signal's direction comes from this arrow, on its chart.
  void SignalFrom(const Arrow& arrow);
  // The robot's look finds the chart the inherited signal stood on gone.
  void SeeChart(const WorldState& world);
  bool reraise_ = false;  // the robot's next look raises the arrow on the chart
  bool Healthy(const WorldState& world, int64_t since) const;
  // Healthy, and the robot free to trade: not paused, within its working hours.
  bool Trading(const WorldState& world, int64_t since) const;
  std::string Mismatch(const StrategyModel& model, const demo::Contract& c, std::optional<size_t>& arrow) const;
  // The arrow that a purchase at this time in this direction answers.
  std::optional<size_t> AnsweredArrow(const demo::Contract& contract) const;
  const demo::Contract* Find(int id) const;
  static double Profit(const demo::Contract& contract);

  const std::vector<demo::Contract>& contracts_;
  const std::vector<Arrow>& arrows_;
  StrategyModel model_;
  int64_t lifetime_ms_;

  bool running_ = false;
  bool paused_ = false;
  int64_t run_started_ = 0;
  bool balance_shown_ = false;
  std::deque<int> unresolved_;  // contract ids without a told result, oldest first
  std::vector<int> unknown_ids_;
  std::optional<int> chain_contract_;  // the last purchase of the model's chain
  int64_t last_purchase_ = 0;
  int64_t last_result_ = 0;
  std::vector<bool> arrow_used_;
  // The indicator's signal: an arrow raises one only when its direction
  // differs from the last signal's, which a dropped bet and a new program
  // forget.
  std::vector<bool> arrow_raised_;
  std::optional<bool> signal_up_;
  std::string signal_chart_;
  // At Start the robot takes the journal's direction and chart: an arrow of
  // that direction on that chart may be the one the last signal came from,
  // of an age nobody knows, until an arrow of the other direction raises or
  // the chart is another.
  struct Inherited {
    bool up;
    std::string chart;
  };
  std::optional<Inherited> inherited_;
  bool program_started_ = false;  // Start pressed since the program began
  bool press_lost_ = false;
  // The newest arrow when a program began to watch with the chart out of
  // its sight, and when it first had it in sight: a window covering the
  // chart hides from the robot, as from a person, that the arrow is older.
  std::optional<size_t> hidden_at_start_;
  std::optional<std::pair<size_t, int64_t>> resighted_;
  bool press_taken_up_ = false;  // the run's open bet is a press cut off by a kill
  bool chart_change_pending_ = false;  // seen while the robot was not running
  int told_late_ = 0;  // a contract whose late result was told of

  // Deadlines of the liveness rules: what must have happened by when.
  struct Deadline {
    int64_t due = 0;
    int64_t since = 0;  // the world had to stay healthy from here
    std::string what;
    // A stop; a purchase of the arrow numbered `count`; any purchase after
    // the first `count`.
    enum Kind { kStop, kArrow, kPurchase } kind = kPurchase;
    int count = 0;
    bool needs_terminal = false;
  };
  std::vector<Deadline> deadlines_;

  double recorded_ = 0;
  int purchases_ = 0, won_ = 0, lost_ = 0, unknown_ = 0, armed_ = 0;
  std::map<std::string, int> not_bought_;
  std::map<std::string, int> stops_;
  std::vector<std::string> breaks_;
};

}  // namespace vantrope::testing

#include "soak/rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vantrope::testing {

namespace {

constexpr double kCent = 0.005;
constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;
// How long the world must have been healthy before the robot is held to a
// deadline, and the deadlines: a fresh arrow or an owed bet bought, a limit
// obeyed, a settled contract's result told.
constexpr int64_t kHealthyFor = 10 * kMinute;
constexpr int64_t kBuyWithin = 1 * kMinute;
constexpr int64_t kResultWithin = 3 * kMinute;
// The robot counts an arrow's age from its own first look, which comes a
// little after the arrow came into sight.
constexpr int64_t kFirstLookSlack = 5 * kSecond;
// Arrows keep away from chart changes; the robot needs this long to move
// its form to the chart's new market.
constexpr int64_t kChartSettles = 2 * kMinute;

std::string Money(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string Clock(int64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "day %lld %02lld:%02lld:%02lld", static_cast<long long>(ms / (24 * 60 * kMinute)),
                static_cast<long long>(ms / (60 * kMinute) % 24), static_cast<long long>(ms / kMinute % 60),
                static_cast<long long>(ms / kSecond % 60));
  return text;
}

std::string Describe(const demo::Contract& c) {
  return "contract " + std::to_string(c.id) + " (" + c.instrument + " " + std::to_string(c.duration) + c.unit + " " +
         (c.rise ? "up " : "down ") + Money(static_cast<double>(c.payout) / 100) + ", bought " + Clock(c.start_ms) +
         ")";
}

std::string Describe(const Arrow& a) {
  return std::string("arrow ") + (a.up ? "up" : "down") + " on " + a.pair + " M" + std::to_string(a.period_minutes) +
         " drawn " + Clock(a.drawn_ms) + (a.seen_ms ? ", in sight " + Clock(*a.seen_ms) : ", never in sight");
}

bool LimitIsStop(LimitStop limit, StopReason reason) {
  return (limit == LimitStop::kBalancedLoss && reason == StopReason::kBalancedLoss) ||
         (limit == LimitStop::kBalancedWin && reason == StopReason::kBalancedWin) ||
         (limit == LimitStop::kMinimumBalance && reason == StopReason::kMinimumBalance);
}

}  // namespace

const char* StopReasonName(StopReason reason) {
  switch (reason) {
    case StopReason::kBalancedLoss: return "balanced strategy's loss limit";
    case StopReason::kBalancedWin: return "balanced strategy's win limit";
    case StopReason::kMinimumBalance: return "minimum balance";
    case StopReason::kAccountDisabled: return "account disabled";
    case StopReason::kLoginRefused: return "login refused";
    default: return "unexplained";
  }
}

void Rules::Trace(int64_t now, const std::string& what) { Note(Clock(now) + " " + what + " -> " + model_.Describe()); }

void Rules::Note(const std::string& line) {
  trace_.push_back(line);
  if (trace_.size() > 30) trace_.pop_front();
}

void Rules::Break(const std::string& what) {
  std::string text = what + "\nwhat the rules saw last:\n";
  for (const std::string& line : trace_) text += "  " + line + "\n";
  breaks_.push_back(text);
}

Rules::Rules(const std::vector<demo::Contract>& contracts, const std::vector<Arrow>& arrows,
             const StrategyParams& params, int signal_lifetime_s)
    : contracts_(contracts),
      arrows_(arrows),
      model_(params),
      lifetime_ms_(static_cast<int64_t>(signal_lifetime_s) * kSecond) {}

double Rules::Profit(const demo::Contract& contract) {
  if (contract.tie) return 0;
  return static_cast<double>(contract.won ? contract.payout - contract.price : -contract.price) / 100;
}

const demo::Contract* Rules::Find(int id) const {
  for (const demo::Contract& contract : contracts_)
    if (contract.id == id) return &contract;
  return nullptr;
}

// The robot runs, and the site (and, for arrows, the terminal) has been
// healthy since `since`.
bool Rules::Healthy(const WorldState& world, int64_t since) const {
  return running_ && run_started_ <= since && world.site_healthy && world.site_healthy_since <= since;
}

bool Rules::Trading(const WorldState& world, int64_t since) const {
  return Healthy(world, since) && !paused_ && world.working && world.working_since <= since;
}

// --- the robot's life ---

void Rules::Started(const WorldState& world, bool asked, bool resumed) {
  // The journal keeps a chain under way across a kill. (It may also keep a
  // bet that the kill found asked for and not bought: the rules do not see
  // requests, so an offer beyond the purchases is no break.)
  if (model_.ChainKept() && !asked)
    Break("the chain under way was lost at the restart: " + model_.Describe());
  model_.Start(asked && resumed);
  // A buy press cut off by the kill is the run's open bet until the site's
  // pages show that nothing was bought; the chain taken up follows it.
  press_taken_up_ = press_lost_;
  if (press_lost_ && asked && resumed) model_.AwaitPress();
  press_lost_ = false;
  // A fresh start applies a change it finds; a chain taken up keeps it
  // waiting. A new program's first Start is a change of its own: it sets the
  // pair it has none of from its window, wherever the terminal is.
  if ((chart_change_pending_ || !program_started_) && asked && resumed) model_.ChartChanged();
  // A new program's first look raises the arrow standing on the chart, of
  // an age it cannot know.
  inherited_.reset();
  if (signal_up_) inherited_ = Inherited{*signal_up_, signal_chart_};
  if (!program_started_ && world.arrow_in_sight && world.chart_known) SignalFrom(arrows_.back());
  if (!program_started_ && !world.terminal_in_sight && !arrows_.empty()) hidden_at_start_ = arrows_.size() - 1;
  program_started_ = true;
  chart_change_pending_ = false;
  running_ = true;
  paused_ = false;
  run_started_ = world.now;
  balance_shown_ = false;
  deadlines_.clear();
  Trace(world.now, std::string("started") + (asked ? (resumed ? ", chain resumed" : ", chain dropped") : ""));
}

void Rules::BalanceShown(const WorldState& world) {
  balance_shown_ = true;
  model_.FirstBalance(world.site_balance);
}

void Rules::Killed(const WorldState& world, bool press_lost) {
  Trace(world.now, std::string("killed") + (press_lost ? " after a buy press" : ""));
  press_lost_ = press_lost;
  running_ = false;
  paused_ = false;
  program_started_ = false;  // the journal keeps the signal's direction
  deadlines_.clear();
}

void Rules::StoppedByTrader() {
  running_ = false;
  paused_ = false;
  deadlines_.clear();
  model_.Start(false);
}

void Rules::StoppedByItself(const WorldState& world, StopReason reason, bool sound, const std::string& rows) {
  running_ = false;
  paused_ = false;
  deadlines_.clear();
  ++stops_[StopReasonName(reason)];
  const std::string told = " (the rows: " + rows + ")";
  if (!sound) Break(std::string("the robot stopped without a sound") + told);
  switch (reason) {
    case StopReason::kBalancedLoss:
    case StopReason::kBalancedWin:
    case StopReason::kMinimumBalance:
      if (!LimitIsStop(model_.Limit(world.site_balance), reason))
        Break(std::string("the robot stopped on the ") + StopReasonName(reason) + " at the site's balance " +
              Money(world.site_balance) + "; " + model_.Describe() + told);
      break;
    case StopReason::kAccountDisabled:
    case StopReason::kLoginRefused:
      if (!world.account_disabled)
        Break(std::string("the robot stopped on ") + StopReasonName(reason) + " while the account was enabled" + told);
      break;
    default: Break("the robot stopped for no reason it may stop for" + told);
  }
  model_.Start(false);
}

void Rules::Paused(const WorldState& world) {
  paused_ = true;
  deadlines_.clear();
  Trace(world.now, "paused at the end of the working hours");
}

void Rules::Continued(const WorldState& world) {
  paused_ = false;
  run_started_ = world.now;
  model_.Continued();
  Trace(world.now, "continued");
}

// A chain taken up without its purchase goes on through the same Continue,
// which forgets the signal's direction (in the journal too).
void Rules::StrategyContinued(const WorldState& world) {
  ForgetSignal();
  Trace(world.now, "the strategy goes on");
}

// --- what the robot did ---

std::optional<size_t> Rules::AnsweredArrow(const demo::Contract& c) const {
  for (size_t i = arrows_.size(); i-- > 0;) {
    const Arrow& arrow = arrows_[i];
    if (arrow.drawn_ms > c.start_ms) continue;
    if (arrow_used_.size() > i && arrow_used_[i]) continue;
    if (arrow_raised_.size() <= i || !arrow_raised_[i]) continue;
    if (!arrow.seen_ms) continue;
    const int64_t seen = resighted_ && resighted_->first == i ? resighted_->second : *arrow.seen_ms;
    if (seen > c.start_ms || c.start_ms - seen > lifetime_ms_ + kFirstLookSlack) continue;
    // An arrow in sight before the run began is never bought.
    if (seen < run_started_) continue;
    if (arrow.up == c.rise && arrow.pair == c.instrument && arrow.period_minutes == c.duration && c.unit == "m")
      return i;
  }
  return std::nullopt;
}

// What is wrong with a purchase against what the model expects; the arrow
// it answers, if any.
std::string Rules::Mismatch(const StrategyModel& model, const demo::Contract& c, std::optional<size_t>& arrow) const {
  const ExpectedBet expected = model.Next();
  const int64_t stake = c.payout / 100;
  const demo::Contract* last = chain_contract_ ? Find(*chain_contract_) : nullptr;
  const bool chain_market = expected.chain_market && last && last->instrument == c.instrument &&
                            last->duration == c.duration && last->unit == c.unit;
  arrow.reset();
  std::string wrong;
  if (expected.owed) {
    if (!chain_market) wrong = "is not on the market of the chain's last purchase";
    bool direction = c.rise == expected.up;
    // A fresh arrow that came meanwhile gives its direction to the request.
    for (size_t i = 0; !direction && expected.follows_arrows && i < arrows_.size(); ++i) {
      const Arrow& a = arrows_[i];
      direction = a.up == c.rise && arrow_raised_[i] && a.seen_ms && *a.seen_ms > last_purchase_ &&
                  *a.seen_ms <= c.start_ms && c.start_ms - *a.seen_ms <= lifetime_ms_ + kFirstLookSlack;
    }
    if (!direction) wrong = std::string("the chain owes a bet ") + (expected.up ? "up" : "down");
  } else {
    arrow = AnsweredArrow(c);
    if (!arrow && !(chain_market && signal_up_ == c.rise)) {
      wrong = "answers no fresh arrow of the chart in its direction, on its pair and period";
      for (size_t i = arrows_.size() > 3 ? arrows_.size() - 3 : 0; i < arrows_.size(); ++i)
        wrong += "; " + Describe(arrows_[i]) + (arrow_raised_[i] ? ", raised a signal" : "") +
                 (arrow_used_[i] ? ", bought" : "");
    }
  }
  if (wrong.empty() && stake != expected.stake) wrong = "the strategy's stake is " + std::to_string(expected.stake);
  return wrong.empty() ? wrong : wrong + "; " + model.Describe();
}

void Rules::Purchase(const WorldState& world, const demo::Contract& c) {
  ++purchases_;
  press_taken_up_ = false;
  const std::string which = "the purchase of " + Describe(c);
  if (!running_) Break(which + " while the robot was not running");
  if (!unresolved_.empty()) Break(which + " while the result of contract " + std::to_string(unresolved_.front()) + " was not told");
  arrow_used_.resize(arrows_.size());
  arrow_raised_.resize(arrows_.size());
  // With a change of the chart waiting, the robot may have applied it
  // first: that reading is tried before the chain going on.
  std::optional<size_t> arrow;
  std::string wrong = "-";
  if (model_.ChartMayEndChain()) {
    StrategyModel applied = model_;
    applied.DropForChart();
    if (Mismatch(applied, c, arrow).empty()) {
      model_ = applied;
      wrong.clear();
    }
  }
  if (!wrong.empty()) wrong = Mismatch(model_, c, arrow);
  if (!wrong.empty()) Break(which + ": " + wrong);
  if (arrow) arrow_used_[*arrow] = true;
  model_.Bought(c.rise, static_cast<int32_t>(c.payout / 100));
  Trace(world.now, "bought " + Describe(c));
  chain_contract_ = c.id;
  last_purchase_ = world.now;
  unresolved_.push_back(c.id);
}

void Rules::Result(const WorldState& world, bool won, double result, const std::vector<THistoryRecord>& history,
                   double shown_balance) {
  (won ? won_ : lost_) += 1;
  last_result_ = world.now;
  if (unresolved_.empty()) return Break(std::string(won ? "a won" : "a lost") + " row without a purchase");
  const demo::Contract* contract = Find(unresolved_.front());
  unresolved_.pop_front();
  const std::string which = Describe(*contract);
  const double profit = Profit(*contract);
  if (!contract->settled) {
    Break(which + ": a result told before the contract settled");
  } else if (won != (profit > 0) || std::fabs(result - profit) > kCent) {
    Break(which + ": told " + (won ? "won " : "lost ") + Money(result) + ", its real result is " + Money(profit));
  }
  recorded_ += result;
  if (history.size() != static_cast<size_t>(won_ + lost_)) {
    Break(which + ": " + std::to_string(history.size()) + " history records for " + std::to_string(won_ + lost_) +
          " results");
  } else {
    const THistoryRecord& record = history.back();
    if (record.Result != (won ? 1 : 2) || std::fabs(record.BalanceAtResult - record.BalanceAtBet - result) > kCent ||
        static_cast<int64_t>(record.Stake) * 100 != contract->payout || record.Pair != contract->instrument ||
        record.Direction != (contract->rise ? 1 : 2))
      Break(which + ": its history record is not the bet's");
  }
  // The figures that drive the limits are the site's.
  if (std::fabs(shown_balance - world.site_balance) > kCent)
    Break(which + ": the window shows the balance " + Money(shown_balance) + ", the site's is " +
          Money(world.site_balance));

  model_.Settled(won, world.site_balance, signal_up_);
  model_.Guard(world.site_balance);
  Trace(world.now, std::string(won ? "won " : "lost ") + which);
  if (!Trading(world, world.now - kHealthyFor)) return;
  const LimitStop limit = model_.Limit(world.site_balance);
  const ExpectedBet next = model_.Next();
  if (limit == LimitStop::kMinimumBalance ||
      ((limit == LimitStop::kBalancedLoss || limit == LimitStop::kBalancedWin) && next.owed)) {
    deadlines_.push_back({world.now + kBuyWithin, world.now - kHealthyFor, "the stop at a limit after " + which,
                          Deadline::kStop, 0, false});
  } else if (limit == LimitStop::kNone && next.owed && !model_.ChartPending()) {
    ++armed_;
    deadlines_.push_back({world.now + kBuyWithin, world.now - kHealthyFor,
                          "the bet the chain owes after " + which + " (" + model_.Describe() + ")", Deadline::kPurchase,
                          purchases_, false});
  }
}

void Rules::Unknown(const WorldState&) {
  ++unknown_;
  if (running_) return Break("a row told a bet's result unknown while the run went on");
  // A buy press a kill cut off, which the run ended before it could look up,
  // is unknown to the robot too.
  if (unresolved_.empty() && press_taken_up_) {
    press_taken_up_ = false;
    return;
  }
  if (unresolved_.empty()) return Break("a row told a bet's result unknown, and no purchase of the robot awaited one");
  unknown_ids_.push_back(unresolved_.front());
  unresolved_.pop_front();
}

void Rules::RequestEnded(const WorldState& world) {
  // The press the run took up found no purchase: a strategy that began
  // afresh was not following it.
  if (!press_taken_up_ || model_.Awaiting()) model_.NotBought();
  press_taken_up_ = false;
  Trace(world.now, "request ended");
  ForgetSignal();
}

// The robot forgets the signal's direction; its next look at the chart
// raises it again: from an arrow it saw before, with the age it has; from
// one drawn meanwhile, new.
void Rules::ForgetSignal() {
  signal_up_.reset();
  reraise_ = true;
}

void Rules::SignalFrom(const Arrow& arrow) {
  signal_up_ = arrow.up;
  signal_chart_ = ChartOf(arrow);
  if (inherited_ && inherited_->up != arrow.up) inherited_.reset();
}

void Rules::SeeChart(const WorldState& world) {
  if (inherited_ && world.chart_known && world.chart != inherited_->chart) inherited_.reset();
}

void Rules::Looked(const WorldState& world) {
  SeeChart(world);
  if (!reraise_ || !world.chart_known) return;
  reraise_ = false;
  if (!world.arrow_in_sight || !arrows_.back().seen_ms) return;
  // Raised again, it is bought if it is still fresh.
  SignalFrom(arrows_.back());
  arrow_raised_.resize(arrows_.size());
  arrow_raised_.back() = true;
}

// --- what the world did ---

void Rules::ArrowInSight(const WorldState& world, size_t index) {
  const Arrow& arrow = arrows_[index];
  const int64_t since = world.now - kHealthyFor;
  Trace(world.now, "in sight: " + Describe(arrow));
  arrow_raised_.resize(arrows_.size());
  arrow_used_.resize(arrows_.size());
  // Until the first Start the program has no pair and raises nothing.
  if (!program_started_) {
    ++not_bought_["program not started"];
    return;
  }
  // Nor while the caption hides which chart the arrow stands on.
  if (!world.chart_known) {
    ++not_bought_["caption without a pair"];
    Note("  raises no signal yet");
    return;
  }
  if (signal_up_ == arrow.up) {
    ++not_bought_["same direction as the signal before"];
    Note("  raises no signal");
    return;
  }
  SeeChart(world);
  const bool age_unknown = inherited_ && inherited_->up == arrow.up;
  SignalFrom(arrow);
  arrow_raised_[index] = true;
  std::string reason;
  const LimitStop limit = model_.Limit(world.site_balance);
  if (!running_) {
    reason = "robot stopped";
  } else if (age_unknown) {
    reason = "the last program's direction on its chart, of unknown age";
  } else if (paused_) {
    reason = "robot paused";
  } else if (!world.working || world.working_since > since) {
    reason = "outside working hours";
  } else if (!Healthy(world, since)) {
    reason = "site not healthy for 10 minutes";
  } else if (!world.terminal_healthy || world.terminal_healthy_since > since) {
    reason = "terminal not in sight for 10 minutes";
  } else if (world.last_chart_change > world.now - kChartSettles) {
    reason = "chart just changed";
  } else if (!balance_shown_) {
    reason = "robot not yet logged in";
  } else if (model_.ChartPending()) {
    reason = "a chart change waits in the strategy";
  } else if (!unresolved_.empty() || model_.Next().owed || world.now - last_result_ < kBuyWithin ||
             world.now - last_purchase_ < kBuyWithin) {
    reason = "strategy busy with a bet";
  } else if (!model_.Bets()) {
    reason = "strategy that never bets";
  } else if (limit == LimitStop::kMinimumBalance) {
    reason = "minimum balance reached";
  } else if (limit != LimitStop::kNone) {
    ++armed_;
    deadlines_.push_back({world.now + kBuyWithin, since, "the stop at the balanced limit on " + Describe(arrow),
                          Deadline::kStop, 0, true});
    return;
  }
  if (!reason.empty()) {
    ++not_bought_[reason];
    Note("  not due: " + reason);
    return;
  }
  ++armed_;
  deadlines_.push_back({world.now + kBuyWithin, since, "the purchase of the fresh " + Describe(arrow) +
                        " (" + model_.Describe() + ")", Deadline::kArrow, static_cast<int>(index), true});
}

// The strategy applies a change that came while it was not running once it runs.
void Rules::ChartChanged() {
  if (running_)
    model_.ChartChanged();
  else
    chart_change_pending_ = true;
  if (running_ && model_.OwedBetMayDrop())
    std::erase_if(deadlines_, [](const Deadline& deadline) { return deadline.kind == Deadline::kPurchase; });
  Note("chart changed");
}

// The robot sees the arrow again: a direction it forgot, or never knew in
// this program, is raised again (too old to be bought).
void Rules::ArrowBackInSight(const WorldState& world, size_t arrow) {
  if (program_started_ && hidden_at_start_ == arrow && signal_up_ != arrows_[arrow].up) {
    arrow_raised_.resize(arrows_.size());
    arrow_raised_[arrow] = true;
    resighted_ = {arrow, world.now};
  }
  hidden_at_start_.reset();
  if (program_started_) SignalFrom(arrows_[arrow]);
  Note(std::string("back in sight: an arrow ") + (arrows_[arrow].up ? "up" : "down"));
}

void Rules::ArrowOnKnownChart(const WorldState&, size_t arrow) {
  if (program_started_ && signal_up_ != arrows_[arrow].up) {
    arrow_raised_.resize(arrows_.size());
    arrow_raised_[arrow] = true;
  }
  if (program_started_) SignalFrom(arrows_[arrow]);
  Note(std::string("the caption tells the chart: an arrow ") + (arrows_[arrow].up ? "up" : "down"));
}

void Rules::Tick(const WorldState& world) {
  arrow_used_.resize(arrows_.size());
  for (auto it = deadlines_.begin(); it != deadlines_.end();) {
    const bool healthy = Trading(world, it->since) &&
                         (!it->needs_terminal || (world.terminal_healthy && world.terminal_healthy_since <= it->since));
    if (!healthy) {
      it = deadlines_.erase(it);
      continue;
    }
    if (world.now < it->due) {
      ++it;
      continue;
    }
    const bool done = it->kind == Deadline::kStop      ? !running_
                      : it->kind == Deadline::kArrow   ? arrow_used_[static_cast<size_t>(it->count)]
                                                       : purchases_ > it->count;
    if (!done) Break(it->what + ": not done within a minute, with the site and terminal healthy");
    it = deadlines_.erase(it);
  }
  // A contract settled at a healthy site has its result told soon.
  for (int id : unresolved_) {
    const demo::Contract* contract = Find(id);
    if (contract && contract->settled && world.now - contract->expiry_ms > kResultWithin &&
        Healthy(world, contract->expiry_ms - kHealthyFor) && told_late_ != id) {
      told_late_ = id;
      Break("the result of " + Describe(*contract) + " was not told within 3 minutes of its expiry");
    }
  }
}

void Rules::Close(double balance_change) {
  if (!unresolved_.empty())
    Break(std::to_string(unresolved_.size()) + " contracts bought without a result or a row saying it is unknown");
  double unknown = 0;
  for (int id : unknown_ids_)
    if (const demo::Contract* contract = Find(id)) {
      if (!contract->settled) Break("contract " + std::to_string(id) + " is not settled at the end");
      unknown += Profit(*contract);
    }
  if (std::fabs(balance_change - recorded_ - unknown) > kCent * (1 + purchases_))
    Break("the site's balance changed by " + Money(balance_change) + ", the results recorded are " +
          Money(recorded_) + " and those told unknown " + Money(unknown));
  for (size_t i = 0; i < arrows_.size(); ++i)
    if (!arrows_[i].seen_ms) ++not_bought_["never in sight"];
}

}  // namespace vantrope::testing

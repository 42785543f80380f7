#include "soak/simulation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <sstream>

#include "debug/debug_log_file.h"
#include "scenario/robot_world.h"
#include "soak/rules.h"
#include "soak/simulated_terminal.h"
#include "text/cp1251.h"
#include "ui/money.h"

namespace vantrope::testing {

namespace {

constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;
constexpr int kSignalLifetimeS = 60;

const char* const kAccount = "VRTC300";
const char* const kPassword = "demo300";
constexpr demo::Cents kStartBalance = 100'000'000;  // 1,000,000.00
constexpr int kResultUnknownText = 284;
constexpr int kOtherAccountText = 220;
// Rows that close a pending row while its request goes on, or as the run ends.
constexpr int kSessionEndedText = 285;
constexpr int kStoppedBeforePurchaseText = 219;
constexpr int kBetCancelledText = 166;
constexpr int kPriceUnreadableText = 286;
constexpr int kNoBetText = 159;
constexpr int kBetTimedOutText = 174;
// A new program's first row: the last one's request was not bought and is dropped.
constexpr int kRequestDroppedText = 207;
constexpr int kUnfinishedChainTitle = 210;
// The rows a robot stopping by itself writes.
constexpr int kBalancedLossText = 192;
constexpr int kBalancedWinText = 193;
constexpr int kMinimumBalanceText = 189;
constexpr int kLoginRefusedText = 148;
constexpr int kSiteErrorText = 149;
// The debug lines of a strategy going on after a pause or with a chain taken up.
constexpr int kContinuingTexts[] = {180, 200, 201};
constexpr int kWonRow = 5, kLostRow = 6, kPendingRow = 8;

enum Fault {
  kSessionEnded,
  kErrorPages,
  kStalledLoads,
  kPageProcessGone,
  kPricesLate,
  kPricesWithheld,
  kPricesChanged,
  kReceiptFailing,
  kPortfolioFailing,
  kAccountDisabled,
  kLateAnswers,
  kLostAnswers,
  kLoadsRefused,
  kLoadAnswersLost,
  kProgramKilled,
  kClockStepped,
  kTerminalGone,
  kTerminalCovered,
  kTerminalMinimised,
  kTerminalOnOtherDesktop,
  kCaptionWithoutPair,
  kFaultCount,
};

struct FaultType {
  const char* name;
  double mean_hours;  // between two faults of the kind
  int64_t shortest, longest;
  bool of_site;
};

const std::array<FaultType, kFaultCount> kFaultTypes = {{
    {"session ended by the site", 6, 0, 0, true},
    {"error pages (404, 500)", 8, 1 * kMinute, 15 * kMinute, true},
    {"page that never finishes loading", 8, 1 * kMinute, 10 * kMinute, true},
    {"page process gone", 12, 1 * kMinute, 5 * kMinute, true},
    {"prices late", 6, 10 * kMinute, 30 * kMinute, true},
    {"prices withheld", 12, 5 * kMinute, 20 * kMinute, true},
    {"prices changed before the purchase", 6, 0, 0, true},
    {"receipt failing after the purchase", 12, 1 * kMinute, 10 * kMinute, true},
    {"portfolio failing with a contract open", 12, 2 * kMinute, 15 * kMinute, true},
    {"account disabled", 72, 0, 0, true},
    {"page answers late (up to 8 s)", 8, 1 * kMinute, 10 * kMinute, true},
    {"page answers lost, their actions done", 12, 1 * kMinute, 5 * kMinute, true},
    {"loads refused by the network", 12, 1 * kMinute, 10 * kMinute, true},
    {"load answers lost on the network, the site acting", 12, 1 * kMinute, 5 * kMinute, true},
    {"program killed", 10, 0, 0, false},
    {"wall clock stepped an hour", 24, 0, 0, false},
    {"terminal window gone", 8, 1 * kMinute, 30 * kMinute, false},
    {"terminal covered", 8, 1 * kMinute, 20 * kMinute, false},
    {"terminal minimised", 8, 1 * kMinute, 10 * kMinute, false},
    {"terminal on another desktop", 12, 1 * kMinute, 20 * kMinute, false},
    {"caption without a pair", 12, 1 * kMinute, 10 * kMinute, false},
}};

std::string Clock(int64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "day %lld %02lld:%02lld:%02lld", static_cast<long long>(ms / kDay),
                static_cast<long long>(ms % kDay / kHour), static_cast<long long>(ms % kHour / kMinute),
                static_cast<long long>(ms % kMinute / kSecond));
  return text;
}

// The strategy page and its settings, drawn from the seed.
struct Strategy {
  StrategyParams params;
  std::vector<RobotWorld::Setting> settings;
  // The working hours, in some seeds: the hour they begin and the hour they end.
  std::optional<std::pair<int, int>> hours;
};

Strategy DrawStrategy(std::mt19937& random) {
  auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  Strategy strategy;
  StrategyParams& p = strategy.params;
  p.page = between(0, 5);
  const std::string section = "Robot" + std::to_string(p.page);
  for (int page = 0; page < 7; ++page)
    strategy.settings.push_back({"Robot" + std::to_string(page), "Down", page == p.page ? "1" : "0"});
  p.stake = between(3, 20);
  strategy.settings.push_back({section, "BetSize", std::to_string(p.stake)});
  auto set = [&](const char* key, int value) {
    strategy.settings.push_back({section, key, std::to_string(value)});
    return value;
  };
  switch (p.page) {
    case 0:
      p.bet_count = set("BetCount", between(1, 3));
      p.rebet = set("ReBet", between(0, 4) == 0);
      break;
    case 1:
    case 4:
      p.bet_count = set("BetCount", between(2, 6));
      p.chain_count = set("ChainCount", between(1, 2));
      break;
    case 2:
      p.bet_count = set("BetCount", between(1, 2));
      p.chain_count = set("ChainCount", between(3, 6));
      break;
    case 3: p.chain_count = set("ChainCount", between(3, 6)); break;
    default:
      p.win_limit = set("WinLimit", between(100, 2000));
      p.lose_limit = set("LoseLimit", between(100, 2000));
      p.bet_count = set("BetCount", between(1, 3));
      p.auto_direct = set("AutoDirect", between(0, 1));
      break;
  }
  // Some traders keep a minimum balance close under the deposit.
  if (between(0, 5) == 0) {
    p.min_balance = static_cast<int32_t>(kStartBalance / 100 - between(100, 1500));
    strategy.settings.push_back({"Binary", "MinBalans", std::to_string(p.min_balance)});
  }
  return strategy;
}

// Some traders let the robot work by day only. Drawn apart from the rest, so
// that the other seeds' worlds stay as they were.
void DrawWorkingHours(uint32_t seed, Strategy& strategy) {
  std::mt19937 random(seed ^ 0x5eedu);
  auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  if (between(0, 3) != 0) return;
  strategy.hours = {between(6, 9), between(17, 22)};
  strategy.settings.push_back({"MainForm", "RobotWorkTime", "1"});
  strategy.settings.push_back({"MainForm", "WorkStart", std::to_string(strategy.hours->first)});
  strategy.settings.push_back({"MainForm", "WorkEnd", std::to_string(strategy.hours->second)});
}

Strategy DrawStrategy(uint32_t seed, std::mt19937& random) {
  Strategy strategy = DrawStrategy(random);
  DrawWorkingHours(seed, strategy);
  return strategy;
}

class Simulation {
 public:
  Simulation(uint32_t seed, double days, int debug_lines)
      : seed_(seed),
        debug_lines_(static_cast<size_t>(debug_lines)),
        end_ms_(static_cast<int64_t>(days * kDay)),
        random_(seed),
        strategy_(DrawStrategy(seed, random_)),
        world_(SiteOptions(seed), Settings(strategy_)),
        terminal_(world_.windows, random_),
        rules_(world_.Site().Contracts(), terminal_.Arrows(), strategy_.params, kSignalLifetimeS) {
    report_.days = days;
    report_.per_day.resize(static_cast<size_t>(std::ceil(days)));
    BindWorld();
    world_.clock.after_fire = [this] { Watch(); };
    for (int kind = 0; kind < kFaultCount; ++kind) next_fault_[kind] = NextFaultTime(kind, 0);
  }

  SimulationReport Run();

 private:
  static demo::SiteOptions SiteOptions(uint32_t seed) {
    demo::SiteOptions options;
    options.seed = seed;
    for (demo::Account& account : options.accounts)
      if (account.number == kAccount) account.balance = kStartBalance;
    return options;
  }
  static std::vector<RobotWorld::Setting> Settings(const Strategy& strategy) {
    std::vector<RobotWorld::Setting> settings = strategy.settings;
    settings.push_back({"Alpari", "AlpariSeek", "1"});
    settings.push_back({"Binary", "QuickReaction", "1"});
    settings.push_back({"Binary", "SignalLifetime", std::to_string(kSignalLifetimeS)});
    return settings;
  }
  TMainForm& F() { return world_.Form(); }
  int64_t Now() const { return world_.clock.ElapsedMs(); }
  int64_t Between(int64_t low, int64_t high) { return std::uniform_int_distribution<int64_t>(low, high)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  SimulationReport::Day& Today() { return report_.per_day[std::min(report_.per_day.size() - 1, static_cast<size_t>(Now() / kDay))]; }

  // --- faults ---
  // A fault lasts until the minute it is ended at, when its effects go.
  bool Active(int kind) const { return fault_end_[kind] != 0; }
  bool SiteHealthy() const {
    for (int kind = 0; kind < kFaultCount; ++kind)
      if (kFaultTypes[kind].of_site && Active(kind)) return false;
    return !account_disabled_;
  }
  bool InWorkingHours() {
    if (!strategy_.hours) return true;
    const double now = world_.clock.Now();
    const int hour = static_cast<int>(std::floor((now - std::floor(now)) * 24.0 + 1e-9)) % 24;
    return strategy_.hours->first <= hour && hour < strategy_.hours->second;
  }
  void FollowWorkingHours();
  bool TerminalHealthy() const {
    return !Active(kTerminalGone) && !Active(kTerminalCovered) && !Active(kTerminalMinimised) &&
           !Active(kTerminalOnOtherDesktop) && !Active(kCaptionWithoutPair);
  }
  int64_t NextFaultTime(int kind, int64_t from) {
    const double mean_ms = kFaultTypes[kind].mean_hours * kHour;
    return from + static_cast<int64_t>(std::exponential_distribution<double>(1.0 / mean_ms)(random_)) + kMinute;
  }
  void StartFault(int kind);
  void EndFault(int kind);
  std::optional<demo::Response> Intercept(const demo::Request& request);
  WorldState World() const;

  // --- the world's events ---
  // The world's hooks into the program's browser and window, anew after a restart.
  void BindWorld();
  void BindBrowserFaults();
  void DrawArrow();
  void ChangeChart();
  void TellChartChange(bool late);
  void CheckSight();
  void Start();
  void Kill();
  void Watch();
  void WatchLog(std::vector<std::function<void()>>& events, std::string& new_texts);
  StopReason ReasonOf(const std::string& texts);
  bool EndsRequest(const std::string& text);
  void Break(const std::string& what);
  void Finish();

  uint32_t seed_;
  size_t debug_lines_;
  int64_t end_ms_;
  std::mt19937 random_;
  Strategy strategy_;
  RobotWorld world_;
  SimulatedTerminal terminal_;
  Rules rules_;
  SimulationReport report_;

  std::array<int64_t, kFaultCount> next_fault_{};
  std::array<int64_t, kFaultCount> fault_end_{};
  int64_t site_healthy_since_ = 0;
  int64_t terminal_healthy_since_ = 0;
  int prices_late_ms_ = 0;
  int answer_delay_ms_ = 0;
  int error_status_ = 500;
  bool receipt_fault_armed_ = false;
  bool prices_change_armed_ = false;
  bool account_disabled_ = false;
  int64_t last_chart_change_ = -kHour;
  // Changes of the chart the robot has yet to learn: the timeframe from the
  // caption, the pair at a search of the chart in sight.
  SimulatedTerminal::ChartChange unseen_change_;
  bool in_sight_ = true;
  // The newest arrow, in sight while the caption told no pair: the robot
  // raises it once the caption tells the chart.
  std::optional<size_t> unraised_;
  int looks_ = 0;
  int64_t wall_clock_step_ = 3'600'000;
  double deposits_ = 0;

  int64_t next_arrow_ = 0;
  int64_t next_chart_change_ = 0;
  std::optional<int64_t> start_at_;
  std::optional<int64_t> kill_at_;
  // The contracts the site had at the last buy press.
  std::optional<size_t> pressed_at_contracts_;
  bool stopping_ = false;
  // The working hours as the robot's wall clock tells them; a pause the robot
  // made at their end, and when the trader presses Continue.
  bool working_ = true;
  int64_t working_since_ = 0;
  bool paused_ = false;
  std::optional<int64_t> continue_at_;

  // What the last look saw.
  bool log_changed_ = false;
  std::string last_debug_line_;
  bool strategy_continued_ = false;
  bool running_ = false;
  bool balance_shown_ = false;
  size_t contracts_seen_ = 0;
  std::vector<int> row_types_;
  size_t sounds_heard_ = 0;
  bool broken_ = false;
};

void Simulation::Break(const std::string& what) {
  if (broken_) return;
  broken_ = true;
  std::string text = "seed " + std::to_string(seed_) + ", " + Clock(Now()) + " (strategy page " +
                     std::to_string(strategy_.params.page) +
                     (strategy_.hours ? ", working hours " + std::to_string(strategy_.hours->first) + ".." +
                                            std::to_string(strategy_.hours->second)
                                      : std::string()) +
                     "): " + what + "\n";
  const RobotState& robot = F().robot;
  text += "state: step " + std::to_string(robot.BetOnStatus) + ", page " + std::to_string(F().page.PageIndex) +
          ", site state " + std::to_string(F().EVENT.BetStatus) + ", sub-step " + std::to_string(robot.RobotSubStatus) +
          ", bet open " + std::to_string(static_cast<int>(F().ledger.Open())) + ", browser busy " +
          std::to_string(world_.browser->Busy()) + ", fresh page " + std::to_string(F().page.SiteDataUpdated) +
          ", pause " + std::to_string(robot.RobotPauseMode) + ", bets " + std::to_string(robot.BetCount) + "/" + std::to_string(robot.GameCount) + " stake " + std::to_string(robot.ChainStake) + ", change flags " + std::to_string(F().EVENT.ValuteChanged) + std::to_string(F().EVENT.PeriodChanged) +
          ", balance " + std::to_string(F().page.CurrentBalance) + ", minimum " +
          std::to_string(strategy_.params.min_balance) + ", address " + world_.browser->LocationUrl() +
          ", chart pair " + F().EVENT.Valute + ", bet pair " +
          robot.BetValute + "\nthe last rows of the event log:\n";
  const ui::Grid& grid = F().event_log.gwLog;
  for (int row = std::max(0, grid.RowCount() - 12); row < grid.RowCount(); ++row)
    text += "  " + grid.Cell(0, row) + " [" + grid.Cell(3, row) + "]" + grid.Cell(2, row) + "\n";
  text += "the last lines of the debug log:\n";
  // From the file: the window keeps too few lines to show how the robot got there.
  const std::string log = Cp1251ToUtf8(world_.dir.ReadFile(kDebugLogFileName));
  size_t from = log.size();
  for (size_t lines = 0; from > 0 && lines <= debug_lines_; --from)
    if (log[from - 1] == '\n') ++lines;
  std::istringstream tail(log.substr(from));
  for (std::string line; std::getline(tail, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) text += "  " + line + "\n";
  }
  report_.breaks.push_back(text);
}

WorldState Simulation::World() const {
  WorldState world;
  world.now = Now();
  world.site_healthy = SiteHealthy();
  world.site_healthy_since = site_healthy_since_;
  world.terminal_in_sight = terminal_.InSight();
  world.arrow_in_sight = terminal_.ArrowInSight();
  world.chart = terminal_.Chart();
  world.chart_known = terminal_.CaptionTellsChart();
  world.working = working_;
  world.working_since = working_since_;
  world.terminal_healthy = TerminalHealthy();
  world.terminal_healthy_since = terminal_healthy_since_;
  world.account_disabled = account_disabled_;
  for (const demo::Account& account : const_cast<RobotWorld&>(world_).Site().Accounts())
    if (account.number == kAccount) world.site_balance = static_cast<double>(account.balance) / 100;
  world.last_chart_change = last_chart_change_;
  return world;
}

void Simulation::BindWorld() {
  world_.browser->intercept = [this](const demo::Request& request) { return Intercept(request); };
  world_.browser->load_ms = [this](const std::string& address) -> std::optional<int> {
    if (Active(kPricesLate) && address.find("get_prices") != std::string::npos) return prices_late_ms_;
    return std::nullopt;
  };
  // Now and then the program dies between its buy press and the answer.
  world_.browser->on_buy_press = [this](const std::string&) {
    pressed_at_contracts_ = world_.Site().Contracts().size();
    if (Chance(0.05)) kill_at_ = Now() + Between(0, 3) * kSecond;
  };
  BindBrowserFaults();
  F().event_log.gwLog.SetObserver([this] { log_changed_ = true; });
  // A line unlike the last is a new one: the debug view never shows a line twice in a row.
  F().fmDebug.mmLog.SetObserver([this] {
    const std::deque<std::string>& lines = F().fmDebug.mmLog.Lines();
    if (lines.empty() || lines.back() == last_debug_line_) return;
    last_debug_line_ = lines.back();
    for (int text : kContinuingTexts)
      if (last_debug_line_.ends_with("> " + F().Txt(text))) strategy_continued_ = true;
  });
  last_debug_line_.clear();
  strategy_continued_ = false;
  row_types_.clear();
  log_changed_ = true;
}

// The browser as the faults under way make it.
void Simulation::BindBrowserFaults() {
  ObservedBrowser& browser = *world_.browser;
  browser.stall_loads = Active(kStalledLoads) || Active(kPageProcessGone);
  browser.document_gone = Active(kPageProcessGone);
  browser.answer_delay_ms = Active(kLateAnswers) ? answer_delay_ms_ : TestBrowser::kAnswerMs;
  browser.lose_answers = Active(kLostAnswers);
  browser.network_fault = Active(kLoadsRefused)      ? NetworkFault::kRefused
                          : Active(kLoadAnswersLost) ? NetworkFault::kAnswerLost
                                                     : NetworkFault::kNone;
}

void Simulation::StartFault(int kind) {
  const FaultType& type = kFaultTypes[kind];
  ++report_.faults[type.name];
  fault_end_[kind] = Now() + Between(type.shortest, type.longest);
  rules_.Note(Clock(Now()) + " " + type.name + " until " + Clock(fault_end_[kind]));
  // A prices page that comes this late, and the error the pages give.
  prices_late_ms_ = static_cast<int>(Between(20 * kSecond, 60 * kSecond));
  if (kind == kErrorPages) error_status_ = Chance(0.5) ? 404 : 500;
  switch (kind) {
    case kSessionEnded: world_.Site().EndSessions(); break;
    case kPageProcessGone:
      if (world_.browser->onPageProcessGone) world_.browser->onPageProcessGone();
      break;
    case kPricesWithheld: world_.Site().WithholdPrices(true); break;
    case kPricesChanged: world_.Site().ChangePrices(); break;
    case kAccountDisabled:
      account_disabled_ = true;
      world_.Site().DisableAccount(kAccount);
      break;
    case kLateAnswers: answer_delay_ms_ = static_cast<int>(Between(2 * kSecond, 8 * kSecond)); break;
    case kTerminalGone: terminal_.Gone(true); break;
    case kTerminalCovered: terminal_.Covered(true); break;
    case kTerminalMinimised: terminal_.Away(FakeWindowSystem::Sight::kMinimised); break;
    case kTerminalOnOtherDesktop: terminal_.Away(FakeWindowSystem::Sight::kOtherDesktop); break;
    case kCaptionWithoutPair: terminal_.CaptionWithoutPair(true); break;
    default: break;
  }
  // The chart out of sight from now on: when the robot next sees it (it may
  // restore a minimised window itself), the arrow on it is back in sight.
  if (!terminal_.InSight()) in_sight_ = false;
  BindBrowserFaults();
}

void Simulation::EndFault(int kind) {
  switch (kind) {
    case kPricesWithheld: world_.Site().WithholdPrices(false); break;
    case kTerminalGone: terminal_.Gone(false); break;
    case kTerminalCovered: terminal_.Covered(false); break;
    case kTerminalMinimised:
    case kTerminalOnOtherDesktop: terminal_.Away(FakeWindowSystem::Sight::kShown); break;
    case kCaptionWithoutPair: terminal_.CaptionWithoutPair(false); break;
    default: break;
  }
  BindBrowserFaults();
}

// What came into sight at the robot's last look.
void Simulation::CheckSight() {
  const bool before = in_sight_;
  in_sight_ = terminal_.InSight();
  // A chart changed while its window was gone or its caption without the
  // pair is seen to change once the caption tells it.
  TellChartChange(true);
  const size_t newest = terminal_.Arrows().size() - 1;
  if (in_sight_ && !before) {
    if (terminal_.ArrowInSight() && terminal_.Arrows().back().seen_ms) {
      if (terminal_.CaptionTellsChart())
        rules_.ArrowBackInSight(World(), newest);
      else
        unraised_ = newest;
    }
  }
  if (terminal_.NoteSight(Now())) {
    rules_.ArrowInSight(World(), newest);
    if (!terminal_.CaptionTellsChart()) unraised_ = newest;
  } else if (unraised_ == newest && terminal_.CaptionTellsChart() && terminal_.ArrowInSight()) {
    rules_.ArrowOnKnownChart(World(), newest);
    unraised_.reset();
  }
  rules_.Looked(World());
}

std::optional<demo::Response> Simulation::Intercept(const demo::Request& request) {
  // The purchase went through; the receipt that follows it fails.
  if (receipt_fault_armed_ && request.path == "/d/receipt.cgi") {
    receipt_fault_armed_ = false;
    StartFault(kReceiptFailing);
    site_healthy_since_ = Now();
  }
  const bool fails = Active(kErrorPages) || (Active(kReceiptFailing) && request.path == "/d/receipt.cgi") ||
                     (Active(kPortfolioFailing) && request.path == "/d/portfolio.cgi");
  if (!fails) return std::nullopt;
  if (error_status_ == 404 && Active(kErrorPages)) {
    demo::Request nowhere = request;
    nowhere.method = "GET";
    nowhere.path = "/d/nowhere.cgi";
    return world_.Site().Handle(nowhere);
  }
  demo::Response response;
  response.status = 500;
  response.headers = {{"Content-Type", "text/html; charset=utf-8"}};
  response.body = "<html><head><title>500</title></head><body><h1>Internal Server Error</h1></body></html>";
  return response;
}

void Simulation::DrawArrow() {
  terminal_.DrawArrow(Chance(0.5), Now());
  ++Today().arrows;
  next_arrow_ = Now() + Between(10 * kMinute, 60 * kMinute);
}

// The caption tells the robot of a change of the timeframe, unless the
// window is gone or the caption shows no pair; of the pair only once the
// window is in sight too. `late`: learnt after the change, at a look.
void Simulation::TellChartChange(bool late) {
  bool told = false;
  if (unseen_change_.timeframe && terminal_.CaptionTellsTimeframe()) {
    unseen_change_.timeframe = false;
    told = true;
  }
  if (unseen_change_.pair && terminal_.CaptionTellsChart()) {
    unseen_change_.pair = false;
    told = true;
  }
  if (!told) return;
  if (late) last_chart_change_ = Now();
  rules_.ChartChanged();
}

void Simulation::ChangeChart() {
  const SimulatedTerminal::ChartChange change = terminal_.ChangeChart();
  last_chart_change_ = Now();
  unseen_change_.pair |= change.pair;
  unseen_change_.timeframe |= change.timeframe;
  TellChartChange(false);
  next_chart_change_ = Now() + Between(1 * kHour, 8 * kHour);
  // A chart change drops a signal that waits: arrows keep away from it.
  next_arrow_ = std::max(next_arrow_, Now() + 2 * kMinute);
}

// The working hours begin and end; the trader presses Continue some minutes
// after they begin on a robot their end paused.
void Simulation::FollowWorkingHours() {
  const bool working = InWorkingHours();
  if (working && !working_) working_since_ = Now();
  working_ = working;
  if (!paused_) return;
  if (!working) {
    continue_at_.reset();
  } else if (!continue_at_) {
    continue_at_ = Now() + Between(1 * kMinute, 20 * kMinute);
  } else if (Now() >= *continue_at_) {
    continue_at_.reset();
    paused_ = false;
    F().robot_controls.btPause3.onClick();
    rules_.Continued(World());
  }
}

// The trader starts the robot, some time after it stopped or the program
// was started again. A chain the robot offers to take up is taken up or not.
void Simulation::Start() {
  start_at_.reset();
  if (account_disabled_) {
    account_disabled_ = false;
    world_.Site().DisableAccount(kAccount, false);
    site_healthy_since_ = Now();
  }
  const bool resume = Chance(0.7);
  world_.dialogs.answers = {resume ? ModalResult::Yes : ModalResult::No};
  const size_t boxes = world_.dialogs.shown.size();
  world_.Start(kAccount, kPassword);
  bool asked = false;
  for (size_t i = boxes; i < world_.dialogs.shown.size(); ++i)
    asked = asked || world_.dialogs.shown[i].title == F().Txt(kUnfinishedChainTitle);
  world_.dialogs.answers.clear();
  running_ = F().robot.Running;
  balance_shown_ = false;
  // A Start ends any pause: the trader has no Continue to press.
  paused_ = false;
  continue_at_.reset();
  rules_.Started(World(), asked, resume);
  if (terminal_.ArrowInSight() && !terminal_.CaptionTellsChart()) unraised_ = terminal_.Arrows().size() - 1;
}

// The program dies and is started again on the same folder; the trader (or
// the machine's start-up) presses Start a little later.
void Simulation::Kill() {
  kill_at_.reset();
  ++report_.faults[kFaultTypes[kProgramKilled].name];
  ++Today().restarts;
  rules_.Killed(World(), pressed_at_contracts_ && *pressed_at_contracts_ == world_.Site().Contracts().size());
  pressed_at_contracts_.reset();
  world_.Restart();
  BindWorld();
  running_ = false;
  paused_ = false;
  continue_at_.reset();
  // The new program's first look at the chart is a change of it.
  unseen_change_ = {true, true};
  TellChartChange(false);
  start_at_ = Now() + Between(1 * kMinute, 10 * kMinute);
}

// After every timer that fired: what changed since the last look.
void Simulation::Watch() {
  if (broken_) return;
  TMainForm& f = F();
  const RobotState& robot = f.robot;

  const std::vector<demo::Contract>& contracts = world_.Site().Contracts();
  if (contracts_seen_ < contracts.size()) pressed_at_contracts_.reset();
  for (; contracts_seen_ < contracts.size(); ++contracts_seen_) {
    rules_.Purchase(World(), contracts[contracts_seen_]);
    ++Today().purchases;
  }
  if (prices_change_armed_ && robot.BetOnStatus == bsBuy) {
    prices_change_armed_ = false;
    StartFault(kPricesChanged);
    site_healthy_since_ = Now();
  }
  if (running_ && !balance_shown_ && f.account.neCurrentBalanse.Value() != 0) {
    balance_shown_ = true;
    rules_.BalanceShown(World());
  }

  std::vector<std::function<void()>> events;
  std::string new_texts;
  if (log_changed_) WatchLog(events, new_texts);
  // A robot that stops by itself says why, with its sound.
  if (running_ && !robot.Running && !stopping_) {
    const StopReason reason = ReasonOf(new_texts);
    ++report_.stops[StopReasonName(reason)];
    ++Today().stops;
    rules_.StoppedByItself(World(), reason, world_.sounds.played.size() > sounds_heard_, new_texts);
    // The trader tops the account up before starting again.
    if (reason == StopReason::kMinimumBalance) {
      const int64_t deposit = Between(1000, 5000);
      world_.Site().Deposit(kAccount, deposit * 100);
      deposits_ += static_cast<double>(deposit);
    }
    start_at_ = Now() + Between(5 * kMinute, 30 * kMinute);
  }
  running_ = robot.Running;
  if (running_ && !paused_ && robot.RobotPauseMode == pmPaused) {
    paused_ = true;
    ++report_.faults["robot paused at the end of the working hours"];
    rules_.Paused(World());
  }
  for (const auto& event : events) event();
  if (strategy_continued_) {
    strategy_continued_ = false;
    rules_.StrategyContinued(World());
  }
  // At the robot's looks at the desktop: what came into sight since the last.
  if (world_.windows.class_searches != looks_) {
    looks_ = world_.windows.class_searches;
    CheckSight();
  }
  sounds_heard_ = world_.sounds.played.size();
  if (!rules_.Breaks().empty()) Break(rules_.Breaks().front());
  if (kill_at_ && Now() >= *kill_at_) Kill();
}

// The rows that came or changed: results, requests ended, results told
// unknown; and the texts of the new rows.
void Simulation::WatchLog(std::vector<std::function<void()>>& events, std::string& new_texts) {
  log_changed_ = false;
  const ui::Grid& grid = F().event_log.gwLog;
  for (int row = 0; row < grid.RowCount(); ++row) {
    const std::string& cell = grid.Cell(3, row);
    const int type = cell.empty() ? 0 : std::stoi(cell);
    const bool is_new = static_cast<size_t>(row) >= row_types_.size();
    const int before = is_new ? 0 : row_types_[static_cast<size_t>(row)];
    if (is_new) row_types_.push_back(type);
    if (!is_new && before == type) continue;
    row_types_[static_cast<size_t>(row)] = type;
    const std::string text = grid.Cell(2, row);
    new_texts += (new_texts.empty() ? "" : " | ") + text;
    if (type == kWonRow || type == kLostRow) {
      const bool won = type == kWonRow;
      const double result = F().EVENT.Result;
      const double shown = F().account.neCurrentBalanse.Value();
      events.push_back([this, won, result, shown] {
        rules_.Result(World(), won, result, ReadHistoryFile(kHistoryFileName), shown);
      });
    } else if (before == kPendingRow && type == 1 && text.find(F().Txt(kSessionEndedText)) == std::string::npos &&
               text.find(F().Txt(kStoppedBeforePurchaseText)) == std::string::npos) {
      const bool unknown = text.find(F().Txt(kResultUnknownText)) != std::string::npos ||
                           text.find(F().Txt(kOtherAccountText)) != std::string::npos;
      events.push_back([this, unknown] {
        if (unknown) return rules_.Unknown(World());
        pressed_at_contracts_.reset();  // the press the request made bought nothing, and is over
        rules_.RequestEnded(World());
      });
    } else if (is_new && type == 1 && text.find(F().Txt(kRequestDroppedText)) != std::string::npos) {
      events.push_back([this] {
        pressed_at_contracts_.reset();
        rules_.RequestDroppedAtStartUp();
      });
    } else if (is_new && type == 1 && EndsRequest(text)) {
      // A request that ended before its buy press had no pending row.
      events.push_back([this] {
        pressed_at_contracts_.reset();
        rules_.RequestEnded(World());
      });
    }
  }
}

// The rows of a bet asked for and given up before its buy: refused at its
// price, the price unreadable, no bet, the watchdog. (A signal too old is
// told in the same words whether a request dropped it or not: the rules
// take it for no request.)
bool Simulation::EndsRequest(const std::string& text) {
  for (int number : {kBetCancelledText, kPriceUnreadableText, kNoBetText, kBetTimedOutText})
    if (text.find(F().Txt(number)) != std::string::npos) return true;
  return false;
}

StopReason Simulation::ReasonOf(const std::string& texts) {
  const std::pair<int, StopReason> reasons[] = {{kBalancedLossText, StopReason::kBalancedLoss},
                                                {kBalancedWinText, StopReason::kBalancedWin},
                                                {kMinimumBalanceText, StopReason::kMinimumBalance},
                                                {kLoginRefusedText, StopReason::kLoginRefused},
                                                {kSiteErrorText, StopReason::kAccountDisabled}};
  for (const auto& [text, reason] : reasons)
    if (texts.find(F().Txt(text)) != std::string::npos) return reason;
  return StopReason::kUnexplained;
}

void Simulation::Finish() {
  // A robot waiting for its trader is started: the purchase its last program
  // left open is followed to its result; again after a kill that cut it short.
  while (start_at_ && !broken_) {
    Start();
    world_.Wait(30 * kMinute);
  }
  stopping_ = true;
  rules_.StoppedByTrader();
  if (F().robot.Running) F().robot_controls.btStop.onClick();
  // The contracts still open settle; any request to the site settles them.
  world_.Wait(30 * kMinute);
  demo::Request request;
  request.host = "127.0.0.1:8470";
  request.path = "/";
  world_.Site().Handle(request);
  Watch();
  rules_.Close(World().site_balance - static_cast<double>(kStartBalance) / 100 - deposits_);
  if (report_.breaks.empty() && !rules_.Breaks().empty()) Break(rules_.Breaks().front());
}

uint64_t BookDigest(const std::vector<demo::Contract>& contracts) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const demo::Contract& contract : contracts) {
    const std::string fields = std::to_string(contract.start_ms) + contract.instrument + (contract.rise ? "+" : "-") +
                               std::to_string(contract.price) + std::to_string(contract.duration) + contract.unit +
                               (contract.tie ? "t" : contract.won ? "w" : "l") + ";";
    for (unsigned char c : fields) hash = (hash ^ c) * 1099511628211ull;
  }
  return hash;
}

SimulationReport Simulation::Run() {
  world_.Wait(2 * kSecond);
  Start();
  next_arrow_ = Between(5 * kMinute, 30 * kMinute);
  next_chart_change_ = Between(1 * kHour, 8 * kHour);
  for (int minute = 1; Now() < end_ms_ && !broken_; ++minute) {
    world_.Wait(kMinute);
    const int64_t now = Now();
    for (int kind = 0; kind < kFaultCount; ++kind) {
      if (fault_end_[kind] != 0 && fault_end_[kind] <= now) {
        fault_end_[kind] = 0;
        EndFault(kind);
        if (kFaultTypes[kind].of_site && SiteHealthy()) site_healthy_since_ = now;
        if (!kFaultTypes[kind].of_site && TerminalHealthy()) terminal_healthy_since_ = now;
      }
      if (next_fault_[kind] > now) continue;
      next_fault_[kind] = NextFaultTime(kind, now);
      if (kind == kReceiptFailing) {
        receipt_fault_armed_ = true;
      } else if (kind == kPricesChanged) {
        prices_change_armed_ = true;
      } else if (kind == kProgramKilled) {
        if (running_) kill_at_ = now;
      } else if (kind == kClockStepped) {
        // An hour forward, and the next time back.
        ++report_.faults[kFaultTypes[kind].name];
        world_.clock.StepWallClock(wall_clock_step_);
        wall_clock_step_ = -wall_clock_step_;
      } else if (kind == kPortfolioFailing && !rules_.ContractOpen()) {
        next_fault_[kind] = now + kMinute;  // it waits for a contract to be open
      } else {
        StartFault(kind);
        if (kFaultTypes[kind].of_site) site_healthy_since_ = now;
        if (!kFaultTypes[kind].of_site) terminal_healthy_since_ = now;
      }
    }
    if (kill_at_ && now >= *kill_at_) Kill();
    FollowWorkingHours();
    terminal_.Scroll(now);
    if (now >= next_chart_change_) ChangeChart();
    if (now >= next_arrow_) DrawArrow();
    if (start_at_ && now >= *start_at_) Start();
    rules_.Tick(World());
    if (!rules_.Breaks().empty()) Break(rules_.Breaks().front());
    if (minute % 60 == 0) {
      // What the fakes keep of every call would grow for ever.
      world_.sounds.played.clear();
      sounds_heard_ = 0;
      world_.windows.calls.clear();
      world_.windows.frames.clear();
      world_.dialogs.shown.clear();
    }
  }
  Finish();
  report_.signals = static_cast<int>(terminal_.Arrows().size());
  report_.arrows_bought = rules_.ArrowsBought();
  report_.purchases = rules_.Purchases();
  report_.won = rules_.Won();
  report_.lost = rules_.Lost();
  report_.unknown = rules_.Unknowns();
  report_.armed = rules_.ArmedChecks();
  report_.not_bought = rules_.NotBought();
  report_.book_digest = BookDigest(world_.Site().Contracts());
  return report_;
}

}  // namespace

void SimulationReport::Add(const SimulationReport& other) {
  days += other.days;
  signals += other.signals;
  arrows_bought += other.arrows_bought;
  armed += other.armed;
  purchases += other.purchases;
  for (const auto& [reason, count] : other.not_bought) not_bought[reason] += count;
  for (const auto& [reason, count] : other.stops) stops[reason] += count;
  per_day.insert(per_day.end(), other.per_day.begin(), other.per_day.end());
  won += other.won;
  lost += other.lost;
  unknown += other.unknown;
  for (const auto& [kind, count] : other.faults) faults[kind] += count;
  breaks.insert(breaks.end(), other.breaks.begin(), other.breaks.end());
}

SimulationReport RunSimulation(uint32_t seed, double days, int debug_lines) {
  return Simulation(seed, days, debug_lines).Run();
}

}  // namespace vantrope::testing

#include "soak/simulation.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <sstream>

#include "debug/debug_log_file.h"
#include "scenario/robot_world.h"
#include "soak/bet_ledger.h"
#include "soak/simulated_terminal.h"
#include "text/cp1251.h"
#include "ui/money.h"

namespace vantrope::testing {

namespace {

constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;
// How long the robot may take to be back at work once the site is healthy,
// and to buy a signal that came while it was ready.
constexpr int64_t kRecoveryLimit = 10 * kMinute;
constexpr int64_t kSignalLimit = 5 * kMinute;

const char* const kAccount = "VRTC300";
const char* const kPassword = "demo300";
constexpr demo::Cents kStartBalance = 100'000'000;  // 1,000,000.00
constexpr int kResultUnknownText = 284;

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
  kTerminalGone,
  kTerminalCovered,
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
    {"terminal window gone", 8, 1 * kMinute, 30 * kMinute, false},
    {"terminal covered", 8, 1 * kMinute, 20 * kMinute, false},
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
  int page = 0;
  std::vector<RobotWorld::Setting> settings;
  std::optional<ChainRule> chain;
};

Strategy DrawStrategy(std::mt19937& random) {
  auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  Strategy strategy;
  strategy.page = between(0, 5);
  const std::string section = "Robot" + std::to_string(strategy.page);
  for (int page = 0; page < 7; ++page)
    strategy.settings.push_back({"Robot" + std::to_string(page), "Down", page == strategy.page ? "1" : "0"});
  const int stake = between(3, 20);
  strategy.settings.push_back({section, "BetSize", std::to_string(stake)});
  auto set = [&](const char* key, int value) { strategy.settings.push_back({section, key, std::to_string(value)}); };
  switch (strategy.page) {
    case 0:
      set("BetCount", between(1, 3));
      set("ReBet", between(0, 4) == 0);
      break;
    case 1:
    case 4: {
      const int length = between(2, 6);
      set("BetCount", length);
      set("ChainCount", between(1, 2));
      strategy.chain = ChainRule{stake, length};
      break;
    }
    case 2:
      set("BetCount", between(1, 2));
      set("ChainCount", between(3, 6));
      break;
    case 3: set("ChainCount", between(3, 6)); break;
    default:
      set("WinLimit", between(100, 2000));
      set("LoseLimit", between(100, 2000));
      set("BetCount", between(1, 3));
      set("AutoDirect", between(0, 1));
      break;
  }
  return strategy;
}

class Simulation {
 public:
  Simulation(uint32_t seed, double days, int debug_lines)
      : seed_(seed),
        debug_lines_(static_cast<size_t>(debug_lines)),
        end_ms_(static_cast<int64_t>(days * kDay)),
        random_(seed),
        strategy_(DrawStrategy(random_)),
        world_(SiteOptions(seed), Settings(strategy_)),
        terminal_(world_.windows, random_),
        ledger_(world_.Site().Contracts(), strategy_.chain) {
    report_.days = days;
    world_.browser->intercept = [this](const demo::Request& request) { return Intercept(request); };
    world_.browser->load_ms = [this](const std::string& address) -> std::optional<int> {
      if (Active(kPricesLate) && address.find("get_prices") != std::string::npos) return prices_late_ms_;
      return std::nullopt;
    };
    F().event_log.gwLog.SetObserver([this] { log_changed_ = true; });
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
    return settings;
  }
  TMainForm& F() { return world_.Form(); }
  int64_t Now() const { return world_.clock.ElapsedMs(); }
  int64_t Between(int64_t low, int64_t high) { return std::uniform_int_distribution<int64_t>(low, high)(random_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }

  // --- faults ---
  // A fault lasts until the minute it is ended at, when its effects go.
  bool Active(int kind) const { return fault_end_[kind] != 0; }
  bool SiteHealthy() const {
    for (int kind = 0; kind < kFaultCount; ++kind)
      if (kFaultTypes[kind].of_site && Active(kind)) return false;
    return !account_disabled_;
  }
  int64_t NextFaultTime(int kind, int64_t from) {
    const double mean_ms = kFaultTypes[kind].mean_hours * kHour;
    return from + static_cast<int64_t>(std::exponential_distribution<double>(1.0 / mean_ms)(random_)) + kMinute;
  }
  void StartFault(int kind);
  void EndFault(int kind);
  std::optional<demo::Response> Intercept(const demo::Request& request);

  // --- the world's events ---
  void DrawArrow();
  void ChangeChart();
  void Restart();
  void Watch();
  void WatchLog();
  void CheckLiveness();
  bool TakesSignal();
  void Break(const std::string& what);
  void Finish();

  uint32_t seed_;
  size_t debug_lines_;
  int64_t end_ms_;
  std::mt19937 random_;
  Strategy strategy_;
  RobotWorld world_;
  SimulatedTerminal terminal_;
  BetLedger ledger_;
  SimulationReport report_;

  std::array<int64_t, kFaultCount> next_fault_{};
  std::array<int64_t, kFaultCount> fault_end_{};
  int64_t site_healthy_since_ = 0;
  int prices_late_ms_ = 0;
  int error_status_ = 500;
  bool receipt_fault_armed_ = false;
  bool prices_change_armed_ = false;
  bool account_disabled_ = false;

  int64_t next_arrow_ = 0;
  int64_t next_chart_change_ = 0;
  std::optional<int64_t> restart_at_;
  std::optional<int64_t> stopped_at_;
  bool stopping_ = false;

  // What the last look saw.
  bool log_changed_ = false;
  bool new_signal_ = false;
  bool running_ = false;
  TOpenBet open_bet_ = TOpenBet::None;
  size_t contracts_seen_ = 0;
  int won_rows_ = 0, lost_rows_ = 0, unknown_rows_ = 0;
  size_t sounds_heard_ = 0;
  int64_t last_progress_ = 0;
  int64_t page_parsed_at_ = 0;
  std::optional<int64_t> signal_deadline_;
  size_t contracts_at_signal_ = 0;
  bool broken_ = false;
};

void Simulation::Break(const std::string& what) {
  if (broken_) return;
  broken_ = true;
  std::string text = "seed " + std::to_string(seed_) + ", " + Clock(Now()) + " (strategy page " +
                     std::to_string(strategy_.page) + "): " + what + "\n";
  const RobotState& robot = F().robot;
  text += "state: step " + std::to_string(robot.BetOnStatus) + ", page " + std::to_string(F().page.PageIndex) +
          ", site state " + std::to_string(F().EVENT.BetStatus) + ", bet open " +
          std::to_string(static_cast<int>(F().ledger.Open())) + ", browser busy " + std::to_string(world_.browser->Busy()) +
          ", fresh page " + std::to_string(F().page.SiteDataUpdated) + ", address " +
          world_.browser->LocationUrl() + ", chart pair " + F().EVENT.Valute + ", bet pair " + robot.BetValute +
          "\nthe last lines of the debug log:\n";
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

void Simulation::StartFault(int kind) {
  const FaultType& type = kFaultTypes[kind];
  ++report_.faults[type.name];
  fault_end_[kind] = Now() + Between(type.shortest, type.longest);
  // A prices page that comes this late, and the error the pages give.
  prices_late_ms_ = static_cast<int>(Between(20 * kSecond, 60 * kSecond));
  if (kind == kErrorPages) error_status_ = Chance(0.5) ? 404 : 500;
  switch (kind) {
    case kSessionEnded: world_.Site().EndSessions(); break;
    case kStalledLoads: world_.browser->stall_loads = true; break;
    case kPageProcessGone:
      world_.browser->stall_loads = true;
      world_.browser->document_gone = true;
      if (world_.browser->onPageProcessGone) world_.browser->onPageProcessGone();
      break;
    case kPricesWithheld: world_.Site().WithholdPrices(true); break;
    case kPricesChanged: world_.Site().ChangePrices(); break;
    case kAccountDisabled:
      account_disabled_ = true;
      world_.Site().DisableAccount(kAccount);
      break;
    case kTerminalGone: terminal_.Gone(true); break;
    case kTerminalCovered: terminal_.Covered(true); break;
    case kCaptionWithoutPair: terminal_.CaptionWithoutPair(true); break;
    default: break;
  }
  if (type.of_site) signal_deadline_.reset();
}

void Simulation::EndFault(int kind) {
  switch (kind) {
    case kStalledLoads: world_.browser->stall_loads = Active(kPageProcessGone); break;
    case kPageProcessGone:
      world_.browser->stall_loads = Active(kStalledLoads);
      world_.browser->document_gone = false;
      break;
    case kPricesWithheld: world_.Site().WithholdPrices(false); break;
    case kTerminalGone: terminal_.Gone(false); break;
    case kTerminalCovered: terminal_.Covered(false); break;
    case kCaptionWithoutPair: terminal_.CaptionWithoutPair(false); break;
    default: break;
  }
}

std::optional<demo::Response> Simulation::Intercept(const demo::Request& request) {
  // The purchase went through; the receipt that follows it fails.
  if (receipt_fault_armed_ && request.path == "/d/receipt.cgi") {
    receipt_fault_armed_ = false;
    StartFault(kReceiptFailing);
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
  terminal_.DrawArrow(Chance(0.5));
  next_arrow_ = Now() + Between(10 * kMinute, 60 * kMinute);
}

void Simulation::ChangeChart() {
  terminal_.ChangeChart();
  next_chart_change_ = Now() + Between(1 * kHour, 8 * kHour);
  // A chart change drops a signal that waits: arrows keep away from it.
  next_arrow_ = std::max(next_arrow_, Now() + 2 * kMinute);
}

// The trader starts the robot again some time after it stopped.
void Simulation::Restart() {
  restart_at_.reset();
  if (account_disabled_) {
    account_disabled_ = false;
    world_.Site().DisableAccount(kAccount, false);
  }
  world_.Start(kAccount, kPassword);
  ledger_.OnRunStarted();
  site_healthy_since_ = last_progress_ = Now();
}

// After every timer that fired: what changed since the last look.
void Simulation::Watch() {
  if (broken_) return;
  TMainForm& f = F();
  const RobotState& robot = f.robot;

  if (f.page.PageParsedBlink) page_parsed_at_ = Now();
  // Signals, and whether the robot was ready to take one.
  if (f.EVENT.NewSignal && !new_signal_) {
    ++report_.signals;
    // The robot has seen a page of the healthy site.
    if (TakesSignal() && SiteHealthy() && page_parsed_at_ > site_healthy_since_ && !signal_deadline_) {
      signal_deadline_ = Now() + kSignalLimit;
      contracts_at_signal_ = world_.Site().Contracts().size();
    }
  }
  new_signal_ = f.EVENT.NewSignal;

  // Requests, purchases and results.
  const TOpenBet open_bet = f.ledger.Open();
  if (open_bet == TOpenBet::Requested && open_bet_ == TOpenBet::None)
    ledger_.OnRequest({robot.BetValute, robot.BetPeriodUnit, robot.BetPeriod, robot.BetStake, robot.BetDirection == drUp});
  if (open_bet == TOpenBet::None && open_bet_ == TOpenBet::Requested) ledger_.OnRequestEnded();
  open_bet_ = open_bet;
  const std::vector<demo::Contract>& contracts = world_.Site().Contracts();
  for (; contracts_seen_ < contracts.size(); ++contracts_seen_) {
    ledger_.OnContract(contracts[contracts_seen_]);
    last_progress_ = Now();
  }
  if (prices_change_armed_ && robot.BetOnStatus == bsBuy) {
    prices_change_armed_ = false;
    StartFault(kPricesChanged);
  }
  if (log_changed_) WatchLog();
  if (f.EVENT.BetStatus == ssReady) last_progress_ = Now();

  // A robot that stops by itself says why, with its sound.
  if (running_ && !robot.Running && !stopping_) {
    if (world_.sounds.played.size() == sounds_heard_) Break("the robot stopped without a sound");
    stopped_at_ = Now();
    restart_at_ = Now() + Between(5 * kMinute, 30 * kMinute);
  }
  running_ = robot.Running;
  sounds_heard_ = world_.sounds.played.size();
  if (!ledger_.Breaks().empty()) Break(ledger_.Breaks().front());
}

void Simulation::WatchLog() {
  log_changed_ = false;
  const ui::Grid& grid = F().event_log.gwLog;
  const std::string& unknown_text = F().Txt(kResultUnknownText);
  int won = 0, lost = 0, unknown = 0;
  for (int row = 0; row < grid.RowCount(); ++row) {
    const std::string& type = grid.Cell(3, row);
    won += type == "5";
    lost += type == "6";
    unknown += type == "1" && grid.Cell(2, row).find(unknown_text) != std::string::npos;
  }
  if (won + lost > won_rows_ + lost_rows_ + 1 || won < won_rows_ || lost < lost_rows_)
    Break("the result rows changed by more than one result at once");
  if (won > won_rows_ || lost > lost_rows_) {
    ledger_.OnResult(won > won_rows_, F().EVENT.Result, ReadHistoryFile(kHistoryFileName));
    last_progress_ = Now();
  }
  for (int i = unknown_rows_; i < unknown; ++i) ledger_.OnUnknown();
  won_rows_ = won;
  lost_rows_ = lost;
  unknown_rows_ = unknown;
}

// Whether the robot, as it stands, takes the next signal: on the ready form,
// no bet open, its strategy waiting for a signal.
bool Simulation::TakesSignal() {
  const RobotState& r = F().robot;
  const TEvent& e = F().EVENT;
  if (!r.Running || F().ledger.Open() != TOpenBet::None || r.RobotPauseMode != pmNone || e.BetStatus != ssReady) return false;
  if (r.BetOnStatus != bsFormReady && r.BetOnStatus != bsFillForm) return false;
  if (e.ValuteChanged || e.PeriodChanged) return false;
  switch (r.RobotStatus) {
    case rsSimpleBet:
    case rsBalanced:
    case rsCautiousMartingale: return r.RobotSubStatus == 1;
    case rsAdaptiveMartingale: return r.RobotSubStatus == 2;
    case rsMartingale:
    case rsMonteCarlo: return r.RobotSubStatus == 0 || r.RobotSubStatus == 7 || r.RobotSubStatus == 8;
    default: return false;
  }
}

// Once a minute: the robot is at work whenever the site lets it.
void Simulation::CheckLiveness() {
  if (signal_deadline_ && Now() >= *signal_deadline_) {
    // A limit may stop the robot instead, with its message and sound.
    const bool stopped_since = stopped_at_ && *stopped_at_ > *signal_deadline_ - kSignalLimit;
    if (world_.Site().Contracts().size() == contracts_at_signal_ && !stopped_since)
      Break("a signal that came while the robot was ready and the site healthy was not bought in 5 minutes");
    signal_deadline_.reset();
  }
  if (!F().robot.Running || !SiteHealthy()) return;
  if (Now() - site_healthy_since_ < kRecoveryLimit || Now() - last_progress_ < kRecoveryLimit) return;
  // Following a contract is work, until it has long expired; so is waiting
  // for a contract of an earlier run to settle.
  if (const demo::Contract* open = ledger_.OldestOpenContract())
    if (Now() - open->expiry_ms < kRecoveryLimit) return;
  for (const demo::Contract& contract : world_.Site().Contracts())
    if (Now() - contract.expiry_ms < kRecoveryLimit) return;
  Break("the site has been healthy for 10 minutes and the robot is not back on the ready trading form");
}

void Simulation::Finish() {
  stopping_ = true;
  if (F().robot.Running) F().robot_controls.btStop.onClick();
  // The contracts still open settle; any request to the site settles them.
  world_.Wait(30 * kMinute);
  demo::Request request;
  request.host = "127.0.0.1:8470";
  request.path = "/";
  world_.Site().Handle(request);
  Watch();
  demo::Cents balance = 0;
  for (const demo::Account& account : world_.Site().Accounts())
    if (account.number == kAccount) balance = account.balance;
  ledger_.Close(static_cast<double>(balance - kStartBalance) / 100);
  if (report_.breaks.empty() && !ledger_.Breaks().empty()) Break(ledger_.Breaks().front());
}

SimulationReport Simulation::Run() {
  world_.Wait(2 * kSecond);
  world_.Start(kAccount, kPassword);
  ledger_.OnRunStarted();
  running_ = true;
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
      }
      if (next_fault_[kind] > now) continue;
      next_fault_[kind] = NextFaultTime(kind, now);
      if (kind == kReceiptFailing) {
        receipt_fault_armed_ = true;
      } else if (kind == kPricesChanged) {
        prices_change_armed_ = true;
      } else if (kind == kPortfolioFailing && !ledger_.ContractOpen()) {
        next_fault_[kind] = now + kMinute;  // it waits for a contract to be open
      } else {
        StartFault(kind);
        if (kFaultTypes[kind].of_site && SiteHealthy()) site_healthy_since_ = now;
      }
    }
    if (now >= next_arrow_) DrawArrow();
    if (now >= next_chart_change_) ChangeChart();
    if (restart_at_ && now >= *restart_at_) Restart();
    CheckLiveness();
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
  report_.purchases = ledger_.Purchases();
  report_.won = ledger_.Won();
  report_.lost = ledger_.Lost();
  report_.unknown = ledger_.Unknown();
  return report_;
}

}  // namespace

void SimulationReport::Add(const SimulationReport& other) {
  days += other.days;
  signals += other.signals;
  purchases += other.purchases;
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

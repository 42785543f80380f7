#include "engine/bet_journal.h"

#include <charconv>
#include <map>
#include <sstream>
#include <type_traits>

namespace vantrope {

namespace {

constexpr const char* kHeader = "# Vantrope bet journal 1: the open bet and the running chain; the program rewrites it";

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

template <typename Number>
std::string NumberText(Number value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
  if constexpr (std::is_enum_v<Number>) {
    std::underlying_type_t<Number> raw{};
    if (!ParseNumber(text, raw)) return false;
    value = static_cast<Number>(raw);
    return true;
  } else {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
  }
}

class Writer {
 public:
  void Put(const std::string& key, const std::string& value) { text_ += key + "=" + OneLine(value) + "\n"; }
  template <typename Value>
  void Number(const std::string& key, Value value) {
    if constexpr (std::is_enum_v<Value>)
      Put(key, NumberText(static_cast<int>(value)));
    else
      Put(key, NumberText(value));
  }
  void Record(const std::string& prefix, const THistoryRecord& r) {
    Number(prefix + ".time", r.Time);
    Put(prefix + ".account", r.Account);
    Number(prefix + ".balance_at_bet", r.BalanceAtBet);
    Number(prefix + ".balance_at_result", r.BalanceAtResult);
    Put(prefix + ".currency", r.Currency);
    Number(prefix + ".result", int{r.Result});
    Put(prefix + ".pair", r.Pair);
    Put(prefix + ".period", r.Period);
    Number(prefix + ".strategy", int{r.Strategy});
    Number(prefix + ".stake", r.Stake);
    Number(prefix + ".direction", r.Direction);
    for (size_t i = 0; i < r.Params.size(); ++i) Number(prefix + ".param" + std::to_string(i), r.Params[i]);
  }
  std::string Text() const { return text_; }

 private:
  std::string text_ = std::string(kHeader) + "\n";
};

// Reads the keys of the journal; any key asked for that is missing or does
// not read as its type spoils the whole reading.
class Reader {
 public:
  explicit Reader(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
      if (line.empty() || line[0] == '#') continue;
      const size_t equals = line.find('=');
      if (equals == std::string::npos) {
        good_ = false;
        continue;
      }
      values_[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  bool Has(const std::string& key) const { return values_.count(key) != 0; }
  void Get(const std::string& key, std::string& value) {
    const auto found = values_.find(key);
    if (found == values_.end())
      good_ = false;
    else
      value = found->second;
  }
  template <typename Value>
  void Number(const std::string& key, Value& value) {
    std::string text;
    Get(key, text);
    if (good_ && !ParseNumber(text, value)) good_ = false;
  }
  void Record(const std::string& prefix, THistoryRecord& r) {
    Number(prefix + ".time", r.Time);
    Get(prefix + ".account", r.Account);
    Number(prefix + ".balance_at_bet", r.BalanceAtBet);
    Number(prefix + ".balance_at_result", r.BalanceAtResult);
    Get(prefix + ".currency", r.Currency);
    Number(prefix + ".result", r.Result);
    Get(prefix + ".pair", r.Pair);
    Get(prefix + ".period", r.Period);
    Number(prefix + ".strategy", r.Strategy);
    Number(prefix + ".stake", r.Stake);
    Number(prefix + ".direction", r.Direction);
    for (size_t i = 0; i < r.Params.size(); ++i) Number(prefix + ".param" + std::to_string(i), r.Params[i]);
  }
  bool Good() const { return good_; }

 private:
  std::map<std::string, std::string> values_;
  bool good_ = true;
};

}  // namespace

std::string EncodeJournal(const LedgerState& state) {
  Writer w;
  const LedgerBet& bet = state.bet;
  if (bet.state != TOpenBet::None) {
    w.Put("bet", bet.state == TOpenBet::Bought ? "bought" : "requested");
    w.Put("bet.valute", bet.request.valute);
    w.Put("bet.period_unit", bet.request.period_unit);
    w.Number("bet.period", bet.request.period);
    w.Number("bet.stake", bet.request.stake);
    w.Number("bet.direction", bet.request.direction);
    if (bet.state == TOpenBet::Bought) {
      w.Number("bet.confirmed", int{bet.confirmed});
      w.Record("bet.record", bet.record);
    }
  }
  if (const std::optional<LedgerChain>& chain = state.chain) {
    w.Number("chain.strategy", int{chain->strategy});
    w.Number("chain.sub_status", int{chain->sub_status});
    w.Number("chain.bet_count", chain->bet_count);
    w.Number("chain.game_count", chain->game_count);
    w.Number("chain.stake", chain->stake);
    w.Number("chain.direction", chain->direction);
    w.Put("chain.valute", chain->valute);
    w.Number("chain.period", chain->period);
    w.Put("chain.period_unit", chain->period_unit);
  }
  w.Number("unwritten", state.unwritten.size());
  for (size_t i = 0; i < state.unwritten.size(); ++i) w.Record("unwritten" + std::to_string(i), state.unwritten[i]);
  return w.Text();
}

std::optional<LedgerState> DecodeJournal(const std::string& text) {
  if (text.rfind(kHeader, 0) != 0) return std::nullopt;
  Reader r(text);
  LedgerState state;
  if (r.Has("bet")) {
    LedgerBet& bet = state.bet;
    std::string kind;
    r.Get("bet", kind);
    if (kind != "bought" && kind != "requested") return std::nullopt;
    bet.state = kind == "bought" ? TOpenBet::Bought : TOpenBet::Requested;
    r.Get("bet.valute", bet.request.valute);
    r.Get("bet.period_unit", bet.request.period_unit);
    r.Number("bet.period", bet.request.period);
    r.Number("bet.stake", bet.request.stake);
    r.Number("bet.direction", bet.request.direction);
    if (bet.state == TOpenBet::Bought) {
      int confirmed = 0;
      r.Number("bet.confirmed", confirmed);
      bet.confirmed = confirmed != 0;
      r.Record("bet.record", bet.record);
    }
  }
  if (r.Has("chain.strategy")) {
    LedgerChain& chain = state.chain.emplace();
    r.Number("chain.strategy", chain.strategy);
    r.Number("chain.sub_status", chain.sub_status);
    r.Number("chain.bet_count", chain.bet_count);
    r.Number("chain.game_count", chain.game_count);
    r.Number("chain.stake", chain.stake);
    r.Number("chain.direction", chain.direction);
    r.Get("chain.valute", chain.valute);
    r.Number("chain.period", chain.period);
    r.Get("chain.period_unit", chain.period_unit);
  }
  size_t unwritten = 0;
  r.Number("unwritten", unwritten);
  // A count that no journal of ours writes is no count to allocate for.
  if (unwritten > 1000) return std::nullopt;
  state.unwritten.resize(unwritten);
  for (size_t i = 0; r.Good() && i < unwritten; ++i) r.Record("unwritten" + std::to_string(i), state.unwritten[i]);
  if (!r.Good()) return std::nullopt;
  return state;
}

}  // namespace vantrope

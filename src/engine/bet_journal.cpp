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

// Writes each field as a "key=value" line.
class Writer {
 public:
  void Field(const std::string& key, const std::string& value) { text_ += key + "=" + OneLine(value) + "\n"; }
  void Field(const std::string& key, bool value) { Field(key, std::string(value ? "1" : "0")); }
  template <typename Value>
  void Field(const std::string& key, Value value) {
    if constexpr (std::is_enum_v<Value>)
      Field(key, NumberText(static_cast<int>(value)));
    else
      Field(key, NumberText(value));
  }
  std::string Text() const { return text_; }

 private:
  std::string text_ = std::string(kHeader) + "\n";
};

// Reads the fields of the journal; any field asked for that is missing or
// does not read as its type spoils the whole reading.
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
  void Field(const std::string& key, std::string& value) {
    const auto found = values_.find(key);
    if (found == values_.end())
      good_ = false;
    else
      value = found->second;
  }
  void Field(const std::string& key, bool& value) {
    int number = 0;
    Field(key, number);
    value = number != 0;
  }
  template <typename Value>
  void Field(const std::string& key, Value& value) {
    std::string text;
    Field(key, text);
    if (good_ && !ParseNumber(text, value)) good_ = false;
  }
  bool Good() const { return good_; }

 private:
  std::map<std::string, std::string> values_;
  bool good_ = true;
};

// The fields of each part, one list for writing and for reading: `Io` is a
// Writer given const parts or a Reader given parts to fill.
template <typename Io, typename Request>
void RequestFields(Io& io, Request& q) {
  io.Field("bet.valute", q.valute);
  io.Field("bet.period_unit", q.period_unit);
  io.Field("bet.period", q.period);
  io.Field("bet.stake", q.stake);
  io.Field("bet.direction", q.direction);
}

template <typename Io, typename Record>
void RecordFields(Io& io, const std::string& prefix, Record& r) {
  io.Field(prefix + ".time", r.Time);
  io.Field(prefix + ".account", r.Account);
  io.Field(prefix + ".balance_at_bet", r.BalanceAtBet);
  io.Field(prefix + ".balance_at_result", r.BalanceAtResult);
  io.Field(prefix + ".currency", r.Currency);
  io.Field(prefix + ".result", r.Result);
  io.Field(prefix + ".pair", r.Pair);
  io.Field(prefix + ".period", r.Period);
  io.Field(prefix + ".strategy", r.Strategy);
  io.Field(prefix + ".stake", r.Stake);
  io.Field(prefix + ".direction", r.Direction);
  for (size_t i = 0; i < r.Params.size(); ++i) io.Field(prefix + ".param" + std::to_string(i), r.Params[i]);
}

template <typename Io, typename Chain>
void ChainFields(Io& io, Chain& c) {
  io.Field("chain.strategy", c.strategy);
  io.Field("chain.sub_status", c.sub_status);
  io.Field("chain.bet_count", c.bet_count);
  io.Field("chain.game_count", c.game_count);
  io.Field("chain.stake", c.stake);
  io.Field("chain.direction", c.direction);
  io.Field("chain.valute", c.valute);
  io.Field("chain.period", c.period);
  io.Field("chain.period_unit", c.period_unit);
}

}  // namespace

std::string EncodeJournal(const LedgerState& state) {
  Writer w;
  const LedgerBet& bet = state.bet;
  if (bet.state != TOpenBet::None) {
    w.Field("bet", std::string(bet.state == TOpenBet::Bought ? "bought" : "requested"));
    RequestFields(w, bet.request);
    if (bet.state == TOpenBet::Bought) {
      w.Field("bet.confirmed", bet.confirmed);
      RecordFields(w, "bet.record", bet.record);
    }
  }
  if (state.chain) ChainFields(w, *state.chain);
  if (state.signal != drNone) w.Field("signal", state.signal);
  if (state.signal != drNone && !state.signal_chart.empty()) w.Field("signal.chart", state.signal_chart);
  w.Field("unwritten", state.unwritten.size());
  for (size_t i = 0; i < state.unwritten.size(); ++i) RecordFields(w, "unwritten" + std::to_string(i), state.unwritten[i]);
  return w.Text();
}

std::optional<LedgerState> DecodeJournal(const std::string& text) {
  if (text.rfind(kHeader, 0) != 0) return std::nullopt;
  Reader r(text);
  LedgerState state;
  if (r.Has("bet")) {
    LedgerBet& bet = state.bet;
    std::string kind;
    r.Field("bet", kind);
    if (kind != "bought" && kind != "requested") return std::nullopt;
    bet.state = kind == "bought" ? TOpenBet::Bought : TOpenBet::Requested;
    RequestFields(r, bet.request);
    if (bet.state == TOpenBet::Bought) {
      r.Field("bet.confirmed", bet.confirmed);
      RecordFields(r, "bet.record", bet.record);
    }
  }
  if (r.Has("chain.strategy")) ChainFields(r, state.chain.emplace());
  if (r.Has("signal")) r.Field("signal", state.signal);
  if (r.Has("signal.chart")) r.Field("signal.chart", state.signal_chart);
  if (state.signal != drNone && state.signal != drUp && state.signal != drDown) return std::nullopt;
  size_t unwritten = 0;
  r.Field("unwritten", unwritten);
  // A count that no journal of ours writes is no count to allocate for.
  if (unwritten > 1000) return std::nullopt;
  state.unwritten.resize(unwritten);
  for (size_t i = 0; r.Good() && i < unwritten; ++i) RecordFields(r, "unwritten" + std::to_string(i), state.unwritten[i]);
  if (!r.Good()) return std::nullopt;
  return state;
}

}  // namespace vantrope

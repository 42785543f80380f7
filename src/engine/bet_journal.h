// What the bet ledger keeps between two runs of the program, and its text
// form: one "key=value" line each, UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "event/robot_event.h"
#include "log/history_file.h"

namespace vantrope {

// How far the open bet got.
enum class TOpenBet : uint8_t {
  None,
  Requested,  // asked for, not bought yet
  Bought,     // the buy was pressed: the contract may be open
};

// The bet the strategy asked for.
struct LedgerRequest {
  std::string valute;
  std::string period_unit;
  uint16_t period = 0;
  int32_t stake = 0;
  TDirection direction = drNone;
  bool operator==(const LedgerRequest&) const = default;
};

struct LedgerBet {
  TOpenBet state = TOpenBet::None;
  LedgerRequest request;
  // From the press on: the record as the history file will keep it, its time
  // the first sight of the purchase (the press until then), no result yet.
  THistoryRecord record;
  bool confirmed = false;
  bool operator==(const LedgerBet&) const = default;
};

// A martingale chain as the strategy runs it.
struct LedgerChain {
  uint8_t strategy = 0;  // the strategy page
  uint8_t sub_status = 0;
  uint16_t bet_count = 0;
  uint16_t game_count = 0;
  int32_t stake = 0;
  TDirection direction = drNone;
  std::string valute;
  uint16_t period = 0;
  std::string period_unit;
  bool operator==(const LedgerChain&) const = default;
};

struct LedgerState {
  LedgerBet bet;
  std::optional<LedgerChain> chain;
  // The direction of the indicator's last signal: a new program goes on from
  // it, so that an arrow the last one took is never taken as new.
  TDirection signal = drNone;
  // The chart its arrow stood on (ChartKey), where known.
  std::string signal_chart;
  // Results known whose records the history file may not hold yet, oldest first.
  std::vector<THistoryRecord> unwritten;
  bool operator==(const LedgerState&) const = default;
};

std::string EncodeJournal(const LedgerState& state);
// No value for a text that is not a journal of this form.
std::optional<LedgerState> DecodeJournal(const std::string& text);

}  // namespace vantrope

#include "engine/bet_ledger.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "settings/durable_file.h"

namespace vantrope {

bool BetLedger::Load() {
  std::error_code error;
  if (!std::filesystem::exists(journal_path_, error) && !error) return true;
  const std::optional<std::string> text = ReadWholeFile(journal_path_);
  std::optional<LedgerState> state = text ? DecodeJournal(*text) : std::nullopt;
  if (!state) {
    // Kept aside for whoever wants to read it: the next change would replace it.
    std::filesystem::rename(journal_path_, UnreadJournalPath(), error);
    return false;
  }
  state_ = std::move(*state);
  saved_ = *text;
  // A run killed between the record and the journal left the first of its
  // results in the history file already.
  std::vector<THistoryRecord>& unwritten = state_.unwritten;
  const std::vector<THistoryRecord> tail = ReadLastHistoryRecords(history_path_, unwritten.size());
  for (size_t written = tail.size(); written > 0; --written)
    if (std::equal(unwritten.begin(), unwritten.begin() + static_cast<std::ptrdiff_t>(written),
                   tail.end() - static_cast<std::ptrdiff_t>(written))) {
      unwritten.erase(unwritten.begin(), unwritten.begin() + static_cast<std::ptrdiff_t>(written));
      break;
    }
  WriteRecords();
  return true;
}

void BetLedger::Requested(const LedgerRequest& request) {
  state_.bet = LedgerBet{};
  state_.bet.state = TOpenBet::Requested;
  state_.bet.request = request;
  Save();
}

void BetLedger::Bought(const THistoryRecord& purchase) {
  state_.bet.state = TOpenBet::Bought;
  state_.bet.record = purchase;
  state_.bet.confirmed = false;
  Save();
}

void BetLedger::Confirmed(double time) {
  LedgerBet& bet = state_.bet;
  if (bet.state != TOpenBet::Bought || bet.confirmed) return;
  bet.confirmed = true;
  bet.record.Time = time;
  Save();
}

void BetLedger::PurchaseRefused() {
  if (state_.bet.state != TOpenBet::Bought) return;
  state_.bet.state = TOpenBet::Requested;
  state_.bet.record = THistoryRecord{};
  state_.bet.confirmed = false;
  Save();
}

void BetLedger::NotBought() {
  state_.bet = LedgerBet{};
  Save();
}

void BetLedger::Settled(uint8_t result, double balance_at_result) {
  if (state_.bet.state != TOpenBet::Bought) return;
  THistoryRecord record = state_.bet.record;
  record.Result = result;
  record.BalanceAtResult = balance_at_result;
  state_.bet = LedgerBet{};
  // The journal holds the result first: a run killed while the record is
  // written writes it at the next start, and never twice.
  state_.unwritten.push_back(record);
  Save();
  WriteRecords();
}

void BetLedger::ResultUnknown() {
  state_.bet = LedgerBet{};
  Save();
}

void BetLedger::KeepChain(const std::optional<LedgerChain>& chain) {
  if (chain == state_.chain) return;
  state_.chain = chain;
  Save();
}

void BetLedger::KeepSignal(TDirection direction, const std::string& chart) {
  if (direction == state_.signal && chart == state_.signal_chart) return;
  state_.signal = direction;
  state_.signal_chart = chart;
  Save();
}

void BetLedger::WriteRecords() {
  std::vector<THistoryRecord>& unwritten = state_.unwritten;
  size_t written = 0;
  for (; written < unwritten.size(); ++written) {
    try {
      AppendHistoryRecord(history_path_, unwritten[written]);
    } catch (const std::runtime_error& error) {
      // Tried again with the next result, and at the next start.
      Report(error.what());
      break;
    }
    host_.RecordAdded(unwritten[written]);
  }
  unwritten.erase(unwritten.begin(), unwritten.begin() + static_cast<std::ptrdiff_t>(written));
  Save();
}

void BetLedger::Save() {
  const std::string text = EncodeJournal(state_);
  if (text == saved_) return;
  if (!ReplaceFileDurably(journal_path_, text)) {
    Report("Unable to write to " + journal_path_);
    return;
  }
  saved_ = text;
  reported_ = false;
}

// A file that keeps failing is told of once, until a write succeeds.
void BetLedger::Report(const std::string& text) {
  if (reported_) return;
  reported_ = true;
  host_.LedgerFileFailed(text);
}

}  // namespace vantrope

// The bet ledger: the one owner of a bet's life, from its request to its
// record in the history file. It keeps the open bet and the running chain in
// a journal beside the history, replaced and synced at every change, so that
// a program killed in the middle of a bet finds the bet again when it starts:
// a purchase is then followed to its result and recorded once.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/bet_journal.h"
#include "log/history_file.h"

namespace vantrope {

inline constexpr const char* kBetJournalFileName = "bets.journal";

class BetLedger {
 public:
  // What the ledger tells the program around it.
  class Host {
   public:
    // A record was appended to the history file.
    virtual void RecordAdded(const THistoryRecord& record) = 0;
    // The journal or the history file could not be written; the text names it.
    virtual void LedgerFileFailed(const std::string& text) = 0;

   protected:
    ~Host() = default;
  };

  explicit BetLedger(Host& host, std::string journal_path = kBetJournalFileName,
                     std::string history_path = kHistoryFileName)
      : host_(host), journal_path_(std::move(journal_path)), history_path_(std::move(history_path)) {}

  // Start-up: the journal the last run left. A result it knew but had not
  // yet recorded is recorded now. False when the journal could not be read:
  // it is then kept aside, under UnreadJournalPath().
  bool Load();
  std::string UnreadJournalPath() const { return journal_path_ + ".unread"; }

  TOpenBet Open() const { return state_.bet.state; }
  const LedgerBet& Bet() const { return state_.bet; }
  const std::optional<LedgerChain>& Chain() const { return state_.chain; }

  // The strategy asked for a bet.
  void Requested(const LedgerRequest& request);
  // The buy is about to be pressed: from here on a contract may exist. The
  // journal holds it before the press reaches the page.
  void Bought(const THistoryRecord& purchase);
  // The site showed the purchase; the record keeps the time of the first sight.
  void Confirmed(double time);
  // The site refused the purchase (its quote went stale): a request again.
  void PurchaseRefused();
  // The request ended without a purchase.
  void NotBought();
  // The result of the purchase: its record is appended to the history file,
  // then the bet is closed. 1 won, 2 lost.
  void Settled(uint8_t result, double balance_at_result);
  // The run ended before the result was known: no record is made up.
  void ResultUnknown();
  // The chain the strategy is running, or none.
  void KeepChain(const std::optional<LedgerChain>& chain);
  // The indicator's signal direction and the chart its arrow stood on, kept
  // across a restart.
  void KeepSignal(TDirection direction, const std::string& chart = {});
  TDirection Signal() const { return state_.signal; }
  const std::string& SignalChart() const { return state_.signal_chart; }

 private:
  void Save();
  // Appends the records of the results known, oldest first, as far as the
  // history file takes them.
  void WriteRecords();
  void Report(const std::string& text);

  Host& host_;
  std::string journal_path_;
  std::string history_path_;
  LedgerState state_;
  // What the journal file holds now.
  std::string saved_;
  bool reported_ = false;
};

}  // namespace vantrope

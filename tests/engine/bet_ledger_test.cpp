// The bet ledger on disk: what a run killed at any point leaves, and what
// the next start makes of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/bet_ledger.h"
#include "support/temp_dir.h"

namespace vantrope::testing {
namespace {

class LedgerHost : public BetLedger::Host {
 public:
  void RecordAdded(const THistoryRecord& record) override { added.push_back(record); }
  void LedgerFileFailed(const std::string& text) override { failures.push_back(text); }
  std::vector<THistoryRecord> added;
  std::vector<std::string> failures;
};

THistoryRecord Purchase(int32_t stake, double time) {
  THistoryRecord record;
  record.Time = time;
  record.Account = "CR100200";
  record.BalanceAtBet = 1250.5;
  record.Currency = "USD";
  record.Pair = "frxEURUSD";
  record.Period = "5m";
  record.Strategy = 1;
  record.Stake = stake;
  record.Direction = 1;
  record.Params = {3, 2, 5, 0, 0, 0, 0, 0};
  return record;
}

class BetLedgerTest : public ::testing::Test {
 protected:
  TempWorkDir dir;
  LedgerHost host;
};

// Killed between the history record and the journal: the next start does
// not write the record again, and writes the one that did not get there.
TEST_F(BetLedgerTest, ResultsKnownAtAKillAreRecordedOnceEach) {
  THistoryRecord first = Purchase(3, 46364.6), second = Purchase(7, 46364.7);
  first.Result = 2;
  second.Result = 1;
  LedgerState state;
  state.unwritten = {first, second};
  std::ofstream("bets.journal") << EncodeJournal(state);
  AppendHistoryRecord("history.dat", Purchase(1, 46364.5));
  AppendHistoryRecord("history.dat", first);

  BetLedger ledger(host);
  ASSERT_TRUE(ledger.Load());
  EXPECT_EQ(ReadHistoryFile("history.dat"), (std::vector<THistoryRecord>{Purchase(1, 46364.5), first, second}));
  EXPECT_EQ(DecodeJournal(dir.ReadFile("bets.journal")), LedgerState{}) << "nothing left to write";
}

// The history file cannot be written: the result is told, kept in the
// journal, and recorded as soon as the file takes it.
TEST_F(BetLedgerTest, ARecordTheHistoryFileRefusedIsWrittenLater) {
  std::filesystem::create_directory("history.dat");
  BetLedger ledger(host);
  ledger.Bought(Purchase(3, 46364.6));
  ledger.Settled(2, 1247.5);
  ASSERT_EQ(host.failures.size(), 1u);
  EXPECT_EQ(host.failures[0], "Unable to write to history.dat");
  EXPECT_TRUE(host.added.empty());

  std::filesystem::remove("history.dat");
  ledger.Bought(Purchase(7, 46364.7));
  ledger.Settled(1, 1254.5);
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Stake, 3);
  EXPECT_EQ(records[1].Stake, 7);
  EXPECT_EQ(host.added.size(), 2u);
}

TEST_F(BetLedgerTest, AJournalOfAnotherFormIsNotTakenForOne) {
  std::ofstream("bets.journal") << "bet=bought\n";
  BetLedger ledger(host);
  EXPECT_FALSE(ledger.Load());
  EXPECT_EQ(ledger.Open(), TOpenBet::None);
  EXPECT_EQ(dir.ReadFile("bets.journal.unread"), "bet=bought\n") << "kept aside, not overwritten";
  LedgerState state;
  state.bet.state = TOpenBet::Bought;
  std::string text = EncodeJournal(state);
  text.replace(text.find("bet.stake=0"), 11, "bet.stake=x");
  EXPECT_FALSE(DecodeJournal(text));
}

}  // namespace
}  // namespace vantrope::testing

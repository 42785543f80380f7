// The 112-byte records of the history file.
#include <gtest/gtest.h>

#include <cstring>

#include "log/history_file.h"
#include "support/form_fixture.h"
#include "support/refused_calls.h"

namespace vantrope {
namespace {

class HistoryFileTest : public testing::FormFixture {};

double ReadDouble(const std::string& bytes, size_t at) {
  double value;
  std::memcpy(&value, bytes.data() + at, 8);
  return value;
}

int32_t ReadInt(const std::string& bytes, size_t at) {
  int32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

TEST_F(HistoryFileTest, RecordOfAKnownBetFieldByField) {
  dir.WriteFile("accounts.txt", "CR1234567890123456789\n");
  WriteSettings("[Binary]\nLogin=0\n[Robot2]\nDown=1\nBetCount=3\nChainCount=7\n");
  TMainForm& f = Start();
  f.strategies.neBot2BetSize.SetValue(12.5);
  // Start copies the account from the panel.
  f.credentials.login = f.account.cbeLogin.Text();
  f.robot.BalanceAtBet = 1250.25;
  f.page.CurrencyName = "USDT";
  f.robot.ChainValute = "frxEURUSD";
  f.robot.ChainPeriod = 15;
  f.robot.BetPeriodUnit = " m ";
  f.robot.ChainStake = 16;
  f.robot.ChainDirection = drDown;
  f.ledger.Bought(f.bet_cycle.PurchaseRecord());
  f.ledger.Confirmed(46364.5875);
  f.ledger.Settled(1, 1260.75);

  const std::string b = dir.ReadFile("history.dat");
  ASSERT_EQ(b.size(), 112u);
  EXPECT_EQ(ReadDouble(b, 0), 46364.5875);
  EXPECT_EQ(b[8], 0);
  EXPECT_EQ(b[9], 16) << "the account is cut to 16 characters";
  EXPECT_EQ(b.substr(10, 16), "CR12345678901234");
  EXPECT_EQ(ReadDouble(b, 32), 1250.25);
  EXPECT_EQ(ReadDouble(b, 40), 1260.75);
  EXPECT_EQ(b.substr(48, 4), std::string("\x03USD", 4));
  EXPECT_EQ(b[52], 1);
  EXPECT_EQ(b.substr(53, 10), std::string("\x09" "frxEURUSD", 10));
  EXPECT_EQ(b.substr(63, 4), std::string("\x03" "15m", 4));
  EXPECT_EQ(b[70], 2);
  EXPECT_EQ(ReadInt(b, 72), 16);
  EXPECT_EQ(ReadInt(b, 76), 2);
  EXPECT_EQ(ReadInt(b, 80), 12) << "12.5 rounds half to even";
  EXPECT_EQ(ReadInt(b, 84), 3);
  EXPECT_EQ(ReadInt(b, 88), 7);
  for (size_t at = 92; at < 112; at += 4) EXPECT_EQ(ReadInt(b, at), 0) << at;
}

TEST_F(HistoryFileTest, BalancedStrategyParamsAndEmptyAccount) {
  WriteSettings("[Robot0]\nDown=0\n[Robot5]\nName=Сбалансированный\nDown=1\nWinLimit=20\nLoseLimit=30\nBetCount=4\n");
  TMainForm& f = Start();
  f.strategies.neBot5Porog.SetValue(7.5);
  f.robot.ChainPeriod = 120;
  f.robot.BetPeriodUnit = "s";
  f.ledger.Bought(f.bet_cycle.PurchaseRecord());
  f.ledger.Settled(2, 0);
  const THistoryRecord r = ReadHistoryFile("history.dat").at(0);
  EXPECT_EQ(r.Account, "");
  EXPECT_EQ(r.Period, "120s");
  EXPECT_EQ(r.Result, 2);
  EXPECT_EQ(r.Strategy, 5);
  EXPECT_EQ(r.Params, (std::array<int32_t, 8>{20, 30, 4, 8, 0, 0, 0, 0}));
}

TEST_F(HistoryFileTest, TornFileIsRepairedByTheNextRecord) {
  const std::string whole(224, 'W');
  dir.WriteFile("history.dat", whole + std::string(26, 'T'));
  THistoryRecord record;
  record.Pair = "frxUSDJPY";
  AppendHistoryRecord("history.dat", record);
  const std::string bytes = dir.ReadFile("history.dat");
  ASSERT_EQ(bytes.size(), 336u);
  EXPECT_EQ(bytes.substr(0, 224), whole) << "nothing before the torn record is touched";
  const std::vector<THistoryRecord> records = ReadHistoryFile("history.dat");
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[2], record);
}

// A file that cannot be looked at for the moment is still there: taking it
// for a missing one would start the history anew.
TEST_F(HistoryFileTest, AppendingNeverTruncatesWhenTheFileCannotBeLookedAt) {
  const std::string whole(2 * kHistoryRecordSize, 'W');
  dir.WriteFile("history.dat", whole + std::string(26, 'T'));
  THistoryRecord record;
  record.Pair = "frxUSDJPY";
  testing::RunRefusing(testing::Refusal::kFileStatus, [&] { AppendHistoryRecord("history.dat", record); });
  const std::string bytes = dir.ReadFile("history.dat");
  ASSERT_EQ(bytes.size(), 3 * kHistoryRecordSize);
  EXPECT_EQ(bytes.substr(0, whole.size()), whole);
  EXPECT_EQ(ReadHistoryFile("history.dat").back(), record);
}

TEST_F(HistoryFileTest, RecordsRoundTripThroughTheirBytes) {
  THistoryRecord r;
  r.Time = 46000.25;
  r.Account = "Счёт-7";
  r.BalanceAtBet = -3.5;
  r.BalanceAtResult = 1e9;
  r.Currency = "EUR";
  r.Result = 2;
  r.Pair = "frxGBPJPY";
  r.Period = "30s";
  r.Strategy = 6;
  r.Stake = -1;
  r.Direction = 1;
  r.Params = {1, -2, 3, 2147483647, 0, 0, 0, 0};
  const auto bytes = EncodeHistoryRecord(r);
  EXPECT_EQ(DecodeHistoryRecord(bytes.data()), r);
  EXPECT_EQ(bytes[10], 0xD1) << "short strings are in code page 1251";
}

}  // namespace
}  // namespace vantrope

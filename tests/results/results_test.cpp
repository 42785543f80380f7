// The results of the history file: its reading when damaged, the figures of
// bets whose answers are known, the window's filters, live records and exports.
#include <gtest/gtest.h>

#include <filesystem>

#include "results/history_reading.h"
#include "results/results_text.h"
#include "results/results_window.h"
#include "support/form_fixture.h"
#include "support/temp_dir.h"

namespace vantrope {
namespace {

// A bet placed on day `day` with the balance going from `before` to `after`.
THistoryRecord Bet(double day, double before, double after, std::string pair = "frxEURUSD", uint8_t strategy = 1) {
  THistoryRecord bet;
  bet.Time = day;
  bet.Account = "CR100200";
  bet.BalanceAtBet = before;
  bet.BalanceAtResult = after;
  bet.Currency = "USD";
  bet.Result = after >= before ? 1 : 2;
  bet.Pair = std::move(pair);
  bet.Period = "5m";
  bet.Strategy = strategy;
  bet.Stake = 10;
  bet.Direction = 1;
  return bet;
}

std::string Bytes(const std::vector<THistoryRecord>& bets) {
  std::string bytes;
  for (const THistoryRecord& bet : bets) {
    const auto encoded = EncodeHistoryRecord(bet);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  return bytes;
}

std::vector<const THistoryRecord*> Pointers(const std::vector<THistoryRecord>& bets) {
  std::vector<const THistoryRecord*> pointers;
  for (const THistoryRecord& bet : bets) pointers.push_back(&bet);
  return pointers;
}

// Up 100 to 118, three losses to 88 (a drawdown of 30), a refund (won, but
// nothing gained), a loss tying the largest, then a recovery above the peak.
TEST(BetFiguresTest, StreakDrawdownAndTiesOfAKnownRun) {
  const std::vector<THistoryRecord> bets = {Bet(1, 100, 118), Bet(2, 118, 108), Bet(3, 108, 98), Bet(4, 98, 88),
                                            Bet(5, 88, 88),   Bet(6, 88, 78),   Bet(7, 78, 130)};
  const BetFigures f = ComputeFigures(Pointers(bets));
  EXPECT_EQ(f.count, 7);
  EXPECT_EQ(f.won, 3);
  EXPECT_EQ(f.lost, 4);
  EXPECT_NEAR(f.win_rate, 300.0 / 7, 1e-9);
  EXPECT_DOUBLE_EQ(f.net, 30);
  EXPECT_DOUBLE_EQ(f.largest_win, 52);
  EXPECT_DOUBLE_EQ(f.largest_loss, 10);
  EXPECT_EQ(f.longest_losing_streak, 3) << "the refund ends the streak";
  EXPECT_DOUBLE_EQ(f.max_drawdown, 40) << "from 118 down to 78";

  const std::vector<EquityPoint> curve = EquityCurve(Pointers(bets));
  ASSERT_EQ(curve.size(), 8u) << "the start and a point per bet";
  EXPECT_DOUBLE_EQ(curve.front().balance, 100);
  EXPECT_DOUBLE_EQ(curve.back().balance, 130);
  EXPECT_DOUBLE_EQ(curve[6].peak, 118);

  const auto by_pair = FiguresByPair(Pointers(bets));
  ASSERT_EQ(by_pair.size(), 1u);
  EXPECT_EQ(by_pair.at("frxEURUSD"), f);
  EXPECT_EQ(ComputeFigures({}), BetFigures{}) << "no bets: no figures, no division by zero";
}

// A damaged file is read as far as its records are whole: junk bytes between
// records, a record with a string longer than its field, a torn last record.
TEST(HistoryReadingTest, DamagedFileKeepsEveryWholeRecordAndCountsTheRest) {
  std::vector<THistoryRecord> good = {Bet(1, 100, 110), Bet(2, 110, 100), Bet(3, 100, 95)};
  std::string bad = Bytes({Bet(2.5, 1, 2)});
  bad[53] = static_cast<char>(200);  // the pair's length byte
  const std::string bytes =
      Bytes({good[0]}) + "junk!" + Bytes({good[1]}) + bad + Bytes({good[2]}) + Bytes({Bet(4, 95, 90)}).substr(0, 50);
  const HistoryContents contents = ParseHistoryBytes(bytes);
  EXPECT_EQ(contents.records, good);
  EXPECT_EQ(contents.unread_bytes, 5u + 112u + 50u);
  EXPECT_FALSE(ReadHistoryContents("no such file").opened);
}

class ResultsWindowTest : public ::testing::Test {
 protected:
  void Write(const std::vector<THistoryRecord>& bets) { dir.WriteFile("history.dat", Bytes(bets)); }
  testing::TempWorkDir dir;
  ResultsWindow results;
};

TEST_F(ResultsWindowTest, FiltersAndLiveRecordsChangeTheFigures) {
  Write({Bet(46000.5, 100, 110, "frxEURUSD", 1), Bet(46001.5, 110, 100, "frxGBPUSD", 0),
         Bet(46002.5, 100, 120, "frxEURUSD", 0)});
  int refreshed = 0;
  results.SetObserver([&] { ++refreshed; });
  results.Open("history.dat");
  EXPECT_TRUE(results.Form.Visible());
  EXPECT_EQ(results.Figures().count, 3);
  EXPECT_EQ(results.Pairs(), (std::vector<std::string>{"frxEURUSD", "frxGBPUSD"}));

  results.SetFilter({46001, 0, "frxEURUSD", -1});
  ASSERT_EQ(results.Shown().size(), 1u);
  EXPECT_DOUBLE_EQ(results.Figures().net, 20);
  results.SetFilter({0, 46001, "", 0});
  ASSERT_EQ(results.Shown().size(), 1u) << "the last day is shown whole";
  EXPECT_EQ(results.Shown()[0]->Pair, "frxGBPUSD");

  results.SetFilter({});
  const int before = refreshed;
  results.RecordAdded("other.dat", Bet(46003.5, 120, 130));
  EXPECT_EQ(refreshed, before) << "a record of another file";
  results.RecordAdded("history.dat", Bet(46003.5, 120, 130));
  EXPECT_EQ(results.Figures().count, 4);
  EXPECT_DOUBLE_EQ(results.Curve().back().balance, 130);
  EXPECT_EQ(dir.ReadFile("history.dat").size(), 3u * kHistoryRecordSize) << "the window never writes the file";
}

TEST_F(ResultsWindowTest, CsvHasTheBetsShownInUtf8WithQuotedFields) {
  THistoryRecord bet = Bet(46000.75, 100, 92.5);
  bet.Account = "Иванов, \"И\"";
  Write({bet, Bet(46001, 92.5, 100, "frxGBPUSD")});
  results.Open("history.dat");
  results.SetFilter({0, 0, "frxEURUSD", -1});
  ASSERT_FALSE(results.ExportCsv("bets.csv").has_value());
  EXPECT_EQ(dir.ReadFile("bets.csv"),
            "\xEF\xBB\xBF"
            "Время,Счёт,Пара,Период,Направление,Ставка,Результат,Итог ставки,Баланс после,Валюта,Стратегия\r\n"
            "2025-12-09 18:00:00,\"Иванов, \"\"И\"\"\",frxEURUSD,5m,вверх,10,проигрыш,-7.50,92.50,USD,Мартингейл\r\n");
  EXPECT_TRUE(results.ExportCsv("no/such/folder/bets.csv").has_value());
}

TEST(ResultsSummaryTest, OneFigureALineThenEachPairAndStrategy) {
  const std::vector<THistoryRecord> bets = {Bet(1, 100, 110), Bet(2, 110, 100, "frxGBPUSD", 5)};
  EXPECT_EQ(SummaryText(Pointers(bets), 7),
            "Ставок: 2\nВыиграно: 1\nПроиграно: 1\nДоля выигрышей: 50.00 %\nИтог: 0.00 USD\n"
            "Крупнейший выигрыш: 10.00 USD\nКрупнейший проигрыш: 10.00 USD\nСамая длинная серия проигрышей: 1\n"
            "Наибольшая просадка: 10.00 USD\n"
            "Пара frxEURUSD: ставок 1, выиграно 1, проиграно 0, доля выигрышей 100.00 %, итог 10.00\n"
            "Пара frxGBPUSD: ставок 1, выиграно 0, проиграно 1, доля выигрышей 0.00 %, итог -10.00\n"
            "Стратегия «Мартингейл»: ставок 1, выиграно 1, проиграно 0, доля выигрышей 100.00 %, итог 10.00\n"
            "Стратегия «Сбалансированная»: ставок 1, выиграно 0, проиграно 1, доля выигрышей 0.00 %, итог -10.00\n"
            "Не прочитано байт: 7\n");
}

// The robot's own results reach an open window as they are recorded.
class ResultsOfTheRobotTest : public testing::FormFixture {
 protected:
  void SetUp() override {
    // The shipped language pack names the menu entry.
    std::filesystem::copy_file(VANTROPE_SHIPPED_INI, dir.Path() / "Vantrope.ini");
    Start();
  }
};

TEST_F(ResultsOfTheRobotTest, MenuOpensTheDataFoldersHistoryAndResultsArriveLive) {
  form->ppmLogPopup();
  EXPECT_TRUE(form->event_log.miHistory.Visible());
  EXPECT_EQ(form->event_log.miHistory.Caption(), "История ставок...");
  form->event_log.miHistory.onClick();
  EXPECT_TRUE(form->results.Form.Visible());
  EXPECT_EQ(form->results.Shown().size(), 0u);
  form->ledger.Bought(form->bet_cycle.PurchaseRecord());
  form->ledger.Settled(1, 1260);
  EXPECT_EQ(form->results.Shown().size(), 1u);
}

}  // namespace
}  // namespace vantrope

// The results window on a history file: the table, the figures, the curve,
// the filters and the picture, with real widgets.
#include "app/qt/results_window_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <set>

#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace vantrope::testing {
namespace {

THistoryRecord Bet(double time, double before, double after, const std::string& pair, int32_t stake,
                   uint8_t strategy = 1) {
  THistoryRecord bet;
  bet.Time = time;
  bet.BalanceAtBet = before;
  bet.BalanceAtResult = after;
  bet.Currency = "USD";
  bet.Result = after > before ? 1 : 2;
  bet.Pair = pair;
  bet.Period = "1m";
  bet.Strategy = strategy;
  bet.Stake = stake;
  bet.Direction = 2;
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

QPushButton* ButtonNamed(QWidget& window, const QString& text) {
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

TEST(ResultsWindowView, ShowsTheFilesBetsFiguresAndCurve) {
  TempWorkDir dir;
  dir.WriteFile("history.dat", Bytes({Bet(46000.5, 100, 90, "frxEURUSD", 10), Bet(46000.6, 90, 108, "frxGBPUSD", 20),
                                      Bet(46001.5, 108, 78, "frxEURUSD", 30)}) +
                                   "torn");
  FakeDialogs dialogs;
  ResultsWindow results;
  ResultsWindowView view(results, dialogs);
  results.Open("history.dat");
  QApplication::processEvents();
  ASSERT_TRUE(view.isVisible());

  QAbstractItemModel& table = *view.table().model();
  ASSERT_EQ(table.rowCount(), 3);
  EXPECT_EQ(table.index(2, 1).data().toString(), QString()) << "no account in these records";
  view.table().sortByColumn(5, Qt::DescendingOrder);
  EXPECT_EQ(table.index(0, 5).data().toInt(), 30) << "sorted by stake";
  EXPECT_EQ(view.figures().item(0, 0)->text(), QStringLiteral("3"));
  EXPECT_EQ(view.figures().item(0, 4)->text(), QStringLiteral("-22.00"));
  EXPECT_EQ(view.figures().item(0, 8)->text(), QStringLiteral("30.00")) << "from 108 down to 78";
  EXPECT_EQ(view.balance().count(), 4) << "the start and a point per bet";
  EXPECT_TRUE(view.findChild<QLabel*>() != nullptr);

  auto* pair = view.findChildren<QComboBox*>().at(0);
  pair->setCurrentIndex(pair->findText(QStringLiteral("frxGBPUSD")));
  EXPECT_EQ(table.rowCount(), 1);
  EXPECT_EQ(view.balance().count(), 2);

  dialogs.save_file_name = (dir.Path() / "curve").string();
  ButtonNamed(view, QStringLiteral("Сохранить график (PNG)..."))->click();
  EXPECT_FALSE(QImage(QString::fromStdString(dir.Path().string() + "/curve.png")).isNull());
  EXPECT_TRUE(dialogs.shown.empty());
}

// 120 bets over three days on three pairs by three strategies: at the size
// the window opens with, the figures show every column whole without
// scrolling, and the time axis labels no two ticks alike.
TEST(ResultsWindowView, ThreeDaysOfBetsShowEveryFigureAndTellTheTicksApart) {
  TempWorkDir dir;
  const std::string pairs[] = {"frxEURUSD", "frxGBPUSD", "frxUSDJPY"};
  const uint8_t strategies[] = {1, 3, 5};
  std::vector<THistoryRecord> bets;
  double balance = 1000;
  for (int i = 0; i < 120; ++i) {
    const int32_t stake = 10 << (i % 4);
    const double after = i % 9 < 5 ? balance + stake * 0.87 : balance - stake;
    bets.push_back(Bet(46000.375 + i * 2.5 / 120, balance, after, pairs[i % 3], stake, strategies[i / 3 % 3]));
    balance = after;
  }
  dir.WriteFile("history.dat", Bytes(bets));
  FakeDialogs dialogs;
  ResultsWindow results;
  ResultsWindowView view(results, dialogs);
  results.Open("history.dat");
  QApplication::processEvents();
  ASSERT_TRUE(view.isVisible());

  QTableWidget& figures = view.figures();
  ASSERT_EQ(figures.rowCount(), 7) << "all, three pairs, three strategies";
  EXPECT_FALSE(figures.horizontalScrollBar()->isVisible());
  QHeaderView& header = *figures.horizontalHeader();
  int columns_width = 0;
  for (int column = 0; column < figures.columnCount(); ++column) {
    const int whole =
        std::max(header.sectionSizeHint(column), static_cast<QAbstractItemView&>(figures).sizeHintForColumn(column));
    EXPECT_GE(header.sectionSize(column), whole) << "column " << column << " cut";
    columns_width += header.sectionSize(column);
  }
  EXPECT_LE(columns_width, figures.viewport()->width()) << "the columns beyond the view";

  const QStringList labels = view.time_axis().categoriesLabels();
  EXPECT_GE(labels.size(), 2);
  EXPECT_EQ(std::set<QString>(labels.begin(), labels.end()).size(), static_cast<size_t>(labels.size()))
      << labels.join(QStringLiteral(", ")).toStdString();
}

}  // namespace
}  // namespace vantrope::testing

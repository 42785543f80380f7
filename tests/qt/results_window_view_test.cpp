// The results window on a history file: the table, the figures, the curve,
// the filters and the picture, with real widgets.
#include "app/qt/results_window_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPushButton>

#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace vantrope::testing {
namespace {

THistoryRecord Bet(double time, double before, double after, const std::string& pair, int32_t stake) {
  THistoryRecord bet;
  bet.Time = time;
  bet.BalanceAtBet = before;
  bet.BalanceAtResult = after;
  bet.Currency = "USD";
  bet.Result = after > before ? 1 : 2;
  bet.Pair = pair;
  bet.Period = "1m";
  bet.Strategy = 1;
  bet.Stake = stake;
  bet.Direction = 2;
  return bet;
}

QPushButton* ButtonNamed(QWidget& window, const QString& text) {
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == text) return button;
  return nullptr;
}

TEST(ResultsWindowView, ShowsTheFilesBetsFiguresAndCurve) {
  TempWorkDir dir;
  std::string bytes;
  for (const THistoryRecord& bet : {Bet(46000.5, 100, 90, "frxEURUSD", 10), Bet(46000.6, 90, 108, "frxGBPUSD", 20),
                                    Bet(46001.5, 108, 78, "frxEURUSD", 30)}) {
    const auto encoded = EncodeHistoryRecord(bet);
    bytes.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
  }
  dir.WriteFile("history.dat", bytes + "torn");
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

}  // namespace
}  // namespace vantrope::testing

// The strategy lab's window with real widgets: a computation started with
// its button, run beside the window, then its figures and charts.
#include "app/qt/lab_window_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QtCharts/QLineSeries>

#include "settings/ini_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace vantrope::testing {
namespace {

TEST(LabWindowView, ComputesTheShippedMartingaleAndShowsTheFiguresTheCoreGives) {
  TempWorkDir dir;
  LabSettings settings = ReadLabSettings(IniFile(VANTROPE_SHIPPED_INI));
  settings.shown = stMartingale;
  FakeDialogs dialogs;
  LabWindow lab;
  LabWindowView view(lab, dialogs);
  lab.Open(settings, 60);
  QApplication::processEvents();
  ASSERT_TRUE(view.isVisible());
  ASSERT_EQ(view.strategies().count(), static_cast<int>(settings.strategies.size()));
  for (int i = 0; i < view.strategies().count(); ++i)
    EXPECT_EQ(view.strategies().item(i)->checkState() == Qt::Checked,
              settings.strategies[size_t(i)].page == stMartingale);

  view.editor(LabField::kWinRate).setValue(45);
  view.editor(LabField::kRuns).setValue(200);
  view.editor(LabField::kBets).setValue(100);
  view.compute().click();
  EXPECT_FALSE(view.compute().isEnabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !lab.Computing(); }, 60'000));
  EXPECT_TRUE(view.compute().isEnabled());

  // The same computation straight from the core.
  LabInputs inputs;
  inputs.strategy = stMartingale;
  inputs.params = settings.Strategy(stMartingale)->params;
  ASSERT_DOUBLE_EQ(inputs.params.BetSize, 3);
  ASSERT_EQ(inputs.params.BetCount, 5);
  ASSERT_EQ(inputs.params.ChainCount, 2);
  inputs.balance = 60;
  inputs.min_balance = settings.min_balance;
  inputs.advance_threshold = settings.advance_threshold;
  inputs.win_rate = 0.45;
  inputs.runs = 200;
  inputs.bets = 100;
  LabColumn column{"Мартингейл", inputs, RunMonteCarlo(inputs), {}};
  column.figures = Summarise(inputs, column.result);
  const std::vector<std::vector<std::string>> rows = LabFigureRows({column});

  QTableWidget& table = view.figures();
  ASSERT_EQ(table.columnCount(), 1);
  ASSERT_EQ(table.rowCount(), static_cast<int>(rows.size()) - 1);
  EXPECT_EQ(table.horizontalHeaderItem(0)->text(), QStringLiteral("Мартингейл"));
  int ruin = -1;
  for (int row = 0; row < table.rowCount(); ++row) {
    EXPECT_EQ(table.verticalHeaderItem(row)->text().toStdString(), rows[size_t(row) + 1][0]);
    EXPECT_EQ(table.item(row, 0)->text().toStdString(), rows[size_t(row) + 1][1]) << rows[size_t(row) + 1][0];
    if (table.verticalHeaderItem(row)->text() == QStringLiteral("Вероятность разорения")) ruin = row;
  }
  ASSERT_GE(ruin, 0);
  // Neither none nor all of the runs: the inputs reached the computation.
  EXPECT_NE(table.item(ruin, 0)->text(), QStringLiteral("0.00 %"));
  EXPECT_NE(table.item(ruin, 0)->text(), QStringLiteral("100.00 %"));

  // The two bands and the median, a point for every bet and the start.
  ASSERT_EQ(view.fan().series().size(), 3);
  auto* median = qobject_cast<QLineSeries*>(view.fan().series().back());
  ASSERT_NE(median, nullptr);
  EXPECT_EQ(median->count(), 101);
  EXPECT_EQ(median->name(), QStringLiteral("Мартингейл"));
  EXPECT_EQ(view.histogram().series().size(), 1);

  dialogs.save_file_name = (dir.Path() / "lab").string();
  for (QPushButton* button : view.findChildren<QPushButton*>())
    if (button->text() == QStringLiteral("Сохранить CSV…")) button->click();
  EXPECT_EQ(dir.ReadFile("lab.csv"), LabCsv({column}));
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace vantrope::testing

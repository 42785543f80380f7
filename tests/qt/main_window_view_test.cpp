// The main window's view on the real Qt adapters: the event log grid, its
// export, and the strip that unfolds the browser panel.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTest>

#include "app/qt/expand_strip.h"
#include "app/qt/log_grid_view.h"
#include "app/qt/qt_text.h"
#include "qt_program.h"
#include "widget_search.h"

namespace vantrope::testing {
namespace {

enum Column { kTime = 0, kMark = 1, kText = 2 };

// The panel unfolds in ten steps of 25 ms; a busy machine draws each step
// late, so the wait allows for far more.
constexpr int kAnimationTimeoutMs = 5000;

const QColor kLightGreen(0xC8, 0xFF, 0xB0);
const QColor kLightYellow(0xFF, 0xFF, 0xC1);
const QString kUpArrow = QString::fromUtf8("\u21E7");
const QString kEnvelope = QString::fromUtf8("\u2709");
const QString kCircle = QString::fromUtf8("\u25CB");

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = FindWidget<LogGridView>(program.main_window);
    ASSERT_NE(grid, nullptr);
  }
  QString Cell(int row, int col) { return grid->item(row, col)->text(); }
  QColor CellColour(int row, int col) { return grid->item(row, col)->background().color(); }
  std::string TimeNow() { return LongTimeText(program.clock, program.clock.Now()); }

  QtProgram program;
  LogGridView* grid = nullptr;
};

TEST_F(MainWindow, LogLineShowsItsMarkColourAndTime) {
  const QString before = ToQString(TimeNow());
  program.form.AddStringToLog(ltUp, "Сигнал вверх", false);
  const QString after = ToQString(TimeNow());

  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(Cell(0, kMark), kUpArrow);
  EXPECT_EQ(CellColour(0, kMark), kLightGreen);
  EXPECT_EQ(Cell(0, kText).trimmed(), QStringLiteral("Сигнал вверх"));
  const QString time = Cell(0, kTime);
  EXPECT_FALSE(time.isEmpty());
  EXPECT_TRUE(time == before || time == after) << ToStdString(time);
}

TEST_F(MainWindow, TimeOfATwelveHourLocaleFitsItsColumn) {
  ui::Grid& log = program.form.event_log.gwLog;
  log.SetCell(kTime, log.AppendRow(), "12:05:33 PM");
  const QFontMetrics metrics(grid->item(0, kTime)->font());
  EXPECT_GT(grid->columnWidth(kTime), metrics.horizontalAdvance(QStringLiteral("12:05:33 PM")));
}

TEST_F(MainWindow, PendingBetAndItsResultShareOneRow) {
  program.form.AddStringToLog(ltBetPending, "Ставка принята", false);
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(Cell(0, kMark), kEnvelope);
  EXPECT_EQ(CellColour(0, kMark), kLightYellow);

  program.form.AddStringToLog(ltWin, "Ставка выиграна", false);
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(Cell(0, kMark), kCircle);
  EXPECT_EQ(CellColour(0, kMark), kLightGreen);
  EXPECT_EQ(CellColour(0, kTime), kLightGreen);
  EXPECT_EQ(Cell(0, kText).trimmed(), QStringLiteral("Ставка выиграна"));
}

TEST_F(MainWindow, ExportWritesTheLinesInCodePage1251) {
  program.form.AddStringToLog(ltUp, "Вверх EURUSD", false);
  program.form.AddStringToLog(ltError, "Ошибка", false);
  ASSERT_EQ(grid->rowCount(), 2);
  program.dialogs.save_file_name = (program.dir.Path() / "journal").string();

  program.form.miSaveLogAsTextClick();

  ASSERT_EQ(program.dialogs.save_requests.size(), 1u);
  // The time, padded to 9 characters, the type's mark and the text.
  auto time_column = [&](int row) {
    return ToStdString(Cell(row, kTime).leftJustified(8) + QLatin1Char(' '));
  };
  const std::string expected = time_column(0) + "> \xC2\xE2\xE5\xF0\xF5 EURUSD\r\n" +  //
                               time_column(1) + "! \xCE\xF8\xE8\xE1\xEA\xE0\r\n";
  EXPECT_EQ(program.dir.ReadFile("journal.txt"), expected);
}

TEST_F(MainWindow, ExpandStripUnfoldsAndFoldsTheBrowserPanel) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.main_window));
  ExpandStrip* strip = FindWidget<ExpandStrip>(program.main_window);
  ASSERT_NE(strip, nullptr);
  const int folded = program.main_window.width();
  const int unfolded = folded + program.form.BrowserPanelWidth;

  QTest::mouseClick(strip, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return program.main_window.width() == unfolded; }, kAnimationTimeoutMs))
      << "width " << program.main_window.width() << ", expected " << unfolded;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !program.form.tmFormAnimate.Enabled(); }, kAnimationTimeoutMs));
  EXPECT_EQ(program.form.pnExpand.Caption(), "3");

  QTest::mouseClick(strip, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return program.main_window.width() == folded; }, kAnimationTimeoutMs))
      << "width " << program.main_window.width() << ", expected " << folded;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !program.form.tmFormAnimate.Enabled(); }, kAnimationTimeoutMs));
  EXPECT_EQ(program.form.pnExpand.Caption(), "4");
}

}  // namespace
}  // namespace vantrope::testing

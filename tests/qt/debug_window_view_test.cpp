// The debug window's log view: the memo's lines, kept in step one line at a
// time, on a dark read-only page that stays at its last line. The window on
// the real program: its pages show the models' controls, and the user's
// input reaches the window's handlers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include "app/qt/data_grid_view.h"
#include "app/qt/logo_view.h"
#include "app/qt/memo_view.h"
#include "app/qt/picture_view.h"
#include "app/qt/qt_text.h"
#include "qt_program.h"
#include "widget_search.h"

namespace vantrope::testing {
namespace {

QString Joined(const ui::Memo& memo) {
  QStringList lines;
  for (const std::string& line : memo.Lines()) lines << ToQString(line);
  return lines.join(QLatin1Char('\n'));
}

class LogView : public ::testing::Test {
 protected:
  LogView() : view(memo, nullptr) {
    view.resize(400, 200);
    view.show();
  }

  bool AtLastLine() const {
    const QScrollBar& bar = *view.verticalScrollBar();
    return bar.maximum() > 0 && bar.value() == bar.maximum();
  }

  ui::Memo memo;
  MemoView view;
};

TEST_F(LogView, ShowsTheLinesOnADarkReadOnlyPageWithoutWrapping) {
  EXPECT_TRUE(view.isReadOnly());
  EXPECT_EQ(view.lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_LT(view.palette().color(QPalette::Base).lightness(), 64);
  EXPECT_GT(view.palette().color(QPalette::Text).lightness(), 192);
}

TEST_F(LogView, FollowsLinesAddedAtTheEndAndTakenFromTheFront) {
  for (int i = 0; i < 300; ++i) memo.Append("line " + std::to_string(i));
  EXPECT_EQ(view.toPlainText(), Joined(memo));
  EXPECT_EQ(view.blockCount(), 300);
  EXPECT_TRUE(AtLastLine());

  for (int i = 0; i < 5; ++i) memo.DeleteFirst();
  memo.Append("after the front went");
  EXPECT_EQ(view.toPlainText(), Joined(memo));
  EXPECT_EQ(view.blockCount(), 296);
  EXPECT_TRUE(AtLastLine());
}

TEST_F(LogView, LineWithBreaksStaysOneLineOfTheModel) {
  memo.Append("first");
  memo.Append("two\nparts");
  memo.Append("third");
  EXPECT_EQ(view.blockCount(), 3);
  memo.DeleteFirst();
  memo.DeleteFirst();
  EXPECT_EQ(view.toPlainText(), QStringLiteral("third"));
}

TEST_F(LogView, EmptiesWithTheModel) {
  memo.Append("only");
  memo.DeleteFirst();
  EXPECT_EQ(view.toPlainText(), QString());
  memo.Append("again");
  EXPECT_EQ(view.toPlainText(), QStringLiteral("again"));
}

// A new line is added to what is shown, not shown anew: what the user has
// selected stays selected.
TEST_F(LogView, NewLineKeepsTheUsersSelection) {
  for (int i = 0; i < 10; ++i) memo.Append("line " + std::to_string(i));
  QTextCursor selection = view.textCursor();
  selection.setPosition(0);
  selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  view.setTextCursor(selection);
  ASSERT_EQ(view.textCursor().selectedText(), QStringLiteral("line 0"));

  memo.Append("line 10");
  EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("line 0"));
}

// A radio button or check box takes a click on its indicator.
void ClickIndicator(QAbstractButton* button) {
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void TypeNumber(QDoubleSpinBox* editor, const char* number) {
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QString::fromLatin1(number));
  QTest::keyClick(editor, Qt::Key_Return);
}

// A double click as the mouse makes it: the second press comes as a double click.
void DoubleClick(QWidget* widget, QPoint at = {}) {
  ASSERT_NE(widget, nullptr);
  QTest::mousePress(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

void DoubleClickCell(QTableWidget& grid, int row, int col) {
  DoubleClick(grid.viewport(), grid.visualItemRect(grid.item(row, col)).center());
}

// Opens a grid's pop-up menu as a right click does and reads its entries
// (caption, enabled); the menu is closed again unchosen.
QMap<QString, bool> PopUpEntries(QAbstractScrollArea& grid) {
  QMap<QString, bool> entries;
  QTimer watch;
  watch.setInterval(10);
  QObject::connect(&watch, &QTimer::timeout, [&entries] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions()) entries[action->text()] = action->isEnabled();
    menu->close();
  });
  watch.start();
  const QPoint at = grid.viewport()->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
  QApplication::sendEvent(grid.viewport(), &event);
  return entries;
}

// The debug window of the real program, opened from the main window's logo.
class DebugWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.main_window));
    logo = FindWidget<LogoView>(program.main_window);
    ASSERT_NE(logo, nullptr);
    DoubleClick(logo);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.debug_window));
    pages = FindWidget<QTabWidget>(program.debug_window);
    ASSERT_NE(pages, nullptr);
  }

  TfmDebug& debug() { return program.form.fmDebug; }

  // Shows a page as the user does, by its tab.
  void ShowPage(int page) {
    QTabBar* bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    ASSERT_EQ(debug().pcDebug.ActivePageIndex(), page);
  }

  QGroupBox& GroupOf(const ui::Control& model) {
    auto* group = FindWidget<QGroupBox>(program.debug_window, ToQString(model.Caption()));
    EXPECT_NE(group, nullptr) << model.Caption();
    return group ? *group : *FindWidget<QGroupBox>(program.debug_window);
  }

  DataGridView* GridWithColumns(int columns) {
    for (DataGridView* grid : FindWidgets<DataGridView>(program.debug_window))
      if (grid->columnCount() == columns) return grid;
    return nullptr;
  }

  QtProgram program;
  LogoView* logo = nullptr;
  QTabWidget* pages = nullptr;
};

TEST_F(DebugWindow, PagesShowEveryControlOfTheModel) {
  EXPECT_EQ(program.debug_window.windowTitle(), QStringLiteral("Данные отладки"));
  const QStringList captions = {QStringLiteral("Контроль ALPARI"), QStringLiteral("HTML-декомпилятор"),
                                QStringLiteral("Протокол событий и сообщений"),
                                QStringLiteral("Протокол опознания WEB-страницы")};
  ASSERT_EQ(pages->count(), captions.size());
  for (int page = 0; page < pages->count(); ++page) EXPECT_EQ(pages->tabText(page), captions[page]);
  debug().pcDebug.SetPageCaption(1, "Разбор страницы");
  EXPECT_EQ(pages->tabText(1), QStringLiteral("Разбор страницы"));

  // What the program writes into the read-only fields shows in them.
  TerminalView& terminal = debug().terminal;
  RobotDebugGroup& robot = debug().robot_debug;
  std::vector<ui::Label*> values = {&terminal.stTermName,   &terminal.stTermHandle, &terminal.stTermValute,
                                    &terminal.stTermPosX,   &terminal.stTermPosY,   &terminal.stTermWidth,
                                    &terminal.stTermHeight, &terminal.stSnapTime};
  for (ui::Label& state : robot.stState) values.push_back(&state);
  for (size_t i = 0; i < values.size(); ++i) values[i]->SetCaption("value " + std::to_string(i));
  terminal.lbArrowUpFound.SetCaption(" - найдена");

  // Each control's caption is shown by a widget of its own.
  TerminalCaptions& names = debug().captions;
  std::vector<const ui::Control*> controls = {&names.gbTerminalControl,
                                              &names.lbName,
                                              &names.lbHandle,
                                              &names.lbValute,
                                              &names.lbPosX,
                                              &names.lbPosY,
                                              &names.lbWidth,
                                              &names.lbHeight,
                                              &names.gbTerminal,
                                              &names.pnSearchImages,
                                              &names.lbSnapTime,
                                              &terminal.lbArrowUpFound,
                                              &terminal.lbArrowDownFound,
                                              &debug().arrow_simulator.gbSimulator,
                                              &debug().manual_bet.gbSiteControl,
                                              &debug().manual_bet.lbStake,
                                              &debug().manual_bet.btBetUp,
                                              &debug().manual_bet.btBetDown,
                                              &debug().site_simulator.gbWebSim,
                                              &debug().site_simulator.Button9,
                                              &debug().site_simulator.Button5,
                                              &debug().site_simulator.CheckBox1,
                                              &robot.gbRobotDebug,
                                              &robot.btCallRobot,
                                              &robot.btSiteUpdated,
                                              &robot.Button11};
  for (ArrowButtons* arrows : {&debug().arrow_simulator.arrows, &robot.arrows})
    controls.insert(controls.end(), {&arrows->btArrowUp, &arrows->btArrowDown});
  for (SiteStateButtons* states : {&debug().site_simulator.states, &robot.states})
    for (const ui::RadioButton& state : states->rbState) controls.push_back(&state);
  controls.insert(controls.end(), values.begin(), values.end());
  QStringList buttons = ShownTexts<QAbstractButton>(program.debug_window);
  QStringList texts = ShownTexts<QLabel>(program.debug_window) + ShownTexts<QGroupBox>(program.debug_window);
  for (const ui::Control* control : controls) {
    const bool button = dynamic_cast<const ui::Button*>(control) || dynamic_cast<const ui::RadioButton*>(control) ||
                        dynamic_cast<const ui::CheckBox*>(control);
    EXPECT_TRUE((button ? buttons : texts).removeOne(ToQString(control->Caption()))) << control->Caption();
  }
  for (const char* name : kRobotStateNames) EXPECT_TRUE(texts.removeOne(QString::fromLatin1(name))) << name;

  auto* up = FindWidget<QPushButton>(GroupOf(debug().arrow_simulator.gbSimulator), QStringLiteral("⇧"));
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->toolTip(), ToQString(debug().arrow_simulator.arrows.btArrowUp.Hint()));

  // A found arrow's label turns red.
  terminal.lbArrowUpFound.SetFontColor(ui::Rgb(255, 0, 0));
  auto* found = FindWidget<QLabel>(program.debug_window, QStringLiteral(" - найдена"));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->palette().color(QPalette::WindowText), QColor(255, 0, 0));

  // The captured strip, pixel for pixel, whole.
  Bitmap strip;
  strip.Resize(TerminalState::SnapshotStripWidth, 40);
  strip.Fill(ui::Rgb(200, 30, 10));
  strip.SetPixel(127, 39, ui::Rgb(10, 220, 30));
  terminal.Image1.SetPicture(strip);
  auto* picture = FindWidget<PictureView>(program.debug_window);
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->width(), TerminalState::SnapshotStripWidth);
  const QImage shot = picture->grab().toImage();
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(200, 30, 10));
  EXPECT_EQ(shot.pixelColor(127, 39), QColor(10, 220, 30));

  // The robot-debugging group is there while its model says so.
  QGroupBox& robot_group = GroupOf(robot.gbRobotDebug);
  EXPECT_TRUE(robot_group.isHidden());
  robot.gbRobotDebug.SetVisible(true);
  EXPECT_FALSE(robot_group.isHidden());

  // The log page shows the debug log.
  program.form.AddStringToLog(ltInfo, "Проверка протокола", false);
  const ui::Memo& log = debug().mmLog;
  ASSERT_FALSE(log.Lines().empty());
  EXPECT_TRUE(ToQString(log.Lines().back()).endsWith(QStringLiteral("> Проверка протокола")));
  bool log_shown = false;
  for (MemoView* memo : FindWidgets<MemoView>(program.debug_window))
    log_shown = log_shown || memo->toPlainText() == Joined(log);
  EXPECT_TRUE(log_shown);
}

TEST_F(DebugWindow, InputReachesTheWindowsHandlers) {
  // The up arrow raises a signal upwards.
  QTest::mouseClick(FindWidget<QPushButton>(GroupOf(debug().arrow_simulator.gbSimulator), QStringLiteral("⇧")),
                    Qt::LeftButton);
  EXPECT_TRUE(program.form.EVENT.NewSignal);
  EXPECT_EQ(program.form.EVENT.Direction, drUp);

  // A bet won with the amount beside it adds the amount to the balance, and
  // the main window's win shows in green; the won state clicked again is no
  // second win.
  QGroupBox& site = GroupOf(debug().site_simulator.gbWebSim);
  auto* amount = FindWidget<QDoubleSpinBox>(site);
  TypeNumber(amount, "5");
  EXPECT_EQ(debug().site_simulator.NumericEditor1.Value(), 5);
  const double balance = program.form.page.CurrentBalance;
  auto* won = FindWidget<QRadioButton>(site, QStringLiteral("6 ставка выиграна:"));
  ClickIndicator(won);
  EXPECT_EQ(program.form.page.CurrentBalance, balance + 5);
  EXPECT_TRUE(won->isChecked());
  EXPECT_FALSE(FindWidget<QRadioButton>(site, QStringLiteral("0 сайт к ставкам не готов"))->isChecked());
  EXPECT_EQ(amount->value(), 0);
  int green_editors = 0;
  for (QDoubleSpinBox* editor : FindWidgets<QDoubleSpinBox>(program.main_window))
    if (editor->palette().color(QPalette::Text) == QColor(0, 128, 0)) {
      ++green_editors;
      EXPECT_EQ(editor->value(), program.form.account.neWinBalanse.Value());
    }
  EXPECT_EQ(green_editors, 1);
  TypeNumber(amount, "5");
  ClickIndicator(won);
  EXPECT_EQ(program.form.page.CurrentBalance, balance + 5);
  EXPECT_EQ(debug().site_simulator.NumericEditor1.Value(), 5);

  ClickIndicator(FindWidget<QCheckBox>(site, ToQString(debug().site_simulator.CheckBox1.Caption())));
  EXPECT_TRUE(program.form.page.SimulatorEnabled);

  // The robot-debugging amount passes to the site simulator's when the
  // editor is left.
  debug().robot_debug.gbRobotDebug.SetVisible(true);
  ShowPage(TfmDebug::kLogPage);
  program.debug_window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&program.debug_window));
  auto* top_up = FindWidget<QDoubleSpinBox>(GroupOf(debug().robot_debug.gbRobotDebug));
  ASSERT_NE(top_up, nullptr);
  top_up->setFocus();
  top_up->selectAll();
  QTest::keyClicks(top_up, QStringLiteral("7"));
  EXPECT_EQ(debug().site_simulator.NumericEditor1.Value(), 5);
  QTest::keyClick(top_up, Qt::Key_Tab);
  EXPECT_FALSE(top_up->hasFocus());
  EXPECT_EQ(debug().site_simulator.NumericEditor1.Value(), 7);

  // The parse grid's row entry can be chosen while a row is selected.
  ShowPage(TfmDebug::kParserPage);
  ui::Grid& fields = debug().parser.gwWebParser;
  for (int row = 0; row < 2; ++row) fields.SetCell(0, fields.AppendRow(), std::to_string(row));
  DataGridView* field_grid = GridWithColumns(fields.ColCount());
  ASSERT_NE(field_grid, nullptr);
  const QString copy_row = ToQString(debug().parser.miCopyRow.Caption());
  const QString copy_all = ToQString(debug().parser.miCopyAll.Caption());
  QMap<QString, bool> entries = PopUpEntries(*field_grid);
  EXPECT_EQ(entries.value(copy_row, true), false);
  EXPECT_EQ(entries.value(copy_all, false), true);
  QTest::mouseClick(field_grid->viewport(), Qt::LeftButton, {},
                    field_grid->visualItemRect(field_grid->item(1, 1)).center());
  EXPECT_EQ(fields.SelectedRow(), 1);
  entries = PopUpEntries(*field_grid);
  EXPECT_EQ(entries.value(copy_row, false), true);
  fields.SetSelectedRow(-1);
  EXPECT_TRUE(field_grid->selectedItems().isEmpty());

  // The control grid: the value typed into Fsubdata lands in the model, and
  // a double click tells its cell.
  ui::Grid& controls = debug().parser.gwDebug;
  const int row = controls.AppendRow();
  for (int col = 0; col < 8; ++col) controls.SetCell(col, row, "cell " + std::to_string(col));
  std::vector<std::pair<int, int>> double_clicks;
  controls.onDblClick = [&double_clicks, handler = controls.onDblClick](int col, int row) {
    double_clicks.emplace_back(col, row);
    handler(col, row);
  };
  DataGridView* control_grid = GridWithColumns(controls.ColCount());
  ASSERT_NE(control_grid, nullptr);
  EXPECT_TRUE(control_grid->isColumnHidden(8));
  DoubleClickCell(*control_grid, row, 7);
  EXPECT_EQ(control_grid->findChild<QLineEdit*>(), nullptr);
  DoubleClickCell(*control_grid, row, 5);
  auto* cell_editor = control_grid->findChild<QLineEdit*>();
  ASSERT_NE(cell_editor, nullptr);
  cell_editor->selectAll();
  QTest::keyClicks(cell_editor, QStringLiteral("EUR 10"));
  // The item view takes the typed value after the key, as an event of its own.
  QTest::keyClick(cell_editor, Qt::Key_Return);
  EXPECT_TRUE(QTest::qWaitFor([&] { return controls.Cell(5, row) == "EUR 10"; })) << controls.Cell(5, row);
  EXPECT_EQ(double_clicks, (std::vector<std::pair<int, int>>{{7, row}, {5, row}}));

  // A double click on the recognition protocol starts a traced recognition
  // anew.
  ShowPage(TfmDebug::kRecognitionPage);
  debug().parser.mmWebRecogLog.Append("an earlier recognition");
  MemoView* protocol = nullptr;
  for (MemoView* memo : FindWidgets<MemoView>(program.debug_window))
    if (memo->toPlainText() == QStringLiteral("an earlier recognition")) protocol = memo;
  ASSERT_NE(protocol, nullptr);
  EXPECT_EQ(protocol->toolTip(), ToQString(debug().parser.mmWebRecogLog.Hint()));
  DoubleClick(protocol->viewport());
  EXPECT_TRUE(debug().parser.mmWebRecogLog.Lines().empty());

  // The logo double-clicked again brings the open window to the front.
  program.main_window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&program.main_window));
  const int requests = debug().Form.FrontRequests();
  DoubleClick(logo);
  EXPECT_EQ(debug().Form.FrontRequests(), requests + 1);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&program.debug_window));
}

}  // namespace
}  // namespace vantrope::testing

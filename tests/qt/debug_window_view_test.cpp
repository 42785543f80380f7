// The debug window's log view: the memo's lines, kept in step one line at a
// time, on a dark read-only page that stays at its last line.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>

#include "app/qt/memo_view.h"
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

TEST(DebugWindowView, LogPageShowsTheDebugLog) {
  QtProgram program;
  program.form.imLogo.onDblClick();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.debug_window));
  auto* pages = FindWidget<QTabWidget>(program.debug_window);
  ASSERT_NE(pages, nullptr);
  ASSERT_EQ(pages->count(), 1);
  EXPECT_EQ(pages->tabText(0), QStringLiteral("Протокол событий и сообщений"));
  auto* log = dynamic_cast<MemoView*>(pages->widget(0));
  ASSERT_NE(log, nullptr);

  program.form.AddStringToLog(ltInfo, "Проверка протокола", false);
  const ui::Memo& memo = program.form.fmDebug.mmLog;
  ASSERT_FALSE(memo.Lines().empty());
  EXPECT_TRUE(QString::fromStdString(memo.Lines().back()).endsWith(QStringLiteral("> Проверка протокола")));
  EXPECT_EQ(log->toPlainText(), Joined(memo));
}

}  // namespace
}  // namespace vantrope::testing

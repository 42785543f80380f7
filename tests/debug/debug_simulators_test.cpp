// The debug window's handlers: the site simulator's money, the manual bet's
// request, the control grid's actions, the clipboard copy, the simulator
// switch and the traced recognition.
#include <gtest/gtest.h>

#include "site/cat_field.h"
#include "support/field_record.h"
#include "support/form_fixture.h"

namespace vantrope::testing {
namespace {

class DebugSimulatorsTest : public FormFixture {
 protected:
  DebugSimulatorsTest() {
    WriteSettings("[LangPack]\nTXT_105=Да\nTXT_204=Сайт не готов к ставкам.\n");
    Start();
  }
  TfmDebug &D() { return form->fmDebug; }
  void ClickState(int state) { D().site_simulator.states.rbState[state].onClick(); }
};

TEST_F(DebugSimulatorsTest, WonAndLostStatesMoveTheBalanceAndColourTheWinEditor) {
  form->robot.StartBalance = form->page.CurrentBalance = 100;
  D().site_simulator.NumericEditor1.SetValue(5);
  ClickState(ssBetWon);
  EXPECT_EQ(form->EVENT.BetStatus, ssBetWon);
  EXPECT_DOUBLE_EQ(form->page.CurrentBalance, 105);
  EXPECT_DOUBLE_EQ(form->account.neWinBalanse.Value(), 5);
  EXPECT_EQ(form->account.neWinBalanse.FontColor(), ui::Rgb(0, 128, 0));
  EXPECT_EQ(D().site_simulator.NumericEditor1.Value(), 0) << "the amount is used once";

  for (const auto &[amount, color] : {std::pair{5.0, ui::Rgb(0xC0, 0xC0, 0xC0)}, {2.5, ui::Rgb(255, 0, 0)}}) {
    D().site_simulator.NumericEditor1.SetValue(amount);
    ClickState(ssBetLost);
    EXPECT_EQ(form->account.neWinBalanse.FontColor(), color) << amount;
  }
  EXPECT_DOUBLE_EQ(form->page.CurrentBalance, 97.5);

  D().site_simulator.NumericEditor1.SetValue(5);
  ClickState(ssBetImpossible);
  EXPECT_DOUBLE_EQ(form->page.CurrentBalance, 97.5) << "other states leave the money alone";
  EXPECT_TRUE(D().robot_debug.states.rbState[ssBetImpossible].Checked()) << "both copies show the state";

  // The top-up: the amount joins the balance, which becomes the start balance.
  D().robot_debug.NumericEditor2.SetValue(50);
  D().robot_debug.NumericEditor2.onExit();
  EXPECT_EQ(D().site_simulator.NumericEditor1.Value(), 50);
  D().robot_debug.Button11.onClick();
  EXPECT_DOUBLE_EQ(form->robot.StartBalance, 147.5);
  EXPECT_DOUBLE_EQ(form->account.neStartBalanse.Value(), 147.5);
  EXPECT_EQ(D().robot_debug.NumericEditor2.Value(), 0);
}

TEST_F(DebugSimulatorsTest, ManualBetAsksOnlyWhenTheSiteIsReady) {
  D().manual_bet.btBetUp.onClick();
  ASSERT_EQ(fake.dialogs.shown.size(), 1u);
  EXPECT_EQ(fake.dialogs.shown[0].text, "Сайт не готов к ставкам.");
  EXPECT_EQ(fake.dialogs.shown[0].kind, DialogKind::Error);
  EXPECT_EQ(fake.dialogs.shown[0].captions, std::vector<std::string>{"Да"});
  EXPECT_EQ(form->robot.BetOnStatus, bsIdle);

  form->EVENT.BetStatus = ssReady;
  BetSelectors &s = D().site_control;
  s.cbeBetOnValutePair.SetItemIndex(7);  // "EUR/USD" in its sorted place
  s.cbeBetOnBetTimeCost.SetItemIndex(2);
  s.neBetOnBetPeriod.SetValue(44.5);
  s.neBetOnDebet.SetValue(2.5);
  D().manual_bet.btBetDown.onClick();
  EXPECT_EQ(form->robot.BetValute, "frxEURUSD");
  EXPECT_EQ(form->robot.BetPeriodUnit, "h");
  EXPECT_EQ(form->robot.BetPeriod, 44) << "halves to the even neighbour";
  EXPECT_EQ(form->robot.BetStake, 2);
  EXPECT_EQ(form->robot.BetDirection, drDown);
  EXPECT_EQ(form->robot.BetOnStatus, bsBetRequested);
}

TEST_F(DebugSimulatorsTest, ControlGridSetsOrPressesTheRecordOfItsRow) {
  // A record far down a long page, beyond what 8 bits hold.
  form->page.WebFields.assign(301, Record(kKindForm, "x", "x", "text", ""));
  form->page.WebFields[300] = Record(kKindForm, "amount", "amount", "text", "");
  fake.browser.navigations.push_back("http://127.0.0.1/d/trade.cgi");
  fake.browser.document = DomDocument{{DomForm{{{"amount", "amount", "text", "1"}}}}, {}, ""};
  ui::Grid &grid = D().parser.gwDebug;
  const int row = grid.AppendRow();
  grid.SetCell(5, row, " 25 ");
  grid.SetCell(8, row, "300");

  grid.onDblClick(5, row);
  grid.onDblClick(6, row);
  grid.onDblClick(7, row);
  fake.clock.Advance(5);
  ASSERT_EQ(fake.browser.action_batches.size(), 2u) << "columns before <EDIT> do nothing";
  EXPECT_EQ(fake.browser.action_batches[0].at(0).kind, DomAction::Kind::SetValue);
  EXPECT_EQ(fake.browser.action_batches[0].at(0).value, "25");
  EXPECT_EQ(fake.browser.action_batches[1].at(0).kind, DomAction::Kind::Click);
  EXPECT_EQ(fake.browser.action_batches[1].at(0).id, "amount");
}

TEST_F(DebugSimulatorsTest, ParsedFieldsGoToTheClipboardOneALineEndedByACarriageReturn) {
  form->page.WebFields = {Record(kKindForm, "a", "a", "text", ""), Record(kKindForm, "b", "b", "submit", ""),
                          Record(kKindForm, "c", "c", "text", "")};
  ui::Grid &grid = D().parser.gwWebParser;
  grid.AppendRow();
  grid.AppendRow();
  grid.onPopup();
  EXPECT_FALSE(D().parser.miCopyRow.Enabled()) << "no row selected";
  D().parser.miCopyRow.onClick();
  EXPECT_TRUE(fake.clipboard.text.empty());

  D().parser.miCopyAll.onClick();
  EXPECT_EQ(fake.clipboard.text,
            FieldDataToStr(form->page.WebFields[0]) + "\r" + FieldDataToStr(form->page.WebFields[1]) + "\r");
  EXPECT_EQ(fake.clipboard.locale, 1049u);

  grid.SetSelectedRow(1);
  grid.onPopup();
  EXPECT_TRUE(D().parser.miCopyRow.Enabled());
  D().parser.miCopyRow.onClick();
  EXPECT_EQ(fake.clipboard.text, FieldDataToStr(form->page.WebFields[1]));
}

TEST_F(DebugSimulatorsTest, SimulatorSwitchChangesTheFlagButNotTheWindowMadeWithoutIt) {
  EXPECT_FALSE(D().robot_debug.gbRobotDebug.Visible());
  D().site_simulator.CheckBox1.SetChecked(true);
  D().site_simulator.CheckBox1.onClick();
  EXPECT_TRUE(form->page.SimulatorEnabled);
  EXPECT_FALSE(D().robot_debug.gbRobotDebug.Visible());
  EXPECT_FALSE(fake.clock.IsArmed(form->tmRobotDebug));

  // A window made while the simulator is on has the group and its timer,
  // which steps the robot and shows its state twice a second.
  form = std::make_unique<TMainForm>(fake.platform);
  form->page.SimulatorEnabled = true;
  form->CreateWindows();
  EXPECT_TRUE(D().robot_debug.gbRobotDebug.Visible());
  EXPECT_TRUE(D().site_simulator.CheckBox1.Checked());
  form->robot.BetCount = 7;
  fake.clock.Advance(500);
  EXPECT_EQ(D().robot_debug.stState[7].Caption(), "7");
  EXPECT_EQ(D().robot_debug.stState[5].Caption(), "65535");
}

TEST_F(DebugSimulatorsTest, RecognitionTraceIsWrittenForOneParse) {
  fake.browser.navigations.push_back("http://127.0.0.1/d/trade.cgi");
  fake.browser.document = DomDocument{{}, {}, "<p>text</p>"};
  D().parser.mmWebRecogLog.Append("an older trace");
  D().parser.mmWebRecogLog.onDblClick();
  EXPECT_TRUE(D().parser.mmWebRecogLog.Lines().empty());
  EXPECT_TRUE(form->page.RecognitionLog) << "until the page has answered";
  fake.clock.Advance(5);
  EXPECT_FALSE(form->page.RecognitionLog);
  EXPECT_FALSE(D().parser.mmWebRecogLog.Lines().empty());
}

}  // namespace
}  // namespace vantrope::testing

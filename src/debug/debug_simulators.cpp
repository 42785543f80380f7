#include "debug/debug_simulators.h"

#include "event/event_changes.h"
#include "event/pair_table.h"
#include "site/cat_field.h"
#include "text/utf8.h"
#include "ui/money.h"

namespace vantrope {

namespace {

constexpr uint32_t kRussianLocale = 1049;

// The control grid's columns.
constexpr int kValueColumn = 5;
constexpr int kEditColumn = 6;
constexpr int kExecuteColumn = 7;
constexpr int kFieldIndexColumn = 8;

enum Text : int {
  txYes = 105,
  txAttention = 111,
  txUpSignal = 132,
  txDownSignal = 133,
  txSiteNotReady = 204,
};

}  // namespace

void DebugSimulators::FormCreate() { tmRobotDebug.SetEnabled(page.SimulatorEnabled); }

void DebugSimulators::TerminalArrowSim(int tag) {
  const bool up = tag == 0;
  RaiseSignal(EVENT, up ? drUp : drDown, clock.MonotonicMs());
  log.AddStringToLog(up ? ltUp : ltDown, texts.Text(up ? txUpSignal : txDownSignal), true);
  bets.SignalArrived();
}

void DebugSimulators::DebugManualBet(int tag) {
  if (EVENT.BetStatus != ssReady) {
    host.MyMessageDialog(texts.Text(txAttention), texts.Text(txSiteNotReady), {texts.Text(txYes)},
                         {DialogButton::Yes}, DialogKind::Error);
    return;
  }
  const BetSelectors& selectors = debug.site_control;
  const int pair = selectors.cbeBetOnValutePair.ItemIndex();
  robot.BetValute = kPairTable[pair >= 0 && pair < static_cast<int>(kPairTable.size()) ? pair : 0].code;
  const int unit = selectors.cbeBetOnBetTimeCost.ItemIndex();
  robot.BetPeriodUnit = unit == 1 ? "m" : unit == 2 ? "h" : "s";
  robot.BetPeriod = RoundHalfEvenTo<uint16_t>(selectors.neBetOnBetPeriod.Value());
  robot.BetStake = RoundHalfEvenTo<int32_t>(selectors.neBetOnDebet.Value());
  robot.BetDirection = tag == 1 ? drUp : drDown;
  // A bet by hand answers no signal.
  robot.BetSignalTime = 0;
  bets.RequestBet();
}

void DebugSimulators::WebSimClick(int tag) {
  ReportSite(EVENT, static_cast<TSiteState>(tag));
  // Both copies of the buttons show the state the site is in.
  for (SiteStateButtons* buttons : {&debug.site_simulator.states, &debug.robot_debug.states})
    for (ui::RadioButton& button : buttons->rbState) button.SetChecked(button.Tag() == tag);
  if (tag != ssBetWon && tag != ssBetLost) return;
  const double amount = debug.site_simulator.NumericEditor1.Value();
  page.CurrentBalance += tag == ssBetWon ? amount : -amount;
  debug.site_simulator.NumericEditor1.SetValue(0);
  debug.robot_debug.NumericEditor2.SetValue(0);
  ShowBalances();
}

void DebugSimulators::ShowBalances() {
  account.ShowBalances(
      {.start = robot.StartBalance, .current = page.CurrentBalance, .win = page.CurrentBalance - robot.StartBalance});
}

void DebugSimulators::Button9Click() {
  page.SiteDataUpdated = true;
  host.BetOnRobot();
}

void DebugSimulators::Button5Click() { page.SiteDataUpdated = true; }

void DebugSimulators::CheckBox1Click() { page.SimulatorEnabled = debug.site_simulator.CheckBox1.Checked(); }

void DebugSimulators::NumericEditor2Exit() {
  debug.site_simulator.NumericEditor1.SetValue(debug.robot_debug.NumericEditor2.Value());
}

void DebugSimulators::Button11Click() {
  page.CurrentBalance += debug.robot_debug.NumericEditor2.Value();
  robot.StartBalance = page.CurrentBalance;
  account.neStartBalanse.SetValue(robot.StartBalance);
  account.neCurrentBalanse.SetValue(page.CurrentBalance);
  debug.robot_debug.NumericEditor2.SetValue(0);
  debug.site_simulator.NumericEditor1.SetValue(0);
}

void DebugSimulators::tmRobotDebugTimer() {
  host.BetOnRobot();
  RobotDebugGroup& group = debug.robot_debug;
  if (!group.gbRobotDebug.Visible()) return;
  const unsigned values[] = {robot.RobotStatus,  robot.RobotSubStatus, robot.RobotPauseMode,
                             robot.RobotPauseType, EVENT.BetStatus,    robot.BetOnStatus,
                             page.PageIndex,     robot.BetCount,       robot.GameCount};
  for (size_t i = 0; i < group.stState.size(); ++i) group.stState[i].SetCaption(std::to_string(values[i]));
}

void DebugSimulators::gwDebugDblClick(int col, int row) {
  const ui::Grid& grid = debug.parser.gwDebug;
  if (col < kEditColumn || col > kExecuteColumn || row < 0 || row >= grid.RowCount()) return;
  // The whole index: the 8 bits the cell was once read as would act on
  // another record of a long page.
  const std::string& index_text = grid.Cell(kFieldIndexColumn, row);
  if (index_text.empty() || index_text.find_first_not_of("0123456789") != std::string::npos) return;
  const size_t field = std::stoul(index_text);
  PageActionBatch batch = page_actions.NewBatch();
  if (col == kEditColumn)
    batch.WebSetValue(field, Trim(grid.Cell(kValueColumn, row)));
  else
    batch.WebExecute(field);
  page_actions.Run(std::move(batch), [](const PageActionReport&) {});
}

void DebugSimulators::ppmParserGridPopup() {
  debug.parser.miCopyRow.SetEnabled(debug.parser.gwWebParser.SelectedRow() >= 0);
}

void DebugSimulators::miSaveParsedFieldClick(int tag) {
  const ui::Grid& grid = debug.parser.gwWebParser;
  const std::vector<TCatField>& fields = page.WebFields;
  if (tag == 0) {
    const int row = grid.SelectedRow();
    if (row >= 0 && static_cast<size_t>(row) < fields.size())
      clipboard.SetText(FieldDataToStr(fields[static_cast<size_t>(row)]), kRussianLocale);
    return;
  }
  if (grid.RowCount() == 0) return;
  // Each line ends with a carriage return alone, as the templates are pasted.
  std::string text;
  for (size_t i = 0; i < fields.size() && i < static_cast<size_t>(grid.RowCount()); ++i)
    text += FieldDataToStr(fields[i]) + "\r";
  clipboard.SetText(text, kRussianLocale);
}

void DebugSimulators::mmWebRecogLogDblClick() {
  debug.parser.mmWebRecogLog.Clear();
  page.RecognitionLog = true;
  // The encoder writes its trace while the flag is set: until the page answers.
  page_encoder.HtmlParser([this](bool) { page.RecognitionLog = false; });
}

}  // namespace vantrope

// A line of the event log with what it brings along: its copy in the debug
// log, the history record of a bet's result and its sound.
#include "app/main_form.h"
#include "log/history_file.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr int txDebugLogWriteFailed = 291;

}  // namespace

void TMainForm::AddStringToLog(uint8_t type, const std::string& text, bool sound) {
  if (!event_log.ShowLine(type, text)) return;
  if (DebugEnabled) AddStringToDebugLog(text);
  if (type == ltWin || type == ltLost) {
    try {
      AddHistoryRecord(type == ltWin ? 1 : 2);
    } catch (const std::exception& error) {
      // The record is lost and the step ends here, without the sound.
      platform.shell.ShowErrorReport(error.what());
      return;
    }
  }
  if (sound && !Mute && type >= ltInfo && type <= ltLost && Sounds[type] != nullptr)
    platform.sounds.Play(*Sounds[type]);
}

void TMainForm::AddStringToDebugLog(const std::string& text) {
  fmDebug.AddStringToDebugLog({robot.BetOnStatus, page.PageIndex, robot.RobotStatus, robot.RobotSubStatus}, text);
}

// The file is closed after the fault, so the error line's own copy for the
// debug log goes to the view alone and is not reported again.
void TMainForm::DebugLogFileFault(const std::string& error) {
  const std::string text = Trim(Txt(txDebugLogWriteFailed)) + " " + error;
  AddStringToLog(ltError, text, true);
  ShowStatusMessage(text);
}

void TMainForm::AddHistoryRecord(uint8_t result) {
  THistoryRecord record;
  record.Time = robot.BetPlacedTime;
  record.Account = Utf8Left(account.cbeLogin.Text(), 16);
  record.BalanceAtBet = robot.BalanceAtBet;
  record.BalanceAtResult = robot.BalanceAtResult;
  record.Currency = Utf8Left(page.CurrencyName, 3);
  record.Result = result;
  record.Pair = Utf8Left(robot.ChainValute, 9);
  record.Period = Utf8Left(std::to_string(robot.ChainPeriod) + Trim(robot.BetPeriodUnit), 6);
  record.Strategy = StrategyIndex();
  record.Stake = robot.ChainStake;
  record.Direction = robot.ChainDirection;
  record.Params = strategies.HistoryParams();
  AppendHistoryRecord(kHistoryFileName, record);
  results.RecordAdded(kHistoryFileName, record);
}

}  // namespace vantrope

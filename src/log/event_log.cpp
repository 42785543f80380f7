#include "log/event_log.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "log/log_marks.h"
#include "log/robot_log.h"
#include "text/cp1251.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr int kTimeCol = 0;
constexpr int kMarkCol = 1;
constexpr int kTextCol = 2;
constexpr int kTypeCol = 3;
constexpr uint8_t kRepeatGuardTicks = 5;
constexpr size_t kExportTimeWidth = 9;

int StoredType(const ui::Grid& grid, int row) {
  const std::string& cell = grid.Cell(kTypeCol, row);
  return cell.empty() ? 0 : std::stoi(cell);
}

// The row a line goes to: a pending row it closes, or -1 for a new row.
int TargetRow(const ui::Grid& grid, uint8_t type) {
  int target = -1;
  for (int row = 0; row < grid.RowCount(); ++row) {
    const int stored = StoredType(grid, row);
    if ((type == ltBetPending || type == ltPendingClosed) && stored > ltLost) target = row;
    if ((type == ltWin || type == ltLost) && stored == ltBetPending) target = row;
  }
  return target;
}

}  // namespace

bool EventLog::ShowLine(uint8_t type, const std::string& text) {
  const std::string trimmed = Trim(text);
  if (LogRepeatGuard > 0 && trimmed == LastLogText) return false;
  LastLogText = trimmed;
  LogRepeatGuard = kRepeatGuardTicks;

  int row = TargetRow(gwLog, type);
  if (row < 0) row = gwLog.AppendRow();
  const LogLineLook look = LookOfLogType(type);
  if (type != ltPlain) gwLog.SetCell(kMarkCol, row, look.mark);
  if (type == ltWin || type == ltLost) {
    // A result keeps the time at which its bet was confirmed.
    gwLog.SetCellColor(kTimeCol, row, look.color);
    gwLog.SetCellColor(kMarkCol, row, look.color);
  } else {
    gwLog.SetCell(kTimeCol, row, LongTimeText(clock_, clock_.Now()));
    gwLog.SetCellColor(kMarkCol, row, look.color);
  }
  gwLog.SetCell(kTextCol, row, "  " + text);
  gwLog.ScrollTo(gwLog.RowCount() - 1);
  gwLog.SetCell(kTypeCol, row, std::to_string(type == ltPendingClosed ? int{ltInfo} : int{type}));
  return true;
}

void EventLog::Clear() {
  LastLogText.clear();
  LogRepeatGuard = 0;
  gwLog.Clear();
}

void EventLog::ppmLogPopup() { miSaveLogAsText.SetVisible(gwLog.RowCount() > 0); }

void EventLog::miSaveLogAsTextClick(Dialogs& dialogs, Shell& shell) {
  std::optional<std::string> chosen = dialogs.AskSaveFileName(SaveDialog1.filter, SaveDialog1.title);
  if (!chosen || Trim(*chosen).empty()) return;
  // The dialog's default extension.
  if (std::filesystem::path(*chosen).extension().empty()) *chosen += ".txt";
  // The texts start in one column: after "14:05:33 ", or after the longest
  // time of a 12-hour locale ("12:05:33 PM ").
  size_t time_width = kExportTimeWidth;
  for (int row = 0; row < gwLog.RowCount(); ++row)
    time_width = std::max(time_width, Utf8Length(Trim(gwLog.Cell(kTimeCol, row))) + 1);
  std::ofstream out(*chosen, std::ios::binary | std::ios::trunc);
  for (int row = 0; row < gwLog.RowCount() && out; ++row) {
    const std::string line = Utf8PadRight(Trim(gwLog.Cell(kTimeCol, row)) + " ", time_width) +
                             ExportPrefixOfLogType(StoredType(gwLog, row)) + Trim(gwLog.Cell(kTextCol, row));
    out << Utf8ToCp1251(line) << "\r\n";
  }
  out.close();
  if (!out) shell.ShowErrorReport("Unable to write to " + *chosen);
}

}  // namespace vantrope

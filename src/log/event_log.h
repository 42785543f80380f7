// The event log grid: where each line goes and how it looks, the guard
// against a line repeated at once, and the export of the lines as text.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/clock.h"
#include "desktop/dialogs.h"
#include "desktop/shell.h"
#include "ui/controls.h"

namespace vantrope {

class EventLog {
 public:
  explicit EventLog(Clock& clock) : clock_(clock) {}

  // Shows the line: in a new row, or in the pending-bet row it closes.
  // False, showing nothing, when it repeats the previous line while the
  // repeat guard runs.
  bool ShowLine(uint8_t type, const std::string& text);
  // A tick of the visual-effects timer.
  void CountDownRepeatGuard() {
    if (LogRepeatGuard > 0) --LogRepeatGuard;
  }
  // No lines, no guard: the state at start-up.
  void Clear();
  // The grid's pop-up menu is about to open.
  void ppmLogPopup();
  // Asks for a file and writes every line to it, in code page 1251.
  void miSaveLogAsTextClick(Dialogs& dialogs, Shell& shell);

  ui::Grid gwLog{4};
  ui::MenuItem miSaveLogAsText;
  ui::MenuItem miHistory;
  ui::MenuItem miLab;
  ui::SaveDialog SaveDialog1;
  std::string LastLogText;
  uint8_t LogRepeatGuard = 0;

 private:
  Clock& clock_;
};

}  // namespace vantrope

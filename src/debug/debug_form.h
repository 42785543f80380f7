// The debug window. It exists from start-up on and stays hidden until asked for.
#pragma once

#include <cstdint>
#include <string>

#include "debug/debug_log_file.h"
#include "desktop/clock.h"
#include "desktop/shell.h"
#include "site/bet_selectors.h"
#include "site/parser_view.h"
#include "terminal/terminal_state.h"
#include "ui/controls.h"

namespace vantrope {

// The robot's state numbers that stamp every debug line.
struct DebugStamp {
  uint16_t BetOnStatus;
  uint8_t PageIndex;
  uint16_t RobotStatus;
  uint8_t RobotSubStatus;
};

struct WindowBounds {
  int top = 0;
  int left = 0;
  int width = 0;
  int height = 0;
};

class TfmDebug {
 public:
  static constexpr size_t kLogViewLines = 1000;
  static constexpr int kDesignWidth = 839;
  static constexpr int kDesignHeight = 748;
  static constexpr int kMinWidth = 550;
  static constexpr int kMinHeight = 468;

  TfmDebug(Clock& clock, Shell& shell) : clock_(clock), shell_(shell) { Form.SetVisible(false); }

  // Creation: takes the bounds kept in the settings.
  void FormCreate(const WindowBounds& bounds);
  // Closing hides the window and keeps its bounds for the settings file.
  void FormClose();
  void Show();

  const WindowBounds& StoredBounds() const { return stored_bounds_; }

  // The diagnostic line, stamped with the robot's state; an exact repeat of
  // the previous line is dropped.
  void AddStringToDebugLog(const DebugStamp& stamp, const std::string& text);

  ui::Window Form;
  ui::Memo mmLog;
  // The parsed page, its control slots and the recognition protocol.
  ParserView parser;
  // Site control: the pair and expiry of a manual bet.
  BetSelectors site_control;
  // The terminal as the seeker found it, and its captured strip.
  TerminalView terminal;
  DebugLogFile LogFile;
  std::string LastDebugLine;

 private:
  Clock& clock_;
  Shell& shell_;
  WindowBounds stored_bounds_;
};

}  // namespace vantrope

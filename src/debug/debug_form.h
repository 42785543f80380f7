// The debug window. It exists from start-up on and stays hidden until asked for.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "debug/debug_controls.h"
#include "debug/debug_log_file.h"
#include "desktop/clock.h"
#include "settings/lang_pack.h"
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

// The captions of the first page's terminal groups, relabelled on showing.
struct TerminalCaptions {
  ui::Label gbTerminalControl;  // " Контроль терминала ALPARI "
  ui::Label lbName, lbHandle, lbValute, lbPosX, lbPosY, lbWidth, lbHeight;
  ui::Label gbTerminal;      // "Терминал "
  ui::Label pnSearchImages;  // "Поисковые образы "
  ui::Label lbSnapTime;      // "Время последнего снимка экрана терминала:"
};

class TfmDebug {
 public:
  // The pages, in their order.
  enum Page { kTerminalPage, kParserPage, kLogPage, kRecognitionPage, kPageCount };

  static constexpr size_t kLogViewLines = 1000;
  static constexpr int kDesignWidth = 839;
  static constexpr int kDesignHeight = 748;
  static constexpr int kMinWidth = 550;
  static constexpr int kMinHeight = 468;

  explicit TfmDebug(Clock& clock);

  // Creation: takes the bounds kept in the settings; the robot-debugging
  // group is there only when the site simulator is on at this moment.
  void FormCreate(const WindowBounds& bounds, bool simulator_enabled);
  // Showing relabels the controls with the language pack's texts.
  void FormShow(const TLangPack& texts);
  // Closing hides the window and keeps its bounds for the settings file.
  void FormClose();
  // Shows the window, in front of the others when it is already open.
  void Show(const TLangPack& texts);

  const WindowBounds& StoredBounds() const { return stored_bounds_; }

  // The diagnostic line, stamped with the robot's state; an exact repeat of
  // the previous line is dropped.
  void AddStringToDebugLog(const DebugStamp& stamp, const std::string& text);
  // The log file could not be written and is closed; the error text. It may
  // come inside a step of the robot, where no modal box may open.
  std::function<void(const std::string& error)> onLogFileFault;

  ui::Window Form;
  ui::PageControl pcDebug{kPageCount};
  TerminalCaptions captions;
  ArrowSimulator arrow_simulator;
  ManualBetButtons manual_bet;
  SiteSimulator site_simulator;
  RobotDebugGroup robot_debug;
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
  WindowBounds stored_bounds_;
};

}  // namespace vantrope

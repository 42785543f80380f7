// The terminal as the seeker last found it, its captured strip and what the
// arrow search made of it, and the controls that show them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "desktop/window_system.h"
#include "event/robot_event.h"
#include "terminal/arrow_scanner.h"
#include "ui/bitmap.h"
#include "ui/controls.h"

namespace vantrope {

// SnapshotState: how far the last capture got.
enum TSnapshotState : uint8_t { snNone = 0, snCaptured = 1, snSearched = 2 };

// How far the seeker went with a terminal it finds minimised.
enum THiddenTerminal : uint8_t { htNone = 0, htRestored = 1, htReported = 2 };

struct TerminalState {
  struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
  };
  struct Period {
    uint16_t period = 0;
    std::string unit = " ";
    bool operator==(const Period&) const = default;
  };
  static constexpr uint16_t SnapshotStripWidth = 128;

  // --- settings ---
  bool TerminalControl = false;  // follows the check box
  bool AlpariHardUpdate = false;
  std::string TerminalPageName;  // window class of the trading terminal

  WindowHandle TerminalHandle = 0;
  Rect TerminalRect;
  std::string TerminalValute;
  TSnapshotState SnapshotState = snNone;
  double SnapshotTime = 0;
  Bitmap Snapshot;
  Period LastTerminalPeriod;
  THiddenTerminal HiddenTerminal = htNone;

  // The arrow templates: hidden images whose size comes from the settings,
  // and the stored pictures they show.
  ui::Image imUp, imDown;
  Bitmap imUpPicture, imDownPicture;
  ArrowScanner ArrowSearch;
  TArrowMatch ArrowUpMatch, ArrowDownMatch;
  // The strip the matches were found in: a chart that did not change since
  // the last pass is not searched again.
  Bitmap SearchedSnapshot;

  // When the newest arrow of a direction was first seen. Arrows move left a
  // bar at a time and new ones come at the newest bar: one left of where the
  // arrow was last seen, or at the same place less than a bar's time later,
  // is that arrow (also when searches in between did not find it, a window
  // lying over the chart); one further right, or at the same place after a
  // bar's time, is new.
  struct ArrowSighting {
    bool found = false;  // in the last search
    int32_t x = 0;
    // On the monotonic clock; 0: on the chart before the robot watched it.
    int64_t first_seen = 0;
    int64_t last_seen = 0;
  };
  ArrowSighting UpSighting, DownSighting;
  // When the last search was, on the monotonic clock, and whether the
  // terminal was out of sight since: an arrow that search did not see may
  // have come at any time while the terminal was away.
  int64_t LastSearchTime = 0;
  bool AwaySinceSearch = false;
  // The chart the sightings are of: its window, pair and timeframe. The
  // arrows of a chart's first capture were drawn at a time nobody knows.
  struct SightedChart {
    WindowHandle window = 0;
    std::string valute;
    Period period;
    bool operator==(const SightedChart&) const = default;
  };
  std::optional<SightedChart> Sighted;
  // The direction of the last program's last signal: its arrow may still
  // stand on the chart, and one of that direction is of an age nobody knows
  // until an arrow of the other direction comes.
  TDirection InheritedSignal = drNone;
  // The chart that arrow stood on (ChartKey): on any other, every arrow is
  // this program's. Empty where the journal did not tell it.
  std::string InheritedChart;
};

// A chart as the journal keeps the one a signal's arrow stood on.
inline std::string ChartKey(const std::string& valute, const TerminalState::Period& period) {
  return valute + " " + std::to_string(period.period) + period.unit;
}

// The main window's display of the chart's pair and timeframe.
struct ChartDisplay {
  ui::ComboBox cbeBetOnValutePair_;
  ui::TextEdit teBetOnBetPeriod_;
  ui::ComboBox cbeBetOnBetTimeCost_;
};

// The debug window's view of the terminal and its captured strip.
struct TerminalView {
  ui::Label stTermName, stTermHandle, stTermValute, stTermPosX, stTermPosY, stTermWidth, stTermHeight, stSnapTime;
  ui::PictureBox Image1;
  ui::Label lbArrowUpFound, lbArrowDownFound;
};

}  // namespace vantrope

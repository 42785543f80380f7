// The terminal seeker: once a second, find the trading terminal's window,
// read the chart's pair and timeframe from its caption, capture the strip
// along its right edge and search it for the indicator's arrows, raising
// their signals in the event record.
#pragma once

#include <cstdint>
#include <string>

#include "desktop/clock.h"
#include "desktop/shell.h"
#include "desktop/window_system.h"
#include "event/robot_event.h"
#include "log/robot_log.h"
#include "settings/lang_pack.h"
#include "terminal/terminal_state.h"
#include "ui/timer.h"

namespace vantrope {

struct TerminalSeeker {
  // What a pass tells the robot beyond the event record.
  class Events {
   public:
    // The chart's pair or timeframe changed.
    virtual void ChartChanged() = 0;
    // An arrow raised a new signal.
    virtual void SignalRaised() = 0;

   protected:
    ~Events() = default;
  };

  // One pass of the seeker's timer.
  void Seek();
  // The window's caption; empty for no window.
  std::string GetCaption(WindowHandle window);
  // The broker code of the caption's pair; takes over the chart's timeframe.
  std::string GetValuteFromWindowCaption(const std::string& caption);
  // Searches the captured strip for both arrows and raises their signals.
  void SearchImage();
  TArrowMatch FindObject(uint8_t width, uint8_t height) const { return terminal.ArrowSearch.FindObject(width, height); }

  TerminalState& terminal;
  TEvent& EVENT;
  ChartDisplay& chart;
  TerminalView& debug_view;
  WindowSystem& windows;
  Shell& shell;
  Clock& clock;
  RobotLog& log;
  const TLangPack& texts;
  ui::Timer& tmSeeker;
  Events& events;

 private:
  // The language pack's texts the seeker writes.
  enum Text : int {
    txArrowNotFound = 86,
    txTimeframeChanged = 130,
    txArrowFound = 131,
    txUpSignal = 132,
    txDownSignal = 133,
    txPairChangedFrom = 134,
    txPairChangedTo = 135,
    txTerminalHidden = 288,
  };

  void ShowNoTerminal();
  void RestoreMinimisedTerminal();
  void ShowTerminalPeriod();
  void MarkArrowOnTerminal();
  TArrowMatch SearchArrow(const Bitmap& picture, const ui::Image& image, ui::Color color, int component_shift);
  void ShowArrowLabel(ui::Label& label, const TArrowMatch& match);
  // When the arrows found were first seen.
  void NoteSightings();
};

}  // namespace vantrope

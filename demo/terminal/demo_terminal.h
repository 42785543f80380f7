// The terminal as a whole, without its window: the chart on its schedule
// (a new bar every timeframe, arrows every so often), the commands of the
// standard input, the caption and the window's picture.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "chart.h"
#include "chart_picture.h"
#include "terminal_clock.h"
#include "terminal_options.h"

namespace vantrope::demo::terminal {

class DemoTerminal {
 public:
  DemoTerminal(const TerminalOptions& options, TerminalClock& clock);

  // Adds the bars and scheduled arrows that have fallen due, in the order
  // they fell due; true when the chart changed.
  bool CatchUp();
  // Milliseconds until the next bar or scheduled arrow (0 if one is due).
  int64_t MsUntilNextEvent();

  struct LineResult {
    std::string reply;  // to print once the window shows the change; empty for a blank line
    bool changed = false;
    bool quit = false;
    // The alert box to open (true) or close (false).
    std::optional<bool> alert;
  };
  // One line of standard input, without its line end.
  LineResult HandleLine(std::string_view line);

  // The window's size, to place the arrows for; true when it changed.
  bool Resize(int width, int height);
  PixelBuffer Render() const;
  std::string Caption() const;
  // The chart's pair and timeframe as the chart's own corner shows them: "EURUSD,M1".
  std::string ChartName() const { return pair_ + "," + timeframe_.name; }
  const Chart& chart() const { return chart_; }

 private:
  int64_t Scaled(int64_t seconds) const;

  TerminalClock& clock_;
  Chart chart_;
  std::string pair_;
  Timeframe timeframe_;
  int time_scale_;
  int64_t signal_interval_ms_;  // 0: none
  std::mt19937 directions_;
  int64_t next_bar_ms_;
  int64_t next_signal_ms_;
  int width_;
  int height_;
};

}  // namespace vantrope::demo::terminal

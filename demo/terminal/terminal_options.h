// The demo terminal's command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "timeframe.h"

namespace vantrope::demo::terminal {

struct Geometry {
  int width = 800;
  int height = 600;
  int x = 0;
  int y = 0;
};

struct TerminalOptions {
  std::string window_class = "MetaQuotes::MetaTrader::4.00";
  std::string pair = "EURUSD";
  Timeframe timeframe{"M1", 60};
  int time_scale = 1;      // every real interval is this many times shorter
  int signal_seconds = 0;  // 0: arrows only on command
  uint32_t seed = 1;
  Geometry geometry;
  bool help = false;
};

// The options of `arguments` (without the program's name), or no value
// with `error` telling what is wrong.
std::optional<TerminalOptions> ParseTerminalOptions(const std::vector<std::string>& arguments, std::string& error);

extern const char* const kTerminalUsage;

// The options of the window programs' command line; no value when the
// program is to end at once with `exit_code`: after the usage asked for, or
// after an error and the usage, printed.
std::optional<TerminalOptions> CommandLineOptions(int argc, char** argv, int& exit_code);

}  // namespace vantrope::demo::terminal

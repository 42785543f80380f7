#include "terminal_options.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "caption.h"
#include "demo/command_line.h"
#include "chart_picture.h"

namespace vantrope::demo::terminal {

const char* const kTerminalUsage =
    "usage: vantrope-demo-terminal [--class NAME] [--pair EURUSD] [--timeframe M1] [--time-scale N]\n"
    "                              [--signals SECONDS] [--seed N] [--geometry WxH+X+Y]\n"
    "  --class NAME         window class (default MetaQuotes::MetaTrader::4.00)\n"
    "  --pair NAME          the chart's pair (default EURUSD)\n"
    "  --timeframe NAME     M1 M5 M15 M30 H1 H4 Daily W1 MN (default M1)\n"
    "  --time-scale N       every interval is N times shorter (default 1)\n"
    "  --signals SECONDS    an arrow of a random direction this often (scaled; default 0: on command only)\n"
    "  --seed N             seed of the prices and the arrows' directions (default 1)\n"
    "  --geometry WxH+X+Y   window size and position (default 800x600+0+0)\n"
    "Standard input: up, down, pair NAME, timeframe NAME, clear, quit; one a line.\n";

namespace {

bool ReadGeometry(const std::string& text, Geometry& geometry) {
  int width = 0, height = 0, x = 0, y = 0, used = 0;
  const bool sized = std::sscanf(text.c_str(), "%dx%d%n", &width, &height, &used) == 2;
  if (!sized) return false;
  if (text[used] != '\0') {
    const char* place = text.c_str() + used;
    int place_used = 0;
    if (*place != '+' || std::sscanf(place, "+%d+%d%n", &x, &y, &place_used) != 2 || place[place_used] != '\0')
      return false;
  }
  if (width < kMinPictureWidth || height < kMinPictureHeight || width > kMaxPictureSide || height > kMaxPictureSide)
    return false;
  geometry = {width, height, x, y};
  return true;
}

}  // namespace

std::optional<TerminalOptions> ParseTerminalOptions(const std::vector<std::string>& arguments, std::string& error) {
  TerminalOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      error = "unknown option or missing value: " + name;
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    long long number = 0;
    bool ok = true;
    if (name == "--class") {
      ok = !value.empty() && value.size() <= 255;
      options.window_class = value;
    } else if (name == "--pair") {
      ok = IsPairName(value);
      options.pair = value;
    } else if (name == "--timeframe") {
      const auto timeframe = FindTimeframe(value);
      ok = timeframe.has_value();
      if (ok) options.timeframe = *timeframe;
    } else if (name == "--time-scale") {
      ok = ReadNumber(value, 1, 1000000, number);
      options.time_scale = static_cast<int>(number);
    } else if (name == "--signals") {
      ok = ReadNumber(value, 0, 100000000, number);
      options.signal_seconds = static_cast<int>(number);
    } else if (name == "--seed") {
      ok = ReadNumber(value, 0, 4294967295LL, number);
      options.seed = static_cast<uint32_t>(number);
    } else if (name == "--geometry") {
      ok = ReadGeometry(value, options.geometry);
    } else {
      error = "unknown option: " + name;
      return std::nullopt;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  return options;
}

std::optional<TerminalOptions> CommandLineOptions(int argc, char** argv, int& exit_code) {
  std::string error;
  std::optional<TerminalOptions> options = ParseTerminalOptions({argv + 1, argv + argc}, error);
  if (!options) {
    std::cerr << "vantrope-demo-terminal: " << error << "\n" << kTerminalUsage;
    exit_code = 2;
    return std::nullopt;
  }
  if (options->help) {
    std::cout << kTerminalUsage;
    exit_code = 0;
    return std::nullopt;
  }
  return options;
}

}  // namespace vantrope::demo::terminal

// The commands the terminal takes on its standard input, one a line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrope::demo::terminal {

struct Command {
  enum class Kind { kUp, kDown, kPair, kTimeframe, kClear, kAlert, kDismiss, kQuit };
  Kind kind = Kind::kClear;
  std::string argument;  // the pair, or the timeframe's caption name

  bool operator==(const Command&) const = default;
};

// The command on `line` (words separated by blanks, blanks around ignored),
// or no value for anything else.
std::optional<Command> ParseCommand(std::string_view line);

// The command as it is echoed back: "up", "pair GBPUSD", "timeframe Daily".
std::string CommandText(const Command& command);

}  // namespace vantrope::demo::terminal

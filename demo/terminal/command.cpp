#include "command.h"

#include <vector>

#include "caption.h"
#include "timeframe.h"

namespace vantrope::demo::terminal {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t start = line.find_first_not_of(" \t\r", at);
    if (start == std::string_view::npos) break;
    size_t end = line.find_first_of(" \t\r", start);
    if (end == std::string_view::npos) end = line.size();
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

}  // namespace

std::optional<Command> ParseCommand(std::string_view line) {
  const std::vector<std::string_view> words = Words(line);
  if (words.size() == 1) {
    if (words[0] == "up") return Command{Command::Kind::kUp, {}};
    if (words[0] == "down") return Command{Command::Kind::kDown, {}};
    if (words[0] == "clear") return Command{Command::Kind::kClear, {}};
    if (words[0] == "alert") return Command{Command::Kind::kAlert, {}};
    if (words[0] == "dismiss") return Command{Command::Kind::kDismiss, {}};
    if (words[0] == "quit") return Command{Command::Kind::kQuit, {}};
  } else if (words.size() == 2) {
    if (words[0] == "pair" && IsPairName(words[1])) return Command{Command::Kind::kPair, std::string(words[1])};
    if (words[0] == "timeframe")
      if (const auto timeframe = FindTimeframe(words[1])) return Command{Command::Kind::kTimeframe, timeframe->name};
  }
  return std::nullopt;
}

std::string CommandText(const Command& command) {
  switch (command.kind) {
    case Command::Kind::kUp:
      return "up";
    case Command::Kind::kDown:
      return "down";
    case Command::Kind::kPair:
      return "pair " + command.argument;
    case Command::Kind::kTimeframe:
      return "timeframe " + command.argument;
    case Command::Kind::kClear:
      return "clear";
    case Command::Kind::kAlert:
      return "alert";
    case Command::Kind::kDismiss:
      return "dismiss";
    case Command::Kind::kQuit:
      return "quit";
  }
  return {};
}

}  // namespace vantrope::demo::terminal

#include "terminal/caption_grammar.h"

#include <array>
#include <vector>

#include "text/utf8.h"

namespace vantrope {
namespace {

// A window caption may be as long as any text, but the pair's timeframe
// stands close behind its separator.
constexpr size_t kTimeframeReach = 250;

std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t at = 0; at < text.size();) {
    const size_t bytes = Utf8CharBytes(std::string_view(text).substr(at));
    characters.push_back(text.substr(at, bytes));
    at += bytes;
  }
  return characters;
}

// Codes from "A" up: letters of either case, "[", "]", "_" and every
// character beyond ASCII.
bool InPairRun(const std::string& character) { return static_cast<unsigned char>(character[0]) >= 'A'; }

std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string Join(const std::vector<std::string>& characters, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to && i < characters.size(); ++i) text += characters[i];
  return text;
}

}  // namespace

TerminalCaption ParseTerminalCaption(const std::string& caption) {
  TerminalCaption result;
  const std::vector<std::string> characters = Characters(caption);
  size_t at = 0;
  while (at < characters.size() && characters[at] != "[") ++at;
  if (at == characters.size()) return result;

  // The run never takes the caption's last character.
  const size_t run_start = ++at;
  while (at + 1 < characters.size() && InPairRun(characters[at])) ++at;
  result.pair_run = Join(characters, run_start, at);

  const size_t timeframe_start = at + 1;  // past the separator
  const size_t reach_end = std::min(characters.size(), timeframe_start + kTimeframeReach);
  for (size_t i = timeframe_start; i < reach_end; ++i)
    if (characters[i] == "]") {
      result.timeframe = AsciiUpper(Join(characters, timeframe_start, i));
      break;
    }
  return result;
}

std::optional<TerminalPeriod> PeriodOfTimeframe(const std::string& timeframe) {
  struct Row {
    const char* text;
    uint16_t period;
    const char* unit;
  };
  static constexpr std::array<Row, 7> kTable = {{{"M1", 1, "m"},
                                                 {"M5", 5, "m"},
                                                 {"M15", 15, "m"},
                                                 {"M30", 30, "m"},
                                                 {"H1", 1, "h"},
                                                 {"H4", 4, "h"},
                                                 {"DAILY", 1, "d"}}};
  for (const Row& row : kTable)
    if (timeframe == row.text) return TerminalPeriod{row.period, row.unit};
  return std::nullopt;
}

std::string InstrumentCodeOfPairRun(const std::string& pair_run) { return "frx" + Utf8Left(pair_run, 6); }

std::string PairDisplayName(const std::string& code) {
  const std::vector<std::string> characters = Characters(code);
  return Join(characters, 3, 6) + "/" + Join(characters, 6, 9);
}

}  // namespace vantrope

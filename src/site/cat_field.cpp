#include "site/cat_field.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr size_t kShortestLine = 12;
constexpr size_t kLineLimit = 248;

// The text of the remaining line from its second character up to the next
// ">" (the first character stands for the "<"), and the line after that ">".
bool TakeBracketed(std::string_view& rest, std::string& text) {
  const size_t close = rest.find('>');
  if (close == std::string_view::npos) return false;
  // A ">" is never part of a longer character, so the skip stops at it.
  const size_t skip = std::min(Utf8CharBytes(rest), close);
  text = std::string(rest.substr(skip, close - skip));
  rest.remove_prefix(close + 1);
  return true;
}

uint8_t DigitOrZero(std::string_view character) {
  return character.size() == 1 && character[0] >= '0' && character[0] <= '9'
             ? static_cast<uint8_t>(character[0] - '0')
             : 0;
}

}  // namespace

std::string KindName(uint8_t kind) {
  static constexpr const char* kNames[] = {"FORM", "LINK", "TEXT", "TABLE", "TAB_HEADER", "DIV"};
  if (kind < std::size(kNames)) return kNames[kind];
  std::string name = "<";
  name += std::to_string(kind);
  name += '>';
  return name;
}

int32_t IntegerOrZero(std::string_view text) {
  // from_chars takes a minus but not a plus.
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return value;
}

void SrtToFieldData(std::string_view line, TCatField& field) {
  if (Utf8Length(line) < kShortestLine) return;
  const size_t open = line.find('<');
  if (open == std::string_view::npos) return;

  // A page number wider than a byte keeps its low byte, as a byte field does.
  field.PageNo = static_cast<uint8_t>(IntegerOrZero(Utf8Left(Trim(line), 2)));

  std::string_view rest = line.substr(open);
  const size_t close = rest.find('>');
  if (close == std::string_view::npos) return;
  std::string_view modes = rest.substr(1);  // the five characters after the "<", ">" or not
  for (uint8_t& mode : field.MatchModes) {
    const size_t bytes = Utf8CharBytes(modes);
    mode = DigitOrZero(modes.substr(0, bytes));
    modes.remove_prefix(bytes);
  }
  rest.remove_prefix(close + 1);

  std::string kind;
  if (!TakeBracketed(rest, kind)) return;
  field.Kind = static_cast<uint8_t>(IntegerOrZero(kind));
  if (!TakeBracketed(rest, field.ID)) return;
  if (!TakeBracketed(rest, field.Ftype)) return;
  if (!TakeBracketed(rest, field.Ftext)) return;
  TakeBracketed(rest, field.Fsubdata);
}

std::string FieldDataToStr(const TCatField& field) {
  std::string line = "00<";
  for (const uint8_t mode : field.MatchModes) line += std::to_string(mode);
  line += '>';
  const auto bracket = [&line](std::string_view text) {
    line += '<';
    line += text;
    line += '>';
  };
  bracket(std::to_string(field.Kind));
  bracket(Trim(field.ID));
  bracket(Trim(field.Ftype));
  bracket(Trim(field.Ftext));
  const size_t length = Utf8Length(line);
  const size_t room = length < kLineLimit ? kLineLimit - length : 0;
  bracket(Utf8Left(Trim(field.Fsubdata), room));
  return line;
}

}  // namespace vantrope

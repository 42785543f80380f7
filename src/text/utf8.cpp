#include "text/utf8.h"

namespace vantrope {

namespace {

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

}  // namespace

size_t Utf8CharBytes(std::string_view text) {
  if (text.empty()) return 0;
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return 1;

  // The allowed range of the second byte excludes overlong forms,
  // surrogates and code points above U+10FFFF.
  size_t length = 0;
  unsigned char second_low = 0x80;
  unsigned char second_high = 0xBF;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) second_low = 0xA0;
    if (lead == 0xED) second_high = 0x9F;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) second_low = 0x90;
    if (lead == 0xF4) second_high = 0x8F;
  } else {
    return 1;
  }
  if (text.size() < length) return 1;
  if (!InRange(static_cast<unsigned char>(text[1]), second_low, second_high)) return 1;
  for (size_t i = 2; i < length; ++i) {
    if (!InRange(static_cast<unsigned char>(text[i]), 0x80, 0xBF)) return 1;
  }
  return length;
}

size_t Utf8Length(std::string_view text) {
  size_t chars = 0;
  while (!text.empty()) {
    text.remove_prefix(Utf8CharBytes(text));
    ++chars;
  }
  return chars;
}

std::string Utf8Left(std::string_view text, size_t chars) {
  size_t bytes = 0;
  for (; chars > 0 && bytes < text.size(); --chars) {
    bytes += Utf8CharBytes(text.substr(bytes));
  }
  return std::string(text.substr(0, bytes));
}

std::string Utf8PadRight(std::string_view text, size_t chars, char fill) {
  std::string padded(text);
  const size_t length = Utf8Length(text);
  if (length < chars) padded.append(chars - length, fill);
  return padded;
}

std::string Trim(std::string_view text) {
  // Every byte of a multi-byte UTF-8 character is 0x80 or above, so a
  // byte-wise cut never splits a character.
  const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace vantrope

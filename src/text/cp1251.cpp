#include "text/cp1251.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>

#include "text/utf8.h"

namespace vantrope {

namespace {

// Bytes of the input to give up on when a conversion fails at its start.
using FailedSpan = size_t (*)(std::string_view rest);

class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~Converter() {
    if (Opened()) iconv_close(descriptor_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string Convert(std::string_view input, FailedSpan failed_span) {
    if (!Opened()) return AsciiOnly(input, failed_span);
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state

    std::string output;
    output.reserve(input.size() * 2);
    // iconv does not write its input; its interface just lacks the const.
    char* in = const_cast<char*>(input.data());
    size_t in_left = input.size();
    while (in_left > 0) {
      std::array<char, 1024> buffer;
      char* out = buffer.data();
      size_t out_left = buffer.size();
      const size_t result = iconv(descriptor_, &in, &in_left, &out, &out_left);
      output.append(buffer.data(), out);
      if (result != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG && out != buffer.data()) continue;
      // Unconvertible, invalid or truncated input: one '?' and move on.
      const size_t skip = std::clamp<size_t>(failed_span({in, in_left}), 1, in_left);
      output += '?';
      in += skip;
      in_left -= skip;
    }
    return output;
  }

 private:
  bool Opened() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

  // Without the conversion module only ASCII can be trusted to be the same.
  static std::string AsciiOnly(std::string_view input, FailedSpan failed_span) {
    std::string output;
    while (!input.empty()) {
      if (static_cast<unsigned char>(input.front()) < 0x80) {
        output += input.front();
        input.remove_prefix(1);
      } else {
        output += '?';
        input.remove_prefix(std::clamp<size_t>(failed_span(input), 1, input.size()));
      }
    }
    return output;
  }

  iconv_t descriptor_;
};

constexpr std::array<unsigned char, 256> MakeLowerCaseTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + 0x20);
  for (int c = 0xC0; c <= 0xDF; ++c) table[c] = static_cast<unsigned char>(c + 0x20);  // А-Я
  // The Cyrillic capitals outside the А-Я block and their small letters:
  // Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ.
  constexpr std::array<std::array<unsigned char, 2>, 15> pairs{{
      {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
      {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
      {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
  }};
  for (const auto& [upper, lower] : pairs) table[upper] = lower;
  return table;
}

constexpr std::array<unsigned char, 256> kLowerCase = MakeLowerCaseTable();

}  // namespace

std::string Cp1251ToUtf8(std::string_view cp1251) {
  thread_local Converter converter("UTF-8", "CP1251");
  return converter.Convert(cp1251, [](std::string_view) { return size_t{1}; });
}

std::string Utf8ToCp1251(std::string_view utf8) {
  thread_local Converter converter("CP1251", "UTF-8");
  return converter.Convert(utf8, Utf8CharBytes);
}

bool Cp1251EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return kLowerCase[static_cast<unsigned char>(x)] == kLowerCase[static_cast<unsigned char>(y)];
  });
}

}  // namespace vantrope

#include "text/utf16.h"

#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // an invalid byte b becomes 0xDC00 + b (0xDC80..0xDCFF)

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const size_t bytes = Utf8CharBytes(utf8);
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (bytes == 1) {
      out += lead < 0x80 ? static_cast<char16_t>(lead) : static_cast<char16_t>(kEscapeBase + lead);
    } else {
      // Utf8CharBytes has checked the sequence: no overlong form, no surrogate.
      char32_t code = lead & (0xFF >> (bytes + 1));
      for (size_t i = 1; i < bytes; ++i) code = (code << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
      if (code < 0x10000) {
        out += static_cast<char16_t>(code);
      } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
      }
    }
    utf8.remove_prefix(bytes);
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
      out += static_cast<char>(unit - kEscapeBase);
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, U'\uFFFD');
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace vantrope

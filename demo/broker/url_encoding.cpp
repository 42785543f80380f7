#include "url_encoding.h"

namespace vantrope::demo {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string UrlDecode(std::string_view text) {
  std::string decoded;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      decoded += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      decoded += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

std::string UrlEncode(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '*' || c == '-' ||
        c == '.' || c == '_') {
      encoded += static_cast<char>(c);
    } else if (c == ' ') {
      encoded += '+';
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 15];
    }
  }
  return encoded;
}

Fields ParseFields(std::string_view text) {
  Fields fields;
  while (!text.empty()) {
    const size_t end = text.find('&');
    const std::string_view part = text.substr(0, end);
    if (!part.empty()) {
      const size_t equals = part.find('=');
      if (equals == std::string_view::npos)
        fields.emplace_back(UrlDecode(part), "");
      else
        fields.emplace_back(UrlDecode(part.substr(0, equals)), UrlDecode(part.substr(equals + 1)));
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return fields;
}

std::string EncodeFields(const Fields& fields) {
  std::string text;
  for (const auto& [name, value] : fields) {
    if (!text.empty()) text += '&';
    text += UrlEncode(name) + "=" + UrlEncode(value);
  }
  return text;
}

std::string FieldValue(const Fields& fields, std::string_view name) {
  for (const auto& [field, value] : fields)
    if (field == name) return value;
  return {};
}

Fields ParseCookieHeader(std::string_view header) {
  Fields cookies;
  while (!header.empty()) {
    const size_t end = header.find(';');
    const std::string_view part = Trim(header.substr(0, end));
    const size_t equals = part.find('=');
    if (equals != std::string_view::npos && equals > 0)
      cookies.emplace_back(std::string(Trim(part.substr(0, equals))), std::string(Trim(part.substr(equals + 1))));
    if (end == std::string_view::npos) break;
    header.remove_prefix(end + 1);
  }
  return cookies;
}

}  // namespace vantrope::demo

#include "site/page_search.h"

#include <cctype>
#include <charconv>

#include "text/cp1251.h"
#include "text/utf8.h"

namespace vantrope {

namespace {

constexpr uint8_t kOptionalControlPage = 99;

bool TextCriterionMet(uint8_t mode, const std::string& pattern, const std::string& value) {
  if (mode == 0 || Trim(pattern).empty()) return true;
  if (mode == 1) return value.find(pattern) != std::string::npos;
  if (mode == 2) return Trim(pattern) == Trim(value);
  return false;
}

bool Matches(const TCatField& record, const TCatField& pattern) {
  const auto& modes = pattern.MatchModes;
  const bool kind = modes[0] == 0 || ((modes[0] == 1 || modes[0] == 2) && record.Kind == pattern.Kind);
  return kind && TextCriterionMet(modes[1], pattern.ID, record.ID) &&
         TextCriterionMet(modes[2], pattern.Ftype, record.Ftype) &&
         TextCriterionMet(modes[3], pattern.Ftext, record.Ftext) &&
         TextCriterionMet(modes[4], pattern.Fsubdata, record.Fsubdata);
}

// The whole text must be one number: sign, digits, one separator, exponent.
bool IsNumber(const std::string& text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++exponent;
    if (exponent == 0) return false;
  }
  return i == text.size();
}

}  // namespace

int32_t SearchWebData(const std::vector<TCatField>& fields, const TCatField& pattern) {
  if (fields.empty()) return -1;
  for (size_t i = 0; i < fields.size(); ++i)
    if (Matches(fields[i], pattern)) return static_cast<int32_t>(i);
  return pattern.PageNo == kOptionalControlPage ? 0 : -1;
}

std::string GetWebValue(const std::vector<TCatField>& fields, size_t index) {
  if (index >= fields.size()) return std::string();
  const TCatField& field = fields[index];
  if (field.Kind == kKindLink) return Trim(field.Ftext);
  // Fsubdata keeps every character; the value is a byte string of the code page.
  if (field.Kind <= kKindDiv) return Cp1251ToUtf8(Utf8ToCp1251(Trim(field.Fsubdata)));
  return std::string();
}

std::optional<double> ReadMoney(const std::string& text) {
  std::string number = Trim(text);
  const size_t start = number.find_first_of("+-0123456789");
  if (start == std::string::npos) return std::nullopt;
  // Every "," is a thousands separator and every "." the decimal point, in
  // any locale: the point becomes the locale's separator, which its own
  // conversion then reads back as the point.
  std::string cleaned;
  for (char c : number.substr(start))
    if (c != ',') cleaned += c;
  if (!IsNumber(cleaned)) return std::nullopt;
  // from_chars does not depend on the process locale, unlike strtod.
  double value = 0;
  const char* begin = cleaned.data() + (cleaned[0] == '+' ? 1 : 0);
  std::from_chars(begin, cleaned.data() + cleaned.size(), value);
  return value;
}

double CostTranslate(const std::string& text) { return ReadMoney(text).value_or(0); }

}  // namespace vantrope

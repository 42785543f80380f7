#include "text/date_time_format.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace vantrope {

namespace {

struct Parts {
  int year, month, day, hour, minute, second;
};

Parts Decode(double date_time) {
  // Whole milliseconds first, so 14:05:33 never shows as 14:05:32.999.
  const auto total_ms = static_cast<long long>(std::llround(date_time * 86'400'000.0));
  long long days = total_ms / 86'400'000;
  long long ms_of_day = total_ms % 86'400'000;
  if (ms_of_day < 0) {
    ms_of_day += 86'400'000;
    --days;
  }
  using namespace std::chrono;
  const year_month_day date{sys_days{year{1899} / December / 30} + std::chrono::days{days}};
  const long long seconds = ms_of_day / 1000;
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(seconds / 3600),
          static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60)};
}

std::string Number(int value, size_t width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", static_cast<int>(width), value);
  return text;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if ((text[i] | 0x20) != prefix[i]) return false;
  return true;
}

// The length of the designator that begins the text, 0 for none.
size_t DesignatorLength(std::string_view text) {
  for (std::string_view designator : {"ampm", "am/pm", "a/p"})
    if (StartsWithIgnoringCase(text, designator)) return designator.size();
  return 0;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// Where the quoted text that opens at `at` closes: its closing quote, or the end.
size_t QuoteClose(std::string_view format, size_t at) {
  return std::min(format.find(format[at], at + 1), format.size());
}

bool HasDesignator(std::string_view format) {
  for (size_t i = 0; i < format.size();) {
    if (IsQuote(format[i])) {
      i = QuoteClose(format, i) + 1;
    } else {
      if (DesignatorLength(format.substr(i)) > 0) return true;
      ++i;
    }
  }
  return false;
}

// "ampm" the locale's text; "am/pm" and "a/p" one half as written.
std::string DesignatorText(std::string_view designator, bool after_noon, const TimeDesignators& designators) {
  if (designator.size() == 4) return after_noon ? designators.pm : designators.am;
  const size_t half = designator.size() / 2;
  return std::string(after_noon ? designator.substr(half + 1) : designator.substr(0, half));
}

size_t RunLength(std::string_view format, size_t at) {
  size_t end = at;
  while (end < format.size() && (format[end] | 0x20) == (format[at] | 0x20)) ++end;
  return end - at;
}

}  // namespace

std::string FormatDateTime(std::string_view format, double date_time, const TimeDesignators& designators) {
  const Parts parts = Decode(date_time);
  // With a designator the hours run 12, 1, ..., 11.
  const int hour = HasDesignator(format) ? (parts.hour + 11) % 12 + 1 : parts.hour;
  std::string text;
  bool after_hour = false;
  for (size_t i = 0; i < format.size();) {
    const char letter = static_cast<char>(format[i] | 0x20);
    if (IsQuote(format[i])) {
      const size_t close = QuoteClose(format, i);
      text.append(format.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    if (const size_t length = DesignatorLength(format.substr(i))) {
      text += DesignatorText(format.substr(i, length), parts.hour >= 12, designators);
      i += length;
      continue;
    }
    const size_t run = RunLength(format, i);
    const size_t width = run >= 2 ? 2 : 1;
    switch (letter) {
      case 'd':
        text += Number(parts.day, width);
        break;
      case 'm':
        text += Number(after_hour ? parts.minute : parts.month, width);
        after_hour = false;
        break;
      case 'y':
        text += run >= 3 ? Number(parts.year, 4) : Number(parts.year % 100, 2);
        break;
      case 'h':
        text += Number(hour, width);
        after_hour = true;
        break;
      case 'n':
        text += Number(parts.minute, width);
        break;
      case 's':
        text += Number(parts.second, width);
        break;
      default:
        text.append(format.substr(i, run));
        break;
    }
    i += run;
  }
  return text;
}

}  // namespace vantrope

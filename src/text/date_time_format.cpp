#include "text/date_time_format.h"

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

size_t RunLength(std::string_view format, size_t at) {
  size_t end = at;
  while (end < format.size() && (format[end] | 0x20) == (format[at] | 0x20)) ++end;
  return end - at;
}

}  // namespace

std::string FormatDateTime(std::string_view format, double date_time) {
  const Parts parts = Decode(date_time);
  std::string text;
  bool after_hour = false;
  for (size_t i = 0; i < format.size();) {
    const char letter = static_cast<char>(format[i] | 0x20);
    if (format[i] == '"' || format[i] == '\'') {
      const size_t close = format.find(format[i], i + 1);
      const size_t end = close == std::string_view::npos ? format.size() : close;
      text.append(format.substr(i + 1, end - i - 1));
      i = end + 1;
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
        text += Number(parts.hour, width);
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

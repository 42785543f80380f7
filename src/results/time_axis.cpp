#include "results/time_axis.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

#include "text/date_time_format.h"

namespace vantrope {

namespace {

// Times in whole milliseconds, so that ticks fall on exact seconds and days.
constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60 * kSecond;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;
// The days a date-time can hold: 0001-01-01 to 9999-12-31; a damaged
// record's time is kept inside them.
constexpr double kFirstDay = -693593;
constexpr double kEndDay = 2958466;
// 1 January 1900, a Monday: weekly ticks fall on Mondays.
constexpr int64_t kMonday = 2 * kDay;

constexpr int64_t kClockSteps[] = {kSecond,  2 * kSecond, 5 * kSecond, 10 * kSecond, 15 * kSecond, 30 * kSecond,
                                   kMinute,  2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute,
                                   kHour,    2 * kHour,   3 * kHour,   6 * kHour,    12 * kHour,   kDay,
                                   2 * kDay, 7 * kDay,    14 * kDay};
constexpr int64_t kMonthSteps[] = {1, 2, 3, 6};
// More would crowd a wide screen.
constexpr int kMostTicks = 8;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }
int64_t CeilDiv(int64_t a, int64_t b) { return -FloorDiv(-a, b); }

int64_t Ms(double time) { return std::llround(time * static_cast<double>(kDay)); }

std::chrono::sys_days DayZero() { return std::chrono::sys_days{std::chrono::year{1899} / std::chrono::December / 30}; }

// Whole multiples of `step` from `first` to `last`, weeks counted from a
// Monday; one more than `limit` at most.
std::vector<int64_t> ClockTicks(int64_t first, int64_t last, int64_t step, size_t limit) {
  const int64_t origin = step >= 7 * kDay ? kMonday : 0;
  std::vector<int64_t> ticks;
  for (int64_t k = CeilDiv(first - origin, step); origin + k * step <= last && ticks.size() <= limit; ++k)
    ticks.push_back(origin + k * step);
  return ticks;
}

// The first days of the months from `first` to `last` whose number since
// January of year 0 is a multiple of `months` (quarters, halves, years);
// one more than `limit` at most.
std::vector<int64_t> MonthTicks(int64_t first, int64_t last, int64_t months, size_t limit) {
  using namespace std::chrono;
  const year_month_day date{DayZero() + days{FloorDiv(first, kDay)}};
  const int64_t first_month = int64_t{static_cast<int>(date.year())} * 12 + static_cast<unsigned>(date.month()) - 1;
  std::vector<int64_t> ticks;
  for (int64_t index = CeilDiv(first_month, months) * months; ticks.size() <= limit; index += months) {
    const year_month_day month_start{year{static_cast<int>(index / 12)} / static_cast<unsigned>(index % 12 + 1) / 1};
    const int64_t tick = (sys_days{month_start} - DayZero()).count() * kDay;
    if (tick > last) break;
    if (tick >= first) ticks.push_back(tick);
  }
  return ticks;
}

// 1, 2, 5, 10, 20, 50...
int64_t NextRoundYears(int64_t years) {
  int64_t power = 1;
  while (power * 10 <= years) power *= 10;
  const int64_t digit = years / power;
  return (digit == 1 ? 2 : digit == 2 ? 5 : 10) * power;
}

// Ticks a day or more apart differ in their dates; closer ones in their
// times, with the date when they are not all on one day.
std::string LabelFormat(const std::vector<int64_t>& ticks, int64_t clock_step) {
  if (ticks.empty() || clock_step == 0 || clock_step >= kDay) return "yyyy-mm-dd";
  const std::string time = clock_step >= kMinute ? "hh:nn" : "hh:nn:ss";
  const bool one_day = FloorDiv(ticks.front(), kDay) == FloorDiv(ticks.back(), kDay);
  return one_day ? time : "yyyy-mm-dd " + time;
}

}  // namespace

TimeAxis ChooseTimeAxis(double first, double last, int max_ticks) {
  TimeAxis axis;
  axis.from = std::clamp(std::min(first, last), kFirstDay, kEndDay);
  // One second at least, for a single bet.
  axis.to = std::max(std::clamp(std::max(first, last), kFirstDay, kEndDay), axis.from + 1.0 / 86'400);
  const int64_t from = Ms(axis.from);
  const int64_t to = Ms(axis.to);
  const size_t limit = static_cast<size_t>(std::max(max_ticks, 1));

  std::vector<int64_t> ticks;
  int64_t clock_step = 0;  // 0: a calendar step
  for (int64_t step : kClockSteps) {
    ticks = ClockTicks(from, to, step, limit);
    clock_step = step;
    if (ticks.size() <= limit) break;
  }
  if (ticks.size() > limit) {
    clock_step = 0;
    for (int64_t months : kMonthSteps) {
      ticks = MonthTicks(from, to, months, limit);
      if (ticks.size() <= limit) break;
    }
    // Ten thousand years hold one tick at most.
    for (int64_t years = 1; ticks.size() > limit; years = NextRoundYears(years))
      ticks = MonthTicks(from, to, years * 12, limit);
  }

  const std::string format = LabelFormat(ticks, clock_step);
  for (int64_t tick : ticks) {
    const double time = static_cast<double>(tick) / static_cast<double>(kDay);
    axis.ticks.push_back({time, FormatDateTime(format, time)});
  }
  return axis;
}

TimeAxis FitTimeAxis(double first, double last, double width,
                     const std::function<double(const std::string&)>& label_width) {
  TimeAxis axis;
  for (int max_ticks = kMostTicks; max_ticks >= 1; --max_ticks) {
    axis = ChooseTimeAxis(first, last, max_ticks);
    const double share = width / static_cast<double>(axis.ticks.size() + 1);
    if (std::all_of(axis.ticks.begin(), axis.ticks.end(),
                    [&](const TimeTick& tick) { return label_width(tick.label) <= share; }))
      break;
  }
  return axis;
}

}  // namespace vantrope

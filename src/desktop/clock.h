// Clock port: the current local date-time and the locale's formats.
#pragma once

#include <cstdint>
#include <string>

#include "text/date_time_format.h"

namespace vantrope {

class Clock {
 public:
  virtual ~Clock() = default;
  // Days since 30 December 1899, the time of day as the fraction.
  virtual double Now() = 0;
  // Milliseconds that no setting of the date-time moves (daylight saving,
  // an NTP step, the user): how long things take is measured on it. It
  // counts from a moment before the program started, so it is never 0.
  virtual int64_t MonotonicMs() = 0;
  // The user's long time format ("hh:nn:ss", "h:nn:ss ampm") and short date format ("dd.mm.yyyy").
  virtual std::string LongTimeFormat() = 0;
  virtual std::string ShortDateFormat() = 0;
  // The locale's texts for the hours before and after noon.
  virtual TimeDesignators Designators() = 0;
  // The locale's decimal separator.
  virtual char DecimalSeparator() = 0;
};

// The time of day as the user's long time format writes it.
inline std::string LongTimeText(Clock& clock, double date_time) {
  return FormatDateTime(clock.LongTimeFormat(), date_time, clock.Designators());
}

// The date and time as the user's short date and long time formats write them.
inline std::string DateTimeText(Clock& clock, double date_time) {
  return FormatDateTime(clock.ShortDateFormat() + " " + clock.LongTimeFormat(), date_time, clock.Designators());
}

}  // namespace vantrope

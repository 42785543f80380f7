// Clock port: the current local date-time and the locale's formats.
#pragma once

#include <string>

namespace vantrope {

class Clock {
 public:
  virtual ~Clock() = default;
  // Days since 30 December 1899, the time of day as the fraction.
  virtual double Now() = 0;
  // The user's long time format ("hh:nn:ss") and short date format ("dd.mm.yyyy").
  virtual std::string LongTimeFormat() = 0;
  virtual std::string ShortDateFormat() = 0;
  // The locale's decimal separator.
  virtual char DecimalSeparator() = 0;
};

}  // namespace vantrope

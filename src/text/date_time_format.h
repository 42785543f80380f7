// Date-time values as the program keeps them (days since 30 December 1899,
// the time of day as the fraction) and their text in the user's formats.
#pragma once

#include <string>
#include <string_view>

namespace vantrope {

// The locale's texts for the hours before and after noon.
struct TimeDesignators {
  std::string am = "AM";
  std::string pm = "PM";
};

// Formats with the letters of the locale formats the clock port gives:
// d dd (day), m mm (month), yy yyyy (year), h hh (hour), n nn (minute),
// s ss (second); "m" right after an hour means minutes. "ampm" stands for
// the locale's designator, "am/pm" and "a/p" for those letters in the case
// written; with any of them the hour counts from 1 to 12. Anything else,
// and text in double or single quotes, stands as it is.
std::string FormatDateTime(std::string_view format, double date_time, const TimeDesignators& designators = {});

}  // namespace vantrope

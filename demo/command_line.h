// What the demo programs' command lines share.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <string>

namespace vantrope::demo {

// A whole decimal number within [min, max].
inline bool ReadNumber(const std::string& text, long long min, long long max, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= min && value <= max;
}

}  // namespace vantrope::demo

#include "text/number_format.h"

#include <cstdio>

namespace vantrope {

std::string FormatFixed(double value, int decimals, char decimal_separator) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string result = text;
  for (char& c : result)
    if (c == '.') c = decimal_separator;
  return result;
}

}  // namespace vantrope

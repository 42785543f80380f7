#pragma once

#include <string>

namespace vantrope {

// A number in fixed notation with the user's decimal separator.
std::string FormatFixed(double value, int decimals, char decimal_separator);

}  // namespace vantrope

#pragma once

#include <string>
#include <string_view>

namespace vantrope {

// Conversion at the boundary of the files kept in code page 1251. Never
// throws: a byte or character without a counterpart, and every byte of
// invalid UTF-8, becomes one '?'.
std::string Cp1251ToUtf8(std::string_view cp1251);
std::string Utf8ToCp1251(std::string_view utf8);

// Compares two code page 1251 texts without regard to the case of Latin
// and Cyrillic letters.
bool Cp1251EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vantrope

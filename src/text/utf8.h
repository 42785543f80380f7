#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrope {

// Helpers that count characters, not bytes. A byte that does not start a
// valid UTF-8 sequence counts as one character of its own, so broken text
// is measured and cut without ever reading past its end.

// Bytes taken by the first character of `text`: 1 to 4, 1 for an invalid
// byte, 0 for empty text.
size_t Utf8CharBytes(std::string_view text);

size_t Utf8Length(std::string_view text);

// The first `chars` characters (all of `text` when it is shorter).
std::string Utf8Left(std::string_view text, size_t chars);

// `text` followed by `fill` until it is at least `chars` characters long.
std::string Utf8PadRight(std::string_view text, size_t chars, char fill = ' ');

// Drops blanks and control characters (bytes up to 0x20) at both ends.
std::string Trim(std::string_view text);

}  // namespace vantrope

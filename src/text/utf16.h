#pragma once

#include <string>
#include <string_view>

namespace vantrope {

// UTF-16 form of the program's UTF-8 text, for code that must count
// characters the way a UTF-16 string does (a character outside the basic
// plane counts as two).
//
// A byte that is not part of valid UTF-8 becomes the lone surrogate
// 0xDC00 + byte and turns back into that same byte, so that no text is lost
// on the way there and back. Any other lone surrogate becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace vantrope

// The encodings of addresses, form data and cookies that the site reads and
// writes.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantrope::demo {

using Fields = std::vector<std::pair<std::string, std::string>>;

// "%41" and "+" (a blank) decoded; a "%" without two hex digits stays as it is.
std::string UrlDecode(std::string_view text);
// The form encoding: letters, digits and "*-._" stay, a blank becomes "+",
// every other byte "%XX".
std::string UrlEncode(std::string_view text);

// "a=1&b=2" (a query or a form body) into its fields, in order, decoded.
Fields ParseFields(std::string_view text);
// The fields back into "a=1&b=2".
std::string EncodeFields(const Fields& fields);
// The value of the first field called `name`, or an empty text.
std::string FieldValue(const Fields& fields, std::string_view name);

// A Cookie header, "a=1; b=2", into its pairs.
Fields ParseCookieHeader(std::string_view header);

}  // namespace vantrope::demo

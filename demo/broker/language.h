// The two languages of the site, chosen by the "l" query of an address.
#pragma once

#include <string>

namespace vantrope::demo {

enum class Language { kEnglish, kRussian };

// "EN" or "RU", as the query writes it.
inline std::string LanguageCode(Language language) { return language == Language::kRussian ? "RU" : "EN"; }

// Only "RU" asks for Russian; anything else, or nothing, is English.
inline Language LanguageFromCode(const std::string& code) {
  return code == "RU" ? Language::kRussian : Language::kEnglish;
}

}  // namespace vantrope::demo

// Money of the site: whole cents, written the way each language writes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "language.h"

namespace vantrope::demo {

using Cents = int64_t;

// Every account pays and is paid in this currency.
inline constexpr const char* kCurrency = "USD";

// "1,250.00" in English, "1 250,00" in Russian; a negative amount leads with "-".
std::string FormatAmount(Cents amount, Language language);

// "1250.00": the amount as a machine writes it and ParseAmount reads it.
std::string PlainAmount(Cents amount);

// "USD 1,250.00": the currency, a blank and the amount.
std::string CurrencyAmount(Cents amount, Language language);

// A signed amount: "+2.50", "-7.50" (English) or "+2,50" (Russian).
std::string FormatProfit(Cents amount, Language language);

// An amount typed into a form: digits with at most two decimals after a
// "." ("10", "10.5", "10.50"). Anything else has no value.
std::optional<Cents> ParseAmount(std::string_view text);

}  // namespace vantrope::demo

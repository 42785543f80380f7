// The currency pairs of the pair boxes and their broker instrument codes, by
// item index. "EUR/USD" stands first (the box's initial text) and again in
// its sorted place.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace vantrope {

struct CurrencyPair {
  const char* item;
  const char* code;
};

inline constexpr std::array<CurrencyPair, 16> kPairTable = {{
    {"EUR/USD", "frxEURUSD"}, {"AUD/JPY", "frxAUDJPY"}, {"AUD/USD", "frxAUDUSD"}, {"EUR/AUD", "frxEURAUD"},
    {"EUR/CAD", "frxEURCAD"}, {"EUR/GBP", "frxEURGBP"}, {"EUR/JPY", "frxEURJPY"}, {"EUR/USD", "frxEURUSD"},
    {"GBP/AUD", "frxGBPAUD"}, {"GBP/CAD", "frxGBPCAD"}, {"GBP/JPY", "frxGBPJPY"}, {"GBP/USD", "frxGBPUSD"},
    {"NZD/USD", "frxNZDUSD"}, {"USD/CAD", "frxUSDCAD"}, {"USD/JPY", "frxUSDJPY"}, {"USD/SEK", "frxUSDSEK"},
}};

// Whether the instrument code is one of the table's: a caption without a
// pair gives the bare "frx", which is no pair to bet on.
inline bool IsPairCode(const std::string& code) {
  for (const CurrencyPair& pair : kPairTable)
    if (code == pair.code) return true;
  return false;
}

inline std::vector<std::string> PairItems() {
  std::vector<std::string> items;
  for (const CurrencyPair& pair : kPairTable) items.emplace_back(pair.item);
  return items;
}

}  // namespace vantrope

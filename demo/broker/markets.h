// What the site trades: markets, their groups and their instruments.
#pragma once

#include <string>
#include <vector>

#include "language.h"

namespace vantrope::demo {

struct NamedItem {
  std::string code;
  std::string english;
  std::string russian;

  const std::string& Name(Language language) const { return language == Language::kRussian ? russian : english; }
};

struct Instrument {
  NamedItem item;
  std::string group;  // the code of its group
};

struct Market {
  NamedItem item;
  // The first group, "all", holds every instrument of the market.
  std::vector<NamedItem> groups;
  std::vector<Instrument> instruments;
};

inline constexpr const char* kAllGroup = "all";
// The market of a trading page whose address names none.
inline constexpr const char* kDefaultMarket = "indices";

// Forex first: its instruments are the currency pairs the robot bets on.
const std::vector<Market>& Markets();
const Market* FindMarket(const std::string& code);
const Instrument* FindInstrument(const Market& market, const std::string& code);
bool HasGroup(const Market& market, const std::string& code);
// The name of an instrument the site trades, or its code.
std::string InstrumentName(const std::string& market, const std::string& instrument, Language language);

}  // namespace vantrope::demo

#include "markets.h"

#include <algorithm>

#include "event/pair_table.h"

namespace vantrope::demo {

namespace {

bool IsMajorPair(const std::string& code) {
  static const std::vector<std::string> kMajors = {"frxEURUSD", "frxGBPUSD", "frxUSDJPY",
                                                   "frxAUDUSD", "frxUSDCAD", "frxNZDUSD"};
  return std::find(kMajors.begin(), kMajors.end(), code) != kMajors.end();
}

Market Forex() {
  Market market{
      {"forex", "Forex", "Форекс"},
      {{kAllGroup, "All", "Все"}, {"major", "Major pairs", "Основные пары"}, {"minor", "Minor pairs", "Прочие пары"}},
      {}};
  // The pair table names EUR/USD twice; the market lists it once.
  for (const CurrencyPair& pair : kPairTable) {
    if (FindInstrument(market, pair.code) != nullptr) continue;
    market.instruments.push_back({{pair.code, pair.item, pair.item}, IsMajorPair(pair.code) ? "major" : "minor"});
  }
  return market;
}

std::vector<Market> MakeMarkets() {
  return {
      Forex(),
      {{"indices", "Indices", "Индексы"},
       {{kAllGroup, "All", "Все"},
        {"americas", "Americas", "Америка"},
        {"europe", "Europe", "Европа"},
        {"asia", "Asia", "Азия"}},
       {{{"idxUS500", "US 500", "США 500"}, "americas"},
        {{"idxUS30", "US 30", "США 30"}, "americas"},
        {{"idxGER40", "Germany 40", "Германия 40"}, "europe"},
        {{"idxUK100", "UK 100", "Великобритания 100"}, "europe"},
        {{"idxJPN225", "Japan 225", "Япония 225"}, "asia"},
        {{"idxAUS200", "Australia 200", "Австралия 200"}, "asia"}}},
      {{"commodities", "Commodities", "Сырье"},
       {{kAllGroup, "All", "Все"}, {"metals", "Metals", "Металлы"}, {"energy", "Energy", "Энергоносители"}},
       {{{"cmdXAUUSD", "Gold/USD", "Золото/USD"}, "metals"},
        {{"cmdXAGUSD", "Silver/USD", "Серебро/USD"}, "metals"},
        {{"cmdXPTUSD", "Platinum/USD", "Платина/USD"}, "metals"},
        {{"cmdWTIUSD", "Oil WTI/USD", "Нефть WTI/USD"}, "energy"},
        {{"cmdBRNUSD", "Oil Brent/USD", "Нефть Brent/USD"}, "energy"}}},
  };
}

}  // namespace

const std::vector<Market>& Markets() {
  static const std::vector<Market> markets = MakeMarkets();
  return markets;
}

const Market* FindMarket(const std::string& code) {
  for (const Market& market : Markets())
    if (market.item.code == code) return &market;
  return nullptr;
}

const Instrument* FindInstrument(const Market& market, const std::string& code) {
  for (const Instrument& instrument : market.instruments)
    if (instrument.item.code == code) return &instrument;
  return nullptr;
}

bool HasGroup(const Market& market, const std::string& code) {
  return std::any_of(market.groups.begin(), market.groups.end(),
                     [&](const NamedItem& group) { return group.code == code; });
}

std::string InstrumentName(const std::string& market, const std::string& instrument, Language language) {
  const Market* found_market = FindMarket(market);
  const Instrument* found = found_market == nullptr ? nullptr : FindInstrument(*found_market, instrument);
  return found == nullptr ? instrument : found->item.Name(language);
}

}  // namespace vantrope::demo

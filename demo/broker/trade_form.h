// The trading form: the fields it sends, and the terms of a contract that
// they describe when they are right.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "language.h"
#include "markets.h"
#include "money.h"
#include "url_encoding.h"

namespace vantrope::demo {

struct TradeForm {
  std::string market = kDefaultMarket;
  std::string group = kAllGroup;
  std::string underlying;  // empty: the market's first instrument
  std::string start = "now";
  std::string duration = "5";
  std::string unit = "m";
  std::string basis = "payout";
  std::string amount = "10";
};

// The form's fields found in a query; the others keep their defaults.
TradeForm ReadTradeForm(const Fields& query);
// The address query of a trading page that shows `form`, language first.
Fields TradeFormQuery(const TradeForm& form, Language language);

struct DurationUnit {
  std::string code;  // "s", "m", "h", "d"
  int min;
  int max;
  int64_t unit_ms;
};
const std::vector<DurationUnit>& DurationUnits();
// The forward starts the start selector offers besides "now", in minutes.
const std::vector<int>& StartMinutes();

enum class TradeError { kNone, kMarket, kGroup, kInstrument, kNotInGroup, kStart, kUnit, kDuration, kBasis, kAmount };

struct TradeTerms {
  const Market* market = nullptr;
  const Instrument* instrument = nullptr;
  int start_minutes = 0;  // 0: now
  int duration = 0;
  const DurationUnit* unit = nullptr;
  bool payout_basis = true;  // the amount is the payout, not the stake
  Cents amount = 0;
};

struct CheckedTrade {
  TradeError error = TradeError::kNone;
  TradeTerms terms;  // complete only without an error
};

// The first thing wrong with the form, in the order the form shows its fields.
CheckedTrade CheckTradeForm(const TradeForm& form);

// Why the site refuses the form, in `language`; the terms say which unit a
// duration was wrong for.
std::string TradeErrorText(const CheckedTrade& checked, Language language);

// The market the form names, or nullptr.
const Market* FormMarket(const TradeForm& form);

}  // namespace vantrope::demo

#include "trade_form.h"

#include "texts.h"

namespace vantrope::demo {

namespace {

constexpr Cents kMinAmount = 100;
constexpr Cents kMaxAmount = 500000;

// A whole number without sign or blanks, of at most 9 digits.
bool ReadWholeNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

void Take(const Fields& query, const char* name, std::string& field) {
  for (const auto& [key, value] : query)
    if (key == name) {
      field = value;
      return;
    }
}

}  // namespace

TradeForm ReadTradeForm(const Fields& query) {
  TradeForm form;
  Take(query, "market", form.market);
  Take(query, "group", form.group);
  Take(query, "underlying", form.underlying);
  Take(query, "date_start", form.start);
  Take(query, "duration_amount", form.duration);
  Take(query, "duration_unit", form.unit);
  Take(query, "basis", form.basis);
  Take(query, "amount", form.amount);
  return form;
}

Fields TradeFormQuery(const TradeForm& form, Language language) {
  return {{"l", LanguageCode(language)},   {"market", form.market},    {"group", form.group},
          {"underlying", form.underlying}, {"date_start", form.start}, {"duration_amount", form.duration},
          {"duration_unit", form.unit},    {"basis", form.basis},      {"amount", form.amount}};
}

const std::vector<DurationUnit>& DurationUnits() {
  static const std::vector<DurationUnit> units = {
      {"s", 15, 86400, 1000}, {"m", 1, 1440, 60000}, {"h", 1, 24, 3600000}, {"d", 1, 365, 86400000}};
  return units;
}

const std::vector<int>& StartMinutes() {
  static const std::vector<int> minutes = {5, 15, 30};
  return minutes;
}

const Market* FormMarket(const TradeForm& form) { return FindMarket(form.market); }

CheckedTrade CheckTradeForm(const TradeForm& form) {
  CheckedTrade checked;
  TradeTerms& terms = checked.terms;
  auto fail = [&](TradeError error) {
    checked.error = error;
    return checked;
  };
  terms.market = FormMarket(form);
  if (terms.market == nullptr) return fail(TradeError::kMarket);
  if (!HasGroup(*terms.market, form.group)) return fail(TradeError::kGroup);
  terms.instrument = FindInstrument(*terms.market, form.underlying);
  if (terms.instrument == nullptr) return fail(TradeError::kInstrument);
  if (form.group != kAllGroup && terms.instrument->group != form.group) return fail(TradeError::kNotInGroup);
  if (form.start != "now") {
    int minutes = 0;
    bool offered = false;
    if (ReadWholeNumber(form.start, minutes))
      for (int start : StartMinutes()) offered = offered || start == minutes;
    if (!offered) return fail(TradeError::kStart);
    terms.start_minutes = minutes;
  }
  for (const DurationUnit& unit : DurationUnits())
    if (unit.code == form.unit) terms.unit = &unit;
  if (terms.unit == nullptr) return fail(TradeError::kUnit);
  if (!ReadWholeNumber(form.duration, terms.duration) || terms.duration < terms.unit->min ||
      terms.duration > terms.unit->max)
    return fail(TradeError::kDuration);
  if (form.basis != "payout" && form.basis != "stake") return fail(TradeError::kBasis);
  terms.payout_basis = form.basis == "payout";
  const std::optional<Cents> amount = ParseAmount(form.amount);
  if (!amount || *amount < kMinAmount || *amount > kMaxAmount) return fail(TradeError::kAmount);
  terms.amount = *amount;
  return checked;
}

std::string TradeErrorText(const CheckedTrade& checked, Language language) {
  const Texts& t = TextsFor(language);
  switch (checked.error) {
    case TradeError::kNone:
      return {};
    case TradeError::kMarket:
      return t.reason_market;
    case TradeError::kGroup:
      return t.reason_group;
    case TradeError::kInstrument:
      return t.reason_instrument;
    case TradeError::kNotInGroup:
      return t.reason_not_in_group;
    case TradeError::kStart:
      return t.reason_start;
    case TradeError::kUnit:
      return t.reason_unit;
    case TradeError::kDuration: {
      const DurationUnit& unit = *checked.terms.unit;
      const size_t index = static_cast<size_t>(&unit - DurationUnits().data());
      return t.reason_duration + std::to_string(unit.min) + t.reason_duration_to + std::to_string(unit.max) + " (" +
             t.unit_names[index] + ").";
    }
    case TradeError::kBasis:
      return t.reason_basis;
    case TradeError::kAmount:
      return t.reason_amount;
  }
  return {};
}

}  // namespace vantrope::demo

#include "site/pair_period_selectors.h"

#include <cmath>

#include "ui/money.h"
#include "site/pair_table.h"
#include "text/utf8.h"

namespace vantrope {

void PairPeriodSelectors::BetOnSetValutePair(const std::string& code) {
  std::string letters = code;
  if (letters.rfind("frx", 0) == 0) letters = letters.substr(3, 6);
  const std::string item = letters.substr(0, 3) + "/" + letters.substr(std::min<size_t>(3, letters.size()), 3);
  ui::ComboBox& box = controls_.cbeBetOnValutePair;
  int found = -1;
  for (size_t i = 0; i < box.Items().size(); ++i)
    if (Trim(box.Items()[i]) == item) found = static_cast<int>(i);
  if (found < 0) return;
  box.SetItemIndex(found);
  cbeBetOnValutePairChange();
}

void PairPeriodSelectors::cbeBetOnValutePairChange() {
  const int index = controls_.cbeBetOnValutePair.ItemIndex();
  const std::string code = index > 0 && index < static_cast<int>(kPairTable.size()) ? kPairTable[index].code
                                                                                     : kPairTable[0].code;
  if (code != event_.Valute) event_.ValuteChanged = true;
  event_.Valute = code;
}

void PairPeriodSelectors::cbeBetOnBetTimeCostChange() {
  ui::NumberEdit& period = controls_.neBetOnBetPeriod;
  switch (controls_.cbeBetOnBetTimeCost.ItemIndex()) {
    case 0:
      event_.PeriodUnit = "s";
      period.SetLimits(30, period.MaxValue());
      break;
    case 1:
      event_.PeriodUnit = "m";
      period.SetLimits(1, period.MaxValue());
      break;
    case 2:
      event_.PeriodUnit = "h";
      period.SetLimits(1, period.MaxValue());
      break;
    default: event_.PeriodUnit = "s"; return;
  }
  period.SetValue(std::round(period.Value()));
  neBetOnBetPeriodExit();
  event_.PeriodChanged = true;
}

void PairPeriodSelectors::neBetOnBetPeriodExit() {
  if (event_.Period == 0)
    event_.Period = 30;
  else
    event_.Period = static_cast<uint16_t>(RoundHalfEven(controls_.neBetOnBetPeriod.Value()));
  event_.PeriodChanged = true;
}

void PairPeriodSelectors::BetOnBetModeSet() {
  if (event_.PeriodChanged) {
    controls_.neBetOnBetPeriod.SetValue(event_.Period);
    const std::string& unit = event_.PeriodUnit;
    controls_.cbeBetOnBetTimeCost.SetItemIndex(unit == "d"   ? 3
                                               : unit == "h" ? 2
                                               : unit == "m" ? 1
                                               : unit == "s" ? 0
                                                             : -1);
    event_.PeriodChanged = false;
  }
  if (event_.ValuteChanged) {
    BetOnSetValutePair(event_.Valute);
    event_.ValuteChanged = false;
  }
}

}  // namespace vantrope

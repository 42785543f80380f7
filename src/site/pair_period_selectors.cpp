#include "site/pair_period_selectors.h"

#include <cmath>

#include "event/event_changes.h"
#include "event/pair_table.h"
#include "text/utf8.h"
#include "ui/money.h"

namespace vantrope {

void PairPeriodSelectors::BetOnSetValutePair(const std::string& code) {
  std::string letters = code;
  if (letters.rfind("frx", 0) == 0) letters = letters.substr(3, 6);
  const std::string item = letters.substr(0, 3) + "/" + letters.substr(std::min<size_t>(3, letters.size()), 3);
  ui::ComboBox& box = site_control.cbeBetOnValutePair;
  int found = -1;
  for (size_t i = 0; i < box.Items().size(); ++i)
    if (Trim(box.Items()[i]) == item) found = static_cast<int>(i);
  if (found < 0) return;
  box.SetItemIndex(found);
  cbeBetOnValutePairChange();
}

void PairPeriodSelectors::cbeBetOnValutePairChange() {
  const int index = site_control.cbeBetOnValutePair.ItemIndex();
  const std::string code = index > 0 && index < static_cast<int>(kPairTable.size()) ? kPairTable[index].code
                                                                                     : kPairTable[0].code;
  SetPair(EVENT, code);
}

void PairPeriodSelectors::cbeBetOnBetTimeCostChange() {
  ui::NumberEdit& period = site_control.neBetOnBetPeriod;
  switch (site_control.cbeBetOnBetTimeCost.ItemIndex()) {
    case 0:
      SetPeriodUnit(EVENT, "s");
      period.SetLimits(30, period.MaxValue());
      break;
    case 1:
      SetPeriodUnit(EVENT, "m");
      period.SetLimits(1, period.MaxValue());
      break;
    case 2:
      SetPeriodUnit(EVENT, "h");
      period.SetLimits(1, period.MaxValue());
      break;
    default: SetPeriodUnit(EVENT, "s"); return;
  }
  period.SetValue(std::round(period.Value()));
  neBetOnBetPeriodExit();
  FlagPeriodChange(EVENT);
}

void PairPeriodSelectors::neBetOnBetPeriodExit() {
  SetPeriod(EVENT, EVENT.Period == 0 ? 30 : RoundHalfEvenTo<uint16_t>(site_control.neBetOnBetPeriod.Value()));
  FlagPeriodChange(EVENT);
}

void PairPeriodSelectors::BetOnBetModeSet() {
  if (EVENT.PeriodChanged) {
    site_control.neBetOnBetPeriod.SetValue(EVENT.Period);
    const std::string& unit = EVENT.PeriodUnit;
    site_control.cbeBetOnBetTimeCost.SetItemIndex(unit == "d"   ? 3
                                                  : unit == "h" ? 2
                                                  : unit == "m" ? 1
                                                  : unit == "s" ? 0
                                                                : -1);
    PeriodChangeTaken(EVENT);
  }
  if (EVENT.ValuteChanged) {
    BetOnSetValutePair(EVENT.Valute);
    PairChangeTaken(EVENT);
  }
}

}  // namespace vantrope

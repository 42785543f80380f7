#include "lab/lab_history.h"

#include <algorithm>

namespace vantrope {

std::vector<HistoryOutcome> HistoryOutcomes(const std::vector<THistoryRecord>& records) {
  std::vector<const THistoryRecord*> bets;
  for (const THistoryRecord& record : records)
    if ((record.Result == 1 || record.Result == 2) && (record.Direction == drUp || record.Direction == drDown))
      bets.push_back(&record);
  std::stable_sort(bets.begin(), bets.end(), [](auto* a, auto* b) { return a->Time < b->Time; });
  std::vector<HistoryOutcome> outcomes;
  outcomes.reserve(bets.size());
  for (const THistoryRecord* bet : bets) {
    const bool won = bet->Result == 1;
    // A lost bet cost its price; a won one paid its stake less the price.
    const double result = bet->BalanceAtResult - bet->BalanceAtBet;
    const double price = won ? bet->Stake - result : -result;
    const double share = bet->Stake > 0 ? price / bet->Stake : 0;
    outcomes.push_back({static_cast<TDirection>(bet->Direction), won, share > 0 && share < 1 ? share : 0});
  }
  return outcomes;
}

}  // namespace vantrope

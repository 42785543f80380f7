// The trader's history as the outcomes the lab replays.
#pragma once

#include <vector>

#include "lab/strategy_lab.h"
#include "log/history_file.h"

namespace vantrope {

// The finished bets, in the order they were placed (by time), each with its
// direction, outcome and price as a share of its stake (from the balance
// before and after it). Bets with no known direction or result are left out.
std::vector<HistoryOutcome> HistoryOutcomes(const std::vector<THistoryRecord>& records);

}  // namespace vantrope

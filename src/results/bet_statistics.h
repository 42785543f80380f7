// Figures of a run of finished bets, in the order they were placed: how
// many, how many won, what they earned, the worst of it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "log/history_file.h"

namespace vantrope {

// What the bet changed the balance by: its payout less its stake, or the lost stake.
double BetResult(const THistoryRecord& bet);

struct BetFigures {
  int count = 0;
  int won = 0;
  int lost = 0;
  double win_rate = 0;  // percent of the bets
  double net = 0;
  double largest_win = 0;   // the largest gain of one bet, 0 for none
  double largest_loss = 0;  // the largest loss of one bet, as a positive amount, 0 for none
  int longest_losing_streak = 0;
  // The deepest fall of the equity curve below its highest point before.
  double max_drawdown = 0;

  bool operator==(const BetFigures&) const = default;
};

struct EquityPoint {
  double time = 0;
  double balance = 0;
  double peak = 0;  // the highest balance up to here: the drawdown lies between the two
};

// `bets` in the order they were placed.
BetFigures ComputeFigures(const std::vector<const THistoryRecord*>& bets);

// The balance before the first bet, then after each bet: that balance with
// the results of the bets so far. On one account with no bet left out, it is
// the account's balance after each bet.
std::vector<EquityPoint> EquityCurve(const std::vector<const THistoryRecord*>& bets);

std::map<std::string, BetFigures> FiguresByPair(const std::vector<const THistoryRecord*>& bets);
std::map<int, BetFigures> FiguresByStrategy(const std::vector<const THistoryRecord*>& bets);

}  // namespace vantrope

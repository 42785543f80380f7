// What the site leaves to chance: the outcome of each contract and the
// prices it quotes. Both are reproducible: a script, or draws from a seed.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace vantrope::demo {

enum class Outcome { kWon, kLost, kTie };

// The outcome of each contract in the order they settle: the letters of a
// script ("WLLW", "W" a win, "L" a loss, "T" a tie, begun again when used
// up), or a fair draw of win or loss from the seed when the script is empty.
class OutcomeSource {
 public:
  // Throws std::invalid_argument for a script with other letters.
  OutcomeSource(std::string script, uint32_t seed);
  Outcome Next();

 private:
  std::string script_;
  size_t next_ = 0;
  std::mt19937 engine_;
};

// The share of the payout a contract costs, drawn from 70 to 85 percent in
// basis points (7000 to 8500).
class PriceShares {
 public:
  explicit PriceShares(uint32_t seed);
  int Next();

 private:
  std::mt19937 engine_;
};

}  // namespace vantrope::demo

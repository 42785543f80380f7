#include "chance.h"

#include <stdexcept>

namespace vantrope::demo {

namespace {

// The two streams start apart, so one seed gives unrelated prices and outcomes.
constexpr uint32_t kPriceStream = 0x9E3779B9u;

}  // namespace

OutcomeSource::OutcomeSource(std::string script, uint32_t seed) : script_(std::move(script)), engine_(seed) {
  for (char c : script_)
    if (c != 'W' && c != 'L' && c != 'T')
      throw std::invalid_argument("an outcome script holds only the letters W, L and T");
}

Outcome OutcomeSource::Next() {
  if (script_.empty()) return (engine_() & 1u) != 0 ? Outcome::kWon : Outcome::kLost;
  const char letter = script_[next_];
  next_ = (next_ + 1) % script_.size();
  return letter == 'W' ? Outcome::kWon : letter == 'L' ? Outcome::kLost : Outcome::kTie;
}

PriceShares::PriceShares(uint32_t seed) : engine_(seed ^ kPriceStream) {}

// mt19937's numbers are the same on every platform; a distribution's are not.
int PriceShares::Next() { return 7000 + static_cast<int>(engine_() % 1501u); }

}  // namespace vantrope::demo

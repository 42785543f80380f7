// A short run of the seeded simulation: twenty robots left alone for three
// simulated days each, with faults of the site and the terminal, keep every
// rule of unattended trading.
#include <gtest/gtest.h>

#include "soak/simulation.h"

namespace vantrope::testing {
namespace {

TEST(Soak, TwentySeedsOfThreeDaysKeepEveryRule) {
  SimulationReport total;
  for (uint32_t seed = 1; seed <= 20; ++seed) total.Add(RunSimulation(seed, 3));
  for (const std::string& what : total.breaks) ADD_FAILURE() << what;
  EXPECT_GT(total.purchases, 100) << "the robots traded";
  EXPECT_EQ(total.purchases, total.won + total.lost + total.unknown);
}

}  // namespace
}  // namespace vantrope::testing

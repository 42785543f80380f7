// A short run of the seeded simulation: robots left alone for two simulated
// days each, with faults of the site and the terminal, keep every rule of
// unattended trading. Four groups of seeds, so that the runs share the cores.
#include <gtest/gtest.h>

#include "soak/simulation.h"

namespace vantrope::testing {
namespace {

#ifdef VANTROPE_SOAK_SHORT
// Under the sanitizers, which slow the robot down many times: hours, not days.
constexpr uint32_t kSeedsPerGroup = 1;
constexpr double kDays = 0.25;
#else
constexpr uint32_t kSeedsPerGroup = 4;
constexpr double kDays = 2;
#endif

class Soak : public ::testing::TestWithParam<uint32_t> {};

TEST_P(Soak, RobotsLeftAloneKeepEveryRule) {
  SimulationReport total;
  for (uint32_t seed = GetParam() * kSeedsPerGroup + 1; seed <= (GetParam() + 1) * kSeedsPerGroup; ++seed)
    total.Add(RunSimulation(seed, kDays));
  for (const std::string& what : total.breaks) ADD_FAILURE() << what;
  EXPECT_GT(total.purchases, 0) << "the robots traded";
}

INSTANTIATE_TEST_SUITE_P(SeedGroups, Soak, ::testing::Range(0u, 4u));

}  // namespace
}  // namespace vantrope::testing

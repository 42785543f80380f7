// A short run of the seeded simulation: robots left alone for two simulated
// days each, with faults of the site, the browser, the terminal and the
// program itself, keep every rule of unattended trading. The seeds that
// ever found a fault run again here. Four groups, so that the runs share
// the cores.
#include <gtest/gtest.h>

#include <array>

#include "soak/simulation.h"

namespace vantrope::testing {
namespace {

#ifdef VANTROPE_SOAK_SHORT
// Under the sanitizers, which slow the robot down many times: hours, not days.
constexpr size_t kSeedsPerGroup = 1;
constexpr double kDays = 0.25;
#else
constexpr size_t kSeedsPerGroup = 5;
constexpr double kDays = 2;
#endif

// 1..16 and the seeds that found a fault.
constexpr std::array<uint32_t, 20> kSeeds = {1, 22, 2, 32, 3, 4000003, 4, 6000012, 5, 6,
                                             7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

class Soak : public ::testing::TestWithParam<size_t> {};

TEST_P(Soak, RobotsLeftAloneKeepEveryRule) {
  SimulationReport total;
  for (size_t i = GetParam() * kSeedsPerGroup; i < (GetParam() + 1) * kSeedsPerGroup; ++i)
    total.Add(RunSimulation(kSeeds[i], kDays));
  for (const std::string& what : total.breaks) ADD_FAILURE() << what;
  EXPECT_GT(total.purchases, 0) << "the robots traded";
  EXPECT_GT(total.armed, 0) << "the rules expected a purchase at least once";
}

INSTANTIATE_TEST_SUITE_P(SeedGroups, Soak, ::testing::Range<size_t>(0, 4));

}  // namespace
}  // namespace vantrope::testing

// The stake raise and the needed deposit in extended precision: the known
// figures, and the integer computation against the 80-bit long double.
#include "strategy/extended_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantrope {
namespace {

TEST(BetOnGetBetCost, KnownRaisesIncludingTheProductsThatComeOutOneLower) {
  const std::pair<int32_t, int64_t> cases[] = {{3, 7},   {7, 16},    {16, 37},        {37, 86}, {86, 202},
                                               {20, 47}, {100, 234}, {50000, 117499}, {1, 2},   {0, 0}};
  for (const auto& [stake, raised] : cases) {
    EXPECT_EQ(BetOnGetBetCost(stake), raised) << stake;
    EXPECT_EQ(extended::RaiseExact(stake), raised) << stake;
  }
  EXPECT_GT(BetOnGetBetCost(std::numeric_limits<int32_t>::max()), std::numeric_limits<int32_t>::max())
      << "the raise of the largest stake does not wrap";
  EXPECT_EQ(extended::RaiseExact(-100), -234) << "cut towards zero";
}

TEST(NeededDeposit, FiguresOfTheDepositPages) {
  EXPECT_EQ(NeededDeposit(3, 5), 107) << "7 + 16 + 37 + 85 = 145";
  EXPECT_EQ(NeededDeposit(10, 5), 354);
  EXPECT_EQ(NeededDeposit(3, 1), 2);
  EXPECT_EQ(NeededDeposit(3, 0), 2) << "a length below 1 counts as 1";
  EXPECT_EQ(NeededDeposit(3, 2), 5) << "round(6.9) = 7, round(5.18) = 5";
  // 5 × 2.3 is 11.5 in extended precision, which goes to the even 12:
  // 12 × 0.74 = 8.88.
  EXPECT_EQ(NeededDeposit(5, 2), 9);
  EXPECT_EQ(extended::NeededDepositExact(3, 5), 107);
  EXPECT_EQ(extended::NeededDepositExact(10, 5), 354);
  EXPECT_EQ(extended::NeededDepositExact(5, 2), 9);
}

TEST(NeededDeposit, LongestChainOfTheLargestStakeStaysFiniteAndGrowing) {
  const double longest = NeededDeposit(100000, 99);
  EXPECT_TRUE(std::isfinite(longest));
  EXPECT_GT(longest, 1e39) << "no overflow of a 64-bit integer on the way";
  EXPECT_GT(longest, NeededDeposit(100000, 98));
}

#if LDBL_MANT_DIG == 64

TEST(ExtendedComputations, IntegerRaiseEqualsLongDoubleForEveryStake) {
  int differences = 0;
  for (int32_t stake = 1; stake <= 100000; ++stake)
    if (extended::RaiseExact(stake) != extended::RaiseNative(stake) && ++differences <= 5)
      ADD_FAILURE() << "stake " << stake << ": " << extended::RaiseExact(stake) << " against "
                    << extended::RaiseNative(stake);
  EXPECT_EQ(differences, 0);
  for (const int32_t stake :
       {-7, -100, 1 << 20, 123456789, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min() + 1})
    EXPECT_EQ(extended::RaiseExact(stake), extended::RaiseNative(stake)) << stake;
}

TEST(ExtendedComputations, IntegerDepositEqualsLongDouble) {
  int differences = 0;
  auto compare = [&](int64_t stake, int length) {
    const double exact = extended::NeededDepositExact(stake, length);
    const double native = extended::NeededDepositNative(stake, length);
    if (exact != native && ++differences <= 5)
      ADD_FAILURE() << "stake " << stake << ", length " << length << ": " << exact << " against " << native;
  };
  for (int64_t stake = 1; stake <= 100000; ++stake)
    for (const int length : {2, 5}) compare(stake, length);
  // Every length, up to sums far beyond 64 bits, for a spread of stakes.
  for (int64_t stake = 1; stake <= 100000; stake += 97)
    for (int length = 1; length <= 99; ++length) compare(stake, length);
  EXPECT_EQ(differences, 0);
}

#endif

}  // namespace
}  // namespace vantrope

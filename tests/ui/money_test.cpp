// Rounding money to whole units: a page can show any amount, so every double
// has a defined result.
#include <gtest/gtest.h>

#include <limits>

#include "ui/money.h"

namespace vantrope {
namespace {

TEST(MoneyTest, AmountsBeyondTheWholeNumbersAreHeldAtTheEndsOfTheRange) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max(), kMin = std::numeric_limits<int64_t>::min();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(1e300), kMax);
  EXPECT_EQ(RoundHalfEven(kInf), kMax);
  EXPECT_EQ(RoundHalfEven(9223372036854775808.0), kMax) << "2^63 is just past the range";
  EXPECT_EQ(RoundHalfEven(-9223372036854775808.0), kMin) << "-2^63 is in it";
  EXPECT_EQ(RoundHalfEven(-1e300), kMin);
  EXPECT_EQ(RoundHalfEven(-kInf), kMin);
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(RoundHalfEvenTo<int32_t>(1e300), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(RoundHalfEvenTo<int32_t>(-3e9), std::numeric_limits<int32_t>::min()) << "not wrapped round";
  EXPECT_EQ(RoundHalfEvenTo<uint16_t>(-1), 0);
}

}  // namespace
}  // namespace vantrope

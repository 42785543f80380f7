// The stake raise and the needed-deposit estimate, computed as the robot has
// always computed them: with constants held in the 80-bit extended format and
// every product and sum rounded to its 64-bit mantissa. The figures users know
// depend on it (100 raised gives 234, not 235).
//
// Two computations give the same values: one on the compiler's long double
// where that is the 80-bit format, and one in integers on the constants'
// mantissas, for compilers without it. The program uses the first where it
// exists; tests compare the two.
#pragma once

#include <cfloat>
#include <cstdint>

namespace vantrope {

// The highest stake a chain may raise to.
inline constexpr int64_t MaxStake = 100000;

// The next stake of a chain after a loss: the stake times 2.35, cut towards zero.
int64_t BetOnGetBetCost(int32_t stake);

// The money a chain of the given length puts at risk, started with the
// stake: the raised stakes after the first (each the previous one times 2.3,
// rounded), their sum times 0.74, rounded; the stake itself for a length of 1
// or less. Rounding is half to even.
double NeededDeposit(int64_t stake, int length);

namespace extended {

// A constant as its mantissa and binary exponent: mantissa × 2^exponent.
struct Constant {
  uint64_t mantissa;
  int exponent;
};
inline constexpr Constant kRaiseFactor{0x9666666666666666u, -62};    // just below 2.35
inline constexpr Constant kDepositFactor{0x9333333333333333u, -62};  // just below 2.3
inline constexpr Constant kDepositShare{0xBD70A3D70A3D70A4u, -64};   // just above 0.74

int64_t RaiseExact(int32_t stake);
double NeededDepositExact(int64_t stake, int length);
#if LDBL_MANT_DIG == 64
int64_t RaiseNative(int32_t stake);
double NeededDepositNative(int64_t stake, int length);
#endif

}  // namespace extended
}  // namespace vantrope

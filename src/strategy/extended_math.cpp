#include "strategy/extended_math.h"

#include <cmath>
#include <utility>

namespace vantrope {
namespace extended {
namespace {

// --- the integer computation ---

// An unsigned 128-bit number, kept portable: not every compiler has one.
struct U128 {
  uint64_t hi = 0;
  uint64_t lo = 0;
};

U128 Multiply(uint64_t a, uint64_t b) {
  const uint64_t a_lo = a & 0xFFFFFFFFu, a_hi = a >> 32;
  const uint64_t b_lo = b & 0xFFFFFFFFu, b_hi = b >> 32;
  const uint64_t ll = a_lo * b_lo, lh = a_lo * b_hi, hl = a_hi * b_lo, hh = a_hi * b_hi;
  const uint64_t mid = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  return {hh + (lh >> 32) + (hl >> 32) + (mid >> 32), (mid << 32) | (ll & 0xFFFFFFFFu)};
}

U128 Add(U128 a, U128 b) {
  const uint64_t lo = a.lo + b.lo;
  return {a.hi + b.hi + (lo < a.lo ? 1 : 0), lo};
}

// Shifts by 0..127 bits.
U128 ShiftLeft(U128 v, int n) {
  if (n == 0) return v;
  if (n >= 64) return {v.lo << (n - 64), 0};
  return {(v.hi << n) | (v.lo >> (64 - n)), v.lo << n};
}

U128 ShiftRight(U128 v, int n) {
  if (n == 0) return v;
  if (n >= 64) return {0, v.hi >> (n - 64)};
  return {v.hi >> n, (v.lo >> n) | (v.hi << (64 - n))};
}

// The lowest n bits, 1..128.
U128 LowBits(U128 v, int n) {
  if (n >= 128) return v;
  if (n >= 64) return {n == 64 ? 0 : v.hi & ((uint64_t{1} << (n - 64)) - 1), v.lo};
  return {0, v.lo & ((uint64_t{1} << n) - 1)};
}

int Compare(U128 a, U128 b) {
  if (a.hi != b.hi) return a.hi < b.hi ? -1 : 1;
  if (a.lo != b.lo) return a.lo < b.lo ? -1 : 1;
  return 0;
}

bool IsZero(U128 v) { return v.hi == 0 && v.lo == 0; }

int BitLength(U128 v) {
  int bits = 0;
  for (uint64_t word = v.hi != 0 ? v.hi : v.lo; word != 0; word >>= 1) ++bits;
  return v.hi != 0 ? bits + 64 : bits;
}

// Whether the dropped part calls for rounding up, half to even; `sticky`
// says that nonzero bits lie below the dropped part too.
bool RoundsUp(U128 dropped, int dropped_bits, bool sticky, uint64_t kept) {
  const int to_half = Compare(dropped, ShiftLeft({0, 1}, dropped_bits - 1));
  return to_half > 0 || (to_half == 0 && (sticky || (kept & 1) != 0));
}

// A non-negative value of the extended format: m × 2^e, with the top bit of
// m set unless the value is 0.
struct Ext {
  uint64_t m = 0;
  int e = 0;
};

// v × 2^e rounded to a 64-bit mantissa.
Ext Normalise(U128 v, int e, bool sticky = false) {
  const int bits = BitLength(v);
  if (bits == 0) return {};
  if (bits <= 64) {
    const int up = 64 - bits;
    return {v.lo << up, e - up};
  }
  const int drop = bits - 64;
  uint64_t kept = ShiftRight(v, drop).lo;
  if (RoundsUp(LowBits(v, drop), drop, sticky, kept) && ++kept == 0) return {uint64_t{1} << 63, e + drop + 1};
  return {kept, e + drop};
}

Ext FromInteger(uint64_t n) { return Normalise({0, n}, 0); }

Ext Times(Ext a, Constant c) {
  if (a.m == 0) return {};
  return Normalise(Multiply(a.m, c.mantissa), a.e + c.exponent);
}

Ext Plus(Ext a, Ext b) {
  if (a.m == 0) return b;
  if (b.m == 0) return a;
  if (a.e < b.e) std::swap(a, b);
  const int apart = a.e - b.e;
  // Both mantissas moved up by 62 bits: room below for b's lower bits and
  // above for the carry.
  const U128 wide_a = ShiftLeft({0, a.m}, 62);
  U128 wide_b = ShiftLeft({0, b.m}, 62);
  bool sticky = false;
  if (apart >= 126) {
    wide_b = {};
    sticky = true;
  } else if (apart > 0) {
    sticky = !IsZero(LowBits(wide_b, apart));
    wide_b = ShiftRight(wide_b, apart);
  }
  return Normalise(Add(wide_a, wide_b), a.e - 62, sticky);
}

Ext RoundToInteger(Ext x) {
  if (x.m == 0 || x.e >= 0) return x;
  if (x.e < -64) return {};  // below one half
  const int drop = -x.e;
  const U128 v{0, x.m};
  uint64_t kept = ShiftRight(v, drop).lo;
  if (RoundsUp(LowBits(v, drop), drop, false, kept)) ++kept;
  return FromInteger(kept);
}

uint64_t Truncate(Ext x) {
  if (x.e >= 0) return x.m << x.e;
  if (x.e <= -64) return 0;
  return x.m >> -x.e;
}

uint64_t Magnitude(int64_t n) { return n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n); }

#if LDBL_MANT_DIG == 64

// --- the computation on the 80-bit long double ---

long double Value(Constant c) { return std::ldexp(static_cast<long double>(c.mantissa), c.exponent); }

long double RoundHalfEven(long double x) {
  const long double down = std::floor(x);
  const long double above = x - down;
  if (above > 0.5L) return down + 1;
  if (above < 0.5L) return down;
  return std::fmod(down, 2.0L) == 0 ? down : down + 1;
}

// Some run-times set the x87 unit to 53-bit products; long double then
// gives other figures, and the integer computation is used instead.
bool NativeUsable() {
  static const bool usable = RaiseNative(100) == 234 && RaiseNative(20) == 47;
  return usable;
}

#endif

}  // namespace

int64_t RaiseExact(int32_t stake) {
  const uint64_t raised = Truncate(Times(FromInteger(Magnitude(stake)), kRaiseFactor));
  return stake < 0 ? -static_cast<int64_t>(raised) : static_cast<int64_t>(raised);
}

double NeededDepositExact(int64_t stake, int length) {
  Ext total;
  if (length <= 1) {
    total = FromInteger(Magnitude(stake));
  } else {
    Ext next = FromInteger(Magnitude(stake));
    for (int i = 1; i < length; ++i) {
      next = RoundToInteger(Times(next, kDepositFactor));
      total = Plus(total, next);
    }
  }
  const Ext deposit = RoundToInteger(Times(total, kDepositShare));
  const double shown = std::ldexp(static_cast<double>(deposit.m), deposit.e);
  return stake < 0 ? -shown : shown;
}

#if LDBL_MANT_DIG == 64

int64_t RaiseNative(int32_t stake) {
  return static_cast<int64_t>(std::trunc(static_cast<long double>(stake) * Value(kRaiseFactor)));
}

double NeededDepositNative(int64_t stake, int length) {
  long double total = 0;
  if (length <= 1) {
    total = static_cast<long double>(stake);
  } else {
    long double next = static_cast<long double>(stake);
    for (int i = 1; i < length; ++i) {
      next = RoundHalfEven(next * Value(kDepositFactor));
      total += next;
    }
  }
  return static_cast<double>(RoundHalfEven(total * Value(kDepositShare)));
}

#endif

}  // namespace extended

int64_t BetOnGetBetCost(int32_t stake) {
#if LDBL_MANT_DIG == 64
  if (extended::NativeUsable()) return extended::RaiseNative(stake);
#endif
  return extended::RaiseExact(stake);
}

double NeededDeposit(int64_t stake, int length) {
#if LDBL_MANT_DIG == 64
  if (extended::NativeUsable()) return extended::NeededDepositNative(stake, length);
#endif
  return extended::NeededDepositExact(stake, length);
}

}  // namespace vantrope

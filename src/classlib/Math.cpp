#include "classlib/Math.h"

#include <algorithm>
#include <cmath>
#include <limits>

void RaiseInvalidOp() { throw EInvalidOp("Invalid floating point operation"); }
void RaiseZeroDivide() { throw EZeroDivide("Floating point division by zero"); }
void RaiseOverflow() { throw EOverflow("Floating point overflow"); }

namespace {
constexpr Extended kInt64Limit = 9223372036854775808.0L;  // 2^63

Int64 ToInt64(Extended whole) {
  if (std::isnan(whole) || whole >= kInt64Limit || whole < -kInt64Limit) RaiseInvalidOp();
  return static_cast<Int64>(whole);
}
}  // namespace

Int64 Round(Extended X) {
  // nearbyint in the default rounding mode (to nearest, ties to even).
  return ToInt64(std::nearbyint(X));
}

Int64 Trunc(Extended X) { return ToInt64(std::trunc(X)); }

Extended Frac(Extended X) { return X - std::trunc(X); }
Extended Int(Extended X) { return std::trunc(X); }

Integer Ceil(Extended X) {
  const Int64 v = ToInt64(std::ceil(X));
  if (v > std::numeric_limits<Integer>::max() || v < std::numeric_limits<Integer>::min()) RaiseInvalidOp();
  return static_cast<Integer>(v);
}

Integer Floor(Extended X) {
  const Int64 v = ToInt64(std::floor(X));
  if (v > std::numeric_limits<Integer>::max() || v < std::numeric_limits<Integer>::min()) RaiseInvalidOp();
  return static_cast<Integer>(v);
}

Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator) {
  if (Denominator == 0) return -1;
  const Int64 product = static_cast<Int64>(Number) * Numerator;
  const bool negative = (product < 0) != (Denominator < 0);
  const uint64_t p = product < 0 ? 0ull - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  const uint64_t d = Denominator < 0 ? 0ull - static_cast<uint64_t>(static_cast<Int64>(Denominator))
                                     : static_cast<uint64_t>(Denominator);
  uint64_t q = p / d;
  if ((p % d) * 2 >= d) ++q;  // halves away from zero
  if (q > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return -1;
  return negative ? static_cast<Integer>(-static_cast<Int64>(q)) : static_cast<Integer>(q);
}

Extended IntPower(Extended Base, Integer Exponent) {
  uint64_t e = Exponent < 0 ? 0ull - static_cast<uint64_t>(static_cast<Int64>(Exponent)) : static_cast<uint64_t>(Exponent);
  Extended result = 1, b = Base;
  while (e != 0) {
    if (e & 1) result *= b;
    b *= b;
    e >>= 1;
  }
  return Exponent < 0 ? 1 / result : result;
}

Extended Power(Extended Base, Extended Exponent) {
  if (Exponent == 0) return 1;
  if (Base == 0) {
    if (Exponent > 0) return 0;
    RaiseZeroDivide();
  }
  Extended r;
  if (std::trunc(Exponent) == Exponent && std::fabs(Exponent) <= 2147483647.0L) {
    r = IntPower(Base, static_cast<Integer>(Exponent));
  } else {
    if (Base < 0) RaiseInvalidOp();
    r = std::exp(Exponent * std::log(Base));
  }
  return CheckFinite(r);
}

Extended Log10(Extended X) { return CheckedLog10(X); }
Extended Log2(Extended X) { return CheckedLn(X) / std::log(2.0L); }
Extended LogN(Extended Base, Extended X) { return CheckedDivide(CheckedLn(X), CheckedLn(Base)); }

bool SameValue(Extended A, Extended B, Extended Epsilon) {
  if (Epsilon == 0) Epsilon = std::max(std::min(std::fabs(A), std::fabs(B)) * 1e-15L, 1e-15L);
  return A > B ? (A - B) <= Epsilon : (B - A) <= Epsilon;
}

bool IsZero(Extended A, Extended Epsilon) { return std::fabs(A) <= (Epsilon == 0 ? 1e-15L : Epsilon); }

Extended CheckedDivide(Extended A, Extended B) {
  if (B == 0) {
    if (A == 0 || std::isnan(A)) RaiseInvalidOp();
    RaiseZeroDivide();
  }
  return CheckFinite(A / B);
}

Extended CheckedSqrt(Extended X) {
  if (X < 0 || std::isnan(X)) RaiseInvalidOp();
  return std::sqrt(X);
}

Extended CheckedLn(Extended X) {
  if (X < 0 || std::isnan(X)) RaiseInvalidOp();
  if (X == 0) RaiseZeroDivide();
  return std::log(X);
}

Extended CheckedLog10(Extended X) {
  if (X < 0 || std::isnan(X)) RaiseInvalidOp();
  if (X == 0) RaiseZeroDivide();
  return std::log10(X);
}

Extended CheckedExp(Extended X) { return CheckFinite(std::exp(X)); }

Extended CheckedArcCos(Extended X) {
  if (!(X >= -1 && X <= 1)) RaiseInvalidOp();
  return std::acos(X);
}

Extended CheckFinite(Extended X) {
  if (std::isnan(X)) RaiseInvalidOp();
  if (std::isinf(X)) RaiseOverflow();
  return X;
}

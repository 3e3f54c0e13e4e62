// Rounding, integer scaling and the few real functions the program uses, plus checked variants
// that raise the classic floating-point errors where the arithmetic would give NaN or infinity.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

// Nearest integer; exact halves go to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Raises EInvalidOp for NaN, infinities and values outside the Int64 range.
Int64 Round(Extended X);
// Toward zero. Same errors as Round.
Int64 Trunc(Extended X);
// Fraction with the sign of X (Frac(-1.25) = -0.25); Int is the whole part toward zero.
Extended Frac(Extended X);
Extended Int(Extended X);
// Smallest integer >= X, largest integer <= X.
Integer Ceil(Extended X);
Integer Floor(Extended X);

// Number * Numerator / Denominator with a 64-bit intermediate, rounded to nearest with halves
// away from zero; -1 when Denominator is 0 or the result does not fit.
Integer MulDiv(Integer Number, Integer Numerator, Integer Denominator);

// Base ^ Exponent by repeated squaring (negative exponents give 1 / Base^-Exponent).
Extended IntPower(Extended Base, Integer Exponent);
// Base ^ Exponent: 1 for Exponent 0, 0 for Base 0 with a positive exponent, IntPower for whole
// exponents; otherwise exp(Exponent ln Base). Raises EInvalidOp for a negative Base with a
// fractional exponent, EZeroDivide for 0 to a negative power, EOverflow past the range.
Extended Power(Extended Base, Extended Exponent);
// Raise EInvalidOp for X < 0 (and X = 0: EZeroDivide), as the logarithm of those does.
Extended Log10(Extended X);
Extended Log2(Extended X);
Extended LogN(Extended Base, Extended X);

inline Integer Min(Integer A, Integer B) { return A < B ? A : B; }
inline Integer Max(Integer A, Integer B) { return A > B ? A : B; }
inline Int64 Min(Int64 A, Int64 B) { return A < B ? A : B; }
inline Int64 Max(Int64 A, Int64 B) { return A > B ? A : B; }
inline double Min(double A, double B) { return A < B ? A : B; }
inline double Max(double A, double B) { return A > B ? A : B; }
inline Extended Min(Extended A, Extended B) { return A < B ? A : B; }
inline Extended Max(Extended A, Extended B) { return A > B ? A : B; }
inline Integer Sign(Extended X) { return X > 0 ? 1 : (X < 0 ? -1 : 0); }
inline bool InRange(Integer Value, Integer AMin, Integer AMax) { return Value >= AMin && Value <= AMax; }
inline Integer EnsureRange(Integer Value, Integer AMin, Integer AMax) {
  return Value < AMin ? AMin : (Value > AMax ? AMax : Value);
}
// Equal within Epsilon (0: a small multiple of the values' magnitude).
bool SameValue(Extended A, Extended B, Extended Epsilon = 0);
bool IsZero(Extended A, Extended Epsilon = 0);

// ---- checked arithmetic: the classic floating-point errors
// Texts: "Invalid floating point operation", "Floating point division by zero",
// "Floating point overflow".
[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseOverflow();

// A / B: EZeroDivide for x/0 (x != 0), EInvalidOp for 0/0, EOverflow when the quotient is
// infinite.
Extended CheckedDivide(Extended A, Extended B);
// EInvalidOp for X < 0.
Extended CheckedSqrt(Extended X);
// EInvalidOp for X < 0, EZeroDivide for X = 0.
Extended CheckedLn(Extended X);
Extended CheckedLog10(Extended X);
// EOverflow when the result is infinite.
Extended CheckedExp(Extended X);
// EInvalidOp for |X| > 1.
Extended CheckedArcCos(Extended X);
// X unchanged when finite; EInvalidOp for NaN, EOverflow for an infinity.
Extended CheckFinite(Extended X);

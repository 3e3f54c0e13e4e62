// Rounding rules and the checked arithmetic that stands in for floating-point exceptions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "classlib/Math.h"

namespace {

TEST(Rounding, HalvesToEvenTruncTowardZero) {
  struct {
    long double x;
    Int64 round, trunc;
  } cases[] = {{2.5L, 2, 2},   {3.5L, 4, 3},   {-2.5L, -2, -2}, {-3.5L, -4, -3}, {0.5L, 0, 0},
               {1.5L, 2, 1},   {2.4999L, 2, 2}, {-0.5L, 0, 0},  {-1.7L, -2, -1}, {1e15L + 0.5L, 1000000000000000, 1000000000000000}};
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.x), c.round) << static_cast<double>(c.x);
    EXPECT_EQ(Trunc(c.x), c.trunc) << static_cast<double>(c.x);
  }
  EXPECT_EQ(Round(0.49999999999999994), 0);  // no add-a-half error
  EXPECT_THROW(Round(std::nan("")), EInvalidOp);
  EXPECT_THROW(Trunc(1e30L), EInvalidOp);
  EXPECT_DOUBLE_EQ(static_cast<double>(Frac(-1.25L)), -0.25);
  EXPECT_EQ(Ceil(-1.5L), -1);
  EXPECT_EQ(Floor(-1.5L), -2);
}

TEST(Rounding, MulDivRoundsHalvesAwayFromZero) {
  EXPECT_EQ(MulDiv(5, 1, 2), 3);
  EXPECT_EQ(MulDiv(-5, 1, 2), -3);
  EXPECT_EQ(MulDiv(5, -1, -2), 3);
  EXPECT_EQ(MulDiv(7, 1, 3), 2);
  EXPECT_EQ(MulDiv(100000, 100000, 100), 100000000);  // 64-bit intermediate
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
  EXPECT_EQ(MulDiv(2147483647, 2, 1), -1);  // does not fit
  EXPECT_EQ(MulDiv(-2147483647 - 1, 1, 1), -2147483647 - 1);
}

TEST(CheckedMath, RaiseTheClassicErrors) {
  EXPECT_DOUBLE_EQ(static_cast<double>(CheckedDivide(1, 4)), 0.25);
  EXPECT_THROW(CheckedDivide(1, 0), EZeroDivide);
  EXPECT_THROW(CheckedDivide(0, 0), EInvalidOp);
  EXPECT_THROW(CheckedDivide(std::numeric_limits<long double>::max(), 0.5L), EOverflow);
  EXPECT_THROW(CheckedSqrt(-1e-300L), EInvalidOp);
  EXPECT_EQ(CheckedSqrt(0), 0);
  EXPECT_THROW(CheckedLn(0), EZeroDivide);
  EXPECT_THROW(CheckedLn(-1), EInvalidOp);
  EXPECT_THROW(CheckedLog10(-1), EInvalidOp);
  EXPECT_THROW(CheckedExp(1e6L), EOverflow);
  EXPECT_THROW(CheckedArcCos(1.0000001L), EInvalidOp);
  EXPECT_THROW(CheckFinite(std::numeric_limits<double>::infinity()), EOverflow);
  try {
    CheckedDivide(0, 0);
  } catch (const EMathError& e) {
    EXPECT_EQ(e.Message, "Invalid floating point operation");
  }
  EXPECT_DOUBLE_EQ(static_cast<double>(Log10(1000)), 3.0);
  EXPECT_THROW(Log10(0), EZeroDivide);
}

TEST(CheckedMath, Powers) {
  EXPECT_EQ(IntPower(2, 10), 1024);
  EXPECT_EQ(IntPower(2, -2), 0.25);
  EXPECT_EQ(IntPower(-3, 3), -27);
  EXPECT_EQ(Power(0, 0), 1);
  EXPECT_EQ(Power(0, 2.5L), 0);
  EXPECT_EQ(Power(-2, 3), -8);
  EXPECT_NEAR(static_cast<double>(Power(10, 0.5L)), std::sqrt(10.0), 1e-15);
  EXPECT_THROW(Power(-2, 0.5L), EInvalidOp);
  EXPECT_THROW(Power(0, -1), EZeroDivide);
  EXPECT_THROW(Power(10, 1e6L), EOverflow);
}

}  // namespace

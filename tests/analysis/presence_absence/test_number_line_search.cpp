#include <gtest/gtest.h>

#include <random>

#include "analysis/presence_absence/NumberLineSearch.h"

namespace {

// The walk the search must agree with: j := 0, cum := 0; repeat j += 1, cum += line[j]
// until cum passes x; the last element when the line ends first.
int Walk(const NumberLine& line, double x, bool strict) {
  double cum = 0;
  const int last = static_cast<int>(line.size()) - 1;
  for (int j = 1; j <= last; ++j) {
    cum += line[j];
    if (strict ? cum > x : cum >= x) return j;
  }
  return last;
}

}  // namespace

TEST(NumberLineSearch, TiesGoToTheNeighbourTheRuleNames) {
  NumberLineSearch s;
  s.Build({1.0, 0.0, 0.5, 0.5});
  EXPECT_EQ(s.FindAtLeast(0.0), 1);  // a leading zero weight is chosen only for x = 0 under >=
  EXPECT_EQ(s.FindStrict(0.0), 2);
  EXPECT_EQ(s.FindAtLeast(0.5), 2);  // cum = x exactly
  EXPECT_EQ(s.FindStrict(0.5), 3);
  // Normalised weights that sum below 1: a real beyond the sum stops at the last element.
  s.Build({1.0, 0.3, 0.3});
  EXPECT_EQ(s.FindStrict(0.9), 2);
  EXPECT_EQ(s.FindAtLeast(0.9), 2);
}

TEST(NumberLineSearch, AgreesWithTheWalkOnRandomLines) {
  std::mt19937 gen(7);
  for (int trial = 0; trial < 200; ++trial) {
    const int n = 1 + static_cast<int>(gen() % 300);
    NumberLine line(n + 1);
    double sum = 0;
    for (int j = 1; j <= n; ++j) {
      const unsigned kind = gen() % 10;
      line[j] = kind == 0 ? 0.0 : kind == 1 ? 1e-12 : (gen() % 1000) + 1;
      if (trial % 20 == 19 && kind == 2) line[j] = -line[j];  // non-monotone lines are walked
      sum += line[j];
    }
    line[0] = sum;
    for (int j = 1; j <= n; ++j) line[j] /= sum;
    NumberLineSearch s;
    s.Build(line);
    for (int k = 0; k < 400; ++k) {
      // Reals as the random source makes them (32 bits), plus exact partial sums (ties).
      double x = static_cast<double>(gen()) / 4294967296.0;
      if (k % 4 == 0) {
        double cum = 0;
        const int upto = 1 + static_cast<int>(gen() % n);
        for (int j = 1; j <= upto; ++j) cum += line[j];
        if (cum >= 0 && cum < 1) x = cum;
      }
      ASSERT_EQ(s.FindStrict(x), Walk(line, x, true)) << "trial " << trial << " x " << x;
      ASSERT_EQ(s.FindAtLeast(x), Walk(line, x, false)) << "trial " << trial << " x " << x;
    }
  }
}

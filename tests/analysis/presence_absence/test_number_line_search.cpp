#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

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

// The fills ask by the random source's state s (the real s / 2^32). States next to each
// partial sum scaled by 2^32 are where a slice table could be off by one.
TEST(NumberLineSearch, StatesAgreeWithTheWalk) {
  std::mt19937 gen(11);
  for (int trial = 0; trial < 120; ++trial) {
    const int n = 1 + static_cast<int>(gen() % 400);
    NumberLine line(n + 1);
    double sum = 0;
    for (int j = 1; j <= n; ++j) {
      const unsigned kind = gen() % 10;
      line[j] = kind == 0 ? 0.0 : kind == 1 ? 1e-12 : (gen() % 1000) + 1;
      if (trial % 20 == 19 && kind == 2) line[j] = -line[j];
      sum += line[j];
    }
    line[0] = sum;
    // Whole weights over a power of two on some lines, so that partial sums are states
    // exactly (ties).
    const bool dyadic = trial % 3 == 0 && sum > 0;
    const int exponent = static_cast<int>(std::ceil(std::log2(std::max(sum, 1.0))));
    for (int j = 1; j <= n; ++j)
      line[j] = dyadic ? std::ldexp(std::floor(line[j]), -exponent) : line[j] / sum;
    NumberLineSearch s;
    s.Build(line);
    std::vector<uint32_t> states;
    for (int k = 0; k < 300; ++k) states.push_back(static_cast<uint32_t>(gen()));
    double cum = 0;
    for (int j = 1; j <= n; ++j) {
      cum += line[j];
      const double scaled = std::floor(cum * 4294967296.0);
      if (scaled < 0 || scaled >= 4294967296.0) continue;
      const auto at = static_cast<uint32_t>(scaled);
      for (uint32_t d : {0u, 1u, 0xFFFFFFFFu}) states.push_back(at + d);
    }
    states.push_back(0);
    states.push_back(0xFFFFFFFFu);
    for (uint32_t state : states) {
      const double x = static_cast<double>(state) / 4294967296.0;
      SCOPED_TRACE(testing::Message() << "trial " << trial << ", state " << state);
      ASSERT_EQ(s.FindStrictForState(state), Walk(line, x, true));
      ASSERT_EQ(s.FindAtLeastForState(state), Walk(line, x, false));
    }
  }
}

// A rebuild with another line answers for that line, also when it returns to an earlier one.
TEST(NumberLineSearch, RebuildFollowsTheLine) {
  const NumberLine a{1.0, 0.5, 0.5};
  const NumberLine b{1.0, 0.25, 0.75};
  NumberLineSearch s;
  s.Build(a);
  EXPECT_EQ(s.FindAtLeastForState(0x60000000u), 1);  // 0.375
  s.Build(b);
  EXPECT_EQ(s.FindAtLeastForState(0x60000000u), 2);
  EXPECT_EQ(s.FindAtLeast(0.375), 2);
  s.Build(a);
  EXPECT_EQ(s.FindAtLeastForState(0x60000000u), 1);
}

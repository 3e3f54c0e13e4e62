// The regression core: the least-squares line against lines worked by hand, the chart line's
// three points, the permutation of Y, and the tail probability of the slope under data with
// no relation (uniform, so that P1 <= 0.05 in about 5% of data sets).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/regression/RegressionSims.h"
#include "classlib/Random.h"

namespace {

TEST(RegressionSims, LinesWorkedByHand) {
  struct Case {
    const char* name;
    std::vector<double> x, y;
    double slope, intercept, r;
  };
  const Case cases[] = {
      // Sxx = 10, Syy = 6, Sxy = 6: slope 0.6, intercept 4 - 0.6 * 3, r = 6 / sqrt(60).
      {"x 1..5", {1, 2, 3, 4, 5}, {2, 4, 5, 4, 5}, 0.6, 2.2, 6 / std::sqrt(60.0)},
      {"y = 2x + 1", {1, 2, 3, 4, 5}, {3, 5, 7, 9, 11}, 2, 1, 1},
      {"y = -x", {-2, 0, 2}, {2, 0, -2}, -1, 0, -1},
      {"two points", {0, 1}, {0, 2}, 2, 0, 1},
      {"constant y", {1, 2, 3}, {4, 4, 4}, 0, 4, 0},
      {"constant x", {2, 2, 2}, {1, 5, 3}, 0, 3, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const TRegressionLine line = Do_Regression(k.x, k.y);
    EXPECT_NEAR(line.Slope, k.slope, 1e-12);
    EXPECT_NEAR(line.Intercept, k.intercept, 1e-12);
    EXPECT_NEAR(line.R, k.r, 1e-12);
  }
}

// From x = 0 through the means to the largest x, whatever the data's X range.
TEST(RegressionSims, ChartLineStartsAtZeroAndPassesTheMeans) {
  const std::vector<TChartPoint> p = RegressionLinePoints({1, 2, 3, 4, 5}, {2, 4, 5, 4, 5}, 5, 0.6);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_DOUBLE_EQ(p[0].X, 0);
  EXPECT_DOUBLE_EQ(p[0].Y, 2.2);
  EXPECT_DOUBLE_EQ(p[1].X, 3);
  EXPECT_DOUBLE_EQ(p[1].Y, 4);
  EXPECT_DOUBLE_EQ(p[2].X, 5);
  EXPECT_DOUBLE_EQ(p[2].Y, 5.2);
  const std::vector<TChartPoint> far = RegressionLinePoints({100, 101}, {1, 3}, 101, 2);
  EXPECT_DOUBLE_EQ(far[0].X, 0);
  EXPECT_DOUBLE_EQ(far[0].Y, 2 - 2 * 100.5);
}

// Each call is one more permutation of what the last one left; the values are kept.
TEST(RegressionSims, PermutationKeepsTheValuesAndDrawsOncePerElement) {
  std::vector<double> y{1, 2, 3, 4, 5, 6, 7};
  RandSeed = 99;
  RandomizeLists(y);
  const Cardinal after = RandSeed;
  RandSeed = 99;
  for (int k = 0; k < 7; ++k) Random(7);
  EXPECT_EQ(after, RandSeed);  // seven draws, no more
  std::vector<double> sorted = y;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<double>{1, 2, 3, 4, 5, 6, 7}));
  const std::vector<double> first = y;
  RandomizeLists(y);
  EXPECT_NE(y, first);
  // Two rows: each permutation keeps or swaps them.
  std::vector<double> two{1, 2};
  bool kept = false, swapped = false;
  for (int i = 0; i < 50; ++i) {
    RandomizeLists(two);
    (two[0] == 1 ? kept : swapped) = true;
  }
  EXPECT_TRUE(kept && swapped);
}

// Under no relation the observed slope's rank among 5000 permutations is uniform: across 200
// independent data sets, P1 <= 0.05 in 5% of them, within three standard errors.
TEST(RegressionSims, LowerTailOfTheSlopeIsUniformWithoutRelation) {
  constexpr int kSeeds = 200;
  constexpr int kIterations = 5000;
  constexpr int kRows = 12;
  std::vector<double> x(kRows), y(kRows), slopes(kIterations), intercepts(kIterations), rs(kIterations);
  for (int i = 0; i < kRows; ++i) x[static_cast<size_t>(i)] = i + 1;
  int small = 0;
  for (int seed = 1; seed <= kSeeds; ++seed) {
    // Y from a generator of its own, independent of X and of the permutations.
    std::mt19937 data(static_cast<unsigned>(seed));
    std::normal_distribution<double> noise(10, 3);
    for (double& v : y) v = noise(data);
    const double observed = Do_Regression(x, y).Slope;
    RandSeed = static_cast<Cardinal>(seed) * 7919u;
    SimulateRegression(x, y, kIterations, slopes, intercepts, rs);
    double p1 = 0, p2 = 0;
    Integer greater = 0, equal = 0, less = 0;
    CalculateTailCounts(kIterations, slopes, observed, p1, p2, greater, equal, less);
    if (p1 <= 0.05) ++small;
  }
  const double fraction = static_cast<double>(small) / kSeeds;
  const double se = std::sqrt(0.05 * 0.95 / kSeeds);
  EXPECT_NEAR(fraction, 0.05, 3 * se) << small << " of " << kSeeds;
}

}  // namespace

// A permuted line from the X sums taken once equals the line computed afresh, for data typed
// with decimals (whose extended sums are not exact, so their order matters) as for whole
// numbers, with ties in X.
TEST(RegressionSims, PermutedLinesFromFixedSumsEqualFreshLines) {
  std::mt19937 gen(4);
  for (bool decimals : {true, false}) {
    std::vector<double> x, y;
    for (int i = 0; i < 300; ++i) {
      x.push_back(i % 37);
      y.push_back(decimals ? std::round(std::uniform_real_distribution<double>(-50, 150)(gen) * 1000) / 1000
                           : static_cast<double>(gen() % 1000));
    }
    RegressionSums sums = CalculateRegressionSums(x, y, static_cast<Integer>(y.size()));
    RandSeed = 31;
    for (int i = 0; i < 300; ++i) {
      RandomizeLists(y);
      const TRegressionLine fresh = Do_Regression(x, y), permuted = Do_PermutedRegression(sums, x, y);
      ASSERT_EQ(fresh.Slope, permuted.Slope) << "permutation " << i << (decimals ? " (decimals)" : "");
      ASSERT_EQ(fresh.Intercept, permuted.Intercept) << "permutation " << i;
      ASSERT_EQ(fresh.R, permuted.R) << "permutation " << i;
    }
  }
}

// A total of Y that no order of adding changes is taken once; any doubt keeps it summed afresh.
TEST(RegressionSims, TotalsExactInAnyOrder) {
  const double big = std::ldexp(1.0, 62);
  const struct {
    const char* name;
    std::vector<double> values;
    bool exact;
  } cases[] = {
      {"whole numbers", {3, -7, 1000000, 12}, true},
      {"halves and quarters", {0.5, 2.25, -1.75}, true},
      {"all zeros", {0, 0, -0.0}, true},
      // 0.1 holds bits down to 2^-55: a few such values still add up exactly, a thousand not.
      {"a few typed decimals", {0.1, 2.3, 4.5}, true},
      {"typed decimals", {0.1, 1000.3, 4.5}, false},
      {"one bit past the significand", {big, big, 1}, false},
      {"just inside it", {big, 1}, true},
      {"tiny beside large", {1e-300, 1}, false},
      {"not a number", {1, std::nan("")}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(SumExactInAnyOrder(c.values, c.values.size()), c.exact) << c.name;
  // Only the first Count values count.
  EXPECT_TRUE(SumExactInAnyOrder({1, 2, 0.1}, 2));
}

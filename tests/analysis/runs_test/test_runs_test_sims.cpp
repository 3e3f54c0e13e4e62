// The runs test kernel: ordering by X, the run statistics of presence and count vectors
// worked by hand (linear and angular), what each randomiser keeps over several seeds, the
// proportional draw walked by hand, and the proportional refusals and interrupt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "analysis/runs_test/RunsTestSims.h"
#include "classlib/Random.h"

namespace {

TProportionalPick P(const NumberLine& Line) {
  TProportionalPick p;
  p.Build(Line);
  return p;
}

TEST(RunsTestSims, OrderingAndStatisticsWorkedByHand) {
  const TRunsData d = SortByX({5, 1, 3, 2, 4}, {1, 0, 1, 1, 0});
  EXPECT_EQ(d.xVarsSorted, (std::vector<double>{1, 2, 3, 4, 5}));
  EXPECT_EQ(d.yVarsSims, (std::vector<Integer>{0, 1, 1, 0, 1}));
  EXPECT_EQ(d.Order, (std::vector<Integer>{1, 3, 2, 4, 0}));
  EXPECT_EQ(CountOnes({1, 0, 1, 1, 0}, false), 3);
  std::vector<double> ones(3);
  TRunStatistics s = CalculateRuns_WithoutReplacement(3, ones, d.yVarsSims, d.xVarsSorted, false);
  EXPECT_EQ(s.LongestRun, 2);
  EXPECT_NEAR(s.Mean, 10.0 / 3, 1e-14);  // 2, 3, 5
  EXPECT_NEAR(s.Variance, 7.0 / 3, 1e-14);

  // Counts: Y = 2, 0, 1, 1, 0 gives 0, 1, 1, 0, 2 and the values 2, 3, 5, 5.
  const TRunsData c = SortByX({5, 1, 3, 2, 4}, {2, 0, 1, 1, 0});
  EXPECT_EQ(c.yVarsSims, (std::vector<Integer>{0, 1, 1, 0, 2}));
  EXPECT_EQ(CountOnes({2, 0, 1, 1, 0}, true), 4);
  ones.assign(4, 0);
  s = CalculateRuns_WithReplacement(4, ones, c.yVarsSims, c.xVarsSorted, false);
  EXPECT_EQ(s.LongestRun, 2);
  EXPECT_NEAR(s.Mean, 15.0 / 4, 1e-14);
  EXPECT_NEAR(s.Variance, (1.75 * 1.75 + 0.75 * 0.75 + 2 * 1.25 * 1.25) / 3, 1e-14);
  // Two adjacent counts of 3 make a run of 6 individuals.
  ones.assign(6, 0);
  EXPECT_EQ(CalculateRuns_WithReplacement(6, ones, {0, 3, 3, 0}, {1, 2, 3, 4}, false).LongestRun, 6);

  // Equal X keep their grid order.
  const TRunsData e = SortByX({2, 1, 2, 1}, {7, 8, 9, 10});
  EXPECT_EQ(e.yVarsSims, (std::vector<Integer>{8, 10, 7, 9}));

  // Angles 350 and 10 (and 20, unoccupied): mean direction 0, not 180.
  ones.assign(2, 0);
  s = CalculateRuns_WithoutReplacement(2, ones, {1, 0, 1}, {10, 20, 350}, true);
  EXPECT_NEAR(s.Mean, 0, 1e-9);
  EXPECT_NEAR(s.Variance, 1 - std::cos(10 * M_PI / 180), 1e-12);
}

TEST(RunsTestSims, EachRandomiserKeepsWhatItMustOverSeveralSeeds) {
  const std::vector<double> x{1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<Integer> observed{0, 2, 1, 0, 0, 3, 1, 0};
  for (bool proportional : {false, true})
    for (bool replacement : {false, true}) {
      SCOPED_TRACE(std::to_string(proportional) + std::to_string(replacement));
      TRunsModel m;
      m.Proportional = proportional;
      m.WithReplacement = replacement;
      m.OnesCount = CountOnes(observed, replacement);
      m.Prepare(x);
      for (Cardinal seed : {1u, 17u, 99999u, 3000000000u}) {
        RandSeed = seed;
        std::vector<Integer> v = observed;
        for (int i = 0; i < 30; ++i) {
          ASSERT_TRUE(m.Randomize(v, NeverInterrupted, nullptr));
          if (!proportional && !replacement) {
            std::vector<Integer> a = v, b = observed;
            std::sort(a.begin(), a.end());
            std::sort(b.begin(), b.end());
            EXPECT_EQ(a, b);
          } else if (!replacement) {
            EXPECT_EQ(std::count(v.begin(), v.end(), 1), 4);
            EXPECT_EQ(std::count(v.begin(), v.end(), 0), 4);
          } else {
            Integer sum = 0;
            for (Integer k : v) sum += k;
            EXPECT_EQ(sum, 7);
          }
        }
      }
    }
}

// The first position whose running proportion exceeds u; weight-0 positions never drawn.
TEST(RunsTestSims, ProportionalDrawWalkedByHand) {
  const std::vector<double> x{0, 1, 0, 3};
  NumberLine line(4, 0);
  double sum = 0;
  SetUpNumberLine(x, line, sum);
  EXPECT_EQ(sum, 4);
  EXPECT_EQ(line, (NumberLine{0, 0.25, 0, 0.75}));
  RandSeed = 5;
  std::vector<Integer> v(4, 9);
  ASSERT_TRUE(Proportional_WithReplacement(50, P(line), v, sum, NeverInterrupted, nullptr));
  std::vector<Integer> expected(4, 0);
  RandSeed = 5;
  for (int k = 0; k < 50; ++k) ++expected[RandomReal() < 0.25 ? 1 : 3];
  EXPECT_EQ(v, expected);
  // Without replacement the second individual redraws until it finds the other position.
  RandSeed = 5;
  ASSERT_TRUE(Proportional_WithoutReplacement(2, P(line), v, sum, NeverInterrupted, nullptr));
  EXPECT_EQ(v, (std::vector<Integer>{0, 1, 0, 1}));
}

TEST(RunsTestSims, ProportionalRefusalsAndInterrupt) {
  std::vector<std::string> messages;
  const MessageSink sink = [&](const std::string& m) { messages.push_back(m); };
  std::vector<Integer> v(3, 0);
  NumberLine line(3, 0);
  double sum = 0;
  SetUpNumberLine({0, 0, 0}, line, sum);
  EXPECT_FALSE(Proportional_WithReplacement(1, P(line), v, sum, NeverInterrupted, sink));
  SetUpNumberLine({-1, 2, 3}, line, sum);
  EXPECT_FALSE(Proportional_WithoutReplacement(1, P(line), v, sum, NeverInterrupted, sink));
  // Two individuals, one position with any weight: the second gives up after its draws.
  SetUpNumberLine({0, 5, 0}, line, sum);
  int polls = 0;
  EXPECT_FALSE(Proportional_WithoutReplacement(2, P(line), v, sum, [&] { return ++polls < 0; }, sink));
  EXPECT_EQ(polls, 1 + kMaxDrawsPerIndividual);
  EXPECT_EQ(messages, std::vector<std::string>(3, "Unable to satisfy restraints. Aborting simulation."));
  polls = 0;
  SetUpNumberLine({1, 5, 2}, line, sum);
  EXPECT_FALSE(Proportional_WithReplacement(10, P(line), v, sum, [&] { return ++polls == 4; }, sink));
  EXPECT_EQ(polls, 4);
  EXPECT_EQ(messages.size(), 3u);
}

}  // namespace

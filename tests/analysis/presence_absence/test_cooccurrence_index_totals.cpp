// Index totals the run uses in place of pair-by-pair values: the sums over all species pairs
// taken directly (over site pairs when there are fewer sites), and the sequential swap's
// checkerboard units followed swap by swap. Each must equal the sum of the pair values, and
// as a double the same number as the pair-by-pair sum of doubles the mean was taken from.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/presence_absence/CoOccurrenceChainIndex.h"
#include "analysis/presence_absence/CoOccurrenceIndices.h"
#include "analysis/presence_absence/PaTestSupport.h"

using pa_test::InfoFor;
using pa_test::MakeMatrix;
using pa_test::RandomMatrix;

namespace {

using PairFn = void (*)(const Matrix&, const InfoMat&, std::span<double>, PairIndexScratch&);
using TotalFn = int64_t (*)(const Matrix&, const InfoMat&, PairIndexScratch&);

// The pair values summed in pair order as doubles, as the run's mean did.
double PairSum(PairFn pairs, const Matrix& m, const InfoMat& info) {
  const size_t n = static_cast<size_t>(info[3]) * (info[3] - 1) / 2;
  std::vector<double> values(n + 1, 0.0);
  PairIndexScratch scratch;
  pairs(m, info, values, scratch);
  double sum = 0;
  for (size_t p = 0; p < n; ++p) sum += values[p];
  return sum;
}

// Shapes on both sides of species = sites and across 64-bit word boundaries; fills from empty
// to full; a cell of 2 sends the totals to the plain definitions.
TEST(IndexTotals, EqualTheSumsOfThePairValues) {
  const int sizes[][2] = {{2, 1},  {1, 5},   {2, 2},   {5, 63},  {64, 7},  {65, 9},
                          {30, 30}, {40, 200}, {200, 40}, {3, 129}, {129, 3}, {70, 66}};
  const double fills[] = {0.0, 0.05, 0.4, 0.9, 1.0};
  const struct {
    const char* name;
    PairFn pairs;
    TotalFn total;
  } kinds[] = {{"units", &PairCheckerboardUnits, &CheckerboardUnitsTotal},
               {"overlap", &PairOverlap, &OverlapTotal},
               {"union", &PairUnion, &UnionTotal}};
  uint32_t seed = 3;
  for (const auto& sz : sizes)
    for (double fill : fills)
      for (int withTwo = 0; withTwo < 2; ++withTwo) {
        Matrix m = RandomMatrix(sz[0], sz[1], fill, seed++);
        if (withTwo) m[1][1] = 2;
        const InfoMat info = InfoFor(m);
        for (const auto& k : kinds) {
          SCOPED_TRACE(testing::Message() << k.name << " " << sz[0] << "x" << sz[1] << " fill " << fill
                                          << (withTwo ? " with a 2" : ""));
          PairIndexScratch scratch;
          const int64_t total = k.total(m, info, scratch);
          const double sum = PairSum(k.pairs, m, info);
          EXPECT_EQ(static_cast<double>(total), sum);
        }
      }
}

// Sizes from info_Mat, not from the matrix: the run computes on the part it names.
TEST(IndexTotals, ReadTheSizesFromInfoMat) {
  const Matrix m = MakeMatrix({"1100", "0011", "1010", "0000"});
  PairIndexScratch scratch;
  // Species 1-2 over sites 1-4: 2 x 2 units.
  EXPECT_EQ(CheckerboardUnitsTotal(m, InfoMat{5, 5, 4, 2}, scratch), 4);
  // All four species over sites 1-2, against the pair values over the same part.
  const InfoMat firstSites{5, 5, 2, 4};
  EXPECT_EQ(static_cast<double>(CheckerboardUnitsTotal(m, firstSites, scratch)),
            PairSum(&PairCheckerboardUnits, m, firstSites));
  EXPECT_EQ(static_cast<double>(UnionTotal(m, firstSites, scratch)), PairSum(&PairUnion, m, firstSites));
}

// The sequential swap's chain followed for 100,000 swaps in all, on matrices of several
// shapes (rows and columns of more than one 64-bit word among them): after every swap the
// followed total equals a full recount of the chain's matrix, and the simulated matrix, which
// the swap changes in place, equals the chain.
TEST(ChainCheckerboardUnits, FollowsEverySwapOfTheChain) {
  const struct {
    int species, sites;
    double fill;
    int swaps;
  } chains[] = {{6, 5, 0.5, 10000}, {70, 30, 0.4, 30000}, {25, 140, 0.3, 30000}, {150, 12, 0.6, 30000}};
  int64_t followed = 0;
  for (const auto& k : chains) {
    SCOPED_TRACE(testing::Message() << k.species << "x" << k.sites);
    const Matrix O = RandomMatrix(k.species, k.sites, k.fill, static_cast<uint32_t>(k.species));
    pa_test::Engine e;
    e.Begin(O, pa_test::Options(pa_test::kFixed, pa_test::kFixed, FixedFixedAlgorithm::SequentialSwap));
    ASSERT_TRUE(e.sims.SwapsPossible());
    RandSeed = 5;
    ChainCheckerboardUnits units;
    PairIndexScratch scratch;
    const size_t stride = static_cast<size_t>(k.species) + 1;
    for (int i = 0; i <= k.swaps; ++i) {  // the first matrix ends the burn-in
      const Matrix& S = e.Next(O);
      units.Follow(e.sims);
      ASSERT_EQ(units.Total(), CheckerboardUnitsTotal(S, e.info, scratch)) << "after swap " << i;
      for (int c = 1; c <= k.sites; ++c)
        for (int r = 1; r <= k.species; ++r)
          ASSERT_EQ(S[c][r], e.sims.Chain()[c * stride + r]) << "after swap " << i;
      if (i > 0) ++followed;
    }
    for (int c = 0; c <= k.sites; ++c) ASSERT_EQ(e.S[c][0], O[c][0]);
    for (int r = 0; r <= k.species; ++r) ASSERT_EQ(e.S[0][r], O[0][r]);
  }
  EXPECT_EQ(followed, 100000);
}

// Anything but a single swap since it last looked (a new run of the engine, another engine,
// a matrix the fixing policy changed) makes it count the chain again.
TEST(ChainCheckerboardUnits, RecountsAfterANewRunOrAnotherEngine) {
  const Matrix O = RandomMatrix(12, 9, 0.45, 17);
  const Matrix P = RandomMatrix(12, 9, 0.3, 18);
  const NullModelOptions swap = pa_test::Options(pa_test::kFixed, pa_test::kFixed, FixedFixedAlgorithm::SequentialSwap);
  pa_test::Engine a, b;
  a.Begin(O, swap);
  b.Begin(P, swap);
  PairIndexScratch scratch;
  ChainCheckerboardUnits units;
  RandSeed = 8;
  for (int i = 0; i < 5; ++i) {
    const Matrix& S = (i % 2 ? b : a).Next(i % 2 ? P : O);
    units.Follow(i % 2 ? b.sims : a.sims);
    ASSERT_EQ(units.Total(), CheckerboardUnitsTotal(S, a.info, scratch)) << i;
  }
  a.Begin(O, swap);  // the chain starts again from O
  a.Next(O);
  units.Follow(a.sims);
  EXPECT_EQ(units.Total(), CheckerboardUnitsTotal(a.S, a.info, scratch));
  a.Next(O);
  a.Next(O);  // two swaps at once
  units.Follow(a.sims);
  EXPECT_EQ(units.Total(), CheckerboardUnitsTotal(a.S, a.info, scratch));
}

}  // namespace

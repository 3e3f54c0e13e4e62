#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/presence_absence/PaTestSupport.h"

using namespace pa_test;

namespace {

int CellsDiffering(const Matrix& a, const Matrix& b) {
  int n = 0;
  for (int c = 1; c < a.Cols(); ++c)
    for (int r = 1; r < a.Rows(); ++r) n += a[c][r] != b[c][r];
  return n;
}

}  // namespace

// First matrix for seed 1, worked by hand from the draws of the random source (seed 1:
// Random(2) gives 0 1 0 0 1 0 0 0 ..., Random(3) gives 0 2 0 0 2 0 0 1 1 0 1 0 2 0 0 2 1 2 ...,
// reals .0314 .8610 .2026 .2729 .6717 .3187 .1618 .3722 .4257 ...).
TEST(NullModelGenerators, FirstMatrixForSeedOne) {
  struct Case {
    const char* name;
    NullModelOptions options;
    std::vector<std::string> observed;
    std::vector<double> siteWeights;
    std::vector<std::string> expected;
    int draws;
  };
  const Case cases[] = {
      // 6 cells x (rr, cc); the exchanges (1,1)-(3,1), (2,1)-(1,1), (3,1)-(1,2), (1,2)-(2,1),
      // (2,2)-(1,1), (3,2)-(1,1).
      {"ShuffleCells", Options(kEq, kEq), {"110", "001"}, {}, {"110", "010"}, 12},
      // k = 1 3 1 | 1 3 1 within each row.
      {"ShuffleWithinRows", Options(kFixed, kEq), {"110", "001"}, {}, {"101", "010"}, 6},
      // k = 1 2 | 1 1 | 2 1 within each column.
      {"ShuffleWithinColumns", Options(kEq, kFixed), {"110", "001"}, {}, {"100", "011"}, 6},
      // Equal site weights (cum 1/3 2/3 1, cum > x): row 1 takes sites 1, 3, then 1 1 3 1 1
      // hit occupied cells and .3722 gives site 2; row 2 takes site 2 (.4257).
      {"FillRowsBySiteWeights", Options(kFixed, kUser), {"111", "001"}, {1, 1, 1}, {"111", "010"}, 9},
      // Species line from row totals 2, 1 (cum 2/3, 1): columns take species 1, 2, 1.
      {"FillColumnsBySpeciesWeights", Options(kProp, kFixed), {"110", "001"}, {}, {"101", "010"}, 3},
      // Rows drawn 1 1 2, sites by cum >= x over 1/3 2/3 1: 3, 1, 1.
      {"FillRandomRowsWeightedSites", Options(kEq, kProp), {"110", "001"}, {}, {"101", "100"}, 6},
      // Sites drawn 1 1 3, species by cum >= x over 2/3 1: 2, 1, 1.
      {"FillRandomSitesWeightedRows", Options(kProp, kEq), {"110", "001"}, {}, {"101", "100"}, 6},
      // (x1, x2) pairs: species from x2, site from x1: (2,1), (1,1), (1,3).
      {"FillWeightedRowsWeightedSites", Options(kProp, kProp), {"110", "001"}, {}, {"101", "100"}, 6},
      // Candidates (column, row) with a 0 are drawn again; (1,2) is placed, (2,2) misses (row 2
      // full), (2,1) is placed.
      {"KnightsTour", Options(kFixed, kFixed, FixedFixedAlgorithm::KnightsTour), {"10", "01"}, {}, {"01", "10"}, 36},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const Matrix O = MakeMatrix(k.observed);
    Engine e;
    e.Begin(O, k.options, k.siteWeights);
    RandSeed = 1;
    const Matrix& S = e.Next(O);
    EXPECT_EQ(Rows(S), k.expected);
    EXPECT_EQ(DrawsSince(1), k.draws);
    EXPECT_FALSE(e.sims.Interrupted());
    Matrix margins = S;
    CalculateMargins(margins, e.info);
    EXPECT_EQ(S, margins);  // totals current on return
  }
}

// Attempts (r1, c1, r2, c2): (1,2,1,1), (2,1,1,1), (1,1,1,1) fail; (2,1,1,2) finds the
// filled diagonal and inverts it.
TEST(NullModelGenerators, CheckerboardSwapForSeedOne) {
  Matrix M = MakeMatrix({"10", "01"});
  Engine e;
  e.Begin(M, Options(kFixed, kFixed));
  RandSeed = 1;
  EXPECT_TRUE(e.sims.SwapCheckerboard(M));
  EXPECT_EQ(Rows(M), (std::vector<std::string>{"01", "10"}));
  EXPECT_EQ(DrawsSince(1), 16);
  EXPECT_EQ(e.rec.polls, 4);
  EXPECT_EQ(M[0][1], 1);  // totals not touched
}

// Every generator over many seeds keeps what its constraints fix, keeps the grand total,
// leaves 0/1 cells with current totals, and never writes the observed matrix.
TEST(NullModelGenerators, MarginsKeptOverManySeeds) {
  const Matrix O = RandomMatrix(6, 9, 0.4, 11);
  const Matrix original = O;
  const std::vector<double> sites = {1, 2, 3, 1, 2, 3, 1, 2, 3}, species = {3, 1, 2, 2, 1, 3};
  std::vector<NullModelOptions> all;
  for (Constraint r : {kEq, kFixed, kProp, kUser})
    for (Constraint c : {kEq, kFixed, kProp, kUser})
      if (!(r == kFixed && c == kFixed)) all.push_back(Options(r, c));
  for (auto ff : {FixedFixedAlgorithm::SequentialSwap, FixedFixedAlgorithm::IndependentSwap,
                  FixedFixedAlgorithm::KnightsTour})
    all.push_back(Options(kFixed, kFixed, ff));

  for (const NullModelOptions& o : all) {
    SCOPED_TRACE(testing::Message() << "rows " << int(o.Rows) << " columns " << int(o.Columns)
                                    << " fixed-fixed " << int(o.FixedFixed));
    Engine e;
    e.Begin(O, o, sites, species);
    // A weighted fill with fixed rows (columns) places each row's (column's) occurrences
    // itself, so it keeps those totals too.
    const bool rowsKept = o.Rows == kFixed;
    const bool colsKept = o.Columns == kFixed;
    RandSeed = 77;
    for (int i = 0; i < 60; ++i) {
      const Matrix& S = e.Next(O);
      ASSERT_FALSE(e.sims.Interrupted());
      Matrix margins = S;
      CalculateMargins(margins, e.info);
      ASSERT_EQ(S, margins);
      for (int c = 1; c < S.Cols(); ++c)
        for (int r = 1; r < S.Rows(); ++r) ASSERT_TRUE(S[c][r] == 0 || S[c][r] == 1);
      ASSERT_EQ(S[0][0], O[0][0]);
      for (int r = 1; r < S.Rows() && rowsKept; ++r) ASSERT_EQ(S[0][r], O[0][r]) << "row " << r;
      for (int c = 1; c < S.Cols() && colsKept; ++c) ASSERT_EQ(S[c][0], O[c][0]) << "column " << c;
    }
    ASSERT_EQ(O, original);
  }
}

TEST(NullModelGenerators, ZeroWeightSiteIsNeverChosen) {
  const Matrix O = MakeMatrix({"1100", "0110", "1000"});
  Engine e;
  e.Begin(O, Options(kFixed, kUser), {0, 1, 1, 1});
  RandSeed = 3;
  for (int i = 0; i < 200; ++i) ASSERT_EQ(e.Next(O)[1][0], 0);
}

TEST(NullModelGenerators, UserLinesKeepTheirOwnLengthAndSumEveryWeight) {
  const Matrix O = MakeMatrix({"110", "011"});
  Engine e;
  e.Begin(O, Options(kFixed, kUser), {1, 1, 2, 4}, {});
  EXPECT_EQ(e.sims.SitesNumberLine(), (NumberLine{8, 0.125, 0.125, 0.25}));
  EXPECT_EQ(e.sims.SpeciesNumberLine(), (NumberLine{0, 0, 0}));  // no weights: sum 0
}

// The sequential swap is one chain: a burn-in of K swaps on the first call, then one swap per
// matrix. The independent swap starts every matrix from the observed one.
TEST(NullModelGenerators, SequentialChainVersusIndependentRestart) {
  const Matrix O = RandomMatrix(8, 10, 0.35, 5);
  Engine seq;
  seq.Begin(O, Options(kFixed, kFixed, FixedFixedAlgorithm::SequentialSwap));
  ASSERT_EQ(seq.sims.SwapCount(), kMinimumSwaps);
  RandSeed = 9;
  Matrix first = seq.Next(O);
  EXPECT_EQ(seq.rec.burnInMax, kMinimumSwaps);
  EXPECT_EQ(seq.rec.steps, kMinimumSwaps);
  EXPECT_EQ(seq.rec.endBurnIns, 1);
  EXPECT_TRUE(seq.sims.Done());

  // The burn-in is K swaps of the one-swap routine from the observed data.
  Matrix byHand = O;
  RandSeed = 9;
  for (int k = 0; k < kMinimumSwaps; ++k) seq.sims.SwapCheckerboard(byHand);
  EXPECT_EQ(CellsDiffering(first, byHand), 0);

  RandSeed = 21;
  Matrix previous = first;
  for (int i = 0; i < 20; ++i) {
    const Matrix& next = seq.Next(O);
    EXPECT_EQ(CellsDiffering(previous, next), 4);
    previous = next;
  }
  EXPECT_EQ(seq.rec.steps, kMinimumSwaps);  // no second burn-in

  Engine ind;
  ind.Begin(O, Options(kFixed, kFixed, FixedFixedAlgorithm::IndependentSwap));
  RandSeed = 9;
  EXPECT_EQ(CellsDiffering(ind.Next(O), first), 0);  // the same K swaps from O
  const Cardinal afterFirst = RandSeed;
  Matrix second = ind.Next(O);
  EXPECT_GT(CellsDiffering(second, first), 4);
  Engine fresh;
  fresh.Begin(O, Options(kFixed, kFixed, FixedFixedAlgorithm::IndependentSwap));
  RandSeed = afterFirst;
  EXPECT_EQ(CellsDiffering(fresh.Next(O), second), 0);
  EXPECT_EQ(ind.rec.steps, 0);  // the progress bar is not stepped

  // A new run restarts the chain from the observed data.
  seq.Begin(O, Options(kFixed, kFixed, FixedFixedAlgorithm::SequentialSwap));
  RandSeed = 9;
  EXPECT_EQ(CellsDiffering(seq.Next(O), first), 0);
}

TEST(NullModelGenerators, SwapCountIsCellsButAtLeastThirtyThousand) {
  Engine e;
  e.Begin(RandomMatrix(2, 2, 0.5, 1), Options(kFixed, kFixed));
  EXPECT_EQ(e.sims.SwapCount(), 30000);
  e.Begin(RandomMatrix(180, 200, 0.3, 1), Options(kFixed, kFixed));
  EXPECT_EQ(e.sims.SwapCount(), 36000);
}

TEST(NullModelGenerators, CheckerboardDetection) {
  struct Case {
    std::vector<std::string> rows;
    bool has;
  };
  const Case cases[] = {
      {{"10", "01"}, true},           {{"110", "011"}, true},
      {{"111", "110", "100"}, false},  // nested rows
      {{"100", "111", "110"}, false},  // nested in another order
      {{"101", "101"}, false},        {{"1011"}, false},
      {{"1", "0", "1"}, false},        {{"1100", "0011", "1111"}, true},
  };
  for (const Case& k : cases) {
    const Matrix m = MakeMatrix(k.rows);
    EXPECT_EQ(HasCheckerboard(m, m.Cols() - 1, m.Rows() - 1), k.has) << k.rows[0];
  }
}

// With no checkerboard the observed matrix is the only one with its totals: both swap
// algorithms return it at once, without draws, instead of searching for ever.
TEST(NullModelGenerators, SwapsReturnTheObservedMatrixWhenItIsTheOnlyOne) {
  const Matrix O = MakeMatrix({"1110", "1100", "1111", "1000"});
  for (auto ff : {FixedFixedAlgorithm::SequentialSwap, FixedFixedAlgorithm::IndependentSwap}) {
    Engine e;
    e.Begin(O, Options(kFixed, kFixed, ff));
    EXPECT_FALSE(e.sims.SwapsPossible());
    RandSeed = 4;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(e.Next(O), O);
    EXPECT_EQ(DrawsSince(4), 0);
    EXPECT_EQ(e.rec.polls, 0);
  }
}

TEST(NullModelGenerators, FixedFixedSelectionOutsideTheListGeneratesNothing) {
  const Matrix O = MakeMatrix({"10", "01"});
  const NullModelOptions o = NullModelOptionsFromItems(1, 1, -1, 0);
  EXPECT_EQ(o.FixedFixed, FixedFixedAlgorithm::None);
  Engine e;
  e.Begin(O, o);
  RandSeed = 4;
  e.Next(O);
  EXPECT_EQ(DrawsSince(4), 0);
  const NullModelOptions m = NullModelOptionsFromItems(3, 2, 2, 3);
  EXPECT_EQ(m.Rows, kUser);
  EXPECT_EQ(m.Columns, kProp);
  EXPECT_EQ(m.FixedFixed, FixedFixedAlgorithm::KnightsTour);
  EXPECT_EQ(m.Degenerate, DegeneratePolicy::Fix);
}

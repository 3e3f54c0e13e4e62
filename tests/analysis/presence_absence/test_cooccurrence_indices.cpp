#include <gtest/gtest.h>

#include <vector>

#include "analysis/presence_absence/CoOccurrenceIndices.h"
#include "analysis/presence_absence/PaTestSupport.h"

using pa_test::InfoFor;
using pa_test::MakeMatrix;

namespace {

struct AllIndices {
  std::vector<double> units, overlap, unionv;
  double checkerboards, combinations, vratio;
};

AllIndices Compute(const Matrix& m, const InfoMat& info) {
  PairIndexScratch scratch;
  const size_t pairs = static_cast<size_t>(info[3]) * (info[3] - 1) / 2;
  AllIndices a{std::vector<double>(pairs + 1, -1), std::vector<double>(pairs + 1, -1),
               std::vector<double>(pairs + 1, -1), 0, 0, 0};
  PairCheckerboardUnits(m, info, a.units, scratch);
  PairOverlap(m, info, a.overlap, scratch);
  PairUnion(m, info, a.unionv, scratch);
  std::vector<double> one(1);
  CheckerboardPairs(m, info, one, scratch);
  a.checkerboards = one[0];
  SpeciesCombinations(m, info, one, scratch);
  a.combinations = one[0];
  VarianceRatio(m, info, one, scratch);
  a.vratio = one[0];
  return a;
}

}  // namespace

TEST(SpeciesPairIndices, TwoSpeciesOverThreeSites) {
  const Matrix m = MakeMatrix({"110", "001"});
  const AllIndices a = Compute(m, InfoFor(m));
  EXPECT_EQ(a.units[0], 2);   // (2 - 0)(1 - 0)
  EXPECT_EQ(a.overlap[0], 0);
  EXPECT_EQ(a.unionv[0], 3);
  EXPECT_EQ(a.units[1], -1);  // beyond the pairs: untouched
  EXPECT_EQ(a.checkerboards, 1);
  EXPECT_EQ(a.combinations, 2);  // sites 1 and 2 hold the same species
}

// Species 3 and site 4 are empty. Worked by hand:
// units (1,2) = 2*1, (1,3) = 2*0, (2,3) = 1*0; overlap 0 everywhere; union 3, 2, 1;
// checkerboard pairs: only (1,2) (species 3 has total 0);
// Include (4 sites): compositions {1}, {2}, {1}, {} -> 3; species variances 1/3, 1/4, 0 and
// site totals 1,1,1,0 with variance 1/4 -> V = (1/4) / (7/12) = 3/7.
// Exclude (3 sites): compositions 2; variances 1/3, 1/3, 0, site totals all 1 -> V = 0.
TEST(SpeciesPairIndices, EmptySpeciesAndEmptySiteIncludedAndExcluded) {
  Matrix m = MakeMatrix({"1010", "0100", "0000"});
  InfoMat info = InfoFor(m);
  const AllIndices include = Compute(m, info);
  EXPECT_EQ(include.units, (std::vector<double>{2, 0, 0, -1}));
  EXPECT_EQ(include.overlap, (std::vector<double>{0, 0, 0, -1}));
  EXPECT_EQ(include.unionv, (std::vector<double>{3, 2, 1, -1}));
  EXPECT_EQ(include.checkerboards, 1);
  EXPECT_EQ(include.combinations, 3);
  EXPECT_DOUBLE_EQ(include.vratio, 3.0 / 7.0);

  RemoveEmptyColumns(m, info);
  CalculateMargins(m, info);
  ASSERT_EQ(info[2], 3);
  const AllIndices exclude = Compute(m, info);
  EXPECT_EQ(exclude.units, include.units);
  EXPECT_EQ(exclude.combinations, 2);
  EXPECT_EQ(exclude.vratio, 0);

  // The run drops the empty species before the index: one pair left.
  Matrix f(m.Cols(), m.Rows());
  CopyNonEmptyRows(m, f, info);
  CalculateMargins(f, info);
  ASSERT_EQ(info[3], 2);
  EXPECT_EQ(Compute(f, info).units, (std::vector<double>{2, -1}));
}

TEST(SpeciesPairIndices, EdgeCases) {
  const Matrix one = MakeMatrix({"101"});
  const AllIndices a = Compute(one, InfoFor(one));
  EXPECT_EQ(a.units, (std::vector<double>{-1}));  // n = 1: no pair written
  EXPECT_EQ(a.checkerboards, 0);

  const Matrix same = MakeMatrix({"1100", "1100"});
  const AllIndices b = Compute(same, InfoFor(same));
  EXPECT_EQ(b.units[0], 0);
  EXPECT_EQ(b.overlap[0], b.unionv[0]);
  EXPECT_EQ(b.combinations, 2);  // {1,2} twice and {} twice
  EXPECT_EQ(Compute(MakeMatrix({"10", "01"}), InfoMat{3, 3, 2, 2}).vratio, 0);  // equal site totals
  EXPECT_EQ(Compute(MakeMatrix({"11", "00"}), InfoMat{3, 3, 2, 2}).vratio, 0);  // constant rows
}

// The bit-packed kernels against the plain loops, across word boundaries and fill levels;
// a matrix holding a 2 takes the plain path and must give its definitions.
TEST(SpeciesPairIndices, PackedKernelsMatchThePlainLoops) {
  const int sizes[][2] = {{2, 1}, {5, 63}, {7, 64}, {9, 65}, {30, 30}, {40, 200}, {3, 129}};
  const double fills[] = {0.0, 0.05, 0.33, 0.9, 1.0};
  uint32_t seed = 1;
  for (const auto& sz : sizes)
    for (double fill : fills)
      for (int withTwo = 0; withTwo < 2; ++withTwo) {
        Matrix m = pa_test::RandomMatrix(sz[0], sz[1], fill, seed++);
        if (withTwo) {
          m[1][1] = 2;
          CalculateMargins_Size(m, sz[1], sz[0]);
        }
        const InfoMat info = InfoFor(m);
        const int S = info[2], n = info[3];
        const size_t pairs = static_cast<size_t>(n) * (n - 1) / 2;
        std::vector<double> fast(pairs + 1, -1), plain(pairs + 1, -1);
        PairIndexScratch scratch;
        PairCheckerboardUnits(m, info, fast, scratch);
        plain_index::PairCheckerboardUnits(m, S, n, plain);
        ASSERT_EQ(fast, plain) << sz[0] << "x" << sz[1] << " fill " << fill;
        PairOverlap(m, info, fast, scratch);
        plain_index::PairOverlap(m, S, n, plain);
        ASSERT_EQ(fast, plain);
        PairUnion(m, info, fast, scratch);
        plain_index::PairUnion(m, S, n, plain);
        ASSERT_EQ(fast, plain);
        CheckerboardPairs(m, info, fast, scratch);
        plain_index::CheckerboardPairs(m, S, n, plain);
        ASSERT_EQ(fast[0], plain[0]);
        SpeciesCombinations(m, info, fast, scratch);
        plain_index::SpeciesCombinations(m, S, n, plain);
        ASSERT_EQ(fast[0], plain[0]);
      }
}

// The shuffles against their definitions (the exchanges written out on the matrix itself, in
// draw order), on a matrix small enough to be shuffled in place and on one large enough to be
// shuffled a byte per cell.
#include <gtest/gtest.h>

#include <utility>

#include "analysis/presence_absence/PaTestSupport.h"

namespace {

using pa_test::kEq;
using pa_test::kFixed;

Matrix ByDefinition(const Matrix& O, Constraint rows, Constraint columns) {
  Matrix S = O;
  const int R = O.Rows() - 1, C = O.Cols() - 1;
  if (rows == kEq && columns == kEq) {
    for (int r = 1; r <= R; ++r)
      for (int c = 1; c <= C; ++c) {
        const int rr = Random(R) + 1;
        const int cc = Random(C) + 1;
        std::swap(S[c][r], S[cc][rr]);
      }
  } else if (rows == kFixed) {
    for (int r = 1; r <= R; ++r)
      for (int c = 1; c <= C; ++c) std::swap(S[c][r], S[Random(C) + 1][r]);
  } else {
    for (int c = 1; c <= C; ++c)
      for (int r = 1; r <= R; ++r) std::swap(S[c][r], S[c][Random(R) + 1]);
  }
  CalculateMargins_Size(S, C, R);
  return S;
}

TEST(Shuffles, FollowTheirDefinitionsInPlaceAndByteWise) {
  const struct {
    int species, sites;
  } sizes[] = {{20, 30}, {300, 250}};  // 2.5 KB and 300 KB of cells
  const std::pair<Constraint, Constraint> models[] = {{kEq, kEq}, {kFixed, kEq}, {kEq, kFixed}};
  for (const auto& size : sizes)
    for (const auto& [rows, columns] : models) {
      SCOPED_TRACE(testing::Message() << size.species << "x" << size.sites << " rows " << static_cast<int>(rows)
                                      << " columns " << static_cast<int>(columns));
      const Matrix O = pa_test::RandomMatrix(size.species, size.sites, 0.4, 9);
      pa_test::Engine e;
      e.Begin(O, pa_test::Options(rows, columns));
      for (Cardinal seed : {1u, 77u}) {
        RandSeed = seed;
        const Matrix expected = ByDefinition(O, rows, columns);
        const Cardinal after = RandSeed;
        RandSeed = seed;
        EXPECT_EQ(e.Next(O), expected);
        EXPECT_EQ(RandSeed, after);
      }
    }
}

}  // namespace

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

// Cells beyond a byte (the group shuffles move cell numbers) on a matrix too large to be
// shuffled in place: every value arrives whole, as the definition moves it.
TEST(Shuffles, KeepCellValuesBeyondAByteOnLargeMatrices) {
  const int species = 300, sites = 250;
  Matrix O(sites + 1, species + 1);
  for (int c = 1; c <= sites; ++c)
    for (int r = 1; r <= species; ++r) O[c][r] = (c * (species + 1) + r) % 1000 + 2;
  CalculateMargins_Size(O, sites, species);
  const std::pair<Constraint, Constraint> models[] = {{kEq, kEq}, {kFixed, kEq}, {kEq, kFixed}};
  for (const auto& [rows, columns] : models) {
    SCOPED_TRACE(testing::Message() << "rows " << static_cast<int>(rows) << " columns " << static_cast<int>(columns));
    pa_test::Engine e;
    e.Begin(O, pa_test::Options(rows, columns));
    RandSeed = 5;
    const Matrix expected = ByDefinition(O, rows, columns);
    RandSeed = 5;
    EXPECT_EQ(e.Next(O), expected);
  }
}

}  // namespace

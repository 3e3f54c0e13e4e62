#include <gtest/gtest.h>

#include <functional>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/presence_absence/PaTestSupport.h"
#include "classlib/Exceptions.h"

using pa_test::MakeMatrix;
using pa_test::Rows;

TEST(MatrixHelpers, MarginsCoverOnlyTheSizesInInfoMat) {
  Matrix m = MakeMatrix({"110", "011"});
  m[0][0] = m[1][0] = m[0][1] = -7;  // stale totals
  CalculateMargins(m, InfoMat{4, 3, 2, 2});  // only sites 1..2
  EXPECT_EQ(m[0][1], 2);
  EXPECT_EQ(m[0][2], 1);
  EXPECT_EQ(m[1][0], 1);
  EXPECT_EQ(m[2][0], 2);
  EXPECT_EQ(m[3][0], 1);  // outside the sizes: left as it was
  EXPECT_EQ(m[0][0], 3);

  Matrix before = m;
  CalculateMargins(m, InfoMat{4, 3, 0, 2});
  CalculateMargins_Size(m, 3, 0);
  EXPECT_EQ(m, before);
}

TEST(MatrixHelpers, CopyNonEmptyRowsCompactsOccupiedSpecies) {
  const Matrix p = MakeMatrix({"10", "00", "01", "00", "11"});
  Matrix q(3, 6);
  q.Fill(9);
  InfoMat info{3, 6, 2, 5};
  CopyNonEmptyRows(p, q, info);
  EXPECT_EQ(info[3], 3);
  EXPECT_EQ(q[1][1], 1); EXPECT_EQ(q[2][1], 0);
  EXPECT_EQ(q[1][2], 0); EXPECT_EQ(q[2][2], 1);
  EXPECT_EQ(q[1][3], 1); EXPECT_EQ(q[2][3], 1);
  EXPECT_EQ(q[1][4], 9);  // rows beyond the copied ones and the totals keep their values
  EXPECT_EQ(q[0][1], 9);
}

TEST(MatrixHelpers, RemoveEmptyColumnsCompactsSitesAndClearsTotals) {
  Matrix m = MakeMatrix({"0101", "0110"});
  InfoMat info{5, 3, 4, 2};
  RemoveEmptyColumns(m, info);
  EXPECT_EQ(info[2], 3);
  EXPECT_EQ(pa_test::Rows(m), (std::vector<std::string>{"1010", "1100"}));
  for (int c = 0; c < m.Cols(); ++c) EXPECT_EQ(m[c][0], 0);
  for (int r = 0; r < m.Rows(); ++r) EXPECT_EQ(m[0][r], 0);

  Matrix empty = MakeMatrix({"000", "000"});
  InfoMat info2{4, 3, 3, 2};
  RemoveEmptyColumns(empty, info2);
  EXPECT_EQ(info2[2], 0);
  Matrix before = empty;
  CalculateMargins(empty, info2);
  EXPECT_EQ(empty, before);
}

TEST(MatrixHelpers, CountOccupiedRowsReadsRowTotals) {
  const Matrix m = MakeMatrix({"10", "00", "11"});
  EXPECT_EQ(CountOccupiedRows(m, 4), 2);
  EXPECT_EQ(CountOccupiedRows(m, 2), 1);
}

TEST(MatrixHelpers, SizesBeyondTheMatrixRaiseInsteadOfReachingPastIt) {
  const Matrix small = MakeMatrix({"10", "01"});  // 3 x 3 with totals
  Matrix target(3, 2);                             // room for one species row
  const std::function<void()> cases[] = {
      [&] { Matrix m = small; CalculateMargins(m, InfoMat{3, 3, 3, 2}); },
      [&] { Matrix m = small; CalculateMargins_Size(m, 2, 3); },
      [&] { InfoMat info{3, 3, 2, 3}; CopyNonEmptyRows(small, target, info); },
      [&] { InfoMat info{3, 3, 2, 2}; CopyNonEmptyRows(small, target, info); },  // second row has no room
      [&] { Matrix m = small; InfoMat info{3, 3, 3, 2}; RemoveEmptyColumns(m, info); },
      [&] { Matrix m = small; InfoMat info{2, 3, 2, 2}; RemoveEmptyColumns(m, info); },  // result too narrow
      [&] { CountOccupiedRows(small, 4); },
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_THROW(cases[i](), ERangeError) << "case " << i;
}

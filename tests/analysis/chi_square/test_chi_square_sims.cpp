// The chi-square kernel: the statistic and expected counts against values worked by hand, the
// totals each randomisation keeps over several seeds, the mean simulated statistic against its
// exact expectation under each randomisation, the proportional draw walked by hand, and the
// draw's refusals and interrupt.
#include <gtest/gtest.h>

#include <cmath>

#include "analysis/chi_square/ChiSquareSims.h"
#include "classlib/Random.h"

namespace {

TProportionalPick P(const NumberLine& Line) {
  TProportionalPick p;
  p.Build(Line);
  return p;
}

Matrix Table(const std::vector<std::vector<int>>& rows) {
  Matrix m(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c) m[static_cast<int>(c)][r] = rows[r][c];
  return m;
}

std::vector<Integer> RowSums(const Matrix& m) {
  std::vector<Integer> s(static_cast<size_t>(m.Rows()), 0);
  for (int c = 0; c < m.Cols(); ++c)
    for (int r = 0; r < m.Rows(); ++r) s[static_cast<size_t>(r)] += m[c][r];
  return s;
}

std::vector<Integer> ColSums(const Matrix& m) {
  std::vector<Integer> s(static_cast<size_t>(m.Cols()), 0);
  for (int c = 0; c < m.Cols(); ++c)
    for (int r = 0; r < m.Rows(); ++r) s[static_cast<size_t>(c)] += m[c][r];
  return s;
}

Real_Matrix ExpectedOf(const Matrix& m) {
  std::vector<double> rows, cols;
  for (Integer v : RowSums(m)) rows.push_back(v);
  for (Integer v : ColSums(m)) cols.push_back(v);
  Real_Matrix e;
  EXPECT_TRUE(ExpectedCounts(rows, cols, e));
  return e;
}

TEST(ChiSquareSims, StatisticAndExpectedCountsWorkedByHand) {
  const Matrix t = Table({{10, 20}, {30, 40}});
  const Real_Matrix e = ExpectedOf(t);
  EXPECT_DOUBLE_EQ(e[0][0], 12);
  EXPECT_DOUBLE_EQ(e[1][0], 18);
  EXPECT_DOUBLE_EQ(e[0][1], 28);
  EXPECT_DOUBLE_EQ(e[1][1], 42);
  // 4/12 + 4/18 + 4/28 + 4/42 = 50/63.
  EXPECT_NEAR(ChiSquareStatistic(t, e), 50.0 / 63.0, 1e-14);

  // Rows (5, 8, 1) and (2, 6, 3): totals 14, 11 and 7, 14, 4 of 25.
  const Matrix u = Table({{5, 8, 1}, {2, 6, 3}});
  const double ex[2][3] = {{3.92, 7.84, 2.24}, {3.08, 6.16, 1.76}};
  const double ob[2][3] = {{5, 8, 1}, {2, 6, 3}};
  double x2 = 0;
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) x2 += (ob[r][c] - ex[r][c]) * (ob[r][c] - ex[r][c]) / ex[r][c];
  EXPECT_NEAR(ChiSquareStatistic(u, ExpectedOf(u)), x2, 1e-12);
  EXPECT_NEAR(x2, 2.24374, 5e-6);

  // A table equal to its expected counts, and a grand total of 0.
  EXPECT_EQ(ChiSquareStatistic(Table({{2, 4}, {3, 6}}), ExpectedOf(Table({{2, 4}, {3, 6}}))), 0);
  Real_Matrix untouched(1, 1);
  untouched[0][0] = 7;
  EXPECT_FALSE(ExpectedCounts({0, 0}, {0, 0}, untouched));
  EXPECT_EQ(untouched[0][0], 7);
}

TEST(ChiSquareSims, EachRandomisationKeepsItsTotalsOverSeveralSeeds) {
  const Matrix data = Table({{5, 0, 1, 7}, {2, 6, 3, 0}, {9, 1, 1, 4}});
  const std::vector<Integer> rows = RowSums(data), cols = ColSums(data);
  Integer total = 0;
  for (Integer v : rows) total += v;
  for (TChiSquareRandomization choice :
       {TChiSquareRandomization::Matrix, TChiSquareRandomization::Columns, TChiSquareRandomization::Rows}) {
    TChiSquareModel model;
    model.SetUp(choice, rows, cols, total);
    for (Cardinal seed : {1u, 7u, 99u, 123456u, 4000000000u}) {
      SCOPED_TRACE(seed);
      RandSeed = seed;
      Matrix s(4, 3);
      bool differs = false;
      for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(model.Draw(s, NeverInterrupted, nullptr));
        Integer sum = 0;
        for (Integer v : RowSums(s)) sum += v;
        EXPECT_EQ(sum, total);
        if (choice == TChiSquareRandomization::Columns) {
          EXPECT_EQ(ColSums(s), cols);
        }
        if (choice == TChiSquareRandomization::Rows) {
          EXPECT_EQ(RowSums(s), rows);
        }
        differs = differs || !(s == data);
      }
      EXPECT_TRUE(differs);
    }
  }
}

// E[X^2] = sum over cells of (Var O + (E[O] - E)^2) / E, each cell binomial: from the grand
// total with probability p_r q_c, from its column total with 1/rows, or from its row total
// with 1/columns.
double ExactMean(TChiSquareRandomization choice, const Matrix& data, const Real_Matrix& e) {
  const std::vector<Integer> rows = RowSums(data), cols = ColSums(data);
  double total = 0;
  for (Integer v : rows) total += v;
  double mean = 0;
  for (int c = 0; c < data.Cols(); ++c)
    for (int r = 0; r < data.Rows(); ++r) {
      double n = 0, p = 0;
      switch (choice) {
        case TChiSquareRandomization::Matrix:
          n = total, p = rows[static_cast<size_t>(r)] / total * cols[static_cast<size_t>(c)] / total;
          break;
        case TChiSquareRandomization::Columns:
          n = cols[static_cast<size_t>(c)], p = 1.0 / data.Rows();
          break;
        case TChiSquareRandomization::Rows:
          n = rows[static_cast<size_t>(r)], p = 1.0 / data.Cols();
          break;
      }
      const double bias = n * p - e[c][r];
      mean += (n * p * (1 - p) + bias * bias) / e[c][r];
    }
  return mean;
}

TEST(ChiSquareSims, MeanSimulatedStatisticAgreesWithItsExactExpectation) {
  const Matrix data = Table({{10, 20}, {30, 40}});
  const Real_Matrix e = ExpectedOf(data);
  std::vector<Integer> rows = RowSums(data), cols = ColSums(data);
  constexpr Integer n = 4000;
  for (TChiSquareRandomization choice :
       {TChiSquareRandomization::Matrix, TChiSquareRandomization::Columns, TChiSquareRandomization::Rows}) {
    SCOPED_TRACE(static_cast<int>(choice));
    TChiSquareModel model;
    model.SetUp(choice, rows, cols, 100);
    std::vector<double> values(n);
    RandSeed = 2024;
    SimulateChiSquare(model, e, n, values);
    double mean = 0, ss = 0;
    for (double v : values) mean += v / n;
    for (double v : values) ss += (v - mean) * (v - mean);
    const double se = std::sqrt(ss / (n - 1) / n);
    const double exact = ExactMean(choice, data, e);
    EXPECT_LT(std::fabs(mean - exact), 4 * se) << mean << " vs " << exact;
  }
  // Proportional to both totals the expectation is cells - 1.
  EXPECT_NEAR(ExactMean(TChiSquareRandomization::Matrix, data, e), 3.0, 1e-12);
}

// u1 picks the column, u2 the row, each the first whose running proportion reaches u; zero
// proportions are never picked.
TEST(ChiSquareSims, ProportionalDrawWalkedByHand) {
  const NumberLine sites{0.0, 0.25, 0.0, 0.75}, species{0.5, 0.0, 0.5};
  RandSeed = 31;
  Matrix s(4, 3);
  ASSERT_TRUE(RandomizeMatrix(s, 200, P(sites), P(species), NeverInterrupted, nullptr));
  Matrix expected(4, 3);
  RandSeed = 31;
  for (int k = 0; k < 200; ++k) {
    const double u1 = RandomReal(), u2 = RandomReal();
    const int c = u1 <= 0.25 ? 1 : 3;
    const int r = u2 <= 0.5 ? 0 : 2;
    ++expected[c][r];
  }
  EXPECT_EQ(s, expected);
  EXPECT_EQ(ColSums(s)[0] + ColSums(s)[2] + RowSums(s)[1], 0);
  EXPECT_EQ(Proportions({0, 1, 3}), (NumberLine{0, 0.25, 0.75}));
  EXPECT_EQ(Proportions({0, 0}), (NumberLine{0, 0}));
}

TEST(ChiSquareSims, ProportionalDrawRefusesEmptyTotalsAndStopsWhenPolled) {
  std::vector<std::string> messages;
  const MessageSink sink = [&](const std::string& m) { messages.push_back(m); };
  Matrix s(2, 2);
  EXPECT_FALSE(RandomizeMatrix(s, 0, P({0.5, 0.5}), P({0.5, 0.5}), NeverInterrupted, sink));
  EXPECT_FALSE(RandomizeMatrix(s, 5, P({0, 0}), P({0.5, 0.5}), NeverInterrupted, sink));
  EXPECT_FALSE(RandomizeMatrix(s, 5, P({0.5, 0.5}), P({0, 0}), NeverInterrupted, sink));
  EXPECT_EQ(messages, std::vector<std::string>(3, "Unable to satisfy restraints. Aborting simulation."));
  int polls = 0;
  EXPECT_FALSE(RandomizeMatrix(s, 50, P({0.5, 0.5}), P({0.5, 0.5}), [&] { return ++polls == 10; }, sink));
  EXPECT_EQ(polls, 10);
  EXPECT_EQ(messages.size(), 3u);
}

}  // namespace

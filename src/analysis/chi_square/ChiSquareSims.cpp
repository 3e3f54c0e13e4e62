#include "analysis/chi_square/ChiSquareSims.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Math.h"
#include "classlib/Random.h"


double ChiSquareStatistic(const Matrix& T, const Real_Matrix& E) {
  double x2 = 0;
  for (int c = 0; c < T.Cols(); ++c) {
    const int32_t* t = T[c];
    const double* e = E[c];
    for (int r = 0; r < T.Rows(); ++r) {
      const double d = t[r] - e[r];
      x2 += d * d / e[r];
    }
  }
  // A statistic beyond the range of a double (an expected count next to 0) ends the run with
  // the floating-point error rather than report an infinite index.
  return FiniteStatistic(x2);
}

bool ExpectedCounts(const std::vector<double>& RowTotal, const std::vector<double>& ColTotal, Real_Matrix& E) {
  double total = 0;
  for (double t : ColTotal) total += t;
  if (total == 0) return false;
  E.SetLength(static_cast<int>(ColTotal.size()), static_cast<int>(RowTotal.size()));
  for (size_t c = 0; c < ColTotal.size(); ++c)
    for (size_t r = 0; r < RowTotal.size(); ++r)
      E[static_cast<int>(c)][r] = RowTotal[r] * ColTotal[c] / total;
  return true;
}

NumberLine Proportions(const std::vector<Integer>& Totals) {
  double sum = 0;
  for (Integer t : Totals) sum += t;
  NumberLine line(Totals.size(), 0.0);
  if (sum > 0)
    for (size_t i = 0; i < Totals.size(); ++i) line[i] = Totals[i] / sum;
  return line;
}

bool RandomizeMatrix(Matrix& S, Integer Total, const TProportionalPick& Sites, const TProportionalPick& Species,
                     const PollFn& Poll, const MessageSink& Message) {
  S.Fill(0);
  if (Total <= 0 || !Sites.Any() || !Species.Any()) {
    if (Message) Message(kTableRestraintsFailed);
    return false;
  }
  for (Integer k = 0; k < Total; ++k) {
    if (Poll && Poll()) return false;
    RandomReal();  // u1: the column
    const uint32_t u1 = RandSeed;
    RandomReal();  // u2: the row
    const uint32_t u2 = RandSeed;
    ++S[Sites.AtLeast(u1)][Species.AtLeast(u2)];
  }
  return true;
}

void RandomizeColumns(Matrix& S, const std::vector<Integer>& ColTotal) {
  S.Fill(0);
  const Integer rows = S.Rows();
  for (size_t c = 0; c < ColTotal.size(); ++c) {
    int32_t* column = S[static_cast<int>(c)];
    for (Integer k = 0; k < ColTotal[c]; ++k) ++column[Random(rows)];
  }
}

void RandomizeRows(Matrix& S, const std::vector<Integer>& RowTotal) {
  S.Fill(0);
  const Integer columns = S.Cols();
  for (size_t r = 0; r < RowTotal.size(); ++r)
    for (Integer k = 0; k < RowTotal[r]; ++k) ++S[Random(columns)][r];
}

void TChiSquareModel::SetUp(TChiSquareRandomization AChoice, const std::vector<Integer>& Rows,
                            const std::vector<Integer>& Cols, Integer GrandTotal) {
  Choice = AChoice;
  RowTotal = Rows;
  ColTotal = Cols;
  Total = GrandTotal;
  SpeciesNumberLine = Proportions(Rows);
  SitesNumberLine = Proportions(Cols);
  SpeciesPick.Build(SpeciesNumberLine);
  SitesPick.Build(SitesNumberLine);
}

bool TChiSquareModel::Draw(Matrix& S, const PollFn& Poll, const MessageSink& Message) const {
  switch (Choice) {
    case TChiSquareRandomization::Columns:
      RandomizeColumns(S, ColTotal);
      return true;
    case TChiSquareRandomization::Rows:
      RandomizeRows(S, RowTotal);
      return true;
    case TChiSquareRandomization::Matrix:
      break;
  }
  return RandomizeMatrix(S, Total, SitesPick, SpeciesPick, Poll, Message);
}

void SimulateChiSquare(const TChiSquareModel& Model, const Real_Matrix& E, Integer Iterations,
                       std::vector<double>& Simulated) {
  Matrix s(E.Cols(), E.Rows());
  const PollFn poll = NeverInterrupted;
  for (Integer i = 0; i < Iterations; ++i) {
    Model.Draw(s, poll, nullptr);
    Simulated[static_cast<size_t>(i)] = ChiSquareStatistic(s, E);
  }
}

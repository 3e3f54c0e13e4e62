// Shuffles and weighted fills.
//
// Shuffles start from the observed matrix and exchange cells; they keep the grand total and,
// within rows or columns, the row or column totals. Weighted fills start from an empty matrix
// and place the observed occurrences one at a time on cells drawn through number lines; a
// drawn cell that is occupied is drawn again. Draws per cell or per attempt are listed at
// each routine, in order; Random(n) is an integer in 0..n-1, RandomReal a real in [0, 1).
#include "analysis/presence_absence/CoOccurrenceSims.h"

#include <algorithm>
#include <utility>

#include "classlib/Random.h"

// Draws per cell, rows r = 1..R outer, columns c = 1..C inner:
//   rr = Random(R) + 1, cc = Random(C) + 1; exchange S[c][r] with S[cc][rr].
void CoOccurrenceSims::ShuffleCells(const Matrix& observed, Matrix& simulated) {
  simulated = observed;
  for (int32_t r = 1; r <= R_; ++r)
    for (int32_t c = 1; c <= C_; ++c) {
      const int32_t rr = Random(R_) + 1;
      const int32_t cc = Random(C_) + 1;
      std::swap(simulated[c][r], simulated[cc][rr]);
    }
}

// Draws per cell, rows r = 1..R outer, columns c = 1..C inner:
//   k = Random(C) + 1; exchange S[c][r] with S[k][r].
void CoOccurrenceSims::ShuffleWithinRows(const Matrix& observed, Matrix& simulated) {
  simulated = observed;
  for (int32_t r = 1; r <= R_; ++r)
    for (int32_t c = 1; c <= C_; ++c) {
      const int32_t k = Random(C_) + 1;
      std::swap(simulated[c][r], simulated[k][r]);
    }
}

// Draws per cell, columns c = 1..C outer, rows r = 1..R inner:
//   k = Random(R) + 1; exchange S[c][r] with S[c][k].
void CoOccurrenceSims::ShuffleWithinColumns(const Matrix& observed, Matrix& simulated) {
  simulated = observed;
  for (int32_t c = 1; c <= C_; ++c) {
    int32_t* col = simulated[c];
    for (int32_t r = 1; r <= R_; ++r) std::swap(col[r], col[Random(R_) + 1]);
  }
}

// A line whose element 0 (the weight sum) is not positive cannot be walked.
bool CoOccurrenceSims::CheckWalkedLine(const NumberLine& line) {
  if (line[0] > 0) return true;
  Fail(kUnableToSatisfy);
  return false;
}

// Empty data cells; the observed totals as the target's totals.
void CoOccurrenceSims::StartFill(const Matrix& observed, Matrix& simulated) {
  if (simulated.Cols() != observed.Cols() || simulated.Rows() != observed.Rows())
    simulated.SetLength(observed.Cols(), observed.Rows());
  for (int32_t c = 1; c <= C_; ++c) {
    std::fill(simulated[c] + 1, simulated[c] + R_ + 1, 0);
    simulated[c][0] = observed[c][0];
  }
  for (int32_t r = 0; r <= R_; ++r) simulated[0][r] = observed[0][r];
}

// Places one occurrence: before each attempt the poll runs; drawTarget makes the attempt's
// draws and returns the cell they hit; an occupied cell means a new attempt, up to
// kMaxFillAttempts.
template <typename DrawTarget>
bool CoOccurrenceSims::PlaceOccurrence(DrawTarget drawTarget) {
  for (int32_t attempt = 1;; ++attempt) {
    if (PollInterrupt()) return false;
    int32_t& cell = drawTarget();
    if (cell != 1) {
      cell = 1;
      return true;
    }
    if (attempt == kMaxFillAttempts) {
      Fail(kUnableToSatisfy);
      return false;
    }
  }
}

// Rows r = 1..R in order, O[0][r] occurrences each. Draws per attempt:
//   x = RandomReal(); site = first j with cum(SitesNumberLine, j) > x.
void CoOccurrenceSims::FillRowsBySiteWeights(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(sitesLine_)) return;
  StartFill(observed, simulated);
  for (int32_t r = 1; r <= R_; ++r)
    for (int32_t k = observed[0][r]; k > 0; --k)
      if (!PlaceOccurrence([&]() -> int32_t& {
            return simulated[sitesSearch_.FindStrict(RandomReal())][r];
          }))
        return;
}

// Columns c = 1..C in order, O[c][0] occurrences each. Draws per attempt:
//   x = RandomReal(); species = first j with cum(SpeciesNumberLine, j) >= x.
void CoOccurrenceSims::FillColumnsBySpeciesWeights(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(speciesLine_)) return;
  StartFill(observed, simulated);
  for (int32_t c = 1; c <= C_; ++c) {
    int32_t* col = simulated[c];
    for (int32_t k = observed[c][0]; k > 0; --k)
      if (!PlaceOccurrence([&]() -> int32_t& { return col[speciesSearch_.FindAtLeast(RandomReal())]; }))
        return;
  }
}

// O[0][0] occurrences. Draws per attempt:
//   row = Random(R) + 1; x = RandomReal(); site = first j with cum(SitesNumberLine, j) >= x.
void CoOccurrenceSims::FillRandomRowsWeightedSites(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(sitesLine_)) return;
  StartFill(observed, simulated);
  for (int32_t k = observed[0][0]; k > 0; --k)
    if (!PlaceOccurrence([&]() -> int32_t& {
          const int32_t row = Random(R_) + 1;
          return simulated[sitesSearch_.FindAtLeast(RandomReal())][row];
        }))
      return;
}

// O[0][0] occurrences. Draws per attempt:
//   site = Random(C) + 1; x = RandomReal(); species = first j with cum(SpeciesNumberLine, j) >= x.
void CoOccurrenceSims::FillRandomSitesWeightedRows(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(speciesLine_)) return;
  StartFill(observed, simulated);
  for (int32_t k = observed[0][0]; k > 0; --k)
    if (!PlaceOccurrence([&]() -> int32_t& {
          const int32_t site = Random(C_) + 1;
          return simulated[site][speciesSearch_.FindAtLeast(RandomReal())];
        }))
      return;
}

// O[0][0] occurrences. Draws per attempt:
//   x1 = RandomReal(); x2 = RandomReal();
//   species = first j with cum(SpeciesNumberLine, j) >= x2; site likewise against x1.
void CoOccurrenceSims::FillWeightedRowsWeightedSites(const Matrix& observed, Matrix& simulated) {
  const bool sitesOk = sitesLine_[0] > 0;
  const bool speciesOk = speciesLine_[0] > 0;
  if (!sitesOk || !speciesOk) {
    Fail(kUnableToSatisfy);  // once, whichever line is at fault
    return;
  }
  StartFill(observed, simulated);
  for (int32_t k = observed[0][0]; k > 0; --k)
    if (!PlaceOccurrence([&]() -> int32_t& {
          const double x1 = RandomReal();
          const double x2 = RandomReal();
          const int32_t species = speciesSearch_.FindAtLeast(x2);
          return simulated[sitesSearch_.FindAtLeast(x1)][species];
        }))
      return;
}

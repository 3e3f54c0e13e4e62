#include "analysis/common/ZorvanHelpersMatrix.h"

#include <algorithm>


void CalculateMargins(Matrix& M, const InfoMat& info_Mat) {
  CalculateMargins_Size(M, info_Mat[2], info_Mat[3]);
}

void CalculateMargins_Size(Matrix& M, int32_t columns, int32_t rows) {
  if (columns < 1 || rows < 1) return;
  M.RequireIndex(columns, rows);
  int32_t* rowTotals = M[0];
  std::fill(rowTotals + 1, rowTotals + rows + 1, 0);
  int32_t grand = 0;
  // Column by column: a column is contiguous, so both totals come from one pass.
  for (int32_t c = 1; c <= columns; ++c) {
    const int32_t* col = M[c];
    int32_t colTotal = 0;
    for (int32_t r = 1; r <= rows; ++r) {
      colTotal += col[r];
      rowTotals[r] += col[r];
    }
    M[c][0] = colTotal;
    grand += colTotal;
  }
  M[0][0] = grand;
}

void CopyNonEmptyRows(const Matrix& P, Matrix& Q, InfoMat& info_Mat) {
  const int32_t sites = info_Mat[2];
  const int32_t species = info_Mat[3];
  if (species >= 1) {
    P.RequireIndex(std::max(sites, 0), species);
    Q.RequireIndex(std::max(sites, 0), 0);
  }
  int32_t k = 0;
  for (int32_t r = 1; r <= species; ++r) {
    if (P[0][r] <= 0) continue;
    ++k;
    Q.RequireIndex(0, k);
    for (int32_t c = 1; c <= sites; ++c) Q[c][k] = P[c][r];
  }
  info_Mat[3] = k;
}

void RemoveEmptyColumns(Matrix& M, InfoMat& info_Mat) {
  const int32_t sites = info_Mat[2];
  const int32_t species = info_Mat[3];
  if (sites >= 1) M.RequireIndex(sites, std::max(species, 0));
  if (M.Cols() != info_Mat[0] || M.Rows() != info_Mat[1]) {
    // Rare: the matrix is not of the run's size; build the result in a new one.
    Matrix N(info_Mat[0], info_Mat[1]);
    int32_t k = 0;
    for (int32_t c = 1; c <= sites; ++c) {
      if (M[c][0] <= 0) continue;
      ++k;
      N.RequireIndex(k, std::max(species, 0));
      for (int32_t r = 1; r <= species; ++r) N[k][r] = M[c][r];
    }
    info_Mat[2] = k;
    M = std::move(N);
    return;
  }
  const int32_t rows = M.Rows();
  int32_t k = 0;
  for (int32_t c = 1; c <= sites; ++c) {
    if (M[c][0] <= 0) continue;
    ++k;
    int32_t* to = M[k];
    if (k != c) std::copy(M[c] + 1, M[c] + species + 1, to + 1);
    to[0] = 0;
    std::fill(to + species + 1, to + rows, 0);
  }
  std::fill(M[0], M[0] + rows, 0);
  for (int32_t c = k + 1; c < M.Cols(); ++c) std::fill(M[c], M[c] + rows, 0);
  info_Mat[2] = k;
}

int32_t CountOccupiedRows(const Matrix& M, int32_t rowCount) {
  if (rowCount > 1) M.RequireIndex(0, rowCount - 1);
  int32_t count = 0;
  for (int32_t r = 1; r <= rowCount - 1; ++r)
    if (M[0][r] > 0) ++count;
  return count;
}

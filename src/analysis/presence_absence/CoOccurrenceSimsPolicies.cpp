// Degenerate-matrix policies: what happens to a simulated matrix with an empty species row or
// site column. Retain keeps it, Split keeps it and marks it, Discard draws again (up to
// kMaxDegenerateTries matrices), Fix moves occurrences into the empty rows and columns.
#include <string>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/presence_absence/CoOccurrenceSims.h"
#include "classlib/Random.h"

namespace {
// Built once: a caption longer than the short-string buffer would allocate on every matrix.
const std::string kDiscardingCaption = "Zorvan is discarding...";
const std::string kFixingCaption = "Zorvan is fixing...";
}  // namespace

// The swaps give S the observed totals (copied with the cells, or kept by the swap made in S),
// so S's totals are current without a recount.
bool CoOccurrenceSims::KeepsTotals() const {
  return generator_ == &CoOccurrenceSims::FixedFixed && (options_.FixedFixed == FixedFixedAlgorithm::SequentialSwap ||
                                                          options_.FixedFixed == FixedFixedAlgorithm::IndependentSwap);
}

void CoOccurrenceSims::SimulateMatrix(const Matrix& observed, Matrix& simulated, const InfoMat& info_Mat) {
  degenerateSample_ = false;
  switch (options_.Degenerate) {
    case DegeneratePolicy::Retain:
      ConstrainedRandomMatrix(observed, simulated);
      if (!KeepsTotals()) CalculateMargins(simulated, info_Mat);
      break;
    case DegeneratePolicy::Discard: {
      // The caption counts the matrices drawn before the current one in this iteration.
      Caption(kDiscardingCaption);
      int32_t n = 0;
      do {
        if (PollInterrupt()) return;
        ConstrainedRandomMatrix(observed, simulated);
        CalculateMargins(simulated, info_Mat);
        Caption("..." + std::to_string(n));
        ++n;
      } while (IsDegenerate(simulated, info_Mat) && n < kMaxDegenerateTries);
      if (n == kMaxDegenerateTries && IsDegenerate(simulated, info_Mat)) Fail(kDiscardedMatrices);
      break;
    }
    case DegeneratePolicy::Split:
      ConstrainedRandomMatrix(observed, simulated);
      if (!KeepsTotals()) CalculateMargins(simulated, info_Mat);
      degenerateSample_ = IsDegenerate(simulated, info_Mat);
      break;
    case DegeneratePolicy::Fix:
      ConstrainedRandomMatrix(observed, simulated);
      CalculateMargins(simulated, info_Mat);
      FixDegenerate(simulated, info_Mat);
      break;
  }
}

bool CoOccurrenceSims::IsDegenerate(const Matrix& M, const InfoMat& info_Mat) const {
  const int32_t C = info_Mat[0] - 1, R = info_Mat[1] - 1;
  for (int32_t r = 1; r <= R; ++r)
    if (M[0][r] == 0) return true;
  for (int32_t c = 1; c <= C; ++c)
    if (M[c][0] == 0) return true;
  return false;
}

// The empty row r takes one occurrence from the donor, the first row with the largest total:
// sites c = Random(C) + 1 are drawn (poll before each) until [c][donor] = 1, that cell is
// cleared, then a site c2 = Random(C) + 1 is drawn and [c2][r] set. A donor without
// occurrences (an all-empty matrix) has nothing to give: that fails like a fix that never
// completes. Returns false when the fix must stop.
bool CoOccurrenceSims::FixEmptyRow(Matrix& M, int32_t r, int32_t R, int32_t C) {
  int32_t donor = 1;
  for (int32_t k = 2; k <= R; ++k)
    if (M[0][k] > M[0][donor]) donor = k;
  if (M[0][donor] <= 0) {
    Fail(kDiscardedMatrices);
    return false;
  }
  int32_t c;
  do {
    if (PollInterrupt()) return false;
    c = Random(C) + 1;
  } while (M[c][donor] != 1);
  M[c][donor] = 0;
  --M[0][donor];
  --M[c][0];
  const int32_t c2 = Random(C) + 1;
  M[c2][r] = 1;
  ++M[0][r];
  ++M[c2][0];
  return true;
}

// The same for an empty column c: rows r = Random(R) + 1 until [donor][r] = 1, then a row
// r2 = Random(R) + 1 for [c][r2].
bool CoOccurrenceSims::FixEmptyColumn(Matrix& M, int32_t c, int32_t R, int32_t C) {
  int32_t donor = 1;
  for (int32_t k = 2; k <= C; ++k)
    if (M[k][0] > M[donor][0]) donor = k;
  if (M[donor][0] <= 0) {
    Fail(kDiscardedMatrices);
    return false;
  }
  int32_t r;
  do {
    if (PollInterrupt()) return false;
    r = Random(R) + 1;
  } while (M[donor][r] != 1);
  M[donor][r] = 0;
  --M[donor][0];
  --M[0][r];
  const int32_t r2 = Random(R) + 1;
  M[c][r2] = 1;
  ++M[c][0];
  ++M[0][r2];
  return true;
}

// Passes over the rows, then the columns, fixing every empty one; a column fix can empty a
// row again, so passes repeat until one finds nothing to fix. The pass counter starts at 1
// and the fix gives up when it reaches kMaxDegenerateTries (2,999 passes).
void CoOccurrenceSims::FixDegenerate(Matrix& M, const InfoMat& info_Mat) {
  const int32_t C = info_Mat[0] - 1, R = info_Mat[1] - 1;
  chainCopy_ = nullptr;
  Caption(kFixingCaption);
  int32_t pass = 1;
  for (;;) {
    if (PollInterrupt()) return;
    Caption("..." + std::to_string(pass));
    bool clean = true;
    for (int32_t r = 1; r <= R; ++r) {
      if (PollInterrupt()) return;
      if (M[0][r] != 0) continue;
      clean = false;
      if (!FixEmptyRow(M, r, R, C)) return;
    }
    for (int32_t c = 1; c <= C; ++c) {
      if (PollInterrupt()) return;
      if (M[c][0] != 0) continue;
      clean = false;
      if (!FixEmptyColumn(M, c, R, C)) return;
    }
    ++pass;
    Caption("..." + std::to_string(pass));
    if (clean) return;
    if (pass == kMaxDegenerateTries) {
      Fail(kDiscardedMatrices);
      return;
    }
  }
}

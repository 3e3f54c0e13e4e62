// Generators that keep both the row and the column totals: the checkerboard swap chains and
// the knight's tour.
//
// A checkerboard is a 2 x 2 submatrix with exactly one diagonal filled; inverting its four
// cells keeps every row and column total, and any two matrices with the same totals are
// joined by such swaps. The sequential swap runs one chain through a whole run (a burn-in of
// K swaps, then one swap per matrix); the independent swap makes K swaps from the observed
// matrix for every matrix. K = R x C, at least kMinimumSwaps.
#include <algorithm>
#include <numeric>
#include <utility>

#include "analysis/presence_absence/CoOccurrenceSims.h"
#include "classlib/Random.h"

// Sorting the species rows by total, M has no checkerboard exactly when each row's sites are
// a subset of the next row's: two rows of which neither contains the other form one.
bool HasCheckerboard(const Matrix& M, int32_t columns, int32_t rows) {
  if (rows < 2 || columns < 2) return false;
  const size_t words = (static_cast<size_t>(columns) + 63) / 64;
  std::vector<uint64_t> bits(static_cast<size_t>(rows) * words, 0);
  std::vector<int32_t> totals(static_cast<size_t>(rows), 0);
  for (int32_t c = 1; c <= columns; ++c)
    for (int32_t r = 1; r <= rows; ++r)
      if (M[c][r] != 0) {
        bits[static_cast<size_t>(r - 1) * words + (c - 1) / 64] |= uint64_t{1} << ((c - 1) % 64);
        ++totals[r - 1];
      }
  std::vector<int32_t> order(static_cast<size_t>(rows));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return totals[a] < totals[b]; });
  for (size_t k = 1; k < order.size(); ++k) {
    const uint64_t* smaller = &bits[static_cast<size_t>(order[k - 1]) * words];
    const uint64_t* larger = &bits[static_cast<size_t>(order[k]) * words];
    for (size_t w = 0; w < words; ++w)
      if (smaller[w] & ~larger[w]) return true;
  }
  return false;
}

// One swap. Draws per attempt (the poll runs before each):
//   r1 = Random(R) + 1, c1 = Random(C) + 1, r2 = Random(R) + 1, c2 = Random(C) + 1.
// With a = [c1][r1], b = [c2][r2], c = [c2][r1], d = [c1][r2] the attempt succeeds when
// a*b + c*d = 1 and a + b + c + d = 2 (a draw with r1 = r2 or c1 = c2 never does); the four
// cells are then inverted. Cell [c][r] is cells[c * stride + r].
template <typename Cell>
bool CoOccurrenceSims::SwapKernel(Cell* cells, int32_t stride, SwapCells& made) {
  for (;;) {
    if (PollInterrupt()) {
      CloseProgress();
      return false;
    }
    const int32_t r1 = Random(R_) + 1;
    const int32_t c1 = Random(C_) + 1;
    const int32_t r2 = Random(R_) + 1;
    const int32_t c2 = Random(C_) + 1;
    Cell& a = cells[static_cast<size_t>(c1) * stride + r1];
    Cell& b = cells[static_cast<size_t>(c2) * stride + r2];
    Cell& c = cells[static_cast<size_t>(c2) * stride + r1];
    Cell& d = cells[static_cast<size_t>(c1) * stride + r2];
    if (a * b + c * d == 1 && a + b + c + d == 2) {
      a = static_cast<Cell>(1 - a);
      b = static_cast<Cell>(1 - b);
      c = static_cast<Cell>(1 - c);
      d = static_cast<Cell>(1 - d);
      made = SwapCells{r1, c1, r2, c2};
      return true;
    }
  }
}

bool CoOccurrenceSims::SwapCheckerboard(Matrix& M) { return SwapKernel(M.Data(), M.Rows(), lastSwap_); }

bool CoOccurrenceSims::SwapChain() {
  if (!SwapKernel(fixedChain_.data(), R_ + 1, lastChainSwap_)) return false;
  ++chainChanges_;
  return true;
}

void CoOccurrenceSims::LoadChain(std::vector<uint8_t>& chain, const Matrix& observed) {
  if (&chain == &fixedChain_) {
    ++chainChanges_;
    lastChainSwap_ = SwapCells{};
    chainCopy_ = nullptr;
  }
  const size_t stride = static_cast<size_t>(R_) + 1;
  chain.assign(stride * (static_cast<size_t>(C_) + 1), 0);
  for (int32_t c = 1; c <= C_; ++c)
    for (int32_t r = 1; r <= R_; ++r) chain[c * stride + r] = static_cast<uint8_t>(observed[c][r]);
}

// S := the chain's cells with the observed totals (which the swaps keep).
void CoOccurrenceSims::CopyChainTo(const std::vector<uint8_t>& chain, const Matrix& observed,
                                   Matrix& simulated) const {
  simulated = observed;
  const size_t stride = static_cast<size_t>(R_) + 1;
  for (int32_t c = 1; c <= C_; ++c) {
    int32_t* col = simulated[c];
    const uint8_t* from = &chain[c * stride];
    for (int32_t r = 1; r <= R_; ++r) col[r] = from[r];
  }
}

// True when S is the matrix the sequential swap filled last, the chain has made one swap since
// and S's cells of that swap still hold what the chain held before it.
bool CoOccurrenceSims::ShowsChainBeforeSwap(const Matrix& simulated) const {
  if (chainCopy_ != &simulated || chainCopyChanges_ + 1 != chainChanges_) return false;
  if (simulated.Cols() != C_ + 1 || simulated.Rows() != R_ + 1) return false;
  const SwapCells& w = lastChainSwap_;
  const uint8_t* chain = fixedChain_.data();
  const size_t stride = static_cast<size_t>(R_) + 1;
  for (const auto& [c, r] : {std::pair{w.c1, w.r1}, {w.c2, w.r2}, {w.c2, w.r1}, {w.c1, w.r2}})
    if (simulated[c][r] != 1 - chain[c * stride + r]) return false;
  return true;
}

// First call of a run: K swaps on the chain (burn-in; each one steps the progress bar), and S
// is the chain. Every later call: one swap on the chain, and S is the chain. When the observed
// matrix is the only one with its totals there is nothing to swap: S is the observed matrix.
void CoOccurrenceSims::SequentialSwap(const Matrix& observed, Matrix& simulated) {
  if (!swapsPossible_) {
    done_ = true;
  } else if (!done_) {
    if (services_.BeginBurnIn) services_.BeginBurnIn(swapCount_);
    for (int32_t k = 0; k < swapCount_; ++k) {
      if (interrupt_) return;
      if (services_.StepProgress) services_.StepProgress();
      if (!SwapChain()) return;
    }
    if (services_.EndBurnIn) services_.EndBurnIn();
    done_ = true;
  } else if (!SwapChain()) {
    return;
  } else if (ShowsChainBeforeSwap(simulated)) {
    // The same four cells change in S.
    const SwapCells& w = lastChainSwap_;
    for (const auto& [c, r] : {std::pair{w.c1, w.r1}, {w.c2, w.r2}, {w.c2, w.r1}, {w.c1, w.r2}})
      simulated[c][r] = 1 - simulated[c][r];
    chainCopyChanges_ = chainChanges_;
    return;
  }
  CopyChainTo(fixedChain_, observed, simulated);
  chainCopy_ = &simulated;
  chainCopyChanges_ = chainChanges_;
}

// K swaps from the observed matrix (the progress bar is not stepped).
void CoOccurrenceSims::IndependentSwap(const Matrix& observed, Matrix& simulated) {
  if (swapsPossible_) {
    LoadChain(workChain_, observed);
    for (int32_t k = 0; k < swapCount_; ++k)
      if (!SwapKernel(workChain_.data(), R_ + 1, lastSwap_)) return;
    CopyChainTo(workChain_, observed, simulated);
  } else {
    simulated = observed;
  }
}

namespace {
void SetCell(int32_t c, int32_t r, Matrix& M) {
  M[c][r] = 1;
  ++M[c][0];
  ++M[0][r];
  ++M[0][0];
}
void ClearCell(int32_t c, int32_t r, Matrix& M) {
  if (M[c][r] != 1) return;
  M[c][r] = 0;
  --M[c][0];
  --M[0][r];
  --M[0][0];
}
}  // namespace

// Fills an empty matrix cell by cell at random candidates that fit the observed totals.
// Step by step, while fewer than N = O[0][0] cells are placed:
// - after more than slack = R x C - N misses in a row, the candidate drawn before the most
//   recent one is cleared (if it holds 1) and the miss count restarts: this undoes placements
//   that block the remaining totals;
// - otherwise a candidate is drawn: column = Random(C + 1), row = Random(R + 1), both drawn
//   again together while either is 0; it is placed when its cell is 0 and its column and row
//   are below their observed totals (then the poll runs), else it is a miss.
// Dense matrices take this random repair very long to complete; after
// kKnightsTourStepsPerCell steps per data cell (at least kKnightsTourMinSteps, or the
// options' limit) the tour gives up with "Unable to satisfy restraints...".
void CoOccurrenceSims::KnightsTour(const Matrix& observed, Matrix& simulated) {
  if (simulated.Cols() != observed.Cols() || simulated.Rows() != observed.Rows())
    simulated.SetLength(observed.Cols(), observed.Rows());
  simulated.Fill(0);
  const int32_t N = observed[0][0];
  const int64_t cells = static_cast<int64_t>(R_) * C_;
  const int64_t slack = cells - N;
  const int64_t maxSteps = options_.KnightsTourStepLimit > 0
                               ? options_.KnightsTourStepLimit
                               : std::max(kKnightsTourMinSteps, kKnightsTourStepsPerCell * cells);
  int64_t misses = 0;
  int64_t steps = 0;
  int32_t candC = 0, candR = 0;  // the most recent candidate
  int32_t prevC = 0, prevR = 0;  // the one drawn before it
  while (simulated[0][0] < N) {
    if (++steps > maxSteps) {
      knightsSteps_ = steps - 1;
      Fail(kUnableToSatisfy);
      return;
    }
    if (misses > slack) {
      if (prevC > 0) ClearCell(prevC, prevR, simulated);  // prevC = 0: nothing drawn yet
      misses = 0;
      continue;
    }
    prevC = candC;
    prevR = candR;
    do {
      candC = Random(C_ + 1);
      candR = Random(R_ + 1);
    } while (candC == 0 || candR == 0);
    if (simulated[candC][0] < observed[candC][0] && simulated[0][candR] < observed[0][candR] &&
        simulated[candC][candR] == 0) {
      SetCell(candC, candR, simulated);
      misses = 0;
      if (PollInterrupt()) {
        CloseProgress();
        knightsSteps_ = steps;
        return;
      }
    } else {
      ++misses;
    }
  }
  knightsSteps_ = steps;
}

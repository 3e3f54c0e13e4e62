// Shuffles and weighted fills.
//
// Shuffles start from the observed matrix and exchange cells; they keep the grand total and,
// within rows or columns, the row or column totals. Weighted fills start from an empty matrix
// and place the observed occurrences one at a time on cells drawn through number lines; a
// drawn cell that is occupied is drawn again. Draws per cell or per attempt are listed at
// each routine, in order; Random(n) is an integer in 0..n-1, RandomReal a real in [0, 1).
#include "analysis/presence_absence/CoOccurrenceSims.h"

#include <algorithm>
#include <cstddef>
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

// The fills place their occurrences in a byte per cell (workChain_, [c * (R + 1) + r] like
// S): a quarter of S's footprint, so that the cells hit at random stay in cache, and S is
// written once, in order, when the fill ends.

// Sizes S like O, copies O's species totals into S's and empties the fill's cells.
void CoOccurrenceSims::StartFill(const Matrix& observed, Matrix& simulated) {
  if (simulated.Cols() != observed.Cols() || simulated.Rows() != observed.Rows())
    simulated.SetLength(observed.Cols(), observed.Rows());
  for (int32_t r = 0; r <= R_; ++r) simulated[0][r] = observed[0][r];
  std::fill(workChain_.begin(), workChain_.end(), 0);
  // A poll that is a plain function is called directly: through std::function it costs a
  // second indirect call on every attempt.
  bool (*const* plain)() = services_.Poll ? services_.Poll.target<bool (*)()>() : nullptr;
  fillPlainPoll_ = plain ? *plain : nullptr;
}

// S's data cells := the fill's cells (complete, or as far as an abort or failure let it get).
// S and the cells share their layout, so columns 1..C go over in one run (which vectorises);
// the column totals in it are put back after.
void CoOccurrenceSims::FinishFill(const Matrix& observed, Matrix& simulated) const {
  const size_t stride = static_cast<size_t>(R_) + 1;
  const size_t end = stride * (static_cast<size_t>(C_) + 1);
  const uint8_t* from = workChain_.data();
  int32_t* to = simulated.Data();
  for (size_t i = stride; i < end; ++i) to[i] = from[i];
  for (int32_t c = 1; c <= C_; ++c) simulated[c][0] = observed[c][0];
}

namespace {

// Draws from the program's random source while a fill keeps the source's state in a local
// (a register) between polls: the state goes to the source for the draw and comes back after
// it, which the compiler folds into register arithmetic plus one store.
// RealDraw returns the state the draw leaves: the searches take the real from it
// (FindStrictForState and FindAtLeastForState).
inline Cardinal RealDraw(Cardinal& seed) {
  RandSeed = seed;
  RandomReal();
  seed = RandSeed;
  return seed;
}

inline int32_t IntDraw(Cardinal& seed, int32_t n) {
  RandSeed = seed;
  const int32_t k = Random(n);
  seed = RandSeed;
  return k;
}

}  // namespace

// Places `count` occurrences. Before each attempt the poll runs (RandSeed is current there);
// drawCell(seed) makes the attempt's draws and returns the offset of the cell they hit from
// `cells`; an occupied cell means a new attempt, and the kMaxFillAttempts-th attempt of one
// occurrence that hits an occupied cell fails.
//
// Every attempt marks its cell (a hit on an occupied cell writes the 1 that is there) and
// advances the counts by arithmetic: the outcome of an attempt steers no branch, so the CPU
// runs ahead through the draws instead of guessing whether a cell was free.
template <typename DrawCell>
bool CoOccurrenceSims::PlaceOccurrences(int32_t count, uint8_t* cells, DrawCell drawCell) {
  if (count <= 0) return true;
  if (interrupt_) {  // set before the fill began: the first poll still runs
    PollInterrupt();
    return false;
  }
  const PollFn& poll = services_.Poll;
  const bool polled = static_cast<bool>(poll);
  bool (*const plain)() = fillPlainPoll_;
  Cardinal seed = RandSeed;
  int32_t misses = 0;  // attempts of the current occurrence so far, all on occupied cells
  do {
    if (polled) {
      RandSeed = seed;
      if (plain ? plain() : poll()) [[unlikely]] {
        interrupt_ = true;
        return false;
      }
      // A poll that changed the source's state is followed. The common case keeps the state
      // in its register: a compare and a branch the CPU predicts, where a reload (or a
      // conditional move) would put a store-to-load round trip on the chain of draws. The
      // empty asm statements keep the compiler from turning the branch into either: the
      // first hides the outcome of the compare, the second makes the branch a real one.
      const Cardinal now = RandSeed;
      bool changed = now != seed;
      asm("" : "+r"(changed));
      if (changed) [[unlikely]] {
        seed = now;
        asm volatile("" : "+r"(seed));
      }
    }
    uint8_t& cell = cells[drawCell(seed)];
    const int32_t hit = cell;
    cell = 1;
    count -= 1 - hit;
    misses = (misses + 1) & -hit;
    if (misses == kMaxFillAttempts) [[unlikely]] {
      RandSeed = seed;
      Fail(kUnableToSatisfy);
      return false;
    }
  } while (count > 0);
  RandSeed = seed;
  return true;
}

// Rows r = 1..R in order, O[0][r] occurrences each. Draws per attempt:
//   x = RandomReal(); site = first j with cum(SitesNumberLine, j) > x.
void CoOccurrenceSims::FillRowsBySiteWeights(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(sitesLine_)) return;
  StartFill(observed, simulated);
  const ptrdiff_t stride = R_ + 1;
  const NumberLineSearch& sites = sitesSearch_;
  for (int32_t r = 1; r <= R_; ++r)
    if (!PlaceOccurrences(observed[0][r], workChain_.data() + r, [&](Cardinal& seed) {
          return sites.FindStrictForState(RealDraw(seed)) * stride;
        }))
      break;
  FinishFill(observed, simulated);
}

// Columns c = 1..C in order, O[c][0] occurrences each. Draws per attempt:
//   x = RandomReal(); species = first j with cum(SpeciesNumberLine, j) >= x.
void CoOccurrenceSims::FillColumnsBySpeciesWeights(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(speciesLine_)) return;
  StartFill(observed, simulated);
  const ptrdiff_t stride = R_ + 1;
  const NumberLineSearch& species = speciesSearch_;
  for (int32_t c = 1; c <= C_; ++c)
    if (!PlaceOccurrences(observed[c][0], workChain_.data() + c * stride,
                          [&](Cardinal& seed) -> ptrdiff_t { return species.FindAtLeastForState(RealDraw(seed)); }))
      break;
  FinishFill(observed, simulated);
}

// O[0][0] occurrences. Draws per attempt:
//   row = Random(R) + 1; x = RandomReal(); site = first j with cum(SitesNumberLine, j) >= x.
void CoOccurrenceSims::FillRandomRowsWeightedSites(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(sitesLine_)) return;
  StartFill(observed, simulated);
  const ptrdiff_t stride = R_ + 1;
  const int32_t R = R_;
  const NumberLineSearch& sites = sitesSearch_;
  PlaceOccurrences(observed[0][0], workChain_.data(), [&](Cardinal& seed) {
    const int32_t row = IntDraw(seed, R) + 1;
    return sites.FindAtLeastForState(RealDraw(seed)) * stride + row;
  });
  FinishFill(observed, simulated);
}

// O[0][0] occurrences. Draws per attempt:
//   site = Random(C) + 1; x = RandomReal(); species = first j with cum(SpeciesNumberLine, j) >= x.
void CoOccurrenceSims::FillRandomSitesWeightedRows(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(speciesLine_)) return;
  StartFill(observed, simulated);
  const ptrdiff_t stride = R_ + 1;
  const int32_t C = C_;
  const NumberLineSearch& species = speciesSearch_;
  PlaceOccurrences(observed[0][0], workChain_.data(), [&](Cardinal& seed) {
    const int32_t site = IntDraw(seed, C) + 1;
    return site * stride + species.FindAtLeastForState(RealDraw(seed));
  });
  FinishFill(observed, simulated);
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
  const ptrdiff_t stride = R_ + 1;
  const NumberLineSearch& sites = sitesSearch_;
  const NumberLineSearch& species = speciesSearch_;
  PlaceOccurrences(observed[0][0], workChain_.data(), [&](Cardinal& seed) {
    const Cardinal x1 = RealDraw(seed);
    const Cardinal x2 = RealDraw(seed);
    return sites.FindAtLeastForState(x1) * stride + species.FindAtLeastForState(x2);
  });
  FinishFill(observed, simulated);
}

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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "classlib/Random.h"

namespace {
// True when every data cell is 0 or 1, so that a byte holds it.
bool ZeroOneCells(const Matrix& M, int32_t C, int32_t R) {
  for (int32_t c = 1; c <= C; ++c) {
    const int32_t* col = M[c];
    for (int32_t r = 1; r <= R; ++r)
      if (static_cast<uint32_t>(col[r]) > 1u) return false;
  }
  return true;
}
}  // namespace

// The cell exchanges of a shuffle, on cells[c * stride + r]: S's own cells when S fits the
// second-level cache or holds values other than 0 and 1 (the group shuffles move cell numbers),
// else a byte per cell (workChain_), a quarter of the memory that the exchanges hit at random,
// written to S in one pass at the end.
template <typename Exchange>
void CoOccurrenceSims::ShuffleCellsBy(const Matrix& observed, Matrix& simulated, Exchange exchange) {
  if ((static_cast<size_t>(R_) + 1) * (static_cast<size_t>(C_) + 1) * sizeof(int32_t) <= kShuffleCellsInCache ||
      !ZeroOneCells(observed, C_, R_)) {
    simulated = observed;
    exchange(simulated.Data(), R_ + 1);
  } else {
    LoadChain(workChain_, observed);
    exchange(workChain_.data(), R_ + 1);
    // The data cells only: the totals are the caller's to recompute.
    if (simulated.Cols() != observed.Cols() || simulated.Rows() != observed.Rows())
      simulated.SetLength(observed.Cols(), observed.Rows());
    const size_t stride = static_cast<size_t>(R_) + 1;
    for (int32_t c = 1; c <= C_; ++c) {
      int32_t* col = simulated[c];
      const uint8_t* from = workChain_.data() + c * stride;
      for (int32_t r = 1; r <= R_; ++r) col[r] = from[r];
    }
  }
}

// Draws per cell, rows r = 1..R outer, columns c = 1..C inner:
//   rr = Random(R) + 1, cc = Random(C) + 1; exchange S[c][r] with S[cc][rr].
void CoOccurrenceSims::ShuffleCells(const Matrix& observed, Matrix& simulated) {
  ShuffleCellsBy(observed, simulated, [this](auto* cells, int32_t stride) {
    for (int32_t r = 1; r <= R_; ++r)
      for (int32_t c = 1; c <= C_; ++c) {
        const int32_t rr = Random(R_) + 1;
        const int32_t cc = Random(C_) + 1;
        std::swap(cells[static_cast<size_t>(c) * stride + r], cells[static_cast<size_t>(cc) * stride + rr]);
      }
  });
}

// Draws per cell, rows r = 1..R outer, columns c = 1..C inner:
//   k = Random(C) + 1; exchange S[c][r] with S[k][r].
void CoOccurrenceSims::ShuffleWithinRows(const Matrix& observed, Matrix& simulated) {
  ShuffleCellsBy(observed, simulated, [this](auto* cells, int32_t stride) {
    for (int32_t r = 1; r <= R_; ++r)
      for (int32_t c = 1; c <= C_; ++c) {
        const int32_t k = Random(C_) + 1;
        std::swap(cells[static_cast<size_t>(c) * stride + r], cells[static_cast<size_t>(k) * stride + r]);
      }
  });
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

// Where the fills mark their cells. On a small matrix S's own cells: S stays in the first-
// level cache. On a larger one a byte per cell (workChain_, [c * (R + 1) + r] like S), a
// quarter of S's footprint, so that the cells hit at random stay in cache; S is written from
// them in one pass when the fill ends. The column fill works in S at any size: it fills one
// column at a time.

// True when the fill marks S's own cells.
bool CoOccurrenceSims::SmallFill() const {
  return (static_cast<size_t>(R_) + 1) * (static_cast<size_t>(C_) + 1) * sizeof(int32_t) <=
         kFillCellsInCache;
}

// Sizes S like O and settles how the fill polls.
void CoOccurrenceSims::StartFill(const Matrix& observed, Matrix& simulated) {
  if (simulated.Cols() != observed.Cols() || simulated.Rows() != observed.Rows())
    simulated.SetLength(observed.Cols(), observed.Rows());
  // A poll that is a plain function is called directly: through std::function it costs a
  // second indirect call on every attempt. No poll is one that never interrupts.
  bool (*const* plain)() = services_.Poll ? services_.Poll.target<bool (*)()>() : nullptr;
  fillPlainPoll_ = !services_.Poll ? &NeverInterrupted : plain ? *plain : nullptr;
}

// S's data cells := 0.
void CoOccurrenceSims::EmptyCells(Matrix& simulated) const {
  const size_t stride = static_cast<size_t>(R_) + 1;
  int32_t* const cells = simulated.Data();
  std::fill(cells + stride, cells + stride * (static_cast<size_t>(C_) + 1), 0);
}

// Runs place(cells) on the cells a fill marks, in S's layout: S's own when the fill is small,
// else the fill's bytes, which then go over to S (complete, or as far as an abort or failure
// let the fill get). S's totals are O's after.
template <typename Place>
void CoOccurrenceSims::FillCells(const Matrix& observed, Matrix& simulated, Place place) {
  StartFill(observed, simulated);
  if (SmallFill()) {
    EmptyCells(simulated);
    place(simulated.Data());
  } else {
    std::fill(workChain_.begin(), workChain_.end(), 0);
    place(workChain_.data());
    const size_t stride = static_cast<size_t>(R_) + 1;
    const size_t end = stride * (static_cast<size_t>(C_) + 1);
    const uint8_t* const from = workChain_.data();
    int32_t* const to = simulated.Data();
    for (size_t i = stride; i < end; ++i) to[i] = from[i];  // one run, which vectorises
  }
  CopyTotals(observed, simulated);
}

// S's totals := O's: column 0 (species totals and the grand total) and element 0 of every
// other column.
void CoOccurrenceSims::CopyTotals(const Matrix& observed, Matrix& simulated) const {
  const size_t stride = static_cast<size_t>(R_) + 1;
  const size_t end = stride * (static_cast<size_t>(C_) + 1);
  const int32_t* const from = observed.Data();
  int32_t* const to = simulated.Data();
  std::copy(from, from + stride, to);
  for (size_t at = stride; at < end; at += stride) to[at] = from[at];
}

namespace {

#if defined(__SSE2__)
// Turns over a block of 16 x 16 bytes: bytes j of `from`, `from + fromStride`, ... (16 rows)
// become ints 0..15 of to + j * toStride (16 columns of S), by the four interleaving steps of
// a transpose (bytes, pairs, quads, octets), then widened to ints.
void TurnOverBlock(const uint8_t* from, size_t fromStride, int32_t* to, size_t toStride) {
  __m128i rows[16];
  for (int i = 0; i < 16; ++i)
    rows[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i * fromStride));
  // pairs[h][p]: sites 8h..8h+7, rows 2p and 2p + 1 of each.
  __m128i pairs[2][8];
  for (int p = 0; p < 8; ++p) {
    pairs[0][p] = _mm_unpacklo_epi8(rows[2 * p], rows[2 * p + 1]);
    pairs[1][p] = _mm_unpackhi_epi8(rows[2 * p], rows[2 * p + 1]);
  }
  // quads[q][g]: sites 4q..4q+3, rows 4g..4g+3 of each.
  __m128i quads[4][4];
  for (int h = 0; h < 2; ++h)
    for (int g = 0; g < 4; ++g) {
      quads[2 * h][g] = _mm_unpacklo_epi16(pairs[h][2 * g], pairs[h][2 * g + 1]);
      quads[2 * h + 1][g] = _mm_unpackhi_epi16(pairs[h][2 * g], pairs[h][2 * g + 1]);
    }
  // octets[e][o]: sites 2e and 2e + 1, rows 8o..8o+7 of each.
  __m128i octets[8][2];
  for (int q = 0; q < 4; ++q)
    for (int o = 0; o < 2; ++o) {
      octets[2 * q][o] = _mm_unpacklo_epi32(quads[q][2 * o], quads[q][2 * o + 1]);
      octets[2 * q + 1][o] = _mm_unpackhi_epi32(quads[q][2 * o], quads[q][2 * o + 1]);
    }
  const __m128i zero = _mm_setzero_si128();
  for (int j = 0; j < 16; ++j) {
    const __m128i column = (j & 1) ? _mm_unpackhi_epi64(octets[j / 2][0], octets[j / 2][1])
                                   : _mm_unpacklo_epi64(octets[j / 2][0], octets[j / 2][1]);
    const __m128i low = _mm_unpacklo_epi8(column, zero);
    const __m128i high = _mm_unpackhi_epi8(column, zero);
    auto* out = reinterpret_cast<__m128i*>(to + j * toStride);
    _mm_storeu_si128(out, _mm_unpacklo_epi16(low, zero));
    _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(low, zero));
    _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(high, zero));
    _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(high, zero));
  }
}
#endif

}  // namespace

// S's data cells := the fill's bytes kept by row ([r * (C + 1) + c]), turned over in blocks
// of 16 rows x 16 sites, the edges one cell at a time.
void CoOccurrenceSims::CellsFromBytesByRows(Matrix& simulated) const {
  const int32_t R = R_;
  const int32_t C = C_;
  const size_t width = static_cast<size_t>(C) + 1;
  const size_t stride = static_cast<size_t>(R) + 1;
  const uint8_t* const from = workChain_.data();
  int32_t* const to = simulated.Data();
  auto one = [&](int32_t c, int32_t r) { to[c * stride + r] = from[r * width + c]; };
  int32_t c0 = 1;
#if defined(__SSE2__)
  for (; c0 + 15 <= C; c0 += 16) {
    int32_t r0 = 1;
    for (; r0 + 15 <= R; r0 += 16)
      TurnOverBlock(from + r0 * width + c0, width, to + c0 * stride + r0, stride);
    for (int32_t c = c0; c < c0 + 16; ++c)
      for (int32_t r = r0; r <= R; ++r) one(c, r);
  }
#endif
  for (int32_t c = c0; c <= C; ++c)
    for (int32_t r = 1; r <= R; ++r) one(c, r);
}

namespace {

// Draws from the program's random source while a fill keeps the source's state in a local (a
// register): the state goes to the source for the draw and comes back after it, which the
// compiler folds into register arithmetic plus the store that leaves RandSeed current.
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

// Marks a cell; 1 when it was marked already.
template <typename Cell>
inline int32_t Mark(Cell& cell) {
  const int32_t hit = cell;
  cell = 1;
  return hit;
}

// Hides a value from the optimiser (an empty asm statement that may change it), so that code
// written as a branch stays one; elsewhere than GCC and Clang a no-op.
template <typename T>
inline void Opaque(T& value) {
#if defined(__GNUC__)
  asm volatile("" : "+r"(value));
#else
  (void)value;
#endif
}

}  // namespace

// Places the occurrences of a sequence of groups (the rows, the columns, or the whole
// matrix), in order: nextGroup(count) moves to the next group and sets count to its number of
// occurrences, or returns false when no group is left. Before each attempt the poll runs
// (RandSeed is current there); attempt(seed) makes the attempt's draws, marks the cell they
// hit and returns 1 when it was occupied already, which means a new attempt; the
// kMaxFillAttempts-th attempt of one occurrence that hits an occupied cell fails.
//
// A hit on an occupied cell marks it again, and the counts advance by arithmetic: the outcome
// of an attempt steers no branch but the one at the end of a group, so the CPU runs ahead
// through the draws instead of guessing whether a cell was free.
template <typename NextGroup, typename Attempt>
void CoOccurrenceSims::PlaceOccurrences(NextGroup nextGroup, Attempt attempt) {
  int32_t count = 0;
  do {
    if (!nextGroup(count)) return;
  } while (count <= 0);
  if (interrupt_) {  // set before the fill began: the first poll still runs
    PollInterrupt();
    return;
  }
  if (fillPlainPoll_) PlaceOccurrences(count, nextGroup, attempt, fillPlainPoll_);
  else PlaceOccurrences(count, nextGroup, attempt, services_.Poll);
}

template <typename NextGroup, typename Attempt, typename Poll>
void CoOccurrenceSims::PlaceOccurrences(int32_t count, NextGroup& nextGroup, Attempt& attempt,
                                        const Poll& poll) {
  // RandSeed is current at every poll and on return: each draw leaves the state there (the
  // draws go through the random source), and seed follows it.
  Cardinal seed = RandSeed;
  int32_t misses = 0;  // attempts of the current occurrence so far, all on occupied cells
  for (;;) {
    if (poll()) [[unlikely]] {
      interrupt_ = true;
      return;
    }
    // A poll that changed the source's state is followed. The common case keeps the state
    // in its register: a compare and a branch the CPU predicts, where a reload (or a
    // conditional move) would put a store-to-load round trip on the chain of draws. Opaque
    // keeps the compiler from turning the branch into either: once on the outcome of the
    // compare, once on the state taken over.
    const Cardinal now = RandSeed;
    bool changed = now != seed;
    Opaque(changed);
    if (changed) [[unlikely]] {
      seed = now;
      Opaque(seed);
    }
    const int32_t hit = attempt(seed);
    count -= 1 - hit;
    misses = (misses + 1) & -hit;
    if (misses == kMaxFillAttempts) [[unlikely]] {
      Fail(kUnableToSatisfy);
      return;
    }
    if (count == 0) [[unlikely]] {
      do {
        if (!nextGroup(count)) return;
      } while (count <= 0);
    }
  }
}

// Rows r = 1..R in order, O[0][r] occurrences each. Draws per attempt:
//   x = RandomReal(); site = first j with cum(SitesNumberLine, j) > x.
// In S's layout a row's cells lie R + 1 cells apart, too far apart to stay in the first-level
// cache once the matrix outgrows it. A larger fill keeps its bytes by row ([r * (C + 1) + c])
// and turns them over when it ends.
void CoOccurrenceSims::FillRowsBySiteWeights(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(sitesLine_)) return;
  const NumberLineSearch& sites = sitesSearch_;
  const int32_t* const rowTotals = observed[0];
  // Row r's cells from cells + r * rowStep, `step` apart.
  auto place = [&](auto* cells, ptrdiff_t rowStep, ptrdiff_t step) {
    int32_t r = 0;
    decltype(cells) row = nullptr;
    PlaceOccurrences(
        [&, R = R_](int32_t& count) {
          if (r == R) return false;
          ++r;
          row = cells + r * rowStep;
          count = rowTotals[r];
          return true;
        },
        [&](Cardinal& seed) { return Mark(row[sites.FindStrictForState(RealDraw(seed)) * step]); });
  };
  StartFill(observed, simulated);
  if (SmallFill()) {
    EmptyCells(simulated);
    place(simulated.Data(), 1, R_ + 1);
  } else {
    std::fill(workChain_.begin(), workChain_.end(), 0);
    place(workChain_.data(), C_ + 1, 1);
    CellsFromBytesByRows(simulated);
  }
  CopyTotals(observed, simulated);
}

// Columns c = 1..C in order, O[c][0] occurrences each. Draws per attempt:
//   x = RandomReal(); species = first j with cum(SpeciesNumberLine, j) >= x.
// A column of a large S is emptied when its turn comes and filled while it is in cache.
void CoOccurrenceSims::FillColumnsBySpeciesWeights(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(speciesLine_)) return;
  StartFill(observed, simulated);
  const bool small = SmallFill();
  if (small) EmptyCells(simulated);
  const ptrdiff_t stride = R_ + 1;
  const NumberLineSearch& species = speciesSearch_;
  const int32_t* const totals = observed.Data();  // column c's total at c * stride
  int32_t* const cells = simulated.Data();
  int32_t c = 0;
  int32_t* column = nullptr;
  auto empty = [&, R = R_](int32_t* at) { std::fill(at + 1, at + R + 1, 0); };
  PlaceOccurrences(
      [&, C = C_](int32_t& count) {
        if (c == C) return false;
        ++c;
        column = cells + c * stride;
        if (!small) empty(column);
        count = totals[c * stride];
        return true;
      },
      [&](Cardinal& seed) { return Mark(column[species.FindAtLeastForState(RealDraw(seed))]); });
  if (!small)
    while (c < C_) empty(cells + ++c * stride);  // the columns an abort or failure left
  CopyTotals(observed, simulated);
}

// The whole matrix as the one group of a fill: O[0][0] occurrences.
inline auto GrandTotal(const Matrix& observed) {
  return [total = observed[0][0], done = false](int32_t& count) mutable {
    if (done) return false;
    done = true;
    count = total;
    return true;
  };
}

// O[0][0] occurrences. Draws per attempt:
//   row = Random(R) + 1; x = RandomReal(); site = first j with cum(SitesNumberLine, j) >= x.
void CoOccurrenceSims::FillRandomRowsWeightedSites(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(sitesLine_)) return;
  const ptrdiff_t stride = R_ + 1;
  const int32_t R = R_;
  const NumberLineSearch& sites = sitesSearch_;
  FillCells(observed, simulated, [&](auto* cells) {
    PlaceOccurrences(GrandTotal(observed), [&](Cardinal& seed) {
      const auto row = static_cast<uint32_t>(IntDraw(seed, R) + 1);
      return Mark(cells[sites.FindAtLeastForState(RealDraw(seed)) * stride + row]);
    });
  });
}

// O[0][0] occurrences. Draws per attempt:
//   site = Random(C) + 1; x = RandomReal(); species = first j with cum(SpeciesNumberLine, j) >= x.
void CoOccurrenceSims::FillRandomSitesWeightedRows(const Matrix& observed, Matrix& simulated) {
  if (!CheckWalkedLine(speciesLine_)) return;
  const ptrdiff_t stride = R_ + 1;
  const int32_t C = C_;
  const NumberLineSearch& species = speciesSearch_;
  FillCells(observed, simulated, [&](auto* cells) {
    PlaceOccurrences(GrandTotal(observed), [&](Cardinal& seed) {
      const auto site = static_cast<uint32_t>(IntDraw(seed, C) + 1);
      return Mark(cells[site * stride + species.FindAtLeastForState(RealDraw(seed))]);
    });
  });
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
  const ptrdiff_t stride = R_ + 1;
  const NumberLineSearch& sites = sitesSearch_;
  const NumberLineSearch& species = speciesSearch_;
  FillCells(observed, simulated, [&](auto* cells) {
    PlaceOccurrences(GrandTotal(observed), [&](Cardinal& seed) {
      const Cardinal x1 = RealDraw(seed);
      const Cardinal x2 = RealDraw(seed);
      return Mark(cells[sites.FindAtLeastForState(x1) * stride + species.FindAtLeastForState(x2)]);
    });
  });
}

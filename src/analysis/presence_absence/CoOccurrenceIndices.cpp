#include "analysis/presence_absence/CoOccurrenceIndices.h"

#include <algorithm>
#include <cstring>

namespace {

inline int32_t Popcount(uint64_t w) { return __builtin_popcountll(w); }

inline int32_t SharedSites(const uint64_t* a, const uint64_t* b, int32_t words) {
  int32_t s = 0;
  for (int32_t w = 0; w < words; ++w) s += Popcount(a[w] & b[w]);
  return s;
}

// Walks the pairs (i, j), i < j, in pair order and writes f(r_i, r_j, shared sites).
template <typename F>
inline void ForEachPair(const PairIndexScratch& bits, int32_t n, double* out, F f) {
  const int32_t words = bits.Words();
  size_t p = 0;
  for (int32_t i = 0; i < n - 1; ++i) {
    const uint64_t* a = bits.Row(i);
    const int32_t ri = bits.Ones(i);
    for (int32_t j = i + 1; j < n; ++j) out[p++] = f(ri, bits.Ones(j), SharedSites(a, bits.Row(j), words));
  }
}

// The pair loops are dominated by popcount; the hardware instruction is chosen at load time
// where the processor has it.
[[gnu::target_clones("popcnt", "default")]]
void PackedUnits(const PairIndexScratch& bits, int32_t n, double* out) {
  ForEachPair(bits, n, out, [](int32_t ri, int32_t rj, int32_t s) {
    return static_cast<double>(static_cast<int64_t>(ri - s) * (rj - s));
  });
}

[[gnu::target_clones("popcnt", "default")]]
void PackedOverlap(const PairIndexScratch& bits, int32_t n, double* out) {
  ForEachPair(bits, n, out, [](int32_t, int32_t, int32_t s) { return static_cast<double>(s); });
}

[[gnu::target_clones("popcnt", "default")]]
void PackedUnion(const PairIndexScratch& bits, int32_t n, double* out) {
  ForEachPair(bits, n, out,
              [](int32_t ri, int32_t rj, int32_t s) { return static_cast<double>(ri + rj - s); });
}

int32_t PackedCheckerboardPairs(const PairIndexScratch& bits, const Matrix& M, int32_t n) {
  const int32_t words = bits.Words();
  int32_t count = 0;
  for (int32_t i = 0; i < n - 1; ++i) {
    if (M[0][i + 1] == 0) continue;
    const uint64_t* a = bits.Row(i);
    for (int32_t j = i + 1; j < n; ++j) {
      if (M[0][j + 1] == 0) continue;
      const uint64_t* b = bits.Row(j);
      bool shared = false;
      for (int32_t w = 0; w < words && !shared; ++w) shared = (a[w] & b[w]) != 0;
      if (!shared) ++count;
    }
  }
  return count;
}

// t(t - 1)/2 summed over the packed lines' counts.
int64_t PairsWithin(const int32_t* ones, int32_t count) {
  int64_t total = 0;
  for (int32_t i = 0; i < count; ++i) total += static_cast<int64_t>(ones[i]) * (ones[i] - 1) / 2;
  return total;
}

// The body of PackedUnitsTotal. Compiled for each instruction set here, inside this file:
// clang makes the clones of a function visible to other files only under a name of its own.
[[gnu::target_clones("popcnt", "default")]]
int64_t PackedUnitsTotalClones(const uint64_t* bits, int32_t count, int32_t words, const int32_t* ones) {
  int64_t total = 0;
  for (int32_t i = 0; i + 1 < count; ++i) {
    const uint64_t* a = bits + static_cast<size_t>(i) * words;
    const int32_t oi = ones[i];
    int64_t sum = 0;  // this line's pairs
    for (int32_t j = i + 1; j < count; ++j) {
      const int32_t s = SharedSites(a, bits + static_cast<size_t>(j) * words, words);
      sum += static_cast<int64_t>(oi - s) * (ones[j] - s);
    }
    total += sum;
  }
  return total;
}

}  // namespace

int64_t PackedUnitsTotal(const uint64_t* bits, int32_t count, int32_t words, const int32_t* ones) {
  return PackedUnitsTotalClones(bits, count, words, ones);
}

// Cells are tested as unsigned values: anything above 1 (negative values included) marks the
// matrix as not 0/1. Bits and counts are added without branches on the cell values.
bool PairIndexScratch::Pack(const Matrix& M, int32_t S, int32_t n) {
  words_ = (std::max(S, 0) + 63) / 64;
  const size_t rows = static_cast<size_t>(std::max(n, 0));
  bits_.assign(rows * words_, 0);  // no allocation once the capacity is there
  ones_.assign(rows, 0);
  uint32_t seen = 0;
  uint64_t* const bits = bits_.data();
  int32_t* const ones = ones_.data();
  for (int32_t c = 1; c <= S; ++c) {
    const uint32_t* col = reinterpret_cast<const uint32_t*>(M[c]);
    uint64_t* const word = bits + (static_cast<size_t>(c - 1) >> 6);
    const int shift = (c - 1) & 63;
    for (int32_t r = 1; r <= n; ++r) {
      const uint32_t v = col[r];
      seen |= v;
      word[static_cast<size_t>(r - 1) * words_] |= static_cast<uint64_t>(v & 1u) << shift;
      ones[r - 1] += static_cast<int32_t>(v & 1u);
    }
  }
  return seen <= 1;
}

// A column is contiguous, so its bits are made a word at a time.
bool PairIndexScratch::PackColumns(const Matrix& M, int32_t S, int32_t n) {
  words_ = (std::max(n, 0) + 63) / 64;
  const size_t cols = static_cast<size_t>(std::max(S, 0));
  bits_.assign(cols * words_, 0);
  ones_.assign(cols, 0);
  uint32_t seen = 0;
  for (int32_t c = 1; c <= S; ++c) {
    const uint32_t* col = reinterpret_cast<const uint32_t*>(M[c]) + 1;
    uint64_t* const line = bits_.data() + static_cast<size_t>(c - 1) * words_;
    int32_t count = 0;
    for (int32_t w = 0; w < words_; ++w) {
      const int32_t end = std::min(64, n - w * 64);
      const uint32_t* cells = col + static_cast<size_t>(w) * 64;
      uint64_t word = 0;
      for (int32_t b = 0; b < end; ++b) {
        seen |= cells[b];
        word |= static_cast<uint64_t>(cells[b] & 1u) << b;
      }
      line[w] = word;
      count += Popcount(word);
    }
    ones_[c - 1] = count;
  }
  return seen <= 1;
}

void PairCheckerboardUnits(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                           PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (scratch.Pack(M, S, n)) PackedUnits(scratch, n, out.data());
  else plain_index::PairCheckerboardUnits(M, S, n, out);
}

int64_t CheckerboardUnitsTotal(const Matrix& M, const InfoMat& info_Mat, PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (S < n) {
    if (scratch.PackColumns(M, S, n)) return PackedUnitsTotal(scratch.Row(0), S, scratch.Words(), scratch.Ones());
  } else if (scratch.Pack(M, S, n)) {
    return PackedUnitsTotal(scratch.Row(0), n, scratch.Words(), scratch.Ones());
  }
  return plain_index::CheckerboardUnitsTotal(M, S, n);
}

int64_t OverlapTotal(const Matrix& M, const InfoMat& info_Mat, PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (scratch.PackColumns(M, S, n)) return PairsWithin(scratch.Ones(), S);
  return plain_index::OverlapTotal(M, S, n);
}

int64_t UnionTotal(const Matrix& M, const InfoMat& info_Mat, PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (n < 2 || !scratch.PackColumns(M, S, n)) return plain_index::UnionTotal(M, S, n);
  int64_t occurrences = 0;
  for (int32_t c = 0; c < S; ++c) occurrences += scratch.Ones(c);
  return (n - 1) * occurrences - PairsWithin(scratch.Ones(), S);
}

void PairOverlap(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                 PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (scratch.Pack(M, S, n)) PackedOverlap(scratch, n, out.data());
  else plain_index::PairOverlap(M, S, n, out);
}

void PairUnion(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
               PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (scratch.Pack(M, S, n)) PackedUnion(scratch, n, out.data());
  else plain_index::PairUnion(M, S, n, out);
}

void CheckerboardPairs(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                       PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (scratch.Pack(M, S, n)) out[0] = PackedCheckerboardPairs(scratch, M, n);
  else plain_index::CheckerboardPairs(M, S, n, out);
}

// Sites a < b with the same composition unmark a, so every composition is counted once, at
// its last site: the result is the number of distinct columns. Sorting the sites by their
// cells and counting runs gives it in O(S log S) comparisons instead of O(S^2).
void SpeciesCombinations(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                         PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (S < 1) {
    out[0] = 0;
    return;
  }
  const size_t bytes = static_cast<size_t>(std::max(n, 0)) * sizeof(int32_t);
  auto cells = [&](int32_t c) { return M[c] + 1; };
  auto& order = scratch.order_;
  order.resize(static_cast<size_t>(S));
  for (int32_t c = 1; c <= S; ++c) order[c - 1] = c;
  std::sort(order.begin(), order.end(),
            [&](int32_t a, int32_t b) { return std::memcmp(cells(a), cells(b), bytes) < 0; });
  int32_t distinct = 1;
  for (int32_t k = 1; k < S; ++k)
    if (std::memcmp(cells(order[k - 1]), cells(order[k]), bytes) != 0) ++distinct;
  out[0] = distinct;
}

// Sample variance as the shared list routine computes it: mean := sum / count,
// S := sum of (v - mean)^2 in order, 0 when S = 0, else S / (count - 1) when count > 1.
// Each species' cells are visited in site order, so its sums are the same doubles; the
// species are accumulated side by side because a site's cells are contiguous.
void VarianceRatio(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                   PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  auto& sums = scratch.sums_;
  auto& squares = scratch.squares_;
  sums.assign(static_cast<size_t>(std::max(n, 0)) + 1, 0.0);
  squares.assign(sums.size(), 0.0);
  for (int32_t c = 1; c <= S; ++c) {
    const int32_t* col = M[c];
    for (int32_t k = 1; k <= n; ++k) sums[k] += col[k];
  }
  for (int32_t k = 1; k <= n; ++k) sums[k] = S > 0 ? sums[k] / S : 0.0;  // now the means
  for (int32_t c = 1; c <= S; ++c) {
    const int32_t* col = M[c];
    for (int32_t k = 1; k <= n; ++k) {
      const double d = col[k] - sums[k];
      squares[k] += d * d;
    }
  }
  auto variance = [S](double ss) { return ss == 0.0 || S < 2 ? 0.0 : ss / (S - 1); };
  double sumVar = 0.0;
  for (int32_t k = 1; k <= n; ++k) sumVar += variance(squares[k]);

  double total = 0.0;
  for (int32_t c = 1; c <= S; ++c) total += M[c][0];
  const double mean = S > 0 ? total / S : 0.0;
  double ss = 0.0;
  for (int32_t c = 1; c <= S; ++c) {
    const double d = M[c][0] - mean;
    ss += d * d;
  }
  out[0] = sumVar > 0 ? variance(ss) / sumVar : 0.0;
}

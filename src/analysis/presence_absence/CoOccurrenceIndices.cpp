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

}  // namespace

bool PairIndexScratch::Pack(const Matrix& M, int32_t S, int32_t n) {
  words_ = (std::max(S, 0) + 63) / 64;
  const size_t rows = static_cast<size_t>(std::max(n, 0));
  bits_.assign(rows * words_, 0);  // no allocation once the capacity is there
  ones_.assign(rows, 0);
  for (int32_t c = 1; c <= S; ++c) {
    const int32_t* col = M[c];
    const size_t word = static_cast<size_t>(c - 1) >> 6;
    const uint64_t bit = uint64_t{1} << ((c - 1) & 63);
    for (int32_t r = 1; r <= n; ++r) {
      const uint32_t v = static_cast<uint32_t>(col[r]);
      if (v > 1) return false;
      if (v) {
        bits_[static_cast<size_t>(r - 1) * words_ + word] |= bit;
        ++ones_[r - 1];
      }
    }
  }
  return true;
}

void PairCheckerboardUnits(const Matrix& M, const InfoMat& info_Mat, std::span<double> out,
                           PairIndexScratch& scratch) {
  const int32_t S = info_Mat[2], n = info_Mat[3];
  if (scratch.Pack(M, S, n)) PackedUnits(scratch, n, out.data());
  else plain_index::PairCheckerboardUnits(M, S, n, out);
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

// The index definitions as plain loops over pairs and sites (cells may be any integers).
#include <algorithm>
#include <vector>

#include "analysis/presence_absence/CoOccurrenceIndices.h"

namespace plain_index {

void PairCheckerboardUnits(const Matrix& M, int32_t S, int32_t n, std::span<double> out) {
  size_t p = 0;
  for (int32_t i = 1; i < n; ++i)
    for (int32_t j = i + 1; j <= n; ++j) {
      int32_t ri = 0, rj = 0, s = 0;
      for (int32_t c = 1; c <= S; ++c) {
        if (M[c][i] == 1) ++ri;
        if (M[c][j] == 1) ++rj;
        if ((M[c][i] & M[c][j]) == 1) ++s;
      }
      out[p++] = static_cast<double>(static_cast<int64_t>(ri - s) * (rj - s));
    }
}

void PairOverlap(const Matrix& M, int32_t S, int32_t n, std::span<double> out) {
  size_t p = 0;
  for (int32_t i = 1; i < n; ++i)
    for (int32_t j = i + 1; j <= n; ++j) {
      double v = 0;
      for (int32_t c = 1; c <= S; ++c)
        if (M[c][i] + M[c][j] == 2) v += 1;
      out[p++] = v;
    }
}

void PairUnion(const Matrix& M, int32_t S, int32_t n, std::span<double> out) {
  size_t p = 0;
  for (int32_t i = 1; i < n; ++i)
    for (int32_t j = i + 1; j <= n; ++j) {
      double v = 0;
      for (int32_t c = 1; c <= S; ++c) {
        const int32_t sum = M[c][i] + M[c][j];
        v += sum < 1 ? sum : 1;
      }
      out[p++] = v;
    }
}

void CheckerboardPairs(const Matrix& M, int32_t S, int32_t n, std::span<double> out) {
  int32_t count = 0;
  for (int32_t i = 1; i < n; ++i)
    for (int32_t j = i + 1; j <= n; ++j) {
      bool shared = false;
      for (int32_t c = 1; c <= S && !shared; ++c) shared = M[c][i] == 1 && M[c][j] == 1;
      if (!shared && M[0][i] != 0 && M[0][j] != 0) ++count;
    }
  out[0] = count;
}

void SpeciesCombinations(const Matrix& M, int32_t S, int32_t n, std::span<double> out) {
  std::vector<bool> unique(static_cast<size_t>(S > 0 ? S : 0) + 1, true);
  for (int32_t a = 1; a < S; ++a)
    for (int32_t b = a + 1; b <= S; ++b) {
      bool same = true;
      for (int32_t k = 1; k <= n && same; ++k) same = M[a][k] == M[b][k];
      if (same) unique[a] = false;
    }
  int32_t count = 0;
  for (int32_t c = 1; c <= S; ++c)
    if (unique[c]) ++count;
  out[0] = count;
}

// The sums walk the pairs like the pair operations and add their integer values.
template <typename PairValue>
int64_t SumOverPairs(int32_t n, PairValue value) {
  int64_t total = 0;
  for (int32_t i = 1; i < n; ++i)
    for (int32_t j = i + 1; j <= n; ++j) total += value(i, j);
  return total;
}

int64_t CheckerboardUnitsTotal(const Matrix& M, int32_t S, int32_t n) {
  return SumOverPairs(n, [&](int32_t i, int32_t j) {
    int64_t ri = 0, rj = 0, s = 0;
    for (int32_t c = 1; c <= S; ++c) {
      ri += M[c][i] == 1;
      rj += M[c][j] == 1;
      s += (M[c][i] & M[c][j]) == 1;
    }
    return (ri - s) * (rj - s);
  });
}

int64_t OverlapTotal(const Matrix& M, int32_t S, int32_t n) {
  return SumOverPairs(n, [&](int32_t i, int32_t j) {
    int64_t v = 0;
    for (int32_t c = 1; c <= S; ++c) v += M[c][i] + M[c][j] == 2;
    return v;
  });
}

int64_t UnionTotal(const Matrix& M, int32_t S, int32_t n) {
  return SumOverPairs(n, [&](int32_t i, int32_t j) {
    int64_t v = 0;
    for (int32_t c = 1; c <= S; ++c) v += std::min(M[c][i] + M[c][j], 1);
    return v;
  });
}

}  // namespace plain_index

#include "analysis/niche_overlap/NichePairBlocks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr int kLanes = 4;
constexpr int kVectors = 8;                 // independent sums in flight, enough to keep the adders busy
constexpr int kBlock = kVectors * kLanes;   // species of one block

typedef double Lanes __attribute__((vector_size(kLanes * sizeof(double))));
typedef int64_t LaneBits __attribute__((vector_size(kLanes * sizeof(double))));

// First slot of species i's pairs (i, i + 1) .. (i, S - 1) in pair order.
inline size_t PairBase(int Species, int i) {
  return static_cast<size_t>(i) * static_cast<size_t>(2 * Species - i - 1) / 2;
}

// The pair sums of species i (values a) with the species of each block after it: for each
// listed state c in order, one vector step per lane group adds the term of c to kBlock sums.
// Absolute: |a - b| terms (Czekanowski), else a b (Pianka). Compiled for AVX2 where the
// processor has it; FMA is left out on purpose, since a fused step would round differently.
// Vectors stay inside this body (no vector passes through a call), so nothing depends on the
// calling convention.
template <bool Absolute>
[[gnu::always_inline]] inline void RowSums(int S, int Stride, const double* a, const int32_t* States, int Count,
                                           const double* Columns, int i, double* Sums) {
  for (int j0 = i + 1; j0 < S; j0 += kBlock) {
    Lanes s[kVectors] = {};
    const double* column = Columns + j0;
    for (int k = 0; k < Count; ++k) {
      const int c = States[k];
      const double* t = column + static_cast<size_t>(c) * Stride;
      const Lanes x = Lanes{} + a[c];
#pragma GCC unroll 8
      for (int v = 0; v < kVectors; ++v) {
        Lanes y;
        std::memcpy(&y, t + v * kLanes, sizeof y);
        if constexpr (Absolute) {
          const LaneBits mask = {INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX};
          s[v] += reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(x - y) & mask);
        } else {
          s[v] += x * y;
        }
      }
    }
    double* to = Sums + (j0 - i - 1);
#pragma GCC unroll 8
    for (int v = 0; v < kVectors; ++v) std::memcpy(to + v * kLanes, &s[v], sizeof s[v]);
  }
}

// Out[k] := Sums[k] / sqrt(Qi Q[k]), or 0 where that root is 0. Square roots and quotients are
// correctly rounded in vectors as in scalars, so four at a time give the same doubles.
[[gnu::target("default")]] void DivideByRoots(double Qi, const double* Q, const double* Sums, int Count, double* Out) {
  for (int k = 0; k < Count; ++k) {
    const double root = std::sqrt(Qi * Q[k]);
    Out[k] = root == 0 ? 0.0 : Sums[k] / root;
  }
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] void DivideByRoots(double Qi, const double* Q, const double* Sums, int Count, double* Out) {
  const __m256d qi = _mm256_set1_pd(Qi);
  const __m256d zero = _mm256_setzero_pd();
  int k = 0;
  for (; k + 4 <= Count; k += 4) {
    const __m256d root = _mm256_sqrt_pd(_mm256_mul_pd(qi, _mm256_loadu_pd(Q + k)));
    const __m256d quotient = _mm256_div_pd(_mm256_loadu_pd(Sums + k), root);
    _mm256_storeu_pd(Out + k, _mm256_andnot_pd(_mm256_cmp_pd(root, zero, _CMP_EQ_OQ), quotient));
  }
  for (; k < Count; ++k) {
    const double root = std::sqrt(Qi * Q[k]);
    Out[k] = root == 0 ? 0.0 : Sums[k] / root;
  }
}
#endif

// Sums holds room for a whole number of blocks past the last species. A Pianka sum skips the
// states where species i has 0: with finite values such a term is a zero, and adding a zero
// to a sum that started at +0 never changes it, so the sum is the same double.
[[gnu::target_clones("avx2", "default")]]
void PiankaRows(int S, int N, int Stride, const double* P, const double* Columns, const double* Q, bool SkipZeros,
                int32_t* States, double* Sums, double* Out) {
  for (int i = 0; i + 1 < S; ++i) {
    const double* a = P + static_cast<size_t>(i) * N;
    int count = 0;
    for (int c = 0; c < N; ++c) {
      States[count] = c;
      count += !SkipZeros || a[c] != 0 ? 1 : 0;
    }
    RowSums<false>(S, Stride, a, States, count, Columns, i, Sums);
    DivideByRoots(Q[i], Q + i + 1, Sums, S - i - 1, Out + PairBase(S, i));
  }
}

[[gnu::target_clones("avx2", "default")]]
void CzekanowskiRows(int S, int N, int Stride, const double* P, const double* Columns, const int32_t* States,
                     double* Sums, double* Out) {
  for (int i = 0; i + 1 < S; ++i) {
    RowSums<true>(S, Stride, P + static_cast<size_t>(i) * N, States, N, Columns, i, Sums);
    double* out = Out + PairBase(S, i);
    for (int j = i + 1; j < S; ++j) out[j - i - 1] = 1 - 0.5 * Sums[j - i - 1];
  }
}

}  // namespace

void NichePairBlocks::Begin(int Species, int States) {
  FSpecies = Species;
  FStates = States;
  // A whole number of blocks past the last species, and one cache line more, so that the rows
  // of the copy do not all fall into the same cache sets.
  FStride = (Species + kBlock - 1) / kBlock * kBlock + kBlock + 8;
  FColumns.assign(static_cast<size_t>(FStride) * static_cast<size_t>(std::max(States, 0)), 0.0);
  FSums.assign(static_cast<size_t>(FStride), 0.0);
  FAllStates.assign(static_cast<size_t>(std::max(States, 0)), 0);
  for (int c = 0; c < States; ++c) FAllStates[static_cast<size_t>(c)] = c;
  FRowStates = FAllStates;
}

bool NichePairBlocks::Transpose(const double* P) {
  // Infinities and NaNs are the doubles whose exponent bits are all set.
  uint64_t notFinite = 0;
  for (int s = 0; s < FSpecies; ++s) {
    const double* row = P + static_cast<size_t>(s) * FStates;
    for (int c = 0; c < FStates; ++c) {
      FColumns[static_cast<size_t>(c) * FStride + s] = row[c];
      uint64_t bits;
      std::memcpy(&bits, &row[c], sizeof bits);
      notFinite |= ((bits >> 52) & 0x7FF) == 0x7FF ? 1 : 0;
    }
  }
  return notFinite == 0;
}

void NichePairBlocks::Pianka(const double* P, const double* SumSquares, double* Out) {
  const bool finite = Transpose(P);
  PiankaRows(FSpecies, FStates, FStride, P, FColumns.data(), SumSquares, finite, FRowStates.data(), FSums.data(), Out);
}

void NichePairBlocks::Czekanowski(const double* P, double* Out) {
  Transpose(P);
  CzekanowskiRows(FSpecies, FStates, FStride, P, FColumns.data(), FAllStates.data(), FSums.data(), Out);
}

#include "analysis/niche_overlap/NichePairBlocks.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr int kLanes = 4;
constexpr int kBlock = 4 * kLanes;  // species of one block

typedef double Lanes __attribute__((vector_size(kLanes * sizeof(double))));
typedef int64_t LaneBits __attribute__((vector_size(kLanes * sizeof(double))));

// First slot of species i's pairs (i, i + 1) .. (i, S - 1) in pair order.
inline size_t PairBase(int Species, int i) {
  return static_cast<size_t>(i) * static_cast<size_t>(2 * Species - i - 1) / 2;
}

// The pair sums of species i with the species of each block after it: for each state c in
// order, one vector step adds the term of c to kBlock sums. Absolute: |a - b| terms
// (Czekanowski), else a b (Pianka). Compiled for AVX2 where the processor has it; FMA is left
// out on purpose, since a fused step would round differently. Vectors stay inside this body
// (no vector passes through a call), so nothing depends on the calling convention.
template <bool Absolute>
[[gnu::always_inline]] inline void RowSums(int S, int N, int Stride, const double* P, const double* Columns, int i,
                                           double* Sums) {
  const double* a = P + static_cast<size_t>(i) * N;
  for (int j0 = i + 1; j0 < S; j0 += kBlock) {
    Lanes s0 = {}, s1 = {}, s2 = {}, s3 = {};
    const double* t = Columns + j0;
    for (int c = 0; c < N; ++c, t += Stride) {
      const Lanes x = Lanes{} + a[c];
      Lanes y0, y1, y2, y3;
      std::memcpy(&y0, t, sizeof y0);
      std::memcpy(&y1, t + kLanes, sizeof y1);
      std::memcpy(&y2, t + 2 * kLanes, sizeof y2);
      std::memcpy(&y3, t + 3 * kLanes, sizeof y3);
      if constexpr (Absolute) {
        const LaneBits mask = {INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX};
        s0 += reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(x - y0) & mask);
        s1 += reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(x - y1) & mask);
        s2 += reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(x - y2) & mask);
        s3 += reinterpret_cast<Lanes>(reinterpret_cast<LaneBits>(x - y3) & mask);
      } else {
        s0 += x * y0;
        s1 += x * y1;
        s2 += x * y2;
        s3 += x * y3;
      }
    }
    double* to = Sums + (j0 - i - 1);
    std::memcpy(to, &s0, sizeof s0);
    std::memcpy(to + kLanes, &s1, sizeof s1);
    std::memcpy(to + 2 * kLanes, &s2, sizeof s2);
    std::memcpy(to + 3 * kLanes, &s3, sizeof s3);
  }
}

// Sums holds room for a whole number of blocks past the last species.
[[gnu::target_clones("avx2", "default")]]
void PiankaRows(int S, int N, int Stride, const double* P, const double* Columns, const double* Q, double* Sums,
                double* Out) {
  for (int i = 0; i + 1 < S; ++i) {
    RowSums<false>(S, N, Stride, P, Columns, i, Sums);
    double* out = Out + PairBase(S, i);
    for (int j = i + 1; j < S; ++j) {
      const double root = std::sqrt(Q[i] * Q[j]);
      out[j - i - 1] = root == 0 ? 0.0 : Sums[j - i - 1] / root;
    }
  }
}

[[gnu::target_clones("avx2", "default")]]
void CzekanowskiRows(int S, int N, int Stride, const double* P, const double* Columns, double* Sums, double* Out) {
  for (int i = 0; i + 1 < S; ++i) {
    RowSums<true>(S, N, Stride, P, Columns, i, Sums);
    double* out = Out + PairBase(S, i);
    for (int j = i + 1; j < S; ++j) out[j - i - 1] = 1 - 0.5 * Sums[j - i - 1];
  }
}

}  // namespace

void NichePairBlocks::Begin(int Species, int States) {
  FSpecies = Species;
  FStates = States;
  FStride = (Species + kBlock - 1) / kBlock * kBlock + kBlock;
  FColumns.assign(static_cast<size_t>(FStride) * static_cast<size_t>(std::max(States, 0)), 0.0);
  FSums.assign(static_cast<size_t>(FStride), 0.0);
}

void NichePairBlocks::Transpose(const double* P) {
  for (int s = 0; s < FSpecies; ++s) {
    const double* row = P + static_cast<size_t>(s) * FStates;
    for (int c = 0; c < FStates; ++c) FColumns[static_cast<size_t>(c) * FStride + s] = row[c];
  }
}

void NichePairBlocks::Pianka(const double* P, const double* SumSquares, double* Out) {
  Transpose(P);
  PiankaRows(FSpecies, FStates, FStride, P, FColumns.data(), SumSquares, FSums.data(), Out);
}

void NichePairBlocks::Czekanowski(const double* P, double* Out) {
  Transpose(P);
  CzekanowskiRows(FSpecies, FStates, FStride, P, FColumns.data(), FSums.data(), Out);
}

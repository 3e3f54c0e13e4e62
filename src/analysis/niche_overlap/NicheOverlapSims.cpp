#include "analysis/niche_overlap/NicheOverlapSims.h"

#include <algorithm>
#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

NicheAlgorithm ChooseNicheAlgorithm(bool RelaxedBreadth, bool RetainedZeros) {
  static constexpr NicheAlgorithm table[2][2] = {{NicheAlgorithm::RA3, NicheAlgorithm::RA4},
                                                 {NicheAlgorithm::RA1, NicheAlgorithm::RA2}};
  return table[RelaxedBreadth ? 1 : 0][RetainedZeros ? 1 : 0];
}

NicheInput ReadNicheInput(int Species, int States, const std::function<std::string(int, int)>& Cell) {
  NicheInput in;
  in.Species = Species;
  in.States = States;
  const size_t cells = static_cast<size_t>(Species) * static_cast<size_t>(States);
  in.Observed.assign(cells, 0.0);
  in.Excluded.assign(cells, 0);
  for (int s = 0; s < Species; ++s)
    for (int c = 0; c < States; ++c) {
      const std::string text = Cell(c, s);
      const size_t k = static_cast<size_t>(s) * States + c;
      if (text == "x") {
        in.Excluded[k] = 1;
        continue;
      }
      in.Observed[k] = LeadingReal(text);
    }
  return in;
}

void DivideByWeights(NicheInput& Input, const std::vector<double>& Weights) {
  for (int s = 0; s < Input.Species; ++s)
    for (int c = 0; c < Input.States; ++c) Input.Observed[static_cast<size_t>(s) * Input.States + c] /= Weights[c];
}

void StandardizeRows(int Species, int States, const double* Values, double* Out) {
  for (int s = 0; s < Species; ++s) {
    const double* row = Values + static_cast<size_t>(s) * States;
    double* out = Out + static_cast<size_t>(s) * States;
    double total = 0;
    for (int c = 0; c < States; ++c) total += row[c];
    if (total > 0) {
      for (int c = 0; c < States; ++c) out[c] = row[c] / total;
    } else {
      std::fill(out, out + States, 0.0);
    }
  }
}

void SpeciesSumSquares(int Species, int States, const double* P, std::vector<double>& SumSquares) {
  SumSquares.resize(static_cast<size_t>(Species));
  for (int s = 0; s < Species; ++s) {
    const double* p = P + static_cast<size_t>(s) * States;
    double q = 0;
    for (int c = 0; c < States; ++c) q += p[c] * p[c];
    SumSquares[static_cast<size_t>(s)] = q;
  }
}

void PiankaPairs(int Species, int States, const double* P, std::vector<double>& SumSquares, double* Out) {
  // Each species' sum of squares once; a pair then costs one dot product. Four pairs at a time
  // keep four independent sums in flight, each added in state order as a single pair would be.
  SpeciesSumSquares(Species, States, P, SumSquares);
  auto overlap = [&](int i, int j, double dot) {
    const double root = std::sqrt(SumSquares[static_cast<size_t>(i)] * SumSquares[static_cast<size_t>(j)]);
    return root == 0 ? 0.0 : dot / root;
  };
  size_t k = 0;
  for (int i = 0; i < Species; ++i) {
    const double* a = P + static_cast<size_t>(i) * States;
    int j = i + 1;
    for (; j + 3 < Species; j += 4) {
      const double* b0 = P + static_cast<size_t>(j) * States;
      const double* b1 = b0 + States;
      const double* b2 = b1 + States;
      const double* b3 = b2 + States;
      double d0 = 0, d1 = 0, d2 = 0, d3 = 0;
      for (int c = 0; c < States; ++c) {
        const double x = a[c];
        d0 += x * b0[c];
        d1 += x * b1[c];
        d2 += x * b2[c];
        d3 += x * b3[c];
      }
      Out[k++] = overlap(i, j, d0);
      Out[k++] = overlap(i, j + 1, d1);
      Out[k++] = overlap(i, j + 2, d2);
      Out[k++] = overlap(i, j + 3, d3);
    }
    for (; j < Species; ++j) {
      const double* b = P + static_cast<size_t>(j) * States;
      double d = 0;
      for (int c = 0; c < States; ++c) d += a[c] * b[c];
      Out[k++] = overlap(i, j, d);
    }
  }
}

void CzekanowskiPairs(int Species, int States, const double* P, double* Out) {
  // Four pairs at a time, as for Pianka's index; each pair's sum runs in state order.
  size_t k = 0;
  for (int i = 0; i < Species; ++i) {
    const double* a = P + static_cast<size_t>(i) * States;
    int j = i + 1;
    for (; j + 3 < Species; j += 4) {
      const double* b0 = P + static_cast<size_t>(j) * States;
      const double* b1 = b0 + States;
      const double* b2 = b1 + States;
      const double* b3 = b2 + States;
      double d0 = 0, d1 = 0, d2 = 0, d3 = 0;
      for (int c = 0; c < States; ++c) {
        const double x = a[c];
        d0 += std::fabs(x - b0[c]);
        d1 += std::fabs(x - b1[c]);
        d2 += std::fabs(x - b2[c]);
        d3 += std::fabs(x - b3[c]);
      }
      Out[k++] = 1 - 0.5 * d0;
      Out[k++] = 1 - 0.5 * d1;
      Out[k++] = 1 - 0.5 * d2;
      Out[k++] = 1 - 0.5 * d3;
    }
    for (; j < Species; ++j) {
      const double* b = P + static_cast<size_t>(j) * States;
      double d = 0;
      for (int c = 0; c < States; ++c) d += std::fabs(a[c] - b[c]);
      Out[k++] = 1 - 0.5 * d;
    }
  }
}

std::string PairIndexText(double Value) { return FloatToStrF(FiniteStatistic(Value), ffGeneral, 7, 0); }

void NicheOverlapSims::Begin(const NicheInput& Input, NicheAlgorithm Algorithm, NicheIndex Index) {
  FInput = Input;
  FAlgorithm = Algorithm;
  FIndex = Index;
  const size_t cells = FInput.Observed.size();
  FSimulated.assign(cells, 0.0);
  FStandardized.assign(cells, 0.0);
  FSumSquares.assign(static_cast<size_t>(FInput.Species), 0.0);
  FKeys.assign(static_cast<size_t>(FInput.States), 0);
  FOrder.assign(FKeys.size(), 0);
  FBuffer.assign(FKeys.size(), 0);
  FCounts.assign(4 * FKeys.size() + 1, 0);
  FBlocks.Begin(FInput.Species, FInput.States);
  // Each row's eligible cells for the permuting algorithms: not "x" and, keeping zeros, not 0.
  const bool keepZeros = Algorithm == NicheAlgorithm::RA4;
  FEligible.clear();
  FEligibleStart.assign(static_cast<size_t>(FInput.Species) + 1, 0);
  for (int s = 0; s < FInput.Species; ++s) {
    for (int c = 0; c < FInput.States; ++c) {
      const size_t k = static_cast<size_t>(s) * FInput.States + c;
      if (FInput.Excluded[k] != 0 || (keepZeros && FInput.Observed[k] == 0)) continue;
      FEligible.push_back(c);
    }
    FEligibleStart[static_cast<size_t>(s) + 1] = static_cast<int32_t>(FEligible.size());
  }
}

void NicheOverlapSims::Pairs(const std::vector<double>& Values, std::vector<double>& Out) {
  const int S = FInput.Species, N = FInput.States;
  StandardizeRows(S, N, Values.data(), FStandardized.data());
  if (FIndex == NicheIndex::Pianka) {
    SpeciesSumSquares(S, N, FStandardized.data(), FSumSquares);
    FBlocks.Pianka(FStandardized.data(), FSumSquares.data(), Out.data());
  } else {
    FBlocks.Czekanowski(FStandardized.data(), Out.data());
  }
}

void NicheOverlapSims::ObservedPairs(std::vector<double>& Out) {
  Out.assign(static_cast<size_t>(PairCount(FInput.Species)), 0.0);
  Pairs(FInput.Observed, Out);
}

void NicheOverlapSims::SimulatedPairs(std::vector<double>& Out) { Pairs(FSimulated, Out); }

// Algorithms 1 and 2: a new random real for every cell that takes one; "x" cells (and, keeping
// zeros, observed zeros) stay 0.
void NicheOverlapSims::RandomReals(bool KeepZeros) {
  const size_t cells = FSimulated.size();
  for (size_t k = 0; k < cells; ++k) {
    const bool fixedZero = FInput.Excluded[k] != 0 || (KeepZeros && FInput.Observed[k] == 0);
    FSimulated[k] = fixedZero ? 0.0 : RandomReal();
  }
}

// Algorithms 3 and 4: per species, the observed values of its eligible cells (not "x"; keeping
// zeros, also not 0) are permuted among those cells. Cell t draws a key, its random real
// rounded to 5 decimals; ranked ascending, equal keys in cell order; the value of cell t moves
// to the cell of its key's rank. Values move unrounded, so each row keeps its total exactly.
//
// A row's eligible cells never change, so they are listed once (Begin), and the cells that are
// not eligible stay 0 from Begin on. The keys of a row take their draws four seeds at a time
// (see DrawKeys).
void NicheOverlapSims::Permute() {
  const int S = FInput.Species, N = FInput.States;
  for (int s = 0; s < S; ++s) {
    const size_t base = static_cast<size_t>(s) * N;
    const int32_t* cells = FEligible.data() + FEligibleStart[static_cast<size_t>(s)];
    const int m = FEligibleStart[static_cast<size_t>(s) + 1] - FEligibleStart[static_cast<size_t>(s)];
    DrawKeys(m);
    RankKeys(m);
    // FOrder[rank] names the cell t whose key has that rank: t's value goes to cell c_rank.
    for (int rank = 0; rank < m; ++rank) {
      const int t = FOrder[static_cast<size_t>(rank)];
      FSimulated[base + cells[rank]] = FInput.Observed[base + cells[t]];
    }
  }
}

// FKeys[0..m) := PermutationKey(RandomReal()) drawn m times in turn. Seeds k + 1 .. k + 4 each
// follow from seed k by the generator's step taken one to four times (seed * a^i + c_i), so the
// four do not wait for one another; the keys and the seed left behind are those of m draws.
void NicheOverlapSims::DrawKeys(int m) {
  constexpr uint32_t a1 = 134775813u, c1 = 1u;
  constexpr uint32_t a2 = a1 * a1, c2 = a1 * c1 + 1u;
  constexpr uint32_t a3 = a2 * a1, c3 = c2 * a1 + 1u;
  constexpr uint32_t a4 = a3 * a1, c4 = c3 * a1 + 1u;
  constexpr double kScale = 1.0 / 4294967296.0;
  int32_t* keys = FKeys.data();
  uint32_t seed = RandSeed;
  int t = 0;
  for (; t + 4 <= m; t += 4) {
    const uint32_t s1 = seed * a1 + c1, s2 = seed * a2 + c2, s3 = seed * a3 + c3, s4 = seed * a4 + c4;
    keys[t] = PermutationKey(static_cast<double>(s1) * kScale);
    keys[t + 1] = PermutationKey(static_cast<double>(s2) * kScale);
    keys[t + 2] = PermutationKey(static_cast<double>(s3) * kScale);
    keys[t + 3] = PermutationKey(static_cast<double>(s4) * kScale);
    seed = s4;
  }
  RandSeed = seed;
  for (; t < m; ++t) keys[t] = PermutationKey(RandomReal());
}

// The keys are random integers below 2^17, so 4m buckets by their top bits rarely hold two
// keys: a stable counting pass into the buckets, then an insertion pass that finishes the order
// (keeping equal keys in cell order) with hardly a move, and seldom a branch the processor
// mispredicts. Linear in the row, with no table larger than four rows to clear.
void NicheOverlapSims::RankKeys(int m) {
  const int32_t* keys = FKeys.data();
  int32_t* counts = FCounts.data();
  int32_t* bucket = FBuffer.data();
  int32_t* order = FOrder.data();
  const int buckets = 4 * m;
  std::fill(counts, counts + buckets + 1, 0);
  for (int i = 0; i < m; ++i) {
    bucket[i] = static_cast<int32_t>((static_cast<int64_t>(keys[i]) * buckets) >> 17);
    ++counts[bucket[i] + 1];
  }
  for (int b = 1; b <= buckets; ++b) counts[b] += counts[b - 1];
  for (int i = 0; i < m; ++i) order[counts[bucket[i]]++] = i;
  for (int r = 1; r < m; ++r) {
    const int32_t t = order[r];
    const int32_t key = keys[t];
    int q = r;
    for (; q > 0 && keys[order[q - 1]] > key; --q) order[q] = order[q - 1];
    order[q] = t;
  }
}

void NicheOverlapSims::Randomize() {
  switch (FAlgorithm) {
    case NicheAlgorithm::RA1: return RandomReals(false);
    case NicheAlgorithm::RA2: return RandomReals(true);
    case NicheAlgorithm::RA3:
    case NicheAlgorithm::RA4: return Permute();
  }
}

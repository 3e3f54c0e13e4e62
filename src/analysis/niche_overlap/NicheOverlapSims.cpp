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

void PiankaPairs(int Species, int States, const double* P, std::vector<double>& SumSquares, double* Out) {
  // Each species' sum of squares once; a pair then costs one dot product. Four pairs at a time
  // keep four independent sums in flight, each added in state order as a single pair would be.
  SumSquares.resize(static_cast<size_t>(Species));
  for (int s = 0; s < Species; ++s) {
    const double* p = P + static_cast<size_t>(s) * States;
    double q = 0;
    for (int c = 0; c < States; ++c) q += p[c] * p[c];
    SumSquares[static_cast<size_t>(s)] = q;
  }
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

int32_t PermutationKey(double RandomValue) {
  // Written out rather than a library rounding call, which costs more than the rest of a draw.
  // The value lies in [0, 1), so truncation is the floor and the fraction is exact.
  const double scaled = RandomValue * 100000.0;
  int32_t key = static_cast<int32_t>(scaled);
  const double fraction = scaled - key;
  if (fraction > 0.5 || (fraction == 0.5 && (key & 1) != 0)) ++key;
  return key;
}

void NicheOverlapSims::Begin(const NicheInput& Input, NicheAlgorithm Algorithm, NicheIndex Index) {
  FInput = Input;
  FAlgorithm = Algorithm;
  FIndex = Index;
  const size_t cells = FInput.Observed.size();
  FSimulated.assign(cells, 0.0);
  FStandardized.assign(cells, 0.0);
  FSumSquares.assign(static_cast<size_t>(FInput.Species), 0.0);
  FCells.assign(static_cast<size_t>(FInput.States), 0);
  FKeys.assign(static_cast<size_t>(FInput.States), 0);
  FOrder.assign(FKeys.size(), 0);
  FBuffer.assign(FKeys.size(), 0);
  FCounts.assign((size_t{1} << 9) + 1, 0);
}

void NicheOverlapSims::Pairs(const std::vector<double>& Values, std::vector<double>& Out) {
  const int S = FInput.Species, N = FInput.States;
  StandardizeRows(S, N, Values.data(), FStandardized.data());
  if (FIndex == NicheIndex::Pianka)
    PiankaPairs(S, N, FStandardized.data(), FSumSquares, Out.data());
  else
    CzekanowskiPairs(S, N, FStandardized.data(), Out.data());
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
// The keys are integers below 2^17, so two stable counting passes (low 9 bits, then high 8)
// rank them, equal keys keeping their cell order, in time linear in the row.
void NicheOverlapSims::Permute(bool KeepZeros) {
  const int S = FInput.Species, N = FInput.States;
  std::fill(FSimulated.begin(), FSimulated.end(), 0.0);
  for (int s = 0; s < S; ++s) {
    const size_t base = static_cast<size_t>(s) * N;
    int m = 0;
    for (int c = 0; c < N; ++c) {
      const size_t k = base + c;
      if (FInput.Excluded[k] != 0 || (KeepZeros && FInput.Observed[k] == 0)) continue;
      FCells[static_cast<size_t>(m)] = c;
      FKeys[static_cast<size_t>(m)] = PermutationKey(RandomReal());
      ++m;
    }
    RankKeys(m);
    // FOrder[rank] names the cell t whose key has that rank: t's value goes to cell c_rank.
    for (int rank = 0; rank < m; ++rank) {
      const int t = FOrder[static_cast<size_t>(rank)];
      FSimulated[base + FCells[static_cast<size_t>(rank)]] = FInput.Observed[base + FCells[static_cast<size_t>(t)]];
    }
  }
}

void NicheOverlapSims::RankKeys(int m) {
  constexpr int kLowBits = 9;
  constexpr int32_t kLowMask = (1 << kLowBits) - 1;
  auto pass = [&](const int32_t* from, int32_t* to, auto digit, size_t buckets) {
    std::fill(FCounts.begin(), FCounts.begin() + static_cast<std::ptrdiff_t>(buckets) + 1, 0);
    for (int i = 0; i < m; ++i) ++FCounts[static_cast<size_t>(digit(FKeys[static_cast<size_t>(from[i])])) + 1];
    for (size_t b = 1; b <= buckets; ++b) FCounts[b] += FCounts[b - 1];
    for (int i = 0; i < m; ++i) to[FCounts[static_cast<size_t>(digit(FKeys[static_cast<size_t>(from[i])]))]++] = from[i];
  };
  for (int i = 0; i < m; ++i) FBuffer[static_cast<size_t>(i)] = i;
  pass(FBuffer.data(), FOrder.data(), [](int32_t k) { return k & kLowMask; }, size_t{1} << kLowBits);
  pass(FOrder.data(), FBuffer.data(), [](int32_t k) { return k >> kLowBits; }, size_t{1} << (17 - kLowBits));
  std::copy(FBuffer.begin(), FBuffer.begin() + m, FOrder.begin());
}

void NicheOverlapSims::Randomize() {
  switch (FAlgorithm) {
    case NicheAlgorithm::RA1: return RandomReals(false);
    case NicheAlgorithm::RA2: return RandomReals(true);
    case NicheAlgorithm::RA3: return Permute(false);
    case NicheAlgorithm::RA4: return Permute(true);
  }
}

// Species-pair indices on a typical matrix (30 x 30) and on the largest the program accepts
// (200 species x 2200 sites, 1400 species x 300 sites), a third filled; the C-score units
// also with the plain loop over pairs and sites they replace, and the totals over all pairs
// that a run's simulated matrices need. Indices make no random draws, so there is no draw
// baseline here.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "analysis/common/ZorvanHelpersMatrix.h"
#include "analysis/presence_absence/CoOccurrenceIndices.h"

namespace {

Matrix ThirdFilled(int species, int sites) {
  Matrix m(sites + 1, species + 1);
  uint64_t s = 12345;
  for (int c = 1; c <= sites; ++c)
    for (int r = 1; r <= species; ++r) {
      s = s * 6364136223846793005ull + 1442695040888963407ull;
      m[c][r] = (s >> 33) % 3 == 0 ? 1 : 0;
    }
  CalculateMargins_Size(m, sites, species);
  return m;
}

using IndexFn = void (*)(const Matrix&, const InfoMat&, std::span<double>, PairIndexScratch&);

void BM_Index(benchmark::State& state, IndexFn index) {
  const int species = static_cast<int>(state.range(0)), sites = static_cast<int>(state.range(1));
  const Matrix m = ThirdFilled(species, sites);
  const InfoMat info{sites + 1, species + 1, sites, species};
  std::vector<double> out(static_cast<size_t>(species) * (species - 1) / 2 + 1);
  PairIndexScratch scratch;
  for (auto _ : state) {
    index(m, info, out, scratch);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_PlainPairCheckerboardUnits(benchmark::State& state) {
  const int species = static_cast<int>(state.range(0)), sites = static_cast<int>(state.range(1));
  const Matrix m = ThirdFilled(species, sites);
  std::vector<double> out(static_cast<size_t>(species) * (species - 1) / 2 + 1);
  for (auto _ : state) {
    plain_index::PairCheckerboardUnits(m, sites, species, out);
    benchmark::DoNotOptimize(out.data());
  }
}

using TotalFn = int64_t (*)(const Matrix&, const InfoMat&, PairIndexScratch&);

void BM_Total(benchmark::State& state, TotalFn total) {
  const int species = static_cast<int>(state.range(0)), sites = static_cast<int>(state.range(1));
  const Matrix m = ThirdFilled(species, sites);
  const InfoMat info{sites + 1, species + 1, sites, species};
  PairIndexScratch scratch;
  for (auto _ : state) benchmark::DoNotOptimize(total(m, info, scratch));
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({30, 30})->Args({200, 2200})->Args({1400, 300})->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Index, PairCheckerboardUnits, &PairCheckerboardUnits)->Apply(Sizes);
BENCHMARK(BM_PlainPairCheckerboardUnits)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Index, PairOverlap, &PairOverlap)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Index, PairUnion, &PairUnion)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Index, CheckerboardPairs, &CheckerboardPairs)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Index, SpeciesCombinations, &SpeciesCombinations)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Index, VarianceRatio, &VarianceRatio)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Total, CheckerboardUnitsTotal, &CheckerboardUnitsTotal)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Total, OverlapTotal, &OverlapTotal)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Total, UnionTotal, &UnionTotal)->Apply(Sizes);

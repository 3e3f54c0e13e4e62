// Niche overlap: the core alone, 1000 iterations of algorithm 3 (values permuted within each
// species) with Pianka's index on 200 species x 100 resource states, where the pair loop
// (19,900 dot products over 100 states per iteration) is the cost; and its parts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/niche_overlap/NicheOverlapSims.h"
#include "classlib/Random.h"

namespace {

constexpr int kSpecies = 200;
constexpr int kStates = 100;

// Utilisations 0..9 with about a quarter zeros, from a generator of its own.
NicheInput Fixture() {
  uint64_t s = 12345;
  return ReadNicheInput(kSpecies, kStates, [&](int, int) {
    s = s * 6364136223846793005ull + 1442695040888963407ull;
    const int v = static_cast<int>((s >> 33) % 12);
    return std::to_string(v < 3 ? 0 : v - 2);
  });
}

void BM_NicheRA3PiankaRun1000(benchmark::State& state) {
  const NicheInput input = Fixture();
  NicheOverlapSims sims;
  std::vector<double> pairs, means(1000), variances(1000);
  for (auto _ : state) {
    RandSeed = 7;
    sims.Begin(input, NicheAlgorithm::RA3, NicheIndex::Pianka);
    sims.ObservedPairs(pairs);
    const Integer n = static_cast<Integer>(pairs.size());
    for (size_t i = 0; i < 1000; ++i) {
      sims.Randomize();
      sims.SimulatedPairs(pairs);
      CalculateMeanVariance(n, pairs, means[i], variances[i]);
    }
    benchmark::DoNotOptimize(means.data());
  }
}
BENCHMARK(BM_NicheRA3PiankaRun1000)->Unit(benchmark::kMillisecond);

void BM_NicheRandomize(benchmark::State& state) {
  NicheOverlapSims sims;
  sims.Begin(Fixture(), static_cast<NicheAlgorithm>(state.range(0)), NicheIndex::Pianka);
  RandSeed = 7;
  for (auto _ : state) {
    sims.Randomize();
    benchmark::DoNotOptimize(sims.Simulated().data());
  }
}
BENCHMARK(BM_NicheRandomize)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_NichePairs(benchmark::State& state) {
  NicheOverlapSims sims;
  sims.Begin(Fixture(), NicheAlgorithm::RA3, state.range(0) == 0 ? NicheIndex::Pianka : NicheIndex::Czekanowski);
  std::vector<double> pairs;
  sims.ObservedPairs(pairs);
  sims.Randomize();
  for (auto _ : state) {
    sims.SimulatedPairs(pairs);
    benchmark::DoNotOptimize(pairs.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pairs.size()));
}
BENCHMARK(BM_NichePairs)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

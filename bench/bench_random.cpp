#include <benchmark/benchmark.h>

#include "classlib/Random.h"

static void BM_RandomInt(benchmark::State& state) {
  RandSeed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(Random(1000));
}
BENCHMARK(BM_RandomInt);

// Cost of turning a run's simulated values into its statistics and texts.
#include <benchmark/benchmark.h>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {

std::vector<double> Simulated(size_t n) {
  RandSeed = 42;
  std::vector<double> v(n);
  for (auto& x : v) x = RandG(10, 2);
  return v;
}

void BM_StatisticsOfARun(benchmark::State& state) {
  const auto base = Simulated(static_cast<size_t>(state.range(0)));
  const Integer n = static_cast<Integer>(base.size());
  for (auto _ : state) {
    std::vector<double> v = base;
    double mean, variance, p1, p2;
    Integer g, e, l;
    String marker, edges, counts;
    CalculateMeanVariance(n, v, mean, variance);
    CalculateTailCounts(n, v, 10.5, p1, p2, g, e, l);
    QuickSortReals(v, 0, n - 1);
    BuildHistogram_LastIndex(n - 1, v, 10.5, marker);
    HistogramToText(edges, counts);
    benchmark::DoNotOptimize(edges);
  }
}
BENCHMARK(BM_StatisticsOfARun)->Arg(1000)->Arg(100000);

void BM_SortAllEqual(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<double> v(static_cast<size_t>(state.range(0)), 3.0);
    QuickSortReals(v, 0, static_cast<Integer>(v.size()) - 1);
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_SortAllEqual)->Arg(100000);

void BM_FixedFormat(benchmark::State& state) {
  const auto values = Simulated(1000);
  for (auto _ : state)
    for (double x : values) benchmark::DoNotOptimize(FloatToStrF(x, ffFixed, 7, 5));
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_FixedFormat);

}  // namespace

// Size overlap: one iteration of the null model as the run makes it (the observed sizes on the
// distribution's scale, a drawn line, sort, back to sizes, transformation, segments, metric) on
// 100 sizes for each kind of draw; its two halves apart (the draw, and sort plus segments); and
// the whole run through the program, 30,000 iterations. The "allocs" counter is the number of
// heap allocations per iteration, which must be 0.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <atomic>
#include <cstdlib>
#include <new>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/size_overlap/SizeOverlapMain.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "analysis/size_overlap/SizeOverlapSims.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {
std::atomic<long> Allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++Allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kSizes = 100;

std::vector<double> Sizes() {
  std::vector<double> sizes;
  uint64_t s = 12345;
  for (int i = 0; i < kSizes; ++i) {
    s = s * 6364136223846793005ull + 1442695040888963407ull;
    sizes.push_back(1 + 99.0 * static_cast<double>(s >> 11) / 9007199254740992.0);
  }
  QuickSortReals(sizes, 0, kSizes - 1);
  return sizes;
}

SizeOverlapOptions OptionsFor(SizeDistribution d, bool LogTransform = true) {
  SizeOverlapOptions o;
  o.Distribution = d;
  o.Metric = SizeMetric::SegmentVariance;
  o.LogTransform = LogTransform;
  if (d == SizeDistribution::Histogram) {
    // A source pool of 300 species, weights 1 to 3.
    for (int i = 0; i < 300; ++i) {
      o.HistogramSizes.push_back(1 + i * 0.5);
      o.HistogramWeights.push_back(1 + i % 3);
    }
  }
  return o;
}

void Iteration(benchmark::State& state, SizeDistribution d, bool LogTransform = true) {
  const SizeOverlapOptions options = OptionsFor(d, LogTransform);
  SizeOverlapSims sims;
  sims.Begin(options, NeverInterrupted, nullptr);
  const std::vector<double> data = Sizes();
  std::vector<double> transformed(kSizes), simulated(kSizes), back(kSizes), segments(kSizes - 1);
  RandSeed = 11;
  double sink = 0;
  const long before = Allocations;
  for (auto _ : state) {
    DistributionTransform(d, data, transformed);
    sims.RandomizeNumberLine(transformed, simulated);
    QuickSortReals(simulated, 0, kSizes - 1);
    DistributionBackTransform(d, simulated, back);
    TransformNumberLine(options.LogTransform, back, simulated);
    CalculateSegments(simulated, segments);
    sink += SegmentMetric(options.Metric, segments);
  }
  benchmark::DoNotOptimize(sink);
  state.counters["allocs"] =
      benchmark::Counter(static_cast<double>(Allocations - before), benchmark::Counter::kAvgIterations);
}

}  // namespace

static void BM_SizeOverlapIteration_Uniform_100(benchmark::State& s) { Iteration(s, SizeDistribution::Uniform); }
BENCHMARK(BM_SizeOverlapIteration_Uniform_100);
// Without the transformation's 100 logarithms: the sort and the segments are most of it.
static void BM_SizeOverlapIteration_Uniform_NoTransform_100(benchmark::State& s) {
  Iteration(s, SizeDistribution::Uniform, false);
}
BENCHMARK(BM_SizeOverlapIteration_Uniform_NoTransform_100);
static void BM_SizeOverlapIteration_Normal_100(benchmark::State& s) { Iteration(s, SizeDistribution::Normal); }
BENCHMARK(BM_SizeOverlapIteration_Normal_100);
static void BM_SizeOverlapIteration_LogNormal_100(benchmark::State& s) { Iteration(s, SizeDistribution::LogNormal); }
BENCHMARK(BM_SizeOverlapIteration_LogNormal_100);
static void BM_SizeOverlapIteration_Histogram_100of300(benchmark::State& s) {
  Iteration(s, SizeDistribution::Histogram);
}
BENCHMARK(BM_SizeOverlapIteration_Histogram_100of300);

// The draw alone (uniform, the data's limits).
static void BM_SizeOverlapDrawOnly_Uniform_100(benchmark::State& state) {
  SizeOverlapSims sims;
  sims.Begin(OptionsFor(SizeDistribution::Uniform), NeverInterrupted, nullptr);
  const std::vector<double> data = Sizes();
  std::vector<double> simulated(kSizes);
  RandSeed = 11;
  for (auto _ : state) {
    sims.RandomizeNumberLine(data, simulated);
    benchmark::DoNotOptimize(simulated.data());
  }
}
BENCHMARK(BM_SizeOverlapDrawOnly_Uniform_100);

// Sorting a drawn line and its segments and metric alone. The lines are drawn beforehand, many
// of them, so that the sort does not meet the same order again and again.
static void BM_SizeOverlapSortAndSegments_100(benchmark::State& state) {
  SizeOverlapSims sims;
  sims.Begin(OptionsFor(SizeDistribution::Uniform), NeverInterrupted, nullptr);
  constexpr size_t kLines = 4096;
  std::vector<std::vector<double>> drawn(kLines, std::vector<double>(kSizes));
  std::vector<double> simulated(kSizes), segments(kSizes - 1);
  RandSeed = 11;
  for (auto& line : drawn) sims.RandomizeNumberLine(Sizes(), line);
  double sink = 0;
  size_t next = 0;
  for (auto _ : state) {
    simulated = drawn[next++ % kLines];
    QuickSortReals(simulated, 0, kSizes - 1);
    CalculateSegments(simulated, segments);
    sink += SegmentMetric(SizeMetric::SegmentVariance, segments);
  }
  benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_SizeOverlapSortAndSegments_100);

// The whole run as a person starts it, headless: menu command, options answered (uniform with
// the data's limits, log transformation, variance), 30,000 iterations, results window closed.
static void BM_SizeOverlapRun_Uniform_30000x100(benchmark::State& state) {
  CreateAllForms();
  TRivErodovOzar* g = Zorvan->MainGrid;
  const std::vector<double> sizes = Sizes();
  g->SetRowCount(kSizes + 1);
  g->SetColCount(2);
  g->SetCells(1, 0, "length");
  for (int r = 1; r <= kSizes; ++r) {
    g->SetCells(0, r, String("sp").append(IntToStr(r)));
    g->SetCells(1, r, FloatToStr(sizes[static_cast<size_t>(r - 1)]));
  }
  int results = 0;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    if (form == SizeOverlap) {
      ++results;
      form->Close();
      return;
    }
    SizeOverlapOpts->IterationsEdit->SetText("30000");
    SizeOverlapOpts->RandomSeedEdit->SetText("11");
    SizeOverlapOpts->Run1->Click();
  };
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  for (auto _ : state) Zorvan->SizeOverlap1->Click();
  if (results != static_cast<int>(state.iterations())) state.SkipWithError("the run did not complete");
  Application->ResetHooks();
  while (!Application->Forms().empty()) delete Application->Forms().back();
}
BENCHMARK(BM_SizeOverlapRun_Uniform_30000x100)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Species diversity: the rarefaction curve by individuals alone (1000 iterations over 50
// levels of a column of 10,000 individuals) for 200 and 3,200 species, where a draw that walked
// the rows would cost 16 times more on the larger column, and the whole run as a person starts
// it, headless (menu command, options answered, results window closed). The allocations made
// inside the timed loops are counted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <atomic>
#include <cstdlib>
#include <new>

#include "analysis/species_diversity/SpeciesDiversityDraws.h"
#include "analysis/species_diversity/SpeciesDiversityIndices.h"
#include "analysis/species_diversity/SpeciesDiversityLevels.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {

std::atomic<long> gAllocations{0};

constexpr int kIndividuals = 10000;
constexpr int kLevels = 50;
constexpr int kIterations = 1000;

// 10,000 individuals over S species, uneven (a few common species, many rare ones).
std::vector<int32_t> Column(int S) {
  std::vector<int32_t> c(static_cast<size_t>(S));
  uint64_t x = 12345;
  int64_t total = 0;
  for (int s = 0; s < S; ++s) {
    x = x * 6364136223846793005ull + 1442695040888963407ull;
    c[static_cast<size_t>(s)] = 1 + static_cast<int32_t>((x >> 33) % 97) * ((s % 10) == 0 ? 5 : 1);
    total += c[static_cast<size_t>(s)];
  }
  // Scaled to exactly 10,000 individuals, every species kept.
  int64_t scaled = 0;
  for (int32_t& v : c) {
    v = std::max<int32_t>(1, static_cast<int32_t>(v * (kIndividuals - S) / total));
    scaled += v;
  }
  c[0] += static_cast<int32_t>(kIndividuals - scaled);
  return c;
}

}  // namespace

void* operator new(size_t n) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

// The curve's draws and indices: for every level, 1000 rarefied subsamples and their richness.
static void BM_RarefactionCurve_Individuals(benchmark::State& state) {
  const int S = static_cast<int>(state.range(0));
  const std::vector<int32_t> counts = Column(S);
  const std::vector<int32_t> levels = DefaultAbundanceLevels(kIndividuals, kLevels);
  IndividualPool pool, work;
  pool.Assign(counts);
  work.Assign(counts);
  std::vector<int32_t> tally(counts.size());
  std::vector<double> values(static_cast<size_t>(kLevels) * kIterations);
  int64_t draws = 0;
  for (int32_t level : levels) draws += level;
  draws *= kIterations;
  RandSeed = 11;
  const long before = gAllocations.load();
  for (auto _ : state) {
    for (size_t i = 0; i < levels.size(); ++i)
      for (int t = 0; t < kIterations; ++t) {
        std::fill(tally.begin(), tally.end(), 0);
        RarefactionDraw(pool, levels[i], work, tally);
        values[i * kIterations + static_cast<size_t>(t)] = SpeciesRichness(tally);
      }
    benchmark::DoNotOptimize(values.data());
  }
  state.counters["allocations"] = static_cast<double>(gAllocations.load() - before);
  state.SetItemsProcessed(draws * static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_RarefactionCurve_Individuals)->Arg(200)->Arg(3200)->Unit(benchmark::kMillisecond);

// The same curve with each draw walking the rows (the baseline the tree replaces).
static void BM_RarefactionCurve_Individuals_RowWalk(benchmark::State& state) {
  const int S = static_cast<int>(state.range(0));
  const std::vector<int32_t> counts = Column(S);
  const std::vector<int32_t> levels = DefaultAbundanceLevels(kIndividuals, kLevels);
  std::vector<int32_t> pool(counts.size()), tally(counts.size());
  std::vector<double> values(static_cast<size_t>(kLevels) * kIterations);
  int64_t draws = 0;
  for (int32_t level : levels) draws += level;
  draws *= kIterations;
  RandSeed = 11;
  for (auto _ : state) {
    for (size_t i = 0; i < levels.size(); ++i)
      for (int t = 0; t < kIterations; ++t) {
        std::copy(counts.begin(), counts.end(), pool.begin());
        std::fill(tally.begin(), tally.end(), 0);
        for (int32_t d = 0; d < levels[i]; ++d) {
          const int32_t u = 1 + Random(kIndividuals - d);
          int32_t sum = 0;
          size_t s = 0;
          while ((sum += pool[s]) < u) ++s;
          --pool[s];
          ++tally[s];
        }
        values[i * kIterations + static_cast<size_t>(t)] = SpeciesRichness(tally);
      }
    benchmark::DoNotOptimize(values.data());
  }
  state.SetItemsProcessed(draws * static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_RarefactionCurve_Individuals_RowWalk)->Arg(200)->Arg(3200)->Unit(benchmark::kMillisecond);

// The whole run: 1000 iterations, default levels (50), species richness, 200 species.
static void BM_SpeciesDiversityRun_Rarefaction_200Species(benchmark::State& state) {
  CreateAllForms();
  const std::vector<int32_t> counts = Column(200);
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(201);
  g->SetColCount(2);
  g->SetCells(1, 0, "plot");
  for (int r = 1; r <= 200; ++r) {
    g->SetCells(0, r, String("sp").append(IntToStr(r)));
    g->SetCells(1, r, IntToStr(counts[static_cast<size_t>(r - 1)]));
  }
  int results = 0;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    if (form == SpeciesDiversity) {
      ++results;
      form->Close();
      return;
    }
    SpeciesDiversityOpts->IterationsEdit->SetText("1000");
    SpeciesDiversityOpts->RandomSeedEdit->SetText("11");
    SpeciesDiversityOpts->Run1->Click();
  };
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  for (auto _ : state) Zorvan->SpeciesDiversity1->Click();
  if (results != static_cast<int>(state.iterations())) state.SkipWithError("the run did not complete");
  Application->ResetHooks();
  while (!Application->Forms().empty()) delete Application->Forms().back();
}
BENCHMARK(BM_SpeciesDiversityRun_Rarefaction_200Species)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

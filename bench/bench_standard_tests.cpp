// Regression and ANOVA by randomisation: the kernels alone (10,000 permutations of 1000 rows)
// and whole runs as a person starts them, headless (menu command, options answered, 10,000
// iterations on 1000 data rows, results window closed).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "analysis/anova/AnovaMain.h"
#include "analysis/anova/AnovaOptions.h"
#include "analysis/anova/AnovaSims.h"
#include "analysis/regression/RegressionMain.h"
#include "analysis/regression/RegressionOptions.h"
#include "analysis/regression/RegressionSims.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kRows = 1000;
constexpr int kIterations = 10000;
constexpr int kGroups = 8;

double Noise(uint64_t& s) {
  s = s * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<double>(s >> 11) / 9007199254740992.0;
}

// Columns: a group label, X (the row number) and Y (noise).
void FillGrid() {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(kRows + 1);
  g->SetColCount(4);
  g->SetCells(1, 0, "group");
  g->SetCells(2, 0, "x");
  g->SetCells(3, 0, "y");
  uint64_t s = 12345;
  for (int r = 1; r <= kRows; ++r) {
    g->SetCells(0, r, String("sp").append(IntToStr(r)));
    g->SetCells(1, r, String("g").append(IntToStr(r % kGroups)));
    g->SetCells(2, r, IntToStr(r));
    g->SetCells(3, r, FloatToStr(Noise(s) * 100));
  }
}

}  // namespace

static void BM_RegressionKernel_10000x1000(benchmark::State& state) {
  std::vector<double> x(kRows), y(kRows), slopes(kIterations), intercepts(kIterations), rs(kIterations);
  uint64_t s = 12345;
  for (int i = 0; i < kRows; ++i) x[static_cast<size_t>(i)] = i + 1, y[static_cast<size_t>(i)] = Noise(s);
  RandSeed = 11;
  for (auto _ : state) {
    SimulateRegression(x, y, kIterations, slopes, intercepts, rs);
    benchmark::DoNotOptimize(slopes.data());
  }
}
BENCHMARK(BM_RegressionKernel_10000x1000)->Unit(benchmark::kMillisecond);

static void BM_AnovaKernel_10000x1000_8Groups(benchmark::State& state) {
  std::vector<String> labels, values;
  uint64_t s = 12345;
  for (int i = 0; i < kRows; ++i) {
    labels.push_back("g" + std::to_string(i % kGroups));
    values.push_back(FloatToStr(Noise(s) * 100));
  }
  TAnovaSims sims;
  sims.Begin(labels, values);
  std::vector<double> simulated(kIterations);
  RandSeed = 11;
  for (auto _ : state) {
    SimulateAnova(sims, kIterations, simulated);
    benchmark::DoNotOptimize(simulated.data());
  }
}
BENCHMARK(BM_AnovaKernel_10000x1000_8Groups)->Unit(benchmark::kMillisecond);

// The whole run through the program.
void WholeRun(benchmark::State& state, TMenuItem* (*Item)(), TForm* (*Results)(), TColumnPairOpts* (*Options)(),
              int First, int Second) {
  CreateAllForms();
  FillGrid();
  int results = 0;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    if (form == Results()) {
      ++results;
      form->Close();
      return;
    }
    TColumnPairOpts* o = Options();
    o->FirstList->SetItemIndex(First);
    o->SecondList->SetItemIndex(Second);
    o->IterationsEdit->SetText("10000");
    o->RandomSeedEdit->SetText("11");
    o->Run1->Click();
  };
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  for (auto _ : state) Item()->Click();
  if (results != static_cast<int>(state.iterations())) state.SkipWithError("the run did not complete");
  Application->ResetHooks();
  while (!Application->Forms().empty()) delete Application->Forms().back();
}

static void BM_RegressionRun_10000x1000(benchmark::State& state) {
  WholeRun(
      state, [] { return Zorvan->Regression1; }, []() -> TForm* { return RegressionShell; },
      []() -> TColumnPairOpts* { return RegressionOpts; }, 1, 2);
}
BENCHMARK(BM_RegressionRun_10000x1000)->Unit(benchmark::kMillisecond);

static void BM_AnovaRun_10000x1000_8Groups(benchmark::State& state) {
  WholeRun(
      state, [] { return Zorvan->Anova1; }, []() -> TForm* { return AnovaShell; },
      []() -> TColumnPairOpts* { return AnovaOpts; }, 0, 2);
}
BENCHMARK(BM_AnovaRun_10000x1000_8Groups)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// Chi-square and the runs test by randomisation: the kernels alone (10,000 random tables of a
// 50 x 50 table under each randomisation; 10,000 occupancy vectors of 10,000 rows under each
// null model) and whole runs as a person starts them, headless.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <functional>

#include "analysis/chi_square/ChiSquareMain.h"
#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/chi_square/ChiSquareSims.h"
#include "analysis/runs_test/RunsTestMain.h"
#include "analysis/runs_test/RunsTestOptions.h"
#include "analysis/runs_test/RunsTestSims.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kSize = 50;
constexpr int kRows = 10000;
constexpr int kIterations = 10000;

uint32_t Next(uint64_t& s) {
  s = s * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<uint32_t>(s >> 33);
}

// A 50 x 50 table of counts 1..4 (grand total about 6,250).
std::vector<std::vector<int>> Counts() {
  uint64_t s = 12345;
  std::vector<std::vector<int>> t(kSize, std::vector<int>(kSize));
  for (auto& row : t)
    for (int& v : row) v = 1 + static_cast<int>(Next(s) % 4);
  return t;
}

void ChiSquareBench(benchmark::State& state, TChiSquareRandomization choice) {
  const auto t = Counts();
  std::vector<Integer> rows(kSize, 0), cols(kSize, 0);
  Integer total = 0;
  for (int r = 0; r < kSize; ++r)
    for (int c = 0; c < kSize; ++c) rows[r] += t[r][c], cols[c] += t[r][c], total += t[r][c];
  std::vector<double> rt(rows.begin(), rows.end()), ct(cols.begin(), cols.end());
  Real_Matrix e;
  ExpectedCounts(rt, ct, e);
  TChiSquareModel model;
  model.SetUp(choice, rows, cols, total);
  std::vector<double> simulated(kIterations);
  RandSeed = 11;
  for (auto _ : state) {
    SimulateChiSquare(model, e, kIterations, simulated);
    benchmark::DoNotOptimize(simulated.data());
  }
}

void RunsBench(benchmark::State& state, bool proportional, bool replacement) {
  uint64_t s = 99;
  std::vector<double> x(kRows);
  std::vector<Integer> y(kRows);
  for (int i = 0; i < kRows; ++i) x[i] = 1 + Next(s) % 1000, y[i] = Next(s) % 3 == 0 ? 1 : 0;
  const TRunsData d = SortByX(x, y);
  TRunsModel m;
  m.Proportional = proportional;
  m.WithReplacement = replacement;
  m.OnesCount = CountOnes(y, replacement);
  m.Prepare(d.xVarsSorted);
  std::vector<Integer> longest(kIterations);
  std::vector<double> means(kIterations), variances(kIterations);
  RandSeed = 11;
  for (auto _ : state) {
    std::vector<Integer> v = d.yVarsSims;
    SimulateRuns(m, d.xVarsSorted, v, kIterations, longest, means, variances);
    benchmark::DoNotOptimize(means.data());
  }
}

// The whole program's run, started from the menu with the options answered.
void WholeRun(benchmark::State& state, TMenuItem* (*Item)(), TCustomForm* (*Options)(),
              const std::function<void()>& Answer, TCustomForm* (*Results)(), const std::function<void()>& Fill) {
  CreateAllForms();
  Fill();
  int results = 0;
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    if (form == Options()) Answer();
    if (form == Results()) {
      ++results;
      form->Close();
    }
  };
  for (auto _ : state) Item()->Click();
  if (results != static_cast<int>(state.iterations())) state.SkipWithError("the run did not complete");
  Application->ResetHooks();
  while (!Application->Forms().empty()) delete Application->Forms().back();
}

}  // namespace

static void BM_ChiSquareKernel_10000_50x50_RandomizeMatrix(benchmark::State& s) {
  ChiSquareBench(s, TChiSquareRandomization::Matrix);
}
static void BM_ChiSquareKernel_10000_50x50_RandomizeColumns(benchmark::State& s) {
  ChiSquareBench(s, TChiSquareRandomization::Columns);
}
static void BM_ChiSquareKernel_10000_50x50_RandomizeRows(benchmark::State& s) {
  ChiSquareBench(s, TChiSquareRandomization::Rows);
}
BENCHMARK(BM_ChiSquareKernel_10000_50x50_RandomizeMatrix)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ChiSquareKernel_10000_50x50_RandomizeColumns)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ChiSquareKernel_10000_50x50_RandomizeRows)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_RunsKernel_10000x10000_Equiprobable(benchmark::State& s) { RunsBench(s, false, false); }
static void BM_RunsKernel_10000x10000_EquiprobableWithReplacement(benchmark::State& s) { RunsBench(s, false, true); }
static void BM_RunsKernel_10000x10000_Proportional(benchmark::State& s) { RunsBench(s, true, false); }
static void BM_RunsKernel_10000x10000_ProportionalWithReplacement(benchmark::State& s) { RunsBench(s, true, true); }
BENCHMARK(BM_RunsKernel_10000x10000_Equiprobable)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RunsKernel_10000x10000_EquiprobableWithReplacement)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RunsKernel_10000x10000_Proportional)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RunsKernel_10000x10000_ProportionalWithReplacement)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_ChiSquareWholeRun_10000_50x50_RandomizeMatrix(benchmark::State& state) {
  WholeRun(
      state, [] { return Zorvan->ChiSquare1; }, []() -> TCustomForm* { return ChiSquareOpts; },
      [] {
        ChiSquareOpts->IterationsEdit->SetText("10000");
        ChiSquareOpts->RandomSeedEdit->SetText("5");
        ChiSquareOpts->Run1->Click();
      },
      []() -> TCustomForm* { return ChiSquareShell; },
      [] {
        const auto t = Counts();
        TRivErodovOzar* g = Zorvan->MainGrid;
        g->SetRowCount(kSize + 1);
        g->SetColCount(kSize + 1);
        for (int r = 1; r <= kSize; ++r) {
          g->SetCells(0, r, "sp" + IntToStr(r));
          g->SetCells(r, 0, "s" + IntToStr(r));
          for (int c = 1; c <= kSize; ++c) g->SetCells(c, r, IntToStr(t[r - 1][c - 1]));
        }
      });
}
BENCHMARK(BM_ChiSquareWholeRun_10000_50x50_RandomizeMatrix)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_RunsTestWholeRun_10000x10000(benchmark::State& state) {
  WholeRun(
      state, [] { return Zorvan->RunsTest1; }, []() -> TCustomForm* { return RunsTestOpts; },
      [] {
        RunsTestOpts->IterationsEdit->SetText("10000");
        RunsTestOpts->RandomSeedEdit->SetText("5");
        RunsTestOpts->Run1->Click();
      },
      []() -> TCustomForm* { return RunsTestShell; },
      [] {
        uint64_t s = 99;
        TRivErodovOzar* g = Zorvan->MainGrid;
        g->SetRowCount(kRows + 1);
        g->SetColCount(3);
        g->SetCells(1, 0, "x");
        g->SetCells(2, 0, "y");
        for (int r = 1; r <= kRows; ++r) {
          g->SetCells(0, r, "sp" + IntToStr(r));
          g->SetCells(1, r, IntToStr(static_cast<Integer>(1 + Next(s) % 1000)));
          g->SetCells(2, r, Next(s) % 3 == 0 ? "1" : "0");
        }
      });
}
BENCHMARK(BM_RunsTestWholeRun_10000x10000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

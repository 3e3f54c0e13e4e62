// Macroecology: the core alone, 10,000 random point sets of 1000 points measured with every
// shape and boundary in both data distributions (data-defined constraint), each constraint's
// generator, and a whole run as a person starts it, headless (menu command, options answered,
// results window closed).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "analysis/macroecology/MacroecologyMain.h"
#include "analysis/macroecology/MacroecologyOptions.h"
#include "analysis/macroecology/MacroecologySims.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kPoints = 1000;
constexpr int kIterations = 10000;

double Noise(uint64_t& s) {
  s = s * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<double>(s >> 11) / 9007199254740992.0;
}

TPointSet NoisePoints() {
  std::vector<double> x(kPoints), y(kPoints);
  uint64_t s = 12345;
  for (int i = 0; i < kPoints; ++i) {
    x[static_cast<size_t>(i)] = 1 + Noise(s) * 100;
    y[static_cast<size_t>(i)] = 1 + Noise(s) * 50;
  }
  TPointSet p;
  p.Assign(x, y);
  return p;
}

}  // namespace

// Arguments: shape, boundary, data distribution (0 symmetric, 1 asymmetric).
static void BM_MacroecologyKernel_10000x1000(benchmark::State& state) {
  const TPatternChoice choice{static_cast<TDataDistribution>(state.range(2)), static_cast<TShape>(state.range(0)),
                              static_cast<TBoundary>(state.range(1))};
  std::vector<TPatternValues> values(kIterations);
  for (auto _ : state) {
    TPointSet p = NoisePoints();
    RandSeed = 11;
    SimulateMacroecology(p, choice, {}, kIterations, values);
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_MacroecologyKernel_10000x1000)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Argument: the constraint (0 data-defined, 1 uniform, 2 normal); left triangle, upper right.
static void BM_MacroecologyConstraint_10000x1000(benchmark::State& state) {
  TConstraintParameters parameters;
  parameters.Constraint = static_cast<TConstraint>(state.range(0));
  parameters.Box = {1, 101, 1, 51};
  parameters.Normal = {50, 20, 25, 10};
  std::vector<TPatternValues> values(kIterations);
  for (auto _ : state) {
    TPointSet p = NoisePoints();
    RandSeed = 11;
    SimulateMacroecology(p, {}, parameters, kIterations, values);
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_MacroecologyConstraint_10000x1000)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

static void BM_MacroecologyRun_10000x1000(benchmark::State& state) {
  CreateAllForms();
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(kPoints + 1);
  g->SetColCount(3);
  g->SetCells(1, 0, "size");
  g->SetCells(2, 0, "range");
  uint64_t s = 12345;
  for (int r = 1; r <= kPoints; ++r) {
    g->SetCells(0, r, String("sp").append(IntToStr(r)));
    g->SetCells(1, r, FloatToStr(1 + Noise(s) * 100));
    g->SetCells(2, r, FloatToStr(1 + Noise(s) * 50));
  }
  int results = 0;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    if (form == MacroEcology) {
      ++results;
      form->Close();
      return;
    }
    MacroecologyOpts->IterationsEdit->SetText("10000");
    MacroecologyOpts->RandomSeedEdit->SetText("11");
    MacroecologyOpts->Run1->Click();
  };
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  for (auto _ : state) Zorvan->Macroecology1->Click();
  if (results != static_cast<int>(state.iterations())) state.SkipWithError("the run did not complete");
  Application->ResetHooks();
  while (!Application->Forms().empty()) delete Application->Forms().back();
}
BENCHMARK(BM_MacroecologyRun_10000x1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

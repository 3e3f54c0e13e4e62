// Start-up: creating every form of the program and showing the main window, with real
// (offscreen) windows, as `zorvan` does between process start and the first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "app/AboutZorvan.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"

static void BM_CreateFormsAndShowMainWindow(benchmark::State& state) {
  Application->SetViewsEnabled(true);
  for (auto _ : state) {
    CreateAllForms();
    Zorvan->Show();
    QCoreApplication::processEvents();
    state.PauseTiming();
    while (!Application->Forms().empty()) delete Application->Forms().back();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateFormsAndShowMainWindow)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

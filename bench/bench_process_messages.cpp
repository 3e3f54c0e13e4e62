// The abort check every simulation loop makes: let pending messages run, then test the
// interrupt flag. It must cost next to nothing when nothing is pending.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "classlib/Forms.h"

static void BM_IdleAbortCheck(benchmark::State& state) {
  bool interrupt = false;
  for (auto _ : state) {
    Application->ProcessMessages();
    benchmark::DoNotOptimize(interrupt);
  }
}
BENCHMARK(BM_IdleAbortCheck);

static void BM_IdleAbortCheckWithAWindowShown(benchmark::State& state) {
  Application->SetViewsEnabled(true);
  auto* form = New<TForm>(nullptr);
  form->Show();
  bool interrupt = false;
  for (auto _ : state) {
    Application->ProcessMessages();
    benchmark::DoNotOptimize(interrupt);
  }
  delete form;
  Application->SetViewsEnabled(false);
}
BENCHMARK(BM_IdleAbortCheckWithAWindowShown);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

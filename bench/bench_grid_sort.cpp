// Sorting the data grid's rows by a numeric, a text and a date column, and the way back to
// the unsorted order. Each run starts from the same shuffled grid; the fitted complexity
// shows the n log n growth.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

namespace {

std::unique_ptr<TRivErodovOzar> SpeciesGrid(int Rows) {
  std::unique_ptr<TRivErodovOzar> grid(New<TRivErodovOzar>(nullptr));
  grid->SetColCount(4);
  grid->SetRowCount(Rows + 1);
  std::mt19937 rng(44);
  char date[16];
  for (int r = 1; r <= Rows; ++r) {
    grid->SetCells(0, r, IntToStr(static_cast<int>(rng() % 1000000)));
    grid->SetCells(1, r, "species" + IntToStr(static_cast<int>(rng() % 1000000)));
    std::snprintf(date, sizeof date, "%02d/%02d/%d", 1 + static_cast<int>(rng() % 28), 1 + static_cast<int>(rng() % 12),
                  1950 + static_cast<int>(rng() % 70));
    grid->SetCells(2, r, date);
    grid->SetCells(3, r, IntToStr(r));
  }
  return grid;
}

// Column 0 holds numbers, 1 texts, 2 dates; each iteration sorts once and unsorts untimed.
void BM_SortColumn(benchmark::State& state, int col) {
  FormatSettings.DateSeparator = '/';
  FormatSettings.ShortDateFormat = "dd/mm/yyyy";
  const int rows = static_cast<int>(state.range(0));
  auto grid = SpeciesGrid(rows);
  for (auto _ : state) {
    grid->Sort(col, sdAscending);
    state.PauseTiming();
    grid->QUnSort();
    state.ResumeTiming();
  }
  state.SetComplexityN(rows);
  state.counters["compares_per_row"] = static_cast<double>(grid->Compares) / state.iterations() / rows;
}
BENCHMARK_CAPTURE(BM_SortColumn, numbers, 0)->RangeMultiplier(2)->Range(12500, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK_CAPTURE(BM_SortColumn, texts, 1)->RangeMultiplier(2)->Range(12500, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);
BENCHMARK_CAPTURE(BM_SortColumn, dates, 2)->RangeMultiplier(2)->Range(12500, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

void BM_UnSort(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  auto grid = SpeciesGrid(rows);
  for (auto _ : state) {
    state.PauseTiming();
    grid->Sort(1, sdDescending);
    state.ResumeTiming();
    grid->QUnSort();
  }
  state.SetComplexityN(rows);
}
BENCHMARK(BM_UnSort)->RangeMultiplier(2)->Range(12500, 100000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oNLogN);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

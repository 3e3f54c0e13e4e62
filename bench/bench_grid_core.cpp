// The data grid's hidden rows and cell store: hiding and showing many rows of a wide grid
// (runs and scattered rows), and the memory a loaded matrix costs per cell.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

namespace {

constexpr int kCols = 20;

std::unique_ptr<TRivErodovOzar> FilledGrid(int Rows, int Cols) {
  std::unique_ptr<TRivErodovOzar> grid(New<TRivErodovOzar>(nullptr));
  grid->SetColCount(Cols);
  grid->SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) grid->SetCells(c, r, (r + c) % 3 == 0 ? "1" : "0");
  return grid;
}

// One run of rows hidden and shown again (HideRows / UnHideRows).
void BM_HideUnhideRun(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  auto grid = FilledGrid(rows + 1, kCols);
  for (auto _ : state) {
    grid->HideRows(1, rows - 1);
    grid->UnHideRows(1, rows - 1);
  }
  state.counters["rows"] = rows;
  state.counters["ns_per_cell"] = benchmark::Counter(static_cast<double>(rows) * kCols,
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_HideUnhideRun)->Arg(2500)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Every other row hidden as a row list (the filter's way) and shown again.
void BM_HideUnhideRowList(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  auto grid = FilledGrid(2 * rows + 1, kCols);
  std::vector<int> list;
  for (int r = 1; r <= 2 * rows; r += 2) list.push_back(r);
  for (auto _ : state) {
    grid->HideRowList(list);
    grid->UnHideRowList();
    grid->SetFilterLevel(grid->FilterLevel() - 1);
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_HideUnhideRowList)->Arg(2500)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

// Every other row hidden one call at a time (HideRow), then all shown in one call.
void BM_HideRowByRowUnhideAll(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  auto grid = FilledGrid(2 * rows + 1, kCols);
  for (auto _ : state) {
    for (int r = 1; r <= 2 * rows; r += 2) grid->HideRow(r);
    grid->UnHideRowsAll();
  }
  state.counters["rows"] = rows;
}
BENCHMARK(BM_HideRowByRowUnhideAll)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Heap bytes per cell of a 500 x 2000 matrix of 0/1 texts (text and object slot).
void BM_MatrixMemoryPerCell(benchmark::State& state) {
  constexpr int rows = 500, cols = 2000;
  double perCell = 0;
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    auto grid = FilledGrid(rows, cols);
    const size_t after = mallinfo2().uordblks;
    perCell = static_cast<double>(after - before) / (static_cast<double>(rows) * cols);
  }
  state.counters["bytes_per_cell"] = perCell;
}
BENCHMARK(BM_MatrixMemoryPerCell)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

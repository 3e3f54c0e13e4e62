// Grouping and ungrouping a column of the data grid: the cost should grow linearly with the
// rows, whether the groups are few and long or many and short.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

namespace {

constexpr int kCols = 6;

// Rows sorted on column 1 in runs of GroupSize equal keys; numbers in the other columns.
std::unique_ptr<TRivErodovOzar> KeyedGrid(int Rows, int GroupSize) {
  std::unique_ptr<TRivErodovOzar> grid(New<TRivErodovOzar>(nullptr));
  grid->SetColCount(kCols);
  grid->SetRowCount(Rows + 1);
  for (int r = 1; r <= Rows; ++r) {
    grid->SetCells(1, r, "k" + IntToStr((r - 1) / GroupSize));
    for (int c = 2; c < kCols; ++c) grid->SetCells(c, r, IntToStr((r * c) % 97));
  }
  return grid;
}

void GroupUngroup(benchmark::State& state, int GroupSize) {
  const int rows = static_cast<int>(state.range(0));
  auto grid = KeyedGrid(rows, GroupSize);
  grid->Grouping()->SetSummary(true);
  for (auto _ : state) {
    grid->Group(1);
    grid->UnGroup();
  }
  state.SetComplexityN(rows);
  state.counters["ns_per_row"] = benchmark::Counter(rows, benchmark::Counter::kIsIterationInvariantRate |
                                                              benchmark::Counter::kInvert);
}

// Ten long groups.
void BM_GroupUngroupTenGroups(benchmark::State& state) { GroupUngroup(state, static_cast<int>(state.range(0)) / 10); }
BENCHMARK(BM_GroupUngroupTenGroups)->RangeMultiplier(2)->Range(12500, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A group per ten rows: the per-group work must not bring back a cost per row moved.
void BM_GroupUngroupShortGroups(benchmark::State& state) { GroupUngroup(state, 10); }
BENCHMARK(BM_GroupUngroupShortGroups)->RangeMultiplier(2)->Range(12500, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// Contracting and expanding every group of a grouped grid.
void BM_ContractExpandAll(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  auto grid = KeyedGrid(rows, 100);
  grid->Group(1);
  for (auto _ : state) {
    grid->ContractAll();
    grid->ExpandAll();
  }
  state.SetComplexityN(rows);
}
BENCHMARK(BM_ContractExpandAll)->RangeMultiplier(2)->Range(12500, 100000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The grid's delimited-text loader and saver on matrix files of the two largest shapes the
// program takes (1400 x 300 and 200 x 2200 data cells) and on halves of them, so that time per
// cell shows whether they stay linear. The baseline splits the same bytes into a vector of
// strings and is what the loader is measured against. Counters: time per cell, and the peak of
// the heap in use during one load per cell (a heap tracker below counts every allocation).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include <malloc.h>
#include <unistd.h>

#include "classlib/SysUtils.h"
#include "grid/model/RivErodovOzar.h"

namespace {

std::atomic<int64_t> gLive{0};
std::atomic<int64_t> gPeak{0};

void Track(int64_t Delta) {
  const int64_t now = gLive.fetch_add(Delta) + Delta;
  int64_t peak = gPeak.load();
  while (now > peak && !gPeak.compare_exchange_weak(peak, now)) {
  }
}

}  // namespace

void* operator new(size_t Size) {
  void* p = std::malloc(Size == 0 ? 1 : Size);
  if (p == nullptr) throw std::bad_alloc();
  Track(static_cast<int64_t>(malloc_usable_size(p)));
  return p;
}
void operator delete(void* P) noexcept {
  if (P == nullptr) return;
  Track(-static_cast<int64_t>(malloc_usable_size(P)));
  std::free(P);
}
void operator delete(void* P, size_t) noexcept { operator delete(P); }

namespace {

// A matrix file: the corner and site titles in the first line, then a species title and
// values of one to four characters per line, cells separated by one space.
std::string MatrixText(int64_t Rows, int64_t Cols) {
  std::string text;
  for (int64_t r = 0; r <= Rows; ++r) {
    text += r == 0 ? "species" : "species" + std::to_string(r);
    for (int64_t c = 1; c <= Cols; ++c)
      text += r == 0 ? " site" + std::to_string(c) : " " + std::to_string((r * 7 + c * 13) % 1200 / 100.0).substr(0, 4);
    text += "\r\n";
  }
  return text;
}

std::string TempPath(const char* Kind) { return "/tmp/zorvan_bench_csv_" + std::string(Kind) + std::to_string(::getpid()) + ".txt"; }

void PerCell(benchmark::State& State, int64_t Cells) {
  // Seconds per cell (shown with its SI prefix, n for nanoseconds).
  State.counters["time_per_cell"] = benchmark::Counter(static_cast<double>(Cells),
                                                     benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  State.counters["cells"] = static_cast<double>(Cells);
}

int64_t CellsOf(const benchmark::State& State) { return (State.range(0) + 1) * (State.range(1) + 1); }

// The plain baseline: the same file read and cut into lines and fields, each a string.
void BM_SplitBaseline(benchmark::State& State) {
  const std::string path = TempPath("base");
  std::ofstream(path, std::ios::binary) << MatrixText(State.range(0), State.range(1));
  for (auto _ : State) {
    const String bytes = ReadFileBytes(path);
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find_first_of("\r\n", start);
      if (end == String::npos) end = bytes.size();
      std::vector<std::string>& fields = rows.emplace_back();
      size_t f = start;
      while (f <= end) {
        size_t d = bytes.find(' ', f);
        if (d == String::npos || d > end) d = end;
        fields.emplace_back(bytes, f, d - f);
        f = d + 1;
      }
      start = end + (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n' ? 2 : 1);
    }
    benchmark::DoNotOptimize(rows.data());
  }
  PerCell(State, CellsOf(State));
  std::remove(path.c_str());
}

void BM_LoadFromCSV(benchmark::State& State) {
  const std::string path = TempPath("load");
  std::ofstream(path, std::ios::binary) << MatrixText(State.range(0), State.range(1));
  int64_t peakPerCell = 0;
  for (auto _ : State) {
    State.PauseTiming();
    ::malloc_trim(0);
    std::unique_ptr<TRivErodovOzar> grid(New<TRivErodovOzar>(nullptr));
    grid->FDelimiter = ' ';
    const int64_t before = gLive.load();
    gPeak.store(before);
    State.ResumeTiming();
    grid->LoadFromCSV(path, -1);
    State.PauseTiming();
    peakPerCell = (gPeak.load() - before) / CellsOf(State);
    if (grid->RowCount() != State.range(0) + 1 || grid->ColCount() != State.range(1) + 1) State.SkipWithError("wrong size");
    grid.reset();
    State.ResumeTiming();
  }
  PerCell(State, CellsOf(State));
  State.counters["peak_heap_bytes_per_cell"] = static_cast<double>(peakPerCell);
  std::remove(path.c_str());
}

void BM_SaveToCSV(benchmark::State& State) {
  const std::string in = TempPath("in");
  const std::string out = TempPath("out");
  std::ofstream(in, std::ios::binary) << MatrixText(State.range(0), State.range(1));
  std::unique_ptr<TRivErodovOzar> grid(New<TRivErodovOzar>(nullptr));
  grid->FDelimiter = ' ';
  grid->LoadFromCSV(in, -1);
  for (auto _ : State) grid->SaveToCSV(out);
  PerCell(State, CellsOf(State));
  std::remove(in.c_str());
  std::remove(out.c_str());
}

void Shapes(benchmark::internal::Benchmark* B) {
  for (auto [rows, cols] : {std::pair{700, 300}, std::pair{1400, 300}, std::pair{100, 2200}, std::pair{200, 2200}})
    B->Args({rows, cols});
  B->ArgNames({"rows", "cols"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_SplitBaseline)->Apply(Shapes);
BENCHMARK(BM_LoadFromCSV)->Apply(Shapes);
BENCHMARK(BM_SaveToCSV)->Apply(Shapes);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

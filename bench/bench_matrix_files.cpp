// Reading matrix and weights files: the open command, the batch reader and the weights reader
// on generated files of three shapes, and the workbook open command at the cell limit. Counters: time per byte read and the peak growth of the
// resident memory while reading.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <malloc.h>
#include <unistd.h>

#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "xls/vavUXlsFile.h"

namespace {

enum Shape { kSquare, kOneLongLine, kManyShortLines };

// A matrix file with about Cells data cells: titles in the first line and column.
std::string MatrixText(int64_t Cells, Shape Kind) {
  int64_t rows = 1, cols = 1;
  if (Kind == kSquare) rows = cols = static_cast<int64_t>(std::sqrt(static_cast<double>(Cells)));
  if (Kind == kOneLongLine) cols = Cells;
  if (Kind == kManyShortLines) rows = Cells;
  std::string text;
  for (int64_t r = 0; r <= rows; ++r) {
    text += r == 0 ? "species" : "sp" + std::to_string(r);
    for (int64_t c = 1; c <= cols; ++c) text += r == 0 ? " s" + std::to_string(c) : ((r + c) % 3 == 0 ? " 1" : " 0");
    text += "\r\n";
  }
  return text;
}

std::string TempFile(const std::string& Text) {
  const std::string path = "/tmp/zorvan_bench_" + std::to_string(::getpid()) + ".txt";
  std::ofstream(path, std::ios::binary) << Text;
  return path;
}

long StatusKb(const char* Key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::string key = std::string(Key) + ":";
  while (std::getline(in, line))
    if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size()));
  return 0;
}

// Peak memory from here on: freed memory goes back to the system first, so that a reader
// reusing what an earlier benchmark freed still shows its growth, and the kernel's high-water
// mark restarts at the current size.
long StartPeak() {
  ::malloc_trim(0);
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusKb("VmRSS");
}

void Report(benchmark::State& State, size_t Bytes, long BaseKb) {
  State.counters["ns_per_byte"] =
      benchmark::Counter(static_cast<double>(Bytes) / 1e9, benchmark::Counter::kIsIterationInvariantRate |
                                                               benchmark::Counter::kInvert);
  State.counters["peak_growth_MB"] = static_cast<double>(StatusKb("VmHWM") - BaseKb) / 1024.0;
  State.counters["bytes"] = static_cast<double>(Bytes);
}

void BM_OpenCommand(benchmark::State& State) {
  const std::string text = MatrixText(State.range(0), static_cast<Shape>(State.range(1)));
  const std::string path = TempFile(text);
  Application->Hooks.FileDialog = [&](TCommonDialog* Dialog) {
    static_cast<TOpenDialog*>(Dialog)->FileName = path;
    return true;
  };
  Zorvan->New1->Click();
  const long base = StartPeak();
  for (auto _ : State) Zorvan->Spacedelimitedtext1->Click();
  Report(State, text.size(), base);
  if (Zorvan->MainGrid->RowCount() < 2) State.SkipWithError("file not read");
  std::remove(path.c_str());
}

void BM_BatchReader(benchmark::State& State) {
  const std::string text = MatrixText(State.range(0), static_cast<Shape>(State.range(1)));
  const std::string path = TempFile(text);
  Zorvan->FileName = path;
  const long base = StartPeak();
  for (auto _ : State) Zorvan->OpenBatchFile();
  Report(State, text.size(), base);
  if (!Zorvan->Flag) State.SkipWithError("file not read");
  std::remove(path.c_str());
}

void BM_WeightsReader(benchmark::State& State) {
  const int64_t lines = State.range(0);
  std::string text = "Species Weights\r\n";
  for (int64_t i = 1; i < lines; ++i) text += "species" + std::to_string(i) + " 1.5\r\n";
  const std::string path = TempFile(text);
  // A data grid with as many rows as the file has lines, so the whole file is read.
  Zorvan->MainGrid->SetColCount(2);
  Zorvan->MainGrid->SetRowCount(static_cast<int>(lines));
  const long base = StartPeak();
  for (auto _ : State) CoOccurrenceUserDefined->OpenWeightsFile(CoOccurrenceUserDefined->SpeciesWeightsGrid, path);
  Report(State, text.size(), base);
  if (CoOccurrenceUserDefined->SpeciesWeightsGrid->RowCount() != lines) State.SkipWithError("file not taken");
  std::remove(path.c_str());
}

// The workbook open command on a tiny workbook of one number at (Row, 256): at row 1726 the
// sheet fits the cell limit and is read; further down it is refused before its cells are read,
// which must take well under 0.1 s and 50 MB however far the cell lies.
void BM_OpenWorkbookCommand(benchmark::State& State) {
  const Integer row = static_cast<Integer>(State.range(0));
  const std::string path = "/tmp/zorvan_bench_" + std::to_string(::getpid()) + ".xls";
  std::remove(path.c_str());
  {
    TXLSFile book(nullptr);
    book.Connect();
    book.NewFile(1);
    book.SetCellValue(row, 256, Variant(1.0));
    book.Save(false, path, nullptr, nullptr, nullptr);
  }
  Application->Hooks.FileDialog = [&](TCommonDialog* Dialog) {
    static_cast<TOpenDialog*>(Dialog)->FileName = path;
    return true;
  };
  Application->Hooks.Messages.clear();
  Zorvan->New1->Click();
  const long base = StartPeak();
  for (auto _ : State) Zorvan->Excelxls1->Click();
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  Report(State, static_cast<size_t>(in.tellg()), base);
  const bool refused = !Application->Hooks.Messages.empty();
  if (refused != (row > 1726)) State.SkipWithError("the cell limit was not applied");
  std::remove(path.c_str());
}

void Shapes(benchmark::internal::Benchmark* B) {
  for (int64_t cells : {10000, 100000, 440000})
    for (int shape : {kSquare, kOneLongLine, kManyShortLines}) B->Args({cells, shape});
  B->ArgNames({"cells", "shape"})->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_OpenCommand)->Apply(Shapes);
BENCHMARK(BM_BatchReader)->Apply(Shapes);
BENCHMARK(BM_WeightsReader)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWorkbookCommand)->Arg(1726)->Arg(1727)->Arg(65536)->ArgName("row")->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  CreateAllForms();
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The whole co-occurrence analysis as a person runs it, headless: the data file opened
// through the open command, the options form answered (C-score, Retain, seed 11), the run
// with its progress window and abort checks, and the results window (answered by closing it).
// Three null models (fixed-fixed sequential swap, fixed rows with equiprobable sites,
// equiprobable-equiprobable) on two matrices: 225 species x 50 sites, 40 % filled, and the
// largest the run accepts in species, 1400 x 300, a third filled.
//
// Counters: per_iteration, the wall time of one benchmark round (open, options, run, results)
// divided by the number of simulated matrices in the run; open_ms, the part of a round spent
// opening the file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

namespace {

// A space-delimited matrix file: titles in the first line and column, cells 1 with
// probability Fill (a fixed generator, so every run reads the same data).
std::string MatrixFile(int Species, int Sites, double Fill) {
  std::string text = "species";
  for (int c = 1; c <= Sites; ++c) text += " s" + std::to_string(c);
  text += "\r\n";
  uint64_t s = 12345;
  for (int r = 1; r <= Species; ++r) {
    text += "sp" + std::to_string(r);
    for (int c = 1; c <= Sites; ++c) {
      s = s * 6364136223846793005ull + 1442695040888963407ull;
      text += static_cast<double>(s >> 11) / 9007199254740992.0 < Fill ? " 1" : " 0";
    }
    text += "\r\n";
  }
  const std::string path = "/tmp/zorvan_bench_cooc_" + std::to_string(::getpid()) + "_" +
                           std::to_string(Species) + "x" + std::to_string(Sites) + ".txt";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

struct Model {
  int rows;     // RowGroup item: 0 Equiprobable, 1 Fixed Sum
  int columns;  // ColumnGroup item
};
constexpr Model kSequentialSwap{1, 1};
constexpr Model kFixedRowsEquiprobableSites{1, 0};
constexpr Model kEquiprobable{0, 0};

void BM_CoOccurrenceAnalysis(benchmark::State& State, Model M) {
  const int species = static_cast<int>(State.range(0));
  const int sites = static_cast<int>(State.range(1));
  const int iterations = static_cast<int>(State.range(2));
  const std::string path = MatrixFile(species, sites, species == 225 ? 0.4 : 1.0 / 3.0);
  int results = 0;
  Application->Hooks.FileDialog = [&](TCommonDialog* Dialog) {
    static_cast<TOpenDialog*>(Dialog)->FileName = path;
    return true;
  };
  Application->Hooks.ModalForm = [&](TCustomForm* Form) {
    if (Form == CoOccurrenceOpts) {
      CoOccurrenceOpts->IndexList->SetItemIndex(0);
      CoOccurrenceOpts->RowGroup->SetItemIndex(M.rows);
      CoOccurrenceOpts->ColumnGroup->SetItemIndex(M.columns);
      CoOccurrenceOpts->FixedFixedGroup->SetItemIndex(0);
      CoOccurrenceOpts->DegenerateGroup->SetItemIndex(0);
      CoOccurrenceOpts->IterationsEdit->SetText(IntToStr(iterations));
      CoOccurrenceOpts->RandomSeedEdit->SetText("11");
      CoOccurrenceOpts->Run1->Click();
    } else if (Form == CoOccurrence) {
      ++results;
      CoOccurrence->Close1->Click();
    }
  };
  std::chrono::steady_clock::duration opening{};
  for (auto _ : State) {
    const auto start = std::chrono::steady_clock::now();
    Zorvan->Spacedelimitedtext1->Click();
    opening += std::chrono::steady_clock::now() - start;
    Zorvan->CoOccurrence1->Click();
  }
  if (results != static_cast<int>(State.iterations())) State.SkipWithError("the run did not complete");
  if (Zorvan->MainGrid->RowCount() != species + 1) State.SkipWithError("file not read");
  State.counters["per_iteration"] =
      benchmark::Counter(iterations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  State.counters["open_ms"] = benchmark::Counter(std::chrono::duration<double, std::milli>(opening).count(),
                                                 benchmark::Counter::kAvgIterations);
  std::remove(path.c_str());
}

// species, sites, simulated matrices per run
void Sizes(benchmark::internal::Benchmark* B) {
  B->Args({225, 50, 5000})->Args({1400, 300, 200});
  B->ArgNames({"species", "sites", "iterations"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

BENCHMARK_CAPTURE(BM_CoOccurrenceAnalysis, SequentialSwap, kSequentialSwap)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_CoOccurrenceAnalysis, FixedRowsEquiprobableSites, kFixedRowsEquiprobableSites)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_CoOccurrenceAnalysis, Equiprobable, kEquiprobable)->Apply(Sizes);

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

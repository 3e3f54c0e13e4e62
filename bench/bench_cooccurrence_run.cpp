// A whole co-occurrence run as a person starts it, headless: the menu command, the options
// form answered (fixed row and column sums with the sequential swap, C-score, 5000
// iterations), the run with its progress window and abort checks, and the results window
// (answered by closing it). The data: 50 species x 50 sites, a third of the cells occupied.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"

namespace {

void FillData(int species, int sites, double fill) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(species + 1);
  g->SetColCount(sites + 1);
  uint64_t s = 12345;
  for (int r = 1; r <= species; ++r) {
    g->SetCells(0, r, String("sp").append(IntToStr(r)));
    for (int c = 1; c <= sites; ++c) {
      s = s * 6364136223846793005ull + 1442695040888963407ull;
      g->SetCells(c, r, static_cast<double>(s >> 11) / 9007199254740992.0 < fill ? "1" : "0");
    }
  }
  for (int c = 1; c <= sites; ++c) g->SetCells(c, 0, String("s").append(IntToStr(c)));
}

}  // namespace

static void BM_CoOccurrenceRun_CScore_SequentialSwap_50x50(benchmark::State& state) {
  CreateAllForms();
  FillData(50, 50, 1.0 / 3.0);
  int results = 0;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    if (form == CoOccurrenceOpts) {
      CoOccurrenceOpts->IndexList->SetItemIndex(0);
      CoOccurrenceOpts->RowGroup->SetItemIndex(1);
      CoOccurrenceOpts->ColumnGroup->SetItemIndex(1);
      CoOccurrenceOpts->FixedFixedGroup->SetItemIndex(0);
      CoOccurrenceOpts->DegenerateGroup->SetItemIndex(0);
      CoOccurrenceOpts->IterationsEdit->SetText("5000");
      CoOccurrenceOpts->RandomSeedEdit->SetText("11");
      CoOccurrenceOpts->Run1->Click();
    } else if (form == CoOccurrence) {
      ++results;
      CoOccurrence->Close1->Click();
    }
  };
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  for (auto _ : state) Zorvan->CoOccurrence1->Click();
  if (results != static_cast<int>(state.iterations())) state.SkipWithError("the run did not complete");
  Application->ResetHooks();
  while (!Application->Forms().empty()) delete Application->Forms().back();
}
BENCHMARK(BM_CoOccurrenceRun_CScore_SequentialSwap_50x50)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

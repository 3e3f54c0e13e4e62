// Guild structure and species overlap: the group body alone (one iteration's shuffle and group
// indices) and whole runs as a person starts them, headless (menu command, options answered,
// 5000 iterations, results window closed). The data: 200 species x 50 sites, a third of the
// cells occupied, the species in 5 groups of 40.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "analysis/presence_absence/GroupSims.h"
#include "analysis/presence_absence/GuildStructureMain.h"
#include "analysis/presence_absence/GuildStructureOptions.h"
#include "analysis/presence_absence/SpeciesOverlapMain.h"
#include "analysis/presence_absence/SpeciesOverlapOptions.h"
#include "app/ZorvanMain.h"
#include "app/ZorvanProgram.h"
#include "classlib/Forms.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kSpecies = 200;
constexpr int kSites = 50;
constexpr int kGroups = 5;

bool Occupied(uint64_t& s) {
  s = s * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<double>(s >> 11) / 9007199254740992.0 < 1.0 / 3.0;
}

std::string GroupOf(int species) { return "g" + std::to_string((species - 1) % kGroups + 1); }

void FillGrid() {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(kSpecies + 1);
  g->SetColCount(kSites + 2);
  g->SetCells(1, 0, "guild");
  for (int c = 2; c <= kSites + 1; ++c) g->SetCells(c, 0, String("s").append(IntToStr(c - 1)));
  uint64_t s = 12345;
  for (int r = 1; r <= kSpecies; ++r) {
    g->SetCells(0, r, String("sp").append(IntToStr(r)));
    g->SetCells(1, r, GroupOf(r));
    for (int c = 2; c <= kSites + 1; ++c) g->SetCells(c, r, Occupied(s) ? "1" : "0");
  }
}

void BeginKernel(GroupSims& sims) {
  Matrix m(kSites + 1, kSpecies + 1);
  std::vector<std::string> labels;
  uint64_t s = 12345;
  for (int r = 1; r <= kSpecies; ++r) {
    labels.push_back(GroupOf(r));
    for (int c = 1; c <= kSites; ++c) m[c][r] = Occupied(s) ? 1 : 0;
  }
  sims.Begin(GroupAxis::Species, m, labels);
}

}  // namespace

// One guild-structure iteration: label shuffle, favored states, the C-score of every guild.
static void BM_GroupSims_GuildIteration_CScore(benchmark::State& state) {
  GroupSims sims;
  BeginKernel(sims);
  std::vector<double> out(kGroups);
  RandSeed = 11;
  for (auto _ : state) {
    sims.ShuffleLabels();
    benchmark::DoNotOptimize(sims.FavoredStates());
    sims.GroupIndices(GroupIndexKind::CScore, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_GroupSims_GuildIteration_CScore);

// One species-overlap iteration: equiprobable cell shuffle, relative overlap of every group.
static void BM_GroupSims_OverlapIteration_Equiprobable(benchmark::State& state) {
  GroupSims sims;
  BeginKernel(sims);
  std::vector<double> out(kGroups);
  RandSeed = 11;
  for (auto _ : state) {
    sims.Shuffle(GroupShuffle::Both);
    sims.GroupIndices(GroupIndexKind::RelativeOverlap, out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_GroupSims_OverlapIteration_Equiprobable);

// The whole run through the program: 5000 iterations.
template <typename Answer>
void WholeRun(benchmark::State& state, TMenuItem* (*Item)(), TForm* (*Results)(), Answer answer) {
  CreateAllForms();
  FillGrid();
  int results = 0;
  Application->Hooks.ModalForm = [&](TCustomForm* form) {
    if (form == Results()) {
      ++results;
      form->Close();
    } else {
      answer(form);
    }
  };
  Application->Hooks.MessageBox = [](const String&, const String&, UINT) { return IDOK; };
  for (auto _ : state) Item()->Click();
  if (results != static_cast<int>(state.iterations())) state.SkipWithError("the run did not complete");
  Application->ResetHooks();
  while (!Application->Forms().empty()) delete Application->Forms().back();
}

void AnswerGeneral(TGroupOptions* o) {
  o->IndexList->SetItemIndex(0);
  o->IterationsEdit->SetText("5000");
  o->RandomSeedEdit->SetText("11");
  o->Run1->Click();
}

static void BM_GuildStructureRun_CScore_FavoredStates_200x50(benchmark::State& state) {
  WholeRun(
      state, [] { return Zorvan->GuildStructure1; }, []() -> TForm* { return GuildStructure; },
      [](TCustomForm*) {
        GuildStructureOpts->Grouping->SetItemIndex(0);
        GuildStructureOpts->FavoredStatesCheckBox->SetChecked(true);
        AnswerGeneral(GuildStructureOpts);
      });
}
BENCHMARK(BM_GuildStructureRun_CScore_FavoredStates_200x50)->Unit(benchmark::kMillisecond);

static void BM_SpeciesOverlapRun_RelativeOverlap_Equiprobable_200x50(benchmark::State& state) {
  WholeRun(
      state, [] { return Zorvan->SpeciesOverlap1; }, []() -> TForm* { return SpeciesOverlap; },
      [](TCustomForm*) {
        SpeciesOverlapOpts->RandomizationGroup->SetItemIndex(0);
        AnswerGeneral(SpeciesOverlapOpts);
      });
}
BENCHMARK(BM_SpeciesOverlapRun_RelativeOverlap_Equiprobable_200x50)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

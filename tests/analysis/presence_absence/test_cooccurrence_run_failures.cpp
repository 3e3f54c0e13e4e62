// How a co-occurrence run stops: every refused datum or option with its message, failures of
// the null model, and the user's abort. A stopped run sets InterruptFlag and leaves no results
// and no batch row.
#include "analysis/presence_absence/CoocRunSupport.h"

using namespace cooc_test;

namespace {

using Lines = std::vector<String>;
using CoOccurrenceRunStops = CoocRunTest;

// A grid of the given size whose data cells are all 1 (the titles stay empty).
void FilledGrid(int species, int sites) {
  TRivErodovOzar* g = Zorvan->MainGrid;
  g->SetRowCount(species + 1);
  g->SetColCount(sites + 1);
  for (int r = 1; r <= species; ++r)
    for (int c = 1; c <= sites; ++c) g->SetCells(c, r, "1");
}

struct StopCase {
  const char* name;
  std::function<void(Answer&)> setUp;
  Lines messages;
};

TEST_F(CoOccurrenceRunStops, EveryRefusalShowsItsMessageAndSetsTheInterruptFlag) {
  const StopCase cases[] = {
      {"sites weights of the wrong size, then species weights of the wrong size",
       [](Answer& a) {
         a.rows = 3;
         a.columns = 3;
         a.beforeRun = [] {
           CoOccurrenceUserDefined->SitesWeightsGrid->SetRowCount(3);
           CoOccurrenceUserDefined->SpeciesWeightsGrid->SetRowCount(7);
         };
       },
       {kSitesWeightsCountError, kSpeciesWeightsCountError}},
      {"a species weight of 0",
       [](Answer& a) {
         a.rows = 3;
         a.beforeRun = [] { CoOccurrenceUserDefined->SpeciesWeightsGrid->SetCells(1, 2, "0"); };
       },
       {"Weights must be > 0 \nerror row: 2"}},
      {"a site weight that is not a number",
       [](Answer& a) {
         a.columns = 3;
         a.beforeRun = [] { CoOccurrenceUserDefined->SitesWeightsGrid->SetCells(1, 4, "heavy"); };
       },
       {"Weights must be > 0 \nerror row: 4"}},
      {"3 cells", [](Answer&) { FilledGrid(1, 3); }, {"4 < Cell limit < 440,001, e.g. 200x2200."}},
      {"440,001 cells or more", [](Answer&) { FilledGrid(1000, 441); },
       {"4 < Cell limit < 440,001, e.g. 200x2200."}},
      {"1,401 species", [](Answer&) { FilledGrid(1401, 2); }, {"Row limit = 1400 for this analysis. "}},
      {"one species", [](Answer&) { FilledGrid(1, 4); }, {"At least 2 rows of data required for co-occurrence."}},
      {"no iterations", [](Answer& a) { a.iterations = String("0"); }, {"Iterations must be > 0."}},
      {"iterations that are not a number", [](Answer& a) { a.iterations = String("many"); }, {"Iterations must be > 0."}},
      {"100,001 iterations", [](Answer& a) { a.iterations = String("100001"); }, {"Iterations must be <= 100,000."}},
      {"no occurrence at all", [](Answer&) { SetData(Titled({"000", "000"})); }, {"Row and Column Totals = 0."}},
      // Fixed sums keep the empty species empty, so no matrix is ever acceptable.
      {"3000 degenerate matrices in a row",
       [](Answer& a) {
         SetData(Titled({"1100", "0000", "1011"}));
         a.rows = 1;
         a.columns = 0;
         a.degenerate = 1;
       },
       {kDiscardedMatrices}},
  };
  for (const StopCase& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(FixtureGrid());
    // Weights last between runs: every case starts from the editor's defaults.
    CoOccurrenceUserDefined->SetDefaults();
    CoOccurrenceUserDefined->SetColumns();
    answer = Answer{};
    k.setUp(answer);
    Application->Hooks.Messages.clear();
    Zorvan->CoOccurrence1->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

// The smallest data and the largest iteration count pass the checks (the run is stopped at
// its first iteration).
TEST_F(CoOccurrenceRunStops, LimitsThemselvesAreAccepted) {
  SetData(Titled({"10", "01"}));
  answer.iterations = String("100000");
  int calls = 0;
  Application->Hooks.ProcessMessages = [&] {
    if (++calls == 1) {
      EXPECT_TRUE(Progress->Visible());
      EXPECT_EQ(Progress->IterationsLabel->Caption(), "100000");
      Progress->InterruptButton->Click();
    }
  };
  Zorvan->CoOccurrence1->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_GT(calls, 0);
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
}

// An abort during the burn-in of the swap chain, in a later iteration or in the first step of
// the run leaves the results of the run before untouched and adds no batch row.
TEST_F(CoOccurrenceRunStops, AbortLeavesThePreviousResults) {
  SetData(FixtureGrid());
  answer.iterations = String("200");
  Zorvan->CoOccurrence1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = Summary();
  const Lines pairs = CoOccurrence->ResponseGrid->RowTexts(1);
  const Lines simulated = CoOccurrence->SimulationGrid->RowTexts(2);
  const Lines index = MemoLines(CoOccurrence->MeanMemo);

  // Different data, so that a run that went on would change every tab.
  SetData(Titled({"110011", "011000", "100110", "000011", "101001"}));
  struct AbortPoint {
    const char* name;
    std::function<bool(int call)> now;
  };
  const TProgressBar* bar = Progress->ProgressBar1;
  const AbortPoint points[] = {
      {"while the progress window comes up", [](int call) { return call == 1; }},
      {"during the burn-in", [bar](int) { return bar->Max() == 30000 && bar->Position() == 5000; }},
      {"after 50 iterations", [bar](int) { return bar->Max() == 200 && bar->Position() == 50; }},
  };
  for (const AbortPoint& point : points) {
    SCOPED_TRACE(point.name);
    int calls = 0;
    bool aborted = false;
    Application->Hooks.ProcessMessages = [&] {
      if (!aborted && point.now(++calls)) {
        aborted = true;
        Progress->InterruptButton->Click();
      }
    };
    Zorvan->CoOccurrence1->Click();
    EXPECT_TRUE(aborted);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_EQ(Summary(), summary);
    EXPECT_EQ(CoOccurrence->ResponseGrid->RowTexts(1), pairs);
    EXPECT_EQ(CoOccurrence->SimulationGrid->RowTexts(2), simulated);
    EXPECT_EQ(MemoLines(CoOccurrence->MeanMemo), index);
  }
  Application->Hooks.ProcessMessages = nullptr;
}

}  // namespace

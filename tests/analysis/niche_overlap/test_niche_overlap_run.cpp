// The niche-overlap analysis run through the program: the summary line by line against a
// reference run for every algorithm and index, the pages, weights, every refusal with its
// messages, the abort, and the case where every simulated matrix equals the observed one.
#include "analysis/niche_overlap/NicheRunSupport.h"

using namespace niche_test;

namespace {

using NicheRun = NicheRunTest;

const GridRows& Fixture() {
  static const GridRows g = Titled({{"4", "2", "2", "0", "x"},
                                    {"1", "1", "1", "1", "0.5"},
                                    {"0", "0", "3", "1", "2"},
                                    {"0.1", "x", "5", "0", "0.25"}});
  return g;
}

// Every combination of niche breadth and zero states, with either index: the whole summary.
TEST_F(NicheRun, SummaryOfEveryAlgorithmLineByLine) {
  SetData(Fixture());
  for (int algorithm = 1; algorithm <= 4; ++algorithm)
    for (bool czekanowski : {false, true}) {
      SCOPED_TRACE(algorithm * 10 + czekanowski);
      answer.breadth = algorithm <= 2 ? 1 : 0;
      answer.zeros = algorithm % 2 == 0 ? 1 : 0;
      answer.index = czekanowski ? 1 : 0;
      Zorvan->NicheOverlap1->Click();
      ASSERT_FALSE(Zorvan->InterruptFlag);
      Options o;
      o.algorithm = algorithm;
      o.czekanowski = czekanowski;
      const Series ref = Reference(Fixture(), o, 7, 30);
      ExpectLines(Summary(), ExpectedSummary(Zorvan->FileName, Fixture(), o, 7, 30, ref,
                                             "Resource State = Equiprobable"));
      EXPECT_EQ(NicheOverlap->Algorithm, algorithm);
      // The last randomised matrix, general format, with the titles.
      const Table& last = ref.simulated.back();
      for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 5; ++c)
          EXPECT_EQ(NicheOverlap->SimulationGrid->Cells(c, r), FloatToStr(last[r - 1][c - 1])) << r << "," << c;
    }
  EXPECT_EQ(resultsShown, 8);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 2);
}

// The pages after a run: the triangle, the pair list, the two series pages, times, batch row.
TEST_F(NicheRun, PagesShowTheRun) {
  const GridRows abc = Titled({{"4", "2", "2", "0"}, {"1", "1", "1", "1"}, {"0", "0", "3", "1"}});
  SetData(abc);
  Zorvan->NicheOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  TNicheOverlap* f = NicheOverlap;
  EXPECT_EQ(f->Caption(), "Zorvan Professional: Niche Overlap Results");
  const char* tabs[] = {"Input Matrix", "Simulation", "Pairwise", "Pairwise Column", "Mean", "Variance", "Summary",
                        "Time"};
  ASSERT_EQ(f->PageControl1->PageCount(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(f->PageControl1->Pages(i)->Caption(), tabs[i]);
  EXPECT_EQ(f->PageControl1->ActivePage(), f->InputSheet);
  EXPECT_EQ(f->ResponseGrid->RowCount(), 3);
  EXPECT_EQ(f->ResponseGrid->ColCount(), 4);
  EXPECT_EQ(f->ResponseGrid->RowTexts(0), (Lines{"species", "sp1", "sp2", "sp3"}));
  EXPECT_EQ(f->ResponseGrid->RowTexts(1), (Lines{"sp1", "", "0.8164966", "0.3872983"}));
  EXPECT_EQ(f->ResponseGrid->RowTexts(2), (Lines{"sp2", "", "", "0.6324555"}));
  EXPECT_EQ(f->RivErodovOzar1->RowCount(), 3);
  EXPECT_EQ(f->RivErodovOzar1->FixedRows(), 0);
  EXPECT_EQ(f->RivErodovOzar1->RowTexts(1), (Lines{"sp1", "sp3", "0.3872983"}));
  EXPECT_EQ(f->InputGrid->RowTexts(3), abc[3]);

  const Series ref = Reference(abc, Options{}, 7, 30);
  const Lines summary = Summary();
  // Rules, histogram blocks and the input matrix stand on their fixed lines (1-based 10, 24,
  // 25..37, 38, 53, 54..66, 67, 69, 71..).
  const String rule(46, '_');
  EXPECT_EQ(summary[9], rule);
  EXPECT_EQ(summary[23], "Histogram          # Simulations");
  EXPECT_EQ(summary[24], "  ");
  EXPECT_EQ(summary[37], rule);
  EXPECT_EQ(summary[51], "Simulation frequencies:");
  EXPECT_EQ(summary[53], "  ");
  EXPECT_EQ(summary[66], rule);
  EXPECT_EQ(summary[68], "INPUT MATRIX:");
  EXPECT_EQ(summary[70], "species s1 s2 s3 s4 ");
  EXPECT_EQ(summary.size(), 74u);
  const Lines mean = MemoLines(f->MeanMemo);
  EXPECT_EQ(mean, (Lines{"Observed index = " + StatText(ref.mean), "", summary[12], summary[13], "", summary[19],
                         summary[20]}));
  const Lines variance = MemoLines(f->VarianceMemo);
  EXPECT_EQ(variance, (Lines{"Observed variance = " + StatText(ref.variance), "", summary[41], summary[42], "",
                             summary[48], summary[49]}));
  // The observed mean stands on the line of its bin.
  String marker;
  std::vector<double> means = ref.means;
  std::sort(means.begin(), means.end());
  BuildHistogram_LastIndex(29, means, ref.mean, marker);
  EXPECT_EQ(f->ObservedMeanMemo->Lines()->Text(), marker + StatText(ref.mean) + "............>\r\n");
  EXPECT_EQ(MemoLines(f->MeanHistogramMemo2).size(), 13u);
  EXPECT_EQ(MemoLines(f->MeanHistogramMemo)[1].substr(0, summary[25].find("  ")), summary[25].substr(0, summary[25].find("  ")));
  EXPECT_EQ(f->TimeMemo->Lines()->Strings(0).rfind("Stop time = ", 0), 0u);
  EXPECT_EQ(f->TimeMemo->Lines()->Strings(1).rfind("Start time = ", 0), 0u);
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1),
            (Lines{ExtractFileName(Zorvan->FileName), summary[18].substr(27), summary[19].substr(26),
                   summary[20].substr(26)}));
}

// Retained niche breadth and zero states on rows whose nonzero cells are equal: every
// simulated matrix is the observed one, so every comparison is "equal".
TEST_F(NicheRun, SimulatedMatricesEqualToTheObservedCountAsEqual) {
  SetData(Titled({{"1", "1", "1", "0"}, {"0", "1", "1", "1"}}));
  answer.zeros = 1;
  answer.iterations = "100";
  for (int index : {0, 1}) {
    answer.index = index;
    Zorvan->NicheOverlap1->Click();
    const Lines s = Summary();
    EXPECT_EQ(s[5], "Randomization Algorithm 4");
    EXPECT_EQ(s[16], "Number of times Observed index = simulated indices = 100");
    EXPECT_EQ(s[19], "p(observed <= expected) = 1.00000");
    EXPECT_EQ(s[20], "p(observed >= expected) = 1.00000");
    EXPECT_EQ(s[18], "Standardized Effect Size = 0.00000");
    EXPECT_EQ(s[45], "Number of times Observed variance = simulated variances = 100");
    EXPECT_EQ(s[48], "p(observed <= expected) = 1.00000");
    EXPECT_EQ(s[49], "p(observed >= expected) = 1.00000");
  }
}

// Two species: one pair, variance 0 in every iteration; one iteration: no spread, SES 0.
TEST_F(NicheRun, TwoSpeciesAndOneIteration) {
  SetData(Titled({{"3", "1", "0"}, {"1", "1", "2"}}));
  answer.iterations = "1";
  Zorvan->NicheOverlap1->Click();
  const Lines s = Summary();
  EXPECT_EQ(s[2], "Iterations = 1");
  EXPECT_EQ(s[13], "Variance of simulated indices = 0.00000");
  EXPECT_EQ(s[18], "Standardized Effect Size = 0.00000");
  EXPECT_EQ(s[39], "Observed variance = 0.00000");
  EXPECT_EQ(s[45], "Number of times Observed variance = simulated variances = 1");
  EXPECT_EQ(s[48], "p(observed <= expected) = 1.00000");
}

// A seed of 0 takes one from the clock, prints it, and that seed typed back repeats the run.
TEST_F(NicheRun, PrintedSeedRepeatsTheRun) {
  SetData(Fixture());
  answer.seed = "0";
  Zorvan->NicheOverlap1->Click();
  const Lines first = Summary();
  const String seed = first[3].substr(String("Random seed = ").size());
  ASSERT_GE(LeadingInt(seed), 1);
  answer.seed = seed;
  Zorvan->NicheOverlap1->Click();
  EXPECT_EQ(Summary(), first);
}

// User-defined resource states divide each state's values by its weight before the
// proportions; algorithms 3 and 4 move the divided values.
TEST_F(NicheRun, WeightsDivideTheObservedValues) {
  SetData(Fixture());
  answer.resources = 1;
  answer.editWeights = [] {
    TStringGrid* w = NicheOverlapUserDefined->SitesWeightsGrid;
    ASSERT_EQ(w->RowCount(), 6);
    w->SetCells(1, 1, "2.0");
    w->SetCells(1, 3, "0.5");
  };
  Zorvan->NicheOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(editorShown, 1);
  EXPECT_TRUE(NicheOverlapOpts->DefineButtonCols->Visible());
  Options o;
  o.weights = {2, 1, 0.5, 1, 1};
  const Series ref = Reference(Fixture(), o, 7, 30);
  ExpectLines(Summary(), ExpectedSummary(Zorvan->FileName, Fixture(), o, 7, 30, ref, "Resource State = User-defined"));
  // The editor keeps the weights for the next run of the same file.
  answer.editWeights = nullptr;
  NicheOverlapOpts->ResourceStatesGroup->SetItemIndex(0);
  Zorvan->NicheOverlap1->Click();
  EXPECT_EQ(editorShown, 2);
  EXPECT_EQ(NicheOverlapUserDefined->SitesWeightsGrid->Cells(1, 1), "2.0");
  ExpectLines(Summary(), ExpectedSummary(Zorvan->FileName, Fixture(), o, 7, 30, ref, "Resource State = User-defined"));
}

struct StopCase {
  const char* name;
  GridRows data;
  std::function<void(Answer&)> setUp;
  Lines messages;
};

TEST_F(NicheRun, EveryRefusalShowsItsMessageThenInitializationFailed) {
  const GridRows ok = Titled({{"1", "2"}, {"3", "0"}});
  auto weight = [](int row, const char* value) {
    return [row, value](Answer& a) {
      a.resources = 1;
      a.editWeights = [row, value] { NicheOverlapUserDefined->SitesWeightsGrid->SetCells(1, row, value); };
    };
  };
  const StopCase cases[] = {
      {"one species", Titled({{"1", "2"}}), [](Answer&) {},
       {"Must have at least 2 rows of data for niche overlap.", "Initialization failed."}},
      {"no iterations", ok, [](Answer& a) { a.iterations = "0"; },
       {"Iterations must be between 1 and 1,000,000.", "Initialization failed."}},
      {"a row without use", Titled({{"1", "2"}, {"0", "0"}}), [](Answer&) {},
       {"Non Zero Row = 2 ; aborting simulation.", "Initialization failed."}},
      {"a row of x cells", Titled({{"x", "x"}, {"1", "0"}}), [](Answer&) {},
       {"Non Zero Row = 1 ; aborting simulation.", "Initialization failed."}},
      {"a negative total", Titled({{"1", "2"}, {"-3", "1"}}), [](Answer&) {},
       {"Non Zero Row = 2 ; aborting simulation.", "Initialization failed."}},
      // 3 / 1 - 1 / 0.1 < 0: the total turns after the division.
      {"a total turned by the weights", Titled({{"1", "2"}, {"3", "-1"}}), weight(2, "0.1"),
       {"Non Zero Row = 2 ; aborting simulation.", "Initialization failed."}},
      // The matrix gained a state after the weights were edited for the same file.
      {"a weight missing", ok,
       [](Answer& a) {
         a.resources = 1;
         a.editWeights = [] { SetData(Titled({{"1", "2", "3"}, {"3", "0", "1"}})); };
       },
       {"Weights row count must = MainGrid col count.", "Initialization failed."}},
      {"a zero weight", ok, weight(2, "0"),
       {"Weights must be > 0 \r\nerror row: 2", "Weights must be > 0 \r\nerror row: 2", "Initialization failed."}},
      {"a weight that is no number", ok, weight(1, "abc"),
       {"Weights must be > 0 \r\nerror row: 1", "Weights must be > 0 \r\nerror row: 1", "Initialization failed."}},
  };
  for (const StopCase& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    answer = Answer{};
    NicheOverlapOpts->ResourceStatesGroup->SetItemIndex(0);
    NicheOverlapUserDefined->FirstTime = true;
    k.setUp(answer);
    Application->Hooks.Messages.clear();
    Zorvan->NicheOverlap1->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

// The run takes its options once: a choice changed while it runs (here from the progress
// window's message step) changes nothing of it.
TEST_F(NicheRun, OptionsChangedDuringTheRunDoNotReachIt) {
  SetData(Fixture());
  int calls = 0;
  Application->Hooks.ProcessMessages = [&] {
    if (++calls == 5) {
      NicheOverlapOpts->NicheBreadthGroup->SetItemIndex(1);
      NicheOverlapOpts->IndexGroup->SetItemIndex(1);
      NicheOverlapOpts->SaveMatrixCheckBox->SetChecked(true);
    }
  };
  Zorvan->NicheOverlap1->Click();
  Application->Hooks.ProcessMessages = nullptr;
  ASSERT_EQ(resultsShown, 1);
  ASSERT_GT(calls, 5);
  const Series ref = Reference(Fixture(), Options{}, 7, 30);
  ExpectLines(Summary(),
              ExpectedSummary(Zorvan->FileName, Fixture(), Options{}, 7, 30, ref, "Resource State = Equiprobable"));
  EXPECT_FALSE(FileExists("Sim30.txt"));
}

TEST_F(NicheRun, IterationsBeyondOneMillionAreRefused) {
  SetData(Titled({{"1", "2"}, {"3", "0"}}));
  Zorvan->Iterations = 1000001;
  NicheOverlap->Run();
  EXPECT_EQ(Application->Hooks.Messages,
            (Lines{"Iterations must be between 1 and 1,000,000.", "Initialization failed."}));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
}

// An abort leaves the results of the run before it and adds no batch row.
TEST_F(NicheRun, AbortLeavesThePreviousResults) {
  SetData(Fixture());
  Zorvan->NicheOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = Summary();
  const Lines pairs = NicheOverlap->ResponseGrid->RowTexts(1);
  const Lines simulated = NicheOverlap->SimulationGrid->RowTexts(1);
  SetData(Titled({{"1", "2", "0"}, {"0", "1", "1"}, {"5", "5", "5"}}));
  answer.iterations = "100";
  for (int at : {1, 2, 60}) {
    SCOPED_TRACE(at);
    int calls = 0;
    Application->Hooks.ProcessMessages = [&] {
      if (++calls == at) Progress->InterruptButton->Click();
    };
    Zorvan->NicheOverlap1->Click();
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_EQ(Summary(), summary);
    EXPECT_EQ(NicheOverlap->ResponseGrid->RowTexts(1), pairs);
    EXPECT_EQ(NicheOverlap->SimulationGrid->RowTexts(1), simulated);
  }
  Application->Hooks.ProcessMessages = nullptr;
  EXPECT_TRUE(Application->Hooks.Messages.empty());
}

TEST_F(NicheRun, OptionsFormRulesAndDefaults) {
  TNicheOverlapOpts* o = NicheOverlapOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Niche Overlap Options");
  EXPECT_EQ(o->NicheBreadthGroup->Caption(), "&Niche Breadth");
  EXPECT_EQ(o->ZeroStatesGroup->Items()->Strings(1), "Retained");
  EXPECT_EQ(o->IndexGroup->Caption(), "Niche overlap &Index");
  EXPECT_EQ(o->ResourceStatesGroup->Items()->Strings(1), "User-defined");
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->IterationsEdit->Hint, "Iterations must be >0 and < 1,000,000");
  EXPECT_EQ(o->IterationsLabel->Caption(), "Number of Iterations:");
  EXPECT_FALSE(o->DefineButtonCols->Visible());
  // Cancel: no run; the form showed the data file's name.
  answer.cancel = true;
  Zorvan->NicheOverlap1->Click();
  EXPECT_EQ(optionsShown, 1);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->RunSim);
  EXPECT_EQ(o->FileEdit->Text(), Zorvan->FileName);
  // "User-defined" opens the editor at once and shows "&Edit", which opens it again.
  o->ResourceStatesGroup->SetItemIndex(1);
  EXPECT_EQ(editorShown, 1);
  EXPECT_TRUE(o->DefineButtonCols->Visible());
  o->DefineButtonCols->Click();
  EXPECT_EQ(editorShown, 2);
  o->ResourceStatesGroup->SetItemIndex(0);
  EXPECT_FALSE(o->DefineButtonCols->Visible());
  // Reset Defaults brings back every design value and hides "&Edit".
  o->ResourceStatesGroup->SetItemIndex(1);
  o->RandomSeedEdit->SetText("9");
  o->SaveMatrixCheckBox->SetChecked(true);
  o->IterationsEdit->SetText("77");
  o->NicheBreadthGroup->SetItemIndex(1);
  o->ZeroStatesGroup->SetItemIndex(1);
  o->IndexGroup->SetItemIndex(1);
  o->ResetDefaults1->Click();
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  EXPECT_FALSE(o->SaveMatrixCheckBox->Checked());
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->NicheBreadthGroup->ItemIndex(), 0);
  EXPECT_EQ(o->ZeroStatesGroup->ItemIndex(), 0);
  EXPECT_EQ(o->IndexGroup->ItemIndex(), 0);
  EXPECT_EQ(o->ResourceStatesGroup->ItemIndex(), 0);
  EXPECT_FALSE(o->DefineButtonCols->Visible());
}

}  // namespace

// The co-occurrence and range-overlap run as a person starts it from the "&Analyze" menu:
// options answered, results window read. Values that depend on chance are checked against
// the indices recomputed from their definitions on the engine's matrices at the same seed.
#include "analysis/presence_absence/CoocRunSupport.h"

using namespace cooc_test;

namespace {

using Lines = std::vector<String>;

struct RunCase {
  const char* name;
  int analysis;  // 0 co-occurrence, 1 range overlap
  int index, rows, columns, fixedFixed, degenerate, pattern;
  const char* rowLine;
  const char* columnLine;
  const char* indexLine;
  const char* policyLine;
  const char* patternLine;
};

// Every pair of constraints, every index of both analyses and every degenerate policy.
const RunCase kRunCases[] = {
    {"EqEq", 0, 0, 0, 0, 0, 0, 0, "Row sums equiprobable.", "Column sums equiprobable.", "Index = C-score",
     "Degenerate matrix check = Retain", "Pattern = Include"},
    {"EqFixed", 0, 1, 0, 1, 0, 1, 0, "Row sums equiprobable.", "Column sums fixed.",
     "Index = Number of pairs of checkerboard species", "Degenerate matrix check = Discard", "Pattern = Include"},
    {"EqProp", 0, 2, 0, 2, 0, 2, 1, "Row sums equiprobable.", "Column sums proportional",
     "Index = Number of combinations", "Degenerate matrix check = Split", "Pattern = Exclude"},
    {"EqUser", 0, 3, 0, 3, 0, 3, 0, "Row sums equiprobable.", "Column sums user-defined.",
     "Index = Variance ratio", "Degenerate matrix check = Fix", "Pattern = Include"},
    {"FixedEq", 1, 0, 1, 0, 0, 0, 1, "Row sums fixed.", "Column sums equiprobable.", "Index = Relative Overlap",
     "Degenerate matrix check = Retain", "Pattern = Exclude"},
    {"FixedFixedSequential", 1, 1, 1, 1, 0, 1, 0, "Row sums fixed. (Sequential Swap algorithm)",
     "Column sums fixed.", "Index = Union", "Degenerate matrix check = Discard", "Pattern = Include"},
    {"FixedProp", 1, 2, 1, 2, 0, 2, 1, "Row sums fixed.", "Column sums proportional", "Index = Overlap",
     "Degenerate matrix check = Split", "Pattern = Exclude"},
    {"FixedUser", 0, 0, 1, 3, 0, 3, 0, "Row sums fixed.", "Column sums user-defined.", "Index = C-score",
     "Degenerate matrix check = Fix", "Pattern = Include"},
    {"PropEq", 0, 1, 2, 0, 0, 2, 0, "Row sums proportional.", "Column sums equiprobable.",
     "Index = Number of pairs of checkerboard species", "Degenerate matrix check = Split", "Pattern = Include"},
    {"PropFixed", 0, 2, 2, 1, 0, 0, 0, "Row sums proportional.", "Column sums fixed.",
     "Index = Number of combinations", "Degenerate matrix check = Retain", "Pattern = Include"},
    {"PropProp", 0, 3, 2, 2, 0, 1, 1, "Row sums proportional.", "Column sums proportional",
     "Index = Variance ratio", "Degenerate matrix check = Discard", "Pattern = Exclude"},
    {"PropUser", 1, 0, 2, 3, 0, 3, 0, "Row sums proportional.", "Column sums user-defined.",
     "Index = Relative Overlap", "Degenerate matrix check = Fix", "Pattern = Include"},
    {"UserEq", 1, 1, 3, 0, 0, 2, 1, "Row sums user-defined.", "Column sums equiprobable.", "Index = Union",
     "Degenerate matrix check = Split", "Pattern = Exclude"},
    {"UserFixed", 1, 2, 3, 1, 0, 0, 0, "Row sums user-defined.", "Column sums fixed.", "Index = Overlap",
     "Degenerate matrix check = Retain", "Pattern = Include"},
    {"UserProp", 0, 0, 3, 2, 0, 1, 0, "Row sums user-defined.", "Column sums proportional", "Index = C-score",
     "Degenerate matrix check = Discard", "Pattern = Include"},
    {"UserUser", 0, 3, 3, 3, 0, 2, 1, "Row sums user-defined.", "Column sums user-defined.",
     "Index = Variance ratio", "Degenerate matrix check = Split", "Pattern = Exclude"},
    {"FixedFixedIndependent", 0, 0, 1, 1, 1, 2, 0, "Row sums fixed. (Independent Swap algorithm)",
     "Column sums fixed.", "Index = C-score", "Degenerate matrix check = Split", "Pattern = Include"},
    {"FixedFixedKnightsTour", 1, 0, 1, 1, 2, 3, 1, "Row sums fixed. (Random Knights Tour algorithm)",
     "Column sums fixed.", "Index = Relative Overlap", "Degenerate matrix check = Fix", "Pattern = Exclude"},
};

// Uneven weights, so that user-defined constraints differ from equiprobable ones.
void SetUnevenWeights() {
  TStringGrid* sites = CoOccurrenceUserDefined->SitesWeightsGrid;
  for (int r = 1; r < sites->RowCount(); ++r) sites->SetCells(1, r, IntToStr(r) + ".5");
  TStringGrid* species = CoOccurrenceUserDefined->SpeciesWeightsGrid;
  for (int r = 1; r < species->RowCount(); ++r) species->SetCells(1, r, IntToStr(1 + r % 3));
}

// The text after a summary label.
String After(const String& line, const String& label) { return line.substr(label.size()); }

using CoOccurrenceRun = CoocRunTest;

TEST_F(CoOccurrenceRun, EveryConstraintIndexAndPolicyAgreesWithTheRecomputedIndices) {
  SetData(FixtureGrid());
  const Matrix observed = pa_test::MakeMatrix(kSpecies);
  for (const RunCase& k : kRunCases) {
    SCOPED_TRACE(k.name);
    answer = Answer{};
    answer.index = k.index;
    answer.rows = k.rows;
    answer.columns = k.columns;
    answer.fixedFixed = k.fixedFixed;
    answer.degenerate = k.degenerate;
    answer.pattern = k.pattern;
    answer.editWeights = SetUnevenWeights;
    resultsShown = 0;
    Application->Hooks.Messages.clear();
    (k.analysis == 0 ? Zorvan->CoOccurrence1 : Zorvan->RangeOverlap1)->Click();

    ASSERT_EQ(resultsShown, 1);
    EXPECT_TRUE(Application->Hooks.Messages.empty());
    EXPECT_FALSE(Zorvan->InterruptFlag);
    const Lines summary = Summary();
    const Lines header{"Input file = " + Zorvan->FileName,
                       "Rows = 5; Columns = 6",
                       "Iterations = 40",
                       "Random seed = 7",
                       k.rowLine,
                       k.columnLine,
                       k.indexLine,
                       k.policyLine,
                       k.patternLine};
    EXPECT_EQ(Slice(summary, 0, kHeaderLines), header);
    // "0.5" is present, "x" and "-1" absent; the summary shows the texts as typed.
    EXPECT_EQ(CoOccurrence->O_Mat, observed);
    EXPECT_EQ(Slice(summary, kInputStart, 3), (Lines{"species s1 s2 s3 s4 s5 s6 ", "sp1 0.5 1 x 0 0 1 ",
                                                     "sp2 0 1 1 -1 0 0 "}));

    const bool split = k.degenerate == 2;
    const Reference ref = ReferenceForForm(7, 40);
    const Lines normal = SetLines(ref.observed, ref.normal, split);
    EXPECT_EQ(Slice(summary, kSetStart, kSetLines), normal);
    EXPECT_EQ(Slice(summary, kSplitSetStart, kSetLines), SetLines(ref.observed, ref.degenerate, split));
    EXPECT_EQ(ref.normal.size() + ref.degenerate.size(), 40u);

    // The batch row carries the normal set's effect size and tail probabilities.
    EXPECT_EQ(BatchRow(1), (Lines{"Untitled.txt", After(normal[9], kSesLabel), After(normal[3], kLowerTailLabel),
                                  After(normal[4], kUpperTailLabel)}));

    // Tabs.
    const bool pairIndex = k.analysis == 1 || k.index == 0;
    EXPECT_EQ(CoOccurrence->Caption(), k.analysis == 1 ? "Zorvan Professional: Range Overlap Results"
                                                       : "Zorvan Professional: Co-occurrence Results");
    EXPECT_EQ(CoOccurrence->DegenerateSheet->TabVisible(), split);
    EXPECT_EQ(CoOccurrence->PairwiseSheet->TabVisible(), pairIndex);
    EXPECT_EQ(CoOccurrence->PairwiseColumnSheet->TabVisible(), pairIndex);
    EXPECT_EQ(CoOccurrence->PageControl1->ActivePage(), CoOccurrence->InputSheet);
    if (pairIndex) {
      size_t p = 0;
      for (int i = 1; i <= 4; ++i)
        for (int j = i + 1; j <= 5; ++j, ++p)
          EXPECT_EQ(CoOccurrence->ResponseGrid->Cells(j, i), StatText(ref.observedPairs[p])) << i << "," << j;
    }
    for (int c = 1; c <= 6; ++c)
      for (int r = 1; r <= 5; ++r) EXPECT_EQ(CoOccurrence->SimulationGrid->Cells(c, r), IntToStr(ref.last[c][r]));
  }
}

// A nested matrix has no other matrix with its row and column sums, so every simulated
// matrix is the observed one and the whole summary is known in advance.
TEST_F(CoOccurrenceRun, NestedMatrixUnderFixedSumsGivesTheWholeSummary) {
  SetData(Titled({"1111", "1100", "1000"}));
  answer.index = 2;  // "Overlap": pairs 2, 1, 1 -> 4/3
  answer.iterations = "10 ";
  answer.seed = "7";
  String optionsCaption;
  answer.beforeRun = [&] { optionsCaption = CoOccurrenceOpts->Caption(); };
  Zorvan->RangeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(optionsCaption, "Zorvan Professional: Range Overlap Options");
  EXPECT_EQ(Zorvan->RangeCoOccurrence, 1);

  const String rule(46, '_');
  Lines expected{"Input file = " + Zorvan->FileName,
                 "Rows = 3; Columns = 4",
                 "Iterations = 10",
                 "Random seed = 7",
                 "Row sums fixed. (Sequential Swap algorithm)",
                 "Column sums fixed.",
                 "Index = Overlap",
                 "Degenerate matrix check = Retain",
                 "Pattern = " + String(CoOccurrenceOpts->PatternGroup->ItemIndex() == 1 ? "Exclude" : "Include")};
  auto add = [&](const Lines& more) { expected.insert(expected.end(), more.begin(), more.end()); };
  // Every simulated value is 4/3: all in the top bin of twelve zero-width bins.
  add({rule, "", "INDEX", "Observed index = 1.33333", "Mean of simulated indices = 1.33333",
       "Variance of simulated indices = 0.00000", "p(observed <= expected) = 1.00000",
       "p(observed >= expected) = 1.00000", "", "Number of times observed index < simulated indices = 0",
       "Number of times observed index = simulated indices = 10",
       "Number of times observed index > simulated indices = 0", "Standardized Effect Size = 0.00000", "",
       "Simulation frequencies:", "Histogram          # Simulations", "  "});
  for (int bin = 0; bin < 12; ++bin) add({"1.33333 1.33333  " + String(bin == 11 ? "10" : "0")});
  add({"  "});
  // No degenerate set under Retain: zeros and an empty histogram.
  add({rule, "", "DEGENERATE INDEX", "Observed index = 1.33333", "Mean of simulated indices = 0.00000",
       "Variance of simulated indices = 0.00000", "p(observed <= expected) = 0.00000",
       "p(observed >= expected) = 0.00000", "", "Number of times observed index < simulated indices = 0",
       "Number of times observed index = simulated indices = 0",
       "Number of times observed index > simulated indices = 0", "Standardized Effect Size = 0.00000", "",
       "Simulation frequencies:", "Histogram          # Simulations"});
  for (int k = 0; k < 14; ++k) add({"  "});
  add({rule, "", "INPUT MATRIX:", "", "species s1 s2 s3 s4 ", "sp1 1 1 1 1 ", "sp2 1 1 0 0 ", "sp3 1 0 0 0 "});
  EXPECT_EQ(Summary(), expected);

  // The "Index" tab: the observed value on the line of its bin (the first), the bins beside it.
  EXPECT_EQ(MemoLines(CoOccurrence->ObservedMeanMemo), (Lines{"", "1.33333.................>"}));
  Lines low{""}, counts{""};
  for (int bin = 0; bin < 12; ++bin) {
    low.push_back("1.33333");
    counts.push_back(bin == 11 ? "10" : "0");
  }
  EXPECT_EQ(MemoLines(CoOccurrence->MeanHistogramMemoLow), low);
  EXPECT_EQ(MemoLines(CoOccurrence->MeanHistogramMemoHigh), low);
  EXPECT_EQ(MemoLines(CoOccurrence->MeanHistogramMemo2), counts);
  EXPECT_EQ(MemoLines(CoOccurrence->MeanMemo),
            (Lines{"Observed index = 1.33333", "", "Mean of simulated indices = 1.33333",
                   "Variance of simulated indices = 0.00000", "", "p(observed <= expected) = 1.00000",
                   "p(observed >= expected) = 1.00000"}));
  EXPECT_TRUE(MemoLines(CoOccurrence->Split_MeanHistogramMemo2).empty());

  // Pairwise triangle and list, labelled with the species titles.
  TStringGrid* g = CoOccurrence->ResponseGrid;
  EXPECT_EQ(g->ColCount(), 4);
  EXPECT_EQ(g->RowCount(), 3);
  EXPECT_EQ(g->RowTexts(0), (Lines{"species", "sp1", "sp2", "sp3"}));
  EXPECT_EQ(g->RowTexts(1), (Lines{"sp1", "", "2.00000", "1.00000"}));
  EXPECT_EQ(g->RowTexts(2), (Lines{"sp2", "", "", "1.00000"}));
  TRivErodovOzar* list = CoOccurrence->RivErodovOzar1;
  ASSERT_EQ(list->RowCount(), 3);
  EXPECT_EQ(list->FixedRows(), 0);
  EXPECT_EQ(list->FixedCols(), 0);
  EXPECT_EQ(list->RowTexts(0), (Lines{"sp1", "sp2", "2.00000"}));
  EXPECT_EQ(list->RowTexts(1), (Lines{"sp1", "sp3", "1.00000"}));
  EXPECT_EQ(list->RowTexts(2), (Lines{"sp2", "sp3", "1.00000"}));

  for (int r = 0; r < 4; ++r) EXPECT_EQ(CoOccurrence->InputGrid->RowTexts(r), Zorvan->MainGrid->RowTexts(r));
  EXPECT_EQ(BatchRow(1), (Lines{"Untitled.txt", "0.00000", "1.00000", "1.00000"}));
  const Lines times = MemoLines(CoOccurrence->TimeMemo);
  ASSERT_EQ(times.size(), 2u);
  EXPECT_EQ(times[0].rfind("Stop time = ", 0), 0u);
  EXPECT_EQ(times[1].rfind("Start time = ", 0), 0u);
}

// Pair values are computed without the empty species but shown under their own species; pairs
// with the empty species have no value, and the C-score still divides by all pairs.
TEST_F(CoOccurrenceRun, EmptySpeciesKeepTheirPlaceInThePairwiseTables) {
  SetData(Titled({"1100", "0110", "0000", "1001"}));
  answer.rows = 0;
  answer.columns = 0;
  Zorvan->CoOccurrence1->Click();
  ASSERT_EQ(resultsShown, 1);
  // Units: (sp1, sp2) 1, (sp1, sp4) 1, (sp2, sp4) 4; six pairs in all.
  EXPECT_EQ(Summary()[kSetStart], "Observed index = " + StatText(6.0 / 6.0));
  TStringGrid* g = CoOccurrence->ResponseGrid;
  EXPECT_EQ(g->RowTexts(0), (Lines{"species", "sp1", "sp2", "sp3", "sp4"}));
  EXPECT_EQ(g->RowTexts(1), (Lines{"sp1", "", "1.00000", "", "1.00000"}));
  EXPECT_EQ(g->RowTexts(2), (Lines{"sp2", "", "", "", "4.00000"}));
  EXPECT_EQ(g->RowTexts(3), (Lines{"sp3", "", "", "", ""}));
  TRivErodovOzar* list = CoOccurrence->RivErodovOzar1;
  ASSERT_EQ(list->RowCount(), 6);
  EXPECT_EQ(list->RowTexts(1), (Lines{"sp1", "sp3", ""}));
  EXPECT_EQ(list->RowTexts(2), (Lines{"sp1", "sp4", "1.00000"}));
  EXPECT_EQ(list->RowTexts(4), (Lines{"sp2", "sp4", "4.00000"}));
  EXPECT_EQ(list->RowTexts(5), (Lines{"sp3", "sp4", ""}));
}

// Under Split a set without values has no probabilities or effect size.
TEST_F(CoOccurrenceRun, SplitSetWithoutValuesShowsNotAvailable) {
  answer.degenerate = 2;
  answer.iterations = "20";

  // Fixed sums keep every species and site occupied: no degenerate matrix.
  SetData(FixtureGrid());
  Zorvan->CoOccurrence1->Click();
  ASSERT_EQ(resultsShown, 1);
  Lines s = Summary();
  EXPECT_EQ(s[kSplitSetStart + 3], "p(observed <= expected) = n/a");
  EXPECT_EQ(s[kSplitSetStart + 4], "p(observed >= expected) = n/a");
  EXPECT_EQ(s[kSplitSetStart + 7], "Number of times observed index = simulated indices = 0");
  EXPECT_EQ(s[kSplitSetStart + 9], "Standardized Effect Size = n/a");
  EXPECT_EQ(s[kSetStart + 7].rfind("Number of times observed index = simulated indices = "), 0u);
  EXPECT_NE(s[kSetStart + 3], "p(observed <= expected) = n/a");
  EXPECT_EQ(MemoLines(CoOccurrence->Split_MeanMemo)[5], "p(observed <= expected) = n/a");
  EXPECT_TRUE(MemoLines(CoOccurrence->Split_MeanHistogramMemoLow).empty());

  // An empty species makes every matrix degenerate: the normal set is the empty one.
  SetData(Titled({"1100", "0110", "0000", "1011"}));
  resultsShown = 0;
  Zorvan->CoOccurrence1->Click();
  ASSERT_EQ(resultsShown, 1);
  s = Summary();
  EXPECT_EQ(s[kSetStart + 3], "p(observed <= expected) = n/a");
  EXPECT_EQ(s[kSetStart + 9], "Standardized Effect Size = n/a");
  EXPECT_EQ(s[kSetStart + 15], "  ");
  EXPECT_NE(s[kSplitSetStart + 9], "Standardized Effect Size = n/a");
  EXPECT_EQ(MemoLines(CoOccurrence->MeanMemo)[6], "p(observed >= expected) = n/a");
  EXPECT_EQ(BatchRow(1), (Lines{"Untitled.txt", "n/a", "n/a", "n/a"}));
}

TEST_F(CoOccurrenceRun, ClockSeedIsReportedAndRepeatsTheRun) {
  SetData(FixtureGrid());
  answer.rows = 0;
  for (const char* seed : {"0", "-3"}) {
    answer.seed = seed;
    Zorvan->CoOccurrence1->Click();
    const Lines first = Summary();
    const String used = After(first[3], "Random seed = ");
    const Integer value = StrToInt(used);
    EXPECT_GE(value, 1);
    answer.seed = used;
    Zorvan->CoOccurrence1->Click();
    EXPECT_EQ(Summary(), first);
  }
  EXPECT_EQ(resultsShown, 4);
}

// A typed index name that matches no item selects nothing; the run computes and names the
// C-score rather than reporting an index of zeros.
TEST_F(CoOccurrenceRun, AnIndexOutsideTheListRunsTheCScore) {
  SetData(Titled({"1100", "0110", "1001"}));
  answer.beforeRun = [] { CoOccurrenceOpts->IndexList->SetItemIndex(-1); };
  Zorvan->CoOccurrence1->Click();
  ASSERT_EQ(resultsShown, 1);
  // Units: (sp1, sp2) 1, (sp1, sp3) 1, (sp2, sp3) 4.
  EXPECT_EQ(Summary()[6], "Index = C-score");
  EXPECT_EQ(Summary()[kSetStart], "Observed index = 2.00000");
  EXPECT_TRUE(CoOccurrence->PairwiseSheet->TabVisible());
}

TEST_F(CoOccurrenceRun, CancelRunsNothing) {
  SetData(FixtureGrid());
  answer.cancel = true;
  Zorvan->CoOccurrence1->Click();
  EXPECT_EQ(optionsShown, 1);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->Flag);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_EQ(CoOccurrenceOpts->Caption(), "Zorvan Professional: Co-occurrence Options");
  EXPECT_EQ(Zorvan->RangeCoOccurrence, 0);
}

}  // namespace

// The chi-square test run through the program: the summary line by line against a run walked
// by hand for each randomisation, the pages, repeatability, the expected grid typed by hand,
// every refusal with its messages, the abort (also inside a table draw), the options form.
#include <cmath>

#include "analysis/chi_square/ChiSquareRunSupport.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "classlib/WinApi.h"

using namespace chi_square_test;

namespace {

using ChiSquareRun = ChiSquareFixture<StandardRunTest>;

const GridRows kData = Table({{"10", "20"}, {"30", "40"}});
const std::vector<std::vector<int>> kCounts{{10, 20}, {30, 40}};
const double kExpected[2][2] = {{12, 18}, {28, 42}};

double Statistic(const std::vector<std::vector<int>>& t) {
  double x2 = 0;
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) x2 += (t[r][c] - kExpected[r][c]) * (t[r][c] - kExpected[r][c]) / kExpected[r][c];
  return x2;
}

Lines GridLines(const GridRows& rows) {
  Lines out;
  for (const auto& row : rows) {
    String line;
    for (const String& cell : row) line += cell + " ";
    out.push_back(line);
  }
  return out;
}

// The whole summary of three iterations under each randomisation, walked by hand.
TEST_F(ChiSquareRun, SummaryAndPagesOfRunsWalkedByHand) {
  SetData(kData);
  const GridRows expectedGrid{{"species", "s1", "s2"}, {"a", "12.0000000", "18.0000000"}, {"b", "28.0000000", "42.0000000"}};
  for (int choice : {0, 1, 2}) {
    SCOPED_TRACE(choice);
    chi.randomization = choice;
    Zorvan->ChiSquare1->Click();
    ASSERT_EQ(resultsShown, choice + 1);
    ASSERT_FALSE(Zorvan->InterruptFlag);
    const auto tables = WalkTables(kCounts, choice, 7, 3);
    std::vector<double> values;
    for (const auto& t : tables) values.push_back(Statistic(t));
    const double observed = 50.0 / 63.0;
    double mean = 0, ss = 0;
    int less = 0, equal = 0, greater = 0;
    for (double v : values) mean += v / 3;
    for (double v : values) {
      ss += (v - mean) * (v - mean);
      if (std::fabs(observed - v) <= 1e-15)
        ++equal;
      else
        (observed < v ? less : greater)++;
    }
    const double variance = ss / 2 <= 1e-17 ? 0 : ss / 2;
    Lines expected{"Input file = " + Zorvan->FileName,
                   "Rows = 2; Columns = 2",
                   "Iterations = 3",
                   "Random seed = 7",
                   String(46, '_'),
                   "",
                   "INDEX",
                   "Observed index = 0.79365",
                   "Mean of simulated indices = " + StatText(mean),
                   "Variance of simulated indices = " + StatText(variance),
                   "p(observed <= expected) = " + StatText((greater + equal) / 3.0),
                   "p(observed >= expected) = " + StatText((less + equal) / 3.0),
                   "",
                   "Number of times observed index < simulated indices = " + std::to_string(less),
                   "Number of times observed index = simulated indices = " + std::to_string(equal),
                   "Number of times observed index > simulated indices = " + std::to_string(greater),
                   "Standardized Effect Size = " +
                       StatText(variance > 0 ? (observed - mean) / std::sqrt(variance) : 0),
                   "",
                   "Simulation frequencies:",
                   "Histogram          # Simulations"};
    std::sort(values.begin(), values.end());
    String marker, edges, counts;
    BuildHistogram_LastIndex(2, values, observed, marker);
    HistogramToText(edges, counts);
    TStringList e, c;
    e.SetText(edges);
    c.SetText(counts);
    auto line = [](const TStringList& l, int k) { return k < l.Count() ? l.Strings(k) : String(); };
    for (int k = 0; k < 14; ++k) expected.push_back(line(e, k) + "  " + line(c, k));
    for (const String& l : Lines{String(46, '_'), "", "INPUT MATRIX:", ""}) expected.push_back(l);
    for (const String& l : GridLines(kData)) expected.push_back(l);
    for (const String& l : Lines{String(46, '_'), "", "EXPECTED MATRIX:", ""}) expected.push_back(l);
    for (const String& l : GridLines(expectedGrid)) expected.push_back(l);
    const Lines summary = MemoLines(ChiSquareShell->Memo1);
    EXPECT_EQ(summary.size(), 42u + 3 + 3);
    ExpectLines(summary, expected);

    // The pages: the input, expected and last simulated tables; the statistic's seven lines.
    for (int r = 0; r < 3; ++r) {
      EXPECT_EQ(ChiSquareShell->InputGrid->RowTexts(r), kData[r]);
      EXPECT_EQ(ChiSquareShell->ExpectedGrid->RowTexts(r), expectedGrid[r]);
    }
    const auto& last = tables.back();
    EXPECT_EQ(ChiSquareShell->SimulationGrid->RowTexts(0), kData[0]);
    for (int r = 1; r <= 2; ++r)
      EXPECT_EQ(ChiSquareShell->SimulationGrid->RowTexts(r),
                (Lines{kData[r][0], std::to_string(last[r - 1][0]), std::to_string(last[r - 1][1])}));
    EXPECT_EQ(MemoLines(ChiSquareShell->ChiSquareMemo),
              (Lines{"Observed index = 0.79365", "", expected[8], expected[9], "", expected[10], expected[11]}));
    TStringList m;
    m.SetText(marker + "0.79365.........>");
    EXPECT_EQ(ChiSquareShell->ObservedChiSquareMemo->Lines()->Text(), m.Text());
    EXPECT_EQ(ChiSquareShell->PageControl1->ActivePage(), ChiSquareShell->InputSheet);
    EXPECT_EQ(ChiSquareShell->TimeMemo->Lines()->Strings(0).rfind("Stop time = ", 0), 0u);
    EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1),
              (Lines{"Untitled.txt", expected[16].substr(27), expected[10].substr(26), expected[11].substr(26)}));
  }
}

TEST_F(ChiSquareRun, SameSeedSameSummaryAndTheSecondTable) {
  SetData(Table({{"5", "8", "1"}, {"2", "6", "3"}}));
  chi.iterations = "300";
  chi.seed = "4242";
  Zorvan->ChiSquare1->Click();
  const Lines first = MemoLines(ChiSquareShell->Memo1);
  EXPECT_EQ(first[7], "Observed index = 2.24374");
  EXPECT_EQ(first[1], "Rows = 2; Columns = 3");
  Zorvan->ChiSquare1->Click();
  ASSERT_EQ(resultsShown, 2);
  EXPECT_EQ(MemoLines(ChiSquareShell->Memo1), first);
  EXPECT_EQ(MemoLines(ChiSquareShell->ChiSquareMemo).size(), 7u);
}

// An expected count typed by hand is used, while the tables still spread the data's totals.
TEST_F(ChiSquareRun, TypedExpectedCountsAreUsedAndTotalsStayTheData) {
  SetData(kData);
  chi.randomization = 2;
  onChiOptions = [] { ChiSquareOpts->ExpectedGrid->SetCells(1, 1, "20"); };
  Zorvan->ChiSquare1->Click();
  ASSERT_EQ(resultsShown, 1);
  // (10 - 20)^2 / 20 + 4/18 + 4/28 + 4/42.
  EXPECT_EQ(MemoLines(ChiSquareShell->ChiSquareMemo)[0],
            "Observed index = " + StatText(5 + 4.0 / 18 + 4.0 / 28 + 4.0 / 42));
  EXPECT_EQ(ChiSquareShell->ExpectedGrid->Cells(1, 1), "20");
  const auto tables = WalkTables(kCounts, 2, 7, 3);
  EXPECT_EQ(ChiSquareShell->SimulationGrid->Cells(1, 1), std::to_string(tables.back()[0][0]));
  EXPECT_EQ(std::stoi(ChiSquareShell->SimulationGrid->Cells(1, 1)) + std::stoi(ChiSquareShell->SimulationGrid->Cells(2, 1)),
            30);
}

// Expected counts written with a comma decimal separator read back as the same numbers.
TEST_F(ChiSquareRun, ExpectedCountsReadWithTheSeparatorTheyWereWrittenWith) {
  FormatSettings.DecimalSeparator = ',';
  SetData(Table({{"1", "2"}, {"3", "4"}}));  // expected 1.2, 1.8, 2.8, 4.2
  Zorvan->ChiSquare1->Click();
  const String typed = ChiSquareOpts->ExpectedGrid->Cells(1, 1);
  ResetFormatSettings();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(typed, "1,2000000");
  // 0.04/1.2 + 0.04/1.8 + 0.04/2.8 + 0.04/4.2, not against 1, 1, 2, 4.
  const double x2 = 0.04 / 1.2 + 0.04 / 1.8 + 0.04 / 2.8 + 0.04 / 4.2;
  EXPECT_NEAR(ChiSquareShell->Observed_F, x2, 1e-12);
}

TEST_F(ChiSquareRun, EveryRefusalShowsItsMessagesAndLeavesNoResults) {
  struct Case {
    const char* name;
    GridRows data;
    String iterations;
    std::function<void()> edit;
    Lines messages;
    int optionsShown;
  };
  const Case cases[] = {
      {"a cell that is no integer", Table({{"10", "2.5"}, {"30", "40"}}), "3", nullptr,
       {"Cell value is not a valid integer.", "Expected Grid 0 error: "}, 0},
      {"grand total 0", Table({{"0", "0"}, {"0", "0"}}), "3", nullptr, {"Expected Grid 0 error: "}, 0},
      {"an empty row", Table({{"0", "0"}, {"3", "4"}}), "3", nullptr,
       {"Non-positive real @ Row 1 Col 1", "Expected Grid 0 error: "}, 0},
      {"no data rows", {{"species", "s1", "s2"}}, "3", nullptr, {"Expected Grid 0 error: "}, 0},
      {"an expected count typed as 0", kData, "3", [] { ChiSquareOpts->ExpectedGrid->SetCells(2, 2, "0"); },
       {"Non-positive real @ Row 2 Col 2", "Expected Grid 0 error: "}, 1},
      {"no iterations", kData, "0", nullptr, {"Iterations must be > 0."}, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    chi.iterations = k.iterations;
    onChiOptions = k.edit;
    chiOptionsShown = 0;
    Application->Hooks.Messages.clear();
    Zorvan->ChiSquare1->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_EQ(chiOptionsShown, k.optionsShown);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

// A table without a grand total has no expected counts: the calculation fails and leaves the
// expected cells as they were, titles taken from the new table.
TEST_F(ChiSquareRun, GrandTotalZeroKeepsTheExpectedCells) {
  SetData(kData);
  ASSERT_TRUE(ChiSquareOpts->CalculateExpectedMatrix());
  SetData(Table({{"0", "0"}, {"0", "0"}}));
  EXPECT_FALSE(ChiSquareOpts->CalculateExpectedMatrix());
  const TStringGrid* e = ChiSquareOpts->ExpectedGrid;
  EXPECT_EQ((Lines{e->Cells(1, 1), e->Cells(2, 1), e->Cells(1, 2), e->Cells(2, 2)}),
            (Lines{"12.0000000", "18.0000000", "28.0000000", "42.0000000"}));
  EXPECT_EQ(e->Cells(0, 1), Zorvan->MainGrid->Cells(0, 1));
}

// An expected count so near 0 that the index lies beyond the range of a double is the
// floating-point error, not a result: no results, no batch row, and the next run goes on.
TEST_F(ChiSquareRun, AnOverflowingIndexEndsTheRunWithTheError) {
  SetData(kData);
  chi.iterations = "3";
  // 100 / 1e-320 is beyond the largest double.
  onChiOptions = [] { ChiSquareOpts->ExpectedGrid->SetCells(1, 1, "1e-320"); };
  SendMessage(Zorvan->Handle(), WM_COMMAND, Zorvan->ChiSquare1->Command(), 0);
  EXPECT_EQ(Application->Hooks.Errors, Lines{"Floating point overflow."});
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(Progress->Visible());
  onChiOptions = nullptr;
  Zorvan->ChiSquare1->Click();
  EXPECT_EQ(resultsShown, 1);
  EXPECT_EQ(MemoLines(ChiSquareShell->ChiSquareMemo)[0], "Observed index = 0.79365");
}

// The run's own checks, when the expected grid no longer fits the data it was made for.
TEST_F(ChiSquareRun, RunChecksTheExpectedGridItself) {
  SetData(kData);
  chi.cancel = true;
  Zorvan->ChiSquare1->Click();
  SetData(Table({{"1", "2", "3"}, {"3", "4", "5"}}));
  Zorvan->Iterations = 5;
  ChiSquareShell->Run();
  EXPECT_EQ(Application->Hooks.Messages,
            (Lines{"Expected Row/Col counts <> Input Row/Col counts.", "Initialization failed."}));
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  // An expected count that is not positive, with the cell it names.
  SetData(kData);
  ChiSquareOpts->CalculateExpectedMatrix();
  ChiSquareOpts->ExpectedGrid->SetCells(2, 1, "-3");
  Application->Hooks.Messages.clear();
  ChiSquareShell->Run();
  EXPECT_EQ(Application->Hooks.Messages,
            (Lines{"Non-positive real @ Row 1 Col 2", "Expected Grid 0 error: ", "Initialization failed."}));
  EXPECT_EQ(resultsShown, 0);
}

TEST_F(ChiSquareRun, AbortAlsoInsideATableDrawLeavesNoResults) {
  SetData(kData);
  Zorvan->ChiSquare1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = MemoLines(ChiSquareShell->Memo1);
  const Lines simulated = ChiSquareShell->SimulationGrid->RowTexts(1);
  chi.iterations = "50";
  // Call 1: the progress window; then the first poll inside each iteration's table draw.
  for (int at : {2, 20, 45}) {
    SCOPED_TRACE(at);
    int calls = 0;
    Application->Hooks.ProcessMessages = [&] {
      if (++calls == at) Progress->InterruptButton->Click();
    };
    Zorvan->ChiSquare1->Click();
    Application->Hooks.ProcessMessages = nullptr;
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_EQ(MemoLines(ChiSquareShell->Memo1), summary);
    EXPECT_EQ(ChiSquareShell->SimulationGrid->RowTexts(1), simulated);
  }
}

TEST_F(ChiSquareRun, OptionsFormDesignDefaultsAndRecalculation) {
  TChiSquareOpts* o = ChiSquareOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Chi-square Options");
  EXPECT_EQ(o->RandomizationGroup->Caption(), "Si&mulation options");
  EXPECT_EQ(o->RandomizationGroup->Items()->Strings(2), "randomize rows");
  EXPECT_EQ(o->RandomizationGroup->ItemIndex(), 0);
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  Lines items;
  for (int i = 0; i < o->MainMenu1->Items()->Count(); ++i) items.push_back(o->MainMenu1->Items()->Items(i)->Caption());
  EXPECT_EQ(items, (Lines{"Expected &matrix", "&Run", "&Cancel", "&Help", "Reset &Defaults"}));
  EXPECT_EQ(o->Expectedmatrix1->Items(2)->Caption(), "&Open expected matrix");
  Lines tabs;
  for (int i = 0; i < ChiSquareShell->PageControl1->PageCount(); ++i)
    tabs.push_back(ChiSquareShell->PageControl1->Pages(i)->Caption());
  EXPECT_EQ(tabs, (Lines{"Input Matrix", "Expected Matrix", "Simulated Matrix", "Chi-square", "Summary", "Time"}));
  Lines results{ChiSquareShell->MainMenu1->Items()->Items(0)->Caption()};
  for (int i = 0; i < ChiSquareShell->Save1->Count(); ++i) results.push_back(ChiSquareShell->Save1->Items(i)->Caption());
  EXPECT_EQ(results, (Lines{"&Save", "Su&mmary", "&Close"}));
  EXPECT_EQ(ChiSquareShell->Caption(), "Zorvan Professional: Chi-square Results");

  SetData(kData);
  onChiOptions = [o] {
    EXPECT_EQ(o->IntegerRowTotal, (std::vector<Integer>{30, 70}));
    EXPECT_EQ(o->IntegerColTotal, (std::vector<Integer>{40, 60}));
    EXPECT_EQ(o->IntegerMatrixTotal, 100);
    o->RandomSeedEdit->SetText("9");
    o->SaveMatrixCheckBox->SetChecked(true);
    o->IterationsEdit->SetText("77");
    o->RandomizationGroup->SetItemIndex(2);
    o->ExpectedGrid->SetCells(1, 1, "99");
    o->resetDefaults1->Click();
    EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
    EXPECT_FALSE(o->SaveMatrixCheckBox->Checked());
    EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
    EXPECT_EQ(o->RandomizationGroup->ItemIndex(), 0);
    EXPECT_EQ(o->ExpectedGrid->Cells(1, 1), "12.0000000");
    o->ExpectedGrid->SetCells(1, 1, "99");
    o->Calculateexpectedmatrix2->Click();
    EXPECT_EQ(o->ExpectedGrid->Cells(1, 1), "12.0000000");
  };
  chi.cancel = true;
  Zorvan->ChiSquare1->Click();
  EXPECT_EQ(chiOptionsShown, 1);
  EXPECT_FALSE(Zorvan->RunSim);
  EXPECT_FALSE(Zorvan->Flag);
  // A hexadecimal count reads as its integer: $10 is 16.
  SetData(Table({{"$10", "20"}, {"30", "40"}}));
  onChiOptions = [o] { EXPECT_EQ(o->IntegerRowTotal, (std::vector<Integer>{36, 70})); };
  Zorvan->ChiSquare1->Click();
  EXPECT_EQ(ChiSquareOpts->RowTotal, (std::vector<double>{36, 70}));
}

}  // namespace

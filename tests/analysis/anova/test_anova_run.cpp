// The ANOVA test run through the program: the summary line by line against a run walked by
// hand (labels reshuffled in the program's draw order, each statistic by the definition), the
// group tables and pages, labels all distinct, repeatability, every refusal with its messages,
// the abort, and the "Sim" files.
#include <cmath>

#include "analysis/anova/AnovaReference.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/standard_tests/StandardRunSupport.h"
#include "classlib/WinApi.h"

using namespace standard_test;
using anova_test::ReferenceF;

namespace {

using AnovaRun = StandardRunTest;

const std::vector<String> kLabels{"A", "A", "B", "B"};
const std::vector<String> kValues{"1", "2", "5", "6"};

struct Walk {
  double observed;
  std::vector<double> simulated;
  std::vector<String> last;
};

// The run by hand: per iteration, labels a and Random(n) exchanged for a = 0..n-1.
Walk WalkByHand(std::vector<String> labels, const std::vector<double>& values, Cardinal seed, int iterations) {
  Walk w{ReferenceF(labels, values), {}, {}};
  RandSeed = seed;
  const Integer n = static_cast<Integer>(labels.size());
  for (int i = 0; i < iterations; ++i) {
    for (Integer a = 0; a < n; ++a) std::swap(labels[static_cast<size_t>(a)], labels[static_cast<size_t>(Random(n))]);
    w.simulated.push_back(ReferenceF(labels, values));
  }
  w.last = labels;
  return w;
}

// Summary lines 6 to 35: the rule, "INDEX", the statistics, counts and 14 histogram lines.
Lines IndexBlock(double observed, std::vector<double> values) {
  const double n = static_cast<double>(values.size());
  double mean = 0;
  for (double v : values) mean += v / n;
  double ss = 0;
  int less = 0, equal = 0, greater = 0;
  for (double v : values) {
    ss += (v - mean) * (v - mean);
    if (std::fabs(observed - v) <= 1e-15)
      ++equal;
    else
      (observed < v ? less : greater)++;
  }
  const double variance = ss / (n - 1) <= 1e-17 ? 0 : ss / (n - 1);
  Lines out{String(46, '_'),
            "",
            "INDEX",
            "Observed index = " + StatText(observed),
            "Mean of simulated indices = " + StatText(mean),
            "Variance of simulated indices = " + StatText(variance),
            "p(observed <= expected) = " + StatText((greater + equal) / n),
            "p(observed >= expected) = " + StatText((less + equal) / n),
            "",
            "Number of times observed index < simulated indices = " + std::to_string(less),
            "Number of times observed index = simulated indices = " + std::to_string(equal),
            "Number of times observed index > simulated indices = " + std::to_string(greater),
            "Standardized Effect Size = " + StatText(variance > 0 ? (observed - mean) / std::sqrt(variance) : 0),
            "",
            "Simulation frequencies:",
            "Histogram          # Simulations"};
  std::sort(values.begin(), values.end());
  String marker, edges, counts;
  BuildHistogram_LastIndex(static_cast<Integer>(values.size()) - 1, values, observed, marker);
  HistogramToText(edges, counts);
  TStringList e, c;
  e.SetText(edges);
  c.SetText(counts);
  // The texts hold 13 lines; the summary's 14th joins two empty ones.
  auto line = [](const TStringList& l, int k) { return k < l.Count() ? l.Strings(k) : String(); };
  for (int k = 0; k < 14; ++k) out.push_back(line(e, k) + "  " + line(c, k));
  return out;
}

std::vector<double> Numbers(const std::vector<String>& texts) {
  std::vector<double> out;
  for (const String& t : texts) out.push_back(LeadingReal(t));
  return out;
}

Lines Header(int rows, int columns, int iterations, const String& labels, const String& values) {
  return {"Input file = " + Zorvan->FileName,
          "Rows = " + std::to_string(rows) + "; Columns = " + std::to_string(columns),
          "Iterations = " + std::to_string(iterations),
          "Random seed = 7",
          "Analyzed labels column = " + labels,
          "Analyzed variables column = " + values};
}

Lines InputLines(const GridRows& data) {
  Lines out{String(46, '_'), "", "INPUT MATRIX:", ""};
  for (const auto& row : data) {
    String line;
    for (const String& cell : row) line += cell + " ";
    out.push_back(line);
  }
  return out;
}

// Two groups of two: the statistic 32 walked by hand through five reshuffles.
TEST_F(AnovaRun, SummaryPagesAndGroupTablesOfARunWalkedByHand) {
  const GridRows data = Columns({"group", "size"}, {kLabels, kValues});
  SetData(data);
  answer.iterations = "5";
  Zorvan->Anova1->Click();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_FALSE(Zorvan->InterruptFlag);
  const Walk w = WalkByHand(kLabels, Numbers(kValues), 7, 5);
  ASSERT_EQ(w.observed, 32);

  Lines expected = Header(4, 2, 5, "group", "size");
  for (const Lines& part : {IndexBlock(w.observed, w.simulated), InputLines(data)})
    expected.insert(expected.end(), part.begin(), part.end());
  const Lines summary = MemoLines(AnovaShell->Memo1);
  ExpectLines(summary, expected);
  EXPECT_EQ(summary[9], "Observed index = 32.00000");
  EXPECT_EQ(summary[22], "  ");  // the histogram's first and last lines hold nothing
  EXPECT_EQ(summary[35], "  ");

  EXPECT_EQ(AnovaShell->MeansStringGrid->RowTexts(0), (Lines{"Label", "Count", "Mean", "Variance"}));
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowTexts(1), (Lines{"A", "2.00000", "1.50000", "0.50000"}));
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowTexts(2), (Lines{"B", "2.00000", "5.50000", "0.50000"}));
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowCount(), 3);
  // The last reshuffle: its labels beside the unmoved values, and its group table.
  for (int r = 1; r <= 4; ++r)
    EXPECT_EQ(AnovaShell->SimulationGrid->RowTexts(r), (Lines{data[r][0], w.last[r - 1], kValues[r - 1]})) << r;
  EXPECT_EQ(AnovaShell->SimulationGrid->RowTexts(0), data[0]);
  EXPECT_EQ(AnovaShell->InputGrid->RowTexts(3), data[3]);
  for (int g = 0; g < 2; ++g) {
    const String name = g == 0 ? "A" : "B";
    double sum = 0, count = 0;
    for (int r = 0; r < 4; ++r)
      if (w.last[r] == name) sum += LeadingReal(kValues[r]), ++count;
    EXPECT_EQ(AnovaShell->SimulatedMeansStringGrid->RowTexts(g + 1)[2], StatText(sum / count));
  }
  std::vector<double> sorted = w.simulated;
  std::sort(sorted.begin(), sorted.end());
  ASSERT_EQ(AnovaShell->FRatios.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(AnovaShell->FRatios[i], sorted[i], 1e-12);

  EXPECT_EQ(MemoLines(AnovaShell->FRatioMemo),
            (Lines{"Observed index = 32.00000", "", expected[10], expected[11], "", expected[12], expected[13]}));
  EXPECT_NE(AnovaShell->ObservedVarianceMemo->Lines()->Text().find("32.00000.........>"), String::npos);
  EXPECT_EQ(MemoLines(AnovaShell->FRatioHistogramMemo2).size(), 13u);
  EXPECT_EQ(AnovaShell->PageControl1->ActivePage(), AnovaShell->InputSheet);
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1), (Lines{"Untitled.txt", expected[18].substr(27), expected[12].substr(26),
                                                   expected[13].substr(26)}));
}

TEST_F(AnovaRun, EveryLabelDifferentGivesZero) {
  SetData(Columns({"label", "value"}, {{"a", "b", "c", "d", "e"}, {"1", "3", "2", "8", "5"}}));
  Zorvan->Anova1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines s = MemoLines(AnovaShell->Memo1);
  EXPECT_EQ(s[9], "Observed index = 0.00000");
  EXPECT_EQ(s[11], "Variance of simulated indices = 0.00000");
  EXPECT_EQ(s[12], "p(observed <= expected) = 1.00000");
  EXPECT_EQ(s[13], "p(observed >= expected) = 1.00000");
  EXPECT_EQ(s[18], "Standardized Effect Size = 0.00000");
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowCount(), 6);
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowTexts(4), (Lines{"d", "1.00000", "8.00000", "0.00000"}));
}

// A single group with spread reports 0 in every run, whatever the run before it left.
TEST_F(AnovaRun, OneGroupGivesZero) {
  SetData(Columns({"g", "v"}, {kLabels, kValues}));
  Zorvan->Anova1->Click();
  SetData(Columns({"g", "v"}, {{"A", "A", "A"}, {"1", "2", "9"}}));
  Zorvan->Anova1->Click();
  ASSERT_EQ(resultsShown, 2);
  EXPECT_EQ(MemoLines(AnovaShell->FRatioMemo)[0], "Observed index = 0.00000");
  EXPECT_EQ(MemoLines(AnovaShell->FRatioMemo)[2], "Mean of simulated indices = 0.00000");
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowTexts(1), (Lines{"A", "3.00000", "4.00000", "19.00000"}));
}

// Labels differing in case are groups of their own, and every row belongs to its group.
TEST_F(AnovaRun, LabelsAreComparedExactly) {
  SetData(Columns({"g", "v"}, {{"A", "a", "A", "a"}, {"1", "5", "2", "6"}}));
  Zorvan->Anova1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(MemoLines(AnovaShell->Memo1)[9], "Observed index = 32.00000");
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowTexts(1), (Lines{"A", "2.00000", "1.50000", "0.50000"}));
  EXPECT_EQ(AnovaShell->MeansStringGrid->RowTexts(2), (Lines{"a", "2.00000", "5.50000", "0.50000"}));
}

// Squares beyond the range of a double are the floating-point error, not a statistic of 0.
TEST_F(AnovaRun, OverflowingSquaresEndTheRunWithTheError) {
  SetData(Columns({"g", "v"}, {kLabels, {"1e200", "-1e200", "1", "2"}}));
  // Chosen from the menu, so that the error reaches the error box as a person sees it.
  SendMessage(Zorvan->Handle(), WM_COMMAND, Zorvan->Anova1->Command(), 0);
  EXPECT_EQ(Application->Hooks.Errors, Lines{"Floating point overflow."});
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(Progress->Visible());
}

TEST_F(AnovaRun, SameSeedSameSummaryAndOtherColumns) {
  const GridRows data = Columns({"x", "g", "v"}, {{"7", "8", "9", "1", "2", "3"}, {"p", "q", "p", "r", "q", "p"},
                                                  {"1.5", "4", "2", "8", "5", "2.5"}});
  SetData(data);
  answer.first = 1;
  answer.second = 2;
  answer.iterations = "300";
  Zorvan->Anova1->Click();
  const Lines first = MemoLines(AnovaShell->Memo1);
  Zorvan->Anova1->Click();
  ASSERT_EQ(resultsShown, 2);
  EXPECT_EQ(MemoLines(AnovaShell->Memo1), first);
  EXPECT_EQ(Slice(first, 0, 6), Header(6, 3, 300, "g", "v"));
  const Walk w = WalkByHand({"p", "q", "p", "r", "q", "p"}, {1.5, 4, 2, 8, 5, 2.5}, 7, 300);
  EXPECT_EQ(Slice(first, 6, 30), IndexBlock(w.observed, w.simulated));
}

TEST_F(AnovaRun, EveryRefusalShowsItsMessagesAndStopsTheRun) {
  struct Case {
    const char* name;
    GridRows data;
    Answer answer;
    Lines messages;
  };
  Answer same;
  same.first = 1;
  Answer none;
  none.iterations = "0";
  const GridRows data = Columns({"g", "v"}, {kLabels, kValues});
  const Case cases[] = {
      {"labels are the values", data, same, {"Labels cannot equal YVariable.", "Initialization failed."}},
      {"no data rows", {{"species", "g", "v"}}, Answer{}, {"At least 1 row of data required.", "Initialization failed."}},
      {"no iterations", data, none, {"Iterations must be > 0."}},
      {"one column", Columns({"g"}, {kLabels}), Answer{}, {"At least two columns required."}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    answer = k.answer;
    Application->Hooks.Messages.clear();
    Zorvan->Anova1->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

TEST_F(AnovaRun, AbortLeavesThePreviousResultsAndNoBatchRow) {
  SetData(Columns({"g", "v"}, {kLabels, kValues}));
  Zorvan->Anova1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = MemoLines(AnovaShell->Memo1);
  const Lines groups = AnovaShell->SimulatedMeansStringGrid->RowTexts(1);
  SetData(Columns({"g", "v"}, {{"x", "y", "x", "y", "z"}, {"1", "2", "3", "4", "5"}}));
  answer.iterations = "100";
  for (int at : {1, 40}) {
    SCOPED_TRACE(at);
    int calls = 0;
    Application->Hooks.ProcessMessages = [&] {
      if (++calls == at) Progress->InterruptButton->Click();
    };
    Zorvan->Anova1->Click();
    Application->Hooks.ProcessMessages = nullptr;
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_EQ(MemoLines(AnovaShell->Memo1), summary);
    EXPECT_EQ(AnovaShell->SimulatedMeansStringGrid->RowTexts(1), groups);
  }
}

TEST_F(AnovaRun, FormsDesign) {
  TAnovaOpts* o = AnovaOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: ANOVA Options");
  EXPECT_EQ(o->LabelsList->Name(), "LabelsList");
  EXPECT_EQ(o->FirstLabel->Caption(), "&Labels:");
  EXPECT_EQ(o->SecondLabel->Caption(), "&Y variable:");
  EXPECT_EQ(o->IterationsEdit->Hint, "Iterations must be >0 and < 1,000,000");
  EXPECT_EQ(o->CurrentLabel_Column, 0);
  EXPECT_EQ(o->CurrentY_Column, 1);
  EXPECT_EQ(AnovaShell->Caption(), "Zorvan Professional: ANOVA Results");
  Lines tabs;
  for (int i = 0; i < AnovaShell->PageControl1->PageCount(); ++i)
    tabs.push_back(AnovaShell->PageControl1->Pages(i)->Caption());
  EXPECT_EQ(tabs, (Lines{"Input Matrix", "Simulation", "Observed Means", "Simulated Means", "Pseudo F-Ratio",
                         "Summary", "Time"}));
  EXPECT_EQ(AnovaShell->FRatioPage.ObservedGroup->Caption(), "Observed group variance");
  EXPECT_EQ(AnovaShell->FRatioPage.HistogramGroup->Caption(),
            "Histogram.....................................    # Simulations ");
  EXPECT_EQ(AnovaShell->Memo1->Hint, "You can annotate and edit this output.");
  EXPECT_EQ(AnovaShell->SuMmary1->Caption(), "Su&mmary");
}

using AnovaFiles = StandardFilesTest;

// Every reshuffle goes to "Sim" + i + ".txt": the reshuffled labels beside the values.
TEST_F(AnovaFiles, SimulatedDataFiles) {
  SetData(Columns({"group", "size"}, {kLabels, {"1", "2.5", "5", "6"}}));
  answer.saveMatrices = true;
  answer.iterations = "3";
  Zorvan->Anova1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_FALSE(FileExists("Sim4.txt"));
  std::vector<String> labels = kLabels;
  const std::vector<String> values{"1.00000", "2.50000", "5.00000", "6.00000"};
  RandSeed = 7;
  for (int i = 1; i <= 3; ++i) {
    for (Integer a = 0; a < 4; ++a) std::swap(labels[static_cast<size_t>(a)], labels[static_cast<size_t>(Random(4))]);
    Lines expected{"species group size"};
    for (int r = 0; r < 4; ++r) expected.push_back("species" + std::to_string(r + 1) + " " + labels[r] + " " + values[r]);
    EXPECT_EQ(FileLines("Sim" + std::to_string(i) + ".txt"), expected) << i;
  }
}

}  // namespace

// The runs test run through the program: the summary line by line against a run walked by
// hand (the permutations drawn in the program's order, each statistic by its definition), the
// pages, the batch row, every refusal with its messages, the abort (also inside a proportional
// draw), the options form, the "Sim" files and the results window's menu.
#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/runs_test/RunsTestRunSupport.h"
#include "classlib/WinApi.h"

using namespace runs_test;

namespace {

using RunsRun = RunsFixture<StandardRunTest>;
using RunsFiles = RunsFixture<StandardFilesTest>;

const std::vector<String> kX{"5", "1", "3", "2", "4"};
const std::vector<String> kY{"1", "0", "1", "1", "0"};

struct Stats {
  int longest;
  double mean, variance;
};

// Presence along X = 1..5, by definition.
Stats Of(const std::vector<int>& v) {
  Stats s{0, 0, 0};
  int run = 0;
  std::vector<double> xs;
  for (size_t p = 0; p < v.size(); ++p) {
    if (v[p] >= 1) {
      xs.push_back(static_cast<double>(p + 1));
      s.longest = std::max(s.longest, ++run);
    } else {
      run = 0;
    }
  }
  for (double x : xs) s.mean += x / xs.size();
  double ss = 0;
  for (double x : xs) ss += (x - s.mean) * (x - s.mean);
  s.variance = ss / (xs.size() - 1);
  return s;
}

Lines Block(const char* title, const char* noun, const char* plural, double observed, const String& observedText,
            std::vector<double> values) {
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
  const String o = noun, p = plural;
  Lines out{String(46, '_'), "", title,
            "Observed " + o + " = " + observedText,
            "Mean of simulated " + p + " = " + StatText(mean),
            "Variance of simulated " + p + " = " + StatText(variance),
            "",
            "Number of times observed " + o + " < simulated " + p + " = " + std::to_string(less),
            "Number of times observed " + o + " = simulated " + p + " = " + std::to_string(equal),
            "Number of times observed " + o + " > simulated " + p + " = " + std::to_string(greater),
            "Standardized Effect Size = " + StatText(variance > 0 ? (observed - mean) / std::sqrt(variance) : 0),
            "p(observed <= expected) = " + StatText((greater + equal) / n),
            "p(observed >= expected) = " + StatText((less + equal) / n),
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
  for (int k = 0; k < 13; ++k) out.push_back(e.Strings(k) + "  " + c.Strings(k));
  return out;
}

TEST_F(RunsRun, SummaryPagesAndBatchRowOfARunWalkedByHand) {
  const GridRows data = Columns({"x", "y"}, {kX, kY});
  SetData(data);
  Zorvan->RunsTest1->Click();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_FALSE(Zorvan->InterruptFlag);
  // X sorted 1..5 with the vector 0, 1, 1, 0, 1; each iteration permutes the last vector.
  std::vector<int> v{0, 1, 1, 0, 1};
  const Stats observed = Of(v);
  EXPECT_EQ(observed.longest, 2);
  RandSeed = 7;
  std::vector<double> longest, means, variances;
  for (int i = 0; i < 3; ++i) {
    for (Integer k = 0; k < 5; ++k) std::swap(v[static_cast<size_t>(k)], v[static_cast<size_t>(Random(5))]);
    const Stats s = Of(v);
    longest.push_back(s.longest);
    means.push_back(s.mean);
    variances.push_back(s.variance);
  }
  Lines expected{"Input file = " + Zorvan->FileName,
                 "XVariable = x",
                 "YVariable = y",
                 "Iterations = 3",
                 "Random seed = 7",
                 "Simulation constraints = equiprobable.",
                 "SamplingAlgorithm = without replacement.",
                 "Data type = linear."};
  for (const Lines& b : {Block("LONGEST RUN", "longest run", "longest runs", 2, "2", longest),
                         Block("MEAN", "mean", "mean", observed.mean, StatText(observed.mean), means),
                         Block("VARIANCE", "variance", "variance", observed.variance, StatText(observed.variance),
                               variances)})
    expected.insert(expected.end(), b.begin(), b.end());
  for (const String& l : Lines{String(46, '_'), "", "INPUT MATRIX:", ""}) expected.push_back(l);
  for (const auto& row : data) {
    String line;
    for (const String& cell : row) line += cell + " ";
    expected.push_back(line);
  }
  const Lines summary = MemoLines(RunsTestShell->Memo1);
  EXPECT_EQ(summary.size(), 99u + 6);
  ExpectLines(summary, expected);
  EXPECT_EQ(summary[40], "Observed mean = 3.33333");
  EXPECT_EQ(summary[69], "Observed variance = 2.33333");

  // The simulation page: row titles, sorted X and the last vector along X.
  TStringGrid* sim = RunsTestShell->SimulationGrid;
  EXPECT_EQ(sim->RowTexts(0), (Lines{"species", "x", "y"}));
  const Lines titles{"sp2", "sp4", "sp3", "sp5", "sp1"};
  for (int r = 1; r <= 5; ++r)
    EXPECT_EQ(sim->RowTexts(r), (Lines{titles[r - 1], StatText(r), std::to_string(v[r - 1])})) << r;
  EXPECT_EQ(RunsTestShell->InputGrid->RowTexts(1), data[1]);
  // The pages' seven lines; the observed longest run shown as an integer.
  EXPECT_EQ(MemoLines(RunsTestShell->LongestRunMemo),
            (Lines{"Observed longest run = 2", "", "Mean of simulated longest runs = " + expected[12].substr(33),
                   "Variance of simulated longest runs = " + expected[13].substr(37), "", expected[19], expected[20]}));
  EXPECT_EQ(MemoLines(RunsTestShell->MeanMemo)[2], "Mean of simulated means = " + expected[41].substr(25));
  EXPECT_EQ(MemoLines(RunsTestShell->VarianceMemo)[0], "Observed variance = 2.33333");
  EXPECT_EQ(RunsTestShell->ObservedLongestRunMemo->Lines()->Strings(
                RunsTestShell->ObservedLongestRunMemo->Lines()->Count() - 1),
            "2.........>");
  // The batch row reports the mean.
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1),
            (Lines{"Untitled.txt", expected[47].substr(27), expected[48].substr(26), expected[49].substr(26)}));
  EXPECT_TRUE(RunsTestShell->SimMeans.empty());
}

// Other options: the summary's choice lines, angular means, same seed same summary.
TEST_F(RunsRun, ChoicesAngularDataAndRepeatability) {
  SetData(Columns({"angle", "count"}, {{"350", "10", "20", "180"}, {"1", "1", "0", "0"}}));
  runs.dataType = 1;
  runs.constraints = 1;
  runs.sampling = 1;
  runs.iterations = "200";
  Zorvan->RunsTest1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines first = MemoLines(RunsTestShell->Memo1);
  EXPECT_EQ(first[5], "Simulation constraints = proportional.");
  EXPECT_EQ(first[6], "SamplingAlgorithm = with replacement.");
  EXPECT_EQ(first[7], "Data type = angular.");
  EXPECT_EQ(first[40], "Observed mean = 0.00000");
  Zorvan->RunsTest1->Click();
  EXPECT_EQ(MemoLines(RunsTestShell->Memo1), first);
  EXPECT_EQ(MemoLines(RunsTestShell->MeanMemo).size(), 7u);
}

TEST_F(RunsRun, EveryRefusalShowsItsMessagesAndLeavesNoResults) {
  struct Case {
    const char* name;
    GridRows data;
    RunsAnswer answer;
    Lines messages;
  };
  RunsAnswer same;
  same.y = 0;
  RunsAnswer none;
  none.iterations = "0";
  RunsAnswer proportional;
  proportional.constraints = 1;
  const GridRows data = Columns({"x", "y"}, {kX, kY});
  const Case cases[] = {
      {"X is Y", data, same, {"XVariable cannot equal YVariable.", "Initialization failed."}},
      {"no data rows", {{"species", "x", "y"}}, RunsAnswer{}, {"At least 1 row of data required.", "Initialization failed."}},
      {"no iterations", data, none, {"Iterations must be > 0."}},
      {"no occupied position", Columns({"x", "y"}, {kX, {"0", "0", "-1", "0", "0"}}), RunsAnswer{}, {"OnesCount error!"}},
      {"proportional on X all 0", Columns({"x", "y"}, {{"0", "0", "0"}, {"1", "0", "1"}}), proportional,
       {"Unable to satisfy restraints. Aborting simulation."}},
      {"proportional with a negative X", Columns({"x", "y"}, {{"-1", "2", "3"}, {"1", "0", "1"}}), proportional,
       {"Unable to satisfy restraints. Aborting simulation."}},
      {"proportional with too few weighted positions", Columns({"x", "y"}, {{"0", "0", "3"}, {"1", "1", "0"}}),
       proportional, {"Unable to satisfy restraints. Aborting simulation."}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    runs = k.answer;
    Application->Hooks.Messages.clear();
    Zorvan->RunsTest1->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

// Occupied X values whose variance lies beyond the range of a double are the floating-point
// error, not a result: no results, no batch row, and the next run goes on.
TEST_F(RunsRun, AnOverflowingStatisticEndsTheRunWithTheError) {
  // Squared deviations of 2e300 from the mean 1e300: 4e600.
  SetData(Columns({"x", "y"}, {{"1e300", "-1e300", "3e300"}, {"1", "1", "1"}}));
  SendMessage(Zorvan->Handle(), WM_COMMAND, Zorvan->RunsTest1->Command(), 0);
  EXPECT_EQ(Application->Hooks.Errors, Lines{"Floating point overflow."});
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(Progress->Visible());
  SetData(Columns({"x", "y"}, {kX, kY}));
  Zorvan->RunsTest1->Click();
  EXPECT_EQ(resultsShown, 1);
  EXPECT_EQ(MemoLines(RunsTestShell->MeanMemo)[0], "Observed mean = 3.33333");
}

TEST_F(RunsRun, AbortAlsoInsideAProportionalDrawLeavesNoResults) {
  SetData(Columns({"x", "y"}, {kX, kY}));
  Zorvan->RunsTest1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = MemoLines(RunsTestShell->Memo1);
  runs.iterations = "50";
  runs.constraints = 1;
  // Call 1: the progress window; then the first poll inside each iteration's draw.
  for (int at : {2, 4, 30}) {
    SCOPED_TRACE(at);
    int calls = 0;
    Application->Hooks.ProcessMessages = [&] {
      if (++calls == at) Progress->InterruptButton->Click();
    };
    Zorvan->RunsTest1->Click();
    Application->Hooks.ProcessMessages = nullptr;
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_EQ(MemoLines(RunsTestShell->Memo1), summary);
  }
}

TEST_F(RunsRun, OptionsFormDesignAndDefaults) {
  TRunsTestOpts* o = RunsTestOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Runs Test Options");
  EXPECT_EQ(o->FirstLabel->Caption(), "&X variable (continuous) :");
  EXPECT_EQ(o->SecondLabel->Caption(), "&Y variable (discrete) :");
  EXPECT_EQ(o->SimulationGroup->Caption(), "Simulation &Constraints");
  EXPECT_EQ(o->SamplingAlgorithmGroup->Items()->Strings(1), "With replacement");
  EXPECT_EQ(o->DataTypeGroup->Caption(), "&Data type (continuous variable )");
  EXPECT_EQ(RunsTestShell->Caption(), "Zorvan Professional: Runs Test Results");
  Lines tabs;
  for (int i = 0; i < RunsTestShell->PageControl1->PageCount(); ++i)
    tabs.push_back(RunsTestShell->PageControl1->Pages(i)->Caption());
  EXPECT_EQ(tabs, (Lines{"Input Matrix", "Simulation", "Length of Longest Run", "Mean", "Variance", "Summary", "Time"}));
  Lines results;
  for (int i = 0; i < RunsTestShell->Save1->Count(); ++i) results.push_back(RunsTestShell->Save1->Items(i)->Caption());
  EXPECT_EQ(results, (Lines{"Su&mmary", "-", "&Close"}));
  SetData(Columns({"a", "b", "c"}, {kX, kY, kX}));
  onRunsOptions = [o] {
    o->RandomSeedEdit->SetText("9");
    o->IterationsEdit->SetText("77");
    o->XvariableList->SetItemIndex(2);
    o->SimulationGroup->SetItemIndex(1);
    o->SamplingAlgorithmGroup->SetItemIndex(1);
    o->DataTypeGroup->SetItemIndex(1);
    o->ResetDefaults1->Click();
    EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
    EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
    EXPECT_EQ(o->XvariableList->ItemIndex(), 0);
    EXPECT_EQ(o->SimulationGroup->ItemIndex(), 0);
    EXPECT_EQ(o->SamplingAlgorithmGroup->ItemIndex(), 1);
    EXPECT_EQ(o->DataTypeGroup->ItemIndex(), 1);
  };
  runs.cancel = true;
  Zorvan->RunsTest1->Click();
  EXPECT_EQ(runsOptionsShown, 1);
  EXPECT_FALSE(Zorvan->RunSim);
}

TEST_F(RunsFiles, SimFilesSummarySaveAndBatch) {
  SetData(Columns({"x", "y"}, {kX, kY}));
  runs.saveMatrices = true;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->FileName = (dir_ / "out.txt").string();
    return true;
  };
  onResults = [] {
    RunsTestShell->SuMmary1->Click();
    RunsTestShell->Help1->Click();
  };
  Zorvan->RunsTest1->Click();
  ASSERT_EQ(resultsShown, 1);
  // "Su&mmary" saved the summary as shown; "&Help" asked for the help file.
  EXPECT_EQ(FileLines("out.txt"), MemoLines(RunsTestShell->Memo1));
  ASSERT_EQ(Application->Hooks.ShellRequests.size(), 1u);
  EXPECT_NE(Application->Hooks.ShellRequests[0].File.find("zvphelp.chm"), String::npos);
  std::vector<int> v{0, 1, 1, 0, 1};
  RandSeed = 7;
  for (int i = 1; i <= 3; ++i) {
    for (Integer k = 0; k < 5; ++k) std::swap(v[static_cast<size_t>(k)], v[static_cast<size_t>(Random(5))]);
    Lines expected{"species x y"};
    for (int r = 0; r < 5; ++r)
      expected.push_back("species" + std::to_string(r + 1) + " " + StatText(r + 1) + " " + std::to_string(v[r]));
    EXPECT_EQ(FileLines("Sim" + std::to_string(i) + ".txt"), expected) << i;
  }

  // Batch over a folder: one summary and one row per file.
  onResults = nullptr;
  runs.saveMatrices = false;
  WriteDataFile("a.txt", Columns({"x", "y"}, {kX, kY}));
  WriteDataFile("b.txt", Columns({"x", "y"}, {{"1", "2", "3", "4"}, {"1", "1", "0", "1"}}));
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\n");
  Zorvan->RunsTest1->Click();
  EXPECT_EQ(resultsShown, 1);
  const Lines batch = FileLines("BatchSummary.txt");
  ASSERT_EQ(batch.size(), 3u);
  const Lines b = FileLines("Summaryb.txt");
  EXPECT_EQ(b[0], "Input file = " + (dir_ / "b.txt").string());
  EXPECT_EQ(b[11], "Observed longest run = 2");
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(2), (Lines{"b.txt", b[47].substr(27), b[48].substr(26), b[49].substr(26)}));
}

}  // namespace

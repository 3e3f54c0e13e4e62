// The regression test run through the program: the summary line by line against a run walked
// by hand (the permutations drawn in the program's order, each line by the plain formulas),
// the pages and charts, repeatability, the edge cases of linear and constant data, every
// refusal with its messages, the abort, the options form's memory, and the "Sim" files.
#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/standard_tests/StandardRunSupport.h"
#include "classlib/WinApi.h"

using namespace standard_test;

namespace {

using RegressionRun = StandardRunTest;

const std::vector<String> kX{"1", "2", "3", "4", "5"};
const std::vector<String> kY{"2", "4", "5", "4", "5"};

struct Line {
  double slope, intercept, r;
};

// The least-squares line from its definition.
Line Fit(const std::vector<double>& x, const std::vector<double>& y) {
  const double n = static_cast<double>(x.size());
  double mx = 0, my = 0;
  for (size_t i = 0; i < x.size(); ++i) mx += x[i] / n, my += y[i] / n;
  double sxy = 0, sxx = 0, syy = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
    syy += (y[i] - my) * (y[i] - my);
  }
  const double slope = sxx > 0 ? sxy / sxx : 0;
  return {slope, my - slope * mx, sxx * syy > 0 ? sxy / std::sqrt(sxx * syy) : 0};
}

struct Walk {
  Line observed;
  std::vector<double> slopes, intercepts, rs;
  std::vector<double> lastY;
};

// The run by hand: seed, then per iteration y[k] and y[Random(n)] exchanged for k = 0..n-1.
Walk WalkByHand(std::vector<double> x, std::vector<double> y, Cardinal seed, int iterations) {
  Walk w;
  w.observed = Fit(x, y);
  RandSeed = seed;
  const Integer n = static_cast<Integer>(y.size());
  for (int i = 0; i < iterations; ++i) {
    for (Integer k = 0; k < n; ++k) {
      const Integer j = Random(n);
      std::swap(y[static_cast<size_t>(k)], y[static_cast<size_t>(j)]);
    }
    const Line l = Fit(x, y);
    w.slopes.push_back(l.slope);
    w.intercepts.push_back(l.intercept);
    w.rs.push_back(l.r);
  }
  w.lastY = y;
  return w;
}

struct Words {
  const char *title, *noun, *plural;
};

// A block of the summary from the simulated values, counted here.
Lines Block(const Words& w, double observed, std::vector<double> values) {
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
  const String o = w.noun, p = w.plural;
  Lines out{String(46, '_'), "", w.title,
            "Observed " + o + " = " + StatText(observed),
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

const Words kInterceptWords{"Y-INTERCEPT", "y-intercept", "y-intercepts"};
const Words kSlopeWords{"SLOPE", "slope", "slope"};
const Words kRWords{"R", "r", "r"};

std::vector<double> Numbers(const std::vector<String>& texts) {
  std::vector<double> out;
  for (const String& t : texts) out.push_back(LeadingReal(t));
  return out;
}

void ExpectPoint(const TChartSeries* s, int i, double x, double y, TColor colour) {
  SCOPED_TRACE(i);
  EXPECT_NEAR(s->XValue(i), x, 1e-12);
  EXPECT_NEAR(s->YValue(i), y, 1e-12);
  EXPECT_EQ(s->ValueColor(i), colour);
  EXPECT_EQ(s->Value(i).Label, "");
}

// The whole summary of three iterations, the pages, the charts and the batch row.
TEST_F(RegressionRun, SummaryPagesAndChartsOfARunWalkedByHand) {
  const GridRows data = Columns({"x", "y"}, {kX, kY});
  SetData(data);
  answer.iterations = "3";
  Zorvan->Regression1->Click();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_FALSE(Zorvan->InterruptFlag);
  const std::vector<double> x = Numbers(kX);
  const Walk w = WalkByHand(x, Numbers(kY), 7, 3);

  Lines expected{"Input file = " + Zorvan->FileName, "XVariable = x", "YVariable = y", "Iterations = 3",
                 "Random seed = 7"};
  for (const Lines& b : {Block(kInterceptWords, w.observed.intercept, w.intercepts),
                         Block(kSlopeWords, w.observed.slope, w.slopes), Block(kRWords, w.observed.r, w.rs)}) {
    EXPECT_EQ(b.size(), 29u);
    expected.insert(expected.end(), b.begin(), b.end());
  }
  for (const String& l : Lines{String(46, '_'), "", "INPUT MATRIX:", ""}) expected.push_back(l);
  for (const auto& row : data) {
    String line;
    for (const String& cell : row) line += cell + " ";
    expected.push_back(line);
  }
  const Lines summary = MemoLines(RegressionShell->Memo1);
  ExpectLines(summary, expected);
  EXPECT_EQ(summary[8], "Observed y-intercept = 2.20000");
  EXPECT_EQ(summary[37], "Observed slope = 0.60000");
  EXPECT_EQ(summary[66], "Observed r = 0.77460");

  // The permuted column of the last iteration beside the unchanged X.
  TStringGrid* sim = RegressionShell->SimulationGrid;
  ASSERT_EQ(sim->RowCount(), 6);
  EXPECT_EQ(sim->RowTexts(0), data[0]);
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(sim->RowTexts(r), (Lines{data[r][0], StatText(x[r - 1]), StatText(w.lastY[r - 1])})) << r;
    EXPECT_EQ(RegressionShell->InputGrid->RowTexts(r), data[r]);
  }
  // The simulated values, sorted once the statistics are made.
  std::vector<double> slopes = w.slopes;
  std::sort(slopes.begin(), slopes.end());
  ASSERT_EQ(RegressionShell->SimCOEfficients.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(RegressionShell->SimCOEfficients[i], slopes[i], 1e-12);

  // Each statistic's page: seven lines and the observed value beside its bin.
  auto value = [](const String& line) { return line.substr(line.find(" = ") + 3); };
  EXPECT_EQ(MemoLines(RegressionShell->SlopeMemo),
            (Lines{"Observed slope = 0.60000", "", "Mean of simulated slopes = " + value(expected[34 + 4]),
                   "Variance of simulated slopes = " + value(expected[34 + 5]), "", expected[34 + 11],
                   expected[34 + 12]}));
  EXPECT_EQ(MemoLines(RegressionShell->InterceptMemo)[0], "Observed y-intercept = 2.20000");
  EXPECT_EQ(MemoLines(RegressionShell->InterceptMemo)[2], expected[5 + 4]);
  EXPECT_EQ(MemoLines(RegressionShell->RMemo)[6], expected[63 + 12]);
  // The marker from the shared histogram routine over the walked slopes, not from the run's own
  // statistics record.
  String slopeMarker;
  BuildHistogram_LastIndex(2, slopes, w.observed.slope, slopeMarker);
  TStringList marker;
  marker.SetText(slopeMarker + "0.60000.........>");
  EXPECT_EQ(RegressionShell->ObservedSlopeMemo->Lines()->Text(), marker.Text());
  EXPECT_EQ(MemoLines(RegressionShell->SlopeHistogramMemo2).size(), 13u);

  // Observed chart: the points in blue, the line (0, b), means, (largest x, ...) in red.
  ASSERT_EQ(RegressionShell->Series5->Count(), 5);
  for (int i = 0; i < 5; ++i) ExpectPoint(RegressionShell->Series5, i, x[i], LeadingReal(kY[i]), clBlue);
  ASSERT_EQ(RegressionShell->Series6->Count(), 3);
  ExpectPoint(RegressionShell->Series6, 0, 0, 2.2, clRed);
  ExpectPoint(RegressionShell->Series6, 1, 3, 4, clRed);
  ExpectPoint(RegressionShell->Series6, 2, 5, 5.2, clRed);
  // Simulated chart: the last permutation and the line of the mean simulated slope.
  double meanSlope = 0;
  for (double s : w.slopes) meanSlope += s / 3;
  ASSERT_EQ(RegressionShell->Series7->Count(), 5);
  for (int i = 0; i < 5; ++i) ExpectPoint(RegressionShell->Series7, i, x[i], w.lastY[i], clBlue);
  ASSERT_EQ(RegressionShell->Series8->Count(), 3);
  ExpectPoint(RegressionShell->Series8, 0, 0, 4 - meanSlope * 3, clRed);
  ExpectPoint(RegressionShell->Series8, 2, 5, meanSlope * 5 + 4 - meanSlope * 3, clRed);
  EXPECT_EQ(RegressionShell->Chart3->Title(), "Observed");
  EXPECT_EQ(RegressionShell->Chart4->Title(), "Simulated");

  EXPECT_EQ(RegressionShell->PageControl1->ActivePage(), RegressionShell->InputSheet);
  EXPECT_EQ(RegressionShell->TimeMemo->Lines()->Strings(0).rfind("Stop time = ", 0), 0u);
  EXPECT_EQ(RegressionShell->TimeMemo->Lines()->Strings(1).rfind("Start time = ", 0), 0u);
  // The batch row: the slope's effect size and tail probabilities.
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1),
            (Lines{"Untitled.txt", expected[34 + 10].substr(27), expected[34 + 11].substr(26),
                   expected[34 + 12].substr(26)}));
}

// The same seed and data give the same summary; a run replaces the pages' lines.
TEST_F(RegressionRun, SameSeedSameSummary) {
  SetData(Columns({"x", "y", "z"}, {kX, kY, {"9", "1", "4", "4", "0"}}));
  answer.iterations = "200";
  answer.seed = "12345";
  Zorvan->Regression1->Click();
  const Lines first = MemoLines(RegressionShell->Memo1);
  Zorvan->Regression1->Click();
  ASSERT_EQ(resultsShown, 2);
  EXPECT_EQ(MemoLines(RegressionShell->Memo1), first);
  EXPECT_EQ(MemoLines(RegressionShell->SlopeMemo).size(), 7u);
  // Another pair of columns: X = z, Y = x.
  answer.first = 2;
  answer.second = 0;
  Zorvan->Regression1->Click();
  const Lines other = MemoLines(RegressionShell->Memo1);
  EXPECT_EQ(other[1], "XVariable = z");
  EXPECT_EQ(other[2], "YVariable = x");
  EXPECT_EQ(RegressionShell->SimulationGrid->RowTexts(0), (Lines{"species", "z", "x"}));
}

TEST_F(RegressionRun, LinearAndConstantData) {
  // y = 2x + 1: slope 2, intercept 1, r 1; no permutation has a larger slope.
  SetData(Columns({"x", "y"}, {kX, {"3", "5", "7", "9", "11"}}));
  answer.iterations = "100";
  Zorvan->Regression1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(MemoLines(RegressionShell->SlopeMemo)[0], "Observed slope = 2.00000");
  EXPECT_EQ(MemoLines(RegressionShell->SlopeMemo)[5], "p(observed <= expected) = 1.00000");
  EXPECT_EQ(MemoLines(RegressionShell->InterceptMemo)[0], "Observed y-intercept = 1.00000");
  EXPECT_EQ(MemoLines(RegressionShell->RMemo)[0], "Observed r = 1.00000");
  EXPECT_EQ(RegressionShell->Series6->XValue(0), 0);
  EXPECT_EQ(RegressionShell->Series6->YValue(0), 1);

  // A constant Y: every permutation gives the observed line again.
  SetData(Columns({"x", "y"}, {kX, {"4", "4", "4", "4", "4"}}));
  Zorvan->Regression1->Click();
  ASSERT_EQ(resultsShown, 2);
  const Lines s = MemoLines(RegressionShell->Memo1);
  for (size_t block : {5u, 34u, 63u}) {
    SCOPED_TRACE(block);
    EXPECT_EQ(s[block + 5].substr(s[block + 5].size() - 8), " 0.00000");  // variance
    EXPECT_EQ(s[block + 10], "Standardized Effect Size = 0.00000");
    EXPECT_EQ(s[block + 11], "p(observed <= expected) = 1.00000");
    EXPECT_EQ(s[block + 12], "p(observed >= expected) = 1.00000");
  }
  EXPECT_EQ(s[66], "Observed r = 0.00000");
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1)[1], "0.00000");
}

TEST_F(RegressionRun, EveryRefusalShowsItsMessagesAndStopsTheRun) {
  struct Case {
    const char* name;
    GridRows data;
    Answer answer;
    Lines messages;
  };
  Answer same;
  same.second = 0;
  Answer none;
  none.iterations = "0";
  Answer text;
  text.iterations = "many";
  const GridRows data = Columns({"x", "y"}, {kX, kY});
  const Case cases[] = {
      {"X is Y", data, same, {"XVariable cannot equal YVariable.", "Initialization failed."}},
      {"no data rows", {{"species", "x", "y"}}, Answer{}, {"At least 1 row of data required.", "Initialization failed."}},
      {"no iterations", data, none, {"Iterations must be > 0."}},
      {"iterations not a number", data, text, {"Iterations must be > 0."}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    answer = k.answer;
    Application->Hooks.Messages.clear();
    Zorvan->Regression1->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

// A line beyond the range of a double is the floating-point error, not a result: the run ends
// without results or batch row, and the next run goes on as usual.
TEST_F(RegressionRun, AnOverflowingLineEndsTheRunWithTheError) {
  // Sxx = 5e-401 and Sxy = 0.5: a slope of 1e400.
  SetData(Columns({"x", "y"}, {{"0", "1e-200"}, {"0", "1e200"}}));
  // Chosen from the menu, so that the error reaches the error box as a person sees it.
  SendMessage(Zorvan->Handle(), WM_COMMAND, Zorvan->Regression1->Command(), 0);
  EXPECT_EQ(Application->Hooks.Errors, Lines{"Floating point overflow."});
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(Progress->Visible());
  SetData(Columns({"x", "y"}, {kX, kY}));
  Zorvan->Regression1->Click();
  EXPECT_EQ(resultsShown, 1);
  EXPECT_EQ(MemoLines(RegressionShell->SlopeMemo)[0], "Observed slope = 0.60000");
}

// With fewer than two data columns the options form closes at once and nothing runs.
TEST_F(RegressionRun, OneColumnIsRefusedByTheOptionsForm) {
  SetData(Columns({"x"}, {kX}));
  Zorvan->Regression1->Click();
  EXPECT_EQ(Application->Hooks.Messages, Lines{"At least two columns required."});
  EXPECT_FALSE(Zorvan->RunSim);
  EXPECT_FALSE(Zorvan->Flag);
  EXPECT_EQ(resultsShown, 0);
  // The next showing on two columns offers the first two.
  SetData(Columns({"x", "y"}, {kX, kY}));
  onOptions = [] {
    EXPECT_EQ(RegressionOpts->XvariableCList->ItemIndex(), 0);
    EXPECT_EQ(RegressionOpts->YvariableCList->ItemIndex(), 1);
  };
  Zorvan->Regression1->Click();
  EXPECT_EQ(resultsShown, 1);
}

// The choices are remembered; on a narrower matrix they fall back to the first two columns.
TEST_F(RegressionRun, RememberedColumnsAndTheirFallBack) {
  SetData(Columns({"a", "b", "c", "d"}, {kX, kY, kX, kY}));
  answer.first = 3;
  answer.second = 2;
  Zorvan->Regression1->Click();
  EXPECT_EQ(RegressionOpts->CurrentX_Column, 3);
  EXPECT_EQ(RegressionOpts->CurrentY_Column, 2);
  std::vector<std::pair<int, int>> shown;
  onOptions = [&] {
    shown.emplace_back(RegressionOpts->XvariableCList->ItemIndex(), RegressionOpts->YvariableCList->ItemIndex());
    EXPECT_EQ(RegressionOpts->FileEdit->Text(), Zorvan->FileName);
  };
  answer.cancel = true;
  Zorvan->Regression1->Click();
  SetData(Columns({"a", "b", "c"}, {kX, kY, kX}));
  Zorvan->Regression1->Click();
  EXPECT_EQ(shown, (std::vector<std::pair<int, int>>{{3, 2}, {0, 1}}));
  EXPECT_EQ(resultsShown, 1);
}

TEST_F(RegressionRun, AbortLeavesThePreviousResultsAndNoBatchRow) {
  SetData(Columns({"x", "y"}, {kX, kY}));
  Zorvan->Regression1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = MemoLines(RegressionShell->Memo1);
  const Lines simulated = RegressionShell->SimulationGrid->RowTexts(1);
  const int points = RegressionShell->Series7->Count();
  SetData(Columns({"x", "y"}, {{"1", "2", "3"}, {"3", "1", "2"}}));
  answer.iterations = "100";
  for (int at : {1, 40}) {
    SCOPED_TRACE(at);
    int calls = 0;
    Application->Hooks.ProcessMessages = [&] {
      if (++calls == at) Progress->InterruptButton->Click();
    };
    Zorvan->Regression1->Click();
    Application->Hooks.ProcessMessages = nullptr;
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_EQ(MemoLines(RegressionShell->Memo1), summary);
    EXPECT_EQ(RegressionShell->SimulationGrid->RowTexts(1), simulated);
    EXPECT_EQ(RegressionShell->Series7->Count(), points);
  }
}

TEST_F(RegressionRun, OptionsFormDesignAndDefaults) {
  TRegressionOpts* o = RegressionOpts;
  EXPECT_EQ(o->Caption(), "Zorvan Professional: Regression Options");
  EXPECT_EQ(o->XvariableCList->Name(), "XvariableCList");
  EXPECT_EQ(o->FirstLabel->Caption(), "&X variable:");
  EXPECT_EQ(o->SecondLabel->Caption(), "&Y variable:");
  EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
  EXPECT_EQ(o->IterationsEdit->EditMask(), "!99999;1; ");
  EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
  EXPECT_EQ(o->FileEdit->Text(), "Untitled.txt");
  EXPECT_EQ(RegressionShell->Caption(), "Zorvan Professional: Regression Results");
  Lines tabs;
  for (int i = 0; i < RegressionShell->PageControl1->PageCount(); ++i)
    tabs.push_back(RegressionShell->PageControl1->Pages(i)->Caption());
  EXPECT_EQ(tabs, (Lines{"Input Matrix", "Simulation", "Charts", "Intercept", "Slope", "r", "Summary", "Time"}));
  SetData(Columns({"a", "b", "c"}, {kX, kY, kX}));
  onOptions = [o] {
    o->RandomSeedEdit->SetText("9");
    o->SaveMatrixCheckBox->SetChecked(true);
    o->IterationsEdit->SetText("77");
    o->XvariableCList->SetItemIndex(2);
    o->YvariableCList->SetItemIndex(0);
    o->ResetDefaults1->Click();
    EXPECT_EQ(o->RandomSeedEdit->Text(), "0");
    EXPECT_FALSE(o->SaveMatrixCheckBox->Checked());
    EXPECT_EQ(o->IterationsEdit->Text(), "1000 ");
    EXPECT_EQ(o->XvariableCList->ItemIndex(), 0);
    EXPECT_EQ(o->YvariableCList->ItemIndex(), 1);
  };
  answer.cancel = true;
  Zorvan->Regression1->Click();
  EXPECT_EQ(optionsShown, 1);
  EXPECT_FALSE(Zorvan->RunSim);
}

using RegressionFiles = StandardFilesTest;

// Every permutation goes to "Sim" + i + ".txt": the X values beside the permuted Y values.
TEST_F(RegressionFiles, SimulatedDataFiles) {
  SetData(Columns({"x", "y"}, {kX, kY}));
  answer.saveMatrices = true;
  answer.iterations = "3";
  Zorvan->Regression1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_FALSE(FileExists("Sim4.txt"));
  std::vector<double> y = Numbers(kY);
  RandSeed = 7;
  for (int i = 1; i <= 3; ++i) {
    for (Integer k = 0; k < 5; ++k) std::swap(y[static_cast<size_t>(k)], y[static_cast<size_t>(Random(5))]);
    Lines expected{"species x y"};
    for (int r = 0; r < 5; ++r)
      expected.push_back("species" + std::to_string(r + 1) + " " + StatText(r + 1) + " " + StatText(y[r]));
    EXPECT_EQ(FileLines("Sim" + std::to_string(i) + ".txt"), expected) << i;
  }
}

TEST_F(RegressionFiles, SummaryIsSavedAsShown) {
  SetData(Columns({"x", "y"}, {kX, kY}));
  std::vector<std::pair<String, String>> asked;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    asked.emplace_back(dialog->Title, dialog->FileName);
    dialog->FileName = (dir_ / "out.txt").string();
    return true;
  };
  onResults = [] {
    RegressionShell->Memo1->Lines()->Add("my note");
    RegressionShell->SuMmary1->Click();
  };
  Zorvan->Regression1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(asked, (std::vector<std::pair<String, String>>{{"Select a file name.", "summary.txt"}}));
  const Lines saved = FileLines("out.txt");
  EXPECT_EQ(saved, MemoLines(RegressionShell->Memo1));
  EXPECT_EQ(saved.back(), "my note");
}

}  // namespace

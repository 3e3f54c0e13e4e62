// The macroecology run through the program: the summary line by line against a run walked by
// hand (the data-defined permutations drawn in the program's order, each point set measured by
// the core), the pages and the four charts, the draw order of the uniform and normal
// constraints seen in the "Sim" files, every refusal with its messages, the abort, and batch
// mode over a folder.
#include "analysis/macroecology/MacroRunSupport.h"

using namespace macro_test;

namespace {

using MacroecologyRun = MacroRunTest;

const std::vector<String> kX{"1", "2", "3", "4", "6"};
const std::vector<String> kY{"2", "5", "1", "4", "3"};
const std::vector<double> kXs{1, 2, 3, 4, 6}, kYs{2, 5, 1, 4, 3};

struct Walk {
  TPatternValues observed;
  std::vector<TPatternValues> sims;
  std::vector<double> lastY;
};

// The data-defined run by hand: per iteration y[k] and y[Random(n)] exchanged for k = 0..n-1.
Walk WalkByHand(const TPatternChoice& choice, Cardinal seed, int iterations) {
  Walk w;
  TPointSet p;
  p.Assign(kXs, kYs);
  MeasurePoints(p, choice, w.observed);
  RandSeed = seed;
  std::vector<double> y = kYs;
  for (int i = 0; i < iterations; ++i) {
    for (Integer k = 0; k < 5; ++k) std::swap(y[static_cast<size_t>(k)], y[static_cast<size_t>(Random(5))]);
    TPointSet q;
    q.Assign(kXs, y);
    w.sims.emplace_back();
    MeasurePoints(q, choice, w.sims.back());
  }
  w.lastY = y;
  return w;
}

template <class F>
std::vector<double> Values(const Walk& w, F f) {
  std::vector<double> out;
  for (const TPatternValues& v : w.sims) out.push_back(f(v));
  return out;
}

void ExpectPoint(const TChartSeries* s, int i, double x, double y, TColor colour) {
  SCOPED_TRACE(i);
  EXPECT_NEAR(s->XValue(i), x, 1e-12);
  EXPECT_NEAR(s->YValue(i), y, 1e-12);
  EXPECT_EQ(s->ValueColor(i), colour);
}

TEST_F(MacroecologyRun, SummaryPagesAndChartsOfARunWalkedByHand) {
  const GridRows data = Columns({"size", "range"}, {kX, kY});
  SetData(data);
  macro.symmetry = 1;
  macro.shape = 3;
  macro.boundary = 1;
  ASSERT_NO_FATAL_FAILURE(Zorvan->Macroecology1->Click());
  ASSERT_EQ(resultsShown, 1);
  ASSERT_FALSE(Zorvan->InterruptFlag);
  const Walk w = WalkByHand({TDataDistribution::Asymmetric, TShape::InvertedPyramid, TBoundary::UpperLeft}, 7, 3);

  Lines expected{"Input file = " + Zorvan->FileName,
                 "XVariable = size",
                 "YVariable = range",
                 "Iterations = 3",
                 "Random seed = 7",
                 "Data distribution = Asymmetric",
                 "Constraint = Data-defined",
                 "Shape = Inverted Pyramid",
                 "Boundary test = Upper Left"};
  const Lines blocks[] = {
      Block(kDispersionWords, w.observed.Variance, Values(w, [](auto& v) { return v.Variance; })),
      Block(kSlopeWords, w.observed.Coefficient, Values(w, [](auto& v) { return v.Coefficient; })),
      Block(PointsWords("SHAPE # OF POINTS"), w.observed.WithinSpace, Values(w, [](auto& v) { return v.WithinSpace; })),
      Block(SquaresWords("SHAPE SUM OF SQUARES"), w.observed.SumSquares, Values(w, [](auto& v) { return v.SumSquares; })),
      Block(PointsWords("BOUNDARY # OF POINTS"), w.observed.BoundaryWithinSpace,
            Values(w, [](auto& v) { return v.BoundaryWithinSpace; })),
      Block(SquaresWords("BOUNDARY SUM OF SQUARES"), w.observed.BoundarySumSquares,
            Values(w, [](auto& v) { return v.BoundarySumSquares; })),
  };
  for (const Lines& b : blocks) {
    EXPECT_EQ(b.size(), 29u);
    expected.insert(expected.end(), b.begin(), b.end());
  }
  for (const String& l : Lines{String(46, '_'), "", "INPUT MATRIX:", ""}) expected.push_back(l);
  for (const auto& row : data) {
    String line;
    for (const String& cell : row) line += cell + " ";
    expected.push_back(line);
  }
  const Lines summary = MemoLines(MacroEcology->Memo1);
  ExpectLines(summary, expected);
  // The hand values of the core's tests: dispersion 1/12, slope 1/14.8, inverted pyramid 2.
  EXPECT_EQ(summary[12], "Observed dispersion = 0.08333");
  EXPECT_EQ(summary[41], "Observed slope = 0.06757");
  EXPECT_EQ(summary[70], "Observed Points within space = 2.00000");
  EXPECT_EQ(summary[99], "Observed Sum of Squares = 53.44444");

  // The grids: the numbers as read, and the last permutation beside the unchanged X.
  for (int r = 1; r <= 5; ++r) {
    EXPECT_EQ(MacroEcology->InputGrid->RowTexts(r), (Lines{data[r][0], StatText(kXs[r - 1]), StatText(kYs[r - 1])}));
    EXPECT_EQ(MacroEcology->SimulationGrid->RowTexts(r),
              (Lines{data[r][0], StatText(kXs[r - 1]), StatText(w.lastY[r - 1])}));
  }
  EXPECT_EQ(MacroEcology->InputGrid->RowTexts(0), (Lines{"species", "size", "range"}));

  // The pages: seven lines each, the observed value beside its bin with the page's arrow.
  auto value = [](const String& line) { return line.substr(line.find(" = ") + 3); };
  EXPECT_EQ(MemoLines(MacroEcology->DispersionPage.Page.Statistics),
            (Lines{"Observed dispersion = 0.08333", "", "Mean of simulated dispersions = " + value(expected[13]),
                   "Variance of simulated disersions = " + value(expected[14]), "", expected[20], expected[21]}));
  EXPECT_EQ(MemoLines(MacroEcology->MeanPage.Page.Statistics)[0], "Observed number of points = 2.00000");
  EXPECT_EQ(MemoLines(MacroEcology->SquaresPage.Page.Statistics)[3],
            "Variance of simulated sum of squares = " + value(expected[96 + 5]));
  EXPECT_EQ(MemoLines(MacroEcology->SlopePage.Page.Statistics)[2], "Mean of simulated slopes = " + value(expected[42]));
  const struct {
    const TMacroStatisticPage* page;
    const TMacroStatistic* stat;
    const char* arrow;
  } pages[] = {{&MacroEcology->MeanPage, &MacroEcology->SpaceStat, ".........>"},
               {&MacroEcology->BoundaryMeanPage, &MacroEcology->BoundarySpaceStat, ".........>"},
               {&MacroEcology->SlopePage, &MacroEcology->SlopeStat, ".........>"},
               {&MacroEcology->SquaresPage, &MacroEcology->SumSquaresStat, "......>"},
               {&MacroEcology->BoundarySquaresPage, &MacroEcology->BoundarySumSquaresStat, "......>"},
               {&MacroEcology->DispersionPage, &MacroEcology->DispersionStat, "...........>"}};
  for (const auto& p : pages) {
    TStringList marker;
    marker.SetText(p.stat->Record.Marker + StatText(p.stat->Record.Observed) + p.arrow);
    EXPECT_EQ(p.page->Page.Observed->Lines()->Text(), marker.Text());
    EXPECT_EQ(MemoLines(p.page->Low).size(), 13u);
    // Bin k's high edge is bin k+1's low edge.
    EXPECT_EQ(MemoLines(p.page->High)[1], MemoLines(p.page->Low)[2]);
    EXPECT_EQ(MemoLines(p.page->Page.Histogram2).size(), 13u);
    EXPECT_FALSE(p.page->Page.Histogram->Visible());
  }

  // Boundary charts: the points in blue and the boundary line from (MinX, mY) to (mX, MaxY) in
  // red; under the data-defined constraint the simulated line is the observed one.
  for (TChartSeries* s : {MacroEcology->Series1, MacroEcology->Series5}) {
    ASSERT_EQ(s->Count(), 5);
    for (int i = 0; i < 5; ++i) ExpectPoint(s, i, kXs[i], kYs[i], clBlue);
  }
  for (TChartSeries* s : {MacroEcology->Series3, MacroEcology->Series7}) {
    ASSERT_EQ(s->Count(), 5);
    for (int i = 0; i < 5; ++i) ExpectPoint(s, i, kXs[i], w.lastY[i], clBlue);
  }
  for (TChartSeries* s : {MacroEcology->Series2, MacroEcology->Series4}) {
    ASSERT_EQ(s->Count(), 2);
    ExpectPoint(s, 0, 1, 3, clRed);
    ExpectPoint(s, 1, 3, 5, clRed);
  }
  // Regression charts: (0, b), the means, (largest x, s * largest x + b).
  const double s0 = 1 / 14.8, b0 = 3 - s0 * 3.2;
  ASSERT_EQ(MacroEcology->Series6->Count(), 3);
  ExpectPoint(MacroEcology->Series6, 0, 0, b0, clRed);
  ExpectPoint(MacroEcology->Series6, 1, 3.2, 3, clRed);
  ExpectPoint(MacroEcology->Series6, 2, 6, s0 * 6 + b0, clRed);
  double meanSlope = 0;
  for (const TPatternValues& v : w.sims) meanSlope += v.Coefficient / 3;
  ASSERT_EQ(MacroEcology->Series8->Count(), 3);
  ExpectPoint(MacroEcology->Series8, 0, 0, 3 - meanSlope * 3.2, clRed);
  ExpectPoint(MacroEcology->Series8, 2, 6, meanSlope * 6 + 3 - meanSlope * 3.2, clRed);
  EXPECT_EQ(MacroEcology->Chart1->Title(), "Observed");
  EXPECT_EQ(MacroEcology->Chart2->Title(), "Simulated");
  EXPECT_EQ(MacroEcology->Chart3->Title(), "Observed");
  EXPECT_EQ(MacroEcology->Chart4->Title(), "Simulated");

  EXPECT_EQ(MacroEcology->PageControl1->ActivePage(), MacroEcology->InputSheet);
  EXPECT_EQ(MacroEcology->TimeMemo->Lines()->Strings(0).rfind("Stop time = ", 0), 0u);
  EXPECT_EQ(MacroEcology->TimeMemo->Lines()->Strings(1).rfind("Start time = ", 0), 0u);
  // The batch row: the shape count's effect size and tail probabilities.
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(1), (Lines{"Untitled.txt", expected[67 + 10].substr(27),
                                                   expected[67 + 11].substr(26), expected[67 + 12].substr(26)}));
  EXPECT_TRUE(MacroEcology->Points.X.empty());  // released at the end of the run
}

TEST_F(MacroecologyRun, WindowDesign) {
  EXPECT_EQ(MacroEcology->Caption(), "Zorvan -- Macroecology Results");
  Lines tabs;
  for (int i = 0; i < MacroEcology->PageControl1->PageCount(); ++i)
    tabs.push_back(MacroEcology->PageControl1->Pages(i)->Caption());
  EXPECT_EQ(tabs, (Lines{"Input Matrix", "Simulation", "Dispersion", "Regression Slope", "Regression Charts",
                         "Shape # of Points", "Shape Sum of Squares", "Boundary # of Points",
                         "Boundary Sum of Squares", "Boundary Charts", "Summary", "Time"}));
  EXPECT_EQ(MacroEcology->DispersionPage.Page.HistogramGroup->Caption(),
            "Histogram Low.......High.....................    # Simulations ");
  EXPECT_EQ(MacroEcology->DispersionPage.Low->Name(), "DispersionHistogramMemoLow");
  EXPECT_EQ(MacroEcology->SlopePage.Page.Observed->Name(), "ObservedCOmeanMemo");
  EXPECT_EQ(MacroEcology->BoundarySquaresPage.Page.HistogramGroup->Caption(),
            "Histogram Low.....  High.......................    # Simulations ");
}

// Uniform: per point y then x from the next two reals, in the user's box; the first
// simulated points as the "Sim" file holds them. One iteration: every variance and effect
// size 0.
TEST_F(MacroecologyRun, UniformConstraintDrawsInTheUsersBox) {
  SetData(Columns({"size", "range"}, {kX, kY}));
  macro.constraint = 1;
  macro.dialog = {"0", "10", "1", "2"};
  macro.saveMatrices = true;
  macro.iterations = "1";
  macro.seed = "99";
  Zorvan->Macroecology1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(dialogsShown, 1);
  RandSeed = 99;
  Lines expected{"species size range"};
  std::vector<double> x, y;
  for (int k = 0; k < 5; ++k) {
    y.push_back(1 + RandomReal() * 1);
    x.push_back(0 + RandomReal() * 10);
    expected.push_back("species" + std::to_string(k + 1) + " " + StatText(x.back()) + " " + StatText(y.back()));
  }
  EXPECT_EQ(FileLines("Sim1.txt"), expected);
  EXPECT_FALSE(FileExists("Sim2.txt"));
  // The simulated boundary line on the box's corner: (cX, MaxY) to (MaxX, cY).
  ExpectPoint(MacroEcology->Series4, 0, 5, 2, clRed);
  ExpectPoint(MacroEcology->Series4, 1, 10, 1.5, clRed);
  ExpectPoint(MacroEcology->Series2, 0, 3.5, 5, clRed);
  const Lines s = MemoLines(MacroEcology->Memo1);
  EXPECT_EQ(s[6], "Constraint = User-defined (uniform)");
  for (size_t block = 9; block < 9 + 6 * 29; block += 29) {
    EXPECT_EQ(s[block + 10], "Standardized Effect Size = 0.00000") << block;
    EXPECT_EQ(s[block + 5].substr(s[block + 5].size() - 10), " = 0.00000") << block;
  }
}

// Normal: per point y then x, each redrawn until positive; the first simulated points.
TEST_F(MacroecologyRun, NormalConstraintDrawOrder) {
  SetData(Columns({"size", "range"}, {kX, kY}));
  macro.constraint = 2;
  macro.dialog = {"1", "2", "0.5", "1"};
  macro.saveMatrices = true;
  macro.iterations = "2";
  macro.seed = "5";
  Zorvan->Macroecology1->Click();
  ASSERT_EQ(resultsShown, 1);
  auto deviate = [](double mean, double sd) {
    for (;;) {
      double u1, u2, s;
      do {
        u1 = 2 * RandomReal() - 1;
        u2 = 2 * RandomReal() - 1;
        s = u1 * u1 + u2 * u2;
      } while (s >= 1 || s == 0);
      const double v = mean + sd * u1 * std::sqrt(-2 * std::log(s) / s);
      if (v > 0) return v;
    }
  };
  RandSeed = 5;
  Lines expected{"species size range"};
  for (int k = 0; k < 5; ++k) {
    const double y = deviate(0.5, 1);
    const double x = deviate(1, 2);
    expected.push_back("species" + std::to_string(k + 1) + " " + StatText(x) + " " + StatText(y));
  }
  EXPECT_EQ(FileLines("Sim1.txt"), expected);
  EXPECT_TRUE(FileExists("Sim2.txt"));
  EXPECT_EQ(MemoLines(MacroEcology->Memo1)[6], "Constraint = User-defined (normal)");
}

TEST_F(MacroecologyRun, EveryRefusalShowsItsMessagesAndLeavesNoResults) {
  struct Case {
    const char* name;
    GridRows data;
    MacroAnswer answer;
    Lines messages;
  };
  const GridRows data = Columns({"size", "range"}, {kX, kY});
  MacroAnswer same;
  same.y = 0;
  MacroAnswer none;
  none.iterations = "0";
  // Values kept by closing the dialog with its close box are checked by the run.
  auto normal = [](std::vector<String> v) {
    MacroAnswer a;
    a.constraint = 2;
    a.dialog = std::move(v);
    a.dialogCloseBox = true;
    return a;
  };
  auto uniform = [](std::vector<String> v) {
    MacroAnswer a;
    a.constraint = 1;
    a.dialog = std::move(v);
    a.dialogCloseBox = true;
    return a;
  };
  const Case cases[] = {
      {"X is Y", data, same, {"XVariable cannot equal YVariable.", "Initialization failed."}},
      {"no data rows", {{"species", "size", "range"}}, MacroAnswer{},
       {"At least 1 row of data required.", "Initialization failed."}},
      {"no iterations", data, none, {"Iterations must be > 0."}},
      {"SD x 0", data, normal({"5", "0", "5", "1"}), {"SD x = 0 is not allowed.", "Initialization failed."}},
      {"SD y 0", data, normal({"5", "1", "5", "0"}), {"SD y = 0 is not allowed.", "Initialization failed."}},
      {"mean x below 0", data, normal({"-50", "1", "5", "1"}), {"Mean X must be >= 0 ", "Initialization failed."}},
      {"SD x below 0", data, normal({"5", "-1", "5", "1"}),
       {"Standard deviation X must be > 0 ", "Initialization failed."}},
      {"mean y below 0", data, normal({"5", "1", "-1", "1"}), {"Mean Y must be >= 0 ", "Initialization failed."}},
      {"end points 0", data, uniform({"0", "0", "0", "0"}), {"Maximum X must be > 0 ", "Initialization failed."}},
      {"end points crossed", data, uniform({"2", "1", "0", "1"}),
       {"Maximum X must be > Minimum X", "Initialization failed."}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    macro = k.answer;
    Application->Hooks.Messages.clear();
    Zorvan->Macroecology1->Click();
    EXPECT_EQ(Application->Hooks.Messages, k.messages);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
    EXPECT_TRUE(MemoLines(MacroEcology->Memo1).empty());
  }
}

// With fewer than two data columns the options form closes at once and nothing runs.
TEST_F(MacroecologyRun, OneColumnIsRefusedByTheOptionsForm) {
  SetData(Columns({"size"}, {kX}));
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(Application->Hooks.Messages, Lines{"At least two columns required."});
  EXPECT_FALSE(Zorvan->RunSim);
  EXPECT_EQ(resultsShown, 0);
}

TEST_F(MacroecologyRun, AbortLeavesNoResultsAndNoBatchRow) {
  SetData(Columns({"size", "range"}, {kX, kY}));
  macro.iterations = "100";
  int calls = 0;
  Application->Hooks.ProcessMessages = [&] {
    if (++calls == 20) Progress->InterruptButton->Click();
  };
  Zorvan->Macroecology1->Click();
  Application->Hooks.ProcessMessages = nullptr;
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(resultsShown, 0);
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_TRUE(MemoLines(MacroEcology->Memo1).empty());
  EXPECT_EQ(MacroEcology->Series3->Count(), 0);
}

// The same seed, data and options give the same summary; a run replaces the pages' lines.
TEST_F(MacroecologyRun, SameSeedSameSummary) {
  SetData(Columns({"size", "range"}, {kX, kY}));
  macro.iterations = "200";
  macro.constraint = 1;
  macro.dialog = {"0", "8", "0", "8"};
  Zorvan->Macroecology1->Click();
  const Lines first = MemoLines(MacroEcology->Memo1);
  Zorvan->Macroecology1->Click();
  ASSERT_EQ(resultsShown, 2);
  EXPECT_EQ(MemoLines(MacroEcology->Memo1), first);
  EXPECT_EQ(MemoLines(MacroEcology->MeanPage.Page.Statistics).size(), 7u);
}

// A cell that is no number reads as the number it begins with, or 0, without a message.
TEST_F(MacroecologyRun, CellsThatAreNoNumbersReadAsTheirLeadingNumber) {
  SetData(Columns({"size", "range"}, {{"abc", "2.5kg", "3"}, {"1", "2", "x9"}}));
  Zorvan->Macroecology1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  EXPECT_EQ(MacroEcology->InputGrid->RowTexts(1)[1], "0.00000");
  EXPECT_EQ(MacroEcology->InputGrid->RowTexts(2)[1], "2.50000");
  EXPECT_EQ(MacroEcology->InputGrid->RowTexts(3)[2], "0.00000");
  EXPECT_EQ(MacroEcology->Series1->XValue(0), 0);
}

// Batch mode runs over every listed file; a file whose run is refused ends the batch there.
TEST_F(MacroecologyRun, BatchModeOverAFolder) {
  WriteDataFile("a.txt", Columns({"size", "range"}, {kX, kY}));
  WriteDataFile("b.txt", Columns({"size", "range"}, {{"3", "1", "4", "1"}, {"5", "9", "2", "6"}}));
  WriteDataFile("c.txt", {{"species", "size", "range"}});
  WriteDataFile("d.txt", Columns({"size", "range"}, {kX, kY}));
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\n");
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->InterruptFlag);
  const Lines batch = FileLines("BatchSummary.txt");
  ASSERT_EQ(batch.size(), 3u);
  int row = 1;
  for (const char* name : {"a.txt", "b.txt"}) {
    const Lines summary = FileLines(String("Summary") + name);
    const Lines grid = Zorvan->BatchGrid->RowTexts(row++);
    EXPECT_EQ(grid[0], name);
    EXPECT_EQ(summary[0], "Input file = " + (dir_ / name).string());
    EXPECT_EQ(summary[67 + 10], "Standardized Effect Size = " + grid[1]);
    EXPECT_EQ(summary[67 + 11], "p(observed <= expected) = " + grid[2]);
  }
  // X equal to Y refuses the first file: two messages and the batch ends.
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nd.txt\r\n");
  macro.y = 0;
  Application->Hooks.Messages.clear();
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(Application->Hooks.Messages, (Lines{"XVariable cannot equal YVariable.", "Initialization failed."}));
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(FileExists("Summaryd.txt"));
}

// Columns chosen on a wider matrix: a narrower batch file is read in its first two columns,
// and the summary names the columns read.
TEST_F(MacroecologyRun, NarrowerBatchFileFallsBackToTheFirstTwoColumns) {
  SetData(Columns({"a", "b", "c", "d"}, {{"9", "9", "9", "9", "9"}, {"8", "8", "8", "8", "8"},
                                         {"7", "7", "7", "7", "7"}, {"6", "6", "6", "6", "6"}}));
  WriteDataFile("narrow.txt", Columns({"size", "range"}, {kX, kY}));
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("narrow.txt\r\n");
  macro.x = 2;
  macro.y = 3;
  Zorvan->Macroecology1->Click();
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  ASSERT_EQ(Zorvan->BatchGrid->RowCount(), 2);
  EXPECT_EQ(MacroEcology->InputGrid->RowTexts(0), (Lines{"species", "size", "range"}));
  EXPECT_EQ(MacroEcology->InputGrid->RowTexts(2), (Lines{"sp2", "2.00000", "5.00000"}));
  const Lines summary = FileLines("Summarynarrow.txt");
  EXPECT_EQ(summary[1], "XVariable = size");
  EXPECT_EQ(summary[2], "YVariable = range");
  // Back on the wide matrix the chosen columns are read again.
  SetData(Columns({"a", "b", "c", "d"}, {{"9", "9", "9", "9", "9"}, {"8", "8", "8", "8", "8"},
                                         {"7", "7", "7", "7", "7"}, {"6", "6", "6", "6", "6"}}));
  EXPECT_EQ(MacroecologyOpts->XColumn(), 3);
  EXPECT_EQ(MacroecologyOpts->YColumn(), 4);
  // A batch file of one column has no second column to fall back to: refused, no batch row.
  WriteDataFile("one.txt", Columns({"size"}, {kX}));
  Zorvan->Memo1->Lines()->SetText("one.txt\r\n");
  Application->Hooks.Messages.clear();
  Zorvan->Macroecology1->Click();
  EXPECT_EQ(Application->Hooks.Messages, (Lines{"At least two columns required.", "Initialization failed."}));
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
  EXPECT_FALSE(FileExists("Summaryone.txt"));
}

}  // namespace

// The size-overlap analysis run through the program: the summary of a one-iteration run worked
// by hand, a longer run against a reference written from the definitions, the pages, every
// refusal with its message, the abort, reruns, the "Sim" files, the summary save and batch mode.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "analysis/size_overlap/SizeRunSupport.h"

using namespace size_test;

namespace {

namespace fs = std::filesystem;
using SizeRun = SizeRunTest;

// The histogram lines of the summary for the sorted simulated values.
Lines HistogramLines(std::vector<double> values, double observed) {
  std::sort(values.begin(), values.end());
  String marker, edges, counts;
  BuildHistogram_LastIndex(static_cast<Integer>(values.size()) - 1, values, observed, marker);
  HistogramToText(edges, counts);
  auto split = [](const String& text) {
    Lines out;
    size_t from = 0;
    for (size_t at; (at = text.find("\r\n", from)) != String::npos; from = at + 2)
      out.push_back(text.substr(from, at - from));
    out.resize(14);
    return out;
  };
  const Lines e = split(edges), c = split(counts);
  Lines out;
  for (size_t k = 0; k < 14; ++k) out.push_back(e[k] + "  " + c[k]);
  return out;
}

// Sizes 2, 3, 7, uniform with the data's limits, no transformation, variance of the segments,
// one iteration: the simulated line is 2, 7 and 2 + 5u.
TEST_F(SizeRun, OneIterationWorkedByHand) {
  const Grid data = Column({"2", "3", "7"});
  SetData(data);
  answer.transformation = 0;
  answer.iterations = "1";
  answer.seed = "4242";
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_FALSE(Zorvan->InterruptFlag);
  EXPECT_TRUE(Messages().empty());

  HandGenerator hand{4242};
  const double drawn = 2 + 5 * hand.Real();
  std::vector<double> line{2, 7, drawn};
  std::sort(line.begin(), line.end());
  const double s1 = line[1] - line[0], s2 = line[2] - line[1];
  const double metric = (s1 - (s1 + s2) / 2) * (s1 - (s1 + s2) / 2) * 2;  // variance of two segments
  const bool above = 4.5 > metric;
  Lines expected{"Input file = " + Zorvan->FileName,
                 "Iterations = 1",
                 "Random seed = 4242",
                 "Column analyzed:  length",
                 "Metric = Variance in segment length.",
                 "None (size differences)",
                 "Parametric distributions",
                 "Uniform",
                 "Minimum = 2.00000  Maximum = 7.00000",
                 "Data-defined",
                 "",
                 String(46, '_'),
                 "",
                 "Observed index = 4.50000",
                 "Mean of simulated index = " + StatText(metric),
                 "Variance of simulated index = 0.00000",
                 String("p(observed >= expected) = ") + (above ? "0.00000" : "1.00000"),
                 String("p(observed <= expected) = ") + (above ? "1.00000" : "0.00000"),
                 "",
                 String("Number of times Observed index < simulated indices = ") + (above ? "0" : "1"),
                 "Number of times Observed index = simulated indices = 0",
                 String("Number of times Observed index > simulated indices = ") + (above ? "1" : "0"),
                 "Standardized Effect Size = 0.00000",
                 "",
                 "Simulation frequencies:",
                 "Histogram          # Simulations"};
  for (const String& l : HistogramLines({metric}, 4.5)) expected.push_back(l);
  for (const String& l :
       Lines{String(46, '_'), "", "INPUT MATRIX", "", "species length ", "sp1 2 ", "sp2 3 ", "sp3 7 "})
    expected.push_back(l);
  ExpectLines(Summary(), expected);

  // The pages.
  EXPECT_EQ(SizeOverlap->SimulationGrid->RowCount(), 4);
  EXPECT_EQ(SizeOverlap->SimulationGrid->RowTexts(0), (Lines{"species", "length"}));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(SizeOverlap->SimulationGrid->Cells(1, i + 1), StatText(line[i]));
  EXPECT_EQ(SizeOverlap->SegmentsGrid->RowCount(), 3);
  EXPECT_EQ(SizeOverlap->SegmentsGrid->Cells(1, 1), StatText(s1));
  EXPECT_EQ(SizeOverlap->SegmentsGrid->Cells(1, 2), StatText(s2));
  EXPECT_EQ(SizeOverlap->InputColumnGrid->RowTexts(2), (Lines{"sp2", "3"}));
  ExpectLines(MemoLines(SizeOverlap->MeanMemo),
              {"Observed index = 4.50000", "", "Mean of simulated index = " + StatText(metric),
               "Variance of simulated index = 0.00000", "", expected[17], expected[16], ""});
  // The kept size is the middle one of the unsorted line: Round(3 / 2) = 2, the drawn size.
  ExpectLines(MemoLines(SizeOverlap->SizeHistogramNotesMemo),
              {"Mean of simulated sizes = " + StatText(drawn), "Variance of simulated sizes = 0.00000"});
  EXPECT_EQ(MemoLines(SizeOverlap->SizeHistogramMemo2)[12], "1");
  EXPECT_EQ(SizeOverlap->PageControl1->ActivePage(), SizeOverlap->InputSheet);
  EXPECT_EQ(SizeOverlap->TimeMemo->Lines()->Strings(0).rfind("Stop time = ", 0), 0u);
  EXPECT_EQ(SizeOverlap->TimeMemo->Lines()->Strings(1).rfind("Start time = ", 0), 0u);
  EXPECT_EQ(BatchRow(1),
            (Lines{ExtractFileName(Zorvan->FileName), "0.00000", expected[17].substr(26), expected[16].substr(26)}));
}

// Log uniform with the data's limits, log transformation, minimum segment, 40 iterations, on the
// second column (text, 0 and negative cells are no sizes), against a reference run.
TEST_F(SizeRun, LogUniformRunAgainstAReference) {
  const Grid data =
      SizesGrid({"mass", "length"},
                {{"1", "3"}, {"1", "8"}, {"1", "0"}, {"1", "x"}, {"1", "20"}, {"1", "-4"}, {"1", "55"}, {"1", "120"}});
  SetData(data);
  answer.metric = 0;
  answer.column = 1;
  answer.distribution = 2;
  answer.iterations = "40";
  answer.seed = "11";
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);

  std::vector<double> logs;
  for (double x : {3.0, 8.0, 20.0, 55.0, 120.0}) logs.push_back(std::log10(x));
  auto minimumSegment = [](std::vector<double> line) {
    std::sort(line.begin(), line.end());
    double m = line[1] - line[0];
    for (size_t i = 1; i + 1 < line.size(); ++i) m = std::min(m, line[i + 1] - line[i]);
    return m;
  };
  auto logOfPower = [](std::vector<double> line) {
    for (double& v : line) v = std::log10(std::pow(10.0, v));
    return line;
  };
  const double observed = minimumSegment(logOfPower(logs));
  HandGenerator hand{11};
  std::vector<double> metrics, kept;
  std::vector<double> last;
  for (int i = 0; i < 40; ++i) {
    std::vector<double> line{logs.front(), logs.back()};
    for (int k = 2; k < 5; ++k) line.push_back(logs.front() + hand.Real() * (logs.back() - logs.front()));
    kept.push_back(line[2]);  // Round(5 / 2) = 2
    std::sort(line.begin(), line.end());
    last = logOfPower(line);
    metrics.push_back(minimumSegment(last));
  }
  double mean = 0, sq = 0;
  for (double m : metrics) mean += m;
  mean /= 40;
  for (double m : metrics) sq += (m - mean) * (m - mean);
  int less = 0, equal = 0, greater = 0;
  for (double m : metrics) (std::fabs(observed - m) <= 1e-15 ? equal : observed < m ? less : greater)++;

  const Lines s = Summary();
  ASSERT_GE(s.size(), 44u);
  EXPECT_EQ(s[3], "Column analyzed:  length");
  EXPECT_EQ(s[4], "Metric = Minimum segment length.");
  EXPECT_EQ(s[5], "Log (size ratios)");
  EXPECT_EQ(s[7], "Log Uniform");
  EXPECT_EQ(s[8], "Minimum = " + StatText(logs.front()) + "  Maximum = " + StatText(logs.back()));
  EXPECT_EQ(s[13], "Observed index = " + StatText(observed));
  EXPECT_EQ(s[14], "Mean of simulated index = " + StatText(mean));
  EXPECT_EQ(s[15], "Variance of simulated index = " + StatText(sq / 39));
  EXPECT_EQ(s[16], "p(observed >= expected) = " + StatText((less + equal) / 40.0));
  EXPECT_EQ(s[17], "p(observed <= expected) = " + StatText((greater + equal) / 40.0));
  EXPECT_EQ(s[19], "Number of times Observed index < simulated indices = " + IntToStr(less));
  EXPECT_EQ(s[22], "Standardized Effect Size = " + StatText((observed - mean) / std::sqrt(sq / 39)));
  const Lines histogram = HistogramLines(metrics, observed);
  EXPECT_EQ(Lines(s.begin() + 26, s.begin() + 40), histogram);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(SizeOverlap->SimulationGrid->Cells(1, i + 1), StatText(last[i]));
  // The simulated sizes are kept on the distribution's scale (log10).
  double keptMean = 0;
  for (double k : kept) keptMean += k;
  EXPECT_EQ(MemoLines(SizeOverlap->SizeHistogramNotesMemo)[0], "Mean of simulated sizes = " + StatText(keptMean / 40));
  EXPECT_EQ(SizeOverlap->InputColumnGrid->RowTexts(4), (Lines{"sp4", "x"}));
}

// The summary's parameter lines for each parametric choice.
TEST_F(SizeRun, ParameterLinesOfEachDistribution) {
  SetData(Column({"2", "4", "6", "8"}));
  struct Case {
    int distribution, userDefined;
    Lines lines;  // summary lines 7 to 9
  };
  const Case cases[] = {
      {1, 0, {"Normal", "Mean = 5.00000  Standard deviation = " + StatText(std::sqrt(20.0 / 3)), "Data-defined"}},
      {3, 0, {"Log Normal", "", "Data-defined"}},
      {1, 1, {"Normal", "Mean = 5.00000  Standard deviation = " + StatText(std::sqrt(20.0 / 3)), "User-defined"}},
      {0, 1, {"Uniform", "Minimum = 1.80000  Maximum = 8.80000", "User-defined"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.lines[0] + " " + k.lines[2]);
    answer.distribution = k.distribution;
    answer.userDefined = k.userDefined;
    Zorvan->SizeOverlap1->Click();
    ASSERT_EQ(Summary().size(), 49u);
    const Lines s = Summary();
    EXPECT_EQ(s[7], k.lines[0]);
    if (!k.lines[1].empty()) {
      EXPECT_EQ(s[8], k.lines[1]);
    }
    EXPECT_EQ(s[8].rfind(k.distribution % 2 ? "Mean = " : "Minimum = ", 0), 0u);
    EXPECT_EQ(s[9], k.lines[2]);
  }
}

struct StopCase {
  const char* name;
  Grid data;
  std::function<void(Answer&)> setUp;
  Lines messages;
};

Grid Filled(int rows, int cols) {
  Grid g(static_cast<size_t>(rows), std::vector<String>(static_cast<size_t>(cols), "5"));
  return g;
}

const char* kInitFailed = "Initialization failed. Check iterations and random seed.";

TEST_F(SizeRun, EveryRefusalShowsItsMessageAndSetsTheInterruptFlag) {
  const StopCase cases[] = {
      {"3 cells", Filled(3, 1), [](Answer&) {}, {"4 < Cell limit < 241101, e.g. 301x801.", kInitFailed}},
      {"241,102 cells", Filled(2, 120551), [](Answer&) {}, {"4 < Cell limit < 241101, e.g. 301x801.", kInitFailed}},
      {"one data row",
       Filled(2, 4),
       [](Answer&) {},
       {"At least 3 rows of data required for size overlap.", kInitFailed}},
      {"no iterations",
       Column({"2", "3"}),
       [](Answer& a) { a.iterations = "0"; },
       {"Iterations must be > 0.", kInitFailed}},
      {"30,001 iterations",
       Column({"2", "3"}),
       [](Answer& a) { a.iterations = "30001"; },
       {"Iterations must be < 30000.", kInitFailed}},
      {"no size in the column", Column({"0", "x"}), [](Answer&) {}, {"Non-Zero Rows Must be > 0"}},
      {"a single size", Column({"0", "4"}), [](Answer&) {}, {"Segments must be > 0"}},
      // Whole sizes of N(0, 0.1): a value of 1 lies five standard deviations away.
      {"normal sizes out of reach",
       Column({"2", "3"}),
       [](Answer& a) {
         a.distribution = 1;
         a.userDefined = 1;
         a.rounding = 1;
       },
       {"Unable to satisfy restraints. Aborting simulation."}},
  };
  for (const StopCase& k : cases) {
    SCOPED_TRACE(k.name);
    SetData(k.data);
    answer = Answer{};
    k.setUp(answer);
    onDialog = [](TSizeOverlapParameterDialog* d) {
      if (d != SizeOverLapUD2) return;
      SizeOverLapUD2->MeanEdit->SetText("0");
      SizeOverLapUD2->SDEdit->SetText("0.1");
    };
    Application->Hooks.Messages.clear();
    Zorvan->SizeOverlap1->Click();
    EXPECT_EQ(Messages(), k.messages);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
    EXPECT_FALSE(Progress->Visible());
  }
}

// 30,000 iterations pass the check (the run is stopped at its first message step).
TEST_F(SizeRun, TheLargestIterationCountIsAccepted) {
  SetData(Column({"2", "3", "7"}));
  answer.iterations = "30000";
  int calls = 0;
  Application->Hooks.ProcessMessages = [&] {
    if (++calls == 1) Progress->InterruptButton->Click();
  };
  Zorvan->SizeOverlap1->Click();
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 0);
  Application->Hooks.ProcessMessages = nullptr;
}

// An abort (at the start, in the middle, inside a histogram draw) leaves the previous results
// and no batch row; a rerun rewrites the texts without growing them.
TEST_F(SizeRun, AbortLeavesThePreviousResultsAndARerunRewrites) {
  SetData(Column({"2", "3", "7", "11"}));
  answer.seed = "5";
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines summary = Summary();
  const Lines mean = MemoLines(SizeOverlap->MeanMemo);
  const Lines simulated = SizeOverlap->SimulationGrid->RowTexts(2);
  Zorvan->SizeOverlap1->Click();
  EXPECT_EQ(Summary(), summary);
  EXPECT_EQ(MemoLines(SizeOverlap->MeanMemo), mean);
  EXPECT_EQ(MemoLines(SizeOverlap->MeanMemo).size(), 8u);

  SetData(Column({"20", "30", "70", "110", "130"}));
  answer.iterations = "100";
  for (int body : {0, 1}) {
    for (int at : {1, 40}) {
      SCOPED_TRACE(String("body ") + IntToStr(body) + " at " + IntToStr(at));
      answer.body = body;
      int calls = 0;
      Application->Hooks.ProcessMessages = [&] {
        if (++calls == at) Progress->InterruptButton->Click();
      };
      Zorvan->SizeOverlap1->Click();
      Application->Hooks.ProcessMessages = nullptr;
      EXPECT_TRUE(Zorvan->InterruptFlag);
      EXPECT_FALSE(Progress->Visible());
      EXPECT_EQ(resultsShown, 2);
      EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
      EXPECT_EQ(Summary(), summary);
      EXPECT_EQ(SizeOverlap->SimulationGrid->RowTexts(2), simulated);
    }
  }
}

// The histogram distribution draws the editor's rows by their weights: a row without weight
// is never drawn, so three weighted rows for three sizes give the same sizes every time.
TEST_F(SizeRun, HistogramRunDrawsByTheWeights) {
  SetData(Column({"2", "3", "7"}));
  answer.body = 1;
  answer.transformation = 0;
  answer.metric = 0;
  onHistogram = [] {
    TStringGrid* g = SizeOverLapUD3->SpeciesHistogramGrid;
    EXPECT_EQ(g->RowTexts(0), (Lines{"Species", "Size", "Colonization Weight"}));
    EXPECT_EQ(g->RowTexts(3), (Lines{"sp3", "7", "1.0"}));
    g->SetRowCount(5);
    g->SetRowTexts(4, {"big", "1000", "0"});
    g->SetCells(1, 2, "4");
  };
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  const Lines s = Summary();
  EXPECT_EQ(s[6], "User-defined histogram");
  EXPECT_EQ(s[7], "");
  EXPECT_EQ(s[8], "");
  EXPECT_EQ(s[9], "");
  EXPECT_EQ(s[13], "Observed index = 1.00000");
  EXPECT_EQ(s[14], "Mean of simulated index = 2.00000");
  EXPECT_EQ(s[15], "Variance of simulated index = 0.00000");
  EXPECT_EQ(SizeOverlap->SimulationGrid->Cells(1, 3), "7.00000");

  // One of the three weighted rows has no weight left: three sizes cannot be drawn.
  SizeOverLapUD3->SpeciesHistogramGrid->SetCells(2, 1, "0");
  Application->Hooks.Messages.clear();
  Zorvan->SizeOverlap1->Click();
  EXPECT_EQ(Messages(), Lines{"Unable to satisfy restraints. Aborting simulation."});
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_EQ(resultsShown, 1);
}

class SizeFiles : public SizeRun {
 protected:
  void SetUp() override {
    SizeRun::SetUp();
    dir_ = fs::temp_directory_path() / ("zorvan-size-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    SizeRun::TearDown();
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

// Every iteration's line, after the transformation, goes to "Sim" + i + ".txt".
TEST_F(SizeFiles, SimulatedLinesAreSaved) {
  SetData(Column({"2", "3", "7", "10"}));
  answer.save = true;
  answer.iterations = "3";
  answer.transformation = 1;
  answer.seed = "9";
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_FALSE(FileExists("Sim4.txt"));
  HandGenerator hand{9};
  for (int i = 1; i <= 3; ++i) {
    std::vector<double> line{2, 10, 2 + hand.Real() * 8, 2 + hand.Real() * 8};
    std::sort(line.begin(), line.end());
    const Lines file = FileLines("Sim" + IntToStr(i) + ".txt");
    ASSERT_EQ(file.size(), 5u);
    EXPECT_EQ(file[0], "species size");
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(file[k + 1], "species" + IntToStr(k + 1) + " " + StatText(std::log10(line[k])));
  }
}

TEST_F(SizeFiles, SummaryIsSavedAsShown) {
  SetData(Column({"2", "3", "7"}));
  std::vector<std::pair<String, String>> asked;
  Application->Hooks.FileDialog = [&](TCommonDialog* d) {
    auto* dialog = static_cast<TOpenDialog*>(d);
    asked.emplace_back(dialog->Title, dialog->FileName);
    dialog->FileName = (dir_ / "out.txt").string();
    return true;
  };
  onResults = [] {
    SizeOverlap->Memo1->Lines()->Add("my note");
    SizeOverlap->SuMmary1->Click();
  };
  Zorvan->SizeOverlap1->Click();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(asked, (std::vector<std::pair<String, String>>{{"Select a file name.", "summary.txt"}}));
  const Lines saved = FileLines("out.txt");
  EXPECT_EQ(saved, Summary());
  EXPECT_EQ(saved.back(), "my note");
}

void WriteBatchFile(const String& name, const Grid& rows) {
  String text;
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) text += (c ? " " : "") + row[c];
    text += "\r\n";
  }
  WriteFileAtomically(name, text);
}

// Batch mode runs size overlap on every listed file and saves each summary and the batch grid.
TEST_F(SizeFiles, BatchRunsOverEveryFile) {
  WriteBatchFile("a.txt", Column({"2", "3", "7", "12"}));
  WriteBatchFile("b.txt", Column({"5", "1", "9"}));
  Zorvan->Batch1->Click();
  Zorvan->Memo1->Lines()->SetText("a.txt\r\nb.txt\r\n");
  // The pool-size dialog's refusal, made while the options were up, does not stop the batch.
  onOptions = [] {
    SizeOverLapUD3->SpeciesHistogramGrid->SetRowCount(2);
    SizeOverLapUD3->SpeciesHistogramGrid->SetRowTexts(1, {"x", "0", "1.0"});
    SizeOverLapUD4->OKButton->Click();
    EXPECT_TRUE(Zorvan->InterruptFlag);
  };
  Zorvan->SizeOverlap1->Click();
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->InterruptFlag);
  EXPECT_EQ(Messages(), Lines{"Non-Zero Rows Must be > 0"});
  const Lines batch = FileLines("BatchSummary.txt");
  ASSERT_EQ(batch.size(), 3u);
  EXPECT_EQ(batch[0], "FileName Standard-Effect LowerTailP UpperTailP");
  int row = 1;
  for (const char* name : {"a.txt", "b.txt"}) {
    const Lines summary = FileLines(String("Summary") + name);
    const Lines grid = BatchRow(row++);
    EXPECT_EQ(grid[0], name);
    EXPECT_EQ(summary[0], "Input file = " + (dir_ / name).string());
    EXPECT_EQ(summary[22], kSesLabel + grid[1]);
    EXPECT_EQ(summary[17], kLowerTailLabel + grid[2]);
    EXPECT_EQ(summary[16], kUpperTailLabel + grid[3]);
  }
  EXPECT_TRUE(Progress->Visible());
}

}  // namespace

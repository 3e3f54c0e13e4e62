// The species-diversity analysis run through the program: a one-iteration curve walked by
// hand, curves of many iterations against a reference run for every index and both
// algorithms, the rarefied richness against its exact expectation, samples with both curves,
// the summary line by line, and every refusal with its message.
#include "analysis/species_diversity/DiversityRunSupport.h"
#include "analysis/species_diversity/SpeciesDiversityDraws.h"
#include "analysis/species_diversity/SpeciesDiversityLevels.h"
#include "app/ProgressSims.h"

using namespace diversity_test;

namespace {

using DiversityRun = DiversityRunTest;

// Column "a" 5, 3, 2 beside a second column; default levels 1, 4, 6, 8.
GridRows SmallColumns() {
  return {{"species", "plotA", "plotB"}, {"a", "5", "0"}, {"b", "3", "4"}, {"c", "2", "1"}};
}

// Seed 7, one iteration, Hurlbert's PIE. The draws, walked by hand with seed := seed *
// 134775813 + 1 and u := 1 + high 32 bits of (10 - i) * seed:
//   level 1: u = 3 -> a                        tally 1 0 0   PIE 0
//   level 4: u = 5, 2, 8, 4 -> a, a, c, b      tally 2 1 1   PIE 4/3 (1 - 6/16) = 0.83333
//   level 6: -> a a a b c c                    tally 3 1 2   PIE 6/5 (1 - 14/36) = 0.73333
//   level 8: -> a a a a b b b c                tally 4 3 1   PIE 8/7 (1 - 26/64) = 0.67857
TEST_F(DiversityRun, OneIterationCurveWalkedByHand) {
  SetData(SmallColumns());
  answer.index = 1;
  answer.iterations = "1";
  Launch();
  ASSERT_EQ(resultsShown, 1);
  ASSERT_FALSE(Zorvan->InterruptFlag);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  ExpectLines(Curve(SpeciesDiversity->DiversityCurveStringGrid),
              {"Abundance AverageDiversity MedianDiversity VarianceDiversity 95%Conf.Low 95%Conf.High",
               "10(Obs.) 0.68889 0.68889 0.00000 0.68889 0.68889",
               "1 0.00000 0.00000 0.00000 0.00000 0.00000",
               "4 0.83333 0.83333 0.00000 0.83333 0.83333",
               "6 0.73333 0.73333 0.00000 0.73333 0.73333",
               "8 0.67857 0.67857 0.00000 0.67857 0.67857"});
  // The last subsample beside the species titles; the input column with its titles.
  ExpectLines(Curve(SpeciesDiversity->SimulationStringGrid), {"species plotA", "a 4", "b 3", "c 1"});
  ExpectLines(Curve(SpeciesDiversity->InputColumnStringGrid), {"species plotA", "a 5", "b 3", "c 2"});
  EXPECT_FALSE(SpeciesDiversity->AbundanceCurveSheet->TabVisible());
  EXPECT_FALSE(SpeciesDiversity->Abundancecurve1->Enabled());
  EXPECT_EQ(SpeciesDiversity->PageControl1->ActivePage(), SpeciesDiversity->InputSheet);

  ExpectLines(MemoLines(SpeciesDiversity->Memo1),
              {"Input file = " + Zorvan->FileName, "Rows = 3; Columns = 2", "Iterations = 1", "Random seed = 7",
               "Analyzed column = plotA", "Randomization algorithm = Rarefaction curve", "Abundance level = Default",
               "Index = Hurlberts PIE", "ABUNDANCE LEVELS:", "1", "4", "6", "8"});
  EXPECT_EQ(SpeciesDiversity->TimeMemo->Lines()->Strings(0).rfind("Stop time = ", 0), 0u);
  EXPECT_EQ(SpeciesDiversity->TimeMemo->Lines()->Strings(1).rfind("Start time = ", 0), 0u);
  // The batch row has no statistic to show.
  const int last = Zorvan->BatchGrid->RowCount() - 1;
  EXPECT_EQ(Zorvan->BatchGrid->RowTexts(last), (std::vector<String>{ExtractFileName(Zorvan->FileName), "n/a", "n/a", "n/a"}));
}

// Every index with both algorithms on the second column, against the reference run.
TEST_F(DiversityRun, CurvesAgreeWithTheReferenceRun) {
  const GridRows data = Samples({{1, 2, 3, 4, 5, 6}, {9, 0, 4, 1, 1, 12}});
  SetData(data);
  const Counts counts{9, 0, 4, 1, 1, 12};
  const std::vector<int32_t> levels = DefaultAbundanceLevels(27, 6);  // five species + 1
  ASSERT_EQ(levels, (std::vector<int32_t>{1, 6, 10, 14, 18, 22}));  // halves to even
  const char* names[] = {"Index = Species Richness", "Index = Hurlberts PIE", "Index = Dominance",
                         "Index = Shannons Diversity"};
  for (int algorithm : {0, 1})
    for (int index = 0; index < 4; ++index) {
      SCOPED_TRACE(std::to_string(algorithm) + " " + names[index]);
      answer.column = 1;
      answer.algorithm = algorithm;
      answer.index = index;
      answer.iterations = "41";
      Launch();
      ASSERT_FALSE(Zorvan->InterruptFlag);
      const ColumnReference ref = ReferenceColumn(counts, levels, algorithm == 0, index, 7, 41);
      Lines expected{"Abundance AverageDiversity MedianDiversity VarianceDiversity 95%Conf.Low 95%Conf.High"};
      const String observed = FloatToStrF(Index(index, counts, 27), ffFixed, 7, 5);
      expected.push_back("27(Obs.) " + observed + " " + observed + " 0.00000 " + observed + " " + observed);
      for (size_t i = 0; i < levels.size(); ++i) expected.push_back(CurveRow(IntToStr(levels[i]), ref.values[i]));
      ExpectLines(Curve(SpeciesDiversity->DiversityCurveStringGrid), expected);
      for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(SpeciesDiversity->SimulationStringGrid->Cells(1, r), IntToStr(ref.lastTally[r - 1]));
      const Lines summary = MemoLines(SpeciesDiversity->Memo1);
      EXPECT_EQ(summary[4], "Analyzed column = s2");
      EXPECT_EQ(summary[5], algorithm == 0 ? "Randomization algorithm = Accumulation curve"
                                           : "Randomization algorithm = Rarefaction curve");
      EXPECT_EQ(summary[7], names[index]);
    }
  EXPECT_EQ(SpeciesDiversityOpts->CurrentColumn, 1);
  EXPECT_EQ(SpeciesDiversityOpts->CurrentIndex, 3);
}

// Accumulation by individuals: a level equal to N holds the whole column in every iteration.
TEST_F(DiversityRun, AccumulationToTheWholeColumn) {
  SetData(SmallColumns());
  answer.algorithm = 0;
  answer.userLevels = true;
  answer.levels = "2\r\n5\r\n5\r\n10";
  answer.iterations = "60";
  Launch();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_EQ(editorShown, 1);
  EXPECT_EQ(RowText(SpeciesDiversity->DiversityCurveStringGrid, 5), "10 3.00000 3.00000 0.00000 3.00000 3.00000");
  ExpectLines(Curve(SpeciesDiversity->SimulationStringGrid), {"species plotA", "a 5", "b 3", "c 2"});
  const Lines summary = MemoLines(SpeciesDiversity->Memo1);
  EXPECT_EQ(summary[6], "Abundance level = User-defined");
  EXPECT_EQ(Lines(summary.begin() + 8, summary.end()), (Lines{"ABUNDANCE LEVELS:", "2", "5", "5", "10"}));
}

// The mean rarefied richness of 10,000 iterations against the exact expectation
// sum_i 1 - C(N - n_i, n) / C(N, n), within four standard errors at every level.
TEST_F(DiversityRun, RarefiedRichnessMatchesTheHypergeometricExpectation) {
  Counts counts;
  for (int s = 0; s < 30; ++s) counts.push_back(1 + (s * s * 7 + 3) % 23);
  const int64_t N = std::accumulate(counts.begin(), counts.end(), int64_t{0});
  GridRows data{{"species", "plot"}};
  for (int s = 0; s < 30; ++s) data.push_back({"sp" + std::to_string(s + 1), std::to_string(counts[s])});
  SetData(data);
  answer.iterations = "10000";
  answer.seed = "20261210";
  Launch();
  ASSERT_EQ(resultsShown, 1);
  const TStringGrid* curve = SpeciesDiversity->DiversityCurveStringGrid;
  ASSERT_EQ(curve->RowCount(), 2 + 31);
  auto logChoose = [](double n, double k) { return std::lgamma(n + 1) - std::lgamma(k + 1) - std::lgamma(n - k + 1); };
  for (int r = 2; r < curve->RowCount(); ++r) {
    const double n = LeadingInt(curve->Cells(0, r));
    double expected = 0;
    for (int32_t ni : counts)
      expected += N - ni < n ? 1.0 : 1.0 - std::exp(logChoose(N - ni, n) - logChoose(N, n));
    const double mean = LeadingReal(curve->Cells(1, r));
    const double se = std::sqrt(LeadingReal(curve->Cells(3, r)) / 10000.0);
    EXPECT_LE(std::fabs(mean - expected), 4 * se + 1e-5) << "level " << n << " expected " << expected;
  }
}

// Samples: diversity and abundance curves against a reference of the sample draws, for both
// algorithms; the whole matrix on the "Input" tab; the summary line by line.
TEST_F(DiversityRun, SamplesGiveBothCurves) {
  const std::vector<Counts> columns{{3, 0, 1}, {0, 2, 2}, {5, 1, 0}, {1, 1, 1}, {0, 0, 4}};
  SetData(Samples(columns));
  const std::vector<int32_t> levels{1, 4};  // five samples: two levels, step 3
  for (int algorithm : {0, 1}) {
    SCOPED_TRACE(algorithm);
    answer.unit = 1;
    answer.algorithm = algorithm;
    answer.index = 3;
    answer.iterations = "30";
    Launch();
    ASSERT_EQ(resultsShown, algorithm + 1);
    // Reference draws: with replacement, or rejecting picked samples; picked ones are added in
    // sample order.
    RandSeed = 7;
    std::vector<std::vector<double>> index(2), drawn(2);
    Counts last;
    for (size_t i = 0; i < levels.size(); ++i)
      for (int t = 0; t < 30; ++t) {
        Counts tally(3, 0);
        std::vector<bool> picked(5, false);
        for (int k = 0; k < levels[i]; ++k) {
          int32_t j = Random(5);
          if (algorithm == 1)
            while (picked[j]) j = Random(5);
          picked[j] = true;
          if (algorithm == 0)
            for (int s = 0; s < 3; ++s) tally[s] += columns[j][s];
        }
        if (algorithm == 1)
          for (int j = 0; j < 5; ++j)
            if (picked[j])
              for (int s = 0; s < 3; ++s) tally[s] += columns[j][s];
        const int32_t n = std::accumulate(tally.begin(), tally.end(), 0);
        index[i].push_back(Index(3, tally, n));
        drawn[i].push_back(n);
        last = tally;
      }
    Counts totals{9, 4, 8};
    const String observed = FloatToStrF(Index(3, totals, 21), ffFixed, 7, 5);
    ExpectLines(Curve(SpeciesDiversity->DiversityCurveStringGrid),
                {"Sample AverageDiversity MedianDiversity VarianceDiversity 95%Conf.Low 95%Conf.High",
                 "5(Obs.) " + observed + " " + observed + " 0.00000 " + observed + " " + observed,
                 CurveRow("1", index[0]), CurveRow("4", index[1])});
    ExpectLines(Curve(SpeciesDiversity->DiversityCurveStringGrid2),
                {"Sample AverageAbundance MedianAbundance VarianceAbundance 95%Conf.Low 95%Conf.High",
                 "5(Obs.) 21.00000 21.00000 0.00000 21.00000 21.00000", CurveRow("1", drawn[0]),
                 CurveRow("4", drawn[1])});
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(SpeciesDiversity->SimulationStringGrid->Cells(1, r), IntToStr(last[r - 1]));
    EXPECT_EQ(SpeciesDiversity->SimulationStringGrid->Cells(1, 0), "s1");
    EXPECT_EQ(SpeciesDiversity->InputColumnStringGrid->RowTexts(2), Samples(columns)[2]);
    EXPECT_TRUE(SpeciesDiversity->AbundanceCurveSheet->TabVisible());
    EXPECT_TRUE(SpeciesDiversity->Abundancecurve1->Enabled());
    ExpectLines(MemoLines(SpeciesDiversity->Memo1),
                {"Input file = " + Zorvan->FileName, "Rows = 3; Columns = 5", "Iterations = 30", "Random seed = 7",
                 "Sample Level = 2",
                 algorithm == 0 ? "Randomization algorithm = Accumulation curve"
                                : "Randomization algorithm = Rarefaction curve",
                 "Sample level = Default", "Index = Shannons Diversity", "SAMPLE LEVELS:", "1", "4"});
  }
}

// Three singleton species: the default rule cannot fill a fourth level below N, so the run
// goes on with the three it built.
TEST_F(DiversityRun, SingletonsRunWithTheLevelsBuilt) {
  SetData({{"species", "plot"}, {"a", "1"}, {"b", "1"}, {"c", "1"}});
  Launch();
  ASSERT_EQ(resultsShown, 1);
  EXPECT_TRUE(Application->Hooks.Messages.empty());
  const Lines summary = MemoLines(SpeciesDiversity->Memo1);
  EXPECT_EQ(Lines(summary.begin() + 8, summary.end()), (Lines{"ABUNDANCE LEVELS:", "1", "2", "2"}));
  EXPECT_EQ(SpeciesDiversity->DiversityCurveStringGrid->RowCount(), 5);
  EXPECT_EQ(RowText(SpeciesDiversity->DiversityCurveStringGrid, 2), "1 1.00000 1.00000 0.00000 1.00000 1.00000");
}

struct Refusal {
  const char* name;
  GridRows data;
  std::function<void(Answer&)> options;
  Lines messages;
  bool interrupts;  // InterruptFlag set afterwards
};

// Every check of the run, with its messages; no results window after any of them.
TEST_F(DiversityRun, EveryRefusalWithItsMessage) {
  const GridRows small = SmallColumns();
  GridRows wide{{"species"}};
  GridRows tall{{"species", "plot"}};
  for (int r = 1; r <= 2411; ++r) tall.push_back({"sp", "1"});
  for (auto& row : tall) row.resize(101, "1");
  const GridRows zeroSample = Samples({{0, 0, 0}, {1, 2, 3}});
  const std::vector<Refusal> cases{
      {"no iterations", small, [](Answer& a) { a.iterations = "0"; },
       {"Iterations must be greater than 0.", "Initialization failed."}, true},
      {"too many iterations", small, [](Answer& a) { a.iterations = "10001"; },
       {"Iterations must be fewer than 10,000.", "Initialization failed."}, true},
      {"one species row", {{"species", "plot"}, {"a", "3"}}, [](Answer&) {},
       {"Must have at least 2 rows of data for species diversity.", "Initialization failed."}, true},
      {"too many cells", tall, [](Answer&) {},
       {"4 < Cell limit < 240000, e.g. 2400x100.", "Initialization failed."}, true},
      {"empty column", {{"species", "plot"}, {"a", "0"}, {"b", "x"}}, [](Answer&) {}, {"Non zero rows <= 0."}, true},
      {"negative count", {{"species", "p1", "p2"}, {"a", "4", "1"}, {"b", "-2", "1"}}, [](Answer&) {},
       {"Negative count @ Row 2 Col 1"}, true},
      {"negative count in a sample", {{"species", "p1", "p2"}, {"a", "4", "1"}, {"b", "2", "-1"}},
       [](Answer& a) { a.unit = 1; }, {"Negative count @ Row 2 Col 2"}, true},
      // A count whose digits run past 32 bits is refused, not read cut short.
      {"count beyond 32 bits", {{"species", "plot"}, {"a", "3"}, {"b", "99999999999999999999"}}, [](Answer&) {},
       {"Count out of range @ Row 2 Col 1"}, true},
      {"count beyond 32 bits in a sample", {{"species", "p1", "p2"}, {"a", "4", "-2147483649"}, {"b", "2", "1"}},
       [](Answer& a) { a.unit = 1; }, {"Count out of range @ Row 1 Col 2"}, true},
      {"more individuals than 32 bits hold", {{"species", "plot"}, {"a", "2147483647"}, {"b", "1"}}, [](Answer&) {},
       {"Too many individuals: a subsample must hold fewer than 2147483648."}, true},
      {"51 levels", small,
       [](Answer& a) {
         a.userLevels = true;
         a.levels.clear();
         for (int i = 0; i < 51; ++i) a.levels += "1\r\n";
       },
       {"Abundance list is too large. Limit is 50 abundance levels. "}, true},
      {"no level", small, [](Answer& a) { a.userLevels = true, a.levels = ""; },
       {"Abundance list count < 0. Cannot run simulation."}, true},
      {"level above N", small, [](Answer& a) { a.userLevels = true, a.levels = "5\r\n11"; },
       {"Abundance list invalid."}, true},
      {"falling levels for accumulation", small,
       [](Answer& a) { a.userLevels = true, a.levels = "6\r\n3\r\n8", a.algorithm = 0; },
       {"Abundance list invalid."}, true},
      {"more sample levels than samples", small,
       [](Answer& a) { a.unit = 1, a.userLevels = true, a.levels = "1\r\n1\r\n1"; },
       {"Sample Level > Number of Columns."}, true},
      {"one sample, default levels", {{"species", "plot"}, {"a", "1"}, {"b", "2"}},
       [](Answer& a) { a.unit = 1; }, {"Sample level < 1. Cannot run simulation."}, true},
      {"sample level above M", small, [](Answer& a) { a.unit = 1, a.userLevels = true, a.levels = "3"; },
       {"Sample levels are invalid."}, true},
      // A subsample of the empty sample alone: the run ends but a batch would go on.
      {"empty sample drawn", zeroSample,
       [](Answer& a) { a.unit = 1, a.userLevels = true, a.levels = "1", a.iterations = "50"; },
       {"Abundance level < 1. Aborting simulation."}, false},
      {"empty sample drawn with replacement", zeroSample,
       [](Answer& a) { a.unit = 1, a.userLevels = true, a.levels = "1\r\n2", a.algorithm = 0, a.iterations = "50"; },
       {"Abundance level < 1. Aborting simulation."}, false},
  };
  for (const Refusal& c : cases) {
    SCOPED_TRACE(c.name);
    SetData(c.data);
    answer = Answer{};
    c.options(answer);
    const int shown = resultsShown;
    Launch();
    EXPECT_EQ(Application->Hooks.Messages, c.messages);
    EXPECT_EQ(resultsShown, shown);
    EXPECT_EQ(Zorvan->InterruptFlag, c.interrupts);
    EXPECT_FALSE(Progress->Visible());
  }
}

// The abort button during a run: no results, no batch row.
TEST_F(DiversityRun, AbortEndsTheRunWithoutResults) {
  SetData(SmallColumns());
  answer.iterations = "500";
  int calls = 0;
  Application->Hooks.ProcessMessages = [&] {
    if (++calls == 40 && Progress->Visible()) Progress->InterruptButton->Click();
  };
  const int rows = Zorvan->BatchGrid->RowCount();
  Launch();
  EXPECT_EQ(resultsShown, 0);
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_FALSE(Progress->Visible());
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), rows);
}

// A clock that moves 10 ms at every reading: the run frame's poll budget is always spent.
class TStridingClock : public TClockSource {
 public:
  TDateTime Now() override { return 45000.5; }
  Cardinal TickCount() override { return ticks_ += 10; }

 private:
  Cardinal ticks_ = 1000;
};

// One subsample of two million individuals lets messages run on the time budget, not only
// before it: the abort pressed then stops the draws within a few thousand individuals (each
// draw is one step of the random source), for rarefaction and accumulation alike.
TEST_F(DiversityRun, AbortIsAnsweredWithinOneLargeSubsample) {
  SetData({{"species", "plot"}, {"a", "1500000"}, {"b", "600000"}, {"c", "7"}});
  TStridingClock clock;
  SetClockSource(&clock);
  for (int algorithm : {1, 0}) {
    SCOPED_TRACE(algorithm);
    answer = Answer{};
    answer.userLevels = true;
    answer.levels = "2000000";
    answer.algorithm = algorithm;
    answer.iterations = "1";
    answer.seed = "11";
    // Calls 1 and 2 are the progress window's set-up and the iteration's start.
    int calls = 0;
    Application->Hooks.ProcessMessages = [&] {
      if (++calls == 3) Progress->InterruptButton->Click();
    };
    Launch();
    Application->Hooks.ProcessMessages = nullptr;
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(resultsShown, 0);
    EXPECT_TRUE(Zorvan->InterruptFlag);
    EXPECT_FALSE(Progress->Visible());
    Cardinal seed = 11;
    int draws = 0;
    while (seed != RandSeed && draws < 100000) seed = seed * 134775813u + 1u, ++draws;
    EXPECT_LT(draws, 20 * kDrawsPerPoll);
  }
  SetClockSource(nullptr);
}

// Cancel in the options form runs nothing.
TEST_F(DiversityRun, CancelRunsNothing) {
  SetData(SmallColumns());
  answer.cancel = true;
  Launch();
  EXPECT_EQ(optionsShown, 1);
  EXPECT_EQ(resultsShown, 0);
  EXPECT_FALSE(Zorvan->Flag);
}

}  // namespace

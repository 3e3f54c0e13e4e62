// The size-overlap run: checks and seed, the observed metric, the iterations of the null
// model, the statistics of the metrics and of the simulated sizes, and the summary text.
#include <cmath>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/size_overlap/SizeOverlapColumn.h"
#include "analysis/size_overlap/SizeOverlapMain.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "app/ResultsFormParts.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/Random.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int64_t kSizeOverlapMinCells = 4;
constexpr int64_t kSizeOverlapMaxCells = 241101;
constexpr Integer kSizeOverlapMaxIterations = 30000;

}  // namespace

void TSizeOverlap::Run() {
  RunFrame::TRunScope scope;
  if (!Init()) {
    ShowMessage("Initialization failed. Check iterations and random seed.");
    Zorvan->InterruptFlag = true;
    return;
  }
  // Cleared before the progress window comes up, so that an abort pressed then is not lost.
  Zorvan->InterruptFlag = false;
  RunFrame::StartProgress("Size Overlap");
  RunFrame::WriteStartTime(TimeMemo);

  FColumn = SizeOverlapOpts->AnalysedColumn();
  const TRivErodovOzar* data = Zorvan->MainGrid;
  const Integer n = CountNonZeroRows(data, FColumn);
  if (n <= 0) {
    RunFrame::Fail("Non-Zero Rows Must be > 0");
    return;
  }
  if (n - 1 < 1) {
    RunFrame::Fail("Segments must be > 0");
    return;
  }
  if (!Simulate()) return;
  NonZeroRows = n;
  Segments = n - 1;
  Statistics();
  StatsToStrings();
  DisplayResults();
  RunFrame::WriteStopTime(TimeMemo);
  PageControl1->SetActivePage(InputSheet);
  RunFrame::Finish(this, Memo1, ses_s, P1_s, P2_s);
}

bool TSizeOverlap::Init() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int64_t R = grid->RowCount();
  const int64_t cells = R * grid->ColCount();
  String failure;
  if (cells > kSizeOverlapMaxCells || cells < kSizeOverlapMinCells) {
    failure = "4 < Cell limit < 241101, e.g. 301x801.";
  } else if (R <= 2) {
    failure = "At least 3 rows of data required for size overlap.";
  } else {
    Iterations = LeadingInt(SizeOverlapOpts->IterationsEdit->Text());
    if (Iterations <= 0)
      failure = "Iterations must be > 0.";
    else if (Iterations > kSizeOverlapMaxIterations)
      failure = "Iterations must be < 30000.";
  }
  if (!failure.empty()) {
    RunFrame::Fail(failure);
    return false;
  }
  // One iteration count for the lists, the loop, the statistics and the progress bar.
  Zorvan->Iterations = Iterations;
  Seed = LeadingInt(SizeOverlapOpts->RandomSeedEdit->Text());
  CurrentSeed = RunFrame::SeedRandomSource(SizeOverlapOpts->RandomSeedEdit->Text());
  Mean = Variance = 0;
  return true;
}

bool TSizeOverlap::Simulate() {
  FOptions = SizeOverlapOpts->NullModelOptions();
  const SizeDistribution distribution = FOptions.Distribution;
  FSims.Begin(
      FOptions,
      [] {
        Application->ProcessMessages();
        return Zorvan->InterruptFlag;
      },
      [](const std::string& message) { ShowMessage(message); });

  // Every line and list is sized once; an iteration allocates nothing.
  ColumnToSizes(Zorvan->MainGrid, FColumn, DataNumberLine);
  const size_t n = DataNumberLine.size();
  const Integer last = static_cast<Integer>(n) - 1;
  TransformedNumberLine.assign(n, 0.0);
  UntransformedNumberLine.assign(n, 0.0);
  SimulatedNumberLine.assign(n, 0.0);
  SegmentsNumberLine.assign(n - 1, 0.0);
  MetricList.assign(static_cast<size_t>(Iterations), 0.0);
  SizeHistogramList.assign(MetricList.size(), 0.0);

  // The observed line passes through the same scales as a simulated one.
  QuickSortReals(DataNumberLine, 0, last);
  DistributionTransform(distribution, DataNumberLine, TransformedNumberLine);
  DistributionBackTransform(distribution, TransformedNumberLine, UntransformedNumberLine);
  TransformNumberLine(FOptions.LogTransform, UntransformedNumberLine, TransformedNumberLine);
  CalculateSegments(TransformedNumberLine, SegmentsNumberLine);
  const double observed = SegmentMetric(FOptions.Metric, SegmentsNumberLine);
  // The size kept for the size histogram: a random one of a histogram line, else the middle one.
  const size_t middle = static_cast<size_t>(std::nearbyint(static_cast<double>(n) / 2));

  const bool save = SizeOverlapOpts->SaveMatrixCheckBox->Checked();
  // The observed sizes on the distribution's scale are the same for every draw.
  DistributionTransform(distribution, DataNumberLine, TransformedNumberLine);
  FSort.Reserve(n);
  for (Integer i = 1; i <= Iterations; ++i) {
    if (RunFrame::Interrupted()) return false;
    if (!FSims.RandomizeNumberLine(TransformedNumberLine, SimulatedNumberLine)) {
      RunFrame::Abandon();
      return false;
    }
    const size_t kept =
        distribution == SizeDistribution::Histogram ? static_cast<size_t>(Random(static_cast<Integer>(n))) : middle;
    SizeHistogramList[static_cast<size_t>(i - 1)] = SimulatedNumberLine[kept];
    FSort.Sort(SimulatedNumberLine);
    DistributionBackTransform(distribution, SimulatedNumberLine, UntransformedNumberLine);
    TransformNumberLine(FOptions.LogTransform, UntransformedNumberLine, SimulatedNumberLine);
    CalculateSegments(SimulatedNumberLine, SegmentsNumberLine);
    MetricList[static_cast<size_t>(i - 1)] = SegmentMetric(FOptions.Metric, SegmentsNumberLine);
    if (save) Zorvan->SaveNumberLineToFile(i, static_cast<Integer>(n), SimulatedNumberLine);
    RunFrame::StepProgress();
  }
  Observed = observed;
  return true;
}

void TSizeOverlap::Statistics() {
  const Integer N = Iterations;
  CalculateMeanVariance(N, MetricList, Mean, Variance);
  CalculateTailCounts(N, MetricList, Observed, P1, P2, gmean, emean, lmean);
  QuickSortReals(MetricList, 0, N - 1);
  BuildHistogram(N, MetricList, Observed, Obsm);
  HistogramToText(hstm, hstm2);
  HistogramToColumns(FMeanLow, FMeanHigh, hstm2);

  QuickSortReals(SizeHistogramList, 0, N - 1);
  CalculateMeanVariance(N, SizeHistogramList, SH_Mean, SH_Variance);
  BuildHistogram(N, SizeHistogramList, Observed, SH_Obsm);
  HistogramToText(SH_hstm, SH_hstm2);
  HistogramToColumns(FSizeLow, FSizeHigh, SH_hstm2);
}

void TSizeOverlap::StatsToStrings() {
  it_s = IntToStr(Iterations);
  Observed_s = StatText(Observed);
  Mean_s = StatText(Mean);
  Variance_s = StatText(Variance);
  P1_s = StatText(P1);
  P2_s = StatText(P2);
  lmean_s = IntToStr(lmean);
  emean_s = IntToStr(emean);
  gmean_s = IntToStr(gmean);
  ses = StandardizedEffectSize(Observed, Mean, Variance);
  ses_s = StatText(ses);
  SH_Mean_s = StatText(SH_Mean);
  SH_Variance_s = StatText(SH_Variance);
}

void TSizeOverlap::SummaryDisplay() {
  const TSizeOverlapOpts* o = SizeOverlapOpts;
  const SizeDistributionParameters& p = FSims.Parameters();
  const bool histogram = FOptions.Distribution == SizeDistribution::Histogram;
  String distribution, parameters, source;
  if (!histogram) {
    switch (FOptions.Distribution) {
      case SizeDistribution::Normal: distribution = "Normal"; break;
      case SizeDistribution::LogUniform: distribution = "Log Uniform"; break;
      case SizeDistribution::LogNormal: distribution = "Log Normal"; break;
      default: distribution = "Uniform"; break;
    }
    const bool uniform =
        FOptions.Distribution == SizeDistribution::Uniform || FOptions.Distribution == SizeDistribution::LogUniform;
    parameters = uniform ? "Minimum = " + StatText(p.Minimum) + "  Maximum = " + StatText(p.Maximum)
                         : "Mean = " + StatText(p.Mean) + "  Standard deviation = " + StatText(p.SD);
    source = FOptions.UserDefined ? "User-defined" : "Data-defined";
  }
  const TStrings* columns = o->ColumnList->Items();
  const String column =
      o->CurrentColumn >= 0 && o->CurrentColumn < columns->Count() ? columns->Strings(o->CurrentColumn) : String();

  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  TStrings* lines = &summary;
  lines->Add("Input file = " + Zorvan->FileName);
  lines->Add("Iterations = " + it_s);
  lines->Add("Random seed = " + IntToStr(CurrentSeed));
  lines->Add("Column analyzed:  " + column);
  lines->Add(FOptions.Metric == SizeMetric::MinimumSegment ? "Metric = Minimum segment length."
                                                           : "Metric = Variance in segment length.");
  lines->Add(FOptions.LogTransform ? "Log (size ratios)" : "None (size differences)");
  lines->Add(histogram ? "User-defined histogram" : "Parametric distributions");
  lines->Add(distribution);
  lines->Add(parameters);
  lines->Add(source);
  lines->Add("");
  lines->Add(kRule);
  lines->Add("");
  lines->Add("Observed index = " + Observed_s);
  lines->Add("Mean of simulated index = " + Mean_s);
  lines->Add("Variance of simulated index = " + Variance_s);
  lines->Add(kUpperTailLabel + P2_s);
  lines->Add(kLowerTailLabel + P1_s);
  lines->Add("");
  lines->Add("Number of times Observed index < simulated indices = " + lmean_s);
  lines->Add("Number of times Observed index = simulated indices = " + emean_s);
  lines->Add("Number of times Observed index > simulated indices = " + gmean_s);
  lines->Add(kSesLabel + ses_s);
  lines->Add("");
  lines->Add("Simulation frequencies:");
  lines->Add("Histogram          # Simulations");
  const TStrings* edges = MeanHistogramMemo->Lines();
  const TStrings* counts = MeanHistogramMemo2->Lines();
  auto line = [](const TStrings* text, int k) { return k < text->Count() ? text->Strings(k) : String(); };
  for (int k = 0; k < kHistogramLines; ++k) lines->Add(line(edges, k) + "  " + line(counts, k));
  lines->Add(kRule);
  lines->Add("");
  lines->Add("INPUT MATRIX");
  lines->Add("");
  AddGridLines(lines, Zorvan->MainGrid);
  Memo1->Lines()->SetText(summary.Text());
}

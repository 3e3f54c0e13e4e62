// The run of a group analysis: checks, the observed group indices and favored states, the
// iterations of the null model, the statistics of the three series and the summary text.
#include <algorithm>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/presence_absence/GroupResults.h"
#include "analysis/presence_absence/GuildStructureSims.h"
#include "app/RunFrame.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int64_t kGroupMinCells = 4;
constexpr int64_t kGroupMaxCells = 241101;
constexpr const char* kCellLimit = "4 < Cell limit < 241101, e.g. 301x801.";
constexpr const char* kTooFewIterations = "Iterations must be > 0.";
constexpr const char* kEmptyData = "Row and Column Totals = 0.";


}  // namespace

void TGroupResults::Run() {
  RunFrame::TRunScope scope;
  // Cleared here rather than just before the loop, so that an abort pressed while the progress
  // window comes up is not lost.
  Zorvan->InterruptFlag = false;
  FSetup = Setup();
  meanP1 = meanP2 = varianceP1 = varianceP2 = favoredStatesP1 = favoredStatesP2 = 0;
  RunFrame::WriteStartTime(TimeMemo);
  if (!Init()) return;

  Matrix presence;
  std::vector<std::string> labels;
  FSetup.CopyMainGrid(Zorvan->MainGrid, presence, labels);
  FSims.Begin(FSetup.Axis, presence, labels);
  RunFrame::StartProgress(FSetup.ModelName);

  // The group list; every group needs two units.
  if (FSims.SmallestGroup() < 2) {
    RunFrame::Fail(FSetup.SmallGroupMessage);
    return;
  }
  const Integer G = FSims.GroupCount();
  const size_t groups = static_cast<size_t>(G);

  ObservedFavoredStates = FSetup.FavoredStates ? GuildFavoredStates(FSims) : 0;
  FObserved.assign(groups, 0.0);
  if (FSims.GroupIndices(FSetup.Index, FObserved) && FSetup.EmptyGroupStops) {
    RunFrame::Fail(kEmptyData);
    return;
  }
  CalculateMeanVariance(G, FObserved, Mean, ObservedVariance);

  // Every series is sized once; an iteration allocates nothing.
  FIteration.assign(groups, 0.0);
  FGroupSeries.assign(groups * static_cast<size_t>(Iterations), 0.0);
  FMeans.assign(static_cast<size_t>(Iterations), 0.0);
  FVariances.assign(FMeans.size(), 0.0);
  FFavored.assign(FMeans.size(), 0.0);
  Integer k = 0;
  for (Integer i = 1; i <= Iterations; ++i) {
    FSetup.Randomize(FSims);
    if (FSetup.FavoredStates) FFavored[static_cast<size_t>(i - 1)] = GuildFavoredStates(FSims);
    if (RunFrame::Interrupted()) return;
    if (FSetup.Options->SaveMatrixCheckBox->Checked()) {
      GuildWorkingToGrid(FSims, Zorvan->MainGrid, FSimFileGrid);
      Zorvan->SaveSimulation(i, 0, FSimFileGrid);
    }
    // A group that the shuffle left without presence counts with index 0.
    FSims.GroupIndices(FSetup.Index, FIteration);
    for (size_t g = 0; g < groups; ++g) FGroupSeries[g * static_cast<size_t>(Iterations) + (i - 1)] = FIteration[g];
    CalculateMeanVariance(G, FIteration, FMeans[static_cast<size_t>(i - 1)], FVariances[static_cast<size_t>(i - 1)]);
    ++k;
    RunFrame::StepProgress();
  }

  GuildList.assign(FSims.GroupNames().begin(), FSims.GroupNames().end());
  GuildCounts.assign(FSims.GroupSizes().begin(), FSims.GroupSizes().end());
  GuildCount = G;
  Statistics(k);
  StatsToStrings();
  FObservedShown = FObserved;
  DisplayResults();
  RunFrame::WriteStopTime(TimeMemo);
  PageControl1->SetActivePage(InputSheet);
  RunFrame::Finish(this, Memo1, ses_string, mp1, mp2);
}

bool TGroupResults::Init() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int R = grid->RowCount();
  const int C = grid->ColCount();
  const int64_t cells = static_cast<int64_t>(R) * C;
  String failure;
  if (cells < kGroupMinCells || cells > kGroupMaxCells)
    failure = kCellLimit;
  else if (R < FSetup.MinRows || C < FSetup.MinCols)
    failure = FSetup.TooFewMessage;
  if (failure.empty()) {
    Iterations = LeadingInt(FSetup.Options->IterationsEdit->Text());
    if (Iterations < 1)
      failure = kTooFewIterations;
    else if (Iterations > FSetup.MaxIterations)
      failure = FSetup.TooManyIterations;
  }
  if (!failure.empty()) {
    RunFrame::Fail(failure);
    return false;
  }
  Seed = LeadingInt(FSetup.Options->RandomSeedEdit->Text());
  CurrentSeed = RunFrame::SeedRandomSource(FSetup.Options->RandomSeedEdit->Text());
  Mean = mmeans = vmeans = mvariances = vvariances = 0;
  return true;
}

void TGroupResults::SeriesStatistics(Integer k, std::vector<double>& Values, bool Histogram, TGroupSeries& Series) {
  Series.MeanValue = Series.Variance = Series.P1 = Series.P2 = 0;
  Series.Less = Series.Equal = Series.Greater = 0;
  Series.Marker.clear();
  Series.Edges.clear();
  Series.Counts.clear();
  Series.Lower.clear();
  Series.Upper.clear();
  CalculateMeanVariance(k, Values, Series.MeanValue, Series.Variance);
  CalculateTailCounts(k, Values, Series.Observed, Series.P1, Series.P2, Series.Greater, Series.Equal, Series.Less);
  Series.Ses = StandardizedEffectSize(Series.Observed, Series.MeanValue, Series.Variance);
  if (k <= 0 || !Histogram) return;
  QuickSortReals(Values, 0, k - 1);
  BuildHistogram_LastIndex(k - 1, Values, Series.Observed, Series.Marker);
  HistogramToText(Series.Edges, Series.Counts);
  String counts;
  HistogramToColumns(Series.Lower, Series.Upper, counts);
}

void TGroupResults::Statistics(Integer k) {
  m_guildregion.assign(static_cast<size_t>(GuildCount), 0.0);
  v_guildregion.assign(static_cast<size_t>(GuildCount), 0.0);
  std::vector<double> group(static_cast<size_t>(k));
  for (size_t g = 0; g < static_cast<size_t>(GuildCount); ++g) {
    const auto from = FGroupSeries.begin() + static_cast<std::ptrdiff_t>(g * static_cast<size_t>(Iterations));
    std::copy(from, from + k, group.begin());
    CalculateMeanVariance(k, group, m_guildregion[g], v_guildregion[g]);
  }
  FFavoredSeries.Observed = ObservedFavoredStates;
  FMeanSeries.Observed = Mean;
  FVarianceSeries.Observed = ObservedVariance;
  SeriesStatistics(k, FFavored, FSetup.FavoredStates, FFavoredSeries);
  SeriesStatistics(k, FMeans, true, FMeanSeries);
  SeriesStatistics(k, FVariances, true, FVarianceSeries);
  mmeans = FMeanSeries.MeanValue;
  vmeans = FMeanSeries.Variance;
  meanP1 = FMeanSeries.P1;
  meanP2 = FMeanSeries.P2;
  lmean = FMeanSeries.Less;
  emean = FMeanSeries.Equal;
  gmean = FMeanSeries.Greater;
  mvariances = FVarianceSeries.MeanValue;
  vvariances = FVarianceSeries.Variance;
  varianceP1 = FVarianceSeries.P1;
  varianceP2 = FVarianceSeries.P2;
  lvariance = FVarianceSeries.Less;
  evariance = FVarianceSeries.Equal;
  gvariance = FVarianceSeries.Greater;
  mfavoredstates = FFavoredSeries.MeanValue;
  vfavoredstates = FFavoredSeries.Variance;
  favoredStatesP1 = FFavoredSeries.P1;
  favoredStatesP2 = FFavoredSeries.P2;
  lfavoredstates = FFavoredSeries.Less;
  efavoredstates = FFavoredSeries.Equal;
  gfavoredstates = FFavoredSeries.Greater;
}

void TGroupResults::StatsToStrings() {
  its = IntToStr(Iterations);
  m = StatText(Mean);
  mm = StatText(mmeans);
  vm = StatText(vmeans);
  mp1 = StatText(meanP1);
  mp2 = StatText(meanP2);
  ses_string = StatText(FMeanSeries.Ses);
  ov = StatText(ObservedVariance);
  vmv = StatText(mvariances);
  vvv = StatText(vvariances);
  vp1 = StatText(varianceP1);
  vp2 = StatText(varianceP2);
  v_ses_string = StatText(FVarianceSeries.Ses);
  ofs = StatText(ObservedFavoredStates);
  fsm = StatText(mfavoredstates);
  fsv = StatText(vfavoredstates);
  fsp1 = StatText(favoredStatesP1);
  fsp2 = StatText(favoredStatesP2);
  fs_ses_string = StatText(FFavoredSeries.Ses);
}

void TGroupResults::AddSummaryBlock(TStrings* Lines, const char* Title, const TGroupSeries& Series) {
  Lines->Add(Title);
  Lines->Add("Observed index = " + StatText(Series.Observed));
  Lines->Add("Mean of simulated indices = " + StatText(Series.MeanValue));
  Lines->Add("Variance of simulated indices = " + StatText(Series.Variance));
  Lines->Add(kLowerTailLabel + StatText(Series.P1));
  Lines->Add(kUpperTailLabel + StatText(Series.P2));
  Lines->Add("");
  Lines->Add("Number of times observed index < simulated indices = " + IntToStr(Series.Less));
  Lines->Add("Number of times observed index = simulated indices = " + IntToStr(Series.Equal));
  Lines->Add("Number of times observed index > simulated indices = " + IntToStr(Series.Greater));
  Lines->Add(kSesLabel + StatText(Series.Ses));
  Lines->Add("");
  Lines->Add("Simulation frequencies:");
  Lines->Add("Histogram          # Simulations");
  for (const String& line : HistogramSummaryLines(Series.Edges, Series.Counts, kHistogramLines)) Lines->Add(line);
  Lines->Add(kRule);
  Lines->Add("");
}

void TGroupResults::SummaryDisplay() {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  TStrings* lines = &summary;
  lines->Add("Input file = " + Zorvan->FileName);
  lines->Add("Rows = " + IntToStr(data->RowCount() - 1) + "; Columns = " + IntToStr(data->ColCount() - 1));
  lines->Add("Iterations = " + its);
  lines->Add("Random seed = " + IntToStr(CurrentSeed));
  lines->Add(FSetup.GroupingLine);
  lines->Add(FSetup.GroupCountLabel + IntToStr(GuildCount));
  lines->Add(FSetup.IndexLine);
  lines->Add(FSetup.OptionLine);
  lines->Add(kRule);
  lines->Add("");
  AddSummaryBlock(lines, "INDEX", FMeanSeries);
  AddSummaryBlock(lines, "VARIANCE", FVarianceSeries);
  if (FSetup.SummaryHasFavoredBlock) AddSummaryBlock(lines, "FAVORED STATES", FFavoredSeries);
  lines->Add(FSetup.GroupSection);
  lines->Add("");
  AddGridLines(lines, GuildsRegionsGrid);
  lines->Add(kRule);
  lines->Add("");
  lines->Add("INPUT MATRIX:");
  lines->Add("");
  AddGridLines(lines, data);
  lines->Add("");
  Memo1->Lines()->SetText(summary.Text());
}

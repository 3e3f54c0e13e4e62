// The species-diversity run: checks, the observed index, the sampling levels, the subsamples
// of every level, the curves, the summary, and the end of the run through the shared frame.
#include <algorithm>
#include <limits>

#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/species_diversity/AbundancelevelsOptions.h"
#include "analysis/species_diversity/SpeciesDiversityCurve.h"
#include "analysis/species_diversity/SpeciesDiversityLevels.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "app/ProgressSims.h"
#include "app/ResultsFormParts.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Math.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace {

constexpr Integer kMaxIterations = 10000;
constexpr int64_t kMinCells = 4;
constexpr int64_t kMaxCells = 241101;
constexpr Integer kMaxLevels = 50;
// Counts, totals and tallies are 32-bit; a subsample must stay within that range.
constexpr int64_t kMaxIndividuals = std::numeric_limits<Integer>::max();

constexpr const char* kLevelBelowOne = "Abundance level < 1. Aborting simulation.";
constexpr const char* kCountsTooLarge = "Too many individuals: a subsample must hold fewer than 2147483648.";

constexpr const char* const kDiversityTitles[6] = {"", "AverageDiversity", "MedianDiversity", "VarianceDiversity",
                                                   "95%Conf.Low", "95%Conf.High"};
constexpr const char* const kAbundanceTitles[6] = {"Sample", "AverageAbundance", "MedianAbundance",
                                                   "VarianceAbundance", "95%Conf.Low", "95%Conf.High"};

const char* IndexLine(DiversityIndexKind Kind) {
  switch (Kind) {
    case DiversityIndexKind::HurlbertsPIE: return "Index = Hurlberts PIE";
    case DiversityIndexKind::Dominance: return "Index = Dominance";
    case DiversityIndexKind::Shannon: return "Index = Shannons Diversity";
    default: return "Index = Species Richness";
  }
}

int64_t Sum(const std::vector<Integer>& Counts) {
  int64_t total = 0;
  for (Integer c : Counts) total += c;
  return total;
}

}  // namespace

void TSpeciesDiversity::Run() {
  RunFrame::TRunScope scope;
  const bool samples = SpeciesDiversityOpts->SpeciesGroup->ItemIndex() == kUnitSamples;
  AbundanceCurveSheet->SetTabVisible(samples);
  Abundancecurve1->SetEnabled(samples);
  if (!Init()) {
    RunFrame::Fail("Initialization failed.");
    return;
  }
  // Cleared before the progress window comes up, so that an abort pressed then is not lost.
  Zorvan->InterruptFlag = false;
  RunFrame::StartProgress("Species Diversity");
  RunFrame::WriteStartTime(TimeMemo);
  if (samples ? RunSample() : RunIndividual()) FinishRun(samples);
}

bool TSpeciesDiversity::Init() {
  FIterations = Zorvan->Iterations;
  if (FIterations < 1) {
    ShowMessage("Iterations must be greater than 0.");
    return false;
  }
  if (FIterations > kMaxIterations) {
    ShowMessage("Iterations must be fewer than 10,000.");
    return false;
  }
  CurrentSeed = RunFrame::SeedRandomSource(SpeciesDiversityOpts->RandomSeedEdit->Text());
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  if (grid->RowCount() < 3) {
    ShowMessage("Must have at least 2 rows of data for species diversity.");
    return false;
  }
  const int64_t cells = static_cast<int64_t>(grid->RowCount()) * grid->ColCount();
  if (cells > kMaxCells || cells < kMinCells) {
    ShowMessage("4 < Cell limit < 240000, e.g. 2400x100.");
    return false;
  }
  return true;
}

bool TSpeciesDiversity::Refuse(const String& Message) {
  RunFrame::Fail(Message);
  return false;
}

bool TSpeciesDiversity::EndWithoutResults() {
  // A subsample without individuals: the flag stays as it was, so a batch goes on.
  if (Progress->Visible()) Progress->Close();
  return false;
}

DiversityIndexKind TSpeciesDiversity::SelectedIndex() const {
  const int item = SpeciesDiversityOpts->IndexList->ItemIndex();
  return item >= 1 && item <= 3 ? static_cast<DiversityIndexKind>(item) : DiversityIndexKind::Richness;
}

Integer TSpeciesDiversity::AnalysedColumn() const {
  // The list holds the titles of the matrix shown when the options closed; a batch file may be
  // narrower, and then its first column is analysed.
  const Integer column = SpeciesDiversityOpts->ColumnList->ItemIndex() + 1;
  return column >= 1 && column < Zorvan->MainGrid->ColCount() ? column : 1;
}

bool TSpeciesDiversity::DetermineIndex(const std::vector<Integer>& Counts, Int64 n) {
  if (n < 1) {
    ShowMessage(kLevelBelowOne);
    return false;
  }
  const DiversityIndexKind kind = SelectedIndex();
  indexResult = DiversityIndex(kind, Counts, n);
  if (kind == DiversityIndexKind::Richness) NonZeroRows = static_cast<Integer>(indexResult);
  return true;
}

std::vector<Integer> TSpeciesDiversity::getAbundanceLevels() {
  TStrings* lines = AbundanceLevelsOpts->Memo1->Lines();
  std::vector<std::string> text;
  for (int i = 0; i < lines->Count(); ++i) text.push_back(lines->Strings(i));
  return LevelsFromLines(text);
}

bool TSpeciesDiversity::CountsAreValid(Integer FirstColumn, Integer LastColumn) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  // The draws walk counts of 0 or more; a negative one is refused before anything is drawn.
  for (int r = 1; r < grid->RowCount(); ++r)
    for (int c = FirstColumn; c <= LastColumn; ++c)
      if (LeadingInt(grid->Cells(c, r)) < 0)
        return Refuse("Negative count @ Row " + IntToStr(r) + " Col " + IntToStr(c));
  return true;
}

void TSpeciesDiversity::ColumnToList(Integer k, std::vector<Integer>& Counts) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int R = grid->RowCount();
  Counts.assign(static_cast<size_t>(R - 1), 0);
  ResetGrid(InputColumnStringGrid, 2, R);
  ResetGrid(SimulationStringGrid, 2, R);
  for (int r = 0; r < R; ++r) {
    InputColumnStringGrid->SetCells(0, r, grid->Cells(0, r));
    InputColumnStringGrid->SetCells(1, r, grid->Cells(k, r));
    SimulationStringGrid->SetCells(0, r, grid->Cells(0, r));
    if (r > 0) Counts[static_cast<size_t>(r - 1)] = LeadingInt(grid->Cells(k, r));
  }
  SimulationStringGrid->SetCells(1, 0, grid->Cells(k, 0));
}

void TSpeciesDiversity::SampleColumnsToMatrix(Matrix& Samples, std::vector<Integer>& Totals) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int R = grid->RowCount();
  const int C = grid->ColCount();
  Samples.SetLength(C - 1, R - 1);
  Totals.assign(static_cast<size_t>(R - 1), 0);
  std::vector<int64_t> wide(Totals.size(), 0);
  ResetGrid(InputColumnStringGrid, C, R);
  ResetGrid(SimulationStringGrid, 2, R);
  for (int r = 0; r < R; ++r) {
    for (int c = 0; c < C; ++c) InputColumnStringGrid->SetCells(c, r, grid->Cells(c, r));
    SimulationStringGrid->SetCells(0, r, grid->Cells(0, r));
  }
  SimulationStringGrid->SetCells(1, 0, grid->Cells(1, 0));
  for (int c = 1; c < C; ++c)
    for (int r = 1; r < R; ++r) {
      const Integer count = LeadingInt(grid->Cells(c, r));
      Samples[c - 1][r - 1] = count;
      wide[static_cast<size_t>(r - 1)] += count;
    }
  // A total beyond 32 bits is refused before it is used; it only has to stay non-zero here.
  for (size_t s = 0; s < wide.size(); ++s)
    Totals[s] = static_cast<Integer>(std::clamp<int64_t>(wide[s], -kMaxIndividuals, kMaxIndividuals));
}

// ---- curves

void TSpeciesDiversity::PrepareCurve(TStringGrid* Grid, Integer Levels) {
  ResetGrid(Grid, 6, Levels + 2);
}

void TSpeciesDiversity::WriteCurveTitles(TStringGrid* Grid, const char* const Titles[6]) {
  for (int c = 0; c < 6; ++c) Grid->SetCells(c, 0, Titles[c]);
}

void TSpeciesDiversity::WriteObservedRow(TStringGrid* Grid, const String& Size, double Value) {
  const String text = StatText(Value);
  Grid->SetCells(0, 1, Size + "(Obs.)");
  Grid->SetCells(1, 1, text);
  Grid->SetCells(2, 1, text);
  Grid->SetCells(3, 1, "0.00000");
  Grid->SetCells(4, 1, text);
  Grid->SetCells(5, 1, text);
}

void TSpeciesDiversity::WriteLevelRows(TStringGrid* Grid, std::vector<double>& Values) {
  const size_t I = static_cast<size_t>(FIterations);
  FLevelValues.resize(I);
  for (Integer i = 0; i < NumLevels; ++i) {
    const auto from = Values.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(i) * I);
    std::copy(from, from + static_cast<std::ptrdiff_t>(I), FLevelValues.begin());
    const TCurveStatistics s = CurveStatistics(FLevelValues);
    const int row = 2 + i;
    Grid->SetCells(0, row, IntToStr(Levels[static_cast<size_t>(i)]));
    Grid->SetCells(1, row, StatText(s.Mean));
    Grid->SetCells(2, row, StatText(s.Median));
    Grid->SetCells(3, row, StatText(s.Variance));
    Grid->SetCells(4, row, StatText(s.Low));
    Grid->SetCells(5, row, StatText(s.High));
  }
}

void TSpeciesDiversity::LevelDone() {
  TProgressBar* bar = Progress->ProgressBar1;
  Progress->IterationsLabel->SetCaption(IntToStr(bar->Position()));
  bar->SetStep(bar->Max() / NumLevels);
  bar->StepIt();
}

void TSpeciesDiversity::ShowTally() { IntegersToGridColumn(FTally, SimulationStringGrid); }

void TSpeciesDiversity::SaveLevelSimulation(Integer Level) {
  if (!SpeciesDiversityOpts->SaveMatrixCheckBox->Checked()) return;
  // One file per level: the level's number tells them apart.
  ShowTally();
  Zorvan->SaveSimulation(FIterations, Level, SimulationStringGrid);
}

// ---- individuals of one column

bool TSpeciesDiversity::RunIndividual() {
  TSpeciesDiversityOpts* o = SpeciesDiversityOpts;
  FColumn = AnalysedColumn();
  ColumnToList(FColumn, FCounts);
  if (!CountsAreValid(FColumn, FColumn)) return false;
  NonZeroRows = SpeciesRichness(FCounts);
  if (NonZeroRows <= 0) return Refuse("Non zero rows <= 0.");
  const int64_t N = Sum(FCounts);
  if (N > kMaxIndividuals) return Refuse(kCountsTooLarge);
  individualsCount = N;
  if (!DetermineIndex(FCounts, N)) return Refuse("");
  const double observed = indexResult;
  PrepareCurve(DiversityCurveStringGrid, 1);
  WriteObservedRow(DiversityCurveStringGrid, IntToStr(static_cast<Integer>(N)), observed);

  const bool userLevels = o->AbundanceLevelsGroup->ItemIndex() == kLevelsUserDefined;
  if (!userLevels) {
    NumLevels = std::min(NonZeroRows + 1, kMaxLevels);
    // Levels the rule cannot fill below N are left out.
    Levels = DefaultAbundanceLevels(static_cast<Integer>(N), NumLevels);
  } else {
    Levels = getAbundanceLevels();
  }
  NumLevels = static_cast<Integer>(Levels.size());
  if (NumLevels > kMaxLevels) return Refuse("Abundance list is too large. Limit is 50 abundance levels. ");
  if (NumLevels < 1) return Refuse("Abundance list count < 0. Cannot run simulation.");
  if (std::any_of(Levels.begin(), Levels.end(), [N](Integer level) { return level > N; }))
    return Refuse("Abundance list invalid.");
  const bool accumulation = o->RandomizationGroup->ItemIndex() == kAccumulationCurve;
  // An accumulation extends one subsample: a smaller level after a larger one cannot be drawn.
  if (accumulation && !std::is_sorted(Levels.begin(), Levels.end())) return Refuse("Abundance list invalid.");
  Progress->SetCaption("Zorvan:Simulating... Abundance level = " + IntToStr(NumLevels));

  const size_t I = static_cast<size_t>(FIterations);
  const size_t S = FCounts.size();
  FTally.assign(S, 0);
  FValues.assign(static_cast<size_t>(NumLevels) * I, 0.0);
  FPool.Assign(FCounts);
  FWork.Assign(FCounts);
  const bool saving = o->SaveMatrixCheckBox->Checked();
  if (!accumulation) {
    for (Integer i = 0; i < NumLevels; ++i) {
      const Integer level = Levels[static_cast<size_t>(i)];
      Progress->SetCaption("Zorvan simulating, Abundance Level: " + IntToStr(level));
      for (size_t t = 0; t < I; ++t) {
        if (RunFrame::Interrupted()) return false;
        std::fill(FTally.begin(), FTally.end(), 0);
        RarefactionDraw(FPool, level, FWork, FTally);
        if (!DetermineIndex(FTally, level)) return EndWithoutResults();
        FValues[static_cast<size_t>(i) * I + t] = indexResult;
      }
      SaveLevelSimulation(i + 1);
      LevelDone();
    }
  } else {
    for (size_t t = 0; t < I; ++t) {
      individualsCount = N;
      if (RunFrame::Interrupted()) return false;
      FWork.CopyFrom(FPool);
      std::fill(FTally.begin(), FTally.end(), 0);
      Integer drawn = 0;
      for (Integer i = 0; i < NumLevels; ++i) {
        const Integer level = Levels[static_cast<size_t>(i)];
        AccumulationDraw(FWork, level - drawn, FTally);
        drawn = level;
        individualsCount = FWork.Total();
        if (!DetermineIndex(FTally, level)) return EndWithoutResults();
        FValues[static_cast<size_t>(i) * I + t] = indexResult;
      }
      if (saving) {
        ShowTally();
        Zorvan->SaveSimulation(static_cast<Integer>(t), 0, SimulationStringGrid);
      }
      RunFrame::StepProgress();
    }
  }
  PrepareCurve(DiversityCurveStringGrid, NumLevels);
  WriteObservedRow(DiversityCurveStringGrid, IntToStr(static_cast<Integer>(N)), observed);
  WriteLevelRows(DiversityCurveStringGrid, FValues);
  ShowTally();
  return true;
}

// ---- whole samples

bool TSpeciesDiversity::RunSample() {
  TSpeciesDiversityOpts* o = SpeciesDiversityOpts;
  const Integer M = Zorvan->MainGrid->ColCount() - 1;
  SampleColumnsToMatrix(FSamples, FCounts);
  if (!CountsAreValid(1, M)) return false;
  if (SpeciesRichness(FCounts) <= 0) return Refuse("Non zero rows <= 0.");
  int64_t total = 0;
  for (Integer j = 0; j < M; ++j)
    for (int s = 0; s < FSamples.Rows(); ++s) total += FSamples[j][s];
  individualsCount = total;

  if (o->SampleLevelsGroup->ItemIndex() != kLevelsUserDefined) {
    NumLevels = std::min(static_cast<Integer>(Round(M * 0.4)), kMaxLevels);
    if (NumLevels == 0) Zorvan->InterruptFlag = true;
    // Levels beyond the number of samples are left out.
    Levels = DefaultSampleLevels(M, NumLevels);
  } else {
    Levels = getAbundanceLevels();
    if (static_cast<Integer>(Levels.size()) > M) return Refuse("Sample Level > Number of Columns.");
  }
  NumLevels = static_cast<Integer>(Levels.size());
  if (NumLevels < 1) return Refuse("Sample level < 1. Cannot run simulation.");
  if (std::any_of(Levels.begin(), Levels.end(), [M](Integer level) { return level > M; }))
    return Refuse("Sample levels are invalid.");
  const bool accumulation = o->RandomizationGroup->ItemIndex() == kAccumulationCurve;
  // Drawn with replacement, a level may take the largest sample that many times.
  const Integer largestLevel = *std::max_element(Levels.begin(), Levels.end());
  if ((accumulation ? total * largestLevel : total) > kMaxIndividuals) return Refuse(kCountsTooLarge);

  if (!DetermineIndex(FCounts, total)) return Refuse("");
  PrepareCurve(DiversityCurveStringGrid, NumLevels);
  PrepareCurve(DiversityCurveStringGrid2, NumLevels);
  WriteObservedRow(DiversityCurveStringGrid, IntToStr(M), indexResult);
  WriteObservedRow(DiversityCurveStringGrid2, IntToStr(M), static_cast<double>(total));
  Zorvan->InterruptFlag = false;

  const size_t I = static_cast<size_t>(FIterations);
  FTally.assign(FCounts.size(), 0);
  FPicked.assign(static_cast<size_t>(M), 0);
  FValues.assign(static_cast<size_t>(NumLevels) * I, 0.0);
  FDrawn.assign(FValues.size(), 0.0);
  for (Integer i = 0; i < NumLevels; ++i) {
    const Integer level = Levels[static_cast<size_t>(i)];
    Progress->SetCaption("Zorvan simulating, Sample Level: " + IntToStr(level));
    for (size_t t = 0; t < I; ++t) {
      if (RunFrame::Interrupted()) return false;
      std::fill(FTally.begin(), FTally.end(), 0);
      if (accumulation) {
        SampleAccumulationDraw(FSamples, level, FTally);
      } else if (!SampleRarefactionDraw(FSamples, level, FPicked, FTally)) {
        ShowMessage("Unable to independent sample.");
        Zorvan->InterruptFlag = true;
      }
      const int64_t individuals = Sum(FTally);
      FDrawn[static_cast<size_t>(i) * I + t] = static_cast<double>(individuals);
      if (!DetermineIndex(FTally, individuals)) return EndWithoutResults();
      FValues[static_cast<size_t>(i) * I + t] = indexResult;
    }
    SaveLevelSimulation(i + 1);
    LevelDone();
  }
  ShowTally();
  WriteLevelRows(DiversityCurveStringGrid, FValues);
  WriteLevelRows(DiversityCurveStringGrid2, FDrawn);
  return true;
}

// ---- after the loops

void TSpeciesDiversity::FinishRun(bool Samples) {
  WriteCurveTitles(DiversityCurveStringGrid, kDiversityTitles);
  DiversityCurveStringGrid->SetCells(0, 0, Samples ? "Sample" : "Abundance");
  if (Samples) WriteCurveTitles(DiversityCurveStringGrid2, kAbundanceTitles);
  SummaryDisplay(Samples);
  RunFrame::WriteStopTime(TimeMemo);
  PageControl1->SetActivePage(InputSheet);
  if (Zorvan->BatchSwitch && Zorvan->Flag) {
    Application->ProcessMessages();
    SaveDiversityCurveBatch();
  }
  RunFrame::Finish(this, Memo1, "n/a", "n/a", "n/a");
}

void TSpeciesDiversity::SummaryDisplay(bool Samples) {
  TSpeciesDiversityOpts* o = SpeciesDiversityOpts;
  const TRivErodovOzar* data = Zorvan->MainGrid;
  const bool accumulation = o->RandomizationGroup->ItemIndex() == kAccumulationCurve;
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  summary.Add("Input file = " + Zorvan->FileName);
  summary.Add("Rows = " + IntToStr(data->RowCount() - 1) + "; Columns = " + IntToStr(data->ColCount() - 1));
  summary.Add("Iterations = " + IntToStr(FIterations));
  summary.Add("Random seed = " + IntToStr(CurrentSeed));
  if (Samples) summary.Add("Sample Level = " + IntToStr(NumLevels));
  // The title of the column analysed, which a batch file's fallback may have changed.
  if (!Samples) summary.Add("Analyzed column = " + data->Cells(FColumn, 0));
  summary.Add(accumulation ? "Randomization algorithm = Accumulation curve"
                           : "Randomization algorithm = Rarefaction curve");
  const bool userLevels =
      (Samples ? o->SampleLevelsGroup : o->AbundanceLevelsGroup)->ItemIndex() == kLevelsUserDefined;
  const String levelLabel = Samples ? "Sample level = " : "Abundance level = ";
  summary.Add(levelLabel + (userLevels ? "User-defined" : "Default"));
  summary.Add(IndexLine(SelectedIndex()));
  summary.Add(Samples ? "SAMPLE LEVELS:" : "ABUNDANCE LEVELS:");
  for (Integer level : Levels) summary.Add(IntToStr(level));
  Memo1->Lines()->SetText(summary.Text());
}

// The species-diversity run: checks, the observed index, the sampling levels and the
// subsamples of every level (the input is read in SpeciesDiversityInput.cpp, the results
// written in SpeciesDiversityReport.cpp).
#include <algorithm>
#include <limits>

#include "analysis/species_diversity/SpeciesDiversityLevels.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "app/ProgressSims.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/Math.h"
#include "classlib/SysUtils.h"

namespace {

constexpr Integer kDiversityMaxIterations = 10000;
constexpr int64_t kDiversityMinCells = 4;
constexpr int64_t kDiversityMaxCells = 241101;
constexpr Integer kMaxLevels = 50;
// Counts, totals and tallies are 32-bit; a subsample must stay within that range.
constexpr int64_t kMaxIndividuals = std::numeric_limits<Integer>::max();

constexpr const char* kLevelBelowOne = "Abundance level < 1. Aborting simulation.";
constexpr const char* kCountsTooLarge = "Too many individuals: a subsample must hold fewer than 2147483648.";

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
  if (FIterations > kDiversityMaxIterations) {
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
  if (cells > kDiversityMaxCells || cells < kDiversityMinCells) {
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
  // A subsample may be billions of draws: they let messages run on the run frame's budget.
  const PollFn poll = RunFrame::PollOnBudget;
  if (!accumulation) {
    for (Integer i = 0; i < NumLevels; ++i) {
      const Integer level = Levels[static_cast<size_t>(i)];
      Progress->SetCaption("Zorvan simulating, Abundance Level: " + IntToStr(level));
      for (size_t t = 0; t < I; ++t) {
        if (RunFrame::Interrupted()) return false;
        std::fill(FTally.begin(), FTally.end(), 0);
        if (!RarefactionDraw(FPool, level, FWork, FTally, poll)) {
          RunFrame::Abandon();
          return false;
        }
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
        if (!AccumulationDraw(FWork, level - drawn, FTally, poll)) {
          RunFrame::Abandon();
          return false;
        }
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

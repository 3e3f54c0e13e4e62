// The species-diversity results: the curve grids' rows, the progress step of a level, the
// simulated subsample, the summary text and the end of a completed run.
#include <algorithm>

#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/species_diversity/SpeciesDiversityCurve.h"
#include "analysis/species_diversity/SpeciesDiversityMain.h"
#include "analysis/species_diversity/SpeciesDiversityOptions.h"
#include "app/ProgressSims.h"
#include "app/ResultsFormParts.h"
#include "app/RunFrame.h"
#include "app/ZorvanMain.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"

namespace {

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

}  // namespace

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

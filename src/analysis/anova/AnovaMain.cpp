// The ANOVA results window: its pages and what each shows after a run.
#include "analysis/anova/AnovaMain.h"

#include "analysis/anova/AnovaOptions.h"
#include "analysis/common/ZorvanHelpersGrid.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TAnovaShell* AnovaShell = nullptr;

namespace {


const TStatisticLabels kFRatioLabels{"Observed index = ", "Mean of simulated indices = ",
                                    "Variance of simulated indices = "};

TStringGrid* NewGroupGrid(TComponent* Owner, TTabSheet* Page, const String& Name) {
  TStringGrid* grid = NewResultGrid(Owner, Page, Name, "");
  grid->SetColCount(4);
  grid->SetRowCount(2);
  grid->SetFixedCols(0);
  grid->SetFixedRows(1);
  return grid;
}

}  // namespace

TAnovaShell::TAnovaShell(TComponent* AOwner)
    : TStandardResults(AOwner, "AnovaShell", "Zorvan Professional: ANOVA Results") {
  ObservedMeansSheet = NewSheet("ObservedMeansSheet", "Observed Means");
  MeansStringGrid = NewGroupGrid(this, ObservedMeansSheet, "MeansStringGrid");
  SimulatedMeansSheet = NewSheet("SimulatedMeansSheet", "Simulated Means");
  SimulatedMeansStringGrid = NewGroupGrid(this, SimulatedMeansSheet, "SimulatedMeansStringGrid");
  FRatioSheet = NewSheet("FRatioSheet", "Pseudo F-Ratio");
  FRatioPage = BuildStatisticPage(this, FRatioSheet,
                                  {"Observed group variance", "ObservedVarianceMemo", "FRatioHistogramMemo",
                                   "FRatioHistogramMemo2", "FRatioMemo"});
  ObservedVarianceMemo = FRatioPage.Observed;
  FRatioHistogramMemo = FRatioPage.Histogram;
  FRatioHistogramMemo2 = FRatioPage.Histogram2;
  FRatioMemo = FRatioPage.Statistics;
  BuildClosingPages();
}

Integer TAnovaShell::LabelColumn() const { return AnovaOpts->LabelsList->ItemIndex() + 1; }

Integer TAnovaShell::ValueColumn() const { return AnovaOpts->YvariableList->ItemIndex() + 1; }

void TAnovaShell::InitMatrices() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const int n = std::max(grid->RowCount() - 1, 0);
  std::vector<String> labels, values;
  labels.reserve(static_cast<size_t>(n));
  values.reserve(static_cast<size_t>(n));
  LabelsList.Clear();
  ValuesList.Clear();
  for (int r = 1; r <= n; ++r) {
    labels.push_back(grid->Cells(LabelColumn(), r));
    values.push_back(grid->Cells(ValueColumn(), r));
    LabelsList.Add(labels.back());
    ValuesList.Add(values.back());
  }
  Sims.Begin(labels, values);
}

void TAnovaShell::LabelsToList() {
  for (Integer r = 0; r < Sims.Rows(); ++r) LabelsList.Put(r, Sims.LabelOf(r));
}

void TAnovaShell::StatsToStrings() {
  Ses_string = StatText(FRatioStat.Ses);
  fP1 = StatText(FRatioStat.P1);
  fP2 = StatText(FRatioStat.P2);
}

void TAnovaShell::GroupTable(TStringGrid* Grid) {
  const Integer k = Sims.Groups();
  ResetGrid(Grid, 4, k + 1);
  const char* header[] = {"Label", "Count", "Mean", "Variance"};
  for (int c = 0; c < 4; ++c) Grid->SetCells(c, 0, header[c]);
  for (Integer g = 0; g < k; ++g) {
    const size_t i = static_cast<size_t>(g);
    Grid->SetCells(0, g + 1, Sims.GroupNames()[i]);
    Grid->SetCells(1, g + 1, StatText(Sims.Counts()[i]));
    Grid->SetCells(2, g + 1, StatText(Sims.Means()[i]));
    Grid->SetCells(3, g + 1, StatText(Sims.Variances()[i]));
  }
}

void TAnovaShell::DisplayObserved() { GroupTable(MeansStringGrid); }

void TAnovaShell::DisplaySimulated() { GroupTable(SimulatedMeansStringGrid); }

void TAnovaShell::SimulationDisplay() {
  for (Integer r = 0; r < Sims.Rows(); ++r) {
    SimulationGrid->SetCells(1, r + 1, LabelsList.Strings(r));
    SimulationGrid->SetCells(2, r + 1, ValuesList.Strings(r));
  }
}

void TAnovaShell::DisplayRowTitles() { CopyRowTitles(SimulationGrid); }

void TAnovaShell::FRatioDisplay() { ShowStatistic(FRatioPage, kFRatioLabels, FRatioStat); }

void TAnovaShell::SummaryDisplay() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  summary.Add("Input file = " + Zorvan->FileName);
  summary.Add("Rows = " + IntToStr(grid->RowCount() - 1) + "; Columns = " + IntToStr(grid->ColCount() - 1));
  summary.Add("Iterations = " + IntToStr(Zorvan->Iterations));
  summary.Add("Random seed = " + IntToStr(CurrentSeed));
  summary.Add("Analyzed labels column = " + AnovaOpts->LabelsList->Text());
  summary.Add("Analyzed variables column = " + AnovaOpts->YvariableList->Text());
  summary.Add(kRule);
  summary.Add("");
  summary.Add("INDEX");
  summary.Add("Observed index = " + Observed_F_s);
  summary.Add(kFRatioLabels.Mean + StatText(FRatioStat.Mean));
  summary.Add(kFRatioLabels.Variance + StatText(FRatioStat.Variance));
  summary.Add(LowerTailLine(FRatioStat.P1));
  summary.Add(UpperTailLine(FRatioStat.P2));
  summary.Add("");
  summary.Add("Number of times observed index < simulated indices = " + IntToStr(FRatioStat.Less));
  summary.Add("Number of times observed index = simulated indices = " + IntToStr(FRatioStat.Equal));
  summary.Add("Number of times observed index > simulated indices = " + IntToStr(FRatioStat.Greater));
  summary.Add(kSesLabel + Ses_string);
  summary.Add("");
  summary.Add("Simulation frequencies:");
  summary.Add("Histogram          # Simulations");
  for (const String& line : HistogramLines(FRatioStat, kHistogramLines)) summary.Add(line);
  summary.Add(kRule);
  summary.Add("");
  summary.Add("INPUT MATRIX:");
  summary.Add("");
  AddGridLines(&summary, grid);
  Memo1->Lines()->SetText(summary.Text());
}

// The chi-square results window: its pages and what each shows after a run.
#include "analysis/chi_square/ChiSquareMain.h"

#include "analysis/chi_square/ChiSquareOptions.h"
#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TChiSquareShell* ChiSquareShell = nullptr;

namespace {


const TStatisticLabels kChiSquareLabels{"Observed index = ", "Mean of simulated indices = ",
                                    "Variance of simulated indices = "};

// Every cell of Source, titles included, into Grid at Source's size.
void CopyGrid(const TStringGrid* Source, TStringGrid* Grid) {
  ResetGrid(Grid, Source->ColCount(), Source->RowCount());
  for (int r = 0; r < Source->RowCount(); ++r)
    for (int c = 0; c < Source->ColCount(); ++c) Grid->SetCells(c, r, Source->Cells(c, r));
}

}  // namespace

TChiSquareShell::TChiSquareShell(TComponent* AOwner)
    : TStandardResults(AOwner, "ChiSquareShell", "Zorvan Professional: Chi-square Results") {
  SimulationSheet->SetCaption("Simulated Matrix");
  // This window's "&Save" menu has no line between "Su&mmary" and "&Close".
  for (int i = Save1->Count() - 1; i >= 0; --i) {
    TMenuItem* item = Save1->Items(i);
    if (!item->IsLine()) continue;
    Save1->Remove(item);
    if (item->Owner() == nullptr) delete item;
  }
  ExpectedSheet = NewSheet("ExpectedSheet", "Expected Matrix");
  ExpectedSheet->SetPageIndex(1);
  ExpectedGrid = NewResultGrid(this, ExpectedSheet, "ExpectedGrid", "Original data matrix");
  ChiSquareSheet = NewSheet("ChiSquareSheet", "Chi-square");
  ChiSquarePage = BuildStatisticPage(this, ChiSquareSheet,
                                     {"Observed mean", "ObservedChiSquareMemo", "ChiSquareHistogramMemo",
                                      "ChiSquareHistogramMemo2", "ChiSquareMemo"});
  ObservedChiSquareMemo = ChiSquarePage.Observed;
  ChiSquareHistogramMemo = ChiSquarePage.Histogram;
  ChiSquareHistogramMemo2 = ChiSquarePage.Histogram2;
  ChiSquareMemo = ChiSquarePage.Statistics;
  BuildClosingPages();
}

void TChiSquareShell::InitMatrices() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  const TStringGrid* expected = ChiSquareOpts->ExpectedGrid;
  const int maxc = grid->ColCount() - 1, maxr = grid->RowCount() - 1;
  O_Mat.SetLength(maxc, maxr);
  E_Mat.SetLength(maxc, maxr);
  S_Mat.SetLength(maxc, maxr);
  for (int c = 0; c < maxc; ++c)
    for (int r = 0; r < maxr; ++r) {
      O_Mat[c][r] = LeadingInt(grid->Cells(c + 1, r + 1));
      // Written by the options form with the regional separator, typed perhaps with '.'.
      E_Mat[c][r] = ReadListNumber(expected->Cells(c + 1, r + 1));
    }
}

void TChiSquareShell::CalculateChiSquare_Observed() { RVar = ChiSquareStatistic(O_Mat, E_Mat); }

void TChiSquareShell::CalculateChiSquare_Simulated() { RVar = ChiSquareStatistic(S_Mat, E_Mat); }

void TChiSquareShell::StatsToStrings() {
  Ses_string = StatText(ChiSquareStat.Ses);
  fP1 = StatText(ChiSquareStat.P1);
  fP2 = StatText(ChiSquareStat.P2);
}

void TChiSquareShell::MeanDisplay() { ShowStatistic(ChiSquarePage, kChiSquareLabels, ChiSquareStat); }

void TChiSquareShell::InputGridDisplay() { CopyGrid(Zorvan->MainGrid, InputGrid); }

void TChiSquareShell::ExpectedGridDisplay() { CopyGrid(ChiSquareOpts->ExpectedGrid, ExpectedGrid); }

void TChiSquareShell::SimulationDisplay() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  ResetGrid(SimulationGrid, grid->ColCount(), grid->RowCount());
  for (int c = 0; c < S_Mat.Cols(); ++c)
    for (int r = 0; r < S_Mat.Rows(); ++r) SimulationGrid->SetCells(c + 1, r + 1, IntToStr(S_Mat[c][r]));
  DisplayColumnTitles(SimulationGrid);
  DisplayRowTitles(SimulationGrid);
}

void TChiSquareShell::DisplayColumnTitles(TStringGrid* Grid) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  for (int c = 0; c < grid->ColCount(); ++c) Grid->SetCells(c, 0, grid->Cells(c, 0));
}

void TChiSquareShell::DisplayRowTitles(TStringGrid* Grid) {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  for (int r = 0; r < grid->RowCount(); ++r) Grid->SetCells(0, r, grid->Cells(0, r));
}

void TChiSquareShell::SummaryDisplay() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  // Built apart and set at once: a memo re-splits its whole text on every line added.
  TStringList summary;
  summary.Add("Input file = " + Zorvan->FileName);
  summary.Add("Rows = " + IntToStr(grid->RowCount() - 1) + "; Columns = " + IntToStr(grid->ColCount() - 1));
  summary.Add("Iterations = " + IntToStr(Zorvan->Iterations));
  summary.Add("Random seed = " + IntToStr(CurrentSeed));
  summary.Add(kRule);
  summary.Add("");
  summary.Add("INDEX");
  summary.Add("Observed index = " + Observed_F_s);
  summary.Add(kChiSquareLabels.Mean + StatText(ChiSquareStat.Mean));
  summary.Add(kChiSquareLabels.Variance + StatText(ChiSquareStat.Variance));
  summary.Add(LowerTailLine(ChiSquareStat.P1));
  summary.Add(UpperTailLine(ChiSquareStat.P2));
  summary.Add("");
  summary.Add("Number of times observed index < simulated indices = " + IntToStr(ChiSquareStat.Less));
  summary.Add("Number of times observed index = simulated indices = " + IntToStr(ChiSquareStat.Equal));
  summary.Add("Number of times observed index > simulated indices = " + IntToStr(ChiSquareStat.Greater));
  summary.Add(kSesLabel + Ses_string);
  summary.Add("");
  summary.Add("Simulation frequencies:");
  summary.Add("Histogram          # Simulations");
  for (const String& line : HistogramLines(ChiSquareStat, kHistogramLines)) summary.Add(line);
  summary.Add(kRule);
  summary.Add("");
  summary.Add("INPUT MATRIX:");
  summary.Add("");
  AddGridLines(&summary, grid);
  summary.Add(kRule);
  summary.Add("");
  summary.Add("EXPECTED MATRIX:");
  summary.Add("");
  AddGridLines(&summary, ExpectedGrid);
  Memo1->Lines()->SetText(summary.Text());
}

// The results window: its pages and menu, and what each page shows after a run.
#include "analysis/presence_absence/CoOccurrenceMain.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TCoOccurrence* CoOccurrence = nullptr;

TCoOccurrence::TCoOccurrence(TComponent* AOwner) : TForm(AOwner) {
  SetName("CoOccurrence");
  SetCaption("Zorvan Professional: Co-occurrence Results");
  Position = poScreenCenter;
  SetBounds(0, 0, 720, 520);
  BuildPages();
  BuildMenu();
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = "Text files(*.txt)|*.txt|All files(*.*)|*.*";
}

void TCoOccurrence::BuildPages() {
  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);

  InputSheet = NewPage(this, PageControl1, "InputSheet", "Input Matrix");
  InputGrid = NewResultGrid(this, InputSheet, "InputGrid", "Original data matrix");
  SimulationSheet = NewPage(this, PageControl1, "SimulationSheet", "Simulation");
  SimulationGrid = NewResultGrid(this, SimulationSheet, "SimulationGrid", "Most recent simulated matrix");
  PairwiseSheet = NewPage(this, PageControl1, "PairwiseSheet", "Pairwise");
  ResponseGrid = NewResultGrid(this, PairwiseSheet, "ResponseGrid", "Observed response variables");

  PairwiseColumnSheet = NewPage(this, PageControl1, "PairwiseColumnSheet", "Pairwise Column");
  RivErodovOzar1 = New<TRivErodovOzar>(this);
  RivErodovOzar1->SetName("RivErodovOzar1");
  RivErodovOzar1->SetColCount(3);
  RivErodovOzar1->SetFixedRows(0);
  RivErodovOzar1->SetFixedCols(0);
  RivErodovOzar1->SetAlign(alClient);
  RivErodovOzar1->SetParent(PairwiseColumnSheet);

  IndexSheet = NewPage(this, PageControl1, "IndexSheet", "Index");
  BuildIndexPage(IndexSheet, ObservedGroup, ObservedMeanMemo, HistogramGroup, MeanHistogramMemoLow,
                 MeanHistogramMemoHigh, MeanHistogramMemo2, MeanMemo, "", "ObservedMeanMemo");
  MeanHistogramMemo = NewMemo(this, IndexSheet, "MeanHistogramMemo", 0, 0, 10, 10);
  MeanHistogramMemo->SetVisible(false);

  DegenerateSheet = NewPage(this, PageControl1, "DegenerateSheet", "Degenerate Index");
  BuildIndexPage(DegenerateSheet, Split_ObservedGroup, Split_ObservedMemo, Split_HistogramGroup,
                 Split_MeanHistogramMemoLow, Split_MeanHistogramMemoHigh, Split_MeanHistogramMemo2, Split_MeanMemo,
                 "Split_", "Split_ObservedMemo");
  Split_MeanHistogramMemo = NewMemo(this, DegenerateSheet, "Split_MeanHistogramMemo", 0, 0, 10, 10);
  Split_MeanHistogramMemo->SetVisible(false);

  const TClosingPages closing = BuildClosingPages(this, PageControl1);
  SummarySheet = closing.SummarySheet;
  Memo1 = closing.Memo1;
  TimeSheet = closing.TimeSheet;
  TimeMemo = closing.TimeMemo;

  PageControl1->SetActivePage(InputSheet);
}

// The observed value (left) beside the histogram's lower edges, upper edges and counts
// (middle), the statistics below.
void TCoOccurrence::BuildIndexPage(TTabSheet* Page, TGroupBox*& ObservedBox, TMemo*& Observed,
                                   TGroupBox*& HistogramBox, TMemo*& Low, TMemo*& High, TMemo*& Counts,
                                   TMemo*& Statistics, const String& Prefix, const String& ObservedName) {
  ObservedBox = NewGroup(this, Page, Prefix + "ObservedGroup", "Observed index", 8, 8, 200, 290);
  Observed = NewMemo(this, ObservedBox, ObservedName, 8, 18, 184, 264);
  HistogramBox = NewGroup(this, Page, Prefix + "HistogramGroup",
                          "Histogram Low...  High.................    # Simulations ", 216, 8, 470, 290);
  Low = NewMemo(this, HistogramBox, Prefix + "MeanHistogramMemoLow", 8, 18, 150, 264);
  High = NewMemo(this, HistogramBox, Prefix + "MeanHistogramMemoHigh", 160, 18, 150, 264);
  Counts = NewMemo(this, HistogramBox, Prefix + "MeanHistogramMemo2", 312, 18, 150, 264);
  Statistics = NewMemo(this, Page, Prefix + "MeanMemo", 8, 306, 678, 130);
}

void TCoOccurrence::BuildMenu() {
  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  Save1 = root->AddItem("&Save");
  Summary1 = Save1->AddItem("Su&mmary", scNone, [this](TObject* s) { Summary1Click(s); });
  Pairwise1 = Save1->AddItem("&Pairwise");
  PairwiseSpace1 = Pairwise1->AddItem("Space delimited (.txt)", scNone, [this](TObject* s) { PairwiseSpace1Click(s); });
  PairwiseComma1 = Pairwise1->AddItem("Comma delimited (.txt)", scNone, [this](TObject* s) { PairwiseComma1Click(s); });
  PairwiseExcel1 = Pairwise1->AddItem("Excel (.xls)", scNone, [this](TObject* s) { PairwiseExcel1Click(s); });
  PairwiseColumn1 = Save1->AddItem("Pairwise &Column");
  ColumnSpace1 = PairwiseColumn1->AddItem("Space delimited (.txt)", scNone, [this](TObject* s) { ColumnSpace1Click(s); });
  ColumnComma1 = PairwiseColumn1->AddItem("Comma delimited (.txt)", scNone, [this](TObject* s) { ColumnComma1Click(s); });
  ColumnExcel1 = PairwiseColumn1->AddItem("Excel (.xls)", scNone, [this](TObject* s) { ColumnExcel1Click(s); });
  Save1->AddSeparator();
  Close1 = Save1->AddItem("&Close", scNone, [this](TObject* s) { Close1Click(s); });
  Help1 = root->AddItem("&Help");
}

// ---- after a completed run

bool TCoOccurrence::PairwiseShown() const {
  return FChoices.Index == PairIndexKind::CScore || FChoices.Index == PairIndexKind::RelativeOverlap ||
         FChoices.Index == PairIndexKind::Union || FChoices.Index == PairIndexKind::Overlap;
}

void TCoOccurrence::DisplayResults() {
  SetCaption(Zorvan->RangeCoOccurrence == 1 ? "Zorvan Professional: Range Overlap Results"
                                            : "Zorvan Professional: Co-occurrence Results");
  DegenerateSheet->SetTabVisible(FChoices.Model.Degenerate == DegeneratePolicy::Split);
  SimulationDisplay();
  InputGridDisplay();
  MeanDisplay();
  Split_MeanDisplay();
  SummaryDisplay();
  PairwiseSheet->SetTabVisible(PairwiseShown());
  ResponseDisplay();
  PairwiseColumnSheet->SetTabVisible(false);
  PairwiseColumnDisplay();
  if (PairwiseShown()) PairwiseColumnSheet->SetTabVisible(true);
}

void TCoOccurrence::InputGridDisplay() {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  ResetGrid(InputGrid, data->ColCount(), data->RowCount());
  for (int r = 0; r < data->RowCount(); ++r)
    for (int c = 0; c < data->ColCount(); ++c) InputGrid->SetCells(c, r, data->Cells(c, r));
}

void TCoOccurrence::SimulationDisplay() {
  ResetGrid(SimulationGrid, S_Mat.Cols(), S_Mat.Rows());
  DisplayColumnTitles(SimulationGrid);
  DisplayRowTitles(SimulationGrid);
  for (int c = 1; c < S_Mat.Cols(); ++c)
    for (int r = 1; r < S_Mat.Rows(); ++r) SimulationGrid->SetCells(c, r, IntToStr(S_Mat[c][r]));
}

void TCoOccurrence::DisplayColumnTitles(TStringGrid* Grid) {
  for (int c = 0; c < Grid->ColCount(); ++c) Grid->SetCells(c, 0, Zorvan->MainGrid->Cells(c, 0));
}

void TCoOccurrence::DisplayRowTitles(TStringGrid* Grid) {
  for (int r = 1; r < Grid->RowCount(); ++r) Grid->SetCells(0, r, Zorvan->MainGrid->Cells(0, r));
}

void TCoOccurrence::DisplayRowInColumnTitles(TStringGrid* Grid) {
  Grid->SetCells(0, 0, Zorvan->MainGrid->Cells(0, 0));
  for (int c = 1; c < Grid->ColCount(); ++c) Grid->SetCells(c, 0, Zorvan->MainGrid->Cells(0, c));
}

// Species i < j of the grid: the value of pair (i, j) at column j, row i. A pair index gives
// the values of the occupied species' pairs; the other cells stay empty.
void TCoOccurrence::ResponseDisplay() {
  const int R = O_Mat.Rows() - 1;
  ResetGrid(ResponseGrid, R + 1, R);
  DisplayRowInColumnTitles(ResponseGrid);
  DisplayRowTitles(ResponseGrid);
  if (!PairwiseShown()) return;
  // Most pair values are small whole numbers (units, sites): each of those is formatted once.
  constexpr double kCachedWholes = 65536;
  std::vector<String> wholes;
  auto text = [&](double v) -> String {
    if (!(v >= 0 && v < kCachedWholes) || v != std::floor(v)) return StatText(v);
    const size_t k = static_cast<size_t>(v);
    if (k >= wholes.size()) wholes.resize(k + 1);
    if (wholes[k].empty()) wholes[k] = StatText(v);
    return wholes[k];
  };
  const size_t n = FOccupiedRows.size();
  size_t p = 0;
  for (size_t a = 0; a + 1 < n; ++a)
    for (size_t b = a + 1; b < n && p < FObservedPairs.size(); ++b, ++p)
      ResponseGrid->SetCells(FOccupiedRows[b], FOccupiedRows[a], text(FObservedPairs[p]));
}

// One row per pair of the grid's species, in pair order, from the "Pairwise" grid.
void TCoOccurrence::PairwiseColumnDisplay() {
  const int R = ResponseGrid->ColCount() - 1;
  const int pairs = R * (R - 1) / 2;
  RivErodovOzar1->Clear();
  RivErodovOzar1->SetColCount(3);
  RivErodovOzar1->SetRowCount(std::max(pairs, 1));
  int row = 0;
  for (int i = 1; i < R; ++i)
    for (int j = i + 1; j <= R; ++j, ++row) {
      RivErodovOzar1->SetCells(0, row, ResponseGrid->Cells(0, i));
      RivErodovOzar1->SetCells(1, row, ResponseGrid->Cells(j, 0));
      RivErodovOzar1->SetCells(2, row, ResponseGrid->Cells(j, i));
    }
}

void TCoOccurrence::SetDisplay(TMemo* Observed, TMemo* Low, TMemo* High, TMemo* Counts, TMemo* Statistics,
                               bool HasValues, const THistogramTexts& Histogram, const String& Lower,
                               const String& Upper, const String& MeanText, const String& VarianceText,
                               const String& P1Text, const String& P2Text) {
  Observed->Lines()->SetText(ObservedMarkerText(HasValues ? Histogram.Marker : String(), m));
  Low->Lines()->SetText(Lower);
  High->Lines()->SetText(Upper);
  Counts->Lines()->SetText(Histogram.Counts);
  TStrings* lines = Statistics->Lines();
  lines->Clear();
  lines->Add("Observed index = " + m);
  lines->Add("");
  lines->Add("Mean of simulated indices = " + MeanText);
  lines->Add("Variance of simulated indices = " + VarianceText);
  lines->Add("");
  lines->Add(kLowerTailLabel + P1Text);
  lines->Add(kUpperTailLabel + P2Text);
}

void TCoOccurrence::MeanDisplay() {
  MeanHistogramMemo->Lines()->SetText(FHistogram.Edges);
  SetDisplay(ObservedMeanMemo, MeanHistogramMemoLow, MeanHistogramMemoHigh, MeanHistogramMemo2, MeanMemo,
             FNormalCount > 0, FHistogram, hstMeanL, hstMeanH, mm, vm, mp1, mp2);
}

void TCoOccurrence::Split_MeanDisplay() {
  Split_MeanHistogramMemo->Lines()->SetText(FSplitHistogram.Edges);
  SetDisplay(Split_ObservedMemo, Split_MeanHistogramMemoLow, Split_MeanHistogramMemoHigh, Split_MeanHistogramMemo2,
             Split_MeanMemo, FDegenerateCount > 0, FSplitHistogram, split_hstMeanL, split_hstMeanH, split_mm,
             split_vm, split_mp1, split_mp2);
}

void TCoOccurrence::Close1Click(TObject*) { Close(); }

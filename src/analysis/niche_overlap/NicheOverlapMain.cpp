// The niche-overlap results window: its pages and menu, what each page shows after a run, and
// the save commands.
#include "analysis/niche_overlap/NicheOverlapMain.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ExcelExport.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TNicheOverlap* NicheOverlap = nullptr;

namespace {
}  // namespace

TNicheOverlap::TNicheOverlap(TComponent* AOwner) : TForm(AOwner) {
  SetName("NicheOverlap");
  SetCaption("Zorvan Professional: Niche Overlap Results");
  Position = poScreenCenter;
  SetBounds(0, 0, 720, 520);
  BuildPages();
  BuildMenu();
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = kTextFilter;
}

void TNicheOverlap::BuildPages() {
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
  RivErodovOzar1->SetFixedCols(0);
  RivErodovOzar1->SetFixedRows(0);
  RivErodovOzar1->SetColCount(3);
  RivErodovOzar1->SetAlign(alClient);
  RivErodovOzar1->SetParent(PairwiseColumnSheet);

  MeanSheet = NewPage(this, PageControl1, "MeanSheet", "Mean");
  const TSeriesPage mean =
      BuildSeriesPage(this, MeanSheet, "Mean", "Observed index",
                      "Histogram Low.....  High.....................    # Simulations ",
                      {"ObservedMeanMemo", "MeanHistogramMemoLow", "MeanHistogramMemoHigh", "MeanHistogramMemo2",
                       "MeanMemo"});
  ObservedMeanMemo = mean.Observed;
  MeanHistogramMemoLow = mean.Low;
  MeanHistogramMemoHigh = mean.High;
  MeanHistogramMemo2 = mean.Counts;
  MeanMemo = mean.Statistics;
  MeanHistogramMemo = NewMemo(this, MeanSheet, "MeanHistogramMemo", 0, 0, 10, 10, true);
  MeanHistogramMemo->SetVisible(false);

  VarianceSheet = NewPage(this, PageControl1, "VarianceSheet", "Variance");
  const TSeriesPage variance =
      BuildSeriesPage(this, VarianceSheet, "Variance", "Observed variance",
                      "Histogram Low.....  High... .................    # Simulations ",
                      {"ObservedVarianceMemo", "VarianceHistogramMemoLow", "VarianceHistogramMemoHigh",
                       "VarianceHistogramMemo2", "VarianceMemo"});
  ObservedVarianceMemo = variance.Observed;
  VarianceHistogramMemoLow = variance.Low;
  VarianceHistogramMemoHigh = variance.High;
  VarianceHistogramMemo2 = variance.Counts;
  VarianceMemo = variance.Statistics;
  VarianceHistogramMemo = NewMemo(this, VarianceSheet, "VarianceHistogramMemo", 0, 0, 10, 10, true);
  VarianceHistogramMemo->SetVisible(false);

  const TClosingPages closing = BuildClosingPages(this, PageControl1);
  SummarySheet = closing.SummarySheet;
  Memo1 = closing.Memo1;
  TimeSheet = closing.TimeSheet;
  TimeMemo = closing.TimeMemo;

  PageControl1->SetActivePage(InputSheet);
}

void TNicheOverlap::BuildMenu() {
  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  Save1 = root->AddItem("&Save");
  SuMmary1 = Save1->AddItem("Su&mmary", scNone, [this](TObject* s) { SuMmary1Click(s); });
  Pairwise1 = Save1->AddItem("&Pairwise");
  Spacedelimitedtxt1 =
      Pairwise1->AddItem("Space delimited (.txt)", scNone, [this](TObject* s) { Spacedelimitedtxt1Click(s); });
  Commadelimitedtxt1 =
      Pairwise1->AddItem("Comma delimited (.txt)", scNone, [this](TObject* s) { Commadelimitedtxt1Click(s); });
  Excelxls1 = Pairwise1->AddItem("Excel (.xls)", scNone, [this](TObject* s) { Excelxls1Click(s); });
  PairwiseColumn1 = Save1->AddItem("Pairwise &Column");
  as1 = PairwiseColumn1->AddItem("Space delimited (.txt)", scNone, [this](TObject* s) { as1Click(s); });
  Commadelimitedtxt2 =
      PairwiseColumn1->AddItem("Comma delimited (.txt)", scNone, [this](TObject* s) { Commadelimitedtxt2Click(s); });
  Excelxls2 = PairwiseColumn1->AddItem("Excel (.xls)", scNone, [this](TObject* s) { Excelxls2Click(s); });
  Save1->AddSeparator();
  Close1 = Save1->AddItem("&Close", scNone, [this](TObject* s) { Close1Click(s); });
  Help1 = root->AddItem("&Help", scNone, [this](TObject* s) { Help1Click(s); });
}

// ---- after a completed run

void TNicheOverlap::SeriesDisplay(const String& ObservedText, const String& Marker, const String& Edges,
                                  const String& Lower, const String& Upper, const String& Counts, TMemo* Observed,
                                  TMemo* EdgesMemo, TMemo* Low, TMemo* High, TMemo* CountsMemo) {
  // The observed value stands on the line of its histogram bin.
  Observed->Lines()->SetText(Marker + ObservedText + "............>");
  EdgesMemo->Lines()->SetText(Edges);
  CountsMemo->Lines()->SetText(Counts);
  Low->Lines()->SetText(Lower);
  High->Lines()->SetText(Upper);
}

void TNicheOverlap::DisplayResults() {
  const std::vector<std::vector<String>>& cells = FIn.Cells;
  const int R = static_cast<int>(cells.size());
  const int C = static_cast<int>(cells[0].size());

  // The last randomised utilisations with the data grid's titles.
  ResetGrid(SimulationGrid, C, R);
  for (int r = 1; r < R; ++r)
    for (int c = 1; c < C; ++c) SimulationGrid->SetCells(c, r, FloatToStr(FiniteStatistic(SimulatedMatrix[c][r])));
  for (int c = 0; c < C; ++c) SimulationGrid->SetCells(c, 0, cells[0][c]);
  for (int r = 0; r < R; ++r) SimulationGrid->SetCells(0, r, cells[r][0]);

  ResetGrid(InputGrid, C, R);
  for (int r = 0; r < R; ++r)
    for (int c = 0; c < C; ++c) InputGrid->SetCells(c, r, cells[r][c]);

  ResponseDisplay();

  SeriesDisplay(m, FMeanMarker, FMeanEdges, FMeanLower, FMeanUpper, FMeanCounts, ObservedMeanMemo, MeanHistogramMemo,
                MeanHistogramMemoLow, MeanHistogramMemoHigh, MeanHistogramMemo2);
  TStringList lines;
  lines.Add("Observed index = " + m);
  lines.Add("");
  lines.Add("Mean of simulated indices = " + mm);
  lines.Add("Variance of simulated indices = " + vm);
  lines.Add("");
  lines.Add("p(observed <= expected) = " + mP1);
  lines.Add("p(observed >= expected) = " + mP2);
  MeanMemo->Lines()->SetText(lines.Text());

  SeriesDisplay(v, FVarianceMarker, FVarianceEdges, FVarianceLower, FVarianceUpper, FVarianceCounts,
                ObservedVarianceMemo, VarianceHistogramMemo, VarianceHistogramMemoLow, VarianceHistogramMemoHigh,
                VarianceHistogramMemo2);
  lines.Clear();
  lines.Add("Observed variance = " + v);
  lines.Add("");
  lines.Add("Mean of simulated variances = " + mv);
  lines.Add("Variance of simulated variances = " + vv);
  lines.Add("");
  lines.Add("p(observed <= expected) = " + vP1);
  lines.Add("p(observed >= expected) = " + vP2);
  VarianceMemo->Lines()->SetText(lines.Text());

  SummaryDisplay();
}

// The observed overlaps as an upper triangle (species 1..S-1 down, 1..S across) and as one row
// per pair.
void TNicheOverlap::ResponseDisplay() {
  const std::vector<std::vector<String>>& cells = FIn.Cells;
  const int S = static_cast<int>(cells.size()) - 1;
  ResetGrid(ResponseGrid, S + 1, S);
  ResponseGrid->SetCells(0, 0, cells[0][0]);
  for (int j = 1; j <= S; ++j) ResponseGrid->SetCells(j, 0, cells[j][0]);
  for (int i = 1; i < S; ++i) ResponseGrid->SetCells(0, i, cells[i][0]);

  RivErodovOzar1->Clear();
  RivErodovOzar1->SetColCount(3);
  RivErodovOzar1->SetRowCount(static_cast<int>(PairCount(S)));
  size_t k = 0;
  for (int i = 1; i < S; ++i)
    for (int j = i + 1; j <= S; ++j, ++k) {
      const String text = PairIndexText(FObservedPairs[k]);
      ResponseGrid->SetCells(j, i, text);
      const int row = static_cast<int>(k);
      RivErodovOzar1->SetCells(0, row, cells[i][0]);
      RivErodovOzar1->SetCells(1, row, cells[j][0]);
      RivErodovOzar1->SetCells(2, row, text);
    }
}

// ---- menu commands

void TNicheOverlap::SuMmary1Click(TObject*) {
  String name;
  if (!AskFileName(SaveDialog1, "summary.txt", name)) return;
  // The lines as shown, the user's edits included; whole or not at all.
  WriteFileAtomically(name, Memo1->Lines()->Text());
}

void TNicheOverlap::SaveGridAsText(TStringGrid* Grid, bool Comma) {
  String name;
  if (!AskFileName(SaveDialog1, "pairwise.txt", name)) return;
  if (Comma)
    Zorvan->SaveGridToFileComma(Grid, name);
  else
    Zorvan->SaveGridToFile(Grid, name);
}

void TNicheOverlap::Spacedelimitedtxt1Click(TObject*) { SaveGridAsText(ResponseGrid, false); }
void TNicheOverlap::Commadelimitedtxt1Click(TObject*) { SaveGridAsText(ResponseGrid, true); }
void TNicheOverlap::Excelxls1Click(TObject*) { ExportGridToExcel(ResponseGrid, 1, 1); }
void TNicheOverlap::as1Click(TObject*) { SaveGridAsText(RivErodovOzar1, false); }
void TNicheOverlap::Commadelimitedtxt2Click(TObject*) { SaveGridAsText(RivErodovOzar1, true); }
void TNicheOverlap::Excelxls2Click(TObject*) { ExportGridToExcel(RivErodovOzar1, 0, 0); }
void TNicheOverlap::Close1Click(TObject*) { Close(); }
void TNicheOverlap::Help1Click(TObject*) { Zorvan->RunHelp(); }

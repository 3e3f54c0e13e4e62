// The size-overlap results window: its pages and menu, what the pages show after a run, and
// the save command.
#include "analysis/size_overlap/SizeOverlapMain.h"

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TSizeOverlap* SizeOverlap = nullptr;

namespace {

constexpr const char* kHistogramCaption = "Histogram Low... High...................    # Simulations ";

// The histogram's lower edges, upper edges and counts side by side in a group.
void NewHistogramColumns(TForm* Owner, TWinControl* Parent, const String& Prefix, int Left, TMemo*& Low, TMemo*& High,
                         TMemo*& Counts, const String& CountsName) {
  TGroupBox* box = NewGroup(Owner, Parent, Prefix + "HistogramGroup", kHistogramCaption, Left, 8, 470, 290);
  Low = NewMemo(Owner, box, Prefix + "HistogramMemoLow", 8, 18, 150, 264, true);
  High = NewMemo(Owner, box, Prefix + "HistogramMemoHigh", 160, 18, 150, 264, true);
  Counts = NewMemo(Owner, box, CountsName, 312, 18, 150, 264, true);
}

}  // namespace

TSizeOverlap::TSizeOverlap(TComponent* AOwner) : TForm(AOwner) {
  SetName("SizeOverlap");
  SetCaption("Zorvan -- Size Overlap Results");
  Position = poScreenCenter;
  SetBounds(0, 0, 720, 520);
  BuildPages();
  BuildMenu();
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = kTextFilter;
}

void TSizeOverlap::BuildPages() {
  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);

  InputSheet = NewPage(this, PageControl1, "InputSheet", "Input Column");
  InputColumnGrid = NewResultGrid(this, InputSheet, "InputColumnGrid", "Input column");
  InputColumnGrid->SetColCount(2);
  SimulationSheet = NewPage(this, PageControl1, "SimulationSheet", "Simulation");
  SimulationGrid = NewResultGrid(this, SimulationSheet, "SimulationGrid", "");
  SimulationGrid->SetColCount(2);
  SegmentsSheet = NewPage(this, PageControl1, "SegmentsSheet", "Simulation Segments");
  SegmentsGrid = NewResultGrid(this, SegmentsSheet, "SegmentsGrid", "");
  SegmentsGrid->SetColCount(2);

  SizeSheet = NewPage(this, PageControl1, "SizeSheet", "Size Histogram");
  NewHistogramColumns(this, SizeSheet, "Size", 8, SizeHistogramMemoLow, SizeHistogramMemoHigh, SizeHistogramMemo2,
                      "SizeHistogramMemo2");
  SizeHistogramNotesMemo = NewMemo(this, SizeSheet, "SizeHistogramNotesMemo", 8, 306, 470, 60, true);
  SizeHistogramMemo = NewMemo(this, SizeSheet, "SizeHistogramMemo", 0, 0, 10, 10, true);
  SizeHistogramMemo->SetVisible(false);

  OverlapSheet = NewPage(this, PageControl1, "OverlapSheet", "Size Overlap");
  const TSeriesPage overlap =
      BuildSeriesPage(this, OverlapSheet, "Mean", "Observed index", kHistogramCaption,
                      {"ObservedMeanMemo", "MeanHistogramMemoLow", "MeanHistogramMemoHigh", "MeanHistogramMemo2",
                       "MeanMemo"});
  ObservedMeanMemo = overlap.Observed;
  MeanHistogramMemoLow = overlap.Low;
  MeanHistogramMemoHigh = overlap.High;
  MeanHistogramMemo2 = overlap.Counts;
  MeanMemo = overlap.Statistics;
  MeanHistogramMemo = NewMemo(this, OverlapSheet, "MeanHistogramMemo", 0, 0, 10, 10, true);
  MeanHistogramMemo->SetVisible(false);

  const TClosingPages closing = BuildClosingPages(this, PageControl1);
  SummarySheet = closing.SummarySheet;
  Memo1 = closing.Memo1;
  TimeSheet = closing.TimeSheet;
  TimeMemo = closing.TimeMemo;

  PageControl1->SetActivePage(InputSheet);
}

void TSizeOverlap::BuildMenu() {
  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  Save1 = root->AddItem("&Save");
  SuMmary1 = Save1->AddItem("Su&mmary", scNone, [this](TObject* s) { SuMmary1Click(s); });
  Save1->AddSeparator();
  Close1 = Save1->AddItem("&Close", scNone, [this](TObject* s) { Close1Click(s); });
  Help1 = root->AddItem("&Help", scNone, [this](TObject* s) { Help1Click(s); });
}

// ---- after a completed run

void TSizeOverlap::DisplayResults() {
  ColumnToNumberLine(FColumn);
  SizeHistogramMemo->Lines()->SetText(SH_hstm);
  SizeHistogramMemo2->Lines()->SetText(SH_hstm2);
  SizeHistogramMemoLow->Lines()->SetText(FSizeLow);
  SizeHistogramMemoHigh->Lines()->SetText(FSizeHigh);
  SizeHistogramNotesMemo->Lines()->SetText("Mean of simulated sizes = " + SH_Mean_s + "\r\n" +
                                           "Variance of simulated sizes = " + SH_Variance_s + "\r\n");
  MeanDisplay();
  SummaryDisplay();
  SimulationDisplay();
  SegmentsDisplay();
}

// The input column beside the data grid's row titles, and the title rows of the two grids of
// the last simulated line.
void TSizeOverlap::ColumnToNumberLine(int Column) {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  ResetGrid(InputColumnGrid, 2, data->RowCount());
  for (int r = 0; r < data->RowCount(); ++r) {
    InputColumnGrid->SetCells(0, r, data->Cells(0, r));
    InputColumnGrid->SetCells(1, r, data->Cells(Column, r));
  }
  ResetGrid(SimulationGrid, 2, NonZeroRows + 1);
  ResetGrid(SegmentsGrid, 2, NonZeroRows);
  for (TStringGrid* grid : {SimulationGrid, SegmentsGrid}) {
    grid->SetCells(0, 0, data->Cells(0, 0));
    grid->SetCells(1, 0, data->Cells(Column, 0));
  }
}

void TSizeOverlap::MeanDisplay() {
  ObservedMeanMemo->Lines()->SetText(Obsm + Observed_s + "...............>");
  MeanHistogramMemoLow->Lines()->SetText(FMeanLow);
  MeanHistogramMemoHigh->Lines()->SetText(FMeanHigh);
  MeanHistogramMemo->Lines()->SetText(hstm);
  MeanHistogramMemo2->Lines()->SetText(hstm2);
  TStringList lines;
  lines.Add("Observed index = " + Observed_s);
  lines.Add("");
  lines.Add("Mean of simulated index = " + Mean_s);
  lines.Add("Variance of simulated index = " + Variance_s);
  lines.Add("");
  lines.Add(kLowerTailLabel + P1_s);
  lines.Add(kUpperTailLabel + P2_s);
  lines.Add("");
  MeanMemo->Lines()->SetText(lines.Text());
}

void TSizeOverlap::SimulationDisplay() {
  for (Integer i = 0; i < NonZeroRows; ++i)
    SimulationGrid->SetCells(1, i + 1, StatText(SimulatedNumberLine[static_cast<size_t>(i)]));
}

void TSizeOverlap::SegmentsDisplay() {
  for (Integer i = 0; i < Segments; ++i)
    SegmentsGrid->SetCells(1, i + 1, StatText(SegmentsNumberLine[static_cast<size_t>(i)]));
}

// ---- menu commands

void TSizeOverlap::SuMmary1Click(TObject*) {
  String name;
  if (!AskFileName(SaveDialog1, "summary.txt", name)) return;
  // The lines as shown, the user's edits included; whole or not at all.
  WriteFileAtomically(name, Memo1->Lines()->Text());
}

void TSizeOverlap::Close1Click(TObject*) { Close(); }

void TSizeOverlap::Help1Click(TObject*) { Zorvan->RunHelp(); }

#include "analysis/size_overlap/SizeOverlapUDefined3.h"

#include "analysis/common/WeightsFile.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "analysis/size_overlap/SizeOverlapUDefined4.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TSizeOverLapUD3* SizeOverLapUD3 = nullptr;

namespace {

constexpr const char* kDefaultWeight = "1.0";
// A pool holds at most this many species, so a file of more lines cannot be one.
constexpr size_t kMostLines = 241102;

}  // namespace

TSizeOverLapUD3::TSizeOverLapUD3(TComponent* AOwner) : TForm(AOwner) {
  SetName("SizeOverLapUD3");
  SetCaption("Zorvan Professional: User-defined histogram");
  BorderStyle = bsSizeToolWin;
  Position = poScreenCenter;
  SetBounds(0, 0, 420, 440);

  Panel1 = New<TPanel>(this);
  Panel1->SetName("Panel1");
  Panel1->SetCaption("");
  Panel1->SetBounds(0, 0, 420, 41);
  Panel1->SetAlign(alTop);
  Panel1->SetParent(this);
  PoolLabel = New<TLabel>(this);
  PoolLabel->SetName("PoolLabel");
  PoolLabel->SetCaption("Number of species in source pool:");
  PoolLabel->SetBounds(8, 13, 215, 16);
  PoolLabel->SetParent(Panel1);
  SpeciesPoolLabel = New<TLabel>(this);
  SpeciesPoolLabel->SetName("SpeciesPoolLabel");
  SpeciesPoolLabel->SetCaption("30");
  SpeciesPoolLabel->SetBounds(226, 13, 60, 16);
  SpeciesPoolLabel->SetParent(Panel1);
  Button1 = New<TButton>(this);
  Button1->SetName("Button1");
  Button1->SetCaption("&Change ");
  Button1->SetBounds(296, 8, 90, 25);
  Button1->SetParent(Panel1);
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };

  SpeciesHistogramGrid = New<TStringGrid>(this);
  SpeciesHistogramGrid->SetName("SpeciesHistogramGrid");
  SpeciesHistogramGrid->SetColCount(3);
  SpeciesHistogramGrid->SetRowCount(2);
  SpeciesHistogramGrid->SetFixedCols(0);
  SpeciesHistogramGrid->SetFixedRows(1);
  SpeciesHistogramGrid->SetDefaultColWidth(120);
  SpeciesHistogramGrid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing});
  SpeciesHistogramGrid->SetAlign(alClient);
  SpeciesHistogramGrid->SetParent(this);

  OpenDialog1 = New<TOpenDialog>(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->Filter = kTextFilter;
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = kTextFilter;

  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  File1 = root->AddItem("&File");
  Open1 = File1->AddItem("&Open histogram", scNone, [this](TObject* s) { Open1Click(s); });
  Save1 = File1->AddItem("&Save histogram", scNone, [this](TObject* s) { Save1Click(s); });
  // The help file has no page for the histogram editor.
  Help1 = root->AddItem("&Help");
  Usehistogram1 = root->AddItem("&Use histogram", scNone, [this](TObject* s) { Usehistogram1Click(s); });
  ResetDefaults1 = root->AddItem("Reset &Defaults", scNone, [this](TObject* s) { ResetDefaults1Click(s); });

  CurrentFile = Zorvan != nullptr ? Zorvan->FileName : String();
  OnShow = [this](TObject* s) { FormShow(s); };
}

// Rows beyond the new count are emptied first, so rows added later start empty.
void TSizeOverLapUD3::SetRows(int Rows) {
  if (Rows < 2) Rows = 2;  // the title row and one species row
  TStringGrid* g = SpeciesHistogramGrid;
  for (int r = Rows; r < g->RowCount(); ++r)
    for (int c = 0; c < g->ColCount(); ++c) g->SetCells(c, r, "");
  g->SetRowCount(Rows);
  g->SetFixedRows(1);
}

void TSizeOverLapUD3::SetDefaults() {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  const int column = SizeOverlapOpts != nullptr ? SizeOverlapOpts->AnalysedColumn() : 1;
  Zorvan->SpeciesPool = IntToStr(data->RowCount() - 1);
  SpeciesPoolLabel->SetCaption(Zorvan->SpeciesPool);
  SetRows(data->RowCount());
  TStringGrid* g = SpeciesHistogramGrid;
  for (int r = 1; r < g->RowCount(); ++r) {
    g->SetCells(0, r, data->Cells(0, r));
    g->SetCells(1, r, data->Cells(column, r));
    g->SetCells(2, r, kDefaultWeight);
  }
  g->SetCells(0, 0, "Species");
  g->SetCells(1, 0, "Size");
  g->SetCells(2, 0, "Colonization Weight");
}

void TSizeOverLapUD3::SetNew() {
  SpeciesPoolLabel->SetCaption(Zorvan->SpeciesPool);
  SetRows(LeadingInt(Zorvan->SpeciesPool) + 1);
}

void TSizeOverLapUD3::FormShow(TObject*) {
  if (!FirstTime && CurrentFile == Zorvan->FileName) {
    SetNew();
    return;
  }
  FirstTime = false;
  CurrentFile = Zorvan->FileName;
  SetDefaults();
  SpeciesPoolLabel->SetCaption(Zorvan->SpeciesPool);
}

void TSizeOverLapUD3::Button1Click(TObject*) {
  Zorvan->SpeciesPool = SpeciesPoolLabel->Caption();
  SizeOverLapUD4->ShowModal();
  SpeciesPoolLabel->SetCaption(Zorvan->SpeciesPool);
  SetNew();
}

void TSizeOverLapUD3::OpenHistogramFile(const String& F_Name) {
  // A read error is not ours to report: it reaches the program's error box.
  const String bytes = ReadFileBytes(F_Name);
  // The column count stays; cells beyond it are not kept.
  TWeightsFileCells cells = ReadWeightsFileCells(bytes, kMostLines - 1);
  TStringGrid* g = SpeciesHistogramGrid;
  for (int r = 0; r < g->RowCount(); ++r)
    for (int c = 0; c < g->ColCount(); ++c) g->SetCells(c, r, "");
  if (cells.Lines.empty())
    g->SetRowCount(1);
  else
    PutWeightsFileCells(g, std::move(cells), g->ColCount());
  Testfile();
}

void TSizeOverLapUD3::Testfile() {
  TStringGrid* g = SpeciesHistogramGrid;
  if (g->RowCount() < Zorvan->MainGrid->RowCount()) {
    ShowMessage("Histogram row count must be >= MainGrid row count.");
    SetDefaults();
    ShowMessage("Resetting Defaults");
  } else {
    Zorvan->SpeciesPool = IntToStr(g->RowCount() - 1);
    SpeciesPoolLabel->SetCaption(Zorvan->SpeciesPool);
  }
  if (g->RowCount() > 1) g->SetFixedRows(1);
}

void TSizeOverLapUD3::SaveHistogramFile(const String& F_Name) {
  const TStringGrid* g = SpeciesHistogramGrid;
  String text;
  for (int r = 0; r < g->RowCount(); ++r) {
    for (int c = 0; c < g->ColCount(); ++c) text += g->Cells(c, r) + " ";
    text += "\r\n";
  }
  try {
    WriteFileAtomically(F_Name, text);
  } catch (const std::exception&) {
    ShowMessage("Error writing file.");
  }
}

void TSizeOverLapUD3::Open1Click(TObject*) {
  OpenDialog1->Title = "Select an ASCII file to open.";
  OpenDialog1->FileName = "";
  // Nothing read, nothing to test: the rows being edited stay as they are.
  if (!OpenDialog1->Execute()) return;
  if (!FileExists(OpenDialog1->FileName)) {
    ShowMessage("Error opening file.");
    return;
  }
  OpenHistogramFile(OpenDialog1->FileName);
}

void TSizeOverLapUD3::Save1Click(TObject*) {
  SaveDialog1->Title = "Select a file name.";
  SaveDialog1->FilterIndex = 1;
  SaveDialog1->FileName = "histogram.txt";
  if (SaveDialog1->Execute()) SaveHistogramFile(SaveDialog1->FileName);
}

void TSizeOverLapUD3::ResetDefaults1Click(TObject*) {
  CurrentFile = Zorvan->FileName;
  SetDefaults();
}

void TSizeOverLapUD3::Usehistogram1Click(TObject*) { Close(); }

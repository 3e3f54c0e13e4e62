#include "analysis/presence_absence/CoOccurrenceUDefined.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/common/WeightsFile.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TCoOccurrenceUserDefined* CoOccurrenceUserDefined = nullptr;

namespace {

constexpr const char* kDefaultWeight = "1.0";

// The title row stays in view; no column is fixed, so the titles can be edited like weights.
void FixTitleRow(TStringGrid* Grid) {
  Grid->SetFixedCols(0);
  Grid->SetFixedRows(Grid->RowCount() > 1 ? 1 : 0);
}

// Fills a weights grid with one default weight per title.
void FillDefaults(TStringGrid* Grid, int RowCount, const String& Title, const std::function<String(int)>& TitleOf) {
  Grid->SetRowCount(RowCount);
  Grid->SetColCount(2);
  for (int r = 1; r < Grid->RowCount(); ++r) Grid->SetCells(1, r, kDefaultWeight);
  for (int r = 1; r < Grid->RowCount(); ++r) Grid->SetCells(0, r, TitleOf(r));
  Grid->SetCells(0, 0, Title);
  Grid->SetCells(1, 0, "Weights");
  FixTitleRow(Grid);
}

}  // namespace

TCoOccurrenceUserDefined::TCoOccurrenceUserDefined(TComponent* AOwner) : TForm(AOwner) {
  SetName("CoOccurrenceUserDefined");
  SetCaption("Edit species weights");
  Position = poScreenCenter;
  SetBounds(0, 0, 320, 420);

  SpeciesWeightsGrid = NewWeightsGrid(this, "SpeciesWeightsGrid");
  SitesWeightsGrid = NewWeightsGrid(this, "SitesWeightsGrid");
  SitesWeightsGrid->SetVisible(false);

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
  Openweights1 = File1->AddItem("&Open weights", scNone, [this](TObject* s) { Openweights1Click(s); });
  Saveweights1 = File1->AddItem("&Save weights", scNone, [this](TObject* s) { Saveweights1Click(s); });
  Help1 = root->AddItem("&Help", VK_F1, [this](TObject* s) { Help1Click(s); });
  ResetDefaults1 = root->AddItem("Reset &Defaults", scNone, [this](TObject* s) { ResetDefaults1Click(s); });
  Usenewweights1 = root->AddItem("&Use new weights", scNone, [this](TObject* s) { Usenewweights1Click(s); });

  CurrentFile = Zorvan != nullptr ? Zorvan->FileName : String();
  OnShow = [this](TObject* s) { FormShow(s); };
}

TStringGrid* TCoOccurrenceUserDefined::NewWeightsGrid(TCoOccurrenceUserDefined* Owner, const String& Name) {
  auto* grid = New<TStringGrid>(Owner);
  grid->SetName(Name);
  grid->SetColCount(2);
  grid->SetRowCount(2);
  grid->SetDefaultColWidth(120);
  grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing});
  FixTitleRow(grid);
  grid->SetAlign(alClient);
  grid->SetParent(Owner);
  return grid;
}

TStringGrid* TCoOccurrenceUserDefined::WeightsGrid() const {
  bool sites = CoOccurrenceOpts != nullptr && CoOccurrenceOpts->DefineWeights == 1;
  return sites ? SitesWeightsGrid : SpeciesWeightsGrid;
}

void TCoOccurrenceUserDefined::SetDefaults() {
  TRivErodovOzar* data = Zorvan->MainGrid;
  FillDefaults(SpeciesWeightsGrid, data->RowCount(), "Species", [data](int r) { return data->Cells(0, r); });
  SetCaption("Edit species weights");
}

void TCoOccurrenceUserDefined::SetColumns() {
  TRivErodovOzar* data = Zorvan->MainGrid;
  FillDefaults(SitesWeightsGrid, data->ColCount(), "Sites", [data](int r) { return data->Cells(r, 0); });
  SetCaption("Edit site weights");
}

void TCoOccurrenceUserDefined::FormShow(TObject*) {
  // Weights belong to one data file: a new file starts again from the defaults.
  if (FirstTime || CurrentFile != Zorvan->FileName) {
    FirstTime = false;
    CurrentFile = Zorvan->FileName;
    SetDefaults();
    SetColumns();
  }
  bool sites = WeightsGrid() == SitesWeightsGrid;
  SetCaption(sites ? "Edit sites weights" : "Edit species weights");
  SitesWeightsGrid->SetVisible(sites);
  SpeciesWeightsGrid->SetVisible(!sites);
}

bool TCoOccurrenceUserDefined::TestUserDefined() { return CheckWeightsPositive(WeightsGrid(), "\n"); }

void TCoOccurrenceUserDefined::OpenWeightsFile(TStringGrid* Grid, const String& F_Name) {
  // A read error is not ours to report: it reaches the program's error box.
  const String bytes = ReadFileBytes(F_Name);
  Grid->SetRowCount(1);
  Grid->SetColCount(1);
  Grid->SetCells(0, 0, "");

  // A file with more lines than the data grid has rows (columns) cannot fit: reading stops
  // after the first line too many, and the count check below refuses it.
  const int needed = Grid == SitesWeightsGrid ? Zorvan->MainGrid->ColCount() : Zorvan->MainGrid->RowCount();
  TWeightsFileCells cells = ReadWeightsFileCells(bytes, static_cast<size_t>(needed));
  const int columns = cells.FirstLineBlanks + 1;
  PutWeightsFileCells(Grid, std::move(cells), columns);

  if (Grid == SitesWeightsGrid) {
    if (Grid->RowCount() != Zorvan->MainGrid->ColCount()) {
      ShowMessage("Weights row count must = MainGrid col count.");
      SetColumns();
    }
  } else if (Grid->RowCount() != Zorvan->MainGrid->RowCount()) {
    ShowMessage("Weights row count must = MainGrid row count.");
    SetDefaults();
  }
  FixTitleRow(SpeciesWeightsGrid);
  FixTitleRow(SitesWeightsGrid);
}

// The weights file is the grid's space-delimited text, which the main window's writer makes.
void TCoOccurrenceUserDefined::SaveWeightsFile(TStringGrid* Grid, const String& F_Name) {
  Zorvan->SaveGridToFile(Grid, F_Name);
}

void TCoOccurrenceUserDefined::Openweights1Click(TObject*) {
  OpenDialog1->Title = "Select an ASCII file to open.";
  OpenDialog1->FileName = "";
  if (!OpenDialog1->Execute()) return;
  if (!FileExists(OpenDialog1->FileName)) {
    ShowMessage("Error opening file.");
    return;
  }
  OpenWeightsFile(WeightsGrid(), OpenDialog1->FileName);
}

void TCoOccurrenceUserDefined::Saveweights1Click(TObject*) {
  SaveDialog1->Title = "Select a file name.";
  SaveDialog1->FilterIndex = 1;
  SaveDialog1->FileName = "weights.txt";
  if (SaveDialog1->Execute()) SaveWeightsFile(WeightsGrid(), SaveDialog1->FileName);
}

void TCoOccurrenceUserDefined::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TCoOccurrenceUserDefined::ResetDefaults1Click(TObject*) {
  if (WeightsGrid() == SitesWeightsGrid)
    SetColumns();
  else
    SetDefaults();
}

void TCoOccurrenceUserDefined::Usenewweights1Click(TObject*) {
  if (TestUserDefined()) Close();
}

#include "analysis/niche_overlap/NicheOverlapUDefined.h"

#include <exception>

#include "analysis/common/WeightsFile.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TNicheOverlapUserDefined* NicheOverlapUserDefined = nullptr;

namespace {
}  // namespace

TNicheOverlapUserDefined::TNicheOverlapUserDefined(TComponent* AOwner) : TForm(AOwner) {
  SetName("NicheOverlapUserDefined");
  SetCaption("Edit site weights");
  BorderStyle = bsSizeToolWin;
  Position = poScreenCenter;
  SetBounds(0, 0, 320, 420);

  SitesWeightsGrid = New<TStringGrid>(this);
  SitesWeightsGrid->SetName("SitesWeightsGrid");
  SitesWeightsGrid->SetColCount(2);
  SitesWeightsGrid->SetRowCount(2);
  SitesWeightsGrid->SetDefaultColWidth(120);
  SitesWeightsGrid->SetScrollBars(ssVertical);
  SitesWeightsGrid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing});
  FixTitles();
  SitesWeightsGrid->SetAlign(alClient);
  SitesWeightsGrid->SetParent(this);

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
  Open1 = File1->AddItem("&Open weights", scNone, [this](TObject* s) { Open1Click(s); });
  Save1 = File1->AddItem("&Save weights", scNone, [this](TObject* s) { Save1Click(s); });
  Help1 = root->AddItem("&Help", scNone, [this](TObject* s) { Help1Click(s); });
  ResetDefaults1 = root->AddItem("Reset &Defaults", scNone, [this](TObject* s) { SetColumnsClick(s); });
  Usenewweights1 = root->AddItem("&Use new weights", scNone, [this](TObject* s) { Usenewweights1Click(s); });

  CurrentFile = Zorvan != nullptr ? Zorvan->FileName : String();
  OnShow = [this](TObject* s) { FormShow(s); };
}

// The title row and the site titles stay in view; a grid too small for them fixes none.
void TNicheOverlapUserDefined::FixTitles() {
  SitesWeightsGrid->SetFixedRows(SitesWeightsGrid->RowCount() > 1 ? 1 : 0);
  SitesWeightsGrid->SetFixedCols(SitesWeightsGrid->ColCount() > 1 ? 1 : 0);
}

void TNicheOverlapUserDefined::SetColumns() {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  SitesWeightsGrid->SetFixedRows(0);
  SitesWeightsGrid->SetFixedCols(0);
  SitesWeightsGrid->SetColCount(2);
  SitesWeightsGrid->SetRowCount(data->ColCount());
  for (int r = 1; r < SitesWeightsGrid->RowCount(); ++r) SitesWeightsGrid->SetCells(1, r, "1.0");
  for (int r = 1; r < SitesWeightsGrid->RowCount(); ++r) SitesWeightsGrid->SetCells(0, r, data->Cells(r, 0));
  SitesWeightsGrid->SetCells(0, 0, "Sites");
  SitesWeightsGrid->SetCells(1, 0, "Weights");
  FixTitles();
  SetCaption("Edit site weights");
}

void TNicheOverlapUserDefined::FormShow(TObject*) {
  // Weights belong to one data file: a new file starts again from the defaults.
  if (FirstTime || CurrentFile != Zorvan->FileName) {
    FirstTime = false;
    CurrentFile = Zorvan->FileName;
    SetColumns();
  }
  SetCaption("Edit sites weights");
  SitesWeightsGrid->SetVisible(true);
}

bool TNicheOverlapUserDefined::TestUserDefined() { return CheckWeightsPositive(SitesWeightsGrid, "\r\n"); }

void TNicheOverlapUserDefined::OpenWeightsFile(const String& F_Name) {
  // A read error is not ours to report: it reaches the program's error box.
  const String bytes = ReadFileBytes(F_Name);
  SitesWeightsGrid->SetFixedRows(0);
  SitesWeightsGrid->SetFixedCols(0);
  SitesWeightsGrid->SetRowCount(1);
  SitesWeightsGrid->SetColCount(1);
  SitesWeightsGrid->SetCells(0, 0, "");
  // Every cell of the file is followed by a blank, so the first line's blanks count the columns.
  const int needed = Zorvan->MainGrid->ColCount();
  TWeightsFileCells cells = ReadWeightsFileCells(bytes, static_cast<size_t>(needed));
  const int columns = cells.FirstLineBlanks;
  PutWeightsFileCells(SitesWeightsGrid, std::move(cells), columns);
  if (SitesWeightsGrid->RowCount() != needed) {
    ShowMessage("Weights row count must = MainGrid col count.");
    SetColumns();
  }
  FixTitles();
}

void TNicheOverlapUserDefined::SaveGridToFile(TStringGrid* Grid, const String& F_Name) {
  try {
    String text;
    for (int r = 0; r < Grid->RowCount(); ++r) {
      for (int c = 0; c < Grid->ColCount(); ++c) text += Grid->Cells(c, r) + " ";
      text += "\r\n";
    }
    WriteFileAtomically(F_Name, text);
  } catch (const std::exception&) {
    ShowMessage("Error writing file.");
  }
}

void TNicheOverlapUserDefined::SaveWeightsFile(const String& F_Name) { SaveGridToFile(SitesWeightsGrid, F_Name); }

void TNicheOverlapUserDefined::Open1Click(TObject*) {
  OpenDialog1->Title = "Select an ASCII file to open.";
  OpenDialog1->FileName = "";
  if (!OpenDialog1->Execute()) return;
  if (!FileExists(OpenDialog1->FileName)) {
    ShowMessage("Error opening file.");
    return;
  }
  OpenWeightsFile(OpenDialog1->FileName);
}

void TNicheOverlapUserDefined::Save1Click(TObject*) {
  SaveDialog1->Title = "Select a file name.";
  SaveDialog1->FileName = "weights.txt";
  if (SaveDialog1->Execute()) SaveWeightsFile(SaveDialog1->FileName);
}

void TNicheOverlapUserDefined::Help1Click(TObject*) {
  // A failing help command does not concern the weights.
  try {
    Zorvan->RunHelp();
  } catch (const std::exception&) {
  }
}

void TNicheOverlapUserDefined::SetColumnsClick(TObject*) { SetColumns(); }

void TNicheOverlapUserDefined::Usenewweights1Click(TObject*) {
  if (TestUserDefined()) Close();
}

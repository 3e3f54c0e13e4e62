// The species-diversity results window: its pages and menu, and the save commands.
#include "analysis/species_diversity/SpeciesDiversityMain.h"

#include "analysis/species_diversity/SpeciesDiversityCurve.h"
#include "app/ExcelExport.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"

TSpeciesDiversity* SpeciesDiversity = nullptr;

namespace {


}  // namespace

TSpeciesDiversity::TSpeciesDiversity(TComponent* AOwner) : TForm(AOwner) {
  SetName("SpeciesDiversity");
  SetCaption("Zorvan Professional: Species Diversity Results");
  Position = poScreenCenter;
  SetBounds(0, 0, 720, 520);
  BuildPages();
  BuildMenu();
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = kTextFilter;
}

void TSpeciesDiversity::BuildPages() {
  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);

  InputSheet = NewPage(this, PageControl1, "InputSheet", "Input");
  InputColumnStringGrid = NewResultGrid(this, InputSheet, "InputColumnStringGrid", "Input column");
  SimulationSheet = NewPage(this, PageControl1, "SimulationSheet", "Simulation");
  SimulationStringGrid =
      NewResultGrid(this, SimulationSheet, "SimulationStringGrid", "simulated column in input form");
  SimulationStringGrid->SetColCount(2);

  DiversityCurveSheet = NewPage(this, PageControl1, "DiversityCurveSheet", "Diversity Curve");
  DiversityCurveStringGrid = NewResultGrid(this, DiversityCurveSheet, "DiversityCurveStringGrid", "");
  AbundanceCurveSheet = NewPage(this, PageControl1, "AbundanceCurveSheet", "Abundance Curve ");
  DiversityCurveStringGrid2 = NewResultGrid(this, AbundanceCurveSheet, "DiversityCurveStringGrid2", "");
  for (TStringGrid* curve : {DiversityCurveStringGrid, DiversityCurveStringGrid2}) {
    curve->SetColCount(6);
    curve->SetRowCount(3);
    curve->SetFixedRows(2);
    curve->SetDefaultColWidth(125);
  }

  const TClosingPages closing = BuildClosingPages(this, PageControl1);
  SummarySheet = closing.SummarySheet;
  Memo1 = closing.Memo1;
  TimeSheet = closing.TimeSheet;
  TimeMemo = closing.TimeMemo;

  DebugSheet = NewPage(this, PageControl1, "DebugSheet", "Debug");
  DebugMemo = NewMemo(this, DebugSheet, "DebugMemo", 0, 0, 100, 100, true);
  DebugMemo->SetAlign(alClient);
  DebugSheet->SetTabVisible(false);

  PageControl1->SetActivePage(InputSheet);
}

void TSpeciesDiversity::BuildMenu() {
  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  Save1 = root->AddItem("&Save");
  SuMmary1 = Save1->AddItem("Su&mmary", scNone, [this](TObject* s) { SuMmary1Click(s); });
  Diversitycurve1 = Save1->AddItem("&Diversity curve");
  Spacedelimitedtxt1 =
      Diversitycurve1->AddItem("Space delimited (.txt)", scNone, [this](TObject* s) { Spacedelimitedtxt1Click(s); });
  Commadelimitedtxt1 =
      Diversitycurve1->AddItem("Comma delimited (.txt)", scNone, [this](TObject* s) { Commadelimitedtxt1Click(s); });
  Excelxls1 = Diversitycurve1->AddItem("Excel (.xls)", scNone, [this](TObject* s) { Excelxls1Click(s); });
  Abundancecurve1 = Save1->AddItem("&Abundance curve");
  Spacedelimitedtxt2 =
      Abundancecurve1->AddItem("Space delimited (.txt)", scNone, [this](TObject* s) { Spacedelimitedtxt2Click(s); });
  Commadelimitedtxt2 =
      Abundancecurve1->AddItem("Comma delimited (.txt)", scNone, [this](TObject* s) { Commadelimitedtxt2Click(s); });
  Excelxls2 = Abundancecurve1->AddItem("Excel (.xls)", scNone, [this](TObject* s) { Excelxls2Click(s); });
  Save1->AddSeparator();
  Close1 = Save1->AddItem("&Close", scNone, [this](TObject* s) { Close1Click(s); });
  Help1 = root->AddItem("&Help", scNone, [this](TObject* s) { Help1Click(s); });
}

// ---- curve files

bool TSpeciesDiversity::WriteCurveFile(TStringGrid* Grid, bool Comma, const String& FileName) {
  std::vector<std::vector<std::string>> rows(static_cast<size_t>(Grid->RowCount()));
  for (int r = 0; r < Grid->RowCount(); ++r)
    for (int c = 0; c < Grid->ColCount(); ++c) rows[static_cast<size_t>(r)].push_back(Grid->Cells(c, r));
  const std::string text = CurveText(rows, Comma);
  DebugMemo->Lines()->SetText(text);
  try {
    WriteFileAtomically(FileName, text);
  } catch (const Exception&) {
    ShowMessage("Error writing file.");
    return false;
  }
  return true;
}

void TSpeciesDiversity::SaveCurve(TStringGrid* Grid, bool Comma, const String& DefaultName) {
  String name;
  if (!AskFileName(SaveDialog1, DefaultName, name)) return;
  WriteCurveFile(Grid, Comma, name);
}

void TSpeciesDiversity::SaveDiversityCurveBatch() {
  WriteCurveFile(DiversityCurveStringGrid, false, "DiversityCurve " + ExtractFileName(Zorvan->FileName));
}

// ---- menu commands

void TSpeciesDiversity::SuMmary1Click(TObject*) {
  String name;
  if (!AskFileName(SaveDialog1, "summary.txt", name)) return;
  // The lines as shown, the user's edits included; whole or not at all.
  WriteFileAtomically(name, Memo1->Lines()->Text());
}

void TSpeciesDiversity::Spacedelimitedtxt1Click(TObject*) {
  SaveCurve(DiversityCurveStringGrid, false, "diversitycurve.txt");
}

void TSpeciesDiversity::Commadelimitedtxt1Click(TObject*) {
  SaveCurve(DiversityCurveStringGrid, true, "diversitycurve.txt");
}

void TSpeciesDiversity::Excelxls1Click(TObject*) { ExportGridToExcel(DiversityCurveStringGrid, 1, 1); }

void TSpeciesDiversity::Spacedelimitedtxt2Click(TObject*) {
  SaveCurve(DiversityCurveStringGrid2, false, "abundancecurve.txt");
}

void TSpeciesDiversity::Commadelimitedtxt2Click(TObject*) {
  SaveCurve(DiversityCurveStringGrid2, true, "abundancecurve.txt");
}

void TSpeciesDiversity::Excelxls2Click(TObject*) { ExportGridToExcel(DiversityCurveStringGrid2, 1, 1); }

void TSpeciesDiversity::Close1Click(TObject*) { Close(); }

void TSpeciesDiversity::Help1Click(TObject*) { Zorvan->RunHelp(); }

#include "app/ZorvanMain.h"

#include "app/AboutZorvan.h"
#include "app/ProgressSims.h"
#include "app/RunFrame.h"
#include "classlib/Random.h"
#include "classlib/ShellApi.h"
#include "classlib/SysUtils.h"

TZorvan* Zorvan = nullptr;

TZorvan::TZorvan(TComponent* AOwner) : TForm(AOwner) {
  SetName("Zorvan");
  SetCaption("Zorvan Professional");
  Position = poScreenCenter;
  SetBounds(0, 0, 860, 600);
  BuildLayout();
  BuildMenu();
  WireBatchCommands();
  WireFileCommands();
  WireExcelCommands();
  WireAnalysisLaunchers();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TZorvan::BuildLayout() {
  BatchGroupBox = New<TGroupBox>(this);
  BatchGroupBox->SetName("BatchGroupBox");
  BatchGroupBox->SetCaption("Files to analyze...");
  BatchGroupBox->SetWidth(185);
  BatchGroupBox->SetAlign(alLeft);
  BatchGroupBox->SetVisible(false);
  BatchGroupBox->SetParent(this);

  Memo1 = New<TMemo>(this);
  Memo1->SetName("Memo1");
  Memo1->SetScrollBars(ssVertical);
  Memo1->SetAlign(alClient);
  Memo1->SetParent(BatchGroupBox);

  BatchSummaryBox = New<TGroupBox>(this);
  BatchSummaryBox->SetName("BatchSummaryBox");
  BatchSummaryBox->SetCaption("Batch Summary...");
  BatchSummaryBox->SetAlign(alClient);
  BatchSummaryBox->SetVisible(false);
  BatchSummaryBox->SetParent(this);

  BatchGrid = New<TStringGrid>(this);
  BatchGrid->SetName("BatchGrid");
  BatchGrid->SetColCount(4);
  BatchGrid->SetRowCount(1);
  BatchGrid->SetFixedRows(0);
  BatchGrid->SetFixedCols(0);
  BatchGrid->SetDefaultColWidth(102);
  BatchGrid->SetAlign(alClient);
  BatchGrid->SetVisible(false);
  BatchGrid->SetParent(BatchSummaryBox);

  MainGrid = New<TRivErodovOzar>(this);
  MainGrid->SetName("MainGrid");
  MainGrid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing});
  MainGrid->SetDefaultRowHeight(22);
  MainGrid->SetAlign(alClient);
  MainGrid->SetParent(this);
  MainGrid->ActiveCellColor = 15387318;
  // The header gradients the form stores for its grid.
  TControlLook* look = MainGrid->ControlLook();
  look->SetFixedGradientFrom(clWhite);
  look->SetFixedGradientTo(clBtnFace);
  look->SetFixedGradientHoverFrom(0xCFD0D1);
  look->SetFixedGradientHoverTo(0xBEC6C8);
  look->SetFixedGradientHoverMirrorFrom(0xBEC6C8);
  look->SetFixedGradientHoverMirrorTo(0xABBCBF);
  look->SetFixedGradientDownFrom(0x868788);
  look->SetFixedGradientDownTo(0x737C7E);
  look->SetFixedGradientDownMirrorFrom(0x737C7E);
  look->SetFixedGradientDownMirrorTo(0x627376);
  look->SetFixedGradientDownBorder(0xD5BCAA);

  OpenDialog1 = New<TOpenDialog>(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->Filter = "Text files(*.txt)|*.txt|All files(*.*)|*.*|Excel files(*.xls)|*.xls";
  SaveDialog1 = New<TSaveDialog>(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->Filter = "Text files(*.txt)|*.txt|All files(*.*)|*.*";
}

void TZorvan::BuildMenu() {
  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();

  File1 = root->AddItem("&File");
  New1 = File1->AddItem("&New", ShortCut('N', {ssCtrl}), [this](TObject* s) { New1Click(s); });
  Open1 = File1->AddItem("&Open", ShortCut('O', {ssCtrl}));
  Spacedelimitedtext1 = Open1->AddItem("Space delimited (.txt)");
  Commadelimitedtxt1 = Open1->AddItem("Comma delimited (.txt)");
  Excelxls1 = Open1->AddItem("Excel (.xls)");
  Save1 = File1->AddItem("&Save", ShortCut('S', {ssCtrl}));
  Spacedelimitedtxt1 = Save1->AddItem("Space delimited (txt)");
  Commadelimitedtxt2 = Save1->AddItem("Comma delimited (.txt)");
  Excelxls2 = Save1->AddItem("Excel (.xls)");
  Close1 = File1->AddItem("&Close");
  File1->AddSeparator();
  E1 = File1->AddItem("Excel open on sa&ve (.xls) ... on/off", ShortCut('V', {ssCtrl}));
  About2 = File1->AddItem("Abou&t file");
  File1->AddSeparator();
  Batch1 = File1->AddItem("&Batch ... on/off", ShortCut('B', {ssCtrl}));
  ChangeDirectory1 = File1->AddItem("Change &Directory", ShortCut('D', {ssCtrl}));
  ChangeDirectory1->SetVisible(false);
  File1->AddSeparator();
  Exit1 = File1->AddItem("E&xit ZVP", ShortCut('X', {ssCtrl}), [this](TObject* s) { Exit1Click(s); });

  Edit1 = root->AddItem("&Edit");
  LockRowTitles = Edit1->AddItem("lock &Row titles", ShortCut('R', {ssCtrl}),
                                 [this](TObject* s) { LockRowTitlesClick(s); });
  LockRowTitles->Hint = "Fixed titles do not scroll when the grid scrolls.";
  LockColumnTitles = Edit1->AddItem("lock &Column titles", ShortCut('C', {ssCtrl}),
                                    [this](TObject* s) { LockColumnTitlesClick(s); });
  LockColumnTitles->SetChecked(true);
  Edit1->AddSeparator();
  RestructMatrix = Edit1->AddItem("Resize &matrix", ShortCut('M', {ssCtrl}));
  Transformmatrix1 = Edit1->AddItem("&Transpose matrix", ShortCut('T', {ssCtrl}));
  Randomizematrix1 = Edit1->AddItem("Ran&domize matrix", ShortCut('D', {ssCtrl}));
  N011 = Randomizematrix1->AddItem("1, 0");
  N01 = Randomizematrix1->AddItem("0 <= X < 1");
  N1X1001 = Randomizematrix1->AddItem("0 <= X < 10");

  Analyze1 = root->AddItem("&Analyze");
  CoOccurrence1 = Analyze1->AddItem("&1 Co-occurrence");
  GuildStructure1 = Analyze1->AddItem("&2 Guild Structure");
  Macroecology1 = Analyze1->AddItem("&3 Macroecology");
  NicheOverlap1 = Analyze1->AddItem("&4 Niche Overlap");
  RangeOverlap1 = Analyze1->AddItem("&5 Range Overlap");
  SizeOverlap1 = Analyze1->AddItem("&6 Size Overlap");
  SpeciesOverlap1 = Analyze1->AddItem("&7 Species Overlap");
  SpeciesDiversity1 = Analyze1->AddItem("&8 Species Diversity");
  StandardTests1 = Analyze1->AddItem("&9 Standard tests");
  Anova1 = StandardTests1->AddItem("&Anova");
  ChiSquare1 = StandardTests1->AddItem("&Chi-square");
  Regression1 = StandardTests1->AddItem("&Regression");
  RunsTest1 = StandardTests1->AddItem("Runs &Test");

  Help1 = root->AddItem("&Help");
  Helptopics1 = Help1->AddItem("&Help Topics", VK_F1, [this](TObject* s) { Helptopics1Click(s); });
  About1 = Help1->AddItem("&About", scNone, [this](TObject* s) { About1Click(s); });
}

void TZorvan::FormCreate(TObject*) {
  RowError = 0;
  Iterations = 1000;
  FileName = kUntitled;
  SetCaption(kCaptionPrefix + FileName);
  New1Click(this);
  HomeDir = GetCurrentDir();
  BatchFileCount = 0;
  BatchSwitch = false;
  BuildBatchSummaryFirstRow();
}

void TZorvan::New1Click(TObject*) {
  MainGrid->SetRowCount(6);
  MainGrid->SetColCount(6);
  for (int r = 0; r <= 5; ++r) MainGrid->SetCells(0, r, "species" + IntToStr(r));
  for (int c = 0; c <= 5; ++c) MainGrid->SetCells(c, 0, "site" + IntToStr(c));
  // Row-major, so a given seed gives a given matrix.
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c) MainGrid->SetCells(c, r, IntToStr(Random(2)));
  MainGrid->SetCells(0, 0, "species");
  FileName = ExpandFileName(kUntitled);
  SetCaption(kCaptionPrefix + FileName);
  LockRowColumn();
}

void TZorvan::LockRowColumn() {
  LockRowTitles->SetChecked(true);
  LockColumnTitles->SetChecked(true);
  try {
    MainGrid->SetFixedCols(1);
    MainGrid->SetFixedRows(1);
  } catch (const EInvalidGridOperation&) {
    if (MainGrid->RowCount() < 2 || MainGrid->ColCount() < 2) {
      ShowMessage("Unable to lock row and column titles!");
      return;
    }
    throw;
  }
}

void TZorvan::LockRowTitlesClick(TObject*) {
  // Row titles live in column 0.
  if (LockRowTitles->Checked()) {
    LockRowTitles->SetChecked(false);
    MainGrid->SetFixedCols(0);
  } else {
    LockRowTitles->SetChecked(true);
    MainGrid->SetFixedCols(1);
  }
}

void TZorvan::LockColumnTitlesClick(TObject*) {
  if (LockColumnTitles->Checked()) {
    LockColumnTitles->SetChecked(false);
    MainGrid->SetFixedRows(0);
  } else {
    LockColumnTitles->SetChecked(true);
    MainGrid->SetFixedRows(1);
  }
}

void TZorvan::FormCloseQuery(TObject*, bool& CanClose) {
  CanClose = Application->MessageBox("Close Zorvan Professional?", Application->Title,
                                     MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
  // A run in progress stops as the abort button stops it: no results, no batch row. Its loop
  // returns at its next abort test, and the program ends when the command returns.
  if (CanClose && RunFrame::RunInProgress()) RunFrame::Abandon();
}

void TZorvan::FormShow(TObject*) {
  if (RowError > 0) MainGrid->SetRowEx(RowError);
  if (Progress != nullptr && Progress->Visible()) Progress->Close();
}

void TZorvan::Exit1Click(TObject*) { Close(); }

void TZorvan::RunHelp() {
  CurrentDir = GetCurrentDir();
  SetCurrentDir(HomeDir);
  int result = ShellExecute(Handle(), "Open", kHelpFileName, "", "", SW_SHOWNORMAL);
  if (result < 32) {
    String text = "Could not execute ";
    text += kHelpFileName;  // appended, not added: g++ 12 warns falsely on a literal added to a temporary
    Application->MessageBox(text, Application->Title, MB_OK);
  }
  // Batch mode and the "Sim" files keep their folder.
  SetCurrentDir(CurrentDir);
}

void TZorvan::Helptopics1Click(TObject*) { RunHelp(); }

void TZorvan::About1Click(TObject*) { ZorvanAbout->ShowModal(); }

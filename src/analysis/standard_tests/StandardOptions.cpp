#include "analysis/standard_tests/StandardOptions.h"

#include "app/OptionsFormParts.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"

namespace {

TComboBox* NewColumnList(TComponent* Owner, TWinControl* Page, const String& Name, int Top) {
  auto* list = New<TComboBox>(Owner);
  list->SetName(Name);
  list->SetStyle(csDropDownList);
  list->SetBounds(170, Top, 200, 21);
  list->SetParent(Page);
  return list;
}

String ItemText(const TComboBox* List, Integer Index) {
  return Index >= 0 && Index < List->Items()->Count() ? List->Items()->Strings(Index) : String();
}

}  // namespace

TColumnPairOpts::TColumnPairOpts(TComponent* AOwner, const TLayout& Layout) : TForm(AOwner) {
  SetName(Layout.Name);
  SetCaption(Layout.Caption);
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 460, 260);

  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  PreferencesSheet = NewPage(this, PageControl1, "PreferencesSheet", "Preferences");
  GeneralSheet = NewPage(this, PageControl1, "GeneralSheet", "General");
  PageControl1->SetActivePage(PreferencesSheet);

  FirstList = NewColumnList(this, PreferencesSheet, Layout.FirstName, 24);
  FirstLabel = NewFieldLabel(this, PreferencesSheet, "FirstLabel", Layout.FirstCaption, FirstList, 24);
  SecondList = NewColumnList(this, PreferencesSheet, Layout.SecondName, 60);
  SecondLabel = NewFieldLabel(this, PreferencesSheet, "SecondLabel", Layout.SecondCaption, SecondList, 60);

  TGeneralPage p = BuildGeneralPage(this, GeneralSheet, {260, "!99999;1; ", "1000 ", "Iterations must be >0 and < 1,000,000"});
  FileEdit = p.FileEdit;
  FileLabel = p.FileLabel;
  IterationsEdit = p.IterationsEdit;
  IterationsLabel = p.IterationsLabel;
  RandomSeedEdit = p.RandomSeedEdit;
  RandomSeedLabel = p.RandomSeedLabel;
  SaveMatrixCheckBox = p.SaveMatrixCheckBox;

  TOptionsMenu m = BuildOptionsMenu(
      this, [this](TObject* s) { Run1Click(s); }, [this](TObject* s) { Cancel1Click(s); },
      [this](TObject* s) { Help1Click(s); }, [this](TObject* s) { ResetDefaults1Click(s); });
  MainMenu1 = m.MainMenu1;
  Run1 = m.Run1;
  Cancel1 = m.Cancel1;
  Help1 = m.Help1;
  ResetDefaults1 = m.ResetDefaults1;

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

bool TColumnPairOpts::ColumnTitlesToList() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  FirstList->Items()->Clear();
  SecondList->Items()->Clear();
  for (int c = 1; c < grid->ColCount(); ++c) {
    FirstList->Items()->Add(grid->Cells(c, 0));
    SecondList->Items()->Add(grid->Cells(c, 0));
  }
  FirstList->SetItemIndex(0);
  SecondList->SetItemIndex(1);
  return FirstList->Items()->Count() >= 2;
}

void TColumnPairOpts::FormCreate(TObject*) {
  CurrentFirst = 0;
  CurrentSecond = 1;
}

void TColumnPairOpts::FormShow(TObject*) {
  if (!ColumnTitlesToList()) {
    ShowMessage("At least two columns required.");
    Zorvan->RunSim = false;
    Close();
    return;
  }
  // A choice remembered from a wider matrix falls back to the first two columns, so that the
  // lists never show nothing or the same column twice by accident.
  const Integer count = FirstList->Items()->Count();
  const bool inside = CurrentFirst >= 0 && CurrentFirst < count && CurrentSecond >= 0 && CurrentSecond < count;
  FirstList->SetItemIndex(inside ? CurrentFirst : 0);
  SecondList->SetItemIndex(inside ? CurrentSecond : 1);
  FileEdit->SetText(Zorvan->FileName);
}

void TColumnPairOpts::FormClose(TObject*, TCloseAction&) {
  CurrentFirst = FirstList->ItemIndex();
  CurrentSecond = SecondList->ItemIndex();
}

void TColumnPairOpts::Run1Click(TObject*) {
  Zorvan->RunSim = true;
  Close();
}

void TColumnPairOpts::Cancel1Click(TObject*) {
  Zorvan->RunSim = false;
  Close();
}

void TColumnPairOpts::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TColumnPairOpts::ResetDefaults1Click(TObject*) { ResetDefaults(); }

void TColumnPairOpts::ResetDefaults() {
  RandomSeedEdit->SetText("0");
  SaveMatrixCheckBox->SetChecked(false);
  IterationsEdit->SetText("1000 ");
  FirstList->SetItemIndex(0);
  SecondList->SetItemIndex(1);
}

String TColumnPairOpts::FirstTitle() const { return ItemText(FirstList, CurrentFirst); }

String TColumnPairOpts::SecondTitle() const { return ItemText(SecondList, CurrentSecond); }

#include "analysis/presence_absence/GroupOptions.h"

#include "app/OptionsFormParts.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"

TGroupOptions::TGroupOptions(TComponent* AOwner, const TLayout& Layout) : TForm(AOwner) {
  SetName(Layout.Name);
  SetCaption(Layout.Caption);
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 460, 300);

  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  PreferencesSheet = NewPage(this, PageControl1, "PreferencesSheet", "Preferences");
  GeneralSheet = NewPage(this, PageControl1, "GeneralSheet", "General");
  PageControl1->SetActivePage(PreferencesSheet);

  IndexGroup = New<TGroupBox>(this);
  IndexGroup->SetName("IndexGroup");
  IndexGroup->SetCaption(Layout.IndexCaption);
  IndexGroup->SetBounds(8, 8, 246, 56);
  IndexGroup->SetParent(PreferencesSheet);
  IndexList = New<TComboBox>(this);
  IndexList->SetName("IndexList");
  IndexList->SetBounds(10, 22, 226, 21);
  for (const char* item : Layout.Indices) IndexList->Items()->Add(item);
  IndexList->SetItemIndex(0);
  IndexList->SetParent(IndexGroup);

  BuildGeneral(Layout);
  BuildMenu();

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TRadioGroup* TGroupOptions::NewRadioGroup(const String& Name, const String& Caption,
                                          std::initializer_list<const char*> Items, int ItemIndex, int Left,
                                          int Top, int Width, int Height) {
  auto* group = New<TRadioGroup>(this);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->SetBounds(Left, Top, Width, Height);
  for (const char* item : Items) group->Items()->Add(item);
  group->SetItemIndex(ItemIndex);
  group->SetParent(PreferencesSheet);
  return group;
}

void TGroupOptions::BuildGeneral(const TLayout& Layout) {
  TGeneralPage p = BuildGeneralPage(this, GeneralSheet, {260, Layout.IterationsMask, "1000 ", Layout.IterationsHint});
  FileEdit = p.FileEdit;
  FileLabel = p.FileLabel;
  IterationsEdit = p.IterationsEdit;
  IterationsLabel = p.IterationsLabel;
  RandomSeedEdit = p.RandomSeedEdit;
  RandomSeedLabel = p.RandomSeedLabel;
  SaveMatrixCheckBox = p.SaveMatrixCheckBox;
}

void TGroupOptions::BuildMenu() {
  TOptionsMenu m = BuildOptionsMenu(
      this, [this](TObject* s) { Run1Click(s); }, [this](TObject* s) { Cancel1Click(s); },
      [this](TObject* s) { Help1Click(s); }, [this](TObject* s) { ResetDefaults1Click(s); });
  MainMenu1 = m.MainMenu1;
  Run1 = m.Run1;
  Cancel1 = m.Cancel1;
  Help1 = m.Help1;
  ResetDefaults1 = m.ResetDefaults1;
}

void TGroupOptions::ResetGeneral() {
  RandomSeedEdit->SetText("0");
  SaveMatrixCheckBox->SetChecked(false);
  IterationsEdit->SetText("1000 ");
  IndexList->SetItemIndex(0);
}

void TGroupOptions::FormCreate(TObject*) { CurrentIndex = 0; }

void TGroupOptions::FormShow(TObject*) {
  IndexList->SetItemIndex(CurrentIndex);
  FileEdit->SetText(Zorvan->FileName);
}

void TGroupOptions::FormClose(TObject*, TCloseAction&) { CurrentIndex = IndexList->ItemIndex(); }

void TGroupOptions::Run1Click(TObject*) {
  Zorvan->RunSim = true;
  Close();
}

void TGroupOptions::Cancel1Click(TObject*) {
  Zorvan->RunSim = false;
  Close();
}

void TGroupOptions::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TGroupOptions::ResetDefaults1Click(TObject*) { ResetDefaults(); }

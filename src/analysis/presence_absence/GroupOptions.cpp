#include "analysis/presence_absence/GroupOptions.h"

#include "app/ZorvanMain.h"

namespace {

TLabel* NewLabel(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption,
                 TWinControl* Focus, int Top) {
  auto* label = New<TLabel>(Owner);
  label->SetName(Name);
  label->SetCaption(Caption);
  label->SetBounds(24, Top + 3, 140, 16);
  label->SetFocusControl(Focus);
  label->SetParent(Parent);
  return label;
}

TTabSheet* NewSheet(TComponent* Owner, TPageControl* Pages, const String& Name, const String& Caption) {
  auto* sheet = New<TTabSheet>(Owner);
  sheet->SetName(Name);
  sheet->SetCaption(Caption);
  sheet->SetPageControl(Pages);
  return sheet;
}

}  // namespace

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
  PreferencesSheet = NewSheet(this, PageControl1, "PreferencesSheet", "Preferences");
  GeneralSheet = NewSheet(this, PageControl1, "GeneralSheet", "General");
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
  TWinControl* page = GeneralSheet;

  FileEdit = New<TEdit>(this);
  FileEdit->SetName("FileEdit");
  FileEdit->SetReadOnly(true);
  FileEdit->SetText("Untitled.txt");
  FileEdit->SetBounds(170, 24, 260, 21);
  FileEdit->SetParent(page);
  FileLabel = NewLabel(this, page, "FileLabel", "Data file:", FileEdit, 24);

  IterationsEdit = New<TMaskEdit>(this);
  IterationsEdit->SetName("IterationsEdit");
  IterationsEdit->SetEditMask(Layout.IterationsMask);
  IterationsEdit->SetText("1000 ");
  IterationsEdit->Hint = Layout.IterationsHint;
  IterationsEdit->ShowHint = true;
  IterationsEdit->SetBounds(170, 60, 80, 21);
  IterationsEdit->SetParent(page);
  IterationsLabel = NewLabel(this, page, "IterationsLabel", "Number of iterations:", IterationsEdit, 60);

  RandomSeedEdit = New<TEdit>(this);
  RandomSeedEdit->SetName("RandomSeedEdit");
  RandomSeedEdit->SetText("0");
  RandomSeedEdit->Hint = "0 = system clock. Enter a positive integer to set a random seed. ";
  RandomSeedEdit->ShowHint = true;
  RandomSeedEdit->SetBounds(170, 96, 120, 21);
  RandomSeedEdit->SetParent(page);
  RandomSeedLabel = NewLabel(this, page, "RandomSeedLabel", "Random number seed:", RandomSeedEdit, 96);

  SaveMatrixCheckBox = New<TCheckBox>(this);
  SaveMatrixCheckBox->SetName("SaveMatrixCheckBox");
  SaveMatrixCheckBox->SetCaption("&Save simulated matrices");
  SaveMatrixCheckBox->SetChecked(false);
  SaveMatrixCheckBox->SetBounds(24, 136, 220, 17);
  SaveMatrixCheckBox->SetParent(page);
}

void TGroupOptions::BuildMenu() {
  MainMenu1 = New<TMainMenu>(this);
  MainMenu1->SetName("MainMenu1");
  SetMenu(MainMenu1);
  TMenuItem* root = MainMenu1->Items();
  Run1 = root->AddItem("&Run", scNone, [this](TObject* s) { Run1Click(s); });
  Cancel1 = root->AddItem("&Cancel", scNone, [this](TObject* s) { Cancel1Click(s); });
  Help1 = root->AddItem("&Help", scNone, [this](TObject* s) { Help1Click(s); });
  ResetDefaults1 = root->AddItem("Reset &Defaults", scNone, [this](TObject* s) { ResetDefaults1Click(s); });
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

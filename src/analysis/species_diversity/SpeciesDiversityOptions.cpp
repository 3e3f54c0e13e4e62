#include "analysis/species_diversity/SpeciesDiversityOptions.h"

#include "analysis/species_diversity/AbundancelevelsOptions.h"
#include "app/OptionsFormParts.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"

TSpeciesDiversityOpts* SpeciesDiversityOpts = nullptr;

TSpeciesDiversityOpts::TSpeciesDiversityOpts(TComponent* AOwner) : TForm(AOwner) {
  SetName("SpeciesDiversityOpts");
  SetCaption("Zorvan Professional: Species Diversity Options");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 470, 330);

  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  PreferencesSheet = NewPage(this, PageControl1, "PreferencesSheet", "Preferences");
  GeneralSheet = NewPage(this, PageControl1, "GeneralSheet", "General");
  PageControl1->SetActivePage(PreferencesSheet);

  SpeciesGroup = NewRadioGroup("SpeciesGroup", "Sample &Unit", {"Individuals", "Samples"}, kUnitIndividuals, 8, 8,
                               210, 64);
  ColumnToAnalyzeBox = NewGroup(this, PreferencesSheet, "ColumnToAnalyzeBox", "Co&Lumn to analyze", 8, 80, 210, 56);
  ColumnList = New<TComboBox>(this);
  ColumnList->SetName("ColumnList");
  ColumnList->SetStyle(csDropDownList);
  ColumnList->SetBounds(10, 22, 190, 21);
  ColumnList->SetParent(ColumnToAnalyzeBox);
  // The sample levels take the column box's place when the unit is a sample.
  SampleLevelsGroup = NewRadioGroup("SampleLevelsGroup", "Sa&mple Levels", {"Default", "User-defined"},
                                    kLevelsDefault, 8, 80, 210, 64);
  DefineButton2 = NewEditButton("DefineButton2", 8, 152);

  AbundanceLevelsGroup = NewRadioGroup("AbundanceLevelsGroup", "&Abundance Levels", {"Default", "User-defined"},
                                       kLevelsDefault, 232, 8, 210, 64);
  DefineButton = NewEditButton("DefineButton", 232, 80);
  RandomizationGroup = NewRadioGroup("RandomizationGroup", "Randomi&zation Algorithm",
                                     {"Accumulation curve", "Rarefaction curve"}, kRarefactionCurve, 232, 112, 210, 64);

  IndexGroup = NewGroup(this, PreferencesSheet, "IndexGroup", "Species diversity &Index", 8, 186, 434, 56);
  IndexList = New<TComboBox>(this);
  IndexList->SetName("IndexList");
  IndexList->SetStyle(csDropDownList);
  IndexList->SetBounds(10, 22, 250, 21);
  for (const char* item : {"Species Richness", "Hurlbert's PIE", "Dominance", "Shannon Diversity Index"})
    IndexList->Items()->Add(item);
  IndexList->SetItemIndex(0);
  IndexList->SetParent(IndexGroup);

  TGeneralPage p = BuildGeneralPage(this, GeneralSheet,
                                    {260, "!999999;1; ", "1000", "Iterations must be >0 and < 1,000,000"});
  FileEdit = p.FileEdit;
  FileLabel = p.FileLabel;
  IterationsEdit = p.IterationsEdit;
  IterationsLabel = p.IterationsLabel;
  RandomSeedEdit = p.RandomSeedEdit;
  RandomSeedLabel = p.RandomSeedLabel;
  SaveMatrixCheckBox = p.SaveMatrixCheckBox;

  TOptionsMenu m = BuildOptionsMenu(
      this, [this](TObject* s) { Run1Click(s); }, [this](TObject* s) { Cancel1Click(s); },
      [this](TObject* s) { Help1Click(s); }, [this](TObject* s) { resetDefaults1Click(s); }, "reset &Defaults");
  MainMenu1 = m.MainMenu1;
  Run1 = m.Run1;
  Cancel1 = m.Cancel1;
  Help1 = m.Help1;
  resetDefaults1 = m.ResetDefaults1;

  SpeciesGroup->OnClick = [this](TObject* s) { SpeciesGroupClick(s); };
  AbundanceLevelsGroup->OnClick = [this](TObject* s) { AbundanceLevelsGroupClick(s); };
  SampleLevelsGroup->OnClick = [this](TObject* s) { SampleLevelsGroupClick(s); };
  DefineButton->OnClick = [this](TObject* s) { DefineButtonClick(s); };
  DefineButton2->OnClick = [this](TObject* s) { DefineButton2Click(s); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TRadioGroup* TSpeciesDiversityOpts::NewRadioGroup(const String& Name, const String& Caption,
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

TButton* TSpeciesDiversityOpts::NewEditButton(const String& Name, int Left, int Top) {
  auto* button = New<TButton>(this);
  button->SetName(Name);
  button->SetCaption("&Edit");
  button->SetBounds(Left, Top, 75, 25);
  button->SetVisible(false);
  button->SetParent(PreferencesSheet);
  return button;
}

void TSpeciesDiversityOpts::FormCreate(TObject*) {
  CurrentColumn = 0;
  CurrentIndex = 0;
  SampleLevelsGroup->SetVisible(false);
  DefineButton2->SetVisible(false);
}

void TSpeciesDiversityOpts::ColumnTitlesToList() {
  const TRivErodovOzar* grid = Zorvan->MainGrid;
  TStrings* items = ColumnList->Items();
  items->Clear();
  for (int c = 1; c < grid->ColCount(); ++c) items->Add(grid->Cells(c, 0));
}

void TSpeciesDiversityOpts::SelectColumn(Integer Index) {
  // A position chosen on a wider matrix falls back to the first column.
  ColumnList->SetItemIndex(Index >= 0 && Index < ColumnList->Items()->Count() ? Index : 0);
}

void TSpeciesDiversityOpts::FormShow(TObject*) {
  ColumnTitlesToList();
  SelectColumn(CurrentColumn);
  IndexList->SetItemIndex(CurrentIndex);
  FileEdit->SetText(Zorvan->FileName);
}

void TSpeciesDiversityOpts::FormClose(TObject*, TCloseAction&) {
  CurrentColumn = ColumnList->ItemIndex() < 0 ? 0 : ColumnList->ItemIndex();
  CurrentIndex = IndexList->ItemIndex() < 0 ? 0 : IndexList->ItemIndex();
}

void TSpeciesDiversityOpts::Run1Click(TObject*) {
  Zorvan->RunSim = true;
  Close();
}

void TSpeciesDiversityOpts::Cancel1Click(TObject*) {
  Zorvan->RunSim = false;
  Close();
}

void TSpeciesDiversityOpts::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TSpeciesDiversityOpts::resetDefaults1Click(TObject*) { Resetdefaults(); }

void TSpeciesDiversityOpts::Resetdefaults() {
  // The sample unit and the sample-levels choice stay as they are.
  RandomSeedEdit->SetText("0");
  RandomizationGroup->SetItemIndex(kRarefactionCurve);
  IndexList->SetItemIndex(0);
  SaveMatrixCheckBox->SetChecked(false);
  AbundanceLevelsGroup->SetItemIndex(kLevelsDefault);
  ColumnTitlesToList();
  ColumnList->SetItemIndex(0);
  IterationsEdit->SetText("1000");
}

void TSpeciesDiversityOpts::SpeciesGroupClick(TObject*) {
  const bool individuals = SpeciesGroup->ItemIndex() != kUnitSamples;
  ColumnToAnalyzeBox->SetVisible(individuals);
  AbundanceLevelsGroup->SetVisible(individuals);
  DefineButton->SetVisible(individuals && AbundanceLevelsGroup->ItemIndex() == kLevelsUserDefined);
  SampleLevelsGroup->SetVisible(!individuals);
  DefineButton2->SetVisible(!individuals && SampleLevelsGroup->ItemIndex() == kLevelsUserDefined);
}

void TSpeciesDiversityOpts::AbundanceLevelsGroupClick(TObject*) {
  const bool userDefined = AbundanceLevelsGroup->ItemIndex() == kLevelsUserDefined;
  if (userDefined) AbundanceLevelsOpts->ShowModal();
  DefineButton->SetVisible(userDefined);
}

void TSpeciesDiversityOpts::SampleLevelsGroupClick(TObject*) {
  const bool userDefined = SampleLevelsGroup->ItemIndex() == kLevelsUserDefined;
  if (userDefined) AbundanceLevelsOpts->ShowModal();
  DefineButton2->SetVisible(userDefined);
}

void TSpeciesDiversityOpts::DefineButtonClick(TObject*) { AbundanceLevelsOpts->ShowModal(); }

void TSpeciesDiversityOpts::DefineButton2Click(TObject*) { AbundanceLevelsOpts->ShowModal(); }

#include "analysis/niche_overlap/NicheOverlapOptions.h"

#include "analysis/niche_overlap/NicheOverlapUDefined.h"
#include "app/OptionsFormParts.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"

TNicheOverlapOpts* NicheOverlapOpts = nullptr;

namespace {

TRadioGroup* NewRadioGroup(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption,
                           std::initializer_list<const char*> Items, int Left, int Top) {
  auto* group = New<TRadioGroup>(Owner);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->SetBounds(Left, Top, 200, 64);
  for (const char* item : Items) group->Items()->Add(item);
  // The design selection: no rule runs, the handlers are connected afterwards.
  group->SetItemIndex(0);
  group->SetParent(Parent);
  return group;
}

}  // namespace

TNicheOverlapOpts::TNicheOverlapOpts(TComponent* AOwner) : TForm(AOwner) {
  SetName("NicheOverlapOpts");
  SetCaption("Zorvan Professional: Niche Overlap Options");
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

  NicheBreadthGroup =
      NewRadioGroup(this, PreferencesSheet, "NicheBreadthGroup", "&Niche Breadth", {"Retained", "Relaxed"}, 8, 8);
  ZeroStatesGroup =
      NewRadioGroup(this, PreferencesSheet, "ZeroStatesGroup", "&Zero States", {"Reshuffled", "Retained"}, 220, 8);
  IndexGroup =
      NewRadioGroup(this, PreferencesSheet, "IndexGroup", "Niche overlap &Index", {"Pianka", "Czekanowski"}, 8, 80);
  ResourceStatesGroup = NewRadioGroup(this, PreferencesSheet, "ResourceStatesGroup", "&Resource States",
                                      {"Equiprobable", "User-defined"}, 220, 80);
  DefineButtonCols = New<TButton>(this);
  DefineButtonCols->SetName("DefineButtonCols");
  DefineButtonCols->SetCaption("&Edit");
  DefineButtonCols->SetBounds(220, 152, 64, 25);
  DefineButtonCols->SetVisible(false);
  DefineButtonCols->SetParent(PreferencesSheet);
  ResourceStatesGroup->OnClick = [this](TObject* s) { ResourceStatesGroupClick(s); };
  DefineButtonCols->OnClick = [this](TObject* s) { DefineButtonColsClick(s); };

  TGeneralPage p =
      BuildGeneralPage(this, GeneralSheet, {260, "!99999;1; ", "1000 ", "Iterations must be >0 and < 1,000,000"});
  FileEdit = p.FileEdit;
  FileLabel = p.FileLabel;
  IterationsEdit = p.IterationsEdit;
  IterationsLabel = p.IterationsLabel;
  IterationsLabel->SetCaption("Number of Iterations:");
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

  OnShow = [this](TObject* s) { FormShow(s); };
}

void TNicheOverlapOpts::FormShow(TObject*) { FileEdit->SetText(Zorvan->FileName); }

void TNicheOverlapOpts::Run1Click(TObject*) {
  Zorvan->RunSim = true;
  Close();
}

void TNicheOverlapOpts::Cancel1Click(TObject*) {
  Zorvan->RunSim = false;
  Close();
}

void TNicheOverlapOpts::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TNicheOverlapOpts::ResetDefaults1Click(TObject*) { resetDefaults(); }

void TNicheOverlapOpts::resetDefaults() {
  RandomSeedEdit->SetText("0");
  // Back to "Equiprobable" runs the group's rule, which hides "&Edit".
  ResourceStatesGroup->SetItemIndex(0);
  NicheBreadthGroup->SetItemIndex(0);
  ZeroStatesGroup->SetItemIndex(0);
  IndexGroup->SetItemIndex(0);
  SaveMatrixCheckBox->SetChecked(false);
  IterationsEdit->SetText("1000 ");
}

void TNicheOverlapOpts::ResourceStatesGroupClick(TObject*) {
  if (ResourceStatesGroup->ItemIndex() == kUserDefined) {
    NicheOverlapUserDefined->ShowModal();
    DefineButtonCols->SetVisible(true);
  } else {
    DefineButtonCols->SetVisible(false);
  }
}

void TNicheOverlapOpts::DefineButtonColsClick(TObject*) { NicheOverlapUserDefined->ShowModal(); }

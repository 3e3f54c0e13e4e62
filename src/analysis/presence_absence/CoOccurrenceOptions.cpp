#include "analysis/presence_absence/CoOccurrenceOptions.h"

#include "analysis/presence_absence/CoOccurrenceUDefined.h"
#include "app/OptionsFormParts.h"
#include "app/ZorvanMain.h"

TCoOccurrenceOpts* CoOccurrenceOpts = nullptr;

namespace {

// Item positions of the radio groups and the index list, named once.
namespace ConstraintItem {
constexpr int FixedSum = 1;
constexpr int UserDefined = 3;
}  // namespace ConstraintItem
namespace DegenerateItem {
constexpr int Retain = 0;
constexpr int Discard = 1;
constexpr int Split = 2;
constexpr int Fix = 3;
}  // namespace DegenerateItem
namespace EmptySitesItem {
constexpr int Include = 0;
constexpr int Exclude = 1;
}  // namespace EmptySitesItem
namespace FixedFixedItem {
constexpr int SequentialSwap = 0;
constexpr int KnightsTour = 2;
}  // namespace FixedFixedItem

// Empty Sites is offered only for the species-combination count and the V-ratio.
bool IndexIgnoresEmptySites(int Item) { return Item == 0 || Item == 1; }

bool KeepsDegenerateMatrices(int Policy) { return Policy == DegenerateItem::Retain || Policy == DegenerateItem::Split; }

TRadioGroup* NewRadioGroup(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption,
                           std::initializer_list<const char*> Items, int ItemIndex, TRect Bounds) {
  auto* group = New<TRadioGroup>(Owner);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->SetBounds(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
  for (const char* item : Items) group->Items()->Add(item);
  // The design selection: no rule runs, the handlers are connected afterwards.
  group->SetItemIndex(ItemIndex);
  group->SetParent(Parent);
  return group;
}

TComboBox* NewIndexList(TComponent* Owner, TGroupBox* Group, const String& Name,
                        std::initializer_list<const char*> Items) {
  auto* list = New<TComboBox>(Owner);
  list->SetName(Name);
  // Wide enough for the longest item, "Number of species combinations".
  list->SetBounds(10, 22, 226, 21);
  for (const char* item : Items) list->Items()->Add(item);
  list->SetItemIndex(0);
  list->SetParent(Group);
  return list;
}

}  // namespace

TCoOccurrenceOpts::TCoOccurrenceOpts(TComponent* AOwner) : TForm(AOwner) {
  SetName("CoOccurrenceOpts");
  SetCaption("Zorvan Professional: Co-occurrence Options");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 480, 420);

  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  PreferencesSheet = New<TTabSheet>(this);
  PreferencesSheet->SetName("PreferencesSheet");
  PreferencesSheet->SetCaption("Preferences");
  PreferencesSheet->SetPageControl(PageControl1);
  GeneralSheet = New<TTabSheet>(this);
  GeneralSheet->SetName("GeneralSheet");
  GeneralSheet->SetCaption("General");
  GeneralSheet->SetPageControl(PageControl1);
  PageControl1->SetActivePage(PreferencesSheet);

  BuildPreferences();
  BuildGeneral();
  BuildMenu();

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TCoOccurrenceOpts::BuildPreferences() {
  TWinControl* page = PreferencesSheet;

  IndexGroup = New<TGroupBox>(this);
  IndexGroup->SetName("IndexGroup");
  IndexGroup->SetCaption("Co-occurrence &Index");
  IndexGroup->SetBounds(8, 8, 246, 56);
  IndexGroup->SetParent(page);
  // "Number of checkerboards " carries its trailing blank as the list has always shown it.
  IndexList = NewIndexList(this, IndexGroup, "IndexList",
                           {"C-score", "Number of checkerboards ", "Number of species combinations", "V-ratio"});

  RangeGroup = New<TGroupBox>(this);
  RangeGroup->SetName("RangeGroup");
  RangeGroup->SetCaption("Range &Overlap Index");
  RangeGroup->SetBounds(8, 8, 246, 56);
  RangeGroup->SetParent(page);
  RangeList = NewIndexList(this, RangeGroup, "RangeList", {"Relative Overlap", "Union", "Overlap"});

  PatternGroup = NewRadioGroup(this, page, "PatternGroup", "&Empty Sites", {"Include", "Exclude"},
                               EmptySitesItem::Exclude, Rect(262, 8, 464, 64));
  PatternGroup->SetColumns(2);
  PatternGroup->SetVisible(false);

  const std::initializer_list<const char*> constraints = {"Equiprobable", "Fixed Sum", "Proportional",
                                                          "User-Defined"};
  RowGroup = NewRadioGroup(this, page, "RowGroup", "Ro&w Constraints", constraints, ConstraintItem::FixedSum,
                           Rect(8, 72, 160, 180));
  DefineButtonRows = New<TButton>(this);
  DefineButtonRows->SetName("DefineButtonRows");
  DefineButtonRows->SetCaption("Edit");
  DefineButtonRows->SetBounds(166, 152, 56, 25);
  DefineButtonRows->SetVisible(false);
  DefineButtonRows->SetParent(page);

  ColumnGroup = NewRadioGroup(this, page, "ColumnGroup", "Co&Lumn Constraints", constraints,
                              ConstraintItem::FixedSum, Rect(236, 72, 388, 180));
  DefineButtonCols = New<TButton>(this);
  DefineButtonCols->SetName("DefineButtonCols");
  DefineButtonCols->SetCaption("Edit");
  DefineButtonCols->SetBounds(394, 152, 56, 25);
  DefineButtonCols->SetVisible(false);
  DefineButtonCols->SetParent(page);

  DegenerateGroup = NewRadioGroup(this, page, "DegenerateGroup", "Degenerate &Matrices",
                                  {"Retain", "Discard", "Split", "Fix"}, DegenerateItem::Retain, Rect(8, 188, 160, 296));
  FixedFixedGroup = NewRadioGroup(this, page, "FixedFixedGroup", "Fixed-Fixed Randomization Algorithm",
                                  {"Sequential Swap", "Independent Swap", "Random Knight's Tour"},
                                  FixedFixedItem::SequentialSwap, Rect(196, 188, 464, 280));

  RowGroup->OnClick = [this](TObject* s) { RowGroupClick(s); };
  ColumnGroup->OnClick = [this](TObject* s) { ColumnGroupClick(s); };
  DefineButtonRows->OnClick = [this](TObject* s) { DefineButtonRowsClick(s); };
  DefineButtonCols->OnClick = [this](TObject* s) { DefineButtonColsClick(s); };
  DegenerateGroup->OnClick = [this](TObject* s) { DegenerateGroupClick(s); };
  IndexList->OnChange = [this](TObject* s) { IndexListChange(s); };
  FixedFixedGroup->OnClick = [this](TObject* s) { FixedFixedGroupClick(s); };
}

void TCoOccurrenceOpts::BuildGeneral() {
  // Six digit positions, unfilled ones shown blank.
  TGeneralPage p = BuildGeneralPage(this, GeneralSheet,
                                    {280, "999999;1; ", "5000  ", "Iterations must be >0 and < = 1,000,000"});
  FileEdit = p.FileEdit;
  FileLabel = p.FileLabel;
  IterationsEdit = p.IterationsEdit;
  IterationsLabel = p.IterationsLabel;
  RandomSeedEdit = p.RandomSeedEdit;
  RandomSeedLabel = p.RandomSeedLabel;
  SaveMatrixCheckBox = p.SaveMatrixCheckBox;
}

void TCoOccurrenceOpts::BuildMenu() {
  TOptionsMenu m = BuildOptionsMenu(
      this, [this](TObject* s) { Run1Click(s); }, [this](TObject* s) { Cancel1Click(s); },
      [this](TObject* s) { Help1Click(s); }, [this](TObject* s) { ResetDefaults1Click(s); });
  MainMenu1 = m.MainMenu1;
  Run1 = m.Run1;
  Cancel1 = m.Cancel1;
  Help1 = m.Help1;
  ResetDefaults1 = m.ResetDefaults1;
}

bool TCoOccurrenceOpts::IsRangeOverlap() { return Zorvan->RangeCoOccurrence == 1; }

void TCoOccurrenceOpts::IncludeEmptySitesHidden() {
  PatternGroup->SetItemIndex(EmptySitesItem::Include);
  PatternGroup->SetVisible(false);
}

void TCoOccurrenceOpts::FormCreate(TObject*) {
  CoOccurrenceIndex = 0;
  RangeIndex = 0;
}

void TCoOccurrenceOpts::FormShow(TObject*) {
  if (IsRangeOverlap())
    RangeList->SetItemIndex(RangeIndex);
  else
    IndexList->SetItemIndex(CoOccurrenceIndex);
  FileEdit->SetText(Zorvan->FileName);
  if (!IsRangeOverlap()) {
    IndexGroup->SetVisible(true);
    RangeGroup->SetVisible(false);
    // A remembered typed text (no item) leaves Empty Sites as it was.
    if (IndexIgnoresEmptySites(CoOccurrenceIndex))
      PatternGroup->SetVisible(false);
    else if (CoOccurrenceIndex == 2 || CoOccurrenceIndex == 3)
      PatternGroup->SetVisible(true);
  } else {
    RangeGroup->SetVisible(true);
    IndexGroup->SetVisible(false);
    PatternGroup->SetVisible(KeepsDegenerateMatrices(DegenerateGroup->ItemIndex()));
  }
}

void TCoOccurrenceOpts::FormClose(TObject*, TCloseAction&) {
  if (IsRangeOverlap())
    RangeIndex = RangeList->ItemIndex();
  else
    CoOccurrenceIndex = IndexList->ItemIndex();
}

void TCoOccurrenceOpts::RowGroupClick(TObject*) {
  if (RowGroup->ItemIndex() == ConstraintItem::UserDefined) {
    DefineWeights = 0;
    CoOccurrenceUserDefined->ShowModal();
    DefineButtonRows->SetVisible(true);
  } else {
    DefineButtonRows->SetVisible(false);
  }
  FixedFixedGroup->SetVisible(RowGroup->ItemIndex() == ConstraintItem::FixedSum &&
                              ColumnGroup->ItemIndex() == ConstraintItem::FixedSum);
}

void TCoOccurrenceOpts::ColumnGroupClick(TObject* Sender) {
  if (ColumnGroup->ItemIndex() == ConstraintItem::UserDefined) {
    IncludeEmptySitesHidden();
    DefineWeights = 1;
    CoOccurrenceUserDefined->ShowModal();
    DefineButtonCols->SetVisible(true);
  } else {
    DefineButtonCols->SetVisible(false);
    DegenerateGroupClick(Sender);
  }
  FixedFixedGroup->SetVisible(RowGroup->ItemIndex() == ConstraintItem::FixedSum &&
                              ColumnGroup->ItemIndex() == ConstraintItem::FixedSum);
}

void TCoOccurrenceOpts::DefineButtonRowsClick(TObject*) {
  DefineWeights = 0;
  CoOccurrenceUserDefined->ShowModal();
}

void TCoOccurrenceOpts::DefineButtonColsClick(TObject*) {
  DefineWeights = 1;
  CoOccurrenceUserDefined->ShowModal();
}

void TCoOccurrenceOpts::DegenerateGroupClick(TObject*) {
  if (!IsRangeOverlap() && IndexIgnoresEmptySites(IndexList->ItemIndex())) {
    IncludeEmptySitesHidden();
    return;
  }
  const int policy = DegenerateGroup->ItemIndex();
  if (KeepsDegenerateMatrices(policy)) {
    if (ColumnGroup->ItemIndex() != ConstraintItem::UserDefined) PatternGroup->SetVisible(true);
  } else if (policy == DegenerateItem::Discard || policy == DegenerateItem::Fix) {
    IncludeEmptySitesHidden();
  }
}

void TCoOccurrenceOpts::IndexListChange(TObject*) {
  if (IndexIgnoresEmptySites(IndexList->ItemIndex())) {
    IncludeEmptySitesHidden();
    return;
  }
  if (ColumnGroup->ItemIndex() == ConstraintItem::UserDefined) return;
  PatternGroup->SetVisible(true);
  DegenerateGroup->SetItemIndex(DegenerateItem::Retain);
}

void TCoOccurrenceOpts::FixedFixedGroupClick(TObject*) {
  // The knight's tour runs on the matrix without its empty sites, whether the choice is shown
  // or not.
  if (FixedFixedGroup->ItemIndex() == FixedFixedItem::KnightsTour) PatternGroup->SetItemIndex(EmptySitesItem::Exclude);
}

void TCoOccurrenceOpts::ResetDefaults() {
  FileEdit->SetText(Zorvan->FileName);
  RandomSeedEdit->SetText("0");
  RowGroup->SetItemIndex(ConstraintItem::FixedSum);
  ColumnGroup->SetItemIndex(ConstraintItem::FixedSum);
  PatternGroup->SetVisible(false);
  PatternGroup->SetItemIndex(EmptySitesItem::Include);
  DegenerateGroup->SetItemIndex(DegenerateItem::Retain);
  if (IsRangeOverlap())
    RangeList->SetItemIndex(0);
  else
    IndexList->SetItemIndex(0);
  FixedFixedGroup->SetItemIndex(FixedFixedItem::SequentialSwap);
  SaveMatrixCheckBox->SetChecked(false);
  IterationsEdit->SetText("5000 ");
}

void TCoOccurrenceOpts::Run1Click(TObject*) {
  Zorvan->RunSim = true;
  Close();
}

void TCoOccurrenceOpts::Cancel1Click(TObject*) {
  Zorvan->RunSim = false;
  Close();
}

void TCoOccurrenceOpts::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TCoOccurrenceOpts::ResetDefaults1Click(TObject*) { ResetDefaults(); }

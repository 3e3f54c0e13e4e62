#include "analysis/macroecology/MacroecologyOptions.h"

#include "analysis/macroecology/MacroEcologyUDefined1.h"
#include "analysis/macroecology/MacroEcologyUDefined2.h"
#include "app/ZorvanMain.h"
#include "classlib/Bitmap.h"
#include "classlib/Picture.h"

TMacroecologyOpts* MacroecologyOpts = nullptr;

namespace {

TRadioGroup* NewRadioGroup(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption,
                           std::initializer_list<const char*> Items, int Left, int Top, int Width) {
  auto* group = New<TRadioGroup>(Owner);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->SetBounds(Left, Top, Width, 24 + 22 * static_cast<int>(Items.size()));
  for (const char* item : Items) group->Items()->Add(item);
  // The design selection, before any handler is connected.
  group->SetItemIndex(0);
  group->SetParent(Parent);
  return group;
}

// The small pictures beside the shape and corner items: the axes' frame and, shaded, the
// region the item counts in. They take no clicks.
constexpr int kPictureWidth = 36, kPictureHeight = 20;

TImage* NewPicture(TComponent* Owner, TWinControl* Parent, const String& Name, int Left, int Top,
                   const std::vector<TPoint>& Region) {
  auto* image = New<TImage>(Owner);
  image->SetName(Name);
  image->SetBounds(Left, Top, kPictureWidth, kPictureHeight);
  TBitmap* bitmap = image->Picture()->Bitmap();
  bitmap->SetSize(kPictureWidth, kPictureHeight);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, kPictureWidth, kPictureHeight));
  canvas->Pen()->SetColor(clBlack);
  canvas->Brush()->SetColor(clSilver);
  canvas->Polygon(Region);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Rectangle(0, 0, kPictureWidth, kPictureHeight);
  image->SetParent(Parent);
  return image;
}

// Beside the items of Group, one picture per item, centred on the item's row.
void AddPictures(TComponent* Owner, TWinControl* Parent, TRadioGroup* Group, const char* const Names[4],
                 const std::vector<TPoint> Regions[4]) {
  for (int i = 0; i < 4; ++i)
    NewPicture(Owner, Parent, Names[i], Group->Left() + Group->Width() + 8,
               Group->Top() + 25 + 23 * i - kPictureHeight / 2, Regions[i]);
}

template <class E>
E Item(const TRadioGroup* Group) {
  return static_cast<E>(Group->ItemIndex() < 0 ? 0 : Group->ItemIndex());
}

}  // namespace

TMacroecologyOpts::TMacroecologyOpts(TComponent* AOwner)
    : TColumnPairOpts(AOwner, {"MacroecologyOpts", "Zorvan Professional: Macroecology Options", "XvariableList",
                               "&X variable:", "YvariableList", "&Y variable:"}) {
  SetBounds(0, 0, 600, 430);
  SymmetryGroup = NewRadioGroup(this, PreferencesSheet, "SymmetryGroup", "Da&ta distribution",
                                {"symmetric", "asymmetric"}, 16, 100, 250);
  ConstraintsGroup = NewRadioGroup(this, PreferencesSheet, "ConstraintsGroup", "Co&nstraints",
                                   {"data-defined", "user-defined (uniform)", "user-defined (normal)"}, 16, 180, 250);
  EditButton = New<TButton>(this);
  EditButton->SetName("EditButton");
  EditButton->SetCaption("&Edit");
  EditButton->SetBounds(16, 278, 80, 26);
  EditButton->SetVisible(false);
  EditButton->OnClick = [this](TObject* s) { EditButtonClick(s); };
  EditButton->SetParent(PreferencesSheet);
  PatternGroup = NewRadioGroup(this, PreferencesSheet, "PatternGroup", "&Shapes",
                               {"left triangle", "right triangle", "pyramid", "inverted pyramid"}, 280, 100, 250);
  BoundaryGroup = NewRadioGroup(this, PreferencesSheet, "BoundaryGroup", "&Boundary test",
                                {"upper right", "upper left", "lower right", "lower left"}, 280, 220, 250);
  ConstraintsGroup->OnClick = [this](TObject* s) { ConstraintsGroupClick(s); };
  constexpr int w = kPictureWidth - 1, h = kPictureHeight - 1;
  const char* const shapeNames[4] = {"LeftTriangleImage", "RightTriangleImage", "PyramidImage",
                                     "InvertedPyramidImage"};
  const std::vector<TPoint> shapes[4] = {{{0, 0}, {w, h}, {0, h}},
                                         {{0, h}, {w, 0}, {w, h}},
                                         {{0, h}, {w / 2, 0}, {w, h}},
                                         {{0, 0}, {w / 2, h}, {w, 0}}};
  AddPictures(this, PreferencesSheet, PatternGroup, shapeNames, shapes);
  const char* const cornerNames[4] = {"UpperRightImage", "UpperLeftImage", "LowerRightImage", "LowerLeftImage"};
  const std::vector<TPoint> corners[4] = {{{w / 2, 0}, {w, 0}, {w, h / 2}},
                                          {{0, h / 2}, {0, 0}, {w / 2, 0}},
                                          {{w / 2, h}, {w, h}, {w, h / 2}},
                                          {{0, h / 2}, {0, h}, {w / 2, h}}};
  AddPictures(this, PreferencesSheet, BoundaryGroup, cornerNames, corners);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  ResetDefaults1->OnClick = [this](TObject*) { resetDefaults(); };
}

void TMacroecologyOpts::FormCreate(TObject* Sender) {
  TColumnPairOpts::FormCreate(Sender);
  Current_Pattern = 0;
  Current_Symmetry = 0;
  Current_Constraint = 0;
  Current_Boundary = 0;
}

void TMacroecologyOpts::FormShow(TObject* Sender) {
  TColumnPairOpts::FormShow(Sender);
  if (FirstList->Items()->Count() < 2) return;  // refused and closed
  PatternGroup->SetItemIndex(Current_Pattern);
  BoundaryGroup->SetItemIndex(Current_Boundary);
  SymmetryGroup->SetItemIndex(Current_Symmetry);
  ConstraintsGroup->SetItemIndex(Current_Constraint);
}

void TMacroecologyOpts::FormClose(TObject* Sender, TCloseAction& Action) {
  TColumnPairOpts::FormClose(Sender, Action);
  Current_Pattern = PatternGroup->ItemIndex();
  Current_Symmetry = SymmetryGroup->ItemIndex();
  Current_Constraint = ConstraintsGroup->ItemIndex();
  Current_Boundary = BoundaryGroup->ItemIndex();
}

void TMacroecologyOpts::resetDefaults() {
  ResetDefaults();
  PatternGroup->SetItemIndex(0);
  SymmetryGroup->SetItemIndex(0);
  ConstraintsGroup->SetItemIndex(0);  // hides "&Edit" through its click
  BoundaryGroup->SetItemIndex(0);
}

void TMacroecologyOpts::ConstraintsGroupClick(TObject*) {
  switch (ConstraintsGroup->ItemIndex()) {
    case 1:
      MacroEcologyUD1->ShowModal();
      EditButton->SetVisible(true);
      break;
    case 2:
      MacroEcologyUD2->ShowModal();
      EditButton->SetVisible(true);
      break;
    default:
      EditButton->SetVisible(false);
      break;
  }
}

void TMacroecologyOpts::EditButtonClick(TObject* Sender) { ConstraintsGroupClick(Sender); }

TPatternChoice TMacroecologyOpts::Choice() const {
  return {Item<TDataDistribution>(SymmetryGroup), Item<TShape>(PatternGroup), Item<TBoundary>(BoundaryGroup)};
}

TConstraint TMacroecologyOpts::Constraint() const { return Item<TConstraint>(ConstraintsGroup); }

bool TMacroecologyOpts::ColumnsFit() const {
  const Integer columns = Zorvan->MainGrid->ColCount() - 1;
  const Integer x = XvariableList->ItemIndex(), y = YvariableList->ItemIndex();
  return x >= 0 && y >= 0 && x < columns && y < columns;
}

Integer TMacroecologyOpts::XColumn() const { return ColumnsFit() ? XvariableList->ItemIndex() + 1 : 1; }

Integer TMacroecologyOpts::YColumn() const { return ColumnsFit() ? YvariableList->ItemIndex() + 1 : 2; }

String TMacroecologyOpts::XTitle() const { return Zorvan->MainGrid->Cells(XColumn(), 0); }

String TMacroecologyOpts::YTitle() const { return Zorvan->MainGrid->Cells(YColumn(), 0); }

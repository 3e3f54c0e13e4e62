// The tab set: layout, painting and selection of tabs.
#include "classlib/TabSet.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"

namespace {
constexpr int kStartMargin = 9;   // room before the first tab
constexpr int kTextMargin = 10;   // room on each side of a caption
constexpr int kSlant = 4;         // the slanted sides of a tab
}  // namespace

TTabSet::TTabSet(TComponent* AOwner) : TCustomControl(AOwner), FTabs(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, 21);
  FTabs->OnChange = [this](TObject* Sender) { TabsChanged(Sender); };
}

TTabSet::~TTabSet() { FTabs->OnChange = nullptr; }

void TTabSet::TabsChanged(TObject*) {
  if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
  Invalidate();
}

void TTabSet::SetTabIndex(int Value) {
  if (Value < -1 || Value >= FTabs->Count() || Value == FTabIndex) return;
  bool allow = true;
  if (OnChange) OnChange(this, Value, allow);
  if (!allow) return;
  FTabIndex = Value;
  Invalidate();
}

void TTabSet::SetSelectedColor(TColor Value) {
  FSelectedColor = Value;
  Invalidate();
}

void TTabSet::SetUnselectedColor(TColor Value) {
  FUnselectedColor = Value;
  Invalidate();
}

void TTabSet::SetDitherBackground(bool Value) {
  FDitherBackground = Value;
  Invalidate();
}

void TTabSet::SetBackgroundColor(TColor Value) {
  FBackgroundColor = Value;
  Invalidate();
}

std::vector<TRect> TTabSet::TabRects() {
  std::vector<TRect> rects;
  // Outside painting the control has no canvas; captions are measured on a scratch one.
  TBitmap scratch(1, 1);
  TCanvas* canvas = Canvas() != nullptr ? Canvas() : scratch.Canvas();
  canvas->SetFont(Font());
  int x = kStartMargin;
  for (int i = 0; i < FTabs->Count(); ++i) {
    int w = canvas->TextWidth(FTabs->Strings(i)) + 2 * kTextMargin;
    rects.push_back(TRect{x, 0, x + w, Height() - 1});
    x += w - kSlant;  // neighbouring tabs share their slanted sides
  }
  return rects;
}

TRect TTabSet::ItemRect(int Index) {
  std::vector<TRect> rects = TabRects();
  if (Index < 0 || Index >= static_cast<int>(rects.size())) return TRect{};
  return rects[static_cast<size_t>(Index)];
}

int TTabSet::ItemAtPos(TPoint Pos) {
  std::vector<TRect> rects = TabRects();
  // The selected tab lies over its neighbours' shared edges.
  if (FTabIndex >= 0 && FTabIndex < static_cast<int>(rects.size()) &&
      rects[static_cast<size_t>(FTabIndex)].Contains(Pos))
    return FTabIndex;
  for (int i = 0; i < static_cast<int>(rects.size()); ++i)
    if (rects[static_cast<size_t>(i)].Contains(Pos)) return i;
  return -1;
}

void TTabSet::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    int tab = ItemAtPos(TPoint{X, Y});
    if (tab >= 0) SetTabIndex(tab);
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TTabSet::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FBackgroundColor);
  canvas->FillRect(TRect{0, 0, Width(), Height()});
  if (FDitherBackground) {
    canvas->Brush()->SetColor(clWindow);
    canvas->Brush()->SetStyle(bsDiagCross);
    canvas->FillRect(TRect{0, 0, Width(), Height()});
    canvas->Brush()->SetStyle(bsSolid);
  }
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->Pen()->SetWidth(1);
  canvas->MoveTo(0, 0);
  canvas->LineTo(Width(), 0);
  std::vector<TRect> rects = TabRects();
  auto drawTab = [&](int i) {
    const TRect& r = rects[static_cast<size_t>(i)];
    bool selected = i == FTabIndex;
    canvas->Brush()->SetColor(selected ? FSelectedColor : FUnselectedColor);
    canvas->Pen()->SetColor(clWindowText);
    int top = selected ? 0 : 1;
    int slant = SoftTop ? kSlant / 2 : kSlant;
    canvas->Polygon({TPoint{r.Left, top}, TPoint{r.Left + slant, r.Bottom}, TPoint{r.Right - slant, r.Bottom},
                     TPoint{r.Right, top}});
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(*Font());
    TRect text = r;
    canvas->DrawText(FTabs->Strings(i), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    canvas->Brush()->SetStyle(bsSolid);
  };
  for (int i = 0; i < static_cast<int>(rects.size()); ++i)
    if (i != FTabIndex) drawTab(i);
  if (FTabIndex >= 0 && FTabIndex < static_cast<int>(rects.size())) drawTab(FTabIndex);
}

// Controls follow their parent's size as their alignment and anchors say, through every level
// of containers, both when the parent grows and when it shrinks.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

// Rectangles in failure messages as "(left,top widthxheight)".
void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << "," << r.Top << " " << r.Width() << "x" << r.Height() << ")";
}

namespace {

struct LayoutCase {
  const char* name;
  TAlign align;
  TAnchors anchors;  // used when align is alNone
  TRect grown;       // the child's bounds with the parent's client area at 300 x 160
  TRect shrunk;      // ... at 120 x 60
};

// The parent's client area is 200 x 100 at design; the child sits at (20, 10), 60 x 30, so it is
// 120 from the right edge and 60 from the bottom.
const LayoutCase kCases[] = {
    {"left top (default)", alNone, {akLeft, akTop}, Bounds(20, 10, 60, 30), Bounds(20, 10, 60, 30)},
    {"right top", alNone, {akRight, akTop}, Bounds(120, 10, 60, 30), Bounds(-60, 10, 60, 30)},
    {"left right top", alNone, {akLeft, akRight, akTop}, Bounds(20, 10, 160, 30), Bounds(20, 10, 0, 30)},
    {"left bottom", alNone, {akLeft, akBottom}, Bounds(20, 70, 60, 30), Bounds(20, -30, 60, 30)},
    {"left top bottom", alNone, {akLeft, akTop, akBottom}, Bounds(20, 10, 60, 90), Bounds(20, 10, 60, 0)},
    {"right bottom", alNone, {akRight, akBottom}, Bounds(120, 70, 60, 30), Bounds(-60, -30, 60, 30)},
    {"all four", alNone, {akLeft, akTop, akRight, akBottom}, Bounds(20, 10, 160, 90), Bounds(20, 10, 0, 0)},
    // Neither edge of an axis: the centre keeps its proportion of the parent.
    {"none", alNone, {}, Bounds(45, 25, 60, 30), Bounds(0, 0, 60, 30)},
    {"alTop", alTop, {}, Bounds(0, 0, 300, 30), Bounds(0, 0, 120, 30)},
    {"alBottom", alBottom, {}, Bounds(0, 130, 300, 30), Bounds(0, 30, 120, 30)},
    {"alLeft", alLeft, {}, Bounds(0, 0, 60, 160), Bounds(0, 0, 60, 60)},
    {"alRight", alRight, {}, Bounds(240, 0, 60, 160), Bounds(60, 0, 60, 60)},
    {"alClient", alClient, {}, Bounds(0, 0, 300, 160), Bounds(0, 0, 120, 60)},
};

TEST(Alignment, ChildrenFollowTheirParentGrownAndShrunkAndComeBackToTheDesign) {
  for (const LayoutCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TPanel parent(nullptr);
    parent.SetBounds(0, 0, 200, 100);
    TButton child(nullptr);
    child.SetBounds(20, 10, 60, 30);
    if (c.align == alNone) child.SetAnchors(c.anchors); else child.SetAlign(c.align);
    child.SetParent(&parent);
    TRect design = child.BoundsRect();

    parent.SetBounds(0, 0, 300, 160);
    EXPECT_EQ(child.BoundsRect(), c.grown);
    parent.SetBounds(0, 0, 120, 60);
    EXPECT_EQ(child.BoundsRect(), c.shrunk);
    // A size clipped to nothing comes back whole.
    parent.SetBounds(0, 0, 200, 100);
    EXPECT_EQ(child.BoundsRect(), design);
  }
}

TEST(Alignment, DistancesAreTakenAgainWhenCodeMovesTheControlOrChangesItsAnchors) {
  TPanel parent(nullptr);
  parent.SetBounds(0, 0, 200, 100);
  TButton child(nullptr);
  child.SetBounds(20, 10, 60, 30);
  child.SetAnchors({akRight, akTop});
  child.SetParent(&parent);

  parent.SetWidth(300);
  EXPECT_EQ(child.Left(), 120);
  // Moved by code in the wider parent: now 40 from its right edge.
  child.SetLeft(200);
  parent.SetWidth(200);
  EXPECT_EQ(child.Left(), 100);

  // New anchors keep the layout of that moment: both edges, so it stretches from here.
  child.SetAnchors({akLeft, akRight, akTop});
  parent.SetWidth(250);
  EXPECT_EQ(child.BoundsRect(), Bounds(100, 10, 110, 30));
}

// A form built as the program builds its windows: a menu, an aligned page control whose tab
// sheets hold a grid-like client child and a framed group with an anchored memo, and a
// bottom-anchored button beside the pages.
struct Window : TForm {
  explicit Window(TComponent* owner) : TForm(owner) {
    SetBounds(0, 0, 400, 300);
    Bottom = New<TPanel>(this);
    Bottom->SetHeight(40);
    Bottom->SetAlign(alBottom);
    Bottom->SetParent(this);
    Ok = New<TButton>(this);
    Ok->SetBounds(300, 8, 80, 25);
    Ok->SetAnchors({akRight, akTop});
    Ok->SetParent(Bottom);
    Pages = New<TPageControl>(this);
    Pages->SetAlign(alClient);
    Pages->SetParent(this);
    First = New<TTabSheet>(this);
    First->SetPageControl(Pages);
    Filler = New<TMemo>(this);
    Filler->SetAlign(alClient);
    Filler->SetParent(First);
    Second = New<TTabSheet>(this);
    Second->SetPageControl(Pages);
    Group = New<TGroupBox>(this);
    Group->SetBounds(8, 8, 300, 150);
    Group->SetAnchors({akLeft, akTop, akRight, akBottom});
    Group->SetParent(Second);
    Inner = New<TMemo>(this);
    Inner->SetAlign(alClient);
    Inner->SetParent(Group);
    Menu1 = New<TMainMenu>(this);
    Menu1->Items()->AddItem("&File");
    SetMenu(Menu1);
  }
  TPanel* Bottom;
  TButton* Ok;
  TPageControl* Pages;
  TTabSheet *First, *Second;
  TMemo *Filler, *Inner;
  TGroupBox* Group;
  TMainMenu* Menu1;
};

TEST(Alignment, AFormsResizeReachesEveryLevelAndEveryPage) {
  auto form = std::unique_ptr<Window>(New<Window>(nullptr));
  // The menu bar takes its height from the client area.
  ASSERT_EQ(form->ClientHeight(), 278);
  EXPECT_EQ(form->Pages->BoundsRect(), Bounds(0, 0, 400, 238));
  TRect groupDesign = form->Group->BoundsRect();
  TRect sheetDesign = form->Second->BoundsRect();

  struct Size {
    int width, height;
  };
  for (Size s : {Size{700, 500}, Size{250, 200}}) {
    SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
    form->SetBounds(form->Left(), form->Top(), s.width, s.height);
    int clientHeight = s.height - 22;
    EXPECT_EQ(form->Bottom->BoundsRect(), Bounds(0, clientHeight - 40, s.width, 40));
    EXPECT_EQ(form->Ok->Left(), s.width - 100);
    EXPECT_EQ(form->Pages->BoundsRect(), Bounds(0, 0, s.width, clientHeight - 40));
    // Every page fills the display area, the hidden one too, and its children follow.
    TRect display = form->Pages->DisplayRect();
    for (TTabSheet* page : {form->First, form->Second}) EXPECT_EQ(page->BoundsRect(), display);
    EXPECT_FALSE(form->Second->Visible());
    EXPECT_EQ(form->Filler->BoundsRect(), Bounds(0, 0, display.Width(), display.Height()));
    int dw = display.Width() - sheetDesign.Width(), dh = display.Height() - sheetDesign.Height();
    EXPECT_EQ(form->Group->BoundsRect(),
              Bounds(8, 8, std::max(0, groupDesign.Width() + dw), std::max(0, groupDesign.Height() + dh)));
    // The group's memo stays inside its frame and below its caption.
    TRect inner = form->Group->ClientRect();
    form->Group->AdjustClientRect(inner);
    EXPECT_EQ(form->Inner->BoundsRect(), inner);
  }
}

}  // namespace

// The main window's grid under the real window system with the editors that open windows of
// their own: an HTML combo control in a cell, and an editor link on its pop-up form.
#include <gtest/gtest.h>

#include "app/ZorvanMain.h"
#include "classlib/PopupForms.h"
#include "grid/base/HTMLEngine.h"
#include "grid/editing/GridEditLink.h"
#include "grid/interaction/GridCellControlEditors.h"
#include "grid/model/RivErodovOzar.h"
#include "support/RealMouse.h"
#include "support/RealWindowFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class TRealControlGrid : public TRivErodovOzar {
 public:
  using TRivErodovOzar::HitHTMLCell;
};

class TRealTextLink : public TEditLink {
 public:
  using TEditLink::TEditLink;
  TWinControl* GetEditControl() override { return Edit; }
  void CreateEditor(TWinControl* AParent) override {
    if (Edit == nullptr) {
      Edit = New<TEdit>(this);
      Edit->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { EditKeyDown(Sender, Key, Shift); };
      Edit->OnExit = [this](TObject* Sender) { FormExit(Sender); };
    }
    Edit->SetParent(AParent);
  }
  String GetEditorValue() override { return Edit != nullptr ? Edit->Text() : String(); }
  void SetEditorValue(const String& s) override {
    if (Edit != nullptr) Edit->SetText(s);
  }
  TEdit* Edit = nullptr;
};

class RealCellEditors : public RealWindowTest {
 protected:
  void SetUp() override {
    RealWindowTest::SetUp();
    grid = Zorvan->MainGrid;
    grid->SetRowCount(20);
    grid->SetColCount(8);
    savedEditorType = grid->OnGetEditorType;
    Settle();
  }
  void TearDown() override {
    grid->OnGetEditorType = savedEditorType;
    grid->OnControlComboList = nullptr;
    grid->SetEditLink(nullptr);
    RealWindowTest::TearDown();
  }
  TPoint Mid(int ACol, int ARow) {
    const TRect r = grid->CellRect(ACol, ARow);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TRivErodovOzar* grid = nullptr;
  TGetEditorTypeEvent savedEditorType;
};

TEST_F(RealCellEditors, AComboControlOpensOverTheCellAndItsChoiceLandsInTheCell) {
  grid->SetRowHeights(2, 36);
  grid->SetColWidths(2, 160);
  grid->SetCells(2, 2, "Fruit <CONTROL TYPE=\"COMBO\" ID=\"f\" WIDTH=\"90\" VALUE=\"pear\">");
  grid->OnControlComboList = [](TObject*, int, int, const String&, const String&, const String&, TStrings* Values, bool& Edit,
                                int&) {
    Values->Add("apple");
    Values->Add("pear");
    Values->Add("plum");
    Edit = false;
  };
  Settle();
  THTMLRenderResult hit;
  const auto hitTest = &TRealControlGrid::HitHTMLCell;
  ASSERT_TRUE((grid->*hitTest)(2, 2, -1, -1, "f", hit));
  ClickAt(grid, (hit.ControlRect.Left + hit.ControlRect.Right) / 2, (hit.ControlRect.Top + hit.ControlRect.Bottom) / 2);
  TControlCombo* combo = grid->ControlCombo();
  ASSERT_NE(combo, nullptr);
  ASSERT_TRUE(WaitFor([&] { return ControlOnScreen(combo); }));
  EXPECT_EQ(combo->Text(), "pear");
  Key(combo, VK_ESCAPE);  // closes the list the press opened
  Key(combo, VK_DOWN);
  Settle();
  EXPECT_EQ(combo->ItemIndex(), 2);
  const TPoint other = Mid(4, 5);
  ClickAt(grid, other.X, other.Y);
  ASSERT_TRUE(WaitFor([&] { return !ControlOnScreen(combo); }));
  EXPECT_FALSE(grid->ControlEditing());
  EXPECT_NE(grid->Cells(2, 2).find("VALUE=\"plum\""), String::npos) << grid->Cells(2, 2);
  ExpectMainWindowUsable();
}

TEST_F(RealCellEditors, AnEditorLinkOnItsPopupFormTakesTypingAndClosesOnAClickOutside) {
  auto* link = New<TRealTextLink>(Zorvan);
  link->EditStyle = esPopup;
  link->PopupWidth = 150;
  link->PopupHeight = 40;
  grid->SetEditLink(link);
  grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
    if (ACol == 3) AEditor = edCustom;
  };
  grid->SetCells(3, 3, "7");
  const TPoint cell = Mid(3, 3);
  ClickAt(grid, cell.X, cell.Y);
  Key(grid, VK_F2);
  TPopupForm* form = link->PopupForm();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitFor([&] { return IsOnScreen(form); }));
  EXPECT_TRUE(WaitFor([&] { return HasFocus(link->Edit); }));
  EXPECT_EQ(link->Edit->Text(), "7");
  link->Edit->SelectAll();
  Type(link->Edit, "42");
  const TPoint other = Mid(5, 6);
  ClickAt(grid, other.X, other.Y);
  ASSERT_TRUE(WaitFor([&] { return !IsOnScreen(form); }));
  EXPECT_EQ(grid->Cells(3, 3), "42");

  // The next edit shows the same form again.
  ClickAt(grid, cell.X, cell.Y);
  Key(grid, VK_F2);
  ASSERT_TRUE(WaitFor([&] { return IsOnScreen(form); }));
  EXPECT_EQ(link->PopupForm(), form);
  Key(link->Edit, VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsOnScreen(form); }));
  EXPECT_EQ(grid->Cells(3, 3), "42");
  ExpectMainWindowUsable();
}

}  // namespace

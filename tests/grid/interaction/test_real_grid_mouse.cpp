// The main window's grid under the real window system, worked with the mouse as a person
// does: dragging a range, Shift+click, sizing a column by its border, the double click on a
// border, the wheel and Ctrl+wheel, a check box in a cell, links, the middle-button pan.
#include <gtest/gtest.h>

#include "app/ZorvanMain.h"
#include "classlib/Clipbrd.h"
#include "classlib/Menus.h"
#include "grid/interaction/GridInteractionTypes.h"
#include "grid/model/RivErodovOzar.h"
#include "support/RealMouse.h"
#include "support/RealWindowFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class RealGridMouse : public RealWindowTest {
 protected:
  void SetUp() override {
    RealWindowTest::SetUp();
    grid = Zorvan->MainGrid;
    grid->SetRowCount(60);
    grid->SetColCount(12);
    Settle();
  }
  void TearDown() override {
    Application->Hooks.Shell = nullptr;
    Application->Hooks.ShellRequests.clear();
    RealWindowTest::TearDown();
  }
  TPoint Mid(int ACol, int ARow) {
    const TRect r = grid->CellRect(ACol, ARow);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TRivErodovOzar* grid = nullptr;
};

TEST_F(RealGridMouse, DraggingSelectsARangeAndShiftClickExtendsIt) {
  // The program's grid edits; a grid that only selects drags ranges.
  grid->SetOptions(grid->Options() - goEditing);
  const TPoint a = Mid(2, 2);
  const TPoint b = Mid(4, 5);
  Drag(grid, a.X, a.Y, b.X, b.Y);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 4, 5}));
  const TPoint c = Mid(6, 7);
  ClickAt(grid, c.X, c.Y, TShiftState{ssShift});
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 6, 7}));
  grid->SetOptions(grid->Options() + goEditing);
  ExpectMainWindowUsable();
}

// The editing grid with the selection resizer: dragging the handle at the selection's
// bottom-right corner repeats the selected cells over the new area, and the user's clipboard
// keeps what it had.
TEST_F(RealGridMouse, DraggingTheSelectionResizerRepeatsTheCellsAndLeavesTheClipboard) {
  grid->SelectionRectangle = true;
  grid->SelectionResizer = true;
  const char* pattern[2][2] = {{"a", "b"}, {"c", "d"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) grid->SetCells(2 + c, 2 + r, pattern[r][c]);
  grid->SetSelection(TGridRect{2, 2, 3, 3});
  Settle();
  Clipboard()->SetAsText("kept");
  const TRect corner = grid->CellRect(3, 3);
  const TPoint to = Mid(6, 5);
  Drag(grid, corner.Right - 3, corner.Bottom - 3, to.X, to.Y);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 6, 5}));
  for (int r = 2; r <= 5; ++r)
    for (int c = 2; c <= 6; ++c) EXPECT_EQ(grid->Cells(c, r), pattern[(r - 2) % 2][(c - 2) % 2]) << c << "," << r;
  EXPECT_EQ(Clipboard()->AsText(), "kept");
  grid->SelectionResizer = false;
  grid->SelectionRectangle = false;
  ExpectMainWindowUsable();
}

TEST_F(RealGridMouse, AColumnBorderDragResizesItAndTheOthersWhereAsked) {
  grid->SetOptions(grid->Options() + goColSizing);
  grid->MouseActions()->AllColumnSize = true;
  for (int c = 0; c < grid->ColCount(); ++c) grid->SetColWidths(c, 50);
  Settle();
  TRect r = grid->CellRect(2, 0);
  const int y = (r.Top + r.Bottom) / 2;
  MoveMouse(grid, r.Right, y);
  EXPECT_EQ(grid->ShownCursor(), crHSplit);
  Drag(grid, r.Right, y, r.Left + 100, y);
  EXPECT_EQ(grid->ColWidths(2), 100);
  EXPECT_EQ(grid->ColWidths(5), 100);
  EXPECT_EQ(grid->ColWidths(0), 50);

  grid->MouseActions()->AllColumnSize = false;
  grid->SetCells(3, 4, "a text much wider than fifty pixels");
  r = grid->CellRect(4, 0);
  DoubleClickAt(grid, r.Left + 1, y);
  EXPECT_GT(grid->ColWidths(3), 150);
  EXPECT_EQ(grid->ColWidths(4), 100);
  grid->SetOptions(grid->Options() - goColSizing);
  ExpectMainWindowUsable();
}

TEST_F(RealGridMouse, TheWheelMovesThreeRowsAndCtrlWheelZooms) {
  const TPoint p = Mid(2, 3);
  ClickAt(grid, p.X, p.Y);
  ASSERT_EQ(grid->Row(), 3);
  Wheel(grid, p.X, p.Y, -1);
  EXPECT_EQ(grid->Row(), 6);
  Wheel(grid, p.X, p.Y, -2);
  EXPECT_EQ(grid->Row(), 12);
  Wheel(grid, p.X, p.Y, 1);
  EXPECT_EQ(grid->Row(), 9);
  const int height = grid->RowHeights(9);
  Wheel(grid, p.X, p.Y, -1, TShiftState{ssCtrl});
  EXPECT_EQ(grid->ZoomFactor(), 3);
  EXPECT_EQ(grid->Row(), 9);
  EXPECT_NE(grid->RowHeights(9), height);
  Wheel(grid, p.X, p.Y, 1, TShiftState{ssCtrl});
  EXPECT_EQ(grid->ZoomFactor(), 0);
  ExpectMainWindowUsable();
}

TEST_F(RealGridMouse, ACheckBoxClickTogglesItAndLinksOpenOnlyWebAddresses) {
  grid->AddCheckBox(2, 2, false, false);
  Settle();
  const TRect r = grid->CellRect(2, 2);
  ClickAt(grid, r.Left + 4 + grid->ControlLook()->CheckSize() / 2, (r.Top + r.Bottom) / 2);
  EXPECT_TRUE(grid->IsChecked(2, 2));
  ClickAt(grid, r.Left + 4 + grid->ControlLook()->CheckSize() / 2, (r.Top + r.Bottom) / 2);
  EXPECT_FALSE(grid->IsChecked(2, 2));

  Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  grid->SetURLShow(true);
  grid->SetCells(3, 3, "/etc/passwd://");
  grid->SetCells(4, 3, "https://example.org/");
  Settle();
  const TPoint file = Mid(3, 3);
  ClickAt(grid, file.X, file.Y);
  EXPECT_TRUE(Application->Hooks.ShellRequests.empty()) << "a file path is not opened";
  const TPoint web = Mid(4, 3);
  MoveMouse(grid, web.X, web.Y);
  EXPECT_EQ(grid->ShownCursor(), crLinkCursor);
  ClickAt(grid, web.X, web.Y);
  ASSERT_EQ(Application->Hooks.ShellRequests.size(), 1u);
  EXPECT_EQ(Application->Hooks.ShellRequests[0].File, "https://example.org/");
  ExpectMainWindowUsable();
}

TEST_F(RealGridMouse, TheMiddleButtonPansAndAClickEndsIt) {
  const TPoint p = Mid(2, 3);
  ClickAt(grid, p.X, p.Y);
  MiddleClickAt(grid, p.X, p.Y);
  ASSERT_TRUE(grid->WheelPanning());
  EXPECT_TRUE(ShowsPictureCursor(grid));
  MoveMouse(grid, p.X + 2, p.Y + 60);
  ASSERT_TRUE(WaitFor([&] { return grid->Row() >= 6; }));
  ClickAt(grid, p.X, p.Y + 60);
  EXPECT_FALSE(grid->WheelPanning());
  EXPECT_TRUE(Application->Hooks.Errors.empty()) << (Application->Hooks.Errors.empty() ? "" : Application->Hooks.Errors[0]);
  EXPECT_FALSE(AnyModalWindow());
  EXPECT_EQ(ActiveForm(), Zorvan);
  ExpectMainWindowUsable();
}

// A fixed cell's drop-down button pops its menu up under the real window system, and the
// chosen item runs.
TEST_F(RealGridMouse, AFixedCellDropDownButtonPopsUpItsMenu) {
  grid->HoverFixedCells = hfFixedRows;
  grid->ControlLook()->SetFixedDropDownButton(true);
  auto* menu = New<TPopupMenu>(Zorvan);
  int chosen = -1;
  menu->Items()->AddItem("Pick column", scNone, [&](TObject*) { chosen = static_cast<int>(menu->Tag); });
  grid->FixedDropDownMenu = menu;
  Settle();
  const TRect head = grid->CellRect(4, 0);
  MoveMouse(grid, head.Right - 8, head.Top + 5);
  ChoosePopupItem("Pick column");
  ClickAt(grid, head.Right - 8, head.Top + 5);
  ASSERT_TRUE(WaitFor([&] { return chosen >= 0; }));
  EXPECT_EQ(chosen, 4);
  grid->FixedDropDownMenu = nullptr;
  grid->ControlLook()->SetFixedDropDownButton(false);
  grid->HoverFixedCells = hfNone;
  delete menu;
  ExpectMainWindowUsable();
}

}  // namespace

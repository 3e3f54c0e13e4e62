// The grid's mouse layer: presses that are vetoed, toggle check boxes, follow links or select
// whole rows and columns; sizing a column by its border and the proportional resizing after
// it; the double click on a border; the cursors over the headers.
#include "InteractionFixture.h"

namespace {
class GridMousePresses : public InteractionGridTest {};
}  // namespace
#include "grid/interaction/GridInteractionTypes.h"

namespace {

// The middle of a cell.
TPoint Mid(TRivErodovOzar& g, int ACol, int ARow) {
  const TRect r = g.CellRect(ACol, ARow);
  return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

}  // namespace

TEST_F(GridMousePresses, AVetoedPressChangesNothing) {
  grid->OnCanClickCell = [](TObject*, int, int, bool& Allow) { Allow = false; };
  int clicks = 0;
  grid->OnClickCell = [&](TObject*, int, int) { ++clicks; };
  ClickCell(5, 6);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(clicks, 0);
  grid->OnCanClickCell = nullptr;
  ClickCell(5, 6);
  EXPECT_EQ(grid->Col(), 5);
  EXPECT_EQ(grid->Row(), 6);
  EXPECT_EQ(clicks, 1);
}

TEST_F(GridMousePresses, DragSelectsARangeAndShiftClickExtendsIt) {
  grid->SetOptions(grid->Options() + goRangeSelect);
  const TPoint a = Mid(*grid, 2, 3);
  const TPoint b = Mid(*grid, 4, 6);
  Down(a.X, a.Y);
  MoveTo(b.X, b.Y, true);
  Up(b.X, b.Y);
  EXPECT_EQ(Sel(), (TGridRect{2, 3, 4, 6}));
  ClickCell(5, 8, TShiftState{ssShift});
  EXPECT_EQ(Sel(), (TGridRect{2, 3, 5, 8}));
}

TEST_F(GridMousePresses, APressOnACheckBoxTogglesItOnceAndMakesItsCellCurrent) {
  grid->SetOptions(grid->Options() + goEditing);
  grid->AddCheckBox(4, 5, false, false);
  int clicks = 0;
  grid->OnCheckBoxClick = [&](TObject*, int ACol, int ARow, bool State) {
    ++clicks;
    EXPECT_EQ(ACol, 4);
    EXPECT_EQ(ARow, 5);
    EXPECT_TRUE(State);
  };
  ClickCell(4, 5);
  EXPECT_TRUE(grid->IsChecked(4, 5));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 5);
  EXPECT_FALSE(grid->EditorMode());
  grid->SetOptions(grid->Options() - goEditing);
  ClickCell(4, 5);
  EXPECT_TRUE(grid->IsChecked(4, 5)) << "a grid that edits nothing does not toggle";
}

TEST_F(GridMousePresses, LinksGoToCellsOrOpenWebAndMailAddressesOnly) {
  grid->SetURLShow(true);
  Application->Hooks.Shell = [](const TShellRequest&) { return 42; };
  const struct {
    const char* text;
    bool opened;
  } cases[] = {{"http://example.org/a", true}, {"https://example.org/b", true},  {"mailto:a@example.org", true},
               {"file:///etc/passwd", false},  {"ftp://example.org/c", false},   {"/usr/bin/xterm://x", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Application->Hooks.ShellRequests.clear();
    grid->SetCells(6, 7, c.text);
    ClickCell(6, 7);
    ASSERT_EQ(Application->Hooks.ShellRequests.size(), c.opened ? 1u : 0u);
    if (c.opened) {
      EXPECT_EQ(Application->Hooks.ShellRequests[0].File, c.text);
    }
  }
  Application->Hooks.ShellRequests.clear();
  grid->SetCells(6, 7, "<a href=\"CELL://R3C5\">go</a>");
  const TRect r = grid->CellRect(6, 7);
  ClickAt(r.Left + grid->XYOffset.X + 4, r.Top + grid->XYOffset.Y + 6);
  EXPECT_EQ(grid->Col(), 5);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_TRUE(Application->Hooks.ShellRequests.empty());
  bool autoHandle = true;
  grid->OnAnchorClick = [&](TObject*, int, int, const String& Anchor, bool& AutoHandle) {
    EXPECT_EQ(Anchor, "CELL://R3C5");
    AutoHandle = autoHandle;
  };
  grid->FocusCell(1, 1);
  autoHandle = false;
  ClickAt(r.Left + grid->XYOffset.X + 4, r.Top + grid->XYOffset.Y + 6);
  EXPECT_EQ(grid->Col(), 1) << "the handler kept the link from being followed";
}

TEST_F(GridMousePresses, HeaderPressesSelectWholeColumnsAndRows) {
  grid->SetOptions(grid->Options() + goRangeSelect);
  grid->MouseActions()->ColSelect = true;
  grid->MouseActions()->RowSelect = true;
  const TPoint title = Mid(*grid, 3, 0);
  MoveTo(title.X, title.Y, false);
  EXPECT_EQ(grid->MouseSelectMode(), msColumn);
  EXPECT_EQ(grid->ShownCursor(), crColSelectCursor);
  ClickAt(title.X, title.Y);
  EXPECT_EQ(Sel(), (TGridRect{3, 1, 3, 39}));
  grid->SetTopRow(1);  // the selection took the view to its last row
  const TPoint rowHead = Mid(*grid, 0, 4);
  MoveTo(rowHead.X, rowHead.Y, false);
  EXPECT_EQ(grid->ShownCursor(), crRowSelectCursor);
  ClickAt(rowHead.X, rowHead.Y);
  EXPECT_EQ(Sel(), (TGridRect{1, 4, 7, 4}));
  ClickAt(Mid(*grid, 0, 6).X, Mid(*grid, 0, 6).Y, TShiftState{ssShift});
  EXPECT_EQ(Sel(), (TGridRect{1, 4, 7, 6}));
  // Near a border the column is sized, not selected.
  grid->SetOptions(grid->Options() + goColSizing);
  const TRect r = grid->CellRect(3, 0);
  MoveTo(r.Right - 1, title.Y, false);
  EXPECT_EQ(grid->MouseSelectMode(), msNormal);
  EXPECT_EQ(grid->ShownCursor(), crHSplit);
}

TEST_F(GridMousePresses, DraggingAColumnBorderSizesItAndReportsTheWidths) {
  grid->SetOptions(grid->Options() + goColSizing);
  grid->HintShowSizing = true;
  std::vector<int> sizing;
  grid->OnColumnSizing = [&](TObject*, int ACol, int W) {
    EXPECT_EQ(ACol, 2);
    sizing.push_back(W);
  };
  std::vector<int> ended;
  grid->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
  const TRect r = grid->CellRect(2, 0);
  const int y = (r.Top + r.Bottom) / 2;
  Down(r.Right, y);
  MoveTo(r.Right + 20, y, true);
  EXPECT_EQ(grid->SizingHint(), "cw=<b>" + IntToStr(grid->ColWidths(2)) + "</b>");
  MoveTo(r.Left + 100, y, true);
  Up(r.Left + 100, y);
  EXPECT_EQ(grid->ColWidths(2), 100);
  ASSERT_FALSE(sizing.empty());
  EXPECT_EQ(sizing.back(), 100);
  EXPECT_EQ(ended, std::vector<int>{2});
  EXPECT_EQ(grid->Col(), 2) << "sizing moves no cell";
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_TRUE(grid->SizingHint().empty());

  // An OnUpdateColumnSize handler has the last word.
  grid->OnColumnSizing = nullptr;
  grid->OnUpdateColumnSize = [](TObject*, int, int& W) { W = 80; };
  const TRect r3 = grid->CellRect(3, 0);
  Down(r3.Right, y);
  Up(r3.Right + 30, y);
  EXPECT_EQ(grid->ColWidths(3), 80);
}

TEST_F(GridMousePresses, WithAllColumnSizeTheOtherDataColumnsFollowTheDraggedOne) {
  grid->SetOptions(grid->Options() + goColSizing);
  grid->MouseActions()->AllColumnSize = true;
  for (int c = 0; c < grid->ColCount(); ++c) grid->SetColWidths(c, 50);
  const TRect r = grid->CellRect(3, 0);
  const int y = (r.Top + r.Bottom) / 2;
  Down(r.Right, y);
  Up(r.Left + 100, y);
  EXPECT_EQ(grid->ColWidths(3), 100);
  EXPECT_EQ(grid->ColWidths(0), 50) << "fixed columns keep theirs";
  for (int c = 1; c < grid->ColCount(); ++c) EXPECT_EQ(grid->ColWidths(c), 100) << c;
}

TEST_F(GridMousePresses, ADoubleClickOnATitleBorderAutosizesTheColumnLeftOfIt) {
  grid->SetOptions(grid->Options() + goColSizing);
  grid->SetCells(2, 5, "a much longer text than the column is wide");
  int dblClicks = 0;
  grid->OnDblClickCell = [&](TObject*, int, int) { ++dblClicks; };
  const int before = grid->ColWidths(2);
  const TRect r = grid->CellRect(3, 0);
  grid->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(r.Left + 1, (r.Top + r.Bottom) / 2));
  EXPECT_GT(grid->ColWidths(2), before + 100);
  EXPECT_EQ(dblClicks, 0);
  const TPoint m = Mid(*grid, 4, 4);
  grid->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(m.X, m.Y));
  EXPECT_EQ(dblClicks, 1);
}

TEST_F(GridMousePresses, ARightClickReportsTheCellAndSelectsOnlyWhenAsked) {
  std::vector<TPoint> clicked;
  grid->OnRightClickCell = [&](TObject*, int ARow, int ACol) { clicked.push_back(TPoint{ACol, ARow}); };
  const TPoint m = Mid(*grid, 5, 5);
  grid->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(m.X, m.Y));
  grid->Perform(WM_RBUTTONUP, 0, MakeLParam(m.X, m.Y));
  EXPECT_EQ(grid->Col(), 2);
  grid->MouseActions()->SelectOnRightClick = true;
  grid->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(m.X, m.Y));
  EXPECT_EQ(grid->Col(), 5);
  EXPECT_EQ(grid->Row(), 5);
  ASSERT_EQ(clicked.size(), 2u);
  EXPECT_EQ(clicked[0].X, 5);
  EXPECT_EQ(clicked[0].Y, 5);
}

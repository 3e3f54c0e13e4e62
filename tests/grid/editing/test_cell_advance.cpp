// Cell advance after Enter (along the row or down the column, appending at the end, skipping
// cells that may not be edited, the events that may redirect or refuse it) and the grid's key
// press: Enter on a read-only cell, Escape, the type-ahead search of a sorted grid.
#include "EditingFixture.h"

namespace {

using CellAdvance = EditingGridTest;

// Enter after a value: where the current cell goes (data cells 1..4 x 1..5).
TEST_F(CellAdvance, EnterAdvancesAlongTheConfiguredDirectionAndWraps) {
  struct Case {
    TAdvanceDirection direction;
    TGridCoord from;
    TGridCoord to;
  };
  const Case cases[] = {
      {adLeftRight, {1, 1}, {2, 1}},
      {adLeftRight, {4, 1}, {1, 2}},
      {adLeftRight, {4, 5}, {1, 1}},  // the last cell wraps to the top
      {adTopBottom, {2, 1}, {2, 2}},
      {adTopBottom, {2, 5}, {3, 1}},
      {adTopBottom, {4, 5}, {1, 1}},
  };
  grid->Navigation()->AdvanceOnEnter = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(IntToStr(c.from.X) + "," + IntToStr(c.from.Y));
    grid->Navigation()->SetAdvanceDirection(c.direction);
    GoTo(c.from.X, c.from.Y);
    Type("v");
    Press(VK_RETURN);
    EXPECT_EQ(grid->Cells(c.from.X, c.from.Y), "v");
    EXPECT_EQ(grid->Col(), c.to.X);
    EXPECT_EQ(grid->Row(), c.to.Y);
    // AdvanceAutoEdit opens the editor on the new cell.
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->Text(), grid->Cells(c.to.X, c.to.Y));
    Press(VK_ESCAPE);
  }
}

TEST_F(CellAdvance, BackwardsFromTheFirstDataCellWrapsToTheLastCell) {
  GoTo(1, 1);
  grid->AdvanceEdit(1, 1, false, false, false, false, true);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 5);
  grid->Navigation()->SetAdvanceDirection(adTopBottom);
  GoTo(1, 1);
  grid->AdvanceEdit(1, 1, false, false, false, false, true);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 5);
}

TEST_F(CellAdvance, AtTheEndAdvanceInsertAppendsOneRowUnlessOnCanAddRowRefuses) {
  grid->Navigation()->AdvanceOnEnter = true;
  grid->Navigation()->SetAdvanceInsert(true);
  std::vector<int> added;
  grid->OnAutoAddRow = [&](TObject*, int ARow) { added.push_back(ARow); };
  GoTo(4, 5);
  Type("end");
  Press(VK_RETURN);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 6);
  EXPECT_EQ(added, std::vector<int>{6});
  Press(VK_ESCAPE);

  grid->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
  GoTo(4, 6);
  Type("no");
  Press(VK_RETURN);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 6);
}

TEST_F(CellAdvance, ColumnsAreAppendedAtTheEndOfTopBottomAdvance) {
  grid->Navigation()->SetAdvanceDirection(adTopBottom);
  grid->Navigation()->SetAdvanceInsert(true);
  int inserted = -1;
  grid->OnAutoInsertCol = [&](TObject*, int ACol) { inserted = ACol; };
  GoTo(4, 5);
  grid->AdvanceEdit(4, 5, false, false, true, false, true);
  EXPECT_EQ(grid->ColCount(), 6);
  EXPECT_EQ(inserted, 5);
  EXPECT_EQ(grid->Col(), 5);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(CellAdvance, ReadOnlyCellsAreSkippedAndWithNoneEditableTheCellStays) {
  bool allReadOnly = false;
  grid->OnCanEditCell = [&](TObject*, int ARow, int ACol, bool& CanEdit) {
    CanEdit = !allReadOnly && !(ARow == 1 && (ACol == 2 || ACol == 3));
  };
  GoTo(1, 1);
  grid->AdvanceEdit(1, 1, false, false, true, false, true);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 1);
  allReadOnly = true;
  grid->Navigation()->SetAdvanceInsert(true);
  grid->AdvanceEdit(4, 1, false, false, true, false, true);  // ends, without hanging
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->RowCount(), 7);  // the one row the advance may append
}

TEST_F(CellAdvance, OnAutoAdvanceMayRedirectOrRefuseTheMove) {
  grid->Navigation()->AdvanceOnEnter = true;
  grid->Navigation()->AdvanceAutoEdit = false;
  grid->OnAutoAdvance = [](TObject*, int OldRow, int, int& NewRow, int& NewCol, bool& Allow) {
    if (OldRow == 1) {
      NewRow = 4;
      NewCol = 3;
    } else {
      Allow = false;
    }
  };
  GoTo(1, 1);
  Type("a");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_FALSE(EditorShown());
  GoTo(1, 2);
  Type("b");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->Cells(1, 2), "b");
}

TEST_F(CellAdvance, EnterOnAReadOnlyCellDoesNothing) {
  grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  std::vector<char> pressed;
  grid->OnKeyPress = [&](TObject*, char& Key) { pressed.push_back(Key); };
  GoTo(1, 1);
  Press(VK_RETURN);
  Type("x");
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->Cells(1, 1), "1:1");
}

TEST_F(CellAdvance, TypingInASortedGridWithoutEditingFindsTheRowAndTheTextExpires) {
  grid->SetOptions(grid->Options() - goEditing);
  grid->Navigation()->AutoGotoWhenSorted = true;
  grid->Navigation()->AutoGotoIncremental = true;
  const char* names[] = {"apple", "banana", "bean", "cherry", "date"};
  for (int r = 1; r <= 5; ++r) grid->SetCells(2, r, names[r - 1]);
  grid->SortSettings()->SetShow(true);
  grid->SortSettings()->Column = 2;
  GoTo(1, 1);
  Type("be");
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->IncrSearchText(), "be");
  Type("z");  // matches nothing: the search text starts again
  EXPECT_EQ(grid->IncrSearchText(), "");
  Type("c");
  EXPECT_EQ(grid->Row(), 4);
  // The grid timer's fourth tick after the last character clears the search text.
  Type("h");
  for (int tick = 1; tick <= 4; ++tick) {
    EXPECT_EQ(grid->IncrSearchText(), "ch") << tick;
    grid->Perform(WM_TIMER, TRivErodovOzar::GridTimerID, 0);
  }
  EXPECT_EQ(grid->IncrSearchText(), "");
}

}  // namespace

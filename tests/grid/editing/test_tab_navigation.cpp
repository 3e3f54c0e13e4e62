// Tab navigation of a grid that owns the Tab key: forwards and backwards through the cells that
// can take a tab stop, wrapping, skipping read-only cells, appending a row, handing the focus
// on at the end; and the inplace editor's Tab, which validates first.
#include "EditingFixture.h"

namespace {

class TabNavigation : public EditingGridTest {
 protected:
  void SetUp() override {
    EditingGridTest::SetUp();
    grid->SetOptions(grid->Options() + goTabs);
  }
  TGridCoord Cell() const { return {grid->Col(), grid->Row()}; }
};

TEST_F(TabNavigation, TabAndShiftTabWalkTheDataCellsAndWrapAtTheEnds) {
  GoTo(3, 1);
  Press(VK_TAB);
  EXPECT_EQ(Cell(), (TGridCoord{4, 1}));
  EXPECT_TRUE(EditorShown());  // the landing cell is clicked, which opens its editor
  Press(VK_TAB);
  EXPECT_EQ(Cell(), (TGridCoord{1, 2}));
  Press(VK_TAB, TShiftState{ssShift});
  EXPECT_EQ(Cell(), (TGridCoord{4, 1}));
  GoTo(4, 5);
  Press(VK_TAB);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Press(VK_TAB, TShiftState{ssShift});
  EXPECT_EQ(Cell(), (TGridCoord{4, 5}));
}

TEST_F(TabNavigation, TheEditorValidatesBeforeTabMovesOnAndARefusalKeepsIt) {
  grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) { Valid = Value != "no"; };
  GoTo(1, 1);
  Type("yes");
  Press(VK_TAB);
  EXPECT_EQ(grid->Cells(1, 1), "yes");
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));
  Type("no");
  Press(VK_TAB);
  EXPECT_EQ(Cell(), (TGridCoord{2, 1}));
  EXPECT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "no");
  EXPECT_EQ(grid->Cells(2, 1), "2:1");
}

TEST_F(TabNavigation, ReadOnlyCellsAreSkippedAndAllReadOnlyEndsOnTheLastDataRow) {
  bool allReadOnly = false;
  grid->OnCanEditCell = [&](TObject*, int ARow, int ACol, bool& CanEdit) {
    CanEdit = !allReadOnly && !(ARow == 1 && ACol >= 2);
  };
  GoTo(1, 1);
  grid->TabToNextCell(false);
  EXPECT_EQ(Cell(), (TGridCoord{1, 2}));
  grid->TabToNextCell(true);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));

  allReadOnly = true;
  grid->TabToNextCell(false);
  EXPECT_EQ(Cell(), (TGridCoord{1, 5}));
  GoTo(2, 5);
  grid->TabToNextCell(false);
  EXPECT_EQ(Cell(), (TGridCoord{2, 5}));
  // Directions that find no end of their own come back to where they began.
  grid->Navigation()->TabAdvanceDirection = adTopBottom;
  grid->TabToNextCell(false);
  EXPECT_EQ(Cell(), (TGridCoord{2, 5}));
  grid->TabToNextCell(true);
  EXPECT_EQ(Cell(), (TGridCoord{2, 5}));
}

TEST_F(TabNavigation, AtTheLastCellAdvanceInsertAddsARowUnlessRefused) {
  grid->Navigation()->SetAdvanceInsert(true);
  int added = -1;
  grid->OnAutoAddRow = [&](TObject*, int ARow) { added = ARow; };
  GoTo(4, 5);
  grid->TabToNextCell(false);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(Cell(), (TGridCoord{1, 6}));
  EXPECT_EQ(added, 6);
  grid->OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
  GoTo(4, 6);
  grid->TabToNextCell(false);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
}

TEST_F(TabNavigation, AnOnKeyDownThatChangesTheKeyStopsIt) {
  grid->OnKeyDown = [](TObject*, Word& Key, TShiftState) {
    if (Key == VK_TAB) Key = 0;
  };
  GoTo(2, 2);
  grid->TabToNextCell(false);
  EXPECT_EQ(Cell(), (TGridCoord{2, 2}));
}

TEST_F(TabNavigation, TabToNextAtEndHandsTheFocusOnAfterWrapping) {
  TEdit* next = New<TEdit>(form_.get());
  next->SetParent(form_.get());
  next->SetBounds(0, 380, 100, 20);
  grid->Navigation()->TabToNextAtEnd = true;
  grid->Navigation()->AdvanceAutoEdit = false;
  GoTo(4, 5);
  Press(VK_TAB);
  EXPECT_EQ(Cell(), (TGridCoord{1, 1}));
  Flush();
  EXPECT_EQ(Focus(), next);
}

TEST_F(TabNavigation, WithoutGoTabsTabLeavesTheGridAndTheEditIsKept) {
  grid->SetOptions(grid->Options() - goTabs);
  TEdit* next = New<TEdit>(form_.get());
  next->SetParent(form_.get());
  next->SetBounds(0, 380, 100, 20);
  GoTo(2, 3);
  Type("kept");
  Press(VK_TAB);
  EXPECT_EQ(Focus(), next);
  EXPECT_EQ(grid->Cells(2, 3), "kept");
  EXPECT_EQ(Cell(), (TGridCoord{2, 3}));
  EXPECT_FALSE(EditorShown());
}

// With nothing after the grid the Tab comes back to it: the edit still ends there, so the
// next key types over the cell instead of going on with the old text.
TEST_F(TabNavigation, WithoutGoTabsAndNoOtherControlTabEndsTheEditAndTheNextKeyTypesOver) {
  grid->SetOptions(grid->Options() - goTabs);
  GoTo(2, 3);
  Type("7");
  Press(VK_TAB);
  EXPECT_EQ(grid->Cells(2, 3), "7");
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(Focus(), grid);
  Type("3");
  Press(VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 3), "3");
  EXPECT_EQ(Cell(), (TGridCoord{2, 3}));
}

}  // namespace

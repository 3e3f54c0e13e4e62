// The selection resizer (its cells repeated over the dragged-out area, the user's clipboard
// left alone), drag scrolling on the grid's own timer, and the disjunct cell selection picked
// with clicks and Space.
#include "InteractionFixture.h"
#include "classlib/Clipbrd.h"

namespace {

class GridSelectionResizer : public InteractionGridTest {
 protected:
  void SetUp() override {
    InteractionGridTest::SetUp();
    grid->SetOptions(grid->Options() + goRangeSelect);
    grid->SelectionRectangle = true;
    grid->SelectionResizer = true;
    grid->SetSelection(TGridRect{2, 2, 3, 3});
    grid->OnSelectionResize = [this](TObject*, TGridRect Orig, TGridRect New) { events.push_back({Orig, New}); };
    grid->OnSelectionResized = [this](TObject*, TGridRect Orig, TGridRect New) { events.push_back({Orig, New}); };
  }
  // The middle of the handle at the bottom-right corner of the selection.
  TPoint Handle() {
    const TRect r = grid->CellRect(grid->Selection().Right, grid->Selection().Bottom);
    return TPoint{r.Right - 3, r.Bottom - 3};
  }
  std::vector<std::pair<TGridRect, TGridRect>> events;
};

TEST_F(GridSelectionResizer, DraggingTheHandleRepeatsTheCellsOverTheNewAreaAndLeavesTheClipboard) {
  for (bool editing : {false, true}) {
    SCOPED_TRACE(editing ? "editing grid" : "selecting grid");
    grid->SetOptions(editing ? grid->Options() + goEditing : grid->Options() - goEditing);
    for (int r = 0; r < grid->RowCount(); ++r)
      for (int c = 0; c < grid->ColCount(); ++c) grid->SetCells(c, r, IntToStr(c) + ":" + IntToStr(r));
    grid->SetSelection(TGridRect{2, 2, 3, 3});
    events.clear();
    Clipboard()->SetAsText("the user's");
    const TPoint h = Handle();
    MoveTo(h.X, h.Y, false);
    EXPECT_EQ(grid->MouseSelectMode(), msResize);
    Down(h.X, h.Y);
    const TRect target = grid->CellRect(6, 4);
    MoveTo(target.Left + 5, target.Top + 5, true);
    Up(target.Left + 5, target.Top + 5);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 6, 4}));
    const char* expected[3][5] = {{"2:2", "3:2", "2:2", "3:2", "2:2"},
                                  {"2:3", "3:3", "2:3", "3:3", "2:3"},
                                  {"2:2", "3:2", "2:2", "3:2", "2:2"}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 5; ++c) EXPECT_EQ(grid->Cells(2 + c, 2 + r), expected[r][c]) << c << "," << r;
    EXPECT_EQ(grid->Cells(7, 4), "7:4");  // outside the new area nothing changed
    EXPECT_EQ(grid->Cells(2, 5), "2:5");
    ASSERT_EQ(events.size(), 2u);
    for (const auto& e : events) {
      EXPECT_EQ(e.first, (TGridRect{2, 2, 3, 3}));
      EXPECT_EQ(e.second, (TGridRect{2, 2, 6, 4}));
    }
    EXPECT_EQ(Clipboard()->AsText(), "the user's");
  }
}

TEST_F(GridSelectionResizer, APressBesideTheHandleOrWithoutTheResizerSelectsAsUsual) {
  const TPoint h = Handle();
  grid->SelectionResizer = false;
  Down(h.X, h.Y);
  const TRect target = grid->CellRect(5, 5);
  MoveTo(target.Left + 5, target.Top + 5, true);
  Up(target.Left + 5, target.Top + 5);
  EXPECT_EQ(grid->Selection(), (TGridRect{3, 3, 5, 5}));  // a plain drag from the pressed cell
  EXPECT_EQ(grid->Cells(5, 5), "5:5");
  EXPECT_TRUE(events.empty());
}

class GridDragScroll : public InteractionGridTest {
 protected:
  void SetUp() override {
    InteractionGridTest::SetUp();
    SetClockSource(&clock);
    grid->DragScrollOptions()->Active = true;
    grid->SetColCount(20);
    grid->SetTopRow(10);
    grid->SetLeftCol(3);
  }
  void TearDown() override {
    InteractionGridTest::TearDown();
    SetClockSource(nullptr);
  }
  void Wait(int Millis) {
    clock.Advance(Millis);
    Application->ProcessMessages();
  }
  TManualClock clock;
};

TEST_F(GridDragScroll, AMarginScrollsAfterTheInitialDelayThenAtTheRepeatDelayUntilTheDragLeaves) {
  grid->DragScrollOver(dsDragEnter, 300, 10);  // inside the top margin
  EXPECT_TRUE(grid->DragScrollTimerRunning());
  EXPECT_EQ(grid->DragScrollDirection(), TDragScrollDirection{dsdUp});
  Wait(999);
  EXPECT_EQ(grid->TopRow(), 10);
  Wait(1);
  EXPECT_EQ(grid->TopRow(), 9);
  Wait(250);
  EXPECT_EQ(grid->TopRow(), 8);
  // A corner scrolls both ways; a handler may change the direction or skip a step.
  grid->DragScrollOver(dsDragMove, 10, grid->Height() - 10);
  EXPECT_EQ(grid->DragScrollDirection(), (TDragScrollDirection{dsdDown, dsdLeft}));
  Wait(1000);
  EXPECT_EQ(grid->TopRow(), 9);
  EXPECT_EQ(grid->LeftCol(), 2);
  bool skip = true;
  grid->OnDragScroll = [&](TObject*, int, int, TDragScrollDirection& Dir, bool& CanScroll) {
    CanScroll = !skip;
    Dir = TDragScrollDirection{dsdRight};
  };
  Wait(250);
  EXPECT_EQ(grid->TopRow(), 9);
  EXPECT_TRUE(grid->DragScrollTimerRunning());  // a skipped step keeps the timer
  skip = false;
  Wait(250);
  EXPECT_EQ(grid->LeftCol(), 3);
  EXPECT_EQ(grid->TopRow(), 9);
  grid->DragScrollOver(dsDragMove, 300, 150);  // back in the middle
  EXPECT_FALSE(grid->DragScrollTimerRunning());
  Wait(2000);
  EXPECT_EQ(grid->LeftCol(), 3);
}

TEST_F(GridDragScroll, TheTimerStopsWhenTheDragLeavesWhenSwitchedOffAndWithTheGrid) {
  grid->DragScrollOver(dsDragEnter, 300, 10);
  grid->DragScrollOver(dsDragLeave, 300, 10);
  EXPECT_FALSE(grid->DragScrollTimerRunning());
  grid->DragScrollOver(dsDragEnter, 300, 10);
  grid->DragScrollOptions()->Active = false;  // switched off during the drag: the next tick stops
  Wait(1000);
  EXPECT_FALSE(grid->DragScrollTimerRunning());
  EXPECT_EQ(grid->TopRow(), 10);
  grid->DragScrollOptions()->Active = true;
  grid->DragScrollOver(dsDragEnter, 300, 10);
  ASSERT_TRUE(grid->DragScrollTimerRunning());
  form_.reset();  // the grid goes with its timer running
  Wait(2000);     // no tick reaches the freed grid
}

TEST(DragScrollOptions, StartValuesAndAssign) {
  TDragScrollOptions a;
  EXPECT_FALSE(a.Active);
  EXPECT_EQ(a.Delays()->InitialDelay, 1000);
  EXPECT_EQ(a.Delays()->RepeatDelay, 250);
  EXPECT_EQ(a.Margins()->TopMargin, 50);
  EXPECT_EQ(a.Margins()->RightMargin, 50);
  TDragScrollOptions b;
  b.Active = true;
  b.Delays()->RepeatDelay = 100;
  b.Margins()->LeftMargin = 7;
  a.Assign(&b);
  EXPECT_TRUE(a.Active);
  EXPECT_EQ(a.Delays()->RepeatDelay, 100);
  EXPECT_EQ(a.Margins()->LeftMargin, 7);
}

class GridDisjunctCells : public InteractionGridTest {
 protected:
  void SetUp() override {
    InteractionGridTest::SetUp();
    grid->MouseActions()->SetDisjunctCellSelect(true);
  }
  std::vector<int> Picked() const {
    std::vector<int> cells;
    for (int i = 0; i < grid->SelectedCells()->Count(); ++i) cells.push_back(grid->SelectedCells()->Items(i));
    return cells;
  }
  static int Packed(int ACol, int ARow) { return ARow * 65536 + ACol; }
};

TEST_F(GridDisjunctCells, ClicksAndCtrlClicksPickCellsAndAFixedCellClears) {
  ClickCell(3, 4);
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(3, 4)}));
  ClickCell(5, 6, TShiftState{ssCtrl});
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(3, 4), Packed(5, 6)}));
  ClickCell(3, 4, TShiftState{ssCtrl});  // Ctrl again: out
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(5, 6)}));
  ClickCell(2, 2);  // a plain click: only this one
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(2, 2)}));
  grid->OnSelectCell = [](TObject*, int ACol, int, bool& CanSelect) { CanSelect = ACol != 4; };
  ClickCell(4, 3, TShiftState{ssCtrl});  // refused
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(2, 2)}));
  grid->OnSelectCell = nullptr;
  ClickCell(3, 0);  // the title row
  EXPECT_TRUE(Picked().empty());
}

TEST_F(GridDisjunctCells, SpaceToggleAndASelectedRangeJoinTheList) {
  grid->FocusCell(2, 2);
  Press(VK_SPACE);
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(2, 2)}));
  grid->FocusCell(4, 5);
  Press(VK_SPACE, TShiftState{ssCtrl});
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(2, 2), Packed(4, 5)}));
  grid->SetOptions(grid->Options() + goRangeSelect);
  grid->SetSelection(TGridRect{1, 1, 2, 2});
  Press(VK_SPACE);  // the current cell (2, 2) alone, then the rest of the range
  EXPECT_EQ(Picked(), (std::vector<int>{Packed(2, 2), Packed(1, 1), Packed(1, 2), Packed(2, 1)}));
}

}  // namespace

// Undo and redo of a grid's cell changes: single steps and sequences, the level, the limit on
// kept steps, new registrations after undoing, events, resetting and detaching.
#include <gtest/gtest.h>

#include "BaseGridFixture.h"
#include "grid/base/BaseGridUndoRedo.h"

using namespace testgrid;

namespace {

// A grid whose display columns run in reverse, to show where undo and redo move the cursor.
class TReversedGrid : public TTestGrid {
 public:
  using TTestGrid::TTestGrid;
  bool Reversed = false;
  int DisplColIndex(int ACol) override { return Reversed ? ColCount() - ACol : ACol; }
};

struct UndoFixture : ::testing::Test {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  TReversedGrid* grid = nullptr;
  TRivGridUndoRedo* undo = nullptr;
  void SetUp() override {
    grid = New<TReversedGrid>(parent.get());
    grid->SetColCount(6);
    grid->SetRowCount(8);
    undo = New<TRivGridUndoRedo>(parent.get());
    grid->SetUndoRedo(undo);
  }
  // Changes a cell as the grid does after an edit: write, then register.
  void Edit(int c, int r, const String& text) {
    String old = grid->Cells(c, r);
    grid->SetCells(c, r, text);
    undo->RegisterChange(c, r, old, text);
  }
};

TEST_F(UndoFixture, UndoAndRedoRestoreInReverseOrderAndBack) {
  EXPECT_EQ(undo->Grid(), grid);
  Edit(1, 1, "a");
  Edit(2, 2, "b");
  Edit(1, 1, "c");
  EXPECT_EQ(undo->Level(), 3);
  EXPECT_TRUE(undo->CanUndo());
  EXPECT_FALSE(undo->CanRedo());

  undo->Undo();
  EXPECT_EQ(grid->Cells(1, 1), "a");
  EXPECT_EQ(undo->Level(), 2);
  undo->Undo();
  EXPECT_EQ(grid->Cells(2, 2), "");
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
  undo->Undo();
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(undo->Level(), 0);
  EXPECT_FALSE(undo->CanUndo());
  EXPECT_TRUE(undo->CanRedo());
  undo->Undo();  // nothing left
  EXPECT_EQ(undo->Level(), 0);

  undo->Redo();
  undo->Redo();
  EXPECT_EQ(grid->Cells(1, 1), "a");
  EXPECT_EQ(grid->Cells(2, 2), "b");
  undo->Redo();
  EXPECT_EQ(grid->Cells(1, 1), "c");
  EXPECT_EQ(undo->Level(), 3);
  undo->Redo();  // at the end
  EXPECT_EQ(undo->Level(), 3);
}

TEST_F(UndoFixture, NewRegistrationAfterUndoDropsTheUndoneSteps) {
  Edit(1, 1, "A");
  undo->Undo();
  Edit(2, 2, "B");
  EXPECT_EQ(undo->Items()->Count(), 1);
  EXPECT_EQ(undo->Level(), 1);
  EXPECT_FALSE(undo->CanRedo());
  undo->Undo();
  EXPECT_EQ(grid->Cells(2, 2), "");
  undo->Undo();  // A is gone: its text is not written back again
  EXPECT_EQ(grid->Cells(1, 1), "");
  undo->Redo();
  EXPECT_EQ(grid->Cells(2, 2), "B");
  EXPECT_EQ(grid->Cells(1, 1), "");
}

TEST_F(UndoFixture, MaxLevelKeepsTheLastRegistrations) {
  undo->SetMaxLevel(2);
  Edit(1, 1, "1");
  Edit(1, 2, "2");
  Edit(1, 3, "3");
  ASSERT_EQ(undo->Items()->Count(), 2);
  EXPECT_EQ(undo->Items()->Items(0)->Row, 2);
  EXPECT_EQ(undo->Level(), 2);
  undo->Undo();
  undo->Undo();
  undo->Undo();
  EXPECT_EQ(grid->Cells(1, 1), "1");  // the dropped step stays done
  EXPECT_EQ(grid->Cells(1, 2), "");
  EXPECT_EQ(grid->Cells(1, 3), "");
}

TEST_F(UndoFixture, SequencesUndoAndRedoAsOneStep) {
  Edit(4, 4, "before");
  undo->StartSequence();
  Edit(1, 1, "x");
  Edit(2, 1, "y");
  undo->StopSequence();
  EXPECT_EQ(undo->Items()->Count(), 5);
  EXPECT_EQ(undo->Level(), 5);
  TUndoRedoItem* start = undo->Items()->Items(1);
  EXPECT_TRUE(start->SequenceStart);
  EXPECT_EQ(start->Col, -1);
  EXPECT_EQ(start->Row, -1);

  std::vector<String> order;
  undo->OnUndo = [&](TObject*, TBaseGrid* g, int c, int r, const String& current, const String& orig) {
    EXPECT_EQ(g, grid);
    order.push_back(IntToStr(c) + "," + IntToStr(r) + ":" + current + "->" + orig);
  };
  undo->Undo();
  EXPECT_EQ(order, (std::vector<String>{"2,1:y->", "1,1:x->"}));  // last change first
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->Cells(2, 1), "");
  EXPECT_EQ(grid->Cells(4, 4), "before");
  EXPECT_EQ(undo->Level(), 1);

  int redone = 0;
  undo->OnRedo = [&](TObject*, TBaseGrid*, int, int, const String&, const String&) { ++redone; };
  undo->Redo();
  EXPECT_EQ(redone, 2);
  EXPECT_EQ(grid->Cells(1, 1), "x");
  EXPECT_EQ(grid->Cells(2, 1), "y");
  EXPECT_EQ(undo->Level(), 5);  // past the stop marker

  // A sequence that was the first step leaves the level at 0.
  undo->Reset();
  undo->StartSequence();
  Edit(3, 3, "s");
  undo->StopSequence();
  undo->Undo();
  EXPECT_EQ(undo->Level(), 0);
  EXPECT_EQ(grid->Cells(3, 3), "");
}

TEST_F(UndoFixture, UnclosedSequenceRedoesItsLastChange) {
  undo->StartSequence();
  Edit(1, 1, "x");
  Edit(2, 1, "y");
  undo->Undo();  // the last item is a change, not a stop marker: one step
  undo->Undo();
  undo->Undo();  // the start marker
  EXPECT_EQ(undo->Level(), 0);
  undo->Redo();
  EXPECT_EQ(grid->Cells(1, 1), "x");
  EXPECT_EQ(grid->Cells(2, 1), "y");
  EXPECT_EQ(undo->Level(), 3);
}

TEST_F(UndoFixture, BothDirectionsMoveToTheDisplayColumn) {
  grid->Reversed = true;
  Edit(2, 3, "z");
  undo->Undo();
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 3);
  grid->SetCol(1);
  undo->Redo();
  EXPECT_EQ(grid->Col(), 4);
}

TEST_F(UndoFixture, ResetAndEndsChangeNothing) {
  Edit(1, 1, "a");
  undo->Undo();
  undo->Reset();
  EXPECT_FALSE(undo->CanUndo());
  EXPECT_FALSE(undo->CanRedo());
  EXPECT_EQ(undo->Items()->Count(), 0);
  int events = 0;
  undo->OnUndo = undo->OnRedo = [&](TObject*, TBaseGrid*, int, int, const String&, const String&) { ++events; };
  undo->Undo();
  undo->Redo();
  EXPECT_EQ(events, 0);
}

TEST_F(UndoFixture, RemovingEitherSideDetachesTheOther) {
  Edit(1, 1, "a");
  delete grid;
  EXPECT_EQ(undo->Grid(), nullptr);
  undo->Undo();  // no grid: nothing
  EXPECT_EQ(undo->Level(), 1);

  grid = New<TReversedGrid>(parent.get());
  grid->SetUndoRedo(undo);
  delete undo;
  EXPECT_EQ(grid->UndoRedo(), nullptr);
}

}  // namespace

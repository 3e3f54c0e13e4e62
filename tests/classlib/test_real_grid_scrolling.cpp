// Grids under the real window system: the mouse wheel over the cells, the scroll bars' arrows,
// troughs and thumbs, with the fixed row and column staying in view. A plain string grid on a
// form of its own, and the program's main grid with a 100 x 100 matrix.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/Grids.h"
#include "grid/model/RivErodovOzar.h"
#include "support/RealWindowFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

constexpr bool kVertical = true;
constexpr bool kHorizontal = false;

// What a person sees of the grid's scrolling: the bars on screen show where the grid is, and
// the fixed row and column are drawn at the top and left.
void ExpectBarsShowTheGrid(TCustomGrid* grid) {
  EXPECT_EQ(ScrollBarPosition(grid, kVertical), grid->TopRow() - grid->FixedRows());
  EXPECT_EQ(ScrollBarPosition(grid, kHorizontal), grid->LeftCol() - grid->FixedCols());
  EXPECT_EQ(grid->CellRect(grid->LeftCol(), 0).Top, 0);
  EXPECT_EQ(grid->CellRect(0, grid->TopRow()).Left, 0);
}

class RealGridScrolling : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 420, 320);
    grid_ = New<TStringGrid>(form_.get());
    grid_->SetName("Grid");
    grid_->SetBounds(10, 10, 360, 240);
    grid_->SetColCount(30);
    grid_->SetRowCount(50);
    grid_->SetParent(form_.get());
    form_->Show();
    Settle();
  }
  void TearDown() override {
    form_.reset();
    scope_.reset();
  }
  int LastTopRow() const { return grid_->FixedRows() + grid_->ScrollInfo(SB_VERT).Max; }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> form_;
  TStringGrid* grid_ = nullptr;
};

TEST_F(RealGridScrolling, TheWheelScrollsThreeRowsANotchAndStopsAtTheEnds) {
  ASSERT_TRUE(ScrollBarShown(grid_, kVertical));
  enum Kind { kRows, kShift, kTilt };
  struct Turn {
    Kind kind;
    int notches;
    int top, left;
  };
  const int last = LastTopRow();
  const Turn turns[] = {
      {kRows, -1, 4, 1},     {kRows, -2, 10, 1},     {kRows, 1, 7, 1},    {kRows, 5, 1, 1},
      {kRows, 1, 1, 1},      {kRows, -100, last, 1}, {kRows, -1, last, 1},
      {kShift, -1, last, 4}, {kShift, 1, last, 1},   {kTilt, 1, last, 4}, {kTilt, -1, last, 1},
  };
  for (const Turn& t : turns) {
    SCOPED_TRACE(testing::Message() << "kind " << t.kind << ", " << t.notches << " notches");
    if (t.kind == kTilt)
      TiltWheel(grid_, 60, 60, t.notches);
    else
      Wheel(grid_, 60, 60, t.notches, t.kind == kShift ? TShiftState{ssShift} : TShiftState());
    EXPECT_EQ(grid_->TopRow(), t.top);
    EXPECT_EQ(grid_->LeftCol(), t.left);
    EXPECT_EQ(grid_->Row(), 1);
    ExpectBarsShowTheGrid(grid_);
  }
}

TEST_F(RealGridScrolling, ArrowsScrollALineAndTheTroughAPage) {
  ASSERT_TRUE(ScrollBarShown(grid_, kVertical));
  ASSERT_TRUE(ScrollBarShown(grid_, kHorizontal));
  int rows = grid_->VisibleRowCount();
  int cols = grid_->VisibleColCount();
  struct Step {
    bool vertical;
    ScrollBarPart part;
    int top, left;
  };
  const Step steps[] = {
      {kVertical, ScrollBarPart::LineDown, 2, 1},          {kVertical, ScrollBarPart::PageDown, 2 + rows, 1},
      {kVertical, ScrollBarPart::PageUp, 2, 1},            {kVertical, ScrollBarPart::LineUp, 1, 1},
      {kVertical, ScrollBarPart::LineUp, 1, 1},            {kHorizontal, ScrollBarPart::LineDown, 1, 2},
      {kHorizontal, ScrollBarPart::PageDown, 1, 2 + cols}, {kHorizontal, ScrollBarPart::LineUp, 1, 1 + cols},
  };
  for (const Step& s : steps) {
    ClickScrollBar(grid_, s.vertical, s.part);
    EXPECT_EQ(grid_->TopRow(), s.top);
    EXPECT_EQ(grid_->LeftCol(), s.left);
    ExpectBarsShowTheGrid(grid_);
  }
  EXPECT_EQ(grid_->Row(), 1);  // the bars move the view, not the current cell
  EXPECT_EQ(grid_->Col(), 1);
}

TEST_F(RealGridScrolling, DraggingTheThumbScrolls) {
  DragScrollThumb(grid_, kVertical, 1.0);
  EXPECT_EQ(grid_->TopRow(), LastTopRow());
  ExpectBarsShowTheGrid(grid_);
  DragScrollThumb(grid_, kVertical, 0.5);
  EXPECT_GT(grid_->TopRow(), 1 + LastTopRow() / 4);
  EXPECT_LT(grid_->TopRow(), 3 * LastTopRow() / 4);
  ExpectBarsShowTheGrid(grid_);
  DragScrollThumb(grid_, kVertical, 0.0);
  EXPECT_EQ(grid_->TopRow(), 1);
  // With thumb tracking the grid follows the thumb before it is let go; the end is the same.
  grid_->SetOptions(grid_->Options() + goThumbTracking);
  DragScrollThumb(grid_, kHorizontal, 1.0);
  EXPECT_EQ(grid_->LeftCol(), grid_->FixedCols() + grid_->ScrollInfo(SB_HORZ).Max);
  ExpectBarsShowTheGrid(grid_);
}

TEST_F(RealGridScrolling, BarsComeAndGoWithTheCounts) {
  grid_->SetRowCount(4);
  grid_->SetColCount(3);
  Settle();
  EXPECT_FALSE(ScrollBarShown(grid_, kVertical));
  EXPECT_FALSE(ScrollBarShown(grid_, kHorizontal));
  grid_->SetRowCount(60);
  Settle();
  EXPECT_TRUE(ScrollBarShown(grid_, kVertical));
  EXPECT_FALSE(ScrollBarShown(grid_, kHorizontal));
  Wheel(grid_, 60, 60, -1);
  EXPECT_EQ(grid_->TopRow(), 4);
}

TEST_F(RealGridScrolling, TheOpenEditorHidesWhileItsCellIsOutOfViewAndKeepsTheTyping) {
  grid_->SetOptions(grid_->Options() + goEditing);
  Click(grid_);
  TGridCoord cell{grid_->Col(), grid_->Row()};
  Type(grid_, "ab");
  TInplaceEdit* edit = grid_->InplaceEditor();
  ASSERT_NE(edit, nullptr);
  ASSERT_TRUE(HasFocus(edit));
  EXPECT_EQ(ShownText(edit), "ab");

  Wheel(grid_, 60, 60, -5);  // the cell goes out of view
  EXPECT_FALSE(ControlOnScreen(edit));
  EXPECT_TRUE(HasFocus(grid_));
  Wheel(grid_, 60, 60, 5);
  EXPECT_TRUE(ControlOnScreen(edit));
  EXPECT_TRUE(HasFocus(edit));
  Type(grid_, "c");  // goes on after the typing, not over it
  Key(grid_, VK_RETURN);
  EXPECT_EQ(grid_->Cells(cell.X, cell.Y), "abc");
}

// The program's main window, with the matrix made 100 x 100 in code.
using MainGridScrolling = RealWindowTest;

TEST_F(MainGridScrolling, TheWheelAndTheBarsScrollALargeMatrixWithItsTitlesInView) {
  TRivErodovOzar* grid = Zorvan->MainGrid;
  grid->SetRowCount(100);
  grid->SetColCount(100);
  Settle();
  ASSERT_TRUE(ScrollBarShown(grid, kVertical));
  ASSERT_TRUE(ScrollBarShown(grid, kHorizontal));
  int rows = grid->VisibleRowCount();

  // The wheel takes the current row down three rows a notch; the view follows it only when it
  // would leave the view, so the bars start from the top.
  Wheel(grid, 80, 80, -2);
  EXPECT_EQ(grid->Row(), 7);
  EXPECT_EQ(grid->TopRow(), 1);
  ClickScrollBar(grid, kVertical, ScrollBarPart::LineDown);
  EXPECT_EQ(grid->TopRow(), 2);
  ClickScrollBar(grid, kVertical, ScrollBarPart::PageDown);
  EXPECT_EQ(grid->TopRow(), 2 + rows);
  ClickScrollBar(grid, kHorizontal, ScrollBarPart::LineDown);
  EXPECT_EQ(grid->LeftCol(), 2);
  ExpectBarsShowTheGrid(grid);
  // The titles: the fixed row and column are still at the top and left.
  EXPECT_EQ(grid->CellRect(0, 0), Bounds(0, 0, grid->ColWidths(0), grid->RowHeights(0)));

  DragScrollThumb(grid, kVertical, 1.0);
  EXPECT_EQ(grid->TopRow(), grid->FixedRows() + grid->ScrollInfo(SB_VERT).Max);
  EXPECT_EQ(grid->CellRect(99, 99), TRect{});  // column 99 is not in view yet
  DragScrollThumb(grid, kHorizontal, 1.0);
  TRect last = grid->CellRect(99, 99);
  EXPECT_NE(last, TRect{});
  EXPECT_LE(last.Bottom, grid->ClientHeight());  // above the horizontal bar
  EXPECT_LE(last.Right, grid->ClientWidth());    // left of the vertical bar
  ExpectBarsShowTheGrid(grid);

  ExpectMainWindowUsable();
}

}  // namespace

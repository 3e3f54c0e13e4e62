// The main window's grid as a person sees it under the real window system: its own lines, the
// highlighted current cell following clicks, keys and the wheel, and a merged block stepped
// over by the arrow keys.
#include <gtest/gtest.h>

#include "app/ZorvanMain.h"
#include "classlib/Graphics.h"
#include "grid/model/RivErodovOzar.h"
#include "support/RealWindowFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

using RealMainGridPaint = RealWindowTest;

// Pixels of one whole cell, its two grid lines left out.
int CellArea(TRivErodovOzar* grid, int ACol, int ARow) {
  return (grid->ColWidths(ACol) - 1) * (grid->RowHeights(ARow) - 1);
}

TEST_F(RealMainGridPaint, TheCurrentCellIsHighlightedWhereClicksKeysAndTheWheelTakeIt) {
  TRivErodovOzar* grid = Zorvan->MainGrid;
  grid->SetRowCount(60);
  grid->SetColCount(30);
  Settle();
  // The default look draws the selection in its own colour.
  const TColor highlight = ColorToRGB(grid->SelectionColor);
  EXPECT_GT(PixelsOfColor(grid, clSilver), 100) << "the lines between cells";
  EXPECT_GT(PixelsOfColor(grid, clGray), 100) << "the lines of the title cells";

  TRect cell = grid->CellRect(3, 2);
  ClickAt(grid, cell.Left + 5, cell.Top + 5);
  ASSERT_EQ(grid->Col(), 3);
  ASSERT_EQ(grid->Row(), 2);
  const int one = CellArea(grid, 3, 2);
  int shown = PixelsOfColor(grid, highlight);
  EXPECT_GT(shown, one / 2);
  EXPECT_LE(shown, one);

  Key(grid, VK_RIGHT);
  Key(grid, VK_DOWN);
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 3);
  shown = PixelsOfColor(grid, highlight);
  EXPECT_GT(shown, one / 2) << "the highlight moved with the current cell";
  EXPECT_LE(shown, one) << "and left the cell before";

  // The wheel takes the current cell down three rows a notch, the view following it: one cell
  // stays highlighted, the titles stay.
  Wheel(grid, 80, 80, -3);
  EXPECT_EQ(grid->Row(), 12);
  shown = PixelsOfColor(grid, highlight);
  EXPECT_GT(shown, one / 2);
  EXPECT_LE(shown, one);
  EXPECT_GT(PixelsOfColor(grid, clGray), 100) << "the title cells stay";

  ExpectMainWindowUsable();
}

TEST_F(RealMainGridPaint, AMergedBlockIsHighlightedWholeAndSteppedOverByTheArrowKeys) {
  TRivErodovOzar* grid = Zorvan->MainGrid;
  grid->MergeCells(1, 1, 2, 2);
  Settle();
  // Into the block from another cell (a click on the current cell would open its editor).
  TRect other = grid->CellRect(4, 4);
  ClickAt(grid, other.Left + 5, other.Top + 5);
  TRect block = grid->CellRect(1, 1);
  ClickAt(grid, block.Left + 5, block.Top + 5);
  ASSERT_EQ(grid->Col(), 1);
  ASSERT_EQ(grid->Row(), 1);
  const int one = CellArea(grid, 1, 1);
  EXPECT_GT(PixelsOfColor(grid, ColorToRGB(grid->SelectionColor)), 3 * one) << "the whole block";

  Key(grid, VK_RIGHT);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 1);
  Key(grid, VK_LEFT);
  EXPECT_EQ(grid->Col(), 1);
  Key(grid, VK_DOWN);
  EXPECT_EQ(grid->Row(), 3);
  Key(grid, VK_UP);
  EXPECT_EQ(grid->Row(), 1);
  // The block back as the current cell, without lines inside it.
  const int blockArea = (grid->ColWidths(1) + grid->ColWidths(2) - 1) * (grid->RowHeights(1) + grid->RowHeights(2) - 1);
  EXPECT_LE(PixelsOfColor(grid, ColorToRGB(grid->SelectionColor)), blockArea);

  grid->SplitCells(1, 1);
  ExpectMainWindowUsable();
}

}  // namespace

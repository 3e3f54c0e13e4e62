// Merged cells of the base grid: the spans stored per cell, reading and writing through the
// base cell, the predicates, spans and extents, splitting, and the rectangles of cells and
// blocks, fixed, visible and scrolled out of view.
#include <gtest/gtest.h>

#include "BaseGridFixture.h"

using namespace testgrid;

namespace {

TEST(MergedCells, BlockStoresSpansAndSharesTheBaseText) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  g.SetCells(2, 2, "hidden");
  g.SetCells(1, 1, "base");
  g.MergeCells(1, 1, 3, 2);
  EXPECT_EQ(g.FMergeCount, 1);
  TCellProperties* base = g.GetCellProperties(1, 1);
  EXPECT_TRUE(base->IsBaseCell());
  EXPECT_EQ(base->CellSpanX(), 2);
  EXPECT_EQ(base->CellSpanY(), 1);
  TCellProperties* corner = g.GetCellProperties(3, 2);
  EXPECT_FALSE(corner->IsBaseCell());
  EXPECT_EQ(corner->CellSpanX(), 2);
  EXPECT_EQ(corner->CellSpanY(), 1);

  // Each of the six cells is repainted as the whole block: columns 1-3, rows 1-2.
  const TRect block = Rect(40, 20, 160, 60);
  ASSERT_EQ(g.Invalidated.size(), 6u);
  for (const TRect& r : g.Invalidated) EXPECT_EQ(r, block);

  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r) {
      EXPECT_EQ(g.Cells(c, r), "base") << c << "," << r;
      EXPECT_EQ(g.BaseCell(c, r), Point(1, 1));
      EXPECT_TRUE(g.IsXMergedCell(c, r));
      EXPECT_TRUE(g.IsYMergedCell(c, r));
      EXPECT_EQ(g.CellSpan(c, r), Point(2, 1));
      EXPECT_EQ(g.CellRect(c, r), block);
    }
  EXPECT_EQ(g.GetRawCellText(2, 2), "hidden");  // kept, but not reachable through Cells

  g.Invalidated.clear();
  g.SetCells(3, 2, "written");
  EXPECT_EQ(g.GetRawCellText(1, 1), "written");
  EXPECT_EQ(g.GetRawCellText(3, 2), "");
  EXPECT_EQ(g.Cells(2, 1), "written");
  ASSERT_EQ(g.TextChanged.size(), 1u);
  EXPECT_EQ(g.TextChanged[0], Point(1, 1));
  ASSERT_EQ(g.Invalidated.size(), 1u);
  EXPECT_EQ(g.Invalidated[0], block);
}

TEST(MergedCells, PredicatesSpansAndExtents) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  g.MergeCells(1, 1, 3, 2);
  EXPECT_EQ(g.CellExt(2, 1), Point(1, 1));
  EXPECT_EQ(g.CellExt(1, 1), Point(2, 1));
  EXPECT_EQ(g.CellExt(3, 2), Point(0, 0));
  EXPECT_EQ(g.FullCell(3, 2), Rect(1, 1, 3, 2));
  EXPECT_EQ(g.FullCell(5, 5), Rect(5, 5, 5, 5));
  EXPECT_TRUE(g.IsBaseCell(1, 1));
  EXPECT_FALSE(g.IsBaseCell(2, 1));
  EXPECT_TRUE(g.IsBaseCell(5, 5));
  EXPECT_TRUE(g.IsMergedCell(1, 1));
  EXPECT_TRUE(g.IsMergedCell(2, 1));
  EXPECT_FALSE(g.IsMergedNonBaseCell(1, 1));
  EXPECT_TRUE(g.IsMergedNonBaseCell(3, 2));
  EXPECT_FALSE(g.IsMergedCell(5, 5));
  EXPECT_FALSE(g.IsXMergedCell(5, 5));
  EXPECT_EQ(g.CellSpan(5, 5), Point(0, 0));
  int bc = 0, br = 0;
  EXPECT_FALSE(g.ResolveBaseCell(3, 2, bc, br));
  EXPECT_EQ(Point(bc, br), Point(1, 1));
  EXPECT_TRUE(g.ResolveBaseCell(4, 4, bc, br));
  EXPECT_EQ(Point(bc, br), Point(4, 4));

  // A 1 x 1 block is a base cell with spans 0 and not merged; the count still grows.
  g.MergeCells(4, 5, 1, 1);
  EXPECT_EQ(g.FMergeCount, 2);
  EXPECT_EQ(g.GetCellProperties(4, 5)->CellSpanX(), 0);
  EXPECT_TRUE(g.IsBaseCell(4, 5));
  EXPECT_FALSE(g.IsMergedCell(4, 5));

  EXPECT_EQ(g.MinRowSpan(1), 1);
  EXPECT_EQ(g.MaxRowSpan(1), 1);
  EXPECT_EQ(g.MinRowSpan(4), g.RowCount());
  EXPECT_EQ(g.MaxRowSpan(4), 0);
  EXPECT_TRUE(g.RowSpanIdentical(1, 2));
  EXPECT_FALSE(g.RowSpanIdentical(3, 4));
  EXPECT_TRUE(g.ColSpanIdentical(1, 3));
  EXPECT_FALSE(g.ColSpanIdentical(1, 4));
  EXPECT_FALSE(g.ColSpanIdentical(4, 5));  // no merged block in either

  g.SetCol(3);
  g.SetRow(2);
  g.MoveToBaseCell();
  EXPECT_EQ(g.Col(), 1);
  EXPECT_EQ(g.Row(), 1);
}

TEST(MergedCells, SplitRestoresPlainCellsAndKeepsTheProperties) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  g.SetCells(2, 2, "own");
  g.MergeCells(1, 1, 3, 2);
  g.Invalidated.clear();
  g.SplitCells(2, 2);
  EXPECT_EQ(g.FMergeCount, 0);
  EXPECT_EQ(g.Invalidated.size(), 6u);
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r) {
      ASSERT_TRUE(g.HasCellProperties(c, r));
      EXPECT_TRUE(g.IsBaseCell(c, r));
      EXPECT_FALSE(g.IsMergedCell(c, r));
      EXPECT_EQ(g.GetCellProperties(c, r)->CellSpanX(), -1);
    }
  EXPECT_EQ(g.Cells(2, 2), "own");

  // Splitting a cell that is not merged makes its properties and changes no count.
  g.SplitCells(5, 6);
  EXPECT_TRUE(g.HasCellProperties(5, 6));
  EXPECT_EQ(g.FMergeCount, 0);
  g.MergeCells(4, 5, 1, 1);
  g.SplitCells(4, 5);  // a 1 x 1 block is a merge like any other
  EXPECT_EQ(g.FMergeCount, 0);
}

TEST(MergedCells, CellRectanglesFixedVisibleAndScrolledOut) {
  GridInWindow w;
  TTestGrid& g = *w.grid;
  g.SetColWidths(2, 50);
  g.SetRowHeights(1, 30);
  // Fixed column 0 and row 0, scrolling cells from the fixed sizes on.
  EXPECT_EQ(g.CalcCellRect(0, 0), Rect(0, 0, 40, 20));
  EXPECT_EQ(g.CalcCellRect(2, 1), Rect(80, 20, 130, 50));
  EXPECT_EQ(g.CalcCellRect(2, 1), g.PlatformCellRect(2, 1));
  EXPECT_EQ(g.CellRect(3, 2), g.PlatformCellRect(3, 2));
  EXPECT_EQ(g.CellSize(2, 1), Point(50, 30));

  g.SetLeftCol(3);
  g.SetTopRow(2);
  EXPECT_EQ(g.CalcCellRect(3, 2), Rect(40, 20, 80, 40));
  EXPECT_EQ(g.CalcCellRect(3, 2), g.PlatformCellRect(3, 2));
  EXPECT_EQ(g.CalcCellRect(0, 2), Rect(0, 20, 40, 40));  // fixed column: does not scroll
  EXPECT_EQ(g.CalcCellRect(3, 0), Rect(40, 0, 80, 20));  // fixed row
  // Scrolled out: left of and above the scrolling area.
  EXPECT_EQ(g.CalcCellRect(2, 2), Rect(-10, 20, 40, 40));
  EXPECT_EQ(g.CalcCellRect(1, 1), Rect(-50, -10, -10, 20));
  EXPECT_EQ(g.PlatformCellRect(1, 1), TRect{});
  EXPECT_EQ(g.CellRect(1, 1), TRect{});  // a plain cell out of view has none

  // A block partly scrolled out reaches under the fixed column.
  g.MergeCells(2, 2, 2, 2);
  EXPECT_EQ(g.CellRect(3, 3), Rect(-10, 20, 80, 60));
  EXPECT_EQ(g.CellSize(3, 3), Point(90, 40));
}

}  // namespace

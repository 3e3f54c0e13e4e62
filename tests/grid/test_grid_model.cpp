// The data grid's cell model as the analyses use it: counts and their bookkeeping, cells kept
// beyond the counts, display hooks, clearing, the current row, and its painting.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Graphics.h"
#include "grid/model/RivErodovOzar.h"

namespace {

struct Grid : TRivErodovOzar {
  using TRivErodovOzar::TRivErodovOzar;
  int NormalRowCount() const { return FNormalRowCount; }
};

std::unique_ptr<Grid> MakeGrid() { return std::unique_ptr<Grid>(New<Grid>(nullptr)); }

TEST(GridModel, CountsKeepCellsBeyondThemAndClearEmptiesAll) {
  auto grid = MakeGrid();
  grid->SetRowCount(10);
  EXPECT_EQ(grid->NormalRowCount(), 10);
  grid->SetCells(3, 8, "far");
  grid->SetCells(7, 2, "hidden");
  grid->SetRowCount(4);
  EXPECT_EQ(grid->NormalRowCount(), 4);
  grid->SetRowCount(10);
  EXPECT_EQ(grid->Cells(3, 8), "far");  // unlike a plain string grid
  grid->SetFixedRows(2);
  grid->Clear();
  EXPECT_EQ(grid->Cells(3, 8), "");
  EXPECT_EQ(grid->Cells(7, 2), "");
  EXPECT_EQ(grid->RowCount(), 10);
  EXPECT_EQ(grid->FixedRows(), 2);
}

TEST(GridModel, DisplayHooksApplyBelowTheNormalRowCountAndThroughAPlainGrid) {
  auto grid = MakeGrid();
  grid->SetRowCount(5);
  grid->OnGetDisplText = [](TObject*, int, int, String& value) { value = "<" + value + ">"; };
  grid->SetCells(1, 1, "x");
  grid->SetCells(1, 7, "y");  // beyond the row count: no hook
  TStringGrid* plain = grid.get();
  EXPECT_EQ(plain->Cells(1, 1), "<x>");
  EXPECT_EQ(plain->Cells(1, 7), "y");
  EXPECT_EQ(grid->GetRawCellText(1, 1), "x");
  plain->SetRowCount(8);  // the grid's bookkeeping runs also through the plain grid
  EXPECT_EQ(grid->NormalRowCount(), 8);
  EXPECT_EQ(plain->Cells(1, 7), "<y>");
}

TEST(GridModel, SetRowExAndDefaultRowHeight) {
  auto grid = MakeGrid();
  EXPECT_EQ(grid->RowHeights(3), 22);
  grid->SetRowHeights(2, 50);
  grid->SetDefaultRowHeight(30);
  EXPECT_EQ(grid->RowHeights(2), 30);
  grid->SetRowCount(20);
  grid->SetRowEx(15);
  EXPECT_EQ(grid->Row(), 15);
  EXPECT_EQ(grid->Col(), 1);
}

TEST(GridModel, PaintsItsOwnLinesAndTopLeftText) {
  auto grid = MakeGrid();
  grid->SetBounds(0, 0, 200, 100);
  grid->SetDefaultColWidth(40);
  grid->SetDefaultRowHeight(20);
  grid->SetCells(2, 2, "W");
  TBitmap bitmap(200, 100);
  grid->PaintTo(bitmap.Canvas());
  TCanvas* c = bitmap.Canvas();
  // No gaps between cells: row 1 is [20, 40), its line the last pixel row, inside the cell.
  // Fixed cells show the default look's gradient, white at the top.
  EXPECT_EQ(c->Pixel(10, 0), 0xFFFFFF);
  EXPECT_NE(c->Pixel(10, 17), 0xFFFFFF);
  EXPECT_EQ(c->Pixel(39, 10), clGray);
  EXPECT_EQ(c->Pixel(60, 39), clSilver);
  EXPECT_EQ(c->Pixel(60, 50), ColorToRGB(clWindow));
  // Text is left- and top-aligned inside the margins of cell (2,2) = [80,120) x [40,60).
  int left = 0, right = 0, top = 0, bottom = 0;
  for (int y = 41; y < 58; ++y) {
    for (int x = 81; x < 83; ++x) left += c->Pixel(x, y) != ColorToRGB(clWindow);
    for (int x = 83; x < 96; ++x) top += y < 55 && c->Pixel(x, y) != ColorToRGB(clWindow);
    for (int x = 100; x < 118; ++x) right += c->Pixel(x, y) != ColorToRGB(clWindow);
  }
  for (int x = 81; x < 118; ++x) bottom += c->Pixel(x, 57) != ColorToRGB(clWindow);
  EXPECT_EQ(left, 0) << "the margin";
  EXPECT_GT(top, 5);
  EXPECT_EQ(right, 0);
  EXPECT_EQ(bottom, 0);
}

}  // namespace

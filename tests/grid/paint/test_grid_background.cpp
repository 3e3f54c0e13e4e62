// The grid's background outside its cells and the sizing lines.
#include "PaintFixture.h"

namespace {

using namespace gridpaint;

using GridBackground = PaintTest;

TEST_F(GridBackground, GradientFillsOnlyWhereNoCellIs) {
  // 5 columns of 40 and 6 rows of 20 in a 300 x 200 client: room right of and below the cells.
  grid_->BackGround()->SetDisplay(bdGradientHorz);
  grid_->BackGround()->SetColor(0x0000FF);
  grid_->BackGround()->SetColorTo(0xFF0000);
  Paint();
  const int right = grid_->CellRect(4, 0).Right + 1, bottom = grid_->CellRect(0, 5).Bottom + 1;
  // Red ($0000FF) at the client's left, below the rows, blue at its right.
  EXPECT_GT(At(0, bottom + 5) & 0xFF, 0xF0u);
  EXPECT_LT(At(0, bottom + 5) >> 16, 0x10u);
  EXPECT_GT(At(299, 10) >> 16, 0xF0u);
  EXPECT_LT(At(299, 10) & 0xFF, 0x10u);
  const TColor mid = At(150, bottom + 5);
  EXPECT_NE(mid, 0x0000FF);
  EXPECT_NE(mid, 0xFF0000);
  EXPECT_EQ(At(right + 20, 10), At(right + 20, bottom + 20)) << "a horizontal gradient";
  EXPECT_EQ(CountIn(Rect(0, 0, right - 1, bottom - 1), 0x0000FF), 0) << "no cell is painted over";
  // No end colour: nothing.
  grid_->BackGround()->SetColorTo(clNone);
  Paint();
  EXPECT_EQ(At(0, bottom + 5), ColorToRGB(grid_->Color()));
}

TEST_F(GridBackground, NothingWhenTheLastRowAndColumnAreBothOutOfView) {
  grid_->SetColCount(30);
  grid_->SetRowCount(40);
  grid_->BackGround()->SetDisplay(bdGradientVert);
  grid_->BackGround()->SetColor(0x0000FF);
  grid_->BackGround()->SetColorTo(0x0000FF);
  Paint();
  EXPECT_EQ(CountIn(Rect(0, 0, 300, 200), 0x0000FF), 0);
}

TEST_F(GridBackground, PictureIsTiledFromTheFirstScrollingCell) {
  TBitmap tile(8, 8);
  tile.Canvas()->Brush()->SetColor(0x00A000);
  tile.Canvas()->FillRect(Rect(0, 0, 8, 8));
  tile.Canvas()->SetPixel(3, 3, 0xA00000);
  grid_->BackGround()->SetBitmap(&tile);
  Paint();
  const int bottom = grid_->CellRect(0, 5).Bottom + 1;
  EXPECT_GT(CountIn(Rect(0, bottom, 300, 200), 0x00A000), 1000);
  // Tiles start one pixel above and left of the first scrolling cell (moved by the margin).
  const TRect first = grid_->CellRect(1, 1);
  const int x0 = first.Left + grid_->XYOffset.X - 1, y0 = first.Top + grid_->XYOffset.Y - 1;
  int y = y0;
  while (y + 3 < bottom) y += 8;
  EXPECT_EQ(At(x0 + 3, y + 3), 0xA00000);
  EXPECT_EQ(At(x0 + 11, y + 3), 0xA00000);
  const int right = grid_->CellRect(4, 0).Right;
  EXPECT_EQ(CountIn(Rect(0, 0, right, bottom - 1), 0x00A000), 0) << "the cells keep their own background";
}

TEST_F(GridBackground, SizingLineDrawnTwiceLeavesTheCanvasAsItWas) {
  TCanvas* c = Paint();
  TBitmap before(300, 200);
  before.Canvas()->CopyRect(Rect(0, 0, 300, 200), c, Rect(0, 0, 300, 200));
  auto differing = [&] {
    int n = 0;
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 300; ++x) n += c->Pixel(x, y) != before.Canvas()->Pixel(x, y);
    return n;
  };
  grid_->FPaintCanvas = c;
  grid_->DrawColSizingLine(57);
  const int once = differing();
  EXPECT_GT(once, 50) << "a dotted line down the grid";
  EXPECT_LE(once, 200);
  grid_->DrawColSizingLine(57);
  EXPECT_EQ(differing(), 0);
  grid_->DrawRowSizingLine(33);
  EXPECT_GT(differing(), 75);
  grid_->DrawRowSizingLine(33);
  EXPECT_EQ(differing(), 0);
  grid_->FPaintCanvas = nullptr;
}

}  // namespace

// The main window's grid under the real window system: the default look's gradient headers,
// the focus rectangle of the current cell, and a hint window over a cell whose hint is set.
#include <gtest/gtest.h>

#include "PaintFixture.h"
#include "app/ZorvanMain.h"
#include "classlib/Graphics.h"
#include "grid/model/RivErodovOzar.h"
#include "support/RealWindowFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;
using gridpaint::Halved;

using RealGridPaint = RealWindowTest;

TEST_F(RealGridPaint, HeadersHaveTheLookGradientAndTheCurrentCellItsFocusRectangle) {
  TRivErodovOzar* grid = Zorvan->MainGrid;
  Settle();
  ASSERT_EQ(grid->Look(), glXP);
  // The header row: white at the top, the button face at the bottom, the darkened line below.
  const TRect header = Rect(grid->CellRect(1, 0).Left, 0, grid->CellRect(grid->ColCount() - 1, 0).Right,
                            grid->RowHeights(0));
  const int width = header.Width();
  EXPECT_GT(PixelsOfColorInWindow(grid, clWhite, header), width / 2) << "the white top line";
  EXPECT_GT(PixelsOfColorInWindow(grid, ColorToRGB(clBtnFace), header), width / 2) << "the gradient's end";
  EXPECT_GT(PixelsOfColorInWindow(grid, Halved(grid->FixedColor()), header), width / 2) << "the dark bottom line";

  // The focus rectangle inverts the current cell's colour along its edges.
  ClickAt(grid, grid->CellRect(2, 2).Left + 5, grid->CellRect(2, 2).Top + 5);
  ASSERT_TRUE(WaitFor([&] { return HasFocus(grid); }));
  const TRect cell = grid->CellRect(2, 2);
  const TColor inverted = ~ColorToRGB(grid->SelectionColor) & 0xFFFFFF;
  const int dots = PixelsOfColorInWindow(grid, inverted, cell);
  EXPECT_GT(dots, cell.Width() / 2) << "dots along the frame";
  EXPECT_EQ(PixelsOfColorInWindow(grid, inverted, grid->CellRect(3, 3)), 0) << "other cells have none";

  ExpectMainWindowUsable();
}

TEST_F(RealGridPaint, AHintWindowAppearsOverACellWhoseHintIsSet) {
  TRivErodovOzar* grid = Zorvan->MainGrid;
  grid->OnGridHint = [](TObject*, int ARow, int ACol, String& Hint) {
    if (ACol == 2 && ARow == 3) Hint = "<b>species</b> count";
  };
  Settle();
  grid->ShowCellHint(2, 3);
  THintWindow* hint = grid->CellHintWindow();
  ASSERT_NE(hint, nullptr);
  ASSERT_TRUE(WaitFor([&] { return ControlOnScreen(hint); }));
  const TRect cell = grid->CellRect(2, 3);
  const TPoint below = grid->ClientToScreen(Point(cell.Left, cell.Bottom));
  const TRect shown = ViewBounds(hint);
  EXPECT_EQ(Point(shown.Left, shown.Top), below);
  EXPECT_GT(PixelsOfColor(hint, ColorToRGB(clInfoBk)), shown.Width() * shown.Height() / 3);
  EXPECT_EQ(ActiveForm(), Zorvan) << "the hint does not take the activation";
  grid->ShowCellHint(1, 1);
  EXPECT_TRUE(WaitFor([&] { return !ControlOnScreen(hint); }));
  grid->OnGridHint = nullptr;
  ExpectMainWindowUsable();
}

}  // namespace

// The main window's grid grouped under the real window system: the group headers open and
// close by a click on their expand mark, and ungrouping gives the table back.
#include <gtest/gtest.h>

#include "app/ZorvanMain.h"
#include "grid/model/RivErodovOzar.h"
#include "support/RealMouse.h"
#include "support/RealWindowFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class RealGridGrouping : public RealWindowTest {};

TEST_F(RealGridGrouping, AClickOnAHeaderMarkClosesAndOpensItsGroup) {
  TRivErodovOzar* grid = Zorvan->MainGrid;
  grid->SetColCount(4);
  grid->SetRowCount(7);
  const char* keys[] = {"", "a", "a", "a", "b", "b", "c"};
  for (int r = 1; r < 7; ++r) {
    grid->SetCells(1, r, keys[r]);
    grid->SetCells(2, r, IntToStr(r));
    grid->SetCells(3, r, IntToStr(r * r));
  }
  grid->Group(1);
  Settle();
  ASSERT_TRUE(grid->IsNode(1));
  const TRect mark = grid->CellRect(0, 1);
  const int y = (mark.Top + mark.Bottom) / 2;
  ClickAt(grid, mark.Left + 10, y);
  EXPECT_TRUE(grid->GetNodeState(1));
  EXPECT_EQ(grid->RowCount(), 7);  // 3 headers and 6 rows, less the group's 3 rows
  EXPECT_TRUE(grid->IsNode(2));
  ClickAt(grid, mark.Left + 10, y);
  EXPECT_FALSE(grid->GetNodeState(1));
  EXPECT_EQ(grid->RowCount(), 10);

  grid->UnGroup();
  Settle();
  EXPECT_EQ(grid->RowCount(), 7);
  for (int r = 1; r < 7; ++r) EXPECT_EQ(grid->Cells(1, r), keys[r]) << r;
  ExpectMainWindowUsable();
}

}  // namespace

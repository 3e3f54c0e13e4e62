// The fixed-cell editor: the press each FixedRowsEdit / FixedColsEdit mode asks for opens the
// edit over a title cell; leaving it writes the text once OnCellValidate accepts it, a refused
// text keeps the edit open and focused, and Enter does not end it.
#include "EditingFixture.h"
#include "grid/editing/GridTransEdit.h"

namespace {

class FixedCellEdit : public EditingGridTest {
 protected:
  TPoint Mid(int ACol, int ARow) {
    const TRect r = grid->CellRect(ACol, ARow);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  void Mouse(UINT Down, UINT Up, int ACol, int ARow) {
    const TPoint p = Mid(ACol, ARow);
    grid->Perform(Down, 0, MakeLParam(p.X, p.Y));
    if (Up != 0) grid->Perform(Up, 0, MakeLParam(p.X, p.Y));
  }
  bool EditOpen() const { return grid->EditTrans != nullptr && grid->EditTrans->Visible(); }
};

TEST_F(FixedCellEdit, EachModeOpensTheEditOnItsPressAndLeavingItWritesTheText) {
  const struct {
    TGridFixedCellEdit mode;
    bool rows;  // FixedRowsEdit (a title cell of row 0), else FixedColsEdit (column 0)
    UINT down, up;
  } cases[] = {
      {fceLeftClick, true, WM_LBUTTONDOWN, WM_LBUTTONUP},
      {fceRightClick, false, WM_RBUTTONDOWN, WM_RBUTTONUP},
      {fceDblClick, true, WM_LBUTTONDBLCLK, WM_LBUTTONUP},  // (another title than the left click's)
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    grid->MouseActions()->FixedRowsEdit = c.rows ? c.mode : fceNone;
    grid->MouseActions()->FixedColsEdit = c.rows ? fceNone : c.mode;
    const int col = c.rows ? (c.mode == fceDblClick ? 4 : 3) : 0;
    const int row = c.rows ? 0 : 4;
    if (c.mode == fceDblClick) {
      Mouse(WM_LBUTTONDOWN, WM_LBUTTONUP, col, row);  // a single click does not edit
      EXPECT_FALSE(EditOpen());
    }
    if (c.mode == fceRightClick)
      Mouse(WM_LBUTTONDOWN, WM_LBUTTONUP, col, row);  // the other button does not
    else
      Mouse(WM_RBUTTONDOWN, WM_RBUTTONUP, col, row);
    EXPECT_FALSE(EditOpen());
    Mouse(c.down, c.up, col, row);
    ASSERT_TRUE(EditOpen());
    EXPECT_EQ(Focus(), grid->EditTrans);
    EXPECT_EQ(grid->EditTrans->Text(), IntToStr(col) + ":" + IntToStr(row));
    grid->EditTrans->SetText("title");
    grid->SetFocus();
    EXPECT_FALSE(EditOpen());
    EXPECT_EQ(grid->Cells(col, row), "title");
  }
}

TEST_F(FixedCellEdit, ARefusedTextKeepsTheEditAndEnterDoesNotEndIt) {
  grid->MouseActions()->FixedRowsEdit = fceLeftClick;
  int done = 0;
  grid->OnEditingDone = [&](TObject*) { ++done; };
  grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) { Valid = !Value.empty(); };
  Mouse(WM_LBUTTONDOWN, WM_LBUTTONUP, 2, 0);
  ASSERT_TRUE(EditOpen());
  grid->EditTrans->SetText("");
  Press(VK_RETURN);
  EXPECT_TRUE(EditOpen());
  grid->SetFocus();  // leaving with an empty title is refused
  EXPECT_TRUE(EditOpen());
  EXPECT_EQ(Focus(), grid->EditTrans);
  EXPECT_EQ(grid->Cells(2, 0), "2:0");
  EXPECT_EQ(done, 0);
  grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 4; };
  Mouse(WM_LBUTTONDOWN, WM_LBUTTONUP, 4, 0);  // another title: the refused edit stays
  EXPECT_EQ(grid->EditTrans->EditCol(), 2);
  grid->EditTrans->SetText("x");
  grid->SetFocus();
  EXPECT_FALSE(EditOpen());
  EXPECT_EQ(grid->Cells(2, 0), "x");
  EXPECT_EQ(done, 1);
  Mouse(WM_LBUTTONDOWN, WM_LBUTTONUP, 4, 0);  // OnCanEditCell refuses this one
  EXPECT_FALSE(EditOpen());
}

}  // namespace

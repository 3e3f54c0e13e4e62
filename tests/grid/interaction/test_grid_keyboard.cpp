// The grid's keyboard layer: where the current cell and the selection go for each key, with
// and without Shift and Ctrl, under the navigation settings that change it; the keys that act
// on check boxes and rows.
#include "InteractionFixture.h"

namespace {
class GridKeyboardKeys : public InteractionGridTest {};
}  // namespace

namespace {

struct KeyCase {
  const char* name;
  std::function<void(TRivErodovOzar&)> setup;
  Word key;
  TShiftState shift;
  int col, row;
  TGridRect selection;
};

}  // namespace

TEST_F(GridKeyboardKeys, KeysMoveTheCurrentCellAndTheSelection) {
  const auto none = [](TRivErodovOzar&) {};
  const std::vector<KeyCase> cases = {
      {"Right", none, VK_RIGHT, {}, 3, 2, {3, 2, 3, 2}},
      {"Shift+Right extends", none, VK_RIGHT, {ssShift}, 3, 2, {2, 2, 3, 2}},
      {"Shift+Down extends", none, VK_DOWN, {ssShift}, 2, 3, {2, 2, 2, 3}},
      {"Up", none, VK_UP, {}, 2, 1, {2, 1, 2, 1}},
      {"Home: first data column", none, VK_HOME, {}, 1, 2, {1, 2, 1, 2}},
      {"End: last column", none, VK_END, {}, 7, 2, {7, 2, 7, 2}},
      {"Ctrl+End: last cell", none, VK_END, {ssCtrl}, 7, 39, {7, 39, 7, 39}},
      {"Ctrl+Home: first cell", none, VK_HOME, {ssCtrl}, 1, 1, {1, 1, 1, 1}},
      {"End by cell", [](TRivErodovOzar& g) { g.Navigation()->HomeEndKey = heFirstLastCell; }, VK_END, {}, 7, 39,
       {7, 39, 7, 39}},
      {"Home by cell", [](TRivErodovOzar& g) { g.Navigation()->HomeEndKey = heFirstLastCell; }, VK_HOME, {}, 1, 1,
       {1, 1, 1, 1}},
      {"End by row", [](TRivErodovOzar& g) { g.Navigation()->HomeEndKey = heFirstLastRow; }, VK_END, {}, 2, 39,
       {2, 39, 2, 39}},
      {"Shift+End by row: the rows between, full width",
       [](TRivErodovOzar& g) { g.Navigation()->HomeEndKey = heFirstLastRow; }, VK_END, {ssShift}, 7, 39,
       {1, 2, 7, 39}},
      {"Scroll only: Down leaves the cell",
       [](TRivErodovOzar& g) { g.Navigation()->MoveScrollOnly = true; }, VK_DOWN, {}, 2, 2, {2, 2, 2, 2}},
      {"A fixed cell in the data is stepped over",
       [](TRivErodovOzar& g) {
         g.OnIsFixedCell = [](TObject*, int ARow, int ACol, bool& IsFixed) { IsFixed = ACol == 3 && ARow > 0; };
       },
       VK_RIGHT, {}, 4, 2, {4, 2, 4, 2}},
      {"Without skipping, the arrow stops before it",
       [](TRivErodovOzar& g) {
         g.Navigation()->SkipFixedCells = false;
         g.OnIsFixedCell = [](TObject*, int ARow, int ACol, bool& IsFixed) { IsFixed = ACol == 3 && ARow > 0; };
       },
       VK_RIGHT, {}, 2, 2, {2, 2, 2, 2}},
      {"Ctrl+A without row select selects nothing", none, 'A', {ssCtrl}, 2, 2, {2, 2, 2, 2}},
      {"Ctrl+A with row select selects every data row",
       [](TRivErodovOzar& g) { g.SetOptions(g.Options() + goRowSelect); }, 'A', {ssCtrl}, 7, 39, {1, 1, 7, 39}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    grid->SetOptions(grid->Options() + goRangeSelect);
    c.setup(*grid);
    Press(c.key, c.shift);
    EXPECT_EQ(grid->Col(), c.col);
    EXPECT_EQ(grid->Row(), c.row);
    EXPECT_EQ(Sel(), c.selection);
  }
}

TEST_F(GridKeyboardKeys, ScrollOnlyKeysMoveTheTopRowAndNeverTheCellNorTheKeyEvent) {
  grid->Navigation()->MoveScrollOnly = true;
  int keyDowns = 0;
  grid->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++keyDowns; };
  Press(VK_NEXT);
  EXPECT_EQ(grid->TopRow(), 1 + grid->VisibleRowCount());
  Press(VK_END);
  const int last = grid->TopRow();
  EXPECT_EQ(last, grid->RowCount() - grid->VisibleRowCount());
  Press(VK_DOWN);
  EXPECT_EQ(grid->TopRow(), last);
  Press(VK_HOME);
  EXPECT_EQ(grid->TopRow(), 1);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(keyDowns, 0);
}

TEST_F(GridKeyboardKeys, InsertAndDeleteAddAndRemoveRowsWhenAllowed) {
  Press(VK_INSERT);
  EXPECT_EQ(grid->RowCount(), 40) << "off by default";
  grid->Navigation()->AllowInsertRow = true;
  grid->Navigation()->AllowDeleteRow = true;
  int inserted = -1;
  grid->OnAutoInsertRow = [&](TObject*, int ARow) { inserted = ARow; };
  Press(VK_INSERT);
  EXPECT_EQ(grid->RowCount(), 41);
  EXPECT_EQ(inserted, 2);
  EXPECT_EQ(grid->Cells(2, 2), "");
  EXPECT_EQ(grid->Cells(2, 3), "2:2");
  EXPECT_TRUE(grid->GridModified());

  grid->Navigation()->InsertPosition = pInsertAfter;
  Press(VK_INSERT);
  EXPECT_EQ(inserted, 3);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Cells(2, 4), "2:2");

  bool allow = false;
  grid->OnCanDeleteRow = [&](TObject*, int, bool& Allow) { Allow = allow; };
  Press(VK_DELETE);
  EXPECT_EQ(grid->RowCount(), 42) << "refused";
  allow = true;
  Press(VK_DELETE);
  Press(VK_DELETE);
  EXPECT_EQ(grid->RowCount(), 40);
  EXPECT_EQ(grid->Cells(2, 3), "2:3");

}

TEST_F(GridKeyboardKeys, SpaceTogglesACheckBoxOnceAndEnterDoesNot) {
  grid->SetOptions(grid->Options() + goEditing);
  grid->AddCheckBox(2, 2, false, false);
  std::vector<bool> clicks;
  grid->OnCheckBoxClick = [&](TObject*, int ACol, int ARow, bool State) {
    EXPECT_EQ(ACol, 2);
    EXPECT_EQ(ARow, 2);
    clicks.push_back(State);
  };
  Press(VK_SPACE);
  grid->Perform(WM_CHAR, ' ', 0);
  EXPECT_EQ(clicks, std::vector<bool>{true});
  EXPECT_TRUE(grid->IsChecked(2, 2));
  EXPECT_FALSE(grid->EditorMode()) << "a space on a check box opens no editor";
  Press(VK_RETURN);
  EXPECT_TRUE(grid->IsChecked(2, 2));
  EXPECT_EQ(clicks.size(), 1u);

  grid->SetOptions(grid->Options() - goEditing);
  Press(VK_SPACE);
  EXPECT_TRUE(grid->IsChecked(2, 2)) << "a grid that edits nothing leaves it";
  grid->ControlLook()->SetCheckAlwaysActive(true);
  Press(VK_SPACE);
  EXPECT_FALSE(grid->IsChecked(2, 2));
}

TEST_F(GridKeyboardKeys, EnterOnAReadOnlyCellIsSwallowedAfterOnKeyDownSawIt) {
  grid->SetOptions(grid->Options() + goEditing);
  grid->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  Word seen = 0;
  grid->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { seen = Key; };
  EXPECT_EQ(grid->Perform(WM_KEYDOWN, VK_RETURN, 0), 1);
  EXPECT_EQ(seen, VK_RETURN);
  EXPECT_FALSE(grid->EditorMode());
}

// The drop-down menus of fixed cells: only the button zone of a hovered fixed cell pops the
// menu up, tagged with the column; the click event may swap the menu or suppress it.
#include "InteractionFixture.h"

#include "classlib/Menus.h"

namespace {

class FixedCellMenuTest : public InteractionGridTest {
 protected:
  void SetUp() override {
    InteractionGridTest::SetUp();
    grid->HoverFixedCells = hfFixedRows;
    grid->ControlLook()->SetFixedDropDownButton(true);
    menu = New<TPopupMenu>(form_.get());
    menu->OnPopup = [this](TObject* Sender) { popped.push_back(static_cast<TPopupMenu*>(Sender)); };
    grid->FixedDropDownMenu = menu;
  }
  TPopupMenu* menu = nullptr;
  std::vector<TPopupMenu*> popped;
};

TEST_F(FixedCellMenuTest, OnlyTheButtonZoneOfAHoveredFixedCellPopsTheMenuUp) {
  const TRect head = grid->CellRect(3, 0);
  const TRect side = grid->CellRect(0, 4);
  struct Case {
    int X, Y;
    bool Pops;
  } cases[] = {
      {head.Right - 8, head.Top + 5, true},
      {head.Right - 20, head.Top + 5, false},            // left of the button
      {side.Right - 8, side.Top + 5, false},             // fixed column, not hovered with hfFixedRows
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.X);
    popped.clear();
    ClickAt(c.X, c.Y);
    EXPECT_EQ(popped.size(), c.Pops ? 1u : 0u);
  }
  EXPECT_EQ(menu->Tag, 3);
  EXPECT_EQ(grid->HoverFixedX(), -1) << "the hover ends with the menu";

  // The event hands over another menu, or none.
  auto* other = New<TPopupMenu>(form_.get());
  other->OnPopup = menu->OnPopup;
  grid->OnFixedDropDownClick = [&](TObject*, int ACol, int ARow, TPopupMenu*& AMenu, bool&) {
    EXPECT_EQ(ACol, 3);
    EXPECT_EQ(ARow, 0);
    AMenu = AMenu == menu ? other : nullptr;
  };
  popped.clear();
  ClickAt(head.Right - 8, head.Top + 5);
  EXPECT_EQ(popped, std::vector<TPopupMenu*>{other});
  grid->FixedDropDownMenu = nullptr;
  ClickAt(head.Right - 8, head.Top + 5);
  EXPECT_EQ(popped.size(), 1u);
}

}  // namespace

// The search footer and the filter drop-down of the main window's grid under the real window
// system: typing in the find box finds as the user types, Enter and the buttons go to the
// next and the previous match, the close button hides the footer; a click on a header's glyph
// zone opens the column's entries and a click on one filters; the main window stays usable.
#include <gtest/gtest.h>

#include "app/ZorvanMain.h"
#include "grid/base/RivObjControls.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/tools/SearchPanel.h"
#include "grid/tools/GridFilter.h"
#include "support/RealMouse.h"
#include "support/RealWindowFixture.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class GridSearchFooterReal : public RealWindowTest {
 protected:
  void SetUp() override {
    RealWindowTest::SetUp();
    grid = Zorvan->MainGrid;
    grid->SetRowCount(8);
    grid->SetColCount(4);
    const char* names[] = {"species", "Anas", "Bubo", "Anser", "Corvus", "Aquila", "Falco", "Pica"};
    for (int r = 0; r < 8; ++r)
      for (int c = 0; c < 4; ++c) grid->SetCells(c, r, c == 1 ? names[r] : (c == 0 ? "s" + IntToStr(r) : "1"));
    grid->SearchFooter()->SetFindNextCaption("Find next");
    grid->SearchFooter()->SetFindPrevCaption("Find previous");
    grid->SearchFooter()->SetVisible(true);
    panel = grid->SearchPanel();
    Settle();
  }
  void TearDown() override {
    grid->SearchFooter()->SetVisible(false);
    Settle();
    RealWindowTest::TearDown();
  }
  TRivErodovOzar* grid = nullptr;
  TSearchPanel* panel = nullptr;
};

TEST_F(GridSearchFooterReal, TypingFindsAsTheUserTypesAndTheButtonsStepThroughTheMatches) {
  ASSERT_TRUE(ControlOnScreen(panel));
  ASSERT_TRUE(ControlOnScreen(panel->Edit()));
  Click(panel->Edit());
  ASSERT_TRUE(HasFocus(panel->Edit()));
  Type(panel->Edit(), "a");
  EXPECT_EQ(ShownText(panel->Edit()), "a");
  EXPECT_EQ(grid->Row(), 1) << "Anas, the first cell holding an a";
  Type(panel->Edit(), "q");
  EXPECT_EQ(grid->Row(), 5) << "Aquila";
  Type(panel->Edit(), "z");
  EXPECT_EQ(panel->Edit()->Color(), clRed);
  EXPECT_GT(PixelsOfColor(panel->Edit(), clRed), 100) << "the box shows red on screen";
  Key(panel->Edit(), VK_BACK);
  Key(panel->Edit(), VK_BACK);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(panel->Edit()->Color(), clWindow);

  ASSERT_TRUE(panel->ForwardButton()->Enabled());
  Click(panel->ForwardButton());
  EXPECT_EQ(grid->Row(), 3) << "Anser";
  Click(panel->BackwardButton());
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_TRUE(HasFocus(panel->Edit())) << "the buttons leave the focus in the find box";
  Key(panel->Edit(), VK_RETURN);
  EXPECT_EQ(grid->SearchCell.Y, 3);
  EXPECT_EQ(ShownText(panel->Edit()), "a") << "Enter inserts nothing";

  Click(panel->ExitButton());
  EXPECT_FALSE(grid->SearchFooter()->Visible());
  EXPECT_FALSE(ControlOnScreen(panel));
  ExpectMainWindowUsable();
}

TEST_F(GridSearchFooterReal, AClickOnAHeaderGlyphOpensTheEntriesAndAClickOnOneFilters) {
  grid->SearchFooter()->SetVisible(false);
  grid->FilterDropDownAuto = true;
  Settle();
  const TRect header = grid->CellRect(1, 0);
  ClickAt(grid, header.Right - 8, header.Top + 6);
  TDropList* list = grid->DropList();
  ASSERT_TRUE(ControlOnScreen(list));
  const int aquila = list->Items()->IndexOf("Aquila");
  ASSERT_GT(aquila, 0);
  ClickItem(list, aquila);
  EXPECT_FALSE(ControlOnScreen(list));
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Cells(1, 1), "Aquila");

  // "(All)" shows every row again.
  ClickAt(grid, header.Right - 8, header.Top + 6);
  ASSERT_TRUE(ControlOnScreen(list));
  ClickItem(list, 0);
  EXPECT_EQ(grid->RowCount(), 8);
  grid->SetFilterActive(false);
  grid->Filter()->Clear();
  grid->FilterDropDownAuto = false;
  ExpectMainWindowUsable();
}

}  // namespace

// The search footer: its panel kept in line with the grid's settings, and the find box and
// buttons driving the grid's search, headless.
#include <gtest/gtest.h>

#include "ToolsFixture.h"
#include "classlib/Messages.h"
#include "classlib/WinApi.h"
#include "grid/base/RivObjControls.h"
#include "grid/tools/SearchPanel.h"

using namespace gridtools;

namespace {

class GridSearchFooterPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = GridOf({{"Anas", "x"}, {"Bubo", "y"}, {"Anser", "z"}, {"Corvus", "an"}});
    grid->SearchFooter()->SetVisible(true);
    panel = grid->SearchPanel();
    edit = panel->Edit();
  }
  std::unique_ptr<TGrid> grid;
  TSearchPanel* panel = nullptr;
  TRetEdit* edit = nullptr;
};

TEST_F(GridSearchFooterPanel, ShownWithItsSettingsAndLaidOut) {
  EXPECT_TRUE(panel->Visible());
  EXPECT_EQ(panel->Height(), 32);
  EXPECT_EQ(panel->Align(), alBottom);
  EXPECT_EQ(panel->MatchCase()->Left(), 425);
  grid->SearchFooter()->SetShowHighLight(false);
  EXPECT_FALSE(panel->HiliteButton()->Visible());
  EXPECT_EQ(panel->MatchCase()->Left(), 330);
  grid->SearchFooter()->SetFindNextCaption("Next");
  EXPECT_EQ(panel->ForwardButton()->Caption(), "Next");
  grid->SearchFooter()->SetHintClose("Close it");
  EXPECT_TRUE(panel->ExitButton()->ShowHint);
  grid->SearchFooter()->SetVisible(false);
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(panel->Height(), 0);
}

TEST_F(GridSearchFooterPanel, TypingEnablesTheButtonsAndFindsFromTheStart) {
  EXPECT_FALSE(panel->ForwardButton()->Enabled());
  std::vector<int> actions;
  grid->OnSearchFooterAction = [&](TObject*, const String&, int, int ARow, int Action) { actions.push_back(Action * 100 + ARow); };
  edit->SetText("an");
  EXPECT_TRUE(panel->ForwardButton()->Enabled() && panel->BackwardButton()->Enabled() && panel->HiliteButton()->Enabled());
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->SearchCell, (TPoint{0, 1}));
  edit->SetText("anq");
  EXPECT_EQ(edit->Color(), clRed);
  EXPECT_EQ(grid->Row(), 1) << "nothing found: the current cell stays";
  edit->SetText("");
  EXPECT_EQ(edit->Color(), clWindow);
  EXPECT_FALSE(panel->ForwardButton()->Enabled());
  EXPECT_EQ(actions, (std::vector<int>{saFindFirst * 100 + 1, saFindFirst * 100 - 1}));
}

TEST_F(GridSearchFooterPanel, EnterGoesOnCtrlEnterGoesBackAndNothingIsInserted) {
  edit->SetText("an");
  edit->Perform(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(grid->SearchCell, (TPoint{0, 3}));
  edit->Perform(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(grid->SearchCell, (TPoint{1, 4})) << "column order: on into the next column";
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(grid->Col(), 1);
  SetKeyDown(VK_CONTROL, true);
  edit->Perform(WM_KEYDOWN, VK_RETURN);
  SetKeyDown(VK_CONTROL, false);
  EXPECT_EQ(grid->SearchCell, (TPoint{0, 3})) << "back into the first column";
  edit->Perform(WM_CHAR, 13);
  EXPECT_EQ(edit->Text(), "an");
  // Past the last match nothing is found; the next press starts over.
  edit->Perform(WM_KEYDOWN, VK_RETURN);
  edit->Perform(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(grid->SearchCell, (TPoint{-1, -1}));
  EXPECT_EQ(edit->Color(), clWindow) << "only typing colours the box";
  edit->Perform(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(grid->SearchCell, (TPoint{0, 1}));
}

TEST_F(GridSearchFooterPanel, TheHighlightButtonMarksEveryMatchUntilReleasedOrHidden) {
  edit->SetText("an");
  panel->HiliteButton()->SetDown(true);
  grid->SearchHighlightClick(panel);
  EXPECT_EQ(grid->Cells(0, 3), "<hi>An</hi>ser");
  EXPECT_EQ(grid->Cells(1, 4), "<hi>an</hi>");
  panel->HiliteButton()->SetDown(false);
  grid->SearchHighlightClick(panel);
  EXPECT_EQ(grid->Cells(0, 3), "Anser");

  panel->HiliteButton()->SetDown(true);
  grid->SearchHighlightClick(panel);
  grid->SearchFooter()->SetVisible(false);
  EXPECT_EQ(grid->Cells(0, 3), "Anser") << "hiding the footer removes the highlighting";
}

TEST_F(GridSearchFooterPanel, TheCloseButtonHidesTheFooterAndTellsTheOwner) {
  bool closed = false;
  grid->OnSearchFooterClose = [&](TObject*) { closed = true; };
  panel->ExitButton()->Click();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(grid->SearchFooter()->Visible());
  EXPECT_FALSE(panel->Visible());
}

TEST_F(GridSearchFooterPanel, ItPaintsItsColourWithAGridLineOnTop) {
  grid->SearchFooter()->SetColor(0x00FFFF);
  grid->SearchFooter()->SetColorTo(clNone);
  panel->SetBounds(0, 0, 200, 32);
  TBitmap bmp(200, 32);
  panel->PaintTo(bmp.Canvas());
  EXPECT_EQ(bmp.Canvas()->Pixel(100, 16), 0x00FFFF);
  EXPECT_EQ(bmp.Canvas()->Pixel(100, 0), grid->GridLineColor());
}

}  // namespace

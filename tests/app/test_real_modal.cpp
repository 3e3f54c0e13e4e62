// What a modal form or message box leaves behind and keeps going below it: the control that
// had the focus gets it back, and the windows below keep painting while the form or box is up
// (the window system asks the main window to draw itself again, as when a covering window
// moves, and the grid paints from the form's or box's own event loop).
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;
using Repaint = RealWindowTest;
using Focus = RealWindowTest;

TEST_F(Focus, ReturnsToTheControlThatHadItWhenTheModalFormEnds) {
  ClickAt(Zorvan->MainGrid, 100, 60);
  ASSERT_TRUE(HasFocus(Zorvan->MainGrid));
  WhenModal(ZorvanAbout, [] {
    EXPECT_FALSE(HasFocus(Zorvan->MainGrid));
    Click(ZorvanAbout->OKButton);
  });
  ChooseMenu(Zorvan->About1);
  EXPECT_TRUE(HasFocus(Zorvan->MainGrid));
  EXPECT_TRUE(Zorvan->MainGrid->Focused());
  // The grid takes keys again: a typed value lands in the current cell.
  Type(Zorvan->MainGrid, "7");
  Key(Zorvan->MainGrid, VK_RETURN);
  EXPECT_EQ(Zorvan->MainGrid->Cells(Zorvan->MainGrid->Col(), Zorvan->MainGrid->Row()), "7");
}

TEST_F(Repaint, MainWindowPaintsWhileAMessageBoxIsUp) {
  int before = PaintCount(Zorvan->MainGrid);
  bool painted = false;
  When([] { return MessageBoxUp(); }, [&] {
    Expose(Zorvan);
    When([&] { return PaintCount(Zorvan->MainGrid) > before; }, [&] {
      painted = true;
      AnswerMessageBox("Cancel");
    });
  });
  CloseBox(Zorvan);  // asks "Close Zorvan Professional?"
  EXPECT_TRUE(painted);
  EXPECT_FALSE(Application->Terminated());
  ExpectMainWindowUsable();
}

TEST_F(Repaint, MainWindowPaintsWhileAModalFormIsUp) {
  int before = PaintCount(Zorvan->MainGrid);
  bool painted = false;
  WhenModal(ZorvanAbout, [&] {
    Expose(Zorvan);
    When([&] { return PaintCount(Zorvan->MainGrid) > before; }, [&] {
      painted = true;
      Click(ZorvanAbout->OKButton);
    });
  });
  ChooseMenu(Zorvan->About1);
  EXPECT_TRUE(painted);
  ExpectMainWindowUsable();
}

}  // namespace

// Windows below a message box or a modal form keep painting: the window system asks the main
// window to draw itself again (as when a covering window moves) and the grid paints while the
// box or form is still up, from that box's or form's own event loop.
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;
using Repaint = RealWindowTest;

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

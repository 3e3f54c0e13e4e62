// The program's forms under the real window system: each opened through its menu item or
// button, operated, closed each way, and then the window below used again.
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;
using ProgramWindows = RealWindowTest;

TEST_F(ProgramWindows, AboutBoxClosesEachWayAndLeavesTheMainWindowWorking) {
  struct Way {
    const char* name;
    std::function<void()> close;
  };
  const Way ways[] = {
      {"OK button", [] { Click(ZorvanAbout->OKButton); }},
      {"Enter", [] { Key(ZorvanAbout, VK_RETURN); }},
      {"close box", [] { CloseBox(ZorvanAbout); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    bool shown = false;
    WhenModal(ZorvanAbout, [&] {
      shown = true;
      way.close();
    });
    ChooseMenu(Zorvan->About1);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(IsOnScreen(ZorvanAbout));
    ExpectMainWindowUsable();
  }
}

}  // namespace

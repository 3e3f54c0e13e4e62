// The program started as for a person, with real windows: every form created, the main
// window shown, input through the window system (see RealWindows.h).
#pragma once

#include <memory>

#include "support/ProgramFixture.h"
#include "support/RealWindows.h"

class RealWindowTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    scope_ = std::make_unique<RealWindows::Scope>();
    Zorvan->Show();
    RealWindows::Settle();
  }
  void TearDown() override {
    scope_.reset();
    ProgramTest::TearDown();
  }

  // The main window takes input again: no modal window is left, the main window is active,
  // and its menu opens the about box, which then closes by its OK button.
  void ExpectMainWindowUsable() {
    EXPECT_FALSE(RealWindows::AnyModalWindow());
    EXPECT_EQ(RealWindows::ActiveForm(), Zorvan);
    bool shown = false;
    RealWindows::WhenModal(ZorvanAbout, [&] {
      shown = true;
      RealWindows::Click(ZorvanAbout->OKButton);
    });
    RealWindows::ChooseMenu(Zorvan->About1);
    EXPECT_TRUE(shown) << "the main window's menu does not answer";
    EXPECT_FALSE(RealWindows::IsOnScreen(ZorvanAbout));
  }

  std::unique_ptr<RealWindows::Scope> scope_;
};

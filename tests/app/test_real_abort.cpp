// A long run under the real window system: the progress window's abort button stops it at
// once, its close box closes the window while the run goes on, and the program takes input
// afterwards, ready for the next run. Closing the main window stops the run and the program.
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "analysis/presence_absence/CoOccurrenceOptions.h"
#include "app/ProgressSims.h"
#include "classlib/ComCtrls.h"
#include "classlib/SysUtils.h"
#include "support/RealWindowFixture.h"

namespace {

using namespace RealWindows;

class LongRun : public RealWindowTest {
 protected:
  // A matrix big enough that each swap iteration costs real time: 120 x 120, a third filled.
  void SetUp() override {
    RealWindowTest::SetUp();
    TRivErodovOzar* g = Zorvan->MainGrid;
    const int n = 120;
    g->SetRowCount(n + 1);
    g->SetColCount(n + 1);
    for (int r = 1; r <= n; ++r) g->SetCells(0, r, "s" + IntToStr(r));
    for (int c = 1; c <= n; ++c) g->SetCells(c, 0, "p" + IntToStr(c));
    for (int r = 1; r <= n; ++r)
      for (int c = 1; c <= n; ++c) g->SetCells(c, r, (r * 7 + c * 13) % 3 == 0 ? "1" : "0");
  }

  // Launches co-occurrence through the menu with Iterations set, presses Run, and lets
  // OnProgress act once the progress window is up. Returns whether the results came up.
  bool RunCoOccurrence(const String& Iterations, std::function<void()> OnProgress) {
    WhenModal(CoOccurrenceOpts, [&] {
      CoOccurrenceOpts->IterationsEdit->SetText(Iterations);
      // Once the run is well under way.
      When([] { return IsOnScreen(Progress) && Progress->ProgressBar1->Position() >= 20; }, OnProgress);
      ChooseMenu(CoOccurrenceOpts->Run1);
    });
    bool results = false;
    WhenModal(CoOccurrence, [&] {
      results = true;
      CloseBox(CoOccurrence);
    });
    ChooseMenu(Zorvan->CoOccurrence1);
    if (!results) {
      // The pending wait for the results window must not reach the next step.
      CoOccurrence->SetVisible(false);
    }
    return results;
  }
};

TEST_F(LongRun, AbortButtonStopsTheRunAndTheNextRunWorks) {
  int stoppedAt = -1;
  bool results = RunCoOccurrence("100000", [&] {
    Click(Progress->InterruptButton);
    stoppedAt = Progress->ProgressBar1->Position();
  });
  EXPECT_FALSE(results);
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_FALSE(IsOnScreen(Progress));
  // The click is handled inside the run's own message step: the run stops within an
  // iteration of it, nowhere near its end.
  EXPECT_GE(stoppedAt, 20);
  EXPECT_LE(Progress->ProgressBar1->Position(), stoppedAt + 1);
  ExpectMainWindowUsable();

  // A second, short run goes to the end and shows its results.
  EXPECT_TRUE(RunCoOccurrence("40", [] {}));
  EXPECT_FALSE(Zorvan->InterruptFlag);
  ExpectMainWindowUsable();
}

// OK on "Close Zorvan Professional?" during a long run: the run stops within an iteration,
// as after the abort button, with no results, and the program is ending.
TEST_F(LongRun, ClosingTheMainWindowStopsTheRunAndEndsTheProgram) {
  String asked;
  int closedAt = -1;
  bool results = RunCoOccurrence("100000", [&] {
    AnswerMessageBox("OK", [&](const String& text) { asked = text; });
    CloseBox(Zorvan);
    closedAt = Progress->ProgressBar1->Position();
  });
  EXPECT_FALSE(results);
  EXPECT_EQ(asked, "Close Zorvan Professional?");
  EXPECT_GE(closedAt, 20);
  EXPECT_LE(Progress->ProgressBar1->Position(), closedAt + 1);
  EXPECT_TRUE(Zorvan->InterruptFlag);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(IsOnScreen(Progress));
  EXPECT_FALSE(IsOnScreen(Zorvan));
  EXPECT_FALSE(AnyModalWindow());
  EXPECT_EQ(Zorvan->BatchGrid->RowCount(), 1);
}

TEST_F(LongRun, CloseBoxClosesTheProgressWindowWhileTheRunGoesOn) {
  bool closedAtOnce = false;
  bool results = RunCoOccurrence("60000", [&] {
    CloseBox(Progress);
    closedAtOnce = !IsOnScreen(Progress);
  });
  EXPECT_TRUE(closedAtOnce);
  EXPECT_TRUE(results);
  EXPECT_FALSE(Zorvan->InterruptFlag);
  ExpectMainWindowUsable();
}

}  // namespace

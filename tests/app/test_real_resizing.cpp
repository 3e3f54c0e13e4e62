// Windows resized by the window system (maximised, restored, dragged to a size) and from code:
// the forms take the window's size, lay their controls out again and every view follows.
#include "analysis/presence_absence/CoOccurrenceMain.h"
#include "support/RealWindowFixture.h"

// Rectangles in failure messages as "(left,top widthxheight)".
void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << "," << r.Top << " " << r.Width() << "x" << r.Height() << ")";
}

namespace {

using namespace RealWindows;
using Resizing = RealWindowTest;

// The form holds its window's geometry, the window's client area fills it below the menu bar,
// and every control's view sits where the control is, hidden ones included.
void ExpectViewsMatch(TControl* Control) {
  SCOPED_TRACE(Control->Name());
  EXPECT_EQ(ViewBounds(Control), Control->BoundsRect());
  if (auto* w = dynamic_cast<TWinControl*>(Control))
    for (int i = 0; i < w->ControlCount(); ++i) ExpectViewsMatch(w->Controls(i));
}

void ExpectWindowMatches(TCustomForm* Form) {
  ExpectViewsMatch(Form);
  TRect client = ShownClientArea(Form);
  EXPECT_EQ(client.Width(), Form->ClientWidth());
  EXPECT_EQ(client.Height(), Form->ClientHeight());
  EXPECT_EQ(client.Right, Form->Width());
  EXPECT_EQ(client.Bottom, Form->Height());
}

// The control fills its parent's client area.
void ExpectFills(TControl* Control) {
  SCOPED_TRACE(Control->Name());
  EXPECT_EQ(Control->BoundsRect(), Bounds(0, 0, Control->Parent()->ClientWidth(), Control->Parent()->ClientHeight()));
}

TEST_F(Resizing, TheMainWindowMaximisedRestoredAndShrunkKeepsItsGridFillingIt) {
  TRect design = Zorvan->BoundsRect();
  Maximize(Zorvan);
  EXPECT_EQ(Zorvan->WindowState(), wsMaximized);
  EXPECT_NE(Zorvan->BoundsRect(), design);
  ExpectFills(Zorvan->MainGrid);
  ExpectWindowMatches(Zorvan);

  Restore(Zorvan);
  EXPECT_EQ(Zorvan->WindowState(), wsNormal);
  EXPECT_EQ(Zorvan->Width(), design.Width());
  EXPECT_EQ(Zorvan->Height(), design.Height());
  ExpectFills(Zorvan->MainGrid);
  ExpectWindowMatches(Zorvan);

  ResizeWindow(Zorvan, 420, 260);
  EXPECT_EQ(Zorvan->Width(), 420);
  EXPECT_EQ(Zorvan->Height(), 260);
  EXPECT_EQ(Zorvan->MainGrid->BoundsRect(), Bounds(0, 0, 420, 260 - 22));
  ExpectWindowMatches(Zorvan);
  ExpectMainWindowUsable();
}

TEST_F(Resizing, BatchModeControlsShareTheMaximisedWindow) {
  ChooseMenu(Zorvan->Batch1);
  ASSERT_TRUE(Zorvan->BatchSwitch);
  Maximize(Zorvan);
  int w = Zorvan->ClientWidth(), h = Zorvan->ClientHeight();
  int left = Zorvan->BatchGroupBox->Width();
  EXPECT_EQ(Zorvan->BatchGroupBox->BoundsRect(), Bounds(0, 0, left, h));
  EXPECT_EQ(Zorvan->BatchSummaryBox->BoundsRect(), Bounds(left, 0, w - left, h));
  ExpectWindowMatches(Zorvan);
  ChooseMenu(Zorvan->Batch1);
  EXPECT_FALSE(Zorvan->BatchSwitch);
  ExpectFills(Zorvan->MainGrid);
  ExpectWindowMatches(Zorvan);
}

TEST_F(Resizing, WindowStateFromCodeMaximisesAndRestoresTheWindow) {
  TRect design = Zorvan->BoundsRect();
  Zorvan->SetWindowState(wsMaximized);
  Settle();
  EXPECT_TRUE(IsMaximized(Zorvan));
  EXPECT_NE(Zorvan->BoundsRect(), design);
  ExpectWindowMatches(Zorvan);
  Zorvan->SetWindowState(wsNormal);
  Settle();
  EXPECT_FALSE(IsMaximized(Zorvan));
  EXPECT_EQ(Zorvan->Width(), design.Width());
  EXPECT_EQ(Zorvan->Height(), design.Height());
  ExpectWindowMatches(Zorvan);

  // A hidden window comes up maximised.
  CoOccurrence->SetWindowState(wsMaximized);
  CoOccurrence->Show();
  Settle();
  EXPECT_TRUE(IsMaximized(CoOccurrence));
  ExpectWindowMatches(CoOccurrence);
  CoOccurrence->Hide();
}

TEST_F(Resizing, TheResultsWindowGrowsAndShrinksItsPagesGridsAndMemos) {
  TPageControl* pages = CoOccurrence->PageControl1;
  struct Size {
    int width, height;
    bool byWindow;  // else from code
  };
  bool shown = false;
  // Shown modally, as a run shows it.
  WhenModal(CoOccurrence, [&] {
    shown = true;
    for (Size s : {Size{1000, 760, true}, Size{380, 300, true}, Size{500, 420, false}, Size{900, 640, false}}) {
      SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height) +
                   (s.byWindow ? " by the window" : " by code"));
      if (s.byWindow) {
        ResizeWindow(CoOccurrence, s.width, s.height);
      } else {
        CoOccurrence->SetWidth(s.width);
        CoOccurrence->SetHeight(s.height);
        Settle();
      }
      EXPECT_EQ(CoOccurrence->Width(), s.width);
      EXPECT_EQ(CoOccurrence->Height(), s.height);
      ExpectFills(pages);
      TRect display = pages->DisplayRect();
      for (int i = 0; i < pages->PageCount(); ++i) EXPECT_EQ(pages->Pages(i)->BoundsRect(), display);
      for (TControl* c : std::initializer_list<TControl*>{CoOccurrence->InputGrid, CoOccurrence->SimulationGrid,
                                                          CoOccurrence->ResponseGrid, CoOccurrence->RivErodovOzar1,
                                                          CoOccurrence->Memo1, CoOccurrence->TimeMemo})
        ExpectFills(c);
      ExpectWindowMatches(CoOccurrence);
    }
    // The memo of a page brought to the front shows at the new size.
    ClickTab(pages, "Summary");
    EXPECT_EQ(pages->ActivePage(), CoOccurrence->SummarySheet);
    EXPECT_TRUE(ControlOnScreen(CoOccurrence->Memo1));
    TRect display = pages->DisplayRect();
    EXPECT_EQ(ViewBounds(CoOccurrence->Memo1), Bounds(0, 0, display.Width(), display.Height()));
    CloseBox(CoOccurrence);
  });
  CoOccurrence->ShowModal();
  Settle();
  EXPECT_TRUE(shown);
  EXPECT_FALSE(IsOnScreen(CoOccurrence));
  ExpectMainWindowUsable();
}

}  // namespace

// Page control, progress bar, track bar and timer behaviours the program relies on.
#include <gtest/gtest.h>

#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

namespace {

struct Pages {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TPageControl* control = nullptr;
  std::vector<TTabSheet*> sheets;
  explicit Pages(std::vector<String> captions) {
    control = New<TPageControl>(form.get());
    control->SetParent(form.get());
    for (auto& c : captions) {
      auto* sheet = New<TTabSheet>(form.get());
      sheet->SetCaption(c);
      sheet->SetPageControl(control);
      sheets.push_back(sheet);
    }
  }
};

TEST(PageControl, HiddenTabsAreSkippedAndCannotBeActive) {
  Pages p({"Input Matrix", "Degenerate Index", "Pairwise", "Time"});
  EXPECT_EQ(p.control->PageCount(), 4);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[0]);
  p.sheets[1]->SetTabVisible(false);
  p.control->SetActivePage(p.sheets[1]);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[0]);
  EXPECT_EQ(p.sheets[2]->TabIndex(), 1);
  EXPECT_EQ(p.sheets[1]->TabIndex(), -1);
  EXPECT_EQ(p.sheets[1]->PageIndex(), 1);

  p.control->SetActivePageIndex(2);
  EXPECT_TRUE(p.sheets[2]->Visible());
  EXPECT_FALSE(p.sheets[0]->Visible());
  p.sheets[2]->SetTabVisible(false);  // hiding the active tab moves on to the next shown
  EXPECT_EQ(p.control->ActivePage(), p.sheets[3]);
  for (auto* s : p.sheets) s->SetTabVisible(false);
  EXPECT_EQ(p.control->ActivePage(), nullptr);
  EXPECT_EQ(p.control->ActivePageIndex(), -1);
  p.sheets[1]->SetTabVisible(true);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[1]);
}

TEST(PageControl, OnlyAPersonsChangeRunsTheEventsAndOnChangingMayRefuse) {
  Pages p({"Input", "Results"});
  String log;
  p.control->OnChange = [&](TObject*) { log += "change;"; };
  p.control->SetActivePage(p.sheets[1]);
  EXPECT_EQ(log, "");
  TRect tab = p.control->TabRect(0);
  p.control->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(tab.Left + 3, tab.Top + 3));
  p.control->Perform(WM_LBUTTONUP, 0, MakeLParam(tab.Left + 3, tab.Top + 3));
  EXPECT_EQ(p.control->ActivePage(), p.sheets[0]);
  EXPECT_EQ(log, "change;");
  p.control->OnChanging = [](TObject*, bool& allow) { allow = false; };
  SendMessage(p.control->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[0]);
  delete p.sheets[0];
  EXPECT_EQ(p.control->PageCount(), 1);
  EXPECT_EQ(p.control->ActivePage(), p.sheets[1]);
}

TEST(ProgressBar, PositionIsClampedAndStepItStartsOverPastMax) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  auto* bar = New<TProgressBar>(form.get());
  bar->SetMax(5);
  bar->SetStep(1);
  for (int i = 0; i < 5; ++i) bar->StepIt();
  EXPECT_EQ(bar->Position(), 5);  // exactly Max stays
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 1);
  bar->SetStep(3);
  bar->SetPosition(4);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 2);
  bar->SetPosition(99);
  EXPECT_EQ(bar->Position(), 5);
  bar->SetPosition(-3);
  EXPECT_EQ(bar->Position(), 0);
  bar->SetPosition(5);
  bar->SetMax(2);  // a smaller maximum pulls the position in
  EXPECT_EQ(bar->Position(), 2);
  bar->SetMax(0);  // the 0..0 bar of the status window
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 0);
}

TEST(TrackBar, OnChangeRunsForEveryPositionChangeIncludingClamping) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  auto* track = New<TTrackBar>(form.get());
  std::vector<int> seen;
  track->OnChange = [&](TObject*) { seen.push_back(track->Position()); };
  track->SetPosition(8);
  track->SetPosition(8);
  track->SetMax(5);
  SendMessage(track->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  track->SetPosition(-4);
  EXPECT_EQ(seen, (std::vector<int>{8, 5, 4, 0}));
}

TEST(Timer, FiresOnTheProgramsClockWhileEnabled) {
  TManualClock clock;
  SetClockSource(&clock);
  int ticks = 0;
  {
    TTimer timer(nullptr);
    timer.SetInterval(100);
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    clock.Advance(99);
    Application->ProcessMessages();
    EXPECT_EQ(ticks, 0);
    clock.Advance(1);
    Application->ProcessMessages();
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(false);
    clock.Advance(500);
    Application->ProcessMessages();
  }
  clock.Advance(500);
  Application->ProcessMessages();
  SetClockSource(nullptr);
  EXPECT_EQ(ticks, 1);
}

}  // namespace

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/Picture.h"

namespace {

TEST(Image, PaintsItsPictureAtItsSizeCentredOrStretchedToShape) {
  TBitmap red;
  red.SetSize(4, 2);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(Rect(0, 0, 4, 2));
  TImage image(nullptr);
  image.SetBounds(0, 0, 20, 20);
  image.Picture()->SetGraphic(&red);
  EXPECT_EQ(image.DestRect(), Rect(0, 0, 4, 2));
  image.SetCenter(true);
  EXPECT_EQ(image.DestRect(), Rect(8, 9, 12, 11));
  image.SetStretch(true);
  image.SetProportional(true);
  EXPECT_EQ(image.DestRect(), Rect(0, 5, 20, 15));

  TBitmap target;
  target.SetSize(20, 20);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(Rect(0, 0, 20, 20));
  image.PaintTo(target.Canvas());
  EXPECT_EQ(target.Canvas()->Pixel(10, 10), clRed);
  EXPECT_EQ(target.Canvas()->Pixel(10, 2), clWhite);
}

}  // namespace

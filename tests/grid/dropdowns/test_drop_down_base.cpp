// The drop-down edit base without a window system: its defaults and looks, the opening and
// closing protocol (placement on the screen's work area, automatic and remembered sizes, the
// keys that open and close, the guard against re-opening by the press that closed it), the
// pop-up's header and footer with their buttons, corner sizing, and the drawing routines.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownButtons.h"
#include "grid/dropdowns/RivDropDownDraw.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownStrips.h"

namespace {

// A screen of 1024 x 768 whose work area leaves a 40-pixel panel at the bottom.
TScreenMetrics TestScreen() {
  TScreenMetrics m;
  m.Width = 1024;
  m.Height = 768;
  m.WorkArea = Rect(0, 0, 1024, 728);
  return m;
}

struct DropDownFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivCustomDropDown* dd = nullptr;
  TPanel* content = nullptr;
  TManualClock clock;
  std::vector<String> events;

  void SetUp() override {
    SetClockSource(&clock);
    SetScreenMetrics(TestScreen());
    form->SetBounds(100, 100, 400, 300);
    dd = New<TRivCustomDropDown>(form.get());
    dd->SetParent(form.get());
    dd->SetBounds(10, 10, 200, 24);
    content = New<TPanel>(form.get());
    content->SetBounds(0, 0, 150, 100);
    dd->SetDropDownControl(content);
    dd->OnDropUp = [this](TObject*, bool Cancelled) { events.push_back(Cancelled ? "up cancelled" : "up"); };
    form->Show();
    dd->SetFocus();
  }
  void TearDown() override {
    form.reset();
    SetScreenMetrics(std::nullopt);
    SetClockSource(nullptr);
    SetKeyDown(VK_MENU, false);
  }
  TDropDownForm* Popup() const { return dd->DropDownForm(); }
  bool Open() const { return Popup()->Visible(); }
  void Key(Word vk) { KeyInput(dd, WM_KEYDOWN, vk); }
  // A press and release of the left button inside a control.
  static void ClickOn(TControl* c) {
    c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(2, 2));
    c->Perform(WM_LBUTTONUP, 0, MakeLParam(2, 2));
  }
};

TEST_F(DropDownFixture, StartsWithTheOffice2007LunaLookAndItsVersion) {
  EXPECT_EQ(dd->Version(), "1.1.1.4");
  EXPECT_EQ(dd->GetComponentStyle(), tsOffice2007Luna);
  EXPECT_EQ(dd->DropDownColor(), 0xF3E5DA);
  EXPECT_EQ(dd->DropDownColorTo(), 0xF0DED0);
  EXPECT_EQ(dd->DropDownBorderColor(), clNone);
  EXPECT_EQ(dd->DropDownHeader()->Color(), 0xFFEFE3);
  EXPECT_EQ(dd->DropDownFooter()->ColorTo(), 0xFFD2AF);
  EXPECT_EQ(dd->DropDownHeader()->Font()->Color(), 0x723708);
  EXPECT_EQ(dd->ButtonAppearance()->Color(), 0xFFEFE3);
  EXPECT_EQ(dd->ButtonAppearance()->ColorHot(), 0xEBFDFF);
  EXPECT_EQ(dd->SelectionColor(), 0xD7FFFD);
  EXPECT_EQ(dd->SelectionColorTo(), 0x58D4FC);
  EXPECT_FALSE(dd->DroppedDown());
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->Text(), "");
  // The button sits at the right edge inside the border and the text stops before it.
  EXPECT_EQ(dd->Button()->BoundsRect(), Bounds(200 - 17 - 4, 0, 17, 20));
  EXPECT_EQ(dd->EditRect(), Rect(1, 1, 200 - 17 - 3, 25));
}

TEST_F(DropDownFixture, LooksSetPopupStripAndButtonColours) {
  dd->SetComponentStyle(tsOffice2003Blue);
  EXPECT_EQ(dd->DropDownHeader()->BorderColor(), 0x000000);
  EXPECT_EQ(dd->DropDownFooter()->BorderColor(), 0x962D00);
  EXPECT_EQ(dd->DropDownBorderColor(), clNone) << "kept from before";
  dd->SetComponentStyle(tsWindowsVista);
  EXPECT_EQ(dd->DropDownHeader()->Color(), 0xFFFDF9);
  EXPECT_EQ(dd->DropDownFooter()->Color(), 0xFFFAF0) << "header and footer gradients swapped";
  EXPECT_EQ(dd->DropDownBorderColor(), 0x979797);
  EXPECT_EQ(dd->ButtonAppearance()->BorderColorChecked(), 0xFEDF9A);
  EXPECT_EQ(dd->ButtonAppearance()->BorderColorDown(), 0xFEDF9A);
  dd->SetComponentStyle(tsOffice2010Black);
  EXPECT_EQ(dd->ButtonAppearance()->ColorHot(), 0x8AE3FD);
  EXPECT_EQ(dd->ButtonAppearance()->ColorHotTo(), clNone);
  const TColor header = dd->DropDownHeader()->Color();
  dd->SetComponentStyle(tsCustom);
  EXPECT_EQ(dd->GetComponentStyle(), tsCustom);
  EXPECT_EQ(dd->DropDownHeader()->Color(), header);
  dd->SetSelectionColorStyle(scWindows7);
  EXPECT_EQ(dd->SelectionColor(), 0xFCEBDC);
  dd->SetSelectionColorStyle(scCustom);
  EXPECT_EQ(dd->SelectionColor(), 0xFCEBDC) << "custom keeps the colours";
}

TEST_F(DropDownFixture, OpensBelowTheEditSizedFromHeaderFooterAndContent) {
  Key(VK_F4);
  ASSERT_TRUE(Open());
  EXPECT_TRUE(dd->DroppedDown());
  // 2 x border 1 + header 22 + footer 22 + content 100.
  EXPECT_EQ(Popup()->Height(), 146);
  EXPECT_EQ(Popup()->Width(), 150);
  // The edit's top-left on the screen is (110, 110); the pop-up overlaps its bottom line.
  EXPECT_EQ(Popup()->Left(), 110);
  EXPECT_EQ(Popup()->Top(), 110 + 24 - 1);
  EXPECT_EQ(content->Parent(), Popup());
  EXPECT_EQ(content->Align(), alClient);
  ASSERT_NE(Popup()->Header(), nullptr);
  ASSERT_NE(Popup()->Footer(), nullptr);
  EXPECT_EQ(Popup()->Header()->BoundsRect(), Rect(1, 1, 149, 23)) << "inside the frame";
  EXPECT_EQ(content->BoundsRect(), Rect(1, 23, 149, 123));
  Key(VK_F4);
  EXPECT_FALSE(Open());
  EXPECT_FALSE(dd->DroppedDown());
  EXPECT_EQ(events, std::vector<String>{"up"});
}

TEST_F(DropDownFixture, PlacementStaysInsideTheWorkArea) {
  struct Case {
    int editTop;
    TDropPosition position;
    int popupTop;
  };
  // The screen's work area ends at 728; the pop-up is 146 high, the edit 24.
  const Case cases[] = {
      {400, dpAuto, 100 + 400 + 23},  // fits below
      {560, dpAuto, 100 + 560 - 146}, // would end at 683 + 146 > 728: above
      {0, dpUp, 100 - 146},           // asked for above
      {560, dpDown, 100 + 560 + 23},  // asked for below
  };
  for (const Case& c : cases) {
    dd->SetDropPosition(c.position);
    dd->SetTop(c.editTop);
    dd->ShowDropDown();
    EXPECT_EQ(Popup()->Top(), c.popupTop) << "edit top " << c.editTop;
    dd->HideDropDown(false);
  }
  // Too wide for the space right of the edit: moved left to end at the work area's edge.
  dd->SetDropPosition(dpAuto);
  dd->SetTop(10);
  dd->SetLeft(900);
  dd->ShowDropDown();
  EXPECT_EQ(Popup()->Left() + Popup()->Width(), 1024);
}

TEST_F(DropDownFixture, EscapeRestoresTheLastAppliedValueAndEnterKeepsTheNewOne) {
  dd->SetText("first");
  Key(VK_F4);
  dd->AssignText("typed");
  Key(VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->Text(), "first");
  Key(VK_F4);
  dd->AssignText("typed");
  Key(VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->Text(), "typed");
  EXPECT_EQ(events, (std::vector<String>{"up cancelled", "up"}));
}

TEST_F(DropDownFixture, AltDownAndAltUpToggleThePopupOnce) {
  SetKeyDown(VK_MENU, true);
  Key(VK_DOWN);
  EXPECT_TRUE(Open());
  Key(VK_UP);
  EXPECT_FALSE(Open());
  // A system key reaches the key-down event only.
  Word key = VK_DOWN;
  dd->Perform(WM_SYSKEYDOWN, key, 0);
  EXPECT_TRUE(Open());
  SetKeyDown(VK_MENU, false);
  // Keys typed while the pop-up has the keyboard reach the edit.
  Word esc = VK_ESCAPE;
  Popup()->OnKeyDown(Popup(), esc, TShiftState());
  EXPECT_FALSE(Open());
}

TEST_F(DropDownFixture, RefusesToOpenWhenDisabledReadOnlyOrVetoed) {
  dd->SetEnabled(false);
  dd->ShowDropDown();
  EXPECT_FALSE(Open());
  dd->SetEnabled(true);
  dd->SetReadOnly(true);
  dd->ShowDropDown();
  EXPECT_FALSE(Open());
  dd->SetReadOnly(false);
  int before = 0;
  dd->OnBeforeDropDown = [&before](TObject*) { ++before; };
  dd->OnDropDown = [](TObject*, bool& accept) { accept = false; };
  dd->ShowDropDown();
  EXPECT_FALSE(Open());
  EXPECT_FALSE(dd->DroppedDown());
  EXPECT_EQ(before, 1);
}

TEST_F(DropDownFixture, ThePressThatClosedThePopupDoesNotOpenItAgain) {
  dd->ShowDropDown();
  dd->SetText("kept");
  dd->AssignText("changed");
  // Another window takes the activation: the pop-up closes as cancelled.
  Popup()->Deactivate(form->Handle());
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->Text(), "kept");
  // The same press reaches the drop-down button within 250 ms.
  clock.Advance(100);
  dd->Button()->OnClick(dd->Button());
  EXPECT_FALSE(Open());
  clock.Advance(200);
  dd->Button()->OnClick(dd->Button());
  EXPECT_TRUE(Open());
  // A window inside the pop-up taking the activation leaves it open.
  Popup()->Deactivate(content->Handle());
  EXPECT_TRUE(Open());
  Popup()->SetCancelOnDeActivate(false);
  dd->AssignText("accepted");
  Popup()->Deactivate(nullptr);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->Text(), "accepted");
}

TEST_F(DropDownFixture, TheUserSizeIsRememberedUntilTheSizeIsSetAgain) {
  dd->ShowDropDown();
  Popup()->SetBounds(Popup()->Left(), Popup()->Top(), 300, 200);
  dd->HideDropDown(false);
  dd->ShowDropDown();
  EXPECT_EQ(Popup()->Width(), 300);
  EXPECT_EQ(Popup()->Height(), 200);
  dd->HideDropDown(false);
  dd->SetDropDownWidth(250);
  dd->ShowDropDown();
  EXPECT_EQ(Popup()->Width(), 250);
  EXPECT_EQ(Popup()->Height(), 200) << "the remembered height stays";
}

TEST_F(DropDownFixture, TheFooterGripSizesThePopupWithinItsMinimum) {
  int sizing = 0;
  Popup()->OnSizing = [&sizing](TObject*) { ++sizing; };
  dd->ShowDropDown();
  TRivFooter* footer = Popup()->Footer();
  ASSERT_NE(footer, nullptr);
  EXPECT_TRUE(footer->SizeGripShown());
  const TPoint grip{footer->Width() - 3, footer->Height() - 3};
  footer->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(grip.X, grip.Y));
  ASSERT_TRUE(Popup()->Sizing());
  const TPoint start = footer->ClientToScreen(grip);
  Popup()->SizingMoveTo(TPoint{start.X + 50, start.Y + 30});
  EXPECT_EQ(Popup()->Width(), 200);
  EXPECT_EQ(Popup()->Height(), 176);
  Popup()->SizingMoveTo(TPoint{start.X - 500, start.Y - 500});
  EXPECT_EQ(Popup()->Width(), 80);
  EXPECT_EQ(Popup()->Height(), 50);
  Popup()->EndSizing();
  EXPECT_GE(sizing, 2);
  // Without a sizeable drop-down the grip neither shows nor sizes, and the buttons reach
  // further right.
  dd->HideDropDown(false);
  dd->SetDropDownSizeable(false);
  dd->ShowDropDown();
  EXPECT_FALSE(Popup()->Footer()->SizeGripShown());
}

TEST_F(DropDownFixture, HeaderAndFooterButtonsAreLaidOutAndReportTheirIndex) {
  for (const char* caption : {"One", "Two", "Three"}) dd->DropDownHeader()->Buttons()->Add()->SetCaption(caption);
  TFooterButton* cancel = dd->DropDownFooter()->Buttons()->Add();
  cancel->SetCaption("Cancel");
  cancel->SetModalResult(mrCancel);
  TFooterButton* retry = dd->DropDownFooter()->Buttons()->Add();
  retry->SetCaption("Retry");
  retry->SetModalResult(mrRetry);
  std::vector<int> clicks;
  dd->OnDropDownHeaderButtonClick = [&clicks](TObject*, int Index) { clicks.push_back(Index); };
  dd->OnDropDownFooterButtonClick = [&clicks](TObject*, int Index) { clicks.push_back(100 + Index); };
  dd->SetText("before");
  dd->ShowDropDown();
  TDbgList* header = Popup()->Header()->ButtonList();
  ASSERT_EQ(header->Count(), 3);
  auto* one = static_cast<TRivButton*>(header->Items(0));
  auto* three = static_cast<TRivButton*>(header->Items(2));
  EXPECT_EQ(one->Left() + one->Width(), Popup()->Header()->Width() - 2) << "the first button is the rightmost";
  EXPECT_LT(three->Left(), one->Left());
  EXPECT_EQ(one->Height(), std::min(one->Height(), 22 - 5));
  ClickOn(three);
  EXPECT_TRUE(Open());
  // Retry (4) does not close; Cancel (2) closes as cancelled.
  TDbgList* footer = Popup()->Footer()->ButtonList();
  ClickOn(static_cast<TRivButton*>(footer->Items(1)));
  EXPECT_TRUE(Open());
  dd->AssignText("changed");
  ClickOn(static_cast<TRivButton*>(footer->Items(0)));
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->Text(), "before");
  EXPECT_EQ(clicks, (std::vector<int>{2, 101, 100}));
  // The keyboard applies the modal result without the click event.
  dd->ShowDropDown();
  Popup()->Footer()->ButtonList()->Items(0);
  static_cast<TRivButton*>(Popup()->Footer()->ButtonList()->Items(0))->Perform(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(Open());
  EXPECT_EQ(clicks.size(), 3u);
  EXPECT_THROW(Popup()->Footer()->ButtonList()->Items(5), Exception);
}

TEST_F(DropDownFixture, AHiddenHeaderGivesTheContentTheRoomAndItsHeightFollowsTheSettings) {
  dd->DropDownHeader()->SetVisible(false);
  dd->ShowDropDown();
  EXPECT_EQ(Popup()->Header(), nullptr) << "a hidden header is not made";
  EXPECT_EQ(Popup()->Height(), 2 + 22 + 100);
  dd->HideDropDown(false);
  dd->DropDownHeader()->SetVisible(true);
  dd->DropDownHeader()->SetHeight(30);
  dd->SetDropDownHeight(0);
  dd->ShowDropDown();
  ASSERT_NE(Popup()->Header(), nullptr);
  EXPECT_EQ(Popup()->Header()->Height(), 30);
  dd->HideDropDown(false);
  dd->DropDownHeader()->SetHeight(40);
  dd->ShowDropDown();
  EXPECT_EQ(Popup()->Header()->Height(), 40) << "applied at every opening";
}

TEST_F(DropDownFixture, TheEditorDisabledOpensOnAClickAndTypesNothing) {
  dd->SetEditorEnabled(false);
  dd->SetText("fixed");
  dd->Perform(WM_CHAR, 'x', 0);
  EXPECT_EQ(dd->Text(), "fixed");
  Key(VK_DELETE);
  EXPECT_EQ(dd->Text(), "fixed");
  dd->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
  dd->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 5));
  EXPECT_TRUE(Open());
}

TEST(DropDownDrawing, GradientBandsStepFromColorTowardsColorTo) {
  TBitmap bitmap(101, 10);
  std::vector<TCanvasCall> calls;
  bitmap.Canvas()->SetRecording(&calls);
  FillGradientRect(bitmap.Canvas(), 0x000000, 0x0000FF, 4, Rect(0, 0, 101, 10), true);
  ASSERT_EQ(calls.size(), 4u);
  // The right edge loses a pixel: bands 25 wide, drawn 26 wide so none leaves a gap.
  EXPECT_EQ(calls[0].Points[0], (TPoint{0, 0}));
  EXPECT_EQ(calls[0].Points[1], (TPoint{26, 10}));
  EXPECT_EQ(calls[1].Points[0], (TPoint{25, 0}));
  EXPECT_EQ(calls[3].BrushColor, RGB(191, 0, 0)) << "three quarters of the way, never the end colour";
  calls.clear();
  FillGradientRect(bitmap.Canvas(), 0x112233, 0xFFFFFF, 0, Rect(0, 0, 101, 10), false);
  ASSERT_EQ(calls.size(), 1u) << "no steps draw one band";
  EXPECT_EQ(calls[0].BrushColor, 0x112233);
}

TEST(DropDownDrawing, ColoursBlendAndScale) {
  EXPECT_EQ(BlendColor(0x0000FF, 0xFFFFFF, 20), RGB(255, 204, 204));
  EXPECT_EQ(BlendColor(0x123456, 0x654321, 100), 0x123456);
  EXPECT_EQ(BlendColor(0x123456, 0x654321, 0), 0x654321);
  EXPECT_EQ(ScaleColorChannels(0xF5F0E1, -10, -10, 0), 0xF5D8CA);
  EXPECT_EQ(ScaleColorChannels(0x000000, 20, -5, 0), RGB(20, 0, 0));
  TRivButtonAppearance appearance;
  EXPECT_EQ(appearance.ColorChecked(), 0xF5D8CA);
  EXPECT_EQ(appearance.ColorCheckedTo(), 0xF9BDA0);
}

TEST(DropDownDrawing, TextIsMeasuredAndFitted) {
  TBitmap bitmap(10, 10);
  TCanvas* c = bitmap.Canvas();
  EXPECT_EQ(TextExtent(c, ""), TSize{});
  const TSize size = TextExtent(c, "Hello world");
  EXPECT_GT(size.cx, 0);
  String fitted;
  FitText(c, "Hello world", size.cx + 1, true, fitted);
  EXPECT_EQ(fitted, "Hello world");
  FitText(c, "Hello world", size.cx / 2, true, fitted);
  EXPECT_LT(TextExtent(c, fitted).cx, size.cx / 2);
  EXPECT_EQ(fitted.substr(fitted.size() - 3), "...");
  FitText(c, "Hello world", 1, true, fitted);
  EXPECT_EQ(fitted, "Hello world") << "nothing fits: the whole text";
}

}  // namespace

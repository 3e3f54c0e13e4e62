// The grid's small painted controls: arrow outlines, the office-look button's looks, groups,
// drop-down part and painting, the painted check box, and the button gradient.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "grid/base/RivObjControls.h"

namespace {

void Press(TControl* c, int x, int y) {
  c->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
  c->Perform(WM_LBUTTONUP, 0, MakeLParam(x, y));
}

struct OnPanel : ::testing::Test {
  std::unique_ptr<TPanel> panel{New<TPanel>(nullptr)};
  TRivGridButton* Button(int group = 0) {
    auto* b = New<TRivGridButton>(panel.get());
    b->SetParent(panel.get());
    b->SetGroupIndex(group);
    return b;
  }
};

}  // namespace

TEST(GridAuxControls, ButtonGradientStripsAndFrame) {
  TBitmap bmp(20, 20);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(Rect(0, 0, 20, 20));
  // Steps 0: one strip of the start colour, no frame with clNone.
  DrawButtonGradient(bmp.Canvas(), clRed, clBlue, false, Rect(2, 2, 12, 12), 0, clNone);
  EXPECT_EQ(bmp.Canvas()->Pixel(2, 2), clRed);
  EXPECT_EQ(bmp.Canvas()->Pixel(11, 11), clRed);
  EXPECT_EQ(bmp.Canvas()->Pixel(11, 12), clRed) << "a strip is one pixel longer";
  // Two horizontal strips of 5 from black to white: the second is half way; framed in green.
  DrawButtonGradient(bmp.Canvas(), clBlack, clWhite, true, Rect(0, 14, 10, 20), 2, clGreen);
  EXPECT_EQ(bmp.Canvas()->Pixel(2, 16), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixel(7, 16), RGB(128, 128, 128));  // 127.5 rounds to even
  EXPECT_EQ(bmp.Canvas()->Pixel(0, 14), clGreen);
  EXPECT_EQ(bmp.Canvas()->Pixel(9, 19), clGreen);
}

TEST(GridAuxControls, ArrowOutlines) {
  EXPECT_EQ(TArrowWindow::ArrowPoints(arrLeft)[4], Point(8, 5)) << "the left arrow's tip";
  EXPECT_EQ(TArrowWindow::ArrowPoints(arrRight)[0], Point(0, 5)) << "the right arrow's tip";
  EXPECT_EQ(TArrowWindow::ArrowPoints(arrUp)[0], Point(5, 0));
  EXPECT_EQ(TArrowWindow::ArrowPoints(arrDown)[4], Point(5, 8));
  std::unique_ptr<TPanel> owner(New<TPanel>(nullptr));
  auto* arrow = New<TArrowWindow>(owner.get());
  arrow->Init(owner.get(), arrLeft);
  EXPECT_EQ(arrow->Dir, arrLeft);
  EXPECT_EQ(arrow->Color(), 0x00FF00);
  EXPECT_FALSE(arrow->Visible());
  EXPECT_EQ(arrow->Parent(), owner.get());
}

TEST_F(OnPanel, LooksSetTheirColourSetsAndOthersChangeNothing) {
  TRivGridButton* b = Button();
  EXPECT_EQ(b->Width(), 22);
  EXPECT_EQ(b->Height(), 23);
  EXPECT_EQ(b->ColorHot(), 0xCAC7C7);
  b->SetLook(3);
  EXPECT_EQ(b->Look(), 3);
  EXPECT_EQ(b->Color(), 0xCFF0EA);
  EXPECT_EQ(b->ColorTo(), 0x8CC0B1);
  EXPECT_EQ(b->ColorCheckedTo(), 0x55ADFF);
  EXPECT_EQ(b->BorderDownColor(), 0x000000);
  EXPECT_EQ(b->BorderColor(), clNone);
  EXPECT_FALSE(b->Rounded());
  b->SetLook(7);
  EXPECT_EQ(b->Look(), 3);
  EXPECT_EQ(b->Color(), 0xCFF0EA);
  b->SetLook(0);
  EXPECT_TRUE(b->Rounded());
  EXPECT_EQ(b->BorderHotColor(), 0xC3CECE);
  // Without themes the adaptation picks look 1.
  b->SetAutoThemeAdapt(true);
  EXPECT_EQ(b->Look(), 1);
  b->SetMargin(-2);
  EXPECT_EQ(b->Margin(), -1);
  b->SetMargin(3);
  EXPECT_EQ(b->Margin(), 3);
}

TEST_F(OnPanel, GroupedButtonsStayExclusive) {
  TRivGridButton* a = Button(1);
  TRivGridButton* b = Button(1);
  TRivGridButton* alone = Button(0);
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->State(), bsExclusive);
  // Down without AllowAllUp cannot be raised from code.
  a->SetDown(false);
  EXPECT_TRUE(a->Down());
  // Another of the group going down raises it.
  b->SetDown(true);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  // A button of no group never stays down.
  alone->SetDown(true);
  EXPECT_FALSE(alone->Down());
  // AllowAllUp spreads to the group and lets the down one go up.
  b->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
  // A click on a grouped button presses it and fires Click.
  int clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  Press(a, 5, 5);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(clicks, 1);
}

TEST_F(OnPanel, DropDownPartOpensTheMenuWithoutPressing) {
  TRivGridButton* b = Button();
  b->SetBounds(0, 0, 60, 22);
  b->SetDropDownButton(true);
  int dropDowns = 0, clicks = 0;
  b->OnDropDown = [&](TObject*) { ++dropDowns; };
  b->OnClick = [&](TObject*) { ++clicks; };
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(55, 10));
  EXPECT_EQ(dropDowns, 1);
  EXPECT_EQ(b->State(), bsUp);
  b->Perform(WM_LBUTTONUP, 0, MakeLParam(55, 10));
  EXPECT_EQ(clicks, 0);
  Press(b, 10, 10);
  EXPECT_EQ(dropDowns, 1);
  EXPECT_EQ(clicks, 1);
  // A press held and dragged out of the button shows it up again.
  b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(10, 10));
  EXPECT_EQ(b->State(), bsDown);
  b->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(100, 10));
  EXPECT_EQ(b->State(), bsUp);
  b->Perform(WM_LBUTTONUP, 0, MakeLParam(100, 10));
  EXPECT_EQ(clicks, 1);
}

TEST_F(OnPanel, FlatButtonPaintsItsColoursAndGradient) {
  TRivGridButton* b = Button();
  b->SetShowCaption(false);
  b->SetColor(clYellow);
  TBitmap bmp(22, 23);
  b->PaintTo(bmp.Canvas());
  EXPECT_EQ(bmp.Canvas()->Pixel(11, 11), clYellow);
  EXPECT_EQ(bmp.Canvas()->Pixel(1, 1), clYellow);
  // A gradient from black to white over 16 steps, top to bottom.
  b->SetColor(clBlack);
  b->SetColorTo(clWhite);
  b->PaintTo(bmp.Canvas());
  EXPECT_EQ(bmp.Canvas()->Pixel(11, 1), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixel(11, 21), RGB(239, 239, 239));  // strip 15 of 16
  // Hot: the hot colour.
  b->SetColorTo(clNone);
  b->SetColorHot(clAqua);
  b->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(b->MouseInControl());
  b->PaintTo(bmp.Canvas());
  EXPECT_EQ(bmp.Canvas()->Pixel(11, 11), clAqua);
}

TEST(GridAuxControls, GlyphGetsAGreyDisabledCopy) {
  std::unique_ptr<TPanel> panel(New<TPanel>(nullptr));
  auto* b = New<TRivGridButton>(panel.get());
  TBitmap glyph(2, 1);
  glyph.Canvas()->SetPixel(0, 0, RGB(30, 60, 91));  // mean 60.33 -> 60: 30 + 96
  glyph.Canvas()->SetPixel(1, 0, clWhite);
  b->SetGlyph(&glyph);
  EXPECT_EQ(b->GlyphDisabled()->Canvas()->Pixel(0, 0), RGB(126, 126, 126));
  EXPECT_EQ(b->GlyphDisabled()->Canvas()->Pixel(1, 0), RGB(223, 223, 223));
}

TEST(GridAuxControls, CheckBoxTogglesUnlessReadOnlyAndClicksEitherWay) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  auto* box = New<TRivCheckBox>(form.get());
  box->SetParent(form.get());
  EXPECT_EQ(box->Width(), 98);
  EXPECT_EQ(box->Caption(), "TRivCheckBox");
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  Press(box, 5, 5);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
  box->SetReadOnly(true);
  box->Toggle();
  EXPECT_TRUE(box->Checked());
  Press(box, 5, 5);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 2);
  box->SetReadOnly(false);
  // Space pressed and released toggles.
  KeyInput(box, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(box->Down());
  KeyInput(box, WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 3);
  box->SetState(cbGrayed);
  EXPECT_FALSE(box->Checked());
  // Painted: a tick in the box when checked.
  box->SetChecked(true);
  TBitmap bmp(98, 20);
  box->PaintTo(bmp.Canvas());
  int ticks = 0;
  for (int y = 4; y < 17; ++y)
    for (int x = 0; x < 13; ++x) ticks += bmp.Canvas()->Pixel(x, y) == ColorToRGB(clWindowText);
  EXPECT_GT(ticks, 10);
}

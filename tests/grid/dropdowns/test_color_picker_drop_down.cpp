// The colour selector panels (box layout and palette, box keys, the cube's cells, hit test and
// hint, the spectrum's swatches) and the colour picker drop-down (its list choice, the colour
// texts, the panels' choices, type-ahead and cancelling).
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivColorPickerDropDown.h"
#include "grid/dropdowns/RivDropDownForm.h"

namespace {

struct ColorPanelFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  template <typename T>
  T* Make() {
    T* c = New<T>(form.get());
    c->SetParent(form.get());
    return c;
  }
};

TEST_F(ColorPanelFixture, TheBoxGridLaysOutItsPaletteInRowsWithAGapAfterTheFirst) {
  auto* s = Make<TCustomColorSelector>();
  s->SetItemsPosition();
  EXPECT_EQ(s->Width(), 100);
  EXPECT_EQ(s->Height(), 50);
  s->FillDefaultPalette();
  s->SetItemsPosition();
  ASSERT_EQ(s->Items()->Count(), 60);
  EXPECT_EQ(s->Width(), 165);
  EXPECT_EQ(s->Height(), 84);
  EXPECT_EQ(s->Items()->Items(10)->ItemRect.Top, 20) << "a gap after the stand-alone row";
  EXPECT_EQ(s->Items()->Items(20)->ItemRect.Top, 32) << "joined rows touch";
  EXPECT_EQ(s->Items()->Items(59)->ItemRect.Left, 148);
}

TEST_F(ColorPanelFixture, BoxesAreChosenByColourClickAndKeys) {
  auto* s = Make<TCustomColorSelector>();
  s->FillDefaultPalette();
  s->SetItemsPosition();
  int selects = 0;
  s->OnItemSelect = [&selects](TObject*) { ++selects; };
  s->SetSelectedColor(0x7F7F7F);
  EXPECT_EQ(s->ItemIndex(), 11) << "the first box of the colour";
  s->SetSelectedColor(0x123456);
  EXPECT_EQ(s->ItemIndex(), -1);
  s->Items()->Items(3)->Enabled = false;
  s->SetItemIndex(3);
  EXPECT_EQ(s->ItemIndex(), -1) << "a disabled box is refused";
  s->SetItemIndex(100);
  EXPECT_EQ(s->ItemIndex(), -1) << "beyond the boxes: ignored";
  const TRect box = s->Items()->Items(25)->ItemRect;
  s->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(box.Left + 2, box.Top + 2));
  s->Perform(WM_LBUTTONUP, 0, MakeLParam(box.Left + 2, box.Top + 2));
  EXPECT_EQ(s->ItemIndex(), 25);
  EXPECT_EQ(s->SelectedColor(), 0xB7B9E5);
  struct Step {
    Word key;
    bool dropped;
    int index;
  };
  for (const Step& k : {Step{VK_DOWN, true, 35}, Step{VK_UP, true, 25}, Step{VK_DOWN, false, 26},
                        Step{VK_LEFT, true, 25}, Step{VK_END, true, 59}, Step{VK_DOWN, true, 59}, Step{VK_HOME, false, 0}}) {
    s->HandleKey(k.key, false, k.dropped);
    EXPECT_EQ(s->ItemIndex(), k.index) << k.key;
  }
  EXPECT_GE(selects, 7);
}

TEST_F(ColorPanelFixture, TheCubeHitsCellsWithinSixPixelsAndHintsTheirColour) {
  auto* cube = Make<TRivColorCubePanel>();
  EXPECT_EQ(cube->Width(), 182);
  EXPECT_EQ(cube->Height(), 160);
  const TCubeCell& first = cube->Cell(1);
  EXPECT_EQ(first.X, 55);
  EXPECT_EQ(first.Y, 20);
  EXPECT_EQ(cube->CellAt(first.X + 6, first.Y), 1);
  EXPECT_EQ(cube->CellAt(first.X, first.Y - 7), 0);
  cube->Perform(WM_MOUSEMOVE, 0, MakeLParam(first.X, first.Y));
  EXPECT_EQ(cube->Hint, "Red: 0,  Green: 51,  Blue: 102");
  cube->SetSelectedColor(0xFFFFFF);
  EXPECT_EQ(cube->SelectedIndex(), 64);
  const TCubeCell& last = cube->Cell(127);
  EXPECT_EQ(last.Color, 0x2100A5);
  EXPECT_EQ(last.Y, 140);
  // Painting draws each cell in its colour.
  TBitmap bitmap(182, 160);
  cube->PaintTo(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas()->Pixel(last.X, last.Y), 0x2100A5);
}

TEST_F(ColorPanelFixture, TheSpectrumPicksThePixelUnderTheMouse) {
  auto* spectrum = Make<TRivColorSpectrumPanel>();
  spectrum->LayoutSpectrum();
  EXPECT_EQ(spectrum->SpectrumImage()->Left(), 11);
  EXPECT_EQ(spectrum->SelectedRect(), Rect(10, 146, 73, 166));
  EXPECT_EQ(spectrum->HotRect(), Rect(77, 146, 140, 166));
  TColor chosen = clNone;
  spectrum->OnSelect = [&chosen, spectrum](TObject*) { chosen = spectrum->SelectedColor; };
  TImage* image = spectrum->SpectrumImage();
  image->Perform(WM_MOUSEMOVE, 0, MakeLParam(0, 64));
  EXPECT_EQ(spectrum->HotColor(), 0x0000FF) << "full red at the left of the middle row";
  image->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(0, 64));
  EXPECT_EQ(chosen, 0x0000FF);
  image->Perform(WM_MOUSEMOVE, 0, MakeLParam(70, 0));
  EXPECT_EQ(spectrum->HotColor(), 0xFFFFFF) << "white along the top";
}

// ---- The drop-down -------------------------------------------------------------------------------

struct ColorPickerFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivColorPickerDropDown* picker = nullptr;
  int selects = 0;
  void SetUp() override {
    form->SetBounds(100, 100, 400, 300);
    picker = New<TRivColorPickerDropDown>(form.get());
    picker->SetParent(form.get());
    picker->SetBounds(10, 10, 160, 24);
    picker->OnSelect = [this](TObject*) { ++selects; };
    form->Show();
    picker->SetFocus();
  }
};

TEST_F(ColorPickerFixture, AListChoiceShowsItsCaptionAndOtherColoursTheirText) {
  EXPECT_EQ(picker->Colors()->Count(), 0) << "made by code: no colours until asked";
  picker->AddDefaultColors();
  ASSERT_EQ(picker->Colors()->Count(), 16);
  picker->SetItemIndex(9);
  EXPECT_EQ(picker->SelectedColor(), 0x0000FF);
  EXPECT_EQ(picker->SelectedColorText(), "Red");
  picker->SetItemIndex(16);
  EXPECT_EQ(picker->ItemIndex(), 9) << "beyond the list: ignored";
  picker->SetSelectedColor(0x00FFFF);
  EXPECT_EQ(picker->ItemIndex(), 11);
  picker->SetSelectedColor(0xCC6633);
  EXPECT_EQ(picker->ItemIndex(), -1) << "no list colour matches";
  struct Case {
    TColorValueText kind;
    const char* text;
  };
  for (const Case& c : {Case{cvtNone, ""}, Case{cvtRGB, "Red:51,Green:102,Blue:204"}, Case{cvtHTML, "#3366CC"},
                        Case{cvtHex, "CC6633"}}) {
    picker->ColorValueText = c.kind;
    EXPECT_EQ(picker->SelectedColorText(), c.text);
  }
}

TEST_F(ColorPickerFixture, TheCubeChoosesAColourAndLeavesTheList) {
  picker->AddDefaultColors();
  picker->SetItemIndex(15);
  picker->SetColorSelectionStyle(csColorCube);
  picker->ShowDropDown();
  ASSERT_TRUE(picker->DropDownForm()->Visible());
  TRivColorCubePanel* cube = picker->ColorCubePanel();
  ASSERT_NE(cube, nullptr);
  EXPECT_EQ(cube->SelectedIndex(), 64) << "white, the colour at opening";
  const TCubeCell& cell = cube->Cell(3);  // $CC6633
  cube->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(cell.X, cell.Y));
  EXPECT_FALSE(picker->DropDownForm()->Visible());
  EXPECT_EQ(picker->SelectedColor(), 0xCC6633);
  EXPECT_EQ(picker->ItemIndex(), -1);
}

TEST_F(ColorPickerFixture, CancellingTheBoxGridRestoresTheColourFromTheOpening) {
  picker->SetColorSelectionStyle(csDiscrete);
  for (TColor start : {TColor(0x7F7F7F), clNone}) {
    picker->SetSelectedColor(start);
    picker->ShowDropDown();
    KeyInput(picker, WM_KEYDOWN, VK_DOWN);
    KeyInput(picker, WM_KEYDOWN, VK_DOWN);
    EXPECT_NE(picker->SelectedColor(), start);
    EXPECT_TRUE(picker->DropDownForm()->Visible()) << "keys move the choice without closing";
    picker->HideDropDown(true);
    EXPECT_EQ(picker->SelectedColor(), start);
  }
}

TEST_F(ColorPickerFixture, TypedLettersLookUpCaptionsForHalfASecond) {
  TManualClock clock;
  SetClockSource(&clock);
  picker->AddDefaultColors();
  picker->ShowDropDown();
  for (Word k : {Word('G'), Word('R'), Word('A')}) KeyInput(picker, WM_KEYDOWN, k);
  EXPECT_EQ(picker->ListSelector()->ItemIndex(), 7) << "Gray";
  clock.Advance(600);
  Application->ProcessMessages();
  KeyInput(picker, WM_KEYDOWN, 'B');
  EXPECT_EQ(picker->ListSelector()->ItemIndex(), 0) << "a new run: Black";
  picker->HideDropDown(true);
  SetClockSource(nullptr);
}

}  // namespace

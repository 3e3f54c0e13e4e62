// The editor bases besides the spin edit: the edit with an embedded button (F4 and a click on
// the button, its layout, what it refuses while its editor is off), the unit edit (text and
// unit apart, the unit menu), the flat combo (button width, version, hot border, colours when
// disabled) and the cell checker's do-nothing hooks.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/WinApi.h"
#include "grid/base/ZIREdit.h"
#include "grid/base/rozcheck.h"
#include "grid/base/rozcombo.h"

namespace {

struct EditBtnFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TZirEditBtn* edit = nullptr;
  int clicks = 0;
  void SetUp() override {
    edit = New<TZirEditBtn>(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 120, 24);
    edit->OnClickBtn = [this](TObject*) { ++clicks; };
    form->Show();
  }
  void Key(Word vk) { SendMessage(edit->Handle(), WM_KEYDOWN, vk, 0); }
};

TEST_F(EditBtnFixture, StartsWithItsButtonAtTheRightEdgeAndTheTextBeforeIt) {
  EXPECT_EQ(edit->Text(), "0");
  EXPECT_TRUE(edit->EditorEnabled);
  EXPECT_FALSE(edit->RightAlign());
  EXPECT_EQ(edit->Button()->FocusControl(), edit);
  EXPECT_EQ(edit->ButtonWidth(), 18);
  EXPECT_EQ(edit->Button()->BoundsRect(), Bounds(120 - 18 - 5, 0, 18, 24 - 5));
  EXPECT_EQ(edit->Button()->Button()->BoundsRect(), Rect(0, 0, 18, 19)) << "the inner button fills it";
  EXPECT_EQ(edit->EditRect(), Rect(1, 1, 120 - 18 - 5, 25));
  edit->SetButtonWidth(24);
  EXPECT_EQ(edit->Button()->Left(), 120 - 24 - 5);
  EXPECT_EQ(edit->Button()->Button()->Width(), 24);
  // Never lower than its text.
  edit->SetHeight(3);
  EXPECT_GT(edit->Height(), 3);
  // Without the sunken look the button sits flush right.
  edit->Ctl3D = false;
  edit->SetBounds(10, 10, 120, 24);
  EXPECT_EQ(edit->Button()->BoundsRect(), Bounds(120 - 24, 1, 24, 21));
}

TEST_F(EditBtnFixture, F4AndAClickOnTheButtonRunClickButtonAndTheClickFocusesTheEdit) {
  Key(VK_F4);
  EXPECT_EQ(clicks, 1);
  SetKeyDown(VK_CONTROL, true);
  Key(VK_F4);
  SetKeyDown(VK_CONTROL, false);
  SetKeyDown(VK_LMENU, true);
  Key(VK_F4);
  SetKeyDown(VK_LMENU, false);
  EXPECT_EQ(clicks, 1) << "Ctrl+F4 and Alt+F4 are not the button's";
  TRivSpeedButton* inner = edit->Button()->Button();
  inner->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
  inner->Perform(WM_LBUTTONUP, 0, MakeLParam(3, 3));
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(edit->Focused());
  // Let go outside the button: no click.
  inner->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
  inner->Perform(WM_LBUTTONUP, 0, MakeLParam(-5, 3));
  EXPECT_EQ(clicks, 2);
}

TEST_F(EditBtnFixture, WithItsEditorOffTypingIsDroppedButTheButtonStillWorks) {
  edit->SetText("abc");
  edit->SetSelStart(3);
  SendMessage(edit->Handle(), WM_CHAR, 'd', 0);
  EXPECT_EQ(edit->Text(), "abcd");
  edit->EditorEnabled = false;
  SendMessage(edit->Handle(), WM_CHAR, 'e', 0);
  SendMessage(edit->Handle(), WM_CHAR, '\b', 0);
  EXPECT_EQ(edit->Text(), "abcd");
  Key(VK_F4);
  EXPECT_EQ(clicks, 1);
}

TEST_F(EditBtnFixture, ForgetsAFocusControlThatIsFreed) {
  auto* other = New<TEdit>(form.get());
  edit->Button()->SetFocusControl(other);
  delete other;
  EXPECT_EQ(edit->Button()->FocusControl(), nullptr);
  TRivSpeedButton* inner = edit->Button()->Button();
  inner->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
  inner->Perform(WM_LBUTTONUP, 0, MakeLParam(3, 3));
  EXPECT_EQ(clicks, 1);
}

struct UnitCase {
  std::vector<String> units;
  const char* value;
  const char* text;
  const char* unit;
};

TEST(UnitEditBtn, TextAndUnitSplitsAtTheFirstUnitFoundAtTheEnd) {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  const UnitCase cases[] = {
      {{"g", "kg"}, "12 kg", "12 k", "g"},   // g is at the end first
      {{"kg", "g"}, "12 kg", "12 ", "kg"},
      {{"m", "mm"}, "5 mm", "5 ", "mm"},   // m first occurs inside mm, not at the end
      {{"kg", "g"}, "12 lb", "old", "old"},   // no unit: nothing changes
      {{"g"}, "g2g", "old", "old"},         // only the first occurrence counts
  };
  for (const UnitCase& c : cases) {
    auto* e = New<TZirUnitEditBtn>(form.get());
    e->SetText("old");
    e->SetUnitID("old");
    for (const String& u : c.units) e->Units()->Add(u);
    e->SetTextAndUnit(c.value);
    EXPECT_EQ(e->Text(), c.text) << c.value;
    EXPECT_EQ(e->UnitID(), c.unit) << c.value;
  }
}

TEST(UnitEditBtn, TheButtonOffersTheUnitsAndAChoiceChangesTheUnit) {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  auto* e = New<TZirUnitEditBtn>(form.get());
  e->SetParent(form.get());
  EXPECT_TRUE(e->RightAlign());
  EXPECT_EQ(e->UnitSpace(), 20);
  e->SetBounds(0, 0, 150, 24);
  EXPECT_EQ(e->EditRect().Right, 150 - 18 - 20 - 5 - 3);
  e->Units()->Add("g");
  e->Units()->Add("kg");
  e->SetText("12");
  e->SetUnitID("g");
  EXPECT_EQ(e->TextAndUnit(), "12g");
  int clicked = 0;
  std::vector<String> changes;
  e->OnClickBtn = [&](TObject*) { ++clicked; };
  e->OnUnitChanged = [&](TObject*, const String& u) { changes.push_back(u); };
  e->ClickButton();
  EXPECT_EQ(clicked, 1);
  ASSERT_NE(e->UnitMenu(), nullptr);
  ASSERT_EQ(e->UnitMenu()->Items()->Count(), 2);
  EXPECT_EQ(e->UnitMenu()->Items()->Items(1)->Caption(), "kg");
  e->UnitMenu()->Items()->Items(1)->Click();
  EXPECT_EQ(e->UnitID(), "kg");
  e->UnitMenu()->Items()->Items(1)->Click();  // the same unit again: no change event
  e->UnitChosen(3);                            // beyond the units: ignored
  e->UnitChosen(0);
  EXPECT_EQ(e->UnitID(), "kg");
  EXPECT_EQ(changes, std::vector<String>{"kg"});
  e->ClickButton();  // the menu is built again, not added to
  EXPECT_EQ(e->UnitMenu()->Items()->Count(), 2);
  for (int i = 0; i < 5; ++i) e->ClickButton();
  EXPECT_EQ(e->UnitMenu()->ComponentCount(), 2);  // the items of earlier menus are freed
  e->UnitMenu()->Items()->Items(0)->Click();
  EXPECT_EQ(e->UnitID(), "g");
  e->SetUnitSpace(30);
  EXPECT_EQ(e->EditRect().Right, 150 - 18 - 30 - 5 - 3);
}

TEST(FlatCombo, ButtonWidthVersionAndFlatLook) {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  auto* c = New<TROZComboBox>(form.get());
  c->SetParent(form.get());
  EXPECT_TRUE(c->Flat());
  EXPECT_FALSE(c->Ctl3D);
  EXPECT_EQ(c->ButtonWidth(), kVScrollBarWidth + 4);
  EXPECT_EQ(c->Version(), "1.2.0.1");
  c->SetVersion("9.9.9.9");
  EXPECT_EQ(c->Version(), "1.2.0.1");
  for (int w : {13, 33, 0, -1}) {
    c->SetButtonWidth(w);
    EXPECT_EQ(c->ButtonWidth(), kVScrollBarWidth + 4) << w;
  }
  c->SetButtonWidth(14);
  EXPECT_EQ(c->ButtonWidth(), 14);
  c->SetButtonWidth(32);
  EXPECT_EQ(c->ButtonWidth(), 32);
  c->SetFlat(false);
  EXPECT_TRUE(c->Ctl3D);
  c->SetFlat(true);
  EXPECT_FALSE(c->Ctl3D);
  c->SetDropWidth(0);
  EXPECT_EQ(c->DroppedWidth(), c->Width());
  c->SetDropWidth(300);
  EXPECT_EQ(c->DroppedWidth(), 300);
  // Opening and closing the list repaints the button area.
  c->Perform(CN_COMMAND, static_cast<WPARAM>(CBN_DROPDOWN) << 16, 0);
  c->Perform(CN_COMMAND, static_cast<WPARAM>(CBN_CLOSEUP) << 16, 0);
  EXPECT_EQ(c->ButtonRepaints, 2);
}

TEST(FlatCombo, TheMouseMakesItHotAndTheBorderLightsUpOnlyWithFocusBorder) {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  form->SetColor(clWhite);
  auto* c = New<TROZComboBox>(form.get());
  c->SetParent(form.get());
  c->SetBounds(0, 0, 100, 22);
  form->Show();
  auto corner = [c] {
    TBitmap b(c->Width(), c->Height());
    c->PaintFlat(b.Canvas());
    return b.Canvas()->Pixel(0, 0);
  };
  EXPECT_EQ(corner(), ColorToRGB(clWhite)) << "cold: the parent's colour";
  c->AutoFocus = true;
  c->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(c->MouseInControl());
  EXPECT_TRUE(c->Focused()) << "AutoFocus";
  EXPECT_EQ(corner(), ColorToRGB(clWhite)) << "without FocusBorder nothing lights up";
  c->FocusBorder = true;
  EXPECT_EQ(corner(), ColorToRGB(clBtnShadow)) << "hot: the sunken edge";
  c->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(c->MouseInControl());
  EXPECT_EQ(corner(), ColorToRGB(clBtnShadow)) << "still the active control";
  int before = c->BorderRedraws;
  c->Perform(CM_EXIT, 0, 0);
  EXPECT_EQ(c->BorderRedraws, before + 1);
  // A disabled control is never hot.
  c->SetEnabled(false);
  c->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(c->MouseInControl());
}

TEST(FlatCombo, DisablingTakesTheParentsColourAndEnablingGivesItsOwnBack) {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  form->SetColor(clYellow);
  auto* c = New<TROZComboBox>(form.get());
  c->SetParent(form.get());
  c->SetColor(clAqua);
  c->SetEnabled(false);
  EXPECT_TRUE(c->ParentColor);
  EXPECT_EQ(c->Color(), clYellow);
  c->SetEnabled(true);
  EXPECT_FALSE(c->ParentColor);
  EXPECT_EQ(c->Color(), clAqua);
}

TEST(CellChecker, StartsWithEverythingOffAndGivesTextsBackUnchanged) {
  std::unique_ptr<TRivErodovOzarCheck> check{New<TRivErodovOzarCheck>(nullptr)};
  EXPECT_FALSE(check->GotoCell || check->AutoCorrect || check->AutoMarkError || check->UseCorrect ||
               check->UseMarkError);
  EXPECT_EQ(check->Correct(1, 2, "abc"), "abc");
  EXPECT_EQ(check->MarkError(1, 2, ""), "");
  check->StartCheck();
  check->StopCheck();
}

}  // namespace

// The inplace editor bases under the real window system, used as a person does: typing into
// the spin edit and stepping it with the arrow keys and its spin buttons, the edit's embedded
// button clicked and called by F4, and dates and times typed into the date-time picker and
// the time picker inside it.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "grid/base/RivDateTimePicker.h"
#include "grid/base/ZIREdit.h"
#include "grid/base/rozspin.h"
#include "support/RealWindows.h"

namespace {

using namespace RealWindows;

class RealEditors : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = std::make_unique<Scope>();
    form_.reset(New<TForm>(nullptr));
    form_->SetBounds(100, 100, 360, 180);
    spin_ = New<TZirSpinEdit>(form_.get());
    spin_->SetParent(form_.get());
    spin_->SetBounds(10, 10, 120, 24);
    edit_ = New<TZirEditBtn>(form_.get());
    edit_->SetParent(form_.get());
    edit_->SetBounds(10, 50, 160, 24);
    edit_->OnClickBtn = [this](TObject*) { ++buttonClicks_; };
    picker_ = New<TRivDateTimePicker>(form_.get());
    picker_->SetParent(form_.get());
    picker_->SetBounds(10, 90, 260, 24);
    picker_->SetFormat("dd/MM/yyyy");
    picker_->SetTimeFormat("HH:mm");
    picker_->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 0, 0));
    picker_->Loaded();
    form_->Show();
    Settle();
  }
  void TearDown() override {
    form_.reset();
    scope_.reset();
  }

  // The middle of a control's child, in the control's client coordinates.
  static void ClickChild(TControl* Outer, TControl* Child, int DY = 0) {
    TPoint p = Outer->ScreenToClient(Child->ClientToScreen(TPoint{Child->Width() / 2, Child->Height() / 2 + DY}));
    ClickAt(Outer, p.X, p.Y);
  }

  std::unique_ptr<Scope> scope_;
  std::unique_ptr<TForm> form_;
  TZirSpinEdit* spin_ = nullptr;
  TZirEditBtn* edit_ = nullptr;
  TRivDateTimePicker* picker_ = nullptr;
  int buttonClicks_ = 0;
};

TEST_F(RealEditors, SpinEditTakesTypedNumbersArrowKeysAndItsButtons) {
  ClickAt(spin_, 10, spin_->Height() / 2);
  ASSERT_TRUE(HasFocus(spin_));
  Key(spin_, 'A', TShiftState{ssCtrl});
  Type(spin_, "42");
  EXPECT_EQ(ShownText(spin_), "42");
  Application->Hooks.Beeps = 0;
  Type(spin_, "x");
  EXPECT_EQ(ShownText(spin_), "42") << "a letter is refused";
  EXPECT_EQ(Application->Hooks.Beeps, 1);
  Key(spin_, VK_UP);
  EXPECT_EQ(ShownText(spin_), "43");
  Key(spin_, VK_DOWN);
  Key(spin_, VK_DOWN);
  EXPECT_EQ(ShownText(spin_), "41");
  ClickChild(spin_, spin_->Button()->UpButton());
  EXPECT_EQ(spin_->Text(), "42");
  EXPECT_EQ(ShownText(spin_), "42");
  ClickChild(spin_, spin_->Button()->DownButton());
  ClickChild(spin_, spin_->Button()->DownButton());
  EXPECT_EQ(ShownText(spin_), "40");
  EXPECT_TRUE(HasFocus(spin_)) << "the buttons leave the focus in the edit";
  // Typed beyond the range, put back into it on leaving.
  Key(spin_, 'A', TShiftState{ssCtrl});
  Type(spin_, "250");
  ClickAt(edit_, 10, edit_->Height() / 2);
  EXPECT_EQ(ShownText(spin_), "100");
}

TEST_F(RealEditors, EditButtonIsClickedByTheMouseAndByF4) {
  ClickChild(edit_, edit_->Button());
  EXPECT_EQ(buttonClicks_, 1);
  EXPECT_TRUE(HasFocus(edit_)) << "the click leaves the focus in the edit";
  Key(edit_, VK_F4);
  EXPECT_EQ(buttonClicks_, 2);
  Key(edit_, VK_END);
  Type(edit_, "12");
  EXPECT_EQ(ShownText(edit_), "012");
  edit_->EditorEnabled = false;
  Type(edit_, "3");
  EXPECT_EQ(ShownText(edit_), "012") << "typing is off with the editor";
}

TEST_F(RealEditors, UnitEditOffersItsUnitsFromItsButton) {
  auto* units = New<TZirUnitEditBtn>(form_.get());
  units->SetParent(form_.get());
  units->SetBounds(200, 10, 140, 24);
  units->Units()->Add("g");
  units->Units()->Add("kg");
  units->SetUnitID("g");
  std::vector<String> changes;
  units->OnUnitChanged = [&](TObject*, const String& u) { changes.push_back(u); };
  Settle();
  ChoosePopupItem("kg");
  ClickChild(units, units->Button());
  EXPECT_EQ(units->UnitID(), "kg");
  EXPECT_EQ(changes, std::vector<String>{"kg"});
  EXPECT_FALSE(AnyModalWindow());
  Key(units, VK_END);
  Type(units, "5");
  EXPECT_EQ(units->TextAndUnit(), "05kg");
}

TEST_F(RealEditors, DateAndTimeAreTypedFieldByField) {
  TCustomDateTimePicker* time = picker_->TimePicker();
  ASSERT_NE(time, nullptr);
  EXPECT_TRUE(ControlOnScreen(time));
  ClickAt(picker_, 6, picker_->Height() / 2);
  ASSERT_TRUE(HasFocus(picker_));
  Type(picker_, "25");
  Key(picker_, VK_RIGHT);
  Type(picker_, "12");
  Key(picker_, VK_RIGHT);
  Key(picker_, VK_DOWN);
  EXPECT_EQ(picker_->Text(), "25/12/2023");
  ClickAt(time, 4, time->Height() / 2);
  ASSERT_TRUE(HasFocus(time));
  Type(time, "18");
  Key(time, VK_RIGHT);
  Type(time, "45");
  EXPECT_EQ(time->Text(), "18:45");
  EXPECT_NEAR(picker_->DateTime(), EncodeDate(2023, 12, 25) + EncodeTime(18, 45, 0, 0), 1e-9);
}

TEST_F(RealEditors, AutoTabCarriesTypingFromTheDateIntoTheTime) {
  picker_->SetAutoTab(true);
  ClickAt(picker_, 6, picker_->Height() / 2);
  Type(picker_, "07082021");  // quickly, the keys pile up
  EXPECT_TRUE(WaitFor([&] { return HasFocus(picker_->TimePicker()); }));
  Type(picker_->TimePicker(), "2359");
  EXPECT_NEAR(picker_->DateTime(), EncodeDate(2021, 8, 7) + EncodeTime(23, 59, 0, 0), 1e-9);
}

}  // namespace

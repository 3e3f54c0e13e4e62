// The grid's date-time picker: the time picker inside it for the date-and-time kind, values
// without milliseconds, the automatic advance after typed digits (to the next field, or from
// the last date field into the time picker), the flat border and the version text.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/RivDateTimePicker.h"

namespace {

struct PickerFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivDateTimePicker* picker = nullptr;
  const TDateTime when = EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 15, 0);
  void Make(TRivDateTimeKind kind) {
    picker = New<TRivDateTimePicker>(form.get());
    picker->SetParent(form.get());
    picker->SetBounds(10, 10, 200, 24);
    picker->SetKind(kind);
    picker->SetDateTime(when);
    picker->Loaded();
    form->Show();
  }
  static void Type(TWinControl* c, const String& s) {
    // Each digit as a person types it: the check it posts, and the arrow key that may post,
    // run before the next one.
    for (char ch : s) {
      SendMessage(c->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 0);
      Application->ProcessMessages();
      Application->ProcessMessages();
    }
  }
};

TEST_F(PickerFixture, StartsAsADateAndTimePickerWithASingleBorder) {
  picker = New<TRivDateTimePicker>(form.get());
  EXPECT_EQ(picker->Kind(), dkDateTime);
  EXPECT_EQ(picker->TimePicker(), nullptr) << "made only once it is needed";
  EXPECT_EQ(picker->BorderStyle(), bsSingle);
  EXPECT_TRUE(picker->Ctl3D());
  EXPECT_FALSE(picker->AutoTab());
  EXPECT_EQ(picker->Version(), "1.0.3.0");
  picker->SetVersion("2.0.0.0");
  EXPECT_EQ(picker->Version(), "1.0.3.0");
}

TEST_F(PickerFixture, DateKindHasNoTimePickerAndReadsItsOwnTime) {
  Make(dkDate);
  EXPECT_EQ(picker->TimePicker(), nullptr);
  EXPECT_NEAR(picker->Time(), EncodeTime(10, 30, 15, 0), 1e-9);
  EXPECT_EQ(picker->TDateTimePicker::Kind(), dtkDate);
  picker->SetKind(dkTime);
  EXPECT_EQ(picker->TDateTimePicker::Kind(), dtkTime);
  EXPECT_EQ(picker->TimePicker(), nullptr);
}

TEST_F(PickerFixture, DateTimeKindShowsATimePickerAtTheRightThatHoldsTheTime) {
  Make(dkDateTime);
  TCustomDateTimePicker* time = picker->TimePicker();
  ASSERT_NE(time, nullptr);
  EXPECT_TRUE(time->Visible());
  EXPECT_EQ(time->Parent(), picker);
  EXPECT_EQ(time->TDateTimePicker::Kind(), dtkTime);
  EXPECT_EQ(time->BoundsRect().Right, picker->Width() - 21);
  EXPECT_EQ(time->Height(), picker->Height());
  EXPECT_DOUBLE_EQ(picker->DateTime(), when);
  // A time typed into the time picker is the control's time.
  SendMessage(time->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_NEAR(picker->Time(), EncodeTime(11, 30, 15, 0), 1e-9);
  EXPECT_NEAR(picker->DateTime(), EncodeDate(2024, 3, 5) + EncodeTime(11, 30, 15, 0), 1e-9);
  // ... and stays so when the control is laid out again.
  picker->SetBounds(10, 10, 260, 24);
  picker->SetColor(clYellow);
  EXPECT_NEAR(picker->DateTime(), EncodeDate(2024, 3, 5) + EncodeTime(11, 30, 15, 0), 1e-9);
  EXPECT_EQ(time->Color(), clYellow);
  EXPECT_EQ(time->BoundsRect().Right, 260 - 21);
  picker->SetTimeFormat("HH:mm");
  EXPECT_EQ(time->Format(), "HH:mm");
  EXPECT_EQ(time->Text(), "11:30");
  // Its changes are the control's, then OnTimeChange.
  std::vector<String> events;
  picker->OnChange = [&](TObject* s) { events.push_back(s == picker ? "change" : "?"); };
  picker->OnTimeChange = [&](TObject*) { events.push_back("time"); };
  SendMessage(time->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(events, (std::vector<String>{"change", "time"}));
  picker->SetEnabled(false);
  EXPECT_FALSE(time->Enabled());
  // Leaving the date-and-time kind frees it.
  picker->SetKind(dkDate);
  EXPECT_EQ(picker->TimePicker(), nullptr);
}

TEST_F(PickerFixture, SettingDateTimeDropsTheMilliseconds) {
  Make(dkDateTime);
  picker->SetDateTime(EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 15, 999));
  EXPECT_NEAR(picker->DateTime(), EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 15, 0), 1e-9);
  EXPECT_NEAR(picker->TimePicker()->DateTime(), EncodeDate(2024, 3, 5) + EncodeTime(10, 30, 15, 0), 1e-9);
}

TEST_F(PickerFixture, AutoTabAdvancesAfterACompletedFieldAndLeavesTheLastDateFieldForTheTime) {
  Make(dkDateTime);
  picker->SetFormat("dd/MM/yyyy");
  picker->SetAutoTab(true);
  EXPECT_TRUE(picker->TimePicker()->AutoTab());
  picker->SetFocus();
  Type(picker, "25");
  EXPECT_EQ(picker->CurrentField(), 1) << "day completed: on to the month";
  Type(picker, "1");
  EXPECT_EQ(picker->CurrentField(), 1) << "a month digit that may go on: no change yet";
  Type(picker, "1");
  EXPECT_EQ(picker->CurrentField(), 2);
  Type(picker, "1999");
  EXPECT_DOUBLE_EQ(picker->Date(), EncodeDate(1999, 11, 25));
  EXPECT_TRUE(picker->TimePicker()->Focused()) << "the year was the last field";
}

TEST_F(PickerFixture, AutoTabInTheTimeAdvancesOnlyWhenTheTimeChanged) {
  picker = New<TRivDateTimePicker>(form.get());
  picker->SetParent(form.get());
  picker->SetAutoTab(true);  // before the time picker exists
  picker->SetDateTime(when);
  picker->Loaded();
  form->Show();
  TCustomDateTimePicker* time = picker->TimePicker();
  time->SetFormat("HH:mm:ss");
  time->SetFocus();
  Type(time, "10");  // the same hour again
  EXPECT_EQ(time->CurrentField(), 0);
  Type(time, "14");
  EXPECT_EQ(time->CurrentField(), 1);
  Type(time, "45");
  EXPECT_EQ(time->CurrentField(), 2);
  EXPECT_NEAR(picker->Time(), EncodeTime(14, 45, 15, 0), 1e-9);
}

TEST_F(PickerFixture, DigitsTypedFasterThanTheirChecksStillAdvanceFieldByField) {
  Make(dkDateTime);
  picker->SetFormat("dd/MM/yyyy");
  picker->SetAutoTab(true);
  picker->SetFocus();
  // Every key before any queued message runs, as when keys pile up in the window system.
  for (char ch : String("07082021")) SendMessage(picker->Handle(), WM_CHAR, static_cast<unsigned char>(ch), 0);
  Application->ProcessMessages();
  EXPECT_NEAR(picker->Date(), EncodeDate(2021, 8, 7), 1e-9);
  EXPECT_TRUE(picker->TimePicker()->Focused());
}

TEST_F(PickerFixture, WithoutCtl3DTheBorderIsDrawnFlat) {
  Make(dkDate);
  form->SetColor(clWhite);
  auto pixel = [this](int x, int y) {
    TBitmap b(picker->Width(), picker->Height());
    picker->PaintTo(b.Canvas());
    return b.Canvas()->Pixel(x, y);
  };
  EXPECT_NE(pixel(0, 0), 0xB99D7F) << "Ctl3D: no flat border";
  picker->SetCtl3D(false);
  EXPECT_TRUE(picker->IsThemed());
  EXPECT_EQ(pixel(0, 0), 0xB99D7F);
  EXPECT_EQ(pixel(1, 1), ColorToRGB(clWhite)) << "the inner line in the parent's colour";
  picker->SetBorderStyle(bsNone);
  EXPECT_EQ(pixel(0, 0), ColorToRGB(clWhite));
}

}  // namespace

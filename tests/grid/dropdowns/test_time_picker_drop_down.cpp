// The watch face (hands drawn at their angles, clicks on the dial and the ring, keys, the
// animated moves and the change event) and the time picker drop-down (the masked text and its
// parse, Up and Down on a field, the pop-up the edit follows, apply and cancel).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivTimePickerDropDown.h"

namespace {

TDateTime At(int H, int M, int S = 0) { return EncodeTime(static_cast<Word>(H), static_cast<Word>(M), static_cast<Word>(S), 0); }

String Hm(TDateTime T) {
  Word h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(T - std::floor(T), h, m, s, ms);
  return IntToStr(h) + ":" + (m < 10 ? "0" : "") + IntToStr(m);
}

struct WatchFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivWatch* watch = nullptr;
  int changes = 0;
  void SetUp() override {
    form->SetBounds(0, 0, 300, 300);
    watch = New<TRivWatch>(form.get());
    watch->SetParent(form.get());
    watch->SetBounds(0, 0, 180, 180);
    watch->Animation = false;
    watch->OnChange = [this](TObject*) { ++changes; };
  }
  // Runs the animation to its end.
  void Finish() {
    for (int i = 0; i < 100 && watch->Animating(); ++i) watch->AnimationStep();
    EXPECT_FALSE(watch->Animating());
  }
  void ClickAt(int X, int Y) {
    watch->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(X, Y));
    watch->Perform(WM_LBUTTONUP, 0, MakeLParam(X, Y));
  }
};

// Whether the pixel at the point or one of its neighbours has the colour.
bool NearColour(TCanvas* C, TPoint P, TColor Colour) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if (C->Pixel(P.X + dx, P.Y + dy) == Colour) return true;
  return false;
}

TEST_F(WatchFixture, TheHandsPointAtTheirAngles) {
  watch->SetShowNumbers(false);
  watch->SetShowAMPM(false);
  watch->Appearance()->SetHourPointerShadow(clNone);
  watch->Appearance()->SetMinutePointerShadow(clNone);
  watch->Appearance()->SetHourPointer(0x0000FF);
  watch->Appearance()->SetMinutePointer(0xFF0000);
  struct Case {
    int h, m;
    double hourAngle, minuteAngle;
  };
  const TPoint c = watch->Center();
  const double r = watch->Radius();
  ASSERT_EQ(c.X, 90);
  ASSERT_EQ(r, 80);
  for (const Case& k : {Case{3, 0, 90, 0}, Case{9, 30, 285, 180}, Case{12, 45, 22.5, 270}}) {
    SCOPED_TRACE(IntToStr(k.h) + ":" + IntToStr(k.m));
    watch->SetTime(At(k.h, k.m));
    TBitmap bitmap(180, 180);
    watch->PaintTo(bitmap.Canvas());
    auto at = [&](double angle, double distance) {
      const double a = angle * 3.14159265358979 / 180;
      return TPoint{static_cast<int>(std::lround(c.X + distance * r * std::sin(a))),
                    static_cast<int>(std::lround(c.Y - distance * r * std::cos(a)))};
    };
    for (double d : {0.2, 0.3, 0.45}) EXPECT_TRUE(NearColour(bitmap.Canvas(), at(k.hourAngle, d), 0x0000FF)) << d;
    for (double d : {0.2, 0.4, 0.65}) EXPECT_TRUE(NearColour(bitmap.Canvas(), at(k.minuteAngle, d), 0xFF0000)) << d;
    EXPECT_FALSE(NearColour(bitmap.Canvas(), at(k.hourAngle, 0.6), 0x0000FF)) << "the hour hand is the shorter";
    EXPECT_FALSE(NearColour(bitmap.Canvas(), at(k.hourAngle + 180, 0.3), 0x0000FF)) << "nothing opposite";
  }
}

TEST_F(WatchFixture, ClicksSetTheHourInsideTheDialAndTheMinuteOutsideIt) {
  watch->SetTime(At(10, 45));
  ClickAt(176, 90);  // the ring at three o'clock
  EXPECT_EQ(Hm(watch->Time()), "10:15");
  ClickAt(140, 90);  // inside the dial at three o'clock, in the morning
  EXPECT_EQ(Hm(watch->Time()), "3:15");
  ClickAt(88, 40);  // just left of twelve
  EXPECT_EQ(Hm(watch->Time()), "0:15");
  const TRect box = watch->AMPMRect();
  ClickAt(box.Left + 2, box.Top + 2);  // the AM/PM box switches to the afternoon
  EXPECT_EQ(Hm(watch->Time()), "12:15");
  EXPECT_FALSE(watch->AM());
  ClickAt(140, 90);
  EXPECT_EQ(Hm(watch->Time()), "15:15");
  EXPECT_EQ(changes, 5);
  // Moving the minute hand forward past twelve carries into the next hour.
  watch->SetTime(At(10, 45));
  ClickAt(90, 3);
  EXPECT_EQ(Hm(watch->Time()), "11:00");
}

TEST_F(WatchFixture, KeysMoveTheHandsAndWrapTheDay) {
  struct Case {
    TDateTime start;
    Word key;
    const char* result;
  };
  for (const Case& k : {Case{At(10, 45), VK_END, "11:00"}, Case{At(10, 15), VK_END, "10:00"},
                        Case{At(10, 0), VK_LEFT, "9:59"}, Case{At(10, 59), VK_RIGHT, "11:00"},
                        Case{At(23, 59), VK_RIGHT, "0:00"}, Case{At(23, 10), VK_PRIOR, "0:10"},
                        Case{At(0, 10), VK_NEXT, "23:10"}, Case{At(15, 10), VK_HOME, "12:10"},
                        Case{At(15, 10), 'A', "3:10"}, Case{At(3, 10), 'P', "15:10"}}) {
    SCOPED_TRACE(Hm(k.start) + " key " + IntToStr(k.key));
    watch->SetTime(k.start);
    changes = 0;
    watch->WatchKeyDown(k.key);
    EXPECT_EQ(Hm(watch->Time()), k.result);
    EXPECT_EQ(changes, 1) << "every change by the user is reported";
  }
}

TEST_F(WatchFixture, AnimatedMovesReportOnlyTheirEnd) {
  watch->Animation = true;
  watch->SetTime(At(10, 0));
  watch->WatchKeyDown(VK_PRIOR);
  EXPECT_TRUE(watch->Animating());
  Finish();
  EXPECT_EQ(Hm(watch->Time()), "11:00");
  EXPECT_EQ(changes, 1);
  // A wrap of the day changes the hour at once.
  watch->SetTime(At(23, 0));
  watch->WatchKeyDown(VK_PRIOR);
  EXPECT_FALSE(watch->Animating());
  EXPECT_EQ(Hm(watch->Time()), "0:00");
  // The minute sweeps forward past twelve into the next hour, in several steps.
  changes = 0;
  watch->SetTime(At(10, 40));
  watch->SetMinute(0);
  int steps = 0;
  for (; steps < 100 && watch->Animating(); ++steps) watch->AnimationStep();
  EXPECT_GT(steps, 2);
  EXPECT_EQ(Hm(watch->Time()), "11:00");
  EXPECT_EQ(changes, 1);
  // A factor of 0 or less counts as 1: the hand jumps to the target.
  watch->AnimationFactor = 0;
  watch->SetHour(20);
  Finish();
  EXPECT_EQ(Hm(watch->Time()), "20:00");
}

TEST_F(WatchFixture, ImpossibleHoursAndMinutes) {
  watch->SetTime(At(10, 20));
  watch->SetHour(24);
  EXPECT_EQ(Hm(watch->Time()), "10:20");
  EXPECT_EQ(changes, 0);
  try {
    watch->SetMinute(60);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid time");
  }
  EXPECT_EQ(Hm(watch->Time()), "10:20");
}

TEST_F(WatchFixture, TheLiveClockTicksEveryTenthOfASecondAndIgnoresInput) {
  TManualClock clock(45000 + 10.25 / 24);
  SetClockSource(&clock);
  watch->Settings()->SetTimeOffset(60);
  watch->Settings()->SetAuto(true);
  EXPECT_TRUE(watch->ClockTimer()->Enabled());
  EXPECT_EQ(watch->ClockTimer()->Interval(), 100u);
  watch->WatchKeyDown(VK_PRIOR);
  EXPECT_EQ(changes, 0);
  watch->Settings()->SetAuto(false);
  EXPECT_FALSE(watch->ClockTimer()->Enabled());
  SetClockSource(nullptr);
}

// ---- The time picker -----------------------------------------------------------------------------

struct TimePickerFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivTimePickerDropDown* tp = nullptr;
  int timeChanges = 0;
  void SetUp() override {
    FormatSettings.TimeSeparator = ':';
    form->SetBounds(100, 100, 400, 300);
    tp = New<TRivTimePickerDropDown>(form.get());
    tp->SetParent(form.get());
    tp->SetBounds(10, 10, 120, 24);
    tp->Animation = false;
    tp->OnTimeChange = [this](TObject*) { ++timeChanges; };
    form->Show();
    tp->SetFocus();
  }
  void TearDown() override {
    form.reset();
    ResetFormatSettings();
  }
};

TEST_F(TimePickerFixture, TheTextShowsAndParsesTheTime) {
  EXPECT_EQ(tp->EditText(), "00:00:00");
  EXPECT_EQ(tp->Time(), 0);
  tp->SetTime(1.75);
  EXPECT_EQ(tp->EditText(), "18:00:00");
  EXPECT_DOUBLE_EQ(tp->Time(), 0.75);
  struct Case {
    bool seconds;
    const char* typed;
    const char* time;  // nullptr: not parsed, the time stays
    const char* shown;
  };
  for (const Case& c : {Case{false, "09:30", "9:30", "09:30"}, Case{false, " 9:30", nullptr, " 9:30"},
                        Case{false, "1 :00", "10:00", "10:00"}, Case{false, "12: 5", "12:05", "12: 5"},
                        Case{true, "12:30:15", "12:30", "12:30:15"}, Case{true, "25:00:00", nullptr, "25:00:00"},
                        Case{true, "23:61:00", nullptr, "23:61:00"}}) {
    SCOPED_TRACE(c.typed);
    tp->SetShowSeconds(c.seconds);
    tp->SetTime(At(7, 7));
    EXPECT_NO_THROW(tp->AssignText(c.typed));
    EXPECT_EQ(Hm(tp->Time()), c.time != nullptr ? c.time : "7:07");
    EXPECT_EQ(tp->EditText(), c.shown);
  }
  EXPECT_EQ(timeChanges, 0) << "text and Time writes are no time changes";
}

TEST_F(TimePickerFixture, UpAndDownChangeTheFieldUnderTheCaret) {
  tp->SetEditorEnabled(true);
  tp->SetTime(At(10, 0));
  tp->SetSelStart(4);
  KeyInput(tp, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(tp->EditText(), "10:59:00");
  EXPECT_EQ(tp->SelStart(), 4);
  KeyInput(tp, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(tp->EditText(), "10:00:00");
  tp->SetSelStart(0);
  KeyInput(tp, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(tp->EditText(), "11:00:00");
  tp->SetSelStart(7);
  KeyInput(tp, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(tp->EditText(), "11:00:59");
  EXPECT_EQ(timeChanges, 4);
}

TEST_F(TimePickerFixture, TheEditFollowsTheWatchAndCancelPutsTheOpeningTimeBack) {
  tp->SetTime(At(9, 30));
  tp->ShowDropDown();
  ASSERT_TRUE(tp->DropDownForm()->Visible());
  EXPECT_EQ(Hm(tp->Watch()->Time()), "9:30");
  Word key = VK_PRIOR;
  tp->PopupKeyDown(key, TShiftState());
  EXPECT_EQ(tp->EditText(), "10:30:00") << "the edit follows the watch at once";
  key = VK_RIGHT;
  tp->PopupKeyDown(key, TShiftState());
  EXPECT_EQ(tp->EditText(), "10:31:00");
  tp->HideDropDown(true);
  EXPECT_EQ(tp->EditText(), "09:30:00");
  EXPECT_EQ(Hm(tp->Time()), "9:30");
  EXPECT_EQ(Hm(tp->Watch()->Time()), "9:30");
  tp->ShowDropDown();
  key = VK_NEXT;
  tp->PopupKeyDown(key, TShiftState());
  tp->HideDropDown(false);
  EXPECT_EQ(tp->EditText(), "08:30:00");
  EXPECT_EQ(Hm(tp->Time()), "8:30");
}

}  // namespace

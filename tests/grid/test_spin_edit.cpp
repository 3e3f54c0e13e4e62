// The spin edit: reading and writing its value as an integer, a real, a date or a time, the
// steps of its keys and buttons (the date or time field under the caret), which typed
// characters it accepts, auto-repeat of its buttons and the layout of its spin button.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/rozspin.h"

namespace {

struct SpinFixture : ::testing::Test {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  TZirSpinEdit* spin = nullptr;
  void SetUp() override {
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    FormatSettings.DateSeparator = '/';
    FormatSettings.TimeSeparator = ':';
    FormatSettings.ShortDateFormat = "mm/dd/yyyy";
    FormatSettings.LongTimeFormat = "hh:nn:ss";
    spin = New<TZirSpinEdit>(parent.get());
    spin->SetParent(parent.get());
  }
  void TearDown() override { ResetFormatSettings(); }
  void Key(Word vk) { SendMessage(spin->Handle(), WM_KEYDOWN, vk, 0); }
  void Char(char c, LPARAM lparam = 0) { SendMessage(spin->Handle(), WM_CHAR, static_cast<unsigned char>(c), lparam); }
  void Caret(int at) { spin->SetSelStart(at); }
};

TEST_F(SpinFixture, StartsAsAnIntegerEditOfZeroToHundredWithItsSpinButton) {
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(spin->SpinType(), sptNormal);
  EXPECT_EQ(spin->MaxValue, 100);
  EXPECT_EQ(spin->Increment, 1);
  EXPECT_DOUBLE_EQ(spin->IncrementFloat, 0.1);
  EXPECT_TRUE(spin->ShowSeconds);
  EXPECT_TRUE(spin->EditorEnabled);
  EXPECT_EQ(spin->EditAlign(), eaLeft);
  EXPECT_EQ(spin->Direction(), spVertical);
  ASSERT_NE(spin->Button(), nullptr);
  EXPECT_EQ(spin->Button()->FocusControl(), spin);
  // The button sits inside the right edge, the text stops before it.
  EXPECT_EQ(spin->Button()->Left(), spin->Width() - spin->Button()->Width() - 5);
  EXPECT_EQ(spin->EditRect().Right, spin->ClientWidth() - spin->Button()->Width() - 2);
}

TEST_F(SpinFixture, IntegerValueReadsFallbacksAndClampsToItsRange) {
  spin->SetText(" 42 ");
  EXPECT_EQ(spin->Value(), 42);
  spin->SetText("");
  EXPECT_EQ(spin->Value(), 0);
  spin->MinValue = 5;
  spin->SetText("abc");
  EXPECT_EQ(spin->Value(), 5);
  spin->MinValue = 0;
  spin->SetValue(150);
  EXPECT_EQ(spin->Text(), "100");
  spin->SetValue(-3);
  EXPECT_EQ(spin->Text(), "0");
  spin->MaxValue = 0;  // equal bounds: no range at all
  spin->SetValue(150);
  EXPECT_EQ(spin->Text(), "150");
  spin->SetValue(-7);
  EXPECT_EQ(spin->Text(), "-7");
}

TEST_F(SpinFixture, IntegerStepsStopAtTheEndsOfTheIntegerRange) {
  spin->MinValue = spin->MaxValue = 0;  // no range: only the integer's own ends hold
  struct Case {
    const char* text;
    int increment;
    Word key;
    const char* shown;
  } cases[] = {
      {"2147483647", 1, VK_UP, "2147483647"},
      {"2147483600", 100, VK_UP, "2147483647"},
      {"-2147483648", 1, VK_DOWN, "-2147483648"},
      {"-2147483600", 100, VK_DOWN, "-2147483648"},
      {"5", -2147483647 - 1, VK_DOWN, "2147483647"},
      {"41", 1, VK_UP, "42"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    spin->Increment = c.increment;
    spin->SetText(c.text);
    Key(c.key);
    EXPECT_EQ(spin->Text(), c.shown);
  }
}

TEST_F(SpinFixture, FloatValueShowsItsPrecisionWithTheRegionalSeparator) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  spin->SetSpinType(sptFloat);
  spin->SetPrecision(2);
  spin->SetFloatValue(3.14159);
  EXPECT_EQ(spin->Text(), "3,14");
  EXPECT_DOUBLE_EQ(spin->FloatValue(), 3.14);
  spin->SetPrecision(0);
  spin->SetFloatValue(2.5);
  EXPECT_EQ(spin->Text(), "2,5");
  spin->SetFloatValue(250);  // above MaxFloatValue
  EXPECT_EQ(spin->Text(), "100");
  spin->SetText("x");
  EXPECT_DOUBLE_EQ(spin->FloatValue(), 0);
  // PageUp steps by one, Up by IncrementFloat.
  spin->SetFloatValue(1);
  Key(VK_PRIOR);
  EXPECT_EQ(spin->Text(), "2");
  Key(VK_UP);
  EXPECT_EQ(spin->Text(), "2,1");
  Key(VK_NEXT);
  EXPECT_EQ(spin->Text(), "1,1");
}

TEST_F(SpinFixture, TimeStepsTheUnitUnderTheCaretAndWrapsWithinTheDay) {
  spin->SetSpinType(sptTime);
  struct Case {
    const char* from;
    int caret;
    Word key;
    const char* shown;
  };
  const Case cases[] = {
      {"23:30:00", 0, VK_UP, "00:30:00"},   // hours, over midnight
      {"23:30:00", 1, VK_DOWN, "22:30:00"},
      {"00:30:00", 0, VK_DOWN, "23:30:00"},  // back over midnight
      {"10:59:00", 3, VK_UP, "11:00:00"},    // minutes
      {"10:00:00", 4, VK_DOWN, "09:59:00"},
      {"10:00:59", 6, VK_UP, "10:01:00"},    // seconds
      {"00:00:00", 7, VK_DOWN, "23:59:59"},
  };
  for (const Case& c : cases) {
    spin->SetText(c.from);
    Caret(c.caret);
    Key(c.key);
    EXPECT_EQ(spin->Text(), c.shown) << c.from << " caret " << c.caret;
    EXPECT_EQ(spin->SelStart(), c.caret) << "the caret stays in its field";
  }
  // Without seconds the text is h:nn and everything after the hours is minutes.
  spin->ShowSeconds = false;
  spin->SetText("9:15");
  Caret(3);
  Key(VK_UP);
  EXPECT_EQ(spin->Text(), "9:16");
  spin->SetText("nonsense");
  EXPECT_DOUBLE_EQ(spin->TimeValue(), 0);
}

TEST_F(SpinFixture, TimeStepsOfADayOrMoreAreRefusedByTheTimeEncoding) {
  spin->SetSpinType(sptTime);
  spin->SetText("10:00:00");
  spin->IncrementHours = 24;
  Caret(0);
  EXPECT_THROW(spin->UpClick(false), EConvertError);
  spin->IncrementHours = 1;
  spin->IncrementMinutes = 60;
  Caret(4);
  EXPECT_THROW(spin->DownClick(false), EConvertError);
  EXPECT_EQ(spin->Text(), "10:00:00");
}

TEST_F(SpinFixture, DateStepsTheFieldUnderTheCaretInTheRegionalOrder) {
  spin->SetSpinType(sptDate);
  struct Case {
    const char* format;
    const char* from;
    int caret;
    Word key;
    const char* shown;
  };
  const Case cases[] = {
      {"mm/dd/yyyy", "01/31/2024", 0, VK_UP, "02/29/2024"},   // month first; the day kept to the month
      {"mm/dd/yyyy", "01/31/2024", 3, VK_UP, "02/01/2024"},   // the day field
      {"mm/dd/yyyy", "01/31/2024", 8, VK_DOWN, "01/31/2023"},  // the year
      {"dd/mm/yyyy", "31/01/2024", 0, VK_UP, "01/02/2024"},   // day first
      {"dd/mm/yyyy", "31/12/2024", 4, VK_UP, "31/01/2025"},   // month over the year's end
      {"yyyy/mm/dd", "2024/01/31", 2, VK_UP, "2025/01/31"},   // year first: the first field is the year
      {"yyyy/mm/dd", "2024/01/31", 9, VK_DOWN, "2024/01/30"},
  };
  for (const Case& c : cases) {
    FormatSettings.ShortDateFormat = c.format;
    spin->SetText(c.from);
    Caret(c.caret);
    Key(c.key);
    EXPECT_EQ(spin->Text(), c.shown) << c.format << " " << c.from << " caret " << c.caret;
  }
  // A year step from 29 February to a year without one is a date-encoding error.
  FormatSettings.ShortDateFormat = "mm/dd/yyyy";
  spin->SetText("02/29/2024");
  Caret(8);
  EXPECT_THROW(spin->UpClick(false), EConvertError);
}

TEST_F(SpinFixture, DateValueOfAnEmptyOrZeroTextIsNowAndClampsToItsRange) {
  TManualClock clock(EncodeDate(2025, 6, 1) + 0.25);
  SetClockSource(&clock);
  spin->SetSpinType(sptDate);
  spin->SetText("0");
  EXPECT_DOUBLE_EQ(spin->DateValue(), clock.Now());
  spin->MinDateValue = EncodeDate(2025, 1, 1);
  spin->MaxDateValue = EncodeDate(2025, 12, 31);
  spin->SetText("garbage");
  EXPECT_DOUBLE_EQ(spin->DateValue(), spin->MinDateValue);
  spin->SetDateValue(EncodeDate(2030, 1, 1));
  EXPECT_EQ(spin->Text(), "12/31/2025");
  SetClockSource(nullptr);
}

struct CharCase {
  const char* name;
  TZirSpinType type;
  int precision;
  const char* text;
  int selStart, selLength;
  char key;
  bool accepted;
};

TEST_F(SpinFixture, TypedCharactersAreCheckedAndRefusedOnesBeep) {
  const CharCase cases[] = {
      {"digit", sptNormal, 0, "12", 2, 0, '3', true},
      {"letter", sptNormal, 0, "12", 2, 0, 'a', false},
      {"minus at the start", sptNormal, 0, "12", 0, 0, '-', true},
      {"minus after the first character", sptNormal, 0, "12", 1, 0, '-', false},
      {"second minus", sptNormal, 0, "-12", 0, 0, '-', false},
      {"minus over the selected minus", sptNormal, 0, "-12", 0, 1, '-', true},
      {"decimal point in an integer", sptNormal, 0, "12", 2, 0, '.', false},
      {"Ctrl+C in an integer edit", sptNormal, 0, "12", 2, 0, '\x03', true},
      {"decimal point", sptFloat, 0, "12", 2, 0, '.', true},
      {"second decimal point", sptFloat, 0, "1.2", 3, 0, '.', false},
      {"decimal point over the selected one", sptFloat, 0, "1.2", 1, 1, '.', true},
      {"thousand separator", sptFloat, 0, "12", 2, 0, ',', false},
      {"digit within precision", sptFloat, 2, "1.2", 3, 0, '5', true},
      {"digit beyond precision", sptFloat, 2, "1.25", 4, 0, '5', false},
      {"digit before the point", sptFloat, 2, "1.25", 0, 0, '5', true},
      {"time separator in a date", sptDate, 0, "01/0", 4, 0, ':', false},
      {"date separator in a date", sptDate, 0, "01", 2, 0, '/', true},
      {"second time separator", sptTime, 0, "10:1", 4, 0, ':', true},
      {"third time separator", sptTime, 0, "10:10:1", 7, 0, ':', false},
      {"Enter", sptNormal, 0, "1", 1, 0, '\r', false},
  };
  for (const CharCase& c : cases) {
    spin->SetSpinType(c.type);
    spin->SetPrecision(c.precision);
    spin->SetText(c.text);
    spin->SetSelStart(c.selStart);
    spin->SetSelLength(c.selLength);
    char key = c.key;
    Application->Hooks.Beeps = 0;
    EXPECT_EQ(spin->IsValidChar(key), c.accepted) << c.name;
    if (c.key >= 32) {
      spin->SetText(c.text);
      spin->SetSelStart(c.selStart);
      spin->SetSelLength(c.selLength);
      Char(c.key);
      EXPECT_EQ(Application->Hooks.Beeps, c.accepted ? 0 : 1) << c.name;
      if (c.selLength == 0) {
        EXPECT_EQ(spin->Text() != c.text, c.accepted) << c.name;
      }
    }
  }
}

TEST_F(SpinFixture, ADisabledEditorOnlySpinsAndAReadOnlyOneOnlyBeeps) {
  spin->EditorEnabled = false;
  spin->SetText("5");
  char backspace = '\b';
  EXPECT_FALSE(spin->IsValidChar(backspace));
  Char('7');
  Key(VK_DELETE);
  EXPECT_EQ(spin->Text(), "5");
  Key(VK_UP);
  EXPECT_EQ(spin->Text(), "6");
  EXPECT_EQ(spin->SelLength(), 1) << "a disabled editor selects the value it shows";
  spin->SetReadOnly(true);
  Application->Hooks.Beeps = 0;
  Key(VK_UP);
  spin->DownClick(true);
  EXPECT_EQ(spin->Text(), "6");
  EXPECT_EQ(Application->Hooks.Beeps, 2);
}

TEST_F(SpinFixture, KeypadPointTypesTheRegionalSeparatorAndReturnCanActAsTab) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  spin->SetSpinType(sptFloat);
  spin->SetText("1");
  spin->SetSelStart(1);
  spin->ExcelStyleDecimalSeparator = true;
  Char('.', LPARAM{1} << 22);
  EXPECT_EQ(spin->Text(), "1,");
  std::vector<Word> seen;
  spin->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { seen.push_back(Key); };
  spin->ReturnIsTab = true;
  Key(VK_RETURN);
  EXPECT_TRUE(seen.empty());
  Application->ProcessMessages();
  EXPECT_EQ(seen, std::vector<Word>{VK_TAB});
}

TEST_F(SpinFixture, LeavingPutsAValueTypedOutsideTheRangeBackIntoIt) {
  spin->SetText("250");
  spin->Perform(CM_EXIT, 0, 0);
  EXPECT_EQ(spin->Text(), "100");
  spin->SetText("50");
  spin->Perform(CM_EXIT, 0, 0);
  EXPECT_EQ(spin->Text(), "50");
}

TEST_F(SpinFixture, SpinButtonsClickAndRepeatWhileHeld) {
  TManualClock clock;
  SetClockSource(&clock);
  TRivTimerSpeedButton* up = spin->Button()->UpButton();
  TRivTimerSpeedButton* down = spin->Button()->DownButton();
  auto press = [](TControl* b, UINT msg) { b->Perform(msg, MK_LBUTTON, MakeLParam(2, 2)); };
  press(down, WM_LBUTTONDOWN);
  press(down, WM_LBUTTONUP);
  spin->SetText("10");
  press(up, WM_LBUTTONDOWN);
  ASSERT_NE(up->RepeatTimer(), nullptr);
  clock.Advance(399);
  Application->ProcessMessages();
  EXPECT_EQ(spin->Text(), "10");
  clock.Advance(1);
  Application->ProcessMessages();
  EXPECT_EQ(spin->Text(), "11");
  for (int i = 0; i < 3; ++i) {
    clock.Advance(100);
    Application->ProcessMessages();
  }
  EXPECT_EQ(spin->Text(), "14");
  press(up, WM_LBUTTONUP);  // the release is a click of its own
  clock.Advance(1000);
  Application->ProcessMessages();
  EXPECT_EQ(spin->Text(), "15");
  SetClockSource(nullptr);
}

TEST(SpinButton, LaysOutItsButtonsByDirectionAndAnswersItsKeys) {
  std::unique_ptr<TPanel> parent{New<TPanel>(nullptr)};
  auto* b = New<TZirSpinButton>(parent.get());
  b->SetParent(parent.get());
  EXPECT_EQ(b->Width(), 15);
  EXPECT_EQ(b->Height(), 25);
  EXPECT_EQ(b->UpButton()->BoundsRect(), Rect(0, 0, 15, 12));
  EXPECT_EQ(b->DownButton()->BoundsRect(), Rect(0, 11, 15, 25));
  EXPECT_FALSE(b->UpGlyph()->Empty());
  b->SetWidth(4);
  EXPECT_EQ(b->Width(), 15) << "never narrower than 15";
  b->SetDirection(spHorizontal);
  EXPECT_EQ(b->Width(), 20);
  EXPECT_EQ(b->UpButton()->ButtonDirection, bdRight);
  EXPECT_EQ(b->DownButton()->ButtonDirection, bdLeft);
  EXPECT_EQ(b->DownButton()->BoundsRect(), Rect(0, 0, 10, 25));
  EXPECT_EQ(b->UpButton()->BoundsRect(), Rect(11, 0, 21, 25));
  b->SetDirection(spVertical);
  EXPECT_EQ(b->Width(), 15);
  EXPECT_EQ(b->UpButton()->ButtonDirection, bdUp);

  std::vector<String> clicks;
  b->OnUpClick = [&](TObject*) { clicks.push_back("up"); };
  b->OnDownClick = [&](TObject*) { clicks.push_back("down"); };
  b->TabStop = true;
  EXPECT_EQ(b->FocusedButton(), b->UpButton());
  SendMessage(b->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessage(b->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(b->FocusedButton(), b->DownButton());
  EXPECT_TRUE(b->DownButton()->TimeBtnState.Contains(tbFocusRect));
  EXPECT_FALSE(b->UpButton()->TimeBtnState.Contains(tbFocusRect));
  SendMessage(b->Handle(), WM_KEYDOWN, VK_SPACE, 0);
  SendMessage(b->Handle(), WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(clicks, (std::vector<String>{"up", "down", "down", "up"}));
  EXPECT_EQ(b->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  // Setting no glyph brings the drawn arrow back.
  b->SetUpGlyph(nullptr);
  EXPECT_FALSE(b->UpGlyph()->Empty());
}

}  // namespace

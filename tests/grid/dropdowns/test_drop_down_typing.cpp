// Typed entry of the drop-down edit: what a sequence of keys leaves as text and value for each
// edit type (numbers, money, hexadecimal, ranges, letter case, restricted characters), the
// prefix and suffix around the value, pasting, the change events of typing and re-formatting,
// and the value written back as a number.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Clipbrd.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDown.h"

namespace {

// Keys that are not characters, written into the key strings of the cases as these control
// characters: Home "\x01", End "\x02", Left "\x03", Right "\x04", Delete "\x05".
constexpr char kHome = '\x01';
constexpr char kEnd = '\x02';
constexpr char kLeft = '\x03';
constexpr char kRight = '\x04';
constexpr char kDelete = '\x05';

void Press(TWinControl* c, Word vk) {
  KeyInput(c, WM_KEYDOWN, vk);
  KeyInput(c, WM_KEYUP, vk);
}

// Every key as a person presses it: the key going down, its character, the key going up.
void Keys(TWinControl* c, const String& keys) {
  for (char k : keys) {
    switch (k) {
      case kHome: Press(c, VK_HOME); break;
      case kEnd: Press(c, VK_END); break;
      case kLeft: Press(c, VK_LEFT); break;
      case kRight: Press(c, VK_RIGHT); break;
      case kDelete: Press(c, VK_DELETE); break;
      case '\b':
        KeyInput(c, WM_KEYDOWN, VK_BACK);
        KeyInput(c, WM_CHAR, '\b');
        KeyInput(c, WM_KEYUP, VK_BACK);
        break;
      default:
        KeyInput(c, WM_CHAR, static_cast<unsigned char>(k));
        break;
    }
  }
}

struct TypingFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivCustomDropDown* dd = nullptr;
  int changes = 0;
  void SetUp() override {
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    dd = New<TRivCustomDropDown>(form.get());
    dd->SetParent(form.get());
    dd->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    dd->SetFocus();
  }
  void TearDown() override {
    form.reset();
    ResetFormatSettings();
  }
  void Caret(int At) {
    dd->SetSelStart(At);
    dd->SetSelLength(0);
  }
};

struct TypingCase {
  const char* name;
  TDropDownEditType type;
  int precision;
  bool isSigned;
  const char* prefix;
  const char* start;  // applied as the value before typing
  int caret;          // -1: the whole value selected, -2: "cd" of "abcdef"; else the caret in the edit text
  const char* keys;
  const char* text;   // the value afterwards
  double value;
};

TEST_F(TypingFixture, KeySequencesLeaveTheTextAndValueTheirEditTypeAllows) {
  const TypingCase cases[] = {
      {"numeric over a selection", etNumeric, 0, false, "", "7", -1, "12", "12", 12},
      {"numeric refuses letters and signs", etNumeric, 0, false, "", "7", -1, "1a-2", "12", 12},
      {"signed minus toggles", etNumeric, 0, true, "", "42", 2, "-", "-42", -42},
      {"signed minus twice", etNumeric, 0, true, "", "42", 2, "--", "42", 42},
      {"signed minus over all", etNumeric, 0, true, "", "42", -1, "-5", "-5", -5},
      {"float typed", etFloat, 2, false, "", "3", -1, "1.5", "1.5", 1.5},
      {"float full decimals refuse at the end", etFloat, 2, false, "", "3", 4, "7", "3.00", 3},
      {"float digit overwrites a decimal", etFloat, 2, false, "", "3", 2, "4", "3.40", 3.4},
      {"float separator jumps to the decimals", etFloat, 2, false, "", "3", 0, ".9", "3.90", 3.9},
      {"float separator into nothing", etFloat, 2, false, "", "3", -1, "\b.5", "0.5", 0.5},
      {"float second separator", etFloat, 0, false, "", "1", 1, ".5", "15", 15},
      {"money groups thousands", etMoney, 2, false, "", "0", -1, "1234567.89", "1,234,567.89", 1234567.89},
      {"money minus", etMoney, 2, true, "", "12", 5, "-", "-12.00", -12},
      {"hex", etHex, 0, false, "", "ff", -1, "1g2", "12", 18},
      {"range", etRange, 0, false, "", "", -1, "1--3;;5", "1-3;5", 0},
      {"range separators not first", etRange, 0, false, "", "", -1, "-;,2", "2", 0},
      {"upper case", etUppercase, 0, false, "", "", -1, "abC", "ABC", 0},
      {"lower case", etLowerCase, 0, false, "", "", -1, "AbC", "abc", 0},
      {"mixed case", etMixedCase, 0, false, "", "", -1, "o'neil mcdonald", "O'Neil McDonald", 0},
      {"mixed case keeps the prefix", etMixedCase, 0, false, "Name: ", "", -1, "ann", "Ann", 0},
      {"alphanumeric", etAlphaNumeric, 0, false, "", "", -1, "a-b c1", "abc1", 0},
      {"prefix: Home stops after it", etString, 0, false, "$", "5", 2, "\x01" "x", "x5", 0},
      {"prefix: Backspace there is refused", etString, 0, false, "$", "5", 1, "\b\b", "5", 5},
      {"Backspace over a selection", etString, 0, false, "", "abcdef", -2, "\b", "abef", 0},
      {"Delete over a selection", etString, 0, false, "", "abcdef", -2, "\x05", "abef", 0},
  };
  for (const TypingCase& c : cases) {
    SCOPED_TRACE(c.name);
    dd->SetEditType(etString);
    dd->SetPrecision(0);
    dd->SetPrefix(c.prefix);
    dd->SetEditType(c.type);
    dd->SetSigned(c.isSigned);
    dd->SetPrecision(c.precision);
    dd->SetText(c.start);
    if (c.caret == -1) {
      dd->SelectAll();
    } else if (c.caret == -2) {
      dd->SetSelStart(2);  // "cd" of "abcdef"
      dd->SetSelLength(2);
    } else {
      Caret(c.caret);
    }
    Keys(dd, c.keys);
    EXPECT_EQ(dd->Text(), c.text);
    EXPECT_DOUBLE_EQ(dd->FloatValue(), c.value);
  }
}

TEST_F(TypingFixture, ValidCharsTakeOnlyTheirCharacters) {
  dd->SetEditType(etValidChars);
  dd->SetValidChars("xyz");
  Keys(dd, "xayQz");
  EXPECT_EQ(dd->Text(), "xyz");
}

TEST_F(TypingFixture, TheIntegerDigitsStopAtTheLengthLimit) {
  dd->SetEditType(etNumeric);
  dd->SetLengthLimit(3);
  dd->SetText("123");
  Caret(0);
  Keys(dd, "4");
  EXPECT_EQ(dd->Text(), "123");
  Caret(3);
  Keys(dd, "4\b");
  EXPECT_EQ(dd->Text(), "12");
}

TEST_F(TypingFixture, TheSuffixStaysOutOfTheValue) {
  dd->SetSuffix(" kg");
  dd->SetText("5");
  EXPECT_EQ(dd->EditText(), "5 kg");
  EXPECT_EQ(dd->Text(), "5");
  Caret(0);
  Keys(dd, "\x02\x04" "0");
  EXPECT_EQ(dd->Text(), "50");
  EXPECT_EQ(dd->EditText(), "50 kg");
  // A text that does not end with the suffix keeps its end.
  dd->AssignText("abc");
  EXPECT_EQ(dd->Text(), "abc");
}

TEST_F(TypingFixture, TheFirstKeyOverASelectedValueReportsTheChangeAndReformattingDoesNot) {
  dd->SetText("abc");
  dd->SelectAll();
  changes = 0;
  Keys(dd, "x");
  EXPECT_EQ(dd->Text(), "x");
  EXPECT_EQ(changes, 1);
  dd->SetEditType(etMoney);
  dd->SetPrecision(2);
  dd->SetText("123");
  Caret(3);
  changes = 0;
  Keys(dd, "4");
  EXPECT_EQ(dd->Text(), "1,234.00");
  EXPECT_EQ(changes, 1) << "the typed digit, not the thousand separator the control put in";
}

TEST_F(TypingFixture, PastesAreCheckedByEditType) {
  struct Case {
    TDropDownEditType type;
    const char* start;
    const char* clip;
    const char* text;
  };
  const Case cases[] = {
      {etString, "ab", "xy", "abxy"},  {etNumeric, "12", "34", "1234"}, {etNumeric, "12", "3a", "12"},
      {etNumeric, "12", "-3", "12"},   {etUppercase, "AB", "cd", "ABCD"}, {etHex, "A", "B", "A"},
      {etRange, "1", "-2", "1"},       {etAlphaNumeric, "a", "b-c", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clip);
    dd->SetEditType(c.type);
    dd->SetText(c.start);
    Caret(static_cast<int>(String(c.start).size()));
    Clipboard()->SetAsText(c.clip);
    dd->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(dd->Text(), c.text);
  }
  dd->SetEditType(etMoney);
  dd->SetPrecision(2);
  dd->SetText("1");
  dd->SelectAll();
  Clipboard()->SetAsText("2500.5");
  SetKeyDown(VK_CONTROL, true);
  Press(dd, 'V');
  SetKeyDown(VK_CONTROL, false);
  EXPECT_EQ(dd->Text(), "2,500.50");
}

TEST_F(TypingFixture, NumbersAreWrittenBackInTheFormatOfTheEditType) {
  dd->SetEditType(etMoney);
  dd->SetPrecision(2);
  dd->SetFloatValue(1234.5);
  EXPECT_EQ(dd->Text(), "1,234.50");
  EXPECT_TRUE(dd->IsModified());
  dd->SetEditType(etHex);
  EXPECT_EQ(dd->Text(), "0") << "a money text is no hexadecimal number";
  dd->SetIntValue(255);
  EXPECT_EQ(dd->Text(), "FF");
  EXPECT_DOUBLE_EQ(dd->FloatValue(), 255);
  dd->SetText("ff");
  EXPECT_EQ(dd->Text(), "FF");
  dd->SetEditType(etNumeric);
  EXPECT_EQ(dd->Text(), "0");
  dd->SetText("");
  EXPECT_EQ(dd->Text(), "0");
  dd->SetText("abc");
  EXPECT_EQ(dd->Text(), "abc") << "a value that is not empty passes";
  dd->SetEditType(etFloat);
  dd->SetPrecision(2);
  dd->SetText("3");
  EXPECT_EQ(dd->Text(), "3.00");
  EXPECT_FALSE(dd->IsModified());
  // Leaving the edit formats what was typed.
  dd->SelectAll();
  Keys(dd, "1.5");
  EXPECT_TRUE(dd->IsModified());
  dd->Perform(WM_KILLFOCUS, 0, 0);
  EXPECT_EQ(dd->Text(), "1.50");
  EXPECT_TRUE(dd->IsModified());
}

TEST_F(TypingFixture, MoneyUnderOtherRegionalSeparators) {
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  dd->SetEditType(etMoney);
  dd->SetPrecision(2);
  dd->SetText("1234,5");
  EXPECT_EQ(dd->Text(), "1.234,50");
  EXPECT_DOUBLE_EQ(dd->FloatValue(), 1234.5);
  dd->SelectAll();
  Keys(dd, "98765,4");
  EXPECT_EQ(dd->Text(), "98.765,4");
  EXPECT_DOUBLE_EQ(dd->FloatValue(), 98765.4);
}

}  // namespace

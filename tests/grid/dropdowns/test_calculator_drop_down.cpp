// The calculator drop-down: what the display shows after each keypad key of a sequence (left to
// right evaluation, percent, sign, memory, errors), typed keys with the pop-up closed and open,
// and the keypad's layout.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivCalculatorDropdown.h"
#include "grid/dropdowns/RivDropDownForm.h"

namespace {

struct CalculatorFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivCalculatorDropdown* calc = nullptr;

  void SetUp() override {
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ThousandSeparator = ',';
    form->SetBounds(100, 100, 400, 300);
    calc = New<TRivCalculatorDropdown>(form.get());
    calc->SetParent(form.get());
    calc->SetBounds(10, 10, 200, 24);
    form->Show();
    calc->SetFocus();
  }
  void TearDown() override {
    form.reset();
    ResetFormatSettings();
  }
  TCustomButtonPanel* Keypad() const { return calc->ButtonPanel(); }
  // A click on the keypad key with that caption, as the mouse gives it.
  void ClickKey(const String& Caption) {
    TButtonItems* buttons = Keypad()->Buttons();
    for (int i = 0; i < buttons->Count(); ++i) {
      TButtonItem* b = buttons->Items(i);
      if (b->Caption != Caption) continue;
      const LPARAM at = MakeLParam(b->Left + b->Width / 2, b->Top + b->Height / 2);
      Keypad()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, at);
      Keypad()->Perform(WM_LBUTTONUP, 0, at);
      return;
    }
    ADD_FAILURE() << "no key " << Caption;
  }
  // A step: a keypad caption, or "value:<number>" written through Value, or "text:<text>"
  // written into the edit as it stands.
  void Step(const String& Token) {
    if (Token.rfind("value:", 0) == 0)
      calc->SetValue(StrToFloat(Token.substr(6)));
    else if (Token.rfind("text:", 0) == 0)
      calc->AssignText(Token.substr(5));
    else
      ClickKey(Token);
  }
  void TypeChars(const String& Keys) {
    for (char k : Keys) KeyInput(calc, WM_CHAR, static_cast<unsigned char>(k));
  }
};

struct KeyStep {
  const char* key;
  const char* display;
};

struct KeypadCase {
  const char* name;
  std::vector<KeyStep> steps;
};

TEST_F(CalculatorFixture, KeypadSequencesShowTheirDisplayAfterEachKey) {
  const std::vector<KeypadCase> cases = {
      {"left to right", {{"2", "2.00"}, {"+", "2.00"}, {"3", "3.00"}, {"*", "5.00"}, {"4", "4.00"}, {"=", "20.00"}}},
      {"repeated operator", {{"5", "5.00"}, {"+", "5.00"}, {"+", "10.00"}}},
      {"repeated equals", {{"5", "5.00"}, {"+", "5.00"}, {"3", "3.00"}, {"=", "8.00"}, {"=", "8.00"}}},
      {"percent", {{"2", "2.00"}, {"0", "20.00"}, {"0", "200.00"}, {"+", "200.00"}, {"1", "1.00"}, {"0", "10.00"},
                   {"%", "20.00"}, {"=", "220.00"}}},
      {"digit after percent", {{"2", "2.00"}, {"0", "20.00"}, {"0", "200.00"}, {"+", "200.00"}, {"1", "1.00"},
                               {"0", "10.00"}, {"%", "20.00"}, {"3", "203.00"}}},
      {"division by zero", {{"8", "8.00"}, {"/", "8.00"}, {"0", "0.00"}, {"=", "Error"}, {"+", "0.00"}}},
      {"rounded display re-read", {{"1", "1.00"}, {"/", "1.00"}, {"3", "3.00"}, {"=", "0.33"}, {"*", "0.33"},
                                   {"3", "3.00"}, {"=", "0.99"}}},
      {"accumulator unrounded", {{"1", "1.00"}, {"/", "1.00"}, {"3", "3.00"}, {"+", "0.33"}, {"1", "1.00"},
                                 {"=", "1.33"}}},
      {"decimals", {{"1", "1.00"}, {"+", "1.00"}, {".", "0.00"}, {"5", "0.50"}, {"7", "0.57"}, {"9", "0.58"}}},
      {"sign ends decimals", {{"1", "1.00"}, {".", "1.00"}, {"5", "1.50"}, {"+/-", "-1.50"}, {"+/-", "1.50"},
                              {"2", "17.00"}}},
      {"negative keeps its sign", {{"5", "5.00"}, {"+/-", "-5.00"}, {"3", "-53.00"}, {".", "-53.00"}, {"5", "-53.50"}}},
      {"CE clears like C", {{"5", "5.00"}, {"+", "5.00"}, {"3", "3.00"}, {"CE", "0.00"}, {"4", "4.00"}, {"=", "4.00"}}},
      {"Back", {{"1", "1.00"}, {"2", "12.00"}, {".", "12.00"}, {"5", "12.50"}, {"Back", "12.00"}, {"+", "12.00"},
                {"Back", "12.00"}}},
      {"memory", {{"7", "7.00"}, {"MS", "7.00"}, {"C", "0.00"}, {"MR", "7.00"}, {"M+", "7.00"}, {"C", "0.00"},
                  {"MR", "14.00"}, {"MC", "14.00"}, {"MR", "0.00"}}},
      {"sqrt and 1/x", {{"9", "9.00"}, {"sqrt", "3.00"}, {"C", "0.00"}, {"4", "4.00"}, {"1/x", "0.25"}, {"C", "0.00"},
                        {"1/x", "Error"}, {"C", "0.00"}, {"2", "2.00"}, {"+/-", "-2.00"}, {"sqrt", "Error"}}},
      {"overflow", {{"value:1e300", nullptr}, {"*", nullptr}, {"value:1e300", nullptr}, {"=", "Error"},
                    {"+", "0.00"}, {"2", "2.00"}, {"=", "2.00"}}},
      {"unreadable display", {{"text:x", "x"}, {"+", "0.00"}, {"4", "4.00"}, {"=", "4.00"}}},
  };
  for (const KeypadCase& c : cases) {
    SCOPED_TRACE(c.name);
    calc->SetValue(0);
    calc->ShowDropDown();
    ClickKey("C");
    ClickKey("MC");
    for (const KeyStep& s : c.steps) {
      Step(s.key);
      if (s.display != nullptr) {
        EXPECT_EQ(calc->Text(), s.display) << "after " << s.key;
      }
    }
    calc->HideDropDown(false);
  }
}

TEST_F(CalculatorFixture, ThousandSeparatorsShowAndReadBack) {
  calc->SetShowThousandSeparator(true);
  calc->SetValue(1234.5);
  EXPECT_EQ(calc->Text(), "1,234.50");
  calc->ShowDropDown();
  ClickKey("MS");
  ClickKey("+");
  ClickKey("1");
  ClickKey("=");
  EXPECT_EQ(calc->Text(), "1,235.50");
  ClickKey("MR");
  EXPECT_EQ(calc->Text(), "1,234.50");
  EXPECT_DOUBLE_EQ(static_cast<double>(calc->Value()), 1234.5);
}

TEST_F(CalculatorFixture, TypedKeysWithThePopupClosed) {
  TypeChars("1.5");
  EXPECT_EQ(calc->Text(), "1.50") << "the separator goes on with the decimals";
  TypeChars("+");
  TypeChars("7");
  EXPECT_EQ(calc->Text(), "7.00");
  EXPECT_EQ(calc->SelStart(), 1);
  TypeChars("8");
  EXPECT_EQ(calc->Text(), "78.00");
  TypeChars("=");
  EXPECT_EQ(calc->Text(), "79.50");
  TypeChars("c");
  EXPECT_EQ(calc->Text(), "0.00");
  TypeChars("x");
  EXPECT_EQ(calc->Text(), "0.00") << "letters are dropped";
}

TEST_F(CalculatorFixture, TypedKeysWithThePopupOpenAndEscape) {
  TypeChars("5+");
  calc->ShowDropDown();
  ASSERT_TRUE(calc->DropDownForm()->Visible());
  for (char k : String("78")) {
    char key = k;
    calc->PopupKeyPress(key);
  }
  EXPECT_EQ(calc->Text(), "78.00");
  Word esc = VK_ESCAPE;
  calc->PopupKeyDown(esc, TShiftState());
  EXPECT_FALSE(calc->DropDownForm()->Visible());
  EXPECT_EQ(calc->Text(), "7.00") << "only what was typed onto the number since it was written is dropped";
  TypeChars("=");
  EXPECT_EQ(calc->Text(), "12.00") << "the pending addition survives";
  // Enter in the pop-up ends with the result.
  calc->ShowDropDown();
  ClickKey("*");
  ClickKey("2");
  Word enter = VK_RETURN;
  calc->PopupKeyDown(enter, TShiftState());
  EXPECT_FALSE(calc->DropDownForm()->Visible());
  EXPECT_EQ(calc->Text(), "24.00");
}

TEST_F(CalculatorFixture, TheKeypadLaysOutSixColumnsAndFiveRows) {
  Keypad()->SetBounds(0, 0, 230, 150);
  Keypad()->ArrangeButtons();
  // Area 8..222 x 8..142: keys 34 x 26.
  struct Where {
    const char* caption;
    int left, top, width;
  };
  for (const Where& w : {Where{"", 8, 8, 34}, Where{"MC", 8, 38, 34}, Where{"7", 46, 38, 34}, Where{"8", 79, 38, 34},
                         Where{"/", 150, 38, 34}, Where{"sqrt", 183, 38, 34}, Where{"0", 46, 113, 34},
                         Where{"=", 183, 113, 34}, Where{"Back", 46, 8, 54}, Where{"CE", 104, 8, 54},
                         Where{"C", 162, 8, 55}}) {
    SCOPED_TRACE(w.caption);
    TButtonItem* found = nullptr;
    for (int i = 0; i < Keypad()->Buttons()->Count(); ++i)
      if (Keypad()->Buttons()->Items(i)->Caption == w.caption) found = Keypad()->Buttons()->Items(i);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Left, w.left);
    EXPECT_EQ(found->Top, w.top);
    EXPECT_EQ(found->Width, w.width);
    EXPECT_EQ(found->Height, 26);
  }
  EXPECT_EQ(Keypad()->Buttons()->Count(), 28);
  EXPECT_EQ(Keypad()->ButtonAt(7, 7), -1);
}

}  // namespace

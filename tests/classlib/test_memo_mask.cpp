// Memo lines and masked-edit texts as the program's forms read and write them.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/Mask.h"
#include "classlib/StdCtrls.h"
#include "classlib/WinApi.h"

namespace {

std::vector<String> LinesOf(TStrings* s) {
  std::vector<String> v;
  for (int i = 0; i < s->Count(); ++i) v.push_back(s->Strings(i));
  return v;
}

TEST(Memo, TextSplitsAtAnyLineBreakAndATrailingBreakAddsNoCountedLine) {
  TMemo memo(nullptr);
  struct Case { String text; std::vector<String> lines; String readBack; };
  const Case cases[] = {
      {"", {}, ""},
      {"A", {"A"}, "A"},
      {"A\r\nB\r\n", {"A", "B"}, "A\r\nB\r\n"},
      {"\r\nA\r\nB\r\n", {"", "A", "B"}, "\r\nA\r\nB\r\n"},
      {"A\nB\rC", {"A", "B", "C"}, "A\r\nB\r\nC"},
      {"\r\n", {""}, "\r\n"},
  };
  for (const Case& c : cases) {
    memo.SetText(c.text);
    EXPECT_EQ(LinesOf(memo.Lines()), c.lines) << c.text;
    EXPECT_EQ(memo.Text(), c.readBack) << c.text;
  }
  memo.Lines()->SetText("x\r\ny\r\n");
  EXPECT_EQ(memo.Text(), "x\r\ny\r\n");
  EXPECT_EQ(memo.Lines()->Text(), "x\r\ny\r\n");
}

TEST(Memo, ReadsPastTheEndGiveEmptyAndWritesPastTheEndPad) {
  TMemo memo(nullptr);
  memo.SetText("\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n");
  EXPECT_EQ(memo.Lines()->Count(), 13);
  EXPECT_EQ(memo.Lines()->Strings(12), "12");
  EXPECT_EQ(memo.Lines()->Strings(13), "");
  EXPECT_EQ(memo.Lines()->Strings(500), "");

  memo.Lines()->Clear();
  memo.Lines()->Put(1, "Start time = 10:00:00");
  memo.Lines()->Put(0, "Stop time = 10:00:05");
  EXPECT_EQ(LinesOf(memo.Lines()), (std::vector<String>{"Stop time = 10:00:05", "Start time = 10:00:00"}));
  memo.Lines()->Delete(7);  // nothing there: nothing happens
  memo.Lines()->Delete(0);
  memo.Lines()->Add("more");
  memo.Lines()->Insert(0, "first");
  EXPECT_EQ(memo.Text(), "first\r\nStart time = 10:00:00\r\nmore\r\n");
}

TEST(Memo, SaveToFileEndsEveryLineWithCrLf) {
  TMemo memo(nullptr);
  memo.SetText("a\nb");
  String path = testing::TempDir() + "memo_save.txt";
  memo.Lines()->SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), "a\r\nb\r\n");
  std::remove(path.c_str());
}

TEST(Memo, TypingEnterMakesANewLine) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  auto* memo = New<TMemo>(form.get());
  memo->SetParent(form.get());
  for (char c : String("ab")) KeyInput(memo, WM_CHAR, static_cast<unsigned char>(c));
  KeyInput(memo, WM_KEYDOWN, VK_RETURN);
  KeyInput(memo, WM_CHAR, '\r');
  KeyInput(memo, WM_CHAR, 'c');
  EXPECT_EQ(LinesOf(memo->Lines()), (std::vector<String>{"ab", "c"}));
}

TEST(MaskEdit, TextKeepsTheBlankFillOfTheProgramsMasks) {
  TMaskEdit edit(nullptr);
  struct Case { String mask, set, text, editText; };
  const Case cases[] = {
      {"!99999;1; ", "1000 ", "1000 ", "1000 "},
      {"99999;1; ", "1000 ", "1000 ", "1000 "},
      {"999999;1; ", "5000  ", "5000  ", "5000  "},
      {"99999;1; ", "1000", "1000 ", "1000 "},
      {"!99999;1; ", "1000", " 1000", " 1000"},
      {"99999;1; ", "12a45", "12 45", "12 45"},
      {"99999;1;_", "10", "10   ", "10___"},
      {"00/00;1;_", "12/3", "12/3 ", "12/3_"},
      {"00/00;0;_", "1234", "1234", "12/34"},
      {">LL-000;1;_", "ab-123", "AB-123", "AB-123"},
  };
  for (const Case& c : cases) {
    edit.SetEditMask(c.mask);
    edit.SetText(c.set);
    EXPECT_EQ(edit.Text(), c.text) << c.mask << " " << c.set;
    EXPECT_EQ(edit.EditText(), c.editText) << c.mask << " " << c.set;
  }
  edit.SetEditMask("");
  EXPECT_FALSE(edit.IsMasked());
}

TEST(MaskEdit, TypingGoesOnlyWhereTheMaskAllowsAndRequiredPositionsAreChecked) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  auto* edit = New<TMaskEdit>(form.get());
  edit->SetParent(form.get());
  edit->SetEditMask("00-00;1;_");
  edit->SetText("");
  edit->SetSelStart(0);
  for (char c : String("1x2")) KeyInput(edit, WM_CHAR, static_cast<unsigned char>(c));
  EXPECT_EQ(edit->EditText(), "12-__");
  EXPECT_EQ(Application->Hooks.Beeps, 1);
  EXPECT_EQ(edit->SelStart(), 3);  // the caret skips the literal
  EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
  KeyInput(edit, WM_CHAR, '3');
  KeyInput(edit, WM_CHAR, '\b');
  KeyInput(edit, WM_CHAR, '4');
  KeyInput(edit, WM_CHAR, '5');
  EXPECT_EQ(edit->Text(), "12-45");
  EXPECT_NO_THROW(edit->ValidateEdit());
}

// Keys sent without a view (a selection set from code, then key messages) edit the way a
// person's keys do in a shown edit.
struct SelectionCase {
  const char* name;
  const char* mask;
  const char* text;
  int selStart, selLength;
  std::vector<std::pair<UINT, WPARAM>> keys;
  const char* editText;
  int caret;
  int beeps;
};

TEST(MaskEdit, KeysReplaceASelectionSetFromCode) {
  const SelectionCase cases[] = {
      {"typing over the number", "999999;1; ", "5000  ", 0, 4, {{WM_CHAR, '5'}, {WM_CHAR, '0'}, {WM_CHAR, '0'}},
       "500   ", 3, 0},
      {"typing over a literal", "00-00;1;_", "12-34", 1, 3, {{WM_CHAR, '9'}}, "19-_4", 3, 0},
      {"a selection of literals only types after it", "00-00;1;_", "12-34", 2, 1, {{WM_CHAR, '9'}}, "12-94", 4, 0},
      {"a character that does not fit still blanks", "999999;1; ", "5000  ", 0, 4, {{WM_CHAR, 'x'}}, "      ", 0,
       1},
      {"Backspace", "00-00;1;_", "12-34", 1, 3, {{WM_CHAR, '\b'}}, "1_-_4", 1, 0},
      {"Delete", "999999;1; ", "5000  ", 1, 2, {{WM_KEYDOWN, VK_DELETE}}, "5  0  ", 1, 0},
      {"an empty mask is a plain edit", "", "hello world", 0, 5, {{WM_CHAR, 'y'}, {WM_CHAR, 'o'}}, "yo world", 2, 0},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(c.name);
    Application->ResetHooks();
    std::unique_ptr<TForm> form(New<TForm>(nullptr));
    auto* edit = New<TMaskEdit>(form.get());
    edit->SetParent(form.get());
    edit->SetEditMask(c.mask);
    edit->SetText(c.text);
    edit->SetSelStart(c.selStart);
    edit->SetSelLength(c.selLength);
    for (auto [msg, key] : c.keys) KeyInput(edit, msg, key);
    EXPECT_EQ(edit->EditText(), c.editText);
    EXPECT_EQ(edit->SelStart(), c.caret);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(Application->Hooks.Beeps, c.beeps);
  }
}

TEST(MaskEdit, CutPasteAndUndoKeepTheMaskPositions) {
  std::unique_ptr<TForm> form(New<TForm>(nullptr));
  auto* edit = New<TMaskEdit>(form.get());
  edit->SetParent(form.get());
  edit->SetEditMask("00-00;1;_");
  edit->SetText("12-34");
  auto select = [edit](int start, int length) {
    edit->SetSelStart(start);
    edit->SetSelLength(length);
  };
  auto ctrl = [edit](Word key) {
    SetKeyDown(VK_CONTROL, true);
    KeyInput(edit, WM_KEYDOWN, key);
    SetKeyDown(VK_CONTROL, false);
  };
  select(3, 2);
  ctrl('X');
  EXPECT_EQ(edit->EditText(), "12-__");
  EXPECT_EQ(edit->SelStart(), 3);
  select(0, 2);
  ctrl('V');  // "34" over "12": the caret passes the literal
  EXPECT_EQ(edit->EditText(), "34-__");
  EXPECT_EQ(edit->SelStart(), 3);
  KeyInput(edit, WM_CHAR, '5');
  KeyInput(edit, WM_CHAR, '6');
  EXPECT_EQ(edit->Text(), "34-56");
  ctrl('Z');  // the typing is one edit
  EXPECT_EQ(edit->EditText(), "34-__");
  ctrl('Z');  // and undoing twice redoes it
  EXPECT_EQ(edit->EditText(), "34-56");
  select(0, 5);
  ctrl('C');
  select(0, 0);
  KeyInput(edit, WM_KEYDOWN, VK_DELETE);
  KeyInput(edit, WM_KEYDOWN, VK_DELETE);
  EXPECT_EQ(edit->EditText(), "_4-56");
  select(0, 0);
  ctrl('V');  // the whole text, its literal and all, pasted over itself
  EXPECT_EQ(edit->EditText(), "34-56");
  EXPECT_EQ(edit->SelStart(), 5);
  edit->SetText("11-11");  // text from code cannot be undone
  ctrl('Z');
  EXPECT_EQ(edit->EditText(), "11-11");
}

}  // namespace

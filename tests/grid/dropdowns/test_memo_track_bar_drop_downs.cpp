// The memo drop-down (its one-line summary, typing into the edit, applying and cancelling the
// memo) and the track-bar drop-down (the position in its range and in the text, Up and Down,
// dragging along the edit, cancelling).
#include <gtest/gtest.h>

#include <memory>

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StringList.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivMemoDropDown.h"
#include "grid/dropdowns/RivTrackBarDropDown.h"

namespace {

struct MemoDropDownFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivMemoDropDown* dd = nullptr;
  void SetUp() override {
    form->SetBounds(100, 100, 400, 300);
    dd = New<TRivMemoDropDown>(form.get());
    dd->SetParent(form.get());
    dd->SetBounds(10, 10, 200, 24);
    form->Show();
    dd->SetFocus();
  }
};

TEST_F(MemoDropDownFixture, TheEditSumsUpTheText) {
  dd->MemoText()->SetText("first line\r\nsecond line");
  EXPECT_EQ(dd->EditText(), "first line...");
  dd->MemoText()->SetText(String(80, 'w'));
  const String shown = dd->EditText();
  EXPECT_LT(shown.size(), 80u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  dd->MemoText()->Clear();
  for (char c : String("abc")) KeyInput(dd, WM_CHAR, static_cast<unsigned char>(c));
  EXPECT_EQ(dd->MemoText()->Count(), 1);
  EXPECT_EQ(dd->MemoText()->Strings(0), "abc");
}

TEST_F(MemoDropDownFixture, CancellingKeepsTheTextAndClosingTakesTheMemo) {
  dd->MemoText()->SetText("one\r\ntwo");
  dd->ShowDropDown();
  ASSERT_TRUE(dd->DropDownForm()->Visible());
  dd->Memo()->Lines()->SetText("changed");
  dd->HideDropDown(true);
  EXPECT_EQ(dd->MemoText()->Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(dd->EditText(), "one...");
  dd->ShowDropDown();
  dd->Memo()->Lines()->SetText("new\r\nlines");
  Word f4 = VK_F4;
  dd->ControlKeyDown(f4, TShiftState());
  EXPECT_FALSE(dd->DropDownForm()->Visible());
  EXPECT_EQ(dd->MemoText()->Text(), "new\r\nlines\r\n");
  EXPECT_EQ(dd->EditText(), "new...");
  // Enter stays with the memo: it makes a new line there.
  dd->ShowDropDown();
  Word enter = VK_RETURN;
  dd->ControlKeyDown(enter, TShiftState());
  EXPECT_TRUE(dd->DropDownForm()->Visible());
  dd->HideDropDown(false);
}

struct TrackBarDropDownFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivTrackBarDropDown* dd = nullptr;
  void SetUp() override {
    form->SetBounds(100, 100, 400, 300);
    dd = New<TRivTrackBarDropDown>(form.get());
    dd->SetParent(form.get());
    dd->SetBounds(10, 10, 200, 24);
    form->Show();
    dd->SetFocus();
  }
};

TEST_F(TrackBarDropDownFixture, ThePositionStaysInItsRangeWithTheTextInStep) {
  EXPECT_EQ(dd->Text(), "0");
  for (int i = 1; i <= 12; ++i) KeyInput(dd, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(dd->Position(), 10);
  EXPECT_EQ(dd->Text(), "10");
  KeyInput(dd, WM_KEYDOWN, VK_UP);
  EXPECT_EQ(dd->Position(), 9);
  dd->SetPosition(50);
  EXPECT_EQ(dd->Position(), 10);
  EXPECT_EQ(dd->Text(), "10");
  dd->SetPosition(-3);
  EXPECT_EQ(dd->Text(), "0");
  dd->AssignText("abc");
  EXPECT_EQ(dd->Position(), 0) << "a text that is no number keeps the position";
  dd->AssignText("7");
  EXPECT_EQ(dd->Position(), 7);
}

TEST_F(TrackBarDropDownFixture, DraggingAlongTheEditStepsByThePageSize) {
  auto move = [this](int x) { dd->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(x, 5)); };
  dd->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(10, 5));
  move(17);
  EXPECT_EQ(dd->Position(), 3);
  for (int x = 18; x <= 21; ++x) move(x);
  EXPECT_EQ(dd->Position(), 5) << "slow moves add up";
  dd->Perform(WM_LBUTTONUP, 0, MakeLParam(21, 5));
  dd->SetPageSize(0);
  dd->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(10, 5));
  move(8);
  EXPECT_EQ(dd->Position(), 3) << "a page size of 0 counts as 1";
  dd->Perform(WM_LBUTTONUP, 0, MakeLParam(8, 5));
  dd->HideDropDown(false);
}

TEST_F(TrackBarDropDownFixture, ThePopupsTrackBarSetsThePositionAndCancelPutsItBack) {
  dd->SetPosition(4);
  dd->ShowDropDown();
  ASSERT_NE(dd->TrackBar(), nullptr);
  int changes = 0;
  dd->OnTrackChange = [&changes](TObject*) { ++changes; };
  dd->TrackBar()->SetPosition(8);
  EXPECT_EQ(dd->Position(), 8);
  EXPECT_EQ(dd->Text(), "8");
  EXPECT_EQ(changes, 1);
  dd->HideDropDown(true);
  EXPECT_EQ(dd->Position(), 4);
  EXPECT_EQ(dd->Text(), "4");
  dd->ShowDropDown();
  dd->TrackBar()->SetPosition(6);
  dd->HideDropDown(false);
  EXPECT_EQ(dd->Position(), 6);
}

}  // namespace

// The detail drop-down: completion of typed captions, Enter looking the caption up, the choice
// by index, the pop-up's keys and cancelling, and the rows it draws.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDetailDropDown.h"
#include "grid/dropdowns/RivDropDownForm.h"

namespace {

struct DetailFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivDetailDropDown* dd = nullptr;
  int selects = 0;
  void SetUp() override {
    form->SetBounds(100, 100, 400, 300);
    dd = New<TRivDetailDropDown>(form.get());
    dd->SetParent(form.get());
    dd->SetBounds(10, 10, 200, 24);
    for (const char* c : {"Apple", "Apricot", "Banana", "Cherry", "Date", "Elder", "Fig", "Grape"})
      dd->Items()->Add()->SetCaption(c);
    dd->OnSelect = [this](TObject*) { ++selects; };
    form->Show();
    dd->SetFocus();
  }
  void Type(const String& Keys) {
    for (char k : Keys) {
      if (k == '\b') KeyInput(dd, WM_KEYDOWN, VK_BACK);
      KeyInput(dd, WM_CHAR, static_cast<unsigned char>(k));
      KeyInput(dd, WM_KEYUP, k == '\b' ? VK_BACK : static_cast<Word>(AnsiUpperCase(String(1, k))[0]));
    }
  }
};

TEST_F(DetailFixture, TypingCompletesTheCaptionKeepingTheTypedCase) {
  Type("ap");
  EXPECT_EQ(dd->Text(), "apple");
  EXPECT_EQ(dd->SelText(), "ple");
  EXPECT_EQ(dd->ItemIndex(), 0);
  EXPECT_TRUE(dd->IsModified());
  dd->SetText("");
  dd->MatchCase = true;
  Type("ap");
  EXPECT_EQ(dd->Text(), "ap");
}

TEST_F(DetailFixture, EnterLooksTheCaptionUpExactly) {
  dd->SetText("Banana");
  KeyInput(dd, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(dd->ItemIndex(), 2);
  dd->SetItemIndex(-1);
  dd->SetText("banana");
  KeyInput(dd, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(DetailFixture, TheChoiceByIndex) {
  dd->SetItemIndex(3);
  EXPECT_EQ(dd->Text(), "Cherry");
  EXPECT_EQ(selects, 1);
  dd->SetItemIndex(-2);
  EXPECT_EQ(dd->ItemIndex(), 3) << "other negative values are ignored";
  dd->SetItemIndex(8);
  EXPECT_EQ(dd->ItemIndex(), 3);
  dd->SetItemIndex(-1);
  EXPECT_EQ(dd->ItemIndex(), -1) << "-1 clears the choice";
  EXPECT_EQ(selects, 2);
}

TEST_F(DetailFixture, KeysInThePopupMoveTheChoiceAndCancelRestoresIt) {
  dd->SetItemIndex(1);
  dd->ShowDropDown();
  ASSERT_TRUE(dd->DropDownForm()->Visible());
  KeyInput(dd, WM_KEYDOWN, VK_DOWN);
  KeyInput(dd, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(dd->ItemIndex(), 3);
  EXPECT_TRUE(dd->DropDownForm()->Visible());
  dd->HideDropDown(true);
  EXPECT_EQ(dd->ItemIndex(), 1);
  EXPECT_EQ(dd->Text(), "Apricot");
  // Closed, Down moves to the next item.
  KeyInput(dd, WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(DetailFixture, ARowShowsCaptionAndNotes) {
  dd->Items()->Items(0)->Notes = "<b>red</b> fruit";
  dd->CaptionFont()->SetColor(0x0000FF);
  dd->NotesFont()->SetColor(0xFF0000);
  TBitmap row(200, 40);
  row.Canvas()->Brush()->SetColor(clWhite);
  row.Canvas()->FillRect(Rect(0, 0, 200, 40));
  dd->DrawItemRow(row.Canvas(), Rect(0, 0, 200, 40), 0);
  int captionPixels = 0, notePixels = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) {
      const TColor c = row.Canvas()->Pixel(x, y);
      if (c == 0x0000FF) ++captionPixels;
      if (c == 0xFF0000) ++notePixels;
    }
  EXPECT_GT(captionPixels, 10);
  EXPECT_GT(notePixels, 10);
}

}  // namespace

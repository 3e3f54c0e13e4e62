// The grid drop-down without a window system: the choice and its edit text, the grid filled at
// each opening, choosing with keys and cancelling, the lookup of typed characters, Enter and
// Escape against the lookup list, the completion of typed text and the column scaling.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdown/RivCustomGridDropDown.h"
#include "grid/dropdowns/RivDropDownForm.h"

namespace {

using namespace RivCustomGridDropDown;

void TypeKeys(TWinControl* c, const String& text) {
  for (char ch : text) {
    const Word vk = static_cast<Word>(std::toupper(static_cast<unsigned char>(ch)));
    KeyInput(c, WM_KEYDOWN, vk);
    KeyInput(c, WM_CHAR, static_cast<unsigned char>(ch));
    KeyInput(c, WM_KEYUP, vk);
  }
}

void PressKey(TWinControl* c, Word vk) {
  KeyInput(c, WM_KEYDOWN, vk);
  KeyInput(c, WM_KEYUP, vk);
}

struct GridDropDownTest : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TCustomRivGridDropDown* dd = nullptr;
  int selects = 0;

  void SetUp() override {
    TScreenMetrics screen;
    screen.Width = 1024;
    screen.Height = 768;
    screen.WorkArea = Rect(0, 0, 1024, 768);
    SetScreenMetrics(screen);
    form->SetBounds(50, 50, 500, 300);
    dd = New<TCustomRivGridDropDown>(form.get());
    dd->SetParent(form.get());
    dd->SetBounds(10, 10, 200, 24);
    dd->Columns()->Add()->Header = "Name";
    dd->Columns()->Add()->Header = "Code";
    dd->OnSelect = [this](TObject*) { ++selects; };
    form->Show();
  }
  void TearDown() override {
    form.reset();
    SetScreenMetrics(std::nullopt);
  }
  void Fill(std::initializer_list<const char*> names) {
    int n = 0;
    for (const char* name : names) {
      TDropDownItem* item = dd->Items()->Add();
      item->Text()->Add(name);
      item->Text()->Add("C" + IntToStr(++n));
    }
    dd->EndUpdate();
    dd->SetFocus();
  }
  TRivColGrid* Grid() const { return dd->RivColGrid(); }
  bool Open() const { return dd->DropDownForm()->Visible(); }
};

TEST_F(GridDropDownTest, TheChoiceWritesTheLookupTextAndIgnoresItemsItDoesNotHave) {
  Fill({"apple", "Banana", "berry"});
  dd->SetItemIndex(1);
  EXPECT_EQ(dd->Text(), "Banana");
  dd->SetItemIndex(5);
  EXPECT_EQ(dd->ItemIndex(), 1);
  dd->LookupColumn = 1;
  dd->SetItemIndex(2);
  EXPECT_EQ(dd->Text(), "C3");
  dd->LookupColumn = 4;  // beyond the item's strings
  dd->SetItemIndex(0);
  EXPECT_EQ(dd->Text(), "");

  // A copied item brings its strings along.
  TDropDownItems copy(nullptr);
  copy.Assign(dd->Items());
  EXPECT_EQ(copy.Items(1)->ColumnText(0), "Banana");
}

TEST_F(GridDropDownTest, SelectionOperationsStayInsideTheItems) {
  // Without items nothing moves.
  dd->SelectFirst();
  dd->SelectNext();
  dd->SelectNextPage();
  EXPECT_EQ(dd->ItemIndex(), -1);
  Fill({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"});
  struct Step {
    void (TCustomRivGridDropDown::*Op)();
    int Expected;
  } steps[] = {{&TCustomRivGridDropDown::SelectNext, 0},         {&TCustomRivGridDropDown::SelectPrevious, 0},
               {&TCustomRivGridDropDown::SelectNextPage, 10},    {&TCustomRivGridDropDown::SelectNextPage, 11},
               {&TCustomRivGridDropDown::SelectNext, 11},        {&TCustomRivGridDropDown::SelectPreviousPage, 1},
               {&TCustomRivGridDropDown::SelectPreviousPage, 0}, {&TCustomRivGridDropDown::SelectLast, 11}};
  for (const Step& s : steps) {
    (dd->*s.Op)();
    EXPECT_EQ(dd->ItemIndex(), s.Expected);
  }
}

TEST_F(GridDropDownTest, OpeningFillsTheGridWithItemNumbersAndCancelRestoresTheChoice) {
  Fill({"apple", "Banana", "berry"});
  dd->SetItemIndex(1);
  dd->ShowDropDown();
  ASSERT_TRUE(Open());
  TRivColGrid* grid = Grid();
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->GetRawCellText(0, 0), "Name");
  EXPECT_EQ(grid->GetRawCellText(1, 3), "C3");
  EXPECT_EQ(grid->GetCellObject(0, 0), -1);
  EXPECT_EQ(grid->GetCellObject(0, 3), 2);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(dd->RowOfItem(2), 3);
  EXPECT_EQ(dd->ItemOfRow(3), 2);

  // Moving through the rows follows in the edit; cancelling takes the old choice back.
  grid->SetRow(3);
  EXPECT_EQ(dd->Text(), "berry");
  dd->HideDropDown(true);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->ItemIndex(), 1);
  EXPECT_EQ(dd->Text(), "Banana");

  // A key in the grid confirms the row it moves to; Enter chooses it and closes.
  dd->ShowDropDown();
  KeyInput(grid, WM_KEYDOWN, VK_DOWN);
  KeyInput(grid, WM_KEYDOWN, VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->ItemIndex(), 2);
  EXPECT_EQ(selects, 1);
}

TEST_F(GridDropDownTest, TypedCharactersLookUpTheItemAndCompleteTheText) {
  Fill({"apple", "Banana", "berry"});
  EXPECT_EQ(dd->DoLookup('b'), 1);
  EXPECT_EQ(dd->ItemIndex(), 1);
  EXPECT_EQ(dd->EditText(), "Banana");
  EXPECT_EQ(dd->SelStart(), 1);
  EXPECT_EQ(dd->SelLength(), 5);
  // Backspace takes exactly the selection away.
  EXPECT_EQ(dd->DoLookup('\b'), -1);
  EXPECT_EQ(dd->EditText(), "B");

  // A list starts over with the character alone, and forgets what nothing starts with.
  dd->SetStyle(dsDropDownList);
  dd->SetItemIndex(0);
  EXPECT_EQ(dd->DoLookup('b'), 1);
  EXPECT_EQ(dd->DoLookup('e'), 2);
  EXPECT_EQ(dd->LookupEntry(), "be");
  EXPECT_EQ(dd->DoLookup('x'), -1);
  EXPECT_EQ(dd->LookupEntry(), "");
  EXPECT_EQ(dd->ItemIndex(), 2);
}

TEST_F(GridDropDownTest, EnterTakesTheListedSpellingAndEscapeTheItemOfTheText) {
  Fill({"apple", "Banana", "berry"});
  dd->SetText("BANANA");
  PressKey(dd, VK_RETURN);
  EXPECT_EQ(dd->Text(), "Banana");
  EXPECT_EQ(dd->ItemIndex(), 1);

  dd->SetText("APPLE");
  PressKey(dd, VK_ESCAPE);
  EXPECT_EQ(dd->ItemIndex(), 0);
  dd->SetText("plum");
  PressKey(dd, VK_ESCAPE);
  EXPECT_EQ(dd->ItemIndex(), -1);
  EXPECT_EQ(dd->Text(), "");

  // Home and End choose only in a list.
  dd->SetItemIndex(1);
  PressKey(dd, VK_END);
  EXPECT_EQ(dd->ItemIndex(), 1);
  dd->SetStyle(dsDropDownList);
  PressKey(dd, VK_END);
  EXPECT_EQ(dd->ItemIndex(), 2);
  PressKey(dd, VK_HOME);
  EXPECT_EQ(dd->ItemIndex(), 0);
}

TEST_F(GridDropDownTest, TypingInTheEditLooksUpAndCompletesTheText) {
  Fill({"apple", "Banana", "berry"});
  dd->SetText("");
  TypeKeys(dd, "ba");
  EXPECT_EQ(dd->EditText(), "Banana");
  EXPECT_EQ(dd->ItemIndex(), 1);
  EXPECT_EQ(dd->SelStart(), 2);
  EXPECT_EQ(dd->SelLength(), 4);

  // Text that nothing starts with stays as typed and leaves the choice.
  dd->SetText("");
  TypeKeys(dd, "q");
  EXPECT_EQ(dd->EditText(), "q");
  EXPECT_EQ(dd->ItemIndex(), 1);
}

TEST_F(GridDropDownTest, ColumnsAreScaledToThePopupWidthCarryingTheRoundingOver) {
  dd->Columns()->Clear();
  for (int i = 0; i < 3; ++i) dd->Columns()->Add();
  Fill({"a"});
  dd->DropDownAutoWidth = false;
  dd->ShowDropDown();
  ASSERT_TRUE(Open());
  dd->DropDownForm()->SetWidth(200);
  dd->SizeColumnsToDropDown();
  EXPECT_EQ(Grid()->ColWidths(0), 66);
  EXPECT_EQ(Grid()->ColWidths(1), 66);
  EXPECT_EQ(Grid()->ColWidths(2), 67);
}

}  // namespace

// The multi-column drop-down without a window system: the choice and the edit text, the list
// grid built at each opening (sizes, header, the row of the choice), choosing with keys and the
// mouse and cancelling, the lookup of characters typed into the list, the completion of text
// typed into the edit, the navigation keys, and the list's painting and looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <initializer_list>
#include <memory>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Forms.h"
#include "classlib/ScreenMetrics.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivMultiColumnDropDown.h"

namespace {

using namespace RivMultiColumnDropDown;

// The key going down, its character and the key going up, as a person types.
void TypeKeys(TWinControl* c, const String& text) {
  for (char ch : text) {
    const Word vk = ch == '\b' ? VK_BACK : static_cast<Word>(std::toupper(static_cast<unsigned char>(ch)));
    KeyInput(c, WM_KEYDOWN, vk);
    KeyInput(c, WM_CHAR, static_cast<unsigned char>(ch));
    KeyInput(c, WM_KEYUP, vk);
  }
}

void PressKey(TWinControl* c, Word vk) {
  KeyInput(c, WM_KEYDOWN, vk);
  KeyInput(c, WM_KEYUP, vk);
}

struct MultiColumnFixture : ::testing::Test {
  std::unique_ptr<TForm> form{New<TForm>(nullptr)};
  TRivMultiColumnDropDown* dd = nullptr;
  int selects = 0;

  void SetUp() override {
    TScreenMetrics screen;
    screen.Width = 1024;
    screen.Height = 768;
    screen.WorkArea = Rect(0, 0, 1024, 768);
    SetScreenMetrics(screen);
    form->SetBounds(50, 50, 500, 300);
    dd = New<TRivMultiColumnDropDown>(form.get());
    dd->SetParent(form.get());
    dd->SetBounds(10, 10, 200, 24);
    dd->Columns()->Add()->Header = "Name";
    dd->Columns()->Add()->Header = "Code";
    dd->Columns()->Items(1)->Width = 50;
    for (auto row : {std::pair{"apple", "A1"}, {"apricot", "A2"}, {"banana", "B1"}, {"Blueberry", "B2"},
                     {"cherry", "C1"}, {"xylophone", "X1"}, {"xenon", "X2"}})
      Add({row.first, row.second});
    dd->EndUpdate();
    dd->OnSelect = [this](TObject*) { ++selects; };
    form->Show();
    dd->SetFocus();
  }
  void TearDown() override {
    form.reset();
    SetScreenMetrics(std::nullopt);
    SetKeyDown(VK_MENU, false);
  }
  void Add(std::initializer_list<const char*> texts) {
    TDropDownItem* item = dd->Items()->Add();
    for (const char* t : texts) item->Text()->Add(t);
  }
  TRivColGrid* Grid() const { return dd->ColGrid(); }
  bool Open() const { return dd->DropDownForm()->Visible(); }
  // A character typed into the list while the pop-up is up.
  void TypeInList(char c) {
    char key = c;
    Grid()->OnKeyPress(Grid(), key);
  }
};

TEST_F(MultiColumnFixture, StartsWithItsLookAndNoChoice) {
  EXPECT_EQ(dd->ItemIndex(), -1);
  EXPECT_EQ(dd->Text(), "");
  EXPECT_EQ(dd->HeaderColor, clWhite);
  EXPECT_EQ(dd->HeaderColorTo, clGray);
  EXPECT_EQ(dd->LineColor(), 0xF1EDEB);
  EXPECT_EQ(dd->FixedLineColor, 0xD1BBA4);
  EXPECT_EQ(dd->HeaderFont()->Color(), 0x723708);
  EXPECT_EQ(dd->DropDownHeight(), 200);
  EXPECT_EQ(dd->RowCount(), 7);
  EXPECT_EQ(dd->LookupItems()->Count(), 7);
  EXPECT_EQ(dd->Version(), "1.1.1.4");
  dd->SetComponentStyle(tsWindowsVista);
  EXPECT_EQ(dd->HeaderColor, 0xFFFDF9);
  EXPECT_EQ(dd->SelectionColorStyle(), scWindowsVista);
  EXPECT_EQ(dd->LineColor(), 0xFCF2DA);
  EXPECT_EQ(dd->FixedLineColor, 0xFCF2DA);
  EXPECT_EQ(dd->SelectionColor(), 0xFDF8F1);
}

TEST_F(MultiColumnFixture, TheChoiceShowsItsLookupString) {
  dd->SetItemIndex(2);
  EXPECT_EQ(dd->Text(), "banana");
  dd->SetItemIndex(7);
  EXPECT_EQ(dd->ItemIndex(), 2) << "beyond the items: ignored";
  dd->SetLookupColumn(1);
  dd->SetItemIndex(3);
  EXPECT_EQ(dd->Text(), "B2");
  dd->SetLookupColumn(5);
  dd->SetItemIndex(1);
  EXPECT_EQ(dd->Text(), "") << "no string in that column";
  dd->SetItemIndex(-1);
  EXPECT_EQ(dd->Text(), "");
  dd->SetLookupColumn(0);
  EXPECT_EQ(dd->GetItemIndex("cherry"), 4);
  EXPECT_EQ(dd->GetItemIndex("Cherry"), -1);
}

TEST_F(MultiColumnFixture, SelectionOperationsMoveTheChoice) {
  struct Step {
    void (TRivMultiColumnDropDown::*op)();
    int index;
  };
  const Step steps[] = {{&TRivMultiColumnDropDown::SelectPrevious, 0}, {&TRivMultiColumnDropDown::SelectNext, 1},
                        {&TRivMultiColumnDropDown::SelectLast, 6},     {&TRivMultiColumnDropDown::SelectNext, 6},
                        {&TRivMultiColumnDropDown::SelectPreviousPage, 0}, {&TRivMultiColumnDropDown::SelectNextPage, 6},
                        {&TRivMultiColumnDropDown::SelectFirst, 0},    {&TRivMultiColumnDropDown::SelectPrevious, 0}};
  for (const Step& s : steps) {
    (dd->*s.op)();
    EXPECT_EQ(dd->ItemIndex(), s.index);
  }
  EXPECT_EQ(dd->Text(), "apple");
  // The keys of the edit do the same; Home and End only when the editor is off.
  PressKey(dd, VK_DOWN);
  EXPECT_EQ(dd->Text(), "apricot");
  PressKey(dd, VK_NEXT);
  EXPECT_EQ(dd->ItemIndex(), 6);
  PressKey(dd, VK_HOME);
  EXPECT_EQ(dd->ItemIndex(), 6);
  dd->SetEditorEnabled(false);
  PressKey(dd, VK_HOME);
  EXPECT_EQ(dd->ItemIndex(), 0);
  PressKey(dd, VK_END);
  EXPECT_EQ(dd->ItemIndex(), 6);
  // The wheel over the edit moves the choice too.
  const auto wheel = [this](int delta) {
    dd->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16, 0);
  };
  wheel(WHEEL_DELTA);
  EXPECT_EQ(dd->ItemIndex(), 5);
  wheel(-WHEEL_DELTA);
  EXPECT_EQ(dd->ItemIndex(), 6);
}

TEST_F(MultiColumnFixture, OpeningBuildsTheListAroundTheChoice) {
  dd->SetItemIndex(3);
  PressKey(dd, VK_F4);
  ASSERT_TRUE(Open());
  EXPECT_EQ(Grid()->ColCount(), 2);
  EXPECT_EQ(Grid()->RowCount(), 8);
  EXPECT_EQ(Grid()->FixedRows(), 1);
  EXPECT_EQ(Grid()->Row(), 4);
  EXPECT_EQ(Grid()->RowHeights(0), 25);
  EXPECT_EQ(Grid()->DefaultRowHeight(), 22);
  EXPECT_EQ(dd->DropDownForm()->Height(), 200);
  // The list, 180 high when it is measured, shows all seven rows: the pop-up is as wide as the
  // columns. In the pop-up it shows fewer, so the columns share the width less the scroll
  // bar in proportion (80 : 50).
  EXPECT_EQ(dd->DropDownForm()->Width(), 80 + 50 + 2);
  const int widths = Grid()->ColWidths(0) + Grid()->ColWidths(1);
  EXPECT_NEAR(widths, dd->DropDownForm()->Width() - 17, 1);
  EXPECT_NEAR(Grid()->ColWidths(0) * 50.0, Grid()->ColWidths(1) * 80.0, 80);
  PressKey(dd, VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->ItemIndex(), 3);
}

TEST_F(MultiColumnFixture, AnAutoSizedColumnTakesItsWidestString) {
  dd->Columns()->Items(0)->AutoSize = true;
  dd->ShowDropDown();
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(dd->Columns()->Items(0)->Font());
  TRect r = Rect(0, 0, 1000, 500);
  measure.Canvas()->DrawText("xylophone", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(Grid()->Columns()->Items(0)->Width, r.Width() + 6);
}

TEST_F(MultiColumnFixture, WithoutItemsTheListHasOneEmptyRowAndNoHeader) {
  dd->Items()->Clear();
  dd->ShowDropDown();
  EXPECT_EQ(Grid()->RowCount(), 1);
  EXPECT_EQ(Grid()->FixedRows(), 0);
  dd->SelectNext();
  EXPECT_EQ(dd->ItemIndex(), -1);
}

TEST_F(MultiColumnFixture, AChoiceTheItemsNoLongerHoldIsDroppedAtOpening) {
  dd->SetItemIndex(6);
  dd->Items()->Delete(6);
  dd->Items()->Delete(5);
  dd->ShowDropDown();
  EXPECT_TRUE(Open());
  EXPECT_EQ(dd->ItemIndex(), -1);
  EXPECT_EQ(Grid()->Row(), 1);
}

TEST_F(MultiColumnFixture, KeysInTheListChooseAndEscapeCancels) {
  dd->SetItemIndex(0);
  dd->ShowDropDown();
  PressKey(Grid(), VK_DOWN);
  PressKey(Grid(), VK_DOWN);
  EXPECT_TRUE(Open()) << "the arrows stay in the list";
  EXPECT_EQ(dd->ItemIndex(), 2);
  EXPECT_EQ(dd->Text(), "banana");
  PressKey(Grid(), VK_ESCAPE);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->ItemIndex(), 0);
  EXPECT_EQ(dd->Text(), "apple");
  dd->ShowDropDown();
  PressKey(Grid(), VK_DOWN);
  PressKey(Grid(), VK_RETURN);
  EXPECT_FALSE(Open());
  EXPECT_EQ(dd->ItemIndex(), 1);
  EXPECT_EQ(dd->Text(), "apricot");
  EXPECT_EQ(selects, 1);
}

TEST_F(MultiColumnFixture, AClickChoosesARowAndTheWheelOnlyMovesIt) {
  dd->ShowDropDown();
  Grid()->SetBounds(Grid()->Left(), Grid()->Top(), 200, 180);
  const TRect cell = Grid()->CellRect(0, 3);
  Grid()->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-WHEEL_DELTA)) << 16, 0);
  EXPECT_EQ(Grid()->Row(), 2);
  EXPECT_EQ(dd->ItemIndex(), -1) << "the wheel chooses nothing";
  Grid()->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(cell.Left + 5, cell.Top + 5));
  Grid()->Perform(WM_RBUTTONUP, 0, MakeLParam(cell.Left + 5, cell.Top + 5));
  EXPECT_FALSE(Open()) << "any button chooses";
  Grid()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(cell.Left + 5, cell.Top + 5));
  Grid()->Perform(WM_LBUTTONUP, 0, MakeLParam(cell.Left + 5, cell.Top + 5));
  EXPECT_EQ(dd->ItemIndex(), 2);
  EXPECT_EQ(dd->Text(), "banana");
  EXPECT_GE(selects, 1);
}

TEST_F(MultiColumnFixture, CharactersTypedIntoTheListLookUpTheFirstMatchingItem) {
  dd->ShowDropDown();
  TypeInList('x');
  EXPECT_EQ(dd->LookupEntry(), "x");
  EXPECT_EQ(Grid()->Row(), 6);
  TypeInList('e');
  EXPECT_EQ(dd->LookupEntry(), "xe");
  EXPECT_EQ(Grid()->Row(), 7);
  EXPECT_EQ(dd->Text(), "xenon");
  // No item starts with "xez": the lookup starts over with "z", and nothing starts so either.
  TypeInList('z');
  EXPECT_EQ(dd->LookupEntry(), "");
  EXPECT_EQ(Grid()->Row(), 7);
  TypeInList('B');
  EXPECT_EQ(dd->LookupEntry(), "B");
  EXPECT_EQ(Grid()->Row(), 3) << "letter case ignored: banana";
  dd->CaseSensitive = true;
  TypeInList('l');
  EXPECT_EQ(dd->LookupEntry(), "Bl");
  EXPECT_EQ(Grid()->Row(), 4);
  TypeInList(' ');
  TypeInList('\x7f');
  EXPECT_EQ(dd->LookupEntry(), "Bl") << "only letters, digits and punctuation are typed ahead";
  EXPECT_EQ(Grid()->Row(), 4);
  TypeInList('\r');
  EXPECT_EQ(dd->LookupEntry(), "") << "Enter ends the lookup";
}

TEST_F(MultiColumnFixture, BackspaceInTheListDeletesExactlyTheSelection) {
  dd->ShowDropDown();
  dd->AssignText("abcdef");
  dd->SetSelStart(2);
  dd->SetSelLength(2);
  EXPECT_EQ(dd->DoLookup('\b'), -1);
  EXPECT_EQ(dd->Text(), "abef");
  EXPECT_EQ(dd->SelStart(), 4);
}

TEST_F(MultiColumnFixture, TypingIntoTheEditCompletesFromTheLookupStrings) {
  TypeKeys(dd, "ap");
  EXPECT_EQ(dd->Text(), "apple");
  EXPECT_EQ(dd->SelStart(), 2);
  EXPECT_EQ(dd->SelLength(), 3) << "the completed rest is selected";
  EXPECT_EQ(dd->ItemIndex(), 0);
  TypeKeys(dd, "r");
  EXPECT_EQ(dd->Text(), "apricot");
  EXPECT_EQ(dd->SelText(), "icot");
  EXPECT_EQ(dd->ItemIndex(), 1);
  // Backspace deletes the completion and completes nothing.
  TypeKeys(dd, "\b");
  EXPECT_EQ(dd->Text(), "apr");
  // A text nothing completes stays as typed.
  dd->SelectAll();
  TypeKeys(dd, "kiwi");
  EXPECT_EQ(dd->Text(), "kiwi");
  // Letter case is ignored unless MatchCase, and the chosen entry shows as the list holds it.
  dd->SelectAll();
  TypeKeys(dd, "BL");
  EXPECT_EQ(dd->Text(), "Blueberry");
  dd->MatchCase = true;
  dd->SelectAll();
  TypeKeys(dd, "bl");
  EXPECT_EQ(dd->Text(), "bl");
}

TEST_F(MultiColumnFixture, EnterAndEscapeMatchTheTextAgainstTheList) {
  dd->AssignText("CHERRY");
  PressKey(dd, VK_RETURN);
  EXPECT_EQ(dd->Text(), "cherry");
  EXPECT_EQ(dd->ItemIndex(), 4);
  dd->AssignText("BANANA");
  PressKey(dd, VK_ESCAPE);
  EXPECT_EQ(dd->ItemIndex(), 2);
  EXPECT_EQ(dd->Text(), "banana");
  dd->AssignText("mango");
  PressKey(dd, VK_ESCAPE);
  EXPECT_EQ(dd->ItemIndex(), -1);
  EXPECT_EQ(dd->Text(), "");
}

TEST_F(MultiColumnFixture, ReturnAsTabSwallowsTheEnterCharacterAndMovesOn) {
  dd->SetReturnIsTab(true);
  dd->AssignText("xenon");
  KeyInput(dd, WM_KEYDOWN, VK_RETURN);
  KeyInput(dd, WM_CHAR, '\r');
  EXPECT_EQ(dd->ItemIndex(), 6);
  EXPECT_EQ(dd->Text(), "xenon");
}

TEST_F(MultiColumnFixture, TheModifiedMarkComparesWithTheValueAppliedLast) {
  dd->SetItemIndex(4);
  EXPECT_FALSE(dd->IsModified());
  dd->SelectAll();
  TypeKeys(dd, "k");
  EXPECT_TRUE(dd->IsModified());
  dd->SelectAll();
  TypeKeys(dd, "\b");
  TypeKeys(dd, "cherr");
  EXPECT_EQ(dd->Text(), "cherry");
  EXPECT_FALSE(dd->IsModified()) << "back at the applied value";
}

TEST_F(MultiColumnFixture, AnItemWithoutALookupStringCountsAsEmpty) {
  Add({});
  dd->EndUpdate();
  EXPECT_EQ(dd->LookupItems()->Strings(7), "");
  dd->ShowDropDown();
  TypeInList('q');
  EXPECT_EQ(dd->LookupEntry(), "");
  EXPECT_EQ(dd->GetItemIndex("nothing"), -1);
  dd->SetItemIndex(7);
  EXPECT_EQ(dd->Text(), "");
}

TEST_F(MultiColumnFixture, TheListPaintsItsHeaderRowsAndChoice) {
  dd->SetItemIndex(1);
  dd->HeaderColorTo = clNone;
  dd->HeaderColor = 0x00FF00;
  dd->ShowDropDown();
  Grid()->SetBounds(0, 0, 160, 180);
  TBitmap bitmap(160, 180);
  Grid()->PaintTo(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas()->Pixel(5, 5), 0x00FF00) << "plain header";
  const TRect chosen = Grid()->CellRect(0, 2);
  const TRect other = Grid()->CellRect(0, 4);
  EXPECT_EQ(bitmap.Canvas()->Pixel(other.Left + 40, other.Top + 2), clWhite);
  EXPECT_NE(bitmap.Canvas()->Pixel(chosen.Left + 40, chosen.Top + 5), clWhite) << "the chosen row is highlighted";
  // A drawing handler paints every cell itself.
  int cells = 0;
  dd->OnDropDownDrawItem = [&cells](TObject*, int, int, TCanvas*, TRect) { ++cells; };
  Grid()->PaintTo(bitmap.Canvas());
  EXPECT_GE(cells, 2 * 5);
  EXPECT_EQ(cells % 2, 0) << "both columns of every row shown";
}

TEST_F(MultiColumnFixture, TheOwnerGivesACellItsFontAndColours) {
  dd->HeaderColorTo = clNone;
  dd->HeaderColor = 0x00FF00;
  std::vector<std::pair<int, int>> asked;
  dd->OnDropDownGetItemProp = [&asked](TObject*, int Column, int Row, TFont* Font, TColor& AColor, TColor& AColorTo) {
    asked.emplace_back(Column, Row);
    if (Row == 0) AColor = 0x0000FF;
    if (Row == 3 && Column == 1) {
      AColor = 0xFF0000;
      Font->SetStyle(TFontStyles{fsBold});
    }
    (void)AColorTo;
  };
  dd->ShowDropDown();
  Grid()->SetBounds(0, 0, 160, 180);
  TBitmap bitmap(160, 180);
  Grid()->PaintTo(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas()->Pixel(5, 5), 0x0000FF) << "the header colour from the handler";
  const TRect coloured = Grid()->CellRect(1, 3);
  const TRect plain = Grid()->CellRect(0, 3);
  EXPECT_EQ(bitmap.Canvas()->Pixel(coloured.Right - 3, coloured.Top + 2), 0xFF0000);
  EXPECT_EQ(bitmap.Canvas()->Pixel(plain.Left + 40, plain.Top + 2), clWhite);
  EXPECT_NE(std::find(asked.begin(), asked.end(), std::pair{1, 3}), asked.end());
  EXPECT_NE(std::find(asked.begin(), asked.end(), std::pair{0, 0}), asked.end());
}

}  // namespace

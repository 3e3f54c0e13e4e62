// The grid's special editors: made once per grid (none of the grid drop-down inside a grid
// drop-down), laid over the cell with its value, and what they write back when the edit ends.
#include <map>

#include "EditingFixture.h"
#include "grid/editing/GridEditorControls.h"

namespace {

class SpecialEditors : public EditingGridTest {
 protected:
  void SetUp() override {
    EditingGridTest::SetUp();
    grid->OnGetEditorType = [this](TObject*, int ACol, int ARow, TEditorType& AEditor) {
      auto it = types_.find({ACol, ARow});
      if (it != types_.end()) AEditor = it->second;
    };
  }
  // Opens the editor of type T on the cell holding Text, with F2.
  void Open(TEditorType T, const String& Text, int ACol = 1, int ARow = 1) {
    types_[{ACol, ARow}] = T;
    grid->SetCells(ACol, ARow, Text);
    GoTo(ACol, ARow);
    Press(VK_F2);
    Flush();
  }
  std::map<std::pair<int, int>, TEditorType> types_;
};

template <class T>
int CountOwned(TComponent* Owner) {
  int n = 0;
  for (int i = 0; i < Owner->ComponentCount(); ++i)
    if (dynamic_cast<T*>(Owner->Components(i)) != nullptr) ++n;
  return n;
}

TEST_F(SpecialEditors, EveryEditorIsMadeOnceHiddenAndAGridInAGridDropDownMakesNoGridDropDown) {
  const int counts[] = {
      CountOwned<TGridSpin>(grid),          CountOwned<TGridCombo>(grid),
      CountOwned<TGridEditBtn>(grid),
      CountOwned<TGridUnitEditBtn>(grid),   CountOwned<TGridCheckBox>(grid),
      CountOwned<TGridButton>(grid),        CountOwned<TGridDatePicker>(grid),
      CountOwned<TGridDateTimePicker>(grid), CountOwned<TGridTrackbarDropDown>(grid),
      CountOwned<TGridMemoDropDown>(grid),  CountOwned<TGridCalculatorDropDown>(grid),
      CountOwned<TGridTimepickerDropDown>(grid), CountOwned<TGridDetailPickerDropDown>(grid),
      CountOwned<TGridGridDropDown>(grid),  CountOwned<TGridColorDropDown>(grid),
      CountOwned<TGridImageDropDown>(grid), CountOwned<TGridRivGridDropDown>(grid)};
  for (size_t i = 0; i < std::size(counts); ++i) EXPECT_EQ(counts[i], 1) << "editor " << i;
  EXPECT_FALSE(grid->EditSpin->Visible());
  EXPECT_FALSE(grid->EditSpin->Enabled());
  EXPECT_FALSE(grid->EditRivGridPicker->Visible());

  // The grid in the grid drop-down's pop-up has every editor but a grid drop-down.
  RivCustomGridDropDown::TRivColGrid* inner = grid->EditRivGridPicker->GetGrid();
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->EditRivGridPicker, nullptr);
  EXPECT_EQ(CountOwned<TGridRivGridDropDown>(inner), 0);
  EXPECT_NE(inner->EditCombo, nullptr);

  // The grid's look reaches its drop-down editors.
  grid->SetComponentStyle(tsWindows7);
  EXPECT_EQ(grid->EditColorPicker->GetComponentStyle(), tsWindows7);
  EXPECT_EQ(grid->EditRivGridPicker->GetComponentStyle(), tsWindows7);
}

TEST_F(SpecialEditors, SpinOpensWithTheLeadingNumberAndWritesOnlyAChangedValue) {
  Open(edSpinEdit, "12abc");
  ASSERT_EQ(Focus(), grid->EditSpin);
  EXPECT_TRUE(grid->EditSpin->Visible());
  EXPECT_EQ(grid->EditSpin->Value(), 12);
  const TRect cell = grid->CellRect(1, 1);
  EXPECT_EQ(grid->EditSpin->Left(), cell.Left);
  EXPECT_EQ(grid->EditSpin->Top(), cell.Top);

  // Escape: the cell keeps its text exactly, the editor goes.
  Press(VK_ESCAPE);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "12abc");
  EXPECT_FALSE(grid->EditSpin->Visible());
  EXPECT_EQ(Focus(), grid);

  // Opened and left with Enter, unchanged: still the text it had.
  Open(edSpinEdit, "12abc");
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "12abc");

  // A step up is a change: the number is written.
  Open(edSpinEdit, "12abc");
  Press(VK_PRIOR);
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "13");
  EXPECT_FALSE(grid->EditMode);
}

TEST_F(SpecialEditors, SpinPageHomeAndEndKeepToTheLimits) {
  int reported = -1;
  grid->OnSpinClick = [&](TObject*, int, int, int AValue, bool) { reported = AValue; };
  Open(edSpinEdit, "95");
  grid->EditSpin->Increment = 10;
  struct Step {
    Word Key;
    int Value;
  } steps[] = {{VK_PRIOR, 95}, {VK_HOME, 100}, {VK_END, 0}, {VK_NEXT, 0}};
  for (const Step& s : steps) {
    Press(s.Key);
    EXPECT_EQ(grid->EditSpin->Value(), s.Value) << s.Key;
    EXPECT_EQ(reported, s.Value) << s.Key;
  }
}

TEST_F(SpecialEditors, ComboListOfferingTheFirstItemForAnUnknownTextReportsIt) {
  grid->EditCombo->Items()->Add("red");
  grid->EditCombo->Items()->Add("green");
  int reportedIndex = -1;
  String reported;
  grid->OnComboChange = [&](TObject*, int, int, int AItemIndex, const String& ASelection) {
    reportedIndex = AItemIndex;
    reported = ASelection;
  };
  Open(edComboList, "blue");
  ASSERT_EQ(Focus(), grid->EditCombo);
  EXPECT_EQ(grid->EditCombo->ItemIndex(), 0);
  EXPECT_EQ(reportedIndex, 0);
  EXPECT_EQ(reported, "red");
  Press(VK_ESCAPE);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "blue");

  // A listed text opens on its item; a chosen item is written with Enter.
  reportedIndex = -1;
  Open(edComboList, "green");
  EXPECT_EQ(grid->EditCombo->ItemIndex(), 1);
  EXPECT_EQ(reportedIndex, -1);
  grid->EditCombo->SetItemIndex(0);
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "red");
}

TEST_F(SpecialEditors, DateEditorKeepsInsideItsLimitsAndEscapeKeepsTheCell) {
  grid->EditDate->MaxDate = EncodeDate(2020, 6, 30);
  Open(edDateEdit, DateToStr(EncodeDate(2021, 1, 15)));
  ASSERT_EQ(Focus(), grid->EditDate);
  EXPECT_DOUBLE_EQ(grid->EditDate->Date(), EncodeDate(2020, 6, 29));
  Press(VK_ESCAPE);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), DateToStr(EncodeDate(2021, 1, 15)));

  grid->EditDate->MaxDate = 0;
  grid->EditDate->MinDate = EncodeDate(2020, 1, 1);
  Open(edDateEdit, DateToStr(EncodeDate(2020, 1, 1)));
  EXPECT_DOUBLE_EQ(grid->EditDate->Date(), EncodeDate(2020, 1, 2));
  // The date it only showed is not written; a date the user chose is.
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), DateToStr(EncodeDate(2020, 1, 1)));
  Open(edDateEdit, DateToStr(EncodeDate(2020, 1, 1)));
  Press(VK_UP);
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), DateToStr(EncodeDate(2021, 1, 2)));
}

TEST_F(SpecialEditors, EditButtonAndPickersWriteTheirTextAndEscapeRestoresIt) {
  grid->OnEllipsClick = [](TObject*, int, int, String& S) { S += "!"; };
  Open(edEditBtn, "abc");
  ASSERT_EQ(Focus(), grid->EditBtn);
  grid->EditBtn->ClickButton();
  EXPECT_EQ(grid->EditBtn->Text(), "abc!");
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "abc!");

  Open(edMemoDropDown, "first");
  ASSERT_EQ(Focus(), grid->EditMemo);
  EXPECT_EQ(grid->EditMemo->MemoText()->Strings(0), "first");
  grid->EditMemo->MemoText()->SetText("second");
  Press(VK_ESCAPE);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "first");
  EXPECT_FALSE(grid->EditMemo->Visible());

  Open(edMemoDropDown, "first");
  grid->EditMemo->MemoText()->SetText("second");
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(1, 1), "second");
}

TEST_F(SpecialEditors, TheCharacterThatStartsAnEditArrivesInTheEditor) {
  types_[{2, 2}] = edEditBtn;
  GoTo(2, 2);
  Type("x");
  Flush();
  ASSERT_EQ(Focus(), grid->EditBtn);
  // It takes the place of the text, as in the plain editor.
  EXPECT_EQ(grid->EditBtn->Text(), "x");
  Press(VK_RETURN);
  Flush();
  EXPECT_EQ(grid->Cells(2, 2), "x");
}

}  // namespace

// The cell query hooks (the grid's rule first, then the event) and the small services.
#include <gtest/gtest.h>

#include "RivGridFixture.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/StringList.h"

using namespace rivgrid;

namespace {

TEST(RivHooks, FixedCellsByCountByAlwaysRuleAndByEvent) {
  auto grid = MakeGrid(4, 4);
  int asked = 0;
  grid->OnIsFixedCell = [&](TObject*, int ARow, int ACol, bool& IsFixed) {
    ++asked;
    IsFixed = ACol == 3 && ARow == 3;
  };
  EXPECT_TRUE(grid->IsFixed(0, 2));
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(grid->IsFixed(2, 2));
  EXPECT_TRUE(grid->IsFixed(3, 3));
  EXPECT_EQ(asked, 2);
  grid->SetFixedFooters(1);
  EXPECT_TRUE(grid->IsFixed(2, 3));  // a footer row
  grid->SetFixedFooters(0);

  grid->SetFixedRowAlways(true);
  grid->SetRowCount(1);  // the row count now equals the remembered fixed count
  asked = 0;
  EXPECT_TRUE(grid->IsFixed(2, 0));
  EXPECT_EQ(asked, 0);
}

TEST(RivHooks, EditorButtonsAndEditorTypes) {
  auto grid = MakeGrid(4, 4);
  int spinAsked = 0;
  grid->OnHasSpinEdit = [&](TObject*, int, int, bool& Has) {
    ++spinAsked;
    Has = true;
  };
  EXPECT_FALSE(grid->HasSpinEdit(0, 2));
  EXPECT_EQ(spinAsked, 0);
  EXPECT_TRUE(grid->HasSpinEdit(2, 2));
  grid->OnHasSpinEdit = nullptr;
  EXPECT_FALSE(grid->HasSpinEdit(2, 2));
  grid->ControlLook()->SetSpinButtonsAlwaysVisible(true);
  grid->DefaultEditor = edFloatSpinEdit;
  EXPECT_TRUE(grid->HasSpinEdit(2, 2));

  EXPECT_FALSE(grid->HasComboBox(2, 2));
  grid->ControlLook()->SetDropDownAlwaysVisible(true);
  grid->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& AEditor) {
    if (ACol == 2) AEditor = edComboList;
    if (ACol == 3) AEditor = edNone;
  };
  EXPECT_TRUE(grid->HasComboBox(2, 1));
  EXPECT_FALSE(grid->HasComboBox(1, 1));
  EXPECT_TRUE(grid->HasNoEditor(3, 1));
  EXPECT_FALSE(grid->HasNoEditor(2, 1));

  String value;
  grid->OnGetCheckTrue = [](TObject*, int ACol, int, String& Value) {
    if (ACol == 2) Value = "yes";
  };
  grid->GetCheckTrue(1, 1, value);
  EXPECT_EQ(value, "Y");
  grid->GetCheckTrue(2, 1, value);
  EXPECT_EQ(value, "yes");
}

TEST(RivHooks, EditPermissionFromReadOnlyCellsTheOptionsAndTheEvent) {
  auto grid = MakeGrid(4, 4);
  auto check = [&](int ACol, int ARow) {
    bool can = true;
    grid->CheckCellEditable(ACol, ARow, can);
    return can;
  };
  EXPECT_FALSE(check(1, 1));  // goEditing is off
  grid->SetOptions(grid->Options() + goEditing);
  EXPECT_TRUE(check(1, 1));
  grid->GetCellProperties(2, 1)->SetReadOnly(true);
  EXPECT_FALSE(check(2, 1));
  grid->OnCanEditCell = [](TObject*, int ARow, int, bool& CanEdit) { CanEdit = CanEdit && ARow != 3; };
  EXPECT_FALSE(check(1, 3));
  EXPECT_TRUE(check(9, 3));  // beyond the columns: editable, the event not asked
}

TEST(RivHooks, ColumnFilterListQuotesTextsWithBlanks) {
  auto grid = MakeGrid(3, 5);
  const char* texts[] = {"head", "c", "a b", " c", "zz"};
  for (int r = 0; r < 5; ++r) grid->SetCells(1, r, texts[r]);
  grid->HideRow(4);
  grid->FilterDropDownAuto = true;
  EXPECT_TRUE(grid->BuildColumnFilterList(1));
  const TStringList* list = grid->FilterList();
  ASSERT_EQ(list->Count(), 4);
  EXPECT_EQ(list->Strings(0), "(All)");
  EXPECT_EQ(list->Strings(1), "a b=\"a b\"");
  EXPECT_EQ(list->Strings(2), "c");
  EXPECT_EQ(list->Strings(3), "zz");  // hidden rows count too
  grid->FilterIncremental = true;
  grid->BuildColumnFilterList(1);
  EXPECT_EQ(grid->FilterList()->Count(), 3);
  EXPECT_FALSE(grid->BuildColumnFilterList(0));  // a fixed column has none
}

TEST(RivHooks, ActiveCellHeadersAndPropertiesColour) {
  auto grid = MakeGrid(4, 4);
  grid->ActiveCellShow = true;
  grid->SetRow(2);
  grid->SetCol(3);
  TBrush brush;
  TFont font;
  brush.SetColor(clWhite);
  grid->GetCellColor(0, 2, {}, &brush, &font);
  EXPECT_EQ(brush.Color(), grid->ActiveCellColor);
  brush.SetColor(clWhite);
  grid->GetCellColor(0, 1, {}, &brush, &font);
  EXPECT_EQ(brush.Color(), clWhite);
  grid->GetCellColor(3, 0, {}, &brush, &font);
  EXPECT_EQ(brush.Color(), grid->ActiveCellColor);

  brush.SetColor(clWhite);
  grid->GetCellProperties(1, 1)->SetBrushColor(clRed);
  grid->GetCellProperties(1, 1)->SetFontColor(clBlue);
  grid->GetCellColor(1, 1, {}, &brush, &font);
  EXPECT_EQ(brush.Color(), clRed);
  EXPECT_EQ(font.Color(), clBlue);
  // A checkbox cell's background is the painter's business.
  brush.SetColor(clWhite);
  grid->CreateCellGraphic(1, 1)->CellType = ctCheckBox;
  grid->GetCellColor(1, 1, {}, &brush, &font);
  EXPECT_EQ(brush.Color(), clWhite);
}

TEST(RivHooks, RemoveOneRowEmptiesTheLastDataRowUnlessFixedRowAlways) {
  auto grid = MakeGrid(3, 2);
  grid->SetCells(1, 1, "data");
  std::vector<int> deleted;
  grid->OnAutoDeleteRow = [&](TObject*, int ARow) { deleted.push_back(ARow); };
  grid->RemoveOneRow(1);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Cells(1, 1), "");
  grid->SetFixedRowAlways(true);
  grid->RemoveOneRow(1);
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(deleted, (std::vector<int>{1, 1}));
  grid->InsertOneRow(1);
  EXPECT_EQ(grid->RowCount(), 2);
}

TEST(RivHooks, CellToRealNamesThePositionAndTheCell) {
  auto grid = MakeGrid(3, 3);
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.ThousandSeparator = ',';
  grid->SetCells(1, 1, "(1,234.5)");
  EXPECT_EQ(grid->CellToReal(1, 1), -1234.5L);
  EXPECT_EQ(grid->CellToReal(2, 2), 0);
  grid->SetCells(1, 2, "12a4");
  try {
    grid->CellToReal(1, 2);
    ADD_FAILURE();
  } catch (const ERivGridError& e) {
    EXPECT_STREQ(e.what(), "Error at position: 3 in Cell [1, 2].");
  }
  ResetFormatSettings();
}

TEST(RivHooks, ScalingResizesTheExtraFonts) {
  auto grid = MakeGrid();
  grid->FixedFont()->SetSize(8);
  grid->ActiveCellFont()->SetSize(9);
  grid->ChangeScale(120, 96);
  EXPECT_EQ(grid->FixedFont()->Size(), 10);
  EXPECT_EQ(grid->ActiveCellFont()->Size(), 11);  // 11.25 rounded
  grid->ChangeScale(96, 96);
  EXPECT_EQ(grid->FixedFont()->Size(), 10);
}

TEST(RivHooks, SelectionChangesAndCellChangesReachTheirListeners) {
  auto grid = MakeGrid();
  std::vector<int> sel;
  grid->OnSelectionChanged = [&](TObject*, int L, int T, int R, int B) { sel = {L, T, R, B}; };
  grid->DoSelectionChanged(1, 2, 3, 4);
  EXPECT_EQ(sel, (std::vector<int>{1, 2, 3, 4}));
  struct Notifier : TGridChangeNotifier {
    std::vector<TRect> Seen;
    void CellsChanged(const TRect& R) override { Seen.push_back(R); }
  } notifier;
  grid->AddChangeNotifier(&notifier);
  grid->InsertRows(2, 3);
  grid->RemoveChangeNotifier(&notifier);
  grid->InsertRows(2, 1);
  ASSERT_EQ(notifier.Seen.size(), 1u);
  EXPECT_EQ(notifier.Seen[0], Rect(0, 2, grid->ColCount() - 1, 5));
  grid->SetCells(1, 1, "=1+2");
  EXPECT_EQ(grid->GetCalculatedCellText(1, 1), "=1+2");
}

}  // namespace

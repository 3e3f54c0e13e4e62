// The data grid's core and cell access: starting values, fixed counts kept always, the
// integral height, the save range, typed values, finding cells, headers and cell graphics.
#include <gtest/gtest.h>

#include "RivGridFixture.h"
#include "classlib/StringList.h"

using namespace rivgrid;

namespace {

TEST(RivCore, NewGridStartsWithTheDocumentedValues) {
  auto grid = MakeGrid();
  std::unique_ptr<TGrid> fresh(New<TGrid>(nullptr));
  EXPECT_EQ(fresh->RowCount(), 10);
  EXPECT_EQ(fresh->ColCount(), 5);
  EXPECT_EQ(fresh->FixedRows(), 1);
  EXPECT_EQ(fresh->FixedCols(), 1);
  EXPECT_EQ(fresh->DefaultRowHeight(), 22);
  EXPECT_EQ(fresh->FixedRowHeight(), 22);
  EXPECT_EQ(fresh->RowHeights(0), 22);
  EXPECT_EQ(fresh->RowHeights(9), 22);
  EXPECT_EQ(fresh->Width(), 400);
  EXPECT_EQ(fresh->Height(), 250);
  EXPECT_EQ(fresh->AllRowCount(), 10);
  EXPECT_EQ(fresh->NumHiddenRows(), 0);
  EXPECT_EQ(fresh->NumHiddenColumns(), 0);
  for (int c = 0; c < 512; ++c) ASSERT_FALSE(fresh->IsHiddenColumn(c)) << c;
  EXPECT_EQ(fresh->Version(), "5.7.0.1");
  EXPECT_EQ(fresh->GetVersionNr(), 84344833);
  EXPECT_EQ(fresh->VersionString(), "5.7.0.1 Jan, 2011");
  EXPECT_EQ(fresh->FloatFormat, "%.2f");
  EXPECT_EQ(fresh->CheckTrue, "Y");
  EXPECT_EQ(fresh->CheckFalse, "N");
  EXPECT_EQ(fresh->FilterDropDownClear, "(All)");
  EXPECT_EQ(fresh->Delimiter(), '\0');
  EXPECT_TRUE(fresh->SaveFixedCells);
  EXPECT_FALSE(fresh->SaveHiddenCells);
  EXPECT_TRUE(fresh->ShowNullDates);
  EXPECT_TRUE(fresh->WordWrap());
  EXPECT_EQ(fresh->DefaultAlignment(), taLeftJustify);
  EXPECT_EQ(fresh->ActiveCellColor, 0x808080);
  EXPECT_EQ(fresh->SelectionColor, 0xEACAB6);
  EXPECT_EQ(fresh->Look(), glXP);
  EXPECT_EQ(fresh->GroupColumn(), -1);
  EXPECT_EQ(fresh->FixedFont()->Name(), "Tahoma");
  EXPECT_TRUE(fresh->FixedFont()->Style().Contains(fsBold));
  EXPECT_TRUE(fresh->ActiveCellFont()->Style().Contains(fsBold));
}

TEST(RivCore, FixedRowAlwaysKeepsOneFixedRowAndRestoresTheAskedCount) {
  auto grid = MakeGrid();
  grid->SetFixedRowAlways(true);
  grid->SetRowCount(1);
  EXPECT_EQ(grid->TCustomGrid::FixedRows(), 0);
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_TRUE(grid->IsFixed(2, 0));  // every cell of the only row counts as fixed
  grid->SetRowCount(5);
  EXPECT_EQ(grid->TCustomGrid::FixedRows(), 1);

  grid->SetRowCount(2);
  grid->SetFixedRows(3);
  EXPECT_EQ(grid->TCustomGrid::FixedRows(), 1);
  EXPECT_EQ(grid->FFixedRowsMin, 3);
  grid->SetRowCount(4);
  EXPECT_EQ(grid->FixedRows(), 3);
}

TEST(RivCore, FixedCountsOutsideTheGridFailWithoutFixedRowAlways) {
  auto grid = MakeGrid(3, 2);
  EXPECT_THROW(
      {
        try {
          grid->SetFixedRows(2);
        } catch (const EInvalidGridOperation& e) {
          EXPECT_STREQ(e.what(), "Fixed row count must be less than row count");
          throw;
        }
      },
      EInvalidGridOperation);
  EXPECT_THROW(grid->SetFixedCols(3), EInvalidGridOperation);
  EXPECT_THROW(grid->SetFixedCols(-1), EInvalidGridOperation);
  EXPECT_EQ(grid->FixedRows(), 1);
}

TEST(RivCore, CountsKeepTheirBookkeeping) {
  auto grid = MakeGrid();
  grid->SetRowCount(50);
  grid->SetRowCount(12);
  EXPECT_EQ(grid->FMaxRowCount, 50);
  EXPECT_EQ(grid->FNormalRowCount, 12);
  grid->HideRows(3, 4);
  EXPECT_EQ(grid->RowCount(), 10);
  EXPECT_EQ(grid->AllRowCount(), 12);
  grid->SetRowCount(12);
  EXPECT_EQ(grid->AllRowCount(), 14);
  EXPECT_EQ(grid->NumHiddenRows(), 2);
}

TEST(RivCore, IntegralHeightFillsTheHeightWithWholeRows) {
  auto grid = MakeGrid(3, 30);
  grid->SetDefaultColWidth(40);
  grid->IntegralHeight = true;
  grid->SetBounds(0, 0, 400, 250);
  EXPECT_EQ(grid->Height(), 250 + 2 - (248 % 22));  // 246
  grid->BorderStyle = bsNone;
  grid->SetBounds(0, 0, 400, 250);
  EXPECT_EQ(grid->Height(), 250 - (250 % 22));
  grid->BorderStyle = bsSingle;
  grid->SetColCount(30);  // now a horizontal scroll bar takes room
  grid->SetBounds(0, 0, 400, 250);
  EXPECT_EQ(grid->Height(), 250 + 2 - ((250 - TCustomGrid::ScrollBarSize - 2) % 22));
  grid->IntegralHeight = false;
  grid->SetBounds(0, 0, 400, 250);
  EXPECT_EQ(grid->Height(), 250);
}

TEST(RivCore, SaveRangeLeavesOutFixedFootersAndRightColumnsOnlyWithoutSaveFixedCells) {
  auto grid = MakeGrid(6, 8);
  grid->SetFixedFooters(1);
  grid->SetFixedRightCols(2);
  struct Case {
    bool SaveFixed;
    int StartCol, StartRow, EndCol, EndRow, Cols, Rows;
  };
  for (Case c : {Case{true, 0, 0, 5, 7, 6, 8}, Case{false, 1, 1, 3, 6, 3, 6}}) {
    grid->SaveFixedCells = c.SaveFixed;
    EXPECT_EQ(grid->SaveStartCol(), c.StartCol);
    EXPECT_EQ(grid->SaveStartRow(), c.StartRow);
    EXPECT_EQ(grid->SaveEndCol(), c.EndCol);
    EXPECT_EQ(grid->SaveEndRow(), c.EndRow);
    EXPECT_EQ(grid->SaveColCount(), c.Cols);
    EXPECT_EQ(grid->SaveRowCount(), c.Rows);
  }
}

TEST(RivCore, UsedCellsIsTheBlockOfNonEmptyCells) {
  auto grid = MakeGrid();
  EXPECT_EQ(grid->UsedCells(), (TGridRect{0, 0, 0, 0}));
  grid->SetCells(3, 2, "x");
  grid->SetCells(1, 7, "y");
  grid->SetCells(9, 9, "beyond the columns");
  EXPECT_EQ(grid->UsedCells(), (TGridRect{1, 2, 3, 7}));
}

TEST(RivCells, TextsOfEveryLengthComeBackWhole) {
  auto grid = MakeGrid(3, 3);
  const String texts[] = {"", "1", String(14, 'a'), String(15, 'b'), String(16, 'c'), String(300, 'd'),
                          String("nul\0inside", 10)};
  for (const String& text : texts) {
    grid->SetCells(1, 1, "previous text that is long enough for the heap");
    grid->SetCells(1, 1, text);
    EXPECT_EQ(grid->Cells(1, 1), text);
    grid->SetCells(2, 2, grid->Cells(1, 1));  // copied, not shared
    grid->SetCells(1, 1, "");
    EXPECT_EQ(grid->Cells(2, 2), text);
  }
  grid->Rows(2)->Assign(grid->Rows(0));
  EXPECT_EQ(grid->Cells(2, 2), "");
}

TEST(RivCells, IntegersReadTrimmedAndRefuseOtherText) {
  auto grid = MakeGrid();
  struct Case {
    const char* Text;
    int Value;
  };
  for (Case c : {Case{" 42 ", 42}, Case{"", 0}, Case{"-", 0}, Case{"-7", -7}}) {
    grid->SetCells(1, 1, c.Text);
    EXPECT_EQ(grid->GetCellInteger(1, 1), c.Value) << c.Text;
  }
  for (const char* bad : {"4x", "1.5", "x"}) {
    grid->SetCells(1, 1, bad);
    try {
      grid->GetCellInteger(1, 1);
      ADD_FAILURE() << bad;
    } catch (const ERivGridError& e) {
      EXPECT_STREQ(e.what(), "Cell does not contain integer value");
    }
    EXPECT_EQ(grid->Cells(1, 1), bad);
  }
  grid->SetCellInteger(2, 2, -15);
  EXPECT_EQ(grid->Cells(2, 2), "-15");
}

TEST(RivCells, FloatsReadFinancialTextUnderTheLocale) {
  auto grid = MakeGrid();
  FormatSettings.DecimalSeparator = '.';
  FormatSettings.ThousandSeparator = ',';
  struct Case {
    const char* Text;
    long double Value;
  };
  for (Case c : {Case{"(1,234.5)", -1234.5L}, Case{"-2.25", -2.25L}, Case{" 3 ", 3}, Case{"", 0}, Case{"-", 0},
                 Case{"1e3", 1000}}) {
    grid->SetCells(1, 1, c.Text);
    EXPECT_EQ(grid->GetCellFloat(1, 1), c.Value) << c.Text;
  }
  for (const char* bad : {"x", "4x", "1.2.3"}) {
    grid->SetCells(1, 1, bad);
    try {
      grid->GetCellFloat(1, 1);
      ADD_FAILURE() << bad;
    } catch (const ERivGridError& e) {
      EXPECT_STREQ(e.what(), "Cell does not contain a float value");
    }
  }
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  grid->SetCells(1, 1, "(1.234,5)");
  EXPECT_EQ(grid->GetCellFloat(1, 1), -1234.5L);
  ResetFormatSettings();

  grid->SetCellFloat(2, 2, 3.14159);
  EXPECT_EQ(grid->Cells(2, 2), "3.14");
  // A hidden row is read by its real index.
  grid->SetCells(1, 4, "2.5");
  grid->HideRow(4);
  EXPECT_EQ(grid->GetAllCellFloat(1, 4), 2.5L);
}

TEST(RivCells, DatesWideTextsAndFindingCells) {
  auto grid = MakeGrid();
  grid->SetCellDate(1, 1, 0);
  EXPECT_EQ(grid->Cells(1, 1), DateToStr(0));
  grid->ShowNullDates = false;
  grid->SetCellDate(1, 1, 0);
  EXPECT_EQ(grid->Cells(1, 1), "");
  grid->SetCellDate(1, 1, 40000);
  EXPECT_EQ(grid->Cells(1, 1), DateToStr(40000));
  grid->SetCellTime(1, 2, 0.5);
  EXPECT_EQ(grid->Cells(1, 2), TimeToStr(0.5));

  grid->SetWideCell(2, 1, u"\u00e9t\u00e9");
  EXPECT_EQ(grid->GetWideCell(2, 1), u"\u00e9t\u00e9");
  EXPECT_FALSE(grid->IsWideCell(2, 1));
  grid->SetCells(2, 2, "|\\xx");
  EXPECT_TRUE(grid->IsWideCell(2, 2));

  grid->SetCells(3, 5, "needle");
  grid->SetCells(1, 6, "needle");
  grid->SetCells(4, 3, "Needle");
  grid->SetCells(2, 8, "hidden");
  grid->HideRow(8);
  int col = -1, row = -1;
  EXPECT_TRUE(grid->IsCell("needle", col, row));
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 5);
  col = row = -1;
  EXPECT_FALSE(grid->IsCell("hidden", col, row));
  EXPECT_EQ(col, -1);
}

TEST(RivCells, HeadersAreWrittenIntoTheFixedCells) {
  auto grid = MakeGrid(4, 4);
  grid->SetCells(3, 0, "old");
  TStringList headers;
  headers.Add("corner");
  headers.Add("two\\nlines");
  grid->SetColumnHeaders(&headers);
  EXPECT_EQ(grid->Cells(0, 0), "corner");
  EXPECT_EQ(grid->Cells(1, 0), "two\rlines");
  EXPECT_EQ(grid->Cells(3, 0), "");  // the header row was cleared first
  grid->ColumnHeaders()->Add("third");  // a change in place is shown at once
  EXPECT_EQ(grid->Cells(2, 0), "third");
  grid->RowHeaders()->Add("h0");
  grid->RowHeaders()->Add("h1");
  EXPECT_EQ(grid->Cells(0, 1), "h1");
  grid->SetLookupItems(nullptr);
  EXPECT_EQ(grid->LookupItems()->Count(), 0);
}

TEST(RivCells, CellGraphicsKeepEmptyCellsEmptyAndReplaceTheOldGraphic) {
  auto grid = MakeGrid();
  TCountedGraphic::Freed = 0;
  AttachCounted(*grid, 2, 2);
  TCellGraphic* g = grid->CreateCellGraphic(2, 2);
  EXPECT_EQ(TCountedGraphic::Freed, 1);
  EXPECT_EQ(grid->Cells(2, 2), "");
  EXPECT_EQ(grid->GetCellGraphic(2, 2), g);
  EXPECT_EQ(grid->GetCellType(2, 2), ctNone);  // a new graphic is of no kind yet
  g->CellType = ctCheckBox;
  EXPECT_EQ(grid->GetCellType(2, 2), ctCheckBox);
  EXPECT_EQ(grid->GetCellType(-1, 2), ctEmpty);
  EXPECT_EQ(grid->GetCellGraphic(3, 3), nullptr);
  g->CellType = ctImageList;
  g->CellIndex = 4;
  EXPECT_EQ(grid->GetCellGraphicObjectValue(2, 2), 4);
  EXPECT_EQ(grid->GetCellGraphicObjectValue(3, 3), -1);
}

TEST(RivCells, RowCheckBoxesUnderHotmailRowSelect) {
  auto grid = MakeGrid();
  grid->MouseActions()->SetHotmailRowSelect(true);
  EXPECT_EQ(grid->GetCellType(0, 3), ctRowCheckBox);
  EXPECT_EQ(grid->GetCellGraphic(0, 0)->CellAngle, 0);
}

TEST(RivCells, LinksAreShownWithTheFirstPrefixOfTheList) {
  auto grid = MakeGrid();
  grid->SetCells(1, 1, "see www.a.org or http://b.org");
  EXPECT_EQ(grid->Cells(1, 1), "see www.a.org or http://b.org");
  grid->SetURLShowInText(true);
  const String shown = grid->Cells(1, 1);
  EXPECT_NE(shown.find("<a href=\"http://b.org\">"), String::npos) << shown;
  EXPECT_EQ(shown.find("<a href=\"www"), String::npos) << shown;
  EXPECT_EQ(grid->GetRawCellText(1, 1), "see www.a.org or http://b.org");
}

TEST(RivCore, HiddenRowsPropertiesAreFreedWithTheGrid) {
  TCountedGraphic::Freed = 0;
  {
    auto grid = MakeGrid();
    grid->SetCells(1, 3, "x");
    AttachCounted(*grid, 1, 3);
    AttachCounted(*grid, 2, 5);
    grid->HideRow(3);
    grid->SetRowCount(4);  // row 5 now lies beyond the count
  }
  EXPECT_EQ(TCountedGraphic::Freed, 2);
}

TEST(RivCore, AssignCopiesSettingsAndCellsButNotFixedColAlways) {
  auto source = MakeGrid(4, 6);
  FillNamed(*source);
  source->SetFixedColAlways(true);
  source->SetFixedRowAlways(true);
  source->SetColWidths(2, 90);
  auto dest = MakeGrid();
  dest->Assign(source.get());
  EXPECT_EQ(dest->ColCount(), 4);
  EXPECT_EQ(dest->RowCount(), 6);
  EXPECT_TRUE(dest->FixedRowAlways());
  EXPECT_FALSE(dest->FixedColAlways());
  EXPECT_EQ(dest->ColWidths(2), 90);
  EXPECT_EQ(dest->Cells(3, 5), "3:5");
  TStringList notAGrid;
  dest->Assign(&notAGrid);  // ignored
  EXPECT_EQ(dest->Cells(3, 5), "3:5");
}

}  // namespace

// The grid's selections, fills, checks and row flags.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Random.h"
#include "grid/model/RivErodovOzar.h"

namespace {

class Selection : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.reset(New<TRivErodovOzar>(nullptr));
    grid->SetColCount(5);
    grid->SetRowCount(10);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
  }
  std::vector<int> Items(const TIntList* List) {
    std::vector<int> v;
    for (int i = 0; i < List->Count(); ++i) v.push_back(List->GetItem(i));
    return v;
  }
  std::unique_ptr<TRivErodovOzar> grid;
};

// A checker that upper-cases texts.
class TUpperChecker : public TRivErodovOzarCheck {
 public:
  using TRivErodovOzarCheck::TRivErodovOzarCheck;
  String Correct(int, int, const String& s) override { return UpperCase(s); }
  void StartCheck() override { ++Starts; }
  void StopCheck() override { ++Stops; }
  int Starts = 0, Stops = 0;
};

TEST_F(Selection, RectangleTextAndCounts) {
  grid->SetCells(1, 1, "a");
  grid->SetCells(2, 1, "b");
  grid->SetCells(1, 2, "c");
  grid->SetCells(2, 2, "d");
  grid->SelectCells(1, 1, 2, 2);
  EXPECT_EQ(grid->SelectedText(), "a\tb\r\nc\td");
  EXPECT_TRUE(grid->IsSelected(2, 2));
  EXPECT_FALSE(grid->IsSelected(3, 2));
  EXPECT_FALSE(grid->IsSelected(0, 1));  // fixed cells never are
  grid->SelectCells(1, 1, 3, 2);
  EXPECT_EQ(grid->SelectedCellsCount(), 6);
  EXPECT_EQ(grid->SelectedRowCount(), 2);
  EXPECT_EQ(grid->SelectedColCount(), 3);
  EXPECT_EQ(grid->RowSelectCount(), 2);
  EXPECT_EQ(grid->ColSelectCount(), 3);
  EXPECT_TRUE(grid->IsRowSelected(2));
  EXPECT_FALSE(grid->IsRowSelected(3));

  // A multi-line cell becomes one quoted line for spreadsheets.
  grid->SetCells(1, 1, "x\r\n\"y\"");
  grid->ExcelClipboardFormat = true;
  grid->SelectCells(1, 1, 1, 1);
  EXPECT_EQ(grid->SelectedText(), "\"x\n\"\"y\"\"\"");

  // A merged block counts its whole span.
  grid->MergeCells(1, 4, 2, 3);
  grid->SelectCells(1, 4, 1, 4);
  EXPECT_EQ(grid->SelectedRowCount(), 3);
  EXPECT_EQ(grid->SelectedColCount(), 2);
}

TEST_F(Selection, DisjunctRows) {
  grid->MouseActions()->SetDisjunctRowSelect(true);
  std::vector<int> asked, told;
  grid->OnRowDisjunctSelect = [&](TObject*, int ARow, bool, bool& Allow) {
    asked.push_back(ARow);
    Allow = ARow != 9;
  };
  grid->OnRowDisjunctSelected = [&](TObject*, int ARow) { told.push_back(ARow); };
  for (int r : {5, 2, 7, 9}) grid->SetRowSelected(r, true);
  EXPECT_EQ(Items(grid->SelectedRows()), (std::vector<int>{5, 2, 7}));
  EXPECT_EQ(grid->RowSelectCount(), 3);
  EXPECT_EQ(grid->SelectedRowCount(), 3);
  EXPECT_EQ(told, (std::vector<int>{5, 2, 7}));
  EXPECT_FALSE(grid->IsRowSelected(9));  // refused by the handler
  EXPECT_TRUE(grid->IsSelected(3, 7));
  // Selecting a selected row again asks nothing.
  grid->SetRowSelected(5, true);
  EXPECT_EQ(asked.size(), 4u);

  grid->SetCells(1, 2, "two");
  grid->SetCells(1, 5, "five");
  grid->SelectCells(1, 1, 1, 1);
  EXPECT_EQ(grid->SelectedText(), "two\r\nfive\r\n");  // rows 2, 5 and the empty 7

  grid->ClearRowSelect();
  EXPECT_EQ(grid->RowSelectCount(), 0);
  EXPECT_EQ(grid->SelectedRowCount(), 0);

  grid->SelectRows(8, 5);  // cut to the rows that exist
  EXPECT_EQ(Items(grid->SelectedRows()), (std::vector<int>{8}));
  grid->UnSelectRows(0, 10);
  EXPECT_EQ(grid->RowSelectCount(), 0);

  grid->SelectCells(1, 3, 2, 4);
  grid->SelectionToRowSelect(true);
  EXPECT_EQ(Items(grid->SelectedRows()), (std::vector<int>{3, 4}));

  for (int bad : {-1, 10}) {
    try {
      grid->IsRowSelected(bad);
      FAIL() << bad;
    } catch (const ERivGridError& e) {
      EXPECT_EQ(e.Message, "Invalid row accessed");
    }
    EXPECT_THROW(grid->SetRowSelected(bad, true), ERivGridError);
  }
}

TEST_F(Selection, DisjunctColumnsAndCells) {
  grid->MouseActions()->SetDisjunctColSelect(true);
  grid->SetColSelected(3, true);
  grid->SetColSelected(1, true);
  grid->SetColSelected(4, false);
  EXPECT_EQ(grid->ColSelectCount(), 2);
  EXPECT_EQ(grid->SelectedColCount(), 2);  // selected columns, not the list's length
  EXPECT_TRUE(grid->IsSelected(3, 5));
  grid->ClearColSelect();
  EXPECT_EQ(grid->ColSelectCount(), 0);
  grid->SelectCols(2, 9);
  EXPECT_EQ(grid->ColSelectCount(), 3);
  grid->UnSelectCols(3, 1);
  EXPECT_FALSE(grid->IsColSelected(3));
  try {
    grid->IsColSelected(grid->ColCount());
    FAIL();
  } catch (const ERivGridError& e) {
    EXPECT_EQ(e.Message, "Invalid column accessed");
  }
  EXPECT_THROW(grid->SetColSelected(-1, true), ERivGridError);
  grid->MouseActions()->SetDisjunctColSelect(false);

  // Without disjunct columns, selecting columns selects their normal rows.
  grid->SelectCols(2, 2);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 3, 9}));
  grid->SelectRows(4, 2);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 4, 4, 5}));

  grid->MouseActions()->SetDisjunctCellSelect(true);
  grid->SelectedCells()->Add(3 * 65536 + 2);
  EXPECT_TRUE(grid->IsSelected(2, 3));
  EXPECT_FALSE(grid->IsSelected(3, 2));
  EXPECT_EQ(grid->SelectedCellsCount(), 1);
  grid->ClearSelectedCells();
  EXPECT_EQ(grid->SelectedCellsCount(), 0);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(Selection, MovingAndHiding) {
  grid->SelectRange(1, 3, 2, 4);
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));

  grid->HideSelection();
  EXPECT_TRUE(grid->SelectionHidden());
  EXPECT_FALSE(grid->IsSelected(2, 3));
  grid->UnHideSelection();
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));

  // The remembered rows are gone: back to the first normal cell.
  grid->HideSelection();
  grid->SetRowCount(2);
  grid->UnHideSelection();
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));

  grid->SetRowCount(200);
  grid->SetBounds(0, 0, 300, 200);
  grid->ScrollInView(2, 150);
  EXPECT_EQ(grid->Row(), 150);
  EXPECT_GT(grid->TopRow(), 100);
  EXPECT_LE(grid->TopRow(), 150);
  grid->ScrollInView(2, 200);  // beyond the grid: nothing
  EXPECT_EQ(grid->Row(), 150);
}

TEST_F(Selection, Fills) {
  grid->FormatFill(false, "%d-%d");
  EXPECT_EQ(grid->Cells(1, 1), "1-1");
  EXPECT_EQ(grid->Cells(4, 9), "4-9");
  EXPECT_EQ(grid->Cells(0, 0), "");
  grid->LinearFill(true);
  EXPECT_EQ(grid->Cells(0, 0), "0:0");
  EXPECT_EQ(grid->Cells(3, 2), "3:2");
  grid->SetFixedFooters(1);
  grid->SetFixedRightCols(1);
  grid->TextFill(false, "t");
  EXPECT_EQ(grid->Cells(3, 8), "t");
  EXPECT_EQ(grid->Cells(4, 8), "4:8");  // fixed right column
  EXPECT_EQ(grid->Cells(3, 9), "3:9");  // fixed footer row
  RandSeed = 7;
  grid->RandomFill(false, 3);
  for (int r = 1; r < 9; ++r)
    for (int c = 1; c < 4; ++c) EXPECT_TRUE(grid->Cells(c, r) == "0" || grid->Cells(c, r) == "1" || grid->Cells(c, r) == "2");
}

TEST_F(Selection, Checks) {
  EXPECT_TRUE(grid->CheckGrid(false));  // no checker
  TUpperChecker checker(nullptr);
  checker.UseCorrect = true;
  grid->CellChecker = &checker;
  grid->SetCells(1, 1, "ok");
  grid->SetCells(2, 1, "OK");
  EXPECT_TRUE(grid->CheckCell(2, 1));
  EXPECT_FALSE(grid->CheckRow(false, 1));
  EXPECT_EQ(grid->Cells(1, 1), "OK");
  EXPECT_TRUE(grid->CheckRow(false, 1));
  EXPECT_EQ(checker.Starts, 2);
  EXPECT_EQ(checker.Stops, 2);
  // Every cell is checked even after a failing one.
  grid->SetCells(1, 3, "a");
  grid->SetCells(1, 4, "b");
  EXPECT_FALSE(grid->CheckCol(false, 1));
  EXPECT_EQ(grid->Cells(1, 4), "B");
  // With GotoCell the current cell visits the cells and comes back.
  checker.GotoCell = true;
  grid->SetRow(6);
  grid->SetCol(2);
  EXPECT_TRUE(grid->CheckCells(1, 1, 3, 3));
  EXPECT_EQ(grid->Row(), 6);
  EXPECT_EQ(grid->Col(), 2);
}

TEST_F(Selection, RowFlags) {
  grid->SetRowModified(4, true);
  grid->SetRowModified(2, true);
  grid->SetRowModified(4, false);
  EXPECT_TRUE(grid->IsRowModified(2));
  EXPECT_FALSE(grid->IsRowModified(4));
  EXPECT_FALSE(grid->IsRowModified(50));
  EXPECT_EQ(grid->ModifiedRowCount(), 1);
  grid->ClearModifiedRows();
  EXPECT_EQ(grid->ModifiedRowCount(), 0);
  EXPECT_TRUE(grid->IsRowEnabled(3));
  grid->SetRowEnabled(3, false);
  EXPECT_FALSE(grid->IsRowEnabled(3));
  EXPECT_TRUE(grid->IsRowEnabled(30));
}

}  // namespace

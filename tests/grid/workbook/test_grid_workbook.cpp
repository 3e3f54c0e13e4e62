// The grid workbook: its first sheets and tabs, what a sheet keeps while another is active,
// a never-used sheet, refusing a change, and adding, inserting, renaming and removing sheets.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/Forms.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/workbook/RivGridWorkbook.h"

namespace {

class GridWorkbook : public ::testing::Test {
 protected:
  void SetUp() override {
    form.reset(New<TForm>(nullptr));
    form->SetBounds(0, 0, 500, 400);
    book = New<TRivGridWorkbook>(form.get());
    book->SetParent(form.get());
    book->SetBounds(0, 0, 480, 360);
    grid = book->Grid();
  }
  std::vector<String> TabCaptions() {
    std::vector<String> tabs;
    for (int i = 0; i < book->TabSet()->Tabs()->Count(); ++i) tabs.push_back(book->TabSet()->Tabs()->Strings(i));
    return tabs;
  }
  std::unique_ptr<TForm> form;
  TRivGridWorkbook* book = nullptr;
  TRivErodovOzar* grid = nullptr;
};

TEST_F(GridWorkbook, StartsWithThreeSheetsAndTheFirstTabSelected) {
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(TabCaptions(), (std::vector<String>{"Sheet 1", "Sheet 2", "Sheet 3"}));
  EXPECT_EQ(book->TabSet()->TabIndex(), 0);
  EXPECT_EQ(book->ActiveSheet(), 0);
  EXPECT_EQ(book->Version(), "3.3.0.5");
  EXPECT_TRUE(grid->Options().Contains(goEditing));
}

TEST_F(GridWorkbook, ASheetKeepsItsCellsPlaceWidthsAndSortColumnWhileAnotherIsActive) {
  const int cols = grid->ColCount(), rows = grid->RowCount();
  grid->SetColCount(8);
  grid->SetRowCount(40);
  grid->SetCells(1, 1, "typed");
  grid->SetCells(3, 30, "far");
  grid->SetColWidths(2, 91);
  grid->FocusCell(3, 30);
  grid->SortSettings()->Column = 2;

  book->SetActiveSheet(1);
  EXPECT_EQ(grid->Cells(1, 1), "") << "a never-used sheet is empty";
  EXPECT_EQ(grid->ColCount(), cols);
  EXPECT_EQ(grid->RowCount(), rows);
  grid->SetCells(1, 1, "second");

  book->TabSet()->SetTabIndex(0);  // as a click on the first tab
  EXPECT_EQ(book->ActiveSheet(), 0);
  EXPECT_EQ(grid->ColCount(), 8);
  EXPECT_EQ(grid->RowCount(), 40);
  EXPECT_EQ(grid->Cells(1, 1), "typed");
  EXPECT_EQ(grid->Cells(3, 30), "far");
  EXPECT_EQ(grid->ColWidths(2), 91);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 30);
  EXPECT_EQ(grid->SortSettings()->Column, 2);
  book->SetActiveSheet(1);
  EXPECT_EQ(grid->Cells(1, 1), "second");
}

TEST_F(GridWorkbook, LeavingASheetOpensItsContractedNodes) {
  grid->SetRowCount(8);
  for (int r = 1; r < 8; ++r) grid->SetCells(1, r, "row" + IntToStr(r));
  grid->AddNode(2, 3);
  grid->ContractNode(2);
  ASSERT_EQ(grid->RowCount(), 6);
  book->SetActiveSheet(1);
  book->SetActiveSheet(0);
  EXPECT_EQ(grid->RowCount(), 8);
  EXPECT_EQ(grid->Cells(1, 4), "row4");
}

TEST_F(GridWorkbook, RefusedSheetChangeKeepsTheSheet) {
  grid->SetCells(1, 1, "first");
  int asked = -1;
  book->OnSheetChange = [&](TObject*, int NewSheet, bool& Allow) {
    asked = NewSheet;
    Allow = false;
  };
  book->TabSet()->SetTabIndex(2);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(book->ActiveSheet(), 0);
  EXPECT_EQ(book->TabSet()->TabIndex(), 0);
  EXPECT_EQ(grid->Cells(1, 1), "first");
}

TEST_F(GridWorkbook, AddInsertRenameAndRemoveSheets) {
  grid->SetCells(1, 1, "one");
  book->AddSheet("Extra");
  EXPECT_EQ(book->ActiveSheet(), 3);
  EXPECT_EQ(TabCaptions().back(), "Extra");
  grid->SetCells(1, 1, "extra");

  book->InsertSheet(1, "Inserted");
  EXPECT_EQ(book->ActiveSheet(), 1);
  EXPECT_EQ(TabCaptions(), (std::vector<String>{"Sheet 1", "Inserted", "Sheet 2", "Sheet 3", "Extra"}));
  book->InsertSheet(9, "Ignored");
  EXPECT_EQ(book->Sheets()->Count(), 5);

  book->Sheets()->Items(2)->SetName("Renamed");
  EXPECT_EQ(TabCaptions()[2], "Renamed");

  book->SetActiveSheet(4);
  EXPECT_EQ(grid->Cells(1, 1), "extra");
  book->RemoveSheet(4);
  EXPECT_EQ(book->ActiveSheet(), 0) << "removing the active sheet activates sheet 0";
  EXPECT_EQ(grid->Cells(1, 1), "one");
  EXPECT_EQ(TabCaptions(), (std::vector<String>{"Sheet 1", "Inserted", "Renamed", "Sheet 3"}));
  book->RemoveSheet(7);
  EXPECT_EQ(book->Sheets()->Count(), 4);

  book->Sheets()->Clear();
  EXPECT_EQ(book->Sheets()->Count(), 0);
  EXPECT_EQ(book->ActiveSheet(), -1);
  EXPECT_TRUE(TabCaptions().empty());
  book->AddSheet("Fresh");
  EXPECT_EQ(book->ActiveSheet(), 0);
  EXPECT_EQ(grid->Cells(1, 1), "") << "a fresh sheet loads without saving the grid into it";
}

}  // namespace

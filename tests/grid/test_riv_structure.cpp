// Structure edits: rows and columns inserted, removed, moved and swapped with their texts,
// heights and cell properties; the hidden-row store kept in step; clearing and merging.
#include <gtest/gtest.h>

#include "RivGridFixture.h"

using namespace rivgrid;

namespace {

std::vector<String> FirstColumn(TRivErodovOzar& Grid) {
  std::vector<String> texts;
  for (int r = 0; r < Grid.RowCount(); ++r) texts.push_back(Grid.Cells(0, r));
  return texts;
}

std::vector<String> Named(std::initializer_list<int> Rows) {
  std::vector<String> texts;
  for (int r : Rows) texts.push_back(r < 0 ? String() : "r" + IntToStr(r));
  return texts;
}

TEST(RivStructure, InsertedRowsAreEmptyAndRowsBelowKeepTheirCells) {
  auto grid = MakeGrid(3, 6);
  FillNamed(*grid);
  grid->SetRowHeights(2, 40);
  TCellGraphic* g = grid->CreateCellGraphic(1, 2);
  grid->InsertRows(2, 2);
  EXPECT_EQ(FirstColumn(*grid), Named({0, 1, -1, -1, 2, 3, 4, 5}));
  EXPECT_EQ(grid->RowHeights(2), grid->DefaultRowHeight());
  EXPECT_EQ(grid->RowHeights(4), 40);
  EXPECT_EQ(grid->GetCellGraphic(1, 4), g);
  EXPECT_EQ(grid->GetCellGraphic(1, 2), nullptr);
  grid->AddRow();
  EXPECT_EQ(grid->RowCount(), 9);
  EXPECT_EQ(grid->Cells(0, 8), "");
}

TEST(RivStructure, RemovedRowsFreeTheirPropertiesAndLeaveNothingBeyondTheGrid) {
  auto grid = MakeGrid(3, 8);
  FillNamed(*grid);
  TCountedGraphic::Freed = 0;
  AttachCounted(*grid, 1, 3);
  TCellGraphic* kept = grid->CreateCellGraphic(2, 6);
  grid->SetRowHeights(6, 44);
  grid->RemoveRows(2, 2);
  EXPECT_EQ(TCountedGraphic::Freed, 1);
  EXPECT_EQ(FirstColumn(*grid), Named({0, 1, 4, 5, 6, 7}));
  EXPECT_EQ(grid->GetCellGraphic(2, 4), kept);
  EXPECT_EQ(grid->RowHeights(4), 44);
  grid->SetRowCount(8);
  EXPECT_EQ(grid->Cells(0, 6), "");
  EXPECT_EQ(grid->Cells(0, 7), "");
  grid->RemoveRows(20, 1);  // beyond the grid: nothing
  grid->RemoveRows(1, 0);
  EXPECT_EQ(grid->RowCount(), 8);
}

TEST(RivStructure, HiddenRowIndexesFollowRemovalsButNotInsertions) {
  auto grid = MakeGrid(2, 10);
  FillNamed(*grid);
  grid->HideRow(6);
  grid->RemoveRows(2, 2);
  EXPECT_TRUE(grid->IsHiddenRow(4));
  EXPECT_FALSE(grid->IsHiddenRow(6));
  grid->InsertRows(1, 1);  // above the hidden row
  EXPECT_TRUE(grid->IsHiddenRow(4));
  grid->UnHideRowsAll();
  EXPECT_EQ(grid->Cells(0, 4), "r6");
}

TEST(RivStructure, RemoveRowsExMovesTextsButNotHeights) {
  auto grid = MakeGrid(2, 8);
  FillNamed(*grid);
  grid->SetRowHeights(2, 40);
  TCountedGraphic::Freed = 0;
  AttachCounted(*grid, 1, 2);
  grid->HideRow(7);
  grid->RemoveRowsEx(2, 2);
  EXPECT_EQ(TCountedGraphic::Freed, 1);
  EXPECT_EQ(FirstColumn(*grid), Named({0, 1, 4, 5, 6}));
  EXPECT_EQ(grid->RowHeights(2), 40);
  EXPECT_TRUE(grid->IsHiddenRow(5));
  for (int r = grid->RowCount(); r < grid->RowCount() + 3; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(grid->GetRawCellObject(c, r), nullptr);
}

TEST(RivStructure, RemoveDuplicatesHonoursTheLetterCaseChoice) {
  for (bool doCase : {true, false}) {
    auto grid = MakeGrid(2, 6);
    const char* texts[] = {"head", "a", "A", "b", "a", "B"};
    for (int r = 0; r < 6; ++r) grid->SetCells(1, r, texts[r]);
    grid->RemoveDuplicates(1, doCase);
    std::vector<String> left;
    for (int r = 0; r < grid->RowCount(); ++r) left.push_back(grid->Cells(1, r));
    if (doCase)
      EXPECT_EQ(left, (std::vector<String>{"head", "a", "A", "b", "B"}));
    else
      EXPECT_EQ(left, (std::vector<String>{"head", "a", "b"}));
  }
}

TEST(RivStructure, ColumnsInsertedAndRemovedAroundAHiddenColumn) {
  auto grid = MakeGrid(5, 3);
  FillNamed(*grid);
  grid->HideRow(2);
  grid->HideColumn(3);
  grid->InsertCols(2, 1);
  EXPECT_EQ(grid->ColCount(), 5);
  EXPECT_EQ(grid->AllColCount(), 6);
  EXPECT_TRUE(grid->IsHiddenColumn(4));
  EXPECT_EQ(grid->Cells(2, 1), "");
  EXPECT_EQ(grid->Cells(3, 1), "2:1");
  EXPECT_EQ(grid->Cells(4, 1), "3:1");
  grid->RemoveCols(4, 1);  // the hidden one
  EXPECT_EQ(grid->NumHiddenColumns(), 0);
  EXPECT_EQ(grid->ColCount(), 5);
  EXPECT_EQ(grid->Cells(4, 1), "4:1");
  grid->RemoveCols(3, 10);  // shortened to the last column
  EXPECT_EQ(grid->ColCount(), 3);
  grid->UnHideRow(2);  // the hidden row's cells moved with the columns
  EXPECT_EQ(grid->Cells(1, 2), "1:2");
  EXPECT_EQ(grid->Cells(2, 2), "");
  grid->MergeCols(1, 2, "-");
  EXPECT_EQ(grid->Cells(1, 1), "1:1-");
  EXPECT_EQ(grid->ColCount(), 2);
}

TEST(RivStructure, SwapsAndMovesCarryPropertiesAndLeaveNoTrace) {
  auto grid = MakeGrid(3, 6);
  FillNamed(*grid);
  TCellGraphic* g = grid->CreateCellGraphic(1, 1);
  grid->SetRowHeights(1, 33);
  grid->SwapRows(1, 4);
  EXPECT_EQ(grid->Cells(0, 4), "r1");
  EXPECT_EQ(grid->Cells(0, 1), "r4");
  EXPECT_EQ(grid->GetCellGraphic(1, 4), g);
  EXPECT_EQ(grid->GetCellGraphic(1, 1), nullptr);
  EXPECT_EQ(grid->RowHeights(4), 33);
  EXPECT_EQ(grid->Cells(0, 6), "");  // nothing left beyond the grid
  grid->SwapColumns(1, 2);
  EXPECT_EQ(grid->GetCellGraphic(2, 4), g);
  EXPECT_EQ(grid->Cells(1, 0), "2:0");
  grid->SwapCells({2, 4}, {0, 0});
  EXPECT_EQ(grid->GetCellGraphic(0, 0), g);
  EXPECT_EQ(grid->Cells(2, 4), "r0");
  grid->MoveRow(1, 3);
  EXPECT_EQ(FirstColumn(*grid), (std::vector<String>{"1:1", "r2", "r3", "r4", "r1", "r5"}));
}

TEST(RivStructure, ClearingKeepsWhatEachVariantKeeps) {
  auto grid = MakeGrid(5, 8);
  FillNamed(*grid);
  grid->HideRow(6);
  grid->Clear();
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(grid->Cells(0, 0), "");
  EXPECT_EQ(grid->GetAllCell(0, 6), "r6");
  grid->ClearAll();
  EXPECT_EQ(grid->GetAllCell(0, 6), "");
  EXPECT_TRUE(grid->IsHiddenRow(6));

  auto normal = MakeGrid(5, 6);
  FillNamed(*normal);
  normal->SetFixedFooters(1);
  normal->SetFixedRightCols(1);
  normal->ClearNormalCells();
  EXPECT_EQ(normal->Cells(2, 0), "2:0");
  EXPECT_EQ(normal->Cells(0, 3), "r3");
  EXPECT_EQ(normal->Cells(2, 5), "2:5");
  EXPECT_EQ(normal->Cells(4, 3), "4:3");
  EXPECT_EQ(normal->Cells(2, 3), "");
  normal->ClearRows(0, 1);
  EXPECT_EQ(normal->Cells(4, 0), "");
  normal->ClearCols(4, 1);
  EXPECT_EQ(normal->Cells(4, 3), "");
}

TEST(RivStructure, ClearRectFreesPropertiesUnlessTextOnly) {
  auto grid = MakeGrid(4, 4);
  TCountedGraphic::Freed = 0;
  AttachCounted(*grid, 1, 1);
  AttachCounted(*grid, 2, 2);
  grid->ClearTextOnly = true;
  grid->ClearRect(0, 0, 3, 3);
  EXPECT_EQ(TCountedGraphic::Freed, 0);
  grid->ClearTextOnly = false;
  grid->ClearRect(1, 1, 1, 1);
  EXPECT_EQ(TCountedGraphic::Freed, 1);
  EXPECT_FALSE(grid->HasCellProperties(1, 1));
  std::vector<TRect> changed;
  grid->OnCellsChanged = [&](TObject*, const TRect& R) { changed.push_back(R); };
  grid->ClearRect(0, 0, 3, 3);
  EXPECT_EQ(TCountedGraphic::Freed, 2);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], Rect(0, 0, 3, 3));
}

TEST(RivStructure, MergingColumnsByContent) {
  auto grid = MakeGrid(3, 6);
  const char* texts[] = {"head", "a", "a", "b", "b", "b"};
  for (int r = 0; r < 6; ++r) grid->SetCells(1, r, texts[r]);
  grid->MergeColumnCells(1, true);
  EXPECT_EQ(grid->CellSpan(1, 1).Y, 1);
  EXPECT_EQ(grid->CellSpan(1, 3).Y, 2);
  EXPECT_EQ(grid->BaseCell(1, 5).Y, 3);
  grid->SplitColumnCells(1);
  EXPECT_FALSE(grid->IsMergedCell(1, 1));
  EXPECT_FALSE(grid->IsMergedCell(1, 4));

  auto distinct = MakeGrid(3, 4);
  for (int r = 0; r < 4; ++r) distinct->SetCells(1, r, IntToStr(r));
  distinct->MergeColumnCells(1, true);
  for (int r = 0; r < 4; ++r) EXPECT_FALSE(distinct->IsMergedCell(1, r));
}

}  // namespace

namespace {

TEST(RivStructure, RemovingAndHidingByTheSelectedRectangle) {
  auto grid = MakeGrid(5, 8);
  FillNamed(*grid);
  grid->SetSelection({1, 2, 2, 4});
  grid->HideSelectedRows();
  EXPECT_EQ(FirstColumn(*grid), Named({0, 1, 5, 6, 7}));  // rows sliding in are not taken
  grid->UnHideRowsAll();
  grid->SetSelection({1, 2, 2, 4});
  grid->RemoveSelectedRows();
  EXPECT_EQ(FirstColumn(*grid), Named({0, 1, 5, 6, 7}));
  grid->SetSelection({1, 2, 1, 3});
  grid->RemoveUnSelectedRows();
  EXPECT_EQ(FirstColumn(*grid), Named({0, 5, 6}));

  grid->SetSelection({2, 1, 3, 1});
  grid->RemoveUnSelectedCols();
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(grid->Cells(1, 0), "2:0");
  EXPECT_EQ(grid->Cells(2, 0), "3:0");
  grid->SetSelection({2, 1, 2, 1});
  grid->RemoveSelectedCols();
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->Cells(1, 0), "2:0");
}

}  // namespace

namespace {

std::vector<String> HeaderRow(TRivErodovOzar& Grid) {
  std::vector<String> texts;
  for (int c = 0; c < Grid.ColCount(); ++c) texts.push_back(Grid.Cells(c, 0) + "|" + Grid.Cells(c, 3));
  return texts;
}

TEST(RivColumnOrder, MovedColumnsAreFoundAndPutBackWithTheirCells) {
  auto grid = MakeGrid(6, 5);
  FillNamed(*grid);
  TCellGraphic* g = grid->CreateCellGraphic(1, 2);
  const std::vector<String> original = HeaderRow(*grid);
  EXPECT_EQ(grid->ColumnOrder()->Count(), 0);
  EXPECT_EQ(grid->ColumnPosition(3), 3);  // nothing recorded
  grid->MoveColumn(1, 3);
  grid->MoveColumn(4, 1);
  const int expected[] = {0, 4, 2, 3, 1, 5};
  for (int p = 0; p < 6; ++p) {
    EXPECT_EQ(grid->ColumnAtPosition(p), expected[p]) << p;
    EXPECT_EQ(grid->ColumnPosition(grid->ColumnAtPosition(p)), p) << p;
    EXPECT_EQ(grid->Cells(p, 0), p == 0 ? "r0" : IntToStr(expected[p]) + ":0");
  }
  EXPECT_EQ(grid->GetCellGraphic(4, 2), g);
  grid->HideColumn(2);
  grid->ResetColumnOrder();
  EXPECT_EQ(grid->NumHiddenColumns(), 0);
  EXPECT_EQ(HeaderRow(*grid), original);
  EXPECT_EQ(grid->GetCellGraphic(1, 2), g);
  for (int p = 0; p < 6; ++p) EXPECT_EQ(grid->ColumnAtPosition(p), p);
  // With a grouping column the positions skip it.
  grid->SetGroupColumn(2);
  EXPECT_EQ(grid->ColumnPosition(4), 3);
  EXPECT_EQ(grid->ColumnAtPosition(3), 4);
  EXPECT_EQ(grid->ColumnPosition(1), 1);
}

TEST(RivColumnOrder, ResetRecordsWhenNothingIsRecordedAndHeadersAreFoundHidden) {
  auto grid = MakeGrid(4, 3);
  FillNamed(*grid);
  grid->ResetColumnOrder();
  EXPECT_EQ(grid->ColumnOrder()->Count(), 4);
  grid->HideColumn(2);
  EXPECT_EQ(grid->ColumnByHeader("2:0"), 2);
  EXPECT_EQ(grid->ColumnByHeader("3:0"), 3);
  EXPECT_EQ(grid->ColumnByHeader("2:1"), -1);
  EXPECT_EQ(grid->ColumnByHeader("2:"), -1);
}

}  // namespace

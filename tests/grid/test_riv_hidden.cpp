// Hidden columns and rows: the index mapping both ways, and hiding and showing that keeps
// every text, height and cell property where it belongs.
#include <gtest/gtest.h>

#include "RivGridFixture.h"

using namespace rivgrid;

namespace {

std::vector<String> HiddenFirstColumn(TRivErodovOzar& Grid) {
  std::vector<String> texts;
  for (int r = 0; r < Grid.RowCount(); ++r) texts.push_back(Grid.Cells(0, r));
  return texts;
}

std::vector<String> HiddenNamed(std::initializer_list<int> Rows) {
  std::vector<String> texts;
  for (int r : Rows) texts.push_back("r" + IntToStr(r));
  return texts;
}

TEST(RivHidden, ColumnIndexesMapBothWays) {
  auto grid = MakeGrid(6, 4);
  grid->HideColumn(1);
  grid->HideColumn(3);
  EXPECT_EQ(grid->ColCount(), 4);
  EXPECT_EQ(grid->AllColCount(), 6);
  EXPECT_EQ(grid->NumHiddenColumns(), 2);
  struct Case {
    int Index, Real, Displ;
  };
  for (Case c : {Case{0, 0, 0}, Case{1, 2, 1}, Case{2, 4, 1}, Case{3, 5, 2}, Case{4, 6, 2}, Case{600, 600, 600}}) {
    EXPECT_EQ(grid->RealColIndex(c.Index), c.Real) << c.Index;
    EXPECT_EQ(grid->DisplColIndex(c.Index), c.Displ) << c.Index;
  }
  EXPECT_TRUE(grid->IsHiddenColumn(3));
  EXPECT_FALSE(grid->IsHiddenColumn(600));
}

TEST(RivHidden, HiddenColumnsKeepTheirCellsAndWidths) {
  auto grid = MakeGrid(5, 4);
  FillNamed(*grid);
  grid->SetColWidths(2, 77);
  grid->SetColWidths(3, 33);
  grid->HideColumns(2, 2);
  EXPECT_EQ(grid->ColWidths(2), 33);  // the next column moved into the place
  grid->SetCells(2, 1, "written while hidden");
  grid->HideColumn(2);  // already hidden: nothing
  EXPECT_EQ(grid->NumHiddenColumns(), 1);
  grid->UnHideColumnsAll();
  EXPECT_EQ(grid->ColCount(), 5);
  EXPECT_EQ(grid->ColWidths(2), 77);
  EXPECT_EQ(grid->ColWidths(3), 33);
  EXPECT_EQ(grid->Cells(2, 1), "written while hidden");
  EXPECT_EQ(grid->Cells(3, 1), "3:1");
  // The last visible column is never hidden.
  auto narrow = MakeGrid(2, 2);
  narrow->HideColumns(0, 1);
  EXPECT_EQ(narrow->ColCount(), 1);
}

TEST(RivHidden, HidingARunOfRowsAndShowingItAgain) {
  auto grid = MakeGrid(3, 10);
  FillNamed(*grid);
  grid->SetRowHeights(3, 40);
  grid->SetRowHeights(5, 50);
  grid->HideRows(2, 4);
  EXPECT_EQ(grid->RowCount(), 7);
  EXPECT_EQ(grid->AllRowCount(), 10);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 5, 6, 7, 8, 9}));
  EXPECT_EQ(grid->RealRowIndex(2), 5);
  EXPECT_EQ(grid->RealRowIndex(1), 1);
  EXPECT_EQ(grid->DisplRowIndex(5), 2);
  EXPECT_EQ(grid->RowHeights(2), 50);
  EXPECT_TRUE(grid->IsHiddenRow(3));
  EXPECT_EQ(grid->GetAllCell(2, 3), "2:3");
  EXPECT_EQ(grid->GetAllCell(2, 5), "2:5");
  grid->HideRows(2, 4);  // all hidden already
  EXPECT_EQ(grid->RowCount(), 7);

  grid->UnHideRows(2, 4);
  EXPECT_EQ(grid->RowCount(), 10);
  EXPECT_EQ(grid->NumHiddenRows(), 0);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(grid->Cells(2, 3), "2:3");
  EXPECT_EQ(grid->RowHeights(3), 40);
  EXPECT_EQ(grid->RowHeights(5), 50);
}

TEST(RivHidden, ShowingARunStartsOnlyAtAHiddenRowAndPutsEachRowInItsPlace) {
  auto grid = MakeGrid(2, 10);
  FillNamed(*grid);
  grid->HideRows(2, 3);
  grid->UnHideRows(4, 4);
  EXPECT_EQ(grid->RowCount(), 8);
  grid->UnHideRows(2, 4);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

  // Separate runs, hidden one row at a time and by runs, come back all at once.
  grid->HideRow(7);
  grid->HideRows(1, 2);
  grid->HideRow(5);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 3, 4, 6, 8, 9}));
  EXPECT_EQ(grid->RealRowIndex(3), 6);
  grid->UnHideRow(5);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 3, 4, 5, 6, 8, 9}));
  grid->UnHideRowsAll();
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(RivHidden, HiddenRowsCarryTheirCellPropertiesAndHiddenColumns) {
  auto grid = MakeGrid(4, 6);
  FillNamed(*grid);
  grid->HideColumn(3);
  TCellGraphic* g = grid->CreateCellGraphic(1, 2);
  grid->HideRow(2);
  EXPECT_EQ(grid->GetCellGraphic(1, 2), nullptr);  // row 3 is shown there now
  grid->UnHideRow(2);
  EXPECT_EQ(grid->GetCellGraphic(1, 2), g);
  grid->UnHideColumn(3);
  EXPECT_EQ(grid->Cells(3, 2), "3:2");
}

TEST(RivHidden, HideRowsExAppendsAndShowsBack) {
  auto grid = MakeGrid(2, 8);
  FillNamed(*grid);
  grid->HideRow(6);
  grid->HideRowsEx(2, 3);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 4, 5, 7}));
  EXPECT_TRUE(grid->IsHiddenRow(6));  // hiding moves no other hidden row
  grid->HideRowsEx(2, 2);             // first row hidden already: nothing
  EXPECT_EQ(grid->RowCount(), 5);
  grid->UnHideRowsAll();
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(RivHidden, FilterLevelsUndoneInReverseGiveTheOrderBack) {
  auto grid = MakeGrid(2, 10);
  FillNamed(*grid);
  grid->SetRowHeights(4, 30);
  grid->HideRowList({2, 4, 5});
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 3, 6, 7, 8, 9}));
  grid->HideRowList({1, 4});  // display rows: r1 and r7
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 3, 6, 8, 9}));
  EXPECT_EQ(grid->FilterLevel(), 2);
  grid->UnHideRowList();
  grid->SetFilterLevel(grid->FilterLevel() - 1);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 3, 6, 7, 8, 9}));
  grid->UnHideRowList();
  grid->SetFilterLevel(grid->FilterLevel() - 1);
  EXPECT_EQ(HiddenFirstColumn(*grid), HiddenNamed({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(grid->RowHeights(4), 30);
  EXPECT_EQ(grid->NumHiddenRows(), 0);
}

TEST(RivHidden, SettingTheRowReportsTheChangeOnce) {
  auto grid = MakeGrid(3, 10);
  std::vector<std::pair<int, int>> updates;
  grid->OnRowUpdate = [&](TObject*, int OldRow, int NewRow) { updates.push_back({OldRow, NewRow}); };
  grid->SetRow(4);
  grid->SetRow(4);
  grid->SetRowEx(6);
  ASSERT_EQ(updates.size(), 2u);
  EXPECT_EQ(updates[1], (std::pair<int, int>{4, 6}));
  EXPECT_EQ(grid->Row(), 6);
}

}  // namespace

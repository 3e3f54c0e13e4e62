// The grid's column and row statistics, numbering and automatic sizing.
#include <gtest/gtest.h>

#include <memory>

#include "grid/model/RivErodovOzar.h"

namespace {

class Calc : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.reset(New<TRivErodovOzar>(nullptr));
    grid->SetColCount(3);
    grid->SetRowCount(5);
    grid->SetFixedRows(1);
    grid->SetFixedCols(1);
  }
  void Column(int ACol, std::vector<String> Texts) {
    for (size_t i = 0; i < Texts.size(); ++i) grid->SetCells(ACol, static_cast<int>(i) + 1, Texts[i]);
  }
  std::vector<String> ColumnTexts(int ACol) {
    std::vector<String> t;
    for (int r = 1; r < grid->RowCount(); ++r) t.push_back(grid->Cells(ACol, r));
    return t;
  }
  // A canvas with the grid's font.
  TCanvas* Measure() {
    bitmap.Canvas()->Font()->Assign(grid->Font());
    return bitmap.Canvas();
  }
  std::unique_ptr<TRivErodovOzar> grid;
  TBitmap bitmap{1, 1};
};

TEST_F(Calc, ColumnStatisticsSkipNonNumbers) {
  Column(1, {"1", "x", "2.5", ""});
  EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 1, 4), 3.5);
  EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, 1, 4), 0.875);
  EXPECT_DOUBLE_EQ(grid->ColumnAvg(1, 5, 4), 0);
  EXPECT_DOUBLE_EQ(grid->ColumnMax(1, 1, 4), 2.5);
  EXPECT_DOUBLE_EQ(grid->ColumnMin(1, 1, 4), 0);  // the empty cell reads 0
  Column(2, {"-3", "7", "", "2"});
  EXPECT_DOUBLE_EQ(grid->ColumnMin(2, 1, 2), -3);
  // The first cell must hold a number.
  try {
    grid->ColumnMin(1, 2, 4);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Cell does not contain a float value");
  }
  EXPECT_THROW(grid->ColumnMax(1, 2, 4), Exception);

  double seen = -1;
  grid->OnGroupCalc = [&](TObject*, int ACol, int From, int To, double& Res) {
    seen = ACol * 100 + From * 10 + To;
    Res = 42;
  };
  EXPECT_DOUBLE_EQ(grid->ColumnCustomCalc(1, 2, 3), 42);
  EXPECT_DOUBLE_EQ(seen, 123);
}

TEST_F(Calc, RowStatistics) {
  grid->SetColCount(5);
  for (int c = 1; c < 5; ++c) grid->SetCells(c, 2, std::vector<String>{"", "4", "y", "-1", "3"}[static_cast<size_t>(c)]);
  EXPECT_DOUBLE_EQ(grid->RowSum(2, 1, 4), 6);
  EXPECT_DOUBLE_EQ(grid->RowAvg(2, 1, 4), 1.5);
  EXPECT_DOUBLE_EQ(grid->RowMin(2, 1, 4), -1);
  EXPECT_DOUBLE_EQ(grid->RowMax(2, 1, 4), 4);
  // Empty or reversed ranges give 0 instead of dividing by nothing.
  EXPECT_DOUBLE_EQ(grid->RowSum(2, 4, 1), 0);
  EXPECT_DOUBLE_EQ(grid->RowAvg(2, 4, 1), 0);
  EXPECT_DOUBLE_EQ(grid->RowAvg(2, 3, 2), 0);
  EXPECT_THROW(grid->RowMin(2, 2, 4), Exception);
}

TEST_F(Calc, MergedCellsCountOnceAtTheirBase) {
  Column(1, {"1", "2", "4", "8"});
  grid->MergeCells(1, 2, 1, 2);  // rows 2 and 3 become one cell holding "2"
  EXPECT_DOUBLE_EQ(grid->ColumnSum(1, 1, 4), 11);
}

TEST_F(Calc, AutoNumbering) {
  grid->AutoNumberCol(0);
  EXPECT_EQ(ColumnTexts(0), (std::vector<String>{"1", "2", "3", "4"}));
  grid->AutoNumberDirection = sdDescending;
  grid->AutoNumberCol(0);
  EXPECT_EQ(ColumnTexts(0), (std::vector<String>{"4", "3", "2", "1"}));
  grid->AutoNumberDirection = sdAscending;
  Column(2, {"keep", "", "", ""});
  grid->AutoNumberStart = 1;
  grid->AutoNumberCol(2);
  EXPECT_EQ(ColumnTexts(2), (std::vector<String>{"keep", "2", "3", "4"}));
  grid->AutoNumberStart = 0;
  grid->AutoNumberOffset = 10;
  grid->AutoNumberRow(0);
  EXPECT_EQ(grid->Cells(1, 0), "11");
  EXPECT_EQ(grid->Cells(2, 0), "12");
}

TEST_F(Calc, ColumnSizingFollowsTheTextAndTheLimits) {
  grid->SetCells(1, 1, "a rather long text for one cell");
  grid->SetCells(1, 2, "short");
  grid->AutoSizeCol(1);
  const int fitted = grid->ColWidths(1);
  const int text = Measure()->TextWidth("a rather long text for one cell");
  EXPECT_EQ(fitted, 2 * 2 + text + 2 + 2);
  grid->AutoSizeCol(1, 10);
  EXPECT_EQ(grid->ColWidths(1), fitted + 10);

  grid->MaxColWidth = 50;
  grid->AutoSizeCol(1);
  EXPECT_EQ(grid->ColWidths(1), 50);
  grid->MaxColWidth = 0;

  // Grow only: a column wider than its text keeps its width.
  grid->SetColWidths(2, 300);
  grid->SizeGrowOnly = true;
  grid->AutoSizeColumns(false);
  EXPECT_EQ(grid->ColWidths(2), 300);
  grid->SizeGrowOnly = false;
  grid->AutoSizeColumns(false);
  EXPECT_LT(grid->ColWidths(2), 300);
}

TEST_F(Calc, RowSizingCountsLines) {
  grid->SetCells(1, 1, "one\r\ntwo\r\nthree");
  grid->AutoSizeRow(1);
  const int h = Measure()->TextHeight("gh");
  EXPECT_EQ(grid->RowHeights(1), 2 * 2 + 3 * h + 2);
  grid->SizeRowToLines(2, 2, 4);
  EXPECT_EQ(grid->RowHeights(2), 4 + 2 * (h + h / 8));
}

TEST_F(Calc, AutoFitColumnsFillsTheWidth) {
  grid->SetBounds(0, 0, 400, 300);
  grid->SetScrollBars(ssNone);
  for (int c = 0; c < 3; ++c) grid->SetColWidths(c, 50 + 10 * c);
  grid->AutoFitColumns(true);
  EXPECT_EQ(grid->ColWidths(0) + grid->ColWidths(1) + grid->ColWidths(2), 400);
  EXPECT_LT(grid->ColWidths(0), grid->ColWidths(2));  // proportions kept
  // Columns that fill the width exactly stay as they are.
  const std::vector<int> before{grid->ColWidths(0), grid->ColWidths(1), grid->ColWidths(2)};
  grid->AutoFitColumns(true);
  EXPECT_EQ((std::vector<int>{grid->ColWidths(0), grid->ColWidths(1), grid->ColWidths(2)}), before);
}

}  // namespace

// The grid routines: real totals over the main grid's size, the row and value checks with their
// messages, and the copies between grids and integer arrays.
#include <memory>

#include "analysis/common/ZorvanHelpersGrid.h"
#include "classlib/SysUtils.h"
#include "support/ProgramFixture.h"

namespace {

class GridHelpers : public ProgramTest {
 protected:
  static void SetMainGridSize(int cols, int rows) {
    Zorvan->MainGrid->SetColCount(cols);
    Zorvan->MainGrid->SetRowCount(rows);
  }
  // Data rows (titles added) into a plain grid owned by the main window.
  static TStringGrid* DataGrid(const std::vector<std::vector<String>>& rows) {
    auto* g = New<TStringGrid>(Zorvan);
    g->SetRowCount(static_cast<int>(rows.size()) + 1);
    g->SetColCount(static_cast<int>(rows[0].size()) + 1);
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c)
        g->SetCells(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
    return g;
  }
  static const std::vector<String>& Messages() { return Application->Hooks.Messages; }
};

TEST_F(GridHelpers, RealMarginsCoverTheMainGridsDataSize) {
  SetMainGridSize(3, 3);  // 2 sites, 2 species
  Real_Matrix m(4, 4);
  m[1][1] = 0.5;
  m[2][1] = 0.25;
  m[1][2] = 2;
  m[3][3] = 99;  // outside the grid: neither counted nor touched
  CalculateMargins_Real(m);
  EXPECT_DOUBLE_EQ(m[0][1], 0.75);
  EXPECT_DOUBLE_EQ(m[0][2], 2);
  EXPECT_DOUBLE_EQ(m[1][0], 2.5);
  EXPECT_DOUBLE_EQ(m[2][0], 0.25);
  EXPECT_DOUBLE_EQ(m[0][0], 2.75);
  EXPECT_EQ(m[3][0], 0);
  EXPECT_EQ(m[0][3], 0);

  SetMainGridSize(1, 3);  // no data column: nothing changes
  Real_Matrix before = m;
  CalculateMargins_Real(m);
  EXPECT_EQ(m, before);

  SetMainGridSize(5, 3);
  EXPECT_THROW(CalculateMargins_Real(m), ERangeError);
  Real_Matrix huge(2, 3);
  SetMainGridSize(2, 3);
  huge[1][1] = huge[1][2] = 1e308;
  EXPECT_THROW(CalculateMargins_Real(huge), EOverflow);
}

TEST_F(GridHelpers, RowTotalCheckStopsAtTheFirstRowNotAboveZero) {
  struct Case {
    std::vector<double> totals;  // rows 1..n
    bool passes;
    int nonZeroRows, rowError;
    std::vector<String> messages;
  };
  const Case cases[] = {
      {{1, 2, 0, 4, 0}, false, -1, 3, {"Non Zero Row = 3 ; aborting simulation."}},
      {{-0.5, 1}, false, -1, 1, {"Non Zero Row = 1 ; aborting simulation."}},
      {{1, 2, 0.001}, true, 3, 0, {}},
  };
  for (const Case& c : cases) {
    Application->Hooks.Messages.clear();
    const int rows = static_cast<int>(c.totals.size());
    SetMainGridSize(2, rows + 1);
    Real_Matrix m(2, rows + 1);
    for (int r = 1; r <= rows; ++r) m[0][r] = c.totals[static_cast<size_t>(r - 1)];
    Zorvan->RowError = 77;  // left from an earlier run
    EXPECT_EQ(CheckRowTotals_Real(m), c.passes);
    EXPECT_EQ(Zorvan->NonZeroRows, c.nonZeroRows);
    EXPECT_EQ(Zorvan->RowError, c.rowError);
    EXPECT_EQ(Messages(), c.messages);
  }
  SetMainGridSize(2, 6);
  EXPECT_THROW(CheckRowTotals_Real(Real_Matrix(2, 3)), ERangeError);
}

TEST_F(GridHelpers, PositiveIntegerCheck) {
  struct Case {
    std::vector<std::vector<String>> cells;
    bool passes;
    std::vector<String> messages;
  };
  const Case cases[] = {
      {{{" 7", "1"}, {"+3", "2147483647"}}, true, {}},
      {{{"1", "2.5"}}, false, {}},
      {{{"7 ", "1"}}, false, {}},
      {{{"1", ""}}, false, {}},
      {{{"1", "2"}, {"3", "-1"}}, false, {"Non-positive integer @ Row 2 Col 2"}},
      // Rows are visited first: row 1's bad cell is found before row 2's.
      {{{"1", "0"}, {"-5", "1"}}, false, {"Non-positive integer @ Row 1 Col 2"}},
      {{{"1", "x"}, {"0", "1"}}, false, {}},
  };
  for (const Case& c : cases) {
    Application->Hooks.Messages.clear();
    TStringGrid* g = DataGrid(c.cells);
    g->SetCells(0, 0, "0");  // titles are not data
    g->SetCells(1, 0, "-1");
    EXPECT_EQ(CheckPositiveIntegers(g), c.passes) << c.cells[0][0] << c.cells[0][1];
    EXPECT_EQ(Messages(), c.messages);
  }
}

TEST_F(GridHelpers, PositiveRealCheckReadsTheRegionalSeparatorAndNamesTheCell) {
  TStringGrid* ok = DataGrid({{"0.5", " 2 "}, {"1e-3", "3"}});
  ok->SetCells(0, 1, "-1");
  EXPECT_TRUE(CheckPositiveReals(ok));

  TStringGrid* zero = DataGrid({{"1", "2"}, {"0.0", "-4"}});
  EXPECT_FALSE(CheckPositiveReals(zero));
  EXPECT_EQ(Messages(), (std::vector<String>{"Non-positive real @ Row 2 Col 1"}));
  EXPECT_EQ(zero->Cells(1, 2), "0.0");

  // Text that is no number, an empty cell among them, is refused by name, not by the
  // runtime's conversion error.
  struct Case {
    std::vector<std::vector<String>> cells;
    const char* message;
  };
  for (const Case& k : {Case{{{"1", "abc"}}, "Not a real number @ Row 1 Col 2"},
                        Case{{{"1", "2"}, {"", "3"}}, "Not a real number @ Row 2 Col 1"},
                        Case{{{"2x"}}, "Not a real number @ Row 1 Col 1"}}) {
    Application->Hooks.Messages.clear();
    TStringGrid* text = DataGrid(k.cells);
    EXPECT_FALSE(CheckPositiveReals(text));
    EXPECT_EQ(Messages(), (std::vector<String>{k.message}));
  }

  FormatSettings.DecimalSeparator = ',';
  Application->Hooks.Messages.clear();
  const bool comma = CheckPositiveReals(DataGrid({{"0,5"}}));
  const bool period = CheckPositiveReals(DataGrid({{"0.5"}}));
  ResetFormatSettings();
  EXPECT_TRUE(comma);
  EXPECT_FALSE(period);
  EXPECT_EQ(Messages(), (std::vector<String>{"Not a real number @ Row 1 Col 1"}));
}

TEST_F(GridHelpers, DiversityLimitsTestRowsFirstAndShowOneMessage) {
  struct Case {
    int dataRows, dataCols;
    bool passes;
    std::vector<String> messages;
  };
  const Case cases[] = {
      {3400, 100, true, {}},
      {3401, 100, false, {"Species Diversity Row Count Maximum = 3400"}},
      {3400, 101, false, {"Species Diversity Column Count Maximum = 100"}},
      {3401, 101, false, {"Species Diversity Row Count Maximum = 3400"}},
  };
  for (const Case& c : cases) {
    Application->Hooks.Messages.clear();
    SetMainGridSize(c.dataCols + 1, c.dataRows + 1);
    EXPECT_EQ(CheckDiversityLimits(), c.passes);
    EXPECT_EQ(Messages(), c.messages);
  }
}

TEST_F(GridHelpers, CopiesBetweenGridsAndArrays) {
  auto* column = New<TStringGrid>(Zorvan);
  column->SetColCount(3);
  column->SetRowCount(3);
  IntegersToGridColumn({5, -2}, column);
  EXPECT_EQ(column->Cells(1, 1), "5");
  EXPECT_EQ(column->Cells(1, 2), "-2");
  EXPECT_EQ(column->Cells(1, 0), "");
  EXPECT_EQ(column->RowCount(), 3);

  TRivErodovOzar* main = Zorvan->MainGrid;
  SetMainGridSize(4, 3);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c) main->SetCells(c, r, IntToStr(10 * c + r));
  auto* g1 = New<TStringGrid>(Zorvan);
  auto* g2 = New<TStringGrid>(Zorvan);
  g1->SetRowCount(9);
  g1->SetColCount(5);
  CopyGridColumns(g1, g2, 3, 1);
  for (TStringGrid* g : {g1, g2}) {
    EXPECT_EQ(g->RowCount(), 3);
    for (int r = 0; r < 3; ++r) {
      EXPECT_EQ(g->Cells(0, r), IntToStr(r));
      EXPECT_EQ(g->Cells(1, r), IntToStr(30 + r));
      EXPECT_EQ(g->Cells(2, r), IntToStr(10 + r));
    }
  }
  EXPECT_EQ(g1->ColCount(), 5);

  auto* titles = New<TStringGrid>(Zorvan);
  titles->SetRowCount(5);
  titles->SetCells(0, 4, "kept");
  CopyRowTitles(titles);
  EXPECT_EQ(titles->ColTexts(0), (std::vector<String>{"0", "1", "2", "", "kept"}));

  std::vector<Integer> target{9, 9, 9};
  CopyIntegers({1, 2}, target);
  EXPECT_EQ(target, (std::vector<Integer>{1, 2, 9}));
  std::vector<Integer> tooShort{9};
  EXPECT_THROW(CopyIntegers({1, 2}, tooShort), ERangeError);
}

}  // namespace

// Grid routines of the ZorvanHelpers unit: totals of a real matrix laid out like the main
// window's data grid, the checks a launcher or run makes on grid values before an analysis,
// and the small copies between the main grid, result grids and integer arrays.
//
// They work on the main window's grid `MainGrid` and its run state through the global `Zorvan`.
// Data cells are columns 1..ColCount-1 and rows 1..RowCount-1; a matrix is indexed [column][row]
// like the cells, with the totals at index 0. The checks show their own message (at most one)
// and never change a grid.
#pragma once

#include <vector>

#include "analysis/common/MatrixTypes.h"
#include "classlib/Grids.h"
#include "classlib/Types.h"

// Species diversity's largest data matrix.
inline constexpr Integer kDiversityMaxRows = 3400;
inline constexpr Integer kDiversityMaxColumns = 100;

// Totals of M over the main grid's data size: [0][r] row totals, [c][0] column totals, [0][0]
// the grand total. Nothing changes when the grid has no data row or column. Raises ERangeError
// when M is smaller than the grid, EOverflow when a total is too large for a double.
void CalculateMargins_Real(Real_Matrix& M);

// Walks the species rows 1..RowCount-1 of the main grid while their totals M[0][r] (which must
// be current) are positive. All positive: NonZeroRows := the number of rows, RowError := 0 and
// the result is true. Otherwise, at the first row r that is not, shows
// "Non Zero Row = " + r + " ; aborting simulation.", sets NonZeroRows := -1, RowError := r and
// gives false; the caller stops its run. Raises ERangeError when M has fewer rows than the grid.
bool CheckRowTotals_Real(const Real_Matrix& M);

// Every data cell of Grid, row by row, must be a 32-bit integer text (blanks before it allowed,
// nothing after it) greater than 0. Text that is no such integer gives false silently; a value
// <= 0 shows "Non-positive integer @ Row " + r + " Col " + c and gives false.
bool CheckPositiveIntegers(TStringGrid* Grid);

// Every data cell of Grid, row by row, must be a number greater than 0, read with the regional
// decimal separator. Text that is not a number (an empty cell included) shows "Not a real
// number @ Row " + r + " Col " + c, a value <= 0 "Non-positive real @ Row " + r + " Col " + c;
// either gives false.
bool CheckPositiveReals(TStringGrid* Grid);

// The main grid's data size within species diversity's limits: more than kDiversityMaxRows
// data rows shows "Species Diversity Row Count Maximum = 3400", else more than
// kDiversityMaxColumns data columns "Species Diversity Column Count Maximum = 100"; false
// after either message.
bool CheckDiversityLimits();

// Cell (1, i + 1) of Grid := Values[i] in decimal, for every element; the grid's size is kept.
void IntegersToGridColumn(const std::vector<Integer>& Values, TStringGrid* Grid);

// G1 and G2 get the main grid's row count; in every row their columns 0, 1 and 2 get the main
// grid's column 0, column a and column b. Column counts are kept.
void CopyGridColumns(TStringGrid* G1, TStringGrid* G2, Integer a, Integer b);

// Column 0 of G := the main grid's column 0, every row of the main grid; G's size is kept.
void CopyRowTitles(TStringGrid* G);

// Target[i] := Source[i] for every element of Source; Target's further elements keep their
// values. Raises ERangeError when Target is shorter than Source.
void CopyIntegers(const std::vector<Integer>& Source, std::vector<Integer>& Target);

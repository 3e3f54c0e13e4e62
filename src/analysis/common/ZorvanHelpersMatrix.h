// Matrix routines of the ZorvanHelpers unit: totals, removal of empty species and sites, and
// the count of occupied species. They work on the sizes in info_Mat ([2] sites, [3] species),
// which the caller passes in, and shrink those sizes when they drop empty rows or columns.
// Sizes that do not fit a matrix raise ERangeError instead of reaching past its end.
#pragma once

#include "analysis/common/MatrixTypes.h"

// Totals of M over info_Mat[2] sites and info_Mat[3] species: [0][r] row totals, [c][0]
// column totals, [0][0] grand total. Nothing changes when either size is below 1; totals
// outside those sizes are not touched.
void CalculateMargins(Matrix& M, const InfoMat& info_Mat);

// The same over the given numbers of columns (sites) and rows (species).
void CalculateMargins_Size(Matrix& M, int32_t columns, int32_t rows);

// Copies the species rows of P whose total ([0][r], which must be current) is positive into
// rows 1, 2, ... of Q, in order, over info_Mat[2] sites; info_Mat[3] := their number. Q must
// be at least as large as P; its totals and its rows beyond the copied ones keep what they
// held, so the caller recomputes the totals.
void CopyNonEmptyRows(const Matrix& P, Matrix& Q, InfoMat& info_Mat);

// Drops the sites of M whose total ([c][0], which must be current) is 0: M becomes an
// info_Mat[0] x info_Mat[1] matrix holding the occupied sites in columns 1, 2, ... (species
// rows 1..info_Mat[3]) and zeros everywhere else, totals included; info_Mat[2] := the number
// of occupied sites. Works in place when M already has that size.
void RemoveEmptyColumns(Matrix& M, InfoMat& info_Mat);

// Number of species rows r = 1..rowCount-1 with a positive total M[0][r] (rowCount is the
// data grid's row count, titles included). The run stores it in NonZeroRows.
int32_t CountOccupiedRows(const Matrix& M, int32_t rowCount);

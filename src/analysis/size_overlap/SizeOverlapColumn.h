// Reading sizes from grids: the positive sizes of one column of the data grid, and the rows of
// the histogram editor's grid (species, size, colonization weight).
//
// A cell reads as its leading number ('.' decimals); text that is no number, and a number too
// large to be finite, count as 0, so they are no size.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/Grids.h"

double CellSize(const String& Text);

// Rows 1 .. RowCount - 1 of Grid whose cell in Column is a size above 0.
int32_t CountNonZeroRows(const TStringGrid* Grid, int Column);
// Those sizes, in row order.
void ColumnToSizes(const TStringGrid* Grid, int Column, std::vector<double>& Sizes);

// The histogram grid's species rows (1 .. RowCount - 1): column 1 the size, column 2 the weight.
void HistogramRows(const TStringGrid* Histogram, std::vector<double>& Sizes, std::vector<double>& Weights);
// The rows that can be drawn: size and weight above 0.
int32_t CountHistogramNonZeroRows(const TStringGrid* Histogram);

// The largest matrix an analysis takes, and the refusal of a matrix file that holds a larger
// one. Text and workbook opens check the same limit before the grid changes.
#pragma once

#include <cstdint>

#include "classlib/SysUtils.h"

// Data cells (the cells beyond the title row and column) of the largest matrix an analysis
// takes; no more data rows or data columns than that either.
inline constexpr int64_t kCellLimit = 440000;

// Why a grid of Rows x Cols cells (titles included) is over the limit: "it has more than
// 440,000 rows.", "... columns." or "... data cells."; empty when it fits.
String CellLimitExcess(int64_t Rows, int64_t Cols);

// A matrix file over the limit. Its message names the file and says why.
class EMatrixTooLarge : public EFOpenError {
 public:
  using EFOpenError::EFOpenError;
};

// Raises EMatrixTooLarge 'Cannot open file "<FileName>": <why>' when a grid of Rows x Cols
// (titles included) would be over the limit.
void CheckCellLimit(const String& FileName, int64_t Rows, int64_t Cols);

#include "app/MatrixCellLimit.h"

#include <algorithm>

String CellLimitExcess(int64_t Rows, int64_t Cols) {
  const int64_t dataRows = std::max<int64_t>(Rows - 1, 0);
  const int64_t dataCols = std::max<int64_t>(Cols - 1, 0);
  const String limit = "it has more than 440,000 ";
  // Too many rows or columns is the plainer reason, so it is named first.
  if (dataRows > kCellLimit) return limit + "rows.";
  if (dataCols > kCellLimit) return limit + "columns.";
  if (dataRows * dataCols > kCellLimit) return limit + "data cells.";
  return String();
}

void CheckCellLimit(const String& FileName, int64_t Rows, int64_t Cols) {
  const String why = CellLimitExcess(Rows, Cols);
  if (!why.empty()) throw EMatrixTooLarge("Cannot open file \"" + FileName + "\": " + why);
}

// Statistics over a column or a row, and automatic numbering.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

bool TRivErodovOzar::IsCalcCell(int ACol, int ARow, bool Hidden) {
  // A hidden row always counts; in a grouped grid the header and summary rows do not; merged
  // cells count once, at their base.
  if (!Hidden && FGroupColumn != -1 && (IsNode(ARow) || IsSummary(ARow))) return false;
  return ARow < 0 || IsBaseCell(ACol, ARow);
}

bool TRivErodovOzar::CellNumber(int ACol, int ARow, bool AllRows, double& Value) {
  try {
    Value = static_cast<double>(AllRows ? GetAllCellFloat(ACol, ARow) : GetCellFloat(ACol, ARow));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

// One walk for the column statistics (Stat 0 sum, 1 minimum, 2 maximum). A range reaching
// beyond the display rows is read by real row, hidden rows included.
double TRivErodovOzar::ColumnStat(int ACol, int fromRow, int toRow, int Stat, bool RealRows) {
  const int lastDisplay = FloatingFooterVisible ? RowCount() - 1 : RowCount();
  const bool realRows = RealRows || toRow > lastDisplay;
  double result = Stat == 0 ? 0.0 : static_cast<double>(GetCellFloat(ACol, fromRow));
  ExportNotification(esExportStart, fromRow);
  for (int r = fromRow; r <= toRow; ++r) {
    if (!IsCalcCell(ACol, realRows ? DisplRowIndex(r) : r, realRows && IsHiddenRow(r))) continue;
    ExportNotification(esExportNextRow, r);
    double value = 0;
    if (!CellNumber(ACol, r, realRows, value)) continue;
    if (Stat == 0) result += value;
    else if (Stat == 1) result = std::min(result, value);
    else result = std::max(result, value);
  }
  ExportNotification(esExportDone, -1);
  return result;
}

double TRivErodovOzar::ColumnSum(int ACol, int fromRow, int toRow) { return ColumnStat(ACol, fromRow, toRow, 0); }

double TRivErodovOzar::ColumnAvg(int ACol, int fromRow, int toRow) {
  if (toRow < fromRow) return 0;
  return ColumnSum(ACol, fromRow, toRow) / (toRow - fromRow + 1);
}

double TRivErodovOzar::ColumnMin(int ACol, int fromRow, int toRow) { return ColumnStat(ACol, fromRow, toRow, 1); }

double TRivErodovOzar::ColumnMax(int ACol, int fromRow, int toRow) { return ColumnStat(ACol, fromRow, toRow, 2); }

double TRivErodovOzar::ColumnCustomCalc(int ACol, int fromRow, int toRow) {
  double res = 0;
  if (OnGroupCalc) OnGroupCalc(this, ACol, fromRow, toRow, res);
  return res;
}

// Stat as in ColumnStat, across the base cells of a row.
double TRivErodovOzar::RowStat(int ARow, int fromCol, int toCol, int Stat) {
  double result = Stat == 0 ? 0.0 : static_cast<double>(GetCellFloat(fromCol, ARow));
  for (int c = fromCol; c <= toCol; ++c) {
    double value = 0;
    if (!IsBaseCell(c, ARow) || !CellNumber(c, ARow, false, value)) continue;
    if (Stat == 0) result += value;
    else if (Stat == 1) result = std::min(result, value);
    else result = std::max(result, value);
  }
  return result;
}

double TRivErodovOzar::RowSum(int ARow, int fromCol, int toCol) {
  if (toCol < fromCol) return 0;
  return RowStat(ARow, fromCol, toCol, 0);
}

double TRivErodovOzar::RowAvg(int ARow, int fromCol, int toCol) {
  if (toCol < fromCol) return 0;
  return RowSum(ARow, fromCol, toCol) / (toCol - fromCol + 1);
}

double TRivErodovOzar::RowMin(int ARow, int fromCol, int toCol) { return RowStat(ARow, fromCol, toCol, 1); }

double TRivErodovOzar::RowMax(int ARow, int fromCol, int toCol) { return RowStat(ARow, fromCol, toCol, 2); }

void TRivErodovOzar::AutoNumberCol(int ACol) {
  if (RowCount() <= 0) return;
  const int first = FixedRows() + AutoNumberStart;
  const int last = RowCount() - FixedFooters() - 1;
  for (int r = first; r <= last; ++r) {
    const int number = r - FixedRows() + 1 + AutoNumberOffset;
    const int target = AutoNumberDirection == sdAscending ? r : last - (r - first);
    SetCellInteger(ACol, target, number);
  }
}

void TRivErodovOzar::AutoNumberRow(int ARow) {
  if (ColCount() <= 0) return;
  const int first = FixedCols() + AutoNumberStart;
  const int last = ColCount() - FixedRightCols() - 1;
  for (int c = first; c <= last; ++c) {
    const int number = c - FixedCols() + 1 + AutoNumberOffset;
    const int target = AutoNumberDirection == sdAscending ? c : last - (c - first);
    SetCellInteger(target, ARow, number);
  }
}

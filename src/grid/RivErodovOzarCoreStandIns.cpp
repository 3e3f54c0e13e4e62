// Core members the exchange code needs before the grid's core provides them.
#include "grid/RivErodovOzar.h"

int TRivErodovOzar::SaveStartCol() const { return SaveFixedCells ? 0 : FixedCols(); }
int TRivErodovOzar::SaveStartRow() const { return SaveFixedCells ? 0 : FixedRows(); }
int TRivErodovOzar::SaveEndCol() const { return SaveFixedCells ? ColCount() - 1 : ColCount() - FixedRightCols() - 1; }
int TRivErodovOzar::SaveEndRow() const { return SaveFixedCells ? RowCount() - 1 : RowCount() - FixedFooters() - 1; }

long double TRivErodovOzar::GetCellFloat(int ACol, int ARow) {
  const String s = Trim(Cells(ACol, ARow));
  if (s.empty()) return 0;
  Extended value = 0;
  if (!TryStrToFloat(s, value, TFormatSettings::Invariant())) throw Exception("Cell does not contain a float value");
  return value;
}

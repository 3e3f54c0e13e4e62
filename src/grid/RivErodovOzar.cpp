#include "grid/RivErodovOzar.h"

#include <algorithm>

TRivErodovOzar::TRivErodovOzar(TComponent* AOwner) : TBaseGrid(AOwner) {
  SetDefaultRowHeight(22);
  FNormalRowCount = RowCount();
  FMaxRowCount = RowCount();
}

void TRivErodovOzar::SetRowCount(int Value) {
  TBaseGrid::SetRowCount(Value);
  FMaxRowCount = std::max(FMaxRowCount, RowCount());
  FNormalRowCount = RowCount();
}

void TRivErodovOzar::SetColCount(int Value) { TBaseGrid::SetColCount(Value); }

void TRivErodovOzar::SetRowEx(int ARow) {
  if (Col() >= ColCount() || Col() < FixedCols()) SetCol(FixedCols());
  SetRow(ARow);
}

void TRivErodovOzar::Clear() { ClearAllTexts(); }


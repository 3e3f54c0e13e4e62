// Core members the exchange code needs before the grid's core provides them.
#include "grid/RivErodovOzar.h"

int TRivErodovOzar::SaveStartCol() const { return SaveFixedCells ? 0 : FixedCols(); }
int TRivErodovOzar::SaveStartRow() const { return SaveFixedCells ? 0 : FixedRows(); }
int TRivErodovOzar::SaveEndCol() const { return SaveFixedCells ? ColCount() - 1 : ColCount() - FixedRightCols() - 1; }
int TRivErodovOzar::SaveEndRow() const { return SaveFixedCells ? RowCount() - 1 : RowCount() - FixedFooters() - 1; }

// The grids' painting.
#include "classlib/Grids.h"

// Visits the visible cells row by row, top to bottom, left to right, fixed cells included.
void TCustomGrid::Paint() {
  TGridRect sel = Selection();
  for (int r = 0; r < FRowCount; ++r) {
    if (RowStart(r) < 0) continue;
    for (int c = 0; c < FColCount; ++c) {
      TRect rect = CellRect(c, r);
      if (rect.Width() <= 0 && rect.Height() <= 0) continue;
      TGridDrawState state;
      if (c < FFixedCols || r < FFixedRows) state += gdFixed;
      else if (sel.Contains(c, r)) state += gdSelected;
      if (c == FCurrent.X && r == FCurrent.Y) state += gdFocused;
      DrawCell(c, r, rect, state);
    }
  }
}

void TCustomGrid::DrawFocusRect(const TRect&) {}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

// Disjunct cell selection (MouseActions.DisjunctCellSelect): cells picked one by one with
// Space or a click, Ctrl adding or removing a cell, kept in FSelectedCells as
// row * 65536 + column; the key release (Space) and the mouse release share these steps.
#include "grid/model/RivErodovOzar.h"

bool TRivErodovOzar::PickDisjunctCell(TPoint B, bool Ctrl) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, B.X, B.Y, canSelect);
  if (!canSelect) return false;
  const int packed = B.Y * 65536 + B.X;
  int at = -1;
  for (int i = 0; i < FSelectedCells->Count() && at < 0; ++i)
    if (FSelectedCells->Items(i) == packed) at = i;
  if (Ctrl) {
    if (at >= 0)
      FSelectedCells->Delete(at);
    else
      FSelectedCells->Add(packed);
    return true;
  }
  for (int i = 0; i < FSelectedCells->Count(); ++i) {
    const int cell = FSelectedCells->Items(i);
    RepaintCell(cell & 0xFFFF, cell >> 16);
  }
  FSelectedCells->Clear();
  FSelectedCells->Add(packed);
  return true;
}

void TRivErodovOzar::AddSelectionToDisjunctCells(TPoint B) {
  const TGridRect sel = Selection();
  if (sel.Left == sel.Right && sel.Top == sel.Bottom) return;
  for (int c = sel.Left; c <= sel.Right; ++c)
    for (int r = sel.Top; r <= sel.Bottom; ++r)
      if (c != B.X || r != B.Y) FSelectedCells->Add(r * 65536 + c);
  for (int i = 0; i < FSelectedCells->Count(); ++i) {
    const int cell = FSelectedCells->Items(i);
    RepaintCell(cell & 0xFFFF, cell >> 16);
  }
}

// A release on a cell: its base cell joins (Ctrl: toggles), with Shift it is only asked;
// a release on a fixed cell without Ctrl empties the list. False when OnSelectCell refused.
bool TRivErodovOzar::DisjunctCellRelease(TShiftState Shift, int X, int Y) {
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (ACol < 0 || ARow < 0) return true;
  const TPoint base = BaseCell(ACol, ARow);
  const bool ctrl = Shift.Contains(ssCtrl);
  if (IsFixed(base.X, base.Y)) {
    if (!ctrl) {
      FSelectedCells->Clear();
      Invalidate();
    }
    return true;
  }
  if (Shift.Contains(ssShift)) {
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(this, base.X, base.Y, canSelect);
    if (!canSelect) return false;
  } else if (!PickDisjunctCell(base, ctrl)) {
    return false;
  }
  AddSelectionToDisjunctCells(base);
  RepaintCell(ACol, ARow);
  return true;
}

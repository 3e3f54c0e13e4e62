// The selection resizer: with SelectionRectangle and SelectionResizer, a press on the small
// handle at the bottom-right corner of the selection drags the selection larger, and at the
// release the cells it held are repeated over the new area. The cells travel through the
// grid's own buffer: the user's clipboard is left as it was.
#include "grid/model/RivErodovOzar.h"

namespace {
constexpr int kResizerHandle = 6;
}  // namespace

bool TRivErodovOzar::OverSelectionResizer(int X, int Y) {
  if (!SelectionResizer || !SelectionRectangle) return false;
  const TGridRect sel = Selection();
  const TRect r = CellRect(sel.Right, sel.Bottom);
  if (r.Width() <= 0 || r.Height() <= 0) return false;
  return X >= r.Right - kResizerHandle && X < r.Right && Y >= r.Bottom - kResizerHandle && Y < r.Bottom;
}

// A press on the handle: the selection and its cells are kept, and the grid selects from the
// selection's top-left cell while the button is held.
bool TRivErodovOzar::StartSelectionResize(int X, int Y) {
  if (!OverSelectionResizer(X, Y)) return false;
  const TGridRect sel = Selection();
  FDropSelection = sel;
  FResizeCells.assign(static_cast<size_t>(sel.Bottom - sel.Top + 1), {});
  for (int r = sel.Top; r <= sel.Bottom; ++r)
    for (int c = sel.Left; c <= sel.Right; ++c)
      FResizeCells[static_cast<size_t>(r - sel.Top)].push_back(Cells(RealColIndex(c), r));
  FMouseResize = true;
  FMouseSelectMode = msResize;
  if (!Options().Contains(goEditing) && !MouseActions()->RangeSelectAndEdit)
    TBaseGrid::MouseDown(mbLeft, TShiftState(), X, Y);
  SetSelection(sel);
  FGridState = gsSelecting;
  HandleMouseMove(TShiftState{ssLeft}, X, Y);
  return true;
}

// The release: the kept cells are repeated over the new selection, row by row and column by
// column, with the edit checks off.
void TRivErodovOzar::EndSelectionResize() {
  if (!FMouseResize) return;
  const TGridRect orig = FDropSelection;
  const TGridRect sel = Selection();
  if (OnSelectionResize) OnSelectionResize(this, orig, sel);
  const int rows = static_cast<int>(FResizeCells.size());
  const int cols = rows > 0 ? static_cast<int>(FResizeCells[0].size()) : 0;
  struct Done {
    TRivErodovOzar* Grid;
    ~Done() {
      Grid->FMouseResize = false;
      Grid->FResizeCells.clear();
    }
  } done{this};
  if (rows > 0 && cols > 0) {
    {
      TUpdateBlock block(this);
      for (int r = sel.Top; r <= sel.Bottom; ++r)
        for (int c = sel.Left; c <= sel.Right; ++c) {
          const auto& row = FResizeCells[static_cast<size_t>((r - sel.Top) % rows)];
          SetCells(RealColIndex(c), r, row[static_cast<size_t>((c - sel.Left) % cols)]);
        }
    }
    DoCellsChanged(TRect(RealColIndex(sel.Left), sel.Top, RealColIndex(sel.Right), sel.Bottom));
  }
  if (OnSelectionResized) OnSelectionResized(this, orig, sel);
}

// Column stretching, the hooks after the counts, a column width or a row height changed
// (stretching again, scaling the other columns or rows after a border drag, the end-of-sizing
// events), the sizing-border test and the screen-to-cell conversion.
#include <cmath>

#include "classlib/Forms.h"
#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::InteractionCreated() {
  FDragScrollOptions = new TDragScrollOptions();
  ColumnSize()->OnStretch = [this](TObject*) { DoStretchColumn(ColumnSize()->StretchColumn); };
}

// The pan and drag-scroll timers are the grid's: they end with the grid.
void TRivErodovOzar::InteractionDestroyed() {
  StopDragScroll();
  delete FDragScrollOptions;
  FDragScrollOptions = nullptr;
  if (wheelpan && HandleAllocated()) {
    KillTimer(Handle(), PanTimerID);
    if (GetCapture() == Handle()) ReleaseCapture();
  }
  wheelpan = false;
}

void TRivErodovOzar::DoStretchColumn(int ACol) {
  if (IsStreaming() || IsDestroying() || Application->Terminated()) return;
  if (ACol == -1) ACol = ColCount() - 1;
  // Any index outside the columns is refused, negative ones too: they would widen nothing.
  if (ACol >= ColCount() || ACol < 0) throw ERivGridError("Stretch column index out of range");
  if (ColCount() == 0 || !ColumnSize()->Stretch() || FIsColChanging) return;
  FIsColChanging = true;
  ColchgFlg = false;
  struct Restore {
    TRivErodovOzar* Grid;
    ~Restore() {
      Grid->ColchgFlg = true;
      Grid->FIsColChanging = false;
    }
  } restore{this};
  const int client = ClientWidth();
  if (ColCount() == 1) {
    SetColWidths(ACol, client);
    return;
  }
  int others = 0;
  for (int c = 0; c < ColCount(); ++c)
    if (c != ACol) others += ColWidths(c);
  if (others < client)
    SetColWidths(ACol, client - others - 1);
  else if (LeftCol() == FixedCols())
    SetColWidths(ACol, DefaultColWidth());
}

void TRivErodovOzar::DoUpdateColumnSize(int ACol, int& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TRivErodovOzar::SizeChanged(int OldColCount, int OldRowCount) {
  if (Parent() != nullptr && !IsStreaming() && !Application->Terminated() && ColumnSize()->Stretch())
    DoStretchColumn(ColumnSize()->StretchColumn);
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TRivErodovOzar::ColWidthsChanged() {
  if (ColchgFlg && ColumnSize()->Stretch() && !FIsColChanging && ColumnSize()->StretchColumn < ColCount())
    DoStretchColumn(ColumnSize()->StretchColumn);
  TBaseGrid::ColWidthsChanged();
  ColSizeFlg = true;
  if (ColSized && MouseActions()->AllColumnSize && Colclickedsize > 0 && Colclicked >= 0 &&
      Colclicked < ColCount()) {
    const double f = static_cast<double>(ColWidths(Colclicked)) / Colclickedsize;
    ColSized = false;
    for (int c = FixedCols(); c < ColCount(); ++c)
      if (c != Colclicked) SetColWidths(c, static_cast<int>(std::lround(ColWidths(c) * f)));
    ColSized = true;
  }
  if (ColSized) {
    ColSized = false;
    if (OnEndColumnSize) OnEndColumnSize(this, Colclicked);
    if (Colclicked >= 0 && Colclicked < ColCount()) {
      int w = ColWidths(Colclicked);
      const int before = w;
      DoUpdateColumnSize(Colclicked, w);
      if (w != before) SetColWidths(Colclicked, w);
    }
    Colclicked = -1;
    Rowclicked = -1;
  }
}

void TRivErodovOzar::RowHeightsChanged() {
  TBaseGrid::RowHeightsChanged();
  if (Rowsized && MouseActions()->AllRowSize && Rowclickedsize > 0 && Rowclicked >= 0 &&
      Rowclicked < RowCount()) {
    const double f = static_cast<double>(RowHeights(Rowclicked)) / Rowclickedsize;
    Rowsized = false;
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (r != Rowclicked) SetRowHeights(r, static_cast<int>(std::lround(RowHeights(r) * f)));
    Rowsized = true;
  }
  if (Rowsized) {
    Rowsized = false;
    if (OnEndRowSize) OnEndRowSize(this, Rowclicked);
    Colclicked = -1;
    Rowclicked = -1;
  }
}

// Within 3 pixels of a cell's left or right edge on the fixed rows (column sizing), or of its
// top or bottom edge on the fixed columns (row sizing).
bool TRivErodovOzar::IsOnSizingBorder(int X, int Y) {
  int c = -1;
  int r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return false;
  const TRect rc = CellRect(c, r);
  bool result = false;
  if (r < FixedRows() && Options().Contains(goColSizing))
    result = std::abs(X - rc.Left) <= 3 || std::abs(X - rc.Right) <= 3;
  if (c < FixedCols() && Options().Contains(goRowSizing))
    result = std::abs(Y - rc.Top) <= 3 || std::abs(Y - rc.Bottom) <= 3;
  return result;
}

void TRivErodovOzar::ScreenToCell(TPoint pt, int& ACol, int& ARow) {
  const TPoint p = ScreenToClient(pt);
  MouseToCell(p.X, p.Y, ACol, ARow);
}

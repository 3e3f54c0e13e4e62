// The mouse hooks of the grid: hover rows and hovered fixed cells, the header selection modes
// and their cursors, dragging whole rows or columns, links under the mouse, and sizing a
// column or row by its border in the fixed area (the platform grid has no sizing of its own).
#include "classlib/Cursors.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/interaction/GridCursorResources.h"
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) { HandleMouseDown(Button, Shift, X, Y); }
void TRivErodovOzar::MouseMove(TShiftState Shift, int X, int Y) { HandleMouseMove(Shift, X, Y); }
void TRivErodovOzar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) { HandleMouseUp(Button, Shift, X, Y); }

bool TRivErodovOzar::IsHoverFixedCell(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const bool fixedCol = ACol < FixedCols();
  const bool fixedRow = ARow < FixedRows();
  switch (HoverFixedCells) {
    case hfAll: return fixedCol || fixedRow;
    case hfFixedRows: return fixedRow;
    case hfFixedColumns: return fixedCol;
    default: return false;
  }
}

void TRivErodovOzar::ResetFixedCellHighlight() {
  FNoMouseLeave = false;
  if (HoverFixedCells != hfNone && FHoverFixedX >= 0) {
    const int c = FHoverFixedX;
    const int r = FHoverFixedY;
    FHoverFixedX = -1;
    FHoverFixedY = -1;
    RepaintCell(c, r);
  }
}

void TRivErodovOzar::HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (Button == mbLeft && MouseActions()->RangeSelectAndEdit && !MouseActions()->EditOnDblClickOnly() && ACol >= 0) {
    if (!Options().Contains(goEditing) && ACol == Col() && ARow == Row() && IsEditable(RealColIndex(ACol), ARow)) {
      SetOptions(Options() + goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      ShowInplaceEdit();
      return;
    }
    if (Options().Contains(goEditing) && Shift.Contains(ssShift) && !(ACol == Col() && ARow == Row())) {
      SetOptions(Options() - goEditing);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  // The press of a double click on a border autosizes (the double-click handler); it starts
  // no drag.
  if (Button == mbLeft && !Shift.Contains(ssDouble) && StartBorderSizing(X, Y)) {
    if (CanFocus() && !Focused()) SetFocus();
    return;
  }
  // A press on a node's expand mark opens or closes the node and selects nothing.
  if (Button == mbLeft && ACol == 0 && !Shift.Contains(ssDouble) && IsNode(ARow) && IsInNodeGlyph(ARow, X)) {
    ToggleNode(ARow);
    return;
  }
  FEditStart = true;
  TBaseGrid::MouseDown(Button, Shift, X, Y);
  FEditStart = false;
  if ((Button == mbLeft && FixedCellEditPress(fceLeftClick, X, Y)) ||
      (Button == mbRight && FixedCellEditPress(fceRightClick, X, Y)))
    return;
  if (SyncGrid()->Grid() != nullptr) {
    if (SyncGrid()->SelectionColumn) SyncGrid()->Grid()->SetCol(Col());
    if (SyncGrid()->SelectionRow) SyncGrid()->Grid()->SetRow(Row());
  }
}

void TRivErodovOzar::HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FGridState == gsColSizing || FGridState == gsRowSizing) {
    // A release beyond the grid cancels the sizing: the border goes back.
    if ((FGridState == gsColSizing && X > Width()) || (FGridState == gsRowSizing && Y > Height())) {
      if (FGridState == gsColSizing) SetColWidths(FSizingIndex, Colclickedsize);
      else SetRowHeights(FSizingIndex, Rowclickedsize);
      FGridState = gsNormal;
      FSizingIndex = -1;
      FSizingHint.clear();
      return;
    }
    TrackBorderSizing(X, Y);
    EndBorderSizing();
    return;
  }
  if (Button == mbLeft && MouseActions()->DisjunctCellSelect() && !DisjunctCellRelease(Shift, X, Y)) return;
  const TGridRect before = Selection();
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  const TGridRect after = Selection();
  if (!(after == before)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
  if (Button == mbLeft) FilterDropDownRelease(X, Y);
}

bool TRivErodovOzar::StartBorderSizing(int X, int Y) {
  if (!IsOnSizingBorder(X, Y)) return false;
  int c = -1;
  int r = -1;
  MouseToCell(X, Y, c, r);
  const TRect rc = CellRect(c, r);
  if (r < FixedRows() && Options().Contains(goColSizing) && !(c < FixedCols() && Options().Contains(goRowSizing))) {
    // The border near the press belongs to the column left of it.
    const int col = std::abs(X - rc.Left) <= 3 && std::abs(X - rc.Right) > 3 ? c - 1 : c;
    if (col < 0) return false;
    bool allow = true;
    if (OnColumnSize) OnColumnSize(this, col, allow);
    if (!allow) return false;
    FSizingIndex = col;
    FSizingEdge = CellRect(col, r).Left;
    Colclicked = col;
    Colclickedsize = ColWidths(col);
    Clickposdx = X - CellRect(col, r).Right;
    FGridState = gsColSizing;
  } else {
    const int row = std::abs(Y - rc.Top) <= 3 && std::abs(Y - rc.Bottom) > 3 ? r - 1 : r;
    if (row < 0) return false;
    FSizingIndex = row;
    FSizingEdge = CellRect(c, row).Top;
    Rowclicked = row;
    Rowclickedsize = RowHeights(row);
    Clickposdy = Y - CellRect(c, row).Bottom;
    FGridState = gsRowSizing;
  }
  HideInplaceEdit();
  SetCapture(Handle());
  ShowGridCursor(FGridState == gsColSizing ? crHSplit : crVSplit);
  return true;
}

void TRivErodovOzar::TrackBorderSizing(int X, int Y) {
  if (FSizingIndex < 0) return;
  if (FGridState == gsColSizing) {
    const int w = std::max(0, X - FSizingEdge - Clickposdx);
    if (w != ColWidths(FSizingIndex)) SetColWidths(FSizingIndex, w);
    if (OnColumnSizing) OnColumnSizing(this, FSizingIndex, w);
    if (HintShowSizing) FSizingHint = "cw=<b>" + IntToStr(w) + "</b>";
  } else {
    const int h = std::max(0, Y - FSizingEdge - Clickposdy);
    if (h != RowHeights(FSizingIndex)) SetRowHeights(FSizingIndex, h);
    if (OnRowSizing) OnRowSizing(this, FSizingIndex, h);
    if (HintShowSizing) FSizingHint = "rh=<b>" + IntToStr(h) + "</b>";
  }
}

// The drag is over: the scaling of the other columns (rows) and the end events run in the
// width (height) hook.
void TRivErodovOzar::EndBorderSizing() {
  const bool columns = FGridState == gsColSizing;
  FGridState = gsNormal;
  ReleaseCapture();
  FSizingIndex = -1;
  FSizingHint.clear();
  if (columns) {
    ColSized = true;
    ColWidthsChanged();
  } else {
    Rowsized = true;
    RowHeightsChanged();
  }
  ColSizeFlg = true;
}

void TRivErodovOzar::HandleMouseMove(TShiftState Shift, int X, int Y) {
  if (FGridState == gsColSizing || FGridState == gsRowSizing) {
    TrackBorderSizing(X, Y);
    return;
  }
  if (FMouseDownMove && MouseActions()->RangeSelectAndEdit && Options().Contains(goEditing) && !EditorMode())
    SetOptions(Options() - goEditing);
  const TGridRect before = Selection();
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const bool onCell = ACol >= 0 && ARow >= 0;
  if (onCell && HoverRow() && ARow != FHoverRowIdx) {
    const int old = FHoverRowIdx;
    FHoverRowIdx = ARow;
    if (old >= 0 && old < RowCount()) InvalidateRow(old);
    InvalidateRow(ARow);
  }
  if (HoverFixedCells != hfNone && !FNoMouseLeave) {
    const bool hover = IsHoverFixedCell(ACol, ARow);
    const int hx = hover ? ACol : -1;
    const int hy = hover ? ARow : -1;
    if (hx != FHoverFixedX || hy != FHoverFixedY) {
      if (FHoverFixedX >= 0) RepaintCell(FHoverFixedX, FHoverFixedY);
      FHoverFixedX = hx;
      FHoverFixedY = hy;
      if (hx >= 0) RepaintCell(hx, hy);
    }
  }
  // Dragging over the row (column) headers selects whole rows (columns).
  if (FMouseSelectStart >= 0 && FMouseDownMove && FMouseSelectMode == msRow && ARow >= FixedRows() &&
      ARow <= RowCount() - FixedFooters()) {
    SetSelection(TGridRect{FixedCols(), std::min(FMouseSelectStart, ARow), ColCount() - 1, std::max(FMouseSelectStart, ARow)});
    if (Y > Height() - 4 && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
    if (FixedRows() > 0 && Y < RowHeights(0) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
  }
  if (FMouseSelectStart >= 0 && FMouseDownMove && FMouseSelectMode == msColumn && ACol >= FixedCols()) {
    SetSelection(TGridRect{std::min(FMouseSelectStart, ACol), FixedRows(), std::max(FMouseSelectStart, ACol), RowCount() - 1});
  }
  // The header selection mode under the mouse, kept while a button is held.
  if (!FMouseDownMove) {
    const bool border = IsOnSizingBorder(X, Y);
    FMouseSelectMode = msNormal;
    if (onCell && ACol < FixedCols() && ARow < FixedRows() && MouseActions()->AllSelect)
      FMouseSelectMode = msAll;
    else if (onCell && ARow < FixedRows() && ACol >= FixedCols() && MouseActions()->ColSelect && !border)
      FMouseSelectMode = msColumn;
    else if (onCell && ACol < FixedCols() && ARow >= FixedRows() && MouseActions()->RowSelect && !border)
      FMouseSelectMode = msRow;
    if (OverSelectionResizer(X, Y)) FMouseSelectMode = msResize;
  }
  // Links under the mouse.
  String anchor;
  if (onCell) anchor = AnchorAt(ACol, ARow, X, Y);
  if (!anchor.empty() && anchor != FAnchor) {
    if (OnAnchorEnter) OnAnchorEnter(this, ARow, ACol, anchor);
    FAnchor = anchor;
  } else if (anchor.empty() && !FAnchor.empty()) {
    if (OnAnchorExit) OnAnchorExit(this, ARow, ACol, "");
    FAnchor.clear();
  }
  TBaseGrid::MouseMove(Shift, X, Y);
  if (Navigation()->KeepHorizScroll && FMouseDownMove && FOldKeepLeftCol >= 0 && LeftCol() != FOldKeepLeftCol) {
    StartUpdate();
    SetLeftCol(FOldKeepLeftCol);
    ResetUpdate();
  }
  HandleSetCursor();
  const TGridRect after = Selection();
  if (!(after == before)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

void TRivErodovOzar::HandleMouseLeave(TMessage&) {
  if (!FMouseDownMove) FMouseSelectMode = msNormal;
  if (!FNoMouseLeave && FHoverFixedX >= 0) {
    const int c = FHoverFixedX;
    const int r = FHoverFixedY;
    FHoverFixedX = -1;
    FHoverFixedY = -1;
    RepaintCell(c, r);
  }
  if (FHoverRowIdx >= 0) {
    const int old = FHoverRowIdx;
    FHoverRowIdx = -1;
    if (old < RowCount()) InvalidateRow(old);
  }
  if (!wheelpan) HandleSetCursor();
}

// The grid's cursor for where the mouse is: a header selection, the cell selector, a link, a
// sizing border, or the default.
void TRivErodovOzar::HandleSetCursor() {
  if (wheelpan) return;
  int cursor = crDefault;
  const bool sizing = FGridState == gsColSizing || FGridState == gsRowSizing;
  if (FMouseSelectMode != msNormal && !sizing) {
    if (FMouseSelectMode == msColumn) cursor = crColSelectCursor;
    else if (FMouseSelectMode == msRow) cursor = crRowSelectCursor;
    else if (FMouseSelectMode == msAll || FMouseSelectMode == msResize) cursor = crSelectAllCursor;
  } else if (CellSelectorMode) {
    cursor = crCellSelectorCursor;
  } else if (!FAnchor.empty()) {
    cursor = crLinkCursor;
  }
  if (sizing) {
    cursor = FGridState == gsColSizing ? crHSplit : crVSplit;
  } else if (FMouseInside && IsOnSizingBorder(FMousePos.X, FMousePos.Y)) {
    int c = -1;
    int r = -1;
    MouseToCell(FMousePos.X, FMousePos.Y, c, r);
    cursor = r < FixedRows() && Options().Contains(goColSizing) && !(c < FixedCols() && Options().Contains(goRowSizing))
                 ? crHSplit : crVSplit;
  }
  ShowGridCursor(cursor);
}

void TRivErodovOzar::ShowGridCursor(int CursorId) {
  if (CursorId > 0) RegisterGridCursorResources();
  FShownCursor = CursorId;
  ShowControlCursor(this, CursorId);
}

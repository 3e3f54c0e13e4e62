// Moving to and showing cells, repainting parts of the grid, the disjunct row, column and cell
// selections beside the selection rectangle, and the per-row modified and enabled flags.
#include <algorithm>
#include <cstdlib>

#include "grid/model/RivErodovOzar.h"

namespace {

// Grows a flag list with 0 entries to cover Index.
void Cover(TIntList& List, int Index) {
  while (List.Count() <= Index) List.Add(0);
}

int Flag(const TIntList& List, int Index) { return Index < List.Count() ? List.GetItem(Index) : 0; }

}  // namespace

// ---- Moving and showing ----

void TRivErodovOzar::GotoCell(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }

void TRivErodovOzar::FocusCell(int ACol, int ARow) { SetSelection(TGridRect{ACol, ARow, ACol, ARow}); }

void TRivErodovOzar::SelectCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
}

void TRivErodovOzar::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
  SetRow(ToRow);
  SetCol(ToCol);
  SelectCells(FromCol, FromRow, ToCol, ToRow);
}

void TRivErodovOzar::ScrollInView(int ColIndex, int RowIndex) {
  if (ColIndex >= ColCount() || RowIndex >= RowCount()) return;
  const int visibleCols = VisibleColCount();
  const int visibleRows = VisibleRowCount();
  int a = LeftCol();
  int b = TopRow();
  if (ColIndex < LeftCol() || ColIndex >= LeftCol() + visibleCols) {
    SetCol(ColIndex);
    a = std::max(ColIndex - visibleCols / 2, FixedCols());
  }
  if (RowIndex < TopRow() || RowIndex >= TopRow() + visibleRows) {
    SetRow(RowIndex);
    b = std::max(RowIndex - visibleRows / 2, FixedRows());
  }
  a = std::min(a, ColCount() - visibleCols + 1);
  if (FixedCols() + visibleCols < ColCount()) SetLeftCol(std::max(a, FixedCols()));
  b = std::min(b, RowCount() - visibleRows + 1);
  if (FixedRows() + visibleRows >= RowCount()) return;
  SetTopRow(std::max(b, FixedRows()));
}

void TRivErodovOzar::HideSelection() {
  FOldSelection = Selection();
  SelectCells(ColCount(), RowCount(), ColCount(), RowCount());
  FSelHidden = true;
}

void TRivErodovOzar::UnHideSelection() {
  FSelHidden = false;
  if (FOldSelection.Top < RowCount() && FOldSelection.Left < ColCount()) {
    SetSelection(FOldSelection);
    return;
  }
  // With every column (row) fixed there is no normal cell: the first cell takes its place.
  const int col = FixedCols() < ColCount() ? FixedCols() : 0;
  const int row = FixedRows() < RowCount() ? FixedRows() : 0;
  FocusCell(col, row);
}

// ---- Repainting ----

void TRivErodovOzar::RepaintRow(int ARow) {
  const TRect first = PlatformCellRect(0, ARow);
  const TRect last = PlatformCellRect(std::min(LeftCol() + VisibleColCount(), ColCount() - 1), ARow);
  InvalidateRect(Rect(first.Left, first.Top, last.Right, std::max(first.Bottom, last.Bottom)), false);
}

void TRivErodovOzar::RepaintCol(int ACol) {
  const TRect first = PlatformCellRect(ACol, TopRow());
  const TRect last = PlatformCellRect(ACol, std::min(TopRow() + VisibleRowCount(), RowCount() - 1));
  InvalidateRect(Rect(first.Left, first.Top, std::max(first.Right, last.Right), last.Bottom), false);
}

void TRivErodovOzar::RepaintRect(const TRect& R) {
  if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0) return;
  const TRect topLeft = CellRect(R.Left, R.Top);
  const TRect bottomRight = CellRect(R.Right, R.Bottom);
  if (topLeft.Width() <= 0 || topLeft.Height() <= 0 || bottomRight.Width() <= 0 || bottomRight.Height() <= 0) {
    Invalidate();
    return;
  }
  InvalidateRect(Rect(std::min(topLeft.Left, bottomRight.Left), std::min(topLeft.Top, bottomRight.Top),
                       std::max(topLeft.Right, bottomRight.Right), std::max(topLeft.Bottom, bottomRight.Bottom)),
                 true);
}

// ---- Disjunct selections ----

bool TRivErodovOzar::IsRowSelected(int ARow) {
  if (ARow < 0 || ARow >= AllRowCount()) throw ERivGridError("Invalid row accessed");
  if (MouseActions()->DisjunctRowSelect()) {
    Cover(*FRowSelect, ARow);
    return FRowSelect->GetItem(ARow) != 0;
  }
  const TGridRect s = Selection();
  return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TRivErodovOzar::SetRowSelected(int ARow, bool Select) {
  if (ARow < 0 || (ARow >= AllRowCount() && RowCount() > FixedRows())) throw ERivGridError("Invalid row accessed");
  if (ARow >= FRowSelect->Count() || (FRowSelect->GetItem(ARow) != 0) != Select) {
    bool allow = true;
    if (OnRowDisjunctSelect) OnRowDisjunctSelect(this, ARow, Select, allow);
    if (!allow) return;
  }
  Cover(*FRowSelect, ARow);
  const bool was = FRowSelect->GetItem(ARow) != 0;
  if (Select) {
    if (!was) RepaintRow(ARow);
    FRowSelect->PutItem(ARow, 1);
    if (!FSelectedRows->HasValue(ARow)) FSelectedRows->Add(ARow);
  } else {
    if (was) RepaintRow(ARow);
    FRowSelect->PutItem(ARow, 0);
    FSelectedRows->DeleteValue(ARow);
  }
  if (OnRowDisjunctSelected) OnRowDisjunctSelected(this, ARow);
}

bool TRivErodovOzar::IsColSelected(int ACol) {
  if (ACol < 0 || ACol >= ColCount()) throw ERivGridError("Invalid column accessed");
  Cover(*FColSelect, ACol);
  return FColSelect->GetItem(ACol) != 0;
}

void TRivErodovOzar::SetColSelected(int ACol, bool Select) {
  if (ACol < 0 || ACol >= ColCount()) throw ERivGridError("Invalid column accessed");
  Cover(*FColSelect, ACol);
  if ((FColSelect->GetItem(ACol) != 0) != Select) RepaintCol(ACol);
  FColSelect->PutItem(ACol, Select ? 1 : 0);
}

void TRivErodovOzar::SelectRows(int RowIndex, int RCount) {
  RCount = std::min(RCount, RowCount() - RowIndex);
  if (RCount <= 0) return;
  if (!MouseActions()->DisjunctRowSelect()) {
    SetSelection(TGridRect{FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1});
    return;
  }
  const bool persistent = MouseActions()->RowSelectPersistent;
  for (int r = RowIndex; r < RowIndex + RCount; ++r)
    if (r < RowCount()) SetRowSelected(persistent ? RealRowIndex(r) : r, true);
}

void TRivErodovOzar::UnSelectRows(int RowIndex, int RCount) {
  if (!MouseActions()->DisjunctRowSelect()) return;
  const bool persistent = MouseActions()->RowSelectPersistent;
  for (int r = std::max(RowIndex, 0); r < RowIndex + RCount && r < RowCount(); ++r)
    SetRowSelected(persistent ? RealRowIndex(r) : r, false);
}

void TRivErodovOzar::SelectCols(int ColIndex, int CCount) {
  CCount = std::min(CCount, ColCount() - ColIndex);
  if (CCount <= 0) return;
  if (!MouseActions()->DisjunctColSelect()) {
    SetSelection(TGridRect{ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1});
    return;
  }
  for (int c = ColIndex; c < ColIndex + CCount && c < ColCount(); ++c) SetColSelected(c, true);
}

void TRivErodovOzar::UnSelectCols(int ColIndex, int CCount) {
  if (!MouseActions()->DisjunctColSelect()) return;
  for (int c = std::max(ColIndex, 0); c < ColIndex + CCount && c < ColCount(); ++c) SetColSelected(c, false);
}

void TRivErodovOzar::ClearRowSelect() {
  for (int r = 0; r < FRowSelect->Count(); ++r)
    if (FRowSelect->GetItem(r) != 0) {
      FRowSelect->PutItem(r, 0);
      RepaintRow(r);
    }
  if (FSelectedRows->Count() > 0) FSelectedRows->Clear();
}

void TRivErodovOzar::ClearColSelect() {
  for (int c = 0; c < FColSelect->Count(); ++c)
    if (FColSelect->GetItem(c) != 0) {
      FColSelect->PutItem(c, 0);
      RepaintCol(c);
    }
}

void TRivErodovOzar::SelectionToRowSelect(bool AllRows) {
  const TGridRect s = Selection();
  const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
  const bool persistent = MouseActions()->RowSelectPersistent;
  const int first = AllRows ? FixedRows() : top;
  const int last = AllRows ? RowCount() - 1 : bottom;
  for (int r = first; r <= last; ++r) SetRowSelected(persistent ? RealRowIndex(r) : r, r >= top && r <= bottom);
  if (AllRowCount() > RowCount()) Invalidate();
}

void TRivErodovOzar::SelectionToColSelect(bool AllCols) {
  const TGridRect s = Selection();
  const int left = std::min(s.Left, s.Right), right = std::max(s.Left, s.Right);
  const int first = AllCols ? FixedCols() : left;
  const int last = AllCols ? ColCount() - 1 : right;
  for (int c = first; c <= last; ++c) SetColSelected(c, c >= left && c <= right);
}

bool TRivErodovOzar::IsSelected(int ACol, int ARow) {
  if (ACol < FixedCols() || ARow < FixedRows()) return false;
  if (MouseActions()->DisjunctCellSelect()) return FSelectedCells->HasValue(ARow * 65536 + ACol);
  if (MouseActions()->DisjunctRowSelect()) {
    const int r = MouseActions()->RowSelectPersistent ? RealRowIndex(ARow) : ARow;
    return r >= 0 && Flag(*FRowSelect, r) != 0;
  }
  if (MouseActions()->DisjunctColSelect()) return Flag(*FColSelect, ACol) != 0;
  const TGridRect s = Selection();
  return ACol >= std::min(s.Left, s.Right) && ACol <= std::max(s.Left, s.Right) &&
         ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TRivErodovOzar::ClearSelectedCells() {
  FocusCell(FixedCols(), FixedRows());
  FSelectedCells->Clear();
  Invalidate();
}

int TRivErodovOzar::RowSelectCount() {
  if (MouseActions()->DisjunctRowSelect()) {
    int n = 0;
    for (int r = 0; r < std::min(AllRowCount(), FRowSelect->Count()); ++r) n += FRowSelect->GetItem(r) != 0;
    return n;
  }
  const TGridRect s = Selection();
  return std::abs(s.Bottom - s.Top) + 1;
}

int TRivErodovOzar::ColSelectCount() {
  if (MouseActions()->DisjunctColSelect()) {
    int n = 0;
    for (int c = 0; c < FColSelect->Count(); ++c) n += FColSelect->GetItem(c) != 0;
    return n;
  }
  const TGridRect s = Selection();
  return s.Right - s.Left + 1;
}

int TRivErodovOzar::SelectedRowCount() {
  if (MouseActions()->DisjunctRowSelect()) return FSelectedRows->Count();
  const TGridRect s = Selection();
  if (IsMergedCell(s.Left, s.Top) && s.Bottom < s.Top + CellSpan(s.Left, s.Top).Y) return CellSpan(s.Left, s.Top).Y + 1;
  if (IsMergedCell(s.Left, s.Bottom)) return std::abs(s.Top - s.Bottom) + CellSpan(s.Left, s.Bottom).Y + 1;
  return std::abs(s.Top - s.Bottom) + 1;
}

int TRivErodovOzar::SelectedColCount() {
  if (MouseActions()->DisjunctColSelect()) return ColSelectCount();
  const TGridRect s = Selection();
  if (IsMergedCell(s.Left, s.Top) && s.Right < s.Left + CellSpan(s.Left, s.Top).X) return CellSpan(s.Left, s.Top).X + 1;
  if (IsMergedCell(s.Right, s.Top)) return std::abs(s.Left - s.Right) + CellSpan(s.Right, s.Top).X + 1;
  return std::abs(s.Left - s.Right) + 1;
}

int TRivErodovOzar::SelectedCellsCount() {
  if (!MouseActions()->DisjunctCellSelect()) {
    FSelectedCells->Clear();
    const TGridRect s = Selection();
    if (s.Left == s.Right && s.Top == s.Bottom) {
      FSelectedCells->Add(Row() * 65536 + Col());
    } else {
      for (int c = s.Left; c <= s.Right; ++c)
        for (int r = s.Top; r <= s.Bottom; ++r)
          if (!FSelectedCells->HasValue(r * 65536 + c)) FSelectedCells->Add(r * 65536 + c);
    }
  }
  return FSelectedCells->Count();
}

String TRivErodovOzar::SelectedText() {
  TGridRect s = Selection();
  if (Options().Contains(goRowSelect)) {
    s.Left = 0;
    s.Right = ColCount() - 1;
  }
  std::vector<int> rows;
  if (MouseActions()->DisjunctRowSelect()) {
    const bool persistent = MouseActions()->RowSelectPersistent;
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (Flag(*FRowSelect, persistent ? RealRowIndex(r) : r) != 0) rows.push_back(r);
  } else {
    for (int r = s.Top; r <= s.Bottom; ++r) rows.push_back(r);
  }
  String text;
  for (size_t i = 0; i < rows.size(); ++i) {
    for (int c = s.Left; c <= s.Right; ++c) {
      String cell = Cells(c, rows[i]);
      if (ExcelClipboardFormat && cell.find_first_of("\r\n") != String::npos) {
        // One quoted line holding the cell's line breaks, as spreadsheets paste it.
        String quoted = "\"";
        for (size_t k = 0; k < cell.size(); ++k) {
          if (cell[k] == '\r' && k + 1 < cell.size() && cell[k + 1] == '\n') continue;
          quoted += cell[k] == '"' ? String("\"\"") : String(1, cell[k] == '\r' ? '\n' : cell[k]);
        }
        cell = quoted + "\"";
      }
      if (c > s.Left) text += '\t';
      text += cell;
    }
    if (rows[i] != s.Bottom && i + 1 < rows.size()) text += "\r\n";
  }
  return text;
}

// ---- Row flags ----

void TRivErodovOzar::SetRowModified(int ARow, bool Modified) {
  if (ARow < 0) return;
  Cover(*FModifiedRows, ARow);
  FModifiedRows->PutItem(ARow, Modified ? 1 : 0);
  RepaintCell(0, ARow);
}

bool TRivErodovOzar::IsRowModified(int ARow) { return ARow >= 0 && Flag(*FModifiedRows, ARow) == 1; }

int TRivErodovOzar::ModifiedRowCount() {
  int n = 0;
  for (int r = 0; r < FModifiedRows->Count(); ++r) n += FModifiedRows->GetItem(r) == 1;
  return n;
}

void TRivErodovOzar::ClearModifiedRows() {
  FModifiedRows->Clear();
  Invalidate();
}

bool TRivErodovOzar::IsRowEnabled(int ARow) { return ARow < 0 || Flag(*FEnabledRows, ARow) == 0; }

void TRivErodovOzar::SetRowEnabled(int ARow, bool Enabled) {
  if (ARow < 0) return;
  Cover(*FEnabledRows, ARow);
  FEnabledRows->PutItem(ARow, Enabled ? 0 : 1);
  RepaintRow(ARow);
}

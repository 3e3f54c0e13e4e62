// Tab navigation of a grid that owns the Tab key (goTabs): Tab and Shift+Tab move through the
// cells that can take a tab stop, row by row or column by column, wrapping at the end of the
// grid, optionally appending a row there or handing the focus on to the next control, and
// open the editor of the cell they land on.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

int TRivErodovOzar::FirstTabColumn() { return FixedCols() == 0 && HasNodes() ? 1 : FixedCols(); }

int TRivErodovOzar::VisibleFixedRightCols() {
  int count = FFixedRightCols;
  for (int i = 0; i < FFixedRightCols; ++i)
    if (IsHiddenColumn(AllColCount() - 1 - i)) --count;
  return std::max(count, 0);
}

void TRivErodovOzar::GotoFirstRow() { SetRow(FixedRows()); }

// An editing grid stays one while the current cell is read-only (the grid takes goEditing out
// over such a cell and puts it back on the next editable one): its stops are the editable cells.
bool TRivErodovOzar::EditingGrid() const { return Options().Contains(goEditing) || FEditingTakenOut; }

bool TRivErodovOzar::CanTakeTabStop(int ACol, int ARow) {
  if (EditingGrid()) return IsEditable(RealColIndex(ACol), ARow);
  return !IsFixed(ACol, ARow);
}

int TRivErodovOzar::FirstTabStop(int ARow) {
  for (int c = 0; c < ColCount(); ++c)
    if (CanTakeTabStop(c, ARow)) return c;
  return -1;
}

int TRivErodovOzar::LastTabStop(int ARow) {
  for (int c = ColCount() - 1; c >= 0; --c)
    if (CanTakeTabStop(c, ARow)) return c;
  return -1;
}

// The current cell becomes the one cell, past every check (a move made by the navigation).
void TRivErodovOzar::TabFocus(int ACol, int ARow) {
  FForceSel = true;
  struct Clear {
    bool& Flag;
    ~Clear() { Flag = false; }
  } clear{FForceSel};
  if (FIsDBVersion) {
    SetRow(ARow);
    SetCol(ACol);
  } else {
    FocusCell(ACol, ARow);
  }
}

// The end of the grid: with TabToNextAtEnd the Tab goes on to the form, which moves the focus
// to the next control.
void TRivErodovOzar::TabHandOff() {
  if (Parent() == nullptr || !Navigation()->TabToNextAtEnd) return;
  if (TCustomForm* form = GetParentForm()) PostMessage(form->Handle(), CM_DIALOGKEY, VK_TAB, 0);
}

void TRivErodovOzar::TabToNextCell(bool Backward) {
  if (OnKeyDown) {
    Word key = VK_TAB;
    OnKeyDown(this, key, Backward ? TShiftState{ssShift} : TShiftState());
    if (key != VK_TAB) return;
  }
  const TGridCoord start{Col(), Row()};
  FLastTabCol = -1;
  FLastTabRow = -1;
  // A navigation that lands on a cell it may not stay on runs again; in a grid where no cell
  // can take the stop one round over every cell ends it, back where it began.
  const int budget = (ColCount() + 1) * (RowCount() + 1);
  bool appended = false;
  for (int run = 0;; ++run) {
    if (run > budget || (appended && run > ColCount() + 1)) {
      TabFocus(start.X, start.Y);
      break;
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow) break;
    FLastTabCol = Col();
    FLastTabRow = Row();
    const int rowsBefore = RowCount();
    const bool again = TabStep(Backward);
    if (RowCount() > rowsBefore) appended = true;
    if (again) continue;
    if (EditingGrid() && !IsEditable(RealColIndex(Col()), Row())) continue;
    break;
  }
  if (Navigation()->AdvanceAutoEdit) SimulateCellClick(Col(), Row());
  FLastTabCol = -1;
  FLastTabRow = -1;
  if (Navigation()->AlwaysEdit && CanFocus()) SetFocus();
}

// One navigation from the current cell; true when it asks to run again at once.
bool TRivErodovOzar::TabStep(bool Backward) {
  const int vrfc = VisibleFixedRightCols();
  const int ftc = FirstTabColumn();
  const int last = RowCount() - FFixedFooters - 1;
  const int c = Col();
  const int r = Row();
  const TPoint span = CellSpan(RealColIndex(c), r);
  const bool topBottom = Navigation()->TabAdvanceDirection == adTopBottom;

  if (!Backward && topBottom) {
    if (r + span.Y + 1 < RowCount() - FFixedFooters) {
      SetRow(r + span.Y + 1);
    } else {
      GotoFirstRow();
      if (c < ColCount() - vrfc - 1) {
        SetCol(c + 1);
      } else {
        SetCol(ftc);
        TabHandOff();
      }
    }
    return false;
  }

  if (!Backward) {
    if (c + span.X + 1 < ColCount() - vrfc) {
      for (int col = c + span.X + 1; col < ColCount() - vrfc; ++col) {
        if (!CanTakeTabStop(col, r)) continue;
        SetCol(col);
        return !IsBaseCell(RealColIndex(col), r);
      }
      FForceSel = true;
      struct Clear {
        bool& Flag;
        ~Clear() { Flag = false; }
      } clear{FForceSel};
      if (r < last) {
        const int target = FirstTabStop(r + 1);
        bool allow = true;
        if (OnRowChanging) OnRowChanging(this, r, r + 1, allow);
        if (OnCellChanging) OnCellChanging(this, r, c, r + 1, target, allow);
        if (OnColChanging) OnColChanging(this, c, target, allow);
        if (allow) {
          SetCol(target >= 0 ? target : FixedCols());
          SetRow(r + 1);
        }
      } else {
        const int target = FirstTabStop(FixedRows());
        if (target >= 0) TabFocus(target, FixedRows());
        TabHandOff();
      }
      return false;
    }
    if (r < last) {
      for (int col = ftc; col < ColCount(); ++col) {
        if (!IsBaseCell(RealColIndex(col), r + 1) || !CanTakeTabStop(col, r + 1)) continue;
        TabFocus(col, r + 1);
        return false;
      }
      for (int row = r + 2; row <= last; ++row) {
        const int target = FirstTabStop(row);
        if (target < 0) continue;
        TabFocus(target, row);
        return false;
      }
      TabFocus(ColCount() - 1, RowCount() - 1);
      return true;
    }
    if (Navigation()->TabToNextAtEnd || !Navigation()->AdvanceInsert()) {
      GotoFirstRow();
    } else if (DoCanAddRow()) {
      if (FloatingFooterVisible) {
        InsertRows(RowCount() - 1, 1);
        SetRow(RowCount() - 2);
      } else {
        SetRowCount(RowCount() + 1);
        SetRow(RowCount() - 1);
      }
      if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FFixedFooters - 1);
    } else {
      GotoFirstRow();
    }
    SetCol(FixedCols());
    TabHandOff();
    return false;
  }

  if (topBottom) {
    if (r > FixedRows()) {
      SetRow(r - 1);
    } else {
      SetRow(last);
      SetCol(c > ftc ? c - 1 : ColCount() - vrfc - 1);
    }
    return false;
  }

  if (c > ftc) {
    for (int col = c - 1; col >= ftc; --col) {
      if (!CanTakeTabStop(col, r) || !IsBaseCell(RealColIndex(col), r)) continue;
      SetCol(col);
      return false;
    }
    const int row = r > FixedRows() ? r - 1 : last;
    const int target = LastTabStop(row);
    if (target >= 0) {
      TabFocus(target, row);
      const TPoint base = BaseCell(Col(), Row());
      if (base.X != Col() || base.Y != Row()) TabFocus(base.X, base.Y);
    }
    return false;
  }
  int col = ColCount() - vrfc - 1;
  while (col >= FixedCols() && !CanTakeTabStop(col, r)) --col;
  const int row = r > FixedRows() ? r - 1 : last;
  TabFocus(std::max(col, 0), row);
  return false;
}

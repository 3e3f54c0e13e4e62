// Cell advance and the grid's key press: after a value is entered the grid can move on to the
// next cell by itself (along the row or down the column, appending a row or a column at the
// end, skipping cells that may not be edited) and open the editor there; Enter, Escape and the
// type-ahead search of sorted grids pass through the grid's key press.
#include <algorithm>
#include <cctype>

#include "grid/base/HTMLTextOperations.h"
#include "grid/model/RivErodovOzar.h"

int TRivErodovOzar::FirstDataCol() { return FixedCols() == 0 && HasNodes() ? 1 : FixedCols(); }

bool TRivErodovOzar::IsLastDataRow() {
  return Row() == RowCount() - FFixedFooters - 1 || (FloatingFooterVisible && Row() == RowCount() - 2);
}

void TRivErodovOzar::AppendRow() { SetRowCount(RowCount() + 1); }

void TRivErodovOzar::AutoAppendRow() {
  if (!DoCanAddRow()) return;
  AppendRow();
  for (int c = 0; c < AllColCount(); ++c) ClearCellAndObject(c, RowCount() - 1);
  if (FloatingFooterVisible || FFixedFooters > 0) SetRow(Row() + 1);
  if (OnAutoAddRow) OnAutoAddRow(this, Row());
}

// The skipping of cells that may not be edited visits at most every cell of the grid once
// (plus the cells a row or column appended on the way brings).
int TRivErodovOzar::AdvanceCellBudget() { return (ColCount() + 1) * (RowCount() + 1); }

void TRivErodovOzar::AdvanceEdit(int ACol, int ARow, bool ShowEditor, bool Recursing, bool Forward, bool AutoEdit,
                                 bool Force) {
  if (!Navigation()->AdvanceOnEnter && !Force) return;
  if (MouseActions()->RangeSelectAndEdit && !Options().Contains(goEditing)) SetOptions(Options() + goEditing);
  if (!Recursing) {
    FAECol = ACol;
    FAERow = ARow;
  }
  const TGridCoord origin{ACol, ARow};
  bool appended = false;
  TGridCoord s{ACol, ARow};
  // Each pass is one step of the advance; a cell that may not be edited is stepped past.
  for (int steps = 0;; ++steps) {
    if (steps > AdvanceCellBudget()) return;  // no cell it can reach is editable: stay
    s = TGridCoord{ACol, ARow};
    FStartEditChar = '\0';
    const TPoint span = CellSpan(RealColIndex(ACol), ARow);
    const int lastDataRow = RowCount() - 1 - FFixedFooters;
    const bool insert = Navigation()->AdvanceInsert() && !appended;
    if (Forward && Navigation()->AdvanceDirection() == adLeftRight) {
      if (ACol + span.X < ColCount() - 1 - VisibleFixedRightCols()) {
        ACol += span.X + 1;
      } else if (ARow != lastDataRow) {
        ++ARow;
        ACol = FirstDataCol();
      } else if (insert) {
        ACol = FirstDataCol();
        if (DoCanAddRow()) {
          AddRow();
          appended = true;
          ++ARow;
          if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - 1 - FFixedFooters);
          bool any = false;
          for (int c = FixedCols(); c < ColCount() && !any; ++c) any = IsEditable(RealColIndex(c), ARow);
          if (!any) return;
        }
      } else {
        ARow = FixedRows();
        ACol = FirstDataCol();
      }
    } else if (Forward) {
      const int lastDataCol = ColCount() - 1 - FFixedRightCols;
      if (ARow != lastDataRow) {
        ++ARow;
      } else if (ACol != lastDataCol) {
        ARow = FixedRows();
        ++ACol;
        if (ACol >= ColCount()) ACol = FirstDataCol();
        Invalidate();
      } else if (insert) {
        SetColCount(ColCount() + 1);
        appended = true;
        ACol += span.X + 1;
        ARow = FixedRows();
        if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - 1 - FFixedRightCols);
        Invalidate();
      } else {
        ARow = FixedRows();
        ACol = FirstDataCol();
        Invalidate();
      }
    } else if (Navigation()->AdvanceDirection() == adLeftRight) {
      if (ACol > FirstDataCol()) {
        --ACol;
      } else {
        ARow = ARow > FixedRows() ? ARow - 1 : lastDataRow;
        ACol = ColCount() - FFixedRightCols - 1;
      }
    } else {
      if (ARow > FixedRows()) {
        --ARow;
      } else {
        ACol = ACol > FirstDataCol() ? ACol - 1 : ColCount() - FFixedRightCols - 1;
        ARow = lastDataRow;
      }
    }
    bool editable = true;
    CheckCellEditable(RealColIndex(ACol), ARow, editable);
    if (!editable) {
      // Back at the start after a whole round: nothing else can be edited.
      if (ACol == origin.X && ARow == origin.Y) return;
      continue;
    }
    break;
  }

  bool allow = true;
  if (OnAutoAdvance) OnAutoAdvance(this, FAERow, FAECol, ARow, ACol, allow);
  if (allow && OnCellChanging) OnCellChanging(this, FAERow, FAECol, ARow, ACol, allow);
  FDisableChange = true;
  struct ClearDisable {
    bool& Flag;
    ~ClearDisable() { Flag = false; }
  } clearDisable{FDisableChange};
  if (allow) {
    SetCol(ACol);
    SetRow(ARow);
  } else {
    SelectCell(origin.X, origin.Y);
  }

  if (!ShowEditor) return;
  const int realCol = RealColIndex(Col());
  const bool graphic = HasControlGraphic(realCol, Row());
  if ((AutoEdit && Navigation()->AdvanceAutoEdit) || graphic) {
    if (!IsEditable(realCol, Row())) return;
    TBaseGrid::ShowEditor();
    if (graphic) {
      const TGridCoord target{Col(), Row()};
      if (FDisableChange) {
        SetCol(s.X);
        SetRow(s.Y);
        SetCol(target.X);
        SetRow(target.Y);
      }
      if (!HasControlGraphic(RealColIndex(s.X), s.Y)) {
        SimulateCellClick(target.X, target.Y);
        if (Navigation()->AdvanceDirection() == adTopBottom) TBaseGrid::HideEditor();
      }
      FDisableChange = false;
      bool notify = true;
      if (OnCellChanging) OnCellChanging(this, s.Y, s.X, Row(), Col(), notify);
      TEditorType editor = DefaultEditor;
      GetEditorType(RealColIndex(s.X), s.Y, editor);
      switch (editor) {
        case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
        case edPassword: case edLowerCase: case edUpperCase: case edPositiveFloat:
          break;
        default:
          TBaseGrid::HideEditor();
      }
    }
  }
  if (MouseActions()->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelected(Row(), true);
  }
}

void TRivErodovOzar::AdvanceOnEnterStep(int ACol, int ARow, bool Forced) {
  if (!Navigation()->AdvanceOnEnter && !Forced) return;
  if (MouseActions()->RangeSelectAndEdit && !Options().Contains(goEditing)) SetOptions(Options() + goEditing);
  AdvanceEdit(ACol, ARow, false, false, true, true, Forced);
}

// ---- The key press ----

void TRivErodovOzar::KeyPress(char& Key) {
  auto firePress = [this, &Key] {
    if (OnKeyPress) OnKeyPress(this, Key);
  };
  if (Key == 27) {
    if (Options().Contains(goEditing) && FEditing) RestoreCellCache();
    firePress();
    return;
  }
  if (Key == '\r') {
    const int enterCol = RealColIndex(Col());
    if (!Navigation()->AdvanceOnEnter && !IsEditable(enterCol, Row())) {
      firePress();
      Key = 0;
      return;
    }
    if (!Focused() || HasControlGraphic(enterCol, Row())) {
      AdvanceEdit(Col(), Row(), EditMode, false, true, false, false);
      if (!Navigation()->AdvanceAutoEdit) {
        firePress();
        Key = 0;
        return;
      }
      if (HasControlGraphic(enterCol, Row())) {
        firePress();
        if (Navigation()->AdvanceOnEnter) ShowInplaceEdit();
        return;
      }
    }
  }
  if (!Options().Contains(goEditing) && Navigation()->AutoGotoWhenSorted) {
    if (Navigation()->AutoGotoIncremental) {
      if (Key == '\b') {
        if (!SearchInc.empty()) SearchInc.pop_back();
      } else {
        SearchInc += Key;
      }
      SearchTics = 0;
    } else {
      SearchInc = String(1, Key);
    }
    const int row = SortedRowStartingWith(UpperCase(SearchInc));
    if (row == -1)
      SearchInc.clear();
    else
      SetRow(row);
  }
  TBaseGrid::KeyPress(Key);
}

// The first row whose text in the sort column begins with Text (upper-cased), -1 when none.
int TRivErodovOzar::SortedRowStartingWith(const String& Text) { return Text.empty() ? -1 : Search(Text); }

// Only the focus goes back to the grid here: an in-cell control editor opens through the
// grid's HTML control editing, which is not part of this grid yet.
void TRivErodovOzar::NextCellControl(int ACol, int ARow, const String& ID) {
  const String next = NextHTMLEditControlID(Cells(RealColIndex(ACol), ARow), ID);
  if (next.empty() && CanFocus()) SetFocus();
}

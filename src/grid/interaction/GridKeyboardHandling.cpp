// The grid's keyboard layer before and after the platform grid's own key handling: scrolling
// only, Home and End by Navigation.HomeEndKey, Space and Enter on check boxes, radio cells
// and buttons, stepping over fixed cells, appending, inserting and deleting rows, Ctrl+A, the
// disjunct row selection keys, the clipboard shortcuts, and the skipping of disabled rows after
// a move.
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

namespace {

bool IsVerticalKey(Word Key) { return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN; }

}  // namespace

void TRivErodovOzar::HandleKeyDownMessage(TMessage& Message) {
  Word key = static_cast<Word>(Message.WParam);
  const TShiftState shift = KeyboardStateToShiftState();
  const bool ctrl = shift.Contains(ssCtrl);
  const bool alt = shift.Contains(ssAlt);
  const bool shifted = shift.Contains(ssShift);
  FMoveSelection = Selection();
  const int leftAtEntry = LeftCol();
  const int realCol = RealColIndex(Col());
  auto keyDownEvent = [&] {
    if (OnKeyDown) OnKeyDown(this, key, shift);
  };
  auto selectionChanged = [&] {
    const TGridRect now = Selection();
    if (!(now == FMoveSelection)) DoSelectionChanged(now.Left, now.Top, now.Right, now.Bottom);
  };
  const bool keepLeft = IsVerticalKey(key) && Options().Contains(goRowSelect) && LeftCol() != FixedCols() &&
                        Navigation()->KeepHorizScroll;
  if (Navigation()->MoveScrollOnly &&
      (IsVerticalKey(key) || key == VK_HOME || key == VK_END)) {
    const int top = TopRow();
    const int visible = VisibleRowCount();
    switch (key) {
      case VK_PRIOR: SetTopRow(visible + FixedRows() < top ? top - visible : FixedRows()); break;
      case VK_NEXT: if (top + visible < RowCount()) SetTopRow(top + visible); break;
      case VK_END: SetTopRow(RowCount() - visible); break;
      case VK_HOME: SetTopRow(FixedRows()); break;
      case VK_UP: if (top > FixedRows()) SetTopRow(top - 1); break;
      case VK_DOWN: if (top + visible < RowCount()) SetTopRow(top + 1); break;
      default: break;
    }
    Message.Result = 1;
    return;
  }
  const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
  if (MouseActions()->EditOnDblClickOnly() && enterOrF2) {
    const bool was = MouseActions()->RangeSelectAndEdit;
    MouseActions()->RangeSelectAndEdit = true;
    if (IsEditable(realCol, Row())) {
      SetOptions(Options() + goEditing);
      ShowInplaceEdit();
    }
    MouseActions()->RangeSelectAndEdit = was;
  }
  if (MouseActions()->RangeSelectAndEdit && !Options().Contains(goEditing) && enterOrF2) {
    if (!IsEditable(realCol, Row())) {
      keyDownEvent();
      Message.Result = 1;
      return;
    }
    SetOptions(Options() + goEditing);
    ShowInplaceEdit();
  }
  if (enterOrF2 && Options().Contains(goEditing) && !IsEditable(realCol, Row())) {
    keyDownEvent();
    Message.Result = 1;
    return;
  }
  if (enterOrF2 && Pos("<CONTROL", UpperCase(Cells(realCol, Row()))) > 0) {
    // Such a cell is edited through its controls: the first one opens.
    ActivateHTMLControl(Col(), Row(), String());
    Message.Result = 1;
    return;
  }
  if (key == VK_RETURN && !IsEditable(realCol, Row())) {
    // Enter on a grid that edits nothing: the form's key preview has it, or it stops here.
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form->KeyPreview) {
      TBaseGrid::WndProc(Message);
      return;
    }
    keyDownEvent();
    Message.Result = 1;
    return;
  }
  if ((key == VK_RETURN || key == VK_SPACE) && HasControlGraphic(realCol, Row())) ClickableGraphicStep(key);
  if ((key == VK_HOME || key == VK_END) && !ctrl && HomeEndStep(key, shift, keepLeft, leftAtEntry)) {
    keyDownEvent();
    Message.Result = 0;
    selectionChanged();
    return;
  }
  if (ctrl && (key == VK_LEFT || key == VK_RIGHT) && Navigation()->LeftRightRowSelect && Options().Contains(goRowSelect)) {
    if (key == VK_LEFT && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
  } else if (!ctrl && (key == VK_LEFT || key == VK_RIGHT) && !Navigation()->LeftRightRowSelect &&
             Options().Contains(goRowSelect)) {
    if (key == VK_LEFT && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
    if (key == VK_RIGHT && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
    keyDownEvent();
    Message.Result = 0;
    return;
  }
  if (key == VK_TAB && Options().Contains(goTabs)) {
    TabToNextCell(shifted);
    selectionChanged();
    return;
  }
  if (Navigation()->SkipFixedCells && SkipFixedCellsStep(key)) {
    keyDownEvent();
    Message.Result = 0;
    selectionChanged();
    return;
  }
  if (Navigation()->AppendOnArrowDown && key == VK_DOWN && IsLastDataRow()) AutoAppendRow();
  if (keepLeft) {
    BeginUpdate();
    TBaseGrid::WndProc(Message);
    SetLeftCol(leftAtEntry);
    EndUpdate();
  } else {
    TBaseGrid::WndProc(Message);
  }
  key = static_cast<Word>(Message.WParam);
  const bool noModifiers = !ctrl && !shifted && !alt;
  // Clipboard shortcuts: each fires its event first and acts only when it stays allowed; a key
  // taken here goes no further (Shift+Delete cuts instead of deleting the row).
  if (Navigation()->AllowClipboardShortCuts && !alt) {
    const bool cut = (ctrl && key == 'X') || (shifted && !ctrl && key == VK_DELETE);
    const bool paste = (ctrl && key == 'V') || (shifted && !ctrl && key == VK_INSERT);
    const bool copy = ctrl && (key == 'C' || key == VK_INSERT);
    if (cut || paste || copy) {
      bool allow = true;
      const TClipboardEvent& event = cut ? OnClipboardCut : paste ? OnClipboardPaste : OnClipboardCopy;
      if (event) event(this, allow);
      if (allow && cut) CutSelectionToClipboard();
      else if (allow && paste) PasteSelectionFromClipboard();
      else if (allow) CopySelectionToClipboard();
      return;
    }
  }
  if (key == VK_INSERT && noModifiers && Navigation()->AllowInsertRow) {
    InsertRowStep();
  } else if (ctrl && key == 'A' && Options().Contains(goRowSelect) && Options().Contains(goRangeSelect)) {
    SelectAllStep();
  } else if (key == VK_DELETE && !alt && Navigation()->AllowDeleteRow) {
    if (!DeleteRowStep()) return;
  } else if (key == VK_SPACE && MouseActions()->DisjunctRowSelect()) {
    const int r = MouseActions()->RowSelectPersistent ? RealRowIndex(Row()) : Row();
    SetRowSelected(r, !IsRowSelected(r));
  } else if (IsVerticalKey(key) && MouseActions()->DisjunctRowSelect()) {
    if (!shifted && !ctrl) ClearRowSelect();
    if (shifted) SelectionToRowSelect(true);
  }
  selectionChanged();
}

// Space toggles a check box, moves a radio group on, switches a radio button on; Enter or
// Space presses a cell button.
void TRivErodovOzar::ClickableGraphicStep(Word Key) {
  const int c = RealColIndex(Col());
  const int r = Row();
  bool editable = Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit;
  CheckCellEditable(c, r, editable);
  const TPoint base = BaseCell(c, r);
  const TCellType type = GetCellType(base.X, base.Y);
  if (Key == VK_SPACE && (editable || ControlLook()->CheckAlwaysActive()) && HasCheckBox(c, r)) {
    DoToggleCheckBox(c, r, false);
    bool state = false;
    GetCheckBoxState(c, RealRowIndex(r), state);
    if (OnCheckBoxClick) OnCheckBoxClick(this, c, r, state);
  } else if (Key == VK_SPACE && (editable || ControlLook()->RadioAlwaysActive()) && type == ctRadio) {
    CycleRadioGroup(c, r, false);
    int idx = -1;
    GetRadioIdx(c, r, idx);
    if (OnRadioClick) OnRadioClick(this, c, r, idx);
  } else if (Key == VK_SPACE && (editable || ControlLook()->RadioAlwaysActive()) && type == ctRadioButton) {
    SetRadioButtonColumnIndex(c, r);
    if (OnRadioButtonClick) OnRadioButtonClick(this, c, r);
  } else if (editable && (type == ctButton || type == ctBitButton)) {
    if (OnButtonClick) OnButtonClick(this, c, r);
  }
  RepaintCell(Col(), Row());
}

// Home and End by Navigation.HomeEndKey; false when the platform grid takes the key.
bool TRivErodovOzar::HomeEndStep(Word Key, TShiftState Shift, bool KeepLeft, int LeftAtEntry) {
  const bool home = Key == VK_HOME;
  const bool single = FFixedRowAlways && RowCount() == 1;
  const int rowAtEntry = Row();
  switch (Navigation()->HomeEndKey) {
    case heFirstLastCell:
      if (home) FocusCell(FixedCols(), FixedRows());
      else FocusCell(ColCount() - 1, RowCount() - 1);
      MoveToBaseCell();
      if (home) {
        SetTopRow(FixedRows());
        SetLeftCol(FixedCols());
      } else {
        SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
        SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
      }
      return true;
    case heFirstLastRow: {
      if (single) return false;
      int target = FixedRows();
      if (!home) {
        target = FloatingFooterVisible && RowCount() > 2 ? RowCount() - 2 : RowCount() - FixedFooters() - 1;
        if (FixedFooters() > 0 || FloatingFooterVisible) SetTopRow(RowCount() - VisibleRowCount());
      }
      SetRow(target);
      MoveToBaseCell();
      if (Shift.Contains(ssShift)) {
        SetSelection(TGridRect{0, std::min(rowAtEntry, Row()), ColCount() - 1, std::max(rowAtEntry, Row())});
        if (MouseActions()->DisjunctRowSelect()) SelectionToRowSelect(true);
      } else if (MouseActions()->DisjunctRowSelect()) {
        ClearRowSelect();
        SelectionToRowSelect(true);
      }
      if (KeepLeft) SetLeftCol(LeftAtEntry);
      return true;
    }
    case heFirstLastColumn:
    default:
      if (Options().Contains(goRowSelect)) return false;
      if (single) return false;
      if (home) {
        const int first = FirstTabColumn();
        SetCol(first);
        MoveToBaseCell();
        SetLeftCol(first);
      } else {
        SetCol(ColCount() - 1);
        MoveToBaseCell();
        SetLeftCol(ColCount() - VisibleColCount());
      }
      return true;
  }
}

// Arrows step over cells the grid reports fixed inside the data area.
bool TRivErodovOzar::SkipFixedCellsStep(Word Key) {
  // This platform lays every grid out left to right.
  const bool rtl = false;
  const int c = Col();
  const int r = Row();
  if ((Key == VK_LEFT && !rtl) || (Key == VK_RIGHT && rtl)) {
    if (c <= FixedCols() || !IsFixed(c - 1, r)) return false;
    int n = c - 1;
    while (n >= FixedCols() && IsFixed(n, r)) --n;
    if (n < FixedCols()) return false;
    SetCol(n);
    return true;
  }
  if ((Key == VK_RIGHT && !rtl) || (Key == VK_LEFT && rtl)) {
    const int last = ColCount() - FixedRightCols() - 1;
    if (c >= last || !IsFixed(c + 1, r)) return false;
    int n = c + 1;
    while (n <= last && IsFixed(n, r)) ++n;
    if (n > last) return false;
    SetCol(n);
    return true;
  }
  if (Key == VK_UP) {
    if (r <= FixedRows() || !IsFixed(c, r - 1)) return false;
    int n = r - 1;
    while (n >= FixedRows() && IsFixed(c, n)) --n;
    if (n < FixedRows()) return false;
    SetRow(n);
    return true;
  }
  if (Key == VK_DOWN) {
    const int last = RowCount() - FixedFooters() - 1;
    if (r + 1 >= RowCount() || r >= last || !IsFixed(c, r + 1)) return false;
    int n = r + 1;
    while (n <= last && IsFixed(c, n)) ++n;
    if (n > last) return false;
    SetRow(n);
    return true;
  }
  return false;
}

void TRivErodovOzar::InsertRowStep() {
  bool allow = true;
  DoCanInsertRow(Row(), allow);
  if (!allow) return;
  int inserted = RealRowIndex(Row());
  if (Navigation()->InsertPosition == pInsertBefore) {
    InsertOneRow(inserted);
  } else if (FFixedRowAlways && RowCount() - FixedRows() - FixedFooters() <= 0) {
    InsertOneRow(Row());
    inserted = Row();
    SetRow(1);
  } else {
    inserted = RealRowIndex(Row()) + 1;
    InsertOneRow(inserted);
    if (Row() + 1 < RowCount()) SetRow(Row() + 1);
  }
  if (OnAutoInsertRow) OnAutoInsertRow(this, inserted);
  FGridModified = true;
  RecalcFooters();
}

// False when OnCanDeleteRow refused (the key handling ends there).
bool TRivErodovOzar::DeleteRowStep() {
  if (RowCount() - FixedRows() - FixedFooters() <= 0) return true;
  bool allow = true;
  if (OnCanDeleteRow) OnCanDeleteRow(this, Row(), allow);
  if (!allow) return false;
  RemoveOneRow(Row());
  if (FloatingFooterVisible && Row() == RowCount() - 1 && Row() > FixedRows()) SetRow(Row() - 1);
  StoreOldCell(Col(), Row());
  FGridModified = true;
  RecalcFooters();
  return true;
}

void TRivErodovOzar::SelectAllStep() {
  TGridRect rect{FirstTabColumn(), FixedRows(), ColCount() - FixedRightCols() - 1, RowCount() - FixedFooters() - 1};
  if (rect.Right < rect.Left || rect.Bottom < rect.Top) return;
  if (MouseActions()->DisjunctRowSelect())
    for (int r = FixedRows(); r <= rect.Bottom; ++r) SetRowSelected(r, true);
  BeforeKeySelection(rect);
  SetSelection(rect);
}

// After the platform moved: Up and Down go on past disabled rows; a coupled grid follows.
void TRivErodovOzar::HandleKeyDown(Word& Key, TShiftState Shift) {
  const int rowBefore = Row();
  TBaseGrid::KeyDown(Key, Shift);
  if (EnabledRowsInUse && Navigation()->SkipDisabledRows && Row() == rowBefore) {
    if (Key == VK_UP) {
      for (int r = Row() - 1; r >= FixedRows(); --r)
        if (IsRowEnabled(r)) {
          SetRow(r);
          break;
        }
    } else if (Key == VK_DOWN) {
      for (int r = Row() + 1; r < RowCount(); ++r)
        if (IsRowEnabled(r)) {
          SetRow(r);
          break;
        }
    }
  }
  if (SyncGrid()->Grid() != nullptr) {
    if (SyncGrid()->SelectionColumn) SyncGrid()->Grid()->SetCol(Col());
    if (SyncGrid()->SelectionRow) SyncGrid()->Grid()->SetRow(Row());
  }
}

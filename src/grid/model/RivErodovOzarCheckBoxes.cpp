// Check boxes in cells: plain ones keep their state in the graphic, data and virtual ones in
// the cell text (the check-true or check-false text), row check boxes in the row selection.
#include "classlib/GraphicsObjects.h"
#include "grid/base/BaseGridUndoRedo.h"
#include "grid/model/RivErodovOzar.h"

namespace {
bool IsCheckBoxType(TCellType Type) {
  return Type == ctCheckBox || Type == ctDataCheckBox || Type == ctVirtCheckBox || Type == ctRowCheckBox;
}

bool IsTextCheckBox(TCellType Type) { return Type == ctDataCheckBox || Type == ctVirtCheckBox; }
}  // namespace

// ---- Finding a check box ----

TRivErodovOzar::TCheckCell TRivErodovOzar::FindCheckCell(int ACol, int ARow) {
  TCheckCell cell;
  cell.Col = ACol;
  cell.Row = ARow;
  cell.RealRow = ARow;
  if (ACol < 0 || ARow < 0) return cell;
  if (NumHiddenRows() == 0) {
    cell.DisplayRow = ARow;
  } else if (!IsHiddenRow(ARow)) {
    cell.DisplayRow = DisplRowIndex(ARow);
  } else {
    for (int i = 0; i < FGridItems.Count() && cell.Hidden == nullptr; ++i)
      if (FGridItems.Items(i)->Idx() == ARow) cell.Hidden = FGridItems.Items(i);
    if (cell.Hidden == nullptr) return cell;
    if (ACol == 0 && FMouseActions->HotmailRowSelect()) {
      cell.Graphic = GetCellGraphic(0, 0);
    } else {
      const auto* props = static_cast<const TCellProperties*>(cell.Hidden->Cells().Object(static_cast<size_t>(ACol)));
      cell.Graphic = dynamic_cast<TCellGraphic*>(PropertiesGraphic(props));
    }
    return cell;
  }
  cell.Graphic = GetCellGraphic(ACol, cell.DisplayRow);
  return cell;
}

String TRivErodovOzar::CheckCellText(const TCheckCell& Cell) {
  if (Cell.Hidden != nullptr) return Cell.Hidden->Items()->Strings(Cell.Col);
  return Cells(Cell.Col, Cell.DisplayRow);
}

// A hidden row's text is written where the row is kept, never into a shown row.
void TRivErodovOzar::SetCheckCellText(const TCheckCell& Cell, const String& Value) {
  if (Cell.Hidden != nullptr)
    Cell.Hidden->Items()->Put(Cell.Col, Value);
  else
    SetCells(Cell.Col, Cell.DisplayRow, Value);
}

bool TRivErodovOzar::IsCheckCellChecked(const TCheckCell& Cell) {
  switch (Cell.Graphic->CellType) {
    case ctCheckBox:
      return Cell.Graphic->CellBoolean;
    case ctRowCheckBox:
      return Cell.RealRow < FRowSelect->Count() && FRowSelect->Items(Cell.RealRow) != 0;
    default: {
      String checkTrue;
      GetCheckTrue(Cell.Col, Cell.Row, checkTrue);
      return CheckCellText(Cell) == checkTrue;
    }
  }
}

// ---- Adding and removing ----

void TRivErodovOzar::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
  CheckCellRange(ACol, ARow);
  CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, ControlVAlign());
  if (!Data) return;
  String checkTrue, checkFalse;
  GetCheckTrue(ACol, ARow, checkTrue);
  GetCheckFalse(ACol, ARow, checkFalse);
  const String text = Cells(ACol, ARow);
  if (text != checkTrue && text != checkFalse) SetCells(ACol, ARow, State ? checkTrue : checkFalse);
}

void TRivErodovOzar::RemoveCheckBox(int ACol, int ARow) {
  const TCellType type = GetCellType(ACol, ARow);
  if (type != ctCheckBox && type != ctDataCheckBox) return;
  // The graphic frees a balloon it carries.
  RemoveCellGraphic(ACol, ARow);
}

void TRivErodovOzar::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox) {
  const int from = FMouseActions->CheckAllCheck ? 0 : FixedRows();
  for (int r = from; r < RowCount(); ++r) AddCheckBox(ACol, r, DefaultState, DataCheckBox);
}

void TRivErodovOzar::RemoveCheckBoxColumn(int ACol) {
  const int from = FMouseActions->CheckAllCheck ? 0 : FixedRows();
  for (int r = from; r < RowCount(); ++r)
    if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

// ---- Queries ----

bool TRivErodovOzar::HasCheckBox(int ACol, int ARow) {
  return ACol >= 0 && ARow >= 0 && IsCheckBoxType(BaseCellType(ACol, ARow));
}

bool TRivErodovOzar::HasDataCheckBox(int ACol, int ARow) {
  const TCellType type = BaseCellType(ACol, ARow);
  return IsTextCheckBox(type) || type == ctRowCheckBox;
}

bool TRivErodovOzar::HasDataGraphic(int ACol, int ARow) {
  const TCellType type = BaseCellType(ACol, ARow);
  return IsTextCheckBox(type) || type == ctRowCheckBox || type == ctDataImage;
}

bool TRivErodovOzar::HasControlGraphic(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TCellType type = BaseCellType(ACol, ARow);
  return IsCheckBoxType(type) || type == ctRadio || type == ctButton || type == ctBitButton || type == ctRadioButton;
}

bool TRivErodovOzar::GetCheckBoxState(int ACol, int ARow, bool& state) {
  const TCheckCell cell = FindCheckCell(ACol, ARow);
  if (cell.Graphic == nullptr || !IsCheckBoxType(cell.Graphic->CellType)) return false;
  if (cell.Graphic->CellType == ctRowCheckBox && ACol != 0) return false;
  state = IsCheckCellChecked(cell);
  return true;
}

bool TRivErodovOzar::IsChecked(int ACol, int ARow) {
  bool state = false;
  return GetCheckBoxState(ACol, ARow, state) && state;
}

// ---- Setting and toggling ----

bool TRivErodovOzar::SetCheckBoxState(int ACol, int ARow, bool state) {
  const TCheckCell cell = FindCheckCell(ACol, ARow);
  if (cell.Graphic == nullptr) return false;
  switch (cell.Graphic->CellType) {
    case ctCheckBox:
      cell.Graphic->CellBoolean = state;
      if (cell.DisplayRow >= 0) RepaintCell(DisplColFromReal(ACol), cell.DisplayRow);
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      String text;
      if (state) GetCheckTrue(ACol, ARow, text);
      else GetCheckFalse(ACol, ARow, text);
      SetCheckCellText(cell, text);
      return true;
    }
    case ctRowCheckBox:
      if (ACol != 0) return false;
      SetRowSelected(cell.RealRow, state);
      return true;
    default:
      return false;
  }
}

bool TRivErodovOzar::SetCheckBoxStateNotify(int ACol, int ARow, bool state) {
  const TCheckCell cell = FindCheckCell(ACol, RealRowIndex(ARow));
  if (cell.Graphic == nullptr) return false;
  const TCellType type = cell.Graphic->CellType;
  if (!IsCheckBoxType(type) || (type == ctRowCheckBox && ACol != 0)) return false;
  const bool old = IsCheckCellChecked(cell);
  if (type == ctCheckBox) {
    if (old == state) return true;
    cell.Graphic->CellBoolean = state;
    DoCheckBoxChange(ACol, ARow, state);
    RepaintCell(DisplColFromReal(ACol), ARow);
  } else if (type == ctRowCheckBox) {
    if (old == state) return true;
    SetRowSelected(cell.RealRow, state);
    DoCheckBoxChange(ACol, ARow, state);
  } else {
    String text;
    if (state) GetCheckTrue(ACol, cell.Row, text);
    else GetCheckFalse(ACol, cell.Row, text);
    SetCheckCellText(cell, text);
    if (old != state) DoCheckBoxChange(ACol, ARow, state);
  }
  return true;
}

bool TRivErodovOzar::ToggleCheckBox(int ACol, int ARow) { return DoToggleCheckBox(ACol, ARow, false); }

void TRivErodovOzar::CheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) SetCheckBoxStateNotify(ACol, r, true);
  if (FNumHidden > 0) RepaintCol(DisplColFromReal(ACol));
}

void TRivErodovOzar::UnCheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) SetCheckBoxStateNotify(ACol, r, false);
}

bool TRivErodovOzar::DoToggleCheckBox(int ACol, int ARow, bool CheckEdit) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr || !IsCheckBoxType(graphic->CellType)) return false;
  if (CheckEdit && !ControlLook()->CheckAlwaysActive()) {
    bool canEdit = true;
    CheckCellEditable(ACol, ARow, canEdit);
    if (!canEdit) return false;
  }
  String checkTrue, checkFalse;
  GetCheckTrue(ACol, ARow, checkTrue);
  GetCheckFalse(ACol, ARow, checkFalse);
  bool state = false;
  if (graphic->CellType == ctCheckBox) {
    graphic->CellBoolean = !graphic->CellBoolean;
    state = graphic->CellBoolean;
  } else if (graphic->CellType == ctRowCheckBox) {
    // The row check box's state is the row's selection, not a text in the row header.
    state = !graphic->CellBoolean;
    SetRowSelected(RealRowIndex(ARow), state);
  } else {
    state = Cells(ACol, ARow) != checkTrue;
    SetCells(ACol, ARow, state ? checkTrue : checkFalse);
  }
  RepaintCell(DisplColFromReal(ACol), ARow);
  DoCheckBoxChange(ACol, ARow, state);
  if (TRivGridUndoRedo* undo = UndoRedo()) {
    if (state)
      undo->RegisterCheckBoxChange(ACol, ARow, checkFalse, checkTrue);
    else
      undo->RegisterCheckBoxChange(ACol, ARow, checkTrue, checkFalse);
  }
  return true;
}

void TRivErodovOzar::DoCheckBoxChange(int ACol, int ARow, bool State) {
  if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

void TRivErodovOzar::SetUndoneCellText(int ACol, int ARow, const String& Value, bool CheckBox) {
  TCellGraphic* graphic = CheckBox ? GetCellGraphic(ACol, ARow) : nullptr;
  if (graphic != nullptr && (graphic->CellType == ctCheckBox || graphic->CellType == ctRowCheckBox)) {
    String checkTrue;
    GetCheckTrue(ACol, ARow, checkTrue);
    if (graphic->CellType == ctCheckBox)
      graphic->CellBoolean = Value == checkTrue;
    else
      SetRowSelected(RealRowIndex(ARow), Value == checkTrue);
    RepaintCell(DisplColFromReal(ACol), ARow);
    return;
  }
  TBaseGrid::SetUndoneCellText(ACol, ARow, Value, CheckBox);
}

// ---- Hit test ----

bool TRivErodovOzar::IsInCheckBox(int ACol, int ARow, int XPos, int YPos) {
  TCellGraphic* graphic = GetCellGraphic(ACol, ARow);
  if (graphic == nullptr || (!IsCheckBoxType(graphic->CellType) && graphic->CellType != ctRadioButton)) return false;
  if (!FMouseActions->PreciseCheckBoxCheck) return true;
  const TRect r = CellRect(DisplColFromReal(ACol), ARow);
  const int size = ControlLook()->CheckSize();
  int top = r.Top + 2;
  if (graphic->CellVAlign == vaBottom) top = r.Bottom - size - 2;
  else if (graphic->CellVAlign == vaCenter) top = r.Top + (r.Height() - size) / 2;
  TAlignment ha = HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow)->Alignment() : FDefaultAlignment;
  TVAlignment va = VAlignment;
  GetCellAlignment(ACol, ARow, ha, va);
  int left = r.Left + 2;
  if (ha == taRightJustify) {
    left = r.Right - size - 2;
    if (!Cells(ACol, ARow).empty()) left -= MeasureText(ACol, ARow).cx;
  } else if (ha == taCenter) {
    left = r.Left + (r.Width() - size) / 2;
  }
  return XPos >= left && XPos < left + size && YPos >= top && YPos < top + size;
}

// ---- Removing rows by their check box ----

void TRivErodovOzar::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked) {
  TUpdateBlock block(this);
  for (int r = RowCount() - 1; r >= FixedRows(); --r) {
    // The state is asked by real row; a row without a check box stays.
    bool state = false;
    if (GetCheckBoxState(CheckBoxColumn, RealRowIndex(r), state) && state == RemoveChecked) RemoveRows(r, 1);
  }
}

// Radio buttons in cells: the radio buttons of one column form a group.
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::AddRadioButton(int ACol, int ARow, bool State) {
  CheckCellRange(ACol, ARow);
  CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, ControlVAlign());
}

void TRivErodovOzar::RemoveRadioButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }

bool TRivErodovOzar::HasRadioButton(int ACol, int ARow) { return BaseCellType(ACol, ARow) == ctRadioButton; }

bool TRivErodovOzar::IsRadioButtonChecked(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint base = BaseCell(ACol, ARow);
  TCellGraphic* graphic = CellGraphicOfType(base.X, base.Y, ctRadioButton);
  return graphic != nullptr && graphic->CellBoolean;
}

bool TRivErodovOzar::SetRadioButtonState(int ACol, int ARow, bool State) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint base = BaseCell(ACol, ARow);
  TCellGraphic* graphic = CellGraphicOfType(base.X, base.Y, ctRadioButton);
  if (graphic == nullptr) return false;
  if (graphic->CellBoolean != State) {
    graphic->CellBoolean = State;
    RepaintCell(DisplColFromReal(ACol), ARow);
  }
  return true;
}

void TRivErodovOzar::AddRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TRivErodovOzar::RemoveRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

void TRivErodovOzar::SetRadioButtonColumnIndex(int ACol, int Index) {
  for (int r = FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TRivErodovOzar::GetRadioButtonColumnIndex(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (IsRadioButtonChecked(ACol, r)) return r;
  return -1;
}

bool TRivErodovOzar::DoToggleRadioButton(int ACol, int ARow, bool CheckEdit) {
  TCellGraphic* graphic = CellGraphicOfType(ACol, ARow, ctRadioButton);
  if (graphic == nullptr) return false;
  if (CheckEdit && !ControlLook()->CheckAlwaysActive()) {
    bool canEdit = true;
    CheckCellEditable(ACol, ARow, canEdit);
    if (!canEdit) return false;
  }
  if (graphic->CellBoolean) return true;
  graphic->CellBoolean = true;
  RepaintCell(DisplColFromReal(ACol), ARow);
  // The group is the whole column, its fixed rows included.
  for (int r = 0; r < RowCount(); ++r) {
    if (r == ARow) continue;
    TCellGraphic* other = CellGraphicOfType(ACol, r, ctRadioButton);
    if (other == nullptr || !other->CellBoolean) continue;
    other->CellBoolean = false;
    RepaintCell(DisplColFromReal(ACol), r);
  }
  return true;
}

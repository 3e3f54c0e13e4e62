// The fixed-cell editor: EditFixedCell lays the edit over a fixed cell; leaving the edit ends
// it through the validation, and a refused value keeps the edit open and focused.
#include "grid/editing/GridTransEdit.h"

#include "grid/model/RivErodovOzar.h"

TGridTransEdit::TGridTransEdit(TComponent* AOwner) : TCustomEdit(AOwner), FGrid(dynamic_cast<TRivErodovOzar*>(AOwner)) {
  SetVisible(false);
  TabStop = false;
}

bool TGridTransEdit::StopEdit() {
  if (FGrid == nullptr) {
    Hide();
    return true;
  }
  String value = Text();
  bool valid = true;
  if (FGrid->OnCellValidate) FGrid->OnCellValidate(FGrid, FCol, FRow, value, valid);
  if (!valid) {
    if (!Focused() && CanFocus()) SetFocus();
    return false;
  }
  if (FGrid->OnEditingDone) FGrid->OnEditingDone(FGrid);
  FGrid->SetCells(FCol, FRow, value);
  Hide();
  return true;
}

void TGridTransEdit::DoExit() { HandleExit(); }

void TGridTransEdit::HandleExit() {
  TCustomEdit::DoExit();
  if (Visible()) StopEdit();
}

void TGridTransEdit::KeyPress(char& Key) { HandleKeyPress(Key); }

// Enter is swallowed: the edit ends only when the focus leaves it.
void TGridTransEdit::HandleKeyPress(char& Key) {
  if (Key == '\r') {
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TRivErodovOzar::EditFixedCell(int ACol, int ARow) {
  if (IsDesigning()) return;
  // Made on first use: a grid whose fixed cells are never edited carries no extra control.
  if (EditTrans == nullptr) {
    EditTrans = New<TGridTransEdit>(this);
    EditTrans->SetParent(this);
  }
  if (EditTrans->Visible() && !EditTrans->StopEdit()) return;
  bool canEdit = true;
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, canEdit);
  if (!canEdit) return;
  const TRect r = CellRect(ACol, ARow);
  EditTrans->SetBounds(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2);
  const int realCol = RealColIndex(ACol);
  EditTrans->SetText(Cells(realCol, ARow));
  EditTrans->FCol = realCol;
  EditTrans->FRow = ARow;
  EditTrans->Show();
  if (EditTrans->CanFocus()) EditTrans->SetFocus();
}

// Which fixed cells edit on which press: the title rows by FixedRowsEdit, the title columns by
// FixedColsEdit; with sizing on, a press near a border sizes instead.
bool TRivErodovOzar::FixedCellEditPress(TGridFixedCellEdit Mode, int X, int Y) {
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (ACol < 0 || ARow < 0) return false;
  const TRect r = CellRect(ACol, ARow);
  const bool inset = X >= r.Left + 4 && X < r.Right - 4 && Y >= r.Top + 4 && Y < r.Bottom - 4;
  const bool clickMode = Mode != fceDblClick;
  const bool onRow = ARow < FixedRows() && MouseActions()->FixedRowsEdit == Mode &&
                     (!clickMode || !Options().Contains(goColSizing) || inset);
  const bool onCol = ACol < FixedCols() && MouseActions()->FixedColsEdit == Mode &&
                     (!clickMode || !Options().Contains(goRowSizing) || inset);
  if (!onRow && !onCol) return false;
  EditFixedCell(ACol, ARow);
  return true;
}

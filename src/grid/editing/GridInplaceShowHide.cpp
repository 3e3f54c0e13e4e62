// Opening and closing the inplace editing of the data grid: ShowInplaceEdit, HideInplaceEdit,
// DoneInplaceEdit, the end-of-edit notification (OnEditingDone, then the posted "GridEditDone"
// that fires OnEditCellDone), the simulated click Tab navigation uses, the re-laying of
// controls embedded in cells after scrolling, and the key release that reopens the editor in
// always-edit mode and toggles the disjunct cell selection.
#include <algorithm>

#include "classlib/WinApi.h"
#include "grid/model/RivErodovOzar.h"

void TRivErodovOzar::ShowInplaceEdit() {
  if (HasControlGraphic(RealColIndex(Col()), Row())) return;
  if (Row() < TopRow()) SetTopRow(Row());
  if (Col() < LeftCol()) SetLeftCol(Col());
  FEditText = Cells(RealColIndex(Col()), Row());
  TBaseGrid::ShowEditor();
}

// A plain editor still on screen counts as open, also after the focus came back to the grid
// (which ends the edit mode): its text must reach the cell before the cell is left.
void TRivErodovOzar::HideInplaceEdit() {
  if (FSpecialEditor && EditControl == edCustom) {
    // A linked editor writes back through its link.
    HideEditLinkEditor();
    TBaseGrid::HideEditor();
    FSpecialEditor = false;
    FEditActive = false;
    EditMode = false;
    SelectCell(Col(), Row());
    return;
  }
  if (FSpecialEditor) {
    if (FBlockKill) return;
    HideSpecialEditor(FSpecialCol, FSpecialRow);
    EditMode = false;
    SelectCell(Col(), Row());
    return;
  }
  const bool shown = InplaceEditor() != nullptr && InplaceEditor()->Visible();
  if (!EditMode && !shown) return;
  TBaseGrid::HideEditor();
  FSpecialEditor = false;
  FEditActive = false;
  EditMode = false;
  SelectCell(Col(), Row());
}

void TRivErodovOzar::DoneInplaceEdit(Word Key, TShiftState Shift) {
  FBlockFocus = true;
  struct Unblock {
    TRivErodovOzar* Grid;
    bool AlwaysEdit;
    ~Unblock() {
      Grid->Navigation()->AlwaysEdit = AlwaysEdit;
      Grid->FBlockFocus = false;
    }
  } unblock{this, Navigation()->AlwaysEdit};
  FEditing = false;
  HideInplaceEdit();
  if (Navigation()->AppendOnArrowDown && Key == VK_DOWN && IsLastDataRow()) AutoAppendRow();
  if (Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN)) {
    Word key = Key;
    KeyDown(key, Shift);
  }
  Navigation()->AlwaysEdit = false;
  if (CanFocus()) SetFocus();
  if (Key == VK_RETURN) AdvanceOnEnterStep(Col(), Row(), false);
}

void TRivErodovOzar::NotifyEditDone(int ACol, int ARow) {
  if (OnEditingDone) OnEditingDone(this);
  EditMode = false;
  PostMessage(Handle(), GridEditDoneMessage(), static_cast<WPARAM>(ACol), static_cast<LPARAM>(ARow));
}

void TRivErodovOzar::HandleEditDone(TMessage& Message) {
  if (OnEditCellDone) OnEditCellDone(this, static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
  if (MouseActions()->EditOnDblClickOnly()) {
    HideInplaceEdit();
    EditMode = false;
    SetOptions(Options() - goEditing);
  }
  Message.Result = 0;
}

// The user's mouse events never see the simulated click.
void TRivErodovOzar::SimulateCellClick(int ACol, int ARow) {
  const TRect r = CellRect(ACol, ARow);
  FForceSel = true;
  TMouseEvent down = OnMouseDown;
  TMouseEvent up = OnMouseUp;
  OnMouseDown = nullptr;
  OnMouseUp = nullptr;
  struct Restore {
    TRivErodovOzar* Grid;
    TMouseEvent Down;
    TMouseEvent Up;
    ~Restore() {
      Grid->OnMouseDown = Down;
      Grid->OnMouseUp = Up;
      Grid->FForceSel = false;
    }
  } restore{this, down, up};
  MouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
  MouseUp(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
}

void TRivErodovOzar::DoEllipsClick(const String& S, String& Result) {
  Result = S;
  if (OnEllipsClick) {
    String value = S;
    OnEllipsClick(this, RealColIndex(Col()), Row(), value);
    Result = value;
  }
}

// ---- Controls embedded in cells ----

void TRivErodovOzar::CellControlsUpdate(bool RebuildList) {
  if (!HandleAllocated()) return;
  if (RebuildList) {
    while (FControlList->Count() > 0) FControlList->RemoveControl(FControlList->Count() - 1);
    for (int c = 0; c < ColCount(); ++c)
      for (int r = 0; r < RowCount(); ++r)
        if (HasCellProperties(c, r) && GetCellProperties(c, r)->Control() != nullptr)
          FControlList->AddControl(c, r, GetCellProperties(c, r)->Control());
    FNumCellControls = FControlList->Count();
  }
  if (FNumCellControls == 0) return;
  const int lastCol = LeftCol() + VisibleColCount();
  const int lastRow = TopRow() + VisibleRowCount();
  auto inView = [&](int col, int row) { return col >= LeftCol() && col <= lastCol && row >= TopRow() && row <= lastRow; };
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* item = FControlList->ControlAt(i);
    TControl* control = item->Control();
    const bool hiddenRow = IsHiddenRow(item->Y());
    if (hiddenRow || IsHiddenColumn(item->X())) control->Hide();
    const int col = DisplColFromReal(item->X());
    const int row = DisplRowIndex(item->Y());
    if (row < FixedRows() || col < FixedCols()) continue;
    if (!inView(col, row) || hiddenRow) {
      control->Hide();
      continue;
    }
    const TRect r = CellRect(col, row);
    control->SetBounds(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
    control->Show();
  }
  // Controls in view lay themselves out and repaint again.
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem* item = FControlList->ControlAt(i);
    const int col = DisplColFromReal(item->X());
    const int row = DisplRowIndex(item->Y());
    if (!inView(col, row) || row < FixedRows() || col < FixedCols()) continue;
    TControl* control = HasCellProperties(item->X(), row) ? GetCellProperties(item->X(), row)->Control() : nullptr;
    if (control == nullptr || !control->Visible()) continue;
    control->Invalidate();
    control->SetWidth(control->Width() + 1);
    control->SetWidth(control->Width() - 1);
  }
}

void TRivErodovOzar::TopLeftChanged() {
  TBaseGrid::TopLeftChanged();
  // Scrolling closes a special editor (writing its value); the plain editor moves with the grid.
  if (EditMode && EditControl != edNormal && FSpecialEditor) HideInplaceEdit();
  if (FloatingFooterVisible) Invalidate();
  CellControlsUpdate(false);
  FOldLeftCol = LeftCol();
  FOldTopRow = TopRow();
  if (IsDesigning()) Invalidate();
  auto* sync = dynamic_cast<TRivErodovOzar*>(SyncGrid()->Grid());
  if (sync != nullptr) {
    if (SyncGrid()->ScrollVertical) sync->SetTopRow(TopRow());
    if (SyncGrid()->ScrollHorizontal) sync->SetLeftCol(LeftCol());
  }
}

// ---- Key release ----

void TRivErodovOzar::KeyUp(Word& Key, TShiftState Shift) {
  const Word key = Key;
  if (key == VK_PRIOR || key == VK_NEXT || key == VK_END || (key >= VK_LEFT && key <= VK_DOWN) || key == VK_INSERT ||
      key == VK_DELETE)
    SearchInc.clear();
  TBaseGrid::KeyUp(Key, Shift);
  if (Navigation()->AlwaysEdit) {
    const bool arrow = key >= VK_LEFT && key <= VK_DOWN;
    const bool tab = key == VK_TAB && Options().Contains(goTabs);
    if ((arrow || tab) && !HasControlGraphic(RealColIndex(Col()), Row())) ShowInplaceEdit();
  }
  if (!MouseActions()->DisjunctCellSelect() || key != VK_SPACE || Options().Contains(goEditing)) return;
  const TPoint base = BaseCell(Col(), Row());
  if (!IsFixed(base.X, base.Y) && !PickDisjunctCell(base, Shift.Contains(ssCtrl))) return;
  AddSelectionToDisjunctCells(base);
  RepaintCell(Col(), Row());
}

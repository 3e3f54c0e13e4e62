// The date pickers and the drop-down pickers as grid editors: the keys that end an edit, the
// field advance of the date picker, focus loss and change reports.
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/ZudAzud.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/editing/GridEditorControls.h"
#include "grid/model/RivErodovOzar.h"

namespace {
TRivErodovOzar* GridOf(TComponent* AOwner) { return dynamic_cast<TRivErodovOzar*>(AOwner); }

UINT ShiftFocusMessage() {
  static const UINT id = RegisterWindowMessage("DTPShiftFocus");
  return id;
}
}  // namespace

// ---- TGridDatePicker --------------------------------------------------------------------------

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TDateTimePicker(AOwner), FGrid(GridOf(AOwner)) {}

void TGridDatePicker::DoShiftFocus() {
  Word y, m, d, h, mi, s, ms;
  DecodeDate(DateTime(), y, m, d);
  DecodeTime(DateTime(), h, mi, s, ms);
  if (Kind() == dtkTime) {
    if (h == Fth && mi == Ftm && s == Fts) return;
  } else if (!Format().empty()) {
    const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(Format().back())));
    const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
    if (!dayChanged && !monthChanged && !yearChanged) return;
    if ((last == 'D' && dayChanged) || (last == 'M' && monthChanged) || (last == 'Y' && yearChanged)) return;
  } else if (d == Fd && m == Fm) {
    return;
  }
  PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::KeyPress(char& Key) {
  if (FGrid != nullptr && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  TDateTimePicker::KeyPress(Key);
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift) {
  const bool leaving = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
                       Key == VK_END;
  if (FGrid == nullptr || !leaving) {
    TDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    FGrid->CancelSpecialEdit();
    TDateTime v = 0;
    const String stored = FGrid->CurrentCell();
    const bool read = Kind() == dtkTime ? TryReadTime(stored, v) : ParseDateTimeLocale(stored, v);
    SetDateTime(read ? v : Now());
  }
  const bool validates = Key == VK_RETURN || (Key == VK_TAB && FGrid->EditorWantsTab());
  if (validates) {
    if (!FGrid->ValidateSpecialEdit(Text())) {
      Invalidate();
      Key = 0;
      FGrid->FNoAutoAdvance = true;
      return;
    }
  }
  const Word key = Key;
  Key = 0;
  if (key == VK_TAB && FGrid->EditorWantsTab()) {
    if (FGrid->Options().Contains(goTabs)) {
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus()) FGrid->SetFocus();
      FGrid->TabMove(Shift.Contains(ssShift));
      return;
    }
    PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (key == VK_RETURN && FGrid->Navigation()->AdvanceOnEnter) {
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
    return;
  }
  if (!FOldDropped) FGrid->DoneInplaceEdit(key, Shift);
}

void TGridDatePicker::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CHAR && Message.WParam >= '0' && Message.WParam <= '9') {
    DecodeDate(DateTime(), Fy, Fm, Fd);
    DecodeTime(DateTime(), Fth, Ftm, Fts, Ftms);
    TDateTimePicker::WndProc(Message);
    PostMessage(Handle(), ShiftFocusMessage(), 0, 0);
    return;
  }
  if (Message.Msg == ShiftFocusMessage()) {
    DoShiftFocus();
    return;
  }
  if (Message.Msg == CM_WANTSPECIALKEY && FGrid != nullptr) {
    TDateTimePicker::WndProc(Message);
    const auto key = static_cast<Word>(Message.WParam);
    if (key == VK_RETURN || key == VK_ESCAPE || (key == VK_TAB && FGrid->EditorWantsTab())) Message.Result = 1;
    return;
  }
  TDateTimePicker::WndProc(Message);
}

void TGridDatePicker::DoExit() {
  if (FGrid != nullptr && FGrid->FSpecialEditor) FGrid->HideInplaceEdit();
  TDateTimePicker::DoExit();
}

// ---- TGridDateTimePicker ----------------------------------------------------------------------

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner) : TRivDateTimePicker(AOwner), FGrid(GridOf(AOwner)) {}

void TGridDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  if (FGrid == nullptr) {
    TRivDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    FGrid->CancelSpecialEdit();
    SetDateTime(FGrid->FDateTimeSaved);
    Key = 0;
    if (FGrid->CanFocus()) FGrid->SetFocus();
    return;
  }
  if (Key == VK_RETURN) {
    Key = 0;
    if (FGrid->CanFocus()) FGrid->SetFocus();
    if (FGrid->Navigation()->AdvanceOnEnter) FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), true, false, true, true, false);
    return;
  }
  if (Key == VK_TAB && FGrid->EditorWantsTab()) {
    Key = 0;
    if (FGrid->CanFocus()) FGrid->SetFocus();
    FGrid->SetCurrentCell(Text());
    FGrid->TabMove(Shift.Contains(ssShift));
    return;
  }
  TRivDateTimePicker::KeyDown(Key, Shift);
}

// ---- Drop-down pickers ------------------------------------------------------------------------

bool TGridPickerKeys::IsLeavingKey(Word Key, TShiftState Shift, bool) const {
  if (Shift.Contains(ssAlt) && Key == VK_DOWN) return false;
  return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
         Key == VK_END || Key == VK_UP || Key == VK_DOWN;
}

bool TGridColorDropDown::IsLeavingKey(Word Key, TShiftState Shift, bool Dropped) const {
  if (Dropped) return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
  return Key == VK_HOME || TGridPickerKeys::IsLeavingKey(Key, Shift, Dropped);
}

bool TGridPickerKeys::LeavingKeyDown(TRivCustomDropDown* Picker, TRivErodovOzar* Grid, Word& Key, TShiftState Shift) {
  Forced = false;
  const bool dropped = Picker->DroppedDown();
  if (Grid == nullptr || !IsLeavingKey(Key, Shift, dropped)) {
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    return false;
  }
  WorkMode = true;
  if (Key == VK_ESCAPE) {
    Grid->CancelSpecialEdit();
    Picker->SetText(Grid->CurrentCell());
    Grid->HideInplaceEdit();
    if (Grid->CanFocus()) Grid->SetFocus();
    Key = 0;
    return true;
  }
  if (Key == VK_RETURN) BeforeEnter();
  const bool tab = Key == VK_TAB && Grid->EditorWantsTab();
  if (ValidatesKey(Key) || tab) {
    if (!Grid->ValidateSpecialEdit(Picker->Text())) {
      Picker->SetText(Grid->FNewCellText);
      if (tab)
        Picker->SetSelStart(static_cast<int>(Picker->EditText().size()));
      else
        Picker->SelectAll();
      Picker->Invalidate();
      Key = 0;
      Grid->FNoAutoAdvance = true;
      return true;
    }
    Picker->SetText(Grid->CurrentCell());
  }
  if (tab) {
    if (Grid->Options().Contains(goTabs)) {
      Grid->HideInplaceEdit();
      if (Grid->CanFocus()) Grid->SetFocus();
      Grid->TabMove(Shift.Contains(ssShift));
      Key = 0;
      return true;
    }
    PostMessage(Grid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (dropped) {
    Grid->HideInplaceEdit();
  } else if (Key == VK_END) {
    return false;
  }
  const Word key = Key;
  Key = 0;
  Grid->DoneInplaceEdit(key, Shift);
  if (Grid->Navigation()->AdvanceOnEnter && Grid->Navigation()->AdvanceAutoEdit) Grid->ShowInplaceEdit();
  return true;
}

void TGridPickerKeys::WantSpecialKey(TRivErodovOzar* Grid, TMessage& Message) const {
  const auto key = static_cast<Word>(Message.WParam);
  if (Grid != nullptr && key == VK_TAB && Grid->EditorWantsTab()) Message.Result = 1;
  if (KeepsEnterAndEscape() && (key == VK_RETURN || key == VK_ESCAPE)) Message.Result = 1;
}

template <class TBase>
TGridPicker<TBase>::TGridPicker(TComponent* AOwner) : TBase(AOwner), FGrid(GridOf(AOwner)) {
  WorkMode = true;
}

template <class TBase>
void TGridPicker<TBase>::KeyDown(Word& Key, TShiftState Shift) {
  if (!LeavingKeyDown(this, FGrid, Key, Shift)) TBase::KeyDown(Key, Shift);
}

template <class TBase>
void TGridPicker<TBase>::KeyPress(char& Key) {
  if (FGrid != nullptr && FGrid->OnKeyPress) FGrid->OnKeyPress(this, Key);
  if (Key == 27 || Key == '\r' || Key == '\t') {
    Key = 0;
    return;
  }
  TBase::KeyPress(Key);
}

template <class TBase>
void TGridPicker<TBase>::WndProc(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY) {
    TBase::WndProc(Message);
    WantSpecialKey(FGrid, Message);
    return;
  }
  TBase::WndProc(Message);
}

template <class TBase>
void TGridPicker<TBase>::DoExit() {
  // Focus that moved into the picker's own pop-up does not end the edit.
  const bool intoPopup = this->DropDownForm() != nullptr && this->DropDownForm()->Visible();
  if (FGrid != nullptr && FGrid->EditActive() && !intoPopup) FGrid->HideInplaceEdit();
  TBase::DoExit();
}

template <class TBase>
void TGridPicker<TBase>::DoEnter() {
  TBase::DoEnter();
  if (FGrid != nullptr) FGrid->LButFlg = false;
}

template <class TBase>
void TGridPicker<TBase>::Change() {
  TBase::Change();
  if (FGrid != nullptr && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), this->Text());
}

TGridTimepickerDropDown::TGridTimepickerDropDown(TComponent* AOwner) : TGridPicker(AOwner) { FFocusDraw = false; }

template class TGridPicker<TRivTrackBarDropDown>;
template class TGridPicker<TRivMemoDropDown>;
template class TGridPicker<TRivCalculatorDropdown>;
template class TGridPicker<TRivTimePickerDropDown>;
template class TGridPicker<TRivDetailDropDown>;
template class TGridPicker<TRivMultiColumnDropDown>;
template class TGridPicker<TRivColorPickerDropDown>;
template class TGridPicker<TRivImagePickerDropDown>;
template class TGridPicker<TCustomRivGridDropDown>;

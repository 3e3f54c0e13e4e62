// The keys of the grid drop-down: navigation in the edit, Enter and Escape against the lookup
// list, the keys that reach it from the grid in the pop-up, the lookup of typed characters in
// the lookup column and the completion of the text typed into the edit.
#include <algorithm>

#include "classlib/WinApi.h"
#include "grid/dropdown/RivCustomGridDropDown.h"
#include "grid/dropdowns/RivLookupText.h"

namespace RivCustomGridDropDown {

// ---- Lookup ---------------------------------------------------------------------------------------

bool TCustomRivGridDropDown::FindLookup(const String& s, String& Found, int& Number) const {
  if (s.empty()) return false;
  if (UseItems) {
    for (int i = 0; i < FItems->Count(); ++i) {
      // An item without a string in the lookup column has the empty one there.
      const String candidate = FItems->Items(i)->ColumnText(LookupColumn);
      if (!LookupStartsWith(candidate, s, CaseSensitive)) continue;
      Found = candidate;
      Number = i;
      return true;
    }
    return false;
  }
  if (FRivColGrid == nullptr) return false;
  for (int r = FRivColGrid->FixedRows(); r < FRivColGrid->RowCount(); ++r) {
    const String candidate = FRivColGrid->GetRawCellText(LookupColumn, r);
    if (!LookupStartsWith(candidate, s, CaseSensitive)) continue;
    Found = candidate;
    Number = r;
    return true;
  }
  return false;
}

int TCustomRivGridDropDown::DoLookup(char Key) {
  if (Key == '\b') {
    if (SelLength() == 0) {
      if (!FLookupEntry.empty()) FLookupEntry.pop_back();
      AssignText(FLookupEntry);
    } else {
      // Exactly the selection goes.
      String text = EditText();
      const auto start = static_cast<size_t>(std::clamp(SelStart(), 0, static_cast<int>(text.size())));
      text.erase(start, static_cast<size_t>(SelLength()));
      AssignText(text);
    }
    SetSelStart(static_cast<int>(EditText().size()));
    return -1;
  }
  if (Key != '\t') FLookupEntry += Key;
  const String s = Trim(FLookupEntry);
  String found;
  int number = -1;
  auto choose = [&]() {
    FItemIndex = UseItems ? number : number - (FRivColGrid != nullptr ? FRivColGrid->FixedRows() : 1);
    AssignText(found);
  };
  if (FindLookup(s, found, number)) {
    choose();
    if (FStyle == dsDropDown) {
      const int from = std::min(static_cast<int>(FLookupEntry.size()), static_cast<int>(found.size()));
      SetSelStart(from);
      SetSelLength(static_cast<int>(found.size()) - from);
    }
    return number;
  }
  if (FStyle == dsDropDown) return -1;
  // A list takes no text it does not hold: the lookup starts over with the character alone.
  if (FindLookup(String(1, Key), found, number)) {
    choose();
    FLookupEntry = String(1, Key);
    return number;
  }
  FLookupEntry.clear();
  return -1;
}

void TCustomRivGridDropDown::UpdateLookupItems() {
  if (LookupColumn < 0 || FItems->Count() == 0) return;
  FLookupItems->BeginUpdate();
  FLookupItems->Clear();
  for (int i = 0; i < FItems->Count(); ++i) FLookupItems->Add(FItems->Items(i)->ColumnText(LookupColumn));
  FLookupItems->EndUpdate();
}

// ---- Keys from the grid ---------------------------------------------------------------------------

namespace {
bool IsGridNavigationKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}
}  // namespace

void TCustomRivGridDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (!(IsGridNavigationKey(Key) && !Shift.Contains(ssAlt))) TRivCustomDropDown::ControlKeyDown(Key, Shift);
  if (OnGridKeyDown) OnGridKeyDown(this, Key, Shift);
}

void TCustomRivGridDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (IsGridNavigationKey(Key) && !Shift.Contains(ssAlt))
    FLookupEntry.clear();
  else
    TRivCustomDropDown::ControlKeyUp(Key, Shift);
  if (OnGridKeyUp) OnGridKeyUp(this, Key, Shift);
}

void TCustomRivGridDropDown::ControlKeyPress(char& Key) {
  TRivColGrid* grid = FRivColGrid;
  const bool altUp = GetKeyState(VK_MENU) >= 0;
  const bool editable = grid != nullptr && grid->Options().Contains(goEditing);
  if (((Key == '\r' || Key == 27) && altUp) || editable || grid == nullptr) {
    FLookupEntry.clear();
  } else {
    int v = DoLookup(Key);
    if (v != -1 && UseItems) v = RowOfItem(v);
    if (v >= grid->FixedRows() && v < grid->RowCount()) {
      if (grid->VisibleRowCount() + grid->FixedRows() < grid->RowCount()) grid->SetTopRow(v);
      grid->SetRow(v);
      grid->SetCol(0);
      grid->RepaintRow(v);
    } else {
      FLookupEntry.clear();
    }
  }
  if (OnGridKeyPress) OnGridKeyPress(this, Key);
}

// ---- Keys in the edit -------------------------------------------------------------------------------

bool TCustomRivGridDropDown::GridEditing() const {
  return FRivColGrid != nullptr && FRivColGrid->Options().Contains(goEditing) && FRivColGrid->EditMode;
}

void TCustomRivGridDropDown::HandleKeyDown(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  if (key == VK_RETURN && FRivColGrid != nullptr) FRivColGrid->FConfirmSelection = true;
  TRivCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0 || !IsGridNavigationKey(key)) return;
  FLookupEntry.clear();
  const bool list = FStyle == dsDropDownList && GetKeyState(VK_SHIFT) >= 0;
  switch (key) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END:
      if (list) SelectLast();
      break;
    case VK_HOME:
      if (list) SelectFirst();
      break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    default: break;
  }
}

void TCustomRivGridDropDown::HandleChar(TMessage& Message) {
  const char key = static_cast<char>(Message.WParam);
  TRivCustomDropDown::WndProc(Message);
  DoLookup(key);
  if (AutoShowDropDown) ShowDropDown();
}

void TCustomRivGridDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (GridEditing() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
    FRivColGrid->HideInplaceEdit();
    AssignText(FRivColGrid->GetRawCellText(LookupColumn, FRivColGrid->Row()));
    SetItemIndex(FRivColGrid->Row() - FRivColGrid->FixedRows());
    Key = 0;
    return;
  }
  if (LookupColumn < 0 || FItems->Count() == 0) {
    TRivCustomDropDown::KeyDown(Key, Shift);
    return;
  }
  const Word key = Key;
  if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
    workmode = false;
  } else if (Key == VK_RETURN) {
    const int i = FLookupItems->IndexOf(Text());
    if (i >= 0) {
      AssignText(FLookupItems->Strings(i));
      SetItemIndex(i);
      Change();
    }
    if (ReturnIsTab) {
      PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
      Key = 0;
    }
  } else {
    workmode = true;
  }
  if (key == VK_ESCAPE || (key >= VK_PRIOR && key <= VK_DOWN)) FLookupEntry.clear();
  TRivCustomDropDown::KeyDown(Key, Shift);
  if (key == VK_ESCAPE) SetItemIndex(FLookupItems->IndexOf(Text()));
}

void TCustomRivGridDropDown::KeyPress(char& Key) {
  if (Key == '\r' && ReturnIsTab) {
    Key = 0;
    return;
  }
  TRivCustomDropDown::KeyPress(Key);
}

void TCustomRivGridDropDown::KeyUp(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && ReturnIsTab)) TRivCustomDropDown::KeyUp(Key, Shift);
  if (GridEditing() && Key == VK_RETURN && !Shift.Contains(ssShift)) {
    if (FRivColGrid->Col() == LookupColumn)
      HideDropDown(false);
    else
      FRivColGrid->HideInplaceEdit();
  }
  if (!FItemChange) return;
  SetItemIndex(FItemIdx);
  const int length = static_cast<int>(EditText().size());
  SetSelStart(std::min(FItemSel, length));
  SetSelLength(length - std::min(FItemSel, length));
  FItemChange = false;
}

void TCustomRivGridDropDown::Change() {
  if (FBlockChange) {
    TRivCustomDropDown::Change();
    return;
  }
  FItemChange = false;
  TRivCustomDropDown::Change();
  if (ComponentState().Contains(csDesigning) || !workmode) return;
  SetModifiedFlag(Text() != FOldValue);
  const String text = EditText();
  const String typed = text.substr(0, static_cast<size_t>(std::clamp(SelStart(), 0, static_cast<int>(text.size()))));
  for (int i = 0; i < FLookupItems->Count(); ++i) {
    const String entry = FLookupItems->Strings(i);
    if (!LookupStartsWith(entry, typed, MatchCase)) continue;
    AssignText(typed + entry.substr(typed.size(), 255));
    FItemIndex = i;
    FItemIdx = i;
    FItemSel = static_cast<int>(typed.size());
    FItemChange = true;
    SetSelStart(FItemSel);
    SetSelLength(static_cast<int>(EditText().size()) - FItemSel);
    return;
  }
  if (!typed.empty() && typed != text) {
    AssignText(typed);
    SetSelStart(static_cast<int>(typed.size()));
  }
}

void TCustomRivGridDropDown::ApplyText(const String& Value) {
  TRivCustomDropDown::ApplyText(Value);
  // The modified mark measures typing from the value loaded last.
  FOldValue = Text();
}

void TCustomRivGridDropDown::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      HandleKeyDown(Message);
      return;
    case WM_CHAR:
      HandleChar(Message);
      return;
    default:
      TRivCustomDropDown::WndProc(Message);
  }
}

}  // namespace RivCustomGridDropDown

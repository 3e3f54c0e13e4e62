// The keys of the multi-column drop-down: navigation in the edit, Enter and Escape against the
// lookup list, the keys that reach it from the list in the pop-up, the lookup of characters
// typed into the list and the completion of the text typed into the edit.
#include <algorithm>
#include <cctype>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivLookupText.h"
#include "grid/dropdowns/RivMultiColumnDropDown.h"

namespace RivMultiColumnDropDown {

// ---- Lookup in the list -----------------------------------------------------------------------

bool TRivMultiColumnDropDown::FindLookup(const String& s, int& Index, String& Found) const {
  if (FRivColGrid == nullptr || s.empty()) return false;
  for (int i = 0; i < FItems->Count(); ++i) {
    // An item without a string in the lookup column has the empty one there.
    const String candidate = FItems->Items(i)->ColumnText(FLookupColumn);
    if (LookupStartsWith(candidate, s, CaseSensitive)) {
      Index = i;
      Found = candidate;
      return true;
    }
  }
  return false;
}

int TRivMultiColumnDropDown::DoLookup(char Key) {
  if (Key == '\b') {
    if (SelLength() == 0) {
      if (!FLookupEntry.empty()) FLookupEntry.pop_back();
      AssignText(FLookupEntry);
    } else {
      // Exactly the selection goes.
      String text = EditText();
      text.erase(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
      AssignText(text);
    }
    SetSelStart(static_cast<int>(EditText().size()));
    return -1;
  }
  // Only letters, digits and punctuation make up the lookup text.
  const auto u = static_cast<unsigned char>(Key);
  const bool text = std::isalnum(u) || std::ispunct(u) || u >= 0x80;
  if (text) FLookupEntry += Key;
  int index = -1;
  String found;
  if (FindLookup(FLookupEntry, index, found)) {
    FItemIndex = index;
    AssignText(found);
    SetSelStart(static_cast<int>(FLookupEntry.size()));
    SetSelLength(static_cast<int>(found.size() - std::min(found.size(), FLookupEntry.size())));
    return index;
  }
  // Nothing starts so: the lookup starts over with the character alone.
  if (text && FindLookup(String(1, Key), index, found)) {
    FItemIndex = index;
    AssignText(found);
    FLookupEntry = String(1, Key);
    SetSelStart(1);
    SetSelLength(static_cast<int>(found.size()) - 1);
    return index;
  }
  FLookupEntry.clear();
  return -1;
}

void TRivMultiColumnDropDown::UpdateLookupItems() {
  if (FLookupColumn < 0 || FItems->Count() == 0) return;
  FLookupItems->BeginUpdate();
  FLookupItems->Clear();
  for (int i = 0; i < FItems->Count(); ++i) FLookupItems->Add(FItems->Items(i)->ColumnText(FLookupColumn));
  FLookupItems->EndUpdate();
}

// ---- Keys from the list --------------------------------------------------------------------------

void TRivMultiColumnDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  const bool stays = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
  if (stays && !Shift.Contains(ssAlt)) return;
  TRivCustomDropDown::ControlKeyDown(Key, Shift);
}

void TRivMultiColumnDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  const bool stays = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
  if (stays && !Shift.Contains(ssAlt)) return;
  TRivCustomDropDown::ControlKeyUp(Key, Shift);
}

void TRivMultiColumnDropDown::ControlKeyPress(char& Key) {
  const bool altUp = GetKeyState(VK_MENU) >= 0;
  const bool editable = FRivColGrid != nullptr && FRivColGrid->Options().Contains(goEditing);
  if (!((Key == '\r' || Key == 27) && altUp) && !editable) {
    const int i = DoLookup(Key);
    if (i != -1 && FRivColGrid != nullptr) {
      const int r = i + FRivColGrid->FixedRows();
      if (FRivColGrid->VisibleRowCount() + FRivColGrid->TopRow() < r || r < FRivColGrid->TopRow())
        FRivColGrid->SetTopRow(r);
      FRivColGrid->SetRow(r);
      FRivColGrid->SetCol(0);
    }
    return;
  }
  FLookupEntry.clear();
}

// ---- Keys in the edit -------------------------------------------------------------------------------

void TRivMultiColumnDropDown::HandleKeyDown(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  TRivCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
  switch (key) {
    case VK_PRIOR: SelectPreviousPage(); break;
    case VK_NEXT: SelectNextPage(); break;
    case VK_END:
      if (!EditorEnabled()) SelectLast();
      break;
    case VK_HOME:
      if (!EditorEnabled()) SelectFirst();
      break;
    case VK_UP: SelectPrevious(); break;
    case VK_DOWN: SelectNext(); break;
    default: break;
  }
}

void TRivMultiColumnDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (FLookupColumn < 0 || FItems->Count() == 0) {
    TRivCustomDropDown::KeyDown(Key, Shift);
    return;
  }
  const Word key = Key;
  if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
    workmode = false;
  } else if (Key == VK_RETURN) {
    const int i = FLookupItems->IndexOf(Text());
    if (i >= 0) {
      SetItemIndex(i);
      Change();
    }
    if (FReturnIsTab) {
      PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
      Key = 0;
    }
  } else {
    workmode = true;
  }
  TRivCustomDropDown::KeyDown(Key, Shift);
  if (key == VK_ESCAPE) SetItemIndex(FLookupItems->IndexOf(Text()));
}

void TRivMultiColumnDropDown::KeyPress(char& Key) {
  if (Key == '\r' && FReturnIsTab) {
    Key = 0;
    return;
  }
  TRivCustomDropDown::KeyPress(Key);
}

void TRivMultiColumnDropDown::KeyUp(Word& Key, TShiftState Shift) {
  if (!(Key == VK_RETURN && FReturnIsTab)) TRivCustomDropDown::KeyUp(Key, Shift);
  if (!FItemChange) return;
  SetItemIndex(FItemIdx);
  const int length = static_cast<int>(EditText().size());
  SetSelStart(std::min(FItemSel, length));
  SetSelLength(length - std::min(FItemSel, length));
  FItemChange = false;
}

void TRivMultiColumnDropDown::Change() {
  if (FBlockChange) {
    FBlockChange = false;
    return;
  }
  FItemChange = false;
  TRivCustomDropDown::Change();
  if (ComponentState().Contains(csDesigning) || !workmode) return;
  SetModifiedFlag(Text() != FOldValue);
  const String text = EditText();
  const String typed = text.substr(0, static_cast<size_t>(std::clamp(SelStart(), 0, static_cast<int>(text.size()))));
  if (typed.empty()) return;
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
  // Nothing completes it: the text stays as typed.
}

void TRivMultiColumnDropDown::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      HandleKeyDown(Message);
      return;
    case WM_SETFOCUS:
      TRivCustomDropDown::WndProc(Message);
      // Typing marks the control modified against the value it had when entered.
      FOldValue = Text();
      return;
    default:
      TRivCustomDropDown::WndProc(Message);
  }
}

}  // namespace RivMultiColumnDropDown

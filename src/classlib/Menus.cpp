#include "classlib/Menus.h"

#include <algorithm>
#include <cctype>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "classlib/qt/Views.h"

namespace {
UINT NextCommand() {
  static UINT next = 100;
  return next++;
}

struct KeyName {
  Word Key;
  const char* Name;
};
constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"}, {VK_END, "End"}, {VK_HOME, "Home"}, {VK_LEFT, "Left"},
    {VK_UP, "Up"}, {VK_RIGHT, "Right"}, {VK_DOWN, "Down"}, {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

String KeyToText(Word key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F12) {
    String name = "F";
    name += IntToStr(key - VK_F1 + 1);
    return name;
  }
  for (const KeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return "";
}
}  // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if ((Key & 0xFF00) != 0) return scNone;
  TShortCut s = Key;
  if (Shift.Contains(ssShift)) s |= scShift;
  if (Shift.Contains(ssCtrl)) s |= scCtrl;
  if (Shift.Contains(ssAlt)) s |= scAlt;
  return s;
}

void ShortCutToKey(TShortCut Value, Word& Key, TShiftState& Shift) {
  Key = Value & 0xFF;
  Shift = {};
  if (Value & scShift) Shift.Include(ssShift);
  if (Value & scCtrl) Shift.Include(ssCtrl);
  if (Value & scAlt) Shift.Include(ssAlt);
}

String ShortCutToText(TShortCut Value) {
  String name = KeyToText(Value & 0xFF);
  if (name.empty()) return "";
  String prefix;
  if (Value & scShift) prefix += "Shift+";
  if (Value & scCtrl) prefix += "Ctrl+";
  if (Value & scAlt) prefix += "Alt+";
  return prefix + name;
}

TShortCut TextToShortCut(const String& Text) {
  for (int k = 1; k < 256; ++k) {
    Word key = static_cast<Word>(k);
    for (TShortCut mods : {TShortCut{0}, scShift, scCtrl, scAlt, TShortCut(scShift | scCtrl),
                           TShortCut(scCtrl | scAlt), TShortCut(scShift | scAlt)}) {
      TShortCut s = static_cast<TShortCut>(key | mods);
      String t = ShortCutToText(s);
      if (!t.empty() && t.size() == Text.size() &&
          std::equal(t.begin(), t.end(), Text.begin(),
                     [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) ==
                                                 std::toupper(static_cast<unsigned char>(b)); }))
        return s;
    }
  }
  return scNone;
}

String StripHotkey(const String& Caption) {
  String out;
  for (size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Caption[i];
  }
  return out;
}

char GetHotkey(const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(Caption[i + 1])));
  }
  return '\0';
}

// ---------------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(NextCommand()) {}

TMenuItem::~TMenuItem() {
  if (FParent != nullptr) FParent->Remove(this);
  for (TMenuItem* item : FItems) item->FParent = nullptr;
}

void TMenuItem::Changed() {
  if (TMenu* menu = GetParentMenu()) menu->ItemChanged(this);
}

void TMenuItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  Changed();
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (Value && RadioItem && FParent != nullptr)
    for (TMenuItem* sibling : FParent->FItems)
      if (sibling != this && sibling->RadioItem && sibling->GroupIndex == GroupIndex && sibling->FChecked) {
        sibling->FChecked = false;
        sibling->Changed();
      }
  Changed();
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  Changed();
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed();
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  // A value still being typed reaches its data before the command reads it (a command that
  // opens a window or saves would miss it otherwise); a refused value keeps its editor open.
  if (HWND focus = GetFocus(); focus != nullptr && SendMessage(focus, CM_ENDEDIT, 0, 0) != 0) return;
  if (AutoCheck) SetChecked(!FChecked);
  if (OnClick) OnClick(this);
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->FParent != nullptr) Item->FParent->Remove(Item);
  Index = std::clamp(Index, 0, Count());
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
  Changed();
}

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

void TMenuItem::Clear() {
  while (!FItems.empty()) {
    TMenuItem* item = FItems.back();
    Remove(item);
    if (item->Owner() == nullptr) delete item;
  }
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent != nullptr) item = item->FParent;
  return item->FMenu;
}

TMenuItem* TMenuItem::Find(const String& ACaption) const {
  String wanted = StripHotkey(ACaption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

TMenuItem* TMenuItem::AddItem(const String& ACaption, TShortCut AShortCut, TNotifyEvent AOnClick) {
  auto* item = new TMenuItem(Owner());
  item->FCaption = ACaption;
  item->FShortCut = AShortCut;
  item->OnClick = std::move(AOnClick);
  Add(item);
  return item;
}

TMenuItem* TMenuItem::AddSeparator() { return AddItem("-"); }

// ---------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(nullptr)) { FItems->FMenu = this; }

TMenu::~TMenu() {
  FItems->FMenu = nullptr;
  delete FItems;
}

namespace {
TMenuItem* FindCommandIn(TMenuItem* item, UINT command) {
  if (item->Command() == command) return item;
  for (int i = 0; i < item->Count(); ++i)
    if (TMenuItem* found = FindCommandIn(item->Items(i), command)) return found;
  return nullptr;
}

TMenuItem* FindShortCutIn(TMenuItem* item, TShortCut value) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* sub = item->Items(i);
    if (sub->ShortCut() == value) return sub;
    if (TMenuItem* found = FindShortCutIn(sub, value)) return found;
  }
  return nullptr;
}

bool Reachable(TMenuItem* item) {
  // The hidden root item has no parent and does not count.
  for (TMenuItem* i = item; i->Parent() != nullptr; i = i->Parent())
    if (!i->Enabled() || !i->Visible()) return false;
  return true;
}
}  // namespace

TMenuItem* TMenu::FindItem(UINT Command) const { return FindCommandIn(FItems, Command); }

TMenuItem* TMenu::FindShortCut(TShortCut Value) const {
  if (Value == scNone) return nullptr;
  return FindShortCutIn(FItems, Value);
}

bool TMenu::IsShortCut(Word Key, TShiftState Shift) {
  TMenuItem* item = FindShortCut(::ShortCut(Key, Shift));
  if (item == nullptr || !Reachable(item)) return false;
  // A shortcut on an item with sub-items opens nothing by itself.
  if (item->Count() > 0) return true;
  item->Click();
  return true;
}

void TMenu::ItemChanged(TMenuItem* Item) {
  if (OnItemChanged) OnItemChanged(Item);
}

void TPopupMenu::Popup(int X, int Y) {
  if (OnPopup) OnPopup(this);
  // With real windows the menu shows; headless, the program's items are clicked from code.
  if (Application->ViewsEnabled() && Views::Count() > 0) Views::PopupMenu(Items(), X, Y);
}

// Menus: main menus of forms and pop-up menus, made of menu items with captions ('&' marks
// the access key), shortcuts, check marks, separators ("-") and sub-menus.
#pragma once

#include <vector>

#include "classlib/Component.h"
#include "classlib/Messages.h"

// A shortcut: the key code in the low byte, with scShift, scCtrl and scAlt added.
using TShortCut = Word;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// "Ctrl+N", "F1", "Shift+Del" and the like.
String ShortCutToText(TShortCut ShortCut);
TShortCut TextToShortCut(const String& Text);
// The caption without its access-key marks ("&&" stays one '&').
String StripHotkey(const String& Caption);
// The access key of a caption ('\0' when none), upper-cased.
char GetHotkey(const String& Caption);

class TMenu;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool RadioItem = false;
  bool AutoCheck = false;
  int GroupIndex = 0;
  String Hint;

  TNotifyEvent OnClick;
  // Runs the item's command (as a person choosing it does).
  virtual void Click();

  // Sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  TMenuItem* Parent() const { return FParent; }
  TMenu* GetParentMenu() const;
  // The sub-item whose caption, access-key marks ignored, is ACaption.
  TMenuItem* Find(const String& ACaption) const;

  bool IsLine() const { return FCaption == "-"; }
  // The id a WM_COMMAND for this item carries.
  UINT Command() const { return FCommand; }

  // Creates a sub-item with the given caption, shortcut and click handler; returns it.
  TMenuItem* AddItem(const String& ACaption, TShortCut AShortCut = scNone, TNotifyEvent AOnClick = nullptr);
  TMenuItem* AddSeparator();

 private:
  void Changed();

  String FCaption;
  TShortCut FShortCut = scNone;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item
  std::vector<TMenuItem*> FItems;
  UINT FCommand;
  friend class TMenu;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  TMenuItem* Items() const { return FItems; }
  TMenuItem* FindItem(UINT Command) const;
  // Runs the enabled, visible item with this shortcut; true when one ran.
  bool IsShortCut(Word Key, TShiftState Shift);
  // Finds the item with this shortcut, or nullptr.
  TMenuItem* FindShortCut(TShortCut Value) const;
  // Called when any item's caption, check mark, shortcut, visibility or enabling changes.
  virtual void ItemChanged(TMenuItem* Item);
  std::function<void(TMenuItem* Item)> OnItemChanged;

 private:
  TMenuItem* FItems;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}
  TComponent* PopupComponent = nullptr;
  TNotifyEvent OnPopup;
  virtual void Popup(int X, int Y);
};

// Standard controls: the edit base (which the masked edit, the memo and the grids' inplace
// editors build on), labels, push buttons, check boxes, radio buttons and group boxes.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Controls.h"
#include "classlib/StringList.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A single-line text editor. Text changes (typed or from code) run OnChange.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  TAlignment Alignment = taLeftJustify;
  TEditCharCase CharCase = ecNormal;
  bool AutoSelect = true;
  char PasswordChar = '\0';
  bool Modified = false;

  // Selection, in bytes of Text.
  int SelStart() const { return FSelStart; }
  void SetSelStart(int Value);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int Value);
  String SelText() const;
  void SetSelText(const String& Value);
  void SelectAll();
  void ClearSelection() { SetSelText(""); }
  void Clear() { SetText(""); }

  TNotifyEvent OnChange;

  // The balloon tip last shown by EM_SHOWBALLOONTIP (empty after EM_HIDEBALLOONTIP): title,
  // text and TTI_ icon. On screen it is the view's tooltip.
  const String& BalloonTitle() const { return FBalloonTitle; }
  const String& BalloonText() const { return FBalloonText; }
  int BalloonIcon() const { return FBalloonIcon; }

  // The rectangle the text is shown in, in client coordinates (an edit with a button of its
  // own keeps its text clear of it); empty: the whole client area.
  TRect FormattingRect() const { return FFormattingRect; }
  void SetFormattingRect(const TRect& Value);

  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  virtual void Change();
  void TextChanged() override;
  QWidget* MakeView(QWidget* ParentView) override;
  // Typing: inserts printable characters at the selection, handles Backspace; the edit's
  // own key handling for headless input (a real view edits natively).
  void KeyPress(char& Key) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Whether the key being handled is one the edit's own view passes on (and edits natively
  // unless a handler consumes it).
  bool KeyFromView() const;
  // Takes text the view edited natively (typing, paste, cut, undo, its context menu).
  virtual void ViewTextEdited(const String& Value);
  // Whether the change being handled came from the view (which then needs no update).
  bool UpdatingFromView() const { return FFromView; }

 private:
  void ClampSelection();
  bool FReadOnly = false;
  int FMaxLength = 0;
  int FSelStart = 0;
  int FSelLength = 0;
  bool FFromView = false;
  TRect FFormattingRect;
  String FBalloonTitle;
  String FBalloonText;
  int FBalloonIcon = 0;
  void ShowBalloonTip(const EDITBALLOONTIP* Tip);
  void HideBalloonTip();
  friend class EditViewLink;
  friend class MemoViewLink;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption without a window of its own. With AutoSize its bounds follow the text.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  // '&' marks the access key (shown underlined, "&&" is a plain '&').
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  // The control that its access key focuses.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  // The caption as shown: access-key marks removed.
  String DisplayText() const;

  void UpdateView() override;

 protected:
  void TextChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  QWidget* MakeView(QWidget* ParentView) override;
  void AdjustBounds();

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  bool FWordWrap = false;
  bool FTransparent = false;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

// What push buttons, check boxes and radio buttons share: a left-button click inside the
// control or the Space key presses it (ButtonPressed); the view's own click does the same.
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

 protected:
  // The person pressed the button.
  virtual void ButtonPressed() = 0;
  void KeyPress(char& Key) override;
  // Runs ButtonPressed for a click in the view, with errors going to the error box.
  void ViewPressed();
  friend class ButtonViewLink;
};

// A push button. Clicking it on a form sets the form's ModalResult to its own (when not
// mrNone), which ends a modal form. Enter clicks the Default button, Escape the Cancel one.
class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);

  bool Default = false;
  bool Cancel = false;
  TModalResult ModalResult = mrNone;

  void Click() override;
  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  void ButtonPressed() override { Click(); }
  QWidget* MakeView(QWidget* ParentView) override;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box. OnClick runs whenever its state changes, from code as well as by a person.
class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value);
  // Where the caption stands: taRightJustify puts it right of the box (the usual place).
  TAlignment Alignment = taRightJustify;

  // The next state of a press: unchecked -> checked (or grayed when allowed) ->
  // unchecked; grayed -> checked.
  virtual void Toggle();
  void UpdateView() override;

 protected:
  void ButtonPressed() override { Toggle(); }
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
 public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// A radio button: checking it unchecks the radio buttons beside it on the same parent and
// runs OnClick; unchecking runs nothing.
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool Value);
  TAlignment Alignment = taRightJustify;

  void UpdateView() override;

 protected:
  void ButtonPressed() override { SetChecked(true); }
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  bool FChecked = false;
};

// A framed box with a caption that holds other controls.
class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  void UpdateView() override;
  // Aligned children stay inside the frame and below the caption.
  void AdjustClientRect(TRect& Rect) override;

 protected:
  QWidget* MakeView(QWidget* ParentView) override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;

// The lines of a memo, kept as an edit control keeps them: a text that ends in a line break
// has an empty last line, which Count does not count (Text "A\r\nB\r\n" has the 2 lines "A"
// and "B"; "\r\nA\r\nB\r\n" has "", "A", "B"). Reading a line past the end gives "" and
// does not raise; writing one pads with empty lines; deleting one past the end does nothing.
// Text (and SaveToFile) writes CR LF after every line.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
  String Get(Integer Index) const override;
  Integer GetCount() const override;
  void Put(Integer Index, const String& S) override;
  void Insert(Integer Index, const String& S) override;
  void Delete(Integer Index) override;
  void Clear() override;
  void SetTextStr(const String& Value) override;

 private:
  TCustomMemo* FMemo;
};

// A multi-line edit. Its Text joins its lines with CR LF; setting Text splits at CR LF, LF or
// lone CR, and stores the lines joined with CR LF (a text read back is the text set, with its
// line breaks made CR LF). WordWrap only changes how the view shows long lines: Lines are
// always the lines between hard breaks.
class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WantReturns = true;
  bool WantTabs = false;

  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  void TextChanged() override;
  void KeyPress(char& Key) override;
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  // The edit control's lines: never empty; the last one is "" after a final line break.
  const std::vector<String>& EditLines() const;
  void SetEditLines(std::vector<String> Lines);

  std::unique_ptr<TMemoStrings> FLines;
  mutable std::vector<String> FEditLines;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  friend class TMemoStrings;
  friend class MemoViewLink;
};

class TMemo : public TCustomMemo {
 public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

// A combo box. ItemIndex is -1 for no item; setting it from code (an index outside the items
// selects nothing) runs no event. A person's choice of an item runs OnClick and then OnSelect
// (or OnChange when OnSelect is not set); a person's typing runs OnChange.
class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStringList* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);
  int DropDownCount = 8;
  int MaxLength = 0;
  bool DroppedDown = false;
  // Opens (or closes) the list; on screen the view's pop-up list shows.
  void SetDroppedDown(bool Value);
  void Clear();

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  void TextChanged() override;
  virtual void Change();
  virtual void Select();
  // A person chose item Index (from the list, or with the keys).
  void UserSelect(int Index);
  // A person typed: the edit part now reads Value.
  void UserTyped(const String& Value);
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  void ItemsChanged();
  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  bool FInternal = false;
  friend class ComboViewLink;
};

class TComboBox : public TCustomComboBox {
 public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

// A list of items. Setting ItemIndex from code runs no event; a person's click on an item
// (or an arrow key) selects it and runs OnClick.
class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStringList* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);
  int ItemHeight = 13;
  int TopIndex = 0;
  int ItemAtPos(TPoint Pos, bool Existing) const;
  void Clear() { FItems->Clear(); }

  void WndProc(TMessage& Message) override;
  void UpdateView() override;

 protected:
  // A person chose item Index (with Ctrl on a multi-select list: toggled it).
  void UserSelect(int Index, bool Toggle);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  void ItemsChanged();
  std::unique_ptr<TStringList> FItems;
  std::vector<bool> FSelected;
  int FItemIndex = -1;
  bool FMultiSelect = false;
  friend class ListViewLink;
};

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

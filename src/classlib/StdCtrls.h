// Standard controls: the edit base (which the masked edit, the memo and the grids' inplace
// editors build on), labels, push buttons, check boxes, radio buttons and group boxes.
#pragma once

#include "classlib/Controls.h"

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
  // Takes text typed into the view.
  void ViewTextEdited(const String& Value);

 private:
  void ClampSelection();
  bool FReadOnly = false;
  int FMaxLength = 0;
  int FSelStart = 0;
  int FSelLength = 0;
  bool FFromView = false;
  friend class EditViewLink;
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

 protected:
  QWidget* MakeView(QWidget* ParentView) override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

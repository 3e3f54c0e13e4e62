// Standard controls. This file starts with the edit base that the masked edit, the memo and
// the grids' inplace editors build on.
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

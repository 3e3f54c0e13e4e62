// The grid's special editor controls: one of each is made, hidden and disabled, with the grid
// and lives as long as it; ShowSpecialEditor lays one over a cell, fills it and gives it the
// focus, HideSpecialEditor writes its value back. Each control adds to its base how it ends an
// edit (Enter, Escape, Tab, the arrows), what it tells the grid on focus loss and on change,
// and which keys it keeps from the dialog navigation. ReCreate is asked for before a control
// is shown; our windows keep no state that a fresh one would reset, so it has nothing to do.
#pragma once

#include "classlib/DateTimePicker.h"
#include "classlib/StdCtrls.h"
#include "grid/base/RivDateTimePicker.h"
#include "grid/base/ZIREdit.h"
#include "grid/base/rozcombo.h"
#include "grid/base/rozspin.h"
#include "grid/dropdown/RivCustomGridDropDown.h"
#include "grid/dropdowns/RivCalculatorDropdown.h"
#include "grid/dropdowns/RivColorPickerDropDown.h"
#include "grid/dropdowns/RivDetailDropDown.h"
#include "grid/dropdowns/RivImagePickerDropDown.h"
#include "grid/dropdowns/RivMemoDropDown.h"
#include "grid/dropdowns/RivMultiColumnDropDown.h"
#include "grid/dropdowns/RivTimePickerDropDown.h"
#include "grid/dropdowns/RivTrackBarDropDown.h"

class TRivErodovOzar;

// ---- Spin edit ----

class TGridSpin : public TZirSpinEdit {
 public:
  explicit TGridSpin(TComponent* AOwner);
  void ReCreate() {}
  void UpClick(bool Page) override;
  void DownClick(bool Page) override;
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;
  void Change() override;

 private:
  void ReportStep(bool Up);
  TRivErodovOzar* FGrid;
};

// ---- Combo box ----

class TGridCombo : public TROZComboBox {
 public:
  explicit TGridCombo(TComponent* AOwner);
  void ReCreate() {}
  // The list as wide as its widest item (with room for a scroll bar when it needs one).
  void SizeDropDownWidth();
  bool Forced = false;
  bool WorkMode = true;
  int ItemIdx = -1;
  bool ItemChange = false;
  TNotifyEvent OnReturnKey;
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoExit() override;
  void DoEnter() override;
  void Change() override;

 private:
  // The item equal to the text selected (csDropDownList: the text follows it).
  void SelectItemOf(const String& Value);
  // Type-ahead: completes the typed part from the items, then from the grid's lookup items.
  void DoChange();
  void FireComboChange();
  TRivErodovOzar* FGrid;
};

// ---- Edit with an ellipsis button, and with a unit ----

class TGridEditBtn : public TZirEditBtn {
 public:
  explicit TGridEditBtn(TComponent* AOwner);
  void ReCreate() {}
  bool WorkMode = true;
  bool StopEditAfterClick = false;
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;
  void Change() override;
  void DblClick() override;

 private:
  void ButtonClicked();
  TRivErodovOzar* FGrid;
  int FSelKeyDown = 0;
};

class TGridUnitEditBtn : public TZirUnitEditBtn {
 public:
  explicit TGridUnitEditBtn(TComponent* AOwner);
  void ReCreate() {}
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;

 private:
  TRivErodovOzar* FGrid;
};

// ---- Check box and push button ----

class TGridCheckBox : public TCheckBox {
 public:
  explicit TGridCheckBox(TComponent* AOwner);
  void ReCreate() {}
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoExit() override;

 private:
  TRivErodovOzar* FGrid;
};

class TGridButton : public TButton {
 public:
  explicit TGridButton(TComponent* AOwner);
  void ReCreate() {}
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoExit() override;

 private:
  void Pressed();
  TRivErodovOzar* FGrid;
};

// ---- Date pickers ----

enum TDTDateMode { dmComboBox, dmUpDown };

class TGridDatePicker : public TDateTimePicker {
 public:
  explicit TGridDatePicker(TComponent* AOwner);
  void ReCreate() {}
  TDateTime MinDate = 0;
  TDateTime MaxDate = 0;
  TDTDateMode DateMode = dmComboBox;
  bool Weeknumbers = false;
  bool ShowToday = true;
  bool ShowTodayCircle = true;
  // Moves the caret to the next field when the typed digit completed one.
  virtual void DoShiftFocus();
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;

 private:
  TRivErodovOzar* FGrid;
  Word Fy = 0, Fm = 0, Fd = 0, Fth = 0, Ftm = 0, Fts = 0, Ftms = 0;
  bool FOldDropped = false;
};

class TGridDateTimePicker : public TRivDateTimePicker {
 public:
  explicit TGridDateTimePicker(TComponent* AOwner);
  void ReCreate() {}

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  TRivErodovOzar* FGrid;
};

// ---- Drop-down pickers ----

// How a drop-down picker ends an edit; the pickers differ in which keys leave and validate.
class TGridPickerKeys {
 public:
  virtual ~TGridPickerKeys() = default;
  bool Forced = false;
  bool WorkMode = true;

 protected:
  // Whether the key ends the edit (Alt+Down never: it opens the pop-up).
  virtual bool IsLeavingKey(Word Key, TShiftState Shift, bool Dropped) const;
  virtual bool ValidatesKey(Word Key) const { return Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN; }
  virtual bool KeepsEnterAndEscape() const { return false; }
  // Before Enter is validated (the calculator computes its result).
  virtual void BeforeEnter() {}
  // Runs the leaving-key pattern; false when the key is not one and goes to the base.
  bool LeavingKeyDown(TRivCustomDropDown* Picker, TRivErodovOzar* Grid, Word& Key, TShiftState Shift);
  void WantSpecialKey(TRivErodovOzar* Grid, TMessage& Message) const;
};

// One picker class over each drop-down: the grid's text change, focus loss, key press and the
// leaving keys.
template <class TBase>
class TGridPicker : public TBase, public TGridPickerKeys {
 public:
  explicit TGridPicker(TComponent* AOwner);
  void ReCreate() {}
  TRivErodovOzar* Grid() const { return FGrid; }
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;
  void DoEnter() override;
  void Change() override;
  TRivErodovOzar* FGrid;
};

class TGridTrackbarDropDown : public TGridPicker<TRivTrackBarDropDown> {
 public:
  using TGridPicker::TGridPicker;

 protected:
  bool KeepsEnterAndEscape() const override { return true; }
};

class TGridMemoDropDown : public TGridPicker<TRivMemoDropDown> {
 public:
  using TGridPicker::TGridPicker;
};

class TGridCalculatorDropDown : public TGridPicker<TRivCalculatorDropdown> {
 public:
  using TGridPicker::TGridPicker;

 protected:
  void BeforeEnter() override { CalcResult(); }
};

class TGridTimepickerDropDown : public TGridPicker<TRivTimePickerDropDown> {
 public:
  explicit TGridTimepickerDropDown(TComponent* AOwner);
};

class TGridDetailPickerDropDown : public TGridPicker<TRivDetailDropDown> {
 public:
  using TGridPicker::TGridPicker;
};

class TGridGridDropDown : public TGridPicker<TRivMultiColumnDropDown> {
 public:
  using TGridPicker::TGridPicker;
};

class TGridColorDropDown : public TGridPicker<TRivColorPickerDropDown> {
 public:
  using TGridPicker::TGridPicker;

 protected:
  bool IsLeavingKey(Word Key, TShiftState Shift, bool Dropped) const override;
  bool ValidatesKey(Word Key) const override { return Key == VK_RETURN; }
  bool KeepsEnterAndEscape() const override { return true; }
};

class TGridImageDropDown : public TGridPicker<TRivImagePickerDropDown> {
 public:
  using TGridPicker::TGridPicker;
};

class TGridRivGridDropDown : public TGridPicker<TCustomRivGridDropDown> {
 public:
  using TGridPicker::TGridPicker;
  // The grid in the pop-up.
  RivCustomGridDropDown::TRivColGrid* GetGrid() const { return RivColGrid(); }
};

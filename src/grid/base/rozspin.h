// The spin edit the grid edits numbers, dates and times with: a masked edit with a pair of
// auto-repeating spin buttons at its right edge. Up and Down (PageUp and PageDown for whole
// steps) change the value; for dates and times the field under the caret is stepped.
#pragma once

#include <memory>

#include "classlib/Buttons.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Mask.h"
#include "grid/base/EditorMetrics.h"

enum TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = Set<TTimeBtnStateItem>;
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TSpinDirection { spVertical, spHorizontal };
enum TZirSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TEditAlign { eaLeft, eaRight, eaCenter };

// A speed button that clicks again and again while it is held: first after 400 ms, then
// every 100 ms.
class TRivTimerSpeedButton : public TSpeedButton {
 public:
  explicit TRivTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}
  ~TRivTimerSpeedButton() override;

  TTimeBtnState TimeBtnState;
  TButtonDirection ButtonDirection = bdUp;
  bool IsWinXP = false;
  // The repeat timer, made on the first press (nullptr before).
  TTimer* RepeatTimer() const { return FRepeatTimer; }

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Paint() override;

 private:
  void TimerExpired();
  TTimer* FRepeatTimer = nullptr;
  bool FHasMouse = false;
};

class TZirSpinButton : public TCustomControl {
 public:
  explicit TZirSpinButton(TComponent* AOwner);

  TSpinDirection Direction() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
  void SetUpGlyph(TBitmap* Value);
  TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
  void SetDownGlyph(TBitmap* Value);
  int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
  void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
  int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
  void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  // Both buttons' flat look.
  void SetFlat(bool Value);
  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

  TRivTimerSpeedButton* UpButton() const { return FUpButton; }
  TRivTimerSpeedButton* DownButton() const { return FDownButton; }
  // The button with the focus mark.
  TRivTimerSpeedButton* FocusedButton() const { return FFocusedButton; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;
  void Loaded() override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;

 private:
  TRivTimerSpeedButton* CreateButton(const char* Resource, TButtonDirection Direction);
  void BtnMouseDown(TRivTimerSpeedButton* Button);
  void SetFocusBtn(TRivTimerSpeedButton* Button);
  void AdjustSize(int& W, int& H);

  TRivTimerSpeedButton* FUpButton;
  TRivTimerSpeedButton* FDownButton;
  TRivTimerSpeedButton* FFocusedButton;
  TWinControl* FFocusControl = nullptr;
  TSpinDirection FDirection = spVertical;
  bool FIsWinXP = false;
};

class TZirSpinEdit : public TCustomMaskEdit {
 public:
  explicit TZirSpinEdit(TComponent* AOwner);

  int MinValue = 0;
  int MaxValue = 100;
  double MinFloatValue = 0;
  double MaxFloatValue = 100;
  TDateTime MinDateValue = 0;
  TDateTime MaxDateValue = 0;
  int Increment = 1;
  double IncrementFloat = 0.1;
  int IncrementSeconds = 1;
  int IncrementMinutes = 1;
  int IncrementHours = 1;
  bool EditorEnabled = true;
  bool ReturnIsTab = false;
  bool ExcelStyleDecimalSeparator = false;
  bool ShowSeconds = true;
  bool AllowEmptyValue = false;
  bool Ctl3D = true;
  TBorderStyle BorderStyle = bsSingle;

  // The text read as a number, date or time, with fallbacks for texts that do not read.
  int Value() const;
  void SetValue(int AValue);
  double FloatValue() const;
  void SetFloatValue(double AValue);
  TDateTime DateValue() const;
  void SetDateValue(TDateTime AValue);
  TDateTime TimeValue() const;
  void SetTimeValue(TDateTime AValue);

  TZirSpinType SpinType() const { return FSpinType; }
  void SetSpinType(TZirSpinType Value);
  int Precision() const { return FPrecision; }
  void SetPrecision(int Value);
  TSpinDirection Direction() const { return FButton->Direction(); }
  void SetDirection(TSpinDirection Value);
  TEditAlign EditAlign() const { return FEditAlign; }
  void SetEditAlign(TEditAlign Value);
  bool SpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool Value);
  bool SpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool Value);
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  TZirSpinButton* Button() const { return FButton; }
  TRect EditRect() const { return FEditRect; }

  virtual void UpClick(bool Page);
  virtual void DownClick(bool Page);
  virtual bool IsValidChar(char& Key);
  virtual void UpButtonClick();
  virtual void DownButtonClick();

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(TMessage& Message) override;
  void Loaded() override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

 private:
  // Steps the date field under the caret or the time unit under it.
  void StepDate(int Sign);
  void StepTime(int Sign);
  void ShowKeepingCaret(const String& S);
  void ShowValue();
  bool OutOfRange() const;
  void SetEditRect();
  int MinHeight() const;

  TDateTime FDateValue = 0;
  TDateTime FTimeValue = 0;
  TZirSpinButton* FButton;
  TZirSpinType FSpinType = sptNormal;
  int FPrecision = 0;
  bool FIsWinXP = false;
  bool FUsDates = false;
  TEditAlign FEditAlign = eaLeft;
  bool FSpinFlat = false;
  bool FSpinTransparent = false;
  TRect FEditRect;
};

// Reads a time of day "h[:m[:s]]" with the regional time separator, optionally followed by
// the AM or PM text; false for anything else.
bool TryReadTime(const String& S, TDateTime& Value);

// The date-time picker behind the grid's date-time editor: the platform picker with a flat
// border, an automatic advance to the next field once typed digits have completed one
// (AutoTab), and a date-and-time kind that places a second, time-only picker inside it.
#pragma once

#include "classlib/DateTimePicker.h"
#include "grid/base/EditorMetrics.h"

// Posted to a picker after a typed digit; its AutoTabCheck then decides whether to advance.
extern const UINT DTPShiftFocusMessage;

class TCustomDateTimePicker : public TDateTimePicker {
 public:
  explicit TCustomDateTimePicker(TComponent* AOwner);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  virtual void SetBorderStyle(TBorderStyle Value);
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D = false;
  bool AutoTab() const { return FAutoTab; }
  virtual void SetAutoTab(bool Value);
  bool IsThemed() const { return FIsThemed; }

  // Advances to the next field when the last digit changed the time.
  virtual void AutoTabCheck();
  // The flat border, drawn over the control's edges while Ctl3D is off.
  void PaintBorder(TCanvas* Canvas);

  void WndProc(TMessage& Message) override;

 protected:
  void KeyPress(char& Key) override;
  void Paint() override;
  // Runs a check still waiting for its message now: keys typed quickly can arrive before it,
  // and each digit must be judged, and advanced from, before the next one is typed.
  void FlushAutoTabCheck();
  // Moves to the next field, as the Right arrow key does.
  void AdvanceField();

  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor = 0;
  bool FIsThemed;
  bool FAutoTab = false;
  bool FCtl3D = false;
  Word Fh = 0, Fm = 0, Fs = 0, Fms = 0;

 private:
  bool FCheckPending = false;
};

enum TRivDateTimeKind { dkDate, dkTime, dkDateTime };

class TRivDateTimePicker : public TCustomDateTimePicker {
 public:
  explicit TRivDateTimePicker(TComponent* AOwner);

  TRivDateTimeKind Kind() const { return FKind; }
  void SetKind(TRivDateTimeKind Value);
  // The date with the time picker's time for dkDateTime.
  TDateTime DateTime();
  // Whole days plus hours, minutes and seconds; milliseconds are dropped.
  void SetDateTime(TDateTime Value) override;
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  const String& TimeFormat() const { return FTimeFormat; }
  void SetTimeFormat(const String& Value);
  void SetBorderStyle(TBorderStyle Value) override;
  void SetAutoTab(bool Value) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TNotifyEvent OnTimeChange;
  // The time-only picker inside a dkDateTime picker (nullptr otherwise).
  TCustomDateTimePicker* TimePicker() const { return FTimePicker; }

  virtual uint32_t GetVersionNr() const { return 0x01000300; }
  String Version() const { return VersionNumberText(GetVersionNr()); }
  void SetVersion(const String&) {}

  virtual void DoChange();
  virtual void DoClick();
  void AutoTabCheck() override;
  void Loaded() override;
  void WndProc(TMessage& Message) override;

 protected:
  void KeyPress(char& Key) override;
  void EnabledChanged() override;
  // The time picker's key presses come here first; nothing is done with them.
  virtual void TimeKeyPress(char& Key);

 private:
  void CreateTimePicker();
  // KeepShownTime: the time picker's time is the control's first (it may have been edited).
  void LayoutTimePicker(bool KeepShownTime = false);

  TRivDateTimeKind FKind = dkDateTime;
  String FTimeFormat;
  Word Fy = 0, Fm = 0, Fd = 0;
  TCustomDateTimePicker* FTimePicker = nullptr;
};

// The time picker drop-down and its watch face.
//
// TRivWatch is an analogue clock face: dial, marks, hour numbers, an AM/PM box, hands and a
// centre point. It shows the time it holds, which the user sets by clicking on the dial (inside
// the dial sets the hour, outside it the minute) or with keys its owner passes in, or it runs
// as a live clock. Hand moves are animated: the hand sweeps to the new value in ever smaller
// steps on a timer.
//
// TRivTimePickerDropDown is a drop-down edit for a time of day: the edit shows the time through
// an edit mask, the pop-up shows a watch (and optionally a time picker below it). While the
// pop-up is open the edit follows the watch; closing it takes the watch's time.
#pragma once

#include <memory>

#include "classlib/Controls.h"
#include "classlib/Persistent.h"
#include "classlib/SysUtils.h"
#include "grid/base/RivStyleIF.h"
#include "grid/dropdowns/RivDropDown.h"

class TBitmap;
class TDateTimePicker;
class TFont;
class TPanel;
class TPicture;
class TTimer;

enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TWatchBorderStyle { wbLine, wbDoubleLine, wbNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TAMPMFrame { apRect, apRoundRect };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };

class TWatchAppearance : public TPersistent {
 public:
  TWatchAppearance();
  ~TWatchAppearance() override;
  void Assign(TPersistent* Source) override;

  int Size() const { return FSize; }
  void SetSize(int Value) { Set(FSize, Value); }
  TWatchShape Shape() const { return FShape; }
  void SetShape(TWatchShape Value) { Set(FShape, Value); }
  TColor BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) { Set(FBackgroundColor, Value); }
  TColor BackgroundColorTo() const { return FBackgroundColorTo; }
  void SetBackgroundColorTo(TColor Value) { Set(FBackgroundColorTo, Value); }
  TWatchGradient BackgroundGradient() const { return FBackgroundGradient; }
  void SetBackgroundGradient(TWatchGradient Value) { Set(FBackgroundGradient, Value); }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { Set(FBorderWidth, Value); }
  TColor HourColor() const { return FHourColor; }
  void SetHourColor(TColor Value) { Set(FHourColor, Value); }
  uint8_t HourMarkLength() const { return FHourMarkLength; }
  void SetHourMarkLength(uint8_t Value) { Set(FHourMarkLength, Value); }
  uint8_t HourMarkWidth() const { return FHourMarkWidth; }
  void SetHourMarkWidth(uint8_t Value) { Set(FHourMarkWidth, Value); }
  THourMarkStyle HourMarkStyle() const { return FHourMarkStyle; }
  void SetHourMarkStyle(THourMarkStyle Value) { Set(FHourMarkStyle, Value); }
  TColor MinuteColor() const { return FMinuteColor; }
  void SetMinuteColor(TColor Value) { Set(FMinuteColor, Value); }
  uint8_t MinuteMarkLength() const { return FMinuteMarkLength; }
  void SetMinuteMarkLength(uint8_t Value) { Set(FMinuteMarkLength, Value); }
  uint8_t MinuteMarkWidth() const { return FMinuteMarkWidth; }
  void SetMinuteMarkWidth(uint8_t Value) { Set(FMinuteMarkWidth, Value); }
  TTickMarks TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMarks Value) { Set(FTickMarks, Value); }
  TColor HourPointer() const { return FHourPointer; }
  void SetHourPointer(TColor Value) { Set(FHourPointer, Value); }
  TColor HourPointerShadow() const { return FHourPointerShadow; }
  void SetHourPointerShadow(TColor Value) { Set(FHourPointerShadow, Value); }
  uint8_t HourPointerSize() const { return FHourPointerSize; }
  void SetHourPointerSize(uint8_t Value) { Set(FHourPointerSize, Value); }
  TColor MinutePointer() const { return FMinutePointer; }
  void SetMinutePointer(TColor Value) { Set(FMinutePointer, Value); }
  TColor MinutePointerShadow() const { return FMinutePointerShadow; }
  void SetMinutePointerShadow(TColor Value) { Set(FMinutePointerShadow, Value); }
  uint8_t MinutePointerSize() const { return FMinutePointerSize; }
  void SetMinutePointerSize(uint8_t Value) { Set(FMinutePointerSize, Value); }
  TColor SecondPointer() const { return FSecondPointer; }
  void SetSecondPointer(TColor Value) { Set(FSecondPointer, Value); }
  uint8_t SecondPointerSize() const { return FSecondPointerSize; }
  void SetSecondPointerSize(uint8_t Value) { Set(FSecondPointerSize, Value); }
  TPointerStyle PointerStyle() const { return FPointerStyle; }
  void SetPointerStyle(TPointerStyle Value) { Set(FPointerStyle, Value); }
  uint8_t CenterPointSize() const { return FCenterPointSize; }
  void SetCenterPointSize(uint8_t Value) { Set(FCenterPointSize, Value); }
  TColor CenterPointColor() const { return FCenterPointColor; }
  void SetCenterPointColor(TColor Value) { Set(FCenterPointColor, Value); }
  TColor CenterPointBorderColor() const { return FCenterPointBorderColor; }
  void SetCenterPointBorderColor(TColor Value) { Set(FCenterPointBorderColor, Value); }
  TColor CenterPointOuterBorderColor() const { return FCenterPointOuterBorderColor; }
  void SetCenterPointOuterBorderColor(TColor Value) { Set(FCenterPointOuterBorderColor, Value); }
  TColor AMPMColor() const { return FAMPMColor; }
  void SetAMPMColor(TColor Value) { Set(FAMPMColor, Value); }
  TColor AMPMBorderColor() const { return FAMPMBorderColor; }
  void SetAMPMBorderColor(TColor Value) { Set(FAMPMBorderColor, Value); }
  TAMPMFrame AMPMFrame() const { return FAMPMFrame; }
  void SetAMPMFrame(TAMPMFrame Value) { Set(FAMPMFrame, Value); }
  TPicture* Picture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  TFont* HourFont() const { return FHourFont.get(); }
  void SetHourFont(TFont* Value);
  TFont* AMPMFont() const { return FAMPMFont.get(); }
  void SetAMPMFont(TFont* Value);
  // The looks store the AM/PM colours without a change notification.
  void StoreAMPMColors(TColor Border, TColor Fill) {
    FAMPMBorderColor = Border;
    FAMPMColor = Fill;
  }
  // Kept and copied; the painter does not read them.
  TColor SecondPointerShadow = clBtnShadow;
  TWatchBorderStyle BorderStyle = wbLine;
  int Rounding = 5;

  TNotifyEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  template <typename T>
  void Set(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    Changed();
  }
  int FSize = 0;
  TWatchShape FShape = wsCircle;
  TColor FBackgroundColor = 0xFFFFFF;
  TColor FBackgroundColorTo = clNone;
  TWatchGradient FBackgroundGradient = wgVertical;
  TColor FBorderColor = 0;
  int FBorderWidth = 4;
  TColor FHourColor = 0;
  uint8_t FHourMarkLength = 0;
  uint8_t FHourMarkWidth = 1;
  THourMarkStyle FHourMarkStyle = hmsLine;
  TColor FMinuteColor = 0x808080;
  uint8_t FMinuteMarkLength = 0;
  uint8_t FMinuteMarkWidth = 1;
  TTickMarks FTickMarks = tmAll;
  TColor FHourPointer = 0;
  TColor FHourPointerShadow = clBtnShadow;
  uint8_t FHourPointerSize = 4;
  TColor FMinutePointer = 0;
  TColor FMinutePointerShadow = clBtnShadow;
  uint8_t FMinutePointerSize = 3;
  TColor FSecondPointer = 0x0000FF;
  uint8_t FSecondPointerSize = 1;
  TPointerStyle FPointerStyle = psLine;
  uint8_t FCenterPointSize = 4;
  TColor FCenterPointColor = 0;
  TColor FCenterPointBorderColor = clNone;
  TColor FCenterPointOuterBorderColor = clNone;
  TColor FAMPMColor = 0xFFFFFF;
  TColor FAMPMBorderColor = 0;
  TAMPMFrame FAMPMFrame = apRect;
  std::unique_ptr<TPicture> FPicture;
  std::unique_ptr<TFont> FHourFont;
  std::unique_ptr<TFont> FAMPMFont;
};

class TWatchSettings : public TPersistent {
 public:
  void Assign(TPersistent* Source) override;
  bool Auto() const { return FAuto; }
  void SetAuto(bool Value);
  int TimeOffset() const { return FTimeOffset; }
  void SetTimeOffset(int Value);
  bool Second() const { return FSecond; }
  void SetSecond(bool Value);
  TNotifyEvent OnChange;

 private:
  bool FAuto = false;
  int FTimeOffset = 0;
  bool FSecond = true;
};

class TRivWatch : public TCustomControl {
 public:
  explicit TRivWatch(TComponent* AOwner);
  ~TRivWatch() override;
  void WndProc(TMessage& Message) override;

  TWatchAppearance* Appearance() const { return FAppearance.get(); }
  void SetAppearance(TWatchAppearance* Value);
  TWatchSettings* Settings() const { return FSettings.get(); }
  void SetSettings(TWatchSettings* Value);
  TDateTime Time() const { return FTime; }
  void SetTime(TDateTime Value);
  bool Animation = true;
  int AnimationFactor = 10;
  bool ShowAMPM() const { return FShowAMPM; }
  void SetShowAMPM(bool Value);
  bool ShowNumbers() const { return FShowNumbers; }
  void SetShowNumbers(bool Value);
  TNotifyEvent OnChange;

  void SetHour(uint8_t Hour);
  void SetMinute(uint8_t Minute);
  void SetComponentStyle(TVAVStyle AStyle);
  // A key from the owner: A, P, Page Up, Page Down, Home, End, Left, Right.
  void WatchKeyDown(Word Key);

  // The geometry of the face for the current size.
  TRect DialRect() const;
  TPoint Center() const;
  int Radius() const;
  TRect AMPMRect() const;
  bool AM() const { return FAM; }
  // The minute (0 to 59) and the hour (0 to 23, by the AM flag) a point on the face points at.
  int MinuteAt(int X, int Y) const;
  int HourAt(int X, int Y) const;
  // Whether an animation is running; one step of it (what the animation timer runs).
  bool Animating() const;
  void AnimationStep();
  TTimer* ClockTimer() const { return FClockTimer; }

 protected:
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  TDateTime ShownTime() const;
  void ShownFields(int& Hour, int& Minute, int& Second) const;
  void SetTimeInternal(TDateTime Value);
  void SetAM(bool Value);
  void SettingsChanged();
  void RedrawHands();
  void DoChange();
  bool AnimateNow() const;
  void SetHourDirect(int Hour);
  void SetMinuteDirect(int Minute);
  void PaintFace(TCanvas* C);
  void PaintHands(TCanvas* C);
  void Hand(TCanvas* C, double Angle, double From, double To, int Dx, int Dy);
  TPoint PointAt(double Angle, double Distance) const;

  std::unique_ptr<TWatchAppearance> FAppearance;
  std::unique_ptr<TWatchSettings> FSettings;
  std::unique_ptr<TBitmap> FCache;
  TDateTime FTime = 0;
  bool FShowAMPM = true;
  bool FShowNumbers = true;
  TTimer* FClockTimer = nullptr;
  TTimer* FAnimationTimer = nullptr;
  bool FAM = true;
  int FHourTo = 0;
  int FMinuteTo = 0;
  int FMinuteFrom = -1;
  bool FHourAnimating = false;
  bool FInternalCall = false;
  bool FInternalSet = false;
  bool FInStep = false;
};

class TRivTimePickerDropDown : public TRivCustomDropDown {
 public:
  explicit TRivTimePickerDropDown(TComponent* AOwner);
  ~TRivTimePickerDropDown() override;
  void AfterConstruction() override;

  TDateTime Time() const { return FTime; }
  void SetTime(TDateTime Value);
  bool ShowSeconds() const { return FShowSeconds; }
  void SetShowSeconds(bool Value);
  bool ShowTimePicker = false;
  bool ShowWatchAMPM = true;
  bool ShowWatchNumbers = true;
  bool Animation = true;
  int AnimationFactor = 10;
  TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
  void SetWatchAppearance(TWatchAppearance* Value);
  TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
  void SetWatchSettings(TWatchSettings* Value);
  TNotifyEvent OnTimeChange;

  TRivWatch* Watch() const { return FRivWatch; }
  TDateTimePicker* TimePicker() const { return FDateTimePicker; }
  void SetComponentStyle(TVAVStyle AStyle) override;

  void CreateDropDownForm() override;
  void DoBeforeDropDown() override;
  void CloseDropDown(bool Cancel) override;
  void PopupHidden() override;
  void PopupKeyDown(Word& Key, TShiftState Shift) override;
  void PopupKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;

 protected:
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  void InstallMask();
  String TimeText(TDateTime Value) const;
  void ParseText();
  // Replaces one field (0 hour, 1 minute, 2 second) and fires OnTimeChange.
  void ChangeField(int Field, int Value);
  void WatchChanged();
  void PickerChanged();
  bool PassKeyToEdit(Word Key) const;

  TDateTime FTime = 0;
  bool FShowSeconds = true;
  std::unique_ptr<TWatchAppearance> FWatchAppearance;
  std::unique_ptr<TWatchSettings> FWatchSettings;
  TRivWatch* FRivWatch = nullptr;
  TPanel* FPanelCtrl = nullptr;
  TDateTimePicker* FDateTimePicker = nullptr;
  bool FInternalCall = false;
  // The time and its text when the pop-up opened, put back by a cancelled close.
  TDateTime FOpenTime = 0;
  String FOpenText;
  // Set while a key pressed in the pop-up is handed to the edit.
  bool FPopupKey = false;
};

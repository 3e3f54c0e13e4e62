// The date-time picker: a date or a time shown by its format in fields (day, month, year or
// hours, minutes, seconds), one of which is current. Left and Right choose the field, Up and
// Down step it (wrapping inside its range), digits type into it.
//
// Typing: a digit that could still begin a longer number of the field (1 in a month field) is
// held and shown until the next digit, a move to another field or the loss of the focus
// completes it; a digit that cannot, or the field's last digit, sets the field at once. A year
// takes four digits (fewer, completed by leaving the field: below 100 the 2000s). Every change
// of the value runs OnChange.
#pragma once

#include <vector>

#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TBevelKind { bkNone, bkTile, bkSoft, bkFlat };
using TBevelCut = TPanelBevel;

class TDateTimePicker : public TCustomControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);

  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDateTime DateTime() const { return FDateTime; }
  virtual void SetDateTime(TDateTime Value);
  // The whole days of DateTime; setting keeps the time of day.
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  // The time of day of DateTime; setting keeps the day.
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  // Letters: d dd (day), M MM (month), yy yyyy (year), H HH (hours), h hh (hours 1-12), m mm
  // (minutes), s ss (seconds), t tt (AM/PM); text in single quotes and anything else shown as
  // it stands. Empty: the regional short date format, or the long time format for dtkTime.
  const String& Format() const { return FFormat; }
  void SetFormat(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool ShowCheckbox = false;
  TBevelKind BevelKind = bkNone;
  TBevelCut BevelInner = bvRaised;
  TBevelCut BevelOuter = bvLowered;
  bool DoubleBuffered = false;

  // The field that keys go to (0 the first) and how many fields the format has.
  int CurrentField() const { return FField; }
  void SetCurrentField(int Index);
  int FieldCount() const;

  TNotifyEvent OnChange;

  void WndProc(TMessage& Message) override;

 protected:
  enum class FieldKind { Literal, Day, Month, Year, Hour24, Hour12, Minute, Second, AmPm };
  struct Field {
    FieldKind Kind;
    int Width;     // letters in the format
    String Text;   // the literal text
  };
  virtual void Change();
  String GetText() const override;
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DefaultHandler(TMessage& Message) override;

 private:
  String EffectiveFormat() const;
  void ParseFormat();
  std::vector<int> Editable() const;
  String FieldText(const Field& F) const;
  // Steps the current field by Delta, wrapping within its range.
  void StepField(int Delta);
  void TypeDigit(int Digit);
  // Completes a held digit (or year) into the value.
  void CommitPending();
  void SetFieldValue(FieldKind Kind, int Value);
  void ApplyValue(TDateTime Value);

  TDateTimeKind FKind = dtkDate;
  TDateTime FDateTime = 0;
  String FFormat;
  bool FChecked = true;
  std::vector<Field> FFields;
  int FField = 0;
  int FPending = -1;       // the digits held for the current field, or -1
  int FPendingDigits = 0;
};

#include "classlib/DateTimePicker.h"

#include <algorithm>
#include <cmath>

#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/SysUtils.h"

namespace {

struct Parts {
  Word Year, Month, Day, Hour, Min, Sec, MSec;
};

Parts Split(TDateTime Value) {
  Parts p{};
  DecodeDate(Value, p.Year, p.Month, p.Day);
  DecodeTime(Value, p.Hour, p.Min, p.Sec, p.MSec);
  return p;
}

TDateTime Join(const Parts& p) {
  Word day = std::min<Word>(p.Day, DaysInAMonth(p.Year, p.Month));
  return EncodeDate(p.Year, p.Month, day) + EncodeTime(p.Hour, p.Min, p.Sec, p.MSec);
}

String Pad(int Value, int Width) {
  String s = IntToStr(Value);
  while (static_cast<int>(s.size()) < Width) s.insert(s.begin(), '0');
  return s;
}

// The regional pattern in the picker's letters: '/' and ':' become the separators, a date's m
// the month, a time's n the minutes and its h the 24-hour hours.
String FromRegional(const String& Pattern, bool Time) {
  String out;
  for (char c : Pattern) {
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '/') out += String("'") + FormatSettings.DateSeparator + "'";
    else if (c == ':') out += String("'") + FormatSettings.TimeSeparator + "'";
    else if (!Time && l == 'm') out += 'M';
    else if (Time && l == 'n') out += 'm';
    else if (Time && l == 'h') out += 'H';
    else if (l == 'y' || l == 'd' || l == 's' || (Time && l == 'm')) out += l;
    else out += String("'") + c + "'";
  }
  return out;
}

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TCustomControl(AOwner) {
  TabStop = true;
  SetBounds(0, 0, 186, 21);
  FColor = clWindow;
  FDateTime = Now();
  ParseFormat();
}

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }

TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::floor(Value) + Time()); }

void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(Date() + (Value - std::floor(Value))); }

void TDateTimePicker::SetDateTime(TDateTime Value) {
  FPending = -1;
  FDateTime = Value;
  Invalidate();
}

void TDateTimePicker::ApplyValue(TDateTime Value) {
  if (Value == FDateTime) {
    Invalidate();
    return;
  }
  FDateTime = Value;
  Invalidate();
  Change();
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  ParseFormat();
}

void TDateTimePicker::SetFormat(const String& Value) {
  FFormat = Value;
  ParseFormat();
}

void TDateTimePicker::SetChecked(bool Value) {
  FChecked = Value;
  Invalidate();
}

void TDateTimePicker::Change() {
  if (OnChange) OnChange(this);
}

String TDateTimePicker::EffectiveFormat() const {
  if (!FFormat.empty()) return FFormat;
  return FKind == dtkTime ? FromRegional(FormatSettings.LongTimeFormat, true)
                          : FromRegional(FormatSettings.ShortDateFormat, false);
}

void TDateTimePicker::ParseFormat() {
  FFields.clear();
  FPending = -1;
  const String f = EffectiveFormat();
  auto literal = [this](const String& s) {
    if (!FFields.empty() && FFields.back().Kind == FieldKind::Literal) FFields.back().Text += s;
    else FFields.push_back({FieldKind::Literal, 0, s});
  };
  for (size_t i = 0; i < f.size();) {
    char c = f[i];
    if (c == '\'') {
      size_t end = f.find('\'', i + 1);
      if (end == String::npos) end = f.size();
      literal(f.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    size_t n = 1;
    while (i + n < f.size() && f[i + n] == c) ++n;
    FieldKind kind = FieldKind::Literal;
    switch (c) {
      case 'd': kind = FieldKind::Day; break;
      case 'M': kind = FieldKind::Month; break;
      case 'y': kind = FieldKind::Year; break;
      case 'H': kind = FieldKind::Hour24; break;
      case 'h': kind = FieldKind::Hour12; break;
      case 'm': kind = FieldKind::Minute; break;
      case 's': kind = FieldKind::Second; break;
      case 't': kind = FieldKind::AmPm; break;
      default: break;
    }
    if (kind == FieldKind::Literal) literal(f.substr(i, n));
    else FFields.push_back({kind, static_cast<int>(n), ""});
    i += n;
  }
  FField = std::clamp(FField, 0, std::max(0, FieldCount() - 1));
  Invalidate();
}

std::vector<int> TDateTimePicker::Editable() const {
  std::vector<int> list;
  for (size_t i = 0; i < FFields.size(); ++i)
    if (FFields[i].Kind != FieldKind::Literal) list.push_back(static_cast<int>(i));
  return list;
}

int TDateTimePicker::FieldCount() const { return static_cast<int>(Editable().size()); }

void TDateTimePicker::SetCurrentField(int Index) {
  CommitPending();
  FField = std::clamp(Index, 0, std::max(0, FieldCount() - 1));
  Invalidate();
}

String TDateTimePicker::FieldText(const Field& F) const {
  Parts p = Split(FDateTime);
  switch (F.Kind) {
    case FieldKind::Literal: return F.Text;
    case FieldKind::Day: return Pad(p.Day, F.Width >= 2 ? 2 : 1);
    case FieldKind::Month: return Pad(p.Month, F.Width >= 2 ? 2 : 1);
    case FieldKind::Year: return F.Width >= 3 ? Pad(p.Year, 4) : Pad(p.Year % 100, 2);
    case FieldKind::Hour24: return Pad(p.Hour, F.Width >= 2 ? 2 : 1);
    case FieldKind::Hour12: return Pad(p.Hour % 12 == 0 ? 12 : p.Hour % 12, F.Width >= 2 ? 2 : 1);
    case FieldKind::Minute: return Pad(p.Min, F.Width >= 2 ? 2 : 1);
    case FieldKind::Second: return Pad(p.Sec, F.Width >= 2 ? 2 : 1);
    case FieldKind::AmPm: {
      String s = p.Hour < 12 ? FormatSettings.TimeAMString : FormatSettings.TimePMString;
      return F.Width == 1 ? s.substr(0, 1) : s;
    }
  }
  return "";
}

String TDateTimePicker::GetText() const {
  String s;
  auto editable = Editable();
  for (size_t i = 0; i < FFields.size(); ++i) {
    bool current = FPending >= 0 && FField < static_cast<int>(editable.size()) &&
                   editable[static_cast<size_t>(FField)] == static_cast<int>(i);
    s += current ? IntToStr(FPending) : FieldText(FFields[i]);
  }
  return s;
}

void TDateTimePicker::SetFieldValue(FieldKind Kind, int Value) {
  Parts p = Split(FDateTime);
  switch (Kind) {
    case FieldKind::Day: p.Day = static_cast<Word>(Value); break;
    case FieldKind::Month: p.Month = static_cast<Word>(Value); break;
    case FieldKind::Year: p.Year = static_cast<Word>(Value); break;
    case FieldKind::Hour24: case FieldKind::Hour12: p.Hour = static_cast<Word>(Value); break;
    case FieldKind::Minute: p.Min = static_cast<Word>(Value); break;
    case FieldKind::Second: p.Sec = static_cast<Word>(Value); break;
    default: return;
  }
  ApplyValue(Join(p));
}

void TDateTimePicker::StepField(int Delta) {
  CommitPending();
  auto editable = Editable();
  if (editable.empty()) return;
  const Field& f = FFields[static_cast<size_t>(editable[static_cast<size_t>(FField)])];
  Parts p = Split(FDateTime);
  auto wrap = [](int v, int lo, int hi) { return lo + (((v - lo) % (hi - lo + 1)) + (hi - lo + 1)) % (hi - lo + 1); };
  switch (f.Kind) {
    case FieldKind::Day: SetFieldValue(f.Kind, wrap(p.Day + Delta, 1, DaysInAMonth(p.Year, p.Month))); break;
    case FieldKind::Month: SetFieldValue(f.Kind, wrap(p.Month + Delta, 1, 12)); break;
    case FieldKind::Year: SetFieldValue(f.Kind, wrap(p.Year + Delta, 1, 9999)); break;
    case FieldKind::Hour24: case FieldKind::Hour12: SetFieldValue(f.Kind, wrap(p.Hour + Delta, 0, 23)); break;
    case FieldKind::Minute: SetFieldValue(f.Kind, wrap(p.Min + Delta, 0, 59)); break;
    case FieldKind::Second: SetFieldValue(f.Kind, wrap(p.Sec + Delta, 0, 59)); break;
    case FieldKind::AmPm: SetFieldValue(FieldKind::Hour24, (p.Hour + 12) % 24); break;
    default: break;
  }
}

void TDateTimePicker::CommitPending() {
  if (FPending < 0) return;
  int value = FPending;
  FPending = -1;
  auto editable = Editable();
  const Field& f = FFields[static_cast<size_t>(editable[static_cast<size_t>(FField)])];
  if (f.Kind == FieldKind::Year && value < 100) value += 2000;
  if (f.Kind == FieldKind::Hour12) {
    Parts p = Split(FDateTime);
    value = value % 12 + (p.Hour >= 12 ? 12 : 0);
  }
  int lo = (f.Kind == FieldKind::Day || f.Kind == FieldKind::Month || f.Kind == FieldKind::Year) ? 1 : 0;
  if (value >= lo) SetFieldValue(f.Kind, value);
  else Invalidate();
}

void TDateTimePicker::TypeDigit(int Digit) {
  auto editable = Editable();
  if (editable.empty()) return;
  const Field& f = FFields[static_cast<size_t>(editable[static_cast<size_t>(FField)])];
  int max = 0, digits = 2;
  switch (f.Kind) {
    case FieldKind::Day: max = 31; break;
    case FieldKind::Month: max = 12; break;
    case FieldKind::Year: max = 9999; digits = 4; break;
    case FieldKind::Hour24: max = 23; break;
    case FieldKind::Hour12: max = 12; break;
    case FieldKind::Minute: case FieldKind::Second: max = 59; break;
    default: return;
  }
  int value = Digit;
  int count = 1;
  if (FPending >= 0 && FPending * 10 + Digit <= max) {
    value = FPending * 10 + Digit;
    count = FPendingDigits + 1;
  }
  FPending = value;
  FPendingDigits = count;
  // Complete now when no further digit could follow.
  bool complete = count >= digits || (f.Kind != FieldKind::Year && value * 10 > max);
  if (f.Kind == FieldKind::Day && value > DaysInAMonth(Split(FDateTime).Year, Split(FDateTime).Month))
    complete = true;
  if (complete) CommitPending();
  else Invalidate();
}

void TDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
}

void TDateTimePicker::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    switch (Message.WParam) {
      case VK_LEFT: SetCurrentField(FField - 1); return;
      case VK_RIGHT: SetCurrentField(FField + 1); return;
      case VK_HOME: SetCurrentField(0); return;
      case VK_END: SetCurrentField(FieldCount() - 1); return;
      case VK_UP: StepField(1); return;
      case VK_DOWN: StepField(-1); return;
      default: break;
    }
  } else if (Message.Msg == WM_CHAR) {
    char c = static_cast<char>(Message.WParam);
    if (c >= '0' && c <= '9') {
      TypeDigit(c - '0');
      return;
    }
  }
  TCustomControl::DefaultHandler(Message);
}

void TDateTimePicker::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      return;
    case WM_KILLFOCUS:
      CommitPending();
      TCustomControl::WndProc(Message);
      Invalidate();
      return;
    case WM_SETFOCUS:
      TCustomControl::WndProc(Message);
      Invalidate();
      return;
    default:
      TCustomControl::WndProc(Message);
  }
}

void TDateTimePicker::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
  c->FillRect(r);
  c->Font()->Assign(Font());
  c->SetBkMode(TRANSPARENT);
  int x = 3;
  int y = (r.Height() - c->TextHeight("0")) / 2;
  auto editable = Editable();
  bool focused = Focused();
  for (size_t i = 0; i < FFields.size(); ++i) {
    bool current = FField < static_cast<int>(editable.size()) && editable[static_cast<size_t>(FField)] == static_cast<int>(i);
    String s = current && FPending >= 0 ? IntToStr(FPending) : FieldText(FFields[i]);
    int w = c->TextWidth(s);
    if (current && focused) {
      c->Brush()->SetColor(clHighlight);
      c->FillRect(Rect(x, y, x + w, y + c->TextHeight(s)));
      c->Font()->SetColor(clHighlightText);
    } else {
      c->Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
    }
    c->TextOut(x, y, s);
    c->Brush()->SetColor(Enabled() ? Color() : clBtnFace);
    x += w;
  }
}

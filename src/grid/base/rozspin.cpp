#include "grid/base/rozspin.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Gdi.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/ZudAzud.h"

namespace {

// The spin arrows: a small black triangle on the button face, pointing up or down.
void PaintArrow(TBitmap* Bitmap, bool Up) {
  Bitmap->SetSize(7, 4);
  TCanvas* c = Bitmap->Canvas();
  c->Brush()->SetColor(clOlive);
  c->FillRect(Rect(0, 0, 7, 4));
  c->Pen()->SetColor(clBlack);
  for (int row = 0; row < 4; ++row) {
    int y = Up ? 3 - row : row;
    c->MoveTo(row, y);
    c->LineTo(7 - row, y);
  }
  Bitmap->SetTransparentColor(clOlive);
}

const bool kResources = [] {
  TBitmap::RegisterResource("ZirSpinUp", [](TBitmap* b) { PaintArrow(b, true); });
  TBitmap::RegisterResource("ZirSpinDown", [](TBitmap* b) { PaintArrow(b, false); });
  return true;
}();

// 1-based position of the first (Nth) occurrence of C in S, 0 when there is none.
int PosOf(char C, const String& S, int Nth = 1) {
  for (size_t i = 0; i < S.size(); ++i)
    if (S[i] == C && --Nth == 0) return static_cast<int>(i) + 1;
  return 0;
}

bool IsNumber(char C) { return C >= '0' && C <= '9'; }

// A step past either end of the integers stops there instead of wrapping to the other end.
int SteppedValue(int Value, int Step, int Sign) {
  const int64_t v = static_cast<int64_t>(Value) + Sign * static_cast<int64_t>(Step);
  return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

bool TryReadTime(const String& S, TDateTime& Value) {
  String t = Trim(S);
  bool pm = false, am = false;
  auto endsWith = [&t](const String& suffix) {
    if (suffix.empty() || t.size() < suffix.size()) return false;
    return CompareText(t.substr(t.size() - suffix.size()), suffix) == 0;
  };
  if (endsWith(FormatSettings.TimePMString)) pm = true;
  else if (endsWith(FormatSettings.TimeAMString)) am = true;
  if (pm || am) t = Trim(t.substr(0, t.size() - (pm ? FormatSettings.TimePMString : FormatSettings.TimeAMString).size()));
  int parts[3] = {0, 0, 0};
  int n = 0;
  size_t i = 0;
  while (n < 3) {
    size_t start = i;
    while (i < t.size() && IsNumber(t[i])) ++i;
    if (i == start || i - start > 4) return false;
    parts[n++] = std::stoi(t.substr(start, i - start));
    if (i == t.size()) break;
    if (t[i] != FormatSettings.TimeSeparator) return false;
    ++i;
  }
  if (i != t.size()) return false;
  int h = parts[0];
  if (pm || am) {
    if (h < 1 || h > 12) return false;
    h = h % 12 + (pm ? 12 : 0);
  }
  if (h > 23 || parts[1] > 59 || parts[2] > 59) return false;
  Value = EncodeTime(static_cast<Word>(h), static_cast<Word>(parts[1]), static_cast<Word>(parts[2]), 0);
  return true;
}

// ---- TRivTimerSpeedButton ----

TRivTimerSpeedButton::~TRivTimerSpeedButton() = default;

void TRivTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled() && TimeBtnState.Contains(tbAllowTimer)) {
    if (FRepeatTimer == nullptr) {
      FRepeatTimer = New<TTimer>(this);
      FRepeatTimer->SetEnabled(false);
      FRepeatTimer->SetOnTimer([this](TObject*) { TimerExpired(); });
    }
    FRepeatTimer->SetInterval(400);
    FRepeatTimer->SetEnabled(true);
  }
  if (Parent() != nullptr) Parent()->Invalidate();
}

void TRivTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSpeedButton::MouseUp(Button, Shift, X, Y);
  if (FRepeatTimer != nullptr) FRepeatTimer->SetEnabled(false);
  if (Parent() != nullptr) Parent()->Invalidate();
}

void TRivTimerSpeedButton::TimerExpired() {
  FRepeatTimer->SetInterval(100);
  // Held: pressed, and the mouse has not been let go elsewhere.
  if (FState == bsDown && FDragging) {
    try {
      Click();
    } catch (...) {
      FRepeatTimer->SetEnabled(false);
      throw;
    }
  }
}

void TRivTimerSpeedButton::MouseEnter() {
  FHasMouse = true;
  TSpeedButton::MouseEnter();
}

void TRivTimerSpeedButton::MouseLeave() {
  FHasMouse = false;
  TSpeedButton::MouseLeave();
}

void TRivTimerSpeedButton::Paint() {
  TRect r = ClientRect();
  bool down = FState == bsDown;
  TCanvas* c = Canvas();
  DrawButtonFace(c, r, down, Flat());
  if (ButtonDirection == bdLeft || ButtonDirection == bdRight) {
    // The classic scroll arrows, pointing left or right.
    int cx = r.Left + r.Width() / 2 + (down ? 1 : 0);
    int cy = r.Top + r.Height() / 2 + (down ? 1 : 0);
    c->Pen()->SetColor(Enabled() ? clBtnText : clGrayText);
    for (int i = 0; i < 4; ++i) {
      int x = ButtonDirection == bdLeft ? cx - 2 + i : cx + 1 - i;
      c->MoveTo(x, cy - i);
      c->LineTo(x, cy + i + 1);
    }
  } else {
    DrawGlyphAndCaption(c, r, down);
  }
  if (TimeBtnState.Contains(tbFocusRect) && Parent() != nullptr && static_cast<TWinControl*>(Parent())->Focused()) {
    TRect f = Rect(r.Left, r.Top, r.Right, r.Bottom);
    DrawFocusRect(c, &f);
  }
}

// ---- TZirSpinButton ----

TZirSpinButton::TZirSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Exclude(csAcceptsControls);
  ControlStyle.Exclude(csSetCaption);
  ControlStyle.Include(csOpaque);
  FUpButton = CreateButton("ZirSpinUp", bdUp);
  FDownButton = CreateButton("ZirSpinDown", bdDown);
  SetBounds(0, 0, 15, 25);
  FFocusedButton = FUpButton;
  FUpButton->TimeBtnState.Include(tbFocusRect);
}

TRivTimerSpeedButton* TZirSpinButton::CreateButton(const char* Resource, TButtonDirection Direction) {
  auto* b = New<TRivTimerSpeedButton>(this);
  b->OnClick = [this, b](TObject*) {
    TNotifyEvent& e = b == FUpButton ? OnUpClick : OnDownClick;
    if (e) e(this);
  };
  b->OnMouseDown = [this, b](TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == mbLeft) BtnMouseDown(b);
  };
  b->TimeBtnState = {tbAllowTimer};
  TBitmap glyph;
  glyph.LoadFromResourceName(Resource);
  b->SetGlyph(&glyph);
  b->SetNumGlyphs(1);
  b->ButtonDirection = Direction;
  b->SetParent(this);
  return b;
}

void TZirSpinButton::BtnMouseDown(TRivTimerSpeedButton* Button) {
  SetFocusBtn(Button);
  if (FFocusControl != nullptr && FFocusControl->TabStop && FFocusControl->CanFocus() && !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (TabStop && !Focused() && CanFocus())
    SetFocus();
}

void TZirSpinButton::SetFocusBtn(TRivTimerSpeedButton* Button) {
  if (!TabStop || !CanFocus() || Button == FFocusedButton) return;
  FFocusedButton->TimeBtnState.Exclude(tbFocusRect);
  FFocusedButton = Button;
  FFocusedButton->TimeBtnState.Include(tbFocusRect);
  if (Focused()) Invalidate();
}

void TZirSpinButton::AdjustSize(int& W, int& H) {
  if (FUpButton == nullptr || FDownButton == nullptr || ComponentState().Contains(csLoading)) return;
  if (FDirection == spVertical) {
    W = std::max(W, 15);
    int upHeight = H / 2;
    FUpButton->SetBounds(0, 0, W, upHeight);
    FDownButton->SetBounds(0, upHeight - 1, W, H - upHeight + 1);
  } else {
    W = std::max(W, 20);
    FDownButton->SetBounds(0, 0, W / 2, H);
    FUpButton->SetBounds(W / 2 + 1, 0, W / 2, H);
  }
}

void TZirSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AdjustSize(AWidth, AHeight);
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TZirSpinButton::Loaded() {
  TCustomControl::Loaded();
  SetBounds(Left(), Top(), Width(), Height());
}

void TZirSpinButton::SetDirection(TSpinDirection Value) {
  if (Value == FDirection) return;
  FDirection = Value;
  if (Value == spHorizontal) {
    FUpButton->ButtonDirection = bdRight;
    FDownButton->ButtonDirection = bdLeft;
    SetBounds(Left(), Top(), 20, Height());
  } else {
    FUpButton->ButtonDirection = bdUp;
    FDownButton->ButtonDirection = bdDown;
    SetBounds(Left(), Top(), 15, Height());
  }
  Invalidate();
}

void TZirSpinButton::SetUpGlyph(TBitmap* Value) {
  if (Value != nullptr) {
    FUpButton->SetGlyph(Value);
    return;
  }
  TBitmap glyph;
  glyph.LoadFromResourceName("ZirSpinUp");
  FUpButton->SetGlyph(&glyph);
  FUpButton->SetNumGlyphs(1);
}

void TZirSpinButton::SetDownGlyph(TBitmap* Value) {
  if (Value != nullptr) {
    FDownButton->SetGlyph(Value);
    return;
  }
  TBitmap glyph;
  glyph.LoadFromResourceName("ZirSpinDown");
  FDownButton->SetGlyph(&glyph);
  FDownButton->SetNumGlyphs(1);
}

void TZirSpinButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TZirSpinButton::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FUpButton->IsWinXP = Value;
  FDownButton->IsWinXP = Value;
}

void TZirSpinButton::SetFlat(bool Value) {
  FUpButton->SetFlat(Value);
  FDownButton->SetFlat(Value);
}

void TZirSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TZirSpinButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      FFocusedButton->Invalidate();
      return;
    default:
      TCustomControl::WndProc(Message);
  }
}

void TZirSpinButton::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_UP:
      SetFocusBtn(FUpButton);
      FUpButton->Click();
      break;
    case VK_DOWN:
      SetFocusBtn(FDownButton);
      FDownButton->Click();
      break;
    case VK_SPACE:
      FFocusedButton->Click();
      break;
    default:
      break;
  }
}

void TZirSpinButton::Paint() {
  Canvas()->Brush()->SetColor(clBtnFace);
  Canvas()->FillRect(ClientRect());
}

// ---- TZirSpinEdit ----

TZirSpinEdit::TZirSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FButton = New<TZirSpinButton>(this);
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnUpClick = [this](TObject*) { UpButtonClick(); };
  FButton->OnDownClick = [this](TObject*) { DownButtonClick(); };
  ControlStyle.Exclude(csSetCaption);
  SetText("0");
  SetBounds(Left(), Top(), Width(), Height());
}

int TZirSpinEdit::Value() const {
  String t = Trim(Text());
  if (t.empty()) return 0;
  int v = 0;
  return TryStrToInt(t, v) ? v : MinValue;
}

void TZirSpinEdit::SetValue(int AValue) {
  if (MinValue != MaxValue) AValue = std::clamp(AValue, std::min(MinValue, MaxValue), std::max(MinValue, MaxValue));
  SetText(IntToStr(AValue));
  if (!EditorEnabled) SelectAll();
}

double TZirSpinEdit::FloatValue() const {
  Extended v = 0;
  return TryStrToFloat(Trim(Text()), v) ? static_cast<double>(v) : MinValue;
}

void TZirSpinEdit::SetFloatValue(double AValue) {
  if (MinFloatValue != MaxFloatValue)
    AValue = std::clamp(AValue, std::min(MinFloatValue, MaxFloatValue), std::max(MinFloatValue, MaxFloatValue));
  SetText(FPrecision > 0 ? FloatToStrF(AValue, ffFixed, 15, FPrecision) : FloatToStr(AValue));
}

TDateTime TZirSpinEdit::DateValue() const {
  String t = Trim(Text());
  if (t.empty() || t == "0") return Now();
  TDateTime v = 0;
  return ParseDateTimeLocale(t, v) ? v : MinDateValue;
}

void TZirSpinEdit::ShowKeepingCaret(const String& S) {
  int caret = SelStart();
  SetText(S);
  SetSelStart(caret);
}

void TZirSpinEdit::SetDateValue(TDateTime AValue) {
  FDateValue = AValue;
  if (ComponentState().Contains(csLoading)) return;
  if (MinDateValue != MaxDateValue) FDateValue = std::clamp(FDateValue, MinDateValue, MaxDateValue);
  ShowKeepingCaret(DateToStr(FDateValue));
}

TDateTime TZirSpinEdit::TimeValue() const {
  TDateTime v = 0;
  return TryReadTime(Text(), v) ? v : 0;
}

void TZirSpinEdit::SetTimeValue(TDateTime AValue) {
  FTimeValue = AValue;
  if (ComponentState().Contains(csLoading)) return;
  if (MinDateValue != MaxDateValue) FTimeValue = std::clamp(FTimeValue, MinDateValue, MaxDateValue);
  ShowKeepingCaret(ShowSeconds ? TimeToStr(FTimeValue) : FormatDateTime("h:nn", FTimeValue));
}

void TZirSpinEdit::ShowValue() {
  switch (FSpinType) {
    case sptNormal: SetValue(Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
  }
}

void TZirSpinEdit::SetSpinType(TZirSpinType Value) {
  // The value is read in the old type's form, then shown in the new one's.
  TZirSpinType old = FSpinType;
  double number = old == sptFloat ? FloatValue() : Value == sptNormal || Value == sptFloat ? this->Value() : 0;
  FSpinType = Value;
  switch (Value) {
    case sptNormal: SetValue(static_cast<int>(number)); break;
    case sptFloat: SetFloatValue(number); break;
    case sptDate: SetDateValue(old == sptDate ? DateValue() : FDateValue != 0 ? FDateValue : Now()); break;
    case sptTime: SetTimeValue(old == sptTime ? TimeValue() : FTimeValue); break;
  }
}

void TZirSpinEdit::SetPrecision(int Value) {
  FPrecision = Value;
  if (FSpinType == sptFloat) SetFloatValue(FloatValue());
}

void TZirSpinEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  if (FSpinType == sptDate) SetDateValue(FDateValue);
  if (FSpinType == sptTime) SetTimeValue(FTimeValue);
  SetSpinType(FSpinType);
}

void TZirSpinEdit::SetDirection(TSpinDirection Value) {
  FButton->SetDirection(Value);
  SetBounds(Left(), Top(), Width(), Height());
}

void TZirSpinEdit::SetEditAlign(TEditAlign Value) {
  if (Value == FEditAlign) return;
  FEditAlign = Value;
  Alignment = Value == eaRight ? taRightJustify : Value == eaCenter ? taCenter : taLeftJustify;
  UpdateView();
}

void TZirSpinEdit::SetSpinFlat(bool Value) {
  FSpinFlat = Value;
  FButton->SetFlat(Value);
}

void TZirSpinEdit::SetSpinTransparent(bool Value) {
  FSpinTransparent = Value;
  SetBounds(Left(), Top(), Width(), Height());
  FButton->Invalidate();
}

void TZirSpinEdit::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->SetIsWinXP(Value);
}

int TZirSpinEdit::MinHeight() const {
  int h = FontTextHeight(Font());
  if (BorderStyle == bsSingle) h += 4 * kBorderHeight;
  return h + ExtraEditHeight(Font()) + 2;
}

void TZirSpinEdit::SetEditRect() {
  int inset = BorderStyle == bsSingle ? 0 : 3;
  FEditRect = Rect(inset, inset, ClientWidth() - FButton->Width() - inset - 2, ClientHeight() + 1);
  SetFormattingRect(FEditRect);
}

void TZirSpinEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, MinHeight()));
  if (FButton == nullptr) return;
  TRect b = EmbeddedButtonBounds(Width(), Height(), FButton->Width(), Ctl3D, BorderStyle == bsSingle);
  FButton->SetBounds(b.Left, b.Top, b.Width(), b.Height());
  SetEditRect();
}

void TZirSpinEdit::UpButtonClick() { UpClick(false); }

void TZirSpinEdit::DownButtonClick() { DownClick(false); }

void TZirSpinEdit::UpClick(bool Page) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
    case sptNormal: SetValue(SteppedValue(Value(), Increment, 1)); break;
    case sptFloat: SetFloatValue(FloatValue() + (Page ? 1.0 : IncrementFloat)); break;
    case sptDate: StepDate(1); break;
    case sptTime: StepTime(1); break;
  }
}

void TZirSpinEdit::DownClick(bool Page) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  switch (FSpinType) {
    case sptNormal: SetValue(SteppedValue(Value(), Increment, -1)); break;
    case sptFloat: SetFloatValue(FloatValue() - (Page ? 1.0 : IncrementFloat)); break;
    case sptDate: StepDate(-1); break;
    case sptTime: StepTime(-1); break;
  }
}

void TZirSpinEdit::StepDate(int Sign) {
  // Which of day, month and year each field holds, from the order of their letters in the
  // short date format.
  String fmt = UpperCase(FormatSettings.ShortDateFormat);
  FUsDates = fmt.find('M') < fmt.find('D');
  std::vector<std::pair<size_t, char>> order = {{fmt.find('D'), 'D'}, {fmt.find('M'), 'M'}, {fmt.find('Y'), 'Y'}};
  std::sort(order.begin(), order.end());
  const String text = Text();
  const int caret = SelStart();
  const int first = PosOf(FormatSettings.DateSeparator, text, 1);
  const int second = PosOf(FormatSettings.DateSeparator, text, 2);
  int field = 2;
  if (first > 0 && caret < first) field = 0;
  else if (second > 0 && caret < second) field = 1;
  TDateTime d = DateValue();
  Word y, m, dd;
  DecodeDate(d, y, m, dd);
  switch (order[static_cast<size_t>(field)].second) {
    case 'D':
      d += Sign;
      break;
    case 'M': {
      int months = y * 12 + (m - 1) + Sign;
      Word ny = static_cast<Word>(months / 12), nm = static_cast<Word>(months % 12 + 1);
      d = EncodeDate(ny, nm, std::min<Word>(dd, DaysInAMonth(ny, nm))) + (d - std::floor(d));
      break;
    }
    default:
      // A year keeps its month and day (29 February has none in most years).
      d = EncodeDate(static_cast<Word>(y + Sign), m, dd) + (d - std::floor(d));
      break;
  }
  SetDateValue(d);
}

void TZirSpinEdit::StepTime(int Sign) {
  const String text = Text();
  const int caret = SelStart();
  const int first = PosOf(FormatSettings.TimeSeparator, text, 1);
  const int second = PosOf(FormatSettings.TimeSeparator, text, 2);
  TDateTime step;
  if (caret < first) step = EncodeTime(static_cast<Word>(IncrementHours), 0, 0, 0);
  else if (ShowSeconds && second > 0 && caret >= second) step = EncodeTime(0, 0, static_cast<Word>(IncrementSeconds), 0);
  else step = EncodeTime(0, static_cast<Word>(IncrementMinutes), 0, 0);
  TDateTime t = TimeValue();
  if (Sign > 0) {
    t += step;
  } else {
    // Down wraps within the day.
    t = t + 1 - step;
    if (t > 1) t -= 1;
  }
  SetTimeValue(t);
}

bool TZirSpinEdit::IsValidChar(char& Key) {
  if (Key == '\b') return EditorEnabled;
  const TFormatSettings& fs = FormatSettings;
  const unsigned char k = static_cast<unsigned char>(Key);
  const bool control = k < 32;
  bool valid = Key == fs.DecimalSeparator || Key == fs.ThousandSeparator || Key == fs.TimeSeparator ||
               Key == fs.DateSeparator || IsNumber(Key) || Key == '-' || (control && Key != '\r');
  const bool numeric = FSpinType == sptNormal || FSpinType == sptFloat;
  auto passesAsNumberChar = [&] { return Key == fs.DecimalSeparator || Key == fs.ThousandSeparator || Key == '-' || Key == '+'; };
  if (Key == fs.TimeSeparator && FSpinType != sptTime) valid = valid && numeric && passesAsNumberChar();
  if (Key == fs.DateSeparator && FSpinType != sptDate) valid = valid && numeric && passesAsNumberChar();
  const String text = Text();
  if (Key == '-') {
    if (SelStart() != 0) valid = false;
    const int minus = PosOf('-', text);
    if (minus > 0 && !(minus - 1 >= SelStart() && minus - 1 < SelStart() + SelLength())) valid = false;
  }
  // Control characters (Ctrl+C, Ctrl+V, Escape) stay valid in an integer edit as well.
  if (FSpinType == sptNormal) valid = valid && (IsNumber(Key) || Key == '-' || control);
  if (FSpinType == sptFloat && Key != 27 && Key != '\r') {
    if (Key == fs.ThousandSeparator && Key != fs.DecimalSeparator) valid = false;
    const int dec = PosOf(fs.DecimalSeparator, text);
    if (Key == fs.DecimalSeparator && dec > 0 && !(dec - 1 >= SelStart() && dec - 1 < SelStart() + SelLength()))
      valid = false;
    if (FPrecision > 0 && dec > 0 && !control && SelStart() >= dec && SelLength() == 0 &&
        static_cast<int>(text.size()) >= dec + FPrecision)
      valid = false;
  }
  if (FSpinType == sptTime && Key == fs.TimeSeparator) {
    int count = static_cast<int>(std::count(text.begin(), text.end(), fs.TimeSeparator));
    if (count > 1) valid = false;
  }
  if (!EditorEnabled) valid = control && Key != '\b';
  return valid;
}

void TZirSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  switch (Key) {
    case VK_PRIOR: UpClick(true); Key = 0; break;
    case VK_NEXT: DownClick(true); Key = 0; break;
    case VK_UP: UpClick(false); Key = 0; break;
    case VK_DOWN: DownClick(false); Key = 0; break;
    case VK_RETURN:
      if (ReturnIsTab) {
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
        Key = 0;
      }
      break;
    case VK_DELETE:
      if (!EditorEnabled) Key = 0;
      break;
    default:
      break;
  }
  const bool pasteOrCut = (Shift.Contains(ssCtrl) && (Key == 'V' || Key == 'X')) ||
                          (Shift.Contains(ssShift) && (Key == VK_INSERT || Key == VK_DELETE));
  if (pasteOrCut && (!EditorEnabled || ReadOnly())) Key = 0;
  if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TZirSpinEdit::KeyPress(char& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

bool TZirSpinEdit::OutOfRange() const {
  switch (FSpinType) {
    case sptNormal: return MinValue != MaxValue && (Value() < MinValue || Value() > MaxValue);
    case sptFloat:
      return MinFloatValue != MaxFloatValue && (FloatValue() < MinFloatValue || FloatValue() > MaxFloatValue);
    case sptDate: return MinDateValue != MaxDateValue && (DateValue() < MinDateValue || DateValue() > MaxDateValue);
    case sptTime: return MinDateValue != MaxDateValue && (TimeValue() < MinDateValue || TimeValue() > MaxDateValue);
  }
  return false;
}

void TZirSpinEdit::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CHAR:
      // The keypad's point (an extended key) types the regional decimal separator.
      if (ExcelStyleDecimalSeparator && Message.WParam == '.' && (Message.LParam & (1 << 22)) != 0)
        Message.WParam = static_cast<unsigned char>(FormatSettings.DecimalSeparator);
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!EditorEnabled || ReadOnly()) return;
      break;
    case WM_SIZE:
      TCustomMaskEdit::WndProc(Message);
      SetEditRect();
      return;
    case CM_ENTER:
      TCustomMaskEdit::WndProc(Message);
      if (AutoSelect && (!(GetKeyState(VK_LBUTTON) < 0) || !EditorEnabled)) SelectAll();
      return;
    case CM_EXIT:
      if (OutOfRange()) ShowValue();
      break;
    default:
      break;
  }
  TCustomMaskEdit::WndProc(Message);
}

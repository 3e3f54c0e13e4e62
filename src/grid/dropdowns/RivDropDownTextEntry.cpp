// The typed-text rules of TRivCustomDropDown: the value inside Prefix and Suffix, numbers
// formatted with Precision and the regional separators, and the filtering of typed
// characters, keys, pastes and cuts by edit type.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Clipbrd.h"
#include "classlib/Forms.h"
#include "classlib/Math.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/ZudAzud.h"
#include "grid/dropdowns/RivDropDown.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownNumbers.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool Contains(const String& s, char c) { return s.find(c) != String::npos; }
// 1-based position of c in s, 0 when absent.
int PosOf(char c, const String& s) {
  size_t i = s.find(c);
  return i == String::npos ? 0 : static_cast<int>(i) + 1;
}
bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0; }

// The platform's Val for reals: the number the whole text is, read with '.', else 0.
double ValOf(const String& S) {
  Extended v = 0;
  return TryStrToFloat(S, v, TFormatSettings::Invariant()) ? static_cast<double>(v) : 0.0;
}

// Restores a value when the scope ends.
template <typename T>
struct Hold {
  T& field;
  T saved;
  Hold(T& f, T value) : field(f), saved(f) { field = value; }
  ~Hold() { field = saved; }
};

}  // namespace

// ---- The value --------------------------------------------------------------------------------

String TRivCustomDropDown::Text() const {
  String s = EditText();
  if (!FPrefix.empty() && s.compare(0, FPrefix.size(), FPrefix) == 0) s.erase(0, FPrefix.size());
  if (!FSuffix.empty() && s.size() >= FSuffix.size() && s.compare(s.size() - FSuffix.size(), FSuffix.size(), FSuffix) == 0)
    s.erase(s.size() - FSuffix.size());
  return s;
}

void TRivCustomDropDown::AssignText(const String& Value) {
  // A text set from code leaves the caret at the start, before the change is reported.
  if (Value != EditText()) SetSelStart(0);
  if (IsMasked())
    SetEditText(Value);
  else
    TCustomMaskEdit::SetText(Value);
}

void TRivCustomDropDown::ReplaceSelection(const String& Value) {
  String text = EditText();
  const int start = SelStart();
  text.replace(static_cast<size_t>(start), static_cast<size_t>(SelLength()), Value);
  // The caret moves before the change is reported, so that change handlers see it where the
  // next key lands.
  FText = text;
  SetSelStart(start + static_cast<int>(Value.size()));
  TextChanged();
}

void TRivCustomDropDown::SetEditTextKeepingPrefix(const String& Value) { AssignText(FPrefix + Value + FSuffix); }

void TRivCustomDropDown::SetPrefix(const String& Value) {
  if (FPrefix == Value) return;
  const String value = Text();
  FPrefix = Value;
  SetEditTextKeepingPrefix(value);
}

void TRivCustomDropDown::SetSuffix(const String& Value) {
  if (FSuffix == Value) return;
  const String value = Text();
  FSuffix = Value;
  SetEditTextKeepingPrefix(value);
}

void TRivCustomDropDown::SetModifiedFlag(bool Value) {
  if (ComponentState().Contains(csLoading) || !FEditorEnabled || ReadOnly()) return;
  Modified = Value;
  FIsModified = Value;
}

void TRivCustomDropDown::ApplyText(const String& AValue) {
  String value = AValue;
  if (value.empty() && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney || FEditType == etHex))
    value = "0";
  if (FPrecision > 0 && !value.empty() && value != "Error") {
    if (FEditType == etMoney)
      value = ::Format("%." + IntToStr(static_cast<int>(FPrecision)) + "n", {ValueFromText(value)});
    else if (FEditType == etFloat)
      value = ::Format("%." + IntToStr(static_cast<int>(FPrecision)) + "f", {ValueFromText(value)});
  }
  if (FEditType == etHex) value = AnsiUpperCase(value);
  AssignText(FPrefix + value + FSuffix);
  FOldText = value;
  SetModifiedFlag(false);
}

double TRivCustomDropDown::ValueFromText(String S) const {
  const char thousand = FormatSettings.ThousandSeparator;
  const char dec = FormatSettings.DecimalSeparator;
  // A thousand separator where the decimals begin is the decimal separator typed the other way.
  if (FPrecision > 0 && static_cast<int>(S.size()) > FPrecision) {
    const size_t i = S.size() - static_cast<size_t>(FPrecision) - 1;
    if (S[i] == thousand) S[i] = dec;
  }
  S = StripThousandSeparators(S);
  Extended v = 0;
  return TryStrToFloat(S, v) ? static_cast<double>(v) : 0.0;
}

double TRivCustomDropDown::FloatValue() const {
  const String value = Text();
  switch (FEditType) {
    case etString:
      return ValOf(value);
    case etNumeric:
    case etFloat:
      if (!value.empty() && value != "Error" && value != "-") return ValueFromText(value);
      return 0;
    case etMoney: {
      if (value.empty()) return 0;
      String s = StripThousandSeparators(value);
      if (!s.empty() && s.back() == FormatSettings.DecimalSeparator) s.pop_back();
      if (!s.empty() && s != "-") return ValueFromText(s);
      return 0;
    }
    case etHex:
      return value.empty() ? 0 : static_cast<double>(HexToInt(value));
    default:
      return 0;
  }
}

void TRivCustomDropDown::SetFloatValue(double X) {
  const String fixed = FPrecision < 0 ? ::Format("%g", {X}) : ::Format("%." + IntToStr(static_cast<int>(FPrecision)) + "f", {X});
  switch (FEditType) {
    case etString:
    case etFloat:
      ApplyText(fixed);
      break;
    case etNumeric:
      ApplyText(FPrecision < 0 ? ::Format("%g", {X}) : ::Format("%." + IntToStr(static_cast<int>(FPrecision)) + "n", {X}));
      break;
    case etMoney:
      ApplyText(fixed);
      FormatMoneyText();
      break;
    case etHex:
      ApplyText(std::fabs(X) < 9.2e18 ? IntToHex(static_cast<Int64>(Trunc(X)), 0) : String("0"));
      break;
    default:
      break;
  }
  SetModifiedFlag(true);
}

void TRivCustomDropDown::SetIntValue(int N) {
  switch (FEditType) {
    case etNumeric:
    case etFloat:
      ApplyText(IntToStr(N));
      break;
    case etMoney:
      ApplyText(IntToStr(N));
      FormatMoneyText();
      break;
    case etHex:
      ApplyText(IntToHex(N, 0));
      break;
    default:
      break;
  }
  SetModifiedFlag(true);
}

void TRivCustomDropDown::FormatMoneyText() {
  String value = Text();
  if (value.empty()) return;
  const int oldLength = static_cast<int>(value.size());
  const int caret = SelStart();
  String sign;
  if (value[0] == '-') {
    sign = "-";
    value.erase(0, 1);
  }
  const char dec = FormatSettings.DecimalSeparator;
  const size_t decAt = value.find(dec);
  const String decimals = decAt == String::npos ? String() : value.substr(decAt, 255);
  const double whole = std::trunc(std::fabs(FloatValue()));
  // Beyond the integers the formats can show digit for digit the text stays as typed.
  if (!std::isfinite(whole) || whole >= 1e18) return;
  String integer = ::Format(FAutoThousandSeparator ? "%n" : "%f", {whole});
  if (const size_t cut = integer.find(dec); cut != String::npos) integer.erase(cut);
  String edit;
  {
    Hold<int16_t> precision(FPrecision, 0);
    edit = FPrefix + sign + integer + decimals + FSuffix;
    if (edit != EditText()) {
      FBlockChange = true;
      AssignText(edit);
      FBlockChange = false;
    }
  }
  const int newLength = static_cast<int>(Text().size());
  SetSelStart(std::max(0, newLength + caret - oldLength));
}

void TRivCustomDropDown::SetEditType(TDropDownEditType Value) {
  if (Value == FEditType) return;
  FEditType = Value;
  if (Value == etPassword) {
    PasswordChar = '*';
    FCanUndo = false;
  } else {
    PasswordChar = '\0';
  }
  UpdateView();
  const int kind = ClassifyNumber(Text());
  if (Value == etNumeric && kind != 0) SetIntValue(0);
  if ((Value == etFloat || Value == etMoney) && kind > 1) SetFloatValue(0);
  if (Value == etHex && kind != 0 && kind != 5) SetIntValue(0);
  if (ComponentState().Contains(csDesigning) && Value == etFloat && FPrecision == 0) SetPrecision(2);
}

void TRivCustomDropDown::SetPrecision(int Value) {
  if (Value == FPrecision) return;
  if (FEditType != etString && FEditType != etFloat && FEditType != etMoney) return;
  FPrecision = static_cast<int16_t>(Value);
  if (ClassifyNumber(Text()) > 1)
    SetFloatValue(0);
  else
    SetFloatValue(FloatValue());
}

int TRivCustomDropDown::DecimalPosition(const String& S) const {
  const String s = StripThousandSeparators(S);
  int position = PosOf(FormatSettings.DecimalSeparator, s);
  if (position == 0) position = static_cast<int>(s.size()) + 1;
  if (FSigned && IsNumericType() && Contains(s, '-')) --position;
  return position;
}

int TRivCustomDropDown::DecimalCaretPosition() const {
  const String value = Text();
  const int position = PosOf(FormatSettings.DecimalSeparator, value);
  if (position > 0) return position + PrefixLength();
  return PrefixLength() + static_cast<int>(value.size()) + static_cast<int>(FSuffix.size()) + 1;
}

bool TRivCustomDropDown::IsSignChar(char C) const { return FSigned && IsNumericType() && C == '-'; }

bool TRivCustomDropDown::DecimalsFull(const String& Value, int Caret) const {
  if (FPrecision <= 0) return false;
  const int c = Caret - PrefixLength();
  if (static_cast<int>(Value.size()) > FPrecision + c) return false;
  const int separator = PosOf(FormatSettings.DecimalSeparator, Value);
  if (separator == 0) return false;
  return c >= separator && static_cast<int>(Value.size()) - separator >= FPrecision;
}

bool TRivCustomDropDown::ThousandSeparatorTooClose(const String& Value, int Caret) const {
  const char thousand = FormatSettings.ThousandSeparator;
  if (!Contains(Value, thousand)) return false;
  int p = Caret - PrefixLength();
  int d = static_cast<int>(Value.size());
  String s = Value;
  int q = 0;
  while ((q = PosOf(thousand, s)) > 0) {
    d = std::min(d, std::abs(q - p));
    if (std::abs(q - p) < 3) return true;
    if (q < p) p -= q;
    s.erase(0, static_cast<size_t>(q));
  }
  return d > 3;
}

// ---- Selection ----------------------------------------------------------------------------------

void TRivCustomDropDown::SelectAll() {
  SetSelStart(PrefixLength());
  SetSelLength(static_cast<int>(Text().size()));
}

void TRivCustomDropDown::SelectAfterDecimal() {
  const int position = PosOf(FormatSettings.DecimalSeparator, Text());
  SetSelStart(PrefixLength() + position);
}

void TRivCustomDropDown::SelectBeforeDecimal() {
  const int position = PosOf(FormatSettings.DecimalSeparator, Text());
  SetSelStart(std::max(0, PrefixLength() + position - 1));
}

int TRivCustomDropDown::CharFromPos(TPoint P) const {
  static TBitmap bitmap(1, 1);
  TCanvas* c = bitmap.Canvas();
  c->Font()->Assign(Font());
  const String& text = EditText();
  int x = FEditRect.Left;
  for (size_t i = 0; i < text.size(); ++i) {
    const int w = c->TextWidth(text.substr(i, 1));
    if (P.X < x + w / 2) return static_cast<int>(i);
    x += w;
  }
  return static_cast<int>(text.size());
}

// ---- The edit's own editing ------------------------------------------------------------------------

void TRivCustomDropDown::EditTypeChar(char Key) {
  if (ReadOnly()) return;
  if (Key == '\b') {
    if (SelLength() == 0) {
      if (SelStart() == 0) return;
      const int at = SelStart() - 1;
      SetSelStart(at);
      SetSelLength(1);
    }
    ReplaceSelection("");
    return;
  }
  if (static_cast<unsigned char>(Key) < 32) return;
  if (MaxLength() > 0 && static_cast<int>(EditText().size()) - SelLength() >= MaxLength()) return;
  ReplaceSelection(String(1, Key));
}

void TRivCustomDropDown::EditDeleteKey() {
  if (ReadOnly()) return;
  if (SelLength() == 0) {
    if (SelStart() >= static_cast<int>(EditText().size())) return;
    SetSelLength(1);
  }
  ReplaceSelection("");
}

void TRivCustomDropDown::InheritedChar(TMessage& Message) {
  char key = static_cast<char>(Message.WParam);
  KeyPress(key);
  if (key != 0 && !IsMasked()) EditTypeChar(key);
  // The edit has done its own editing: the window system's view must not do it again.
  Message.WParam = 0;
}

void TRivCustomDropDown::InheritedKeyDown(TMessage& Message) { TCustomMaskEdit::WndProc(Message); }

void TRivCustomDropDown::Change() {
  if (FBlockChange) {
    // The control's own re-formatting: no change event for it.
    FBlockChange = false;
    return;
  }
  TCustomMaskEdit::Change();
}

// ---- Typed characters ---------------------------------------------------------------------------------

void TRivCustomDropDown::ToggleSign(bool WholeSelectedToMinus) {
  const String value = Text();
  if (WholeSelectedToMinus && !value.empty() && SelLength() == static_cast<int>(value.size())) {
    SetEditTextKeepingPrefix("-");
    SetSelStart(PrefixLength() + 1);
    return;
  }
  const int caret = SelStart();
  if (!Contains(value, '-')) {
    SetEditTextKeepingPrefix("-" + value);
    SetSelStart(caret + 1);
    SetModifiedFlag(true);
  } else {
    SetEditTextKeepingPrefix(value.substr(1));
    SetSelStart(caret >= 1 && caret > PrefixLength() ? caret - 1 : PrefixLength());
  }
}

bool TRivCustomDropDown::RangeCharAllowed(char Key) const {
  if (Key != ',' && Key != '-' && Key != ';') return true;
  if (SelStart() <= PrefixLength()) return false;
  const String text = EditText() + " ";
  const auto separator = [](char c) { return c == ',' || c == '-' || c == ';'; };
  const int caret = SelStart();
  if (caret >= 1 && separator(text[static_cast<size_t>(caret - 1)])) return false;
  if (caret < static_cast<int>(text.size()) && separator(text[static_cast<size_t>(caret)])) return false;
  return true;
}

// The decimal, overwrite and sign rules of etFloat and etMoney; false when the character was
// refused or handled here.
bool TRivCustomDropDown::FloatChar(char& Key, TMessage& Message) {
  const char dec = FormatSettings.DecimalSeparator;
  const char thousand = FormatSettings.ThousandSeparator;
  const String value = Text();
  const int caret = SelStart();
  if (Key == dec && (FEditType == etMoney || !Contains(SelText(), dec))) {
    if (Contains(value, dec) || FPrecision == 0) {
      if (FPrecision > 0) {
        if (FEditType == etMoney && !value.empty() && SelLength() == static_cast<int>(value.size())) ApplyText("0,0");
        SelectAfterDecimal();
      }
      return false;
    }
  }
  if (FEditType == etFloat && Key == ',' && Contains(value, ',') && !Contains(SelText(), ',') && thousand != ',')
    return false;
  if ((Key == thousand || Key == dec) && ThousandSeparatorTooClose(value, caret)) return false;
  if (DecimalsFull(value, caret) && (IsDigit(Key) || Key == dec) && SelLength() == 0) {
    const int separator = PosOf(dec, value);
    if (FPrecision >= 1 && caret - PrefixLength() >= separator && caret < PrefixLength() + static_cast<int>(value.size()))
      SetSelLength(1);
    else
      return false;
  }
  if (Key == dec && value.empty() && caret <= PrefixLength()) {
    SetEditTextKeepingPrefix(String("0") + dec);
    SetSelStart(PrefixLength() + 2);
    SetModifiedFlag(true);
    return false;
  }
  if (Key == '-' && SelLength() == 0) {
    Hold<int16_t> precision(FPrecision, 0);
    ToggleSign(false);
    return false;
  }
  InheritedChar(Message);
  if (FEditType == etMoney) {
    const String now = Text();
    if (!now.empty() && now != "-" && Key != dec) {
      if (Modified) SetModifiedFlag(true);
      FormatMoneyText();
    }
  }
  return true;
}

void TRivCustomDropDown::HandleChar(TMessage& Message) {
  if (!FEditorEnabled) {
    Message.WParam = 0;
    return;
  }
  char key = static_cast<char>(Message.WParam);
  const String value = Text();
  const bool ctrl = CtrlDown();
  TCustomForm* form = GetParentForm();
  const bool preview = form != nullptr && form->KeyPreview;
  auto refuse = [&Message] {
    Message.WParam = 0;
    Message.Result = 0;
  };
  if (key == '\r' && ctrl) {
    Message.WParam = 0;
    Message.Result = 1;
    return;
  }
  if (key == '\r') {
    if (OnKeyPress) OnKeyPress(this, key);
    Message.WParam = 0;
    if (!FDefaultHandling && Parent() != nullptr) {
      PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
      if (!preview) PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
    }
    return;
  }
  if (key == 27 && !FDefaultHandling && Parent() != nullptr) {
    if (preview) {
      InheritedChar(Message);
      return;
    }
    PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
  }
  if (key == 27 && !FCanUndo) {
    InheritedChar(Message);
    return;
  }
  if (ctrl && (key == 3 || key == 22 || key == 24)) {
    InheritedChar(Message);
    return;
  }
  // The keypad's decimal key (bit 22 of the key data) types the regional decimal separator.
  if (FExcelStyleDecimalSeparator && (key == '.' || key == ',') && (Message.LParam & (1 << 22)) != 0) {
    key = FormatSettings.DecimalSeparator;
    Message.WParam = static_cast<unsigned char>(key);
  }
  const int caret = SelStart();
  const int selected = SelLength();
  if (key == '\b' && !FPrefix.empty() && caret <= PrefixLength() && selected == 0) {
    refuse();
    return;
  }
  if (FLengthLimit > 0 && DecimalPosition(value) > FLengthLimit && selected == 0 && caret < DecimalCaretPosition() &&
      key != '\b' && key != FormatSettings.DecimalSeparator && !IsSignChar(key)) {
    refuse();
    return;
  }
  if (key == '\b') {
    // What the edit will show: the selection, or the character before the caret, removed.
    String remainder = value;
    const int from = caret - PrefixLength();
    if (selected > 0) {
      if (from >= 0 && from <= static_cast<int>(remainder.size())) remainder.erase(static_cast<size_t>(from), static_cast<size_t>(selected));
    } else if (from >= 1 && from <= static_cast<int>(remainder.size())) {
      remainder.erase(static_cast<size_t>(from - 1), 1);
    }
    InheritedChar(Message);
    if (Text().empty() && !remainder.empty()) TCustomMaskEdit::Change();
    return;
  }
  if (ctrl && key == 10) {
    refuse();
    return;
  }
  if (IsNumericType() && !FSigned && key == '-') {
    refuse();
    return;
  }
  const bool editChar = static_cast<unsigned char>(key) >= 32 || key == '\b';
  const auto in = [key](const char* list) { return key != 0 && std::strchr(list, key) != nullptr; };
  switch (FEditType) {
    case etString:
    case etPassword:
      if (editChar) SetModifiedFlag(true);
      InheritedChar(Message);
      break;
    case etNumeric:
      if (in("\b\t\r-0123456789") || ctrl) {
        if (key == '-') {
          ToggleSign(true);
          refuse();
        } else {
          InheritedChar(Message);
        }
      } else {
        refuse();
        return;
      }
      break;
    case etFloat:
    case etMoney: {
      const char dec = FormatSettings.DecimalSeparator;
      const char thousand = FormatSettings.ThousandSeparator;
      bool allowed = false;
      if (FEditType == etFloat)
        allowed = in("\b\t\r-0123456789") || ((key == ',' || key == '.') && (key == dec || key == thousand));
      else
        allowed = in("\b\t\r-0123456789") || key == dec;
      if (!allowed) {
        refuse();
        return;
      }
      if (!FloatChar(key, Message)) {
        refuse();
        return;
      }
      break;
    }
    case etUppercase:
    case etLowerCase:
      if (static_cast<unsigned char>(key) < 0x80) {
        const String cased = FEditType == etUppercase ? AnsiUpperCase(String(1, key)) : AnsiLowerCase(String(1, key));
        if (!cased.empty()) key = cased[0];
        Message.WParam = static_cast<unsigned char>(key);
      }
      InheritedChar(Message);
      break;
    case etMixedCase: {
      InheritedChar(Message);
      if (editChar && key != '\b') {
        const int at = SelStart();
        // The capitals change, the prefix and suffix stay.
        SetEditTextKeepingPrefix(CapitalizeWords(Text()));
        SetSelStart(at);
      }
      break;
    }
    case etRange:
      if (!in("\b\t\r,-0123456789;") || !RangeCharAllowed(key)) {
        refuse();
        return;
      }
      SetModifiedFlag(true);
      InheritedChar(Message);
      break;
    case etHex:
      if (!in("\b\t\r-0123456789ABCDEFabcdef")) {
        refuse();
        return;
      }
      SetModifiedFlag(true);
      InheritedChar(Message);
      break;
    case etAlphaNumeric:
      if (!in("\b\t\r0123456789") && !std::isalpha(static_cast<unsigned char>(key))) {
        refuse();
        return;
      }
      SetModifiedFlag(true);
      InheritedChar(Message);
      break;
    case etValidChars:
      if (key != '\b' && (key == 0 || !Contains(FValidChars, key))) {
        refuse();
        return;
      }
      SetModifiedFlag(true);
      InheritedChar(Message);
      break;
  }
  if (Modified) SetModifiedFlag(true);
}

// ---- Keys ---------------------------------------------------------------------------------------

void TRivCustomDropDown::KeyDown(Word& Key, TShiftState Shift) {
  const bool ctrl = Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  const bool shift = Shift.Contains(ssShift);
  if (IsMasked() || (Key != VK_DELETE && Key != VK_INSERT && !(ctrl && (Key == 'C' || Key == 'V' || Key == 'X')))) {
    TCustomMaskEdit::KeyDown(Key, Shift);
  } else {
    // Deleting and the clipboard keys are the edit's own work, done here for the edit and its
    // window alike so that the typed-text rules see every change.
    TWinControl::KeyDown(Key, Shift);
    if (Key == VK_DELETE && shift) {
      Perform(WM_CUT, 0, 0);
      Key = 0;
    } else if (Key == VK_DELETE) {
      EditDeleteKey();
      Key = 0;
    } else if (Key == VK_INSERT && shift) {
      Perform(WM_PASTE, 0, 0);
      Key = 0;
    } else if (Key == VK_INSERT && ctrl) {
      Perform(WM_COPY, 0, 0);
      Key = 0;
    } else if (ctrl && Key == 'C') {
      Perform(WM_COPY, 0, 0);
      Key = 0;
    } else if (ctrl && Key == 'V') {
      Perform(WM_PASTE, 0, 0);
      Key = 0;
    } else if (ctrl && Key == 'X') {
      Perform(WM_CUT, 0, 0);
      Key = 0;
    }
  }
  // A system key (Alt held) reaches only this handler, not the WM_KEYDOWN one.
  if (Key != 0 && !ComponentState().Contains(csDesigning) && Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
    if (FDroppedDown) CloseDropDown(false); else OpenDropDown();
    Key = 0;
  }
}

bool TRivCustomDropDown::TextKeyDown(TMessage& Message) {
  Word key = static_cast<Word>(Message.WParam);
  const bool ctrl = CtrlDown();
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  auto refuse = [&Message] {
    Message.WParam = 0;
    Message.Result = 0;
    return false;
  };
  if (ctrl && (key == VK_TAB || key == VK_RETURN)) {
    InheritedKeyDown(Message);
    return false;
  }
  if (key == VK_RETURN && FReturnIsTab) {
    key = VK_TAB;
    Message.WParam = VK_TAB;
    if (Visible()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
  }
  const String value = Text();
  const int valueEnd = PrefixLength() + static_cast<int>(value.size());
  const int selEnd = SelStart() + SelLength();
  switch (key) {
    case VK_RIGHT:
      if (!FSuffix.empty() && selEnd >= valueEnd && SelLength() == 0) return refuse();
      break;
    case VK_LEFT:
      if (!FPrefix.empty() && PrefixLength() >= selEnd) return refuse();
      break;
    case VK_END:
      if (!FSuffix.empty()) {
        if (shift)
          SetSelLength(valueEnd - SelStart());
        else
          SetSelStart(valueEnd);
        return refuse();
      }
      break;
    case VK_HOME:
      if (!FPrefix.empty()) {
        if (shift) {
          SetSelStart(PrefixLength());
          SetSelLength(static_cast<int>(value.size()));
        } else {
          SetSelStart(PrefixLength());
        }
        return refuse();
      }
      break;
    case VK_BACK:
      // The deleting itself is the character's (WM_CHAR) business.
      if (!FPrefix.empty() && SelStart() > PrefixLength() + 1) SetModifiedFlag(true);
      break;
    case VK_DELETE:
      if (!FSuffix.empty() && selEnd >= valueEnd && SelLength() == 0) return refuse();
      if (SelStart() >= PrefixLength()) {
        String after = value;
        const int from = SelStart() - PrefixLength();
        const int count = SelLength() > 0 ? SelLength() : 1;
        if (from < static_cast<int>(after.size())) after.erase(static_cast<size_t>(from), static_cast<size_t>(count));
        if (FLengthLimit > 0 && DecimalPosition(after) - 1 > FLengthLimit) return refuse();
        SetModifiedFlag(true);
      }
      break;
    default:
      break;
  }
  InheritedKeyDown(Message);
  if (key == VK_DELETE && FEditType == etMoney) FormatMoneyText();
  if (SelStart() < PrefixLength()) SetSelStart(PrefixLength());
  return true;
}

// ---- Clipboard ------------------------------------------------------------------------------------

void TRivCustomDropDown::HandlePaste(TMessage&) {
  if (ReadOnly() || !Clipboard()->HasFormat(CF_TEXT)) return;
  const String clip = Clipboard()->AsText();
  const String value = Text();
  const int from = std::clamp(SelStart() - PrefixLength(), 0, static_cast<int>(value.size()));
  const int length = std::min(SelLength(), static_cast<int>(value.size()) - from);
  String pasted = value;
  pasted.replace(static_cast<size_t>(from), static_cast<size_t>(length), clip);
  bool allow = true;
  if (OnClipboardPaste) OnClipboardPaste(this, pasted, allow);
  if (!allow) return;
  if (MaxLength() > 0 && static_cast<int>(clip.size() + value.size()) - length > MaxLength()) return;
  const bool hasMinus = Contains(pasted, '-');
  bool applied = false;
  switch (FEditType) {
    case etString:
    case etPassword:
      ApplyText(pasted);
      applied = true;
      break;
    case etNumeric:
      if (ClassifyNumber(pasted) == 0 && (FSigned || !hasMinus)) {
        ApplyText(pasted);
        SetModifiedFlag(true);
        applied = true;
      }
      break;
    case etFloat:
    case etMoney: {
      const int kind = ClassifyNumber(pasted);
      if ((kind == 0 || kind == 1) && !(FPrecision == 0 && Contains(clip, FormatSettings.DecimalSeparator)) &&
          (FSigned || !hasMinus)) {
        ApplyText(pasted);
        SetFloatValue(FloatValue());
        SetModifiedFlag(true);
        applied = true;
      }
      break;
    }
    case etUppercase:
      ApplyText(AnsiUpperCase(pasted));
      applied = true;
      break;
    case etMixedCase:
      ApplyText(CapitalizeWords(pasted));
      applied = true;
      break;
    case etLowerCase:
      ApplyText(AnsiLowerCase(pasted));
      applied = true;
      break;
    case etAlphaNumeric:
    case etValidChars: {
      const bool fits = std::all_of(pasted.begin(), pasted.end(), [this](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || Contains(FValidChars, c);
      });
      if (fits) {
        ApplyText(pasted);
        SetModifiedFlag(true);
        applied = true;
      }
      break;
    }
    case etRange:
    case etHex:
      break;
  }
  if (!applied) return;
  if (FEditType == etMoney && Text().size() > 3) {
    SelectAll();
  } else if (length > 0) {
    SetSelStart(PrefixLength() + from);
    SetSelLength(static_cast<int>(clip.size()));
  } else {
    SetSelStart(PrefixLength() + from + static_cast<int>(clip.size()));
  }
  if (FEditType == etString || FEditType == etUppercase || FEditType == etMixedCase || FEditType == etLowerCase ||
      FEditType == etPassword)
    SetModifiedFlag(true);
}

void TRivCustomDropDown::HandleCut(TMessage&) {
  if (!FEditorEnabled || ReadOnly()) return;
  bool allow = true;
  FBlockCopy = true;
  if (OnClipboardCut) OnClipboardCut(this, SelText(), allow);
  if (allow && SelLength() > 0) {
    Clipboard()->SetAsText(SelText());
    ReplaceSelection("");
  }
  FBlockCopy = false;
}

void TRivCustomDropDown::HandleCopy(TMessage&) {
  bool allow = true;
  if (OnClipboardCopy && !FBlockCopy) OnClipboardCopy(this, SelText(), allow);
  FBlockCopy = false;
  if (allow && SelLength() > 0) Clipboard()->SetAsText(SelText());
}

// ---- Focus and mouse ---------------------------------------------------------------------------------

void TRivCustomDropDown::HandleSetFocus(TMessage& Message) {
  if (ComponentState().Contains(csLoading)) return;
  // The edit's own focus handling, without its select-all: the value is selected here.
  TWinControl::WndProc(Message);
  if (FEditorEnabled) {
    if (AutoSelect)
      SelectAll();
    else if (FEditType == etFloat || FEditType == etMoney)
      SelectBeforeDecimal();
  } else {
    Invalidate();
  }
}

void TRivCustomDropDown::HandleKillFocus(TMessage& Message) {
  if (ComponentState().Contains(csLoading)) return;
  const String value = Text();
  if ((FEditType == etFloat || FEditType == etMoney) && FPrecision > 0 && (!value.empty() || !FAllowNumericNullValue)) {
    const bool modified = Modified;
    const bool isModified = FIsModified;
    SetFloatValue(FloatValue());
    Modified = modified;
    FIsModified = isModified;
  }
  if (FEditType == etNumeric && Text().empty() && !FAllowNumericNullValue) ApplyText("0");
  if ((FEditType == etFloat || FEditType == etMoney) && Text().empty() && !FAllowNumericNullValue) SetFloatValue(0);
  TCustomMaskEdit::WndProc(Message);
  if (!FEditorEnabled) Invalidate();
}

void TRivCustomDropDown::HandleLButtonDown(TMessage& Message) {
  if (!FEditorEnabled) {
    TCustomMaskEdit::WndProc(Message);
    ButtonPressed();
    return;
  }
  const int x = SmallIntLo(Message.LParam);
  const int y = SmallIntHi(Message.LParam);
  const int at = CharFromPos(TPoint{x, y});
  if (SelLength() > 0 && at >= SelStart() && at <= SelStart() + SelLength() && Focused()) {
    FButtonDown = true;
    return;
  }
  TCustomMaskEdit::WndProc(Message);
}

void TRivCustomDropDown::HandleLButtonUp(TMessage& Message) {
  // The focus mark goes over what the view drew for the click.
  if (!FEditorEnabled || ReadOnly()) Invalidate();
  if (FButtonDown) {
    SetSelStart(CharFromPos(TPoint{SmallIntLo(Message.LParam), SmallIntHi(Message.LParam)}));
  }
  FButtonDown = false;
  TCustomMaskEdit::WndProc(Message);
  const int valueLength = static_cast<int>(Text().size());
  if (SelStart() < PrefixLength()) {
    SetSelStart(PrefixLength());
    SetSelLength(valueLength);
  } else if (SelStart() > PrefixLength() + valueLength) {
    SetSelStart(PrefixLength() + valueLength);
  } else if (SelStart() + SelLength() > PrefixLength() + valueLength) {
    SetSelLength(PrefixLength() + valueLength - SelStart());
  }
}

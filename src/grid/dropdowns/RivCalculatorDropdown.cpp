// The calculator drop-down: keypad operations, typed keys with the pop-up closed and open, and
// the display read and written as a number.
#include "grid/dropdowns/RivCalculatorDropdown.h"

#include <cmath>

#include "classlib/GraphicsObjects.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/dropdowns/RivDropDownButtons.h"
#include "grid/dropdowns/RivDropDownForm.h"
#include "grid/dropdowns/RivDropDownStrips.h"

namespace {
const char* const kError = "Error";
}

TRivCalculatorDropdown::TRivCalculatorDropdown(TComponent* AOwner)
    : TRivCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>()) {}

TRivCalculatorDropdown::~TRivCalculatorDropdown() = default;

void TRivCalculatorDropdown::AfterConstruction() {
  TRivCustomDropDown::AfterConstruction();
  SetDropDownColor(0xFFFFFF);
  SetDropDownWidth(230);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetEditType(etFloat);
  FPrevop = -1;
  SetPrecision(2);
  FDecim = 0;
  FCalcClosed = true;
  FMVal = 0;
  FShowThousandSeparator = false;
}

// ---- The pop-up --------------------------------------------------------------------------------

void TRivCalculatorDropdown::CreateDropDownForm() {
  TRivCustomDropDown::CreateDropDownForm();
  if (DropDownForm() == nullptr) return;
  if (FRivButtonPanel == nullptr) {
    FRivButtonPanel = New<TCustomButtonPanel>(this);
    FRivButtonPanel->SetParent(DropDownForm());
    FRivButtonPanel->SetOwningDropDown(this);
    FRivButtonPanel->SetBounds(0, 0, FRivButtonPanel->Width(), 150);
    FRivButtonPanel->BuildButtons();
  }
  SetDropDownControl(FRivButtonPanel);
  FRivButtonPanel->OnButtonClick = [this](TObject* Sender, int Index) { ButtonClicked(Sender, Index); };
}

void TRivCalculatorDropdown::DoBeforeDropDown() {
  TRivCustomDropDown::DoBeforeDropDown();
  if (DropDownForm() != nullptr) DropDownForm()->SetCancelOnDeActivate(false);
  if (FRivButtonPanel != nullptr) {
    FRivButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
    FRivButtonPanel->SetColor(DropDownColor());
    FRivButtonPanel->ArrangeButtons();
  }
  FNewval = true;
  FDecim = 0;
  FCalcClosed = false;
}

bool TRivCalculatorDropdown::PopupClosed() const {
  return FCalcClosed || (DropDownForm() != nullptr && !DropDownForm()->Visible());
}

bool TRivCalculatorDropdown::DisplayFull() const {
  return MaxLength() > 0 && static_cast<int>(Text().size()) >= MaxLength();
}

// ---- Reading the display -------------------------------------------------------------------------

long double TRivCalculatorDropdown::ParseDisplay(bool& Ok) const {
  String s = Text();
  const char thousand = FormatSettings.ThousandSeparator;
  String plain;
  for (char c : s)
    if (c != thousand) plain += c;
  long double v = 0;
  Ok = TryStrToFloat(plain, v);
  return Ok ? v : 0;
}

// A display that does not read as a number counts as 0.
long double TRivCalculatorDropdown::ParseDisplay() const {
  bool ok = false;
  return ParseDisplay(ok);
}

long double TRivCalculatorDropdown::Value() {
  if (Text().empty()) ApplyText("0");
  return ParseDisplay();
}

void TRivCalculatorDropdown::SetValue(long double Value) { ApplyText(::Format("%g", {static_cast<double>(Value)})); }

void TRivCalculatorDropdown::SetShowThousandSeparator(bool Value) {
  if (FShowThousandSeparator == Value) return;
  FShowThousandSeparator = Value;
  SetEditType(Value ? etMoney : etFloat);
  SetFloatValue(FloatValue());
}

// ---- Operations ----------------------------------------------------------------------------------

void TRivCalculatorDropdown::ApplyPendingOperation() {
  if (Text().empty() || Text() == kError) ApplyText("0");
  const long double a = ParseDisplay();
  long double result = FPrevval;
  switch (FPrevop) {
    case 0: result = FPrevval + a; break;
    case 1: result = FPrevval * a; break;
    case 2: result = FPrevval - a; break;
    case 3:
      if (a == 0) {
        FPrevval = 0;
        ApplyText(kError);
        return;
      }
      result = FPrevval / a;
      break;
    default: result = ParseDisplay(); break;
  }
  // A result beyond what the display can hold is an error, as a division by zero is.
  if (!std::isfinite(static_cast<double>(result))) {
    FPrevval = 0;
    ApplyText(kError);
    return;
  }
  FPrevval = result;
  SetFloatValue(static_cast<double>(FPrevval));
  FNewval = true;
}

void TRivCalculatorDropdown::CalcResult() {
  ApplyPendingOperation();
  if (Text().empty()) ApplyText("0");
  FPrevop = -1;
  if (Text() != kError) FPrevval = ParseDisplay();
}

void TRivCalculatorDropdown::PercentOperation() {
  if (Text().empty() || Text() == kError) ApplyText("0");
  const long double x = ParseDisplay();
  ApplyText(::Format("%g", {static_cast<double>(FPrevval * x / 100)}));
}

void TRivCalculatorDropdown::ButtonClicked(TObject*, int Index) {
  if (FRivButtonPanel == nullptr || Index < 0 || Index >= FRivButtonPanel->Buttons()->Count()) return;
  BeforeCalcInput();
  Operation(FRivButtonPanel->Buttons()->Items(Index)->Tag);
}

void TRivCalculatorDropdown::Operation(int Tag) {
  if ((Tag >= 10 && Tag <= 14) || (Tag >= 16 && Tag <= 18)) FDecim = 0;
  if (((Tag >= 0 && Tag <= 9) || Tag == 14 || Tag == 15) && DisplayFull()) return;
  const String dec(1, FormatSettings.DecimalSeparator);
  if (Tag >= 0 && Tag <= 9) {
    double v = FloatValue();
    if ((v == 0 && FDecim == 0) || FNewval) {
      ApplyText(IntToStr(Tag));
      FNewval = false;
    } else {
      // A digit extends the magnitude; a negative number stays negative.
      const double sign = v < 0 || Text().find('-') != String::npos ? -1.0 : 1.0;
      const double magnitude = std::fabs(v);
      double next = magnitude;
      if (FDecim <= 0) {
        next = magnitude * 10 + Tag;
      } else {
        next = magnitude + Tag / static_cast<double>(FDecim);
        FDecim *= 10;
      }
      SetFloatValue(sign * next);
    }
  } else {
    switch (Tag) {
      case 10: ApplyPendingOperation(); FPrevop = 0; break;
      case 11: ApplyPendingOperation(); FPrevop = 2; break;
      case 12: ApplyPendingOperation(); FPrevop = 1; break;
      case 13: ApplyPendingOperation(); FPrevop = 3; break;
      case 14: {
        const String s = Text();
        if (s.find('-') != String::npos)
          ApplyText(s.substr(1));
        else
          ApplyText("-" + s);
        break;
      }
      case 15:
        if (Text().find(dec) == String::npos) ApplyText(Text() + dec);
        FDecim = 10;
        if (FNewval) ApplyText("0");
        FNewval = false;
        break;
      case 16: case 30: case 32:
        ApplyText("0");
        FPrevval = 0;
        FPrevop = -1;
        break;
      case 17: CalcResult(); break;
      case 18: PercentOperation(); break;
      case 31:
        if (FPrevop < 0) {
          const String s = FloatToStr(FloatValue());
          ApplyText(s.substr(0, s.size() - 1));
        }
        break;
      case 33: FMVal = 0; break;
      case 34: SetFloatValue(static_cast<double>(FMVal)); break;
      case 35: FMVal = Value(); break;
      case 36: FMVal += Value(); break;
      case 37: {
        const double v = FloatValue();
        if (v >= 0) SetFloatValue(std::sqrt(v)); else ApplyText(kError);
        break;
      }
      case 38: {
        const double v = FloatValue();
        if (v != 0) SetFloatValue(1 / v); else ApplyText(kError);
        break;
      }
      default: break;
    }
  }
  SetModifiedFlag(true);
}

// ---- Keys ----------------------------------------------------------------------------------------

bool TRivCalculatorDropdown::HandleKeyPress(char Key) {
  const char dec = FormatSettings.DecimalSeparator;
  if (PopupClosed()) {
    switch (Key) {
      case '\r': case '=': CalcResult(); break;
      case '%': PercentOperation(); break;
      case '*': ApplyPendingOperation(); FPrevop = 1; break;
      case '+': ApplyPendingOperation(); FPrevop = 0; break;
      case '-': ApplyPendingOperation(); FPrevop = 2; break;
      case '/': ApplyPendingOperation(); FPrevop = 3; break;
      case 'C': case 'c':
        ApplyText("0");
        FNewval = true;
        FPrevop = -1;
        break;
      default: break;
    }
  }
  if (!IsDigit(Key) && Key != dec && Key != '\b' && Key != '-') return false;
  const String display = Text();
  if ((display == "0" || FNewval) && IsDigit(Key)) {
    ApplyText(String(1, Key));
    SetSelStart(PrefixLength() + 1);
    FNewval = false;
    return false;
  }
  if (display.size() == 1 && Key == '\b') {
    ApplyText("0");
    SetSelStart(PrefixLength() + 1);
    return false;
  }
  if (Key == FormatSettings.ThousandSeparator) return false;
  if (Key == dec && display.find(dec) != String::npos) {
    // The number has its separator already: typing it again goes on with the decimals.
    SelectAfterDecimal();
    return false;
  }
  return true;
}

void TRivCalculatorDropdown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_CHAR && !FPopupKey && !PopupClosed()) {
    // The edit keeps the keyboard while the keypad is up: its characters are the pop-up's.
    char key = static_cast<char>(Message.WParam);
    PopupKeyPress(key);
    Message.WParam = 0;
    Message.Result = 0;
    return;
  }
  if (Message.Msg == WM_CHAR) {
    if (!HandleKeyPress(static_cast<char>(Message.WParam))) {
      Message.WParam = 0;
      Message.Result = 0;
      return;
    }
    TRivCustomDropDown::WndProc(Message);
    return;
  }
  TRivCustomDropDown::WndProc(Message);
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_DELETE && (Text().empty() || Text() == kError)) ApplyText("0");
}

void TRivCalculatorDropdown::PopupKeyPress(char& Key) {
  // Backspace was handled when its key went down.
  if (Key == '\b') return;
  FPopupKey = true;
  TRivCustomDropDown::PopupKeyPress(Key);
  FPopupKey = false;
  BeforeCalcInput();
  const char dec = FormatSettings.DecimalSeparator;
  if (Key == dec && Text().find(dec) == String::npos) ApplyText(Text() + dec);
  if (IsDigit(Key) && DisplayFull()) return;
  switch (Key) {
    case '\r':
      CalcResult();
      CloseDropDown(false);
      break;
    case 27: CloseDropDown(true); break;
    case '%': Operation(18); break;
    case '*': Operation(12); break;
    case '+': Operation(10); break;
    case '-': Operation(11); break;
    case '/': Operation(13); break;
    case '=': Operation(17); break;
    case 'C': case 'c':
      ApplyText("0");
      FPrevval = 0;
      FNewval = true;
      FPrevop = -1;
      break;
    default:
      if (IsDigit(Key)) FNewval = false;
      break;
  }
}

void TRivCalculatorDropdown::PopupKeyDown(Word& Key, TShiftState Shift) {
  // Enter ends with the result: "=" runs before the base closes the pop-up.
  if (Key == VK_RETURN && !PopupClosed()) CalcResult();
  TRivCustomDropDown::PopupKeyDown(Key, Shift);
  if (Key == VK_TAB || Key == VK_F4) {
    CloseDropDown(false);
  } else if (Key == VK_BACK) {
    String s = Text();
    if (!s.empty()) s.pop_back();
    ApplyText(s.empty() || s == kError ? String("0") : s);
  }
}

// ---- Looks ---------------------------------------------------------------------------------------

void TRivCalculatorDropdown::SetComponentStyle(TVAVStyle AStyle) {
  TRivCustomDropDown::SetComponentStyle(AStyle);
  TRivButtonAppearance* b = ButtonAppearance();
  TButtonAppearance* c = FCalcButtonAppearance.get();
  if (b == nullptr || c == nullptr) return;
  c->SetBorderColor(b->BorderColor());
  c->SetBorderColorHot(b->BorderColorHot());
  c->SetBorderColorDown(b->BorderColorDown());
  c->SetColor(b->Color());
  c->SetColorTo(b->ColorTo());
  c->SetColorHot(b->ColorHot());
  c->SetColorHotTo(b->ColorHotTo());
  c->SetColorDown(b->ColorDown());
  c->SetColorDownTo(b->ColorDownTo());
  if (AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black) {
    c->GlowColorHot = b->ColorHot();
    c->GlowColorDown = b->ColorHot();
  } else {
    c->GlowColorHot = b->ColorDownTo();
    c->GlowColorDown = 0xD5C244;
  }
}

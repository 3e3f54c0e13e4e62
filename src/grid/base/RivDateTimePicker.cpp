#include "grid/base/RivDateTimePicker.h"

#include <cmath>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

const UINT DTPShiftFocusMessage = RegisterWindowMessage("DTPShiftFocus");

namespace {

// The major version of the system's common controls. There is no such library here, which
// counts as a new one: the themed look.
uint32_t CommonControlsMajorVersion() { return 0xFFFFFFFF; }

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

}  // namespace

// ---- TCustomDateTimePicker ----

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner)
    : TDateTimePicker(AOwner), FIsThemed(CommonControlsMajorVersion() > 5) {
  DoubleBuffered = true;
}

void TCustomDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetBorderColor(TColor Value) {
  FBorderColor = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  Invalidate();
}

void TCustomDateTimePicker::SetAutoTab(bool Value) { FAutoTab = Value; }

void TCustomDateTimePicker::FlushAutoTabCheck() {
  if (!FCheckPending) return;
  FCheckPending = false;
  AutoTabCheck();
}

void TCustomDateTimePicker::AdvanceField() {
  // Handled at once rather than queued: the window system may hand over the next typed key
  // before a queued arrow key, which would then land in the wrong field.
  Perform(WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::KeyPress(char& Key) {
  const bool digit = FAutoTab && IsDigit(Key);
  if (digit) FlushAutoTabCheck();
  if (digit && TDateTimePicker::Kind() == dtkTime) DecodeTime(TDateTimePicker::Time(), Fh, Fm, Fs, Fms);
  TDateTimePicker::KeyPress(Key);
  // Queued, so the check runs after the digit has been typed.
  if (digit && HandleAllocated()) {
    FCheckPending = true;
    PostMessage(Handle(), DTPShiftFocusMessage, 0, 0);
  }
}

void TCustomDateTimePicker::WndProc(TMessage& Message) {
  if (Message.Msg == DTPShiftFocusMessage) {
    // A check already run ahead of its message leaves nothing to do.
    if (FCheckPending) {
      FCheckPending = false;
      AutoTabCheck();
    }
    return;
  }
  TDateTimePicker::WndProc(Message);
}

void TCustomDateTimePicker::AutoTabCheck() {
  if (TDateTimePicker::Kind() != dtkTime) return;
  Word h, m, s, ms;
  DecodeTime(TDateTimePicker::Time(), h, m, s, ms);
  if (h != Fh || m != Fm || s != Fs) AdvanceField();
}

void TCustomDateTimePicker::PaintBorder(TCanvas* Canvas) {
  if (FCtl3D) return;
  const TColor parentColor = Parent() != nullptr ? Parent()->Color() : clBtnFace;
  TColor color = FBorderStyle == bsNone && Parent() != nullptr ? parentColor
                 : FIsThemed                                   ? static_cast<TColor>(0xB99D7F)
                                                               : FBorderColor;
  Canvas->Brush()->SetColor(color);
  Canvas->FrameRect(Rect(0, 0, Width(), Height()));
  if (Parent() != nullptr) {
    Canvas->Pen()->SetColor(parentColor);
    Canvas->MoveTo(1, Height() - 2);
    Canvas->LineTo(1, 1);
    Canvas->LineTo(Width() - 1, 1);
  }
}

void TCustomDateTimePicker::Paint() {
  TDateTimePicker::Paint();
  if (!FCtl3D) {
    PaintBorder(Canvas());
    return;
  }
  // The sunken edge of an edit.
  TCanvas* c = Canvas();
  const int w = Width(), h = Height();
  auto edge = [c, w, h](int inset, TColor topLeft, TColor bottomRight) {
    c->Pen()->SetColor(topLeft);
    c->MoveTo(inset, h - 1 - inset);
    c->LineTo(inset, inset);
    c->LineTo(w - inset, inset);
    c->Pen()->SetColor(bottomRight);
    c->MoveTo(w - 1 - inset, inset + 1);
    c->LineTo(w - 1 - inset, h - 1 - inset);
    c->LineTo(inset, h - 1 - inset);
  };
  edge(0, clBtnShadow, clBtnHighlight);
  edge(1, clDkGray, clBtnFace);
}

// ---- TRivDateTimePicker ----

TRivDateTimePicker::TRivDateTimePicker(TComponent* AOwner) : TCustomDateTimePicker(AOwner) {
  FBorderStyle = bsSingle;
  FCtl3D = true;
}

void TRivDateTimePicker::SetKind(TRivDateTimeKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
  if (Value == dkDateTime) CreateTimePicker();
  LayoutTimePicker();
}

void TRivDateTimePicker::CreateTimePicker() {
  if (FKind != dkDateTime || FTimePicker != nullptr) return;
  FTimePicker = New<TCustomDateTimePicker>(this);
  if (!ComponentState().Contains(csLoading) || !ComponentState().Contains(csDesigning)) FTimePicker->SetParent(this);
  FTimePicker->SetBounds(0, 0, 90, 17);
  FTimePicker->SetVisible(false);
  FTimePicker->SetEnabled(Enabled());
  FTimePicker->SetKind(dtkTime);
  // AutoTab set before the time picker existed holds for it too.
  FTimePicker->SetAutoTab(AutoTab());
  FTimePicker->OnChange = [this](TObject*) {
    DoChange();
    if (OnTimeChange) OnTimeChange(this);
  };
  FTimePicker->OnClick = [this](TObject*) { DoClick(); };
  FTimePicker->OnKeyPress = [this](TObject*, char& Key) { TimeKeyPress(Key); };
  FTimePicker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { KeyDown(Key, Shift); };
}

void TRivDateTimePicker::TimeKeyPress(char&) {}

void TRivDateTimePicker::LayoutTimePicker(bool KeepShownTime) {
  if (FTimePicker == nullptr) return;
  // A new size, colour or format must not undo a time typed into the time picker.
  if (KeepShownTime && FTimePicker->Visible()) TDateTimePicker::SetTime(FTimePicker->Time());
  FTimePicker->SetParent(this);
  FTimePicker->SetColor(Color());
  FTimePicker->SetEnabled(Enabled());
  FTimePicker->SetVisible(FKind == dkDateTime);
  FTimePicker->SetDateTime(TDateTimePicker::DateTime());
  FTimePicker->SetFormat(FTimeFormat);
  FTimePicker->Font()->Assign(*Font());
  const bool loading = ComponentState().Contains(csLoading) && !ComponentState().Contains(csDesigning);
  if (FTimePicker->Visible() || loading) {
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*Font());
    const int w = measure.Canvas()->TextWidth(FTimePicker->Text()) + 31;
    // The layout of the systems before the newer common controls: no bevel inset.
    FTimePicker->SetBounds(Width() - w - 21, -2, w, Height());
  } else {
    FTimePicker->Free();
    FTimePicker = nullptr;
  }
}

TDateTime TRivDateTimePicker::Time() const {
  if (FKind == dkDateTime && FTimePicker != nullptr) return FTimePicker->Time();
  return TDateTimePicker::Time();
}

void TRivDateTimePicker::SetTime(TDateTime Value) {
  TDateTimePicker::SetTime(Value);
  LayoutTimePicker();
}

TDateTime TRivDateTimePicker::DateTime() {
  if (FTimePicker != nullptr) TDateTimePicker::SetTime(FTimePicker->Time());
  return TDateTimePicker::DateTime();
}

void TRivDateTimePicker::SetDateTime(TDateTime Value) {
  Word h, m, s, ms;
  DecodeTime(Value, h, m, s, ms);
  const TDateTime whole = std::floor(Value) + EncodeTime(h, m, s, 0);
  TCustomDateTimePicker::SetDateTime(whole);
  CreateTimePicker();
  if (FTimePicker != nullptr) FTimePicker->SetDateTime(whole);
}

void TRivDateTimePicker::SetTimeFormat(const String& Value) {
  FTimeFormat = Value;
  if (FTimePicker != nullptr) FTimePicker->SetFormat(Value);
  LayoutTimePicker(true);
}

void TRivDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  TCustomDateTimePicker::SetBorderStyle(Value);
  LayoutTimePicker(true);
}

void TRivDateTimePicker::SetAutoTab(bool Value) {
  TCustomDateTimePicker::SetAutoTab(Value);
  if (FTimePicker != nullptr) FTimePicker->SetAutoTab(Value);
}

void TRivDateTimePicker::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutTimePicker(true);
}

void TRivDateTimePicker::EnabledChanged() {
  TCustomDateTimePicker::EnabledChanged();
  if (FTimePicker != nullptr) FTimePicker->SetEnabled(Enabled());
}

void TRivDateTimePicker::DoChange() {
  if (OnChange) OnChange(this);
}

void TRivDateTimePicker::DoClick() {
  if (OnClick) OnClick(this);
}

void TRivDateTimePicker::Loaded() {
  TCustomDateTimePicker::Loaded();
  if (ComponentState().Contains(csDesigning)) return;
  CreateTimePicker();
  LayoutTimePicker();
  if (!Checked()) SetChecked(false);
}

void TRivDateTimePicker::WndProc(TMessage& Message) {
  if (Message.Msg == CM_COLORCHANGED) {
    TCustomDateTimePicker::WndProc(Message);
    LayoutTimePicker(true);
    return;
  }
  TCustomDateTimePicker::WndProc(Message);
}

void TRivDateTimePicker::KeyPress(char& Key) {
  if (AutoTab() && IsDigit(Key)) FlushAutoTabCheck();
  if (AutoTab() && IsDigit(Key)) DecodeDate(TDateTimePicker::DateTime(), Fy, Fm, Fd);
  TCustomDateTimePicker::KeyPress(Key);
}

void TRivDateTimePicker::AutoTabCheck() {
  if (TDateTimePicker::Kind() == dtkTime) {
    TCustomDateTimePicker::AutoTabCheck();
    return;
  }
  Word y, m, d;
  DecodeDate(TDateTimePicker::DateTime(), y, m, d);
  const bool day = d != Fd, month = m != Fm, year = y != Fy;
  // Without a format of its own the picker shows the regional short date: its last letter
  // tells which field completes the date.
  const String format = !Format().empty() ? Format() : FormatSettings.ShortDateFormat;
  String letters;
  for (char c : format)
    if (std::isalpha(static_cast<unsigned char>(c))) letters += c;
  if (letters.empty()) return;
  const char last = static_cast<char>(std::tolower(static_cast<unsigned char>(letters.back())));
  if ((day && last == 'd') || (month && last == 'm') || (year && last == 'y')) {
    if (FTimePicker != nullptr && FTimePicker->CanFocus()) FTimePicker->SetFocus();
  } else if (day || month || year) {
    AdvanceField();
  }
}

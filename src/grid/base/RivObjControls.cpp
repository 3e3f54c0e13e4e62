// The grid's small painted controls and their shared drawing.
#include "grid/base/RivObjControls.h"

#include <algorithm>

#include "classlib/Math.h"
#include "classlib/Messages.h"
#include "classlib/WinApi.h"
#include "grid/base/ZudAzudDraw.h"

// ---- Theme queries: no visual styles on this platform ----

bool IsThemedComCtl6() { return false; }
int CurrentXPScheme() { return DetectXPColorScheme(); }

void DrawButtonGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, TRect R, int Steps,
                        TColor BorderColor) {
  if (Steps == 0) Steps = 1;
  const Extended width = static_cast<Extended>(Horizontal ? R.Width() : R.Height()) / Steps;
  const TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
  auto channel = [&](int shift, int i) {
    const int f = (from >> shift) & 0xFF, t = (to >> shift) & 0xFF;
    return std::clamp(static_cast<int>(f + Round(i * (static_cast<Extended>(t - f) / Steps))), 0, 255);
  };
  const int length = static_cast<int>(Round(width)) + 1;
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetWidth(1);
  Canvas->Brush()->SetStyle(bsSolid);
  for (int i = 0; i < Steps; ++i) {
    const TColor c = RGB(channel(0, i), channel(8, i), channel(16, i));
    Canvas->Brush()->SetColor(c);
    Canvas->Pen()->SetColor(c);
    const int start = static_cast<int>(Round(i * width));
    if (Horizontal)
      Canvas->FillRect(Rect(R.Left + start, R.Top, R.Left + start + length, R.Bottom));
    else
      Canvas->FillRect(Rect(R.Left, R.Top + start, R.Right, R.Top + start + length));
  }
  if (BorderColor != clNone) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Rectangle(R);
  }
}

// ---- TArrowWindow ----

std::array<TPoint, 7> TArrowWindow::ArrowPoints(TArrowDirection direction) {
  switch (direction) {
    case arrDown: return {Point(3, 0), Point(7, 0), Point(7, 4), Point(9, 4), Point(5, 8), Point(1, 4), Point(3, 4)};
    case arrLeft: return {Point(0, 3), Point(0, 7), Point(4, 7), Point(4, 10), Point(8, 5), Point(4, 0), Point(4, 3)};
    case arrRight: return {Point(0, 5), Point(4, 10), Point(4, 7), Point(8, 7), Point(8, 3), Point(4, 3), Point(4, 0)};
    default: return {Point(5, 0), Point(10, 5), Point(7, 5), Point(7, 9), Point(3, 9), Point(3, 5), Point(0, 5)};
  }
}

void TArrowWindow::Init(TWinControl* AOwner, TArrowDirection direction) {
  Dir = direction;
  Arrow = ArrowPoints(direction);
  SetColor(0x00FF00);
  SetVisible(false);
  SetParent(AOwner);
}

// ---- TPopupButton ----

TPopupButton::TPopupButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clBtnFace;
  SetEnabled(false);
}

void TPopupButton::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Invalidate();
}

void TPopupButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TPopupButton::SetGradFrom(TColor Value) {
  FGradFrom = Value;
  Invalidate();
}
void TPopupButton::SetGradTo(TColor Value) {
  FGradTo = Value;
  Invalidate();
}
void TPopupButton::SetGradMirrorFrom(TColor Value) {
  FGradMirrorFrom = Value;
  Invalidate();
}
void TPopupButton::SetGradMirrorTo(TColor Value) {
  FGradMirrorTo = Value;
  Invalidate();
}

void TPopupButton::Paint() {
  TCanvas* canvas = Canvas();
  if (canvas == nullptr) return;
  TRect r = ClientRect();
  if (!FFlat) {
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetColor(clWhite);
    canvas->MoveTo(r.Left, r.Bottom - 1);
    canvas->LineTo(r.Left, r.Top);
    canvas->LineTo(r.Right - 1, r.Top);
    canvas->Pen()->SetColor(clGray);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
    canvas->LineTo(r.Left, r.Bottom - 1);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  FillCellBackground(canvas, r, FGradFrom, true, false, clNone, true, FGradMirrorFrom, FGradMirrorTo, FGradTo);
  canvas->Font()->Assign(Font());
  const int oldMode = SetBkMode(canvas->Handle(), TRANSPARENT);
  if (FCaption.find("</") == String::npos) {
    TRect box = r;
    DrawText(canvas->Handle(), FCaption, -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
  } else {
    DrawHTMLCaption(canvas, r);
  }
  SetBkMode(canvas->Handle(), oldMode);
}

void TPopupButton::DrawHTMLCaption(TCanvas* ACanvas, const TRect& R) {
  TRect box = R;
  DrawText(ACanvas->Handle(), FCaption, -1, &box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
}

// ---- TRivGridButton ----

namespace {

struct TLookColors {
  TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
};

constexpr TLookColors kLooks[7] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
};

// A fill of R in From, or the 16-step top-to-bottom gradient to To framed by Border.
void FillButton(TCanvas* Canvas, const TRect& R, TColor From, TColor To, TColor Border) {
  if (To == clNone) {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(From);
    Canvas->Pen()->SetColor(Border == clNone ? From : Border);
    Canvas->Rectangle(R);
  } else {
    DrawButtonGradient(Canvas, From, To, false, R, 16, Border);
  }
}

}  // namespace

TRivGridButton::TRivGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()),
      FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 22, 23);
  FColor = clBtnFace;
}

TRivGridButton::~TRivGridButton() = default;

void TRivGridButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TRivGridButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TRivGridButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Repaint();
}

void TRivGridButton::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Repaint();
}

void TRivGridButton::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Repaint();
}

void TRivGridButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Repaint();
}

void TRivGridButton::SetShowCaption(bool Value) {
  if (Value == FShowCaption) return;
  FShowCaption = Value;
  Repaint();
}

void TRivGridButton::SetRounded(bool Value) {
  FRounded = Value;
  Repaint();
}

void TRivGridButton::SetDropDownButton(bool Value) {
  FDropDownButton = Value;
  Repaint();
}

void TRivGridButton::SetDropDownMenu(TPopupMenu* Value) { FDropDownMenu = Value; }

void TRivGridButton::SetStyle(TRivGridButtonStyle Value) {
  FStyle = Value;
  Repaint();
}

void TRivGridButton::SetColorTo(TColor Value) {
  FColorTo = Value;
  Repaint();
}
void TRivGridButton::SetColorChecked(TColor Value) {
  FColorChecked = Value;
  Repaint();
}
void TRivGridButton::SetColorCheckedTo(TColor Value) {
  FColorCheckedTo = Value;
  Repaint();
}
void TRivGridButton::SetBorderColor(TColor Value) {
  FBorderColor = Value;
  Repaint();
}

void TRivGridButton::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  if (Value) ThemeAdapt();
}

void TRivGridButton::SetGlyph(TBitmap* Value) {
  if (Value != nullptr) {
    FGlyph->Assign(Value);
  } else {
    FGlyph = std::make_unique<TBitmap>();
  }
  if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
    // The disabled look: each pixel a light grey of its own brightness.
    const int w = FGlyph->Width(), h = FGlyph->Height();
    FGlyphDisabled->SetSize(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const TColor c = FGlyph->Canvas()->Pixel(x, y);
        const int grey =
            static_cast<int>(Round((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3.0L)) / 2 + 96;
        FGlyphDisabled->Canvas()->SetPixel(x, y, RGB(grey, grey, grey));
      }
  }
  if (FShaded) BuildShade();
  Repaint();
}

void TRivGridButton::BuildShade() {
  if (FGlyph->Empty()) return;
  const int w = FGlyph->Width(), h = FGlyph->Height();
  const TColor transparent = FGlyph->Canvas()->Pixel(0, h - 1);
  FGlyphShade->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      FGlyphShade->Canvas()->SetPixel(x, y, FGlyph->Canvas()->Pixel(x, y) == transparent ? transparent : clGray);
}

void TRivGridButton::SetLook(int Value) {
  if (Value < 0 || Value > 6) return;
  FLook = Value;
  const TLookColors& l = kLooks[Value];
  FColor = l.Color;
  FColorTo = l.ColorTo;
  FColorHot = l.Hot;
  FColorHotTo = l.HotTo;
  FColorDown = l.Down;
  FColorDownTo = l.DownTo;
  FColorChecked = l.Checked;
  FColorCheckedTo = l.CheckedTo;
  FBorderColor = clNone;
  FBorderDownColor = l.BorderDown;
  FBorderHotColor = l.BorderHot;
  FFlat = true;
  FRounded = Value == 0;
  Repaint();
}

void TRivGridButton::ThemeAdapt() {
  switch (CurrentXPScheme()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1);
  }
}

void TRivGridButton::Loaded() {
  TGraphicControl::Loaded();
  if (FShaded) BuildShade();
  if (FAutoThemeAdapt) ThemeAdapt();
}

void TRivGridButton::SetDown(bool Value) {
  const bool value = (FGroupIndex != 0 || FStyle == tasCheck) ? Value : false;
  if (FStyle == tasCheck) {
    FDown = value;
    Repaint();
    return;
  }
  if (value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = value;
  if (value) {
    if (FState == bsUp) Repaint();
    FState = bsExclusive;
  } else {
    FState = bsUp;
    Repaint();
  }
  if (value) UpdateExclusive();
}

void TRivGridButton::UpdateExclusive() {
  if (FGroupIndex == 0 || Parent() == nullptr) return;
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* other = dynamic_cast<TRivGridButton*>(parent->Controls(i)); other != nullptr)
      other->ButtonPressed(FGroupIndex, this);
}

void TRivGridButton::ButtonPressed(int Group, TRivGridButton* Sender) {
  if (Group != FGroupIndex || Sender == this) return;
  if (Sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    Repaint();
  }
  FAllowAllUp = Sender->AllowAllUp();
}

void TRivGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  FDropDownPress = false;
  if (FDropDownButton && X >= Width() - 12) {
    // The drop-down part opens its menu and is no click of the button.
    FDropDownPress = true;
    FState = bsUp;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu != nullptr) {
      const TPoint p = ClientToScreen(Point(0, Height()));
      FDropDownMenu->Popup(p.X, p.Y);
    }
    return;
  }
  if (!FDown || FStyle == tasCheck) {
    FState = bsDown;
    Repaint();
  }
  FDragging = true;
}

void TRivGridButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  TButtonState state = inside ? (FDown ? bsExclusive : bsDown) : (FDown ? bsExclusive : bsUp);
  if (FStyle == tasCheck && FDown) state = bsDown;
  if (state != FState) {
    FState = state;
    Repaint();
  }
}

void TRivGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  if (FGroupIndex == 0) {
    if (FStyle == tasCheck) SetDown(!FDown);
    FState = bsUp;
    if (inside && FState == bsUp) Repaint();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) Repaint();
  } else if (FDown) {
    FState = bsExclusive;
  }
  // The class library fires Click for a release inside.
}

void TRivGridButton::Click() {
  if (FDropDownPress) {
    FDropDownPress = false;
    return;
  }
  TGraphicControl::Click();
}

void TRivGridButton::EnabledChanged() {
  TGraphicControl::EnabledChanged();
  if (!Enabled()) FMouseInControl = false;
  Repaint();
}

void TRivGridButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (Enabled() && !FDragging) {
        FMouseInControl = true;
        Repaint();
      }
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      if (Enabled() && !FDragging) {
        FMouseInControl = false;
        Repaint();
      }
      if (OnMouseLeave) OnMouseLeave(this);
      break;
    case WM_THEMECHANGED:
      if (FAutoThemeAdapt) ThemeAdapt();
      break;
    default: break;
  }
  TGraphicControl::WndProc(Message);
}

void TRivGridButton::Paint() {
  TCanvas* canvas = Canvas();
  if (canvas == nullptr) return;
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  if (FStyle == tasCheck && FDown) FState = bsDown;
  TRect r = ClientRect();
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(psSolid);
  const bool hot = FMouseInControl && Enabled();
  if (FFlat) {
    if (FBorderDownColor == clNone || FRounded) r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    if (!hot) {
      if (FStyle == tasCheck && FDown) {
        const TColor pen = FBorderDownColor == clNone ? FColorChecked : FBorderDownColor;
        FillButton(canvas, r, FColorChecked, FColorCheckedTo, pen);
      } else {
        TColor border = FDown ? FBorderDownColor : FBorderColor;
        if (FRounded) border = clNone;
        FillButton(canvas, r, Color(), FColorTo, FColorTo == clNone ? clNone : border);
      }
      if (FBorderColor != clNone) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->Pen()->SetColor(FBorderColor);
        if (FRounded)
          canvas->RoundRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1, 8, 8);
        else
          canvas->Rectangle(r);
      }
    } else {
      TColor from = FColorHot, to = FColorHotTo, pen = FBorderHotColor;
      if (FState == bsDown) {
        from = FColorDown;
        to = FColorDownTo;
        pen = FBorderDownColor;
      } else if (FStyle == tasCheck && FDown) {
        from = FColorChecked;
        to = FColorCheckedTo;
        pen = FBorderDownColor;
      }
      if (FRounded) pen = clNone;
      FillButton(canvas, r, from, to, pen);
      if (FRounded) {
        canvas->Brush()->SetStyle(bsClear);
        canvas->Pen()->SetColor(FState == bsDown ? FBorderDownColor : FBorderHotColor);
        canvas->RoundRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1, 8, 8);
      }
      if (FDropDownButton) {
        canvas->Pen()->SetColor(FState == bsDown ? FBorderDownColor : FBorderHotColor);
        canvas->MoveTo(r.Right - 12, r.Top);
        canvas->LineTo(r.Right - 12, r.Bottom);
      }
    }
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  } else {
    // The classic push button.
    FillRectColor(canvas, r, Color());
    const bool pressed = FState == bsDown || FState == bsExclusive;
    canvas->Pen()->SetColor(pressed ? clBtnShadow : clBtnHighlight);
    canvas->MoveTo(r.Left, r.Bottom - 1);
    canvas->LineTo(r.Left, r.Top);
    canvas->LineTo(r.Right - 1, r.Top);
    canvas->Pen()->SetColor(pressed ? clBtnHighlight : clBtnShadow);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
    canvas->LineTo(r.Left, r.Bottom - 1);
    r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  }
  int dx = 0;
  if (!FFlat && (FState == bsDown || FState == bsExclusive)) dx = 1;
  else if (FFlat && hot && FShaded && FState != bsDown) dx = -1;
  if (FDropDownButton) {
    DrawDownTriangle(canvas, r.Right - 6, (r.Top + r.Bottom) / 2 - 1, Font()->Color());
    r.Right -= 12;
  }
  // Glyph at the left (or alone at the top-left), the caption centred in what remains.
  TBitmap* glyph = FGlyph.get();
  if (!Enabled() && !FGlyphDisabled->Empty()) glyph = FGlyphDisabled.get();
  else if ((FDown || FState == bsExclusive) && !FGlyphDown->Empty()) glyph = FGlyphDown.get();
  else if (hot && !FGlyphHot->Empty()) glyph = FGlyphHot.get();
  const String caption = FShowCaption ? Caption() : String();
  if (!glyph->Empty()) {
    const int gx = caption.empty() ? r.Left : r.Left + std::max(0, FMargin);
    const int gy = caption.empty() ? r.Top : (r.Top + r.Bottom - glyph->Height()) / 2;
    if (hot && FShaded && Enabled() && FState != bsDown && !FGlyphShade->Empty())
      DrawBitmapTransparent(canvas, FGlyphShade.get(), canvas->Brush()->Color(),
                            Bounds(gx + 2 + dx, gy + 2 + dx, glyph->Width(), glyph->Height()));
    canvas->Draw(gx + dx, gy + dx, glyph);
    if (!caption.empty()) r.Left = gx + glyph->Width() + std::max(0, FSpacing);
  }
  if (!caption.empty()) {
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    TRect box = Rect(r.Left + dx, r.Top + dx, r.Right + dx, r.Bottom + dx);
    if (!Enabled()) {
      canvas->Font()->SetColor(clBtnHighlight);
      TRect shadow = Rect(box.Left + 1, box.Top + 1, box.Right + 1, box.Bottom + 1);
      canvas->DrawText(caption, shadow, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      canvas->Font()->SetColor(clBtnShadow);
    }
    canvas->DrawText(caption, box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}

// ---- TRivCheckBox ----

TRivCheckBox::TRivCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 98, 20);
  FIsWinXP = IsWinXPOrLater();
  TabStop = true;
}

TRect TRivCheckBox::BoxArea() const {
  return RightAligned() ? Rect(Width() - 20, 0, Width(), Height()) : Rect(0, 0, 20, Height());
}

void TRivCheckBox::SetChecked(bool Value) {
  SetState(Value ? cbChecked : cbUnchecked);
}

void TRivCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  InvalidateArea(BoxArea());
}

void TRivCheckBox::SetCaption(const String& Value) {
  FCaption = Value;
  SetText(Value);
  Invalidate();
}

void TRivCheckBox::SetButtonVertAlign(TTextLayout Value) {
  if (Value == FBtnVAlign) return;
  FBtnVAlign = Value;
  Invalidate();
}

void TRivCheckBox::SetAlignment(TLeftRight Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TRivCheckBox::SetEllipsis(bool Value) {
  if (Value == FEllipsis) return;
  FEllipsis = Value;
  Invalidate();
}

void TRivCheckBox::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TRivCheckBox::Toggle() {
  if (!FReadOnly) SetChecked(!Checked());
}

void TRivCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FMouseDown = true;
  if (CanFocus()) SetFocus();
  FDown = true;
  if (FIsWinXP) InvalidateArea(Rect(0, 0, 16, 16));
}

void TRivCheckBox::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (!FMouseDown) return;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  if (inside != FDown) {
    FDown = inside;
    InvalidateArea(Rect(0, 0, 16, 16));
  }
}

void TRivCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const bool pressed = FMouseDown;
  FMouseDown = false;
  FDown = false;
  const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
  // The class library fires Click for the release.
  if (inside && pressed && (Focused() || !CanFocus())) Toggle();
  if (FIsWinXP) InvalidateArea(Rect(0, 0, 16, 16));
}

void TRivCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    if (Parent() != nullptr) Parent()->SelectNext(this, !Shift.Contains(ssShift), true);
    Key = 0;
  } else if (Key == VK_SPACE) {
    FDown = true;
    Invalidate();
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TRivCheckBox::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE && FDown) {
    FDown = false;
    Toggle();
    Click();
  }
  TCustomControl::KeyUp(Key, Shift);
}

void TRivCheckBox::DoEnter() {
  FFocused = true;
  Invalidate();
  TCustomControl::DoEnter();
}

void TRivCheckBox::DoExit() {
  FFocused = false;
  Invalidate();
  TCustomControl::DoExit();
}

void TRivCheckBox::WndProc(TMessage& Message) {
  if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
    FHot = Message.Msg == CM_MOUSEENTER;
    InvalidateArea(Rect(0, 0, 16, 16));
  } else if (Message.Msg == CM_ENABLEDCHANGED) {
    Invalidate();
  }
  TCustomControl::WndProc(Message);
}

void TRivCheckBox::Paint() {
  TCanvas* canvas = Canvas();
  if (canvas == nullptr) return;
  const TRect client = ClientRect();
  if (!FTransparent) FillRectColor(canvas, client, Color());
  // The classic 13 x 13 box.
  const int x = RightAligned() ? client.Width() - 13 : 0;
  const int y = FBtnVAlign == tlTop ? 4 : FBtnVAlign == tlCenter ? client.Height() / 2 - 6 : client.Bottom - 17;
  const TRect box = Bounds(x, y, 13, 13);
  const bool inactive = FState == cbGrayed || !Enabled();
  FillRectColor(canvas, box, inactive || FDown ? clBtnFace : clWindow);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->MoveTo(box.Left, box.Bottom - 1);
  canvas->LineTo(box.Left, box.Top);
  canvas->LineTo(box.Right, box.Top);
  canvas->Pen()->SetColor(clBtnHighlight);
  canvas->MoveTo(box.Right - 1, box.Top + 1);
  canvas->LineTo(box.Right - 1, box.Bottom - 1);
  canvas->LineTo(box.Left, box.Bottom - 1);
  if (FState != cbUnchecked) {
    // The tick.
    canvas->Pen()->SetColor(inactive ? clBtnShadow : clWindowText);
    for (int i = 0; i < 3; ++i) {
      canvas->MoveTo(box.Left + 3, box.Top + 5 + i);
      canvas->LineTo(box.Left + 5, box.Top + 7 + i);
      canvas->LineTo(box.Left + 10, box.Top + 2 + i);
    }
  }
  // The caption.
  canvas->Font()->Assign(Font());
  canvas->Brush()->SetStyle(bsClear);
  TRect text = RightAligned() ? Rect(6, 4, client.Width() - 9, client.Bottom) : Rect(15, 4, client.Right, client.Bottom);
  uint32_t format = DT_SINGLELINE | DT_LEFT | DT_TOP;
  if (FEllipsis) format |= DT_END_ELLIPSIS;
  if (!Enabled()) {
    canvas->Font()->SetColor(clWhite);
    TRect shadow = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
    canvas->DrawText(FCaption, shadow, format);
    canvas->Font()->SetColor(clGray);
  }
  TRect drawn = text;
  canvas->DrawText(FCaption, drawn, format);
  if (FFocused) {
    TRect focus = text;
    canvas->DrawText(FCaption, focus, format | DT_CALCRECT);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->DrawFocusRect(Rect(focus.Left - 1, focus.Top, focus.Right + 1, focus.Bottom + 1));
  }
}

#include "classlib/Buttons.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  ControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(TBitmap* Value) {
  if (Value == nullptr)
    FGlyph = std::make_unique<TBitmap>();
  else
    FGlyph->Assign(Value);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetDown(bool Value) {
  if (GroupIndex == 0) Value = false;
  if (Value == FDown) return;
  FDown = Value;
  SetState(Value ? bsExclusive : bsUp);
}

void TSpeedButton::SetState(TButtonState Value) {
  if (Value == FState) return;
  FState = Value;
  Invalidate();
}

void TSpeedButton::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER:
      if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        MouseEnter();
      }
      return;
    case CM_MOUSELEAVE:
      if (FMouseInControl) {
        FMouseInControl = false;
        MouseLeave();
      }
      return;
    default:
      TGraphicControl::WndProc(Message);
  }
}

void TSpeedButton::MouseEnter() {
  if (FFlat) Invalidate();
}

void TSpeedButton::MouseLeave() {
  if (FFlat) Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) SetState(bsDown);
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  TButtonState pressed = FDown ? bsExclusive : bsDown;
  SetState(inside ? pressed : (FDown ? bsExclusive : bsUp));
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !FDragging) return;
  FDragging = false;
  bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (GroupIndex != 0 && inside) {
    if (!FDown) FDown = true;
    else if (AllowAllUp) FDown = false;
  }
  SetState(FDown ? bsExclusive : bsUp);
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::DrawButtonFace(TCanvas* Canvas, TRect& R, bool Down, bool Flat) {
  Canvas->Brush()->SetColor(clBtnFace);
  Canvas->FillRect(R);
  TColor topLeft = Down ? clBtnShadow : clBtnHighlight;
  TColor bottomRight = Down ? clBtnHighlight : clBtnShadow;
  auto frame = [&](const TRect& r, TColor tl, TColor br) {
    Canvas->Pen()->SetColor(tl);
    Canvas->MoveTo(r.Left, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Top);
    Canvas->LineTo(r.Right, r.Top);
    Canvas->Pen()->SetColor(br);
    Canvas->MoveTo(r.Right - 1, r.Top + 1);
    Canvas->LineTo(r.Right - 1, r.Bottom - 1);
    Canvas->LineTo(r.Left - 1, r.Bottom - 1);
  };
  frame(R, topLeft, bottomRight);
  R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  if (!Flat) {
    frame(R, Down ? clBtnShadow : clBtnFace, Down ? clBtnFace : clBtnShadow);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}

void TSpeedButton::DrawGlyphAndCaption(TCanvas* Canvas, const TRect& R, bool Down) {
  int shift = Down ? 1 : 0;
  if (!FGlyph->Empty()) {
    int w = FGlyph->Width() / FNumGlyphs;
    int h = FGlyph->Height();
    TBitmap first(w, h);
    first.Canvas()->CopyRect(Rect(0, 0, w, h), FGlyph->Canvas(), Rect(0, 0, w, h));
    first.SetTransparentColor(FGlyph->TransparentColor());
    first.SetTransparent(true);
    int x = R.Left + (R.Width() - w) / 2 + shift;
    int y = R.Top + (R.Height() - h) / 2 + shift;
    first.Draw(Canvas, Bounds(x, y, w, h));
  }
  String caption = Caption();
  if (!caption.empty()) {
    TRect r = Rect(R.Left + shift, R.Top + shift, R.Right + shift, R.Bottom + shift);
    Canvas->Font()->Assign(Font());
    if (!Enabled()) Canvas->Font()->SetColor(clGrayText);
    Canvas->SetBkMode(TRANSPARENT);
    Canvas->DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void TSpeedButton::Paint() {
  TRect r = ClientRect();
  bool down = FState == bsDown || FState == bsExclusive;
  if (FFlat && !down && !FMouseInControl) {
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->FillRect(r);
  } else {
    DrawButtonFace(Canvas(), r, down, FFlat);
  }
  DrawGlyphAndCaption(Canvas(), r, down);
}

#include "grid/base/rozcombo.h"

#include "classlib/Buttons.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Forms.h"

TROZCustomCombo::TROZCustomCombo(TComponent* AOwner) : TCustomComboBox(AOwner), FButtonWidth(kVScrollBarWidth + 4) {
  FOldColor = Color();
  FOldParentColor = ParentColor;
}

void TROZCustomCombo::SetButtonWidth(int Value) {
  if (Value < 14 || Value > 32 || Value == FButtonWidth) return;
  FButtonWidth = Value;
  Invalidate();
}

void TROZCustomCombo::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Ctl3D = !Value;
  Invalidate();
}

void TROZCustomCombo::SetEtched(bool Value) {
  if (Value == FEtched) return;
  FEtched = Value;
  Invalidate();
}

void TROZCustomCombo::SetDropWidth(int Value) {
  FDropWidth = Value;
  if (Value > 0) FDroppedWidth = Value;
}

TRect TROZCustomCombo::ButtonRect() const {
  return Rect(ClientWidth() - FButtonWidth, 0, ClientWidth(), ClientHeight());
}

TColor TROZCustomCombo::ParentBrushColor() const { return Parent() != nullptr ? Parent()->Color() : clBtnFace; }

bool TROZCustomCombo::Highlighted() const {
  if (ComponentState().Contains(csDesigning) || !FocusBorder) return false;
  return FMouseInControl || Focused();
}

void TROZCustomCombo::RedrawBorder() {
  ++BorderRedraws;
  Invalidate();
}

void TROZCustomCombo::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CM_ENTER:
    case CM_EXIT:
      TCustomComboBox::WndProc(Message);
      if (!ComponentState().Contains(csDesigning)) RedrawBorder();
      return;
    case CM_MOUSEENTER:
      if (Enabled() && !FMouseInControl) {
        FMouseInControl = true;
        if (AutoFocus && CanFocus()) SetFocus();
        RedrawBorder();
      }
      return;
    case CM_MOUSELEAVE:
      if (FMouseInControl) {
        FMouseInControl = false;
        RedrawBorder();
      }
      return;
    case CM_ENABLEDCHANGED:
      // A disabled flat combo takes its parent's colour and gets its own back when enabled.
      if (FFlat) {
        if (!Enabled()) {
          FOldColor = Color();
          FOldParentColor = ParentColor;
          ParentColor = true;
          SetColor(ParentBrushColor());
        } else {
          ParentColor = FOldParentColor;
          SetColor(FOldColor);
        }
      }
      TCustomComboBox::WndProc(Message);
      return;
    case CN_COMMAND:
      if (HiWord(Message.WParam) == CBN_DROPDOWN || HiWord(Message.WParam) == CBN_CLOSEUP) {
        ++ButtonRepaints;
        Invalidate();
        TNotifyEvent& e = HiWord(Message.WParam) == CBN_DROPDOWN ? OnDropDown : OnCloseUp;
        if (e) e(this);
        return;
      }
      break;
    default:
      break;
  }
  TCustomComboBox::WndProc(Message);
}

void TROZCustomCombo::PaintFlat(TCanvas* Canvas) {
  if (IsVista || !FFlat) return;
  if (Style() != csSimple) {
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(ClientRect());
    // The classic drop button: shrunk by 1 vertically, 2 to the left and 1 down.
    TRect b = ButtonRect();
    b = Rect(b.Left - 2, b.Top + 1 + 1, b.Right - 2, b.Bottom - 1 + 1);
    TSpeedButton::DrawButtonFace(Canvas, b, false, true);
    int cx = b.Left + b.Width() / 2, cy = b.Top + b.Height() / 2 - 1;
    Canvas->Pen()->SetColor(Enabled() ? clBtnText : clGrayText);
    for (int i = 0; i < 3; ++i) {
      Canvas->MoveTo(cx - 2 + i, cy + i);
      Canvas->LineTo(cx + 3 - i, cy + i);
    }
  }
  Canvas->Font()->Assign(Font());
  Canvas->SetBkMode(TRANSPARENT);
  TRect t = Rect(3, 0, ClientWidth() - FButtonWidth - 2, ClientHeight());
  Canvas->DrawText(Text(), t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  DrawFlatBorder(Canvas);
}

void TROZCustomCombo::DrawFlatBorder(TCanvas* Canvas) {
  if (!FFlat || IsVista) return;
  const bool highlighted = Highlighted();
  const TColor outer = highlighted ? clBtnFace : ParentBrushColor();
  TRect r = Rect(0, 0, Width(), Height());
  auto frame = [Canvas](const TRect& f, TColor c) {
    Canvas->Brush()->SetColor(c);
    Canvas->FrameRect(f);
  };
  auto inset = [](const TRect& f) { return Rect(f.Left + 1, f.Top + 1, f.Right - 1, f.Bottom - 1); };
  if (highlighted) {
    // Sunken outer edge: shadow above and left, highlight below and right.
    Canvas->Pen()->SetColor(clBtnShadow);
    Canvas->MoveTo(r.Left, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Top);
    Canvas->LineTo(r.Right, r.Top);
    Canvas->Pen()->SetColor(clBtnHighlight);
    Canvas->MoveTo(r.Right - 1, r.Top + 1);
    Canvas->LineTo(r.Right - 1, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Bottom - 1);
    r = inset(r);
    frame(r, outer);
    frame(inset(r), Color());
  } else {
    frame(r, outer);
    // No version-6 common controls here: the second frame is always drawn.
    frame(inset(r), outer);
  }
  if (Style() == csSimple || IsWinXP) return;
  TRect b = Rect(ClientWidth() - FButtonWidth - 4, 0, ClientWidth(), ClientHeight());
  b = Rect(b.Left + 2, b.Top + 2, b.Right - 2 + 1, b.Bottom - 2 + 2);
  TColor light = FEtched ? clBtnShadow : clBtnHighlight;
  TColor dark = FEtched ? clBtnHighlight : clBtnShadow;
  Canvas->Pen()->SetColor(light);
  Canvas->MoveTo(b.Left, b.Bottom - 1);
  Canvas->LineTo(b.Left, b.Top);
  Canvas->LineTo(b.Right, b.Top);
  Canvas->Pen()->SetColor(dark);
  Canvas->MoveTo(b.Right - 1, b.Top + 1);
  Canvas->LineTo(b.Right - 1, b.Bottom - 1);
  Canvas->LineTo(b.Left, b.Bottom - 1);
}

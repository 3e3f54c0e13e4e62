// Form controls embedded in formatted text (<CONTROL TYPE="EDIT" ...>): their room on the line,
// hits on them, and their classic look (this platform has no visual-styles library).
#include <algorithm>

#include "grid/base/HTMLEngineInternal.h"

namespace htmlengine {

namespace {

constexpr TColor kBorder = 0x808080;

// A raised (or, pushed, sunken) 3-D button face.
void DrawButtonFace(TCanvas* Canvas, const TRect& R, bool Pushed) {
  Canvas->Brush()->SetColor(clBtnFace);
  Canvas->FillRect(R);
  const TColor light = Pushed ? clBtnShadow : clBtnHighlight;
  const TColor dark = Pushed ? clBtnHighlight : cl3DDkShadow;
  Canvas->Pen()->SetColor(light);
  Canvas->MoveTo(R.Left, R.Bottom - 1);
  Canvas->LineTo(R.Left, R.Top);
  Canvas->LineTo(R.Right - 1, R.Top);
  Canvas->Pen()->SetColor(dark);
  Canvas->LineTo(R.Right - 1, R.Bottom - 1);
  Canvas->LineTo(R.Left - 1, R.Bottom - 1);
}

// Flat check box: a grey frame around a white square, a black tick when checked.
void DrawCheckBox(TCanvas* Canvas, const TRect& R, bool Checked) {
  Canvas->Brush()->SetColor(clWhite);
  Canvas->Pen()->SetColor(kBorder);
  Canvas->Rectangle(R);
  if (!Checked) return;
  Canvas->Pen()->SetColor(clBlack);
  const int x = R.Left + (R.Right - R.Left - 7) / 2, y = R.Top + (R.Bottom - R.Top - 7) / 2;
  for (int k = 0; k < 3; ++k) {  // a tick three pixels thick
    Canvas->MoveTo(x, y + 2 + k);
    Canvas->LineTo(x + 2, y + 4 + k);
    Canvas->LineTo(x + 7, y - 1 + k);
  }
}

// Flat radio button: a grey ring around a white disc, a black dot when checked.
void DrawRadioButton(TCanvas* Canvas, const TRect& R, bool Checked) {
  Canvas->Brush()->SetColor(clWhite);
  Canvas->Pen()->SetColor(kBorder);
  Canvas->Ellipse(R);
  if (!Checked) return;
  Canvas->Brush()->SetColor(clBlack);
  Canvas->Pen()->SetColor(clBlack);
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  Canvas->Ellipse(cx - 2, cy - 2, cx + 2, cy + 2);
}

// The drop-down button of a combo box: a button face with a small black arrow.
void DrawComboArrow(TCanvas* Canvas, const TRect& R) {
  DrawButtonFace(Canvas, R, false);
  Canvas->Pen()->SetColor(clBlack);
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2 - 1;
  for (int k = 0; k < 4; ++k) {
    Canvas->MoveTo(cx - 3 + k, cy + k);
    Canvas->LineTo(cx + 4 - k, cy + k);
  }
}

}  // namespace

void TRenderer::ApplyControlTag(const String& Tag, TPassState& /*Pass*/) {
  const THTMLControl control = ParseHTMLControlTag(Tag.substr(std::min<size_t>(8, Tag.size())));
  int controlHeight = 25;
  // Negative sizes count as invalid: they would put the text after the control outside the box.
  if (!ReadWholeNumber(control.Height, controlHeight) || controlHeight < 0) controlHeight = 25;
  if (control.Width.empty()) return;
  int width = 0;
  FObjectWidth = FObjectHeight = 0;
  if (ReadWholeNumber(control.Width, width) && width >= 0) {
    FObjectWidth = width;
    FObjectHeight = GhHeight() + 10;
  }
  const bool toggle = control.Type == "CHECK" || control.Type == "RADIO";
  // A control raises the line to its own height; it never shrinks a line of larger text.
  int lineHeight = toggle ? 16 : 23;
  if (controlHeight > 25) lineHeight = controlHeight - 2;
  FLineHeight = std::max(FLineHeight, lineHeight);

  if (control.Type == "BUTTON" || control.Type == "COMBO") FObjectHeight = 25;
  if (toggle) FObjectWidth = FObjectHeight = 16;
  if (!ObjectFits()) return;
  if (!FMeasuring) DrawControl(control, std::max(0, width), controlHeight);

  const bool wanted = P.HitTestOnly && !P.ControlID.empty() && control.ID == P.ControlID;
  if (FSecondPass && (ObjectUnderPoint() || wanted)) {
    FLine->ObjectHit = true;
    Out.HitHref = "ctrl";
    const int left = FLineBox.Left + FLineWidth;
    Out.ControlRect = TRect{left, FRunBox.Top, left + FObjectWidth, FRunBox.Top + FObjectHeight};
    Out.ControlValue = control.Value;
    Out.ControlID = control.ID;
    Out.ControlType = control.Type;
  }
  PlaceObject();
}

void TRenderer::DrawControl(const THTMLControl& Control, int Width, int ControlHeight) {
  const int L = FRunBox.Left, B = FRunBox.Bottom, LH = FLineHeight;
  const TColor brush = BrushColorOrNone();
  const TColor fontColor = FCanvas->Font()->Color();
  const bool checked = UpperCase(Control.Value) == "TRUE";
  const bool over = L - 2 < P.HitX && P.HitX < L + FObjectWidth - 2 && B - FObjectHeight - 2 < P.HitY && P.HitY < B - 2;
  const String& type = Control.Type;
  auto valueText = [&](TRect area, uint32_t align) {
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->DrawText(type == "PASSWORD" ? MaskPassword(Control.Value) : Control.Value, area,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
  };
  if (type == "EDIT" || type == "PASSWORD" || type == "MASK" || type == "COMBO") {
    FCanvas->Brush()->SetColor(clWhite);
    FCanvas->Pen()->SetColor(kBorder);
    FCanvas->Rectangle(L, B - LH + 4, L + Width, B + 2);
    if (type == "COMBO") {
      valueText(TRect{L + 4, B - LH + 4, L + Width - 18, B}, DT_LEFT);
      DrawComboArrow(FCanvas, TRect{L + Width - 18, B - LH + 5, L + Width - 1, B + 1});
    } else {
      valueText(TRect{L + 2, B - LH + 4, L + Width, B}, DT_LEFT);
    }
  } else if (type == "CHECK") {
    DrawCheckBox(FCanvas, TRect{L + 2, B - 15, L + 15, B}, checked);
  } else if (type == "RADIO") {
    DrawRadioButton(FCanvas, TRect{L + 2, B - 14, L + 14, B}, checked);
  } else if (type == "BUTTON") {
    TRect box{L + 2, B - ControlHeight, L + Width - 2, B};
    DrawButtonFace(FCanvas, box, P.MouseDown && over);
    FCanvas->Font()->SetColor(clBtnText);
    valueText(TRect{box.Left + 2, box.Top + 2, box.Right - 2, box.Bottom - 2}, DT_CENTER);
  }
  FCanvas->Font()->SetColor(fontColor);
  SetBrushColorOrClear(brush);
}

}  // namespace htmlengine

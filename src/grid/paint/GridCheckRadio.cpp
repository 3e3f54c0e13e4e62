// Check boxes and radio buttons in cells, in every control style.
#include <cmath>

#include "classlib/Graphics.h"
#include "classlib/StringList.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/model/RivErodovOzar.h"



namespace {

void ControlLine(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

// The classic frame control of a check button or a radio button in Box: a sunken white field,
// the mark in black (grey when inactive), a single grey frame when flat.
void DrawClassicCheck(TCanvas* C, const TRect& Box, bool Checked, bool Grayed, bool Flat, bool Enabled) {
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Enabled && !Grayed ? 0xFFFFFF : 0xC0C0C0);
  C->FillRect(Box);
  if (Flat) {
    C->Brush()->SetColor(0x808080);
    C->FrameRect(Box);
  } else {
    C->Pen()->SetColor(0x808080);
    ControlLine(C, Box.Left, Box.Bottom - 1, Box.Left, Box.Top);
    C->LineTo(Box.Right, Box.Top);
    C->Pen()->SetColor(0xFFFFFF);
    ControlLine(C, Box.Right - 1, Box.Top + 1, Box.Right - 1, Box.Bottom - 1);
    C->LineTo(Box.Left, Box.Bottom - 1);
  }
  if (!Checked) return;
  C->Pen()->SetColor(Enabled ? 0x000000 : 0x808080);
  const int x = Box.Left + Box.Width() / 2 - 3, y = Box.Top + Box.Height() / 2 - 1;
  for (int i = 0; i < 3; ++i) ControlLine(C, x, y + i, x + 2, y + 2 + i), C->LineTo(x + 7, y - 3 + i);
}

void DrawClassicRadio(TCanvas* C, const TRect& Box, bool Checked, bool Flat, bool Enabled) {
  C->Pen()->SetWidth(1);
  C->Pen()->SetColor(Flat ? 0x808080 : 0x404040);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Enabled ? 0xFFFFFF : 0xC0C0C0);
  C->Ellipse(Box);
  if (!Checked) return;
  C->Brush()->SetColor(Enabled ? 0x000000 : 0x808080);
  C->Pen()->SetColor(C->Brush()->Color());
  const int cx = Box.Left + Box.Width() / 2, cy = Box.Top + Box.Height() / 2;
  C->Ellipse(cx - 2, cy - 2, cx + 2, cy + 2);
}

const char* CheckResource(RivGrid::TControlStyle Style, bool Checked, bool Enabled) {
  static const char* const names[] = {"ROZCHK01", "ROZCHK02", "ROZCHK03", "ROZCHK04",
                                      "ROZCHK05", "ROZCHK06", "ROZCHK07", "ROZCHK08"};
  return names[(Style == RivGrid::csWinXP ? 4 : 0) + (Enabled ? 0 : 2) + (Checked ? 0 : 1)];
}

const char* RadioResource(RivGrid::TControlStyle Style, bool Checked, bool Enabled) {
  static const char* const names[] = {"ROZRAD01", "ROZRAD02", "ROZRAD03", "ROZRAD04",
                                      "ROZRAD05", "ROZRAD06", "ROZRAD07", "ROZRAD08"};
  return names[(Style == RivGrid::csWinXP ? 4 : 0) + (Enabled ? 0 : 2) + (Checked ? 0 : 1)];
}

}  // namespace

void TRivErodovOzar::DrawCheckBox(TRect R, bool Checked, RivGrid::TControlStyle Style, bool Grayed, bool Enabled) {
  TCanvas* C = PaintCanvas();
  if (C == nullptr) return;
  const TControlLook& look = *ControlLook();
  if (look.NoDisabledCheckRadioLook() || look.CheckAlwaysActive()) Enabled = true;
  // Without the platform's themes the themed look is the classic one.
  if (Style == RivGrid::csTheme) Style = RivGrid::csClassic;
  const int size = look.CheckSize();
  const TColor brush = C->Brush()->Color();
  switch (Style) {
    case RivGrid::csWinXP:
    case RivGrid::csVAV: {
      const TColor back = brush == clNone ? Color() : brush;
      DrawResourceBitmap(C, back, Rect(R.Left, R.Top, R.Left + 15, R.Top + 15), CheckResource(Style, Checked, Enabled));
      break;
    }
    case RivGrid::csBevel: {
      C->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
      C->Pen()->SetColor(clBtnFace);
      C->Pen()->SetWidth(1);
      C->Rectangle(R);
      C->Pen()->SetColor(clBtnHighlight);
      ControlLine(C, R.Left, R.Bottom - 1, R.Left, R.Top);
      C->LineTo(R.Right - 1, R.Top);
      C->Pen()->SetColor(clBtnShadow);
      C->LineTo(R.Right - 1, R.Bottom - 1);
      C->LineTo(R.Left, R.Bottom - 1);
      if (Checked) {
        const TRect T = Rect(R.Left, R.Top - 1, R.Right, R.Bottom - 1);
        C->Pen()->SetColor(Enabled ? look.Color() : 0x808080);
        ControlLine(C, T.Left + 2, T.Top + size / 2, T.Left + 2, T.Bottom - 1);
        ControlLine(C, T.Left + 3, T.Top + size / 2, T.Left + 3, T.Bottom - 2);
        ControlLine(C, T.Left + 2, T.Bottom - 1, T.Right - 2, T.Top + 3);
        ControlLine(C, T.Left + 3, T.Bottom - 1, T.Right - 1, T.Top + 3);
      }
      break;
    }
    case RivGrid::csGlyph: {
      TBitmap* glyph = Checked ? look.CheckedGlyph() : look.UnCheckedGlyph();
      if (glyph != nullptr && !glyph->Empty())
        DrawBitmapTransparent(C, glyph, brush == clNone ? Color() : brush,
                              Rect(R.Left, R.Top, R.Left + glyph->Width(), R.Top + glyph->Height()));
      break;
    }
    default: {
      const int x = R.Left + (R.Width() - size) / 2, y = R.Top + (R.Height() - size) / 2;
      DrawClassicCheck(C, Rect(x, y, x + size, y + size), Checked || Grayed, Grayed, Style == RivGrid::csFlat, Enabled);
      break;
    }
  }
  C->Brush()->SetColor(brush);
}

void TRivErodovOzar::DrawRadioGroup(TCanvas* ACanvas, TRect R, bool Upward, double Scale, RivGrid::TControlStyle Style,
                                    int Row, int Col, bool Selected, TStrings* Items, bool Disabled,
                                    bool Horizontal, int Index, int Count) {
  const TControlLook& look = *ControlLook();
  if (look.NoDisabledCheckRadioLook() || look.RadioAlwaysActive()) Disabled = false;
  if (Count <= 0) return;
  if (Style == RivGrid::csTheme) Style = RivGrid::csClassic;
  ACanvas->SetBkMode(TRANSPARENT);
  const TColor brush = ACanvas->Brush()->Color();
  const TColor fontColor = ACanvas->Font()->Color();
  if (Items != nullptr && Selected && ShowSelection) ACanvas->Font()->SetColor(SelectionTextColor);
  const String cellText = Cells(Col, Row);
  const bool classic = Style == RivGrid::csClassic || Style == RivGrid::csFlat;
  const bool bitmapStyle = Style == RivGrid::csWinXP || Style == RivGrid::csVAV || Style == RivGrid::csGlyph;
  const int lineHeight = ACanvas->TextHeight("gh");
  const int radio = look.RadioSize();
  const int box = static_cast<int>(std::lround((radio + (Style == RivGrid::csFlat ? 2 : 0)) * Scale));
  const int item = classic ? radio : 16;
  const int rowHeight = classic ? lineHeight : std::max(16, lineHeight);
  int captionsBefore = 0;
  for (int i = 1; i <= Count; ++i) {
    const String caption = Items != nullptr && i - 1 < Items->Count() ? Items->Strings(i - 1) : String();
    const bool checked = i == Index + 1 || (Index == -1 && Items != nullptr && caption == cellText);
    const int slot = Upward ? Count - i : i - 1;
    int x, y, cx, cy;
    if (Horizontal) {
      x = classic ? R.Left + 2 + (i - 1) * radio + captionsBefore : R.Left + i * 16 - 14 + captionsBefore;
      y = R.Top + (R.Height() - item) / 2;
      cx = classic ? x + static_cast<int>(std::lround(Scale * radio)) : x + 16;
      cy = y - 2 + (bitmapStyle ? 1 : 0);
    } else if (Items != nullptr) {
      x = R.Left + 2;
      y = R.Top + slot * rowHeight + 2;
      cx = classic ? R.Left + 2 + static_cast<int>(std::lround(Scale * (radio + 4)))
                   : R.Left + (bitmapStyle ? 18 : 20);
      cy = R.Top + slot * rowHeight + (bitmapStyle ? 1 : 0);
    } else {
      x = R.Left + (R.Width() - (classic ? box : 16)) / 2;
      y = R.Top + slot * rowHeight + 2;
      cx = cy = 0;
    }
    switch (Style) {
      case RivGrid::csBevel: {
        ACanvas->Brush()->SetColor(clBtnFace);
        ACanvas->Pen()->SetColor(clBtnFace);
        ACanvas->Polygon({Point(x + 2, y + 8), Point(x + 8, y + 2), Point(x + 14, y + 8), Point(x + 8, y + 14)});
        ACanvas->Pen()->SetColor(checked ? 0x808080 : 0xFFFFFF);
        ControlLine(ACanvas, x + 8, y + 14, x + 2, y + 8);
        ACanvas->LineTo(x + 8, y + 2);
        ACanvas->Pen()->SetColor(checked ? 0xFFFFFF : 0x808080);
        ACanvas->LineTo(x + 14, y + 8);
        ACanvas->LineTo(x + 8, y + 14);
        if (checked) {
          ACanvas->Brush()->SetColor(look.Color());
          ACanvas->Pen()->SetColor(look.Color());
          ACanvas->Polygon({Point(x + 6, y + 8), Point(x + 8, y + 6), Point(x + 10, y + 8), Point(x + 8, y + 10)});
        }
        ACanvas->Brush()->SetColor(brush);
        break;
      }
      case RivGrid::csWinXP:
      case RivGrid::csVAV:
        DrawResourceBitmap(ACanvas, brush == clNone ? Color() : brush, Rect(x, y, x + 16, y + 16),
                           RadioResource(Style, checked, !Disabled));
        break;
      case RivGrid::csGlyph: {
        TBitmap* glyph = checked ? look.RadioOnGlyph() : look.RadioOffGlyph();
        if (glyph != nullptr && !glyph->Empty())
          DrawBitmapTransparent(ACanvas, glyph, brush == clNone ? Color() : brush,
                                Rect(x, y, x + glyph->Width(), y + glyph->Height()));
        break;
      }
      default:
        DrawClassicRadio(ACanvas, Rect(x, y, x + box, y + box), checked, Style == RivGrid::csFlat, !Disabled);
        ACanvas->Brush()->SetColor(brush);
        break;
    }
    if (!caption.empty() && (Horizontal || Items != nullptr)) {
      ACanvas->Brush()->SetStyle(bsClear);
      ACanvas->TextOut(cx, cy, caption);
      ACanvas->Brush()->SetStyle(bsSolid);
      captionsBefore += ACanvas->TextWidth(caption);
    }
  }
  ACanvas->Font()->SetColor(fontColor);
}

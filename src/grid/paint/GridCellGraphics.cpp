// The cell graphics painter: where a cell's graphic goes in the cell and how each kind is
// drawn (pictures, images, check boxes, radio buttons, buttons, progress bars, node boxes,
// comment marks, shapes, ratings and objects that draw themselves).
#include <algorithm>
#include <cmath>

#include "classlib/Buttons.h"
#include "classlib/Gdi.h"
#include "classlib/Graphics.h"
#include "classlib/ImgList.h"
#include "classlib/Picture.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/model/GridCellDrawer.h"
#include "grid/model/RivErodovOzar.h"

namespace {

bool IsCheckType(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox || T == ctRadioButton;
}

TColor Inverted(TColor C) {
  const TColor rgb = ColorToRGB(C);
  return (~rgb) & 0xFFFFFF;
}

// The destination of a graphic of W x H in R by its alignment; T is the text width plus 2.
TRect PlaceGraphic(const TRect& R, TCellHAlign HAl, TCellVAlign VAl, TAlignment HA, int W, int H, int T) {
  TRect D;
  switch (HAl) {
    case haLeft: D.Left = R.Left + 1; break;
    case haRight: D.Left = R.Right - 1 - W; break;
    case haCenter: D.Left = W < R.Width() ? R.Left + (R.Width() - W) / 2 : R.Left + 1; break;
    case haBeforeText:
      D.Left = HA == taLeftJustify    ? R.Left + 1
               : HA == taRightJustify ? R.Right - T - W
                                      : R.Left + (R.Width() - T - W) / 2;
      if (D.Left < R.Left) D.Left = R.Left + 1;
      break;
    case haAfterText:
      D.Left = HA == taLeftJustify    ? R.Left + T
               : HA == taRightJustify ? R.Right - W - 1
                                      : std::max(R.Left, R.Left + T + (R.Width() - T - W) / 2);
      break;
    case haFull: D.Left = R.Left; break;
  }
  D.Right = HAl == haFull ? R.Right : D.Left + W;
  switch (VAl) {
    case vaTop:
    case vaAboveText: D.Top = R.Top + 1; break;
    case vaBottom: D.Top = R.Bottom - 1 - H; break;
    case vaCenter: D.Top = H < R.Height() ? R.Top + (R.Height() - H) / 2 : R.Top + 1; break;
    case vaUnderText: D.Top = R.Bottom - H; break;
    case vaFull: D.Top = R.Top; break;
  }
  D.Bottom = VAl == vaFull ? R.Bottom : D.Top + H;
  return D;
}

}  // namespace

void TRivErodovOzar::DrawCellGraphic(TCanvas* ACanvas, int ACol, int ARow, TRect& R, TCellGraphic* Graphic,
                                     TVAlignment VA, TAlignment HA, TGridDrawState AState) {
  if (Graphic == nullptr) return;
  TCellGraphic& g = *Graphic;
  const int RCol = RealColIndex(ACol);
  const TControlLook& look = *ControlLook();
  const TCellType type = g.CellType;
  const TRect cell = R;
  if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress)
    R = Rect(R.Left + XYOffset.X - 1, R.Top + XYOffset.Y - 1, R.Right - XYOffset.X + 1, R.Bottom - XYOffset.Y + 1);
  TCellVAlign cva = vaTop;
  TCellHAlign cha = haLeft;
  bool textDrawn = true;
  int h = 0, w = 0;
  GetCellGraphicLayout(RCol, ARow, cva, cha, textDrawn, h, w);
  const int t = FLastTextWidth > 0 ? FLastTextWidth + 2 : 0;
  TCellVAlign vpos = g.CellVAlign;
  if (IsCheckType(type) && VA != VAlignment)
    vpos = VA == vtaTop ? vaTop : VA == vtaCenter ? vaCenter : vaBottom;
  TRect D = PlaceGraphic(R, g.CellHAlign, vpos, HA, w, h, t);
  const bool selectedLook =
      ShowSelection && ((AState.Contains(gdSelected) && !MouseActions()->DisjunctRowSelect()) ||
                        (Options().Contains(goRowSelect) && MouseActions()->DisjunctRowSelect() &&
                         ARow < RowCount() && IsRowSelected(ARow) && ACol >= FixedCols()));
  bool editable = true;

  switch (type) {
    case ctBitmap: {
      auto* bitmap = dynamic_cast<TBitmap*>(g.CellBitmap);
      if (bitmap == nullptr || bitmap->Empty()) break;
      if (g.CellTransparent) {
        const TColor fill = selectedLook ? SelectionColor : ACanvas->Brush()->Color();
        DrawBitmapTransparent(ACanvas, bitmap, fill, D);
      } else {
        ACanvas->Draw(D.Left, D.Top, bitmap);
      }
      break;
    }
    case ctIcon:
      if (g.CellIcon != nullptr) ACanvas->Draw(D.Left, D.Top, g.CellIcon);
      break;
    case ctImageList:
      if (TCustomImageList* images = GetGridImages()) images->Draw(ACanvas, D.Left, D.Top, g.CellIndex, true);
      break;
    case ctDataImage:
      if (TCustomImageList* images = GetGridImages()) {
        const int index = StrToIntDef(Cells(RCol, ARow), 0) + g.CellIndex;
        if (index >= 0 && index < images->Count()) images->Draw(ACanvas, D.Left, D.Top, index, true);
      }
      break;
    case ctImages: {
      TCustomImageList* images = GetGridImages();
      auto* list = dynamic_cast<TIntList*>(g.CellBitmap);
      if (images == nullptr || list == nullptr) break;
      int x = D.Left, y = D.Top;
      for (int i = 0; i < list->Count(); ++i) {
        images->Draw(ACanvas, x, y, list->GetItem(i), true);
        if (g.CellBoolean) x += images->Width();
        else y += images->Height();
      }
      break;
    }
    case ctPicture: {
      auto* picture = dynamic_cast<TPicture*>(g.CellBitmap);
      if (picture == nullptr || picture->Graphic() == nullptr) break;
      if (g.CellAngle != 0) ACanvas->StretchDraw(D, picture->Graphic());
      else ACanvas->Draw(D.Left, D.Top, picture->Graphic());
      break;
    }
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton: {
      const bool besideText = type == ctCheckBox || type == ctRadioButton;
      if (HA == taLeftJustify) {
        D.Left = R.Left + 1;
      } else if (HA == taRightJustify) {
        D.Left = std::max(R.Left, R.Right - w - 1 - (besideText ? t : 0));
      } else if (besideText && t > 0) {
        D.Left = std::max(R.Left, R.Left + std::max(0, R.Right - t - R.Left) / 2 - w);
      } else {
        D.Left = R.Left + std::max(0, R.Right - w - R.Left) / 2;
      }
      D.Right = D.Left + w;
      CheckCellEditable(RCol, ARow, editable);
      if (type == ctRadioButton) {
        D.Left += XYOffset.X;
        D.Right = D.Left + look.RadioSize();
        D.Bottom = D.Top + look.RadioSize();
        DrawRadioGroup(ACanvas, D, false, 1, look.ControlStyle(), ARow, RCol, false, nullptr, !editable, false,
                       g.CellBoolean ? 0 : -1, 1);
      } else if (type == ctCheckBox || type == ctRowCheckBox) {
        DrawCheckBox(D, g.CellBoolean, look.ControlStyle(), g.CellAngle > 0, editable);
      } else {
        String checkTrue = CheckTrue;
        GetCheckTrue(RCol, ARow, checkTrue);
        DrawCheckBox(D, Cells(RCol, ARow) == checkTrue, look.ControlStyle(), false, editable);
      }
      break;
    }
    case ctRadio: {
      auto* items = dynamic_cast<TStrings*>(g.CellBitmap);
      CheckCellEditable(RCol, ARow, editable);
      DrawRadioGroup(ACanvas, R, false, 1, look.ControlStyle(), ARow, RCol, AState.Contains(gdSelected), items,
                     !editable, g.CellBoolean, g.CellIndex, items != nullptr ? items->Count() : 0);
      break;
    }
    case ctNode: DrawNodeBox(ACanvas, ACol, ARow, R, g, selectedLook); break;
    case ctRotated: DrawRotatedText(ACanvas, RCol, ARow, cell, g.CellAngle, VA, HA); break;
    case ctProgress: {
      R = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
      const TColor fgText = g.CellBoolean ? g.CellIndex : Inverted(g.CellBitmapColor);
      const TColor bkText = g.CellBoolean ? g.CellAngle : Inverted(g.CellIconColor);
      DrawProgressBar(ACanvas, R, g.CellBitmapColor, fgText, g.CellIconColor, bkText,
                      static_cast<double>(GetCellFloatOrZero(RCol, ARow)), look.ProgressMarginX(),
                      look.ProgressMarginY(), g.CellErrFrom, g.CellErrLen, g.CellText, look.ProgressBorderColor(),
                      false);
      break;
    }
    case ctProgressPie:
      DrawProgressPie(ACanvas, Rect(D.Left, D.Top, D.Left + 20, D.Top + 20), g.CellBitmapColor, true, g.CellAngle);
      break;
    case ctRangeIndicator:
      R = Rect(R.Left + look.ProgressMarginX(), R.Top + look.ProgressMarginY(), R.Right - look.ProgressMarginX(),
               R.Bottom - look.ProgressMarginY());
      DrawRangeIndicator(ACanvas, R, StrToIntDef(Cells(RCol, ARow), 0), g.CellIconColor, g.CellBitmapColor,
                         g.CellBoolean, g.CellIndex);
      break;
    case ctXPProgress: {
      R = Rect(R.Left + look.ProgressMarginX(), R.Top + look.ProgressMarginY(),
               R.Right - look.ProgressMarginX() - 1, R.Bottom - look.ProgressMarginY() - 1);
      const TGridProgressAppearance& pa = *ProgressAppearance();
      TProgressAppearance a;
      a.Level0Color = pa.Level0Color(), a.Level0ColorTo = pa.Level0ColorTo();
      a.Level1Color = pa.Level1Color(), a.Level1ColorTo = pa.Level1ColorTo();
      a.Level2Color = pa.Level2Color(), a.Level2ColorTo = pa.Level2ColorTo();
      a.Level3Color = pa.Level3Color(), a.Level3ColorTo = pa.Level3ColorTo();
      a.Level1Perc = pa.Level1Perc(), a.Level2Perc = pa.Level2Perc();
      a.ShowBorder = pa.ShowBorder(), a.BorderColor = pa.BorderColor();
      a.Stacked = pa.Stacked(), a.ShowPercentage = pa.ShowPercentage();
      a.CompletionSmooth = pa.CompletionSmooth(), a.ShowGradient = pa.ShowGradient();
      a.Font = Font(), a.FontColor = pa.CompleteFontColor(), a.Steps = pa.Steps();
      a.BackgroundColor = pa.UnCompleteColor() != clNone ? pa.UnCompleteColor() : ACanvas->Brush()->Color();
      const double percent = ProgressPercentage(StrToIntDef(Cells(RCol, ARow), 0), g.CellErrFrom, g.CellErrLen);
      DrawStyledProgressBar(ACanvas, R, static_cast<int>(std::lround(percent)), a);
      break;
    }
    case ctComment: {
      if (look.CommentColor() == clNone) break;
      const TColor color = g.CellAngle != clNone ? g.CellIndex : look.CommentColor();
      ACanvas->Pen()->SetColor(color);
      ACanvas->Brush()->SetColor(color);
      ACanvas->Polygon({Point(cell.Right - 7, cell.Top), Point(cell.Right - 2, cell.Top),
                        Point(cell.Right - 2, cell.Top + 5)});
      ACanvas->Brush()->SetColor(Color());
      break;
    }
    case ctButton:
    case ctBitButton: {
      const int dy = D.Top - cell.Top, dx = D.Left - cell.Left;
      g.CellValue = static_cast<double>((static_cast<uint16_t>(dy) << 16) | static_cast<uint16_t>(dx));
      if (!look.NoDisabledButtonLook()) CheckCellEditable(RCol, ARow, editable);
      const TColor oldBk = ACanvas->BkColor();
      ACanvas->SetBkColor(clBtnFace);
      TRect face = D;
      TSpeedButton::DrawButtonFace(ACanvas, face, g.CellBoolean, look.FlatButton());
      const int inset = g.CellBoolean ? 3 : 2;
      D = Rect(D.Left + inset, D.Top + inset, D.Right - inset, D.Bottom - inset);
      if (type == ctBitButton) {
        auto* glyph = dynamic_cast<TBitmap*>(g.CellBitmap);
        if (glyph != nullptr && !glyph->Empty()) {
          DrawBitmapTransparent(ACanvas, glyph, clBtnFace,
                                Rect(D.Left + 1, D.Top + 1, D.Left + 1 + glyph->Width(), D.Top + 1 + glyph->Height()));
          D.Left += glyph->Width() + 2;
        }
      }
      ACanvas->SetBkMode(TRANSPARENT);
      ACanvas->Font()->SetColor(editable ? clBtnText : clGrayText);
      TRect text = Rect(D.Left + 1, D.Top, D.Right, D.Bottom);
      const bool multi = g.CellText.find('\r') != String::npos;
      ACanvas->DrawText(g.CellText, text,
                        DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | (multi ? DT_WORDBREAK : DT_SINGLELINE));
      ACanvas->SetBkColor(oldBk);
      break;
    }
    case ctInterface:
      if (auto* drawer = dynamic_cast<IGridCellDrawer*>(g.CellBitmap))
        drawer->Draw(ACanvas, Rect(cell.Left - 1, cell.Top - 1, cell.Right, cell.Bottom), this,
                     AState.Contains(gdSelected), ARow, RCol);
      break;
    case ctShape:
      DrawCellShape(ACanvas, D.Left, D.Top, g.CellBitmapColor, g.CellIndex, static_cast<TCellShape>(g.CellAngle),
                    D.Height() - 1, D.Width() - 1);
      break;
    case ctRating: {
      const double v = std::trunc(2 * static_cast<double>(GetCellFloatOrZero(RCol, ARow))) / 2;
      int x = D.Left;
      for (int i = 0; i < g.CellAngle; ++i, x += 18) {
        DrawCellShape(ACanvas, x, D.Top, i + 1 > v ? g.CellBitmapColor : g.CellIndex,
                      i + 1 > v ? g.CellBitmapColor : g.CellIndex, csStar, 16, 16);
        if (i < v && v < i + 1) DrawCellShape(ACanvas, x, D.Top, g.CellIndex, g.CellIndex, csHalfStar, 16, 16);
      }
      break;
    }
    default: break;
  }
}

// The cell's text turned by Angle degrees (counter-clockwise), its turned box aligned in R as the
// cell's alignment asks, clipped to R less 2.
void TRivErodovOzar::DrawRotatedText(TCanvas* ACanvas, int ACol, int ARow, TRect R, int Angle, TVAlignment VA,
                                     TAlignment HA) {
  const String text = Cells(ACol, ARow);
  TFont saved;
  saved.Assign(ACanvas->Font());
  ACanvas->Font()->SetOrientation(Angle * 10);
  const TSize size = ACanvas->TextExtent(text);
  const double a = Angle * M_PI / 180.0;
  // The corners of the turned text box around its starting point (y grows downwards).
  const double xs[] = {0, size.cx * std::cos(a), size.cy * std::sin(a), size.cx * std::cos(a) + size.cy * std::sin(a)};
  const double ys[] = {0, -size.cx * std::sin(a), size.cy * std::cos(a), size.cy * std::cos(a) - size.cx * std::sin(a)};
  const double minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
  const double minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
  const int bw = static_cast<int>(std::lround(maxX - minX)), bh = static_cast<int>(std::lround(maxY - minY));
  R = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
  const int left = HA == taLeftJustify ? R.Left : HA == taRightJustify ? R.Right - bw : R.Left + (R.Width() - bw) / 2;
  const int top = VA == vtaTop ? R.Top : VA == vtaBottom ? R.Bottom - bh : R.Top + (R.Height() - bh) / 2;
  const int saveLevel = ACanvas->SaveDC();
  ACanvas->IntersectClipRect(R);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->TextOut(left - static_cast<int>(std::lround(minX)), top - static_cast<int>(std::lround(minY)), text);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->RestoreDC(saveLevel);
  ACanvas->Font()->Assign(&saved);
}

// The expand box of a tree node in column 0, with the tree lines that meet it.
void TRivErodovOzar::DrawNodeBox(TCanvas* ACanvas, int ACol, int ARow, TRect& R, const TCellGraphic& G,
                                 bool Selected) {
  const TCellNode& node = *CellNode();
  const int indent = node.NodeIndent();
  const int rowIndent = NodeIndentOfRow(ARow);
  R.Left = rowIndent - indent;
  if (node.ShowTree() && ARow >= FixedRows()) {
    ACanvas->Pen()->SetColor(node.TreeColor());
    ACanvas->Pen()->SetWidth(1);
    const int x = R.Left + indent / 2 + 2;
    const int middle = R.Top + R.Height() / 2;
    const bool nextExists = ARow + 1 < RowCount();
    const int nextIndent = nextExists ? NodeIndentOfRow(ARow + 1) : 0;
    if (nextExists && nextIndent > 0 && !(!G.CellBoolean && nextIndent < rowIndent)) {
      ACanvas->MoveTo(x, middle);
      ACanvas->LineTo(x, R.Bottom);
    }
    if (ARow > 0 && NodeIndentOfRow(ARow - 1) >= rowIndent) {
      ACanvas->MoveTo(x, R.Top);
      ACanvas->LineTo(x, R.Top + 6);
    }
  }
  const bool fixed = ACol < FixedCols();
  if (fixed && !FFlat && (FLook == glSoft || FLook == glVAV || FLook == glXP || FLook == glListView)) ++R.Left;
  R.Left = rowIndent - indent / 2 - 4;
  TColor background = ACanvas->Brush()->Color();
  if (background == clNone) background = FixedCols() == 0 ? Color() : FixedColor();
  if (Selected) background = SelectionColor;
  const bool contracted = G.CellBoolean;
  auto centred = [&R](int Size) { return R.Top + (R.Height() - Size) / 2; };
  switch (node.NodeType()) {
    case cnLeaf: {
      const int y = centred(12);
      DrawResourceBitmap(ACanvas, background, Rect(R.Left, y, R.Left + 12, y + 12),
                         contracted ? "ROZLEAFCLOSE" : "ROZLEAFOPEN");
      return;
    }
    case cnXP: {
      const int y = centred(10);
      DrawResourceBitmap(ACanvas, background, Rect(R.Left + 4, y, R.Left + 14, y + 10),
                         contracted ? "XPNODEC" : "XPNODEO");
      return;
    }
    case cnGlyph:
      if (!node.ContractGlyph()->Empty() && !node.ExpandGlyph()->Empty()) {
        TBitmap* glyph = contracted ? node.ContractGlyph() : node.ExpandGlyph();
        const int y = centred(glyph->Height());
        DrawBitmapTransparent(ACanvas, glyph, background,
                              Rect(R.Left, y, R.Left + glyph->Width(), y + glyph->Height()));
        return;
      }
      break;
    case cn3D: {
      ACanvas->Brush()->SetColor(node.Color());
      ACanvas->FillRect(R);
      ACanvas->Pen()->SetColor(0xFFFFFF);
      ACanvas->MoveTo(R.Left, R.Bottom - 1);
      ACanvas->LineTo(R.Left, R.Top);
      ACanvas->LineTo(R.Right - 1, R.Top);
      ACanvas->Pen()->SetColor(0x808080);
      ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
      ACanvas->LineTo(R.Left, R.Bottom - 1);
      break;
    }
    default: break;
  }
  const int top = centred(8);
  const TRect box = Rect(R.Left + 4, top, R.Left + 12, top + 8);
  ACanvas->Brush()->SetColor(node.Color());
  if (node.NodeType() != cnFlat) {
    // A soft edge on all four sides: raised when contracted, sunken when expanded.
    ACanvas->FillRect(box);
    ACanvas->Pen()->SetColor(contracted ? 0xFFFFFF : 0x808080);
    ACanvas->MoveTo(box.Left, box.Bottom - 1);
    ACanvas->LineTo(box.Left, box.Top);
    ACanvas->LineTo(box.Right - 1, box.Top);
    ACanvas->Pen()->SetColor(contracted ? 0x808080 : 0xFFFFFF);
    ACanvas->LineTo(box.Right - 1, box.Bottom - 1);
    ACanvas->LineTo(box.Left, box.Bottom - 1);
    return;
  }
  ACanvas->Pen()->SetColor(node.NodeColor());
  ACanvas->Rectangle(box.Left - 1, box.Top - 1, box.Right + 1, box.Bottom + 1);
  ACanvas->MoveTo(box.Left + 1, box.Top + 3);
  ACanvas->LineTo(box.Left + 6, box.Top + 3);
  if (contracted) {
    ACanvas->MoveTo(box.Left + 3, box.Top + 1);
    ACanvas->LineTo(box.Left + 3, box.Top + 6);
  }
}

long double TRivErodovOzar::GetCellFloatOrZero(int ACol, int ARow) {
  double value = 0;
  return CellNumber(ACol, ARow, false, value) ? value : 0;
}

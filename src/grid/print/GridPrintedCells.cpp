// What one cell looks like on a printed or previewed page: its measured size, its fill,
// text and border lines; with the grid's small printing operations (font height mapping,
// text margins, line counts).
#include <algorithm>
#include <cmath>

#include "classlib/Bitmap.h"
#include "classlib/RichText.h"
#include "classlib/SysUtils.h"
#include "grid/base/HTMLTextOperations.h"
#include "grid/base/ZudAzud.h"
#include "grid/print/GridPrintEngine.h"

namespace {

std::vector<String> SplitLines(const String& Text) {
  std::vector<String> lines;
  size_t start = 0;
  while (true) {
    const size_t end = Text.find_first_of("\r\n", start);
    if (end == String::npos) {
      lines.push_back(Text.substr(start));
      return lines;
    }
    lines.push_back(Text.substr(start, end - start));
    start = end + (Text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

bool IsCheckBox(TCellType T) {
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

uint32_t HorizontalFlag(TAlignment HA) {
  return HA == taRightJustify ? DT_RIGHT : HA == taCenter ? DT_CENTER : DT_LEFT;
}

}  // namespace

int TRivErodovOzar::MapFontHeight(int PointSize) const {
  return -static_cast<int>(PointSize * 254.0 / 72.0 * Fontscalefactor);
}

int TRivErodovOzar::MapFontSize(int Height) { return static_cast<int>(Height * 72 / 254); }

int TRivErodovOzar::GetVertTextOffset() const { return XYOffsetTopLeftOnly ? XYOffset.Y : 2 * XYOffset.Y; }

int TRivErodovOzar::GetHorzTextOffset() const { return XYOffsetTopLeftOnly ? XYOffset.X : 2 * XYOffset.X; }

int TRivErodovOzar::MaxColumnTextLength(int ACol) {
  size_t longest = 0;
  for (int r = 0; r < RowCount(); ++r)
    for (const String& line : SplitLines(GetSavedCellText(ACol, r))) longest = std::max(longest, line.size());
  return static_cast<int>(longest);
}

int TRivErodovOzar::RowLineCount(int ARow) {
  if (!Multilinecells) return 1;
  size_t most = 1;
  for (int c = 0; c < ColCount(); ++c) most = std::max(most, SplitLines(Cells(c, ARow)).size());
  return static_cast<int>(most);
}

String TGridPrintEngine::PrintedText(int ACol, int ARow) {
  const int rcol = FGrid.RealColIndex(ACol);
  String text = FGrid.GetFormattedCellText(rcol, ARow);
  int kind = CellTextKind(text, FGrid.EnableHTML);
  if (kind == 3) {
    text = FGrid.GetCalculatedCellText(rcol, ARow);
    kind = CellTextKind(text, FGrid.EnableHTML);
  }
  if (kind == 5) text = WideToUtf8(DecodeWideText(text));
  if (kind == 1) text = HTMLToPlainText(text);
  if (kind == 2) {
    text = RichPlainText(ReadRTF(text, TRichRun{}), "\r\n");
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  }
  if (FGrid.URLShow() && !FGrid.URLFull() && IsURL(text)) StripURLProtocol(text);
  return text;
}

void TGridPrintEngine::CellFont(int ACol, int ARow, TFont* Font, TBrush* Brush, TAlignment& HA, TVAlignment& VA,
                                bool& WW) {
  TGridDrawState state;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TCellGradientDirection gd = GradientVertical;
  WW = FGrid.WordWrap();
  FGrid.GetVisualProperties(ACol, ARow, state, true, false, true, Brush, colorTo, mirror, mirrorTo, Font, HA, VA, WW,
                            gd);
  if (!FSettings.UseDisplayFont) {
    const TColor color = Font->Color();
    const bool fixed = ACol < FGrid.FixedCols() || ARow < FGrid.FixedRows();
    Font->Assign(fixed ? *FSettings.FixedFont() : *FSettings.Font());
    Font->SetColor(color);
  }
  Font->SetHeight(FGrid.MapFontHeight(Font->Size()));
}

TPoint TGridPrintEngine::MeasureCell(int ACol, int ARow) {
  TFont font;
  TBrush brush;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = false;
  FGrid.Fontscalefactor = FFontScale;
  CellFont(ACol, ARow, &font, &brush, ha, va, ww);
  FGrid.Fontscalefactor = 1.0;
  FCanvas->SetFont(&font);
  String text = PrintedText(ACol, ARow);
  if (text.empty()) text = "gh";
  TPoint size;
  if (ww && FSettings.NoAutoSize) {
    const int width = ACol < static_cast<int>(FGrid.MaxWidths.size()) ? FGrid.MaxWidths[static_cast<size_t>(ACol)] : 0;
    TRect r{0, 0, width, 0};
    size.Y = FCanvas->DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    size.X = width;
  } else {
    const std::vector<String> lines = SplitLines(text);
    for (const String& line : lines) size.X = std::max(size.X, FCanvas->TextWidth(line));
    size.Y = static_cast<int>(lines.size()) * FCanvas->TextHeight("gh");
  }
  if (FSettings.PrintGraphics) {
    const TPoint graphic = GraphicSize(ACol, ARow);
    size.X += graphic.X;
    size.X = std::max(size.X, graphic.X);
    size.Y = std::max(size.Y, graphic.Y);
  }
  return size;
}

int TGridPrintEngine::PrintRow(int Y, int FirstCol, int LastCol, int ARow, const std::vector<int>& Positions) {
  const int height = PrintedRowHeight(ARow);
  if (!Drawing() || !PageInRange()) return height;
  for (int c = FirstCol; c <= LastCol; ++c)
    if (ColPrinted(c)) PrintCell(c, ARow, Y, FirstCol, LastCol, Positions);
  return height;
}

void TGridPrintEngine::PrintCell(int ACol, int ARow, int Y, int FirstCol, int LastCol,
                                 const std::vector<int>& Positions) {
  // A merged block prints once, as its base cell, where the block starts.
  if (FGrid.IsMergedNonBaseCell(ACol, ARow)) {
    const TPoint base = FGrid.BaseCell(ACol, ARow);
    if (base.Y != ARow || base.X >= FirstCol) return;
  }
  const TPoint span = FGrid.CellSpan(ACol, ARow);
  const int lastCol = std::min(ACol + span.X, LastCol);
  TRect r{Positions[static_cast<size_t>(ACol)], Y, Positions[static_cast<size_t>(lastCol + 1)], Y};
  for (int row = ARow; row <= std::min(ARow + span.Y, FRange.Bottom); ++row) r.Bottom -= PrintedRowHeight(row);
  // A cell that would run into the footer is cut at the row and loses its bottom line.
  const bool cut = r.Bottom < FPageHeight + FFooterHeight && span.Y > 0;
  if (cut) r.Bottom = Y - PrintedRowHeight(ARow);

  TCellBorders sides;
  switch (FSettings.Borders) {
    case TPrintBorders::pbSingle:
    case TPrintBorders::pbDouble: sides = TCellBorders{cbLeft, cbTop, cbRight, cbBottom}; break;
    case TPrintBorders::pbHorizontal:
    case TPrintBorders::pbAroundHorizontal: sides = TCellBorders{cbTop, cbBottom}; break;
    case TPrintBorders::pbVertical:
    case TPrintBorders::pbAroundVertical: sides = TCellBorders{cbLeft, cbRight}; break;
    default: break;
  }
  TPen pen;
  pen.SetWidth(1);
  pen.SetColor(FSettings.BorderColor);
  FGrid.GetCellPrintBorder(FGrid.RealColIndex(ACol), ARow, &pen, sides);
  if (cut) sides -= cbBottom;

  TFont font;
  TBrush brush;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = false;
  FGrid.Fontscalefactor = FFontScale;
  CellFont(ACol, ARow, &font, &brush, ha, va, ww);
  FGrid.Fontscalefactor = 1.0;
  const int penWidth = FMode == pmPreview ? pen.Width() : std::max(1, static_cast<int>(std::lround(pen.Width() * FScale)));

  TRect fill = r;
  if (!sides.Contains(cbLeft)) fill.Left += 2 * penWidth;
  if (!sides.Contains(cbTop)) fill.Top -= 2 * penWidth;
  if (brush.Color() != clNone) {
    FCanvas->SetBrush(&brush);
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->FillRect(fill);
  }

  FCanvas->SetFont(&font);
  FCanvas->Brush()->SetStyle(bsClear);
  const String text = PrintedText(ACol, ARow);
  const int margin = static_cast<int>(std::lround(2 * FScale));
  TRect textRect{r.Left + margin, r.Top - FGap, r.Right - margin, r.Bottom + FGap};
  const std::vector<String> lines = SplitLines(text);
  TCellGraphic* graphic = FSettings.PrintGraphics ? FGrid.GetCellGraphic(FGrid.RealColIndex(ACol), ARow) : nullptr;
  TRect place{};
  if (graphic != nullptr) place = GraphicPlace(ACol, ARow, *graphic, r, text.empty(), ha, textRect);
  if (!text.empty()) {
    if (ww && FSettings.NoAutoSize) {
      FCanvas->DrawText(text, textRect, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL | HorizontalFlag(ha));
    } else if (lines.size() == 1) {
      const uint32_t vflag = va == vtaCenter ? DT_VCENTER : va == vtaBottom ? DT_BOTTOM : DT_TOP;
      uint32_t format = DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL | HorizontalFlag(ha) | vflag;
      if (FGrid.EnhTextSize && FSettings.NoAutoSize) format |= DT_END_ELLIPSIS;
      FCanvas->DrawText(text, textRect, format);
    } else {
      const int lineHeight = FPrintTextHeight + FSettings.RowSpacing + (FPrintTextHeight + FSettings.RowSpacing) / 8;
      const int lineStep = FCanvas->TextHeight("gh");
      const int free = (textRect.Top - textRect.Bottom) - static_cast<int>(lines.size()) * lineStep;
      int y = textRect.Top;
      if (span.X == 0 && span.Y == 0 && free > 0) y -= va == vtaCenter ? free / 2 : va == vtaBottom ? free : 0;
      for (const String& line : lines) {
        const int w = FCanvas->TextWidth(line);
        int x = textRect.Left;
        if (ha == taRightJustify) x = textRect.Right - w;
        else if (ha == taCenter) x = (textRect.Left + textRect.Right - w) / 2;
        FCanvas->TextOut(x, y, line);
        y -= std::max(lineHeight, lineStep);
      }
    }
  }
  FCanvas->Brush()->SetStyle(bsSolid);
  if (graphic != nullptr) PrintGraphic(*graphic, place);

  // Border lines over the content.
  FCanvas->Pen()->SetColor(pen.Color());
  FCanvas->Pen()->SetStyle(FSettings.BorderStyle);
  FCanvas->Pen()->SetWidth(penWidth);
  const int left = ACol == FirstCol ? r.Left : r.Left - penWidth;
  const int right = lastCol == FGrid.ColCount() - 1 ? r.Right : r.Right - penWidth;
  if (sides.Contains(cbLeft)) {
    FCanvas->MoveTo(left, r.Top);
    FCanvas->LineTo(left, r.Bottom);
  }
  if (sides.Contains(cbRight)) {
    FCanvas->MoveTo(right, r.Top);
    FCanvas->LineTo(right, r.Bottom);
  }
  if (sides.Contains(cbTop)) {
    FCanvas->MoveTo(r.Left, r.Top);
    FCanvas->LineTo(r.Right, r.Top);
  }
  if (sides.Contains(cbBottom)) {
    FCanvas->MoveTo(r.Left, r.Bottom);
    FCanvas->LineTo(r.Right, r.Bottom);
  }
}

TPoint TGridPrintEngine::GraphicSize(int ACol, int ARow) {
  const TPoint screen = FGrid.GetCellGraphicSize(FGrid.RealColIndex(ACol), ARow);
  return TPoint{static_cast<int>(std::lround(screen.X * FScale)), static_cast<int>(std::lround(screen.Y * FScale))};
}

TRect TGridPrintEngine::GraphicPlace(int ACol, int ARow, const TCellGraphic& Graphic, const TRect& Cell,
                                     bool NoText, TAlignment HA, TRect& TextRect) {
  const TPoint size = GraphicSize(ACol, ARow);
  const int inset = static_cast<int>(std::lround(FScale));
  TRect place = Cell;
  TCellHAlign hal = Graphic.CellHAlign;
  // A check box alone in its cell follows the cell's text alignment.
  if (NoText && IsCheckBox(Graphic.CellType))
    hal = HA == taRightJustify ? haRight : HA == taCenter ? haCenter : hal;
  switch (hal) {
    case haLeft:
    case haBeforeText:
      place.Left = Cell.Left + inset;
      place.Right = place.Left + size.X;
      TextRect.Left = place.Right;
      break;
    case haRight:
    case haAfterText:
      place.Right = TextRect.Right;
      place.Left = place.Right - size.X;
      TextRect.Right = place.Left;
      break;
    case haCenter:
      place.Left = (Cell.Left + Cell.Right - size.X) / 2;
      place.Right = place.Left + size.X;
      break;
    case haFull: break;
  }
  switch (Graphic.CellVAlign) {
    case vaTop: place.Bottom = Cell.Top - size.Y; break;
    case vaBottom: place.Top = Cell.Bottom + size.Y; break;
    case vaCenter:
      place.Top = (Cell.Top + Cell.Bottom + size.Y) / 2;
      place.Bottom = place.Top - size.Y;
      break;
    case vaUnderText:
      place.Top = Cell.Bottom + size.Y;
      TextRect.Bottom = place.Top;
      break;
    case vaAboveText:
      place.Bottom = Cell.Top - size.Y;
      TextRect.Top = place.Bottom;
      break;
    case vaFull: break;
  }
  return place;
}

void TGridPrintEngine::PrintGraphic(const TCellGraphic& Graphic, const TRect& Place) {
  if (Graphic.CellType == ctNode) {
    // A 2 mm square with a bar, and a cross bar when the node is contracted.
    const int cx = (Place.Left + Place.Right) / 2, cy = (Place.Top + Place.Bottom) / 2;
    const TRect box{cx - 10, cy + 10, cx + 10, cy - 10};
    FCanvas->Pen()->SetStyle(psSolid);
    FCanvas->Pen()->SetWidth(1);
    FCanvas->Pen()->SetColor(FGrid.CellNode()->Color());
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Rectangle(box);
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->MoveTo(cx - 6, cy);
    FCanvas->LineTo(cx + 7, cy);
    if (Graphic.CellBoolean) {
      FCanvas->MoveTo(cx, cy + 6);
      FCanvas->LineTo(cx, cy - 7);
    }
    return;
  }
  if (Graphic.CellType == ctBitmap) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic.CellBitmap)) FCanvas->StretchDraw(Place, bitmap);
    return;
  }
  if (IsCheckBox(Graphic.CellType)) {
    // A square box of the place's height, ticked when the box is checked.
    const int side = Place.Top - Place.Bottom;
    const TRect box{Place.Left, Place.Top, Place.Left + side, Place.Bottom};
    FCanvas->Pen()->SetStyle(psSolid);
    FCanvas->Pen()->SetColor(clBlack);
    FCanvas->Pen()->SetWidth(Graphic.CellTransparent ? 1 : 2);
    FCanvas->Brush()->SetStyle(bsClear);
    FCanvas->Rectangle(box);
    FCanvas->Brush()->SetStyle(bsSolid);
    if (Graphic.CellBoolean) {
      FCanvas->MoveTo(box.Left + side / 5, box.Top - side / 2);
      FCanvas->LineTo(box.Left + side * 2 / 5, box.Bottom + side / 5);
      FCanvas->LineTo(box.Right - side / 5, box.Top - side / 5);
    }
  }
}

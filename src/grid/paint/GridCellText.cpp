// The text of a cell drawn into its rectangle (margins, room for the graphic, word wrap,
// ellipsis, alignment, links, HTML, rich text, passwords), the sort glyph, and the measuring of
// a cell's text.
#include <algorithm>
#include <cmath>

#include "classlib/Gdi.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/RichEdit.h"
#include "classlib/WideText.h"
#include "grid/base/HTMLEngine.h"
#include "grid/base/ZudAzud.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/model/RivErodovOzar.h"

namespace {

constexpr int kSortReserve = 14;

uint32_t HorizontalFlag(TAlignment HA) {
  return HA == taRightJustify ? DT_RIGHT : HA == taCenter ? DT_CENTER : DT_LEFT;
}

uint32_t VerticalFlag(TVAlignment VA) { return VA == vtaCenter ? DT_VCENTER : VA == vtaBottom ? DT_BOTTOM : DT_TOP; }

// Every character (not byte) of the text becomes the password character.
String MaskText(const String& Text, char PasswordChar) {
  return String(Utf8ToWide(Text).size(), PasswordChar);
}

String FirstLine(const String& Text) {
  const size_t end = Text.find_first_of("\r\n");
  return end == String::npos ? Text : Text.substr(0, end);
}

}  // namespace

// The text a cell shows once formulas, wide coding and password masking are resolved; its
// kind as CellTextKind gives it.
static String ShownText(TRivErodovOzar& Grid, int RCol, int ARow, int& Kind) {
  String text = Grid.GetFormattedCellText(RCol, ARow);
  Kind = CellTextKind(text, Grid.EnableHTML);
  if (Kind == 3) {
    text = Grid.GetCalculatedCellText(RCol, ARow);
    Kind = CellTextKind(text, Grid.EnableHTML);
  }
  if (Kind == 5 || Kind == 3) {
    text = WideToUtf8(DecodeWideText(text));
    Kind = CellTextKind(text, Grid.EnableHTML);
  }
  return text;
}

void TRivErodovOzar::DrawCellText(TCanvas* ACanvas, int ACol, int ARow, TRect R, TGridDrawState AState,
                                  TAlignment HA, TVAlignment VA, bool WW) {
  const int RCol = RealColIndex(ACol);
  const bool fixed = AState.Contains(gdFixed) || IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  TColor linkColor = URLColor();
  const bool rowSelected = MouseActions()->DisjunctRowSelect() && Options().Contains(goRowSelect) &&
                           ARow < AllRowCount() && IsRowSelected(ARow) && ACol >= FixedCols() &&
                           ACol < ColCount() - FFixedRightCols;
  if ((AState.Contains(gdSelected) || rowSelected) && !fixed) {
    if (ShowSelection) {
      if (SelectionColor != clNone) ACanvas->Brush()->SetColor(SelectionColor);
      if (SelectionTextColor != clNone) ACanvas->Font()->SetColor(SelectionTextColor);
      linkColor = SelectionTextColor;
    } else if (!Focused() || HasCheckBox(RCol, ARow)) {
      ACanvas->Brush()->SetColor(FUnselectedBrushColor);
      ACanvas->Font()->SetColor(FUnselectedFontColor);
    }
  }

  int kind = 0;
  String text = ShownText(*this, RCol, ARow, kind);
  int errFrom = 0, errLen = 0;
  if (const TCellGraphic* g = GetCellGraphic(RCol, ARow)) errFrom = g->CellErrFrom, errLen = g->CellErrLen;
  bool password = false;
  GetPasswordCell(RCol, ARow, password);
  if (password) text = MaskText(text, PasswordChar);

  TRect T = R;
  if (fixed) {
    T.Left += GridLineWidth();
    T.Top += GridLineWidth();
  }
  TCanvasStateSaver clip(ACanvas);
  const int scrollPos = GetScrollPosition(RCol, ARow);
  if (scrollPos > 0) {
    ACanvas->IntersectClipRect(R);
    T.Top -= scrollPos;
  }

  // A cell of a disjunct selection that is not selected shows its own colours again.
  if (!fixed && !FMouseDown &&
      ((MouseActions()->DisjunctRowSelect() && ARow < AllRowCount() && !IsRowSelected(ARow)) ||
       (MouseActions()->DisjunctColSelect() && ACol < ColCount() && !IsColSelected(ACol)))) {
    ACanvas->Brush()->SetColor(Color());
    ACanvas->Font()->SetColor(Font()->Color());
    linkColor = URLColor();
    GetCellColor(RCol, ARow, AState, ACanvas->Brush(), ACanvas->Font());
    ACanvas->Font()->SetSize(ACanvas->Font()->Size() + FZoomFactor);
  }

  // The frame around the selection and its resizing square.
  if (SelectionRectangle && !fixed && AState.Contains(gdSelected)) {
    const TGridRect s = Selection();
    const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
    const int t = std::min(s.Top, s.Bottom), b = std::max(s.Top, s.Bottom);
    const int lw = GridLineWidth();
    TPen* pen = ACanvas->Pen();
    pen->SetColor(SelectionRectangleColor);
    pen->SetWidth(2);
    const int right = ACol == r ? T.Right - 1 : T.Right;
    if (ACol == l) ACanvas->MoveTo(T.Left - lw + 1, T.Bottom), ACanvas->LineTo(T.Left - lw + 1, T.Top - lw);
    if (ACol == r) ACanvas->MoveTo(T.Right - 1, T.Bottom), ACanvas->LineTo(T.Right - 1, T.Top - lw);
    if (ARow == t) ACanvas->MoveTo(T.Left - lw, T.Top - lw + 1), ACanvas->LineTo(right, T.Top - lw + 1);
    if (ARow == b) ACanvas->MoveTo(T.Left - lw, T.Bottom), ACanvas->LineTo(right, T.Bottom);
    if (SelectionResizer && ACol == r && ARow == b) {
      ACanvas->Brush()->SetColor(SelectionRectangleColor);
      ACanvas->FillRect(Rect(T.Right - 4, T.Bottom - 4, R.Right, R.Bottom));
    }
    pen->SetWidth(1);
  }

  TCellVAlign cva = vaTop;
  TCellHAlign cha = haLeft;
  bool textDrawn = true;
  int gh = 0, gw = 0;
  TCellGraphic* graphic = GetCellGraphicLayout(RCol, ARow, cva, cha, textDrawn, gh, gw);
  FLastTextWidth = 0;
  if (!textDrawn) return;
  T.Left += XYOffset.X;
  T.Top += XYOffset.Y;
  if (!XYOffsetTopLeftOnly) T.Right -= XYOffset.X;
  if (cha == haBeforeText) T.Left += gw;
  if (cha == haAfterText) T.Right -= gw;
  if (cva == vaAboveText) T.Top += gh;
  if (cva == vaUnderText) T.Bottom -= gh;
  const int haLeftOffset = graphic != nullptr && cha == haLeft ? gw : 0;
  if (RCol == 0 && HasNodes()) T.Left += NodeIndentOfRow(ARow);

  const TSortSettings& sort = *FSortSettings;
  const bool sortColumn = RCol == sort.Column || FSortIndexes->FindIndex(RCol) >= 0;
  const bool glyphApplies = sort.Show() && ARow == sort.Row() && RowCount() > 2 && sortColumn;
  const bool glyphAllowed = glyphApplies && FixedRows() > 0 && (ACol >= FixedCols() || sort.FixedCols);
  const int indexPos = FSortIndexes->FindIndex(RCol);
  const bool glyphByIndex = indexPos < 1 || sort.IndexShow;

  if (kind == 2) {
    // Rich text: the cell's brush under the rendered text.
    const bool unfocusedSelection = AState.Contains(gdSelected) && !Focused() && SelectionColor == clNone;
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
    if (!unfocusedSelection) ACanvas->FillRect(T);
    ACanvas->Brush()->SetStyle(bsClear);
    DrawRichCell(RCol, ARow, T, ACanvas);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Font()->SetColor(0x000000);
    return;
  }

  if (kind == 1) {
    T.Left -= 1;
    if (glyphApplies) T.Right -= 10;
    THTMLRenderParams params;
    params.LinkColor = linkColor;
    params.ShadowColor = 0x808080;
    params.WordWrap = WW;
    params.BlinkVisible = !FGridBlink;
    params.Selected = AState.Contains(gdSelected);
    THTMLRenderResult result;
    RenderHTMLText(ACanvas, text, T, params, result);
    if (glyphAllowed && glyphByIndex) {
      const int y = VA == vtaTop ? T.Top + 8 : VA == vtaCenter ? T.Top + (T.Bottom - T.Top) / 2 : T.Bottom - 8;
      DrawSortGlyph(ACanvas, RCol, y, T.Right + 2);
    }
    return;
  }

  // Plain text.
  if (HA == taCenter && sort.Show() && ARow == sort.Row() && RCol == sort.Column) T.Left += 10;
  const int reserve = sort.Show() && ARow == 0 && sortColumn ? kSortReserve : 0;
  const bool link = URLShow() && IsURL(text);
  if (link) {
    if (!URLFull()) StripURLProtocol(text);
    ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + fsUnderline);
    ACanvas->Font()->SetColor(linkColor);
  }
  const bool multi = Multilinecells && CountLines(text, true) > 1;
  uint32_t base = 0;
  if (multi || WW) {
    base = DT_EDITCONTROL;
  } else {
    text = FirstLine(text);
    base = DT_SINGLELINE | (EnhTextSize ? DT_END_ELLIPSIS : 0);
  }
  if (WW && !Multilinecells && EnhTextSize) base |= DT_END_ELLIPSIS;
  const uint32_t wrap = WW ? (DT_WORDBREAK | DT_EDITCONTROL) : (Multilinecells ? 0 : DT_SINGLELINE);
  const uint32_t flags = base | DT_NOPREFIX | DT_EXPANDTABS | wrap | HorizontalFlag(HA) | VerticalFlag(VA);
  ACanvas->SetBkMode(TRANSPARENT);
  if (HA == taLeftJustify) T.Right -= reserve;
  else T.Left += reserve;

  int textWidth = 0;
  if (!text.empty()) {
    TRect measured = T;
    DrawTextEx(ACanvas, text, -1, &measured, flags | DT_CALCRECT);
    textWidth = measured.Right - T.Left + 2;
  }
  FLastTextWidth = text.empty() ? 0 : textWidth - 2;
  DrawTextEx(ACanvas, text, -1, &T, flags);
  if (errLen > 0 && (graphic == nullptr || graphic->CellType == ctEmpty || graphic->CellType == ctValue))
    DrawErrorWave(this, ACanvas, text, errLen, errFrom, ACanvas->TextHeight("hg"), T);

  if (glyphAllowed && glyphByIndex) {
    T = R;
    const int s = std::max(0, std::min(T.Right - T.Left - 16, textWidth));
    const int x = HA == taLeftJustify ? T.Left + s + haLeftOffset + 10 : HA == taRightJustify ? T.Right - s - 10
                                                                                               : T.Left + 8;
    const int y = VA == vtaTop ? T.Top + 8 : VA == vtaCenter ? T.Top + (T.Bottom - T.Top) / 2 : T.Bottom - 8;
    DrawSortGlyph(ACanvas, RCol, y, x);
  }
  if (link) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() - fsUnderline);
}

void TRivErodovOzar::DrawSortGlyph(TCanvas* ACanvas, int ACol, int Y, int X) {
  const TSortSettings& sort = *FSortSettings;
  if (sort.IndexShow) {
    const int pos = FSortIndexes->FindIndex(ACol);
    if (pos < 0) return;
    ACanvas->Brush()->SetColor(sort.IndexColor);
    ACanvas->SetBkMode(TRANSPARENT);
    ACanvas->Font()->SetColor(0x000000);
    ACanvas->Font()->SetSize(6);
    const bool glyphsEmpty = sort.IndexUpGlyph()->Empty() || sort.IndexDownGlyph()->Empty();
    const String number = IntToStr(pos + 1);
    if (!FSortIndexes->AscendingAt(pos)) {
      if (glyphsEmpty) {
        ACanvas->Polygon({Point(X - 7, Y - 5), Point(X + 7, Y - 5), Point(X, Y + 8)});
      } else {
        ACanvas->Draw(X - 7, Y - 7, sort.IndexUpGlyph());
      }
      ACanvas->TextOut(X - 2, Y - 4, number);
    } else {
      if (glyphsEmpty) {
        ACanvas->Polygon({Point(X - 6, Y + 8), Point(X + 6, Y + 8), Point(X, Y - 4)});
      } else {
        ACanvas->Draw(X - 7, Y - 7, sort.IndexDownGlyph());
      }
      ACanvas->TextOut(X - 2, Y - 2, number);
    }
    return;
  }
  if (sort.UpGlyph()->Empty() || sort.DownGlyph()->Empty()) {
    TPen* pen = ACanvas->Pen();
    pen->SetWidth(1);
    if (sort.Direction == sdDescending) {
      pen->SetColor(0xFFFFFF);
      ACanvas->MoveTo(X + 4, Y - 4);
      ACanvas->LineTo(X, Y + 4);
      pen->SetColor(0x808080);
      ACanvas->LineTo(X - 4, Y - 4);
      ACanvas->LineTo(X + 4, Y - 4);
    } else {
      pen->SetColor(0xFFFFFF);
      ACanvas->MoveTo(X - 4, Y + 4);
      ACanvas->LineTo(X + 4, Y + 4);
      ACanvas->LineTo(X, Y - 4);
      pen->SetColor(0x808080);
      ACanvas->LineTo(X - 4, Y + 4);
    }
    pen->SetColor(0x000000);
    return;
  }
  ACanvas->Draw(X - 4, Y - 4, sort.Direction == sdDescending ? sort.DownGlyph() : sort.UpGlyph());
  ACanvas->SetBkColor(ColorToRGB(FixedColor()));
}

// ---- Measuring ----

TSize TRivErodovOzar::GetCellTextSize(int ACol, int ARow, bool VS, bool SB) {
  return MeasureCellText(MeasureCanvas(), ACol, ARow, VS, SB);
}

TSize TRivErodovOzar::MeasureCellText(TCanvas* ACanvas, int ACol, int ARow, bool VS, bool SB) {
  int kind = 0;
  String text = ShownText(*this, ACol, ARow, kind);
  const int dcol = DisplColFromReal(ACol);
  TGridDrawState state;
  TBrush brush;
  GetFontProperties(dcol, ACol, ARow, state, ACanvas->Font(), &brush, false);
  ACanvas->Font()->SetSize(ACanvas->Font()->Size() + FZoomFactor);
  TRect r = dcol >= 0 && dcol < ColCount() && ARow >= 0 && ARow < RowCount() ? CellRect(dcol, ARow) : TRect{};
  r.Left += XYOffset.X;
  r.Top += XYOffset.Y;
  if (!XYOffsetTopLeftOnly) {
    r.Right -= XYOffset.X;
    r.Bottom -= XYOffset.Y;
  }
  if (SB) r.Right -= 17;

  if (kind == 1) {
    if (!VS) r.Right = 65535;
    r.Bottom = 65535;
    THTMLRenderParams params;
    params.MeasureOnly = true;
    params.WordWrap = VS;
    THTMLRenderResult result;
    RenderHTMLText(ACanvas, text, r, params, result);
    return TSize{result.Width + 2, result.Height + 2};
  }
  TRichEdit* rich = nullptr;
  if (kind == 2 && !IsDesigning()) {
    rich = RichEdit();
    rich->SetBounds(0, 0, 0, 0);
    rich->SetWordWrap(false);
    CellToRich(ACol, ARow, rich);
    const TRichRun look = rich->Document().empty() ? rich->DefaultLook() : rich->Document().front();
    ACanvas->Font()->SetName(look.FontName);
    ACanvas->Font()->SetSize(look.FontSize);
    ACanvas->Font()->SetStyle(look.Style);
    text = rich->Text();
  }
  int angle = 0;
  const bool rotated = IsRotated(ACol, ARow, angle);
  TSize size;
  if (VS) {
    TRect calc = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
    if (FEditing && ACol == RealColIndex(Col()) && ARow == Row() && !text.empty() && text.back() == '\n') text += "w";
    DrawTextEx(ACanvas, text, -1, &calc,
               DT_CALCRECT | DT_NOPREFIX | DT_EDITCONTROL | (rotated ? DT_SINGLELINE : DT_WORDBREAK));
    size = TSize{calc.Right - calc.Left, calc.Bottom - calc.Top};
  } else {
    TStringList lines;
    if (Multilinecells) lines.SetTextStr(text);
    else lines.Add(text);
    if (lines.Count() == 0) lines.Add("");
    int widest = 0;
    for (int i = 0; i < lines.Count(); ++i) {
      String line = lines.Strings(i);
      if (URLShow() && !URLFull() && kind == 0) StripURLProtocol(line);
      widest = std::max(widest, ACanvas->TextWidth(line));
    }
    size = TSize{widest, lines.Count() * ACanvas->TextHeight("gh")};
  }
  if (rotated) {
    // The extent of the turned box: both terms add up (0 and 90 degrees as before).
    const double a = angle * M_PI / 180.0;
    const int w = size.cx, h = size.cy;
    size.cx = std::abs(static_cast<int>(std::trunc(h * std::sin(a)))) +
              std::abs(static_cast<int>(std::trunc(w * std::cos(a)))) + 12;
    size.cy = std::abs(static_cast<int>(std::trunc(h * std::cos(a)))) +
              std::abs(static_cast<int>(std::trunc(w * std::sin(a)))) + 12;
  }
  if (rich != nullptr) {
    rich->SetBounds(0, 0, r.Right - r.Left, r.Bottom - r.Top);
    rich->SetWordWrap(true);
    rich->SetWordWrap(false);
    rich->SetWordWrap(FGridWordWrap);
    size = TSize{rich->ReqWidth(), rich->ReqHeight()};
  }
  return size;
}

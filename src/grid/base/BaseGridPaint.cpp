// The base grid's painting and navigation. The string grid draws no lines and no default
// content for it: every cell is painted here (merged blocks once per pass from their base
// cell's look), and key and wheel moves end on a block's base cell.
#include "classlib/Graphics.h"
#include "classlib/Messages.h"
#include "grid/base/BaseGrid.h"
#include "grid/base/ZudAzudDraw.h"

namespace {

// The colours of one styled selection look.
struct TSelectionColors {
  TColor From, To, MirrorFrom, MirrorTo, Border, InnerTop, InnerBottom, Edge;
};

constexpr TSelectionColors kVista{0xFDF8F1, 0xFCEFD5, clNone, clNone, 0xFDDE99, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB};
constexpr TSelectionColors kWin7{0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE};
constexpr TSelectionColors kOffice2007{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0x8DD7D3, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF};
constexpr TSelectionColors kUnfocused{0xF8F8F8, 0xE5E5E5, clNone, clNone, 0xD9D9D9, 0xFAFAFB, 0xF0F0F0, 0xEFEFEF};

const TSelectionColors& SelectionColors(TGridSelectionStyle Style, bool Focused) {
  if (!Focused) return kUnfocused;
  switch (Style) {
    case ssWin7: return kWin7;
    case ssOffice2007: return kOffice2007;
    default: return kVista;
  }
}

}  // namespace

void TBaseGrid::Paint() {
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* canvas = Canvas();
  if (canvas == nullptr) return;
  // The hidden last row is painted blank.
  if (FHideLastRow && ARow == RowCount() - 1) {
    canvas->Pen()->SetColor(Color());
    FillRectColor(canvas, ARect, Color());
    return;
  }
  // A cell inside a block draws the block from its base cell, once per pass.
  int baseCol = ACol, baseRow = ARow;
  if (!ResolveBaseCell(ACol, ARow, baseCol, baseRow)) {
    if (TCellProperties* base = Props(baseCol, baseRow); base != nullptr && base->PaintID() != FPaintID) {
      base->SetPaintID(FPaintID);
      DrawCell(baseCol, baseRow, ARect, AState);
    }
    return;
  }
  if (IsFixed(ACol, ARow)) {
    AState += gdFixed;
    AState -= gdSelected;
  }
  const bool fixed = AState.Contains(gdFixed);
  const TRect rect = CellRect(ACol, ARow);

  // A block scrolled partly under the fixed cells must not paint over them.
  const int fw = ACol >= FixedCols() ? FixedColsWidth() : 0;
  const int fh = ARow >= FixedRows() ? FixedRowsHeight() : 0;
  int savedLevel = 0;
  if ((FixedCols() > 0 && ACol >= FixedCols() && fw > rect.Left) ||
      (FixedRows() > 0 && ARow >= FixedRows() && fh > rect.Top)) {
    savedLevel = canvas->SaveDC();
    canvas->IntersectClipRect(Rect(fw, fh, Width(), Height()));
  }

  canvas->Pen()->SetWidth(1);
  canvas->Font()->Assign(Font());
  TColor colorTo = clNone, mirrorColor = clNone, mirrorColorTo = clNone;
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  bool ww = FWordWrap;
  TCellGradientDirection gd = GradientVertical;
  GetVisualProperties(ACol, ARow, AState, false, true, true, canvas->Brush(), colorTo, mirrorColor, mirrorColorTo,
                      canvas->Font(), ha, va, ww, gd);
  if (FHoverRow && ARow == FHoverRowIdx && !AState.Contains(gdSelected)) {
    canvas->Brush()->SetColor(FHoverRowColor);
    colorTo = FHoverRowColorTo;
    mirrorColor = mirrorColorTo = clNone;
  }
  // The current row's colour wins over the hover colour.
  if (FActiveRowShow && ARow == Row() && (ACol != Col() || !FShowSel)) {
    canvas->Brush()->SetColor(FActiveRowColor);
    colorTo = FActiveRowColor;
    mirrorColor = mirrorColorTo = clNone;
  }
  const TColor background = canvas->Brush()->Color();
  canvas->Pen()->SetColor(background);

  if (AState.Contains(gdSelected) && FSelectionStyle != ssDefault && FShowSel) {
    const TGridRect sel = Selection();
    const int l = std::min(sel.Left, sel.Right), r = std::max(sel.Left, sel.Right);
    int position = 0;
    if (l == ACol && r > ACol) position = 1;
    else if (r == ACol && l < ACol) position = 2;
    else if (l < ACol && ACol < r) position = 3;
    TRect box = rect;
    const TGridOptions options = Options();
    if (!options.Contains(goHorzLine)) ++box.Bottom;
    if (!options.Contains(goVertLine)) ++box.Right;
    if (HasCellBorders()) {
      ++box.Left;
      --box.Right;
      --box.Bottom;
    }
    const bool focused = Focused() || options.Contains(goDrawFocusSelected);
    const TSelectionColors& c = SelectionColors(FSelectionStyle, focused);
    DrawStyledSelection(canvas, c.From, c.To, c.MirrorFrom, c.MirrorTo, c.InnerTop, c.InnerBottom, c.Border, c.Edge,
                        Color(), box, position);
  } else if (mirrorColorTo == clNone) {
    DrawGradient(canvas, background, colorTo, gd == GradientHorizontal, rect, 64);
  } else {
    FillCellBackground(canvas, rect, background, true, false, clNone, true, mirrorColor, mirrorColorTo, colorTo);
  }

  // Grid lines at the cell's right and bottom edges, inside the cell.
  int h = 1;
  if (fixed) {
    canvas->Pen()->SetColor(FGridFixedLineColor);
    canvas->Pen()->SetWidth(1);
  } else {
    // Without line width the lines take the cell's background.
    canvas->Pen()->SetColor(FGridLineWidth > 0 ? FGridLineColor : background);
    canvas->Pen()->SetWidth(FGridLineWidth);
    h = (FGridLineWidth + 1) / 2;
  }
  canvas->Pen()->SetStyle(psSolid);
  const TGridOptions options = Options();
  const bool horz = fixed ? options.Contains(goFixedHorzLine) : options.Contains(goHorzLine);
  const bool vert = fixed ? options.Contains(goFixedVertLine) : options.Contains(goVertLine);
  if (horz && !(baseCol == 0 && HasNodes())) {
    canvas->MoveTo(rect.Left - h + 1, rect.Bottom - h);
    canvas->LineTo(rect.Right - h + 1, rect.Bottom - h);
  }
  if (vert) {
    canvas->MoveTo(rect.Right - h, rect.Bottom - h);
    canvas->LineTo(rect.Right - h, rect.Top - h);
  }

  TRect content = rect;
  if (fixed) {
    content.Right -= 1;
    content.Bottom -= 2;
  } else {
    content = Rect(rect.Left + FGridLineWidth, rect.Top + FGridLineWidth, rect.Right - FGridLineWidth,
                   rect.Bottom - FGridLineWidth);
  }
  canvas->Pen()->SetWidth(1);
  DrawCellContent(canvas, ACol, ARow, content, AState);

  if (savedLevel != 0) canvas->RestoreDC(savedLevel);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Pen()->SetStyle(psSolid);
  // Fires OnDrawCell (the string grid's default drawing is off), unless the content painter
  // fires it in its own place.
  if (!FContentFiresDrawCell) TObjStringGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState) {
  // A cell's text is shown as it stands: "&" marks no accelerator in a cell. Formatted (HTML)
  // cell text is drawn by the grid component's override of this operation.
  int oldMode = SetBkMode(ACanvas->Handle(), TRANSPARENT);
  DrawText(ACanvas->Handle(), Cells(ACol, ARow), -1, &ARect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
  SetBkMode(ACanvas->Handle(), oldMode);
}

void TBaseGrid::GetCellLook(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                            TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                            TCellGradientDirection& GD) {
  if (AFont != nullptr) AFont->Assign(Font());
  if (ABrush != nullptr) ABrush->SetColor(Color());
  AColorTo = clNone;
  AMirrorColor = clNone;
  AMirrorColorTo = clNone;
  HA = taLeftJustify;
  VA = vtaTop;
  WW = FWordWrap;
  GD = GradientVertical;
}

// A bare base grid: fixed cells in the fixed colour, the selection (the current cell with it,
// so that a person sees where typing goes) highlighted, the rest in the grid's colour.
void TBaseGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool, bool Select, bool,
                                    TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                                    TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                                    TCellGradientDirection& GD) {
  // A merged block is drawn with the state of whichever of its cells the string grid visits:
  // the block is selected when the selection reaches any of its cells.
  if (Select && !AState.Contains(gdFixed)) {
    const TRect block = FullCell(ACol, ARow);
    const TGridRect sel = Selection();
    if (block.Left <= sel.Right && block.Right >= sel.Left && block.Top <= sel.Bottom && block.Bottom >= sel.Top)
      AState += gdSelected;
    else
      AState -= gdSelected;
  }
  const bool highlight = AState.Contains(gdSelected) && FShowSel;
  if (ABrush != nullptr) {
    ABrush->SetStyle(bsSolid);
    ABrush->SetColor(AState.Contains(gdFixed) ? FixedColor() : highlight ? clHighlight : Color());
  }
  if (AFont != nullptr && highlight && !AState.Contains(gdFixed)) AFont->SetColor(clHighlightText);
  AColorTo = clNone;
  AMirrorColor = clNone;
  AMirrorColorTo = clNone;
  HA = taLeftJustify;
  VA = vtaCenter;
  WW = FWordWrap;
  GD = GradientVertical;
}

// ---- Navigation ----

bool TBaseGrid::SelectCell(int ACol, int ARow) {
  RepaintCell(Col(), Row());
  const bool allowed = TObjStringGrid::SelectCell(ACol, ARow);
  RepaintCell(ACol, ARow);
  return allowed;
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift) {
  const TCellProperties* props = Props(Col(), Row());
  const TPoint base = props != nullptr ? BaseCell(Col(), Row()) : Point(Col(), Row());
  const TCellProperties* baseProps = props != nullptr ? Props(base.X, base.Y) : nullptr;
  switch (Key) {
    case VK_NEXT:
      if (VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow && RowCount() > 1)
        SetRow(RowCount() - 2);
      break;
    case VK_RIGHT:
      if (baseProps != nullptr) {
        const int s = baseProps->CellSpanX();
        if (base.X + s >= Col() && Col() < ColCount() - 1 && base.X < ColCount() - 1 && base.X + s < ColCount())
          SetCol(base.X + s);
      }
      break;
    case VK_DOWN:
      if (baseProps != nullptr) {
        const int s = baseProps->CellSpanY();
        if (base.Y + s >= Row() && Row() < RowCount() - 1 && base.Y < RowCount() - 1) SetRow(base.Y + s);
      }
      break;
    // From inside a block, Left and Up land just before the block: the string grid's own
    // step goes one further from the block's first column or row.
    case VK_LEFT:
      if (baseProps != nullptr && base.X < Col() && Col() > FixedCols() && base.X > 0 && base.X >= FixedCols())
        SetCol(base.X);
      break;
    case VK_UP:
      if (baseProps != nullptr && base.Y < Row() && Row() > FixedRows() && base.Y > 0 && base.Y >= FixedRows())
        SetRow(base.Y);
      break;
    default: break;
  }
  const Word pressed = Key;
  TObjStringGrid::KeyDown(Key, Shift);
  // The string grid's page step would still land on the hidden last row.
  if (pressed == VK_NEXT && FHideLastRow && RowCount() > 1 && Row() == RowCount() - 1 &&
      RowCount() - 2 >= FixedRows())
    SetRow(RowCount() - 2);
  MoveToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  const bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
  if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
  MoveToBaseCell();
  return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  const bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
  MoveToBaseCell();
  return result;
}

void TBaseGrid::TopLeftChanged() {
  TObjStringGrid::TopLeftChanged();
  if (FixedCols() > 0) RepaintMergedFixedCols();
  if (FixedRows() > 0) RepaintMergedFixedRows();
}

void TBaseGrid::ChangeScale(int M, int D) { TWinControl::ChangeScale(M, D); }

void TBaseGrid::RepaintMergedFixedCols() {
  if (FMergeCount == 0) return;
  const int last = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
  for (int c = 0; c < FixedCols(); ++c)
    for (int r = TopRow(); r <= last; ++r)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRows() {
  if (FMergeCount == 0) return;
  const int last = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
  for (int r = 0; r < FixedRows(); ++r)
    for (int c = LeftCol(); c <= last; ++c)
      if (IsMergedCell(c, r)) RepaintCell(c, r);
}

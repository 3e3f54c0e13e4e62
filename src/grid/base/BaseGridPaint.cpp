// The base grid's painting. The string grid draws no lines and no default content for it, so
// each cell is painted here: background, content through DrawCellContent, then the cell's own
// grid lines at its right and bottom edges.
#include "classlib/Graphics.h"
#include "grid/base/BaseGrid.h"

void TBaseGrid::Paint() {
  TObjStringGrid::Paint();
  ++FPaintID;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  TCanvas* canvas = Canvas();
  // The hidden last row is painted blank.
  if (FHideLastRow && ARow == RowCount() - 1) {
    if (canvas != nullptr) {
      canvas->Brush()->SetColor(Color());
      canvas->FillRect(ARect);
    }
    return;
  }
  if (canvas != nullptr) {
    bool fixed = AState.Contains(gdFixed) || IsFixed(ACol, ARow);
    bool selected = AState.Contains(gdSelected) && FShowSel;
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(fixed ? FixedColor() : selected ? clHighlight : Color());
    if (selected && !fixed) canvas->Font()->SetColor(clHighlightText);
    canvas->FillRect(ARect);
    DrawCellContent(canvas, ACol, ARow, ARect, AState);
    if (FGridLineWidth > 0) {
      TGridOptions options = Options();
      canvas->Brush()->SetColor(fixed ? FGridFixedLineColor : FGridLineColor);
      if (options.Contains(fixed ? goFixedVertLine : goVertLine))
        canvas->FillRect(Rect(ARect.Right - FGridLineWidth, ARect.Top, ARect.Right, ARect.Bottom));
      bool horz = options.Contains(fixed ? goFixedHorzLine : goHorzLine) && !(HasNodes() && ACol == 0);
      if (horz) canvas->FillRect(Rect(ARect.Left, ARect.Bottom - FGridLineWidth, ARect.Right, ARect.Bottom));
    }
  }
  // Fires OnDrawCell (the string grid's default drawing is off).
  TObjStringGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TBaseGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState) {
  int oldMode = SetBkMode(ACanvas->Handle(), TRANSPARENT);
  DrawText(ACanvas->Handle(), Cells(ACol, ARow), -1, &ARect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
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

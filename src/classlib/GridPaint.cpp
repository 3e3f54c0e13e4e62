// The grids' painting: background, cells (fixed ones in the fixed colour, selected ones
// highlighted), the cells' texts, grid lines and the focus rectangle, through the canvas.
#include "classlib/Graphics.h"
#include "classlib/Grids.h"

// Visits the visible cells row by row, top to bottom, left to right, fixed cells included.
void TCustomGrid::Paint() {
  TCanvas* canvas = Canvas();
  if (canvas == nullptr) return;
  canvas->Brush()->SetColor(FColor);
  canvas->FillRect(ClientRect());
  TGridRect sel = Selection();
  bool focused = Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused());
  // Only the cells that reach the area being repainted are drawn.
  const TRect clip = canvas->ClipRect();
  const int line = FGridLineWidth;
  auto outsideClip = [&clip, line](const TRect& rect) {
    return rect.Right + line <= clip.Left || rect.Left >= clip.Right || rect.Bottom + line <= clip.Top ||
           rect.Top >= clip.Bottom;
  };
  for (int r = 0; r < FRowCount; ++r) {
    if (RowStart(r) < 0) {
      if (r >= FTopLeft.Y) break;  // the rows below are out of view too
      continue;
    }
    for (int c = 0; c < FColCount; ++c) {
      TRect rect = CellRect(c, r);
      if (rect.Width() <= 0 && rect.Height() <= 0) {
        if (c >= FTopLeft.X) break;
        continue;
      }
      if (outsideClip(rect)) continue;
      TGridDrawState state;
      bool fixed = c < FFixedCols || r < FFixedRows;
      bool current = c == FCurrent.X && r == FCurrent.Y;
      if (fixed) state += gdFixed;
      else if (sel.Contains(c, r)) state += gdSelected;
      if (current) state += gdFocused;
      // The current cell is not highlighted unless asked for or the whole row is selected.
      bool highlight = state.Contains(gdSelected) &&
                       (!current || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect));
      canvas->Font()->Assign(Font());
      if (FDefaultDrawing) {
        canvas->Brush()->SetColor(fixed ? FFixedColor : highlight ? clHighlight : FColor);
        if (highlight) canvas->Font()->SetColor(clHighlightText);
        canvas->FillRect(rect);
      }
      DrawCell(c, r, rect, state);
      if (FDefaultDrawing && current && focused && !FOptions.Contains(goRowSelect)) DrawFocusRect(rect);
    }
  }
  if (FGridLineWidth <= 0) return;
  // Lines in a second pass: right of and below every cell in view.
  for (int r = 0; r < FRowCount; ++r) {
    if (RowStart(r) < 0) {
      if (r >= FTopLeft.Y) break;  // the rows below are out of view too
      continue;
    }
    for (int c = 0; c < FColCount; ++c) {
      TRect rect = CellRect(c, r);
      if (rect.Width() <= 0 && rect.Height() <= 0) {
        if (c >= FTopLeft.X) break;
        continue;
      }
      if (outsideClip(rect)) continue;
      bool fixed = c < FFixedCols || r < FFixedRows;
      canvas->Brush()->SetColor(fixed ? clBlack : clSilver);
      if (FOptions.Contains(fixed ? goFixedVertLine : goVertLine))
        canvas->FillRect(Rect(rect.Right, rect.Top, rect.Right + FGridLineWidth, rect.Bottom + FGridLineWidth));
      if (FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine))
        canvas->FillRect(Rect(rect.Left, rect.Bottom, rect.Right + FGridLineWidth, rect.Bottom + FGridLineWidth));
    }
  }
}

void TCustomGrid::DrawFocusRect(const TRect& ARect) {
  if (TCanvas* canvas = Canvas()) canvas->DrawFocusRect(ARect);
}

// The cell's text 2 pixels in from its top-left corner, on the cell's background.
void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
  if (DefaultDrawing() && Canvas() != nullptr)
    Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, TStringGrid::Cells(ACol, ARow));
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

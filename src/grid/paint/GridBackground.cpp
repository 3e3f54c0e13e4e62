// The grid's own paint around its cells: the frame around the cell being edited, the background
// picture or gradient where no cell covers the client area, the sizing lines, the design-time
// quick-configuration panel and the painted event.
#include "grid/paint/GridBackground.h"

#include <algorithm>

#include "classlib/Graphics.h"
#include "grid/base/ZudAzudDraw.h"
#include "grid/model/RivErodovOzar.h"

// ---- TBackGround ----

TBackGround::TBackGround(TRivErodovOzar* AGrid) : FGrid(AGrid), FColor(clWindow), FColorTo(clBtnFace) {}
TBackGround::~TBackGround() = default;

void TBackGround::Changed() {
  FGrid->BackgroundDisplay = FDisplay;
  FGrid->BackgroundColorTo = FColorTo;
  FGrid->Invalidate();
}

void TBackGround::SetBitmap(TBitmap* Value) {
  if (Value == nullptr) FBitmap = std::make_unique<TBitmap>();
  else FBitmap->Assign(Value);
  Changed();
}
void TBackGround::SetLeft(int Value) { FLeft = Value, Changed(); }
void TBackGround::SetTop(int Value) { FTop = Value, Changed(); }
void TBackGround::SetDisplay(TBackgroundDisplay Value) { FDisplay = Value, Changed(); }
void TBackGround::SetCells(TBackGroundCells Value) { FCells = Value, Changed(); }
void TBackGround::SetColor(TColor Value) { FColor = Value, Changed(); }
void TBackGround::SetColorTo(TColor Value) { FColorTo = Value, Changed(); }

void TBackGround::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TBackGround*>(Source);
  if (source == nullptr) return;
  FBitmap->Assign(source->FBitmap.get());
  FLeft = source->FLeft;
  FTop = source->FTop;
  FDisplay = source->FDisplay;
  FCells = source->FCells;
  FColor = source->FColor;
  FColorTo = source->FColorTo;
  Changed();
}

// ---- The grid's paint ----

void TRivErodovOzar::Paint() {
  TCanvas* c = Canvas();
  if (c == nullptr) return;
  c->Pen()->SetStyle(psSolid);
  c->Brush()->SetStyle(bsSolid);
  TBaseGrid::Paint();
  if (FEditing) {
    // The editor's surroundings match the grid lines.
    const TGridOptions options = Options();
    const bool lines = GridLineWidth() >= 1 && (options.Contains(goHorzLine) || options.Contains(goVertLine));
    c->Pen()->SetColor(lines ? GridLineColor() : Color());
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(CellRect(Col(), Row()));
    c->Brush()->SetStyle(bsSolid);
  }
  c->Pen()->SetColor(clBlack);
  if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo() != clNone) PaintBackgroundOutsideCells();
  PaintDesignHelper();
  if (OnPainted) OnPainted(this);
}

void TRivErodovOzar::PaintBackgroundOutsideCells() {
  TCanvas* c = Canvas();
  const TBackGround& bg = *FBackGround;
  const bool lastRowInView = TopRow() + VisibleRowCount() >= RowCount();
  const bool lastColInView = LeftCol() + VisibleColCount() >= ColCount();
  if (!lastRowInView && !lastColInView) return;
  const bool gradient = bg.Display() == bdGradientHorz || bg.Display() == bdGradientVert;
  if (gradient && bg.ColorTo() == clNone) return;
  TRect client = ClientRect();
  std::vector<TRect> regions;
  const TRect lastCol = CellRect(ColCount() - 1, TopRow());
  if (lastColInView && lastCol.Right + GridLineWidth() < client.Right)
    regions.push_back(Rect(lastCol.Right + GridLineWidth(), 0, client.Right, client.Bottom));
  const TRect lastRow = CellRect(LeftCol(), RowCount() - 1);
  if (lastRowInView && lastRow.Bottom + GridLineWidth() < client.Bottom)
    regions.push_back(Rect(0, lastRow.Bottom + GridLineWidth(), client.Right, client.Bottom));
  if (regions.empty()) return;
  if (SearchFooter()->Visible()) client.Bottom -= 32;
  if (FloatingFooter()->Visible() && FFooterPanel != nullptr) client.Bottom -= FFooterPanel->Height();
  for (const TRect& region : regions) {
    const int saved = c->SaveDC();
    c->IntersectClipRect(region);
    if (bg.Bitmap()->Empty()) {
      if (gradient) DrawGradient(c, bg.Color(), bg.ColorTo(), bg.Display() == bdGradientHorz, client, 128);
    } else if (bg.Display() != bdTile) {
      DrawBackgroundFixed(c, client);
    } else if (bg.Cells() != bcFixed) {
      TRect area = client;
      if (bg.Cells() == bcNormal) {
        const TRect first = CellRect(FixedCols(), FixedRows());
        area.Left = first.Left + XYOffset.X;
        area.Top = first.Top + XYOffset.Y;
      }
      DrawBackgroundTiled(c, area);
    }
    c->RestoreDC(saved);
  }
}

void TRivErodovOzar::DrawBackgroundFixed(TCanvas* ACanvas, const TRect& R) {
  TBitmap* bmp = FBackGround->Bitmap();
  const int x = FBackGround->Left(), y = FBackGround->Top();
  const TRect pic = Rect(x, y, x + bmp->Width(), y + bmp->Height());
  const TRect part = Rect(std::max(pic.Left, R.Left), std::max(pic.Top, R.Top), std::min(pic.Right, R.Right),
                          std::min(pic.Bottom, R.Bottom));
  if (part.Width() <= 0 || part.Height() <= 0) return;
  ACanvas->SetBkMode(TRANSPARENT);
  ACanvas->CopyRect(part, bmp->Canvas(), Rect(part.Left - x, part.Top - y, part.Right - x, part.Bottom - y));
}

void TRivErodovOzar::DrawBackgroundTiled(TCanvas* ACanvas, const TRect& R) {
  TBitmap* bmp = FBackGround->Bitmap();
  const int w = bmp->Width(), h = bmp->Height();
  if (w <= 0 || h <= 0) return;
  for (int y = R.Top - 1; y < R.Bottom; y += h)
    for (int x = R.Left - 1; x < R.Right; x += w) {
      const int cw = std::min(w, R.Right - x), ch = std::min(h, R.Bottom - y);
      ACanvas->CopyRect(Rect(x, y, x + cw, y + ch), bmp->Canvas(), Rect(0, 0, cw, ch));
    }
}

// A dotted XOR line; drawn twice at the same place it is gone.
static void SizingLine(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  TPen saved;
  saved.Assign(C->Pen());
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetStyle(psDot);
  C->Pen()->SetWidth(1);
  C->Pen()->SetMode(pmXor);
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
  C->Pen()->Assign(&saved);
}

void TRivErodovOzar::DrawColSizingLine(int X) {
  if (TCanvas* c = PaintCanvas()) {
    const int bottom = RowCount() > 0 ? CellRect(0, RowCount() - 1).Bottom : 0;
    SizingLine(c, X, 0, X, std::max(Height(), bottom));
  }
}

void TRivErodovOzar::DrawRowSizingLine(int Y) {
  if (TCanvas* c = PaintCanvas()) {
    const int right = ColCount() > 0 ? CellRect(ColCount() - 1, 0).Right : 0;
    SizingLine(c, 0, Y, std::max(Width(), right), Y);
  }
}

// The quick-configuration panel, drawn only while the grid is being designed.
void TRivErodovOzar::PaintDesignHelper() {
  if (!IsDesigning() || !ShowDesignHelper) return;
  TCanvas* c = Canvas();
  c->Font()->SetName("Tahoma");
  c->Font()->SetSize(8);
  const int h = c->TextHeight("gh");
  const TRect client = ClientRect();
  const TRect r = Rect(client.Right - 150, client.Bottom - (3 * h + 16), client.Right, client.Bottom);
  c->Brush()->SetColor(clInfoBk);
  c->Pen()->SetColor(0x808080);
  c->Rectangle(r);
  c->Font()->SetColor(0x800000);
  c->SetBkMode(TRANSPARENT);
  c->TextOut(r.Left + 4, r.Top + 4, "Quick config [v" + Version() + "]");
  DrawResourceBitmap(c, clInfoBk, Rect(r.Right - 16, r.Top + 2, r.Right - 2, r.Top + 16), "ROZCLOSE");
  TCanvas* previous = FPaintCanvas;
  FPaintCanvas = c;
  DrawCheckBox(Rect(r.Left + 4, r.Top + h + 4, r.Left + 20, r.Top + h + 20), Options().Contains(goEditing),
               RivGrid::csWinXP, false, true);
  FPaintCanvas = previous;
  c->TextOut(r.Left + 22, r.Top + h + 6, "Allow edit");
  String look;
  GetLookDisplayName(FLook, look);
  c->TextOut(r.Left + 4, r.Top + 2 * h + 8, "Set look: " + look);
}

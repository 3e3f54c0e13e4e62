#include "grid/interaction/GridCursorResources.h"

#include <cmath>
#include <vector>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Cursors.h"
#include "grid/interaction/GridInteractionTypes.h"

namespace {

constexpr int kSize = 32;

void Clear(TBitmap* b, TColor Back) {
  b->SetSize(kSize, kSize);
  b->Canvas()->Brush()->SetColor(Back);
  b->Canvas()->FillRect(TRect{0, 0, kSize, kSize});
}

// A filled triangle of the given size whose tip lies Dist pixels from (CX, CY) in direction
// (DX, DY) (each -1, 0 or 1).
void Arrow(TCanvas* c, int CX, int CY, int DX, int DY, int Dist, int Len) {
  const double n = std::hypot(DX, DY);
  const double ux = DX / n;
  const double uy = DY / n;
  const double tipx = CX + ux * Dist;
  const double tipy = CY + uy * Dist;
  const double basex = tipx - ux * Len;
  const double basey = tipy - uy * Len;
  const double half = Len * 0.8;
  const std::vector<TPoint> pts{
      TPoint{static_cast<int>(std::lround(tipx)), static_cast<int>(std::lround(tipy))},
      TPoint{static_cast<int>(std::lround(basex - uy * half)), static_cast<int>(std::lround(basey + ux * half))},
      TPoint{static_cast<int>(std::lround(basex + uy * half)), static_cast<int>(std::lround(basey - ux * half))}};
  c->Pen()->SetColor(clWhite);
  c->Brush()->SetColor(clBlack);
  c->Polygon(pts);
}

void Dot(TCanvas* c, int R) {
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(clWhite);
  c->Ellipse(16 - R, 16 - R, 16 + R + 1, 16 + R + 1);
  c->Brush()->SetColor(clBlack);
  c->Ellipse(15, 15, 18, 18);
}

// The pan cursors: the neutral one shows both directions of the pan, each moving one only its own.
void PanCursor(TBitmap* b, int V, int H) {
  Clear(b, clFuchsia);
  TCanvas* c = b->Canvas();
  Dot(c, 4);
  if (V == 0 && H == 0) {
    Arrow(c, 16, 16, 0, -1, 14, 7);
    Arrow(c, 16, 16, 0, 1, 14, 7);
    return;
  }
  Arrow(c, 16, 16, H, V, 15, 9);
}

void PanMark(TBitmap* b, bool Vertical, bool Horizontal) {
  Clear(b, clOlive);
  TCanvas* c = b->Canvas();
  c->Pen()->SetColor(clGray);
  c->Brush()->SetColor(clWhite);
  c->Ellipse(2, 2, 30, 30);
  c->Brush()->SetColor(clBlack);
  c->Ellipse(14, 14, 19, 19);
  if (Vertical) {
    Arrow(c, 16, 16, 0, -1, 11, 5);
    Arrow(c, 16, 16, 0, 1, 11, 5);
  }
  if (Horizontal) {
    Arrow(c, 16, 16, -1, 0, 11, 5);
    Arrow(c, 16, 16, 1, 0, 11, 5);
  }
}

}  // namespace

void RegisterGridCursorResources() {
  static bool done = false;
  if (done) return;
  done = true;
  // (V, H) of each pan direction cursor, 8001 to 8008.
  const int dirs[8][2] = {{1, 0}, {0, -1}, {0, 1}, {-1, 0}, {-1, 1}, {-1, -1}, {1, 1}, {1, -1}};
  RegisterCursorResource(crPanNeutral, [](TBitmap* b) { PanCursor(b, 0, 0); }, 16, 16);
  for (int i = 0; i < 8; ++i) {
    const int v = dirs[i][0];
    const int h = dirs[i][1];
    RegisterCursorResource(crPanNeutral + 1 + i, [v, h](TBitmap* b) { PanCursor(b, v, h); }, 16, 16);
  }
  RegisterCursorResource(crLinkCursor, [](TBitmap* b) {
    Clear(b, clFuchsia);
    Arrow(b->Canvas(), 10, 10, 0, -1, 10, 10);
    b->Canvas()->Brush()->SetColor(clBlack);
    b->Canvas()->FillRect(TRect{7, 10, 13, 24});
  }, 10, 0);
  RegisterCursorResource(crRowSelectCursor, [](TBitmap* b) {
    Clear(b, clFuchsia);
    Arrow(b->Canvas(), 16, 16, 1, 0, 12, 12);
  }, 28, 16);
  RegisterCursorResource(crColSelectCursor, [](TBitmap* b) {
    Clear(b, clFuchsia);
    Arrow(b->Canvas(), 16, 16, 0, 1, 12, 12);
  }, 16, 28);
  RegisterCursorResource(crSelectAllCursor, [](TBitmap* b) {
    Clear(b, clFuchsia);
    Arrow(b->Canvas(), 16, 16, 1, 1, 12, 12);
  }, 24, 24);
  RegisterCursorResource(crCellSelectorCursor, [](TBitmap* b) {
    Clear(b, clFuchsia);
    b->Canvas()->Brush()->SetColor(clBlack);
    b->Canvas()->FillRect(TRect{15, 4, 18, 29});
    b->Canvas()->FillRect(TRect{4, 15, 29, 18});
  }, 16, 16);
  TBitmap::RegisterResource("INTLI1", [](TBitmap* b) { PanMark(b, true, true); });
  TBitmap::RegisterResource("INTLI2", [](TBitmap* b) { PanMark(b, false, true); });
  TBitmap::RegisterResource("INTLI3", [](TBitmap* b) { PanMark(b, true, false); });
}

// The named bitmaps the grid's painters draw: check boxes and radio buttons in two styles and
// four states, the node boxes, the filter glyph and the close mark. They are our own pictures,
// registered when the first grid is made; the top-left pixel of each is the transparent colour.
#include "classlib/Bitmap.h"
#include "classlib/Graphics.h"
#include "grid/paint/GridPaintTypes.h"

namespace {

constexpr TColor kKey = 0xFF00FF;  // the transparent colour: never drawn in a picture

void Start(TBitmap* B, int W, int H) {
  B->SetSize(W, H);
  TCanvas* C = B->Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(kKey);
  C->FillRect(Rect(0, 0, W, H));
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
}

void PictureLine(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

// A tick from the left middle down and up to the right, three pixels thick.
void Tick(TCanvas* C, int X, int Y, TColor Color) {
  C->Pen()->SetColor(Color);
  for (int i = 0; i < 3; ++i) {
    PictureLine(C, X, Y + i, X + 3, Y + 3 + i);
    C->LineTo(X + 9, Y - 3 + i);
  }
}

// 15 x 15 check boxes. VAV: a square grey frame with a blue tick; XP: a dark blue frame with
// rounded corners (so the corner stays transparent), a light field and a green tick.
void CheckBox(TBitmap* B, bool XP, bool Checked, bool Enabled) {
  Start(B, 15, 15);
  TCanvas* C = B->Canvas();
  const TColor frame = !Enabled ? 0xB0B0B0 : XP ? 0x80511C : 0x808080;
  const TColor field = !Enabled ? 0xEFEFEF : XP ? 0xF4F4F4 : 0xFFFFFF;
  C->Brush()->SetColor(field);
  C->Pen()->SetColor(frame);
  C->Rectangle(1, 1, 14, 14);
  if (XP) {
    C->Brush()->SetColor(frame);
    C->FrameRect(Rect(1, 1, 14, 14));
    C->SetPixel(1, 1, kKey);
  }
  if (Checked) Tick(C, 3, 6, !Enabled ? 0xA0A0A0 : XP ? 0x21A121 : 0xC06000);
}

// 16 x 16 radio buttons: a round field, a dot when checked.
void RadioButton(TBitmap* B, bool XP, bool Checked, bool Enabled) {
  Start(B, 16, 16);
  TCanvas* C = B->Canvas();
  const TColor frame = !Enabled ? 0xB0B0B0 : XP ? 0x80511C : 0x808080;
  C->Pen()->SetColor(frame);
  C->Brush()->SetColor(!Enabled ? 0xEFEFEF : 0xFFFFFF);
  C->Ellipse(2, 2, 14, 14);
  if (!Checked) return;
  const TColor dot = !Enabled ? 0xA0A0A0 : XP ? 0x21A121 : 0xC06000;
  C->Pen()->SetColor(dot);
  C->Brush()->SetColor(dot);
  C->Ellipse(5, 5, 11, 11);
}

// A box with a minus sign, and the plus sign's vertical stroke when contracted.
void NodeBox(TBitmap* B, int Size, bool Contracted, TColor Frame, TColor Field, TColor Sign) {
  Start(B, Size, Size);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(Frame);
  C->Brush()->SetColor(Field);
  C->Rectangle(1, 1, Size - 1, Size - 1);
  C->Pen()->SetColor(Sign);
  const int m = Size / 2;
  PictureLine(C, 3, m, Size - 3, m);
  if (Contracted) PictureLine(C, m, 3, m, Size - 3);
}

// 12 x 12 leaf: a green leaf, turned down when closed.
void Leaf(TBitmap* B, bool Open) {
  Start(B, 12, 12);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(0x007000);
  C->Brush()->SetColor(0x30B030);
  if (Open) C->Polygon({Point(1, 10), Point(4, 2), Point(10, 1), Point(8, 8)});
  else C->Polygon({Point(1, 1), Point(10, 3), Point(9, 10), Point(3, 8)});
  C->Pen()->SetColor(0x006000);
  PictureLine(C, 1, Open ? 10 : 1, 8, Open ? 3 : 8);
}

// 10 x 10 funnel for filtered columns.
void Filter(TBitmap* B) {
  Start(B, 10, 10);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(0x000000);
  C->Brush()->SetColor(0x000000);
  C->Polygon({Point(0, 1), Point(9, 1), Point(5, 5), Point(5, 9), Point(4, 9), Point(4, 5)});
}

// 14 x 14 close mark: a cross in a frame.
void Close(TBitmap* B) {
  Start(B, 14, 14);
  TCanvas* C = B->Canvas();
  C->Pen()->SetColor(0x808080);
  C->Brush()->SetColor(0xFFFFFF);
  C->Rectangle(1, 1, 13, 13);
  C->Pen()->SetColor(0x000080);
  PictureLine(C, 4, 4, 10, 10);
  PictureLine(C, 9, 4, 3, 10);
}

}  // namespace

void RegisterGridPaintResources() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  static const char* const check[] = {"ROZCHK01", "ROZCHK02", "ROZCHK03", "ROZCHK04",
                                      "ROZCHK05", "ROZCHK06", "ROZCHK07", "ROZCHK08"};
  static const char* const radio[] = {"ROZRAD01", "ROZRAD02", "ROZRAD03", "ROZRAD04",
                                      "ROZRAD05", "ROZRAD06", "ROZRAD07", "ROZRAD08"};
  for (int i = 0; i < 8; ++i) {
    const bool xp = i >= 4, enabled = (i % 4) < 2, checked = i % 2 == 0;
    TBitmap::RegisterResource(check[i], [=](TBitmap* b) { CheckBox(b, xp, checked, enabled); });
    TBitmap::RegisterResource(radio[i], [=](TBitmap* b) { RadioButton(b, xp, checked, enabled); });
  }
  TBitmap::RegisterResource("ROZLEAFOPEN", [](TBitmap* b) { Leaf(b, true); });
  TBitmap::RegisterResource("ROZLEAFCLOSE", [](TBitmap* b) { Leaf(b, false); });
  TBitmap::RegisterResource("XPNODEO", [](TBitmap* b) { NodeBox(b, 10, false, 0x8C7C6C, 0xFFFFFF, 0x000000); });
  TBitmap::RegisterResource("XPNODEC", [](TBitmap* b) { NodeBox(b, 10, true, 0x8C7C6C, 0xFFFFFF, 0x000000); });
  TBitmap::RegisterResource("ROZFILT", Filter);
  TBitmap::RegisterResource("ROZCLOSE", Close);
}

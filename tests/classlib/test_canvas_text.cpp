// Canvas text: placement, measuring and DrawText formats, checked on painted pixels.
#include <gtest/gtest.h>

#include "classlib/Graphics.h"

namespace {

struct Surface {
  explicit Surface(int w = 200, int h = 60) : bmp(w, h), w(w), h(h) {
    Canvas()->Brush()->SetColor(clWhite);
    Canvas()->FillRect(Rect(0, 0, w, h));
    Canvas()->Font()->SetName("Tahoma");
    Canvas()->Font()->SetHeight(-13);
    Canvas()->Font()->SetColor(clBlack);
  }
  TCanvas* Canvas() { return bmp.Canvas(); }
  // Bounding box of the pixels that are not `background`.
  TRect Ink(TColor background = clWhite) {
    TRect box{w, h, -1, -1};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (Canvas()->Pixel(x, y) != background) {
          box.Left = std::min(box.Left, x);
          box.Top = std::min(box.Top, y);
          box.Right = std::max(box.Right, x + 1);
          box.Bottom = std::max(box.Bottom, y + 1);
        }
    return box.Right < 0 ? TRect{} : box;
  }
  TBitmap bmp;
  int w, h;
};

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right && inner.Bottom <= outer.Bottom;
}

}  // namespace

TEST(CanvasText, MeasuresFollowTheFontSize) {
  Surface s;
  TCanvas* c = s.Canvas();
  int h13 = c->TextHeight("gh");
  int w13 = c->TextWidth("Hello");
  EXPECT_GE(h13, 13);
  EXPECT_LE(h13, 18);
  EXPECT_GT(w13, 20);
  EXPECT_EQ(c->TextExtent("Hello"), (TSize{w13, h13}));
  EXPECT_EQ(c->TextWidth(""), 0);
  c->Font()->SetHeight(-26);
  EXPECT_GE(c->TextHeight("gh"), 2 * h13 - 2);
  EXPECT_GE(c->TextWidth("Hello"), 2 * w13 - 4);
  // Positive height = cell height.
  c->Font()->SetHeight(20);
  EXPECT_NEAR(c->TextHeight("gh"), 20, 1);
  TTextMetric m = c->GetTextMetrics();
  EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent);
}

TEST(CanvasText, TextOutPlacesGlyphsByTheirTopLeftInsideTheExtent) {
  Surface s;
  TCanvas* c = s.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->TextOut(30, 20, "Wg");
  TRect ink = s.Ink();
  TSize ext = c->TextExtent("Wg");
  EXPECT_TRUE(Inside(ink, Rect(30, 20, 30 + ext.cx, 20 + ext.cy))) << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
  EXPECT_LE(ink.Left, 31);
  EXPECT_LE(ink.Top, 24);         // cap height reaches near the top
  EXPECT_GE(ink.Bottom, 20 + ext.cy - 4);  // the descender of g reaches near the bottom
  EXPECT_EQ(c->PenPos(), (TPoint{30 + ext.cx, 20}));
}

TEST(CanvasText, OpaqueBackgroundFillsTheExtentInTheBrushColour) {
  Surface s;
  TCanvas* c = s.Canvas();
  c->Brush()->SetColor(clYellow);
  c->TextOut(10, 10, "Ab");
  TSize ext = c->TextExtent("Ab");
  EXPECT_EQ(s.Ink(), Rect(10, 10, 10 + ext.cx, 10 + ext.cy));
  EXPECT_EQ(c->Pixel(10, 10), clYellow);
  // A raw SetBkMode(TRANSPARENT) holds until the brush changes.
  Surface t;
  t.Canvas()->Brush()->SetColor(clYellow);
  SetBkMode(t.Canvas()->Handle(), TRANSPARENT);
  t.Canvas()->TextOut(10, 10, "Ab");
  EXPECT_EQ(t.Canvas()->Pixel(10, 10), clWhite);
}

TEST(CanvasText, TextColourComesFromTheFontWithoutAntialiasing) {
  Surface s;
  TCanvas* c = s.Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetColor(clRed);
  c->TextOut(5, 5, "HHH");
  TRect ink = s.Ink();
  int other = 0;
  for (int y = ink.Top; y < ink.Bottom; ++y)
    for (int x = ink.Left; x < ink.Right; ++x) {
      TColor p = c->Pixel(x, y);
      other += p != clRed && p != clWhite;
    }
  EXPECT_EQ(other, 0);
}

TEST(CanvasText, TextRectClipsAndFillsTheRectangle) {
  Surface s;
  TCanvas* c = s.Canvas();
  c->Brush()->SetColor(clAqua);
  c->TextRect(Rect(10, 10, 30, 30), 12, 12, "WWWWWWWWWW");
  EXPECT_EQ(s.Ink(), Rect(10, 10, 30, 30));
  EXPECT_EQ(c->Pixel(10, 10), clAqua);
}

TEST(CanvasText, DrawTextAlignsHorizontallyAndVertically) {
  const TRect box = Rect(20, 10, 180, 50);
  struct Case {
    uint32_t format;
    const char* what;
  } cases[] = {
      {DT_LEFT | DT_TOP | DT_SINGLELINE, "left top"},
      {DT_CENTER | DT_VCENTER | DT_SINGLELINE, "centre"},
      {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, "right bottom"},
  };
  for (const Case& k : cases) {
    Surface s;
    TCanvas* c = s.Canvas();
    c->Brush()->SetStyle(bsClear);
    TRect r = box;
    int height = c->DrawText("Mm", r, k.format);
    TRect ink = s.Ink();
    TSize ext = c->TextExtent("Mm");
    int expectedLeft = (k.format & DT_CENTER) ? box.Left + (box.Width() - ext.cx) / 2
                       : (k.format & DT_RIGHT) ? box.Right - ext.cx
                                               : box.Left;
    int expectedTop = (k.format & DT_VCENTER) ? box.Top + (box.Height() - ext.cy) / 2
                      : (k.format & DT_BOTTOM) ? box.Bottom - ext.cy
                                               : box.Top;
    EXPECT_TRUE(Inside(ink, Rect(expectedLeft, expectedTop, expectedLeft + ext.cx, expectedTop + ext.cy))) << k.what;
    EXPECT_LE(ink.Left - expectedLeft, 2) << k.what;
    EXPECT_LE(expectedLeft + ext.cx - ink.Right, 2) << k.what;
    EXPECT_EQ(r, box) << k.what;  // drawing leaves the rectangle alone
    EXPECT_EQ(height, expectedTop - box.Top + ext.cy) << k.what;
  }
}

TEST(CanvasText, CalcRectMeasuresWithoutDrawing) {
  Surface s;
  TCanvas* c = s.Canvas();
  int lh = c->TextHeight("Wg");
  TRect r = Rect(5, 5, 6, 6);
  EXPECT_EQ(c->DrawText("Hello world", r, DT_CALCRECT | DT_SINGLELINE), lh);
  EXPECT_EQ(r, Rect(5, 5, 5 + c->TextWidth("Hello world"), 5 + lh));
  EXPECT_EQ(s.Ink(), TRect{});

  TRect lines = Rect(0, 0, 1000, 0);
  EXPECT_EQ(c->DrawText("one\r\ntwo\nthree", lines, DT_CALCRECT), 3 * lh);
  EXPECT_EQ(lines.Right, c->TextWidth("three"));

  // Word break at the rectangle's width: every line fits unless a single word is wider.
  int wordWidth = c->TextWidth("alpha beta");
  TRect wrap = Rect(0, 0, wordWidth, 0);
  EXPECT_EQ(c->DrawText("alpha beta alpha beta", wrap, DT_CALCRECT | DT_WORDBREAK), 2 * lh);
  EXPECT_LE(wrap.Right, wordWidth);
  TRect narrow = Rect(0, 0, 5, 0);
  EXPECT_EQ(c->DrawText("alpha beta", narrow, DT_CALCRECT | DT_WORDBREAK), 2 * lh);
  EXPECT_EQ(narrow.Right, c->TextWidth("alpha"));
  TRect broken = Rect(0, 0, c->TextWidth("alp"), 0);
  EXPECT_GE(c->DrawText("alphabet", broken, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL), 2 * lh);
  // Empty text.
  TRect empty = Rect(3, 3, 50, 50);
  EXPECT_EQ(c->DrawText("", empty, DT_CALCRECT), 0);
  EXPECT_EQ(empty, Rect(3, 3, 3, 3));
}

TEST(CanvasText, AccessKeyPrefixesAndNoPrefix) {
  Surface s;
  TCanvas* c = s.Canvas();
  TRect r = Rect(0, 0, 500, 0);
  c->DrawText("Save && &Exit", r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Right, c->TextWidth("Save & Exit"));
  r = Rect(0, 0, 500, 0);
  c->DrawText("Save && &Exit", r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_EQ(r.Right, c->TextWidth("Save && &Exit"));

  // The prefixed letter is underlined: the same text draws more ink below the baseline.
  Surface plain, marked;
  for (Surface* x : {&plain, &marked}) x->Canvas()->Brush()->SetStyle(bsClear);
  TRect a = Rect(10, 10, 190, 50), b = a;
  plain.Canvas()->DrawText("File", a, DT_SINGLELINE);
  marked.Canvas()->DrawText("&File", b, DT_SINGLELINE);
  EXPECT_GT(marked.Ink().Bottom, plain.Ink().Bottom);
  EXPECT_EQ(marked.Ink().Right, plain.Ink().Right);  // only under the F
}

TEST(CanvasText, EllipsesShortenTextToTheWidth) {
  Surface s;
  TCanvas* c = s.Canvas();
  const String text = "A rather long caption that does not fit";
  int width = c->TextWidth(text) / 2;
  TRect r = Rect(0, 0, width, 0);
  c->DrawText(text, r, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_LE(r.Right, width);
  EXPECT_GT(r.Right, width / 2);

  const String path = "C:\\Data\\Sites\\Islands\\matrix.txt";
  TRect p = Rect(0, 0, c->TextWidth("C:\\...\\matrix.txt") + 2, 0);
  int limit = p.Right;
  c->DrawText(path, p, DT_CALCRECT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
  EXPECT_LE(p.Right, limit);
  EXPECT_GE(p.Right, c->TextWidth("...\\matrix.txt"));

  // Drawn, the ellipsis stays inside the rectangle.
  Surface d;
  d.Canvas()->Brush()->SetStyle(bsClear);
  TRect box = Rect(10, 10, 10 + width, 40);
  d.Canvas()->DrawText(text, box, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(d.Ink().Right, 10 + width);
}

TEST(CanvasText, DrawTextClipsUnlessNoClip) {
  Surface clipped, free;
  for (Surface* x : {&clipped, &free}) x->Canvas()->Brush()->SetStyle(bsClear);
  TRect a = Rect(10, 10, 30, 40), b = a;
  clipped.Canvas()->DrawText("WWWWWWWW", a, DT_SINGLELINE);
  free.Canvas()->DrawText("WWWWWWWW", b, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_LE(clipped.Ink().Right, 30);
  EXPECT_GT(free.Ink().Right, 30);
}

TEST(CanvasText, ExpandTabsMovesToTabStops) {
  Surface s;
  TCanvas* c = s.Canvas();
  TRect withTabs = Rect(0, 0, 1000, 0), without = withTabs;
  c->DrawText("a\tb", withTabs, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  c->DrawText("a\tb", without, DT_CALCRECT | DT_SINGLELINE);
  int stop = 8 * c->GetTextMetrics().tmAveCharWidth;
  EXPECT_EQ(withTabs.Right, stop + c->TextWidth("b"));
  EXPECT_LT(without.Right, withTabs.Right);
}

TEST(CanvasText, GdiDrawTextTakesACount) {
  Surface s;
  TRect r = Rect(0, 0, 500, 0);
  DrawText(s.Canvas()->Handle(), "Hello world", 5, &r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Right, s.Canvas()->TextWidth("Hello"));
}

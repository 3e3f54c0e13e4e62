// Canvas pixel rules: painting into an off-screen bitmap and reading the pixels back.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "classlib/Graphics.h"

namespace {

// A white bitmap of the given size.
std::unique_ptr<TBitmap> WhiteBitmap(int w = 60, int h = 40) {
  auto bmp = std::make_unique<TBitmap>(w, h);
  bmp->Canvas()->Brush()->SetColor(clWhite);
  bmp->Canvas()->FillRect(Rect(0, 0, w, h));
  return bmp;
}

// Bounding box of the pixels that differ from `background` ({0,0,0,0} when none).
TRect Ink(TCanvas* c, int w, int h, TColor background = clWhite) {
  TRect box{w, h, -1, -1};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (c->Pixel(x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.Right < 0 ? TRect{} : box;
}

int CountColor(TCanvas* c, const TRect& area, TColor color) {
  int n = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) n += c->Pixel(x, y) == color;
  return n;
}

}  // namespace

// ---- Colours --------------------------------------------------------------------------------

TEST(Colors, SystemColorsResolveThroughTheFixedTable) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
  EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
  EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0xFF00000Fu);
  EXPECT_EQ(static_cast<uint32_t>(clInfoBk), 0xFF000018u);
  // Plain colours and the special values pass unchanged.
  EXPECT_EQ(ColorToRGB(RGB(1, 2, 3)), 0x030201);
  EXPECT_EQ(ColorToRGB(clNone), 0x1FFFFFFF);
  EXPECT_EQ(ColorToRGB(clDefault), 0x20000000);
  EXPECT_EQ(GetRValue(RGB(10, 20, 30)), 10);
  EXPECT_EQ(GetGValue(RGB(10, 20, 30)), 20);
  EXPECT_EQ(GetBValue(RGB(10, 20, 30)), 30);
}

TEST(Colors, NamesRoundTripAndBadTextRaises) {
  for (TColor c : {clRed, clBtnFace, clNone, clDefault, clMoneyGreen, cl3DDkShadow, RGB(1, 2, 3)})
    EXPECT_EQ(StringToColor(ColorToString(c)), c) << ColorToString(c);
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(RGB(0x12, 0x34, 0x56)), "$00563412");
  EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
  EXPECT_EQ(StringToColor("255"), clRed);
  EXPECT_THROW(StringToColor("reddish"), EConvertError);
  EXPECT_THROW(StringToColor(""), EConvertError);
}

// ---- Tools ----------------------------------------------------------------------------------

TEST(Font, SizeAndHeightConvertAt96PixelsPerInch) {
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetHeight(-16);
  EXPECT_EQ(f.Size(), 12);
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetStyle({fsBold, fsUnderline});
  f.SetStyle({fsBold, fsUnderline});  // same value: no change
  EXPECT_EQ(changes, 1);
  TFont g;
  g.Assign(f);
  EXPECT_TRUE(g == f);
  EXPECT_TRUE(g.Style().Contains(fsUnderline));
  EXPECT_FALSE(g.Style().Contains(fsItalic));
}

TEST(Font, WindowsFacesMapToDejaVu) {
  EXPECT_EQ(TFont::SubstituteFamily("Tahoma"), "DejaVu Sans");
  EXPECT_EQ(TFont::SubstituteFamily("MS Sans Serif"), "DejaVu Sans");
  EXPECT_EQ(TFont::SubstituteFamily("Arial"), "DejaVu Sans");
  EXPECT_EQ(TFont::SubstituteFamily("Courier New"), "DejaVu Sans Mono");
  EXPECT_EQ(TFont::SubstituteFamily("Times New Roman"), "DejaVu Serif");
}

TEST(Brush, SettingAColourEndsAClearStyle) {
  TBrush b;
  b.SetStyle(bsClear);
  b.SetColor(clRed);
  EXPECT_EQ(b.Style(), bsSolid);
}

// ---- Fills and shapes -----------------------------------------------------------------------

TEST(Canvas, FillRectCoversLeftTopButNotRightBottom) {
  struct Case {
    TRect r;
    int expected;  // pixels painted
  } cases[] = {
      {Rect(5, 6, 15, 10), 40},
      {Rect(0, 0, 1, 1), 1},
      {Rect(10, 10, 10, 20), 0},  // empty
      {Rect(20, 10, 10, 20), 0},  // inverted: nothing
  };
  for (const Case& c : cases) {
    auto bmp = WhiteBitmap();
    TCanvas* cv = bmp->Canvas();
    cv->Brush()->SetColor(clRed);
    cv->FillRect(c.r);
    EXPECT_EQ(CountColor(cv, Rect(0, 0, 60, 40), clRed), c.expected);
    if (c.expected > 1) {
      EXPECT_EQ(cv->Pixel(c.r.Left, c.r.Top), clRed);
      EXPECT_EQ(cv->Pixel(c.r.Right - 1, c.r.Bottom - 1), clRed);
      EXPECT_EQ(cv->Pixel(c.r.Right, c.r.Top), clWhite);
      EXPECT_EQ(cv->Pixel(c.r.Left, c.r.Bottom), clWhite);
    }
  }
}

TEST(Canvas, ClearBrushFillsNothingAndFrameRectDrawsOnePixelFrame) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Brush()->SetStyle(bsClear);
  cv->FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Ink(cv, 60, 40), TRect{});
  cv->Brush()->SetColor(clBlue);
  cv->FrameRect(Rect(10, 10, 20, 15));
  EXPECT_EQ(CountColor(cv, Rect(0, 0, 60, 40), clBlue), 2 * 10 + 2 * 3);
  EXPECT_EQ(Ink(cv, 60, 40), Rect(10, 10, 20, 15));
  EXPECT_EQ(cv->Pixel(11, 11), clWhite);
}

TEST(Canvas, LineToLeavesOutTheEndPoint) {
  struct Case {
    TPoint from, to;
    int pixels;
  } cases[] = {
      {{5, 5}, {15, 5}, 10},    // right
      {{15, 7}, {5, 7}, 10},    // left
      {{20, 2}, {20, 12}, 10},  // down
      {{30, 12}, {30, 2}, 10},  // up
      {{40, 0}, {50, 10}, 10},  // diagonal
  };
  for (const Case& c : cases) {
    auto bmp = WhiteBitmap();
    TCanvas* cv = bmp->Canvas();
    cv->Pen()->SetColor(clBlack);
    cv->MoveTo(c.from.X, c.from.Y);
    cv->LineTo(c.to.X, c.to.Y);
    EXPECT_EQ(cv->PenPos(), c.to);
    EXPECT_EQ(cv->Pixel(c.from.X, c.from.Y), clBlack);
    EXPECT_EQ(cv->Pixel(c.to.X, c.to.Y), clWhite);
    EXPECT_EQ(CountColor(cv, Rect(0, 0, 60, 40), clBlack), c.pixels);
  }
}

TEST(Canvas, PolylineDrawsEachVertexOnceAndKeepsPenPos) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Pen()->SetMode(pmXor);
  cv->Pen()->SetColor(clWhite);  // XOR with white inverts: a pixel drawn twice would vanish
  cv->MoveTo(1, 1);
  cv->Polyline({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}});
  EXPECT_EQ(cv->PenPos(), (TPoint{1, 1}));
  EXPECT_EQ(CountColor(cv, Rect(0, 0, 60, 40), clBlack), 40);
  EXPECT_EQ(cv->Pixel(10, 10), clBlack);
}

TEST(Canvas, RectangleOutlinesWithThePenAndFillsInsideWithTheBrush) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Pen()->SetColor(clBlue);
  cv->Brush()->SetColor(clRed);
  cv->Rectangle(10, 5, 20, 15);
  EXPECT_EQ(Ink(cv, 60, 40), Rect(10, 5, 20, 15));
  for (int x = 10; x < 20; ++x) {
    EXPECT_EQ(cv->Pixel(x, 5), clBlue);
    EXPECT_EQ(cv->Pixel(x, 14), clBlue);
  }
  for (int y = 5; y < 15; ++y) {
    EXPECT_EQ(cv->Pixel(10, y), clBlue);
    EXPECT_EQ(cv->Pixel(19, y), clBlue);
  }
  EXPECT_EQ(CountColor(cv, Rect(11, 6, 19, 14), clRed), 8 * 8);

  // Clear brush: outline only. Clear pen: the fill stops one pixel short right and bottom.
  auto b2 = WhiteBitmap();
  b2->Canvas()->Brush()->SetStyle(bsClear);
  b2->Canvas()->Rectangle(10, 5, 20, 15);
  EXPECT_EQ(b2->Canvas()->Pixel(15, 10), clWhite);
  EXPECT_EQ(CountColor(b2->Canvas(), Rect(0, 0, 60, 40), clBlack), 36);
  auto b3 = WhiteBitmap();
  b3->Canvas()->Pen()->SetStyle(psClear);
  b3->Canvas()->Brush()->SetColor(clRed);
  b3->Canvas()->Rectangle(10, 5, 20, 15);
  EXPECT_EQ(Ink(b3->Canvas(), 60, 40), Rect(10, 5, 19, 14));
}

TEST(Canvas, WidePenIsCentredOnTheEdgeOrInsideForInsideFrame) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Pen()->SetWidth(3);
  cv->Brush()->SetStyle(bsClear);
  cv->Rectangle(10, 10, 30, 30);
  EXPECT_EQ(Ink(cv, 60, 40), Rect(9, 9, 31, 31));
  auto b2 = WhiteBitmap();
  b2->Canvas()->Pen()->SetWidth(3);
  b2->Canvas()->Pen()->SetStyle(psInsideFrame);
  b2->Canvas()->Brush()->SetStyle(bsClear);
  b2->Canvas()->Rectangle(10, 10, 30, 30);
  EXPECT_EQ(Ink(b2->Canvas(), 60, 40), Rect(10, 10, 30, 30));
  EXPECT_EQ(b2->Canvas()->Pixel(12, 20), clBlack);
  EXPECT_EQ(b2->Canvas()->Pixel(13, 20), clWhite);
}

TEST(Canvas, EllipseAndRoundRectStayInsideTheirBox) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Brush()->SetColor(clRed);
  cv->Ellipse(10, 5, 30, 25);
  EXPECT_EQ(Ink(cv, 60, 40), Rect(10, 5, 30, 25));
  EXPECT_EQ(cv->Pixel(20, 15), clRed);
  EXPECT_EQ(cv->Pixel(10, 5), clWhite);  // corner outside the curve
  auto b2 = WhiteBitmap();
  b2->Canvas()->RoundRect(10, 5, 30, 25, 8, 8);
  EXPECT_EQ(Ink(b2->Canvas(), 60, 40), Rect(10, 5, 30, 25));
  EXPECT_EQ(b2->Canvas()->Pixel(10, 5), clWhite);
  EXPECT_EQ(b2->Canvas()->Pixel(20, 5), clBlack);
}

TEST(Canvas, PolygonFillsAndOutlines) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Brush()->SetColor(clLime);
  cv->Polygon({{10, 10}, {30, 10}, {20, 30}});
  EXPECT_EQ(cv->Pixel(20, 15), clLime);
  EXPECT_EQ(cv->Pixel(10, 10), clBlack);
  EXPECT_EQ(cv->Pixel(11, 25), clWhite);
}

TEST(Canvas, XorDottedLineAndFocusRectEraseThemselvesWhenDrawnTwice) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Brush()->SetColor(clYellow);
  cv->FillRect(Rect(0, 0, 30, 40));
  QImage before = bmp->Image().copy();
  cv->Pen()->SetStyle(psDot);
  cv->Pen()->SetMode(pmXor);
  cv->Pen()->SetColor(clRed);
  cv->Brush()->SetStyle(bsClear);
  for (int pass = 0; pass < 2; ++pass) {
    cv->MoveTo(2, 3);
    cv->LineTo(55, 31);
    if (pass == 0) {
      EXPECT_NE(bmp->Image(), before);
    }
  }
  EXPECT_EQ(bmp->Image(), before);
  cv->DrawFocusRect(Rect(5, 5, 50, 30));
  EXPECT_NE(bmp->Image(), before);
  // Every other pixel of the frame inverts.
  EXPECT_NE(cv->Pixel(5, 5), cv->Pixel(6, 5));
  cv->DrawFocusRect(Rect(5, 5, 50, 30));
  EXPECT_EQ(bmp->Image(), before);
}

TEST(Canvas, DottedPenLeavesGapsUntouchedOverAClearBrush) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Pen()->SetStyle(psDot);
  cv->Brush()->SetStyle(bsClear);
  cv->MoveTo(0, 5);
  cv->LineTo(12, 5);
  int black = CountColor(cv, Rect(0, 5, 12, 6), clBlack);
  EXPECT_EQ(black, 6);  // 3 on, 3 off
  EXPECT_EQ(cv->Pixel(0, 5), clBlack);
  EXPECT_EQ(cv->Pixel(3, 5), clWhite);
}

TEST(Canvas, PixelsReadAndWrite) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->SetPixel(3, 4, clRed);
  cv->SetPixel(4, 4, clBtnFace);
  EXPECT_EQ(cv->Pixel(3, 4), clRed);
  EXPECT_EQ(cv->Pixel(4, 4), RGB(212, 208, 200));
  EXPECT_EQ(cv->Pixel(-1, 0), clNone);
  EXPECT_EQ(cv->Pixel(60, 0), clNone);
}

TEST(Canvas, FloodFillSurfaceAndBorder) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Brush()->SetStyle(bsClear);
  cv->Rectangle(10, 10, 20, 20);
  cv->Brush()->SetColor(clRed);
  cv->FloodFill(15, 15, clBlack, fsBorder);
  EXPECT_EQ(CountColor(cv, Rect(0, 0, 60, 40), clRed), 8 * 8);
  cv->Brush()->SetColor(clBlue);
  cv->FloodFill(0, 0, clWhite, fsSurface);
  EXPECT_EQ(cv->Pixel(59, 39), clBlue);
  EXPECT_EQ(cv->Pixel(15, 15), clRed);
}

// ---- Clipping and state ---------------------------------------------------------------------

TEST(Canvas, ClipRectLimitsDrawingAndSaveDcRestoresIt) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  EXPECT_EQ(cv->ClipRect(), Rect(0, 0, 60, 40));
  int level = cv->SaveDC();
  cv->IntersectClipRect(Rect(10, 10, 20, 20));
  cv->ExcludeClipRect(Rect(10, 10, 15, 20));
  EXPECT_EQ(cv->ClipRect(), Rect(15, 10, 20, 20));
  cv->Brush()->SetColor(clRed);
  cv->FillRect(Rect(0, 0, 60, 40));
  EXPECT_EQ(Ink(cv, 60, 40), Rect(15, 10, 20, 20));
  cv->RestoreDC(level);
  EXPECT_FALSE(cv->HasClip());
  EXPECT_EQ(cv->Brush()->Color(), clWhite);  // the brush came back too
  cv->Brush()->SetColor(clBlue);
  cv->FillRect(Rect(0, 0, 5, 5));
  EXPECT_EQ(cv->Pixel(0, 0), clBlue);
}

TEST(Canvas, StateSaverRestoresAfterAnException) {
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  try {
    TCanvasStateSaver saver(cv);
    cv->SetMapMode(MM_LOMETRIC);
    cv->SetClipRect(Rect(0, 0, 1, 1));
    throw Exception("boom");
  } catch (const Exception&) {
  }
  EXPECT_EQ(cv->MapMode(), MM_TEXT);
  EXPECT_FALSE(cv->HasClip());
}

// ---- Painting on a lent painter -------------------------------------------------------------

TEST(Canvas, PaintsThroughALentPainterAndGivesItBack) {
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.translate(5, 3);  // a child widget's offset
  painter.setClipRect(QRect(0, 0, 20, 20));
  QPen before(Qt::green);
  painter.setPen(before);
  {
    TCanvas canvas;
    TCanvasPaintScope scope(&canvas, &painter);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 100, 100));  // limited by the painter's clip
    canvas.SetPixel(1, 1, clBlue);
    EXPECT_EQ(canvas.Pixel(1, 1), clBlue);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 20, 20));
  }
  EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
  painter.end();
  EXPECT_EQ(image.pixel(5, 3), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(6, 4), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(24, 22), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(25, 23), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(4, 3), qRgb(255, 255, 255));
}

// ---- Mapping modes --------------------------------------------------------------------------

TEST(Canvas, LoMetricConvertsToPixelsWithYGrowingUp) {
  auto bmp = WhiteBitmap(100, 100);
  TCanvas* cv = bmp->Canvas();
  cv->SetPixelsPerInch(254);  // one 0.1 mm unit per pixel
  cv->SetMapMode(MM_LOMETRIC);
  EXPECT_EQ(cv->LPtoDP(TPoint{10, -20}), (TPoint{10, 20}));
  cv->Brush()->SetColor(clRed);
  cv->FillRect(Rect(10, -20, 30, -40));
  EXPECT_EQ(cv->Pixel(10, -20), clRed);
  EXPECT_EQ(cv->Pixel(30, -20), clWhite);
  cv->SetMapMode(MM_TEXT);
  EXPECT_EQ(Ink(cv, 100, 100), Rect(10, 20, 30, 40));
  cv->SetMapMode(MM_LOMETRIC);
  // Text stays upright: the same ink as in MM_TEXT at the same device place.
  auto reference = WhiteBitmap(100, 100);
  reference->Canvas()->Font()->SetHeight(-12);
  reference->Canvas()->Brush()->SetStyle(bsClear);
  reference->Canvas()->TextOut(5, 50, "Ag");
  auto mapped = WhiteBitmap(100, 100);
  TCanvas* mc = mapped->Canvas();
  mc->SetPixelsPerInch(254);
  mc->SetMapMode(MM_LOMETRIC);
  mc->Font()->SetHeight(-12);
  mc->Brush()->SetStyle(bsClear);
  mc->TextOut(5, -50, "Ag");
  EXPECT_EQ(mapped->Image(), reference->Image());
  EXPECT_EQ(mc->TextHeight("Ag"), reference->Canvas()->TextHeight("Ag"));
  // The clip box reads back in logical units, height negative.
  TRect clip = mc->ClipRect();
  EXPECT_EQ(clip, Rect(0, 0, 100, -100));
}

TEST(Canvas, GdiCallsForwardToTheCanvas) {
  auto bmp = WhiteBitmap();
  HDC dc = bmp->Canvas()->Handle();
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 60);
  EXPECT_EQ(SetMapMode(dc, MM_LOMETRIC), MM_TEXT);
  EXPECT_EQ(GetMapMode(dc), MM_LOMETRIC);
  SetMapMode(dc, MM_TEXT);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);  // solid brush
  bmp->Canvas()->Brush()->SetStyle(bsClear);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  SetBkMode(dc, OPAQUE);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  bmp->Canvas()->Brush()->SetColor(clRed);  // a brush change ends the override
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  bmp->Canvas()->Brush()->SetStyle(bsClear);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
}

// ---- Copies and pictures --------------------------------------------------------------------

TEST(Canvas, DrawHonoursTransparencyAndCopyRectCopiesPixels) {
  TBitmap glyph(10, 10);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(Rect(0, 0, 10, 10));
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(Rect(3, 3, 7, 7));
  EXPECT_EQ(glyph.TransparentColor(), clRed);  // bottom-left pixel
  auto bmp = WhiteBitmap();
  TCanvas* cv = bmp->Canvas();
  cv->Draw(5, 5, &glyph);
  EXPECT_EQ(cv->Pixel(5, 5), clRed);
  glyph.SetTransparent(true);
  cv->Draw(20, 5, &glyph);
  EXPECT_EQ(cv->Pixel(20, 5), clWhite);
  EXPECT_EQ(cv->Pixel(23, 8), clBlue);
  cv->StretchDraw(Rect(40, 0, 60, 20), &glyph);
  EXPECT_EQ(Ink(cv, 60, 40).Left, 5);
  EXPECT_EQ(cv->Pixel(46, 6), clBlue);
  EXPECT_EQ(cv->Pixel(53, 13), clBlue);
  EXPECT_EQ(cv->Pixel(54, 14), clWhite);

  auto target = WhiteBitmap();
  target->Canvas()->CopyRect(Rect(0, 0, 10, 10), cv, Rect(5, 5, 15, 15));
  EXPECT_EQ(target->Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(target->Canvas()->Pixel(3, 3), clBlue);
  EXPECT_EQ(target->Canvas()->Pixel(10, 10), clWhite);
  // Copying within one canvas reads the source before writing.
  cv->CopyRect(Rect(6, 6, 16, 16), cv, Rect(5, 5, 15, 15));
  EXPECT_EQ(cv->Pixel(6, 6), clRed);
  EXPECT_EQ(cv->Pixel(9, 9), clBlue);
  // cmSrcInvert twice restores.
  QImage before = target->Image().copy();
  target->Canvas()->SetCopyMode(cmSrcInvert);
  target->Canvas()->CopyRect(Rect(20, 0, 30, 10), cv, Rect(5, 5, 15, 15));
  EXPECT_NE(target->Image(), before);
  target->Canvas()->CopyRect(Rect(20, 0, 30, 10), cv, Rect(5, 5, 15, 15));
  EXPECT_EQ(target->Image(), before);
}

TEST(Canvas, BrushCopyReplacesOneColourWithTheBrush) {
  TBitmap glyph(4, 4);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas()->SetPixel(1, 1, clBlack);
  auto bmp = WhiteBitmap();
  bmp->Canvas()->Brush()->SetColor(clLime);
  bmp->Canvas()->BrushCopy(Rect(0, 0, 4, 4), &glyph, Rect(0, 0, 4, 4), clRed);
  EXPECT_EQ(bmp->Canvas()->Pixel(0, 0), clLime);
  EXPECT_EQ(bmp->Canvas()->Pixel(1, 1), clBlack);
  bmp->Canvas()->Brush()->SetStyle(bsClear);
  bmp->Canvas()->BrushCopy(Rect(10, 0, 14, 4), &glyph, Rect(0, 0, 4, 4), clRed);
  EXPECT_EQ(bmp->Canvas()->Pixel(10, 0), clWhite);
  EXPECT_EQ(bmp->Canvas()->Pixel(11, 1), clBlack);
}

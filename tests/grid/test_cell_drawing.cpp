// The cell drawing routines, pinned by probe pixels on a bitmap they draw into (no
// antialiasing, 96 dpi); texts by their ink, not by exact pixels.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/Graphics.h"
#include "grid/base/ZudAzudDraw.h"

namespace {

constexpr TColor kPaper = clWhite;

std::unique_ptr<TBitmap> Paper(int w, int h) {
  auto bmp = std::make_unique<TBitmap>(w, h);
  bmp->Canvas()->Brush()->SetColor(kPaper);
  bmp->Canvas()->FillRect(Rect(0, 0, w, h));
  return bmp;
}

TColor Grey(int v) { return RGB(v, v, v); }

struct Probe {
  int x, y;
  TColor color;
};

void ExpectPixels(TCanvas* c, std::initializer_list<Probe> probes, const char* what) {
  for (const Probe& p : probes)
    EXPECT_EQ(c->Pixel(p.x, p.y), ColorToRGB(p.color)) << what << " at (" << p.x << "," << p.y << ")";
}

// Bounding box of the pixels of one colour.
TRect InkOf(TCanvas* c, const TRect& area, TColor color) {
  TRect box{area.Right, area.Bottom, area.Left - 1, area.Top - 1};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x)
      if (c->Pixel(x, y) == color) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box.Right < box.Left ? TRect{} : box;
}

// The calls a routine makes, noted by the canvas while it draws.
struct Recorder {
  std::vector<TCanvasCall> calls;
  TCanvas* canvas;
  explicit Recorder(TCanvas* c) : canvas(c) { c->SetRecording(&calls); }
  ~Recorder() { canvas->SetRecording(nullptr); }
  std::vector<TCanvasCall> Of(const char* op) const {
    std::vector<TCanvasCall> out;
    for (const TCanvasCall& call : calls)
      if (call.Op == op) out.push_back(call);
    return out;
  }
};

int Count(TCanvas* c, const TRect& area, TColor color) {
  int n = 0;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) n += c->Pixel(x, y) == color;
  return n;
}

}  // namespace

// ---- Colour steps ----

TEST(CellDrawing, VerticalGradientOf64StepsOverTenRowsTakesOneGreyPerRow) {
  auto bmp = Paper(12, 14);
  DrawGradient(bmp->Canvas(), clBlack, clWhite, false, Rect(1, 2, 11, 12), 64);
  const int greys[] = {0, 28, 57, 85, 113, 142, 170, 198, 227, 255};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(bmp->Canvas()->Pixel(1, 2 + i), Grey(greys[i])) << "row " << i;
    EXPECT_EQ(bmp->Canvas()->Pixel(10, 2 + i), Grey(greys[i])) << "row " << i;
  }
  // Nothing outside the rectangle.
  bmp->Canvas()->Brush()->SetColor(clRed);
  bmp->Canvas()->FillRect(Rect(0, 0, 12, 14));
  DrawGradient(bmp->Canvas(), clBlack, clWhite, false, Rect(1, 2, 11, 12), 64);
  EXPECT_EQ(Count(bmp->Canvas(), Rect(0, 0, 12, 14), clRed), 12 * 14 - 100);
}

// The strips themselves: step i starts at trunc(i x step) and is trunc(step + 1) long, cut at
// the end; its colour is the start plus the rounded share of the difference.
TEST(CellDrawing, GradientStripsOneRectangleEachInPenAndBrush) {
  auto bmp = Paper(20, 14);
  const struct {
    bool horizontal;
    TRect r;
    int steps;
    std::vector<TRect> strips;
    std::vector<TColor> colours;
  } cases[] = {
      // Height 10 in 64 steps: 9 steps of 1 pixel, strips 2 rows long.
      {false, Rect(1, 2, 11, 12), 64,
       {Rect(1, 2, 11, 4), Rect(1, 3, 11, 5), Rect(1, 4, 11, 6), Rect(1, 5, 11, 7), Rect(1, 6, 11, 8),
        Rect(1, 7, 11, 9), Rect(1, 8, 11, 10), Rect(1, 9, 11, 11), Rect(1, 10, 11, 12), Rect(1, 11, 11, 12)},
       {Grey(0), Grey(28), Grey(57), Grey(85), Grey(113), Grey(142), Grey(170), Grey(198), Grey(227), Grey(255)}},
      // Width 8 in 3 steps: step 7/3, strips 3 pixels long from 0, 2, 4 and 7.
      {true, Rect(0, 0, 8, 3), 3,
       {Rect(0, 0, 3, 3), Rect(2, 0, 5, 3), Rect(4, 0, 7, 3), Rect(7, 0, 8, 3)},
       {Grey(0), Grey(85), Grey(170), Grey(255)}},
  };
  for (const auto& k : cases) {
    Recorder rec(bmp->Canvas());
    DrawGradient(bmp->Canvas(), clBlack, clWhite, k.horizontal, k.r, k.steps);
    ASSERT_EQ(rec.calls.size(), k.strips.size()) << "horizontal " << k.horizontal;
    for (size_t i = 0; i < k.strips.size(); ++i) {
      const TCanvasCall& call = rec.calls[i];
      EXPECT_EQ(call.Op, "Rectangle");
      EXPECT_EQ(call.Points, (std::vector<TPoint>{Point(k.strips[i].Left, k.strips[i].Top),
                                                  Point(k.strips[i].Right, k.strips[i].Bottom)}))
          << "strip " << i;
      EXPECT_EQ(call.PenColor, k.colours[i]) << "strip " << i;
      EXPECT_EQ(call.BrushColor, k.colours[i]) << "strip " << i;
    }
  }
}

TEST(CellDrawing, HorizontalGradientsPlainFillsAndReversedRectangles) {
  auto bmp = Paper(20, 6);
  TCanvas* c = bmp->Canvas();
  // Width 5 in 2 steps: strips of 2 pixels from offsets 0, 2 and 4.
  DrawGradient(c, clBlack, RGB(100, 0, 0), true, Rect(0, 0, 5, 3), 2);
  ExpectPixels(c, {{0, 0, Grey(0)}, {1, 2, Grey(0)}, {2, 1, RGB(50, 0, 0)}, {3, 1, RGB(50, 0, 0)}, {4, 1, RGB(100, 0, 0)},
                   {5, 1, kPaper}, {0, 3, kPaper}},
               "horizontal");
  // No end colour: one rectangle in the start colour; bottom above top is turned round.
  DrawGradient(c, clBlue, clNone, false, Rect(8, 5, 12, 1), 64);
  ExpectPixels(c, {{8, 1, clBlue}, {11, 4, clBlue}, {12, 4, kPaper}, {8, 5, kPaper}, {8, 0, kPaper}}, "plain");
}

TEST(CellDrawing, InterpolateColorRoundsHalvesToEven) {
  struct Case {
    TColor from, to;
    int low, n, high;
    TColor expected;
  } cases[] = {
      {RGB(0, 0, 0), RGB(1, 3, 5), 0, 1, 2, RGB(0, 2, 2)},      // 0.5 -> 0, 1.5 -> 2, 2.5 -> 2
      {RGB(10, 10, 10), RGB(20, 0, 255), 0, 5, 10, RGB(15, 5, 132)},  // 122.5 -> 122
      {RGB(10, 20, 30), RGB(40, 50, 60), 3, 3, 3, RGB(10, 20, 30)},   // equal bounds: the start
      {RGB(10, 20, 30), clNone, 0, 5, 10, RGB(10, 20, 30)},            // no end colour: the start
      {RGB(0, 0, 0), RGB(255, 255, 255), 0, 20, 10, RGB(255, 255, 255)},  // beyond the range: clamped
      {clBtnFace, clWhite, 0, 0, 4, ColorToRGB(clBtnFace)},
  };
  for (const Case& k : cases)
    EXPECT_EQ(InterpolateColor(k.from, k.to, k.low, k.n, k.high), k.expected)
        << std::hex << k.from << " " << k.to << " n " << std::dec << k.n;
}

// ---- Styled selection boxes ----

TEST(CellDrawing, StyledSelectionEdgeBorderAndFillPixels) {
  const TColor fill = RGB(1, 1, 1), innerTop = RGB(2, 2, 2), innerBottom = RGB(3, 3, 3), border = RGB(4, 4, 4),
               edge = RGB(5, 5, 5), back = RGB(6, 6, 6);
  auto bmp = Paper(30, 14);
  TCanvas* c = bmp->Canvas();
  // A single cell in (0,0)-(20,12): drawn in (0,0)-(19,10), middle row 5.
  DrawStyledSelection(c, fill, clNone, clNone, clNone, innerTop, innerBottom, border, edge, back, Rect(0, 0, 20, 12), 0);
  ExpectPixels(c,
               {{0, 0, back}, {1, 0, edge}, {0, 1, edge}, {1, 1, edge}, {2, 0, border}, {16, 0, border},
                {0, 2, border}, {0, 8, border}, {1, 3, innerTop}, {1, 5, innerBottom}, {1, 8, innerBottom},
                {5, 1, innerTop}, {5, 9, innerBottom}, {5, 10, border}, {0, 10, back}, {1, 10, edge}, {0, 9, edge},
                {2, 2, fill}, {16, 8, fill}, {18, 0, back}, {17, 0, edge}, {18, 1, edge}, {18, 5, border},
                {17, 3, innerTop}, {17, 7, innerBottom}, {18, 10, back},
                // The last row and column stay for the grid line.
                {5, 11, kPaper}, {19, 5, kPaper}},
               "single");
  // An inner cell of a row selection has no ends: border and fill reach both sides.
  auto inner = Paper(30, 14);
  DrawStyledSelection(inner->Canvas(), fill, clNone, clNone, clNone, innerTop, innerBottom, border, edge, back,
                      Rect(0, 0, 20, 12), 3);
  ExpectPixels(inner->Canvas(), {{0, 0, border}, {18, 0, border}, {0, 1, innerTop}, {0, 5, fill}, {18, 5, fill},
                                 {0, 10, border}},
               "inner");
  // A first cell has its left end only.
  auto first = Paper(30, 14);
  DrawStyledSelection(first->Canvas(), fill, clNone, clNone, clNone, innerTop, innerBottom, border, edge, back,
                      Rect(0, 0, 20, 12), 1);
  ExpectPixels(first->Canvas(), {{0, 0, back}, {18, 0, border}, {18, 5, fill}}, "first");
}

// Lines first (inner top, inner bottom, border), then the corner pixels, then the fill; an
// inner cell of a row selection has no ends.
TEST(CellDrawing, StyledSelectionDrawsLinesThenCornersThenFill) {
  auto bmp = Paper(60, 30);
  const TColor fill = RGB(1, 1, 1), top = RGB(2, 2, 2), bottom = RGB(3, 3, 3), border = RGB(4, 4, 4),
               edge = RGB(5, 5, 5), back = RGB(6, 6, 6);
  {
    Recorder rec(bmp->Canvas());
    // (10,10)-(50,30) loses 2 at the bottom and 1 at the right: l 10, t 10, r 49, b 28, middle 19.
    DrawStyledSelection(bmp->Canvas(), fill, clNone, clNone, clNone, top, bottom, border, edge, back,
                        Rect(10, 10, 50, 30), 0);
    const std::vector<TCanvasCall> lines = rec.Of("LineTo");
    ASSERT_EQ(lines.size(), 10u);
    const struct {
      TColor pen;
      TPoint from, to;
    } expected[] = {
        {top, Point(10, 11), Point(49, 11)},    {top, Point(11, 11), Point(11, 19)},
        {top, Point(47, 11), Point(47, 19)},    {bottom, Point(10, 27), Point(49, 27)},
        {bottom, Point(11, 19), Point(11, 27)}, {bottom, Point(47, 19), Point(47, 27)},
        {border, Point(12, 10), Point(47, 10)}, {border, Point(12, 28), Point(47, 28)},
        {border, Point(48, 12), Point(48, 27)}, {border, Point(10, 12), Point(10, 27)},
    };
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].PenColor, expected[i].pen) << "line " << i;
      EXPECT_EQ(lines[i].Points, (std::vector<TPoint>{expected[i].from, expected[i].to})) << "line " << i;
    }
    // Eight corner pixels per end, after every line and before the fill.
    const std::vector<TCanvasCall> pixels = rec.Of("SetPixel");
    ASSERT_EQ(pixels.size(), 16u);
    int backs = 0;
    for (const TCanvasCall& p : pixels) backs += p.Color == back;
    EXPECT_EQ(backs, 4);
    EXPECT_EQ(rec.calls.back().Op, "FillRect");
    EXPECT_EQ(rec.calls.back().BrushColor, fill);
    EXPECT_EQ(rec.calls.back().Points, (std::vector<TPoint>{Point(12, 12), Point(47, 27)}));
    size_t lastLine = 0, firstPixel = rec.calls.size();
    for (size_t i = 0; i < rec.calls.size(); ++i) {
      if (rec.calls[i].Op == "LineTo") lastLine = i;
      if (rec.calls[i].Op == "SetPixel") firstPixel = std::min(firstPixel, i);
    }
    EXPECT_LT(lastLine, firstPixel);
  }
  Recorder rec(bmp->Canvas());
  DrawStyledSelection(bmp->Canvas(), fill, clNone, clNone, clNone, top, bottom, border, edge, back,
                      Rect(10, 10, 50, 30), 3);
  EXPECT_EQ(rec.Of("LineTo").size(), 4u);
  EXPECT_TRUE(rec.Of("SetPixel").empty());
  EXPECT_EQ(rec.calls.back().Points, (std::vector<TPoint>{Point(10, 12), Point(49, 27)}));
}

TEST(CellDrawing, StyledSelectionFillsGradientsAndMirroredHalves) {
  auto bmp = Paper(30, 40);
  TCanvas* c = bmp->Canvas();
  // Interior (2,2)-(18,33): 31 rows; mirrored halves split at row 2 + 15.
  DrawStyledSelection(c, clBlack, clWhite, clRed, clBlue, clGray, clGray, clGray, clGray, clWhite, Rect(0, 0, 20, 36),
                      0);
  EXPECT_EQ(c->Pixel(5, 2), clBlack);
  EXPECT_EQ(c->Pixel(5, 16), clWhite);
  EXPECT_EQ(c->Pixel(5, 17), clRed);
  EXPECT_EQ(c->Pixel(5, 32), clBlue);
}

// ---- Cell backgrounds ----

TEST(CellDrawing, CellBackgroundFillsHalvesAndBorders) {
  auto bmp = Paper(40, 24);
  TCanvas* c = bmp->Canvas();
  // A solid fill reaches one row below the rectangle.
  FillCellBackground(c, Rect(0, 0, 10, 10), clRed, true, false, clNone, true, clNone, clNone, clNone);
  ExpectPixels(c, {{0, 0, clRed}, {9, 10, clRed}, {10, 5, kPaper}, {5, 11, kPaper}}, "solid");
  // Vertical halves: the upper from colour, the lower from the mirror colour; framed.
  FillCellBackground(c, Rect(12, 0, 22, 20), clBlack, true, false, clGreen, true, clBlue, clBlue, clWhite);
  ExpectPixels(c, {{13, 1, Grey(28)}, {13, 9, clWhite}, {13, 10, clBlue}, {12, 0, clGreen}, {21, 19, clGreen}}, "halves");
  // Sides only: two vertical lines, nothing filled without the fill flag.
  FillCellBackground(c, Rect(24, 0, 34, 20), clBlack, false, true, clGreen, true, clNone, clNone, clNone);
  ExpectPixels(c, {{24, 0, clGreen}, {33, 19, clGreen}, {28, 0, kPaper}, {28, 10, kPaper}}, "sides");
}

// ---- Progress bars ----

TEST(CellDrawing, ProgressBarFillsRoundedPercentAndWritesItsText) {
  auto bmp = Paper(110, 30);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(clAqua);  // the brush on entry frames the outside
  c->Font()->SetName("DejaVu Sans");
  c->Font()->SetSize(8);
  DrawProgressBar(c, Rect(2, 2, 102, 22), clBlue, clYellow, clLime, clFuchsia, 42.5, 0, 0, 0, 100, "", clRed, false);
  // 42.5 rounds to 42: the filled part is [2, 44).
  ExpectPixels(c, {{3, 3, clBlue}, {43, 3, clBlue}, {44, 3, clLime}, {100, 20, clLime}, {1, 1, clRed},
                   {102, 22, clRed}, {0, 0, clAqua}, {103, 23, clAqua}, {104, 24, kPaper}},
               "bar");
  // The text "42%" is centred across both parts, each in its own text colour.
  const TRect yellow = InkOf(c, Rect(2, 2, 102, 22), clYellow);
  const TRect fuchsia = InkOf(c, Rect(2, 2, 102, 22), clFuchsia);
  const int width = c->TextWidth("42%");
  const int x = 2 + (100 - width) / 2;
  if (yellow.Width() > 0) {
    EXPECT_GE(yellow.Left, x);
    EXPECT_LE(yellow.Right, 44);
  }
  EXPECT_GE(fuchsia.Left, 44);
  EXPECT_LE(fuchsia.Right, x + width);
  EXPECT_GT(fuchsia.Width(), width / 2);
}

TEST(CellDrawing, ProgressBarWithFormatUsesTheRangeAndEqualBoundsFillNothing) {
  auto bmp = Paper(110, 30);
  TCanvas* c = bmp->Canvas();
  DrawProgressBar(c, Rect(2, 2, 102, 22), clBlue, clYellow, clLime, clFuchsia, 15, 0, 0, 10, 30, "%d of 30", clNone,
                  false);
  EXPECT_EQ(c->Pixel(26, 3), clBlue);  // 25 % of 100 pixels
  EXPECT_EQ(c->Pixel(27, 3), clLime);
  DrawProgressBar(c, Rect(2, 2, 102, 22), clBlue, clYellow, clLime, clFuchsia, 15, 0, 0, 30, 30, "%d", clNone, false);
  EXPECT_EQ(c->Pixel(3, 3), clLime);
  // A format that does not take a number is shown as it stands.
  EXPECT_NO_THROW(DrawProgressBar(c, Rect(2, 2, 102, 22), clBlue, clYellow, clLime, clFuchsia, 15, 0, 0, 0, 30, "%s",
                                  clNone, false));
}

TEST(CellDrawing, StyledProgressBarBlocksSegmentsAndLevels) {
  TProgressAppearance a;
  a.Level0Color = a.Level0ColorTo = clGreen;
  a.Level1Color = a.Level1ColorTo = clYellow;
  a.Level2Color = a.Level2ColorTo = clMaroon;
  a.Level3Color = a.Level3ColorTo = clRed;
  a.BackgroundColor = clWhite;
  a.ShowGradient = false;
  a.ShowPercentage = false;
  a.CompletionSmooth = false;
  // 102 pixels: 100 along. 30 % gives blocks of 7 with gaps of 2 and a last block of 3.
  auto blocks = Paper(110, 12);
  DrawStyledProgressBar(blocks->Canvas(), Rect(0, 0, 102, 12), 30, a);
  ExpectPixels(blocks->Canvas(), {{1, 5, clGreen}, {7, 5, clGreen}, {8, 5, clWhite}, {10, 5, clGreen}, {28, 5, clGreen},
                                  {30, 5, clGreen}, {31, 5, clWhite}, {5, 1, clWhite}, {5, 2, clGreen}, {5, 9, clGreen},
                                  {5, 10, clWhite}},
               "blocks");
  // Smooth at 95 %: one block in the level-2 colour, inset 1.
  a.CompletionSmooth = true;
  auto smooth = Paper(110, 12);
  DrawStyledProgressBar(smooth->Canvas(), Rect(0, 0, 102, 12), 95, a);
  ExpectPixels(smooth->Canvas(), {{1, 1, clMaroon}, {95, 10, clMaroon}, {96, 5, clWhite}}, "smooth");
  // Stacked at 95 %: segments to 70, 90 and 95 in levels 0, 1 and 3.
  a.Stacked = true;
  auto stacked = Paper(110, 12);
  DrawStyledProgressBar(stacked->Canvas(), Rect(0, 0, 102, 12), 95, a);
  ExpectPixels(stacked->Canvas(), {{1, 5, clGreen}, {70, 5, clGreen}, {71, 5, clYellow}, {90, 5, clYellow},
                                   {91, 5, clRed}, {95, 5, clRed}, {96, 5, clWhite}},
               "stacked");
  // A vertical bar grows from the bottom.
  a.Stacked = false;
  a.Vertical = true;
  auto vertical = Paper(12, 110);
  DrawStyledProgressBar(vertical->Canvas(), Rect(0, 0, 12, 102), 50, a);
  ExpectPixels(vertical->Canvas(), {{5, 100, clGreen}, {5, 51, clGreen}, {5, 50, clWhite}}, "vertical");
}

// Gradient blocks: the half nearer the bar's edge runs from the "to" colour to the colour,
// the other back again. The percentage is centred, turned upright on a vertical bar.
TEST(CellDrawing, StyledProgressBarGradientsAndPercentage) {
  TProgressAppearance a;
  a.Level0Color = clBlack;
  a.Level0ColorTo = clWhite;
  a.BackgroundColor = clSilver;
  a.ShowBorder = false;
  a.CompletionSmooth = true;
  a.ShowGradient = true;
  a.Steps = 64;
  a.ShowPercentage = false;
  auto bmp = Paper(110, 12);
  DrawStyledProgressBar(bmp->Canvas(), Rect(0, 0, 102, 12), 50, a);
  // The block is rows 1 to 10, halved at row 6.
  ExpectPixels(bmp->Canvas(), {{5, 1, clWhite}, {5, 5, clBlack}, {5, 6, clBlack}, {5, 10, clWhite}, {5, 11, clSilver}},
               "gradient halves");

  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(8);
  a.ShowGradient = false;
  a.Level0Color = a.Level0ColorTo = clLime;
  a.Font = &font;
  a.FontColor = clBlue;
  a.ShowPercentage = true;
  auto flat = Paper(110, 24);
  DrawStyledProgressBar(flat->Canvas(), Rect(0, 0, 102, 24), 42, a);
  flat->Canvas()->Font()->Assign(&font);
  const TSize extent = flat->Canvas()->TextExtent("42%");
  const TRect ink = InkOf(flat->Canvas(), Rect(0, 0, 102, 24), clBlue);
  EXPECT_NEAR((ink.Left + ink.Right) / 2, 51, 2);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2, 12, 3);
  EXPECT_NEAR(ink.Width(), extent.cx, 3);
  EXPECT_LT(ink.Height(), ink.Width());

  a.Vertical = true;
  auto upright = Paper(24, 110);
  DrawStyledProgressBar(upright->Canvas(), Rect(0, 0, 24, 102), 42, a);
  const TRect turned = InkOf(upright->Canvas(), Rect(0, 0, 24, 102), clBlue);
  EXPECT_NEAR((turned.Top + turned.Bottom) / 2, 51, 2);
  EXPECT_NEAR((turned.Left + turned.Right) / 2, 12, 3);
  EXPECT_NEAR(turned.Height(), extent.cx, 3);
  EXPECT_LT(turned.Width(), turned.Height());
}

TEST(CellDrawing, ProgressPieFillsTheSweptPart) {
  auto bmp = Paper(44, 44);
  TCanvas* c = bmp->Canvas();
  DrawProgressPie(c, Rect(2, 2, 42, 42), clBlue, false, 25);
  EXPECT_EQ(c->Pixel(22, 22 - 10), clGray);  // the radius to 12 o'clock
  EXPECT_EQ(c->Pixel(32, 12), clBlue);       // the swept quarter
  EXPECT_EQ(c->Pixel(12, 32), kPaper);       // the rest
  EXPECT_EQ(c->Pixel(32, 32), kPaper);
}

TEST(CellDrawing, RangeIndicatorBarsFromTheMiddle) {
  auto bmp = Paper(110, 16);
  TCanvas* c = bmp->Canvas();
  // (2,2)-(102,12): half 50, centre 52.
  DrawRangeIndicator(c, Rect(0, 0, 104, 14), 5, clGreen, clRed, false, 10);
  ExpectPixels(c, {{52, 2, clGreen}, {76, 11, clGreen}, {77, 5, kPaper}, {51, 5, kPaper}}, "positive");
  auto neg = Paper(110, 16);
  DrawRangeIndicator(neg->Canvas(), Rect(0, 0, 104, 14), -20, clGreen, clRed, false, 10);  // clamped to -10
  ExpectPixels(neg->Canvas(), {{2, 2, clRed}, {51, 11, clRed}, {52, 5, kPaper}, {1, 5, kPaper}}, "negative");
  auto none = Paper(110, 16);
  DrawRangeIndicator(none->Canvas(), Rect(0, 0, 104, 14), 5, clGreen, clRed, false, 0);
  EXPECT_EQ(Count(none->Canvas(), Rect(0, 0, 110, 16), kPaper), 110 * 16);
}

// ---- Shapes ----

TEST(CellDrawing, CellShapesBoxesAndLines) {
  struct Case {
    TCellShape shape;
    int w, h;
    TRect ink;  // of the border colour and fill together, at (10, 10)
  } cases[] = {
      {csRectangle, 20, 10, Rect(11, 11, 29, 19)},
      {csSquare, 20, 10, Rect(11, 11, 19, 19)},
      {csCircle, 20, 10, Rect(10, 10, 20, 20)},  // a 10 x 10 circle in a 20 x 10 box
      {csLineVert, 20, 10, Rect(20, 10, 21, 20)},
      {csLineHorz, 20, 10, Rect(10, 15, 30, 16)},
  };
  for (const Case& k : cases) {
    auto bmp = Paper(40, 40);
    DrawCellShape(bmp->Canvas(), 10, 10, clRed, clRed, k.shape, k.h, k.w);
    EXPECT_EQ(InkOf(bmp->Canvas(), Rect(0, 0, 40, 40), clRed), k.ink) << "shape " << k.shape;
  }
  // Wide round shapes: the canvas's curve rasteriser may be one pixel off at the sides.
  for (TCellShape shape : {csEllips, csRoundRect}) {
    auto bmp = Paper(40, 40);
    DrawCellShape(bmp->Canvas(), 10, 10, clRed, clRed, shape, 10, 20);
    const TRect ink = InkOf(bmp->Canvas(), Rect(0, 0, 40, 40), clRed);
    EXPECT_EQ(ink.Top, 10);
    EXPECT_EQ(ink.Bottom, 20);
    EXPECT_NEAR(ink.Left, 10, 1) << "shape " << shape;
    EXPECT_NEAR(ink.Right, 30, 1) << "shape " << shape;
  }
  // Border and fill apart, and shapes beyond the half star draw nothing.
  auto bmp = Paper(40, 40);
  DrawCellShape(bmp->Canvas(), 10, 10, clBlue, clYellow, csRectangle, 10, 20);
  ExpectPixels(bmp->Canvas(), {{11, 11, clBlue}, {28, 18, clBlue}, {15, 15, clYellow}, {29, 15, kPaper}}, "framed");
  auto nothing = Paper(40, 40);
  DrawCellShape(nothing->Canvas(), 10, 10, clBlue, clYellow, static_cast<TCellShape>(19), 10, 20);
  EXPECT_EQ(Count(nothing->Canvas(), Rect(0, 0, 40, 40), kPaper), 1600);
}

TEST(CellDrawing, CellShapePolygons) {
  using P = std::vector<TPoint>;
  EXPECT_EQ(CellShapePolygon(0, 0, csTriangleUp, 10, 20), (P{Point(0, 10), Point(20, 10), Point(10, 0)}));
  EXPECT_EQ(CellShapePolygon(0, 0, csTriangleLeft, 10, 20), (P{Point(20, 0), Point(20, 10), Point(0, 5)}));
  EXPECT_EQ(CellShapePolygon(0, 0, csDiamond, 11, 11), (P{Point(0, 5), Point(5, 0), Point(10, 5), Point(5, 10)}));
  // W 13 counts as 12: q = 3.
  EXPECT_EQ(CellShapePolygon(0, 0, csArrowUp, 20, 13),
            (P{Point(0, 10), Point(6, 0), Point(12, 10), Point(9, 10), Point(9, 20), Point(3, 20), Point(3, 10)}));
  EXPECT_EQ(CellShapePolygon(0, 0, csArrowDown, 20, 13),
            (P{Point(0, 10), Point(6, 20), Point(12, 10), Point(9, 10), Point(9, 0), Point(3, 0), Point(3, 10)}));
  EXPECT_EQ(CellShapePolygon(0, 0, csArrowLeft, 13, 20),
            (P{Point(0, 6), Point(10, 0), Point(10, 3), Point(20, 3), Point(20, 9), Point(10, 9), Point(10, 12)}));
  // The star: outer points on the box, inner ones at a third of it; the half star keeps the
  // point at 0 degrees and those from 180 on.
  const P star = CellShapePolygon(0, 0, csStar, 30, 30);
  ASSERT_EQ(star.size(), 10u);
  EXPECT_EQ(star[0], Point(15, 0));
  EXPECT_EQ(star[1], Point(18, 11));  // 36 degrees, radius 5: (2.94, 4.05)
  EXPECT_EQ(star[5], Point(15, 20));  // 180 degrees is an inner point
  EXPECT_EQ(CellShapePolygon(0, 0, csHalfStar, 30, 30), (P{star[0], star[5], star[6], star[7], star[8], star[9]}));
  EXPECT_TRUE(CellShapePolygon(0, 0, csCircle, 30, 30).empty());
  // A drawn triangle: filled inside, nothing outside.
  auto bmp = Paper(30, 30);
  DrawCellShape(bmp->Canvas(), 0, 0, clBlue, clYellow, csTriangleDown, 20, 20);
  ExpectPixels(bmp->Canvas(), {{10, 5, clYellow}, {0, 0, clBlue}, {10, 0, clBlue}, {2, 15, kPaper}}, "triangle");
}

TEST(CellDrawing, SmallDecorations) {
  auto bmp = Paper(40, 40);
  TCanvas* c = bmp->Canvas();
  DrawDownTriangle(c, 10, 10, clRed);
  ExpectPixels(c, {{7, 10, clRed}, {13, 10, clRed}, {10, 12, clRed}, {10, 9, kPaper}, {6, 10, kPaper}}, "triangle");
  FillRectColor(c, Rect(20, 20, 25, 22), clGreen);
  EXPECT_EQ(InkOf(c, Rect(0, 0, 40, 40), clGreen), Rect(20, 20, 25, 22));
  // Combo and spin buttons stay inside their boxes.
  auto buttons = Paper(60, 30);
  DrawComboButton(buttons->Canvas(), Rect(0, 0, 60, 20), true, false);
  EXPECT_EQ(buttons->Canvas()->Pixel(45, 10), ColorToRGB(clBtnFace)) << "face left of the arrow";
  EXPECT_EQ(buttons->Canvas()->Pixel(40, 10), kPaper);
  EXPECT_EQ(buttons->Canvas()->Pixel(58, 10), kPaper) << "moved 2 pixels left";
  EXPECT_EQ(InkOf(buttons->Canvas(), Rect(0, 0, 60, 30), ColorToRGB(clBtnShadow)), Rect(41, 1, 58, 19));
  // Spin buttons: (44,4)-(59,24), one pixel left and up of the right edge, split at row 14 with
  // the lower button from row 15; enabled only for exactly 1.
  for (int enabled : {1, 2}) {
    auto spin = Paper(60, 30);
    TCanvas* sc = spin->Canvas();
    DrawSpinButtons(sc, Rect(0, 5, 60, 25), enabled, false);
    EXPECT_EQ(InkOf(sc, Rect(0, 0, 60, 30), ColorToRGB(clBtnShadow)).Left, 44);
    ExpectPixels(sc, {{44, 4, ColorToRGB(clBtnShadow)}, {58, 23, ColorToRGB(clBtnShadow)}, {50, 14, kPaper},
                      {50, 15, ColorToRGB(clBtnShadow)}, {59, 10, kPaper}, {43, 10, kPaper}, {50, 24, kPaper}},
                 "spin");
    EXPECT_EQ(Count(sc, Rect(44, 4, 59, 24), ColorToRGB(clBtnText)) > 0, enabled == 1);
  }
}

TEST(CellDrawing, EmptyRectanglesDrawNothing) {
  auto bmp = Paper(40, 40);
  TCanvas* c = bmp->Canvas();
  TProgressAppearance a;
  a.Level0Color = a.Level0ColorTo = clGreen;
  a.BackgroundColor = clWhite;
  for (const TRect& r : {Rect(5, 5, 5, 20), Rect(5, 5, 20, 5), Rect(20, 20, 5, 5)}) {
    Recorder rec(c);
    DrawGradient(c, clBlack, clWhite, false, Rect(5, 5, 5, 20), 16);
    DrawGradient(c, clBlack, clNone, true, Rect(5, 5, 20, 5), 16);
    DrawStyledSelection(c, clRed, clBlue, clNone, clNone, clRed, clRed, clRed, clRed, clRed, r, 0);
    FillCellBackground(c, r, clRed, true, false, clBlue, true, clNone, clNone, clNone);
    FillCellBackground(c, r, clRed, true, true, clBlue, true, clGreen, clLime, clYellow);
    DrawProgressBar(c, r, clBlue, clYellow, clLime, clFuchsia, 50, 0, 0, 0, 100, "", clRed, false);
    DrawStyledProgressBar(c, r, 50, a);
    DrawProgressPie(c, r, clBlue, false, 50);
    DrawRangeIndicator(c, r, 5, clGreen, clRed, true, 10);
    DrawComboButton(c, r, true, false);
    DrawSpinButtons(c, r, 1, false);
    EXPECT_TRUE(rec.calls.empty()) << rec.calls.front().Op << " for " << r.Left << "," << r.Top << "," << r.Right
                                   << "," << r.Bottom;
  }
}

TEST(CellDrawing, TransparentBitmapShowsItsCornerColourAsTheColourGiven) {
  TBitmap glyph(4, 4);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 4, 4));
  glyph.Canvas()->Brush()->SetColor(clNavy);
  glyph.Canvas()->FillRect(Rect(1, 1, 3, 3));
  auto bmp = Paper(10, 10);
  DrawBitmapTransparent(bmp->Canvas(), &glyph, clYellow, Rect(2, 2, 8, 8));
  ExpectPixels(bmp->Canvas(), {{2, 2, clYellow}, {3, 3, clNavy}, {5, 5, clYellow}, {6, 6, kPaper}}, "glyph");
  // A named resource is drawn the same way.
  TBitmap::RegisterResource("CELLDRAWING_TESTGLYPH", [](TBitmap* b) {
    b->SetSize(3, 3);
    b->Canvas()->Brush()->SetColor(clFuchsia);
    b->Canvas()->FillRect(Rect(0, 0, 3, 3));
    b->Canvas()->SetPixel(1, 1, clNavy);
  });
  auto res = Paper(10, 10);
  DrawResourceBitmap(res->Canvas(), clLime, Rect(4, 4, 9, 9), "CELLDRAWING_TESTGLYPH");
  ExpectPixels(res->Canvas(), {{4, 4, clLime}, {5, 5, clNavy}, {6, 6, clLime}, {7, 7, kPaper}}, "resource");
  EXPECT_THROW(DrawResourceBitmap(res->Canvas(), clLime, Rect(4, 4, 9, 9), "NO_SUCH_GLYPH"), EResNotFound);
}

TEST(CellDrawing, ErrorWaveRunsUnderTheMarkedCharacters) {
  auto bmp = Paper(200, 30);
  TCanvas* c = bmp->Canvas();
  c->Font()->SetName("DejaVu Sans");
  c->Font()->SetSize(9);
  const int from = c->TextWidth("abc ");
  const int to = c->TextWidth("abc def");  // the start of the last marked character
  DrawErrorWave(nullptr, c, "abc defgh", 4, 5, 10, Rect(5, 0, 200, 30));
  const TRect ink = InkOf(c, Rect(0, 0, 200, 30), clRed);
  ASSERT_GT(ink.Width(), 0);
  EXPECT_NEAR(ink.Left, 5 + from, 2);
  EXPECT_NEAR(ink.Right, 5 + to + 3, 4);
  EXPECT_GE(ink.Top, 8);
  EXPECT_LE(ink.Bottom, 16);
}

// The cell drawing routines. Geometry follows the classic drawing arithmetic exactly, so that
// the grids look the same everywhere and pixels can be pinned in tests.
#include "grid/base/ZudAzudDraw.h"

#include <algorithm>
#include <cmath>

#include "classlib/Controls.h"
#include "classlib/Math.h"
#include "classlib/SysUtils.h"

namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

int Channel(TColor c, int shift) { return (ColorToRGB(c) >> shift) & 0xFF; }

int ClampByte(Int64 v) { return static_cast<int>(std::clamp<Int64>(v, 0, 255)); }

void PenAndBrush(TCanvas* Canvas, TColor Color) {
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetColor(Color);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color);
}

void Line(TCanvas* Canvas, int x1, int y1, int x2, int y2) {
  Canvas->MoveTo(x1, y1);
  Canvas->LineTo(x2, y2);
}

void Pixel(TCanvas* Canvas, int x, int y, TColor Color) { Canvas->SetPixel(x, y, Color); }

// The classic flat scroll-arrow button: a raised (or flat) face with a small filled triangle,
// greyed when inactive. Up is true for the arrow pointing up.
void DrawArrowButton(TCanvas* Canvas, const TRect& R, bool Up, bool Inactive) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  Canvas->Pen()->SetWidth(1);
  PenAndBrush(Canvas, clBtnFace);
  Canvas->FillRect(R);
  Canvas->Brush()->SetColor(clBtnShadow);
  Canvas->FrameRect(R);
  const TColor arrow = Inactive ? clBtnShadow : clBtnText;
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  PenAndBrush(Canvas, arrow);
  if (Up)
    Canvas->Polygon({Point(cx - 3, cy + 1), Point(cx + 3, cy + 1), Point(cx, cy - 2)});
  else
    Canvas->Polygon({Point(cx - 3, cy - 1), Point(cx + 3, cy - 1), Point(cx, cy + 2)});
}

}  // namespace

void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color) {
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
}

TColor InterpolateColor(TColor From, TColor To, int Low, int N, int High) {
  if (To == clNone || High == Low) return From;
  auto step = [&](int shift) {
    const int f = Channel(From, shift), t = Channel(To, shift);
    return ClampByte(f + Round(static_cast<Extended>(t - f) / (High - Low) * N));
  };
  return RGB(step(0), step(8), step(16));
}

void DrawGradient(TCanvas* Canvas, TColor From, TColor To, bool Horizontal, TRect R, int Steps) {
  if (R.Top > R.Bottom) std::swap(R.Top, R.Bottom);
  if (R.Left > R.Right) std::swap(R.Left, R.Right);
  if (R.Width() == 0 || R.Height() == 0) return;
  Canvas->Pen()->SetWidth(1);
  if (To == clNone) {
    PenAndBrush(Canvas, From);
    Canvas->Rectangle(R);
    return;
  }
  const int extent = (Horizontal ? R.Width() : R.Height()) - 1;
  Steps = std::max(1, std::min(Steps, extent));
  const Extended step = static_cast<Extended>(extent) / Steps;
  const int r0 = Channel(From, 0), g0 = Channel(From, 8), b0 = Channel(From, 16);
  const int dr = Channel(To, 0) - r0, dg = Channel(To, 8) - g0, db = Channel(To, 16) - b0;
  const int end = Horizontal ? R.Right : R.Bottom;
  for (int i = 0; i <= Steps; ++i) {
    const int offset = static_cast<int>(Trunc(i * step));
    const TColor c = RGB(ClampByte(r0 + Round(static_cast<Extended>(i) * dr / Steps)),
                         ClampByte(g0 + Round(static_cast<Extended>(i) * dg / Steps)),
                         ClampByte(b0 + Round(static_cast<Extended>(i) * db / Steps)));
    PenAndBrush(Canvas, c);
    const int length = static_cast<int>(Trunc(step + 1));
    if (Horizontal) {
      const int a = R.Left + offset;
      Canvas->Rectangle(a, R.Top, std::min(end, a + length), R.Bottom);
    } else {
      const int a = R.Top + offset;
      Canvas->Rectangle(R.Left, a, R.Right, std::min(end, a + length));
    }
  }
}

void DrawStyledSelection(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                         TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor, TColor EdgePixelColor,
                         TColor BackgroundColor, TRect R, int PositionType) {
  R.Bottom -= 2;
  R.Right -= 1;
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const bool leftEnd = PositionType == 0 || PositionType == 1;
  const bool rightEnd = PositionType == 0 || PositionType == 2;
  const int li = leftEnd ? 2 : 0, ri = rightEnd ? 2 : 0;
  const int l = R.Left, t = R.Top, r = R.Right, b = R.Bottom;
  const int mid = (t + b) / 2;
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);

  Canvas->Pen()->SetColor(InnerTopColor);
  Line(Canvas, l, t + 1, r, t + 1);
  if (leftEnd) Line(Canvas, l + 1, t + 1, l + 1, mid);
  if (rightEnd) Line(Canvas, r - 2, t + 1, r - 2, mid);

  Canvas->Pen()->SetColor(InnerBottomColor);
  Line(Canvas, l, b - 1, r, b - 1);
  if (leftEnd) Line(Canvas, l + 1, mid, l + 1, b - 1);
  if (rightEnd) Line(Canvas, r - 2, mid, r - 2, b - 1);

  Canvas->Pen()->SetColor(BorderColor);
  Line(Canvas, l + li, t, r - ri, t);
  Line(Canvas, l + li, b, r - ri, b);
  if (rightEnd) Line(Canvas, r - 1, t + 2, r - 1, b - 1);
  if (leftEnd) Line(Canvas, l, t + 2, l, b - 1);

  auto corners = [&](int inner, int outer) {
    for (auto [x, y] : {std::pair{inner, t}, {inner, t + 1}, {outer, t + 1}, {inner, b}, {inner, b - 1}, {outer, b - 1}})
      Pixel(Canvas, x, y, EdgePixelColor);
    Pixel(Canvas, outer, t, BackgroundColor);
    Pixel(Canvas, outer, b, BackgroundColor);
  };
  if (leftEnd) corners(l + 1, l);
  if (rightEnd) corners(r - 2, r - 1);

  const TRect inner = Rect(l + li, t + 2, r - ri, b - 1);
  if (inner.Width() <= 0 || inner.Height() <= 0) return;
  if (ColorTo == clNone) {
    FillRectColor(Canvas, inner, Color);
  } else if (MirrorColor == clNone) {
    DrawGradient(Canvas, Color, ColorTo, false, inner, 16);
  } else {
    const int half = inner.Top + inner.Height() / 2;
    DrawGradient(Canvas, Color, ColorTo, false, Rect(inner.Left, inner.Top, inner.Right, half), 16);
    DrawGradient(Canvas, MirrorColor, MirrorColorTo, false, Rect(inner.Left, half, inner.Right, inner.Bottom), 16);
  }
}

void FillCellBackground(TCanvas* Canvas, TRect R, TColor Color, bool Fill, bool SidesOnly, TColor BorderColor,
                        bool VerticalHalves, TColor MirrorColor, TColor MirrorColorTo, TColor ColorTo) {
  // The solid fill reaches one row below R, so an empty R must stop here.
  if (R.Width() <= 0 || R.Height() <= 0) return;
  if (Fill && Color != clNone) {
    if (MirrorColor == clNone && ColorTo == clNone) {
      PenAndBrush(Canvas, Color);
      Canvas->Pen()->SetWidth(1);
      Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom + 1);
    } else if (MirrorColor == clNone) {
      DrawGradient(Canvas, Color, ColorTo, !VerticalHalves, R, 128);
    } else if (VerticalHalves) {
      const int half = R.Top + R.Height() / 2;
      DrawGradient(Canvas, Color, ColorTo, false, Rect(R.Left, R.Top, R.Right, half), 128);
      DrawGradient(Canvas, MirrorColor, MirrorColorTo, false, Rect(R.Left, half, R.Right, R.Bottom), 128);
    } else {
      const int half = R.Left + R.Width() / 2;
      DrawGradient(Canvas, Color, ColorTo, true, Rect(R.Left, R.Top, half, R.Bottom), 128);
      DrawGradient(Canvas, MirrorColor, MirrorColorTo, true, Rect(half, R.Top, R.Right, R.Bottom), 128);
    }
  }
  if (BorderColor == clNone) return;
  if (SidesOnly) {
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(BorderColor);
    Line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
    Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
  } else {
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
}

void DrawProgressBar(TCanvas* Canvas, TRect R, TColor Color, TColor TextColor, TColor EmptyColor,
                     TColor EmptyTextColor, double Position, int HMargin, int VMargin, int Min, int Max,
                     const String& FormatText, TColor BorderColor, bool TextOffset) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const TColor entryBrush = Canvas->Brush()->Color();
  String text;
  Int64 fill = 0;
  if (FormatText.empty()) {
    fill = Round(Position);
    text = IntToStr(fill) + "%";
  } else {
    const bool integral = FormatText.find_first_of("du") != String::npos;
    try {
      text = integral ? Format(FormatText, {static_cast<long long>(Round(Position))}) : Format(FormatText, {Position});
    } catch (const Exception&) {
      // A format that does not fit the value shows as it stands rather than breaking the paint.
      text = FormatText;
    }
    fill = Max == Min ? 0 : Round((Position - Min) * 100.0L / (static_cast<Extended>(Max) - Min));
  }
  fill = std::clamp<Int64>(fill, 0, 100);
  R = Rect(R.Left + HMargin, R.Top + VMargin, R.Right - HMargin, R.Bottom - VMargin);
  if (R.Width() > 0 && R.Height() > 0) {
    const int split = R.Left + static_cast<int>(Round(static_cast<Extended>(R.Width()) * fill / 100));
    const TSize size = Canvas->TextExtent(text);
    const int x = R.Left + (R.Width() - size.cx) / 2;
    const int y = TextOffset ? R.Top + (R.Height() + size.cy) / 2 : R.Top + (R.Height() - size.cy) / 2;
    Canvas->Pen()->SetStyle(psSolid);
    if (split > R.Left) {
      PenAndBrush(Canvas, Color);
      Canvas->Font()->SetColor(TextColor);
      Canvas->TextRect(Rect(R.Left, R.Top, split, R.Bottom), x, y, text);
    }
    if (split < R.Right) {
      PenAndBrush(Canvas, EmptyColor);
      Canvas->Font()->SetColor(EmptyTextColor);
      Canvas->TextRect(Rect(split, R.Top, R.Right, R.Bottom), x, y, text);
    }
  }
  R = Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  Canvas->Brush()->SetStyle(bsSolid);
  if (BorderColor != clNone) {
    Canvas->Brush()->SetColor(BorderColor);
    Canvas->FrameRect(R);
  }
  R = Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  Canvas->Brush()->SetColor(entryBrush);
  Canvas->FrameRect(R);
}

namespace {

// One block or segment of a styled bar: two gradient halves across the bar, or a plain fill.
void FillProgressBlock(TCanvas* Canvas, const TRect& B, TColor Color, TColor ColorTo,
                       const TProgressAppearance& A) {
  if (B.Width() <= 0 || B.Height() <= 0) return;
  if (!A.ShowGradient) {
    FillRectColor(Canvas, B, Color);
    return;
  }
  if (A.Vertical) {
    const int half = B.Left + B.Width() / 2;
    DrawGradient(Canvas, ColorTo, Color, true, Rect(B.Left, B.Top, half, B.Bottom), A.Steps);
    DrawGradient(Canvas, Color, ColorTo, true, Rect(half, B.Top, B.Right, B.Bottom), A.Steps);
  } else {
    const int half = B.Top + B.Height() / 2;
    DrawGradient(Canvas, ColorTo, Color, false, Rect(B.Left, B.Top, B.Right, half), A.Steps);
    DrawGradient(Canvas, Color, ColorTo, false, Rect(B.Left, half, B.Right, B.Bottom), A.Steps);
  }
}

}  // namespace

void DrawStyledProgressBar(TCanvas* Canvas, TRect R, int Percent, TProgressAppearance A) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  int along = A.Vertical ? R.Height() : R.Width();
  const TColor pen = A.ShowBorder ? A.BorderColor : A.BackgroundColor;
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetColor(pen);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(A.BackgroundColor);
  Canvas->Rectangle(R);
  along -= 2;
  // A stretch [from, to) along the bar, inset Across pixels across it; vertical bars grow up.
  auto block = [&](int from, int to, int across) {
    if (A.Vertical) return Rect(R.Left + across, R.Bottom - 1 - to, R.Right - across, R.Bottom - 1 - from);
    return Rect(R.Left + 1 + from, R.Top + across, R.Left + 1 + to, R.Bottom - across);
  };
  auto part = [&](Extended percent) { return static_cast<int>(Round(along * percent / 100)); };
  const int p = Percent;
  if (p > 0) {
    if (A.Stacked) {
      const int end1 = part(std::min(p, A.Level1Perc));
      FillProgressBlock(Canvas, block(0, end1, 1), A.Level0Color, A.Level0ColorTo, A);
      if (p >= A.Level1Perc) {
        const int end2 = part(std::min(p, A.Level2Perc));
        FillProgressBlock(Canvas, block(end1, end2, 1), A.Level1Color, A.Level1ColorTo, A);
        if (p >= A.Level2Perc) {
          const int end3 = p >= 100 ? along : part(p);
          FillProgressBlock(Canvas, block(end2, end3, 1), A.Level3Color, A.Level3ColorTo, A);
        }
      }
    } else {
      TColor c = A.Level2Color, ct = A.Level2ColorTo;
      if (p < A.Level1Perc) {
        c = A.Level0Color;
        ct = A.Level0ColorTo;
      } else if (p < A.Level2Perc) {
        c = A.Level1Color;
        ct = A.Level1ColorTo;
      } else if (p > 99) {
        c = A.Level3Color;
        ct = A.Level3ColorTo;
      }
      if (A.CompletionSmooth) {
        FillProgressBlock(Canvas, block(0, part(p), 1), c, ct, A);
      } else {
        const int u = part(p);
        if (u < 10) {
          if (u > 1) FillProgressBlock(Canvas, block(0, u, 2), c, ct, A);
        } else {
          for (int k = 0; k < u / 9; ++k) FillProgressBlock(Canvas, block(k * 9, k * 9 + 7, 2), c, ct, A);
          if (u % 9 > 2) FillProgressBlock(Canvas, block(u / 9 * 9, u / 9 * 9 + u % 9, 2), c, ct, A);
        }
        Canvas->Brush()->SetStyle(bsClear);
      }
    }
  }
  if (A.ShowPercentage) {
    if (A.Font != nullptr) Canvas->Font()->Assign(A.Font);
    Canvas->Font()->SetColor(A.FontColor);
    Canvas->Brush()->SetStyle(bsClear);
    const String text = IntToStr(Percent) + "%";
    if (A.Vertical) {
      // Text turned a quarter to the left runs upward from its origin, its top facing left:
      // the origin sits half the text's height left of the centre and half its width below.
      const TSize size = Canvas->TextExtent(text);
      Canvas->Font()->SetOrientation(900);
      Canvas->TextOut((R.Left + R.Right) / 2 - size.cy / 2, (R.Top + R.Bottom) / 2 + size.cx / 2, text);
      Canvas->Font()->SetOrientation(0);
    } else {
      TRect box = R;
      Canvas->DrawText(text, box, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
  }
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Pen()->SetColor(pen);
  Canvas->Rectangle(R);
}

void DrawProgressPie(TCanvas* Canvas, TRect R, TColor FillColor, bool Flag, int Percent) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetColor(clGray);
  Canvas->Pen()->SetWidth(1);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->Ellipse(R);
  const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
  const Extended angle = Percent / 100.0L * 2 * kPi;
  Canvas->MoveTo(cx, R.Top);
  Canvas->LineTo(cx, cy);
  Canvas->LineTo(cx + static_cast<int>(Round((R.Width() + 1) / 2.0L * std::sin(angle))),
                 cy - static_cast<int>(Round((R.Height() + 1) / 2.0L * std::cos(angle))));
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(FillColor);
  Canvas->FloodFill(cx + 2, Flag ? R.Top - 2 : R.Top + 2, clGray, fsBorder);
}

void DrawRangeIndicator(TCanvas* Canvas, TRect R, double Value, TColor PositiveColor, TColor NegativeColor,
                        bool ShowValue, double Range) {
  R = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const int half = R.Width() / 2;
  const int centre = R.Left + half;
  // Without a range there is no scale to draw the bar on.
  if (Range > 0) {
    const double v = std::clamp(Value, -Range, Range);
    const int length = static_cast<int>(Round(half * v / Range));
    const TColor c = v < 0 ? NegativeColor : PositiveColor;
    PenAndBrush(Canvas, c);
    Canvas->Pen()->SetWidth(1);
    if (v < 0)
      Canvas->Rectangle(centre + length, R.Top, centre, R.Bottom);
    else
      Canvas->Rectangle(centre, R.Top, centre + length, R.Bottom);
  }
  if (ShowValue) {
    const int oldMode = SetBkMode(Canvas->Handle(), TRANSPARENT);
    DrawText(Canvas->Handle(), FloatToStr(Value), -1, &R, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(Canvas->Handle(), oldMode);
  }
}

std::vector<TPoint> CellShapePolygon(int X, int Y, TCellShape Shape, int H, int W) {
  const int w2 = W / 2, h2 = H / 2;
  auto star = [&](std::initializer_list<int> ks) {
    std::vector<TPoint> pts;
    const int cx = X + w2, cy = Y + h2;
    for (int k : ks) {
      const Extended a = k * 36 * kPi / 180;
      const Extended rx = k % 2 == 0 ? w2 : w2 / 3.0L, ry = k % 2 == 0 ? h2 : h2 / 3.0L;
      pts.push_back(Point(cx + static_cast<int>(Round(std::sin(a) * rx)), cy - static_cast<int>(Round(std::cos(a) * ry))));
    }
    return pts;
  };
  const int We = W & ~1, q = We / 4;
  const int He = H & ~1, v = He / 4;
  switch (Shape) {
    case csTriangleLeft: return {Point(X + W, Y), Point(X + W, Y + H), Point(X, Y + h2)};
    case csTriangleRight: return {Point(X, Y), Point(X, Y + H), Point(X + W, Y + h2)};
    case csTriangleUp: return {Point(X, Y + H), Point(X + W, Y + H), Point(X + w2, Y)};
    case csTriangleDown: return {Point(X, Y), Point(X + W, Y), Point(X + w2, Y + H)};
    case csDiamond: return {Point(X, Y + h2), Point(X + w2, Y), Point(X + 2 * w2, Y + h2), Point(X + w2, Y + 2 * h2)};
    case csStar: return star({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    case csHalfStar: return star({0, 5, 6, 7, 8, 9});
    case csArrowUp:
      return {Point(X, Y + h2), Point(X + We / 2, Y), Point(X + We, Y + h2), Point(X + 3 * q, Y + h2),
              Point(X + 3 * q, Y + H), Point(X + q, Y + H), Point(X + q, Y + h2)};
    case csArrowDown:
      return {Point(X, Y + h2), Point(X + We / 2, Y + H), Point(X + We, Y + h2), Point(X + 3 * q, Y + h2),
              Point(X + 3 * q, Y), Point(X + q, Y), Point(X + q, Y + h2)};
    case csArrowLeft:
      return {Point(X, Y + He / 2), Point(X + w2, Y), Point(X + w2, Y + v), Point(X + W, Y + v),
              Point(X + W, Y + 3 * v), Point(X + w2, Y + 3 * v), Point(X + w2, Y + He)};
    case csArrowRight:
      return {Point(X + W, Y + He / 2), Point(X + w2, Y), Point(X + w2, Y + v), Point(X, Y + v),
              Point(X, Y + 3 * v), Point(X + w2, Y + 3 * v), Point(X + w2, Y + He)};
    default: return {};
  }
}

void DrawCellShape(TCanvas* Canvas, int X, int Y, TColor BorderColor, TColor FillColor, TCellShape Shape, int H,
                   int W) {
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(FillColor);
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetColor(BorderColor);
  if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) W = H = std::min(W, H);
  const int w2 = W / 2, h2 = H / 2;
  switch (Shape) {
    case csRectangle:
    case csSquare: Canvas->Rectangle(X + 1, Y + 1, X + W - 1, Y + H - 1); break;
    case csCircle:
    case csEllips: Canvas->Ellipse(X, Y, X + W, Y + H); break;
    case csLineVert: Canvas->Rectangle(X + w2, Y, X + w2 + 1, Y + H); break;
    case csLineHorz: Canvas->Rectangle(X, Y + h2, X + W, Y + h2 + 1); break;
    case csRoundRect:
    case csRoundSquare: Canvas->RoundRect(X, Y, X + W, Y + H, 10, 10); break;
    default: {
      const std::vector<TPoint> pts = CellShapePolygon(X, Y, Shape, H, W);
      if (!pts.empty()) Canvas->Polygon(pts);
    }
  }
}

void DrawComboButton(TCanvas* Canvas, TRect R, bool Enabled, bool) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  // Themes are not drawn on this platform; the classic flat combo button stands for both.
  const TRect box = Rect(R.Right - 17 - 2, R.Top + 1, R.Right - 2, R.Bottom - 1);
  DrawArrowButton(Canvas, box, false, !Enabled);
}

void DrawSpinButtons(TCanvas* Canvas, TRect R, int Enabled, bool) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  const TRect box = Rect(R.Right - 15 - 1, R.Top - 1, R.Right - 1, R.Bottom - 1);
  const int mid = (box.Top + box.Bottom) / 2;
  // The classic enabled look only for exactly 1.
  const bool inactive = Enabled != 1;
  DrawArrowButton(Canvas, Rect(box.Left, box.Top, box.Right, mid), true, inactive);
  DrawArrowButton(Canvas, Rect(box.Left, mid + 1, box.Right, box.Bottom), false, inactive);
}

void DrawDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color) {
  PenAndBrush(Canvas, Color);
  Canvas->Pen()->SetWidth(1);
  Canvas->Polygon({Point(X - 3, Y), Point(X + 3, Y), Point(X, Y + 3)});
}

void DrawErrorWave(TControl* Owner, TCanvas* Canvas, const String& Text, int Count, int Start, int Offset, TRect R) {
  if (Count <= 0 || Start < 1 || R.Width() <= 0) return;
  // The positions an edit would report: measured in the owner's font on one line.
  TCanvasStateSaver saver(Canvas);
  if (Owner != nullptr) Canvas->Font()->Assign(Owner->Font());
  const int n = static_cast<int>(Text.size());
  auto xOf = [&](int index) {  // 0-based character start; past the end: the end plus 4
    if (index >= n) return Canvas->TextWidth(Text) + 4;
    return Canvas->TextWidth(Text.substr(0, static_cast<size_t>(std::max(0, index))));
  };
  const int first = xOf(Start - 1), last = xOf(Start + Count - 2);
  Canvas->Pen()->SetStyle(psSolid);
  Canvas->Pen()->SetColor(clRed);
  Canvas->Pen()->SetWidth(2);
  int x = first + R.Left;
  const int y = R.Top + Offset + 3;
  const int stop = R.Left + last + 3;
  Canvas->MoveTo(x, y);
  bool up = true;
  while (x < stop) {
    x += 3;
    Canvas->LineTo(x, up ? y - 3 : y);
    up = !up;
  }
}

void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R) {
  if (Bitmap == nullptr || Bitmap->Empty()) return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  const TColor transparent = Bitmap->Canvas()->Pixel(0, 0);
  TBitmap copy(w, h);
  copy.Canvas()->Brush()->SetStyle(bsSolid);
  copy.Canvas()->Brush()->SetColor(Color);
  copy.Canvas()->BrushCopy(Rect(0, 0, w, h), Bitmap, Rect(0, 0, w, h), transparent);
  Canvas->Draw(R.Left, R.Top, &copy);
}

void DrawResourceBitmap(TCanvas* Canvas, TColor Color, const TRect& R, const String& ResourceName) {
  TBitmap bitmap;
  bitmap.LoadFromResourceName(ResourceName);
  DrawBitmapTransparent(Canvas, &bitmap, Color, R);
}

bool CallUpdateLayeredWindow(HWND, HDC, const TPoint*, const TSize*, HDC, const TPoint*, TColor, const void*,
                             uint32_t) {
  return true;
}

bool CallSetLayeredWindowAttributes(HWND, TColor, Byte, uint32_t) { return true; }

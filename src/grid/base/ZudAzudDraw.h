// The grid family's cell decorations, drawn on a canvas: styled selection boxes, gradients and
// cell backgrounds, progress bars and pies, range indicators, cell shapes, combo and spin
// buttons, the error wave and transparent bitmaps. None keeps state; each leaves the canvas
// with the pen and brush it last set, so callers restore what they need.
//
// Pixel rules are the canvas's: no antialiasing, fills cover [Left, Right) x [Top, Bottom),
// LineTo leaves out its end point. Colour steps round halves to the even neighbour.
#pragma once

#include "classlib/Colors.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"

class TControl;

enum TCellShape { csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
                  csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
                  csArrowDown, csArrowLeft, csArrowRight, csHalfStar };

// How a styled progress bar looks; the grid fills it from its progress appearance settings.
struct TProgressAppearance {
  TColor Level0Color = clLime;
  TColor Level0ColorTo = clLime;
  TColor Level1Color = clYellow;
  TColor Level1ColorTo = clYellow;
  TColor Level2Color = 0x00A5FF;
  TColor Level2ColorTo = 0x00A5FF;
  TColor Level3Color = clRed;
  TColor Level3ColorTo = clRed;
  int Level1Perc = 70;
  int Level2Perc = 90;
  TColor BorderColor = clBlack;
  bool ShowBorder = false;
  bool Stacked = false;
  bool ShowPercentage = true;
  TFont* Font = nullptr;  // nullptr: the canvas's font
  TColor FontColor = clBlack;
  bool CompletionSmooth = true;
  bool ShowGradient = true;
  int Steps = 11;
  TColor BackgroundColor = clWhite;
  bool Vertical = false;
};

// A selection box of a row selection: PositionType 0 single cell, 1 first, 2 last, 3 inner.
void DrawStyledSelection(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                         TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor, TColor EdgePixelColor,
                         TColor BackgroundColor, TRect R, int PositionType);
// Strips from From to To, left to right when Horizontal, else top to bottom; a plain
// rectangle in From when To is clNone.
void DrawGradient(TCanvas* Canvas, TColor From, TColor To, bool Horizontal, TRect R, int Steps);
void FillCellBackground(TCanvas* Canvas, TRect R, TColor Color, bool Fill, bool SidesOnly, TColor BorderColor,
                        bool VerticalHalves, TColor MirrorColor, TColor MirrorColorTo, TColor ColorTo);
// The colour N steps of (High - Low) from From towards To; From when To is clNone or the bounds
// are equal.
TColor InterpolateColor(TColor From, TColor To, int Low, int N, int High);
void FillRectColor(TCanvas* Canvas, const TRect& R, TColor Color);

// A bar filled to Position percent (or Position between Min and Max with a format text), its
// text centred, each part clipped to its own colours. Min equal to Max fills nothing.
void DrawProgressBar(TCanvas* Canvas, TRect R, TColor Color, TColor TextColor, TColor EmptyColor,
                     TColor EmptyTextColor, double Position, int HMargin, int VMargin, int Min, int Max,
                     const String& FormatText, TColor BorderColor, bool TextOffset);
void DrawStyledProgressBar(TCanvas* Canvas, TRect R, int Percent, TProgressAppearance Appearance);
void DrawProgressPie(TCanvas* Canvas, TRect R, TColor FillColor, bool Flag, int Percent);
// A bar from the middle towards Value (clamped to -Range..Range); Range 0 draws no bar.
void DrawRangeIndicator(TCanvas* Canvas, TRect R, double Value, TColor PositiveColor, TColor NegativeColor,
                        bool ShowValue, double Range);
void DrawCellShape(TCanvas* Canvas, int X, int Y, TColor BorderColor, TColor FillColor, TCellShape Shape, int H,
                   int W);
// The points of a shape as DrawCellShape draws them as a polygon (empty for the others).
std::vector<TPoint> CellShapePolygon(int X, int Y, TCellShape Shape, int H, int W);
// Buttons as the inplace editors show them; this platform draws the classic look.
void DrawComboButton(TCanvas* Canvas, TRect R, bool Enabled, bool Themed);
void DrawSpinButtons(TCanvas* Canvas, TRect R, int Enabled, bool Themed);
void DrawDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color);
// The red zigzag under Count characters from Start (1-based) of a single-line Text drawn at R
// in the owner's font.
void DrawErrorWave(TControl* Owner, TCanvas* Canvas, const String& Text, int Count, int Start, int Offset, TRect R);
// The bitmap with its top-left pixel's colour shown as Color.
void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, const TRect& R);
// The named bitmap resource drawn the same way (EResNotFound for a name nobody registered).
void DrawResourceBitmap(TCanvas* Canvas, TColor Color, const TRect& R, const String& ResourceName);

// The layered-window calls of the system's window library, looked up when called. This
// platform has no such library, and a missing one counts as success (the window just stays
// opaque), so both answer True.
bool CallUpdateLayeredWindow(HWND Wnd, HDC DstDC, const TPoint* DstPos, const TSize* Size, HDC SrcDC,
                             const TPoint* SrcPos, TColor Key, const void* Blend, uint32_t Flags);
bool CallSetLayeredWindowAttributes(HWND Wnd, TColor Key, Byte Alpha, uint32_t Flags);

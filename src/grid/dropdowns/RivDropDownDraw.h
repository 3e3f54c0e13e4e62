// The drawing routines of the drop-down family: gradient fills, colour blending and scaling,
// button faces, an image beside a text, transparent bitmaps, text measuring and fitting, and
// formatted (HTML subset) text. The grid's painting uses FillGradientRect too.
//
// None keeps state; each does nothing without a canvas. Colours pass through ColorToRGB, so
// system colours work; rounding takes halves to the even neighbour.
#pragma once

#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "grid/base/HTMLEngine.h"
#include "grid/dropdowns/RivDropDownTypes.h"

class TBitmap;
class TCustomImageList;

// Steps bands from Color towards ColorTo (the last band stops one step short of ColorTo),
// left to right when Horizontal, else top to bottom. Steps 0 counts as 1.
void FillGradientRect(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps, TRect R, bool Horizontal);
// Percent of Color1 and the rest of Color2; 100 or more gives Color1, 0 or less Color2.
TColor BlendColor(TColor Color1, TColor Color2, int Percent);
// Each channel scaled by (100 + Delta) percent (at most 100); a zero channel becomes Delta when
// that is positive.
TColor ScaleColorChannels(TColor Color, int DeltaR, int DeltaG, int DeltaB);
// A gradient (ColorTo set) or solid face with an optional frame of BorderWidth pixels.
void DrawButtonFace(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor BorderColor, int BorderWidth,
                    TGradientDirection Gradient);
// An image at the left and the text after it, or the text centred without one; one line,
// vertically centred, cut with an ellipsis.
void DrawImageAndText(TCanvas* Canvas, TRect R, const String& Text, TCustomImageList* Images, int ImageIndex);
// The bitmap at R's top-left corner with its top-left pixel's colour shown as Color.
void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, TRect R);
// A canvas for measuring text outside painting.
TCanvas* MeasuringCanvas();
// Width and height of the text on one line; (0, 0) for the empty text.
TSize TextExtent(TCanvas* Canvas, const String& Text);
// The text, shortened from its end (with "..." when Ellipsis) until narrower than MaxWidth;
// the whole text when no shortening fits.
void FitText(TCanvas* Canvas, const String& Text, int MaxWidth, bool Ellipsis, String& Fitted);
// Measures (Draw false) or draws formatted text in R; Size gets its width and height.
void DrawHTMLText(TCanvas* Canvas, const String& Text, TRect R, TCustomImageList* Images, bool Draw, HWND Window,
                  TSize& Size);

// An image list as the formatted-text engine asks for one (<IMG SRC="IDX:n">).
class TImageListHTMLImages : public THTMLImageList {
 public:
  explicit TImageListHTMLImages(TCustomImageList* Images) : FImages(Images) {}
  int Count() override;
  int Width() override;
  int Height() override;
  void Draw(TCanvas* Canvas, int X, int Y, int Index) override;
  void GetBitmap(int Index, TBitmap* Bitmap) override;

 private:
  TCustomImageList* FImages;
};

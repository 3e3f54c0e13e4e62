#include "grid/dropdowns/RivDropDownDraw.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/ImgList.h"
#include "classlib/Math.h"

void FillGradientRect(TCanvas* Canvas, TColor Color, TColor ColorTo, int Steps, TRect R, bool Horizontal) {
  if (Canvas == nullptr) return;
  if (Steps == 0) Steps = 1;
  const TColor from = ColorToRGB(Color);
  const TColor to = ColorToRGB(ColorTo);
  const int r1 = GetRValue(from), g1 = GetGValue(from), b1 = GetBValue(from);
  const int dr = GetRValue(to) - r1, dg = GetGValue(to) - g1, db = GetBValue(to) - b1;
  double band = 0;
  if (Horizontal) {
    R.Right -= 1;
    band = static_cast<double>(R.Right - R.Left) / Steps;
  } else {
    R.Bottom -= 1;
    band = static_cast<double>(R.Bottom - R.Top) / Steps;
  }
  const int width = static_cast<int>(Round(band)) + 1;
  for (int n = 0; n < Steps; ++n) {
    auto step = [&](int delta) { return static_cast<int>(Round(static_cast<double>(n) * delta / Steps)); };
    TColor c = RGB(r1 + step(dr), g1 + step(dg), b1 + step(db));
    Canvas->Pen()->SetColor(c);
    Canvas->Brush()->SetColor(c);
    const int start = static_cast<int>(Round(n * band));
    if (Horizontal)
      Canvas->Rectangle(R.Left + start, R.Top, R.Left + start + width, R.Bottom);
    else
      Canvas->Rectangle(R.Left, R.Top + start, R.Right, R.Top + start + width);
  }
}

TColor BlendColor(TColor Color1, TColor Color2, int Percent) {
  if (Percent >= 100) return Color1;
  if (Percent <= 0) return Color2;
  const TColor c1 = ColorToRGB(Color1);
  const TColor c2 = ColorToRGB(Color2);
  const double p = Percent / 100.0;
  auto mix = [p](int a, int b) { return static_cast<int>(Round(p * a + (1 - p) * b)); };
  return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)), mix(GetBValue(c1), GetBValue(c2)));
}

TColor ScaleColorChannels(TColor Color, int DeltaR, int DeltaG, int DeltaB) {
  const TColor c = ColorToRGB(Color);
  auto scale = [](int channel, int delta) {
    if (channel == 0) return std::max(0, delta);
    return static_cast<int>(Round(std::min(100, 100 + delta) / 100.0 * channel));
  };
  return RGB(scale(GetRValue(c), DeltaR), scale(GetGValue(c), DeltaG), scale(GetBValue(c), DeltaB));
}

void DrawButtonFace(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor BorderColor, int BorderWidth,
                    TGradientDirection Gradient) {
  if (Canvas == nullptr) return;
  if (ColorTo != clNone) {
    FillGradientRect(Canvas, Color, ColorTo, 80, R, Gradient == gdHorizontal);
  } else if (Color != clNone) {
    Canvas->Brush()->SetColor(Color);
    Canvas->Pen()->SetColor(Color);
    Canvas->FillRect(R);
  }
  if (BorderColor != clNone && BorderWidth > 0) {
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetWidth(BorderWidth);
    Canvas->Pen()->SetColor(BorderColor);
    Canvas->Rectangle(R);
    Canvas->Pen()->SetWidth(1);
  }
}

void DrawImageAndText(TCanvas* Canvas, TRect R, const String& Text, TCustomImageList* Images, int ImageIndex) {
  if (Canvas == nullptr) return;
  uint32_t format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (ImageIndex >= 0 && Images != nullptr) {
    Images->Draw(Canvas, R.Left + 4, R.Top + (R.Height() - Images->Height()) / 2, ImageIndex);
    R.Left += Images->Width() + 8;
  } else {
    format |= DT_CENTER;
  }
  Canvas->DrawText(Text, R, format);
}

void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor Color, TRect R) {
  if (Canvas == nullptr || Bitmap == nullptr || Bitmap->Empty()) return;
  TBitmap copy(Bitmap->Width(), Bitmap->Height());
  const TRect all = Rect(0, 0, Bitmap->Width(), Bitmap->Height());
  copy.Canvas()->Brush()->SetColor(Color);
  copy.Canvas()->BrushCopy(all, Bitmap, all, Bitmap->Canvas()->Pixel(0, 0));
  Canvas->CopyRect(R, copy.Canvas(), Rect(0, 0, R.Width(), R.Height()));
}

TSize TextExtent(TCanvas* Canvas, const String& Text) {
  if (Canvas == nullptr || Text.empty()) return TSize{};
  TRect r = Rect(0, 0, 1000, 500);
  Canvas->DrawText(Text, r, DT_CALCRECT | DT_SINGLELINE);
  return TSize{r.Width(), r.Height()};
}

void FitText(TCanvas* Canvas, const String& Text, int MaxWidth, bool Ellipsis, String& Fitted) {
  Fitted = Text;
  if (Canvas == nullptr || TextExtent(Canvas, Text).cx < MaxWidth) return;
  for (size_t k = 1; k <= Text.size(); ++k) {
    String tried = Text.substr(0, Text.size() - k);
    if (Ellipsis) tried += "...";
    if (TextExtent(Canvas, tried).cx < MaxWidth) {
      Fitted = tried;
      return;
    }
  }
}

void DrawHTMLText(TCanvas* Canvas, const String& Text, TRect R, TCustomImageList* Images, bool Draw, HWND Window,
                  TSize& Size) {
  Size = TSize{};
  if (Canvas == nullptr || Text.empty()) return;
  TImageListHTMLImages images(Images);
  THTMLRenderParams params;
  params.Images = Images != nullptr ? &images : nullptr;
  params.MeasureOnly = !Draw;
  params.Window = Window;
  THTMLRenderResult result;
  RenderHTMLText(Canvas, Text, R, params, result);
  Size = TSize{result.Width, result.Height};
}

int TImageListHTMLImages::Count() { return FImages != nullptr ? FImages->Count() : 0; }
int TImageListHTMLImages::Width() { return FImages != nullptr ? FImages->Width() : 0; }
int TImageListHTMLImages::Height() { return FImages != nullptr ? FImages->Height() : 0; }

void TImageListHTMLImages::Draw(TCanvas* Canvas, int X, int Y, int Index) {
  if (FImages != nullptr) FImages->Draw(Canvas, X, Y, Index);
}

void TImageListHTMLImages::GetBitmap(int Index, TBitmap* Bitmap) {
  if (FImages != nullptr) FImages->GetBitmap(Index, Bitmap);
}

TCanvas* MeasuringCanvas() {
  static TBitmap bitmap(1, 1);
  return bitmap.Canvas();
}

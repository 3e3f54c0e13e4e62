#include "classlib/GraphicsObjects.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// a * b / c rounded half away from zero, the rounding the point/pixel conversions use.
int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  long long p = static_cast<long long>(a) * b;
  long long q = c;
  if (q < 0) {
    p = -p;
    q = -q;
  }
  long long r = p >= 0 ? (p + q / 2) / q : -((-p + q / 2) / q);
  return static_cast<int>(r);
}

String Lower(String s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

void TGraphicsObject::Changed() {
  ++FChangeCount;
  if (OnChange) OnChange(this);
}

// ---- TFont --------------------------------------------------------------------------------

TFont::TFont() = default;

void TFont::Assign(TPersistent* Source) {
  if (auto* same = dynamic_cast<TFont*>(Source)) {
    Assign(*same);
    return;
  }
  TPersistent::Assign(Source);
}

void TFont::Assign(const TFont& other) {
  const TFont* source = &other;
  if (source == this) return;
  if (*this == *source) return;
  FName = source->FName;
  // The height is carried over in points when the resolutions differ, as a font assigned
  // between a screen and a printer canvas keeps its size on paper.
  FHeight = source->FPixelsPerInch == FPixelsPerInch ? source->FHeight
                                                       : -MulDivRound(source->Size(), FPixelsPerInch, 72);
  FColor = source->FColor;
  FStyle = source->FStyle;
  FCharset = source->FCharset;
  FPitch = source->FPitch;
  FOrientation = source->FOrientation;
  Changed();
}

void TFont::SetName(const String& name) {
  if (name.empty() || name == FName) return;
  FName = name;
  Changed();
}

int TFont::Size() const { return -MulDivRound(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDivRound(points, FPixelsPerInch, 72)); }

void TFont::SetHeight(int height) {
  if (height == FHeight) return;
  FHeight = height;
  Changed();
}

void TFont::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == FCharset) return;
  FCharset = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == FPitch) return;
  FPitch = pitch;
  Changed();
}

void TFont::SetOrientation(int tenths) {
  if (tenths == FOrientation) return;
  FOrientation = tenths;
  Changed();
}

void TFont::SetPixelsPerInch(int ppi) {
  if (ppi <= 0 || ppi == FPixelsPerInch) return;
  FPixelsPerInch = ppi;
  Changed();
}

bool operator==(const TFont& a, const TFont& b) {
  return a.FName == b.FName && a.FHeight == b.FHeight && a.FColor == b.FColor && a.FStyle == b.FStyle &&
         a.FCharset == b.FCharset && a.FPitch == b.FPitch && a.FOrientation == b.FOrientation &&
         a.FPixelsPerInch == b.FPixelsPerInch;
}

String TFont::SubstituteFamily(const String& name) {
  String key = Lower(name);
  if (key.rfind("dejavu", 0) == 0) return name;
  static const char* const kMono[] = {"courier new", "courier", "lucida console", "consolas", "fixedsys",
                                      "terminal", "monospace", "fixed"};
  static const char* const kSerif[] = {"times new roman", "times", "ms serif", "georgia", "serif",
                                       "book antiqua", "garamond", "palatino linotype"};
  for (const char* m : kMono)
    if (key == m) return "DejaVu Sans Mono";
  for (const char* s : kSerif)
    if (key == s) return "DejaVu Serif";
  // Tahoma, MS Sans Serif, Arial, Verdana, Segoe UI, MS Shell Dlg and anything unknown.
  return "DejaVu Sans";
}

// ---- TPen ---------------------------------------------------------------------------------

void TPen::Assign(TPersistent* Source) {
  if (auto* same = dynamic_cast<TPen*>(Source)) {
    Assign(*same);
    return;
  }
  TPersistent::Assign(Source);
}

void TPen::Assign(const TPen& other) {
  const TPen* source = &other;
  if (source == this) return;
  if (FColor == source->FColor && FWidth == source->FWidth && FStyle == source->FStyle && FMode == source->FMode)
    return;
  FColor = source->FColor;
  FWidth = source->FWidth;
  FStyle = source->FStyle;
  FMode = source->FMode;
  Changed();
}

void TPen::SetColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  Changed();
}

void TPen::SetWidth(int width) {
  width = std::max(width, 1);
  if (width == FWidth) return;
  FWidth = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TPen::SetMode(TPenMode mode) {
  if (mode == FMode) return;
  FMode = mode;
  Changed();
}

// ---- TBrush -------------------------------------------------------------------------------

void TBrush::Assign(TPersistent* Source) {
  if (auto* same = dynamic_cast<TBrush*>(Source)) {
    Assign(*same);
    return;
  }
  TPersistent::Assign(Source);
}

void TBrush::Assign(const TBrush& other) {
  const TBrush* source = &other;
  if (source == this) return;
  if (FColor == source->FColor && FStyle == source->FStyle && FBitmap == source->FBitmap) return;
  FColor = source->FColor;
  FStyle = source->FStyle;
  FBitmap = source->FBitmap;
  Changed();
}

void TBrush::SetColor(TColor color) {
  if (color == FColor && FStyle != bsClear) return;
  FColor = color;
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  if (bitmap == FBitmap) return;
  FBitmap = bitmap;
  Changed();
}

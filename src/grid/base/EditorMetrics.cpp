#include "grid/base/EditorMetrics.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/SysUtils.h"

int FontTextHeight(const TFont* Font) {
  TBitmap measure(1, 1);
  measure.Canvas()->Font()->Assign(*Font);
  return measure.Canvas()->TextHeight("0");
}

int SystemFontTextHeight() {
  TFont system;
  return FontTextHeight(&system);
}

int ExtraEditHeight(const TFont* Font) { return std::min(FontTextHeight(Font), SystemFontTextHeight()) / 4; }

TRect EmbeddedButtonBounds(int Width, int Height, int ButtonWidth, bool Ctl3D, bool HasBorder) {
  if (Ctl3D) {
    // Inside the sunken border; without a border the button reaches the edge.
    int extra = HasBorder ? 0 : 4;
    return Bounds(Width - ButtonWidth - 5 + extra, 0, ButtonWidth, Height - 5 + extra);
  }
  return Bounds(Width - ButtonWidth, 1, ButtonWidth, Height - 3);
}

String VersionNumberText(uint32_t Number) {
  return IntToStr(static_cast<int>(Number >> 24)) + "." + IntToStr(static_cast<int>((Number >> 16) & 0xFF)) + "." +
         IntToStr(static_cast<int>((Number >> 8) & 0xFF)) + "." + IntToStr(static_cast<int>(Number & 0xFF));
}

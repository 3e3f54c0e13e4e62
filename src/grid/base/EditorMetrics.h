// Sizes the inplace editors share: text heights of a font and of the system font, the
// minimum height of an edit with an embedded button, and where that button goes.
#pragma once

#include "classlib/Controls.h"
#include "classlib/Forms.h"

class TFont;

using TBorderStyle = TFormBorderStyle;

// The width of the platform's vertical scroll bar (the drop button of a combo box).
constexpr int kVScrollBarWidth = 17;
// The thickness of a single window border.
constexpr int kBorderHeight = 1;

int FontTextHeight(const TFont* Font);
int SystemFontTextHeight();
// The smaller of the font's and the system font's text heights, div 4.
int ExtraEditHeight(const TFont* Font);
// The embedded button's bounds for an edit of this size: to the right inside the border.
TRect EmbeddedButtonBounds(int Width, int Height, int ButtonWidth, bool Ctl3D, bool HasBorder);

// A version number shown as its four bytes from the highest, joined by "." ($01020001: 1.2.0.1).
String VersionNumberText(uint32_t Number);

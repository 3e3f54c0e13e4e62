// The classic device-context calls, on a canvas: HDC is a TCanvas*. Code written against the
// handle-level interface (DrawText with a handle, background modes, mapping modes, BitBlt)
// calls these; each forwards to the canvas with the same meaning.
#pragma once

#include "classlib/Canvas.h"

// GetDeviceCaps indexes.
constexpr int HORZSIZE = 4;   // millimetres
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;    // pixels
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// Region kinds GetClipBox answers.
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// count -1 = the whole text; otherwise the first count bytes.
int DrawText(HDC dc, const String& text, int count, TRect* rect, uint32_t format);
int DrawTextEx(HDC dc, const String& text, int count, TRect* rect, uint32_t format, void* params = nullptr);

int SetBkMode(HDC dc, int mode);        // returns the previous mode
int GetBkMode(HDC dc);
TColor SetBkColor(HDC dc, TColor color);  // returns the previous colour
TColor GetBkColor(HDC dc);
TColor SetTextColor(HDC dc, TColor color);
TColor GetTextColor(HDC dc);

int SetMapMode(HDC dc, int mode);  // returns the previous mode
int GetMapMode(HDC dc);
bool LPtoDP(HDC dc, TPoint* points, int count);
bool DPtoLP(HDC dc, TPoint* points, int count);
int GetDeviceCaps(HDC dc, int index);

int SaveDC(HDC dc);
bool RestoreDC(HDC dc, int level);
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int GetClipBox(HDC dc, TRect* rect);

bool GetTextExtentPoint32(HDC dc, const String& text, int count, TSize* size);
bool GetTextMetrics(HDC dc, TTextMetric* metrics);
bool MoveToEx(HDC dc, int x, int y, TPoint* previous);
bool LineTo(HDC dc, int x, int y);
bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool Ellipse(HDC dc, int left, int top, int right, int bottom);
bool Polygon(HDC dc, const TPoint* points, int count);
bool Polyline(HDC dc, const TPoint* points, int count);
bool DrawFocusRect(HDC dc, const TRect* rect);
TColor GetPixel(HDC dc, int x, int y);
TColor SetPixel(HDC dc, int x, int y, TColor color);
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, TCopyMode rop);
bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh,
                TCopyMode rop);

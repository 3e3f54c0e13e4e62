#include "classlib/Gdi.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

String Prefix(const String& text, int count) {
  return count < 0 || static_cast<size_t>(count) >= text.size() ? text : text.substr(0, static_cast<size_t>(count));
}

}  // namespace

int DrawText(HDC dc, const String& text, int count, TRect* rect, uint32_t format) {
  if (!dc || !rect) return 0;
  return dc->DrawText(Prefix(text, count), *rect, format);
}

int DrawTextEx(HDC dc, const String& text, int count, TRect* rect, uint32_t format, void*) {
  return DrawText(dc, text, count, rect, format);
}

int SetBkMode(HDC dc, int mode) {
  int old = dc->BkMode();
  dc->SetBkMode(mode);
  return old;
}
int GetBkMode(HDC dc) { return dc->BkMode(); }

TColor SetBkColor(HDC dc, TColor color) {
  TColor old = dc->BkColor();
  dc->SetBkColor(color);
  return old;
}
TColor GetBkColor(HDC dc) { return dc->BkColor(); }

TColor SetTextColor(HDC dc, TColor color) {
  TColor old = dc->TextColor();
  dc->SetTextColor(color);
  return old;
}
TColor GetTextColor(HDC dc) { return dc->TextColor(); }

int SetMapMode(HDC dc, int mode) {
  int old = dc->MapMode();
  dc->SetMapMode(mode);
  return old;
}
int GetMapMode(HDC dc) { return dc->MapMode(); }

bool LPtoDP(HDC dc, TPoint* points, int count) {
  for (int i = 0; i < count; ++i) points[i] = dc->LPtoDP(points[i]);
  return true;
}

bool DPtoLP(HDC dc, TPoint* points, int count) {
  for (int i = 0; i < count; ++i) points[i] = dc->DPtoLP(points[i]);
  return true;
}

int GetDeviceCaps(HDC dc, int index) {
  TSize size = dc->DeviceSize();
  int ppi = dc->PixelsPerInch();
  switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return ppi;
    case HORZRES:
    case PHYSICALWIDTH: return size.cx;
    case VERTRES:
    case PHYSICALHEIGHT: return size.cy;
    case HORZSIZE: return static_cast<int>(size.cx * 25.4 / ppi + 0.5);
    case VERTSIZE: return static_cast<int>(size.cy * 25.4 / ppi + 0.5);
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    default: return 0;
  }
}

int SaveDC(HDC dc) { return dc->SaveDC(); }
bool RestoreDC(HDC dc, int level) { return dc->RestoreDC(level); }

int GetClipBox(HDC dc, TRect* rect) {
  TRect box = dc->ClipRect();
  if (rect) *rect = box;
  return box.Width() == 0 || box.Height() == 0 ? NULLREGION : SIMPLEREGION;
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  dc->IntersectClipRect(Rect(left, top, right, bottom));
  return GetClipBox(dc, nullptr);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  dc->ExcludeClipRect(Rect(left, top, right, bottom));
  TRect box = dc->ClipRect();
  return box.Width() == 0 || box.Height() == 0 ? NULLREGION : COMPLEXREGION;
}

bool GetTextExtentPoint32(HDC dc, const String& text, int count, TSize* size) {
  if (!size) return false;
  *size = dc->TextExtent(Prefix(text, count));
  return true;
}

bool GetTextMetrics(HDC dc, TTextMetric* metrics) {
  if (!metrics) return false;
  *metrics = dc->GetTextMetrics();
  return true;
}

bool MoveToEx(HDC dc, int x, int y, TPoint* previous) {
  if (previous) *previous = dc->PenPos();
  dc->MoveTo(x, y);
  return true;
}

bool LineTo(HDC dc, int x, int y) {
  dc->LineTo(x, y);
  return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
  dc->Rectangle(left, top, right, bottom);
  return true;
}

bool Ellipse(HDC dc, int left, int top, int right, int bottom) {
  dc->Ellipse(left, top, right, bottom);
  return true;
}

bool Polygon(HDC dc, const TPoint* points, int count) {
  dc->Polygon(std::vector<TPoint>(points, points + count));
  return true;
}

bool Polyline(HDC dc, const TPoint* points, int count) {
  dc->Polyline(std::vector<TPoint>(points, points + count));
  return true;
}

bool DrawFocusRect(HDC dc, const TRect* rect) {
  if (rect) dc->DrawFocusRect(*rect);
  return rect != nullptr;
}

TColor GetPixel(HDC dc, int x, int y) { return dc->Pixel(x, y); }

TColor SetPixel(HDC dc, int x, int y, TColor color) {
  dc->SetPixel(x, y, color);
  return color;
}

bool StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh,
                TCopyMode rop) {
  if (!dest) return false;
  TCopyMode old = dest->CopyMode();
  dest->SetCopyMode(rop);
  dest->CopyRect(Bounds(x, y, width, height), source, Bounds(sx, sy, sw, sh));
  dest->SetCopyMode(old);
  return true;
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, TCopyMode rop) {
  return StretchBlt(dest, x, y, width, height, source, sx, sy, width, height, rop);
}

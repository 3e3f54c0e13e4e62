// TCanvas: the drawing surface every custom-painted control, grid and printout paints through.
//
// A canvas draws on a QPainter: either one it is lent inside a widget's paint event
// (BeginPainting/EndPainting, or TCanvasPaintScope), or one it opens itself on the image of the
// TBitmap that owns it. It keeps the pixel rules the program's drawing arithmetic assumes:
//   - no antialiasing, for shapes and for text;
//   - rectangles and fills cover [Left, Right) x [Top, Bottom);
//   - MoveTo/LineTo leave out the end point; a width-1 line is stepped pixel by pixel, so a
//     dotted XOR line drawn twice leaves the surface as it was;
//   - TextOut places text by its top-left corner and advances PenPos past it;
//   - DrawText honours the DT_* formats below;
//   - mapping modes other than MM_TEXT (MM_LOMETRIC: 0.1 mm, y growing upward) are converted
//     to device pixels inside the canvas, so text stays upright.
// Pen, brush and font are read at every operation, so changing them between calls is cheap.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "classlib/GraphicsObjects.h"

class QPainter;
class QPaintDevice;
class TGraphic;
class TBitmap;
class TCanvas;

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// The device-context handle of the classic calls is the canvas itself.
using HDC = TCanvas*;

// DrawText formats.
constexpr uint32_t DT_TOP = 0x00000000;
constexpr uint32_t DT_LEFT = 0x00000000;
constexpr uint32_t DT_CENTER = 0x00000001;
constexpr uint32_t DT_RIGHT = 0x00000002;
constexpr uint32_t DT_VCENTER = 0x00000004;
constexpr uint32_t DT_BOTTOM = 0x00000008;
constexpr uint32_t DT_WORDBREAK = 0x00000010;
constexpr uint32_t DT_SINGLELINE = 0x00000020;
constexpr uint32_t DT_EXPANDTABS = 0x00000040;
constexpr uint32_t DT_TABSTOP = 0x00000080;
constexpr uint32_t DT_NOCLIP = 0x00000100;
constexpr uint32_t DT_EXTERNALLEADING = 0x00000200;
constexpr uint32_t DT_CALCRECT = 0x00000400;
constexpr uint32_t DT_NOPREFIX = 0x00000800;
constexpr uint32_t DT_INTERNAL = 0x00001000;
constexpr uint32_t DT_EDITCONTROL = 0x00002000;
constexpr uint32_t DT_PATH_ELLIPSIS = 0x00004000;
constexpr uint32_t DT_END_ELLIPSIS = 0x00008000;
constexpr uint32_t DT_MODIFYSTRING = 0x00010000;
constexpr uint32_t DT_RTLREADING = 0x00020000;
constexpr uint32_t DT_WORD_ELLIPSIS = 0x00040000;
constexpr uint32_t DT_NOFULLWIDTHCHARBREAK = 0x00080000;
constexpr uint32_t DT_HIDEPREFIX = 0x00100000;
constexpr uint32_t DT_PREFIXONLY = 0x00200000;

// Background modes for text and hatches.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;   // 0.1 mm, y up
constexpr int MM_HIMETRIC = 3;   // 0.01 mm, y up
constexpr int MM_LOENGLISH = 4;  // 0.01 inch, y up
constexpr int MM_HIENGLISH = 5;  // 0.001 inch, y up
constexpr int MM_TWIPS = 6;      // 1/1440 inch, y up

// Raster operations of CopyRect and Draw (the classic values).
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;
constexpr TCopyMode SRCCOPY = cmSrcCopy;
constexpr TCopyMode SRCPAINT = cmSrcPaint;
constexpr TCopyMode SRCAND = cmSrcAnd;
constexpr TCopyMode SRCINVERT = cmSrcInvert;
constexpr TCopyMode NOTSRCCOPY = cmNotSrcCopy;
constexpr TCopyMode DSTINVERT = cmDstInvert;
constexpr TCopyMode BLACKNESS = cmBlackness;
constexpr TCopyMode WHITENESS = cmWhiteness;

enum TFillStyle { fsSurface, fsBorder };

// Font measures of the canvas's current font, in logical units.
struct TTextMetric {
  int tmHeight = 0;  // ascent + descent
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
};

// One drawing call as a canvas with a recording attached notes it: the operation's name, the
// points it was given (a rectangle as its top-left and bottom-right corners, a line as its start
// and end), the colour argument of SetPixel and FloodFill, the pen and brush colours in force
// and any text. Tests read call order and geometry from it.
struct TCanvasCall {
  String Op;
  std::vector<TPoint> Points;
  TColor Color = clNone;
  TColor PenColor = clNone;
  TColor BrushColor = clNone;
  String Text;
};

class TCanvas : public TObject {
 public:
  TCanvas();
  // Same as TCanvas() followed by BeginPainting(painter).
  explicit TCanvas(QPainter* painter);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // ---- Device ----
  // Paints on a painter owned by someone else (a widget's paint event, a printer, a QImage)
  // until EndPainting. The painter's state is saved here and restored by EndPainting; its clip
  // (the region being repainted) stays in force under the canvas's own clip.
  void BeginPainting(QPainter* painter);
  void EndPainting();
  bool HandleAllocated() const;
  // The canvas as a device-context handle, for the classic free functions (DrawText(HDC, ...)).
  HDC Handle();
  // The active painter, opening one if this canvas can (a bitmap's canvas); for the class
  // library's own widgets, which draw styled parts with Qt. nullptr when there is no device.
  QPainter* Painter();
  // Size of the device in pixels (0 x 0 without a device).
  TSize DeviceSize();
  // Device resolution in pixels per inch; 96 unless a printer canvas sets its own.
  int PixelsPerInch() const;
  void SetPixelsPerInch(int ppi);

  // ---- Tools ----
  TFont* Font() const;
  void SetFont(const TFont* font);  // copies (Assign)
  TPen* Pen() const;
  void SetPen(const TPen* pen);
  TBrush* Brush() const;
  void SetBrush(const TBrush* brush);
  TPoint PenPos() const;
  void SetPenPos(TPoint pos);
  TCopyMode CopyMode() const;
  void SetCopyMode(TCopyMode mode);

  // Background of text and hatches: opaque in the brush colour when the brush is solid,
  // transparent otherwise. SetBkMode/SetBkColor override that until the brush next changes,
  // SetTextColor overrides the font colour until the font next changes.
  int BkMode() const;
  void SetBkMode(int mode);
  TColor BkColor() const;
  void SetBkColor(TColor color);
  TColor TextColor() const;
  void SetTextColor(TColor color);

  // ---- Lines and shapes ----
  void MoveTo(int x, int y);
  void LineTo(int x, int y);  // from PenPos to (x, y), end point left out; PenPos := (x, y)
  void Polyline(const std::vector<TPoint>& points);
  void Polygon(const std::vector<TPoint>& points);  // alternate fill in the brush, pen outline
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
  // Arc and pie of the ellipse in the bounding box, counter-clockwise from the ray through
  // (x3, y3) to the ray through (x4, y4).
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void FillRect(const TRect& r);   // brush only; an empty or inverted rectangle paints nothing
  void FrameRect(const TRect& r);  // 1-pixel frame in the brush colour
  void DrawFocusRect(const TRect& r);  // dotted frame that inverts; drawn twice it disappears
  // Fills with the brush from (x, y): fsSurface over the connected area of colour `color`,
  // fsBorder up to a border of colour `color`.
  void FloodFill(int x, int y, TColor color, TFillStyle style);
  // Pixels[x][y]: reading gives clNone where the device cannot be read or (x, y) is outside.
  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // ---- Text ----
  void TextOut(int x, int y, const String& text);
  // Text at (x, y) clipped to r; with an opaque background the whole of r is filled first.
  void TextRect(const TRect& r, int x, int y, const String& text);
  int TextWidth(const String& text);
  int TextHeight(const String& text);
  TSize TextExtent(const String& text);
  TTextMetric GetTextMetrics();
  // Formats text in r as the DT_* flags say and returns the height of the text (with
  // DT_VCENTER or DT_BOTTOM on a single line: from r.Top to the bottom of the text). With
  // DT_CALCRECT nothing is drawn and r's right and bottom are set to fit the text.
  // Without DT_NOPREFIX "&x" underlines x and "&&" shows one '&'.
  int DrawText(const String& text, TRect& r, uint32_t format);

  // ---- Pictures and copies ----
  void Draw(int x, int y, TGraphic* graphic);
  void StretchDraw(const TRect& r, TGraphic* graphic);
  // Copies src of the source canvas (which must be readable: a bitmap's canvas or a canvas
  // painting on a QImage) into dest, scaling when the sizes differ, with CopyMode.
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
  // Copies src of the bitmap into dest, painting its pixels of colour `color` with the brush
  // (left untouched when the brush is clear).
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor color);

  // ---- Clipping ----
  // Bounding box of the area drawing may reach, in logical units.
  TRect ClipRect();
  void SetClipRect(const TRect& r);  // replaces the canvas's clip
  void IntersectClipRect(const TRect& r);
  void ExcludeClipRect(const TRect& r);
  void IntersectClipEllipse(const TRect& r);
  void IntersectClipRoundRect(const TRect& r, int cornerWidth, int cornerHeight);
  void RemoveClip();
  bool HasClip() const;

  // Saves clip, mapping mode, background, text colour, pen, brush, font and PenPos; RestoreDC
  // returns to a saved level (a negative level counts back from the newest). Returns the level.
  int SaveDC();
  bool RestoreDC(int level);

  // ---- Mapping ----
  int MapMode() const;
  void SetMapMode(int mode);  // returns nothing; GetMapMode-style reads go through MapMode()
  TPoint LPtoDP(TPoint p) const;
  TPoint DPtoLP(TPoint p) const;
  TRect LPtoDP(const TRect& r) const;
  TRect DPtoLP(const TRect& r) const;

  // ---- Misc ----
  void Lock() { ++FLockCount; }
  void Unlock() { --FLockCount; }
  int LockCount() const { return FLockCount; }
  void Refresh() {}

  // Ends a painter this canvas opened itself (a bitmap's canvas before its image changes).
  void ReleaseHandle();

  // While a record is attached (nullptr: none) every drawing call is also appended to it; the
  // drawing itself still happens. Lines of a Polyline are noted as its LineTo calls.
  void SetRecording(std::vector<TCanvasCall>* record) { FRecording = record; }

  // The canvas's state, defined privately in the class library.
  struct Private;

 protected:
  // Called when an operation needs a device and none is active; a canvas that owns its
  // device opens a painter on it through StartOwnedPainting.
  virtual void CreateHandle() {}
  void StartOwnedPainting(QPaintDevice* device);

 private:
  friend struct TCanvasPainterAccess;
  void Record(const char* op, std::vector<TPoint> points, const String& text = String(), TColor color = clNone);

  std::unique_ptr<Private> d;
  int FLockCount = 0;
  std::vector<TCanvasCall>* FRecording = nullptr;
};

// Lends a painter to a canvas for the life of the scope, e.g. in a paint event:
//   QPainter painter(this); TCanvasPaintScope scope(control->Canvas(), &painter); Paint();
class TCanvasPaintScope {
 public:
  TCanvasPaintScope(TCanvas* canvas, QPainter* painter) : FCanvas(canvas) { FCanvas->BeginPainting(painter); }
  ~TCanvasPaintScope() { FCanvas->EndPainting(); }
  TCanvasPaintScope(const TCanvasPaintScope&) = delete;
  TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

 private:
  TCanvas* FCanvas;
};

// Saves a canvas's state and restores it when the scope ends, also after an exception.
class TCanvasStateSaver {
 public:
  explicit TCanvasStateSaver(TCanvas* canvas) : FCanvas(canvas), FLevel(canvas->SaveDC()) {}
  ~TCanvasStateSaver() { FCanvas->RestoreDC(FLevel); }
  TCanvasStateSaver(const TCanvasStateSaver&) = delete;
  TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

 private:
  TCanvas* FCanvas;
  int FLevel;
};

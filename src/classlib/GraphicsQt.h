// Private to the class library: the bridge between the graphics classes and Qt. Nothing
// outside src/classlib includes this header.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "classlib/Canvas.h"

class TBitmap;

// A colour as Qt paints it: system colours resolved, clNone and clDefault by their low 24 bits.
QColor ToQColor(TColor color);
TColor FromQColor(QColor color);
TColor FromQRgb(QRgb rgb);

// Program text to Qt: UTF-8 when it is valid UTF-8, otherwise read as Windows-1252 (a file
// from a Windows machine), so no byte turns into a replacement mark.
QString ToQString(const String& text);
String FromQString(const QString& text);

// The Qt font for a TFont at a pixel height on the device (negative: character height,
// positive: cell height), drawn without antialiasing.
QFont ToQFont(const TFont& font, int devicePixelHeight);

// The image behind a bitmap (Format_RGB32 or Format_ARGB32); the bitmap's canvas painter is
// ended first, so the caller may read or replace it freely.
QImage& BitmapImage(TBitmap* bitmap);
const QImage& BitmapImage(const TBitmap* bitmap);

// State of a TCanvas, shared by the files that implement it.
struct TCanvas::Private {
  explicit Private(TCanvas* owner);

  TCanvas* q;
  std::unique_ptr<TFont> font;
  std::unique_ptr<TPen> pen;
  std::unique_ptr<TBrush> brush;
  TPoint penPos;
  TCopyMode copyMode = cmSrcCopy;

  QPainter* painter = nullptr;
  std::unique_ptr<QPainter> ownedPainter;
  bool externalPainter = false;
  bool originalHasClip = false;
  QRegion originalClip;
  std::optional<QRegion> clip;  // device pixels; none = the whole device
  bool clipApplied = false;

  int mapMode = MM_TEXT;
  int ppi = DefaultPixelsPerInch;

  // Overrides of the background and text colour, valid while the tool has not changed since.
  std::optional<int> bkMode;
  uint64_t bkModeBrushChange = 0;
  std::optional<TColor> bkColor;
  uint64_t bkColorBrushChange = 0;
  std::optional<TColor> textColor;
  uint64_t textColorFontChange = 0;

  // Position within the pen's dash pattern, carried from one segment to the next.
  int dashPos = 0;
  uint64_t dashPenChange = 0;

  struct Saved {
    std::optional<QRegion> clip;
    int mapMode;
    std::optional<int> bkMode;
    std::optional<TColor> bkColor;
    std::optional<TColor> textColor;
    TFont font;
    TPen pen;
    TBrush brush;
    TPoint penPos;
  };
  std::vector<Saved> saved;

  // Makes sure a painter is active and the canvas's clip is applied; false without a device.
  bool Ensure();
  void ApplyClip();
  void EndPainter();

  // Logical to device conversion.
  bool Mapped() const { return mapMode != MM_TEXT; }
  int UnitsPerInch() const;
  int X(int x) const;
  int Y(int y) const;
  QPoint P(int x, int y) const { return QPoint(X(x), Y(y)); }
  // A rectangle in device pixels; normalised only under a mapping mode (whose y axis points
  // up), so that an inverted rectangle in MM_TEXT stays empty.
  QRect R(const TRect& r) const;
  int DevLength(int logical) const;  // a width or height, at least 1 for a positive length
  int LogLength(int device) const;
  TRect ToLogical(const QRect& devRect) const;

  int EffectiveBkMode() const;
  TColor EffectiveBkColor() const;
  TColor EffectiveTextColor() const;
  QBrush MakeBrush() const;  // the brush as Qt paints it (Qt::NoBrush when clear)
  int PenDeviceWidth() const;
  void ApplyPenMode(TPenMode mode);  // composition mode for the pen's mix

  // Sets pixels of a stepped width-1 line with the pen's pattern; end point left out.
  void StepLine(QPoint from, QPoint to);
  // Fills device pixels (one colour, composition already set).
  void PlotPoints(const std::vector<QPoint>& points, const QColor& color);

  // Font for the current device and mapping.
  QFont DeviceFont() const;
};

// a * b / c rounded half away from zero (the classic MulDiv); -1 when c is 0.
inline int GdiMulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long p = static_cast<long long>(a) * b;
  long long q = c;
  if (q < 0) {
    p = -p;
    q = -q;
  }
  return static_cast<int>(p >= 0 ? (p + q / 2) / q : -((-p + q / 2) / q));
}

// Reaches a canvas's state from the other graphics files of the class library.
struct TCanvasPainterAccess {
  static TCanvas::Private* Of(TCanvas* canvas) { return canvas->d.get(); }
};

// The composition mode of a raster operation; `fill` receives the colour for the operations
// that paint a constant (blackness, whiteness) and is untouched otherwise.
QPainter::CompositionMode CopyModeComposition(TCopyMode mode, bool& constant, QColor& fill);

// The image a canvas draws on when it can be read (a bitmap's canvas, or a painter on a
// QImage), with the offset from the canvas's device coordinates to image pixels.
const QImage* ReadableImage(TCanvas::Private* d, QPoint& offset);

// Draws src of an image into a device rectangle of the canvas with a raster operation;
// pixels equal to `transparent` (when given) are left out.
void DrawImageOnCanvas(TCanvas::Private* d, const QRect& dest, const QImage& image, const QRect& src,
                       TCopyMode mode, std::optional<QRgb> transparent = std::nullopt);

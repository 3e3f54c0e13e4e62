// TCanvas: device handling, tools, mapping, clipping, lines, shapes, pixels and copies.
// Text is in CanvasText.cpp.
#include "classlib/Canvas.h"

#include <QPaintDevice>
#include <QPainterPath>
#include <QPen>
#include <QPolygon>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <deque>

#include "classlib/Bitmap.h"
#include "classlib/GraphicsQt.h"

namespace {

// Dash patterns of styled width-1 pens, in pixels: on, off, on, off, ...
const std::vector<int>& DashPattern(TPenStyle style) {
  static const std::vector<int> kSolid;
  static const std::vector<int> kDash = {18, 6};
  static const std::vector<int> kDot = {3, 3};
  static const std::vector<int> kDashDot = {9, 6, 3, 6};
  static const std::vector<int> kDashDotDot = {9, 3, 3, 3, 3, 3};
  static const std::vector<int> kAlternate = {1, 1};
  switch (style) {
    case psDash: return kDash;
    case psDot: return kDot;
    case psDashDot: return kDashDot;
    case psDashDotDot: return kDashDotDot;
    case psAlternate: return kAlternate;
    default: return kSolid;
  }
}

Qt::BrushStyle HatchStyle(TBrushStyle style) {
  switch (style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::BDiagPattern;  // "\" lines: Qt names them by the other diagonal
    case bsBDiagonal: return Qt::FDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
  }
}

QRect NormalizedRect(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

// Qt's rectangle arguments for outlines cover width + 1 pixels; this gives [l, r) x [t, b).
QRect OutlineRect(const QRect& r) { return QRect(r.left(), r.top(), r.width() - 1, r.height() - 1); }

}  // namespace

// ---- Bridges ------------------------------------------------------------------------------

QColor ToQColor(TColor color) {
  TColor c = ColorToRGB(color);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(QColor color) { return RGB(color.red(), color.green(), color.blue()); }

TColor FromQRgb(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

QPainter::CompositionMode CopyModeComposition(TCopyMode mode, bool& constant, QColor& fill) {
  constant = false;
  switch (mode) {
    case cmSrcInvert: return QPainter::RasterOp_SourceXorDestination;
    case cmSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case cmNotSrcCopy: return QPainter::RasterOp_NotSource;
    case cmSrcErase: return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcErase: return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint: return QPainter::RasterOp_NotSourceOrDestination;
    case cmDstInvert: constant = true; return QPainter::RasterOp_NotDestination;
    case cmBlackness: constant = true; fill = Qt::black; return QPainter::CompositionMode_Source;
    case cmWhiteness: constant = true; fill = Qt::white; return QPainter::CompositionMode_Source;
    default: return QPainter::CompositionMode_Source;
  }
}

const QImage* ReadableImage(TCanvas::Private* d, QPoint& offset) {
  if (!d->Ensure()) return nullptr;
  QPaintDevice* device = d->painter->device();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  QTransform t = d->painter->deviceTransform();
  if (!t.isIdentity() && t.type() != QTransform::TxTranslate) return nullptr;
  offset = QPoint(static_cast<int>(std::lround(t.dx())), static_cast<int>(std::lround(t.dy())));
  return static_cast<const QImage*>(device);
}

void DrawImageOnCanvas(TCanvas::Private* d, const QRect& dest, const QImage& image, const QRect& src,
                       TCopyMode mode, std::optional<QRgb> transparent) {
  if (dest.isEmpty() || !d->Ensure()) return;
  QPainter* p = d->painter;
  bool constant = false;
  QColor fill;
  QPainter::CompositionMode composition = CopyModeComposition(mode, constant, fill);
  p->setCompositionMode(composition);
  if (constant) {
    p->fillRect(dest, fill.isValid() ? fill : QColor(Qt::black));
  } else if (!src.isEmpty()) {
    QImage part = image.copy(src);
    if (transparent) {
      part = part.convertToFormat(QImage::Format_ARGB32);
      QRgb key = *transparent & 0xFFFFFF;
      for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
          if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
      }
      if (composition == QPainter::CompositionMode_Source) p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    p->drawImage(dest, part);
  }
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---- Private ------------------------------------------------------------------------------

TCanvas::Private::Private(TCanvas* owner)
    : q(owner), font(std::make_unique<TFont>()), pen(std::make_unique<TPen>()), brush(std::make_unique<TBrush>()) {}

bool TCanvas::Private::Ensure() {
  if (!painter) q->CreateHandle();
  if (!painter) return false;
  if (!clipApplied) ApplyClip();
  return true;
}

void TCanvas::Private::ApplyClip() {
  if (originalHasClip) {
    painter->setClipRegion(originalClip);
    if (clip) painter->setClipRegion(*clip, Qt::IntersectClip);
  } else if (clip) {
    painter->setClipRegion(*clip);
  } else {
    painter->setClipping(false);
  }
  clipApplied = true;
}

void TCanvas::Private::EndPainter() {
  if (!ownedPainter) return;
  ownedPainter->end();
  ownedPainter.reset();
  painter = nullptr;
  clipApplied = false;
}

int TCanvas::Private::UnitsPerInch() const {
  switch (mapMode) {
    case MM_LOMETRIC: return 254;
    case MM_HIMETRIC: return 2540;
    case MM_LOENGLISH: return 100;
    case MM_HIENGLISH: return 1000;
    case MM_TWIPS: return 1440;
    default: return ppi;
  }
}

int TCanvas::Private::X(int x) const { return Mapped() ? GdiMulDiv(x, ppi, UnitsPerInch()) : x; }
int TCanvas::Private::Y(int y) const { return Mapped() ? GdiMulDiv(-y, ppi, UnitsPerInch()) : y; }

QRect TCanvas::Private::R(const TRect& r) const {
  if (!Mapped()) return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
  return NormalizedRect(X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom));
}

int TCanvas::Private::DevLength(int logical) const {
  if (!Mapped()) return logical;
  int v = GdiMulDiv(logical, ppi, UnitsPerInch());
  return logical > 0 ? std::max(v, 1) : v;
}

int TCanvas::Private::LogLength(int device) const { return Mapped() ? GdiMulDiv(device, UnitsPerInch(), ppi) : device; }

TRect TCanvas::Private::ToLogical(const QRect& dev) const {
  if (!Mapped()) return TRect{dev.left(), dev.top(), dev.right() + 1, dev.bottom() + 1};
  int upi = UnitsPerInch();
  return TRect{GdiMulDiv(dev.left(), upi, ppi), -GdiMulDiv(dev.top(), upi, ppi), GdiMulDiv(dev.right() + 1, upi, ppi),
               -GdiMulDiv(dev.bottom() + 1, upi, ppi)};
}

int TCanvas::Private::EffectiveBkMode() const {
  if (bkMode && bkModeBrushChange == brush->ChangeCount()) return *bkMode;
  return brush->Style() == bsSolid && !brush->Bitmap() ? OPAQUE : TRANSPARENT;
}

TColor TCanvas::Private::EffectiveBkColor() const {
  if (bkColor && bkColorBrushChange == brush->ChangeCount()) return *bkColor;
  return brush->Color();
}

TColor TCanvas::Private::EffectiveTextColor() const {
  if (textColor && textColorFontChange == font->ChangeCount()) return *textColor;
  return font->Color();
}

QBrush TCanvas::Private::MakeBrush() const {
  if (brush->Bitmap() && !brush->Bitmap()->Empty()) return QBrush(BitmapImage(brush->Bitmap()));
  if (brush->Style() == bsClear) return QBrush(Qt::NoBrush);
  return QBrush(ToQColor(brush->Color()), HatchStyle(brush->Style()));
}

int TCanvas::Private::PenDeviceWidth() const { return std::max(1, DevLength(pen->Width())); }

void TCanvas::Private::ApplyPenMode(TPenMode mode) {
  static const QPainter::CompositionMode kModes[] = {
      QPainter::CompositionMode_Source,                // pmBlack (colour forced)
      QPainter::CompositionMode_Source,                // pmWhite (colour forced)
      QPainter::CompositionMode_Destination,           // pmNop
      QPainter::RasterOp_NotDestination,               // pmNot
      QPainter::CompositionMode_SourceOver,            // pmCopy
      QPainter::RasterOp_NotSource,                    // pmNotCopy
      QPainter::RasterOp_SourceOrNotDestination,       // pmMergePenNot
      QPainter::RasterOp_SourceAndNotDestination,      // pmMaskPenNot
      QPainter::RasterOp_NotSourceOrDestination,       // pmMergeNotPen
      QPainter::RasterOp_NotSourceAndDestination,      // pmMaskNotPen
      QPainter::RasterOp_SourceOrDestination,          // pmMerge
      QPainter::RasterOp_NotSourceAndNotDestination,   // pmNotMerge
      QPainter::RasterOp_SourceAndDestination,         // pmMask
      QPainter::RasterOp_NotSourceOrNotDestination,    // pmNotMask
      QPainter::RasterOp_SourceXorDestination,         // pmXor
      QPainter::RasterOp_NotSourceXorDestination,      // pmNotXor
  };
  painter->setCompositionMode(kModes[mode]);
}

void TCanvas::Private::PlotPoints(const std::vector<QPoint>& points, const QColor& color) {
  if (points.empty()) return;
  QPen p(color);
  p.setWidth(1);
  p.setCosmetic(true);
  painter->setPen(p);
  painter->setBrush(Qt::NoBrush);
  painter->drawPoints(points.data(), static_cast<int>(points.size()));
}

void TCanvas::Private::StepLine(QPoint from, QPoint to) {
  if (from == to || pen->Style() == psClear || pen->Mode() == pmNop) return;
  QColor color = pen->Mode() == pmBlack ? QColor(Qt::black) : pen->Mode() == pmWhite ? QColor(Qt::white)
                                                                                     : ToQColor(pen->Color());
  ApplyPenMode(pen->Mode());
  if (dashPenChange != pen->ChangeCount()) {
    dashPenChange = pen->ChangeCount();
    dashPos = 0;
  }
  const std::vector<int>& pattern = DashPattern(pen->Style());
  int x = from.x(), y = from.y();
  const int x1 = to.x(), y1 = to.y();
  if (pattern.empty() && (x == x1 || y == y1)) {
    // Horizontal and vertical solid lines (grid lines, frames) as one fill.
    QRect span = x == x1 ? (y < y1 ? QRect(x, y, 1, y1 - y) : QRect(x, y1 + 1, 1, y - y1))
                         : (x < x1 ? QRect(x, y, x1 - x, 1) : QRect(x1 + 1, y, x - x1, 1));
    painter->fillRect(span, color);
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return;
  }
  int period = 0;
  for (int v : pattern) period += v;
  std::vector<QPoint> on, off;
  const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
  const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
  int err = dx + dy;
  while (x != x1 || y != y1) {
    bool draw = true;
    if (period > 0) {
      int pos = dashPos % period, segment = 0;
      while (pos >= pattern[static_cast<size_t>(segment)]) pos -= pattern[static_cast<size_t>(segment++)];
      draw = segment % 2 == 0;
      ++dashPos;
    }
    (draw ? on : off).emplace_back(x, y);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  PlotPoints(on, color);
  if (EffectiveBkMode() == OPAQUE) PlotPoints(off, ToQColor(EffectiveBkColor()));
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---- Construction and device --------------------------------------------------------------

TCanvas::TCanvas() : d(std::make_unique<Private>(this)) {}

TCanvas::TCanvas(QPainter* painter) : TCanvas() { BeginPainting(painter); }

TCanvas::~TCanvas() {
  if (d->externalPainter) EndPainting();
  d->EndPainter();
}

void TCanvas::BeginPainting(QPainter* painter) {
  if (d->externalPainter) EndPainting();
  d->EndPainter();
  if (!painter) return;
  d->painter = painter;
  d->externalPainter = true;
  painter->save();
  d->originalHasClip = painter->hasClipping();
  d->originalClip = d->originalHasClip ? painter->clipRegion() : QRegion();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setRenderHint(QPainter::TextAntialiasing, false);
  painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  d->clipApplied = false;
}

void TCanvas::EndPainting() {
  if (!d->externalPainter) return;
  d->painter->restore();
  d->painter = nullptr;
  d->externalPainter = false;
  d->originalHasClip = false;
  d->originalClip = QRegion();
  d->clipApplied = false;
}

void TCanvas::StartOwnedPainting(QPaintDevice* device) {
  d->EndPainter();
  d->ownedPainter = std::make_unique<QPainter>(device);
  d->painter = d->ownedPainter.get();
  d->painter->setRenderHint(QPainter::Antialiasing, false);
  d->painter->setRenderHint(QPainter::TextAntialiasing, false);
  d->painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  d->originalHasClip = false;
  d->clipApplied = false;
}

void TCanvas::ReleaseHandle() { d->EndPainter(); }

void TCanvas::Record(const char* op, std::vector<TPoint> points, const String& text, TColor color) {
  FRecording->push_back(TCanvasCall{op, std::move(points), color, d->pen->Color(), d->brush->Color(), text});
}

bool TCanvas::HandleAllocated() const { return d->painter != nullptr; }

HDC TCanvas::Handle() {
  d->Ensure();
  return this;
}

QPainter* TCanvas::Painter() { return d->Ensure() ? d->painter : nullptr; }

TSize TCanvas::DeviceSize() {
  if (!d->Ensure() || !d->painter->device()) return {};
  return TSize{d->painter->device()->width(), d->painter->device()->height()};
}

int TCanvas::PixelsPerInch() const { return d->ppi; }
void TCanvas::SetPixelsPerInch(int ppi) {
  if (ppi > 0) d->ppi = ppi;
}

// ---- Tools --------------------------------------------------------------------------------

TFont* TCanvas::Font() const { return d->font.get(); }
void TCanvas::SetFont(const TFont* font) {
  if (font) d->font->Assign(*font);
}
TPen* TCanvas::Pen() const { return d->pen.get(); }
void TCanvas::SetPen(const TPen* pen) {
  if (pen) d->pen->Assign(*pen);
}
TBrush* TCanvas::Brush() const { return d->brush.get(); }
void TCanvas::SetBrush(const TBrush* brush) {
  if (brush) d->brush->Assign(*brush);
}
TPoint TCanvas::PenPos() const { return d->penPos; }
void TCanvas::SetPenPos(TPoint pos) { MoveTo(pos.X, pos.Y); }
TCopyMode TCanvas::CopyMode() const { return d->copyMode; }
void TCanvas::SetCopyMode(TCopyMode mode) { d->copyMode = mode; }

int TCanvas::BkMode() const { return d->EffectiveBkMode(); }
void TCanvas::SetBkMode(int mode) {
  d->bkMode = mode == TRANSPARENT ? TRANSPARENT : OPAQUE;
  d->bkModeBrushChange = d->brush->ChangeCount();
}
TColor TCanvas::BkColor() const { return d->EffectiveBkColor(); }
void TCanvas::SetBkColor(TColor color) {
  d->bkColor = color;
  d->bkColorBrushChange = d->brush->ChangeCount();
}
TColor TCanvas::TextColor() const { return d->EffectiveTextColor(); }
void TCanvas::SetTextColor(TColor color) {
  d->textColor = color;
  d->textColorFontChange = d->font->ChangeCount();
}

// ---- Lines and shapes ---------------------------------------------------------------------

void TCanvas::MoveTo(int x, int y) {
  d->penPos = TPoint{x, y};
  d->dashPos = 0;
}

void TCanvas::LineTo(int x, int y) {
  if (FRecording) Record("LineTo", {d->penPos, TPoint{x, y}});
  TPoint from = d->penPos;
  d->penPos = TPoint{x, y};
  if (!d->Ensure()) return;
  QPoint a = d->P(from.X, from.Y), b = d->P(x, y);
  int width = d->PenDeviceWidth();
  if (width <= 1) {
    d->StepLine(a, b);
    return;
  }
  if (d->pen->Style() == psClear || d->pen->Mode() == pmNop || a == b) return;
  // Wide pens are solid and centred on the path.
  QPen p(ToQColor(d->pen->Color()), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  d->ApplyPenMode(d->pen->Mode());
  d->painter->setPen(p);
  d->painter->drawLine(a, b);
  d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  TPoint saved = d->penPos;
  MoveTo(points[0].X, points[0].Y);
  for (size_t i = 1; i < points.size(); ++i) LineTo(points[i].X, points[i].Y);
  d->penPos = saved;
}

namespace {

// Sets pen and brush for a closed shape (Qt does the outline), with the pen's mix.
void PrepareShape(TCanvas::Private* d) {
  TPen* pen = d->pen.get();
  if (pen->Style() == psClear) {
    d->painter->setPen(Qt::NoPen);
  } else {
    QColor color = pen->Mode() == pmBlack ? QColor(Qt::black) : pen->Mode() == pmWhite ? QColor(Qt::white)
                                                                                       : ToQColor(pen->Color());
    QPen p(color);
    int width = d->PenDeviceWidth();
    p.setWidth(width);
    p.setCosmetic(width <= 1);
    p.setJoinStyle(Qt::MiterJoin);
    switch (pen->Style()) {
      case psDash: p.setDashPattern({18, 6}); break;
      case psDot: p.setDashPattern({3, 3}); break;
      case psDashDot: p.setDashPattern({9, 6, 3, 6}); break;
      case psDashDotDot: p.setDashPattern({9, 3, 3, 3, 3, 3}); break;
      case psAlternate: p.setDashPattern({1, 1}); break;
      default: break;
    }
    if (width > 1) p.setStyle(Qt::SolidLine);
    d->painter->setPen(p);
  }
  QBrush brush = d->MakeBrush();
  d->painter->setBrush(brush);
  // The opaque background only matters to hatches and dashes (and changes how Qt rasterises
  // outlines, so it is not set otherwise).
  bool patterned = (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush &&
                    brush.style() != Qt::TexturePattern) ||
                   (pen->Style() != psSolid && pen->Style() != psClear && pen->Style() != psInsideFrame);
  d->painter->setBackgroundMode(patterned && d->EffectiveBkMode() == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
  d->painter->setBackground(ToQColor(d->EffectiveBkColor()));
  d->ApplyPenMode(pen->Mode());
}

void FinishShape(TCanvas::Private* d) {
  d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  d->painter->setBackgroundMode(Qt::TransparentMode);
}

// An outline rectangle for Qt's shape calls so that a width-w pen lands where the frame of
// Rectangle would: centred on the edge pixels, or inside the box for psInsideFrame.
QRect ShapeRect(TCanvas::Private* d, const QRect& box) {
  if (d->pen->Style() == psInsideFrame && d->PenDeviceWidth() > 1) {
    int w = d->PenDeviceWidth(), in = w / 2;
    return OutlineRect(box.adjusted(in, in, -(w - 1 - in), -(w - 1 - in)));
  }
  return OutlineRect(box);
}

}  // namespace

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (FRecording) Record("Polygon", points);
  if (points.size() < 2 || !d->Ensure()) return;
  QPolygon poly;
  for (const TPoint& p : points) poly << d->P(p.X, p.Y);
  PrepareShape(d.get());
  d->painter->drawPolygon(poly, Qt::OddEvenFill);
  FinishShape(d.get());
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (FRecording) Record("Rectangle", {TPoint{left, top}, TPoint{right, bottom}});
  if (!d->Ensure()) return;
  QRect box = NormalizedRect(d->X(left), d->Y(top), d->X(right), d->Y(bottom));
  if (box.isEmpty() || d->pen->Mode() == pmNop) return;
  QPainter* p = d->painter;
  QBrush brush = d->MakeBrush();
  d->ApplyPenMode(d->pen->Mode());
  p->setBackgroundMode(d->EffectiveBkMode() == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
  p->setBackground(ToQColor(d->EffectiveBkColor()));
  if (d->pen->Style() == psClear) {
    // Without a pen the classic rectangle fills one pixel less to the right and bottom.
    QRect inner = box.adjusted(0, 0, -1, -1);
    if (!inner.isEmpty() && brush.style() != Qt::NoBrush) p->fillRect(inner, brush);
    FinishShape(d.get());
    return;
  }
  int w = d->PenDeviceWidth();
  QRect outer = box;
  if (w > 1 && d->pen->Style() != psInsideFrame) {
    int lo = w / 2, hi = w - 1 - w / 2;
    outer = box.adjusted(-lo, -lo, hi, hi);
  }
  QRect inner = outer.adjusted(w, w, -w, -w);
  if (inner.isValid() && !inner.isEmpty() && brush.style() != Qt::NoBrush) p->fillRect(inner, brush);
  const std::vector<int>& pattern = DashPattern(d->pen->Style());
  if (w == 1 && !pattern.empty() && box.width() > 1 && box.height() > 1) {
    QPoint a(box.left(), box.top()), b(box.right(), box.top()), c(box.right(), box.bottom()), e(box.left(), box.bottom());
    d->dashPos = 0;
    d->StepLine(a, b);
    d->StepLine(b, c);
    d->StepLine(c, e);
    d->StepLine(e, a);
    FinishShape(d.get());
    return;
  }
  QColor color = d->pen->Mode() == pmBlack ? QColor(Qt::black) : d->pen->Mode() == pmWhite ? QColor(Qt::white)
                                                                                           : ToQColor(d->pen->Color());
  d->ApplyPenMode(d->pen->Mode());
  // The frame as four bands that never overlap, so an XOR frame inverts each pixel once.
  int L = outer.left(), T = outer.top(), Rr = outer.right() + 1, B = outer.bottom() + 1;
  int topEnd = std::min(T + w, B), bottomStart = std::max(topEnd, B - w);
  int leftEnd = std::min(L + w, Rr), rightStart = std::max(leftEnd, Rr - w);
  auto band = [&](int x0, int y0, int x1, int y1) {
    if (x1 > x0 && y1 > y0) p->fillRect(QRect(x0, y0, x1 - x0, y1 - y0), color);
  };
  band(L, T, Rr, topEnd);
  band(L, bottomStart, Rr, B);
  band(L, topEnd, leftEnd, bottomStart);
  band(rightStart, topEnd, Rr, bottomStart);
  FinishShape(d.get());
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  if (FRecording) Record("RoundRect", {TPoint{left, top}, TPoint{right, bottom}, TPoint{cornerWidth, cornerHeight}});
  if (!d->Ensure()) return;
  QRect box = NormalizedRect(d->X(left), d->Y(top), d->X(right), d->Y(bottom));
  if (box.isEmpty()) return;
  PrepareShape(d.get());
  d->painter->drawRoundedRect(ShapeRect(d.get(), box), std::abs(d->DevLength(cornerWidth)) / 2.0,
                              std::abs(d->DevLength(cornerHeight)) / 2.0, Qt::AbsoluteSize);
  FinishShape(d.get());
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (FRecording) Record("Ellipse", {TPoint{left, top}, TPoint{right, bottom}});
  if (!d->Ensure()) return;
  QRect box = NormalizedRect(d->X(left), d->Y(top), d->X(right), d->Y(bottom));
  if (box.isEmpty()) return;
  PrepareShape(d.get());
  d->painter->drawEllipse(ShapeRect(d.get(), box));
  FinishShape(d.get());
}

namespace {

// Start and span in Qt's 1/16 degree for an arc from the ray through a to the ray through b,
// counter-clockwise as seen on the device.
void ArcAngles(const QRect& box, QPoint a, QPoint b, int& start, int& span) {
  double cx = box.left() + box.width() / 2.0, cy = box.top() + box.height() / 2.0;
  double a0 = std::atan2(-(a.y() - cy), a.x() - cx) * 180.0 / M_PI;
  double a1 = std::atan2(-(b.y() - cy), b.x() - cx) * 180.0 / M_PI;
  double sweep = a1 - a0;
  while (sweep <= 0) sweep += 360.0;
  start = static_cast<int>(std::lround(a0 * 16));
  span = static_cast<int>(std::lround(sweep * 16));
}

}  // namespace

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (FRecording) Record("Arc", {TPoint{x1, y1}, TPoint{x2, y2}, TPoint{x3, y3}, TPoint{x4, y4}});
  if (!d->Ensure()) return;
  QRect box = NormalizedRect(d->X(x1), d->Y(y1), d->X(x2), d->Y(y2));
  if (box.isEmpty()) return;
  int start = 0, span = 0;
  ArcAngles(box, d->P(x3, y3), d->P(x4, y4), start, span);
  PrepareShape(d.get());
  d->painter->setBrush(Qt::NoBrush);
  d->painter->drawArc(ShapeRect(d.get(), box), start, span);
  FinishShape(d.get());
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  if (FRecording) Record("Pie", {TPoint{x1, y1}, TPoint{x2, y2}, TPoint{x3, y3}, TPoint{x4, y4}});
  if (!d->Ensure()) return;
  QRect box = NormalizedRect(d->X(x1), d->Y(y1), d->X(x2), d->Y(y2));
  if (box.isEmpty()) return;
  int start = 0, span = 0;
  ArcAngles(box, d->P(x3, y3), d->P(x4, y4), start, span);
  PrepareShape(d.get());
  d->painter->drawPie(ShapeRect(d.get(), box), start, span);
  FinishShape(d.get());
}

void TCanvas::FillRect(const TRect& r) {
  if (FRecording) Record("FillRect", {TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}});
  if (!d->Ensure()) return;
  QRect dev = d->R(r);
  if (!dev.isValid() || dev.isEmpty()) return;
  QBrush brush = d->MakeBrush();
  if (brush.style() == Qt::NoBrush) return;
  d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (brush.style() != Qt::SolidPattern && brush.style() != Qt::TexturePattern && d->EffectiveBkMode() == OPAQUE)
    d->painter->fillRect(dev, ToQColor(d->EffectiveBkColor()));
  d->painter->fillRect(dev, brush);
}

void TCanvas::FrameRect(const TRect& r) {
  if (FRecording) Record("FrameRect", {TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}});
  if (!d->Ensure()) return;
  QRect dev = d->R(r);
  if (!dev.isValid() || dev.isEmpty() || d->brush->Style() == bsClear) return;
  QColor color = ToQColor(d->brush->Color());
  QPainter* p = d->painter;
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  int L = dev.left(), T = dev.top(), W = dev.width(), H = dev.height();
  p->fillRect(QRect(L, T, W, 1), color);
  if (H > 1) p->fillRect(QRect(L, T + H - 1, W, 1), color);
  if (H > 2) {
    p->fillRect(QRect(L, T + 1, 1, H - 2), color);
    if (W > 1) p->fillRect(QRect(L + W - 1, T + 1, 1, H - 2), color);
  }
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (FRecording) Record("DrawFocusRect", {TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}});
  if (!d->Ensure()) return;
  QRect dev = d->R(r);
  if (!dev.isValid() || dev.isEmpty()) return;
  // Every other pixel of the frame, on a checkerboard fixed to the device, inverted.
  std::vector<QPoint> points;
  auto add = [&](int x, int y) {
    if (((x + y) & 1) == 0) points.emplace_back(x, y);
  };
  int L = dev.left(), T = dev.top(), Rr = dev.right(), B = dev.bottom();
  for (int x = L; x <= Rr; ++x) {
    add(x, T);
    if (B != T) add(x, B);
  }
  for (int y = T + 1; y < B; ++y) {
    add(L, y);
    if (Rr != L) add(Rr, y);
  }
  d->painter->setCompositionMode(QPainter::RasterOp_NotDestination);
  d->PlotPoints(points, Qt::black);
  d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
  if (FRecording) Record("FloodFill", {TPoint{x, y}}, String(), color);
  QPoint offset;
  const QImage* image = ReadableImage(d.get(), offset);
  if (!image) return;
  QPoint start = d->P(x, y) + offset;
  const int W = image->width(), H = image->height();
  if (start.x() < 0 || start.y() < 0 || start.x() >= W || start.y() >= H) return;
  QBrush brush = d->MakeBrush();
  if (brush.style() == Qt::NoBrush) return;
  const QRgb key = static_cast<QRgb>(ColorToRGB(color));
  const QRgb keyRgb = qRgb(GetRValue(static_cast<TColor>(key)), GetGValue(static_cast<TColor>(key)),
                           GetBValue(static_cast<TColor>(key))) & 0xFFFFFF;
  auto pixel = [&](int px, int py) { return image->pixel(px, py) & 0xFFFFFF; };
  auto inside = [&](int px, int py) {
    bool same = pixel(px, py) == keyRgb;
    return style == fsSurface ? same : !same;
  };
  if (!inside(start.x(), start.y())) return;
  // Scan-line fill: collect spans first, then paint them, so the reading is never disturbed.
  std::vector<uint8_t> seen(static_cast<size_t>(W) * H, 0);
  std::vector<QRect> spans;
  std::deque<QPoint> queue{start};
  while (!queue.empty()) {
    QPoint p = queue.front();
    queue.pop_front();
    int py = p.y();
    if (seen[static_cast<size_t>(py) * W + p.x()] || !inside(p.x(), py)) continue;
    int x0 = p.x(), x1 = p.x();
    while (x0 > 0 && !seen[static_cast<size_t>(py) * W + x0 - 1] && inside(x0 - 1, py)) --x0;
    while (x1 + 1 < W && !seen[static_cast<size_t>(py) * W + x1 + 1] && inside(x1 + 1, py)) ++x1;
    for (int i = x0; i <= x1; ++i) seen[static_cast<size_t>(py) * W + i] = 1;
    spans.emplace_back(x0, py, x1 - x0 + 1, 1);
    for (int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= H) continue;
      for (int i = x0; i <= x1; ++i)
        if (!seen[static_cast<size_t>(ny) * W + i] && inside(i, ny)) queue.emplace_back(i, ny);
    }
  }
  d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  for (const QRect& s : spans) d->painter->fillRect(s.translated(-offset), brush);
}

TColor TCanvas::Pixel(int x, int y) {
  QPoint offset;
  const QImage* image = ReadableImage(d.get(), offset);
  if (!image) return clNone;
  QPoint p = d->P(x, y) + offset;
  if (!image->rect().contains(p)) return clNone;
  return FromQRgb(image->pixel(p));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (FRecording) Record("SetPixel", {TPoint{x, y}}, String(), color);
  if (!d->Ensure()) return;
  d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  d->painter->fillRect(QRect(d->P(x, y), QSize(1, 1)), ToQColor(color));
}

// ---- Pictures and copies ------------------------------------------------------------------

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (FRecording) Record("Draw", {TPoint{x, y}});
  if (!graphic || graphic->Empty()) return;
  // A picture keeps its pixel size, also on a mapped device (where y grows upward).
  int w = d->LogLength(graphic->Width()), h = d->LogLength(graphic->Height());
  graphic->Draw(this, TRect{x, y, x + w, d->Mapped() ? y - h : y + h});
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
  if (FRecording) Record("StretchDraw", {TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}});
  if (graphic && !graphic->Empty()) graphic->Draw(this, r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
  if (FRecording) Record("CopyRect", {TPoint{dest.Left, dest.Top}, TPoint{dest.Right, dest.Bottom}});
  if (!source || !d->Ensure()) return;
  QPoint offset;
  const QImage* image = ReadableImage(source->d.get(), offset);
  bool constant = false;
  QColor fill;
  CopyModeComposition(d->copyMode, constant, fill);
  QRect destRect = d->R(dest);
  if (!destRect.isValid()) destRect = destRect.normalized();
  if (constant) {
    DrawImageOnCanvas(d.get(), destRect, QImage(), QRect(), d->copyMode);
    return;
  }
  if (!image) return;
  QRect srcRect = source->d->R(src);
  if (!srcRect.isValid()) srcRect = srcRect.normalized();
  srcRect.translate(offset);
  // Copy first: the source may be this very canvas.
  QImage copy = image->copy(srcRect);
  DrawImageOnCanvas(d.get(), destRect, copy, copy.rect(), d->copyMode);
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor color) {
  if (FRecording) Record("BrushCopy", {TPoint{dest.Left, dest.Top}, TPoint{dest.Right, dest.Bottom}}, String(), color);
  if (!bitmap || bitmap->Empty() || !d->Ensure()) return;
  QImage part = BitmapImage(bitmap).copy(QRect(QPoint(src.Left, src.Top), QPoint(src.Right - 1, src.Bottom - 1)));
  QRgb key = ToQColor(color).rgb() & 0xFFFFFF;
  std::optional<QRgb> transparent;
  if (d->brush->Style() == bsClear) {
    transparent = key;
  } else {
    QRgb fill = ToQColor(d->brush->Color()).rgb();
    part = part.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < part.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
      for (int x = 0; x < part.width(); ++x)
        if ((line[x] & 0xFFFFFF) == key) line[x] = fill;
    }
  }
  DrawImageOnCanvas(d.get(), d->R(dest).normalized(), part, part.rect(), cmSrcCopy, transparent);
}

// ---- Clipping -----------------------------------------------------------------------------

namespace {

// The device's area in the canvas's coordinates. The painter's own transform maps them, not
// its device transform: a view painted into its window's backing store has its offset in the
// window added there, which would cut the area short by that offset.
QRect WholeDevice(TCanvas::Private* d) {
  if (d->painter && d->painter->device()) {
    QTransform inverse = d->painter->combinedTransform().inverted();
    return inverse.mapRect(QRect(0, 0, d->painter->device()->width(), d->painter->device()->height()));
  }
  return QRect(-1000000, -1000000, 2000000, 2000000);
}

}  // namespace

TRect TCanvas::ClipRect() {
  d->Ensure();
  QRegion area(WholeDevice(d.get()));
  if (d->originalHasClip) area &= d->originalClip;
  if (d->clip) area &= *d->clip;
  QRect box = area.boundingRect();
  if (box.isEmpty()) return TRect{};
  return d->ToLogical(box);
}

void TCanvas::SetClipRect(const TRect& r) {
  d->clip = QRegion(d->R(r).normalized());
  d->clipApplied = false;
}

void TCanvas::IntersectClipRect(const TRect& r) {
  QRegion area(d->R(r).normalized());
  d->clip = d->clip ? (*d->clip & area) : area;
  d->clipApplied = false;
}

void TCanvas::ExcludeClipRect(const TRect& r) {
  QRegion base = d->clip ? *d->clip : QRegion(WholeDevice(d.get()));
  d->clip = base - QRegion(d->R(r).normalized());
  d->clipApplied = false;
}

void TCanvas::IntersectClipEllipse(const TRect& r) {
  QRegion area(d->R(r).normalized(), QRegion::Ellipse);
  d->clip = d->clip ? (*d->clip & area) : area;
  d->clipApplied = false;
}

void TCanvas::IntersectClipRoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
  QPainterPath path;
  QRect box = d->R(r).normalized();
  path.addRoundedRect(QRectF(box), std::abs(d->DevLength(cornerWidth)) / 2.0,
                      std::abs(d->DevLength(cornerHeight)) / 2.0);
  QRegion area(path.toFillPolygon().toPolygon());
  d->clip = d->clip ? (*d->clip & area) : area;
  d->clipApplied = false;
}

void TCanvas::RemoveClip() {
  d->clip.reset();
  d->clipApplied = false;
}

bool TCanvas::HasClip() const { return d->clip.has_value(); }

int TCanvas::SaveDC() {
  d->saved.push_back(Private::Saved{d->clip, d->mapMode, d->bkModeBrushChange == d->brush->ChangeCount() ? d->bkMode : std::nullopt,
                                    d->bkColorBrushChange == d->brush->ChangeCount() ? d->bkColor : std::nullopt,
                                    d->textColorFontChange == d->font->ChangeCount() ? d->textColor : std::nullopt,
                                    TFont(), TPen(), TBrush(), d->penPos});
  Private::Saved& s = d->saved.back();
  s.font.Assign(*d->font);
  s.pen.Assign(*d->pen);
  s.brush.Assign(*d->brush);
  return static_cast<int>(d->saved.size());
}

bool TCanvas::RestoreDC(int level) {
  int count = static_cast<int>(d->saved.size());
  if (level < 0) level = count + 1 + level;
  if (level < 1 || level > count) return false;
  Private::Saved s = std::move(d->saved[static_cast<size_t>(level - 1)]);
  d->saved.resize(static_cast<size_t>(level - 1));
  d->clip = s.clip;
  d->clipApplied = false;
  d->mapMode = s.mapMode;
  d->font->Assign(s.font);
  d->pen->Assign(s.pen);
  d->brush->Assign(s.brush);
  d->penPos = s.penPos;
  d->bkMode = s.bkMode;
  d->bkModeBrushChange = d->brush->ChangeCount();
  d->bkColor = s.bkColor;
  d->bkColorBrushChange = d->brush->ChangeCount();
  d->textColor = s.textColor;
  d->textColorFontChange = d->font->ChangeCount();
  return true;
}

// ---- Mapping ------------------------------------------------------------------------------

int TCanvas::MapMode() const { return d->mapMode; }

void TCanvas::SetMapMode(int mode) {
  if (mode < MM_TEXT || mode > MM_TWIPS || mode == d->mapMode) return;
  // The clip is kept in device pixels, so it survives the change as it stands.
  d->mapMode = mode;
}

TPoint TCanvas::LPtoDP(TPoint p) const { return TPoint{d->X(p.X), d->Y(p.Y)}; }

TPoint TCanvas::DPtoLP(TPoint p) const {
  if (!d->Mapped()) return p;
  return TPoint{GdiMulDiv(p.X, d->UnitsPerInch(), d->ppi), -GdiMulDiv(p.Y, d->UnitsPerInch(), d->ppi)};
}

TRect TCanvas::LPtoDP(const TRect& r) const {
  TPoint a = LPtoDP(TPoint{r.Left, r.Top}), b = LPtoDP(TPoint{r.Right, r.Bottom});
  return TRect{a.X, a.Y, b.X, b.Y};
}

TRect TCanvas::DPtoLP(const TRect& r) const {
  TPoint a = DPtoLP(TPoint{r.Left, r.Top}), b = DPtoLP(TPoint{r.Right, r.Bottom});
  return TRect{a.X, a.Y, b.X, b.Y};
}

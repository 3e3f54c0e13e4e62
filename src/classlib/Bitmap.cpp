#include "classlib/Bitmap.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <map>
#include <mutex>

#include "classlib/GraphicsQt.h"

class TBitmap::TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* owner) : FOwner(owner) {}

 protected:
  void CreateHandle() override;

 private:
  TBitmap* FOwner;
};

struct TBitmap::Private {
  QImage image;
  std::unique_ptr<TBitmapCanvas> canvas;
};

void TBitmap::TBitmapCanvas::CreateHandle() {
  QImage& image = FOwner->d->image;
  if (!image.isNull()) StartOwnedPainting(&image);
}

QImage& BitmapImage(TBitmap* bitmap) { return bitmap->Image(); }
const QImage& BitmapImage(const TBitmap* bitmap) { return bitmap->Image(); }

namespace {

std::map<String, TBitmap::TResourcePainter>& Resources() {
  static std::map<String, TBitmap::TResourcePainter> resources;
  return resources;
}

}  // namespace

TBitmap::TBitmap() : d(std::make_unique<Private>()) { d->canvas = std::make_unique<TBitmapCanvas>(this); }

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::~TBitmap() { d->canvas.reset(); }

QImage& TBitmap::Image() {
  d->canvas->ReleaseHandle();
  return d->image;
}

const QImage& TBitmap::Image() const {
  d->canvas->ReleaseHandle();
  return d->image;
}

void TBitmap::SetImage(const QImage& image) {
  d->canvas->ReleaseHandle();
  d->image = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
  Changed();
}

void TBitmap::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) {
    SetSize(0, 0);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    d->canvas->ReleaseHandle();
    d->image = bitmap->Image().copy();
    FPixelFormat = bitmap->FPixelFormat;
    FTransparentMode = bitmap->FTransparentMode;
    FTransparentColor = bitmap->FTransparentColor;
    TGraphic::SetTransparent(bitmap->Transparent());
    Canvas()->SetFont(bitmap->d->canvas->Font());
    Changed();
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    SetSize(graphic->Width(), graphic->Height());
    if (!graphic->Empty()) {
      Canvas()->Brush()->SetColor(clWhite);
      Canvas()->FillRect(Rect(0, 0, Width(), Height()));
      graphic->Draw(Canvas(), Rect(0, 0, Width(), Height()));
    }
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

TCanvas* TBitmap::Canvas() { return d->canvas.get(); }

bool TBitmap::Empty() const { return d->image.isNull() || d->image.width() == 0 || d->image.height() == 0; }
int TBitmap::Width() const { return d->image.isNull() ? 0 : d->image.width(); }
int TBitmap::Height() const { return d->image.isNull() ? 0 : d->image.height(); }
void TBitmap::SetWidth(int width) { SetSize(width, Height()); }
void TBitmap::SetHeight(int height) { SetSize(Width(), height); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == Width() && height == Height()) return;
  d->canvas->ReleaseHandle();
  if (width == 0 || height == 0) {
    d->image = QImage();
  } else {
    QImage next(width, height, QImage::Format_RGB32);
    next.fill(Qt::white);
    if (!d->image.isNull()) {
      QPainter p(&next);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, d->image);
    }
    d->image = std::move(next);
  }
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FPixelFormat) return;
  FPixelFormat = format;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (Empty()) return clDefault;
  return FromQRgb(Image().pixel(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
  FTransparentColor = color;
  FTransparentMode = color == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == FTransparentMode) return;
  FTransparentMode = mode;
  Changed();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty() || !canvas) return;
  TCanvas::Private* cd = TCanvasPainterAccess::Of(canvas);
  std::optional<QRgb> transparent;
  if (Transparent()) transparent = ToQColor(TransparentColor()).rgb();
  // Drawn on its own canvas, the bitmap draws from a copy of itself.
  QImage image = canvas == d->canvas.get() ? Image().copy() : Image();
  DrawImageOnCanvas(cd, cd->R(r).normalized(), image, image.rect(), canvas->CopyMode(), transparent);
}

namespace {

TPixelFormat BmpBitCountFormat(const std::string& data) {
  if (data.size() < 30) return pfDevice;
  int bits = static_cast<unsigned char>(data[28]) | (static_cast<unsigned char>(data[29]) << 8);
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfDevice;
  }
}

}  // namespace

void TBitmap::LoadFromBytes(const std::string& data) {
  if (data.size() < 2 || data[0] != 'B' || data[1] != 'M') throw EInvalidGraphic("Bitmap image is not valid");
  QByteArray bytes(data.data(), static_cast<qsizetype>(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  QImage image = reader.read();
  if (image.isNull()) throw EInvalidGraphic("Bitmap image is not valid");
  d->canvas->ReleaseHandle();
  d->image = image.convertToFormat(QImage::Format_RGB32);
  FPixelFormat = BmpBitCountFormat(data);
  Changed();
}

std::string TBitmap::SaveToBytes() const {
  if (Empty()) return std::string();
  QImage image = Image();
  switch (FPixelFormat) {
    case pf1bit: image = image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither); break;
    case pf4bit:
    case pf8bit: image = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither); break;
    case pf32bit: image = image.convertToFormat(QImage::Format_ARGB32); break;
    default: image = image.convertToFormat(QImage::Format_RGB888); break;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "bmp");
  if (!writer.write(image)) throw EInvalidGraphic("Bitmap image is not valid");
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void TBitmap::RegisterResource(const String& name, TResourcePainter painter) { Resources()[name] = std::move(painter); }

void TBitmap::LoadFromResourceName(const String& name) {
  auto it = Resources().find(name);
  if (it == Resources().end()) throw EResNotFound("Resource " + name + " not found");
  it->second(this);
  Changed();
}

#include "classlib/Picture.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <cctype>
#include <map>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/GraphicsQt.h"
#include "classlib/Jpeg.h"

// ---- TImageGraphic ------------------------------------------------------------------------

struct TImageGraphic::Private {
  const char* format;
  const char* description;
  QImage image;  // Format_ARGB32
};

TImageGraphic::TImageGraphic(const char* format, const char* description)
    : d(std::make_unique<Private>(Private{format, description, QImage()})) {}

TImageGraphic::~TImageGraphic() = default;

void TImageGraphic::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) {
    d->image = QImage();
  } else if (auto* same = dynamic_cast<TImageGraphic*>(source)) {
    d->image = same->d->image;
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
    d->image = bitmap->Image().convertToFormat(QImage::Format_ARGB32);
  } else if (auto* jpeg = dynamic_cast<TJPEGImage*>(source)) {
    d->image = jpeg->Image().convertToFormat(QImage::Format_ARGB32);
  } else {
    TPersistent::Assign(source);
    return;
  }
  Changed();
}

bool TImageGraphic::Empty() const { return d->image.isNull(); }
int TImageGraphic::Width() const { return d->image.isNull() ? 0 : d->image.width(); }
int TImageGraphic::Height() const { return d->image.isNull() ? 0 : d->image.height(); }

namespace {

QImage Resized(const QImage& image, int w, int h) {
  if (w <= 0 || h <= 0) return QImage();
  QImage next(w, h, QImage::Format_ARGB32);
  next.fill(Qt::transparent);
  if (!image.isNull()) {
    QPainter p(&next);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image);
  }
  return next;
}

}  // namespace

void TImageGraphic::SetWidth(int width) {
  if (width == Width()) return;
  d->image = Resized(d->image, width, Height());
  Changed();
}

void TImageGraphic::SetHeight(int height) {
  if (height == Height()) return;
  d->image = Resized(d->image, Width(), height);
  Changed();
}

void TImageGraphic::Draw(TCanvas* canvas, const TRect& r) {
  if (Empty() || !canvas) return;
  TCanvas::Private* cd = TCanvasPainterAccess::Of(canvas);
  if (!cd->Ensure()) return;
  cd->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  cd->painter->drawImage(cd->R(r).normalized(), d->image);
}

uint64_t TImageGraphic::MostPixels(size_t) const { return kMostPicturePixels; }

void TImageGraphic::LoadFromBytes(const std::string& data) {
  QByteArray bytes(data.data(), static_cast<qsizetype>(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, d->format);
  // The decoder allocates the size the header claims (a GIF's logical screen, which Qt does
  // not report beforehand); a few bytes must not claim gigabytes. Qt's limit is in whole
  // megabytes of 4-byte pixels at most.
  const uint64_t mostBytes = MostPixels(data.size()) * 4;
  reader.setAllocationLimit(static_cast<int>(std::max<uint64_t>(1, (mostBytes + (1u << 20) - 1) >> 20)));
  QImage image = reader.read();
  if (image.isNull()) throw EInvalidGraphic(String(d->description) + " is not valid");
  d->image = image.convertToFormat(QImage::Format_ARGB32);
  Changed();
}

std::string TImageGraphic::SaveToBytes() const {
  if (Empty()) return std::string();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, d->format);
  if (!writer.write(d->image)) throw EInvalidGraphicOperation(String("Cannot save the ") + d->description);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

const QImage& TImageGraphic::Image() const { return d->image; }

std::string TGifImage::SaveToBytes() const { throw EInvalidGraphicOperation("GIF images cannot be saved"); }

uint64_t LzwMostPixels(uint64_t DataBytes, unsigned CodeBits) {
  // The k-th code after a clear code stands for at most k pixels (each new string is an older
  // one plus one pixel), and no code for more than the 4096 entries of the string table.
  constexpr uint64_t kLongest = 4096;
  const uint64_t codes = DataBytes * 8 / std::max(CodeBits, 1u);
  if (codes <= kLongest) return codes * (codes + 1) / 2;
  return kLongest * (kLongest + 1) / 2 + (codes - kLongest) * kLongest;
}

uint64_t TGifImage::MostPixels(size_t DataBytes) const {
  // The whole file counts as compressed data, and codes as narrow as GIF allows: an upper
  // bound for any honest file.
  return std::max(kSmallGifScreen, std::min(kMostPicturePixels, LzwMostPixels(DataBytes, 2)));
}

// ---- TPicture -----------------------------------------------------------------------------

namespace {

std::map<String, TPicture::TGraphicFactory>& Formats() {
  static std::map<String, TPicture::TGraphicFactory> formats = {
      {"bmp", [] { return std::make_unique<TBitmap>(); }},
      {"jpg", [] { return std::make_unique<TJPEGImage>(); }},
      {"jpeg", [] { return std::make_unique<TJPEGImage>(); }},
      {"jpe", [] { return std::make_unique<TJPEGImage>(); }},
      {"jfif", [] { return std::make_unique<TJPEGImage>(); }},
      {"png", [] { return std::make_unique<TPngImage>(); }},
      {"gif", [] { return std::make_unique<TGifImage>(); }},
      {"ico", [] { return std::make_unique<TIcon>(); }},
  };
  return formats;
}

String Extension(const String& fileName) {
  size_t slash = fileName.find_last_of("/\\");
  size_t dot = fileName.rfind('.');
  if (dot == String::npos || (slash != String::npos && dot < slash)) return String();
  String ext = fileName.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

std::unique_ptr<TGraphic> SniffGraphic(const std::string& data) {
  auto starts = [&](const char* sig, size_t n) { return data.size() >= n && data.compare(0, n, sig, n) == 0; };
  if (starts("BM", 2)) return std::make_unique<TBitmap>();
  if (starts("\xFF\xD8\xFF", 3)) return std::make_unique<TJPEGImage>();
  if (starts("\x89PNG\r\n\x1A\n", 8)) return std::make_unique<TPngImage>();
  if (starts("GIF8", 4)) return std::make_unique<TGifImage>();
  if (starts(std::string("\0\0\1\0", 4).c_str(), 4)) return std::make_unique<TIcon>();
  return nullptr;
}

}  // namespace

void TPicture::RegisterFileFormat(const String& extension, TGraphicFactory factory) {
  Formats()[extension] = std::move(factory);
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
  FGraphic = std::move(graphic);
  if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic == FGraphic.get()) return;
  if (!graphic) {
    Adopt(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = graphic->NewInstance();
  if (!copy) throw EConvertError("Cannot assign a " + graphic->ClassName() + " to a TPicture");
  copy->Assign(const_cast<TGraphic*>(graphic));
  Adopt(std::move(copy));
}

void TPicture::SetBitmap(const TBitmap* bitmap) { SetGraphic(bitmap); }

TBitmap* TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Adopt(std::make_unique<TBitmap>());
  return static_cast<TBitmap*>(FGraphic.get());
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::Assign(TPersistent* source) {
  if (source == this) return;
  if (!source) {
    Adopt(nullptr);
  } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
    SetGraphic(picture->Graphic());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::LoadFromFile(const String& fileName) {
  String ext = Extension(fileName);
  auto it = Formats().find(ext);
  if (it == Formats().end()) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> graphic = it->second();
  graphic->LoadFromFile(fileName);
  Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const String& fileName) const {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromBytes(const std::string& data) {
  std::unique_ptr<TGraphic> graphic = SniffGraphic(data);
  if (!graphic) throw EInvalidGraphic("Unknown picture format");
  graphic->LoadFromBytes(data);
  Adopt(std::move(graphic));
}

std::string TPicture::SaveToBytes() const { return FGraphic ? FGraphic->SaveToBytes() : std::string(); }

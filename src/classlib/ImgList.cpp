#include "classlib/ImgList.h"

#include <QImage>
#include <QPainter>

#include "classlib/Bitmap.h"
#include "classlib/GraphicsQt.h"

struct TCustomImageList::Entry {
  std::unique_ptr<TBitmap> Image;
  TColor MaskColor = clNone;
};

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomImageList::SetWidth(int Value) {
  if (Value == FWidth || Value <= 0) return;
  FWidth = Value;
  FImages.clear();
  Changed();
}

void TCustomImageList::SetHeight(int Value) {
  if (Value == FHeight || Value <= 0) return;
  FHeight = Value;
  FImages.clear();
  Changed();
}

int TCustomImageList::Add(TBitmap* Image) { return AddMasked(Image, clNone); }

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  auto entry = std::make_unique<Entry>();
  entry->Image = std::make_unique<TBitmap>(FWidth, FHeight);
  entry->MaskColor = MaskColor;
  if (Image != nullptr && !Image->Empty()) {
    QImage copy(FWidth, FHeight, QImage::Format_RGB32);
    copy.fill(MaskColor == clNone ? Qt::white : ToQColor(MaskColor));
    QPainter painter(&copy);
    painter.drawImage(0, 0, Image->Image());
    painter.end();
    entry->Image->SetImage(copy);
  }
  if (MaskColor != clNone) {
    entry->Image->SetTransparentColor(MaskColor);
    entry->Image->SetTransparent(true);
  }
  FImages.push_back(std::move(entry));
  Changed();
  return Count() - 1;
}

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TCustomImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (Canvas == nullptr || Index < 0 || Index >= Count()) return;
  Entry& e = *FImages[static_cast<size_t>(Index)];
  if (Enabled) {
    Canvas->Draw(X, Y, e.Image.get());
    return;
  }
  // Greyed: every drawn pixel becomes a light grey of its brightness.
  TBitmap grey;
  QImage image = e.Image->Image().copy();
  const QRgb key = ToQColor(e.MaskColor).rgb() & 0xFFFFFF;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (e.MaskColor != clNone && (line[x] & 0xFFFFFF) == key) continue;
      int g = 128 + qGray(line[x]) / 2;
      line[x] = qRgb(g, g, g);
    }
  }
  grey.SetImage(image);
  if (e.MaskColor != clNone) {
    grey.SetTransparentColor(e.MaskColor);
    grey.SetTransparent(true);
  }
  Canvas->Draw(X, Y, &grey);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image) {
  if (Image == nullptr) return;
  if (Index < 0 || Index >= Count()) {
    Image->Assign(nullptr);
    return;
  }
  Image->Assign(FImages[static_cast<size_t>(Index)]->Image.get());
}

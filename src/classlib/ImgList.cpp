// The image list.
#include "classlib/ImgList.h"

#include "classlib/Bitmap.h"

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::SetWidth(int Value) {
  if (Value == FWidth || Value <= 0) return;
  FWidth = Value;
  Clear();
}

void TCustomImageList::SetHeight(int Value) {
  if (Value == FHeight || Value <= 0) return;
  FHeight = Value;
  Clear();
}

int TCustomImageList::Add(TBitmap* Image, TBitmap*) {
  auto copy = std::make_unique<TBitmap>(FWidth, FHeight);
  if (Image != nullptr && !Image->Empty()) copy->Canvas()->Draw(0, 0, Image);
  copy->SetTransparent(true);
  FImages.push_back(std::move(copy));
  return Count() - 1;
}

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  FImages.erase(FImages.begin() + Index);
}

void TCustomImageList::Clear() { FImages.clear(); }

bool TCustomImageList::GetBitmap(int Index, TBitmap* Image) const {
  if (Image == nullptr || Index < 0 || Index >= Count()) return false;
  Image->Assign(FImages[static_cast<size_t>(Index)].get());
  return true;
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index) const {
  if (Canvas == nullptr || Index < 0 || Index >= Count()) return;
  Canvas->Draw(X, Y, FImages[static_cast<size_t>(Index)].get());
}

// TCustomImageList: pictures of one size kept in a list and drawn by index (the images of
// image-index cells and of the image pickers).
#pragma once

#include <memory>
#include <vector>

#include "classlib/Component.h"

class TBitmap;
class TCanvas;

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  // 16 x 16 at start. A new size empties the list, as the images no longer fit it.
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Count() const { return static_cast<int>(FImages.size()); }

  // Adds a copy of Image, cut or extended to the list's size, and answers its index. The mask
  // is not kept: images are drawn with their bottom-left pixel's colour as transparent.
  int Add(TBitmap* Image, TBitmap* Mask);
  void Delete(int Index);
  void Clear();
  // Copies image Index into Image; false (Image unchanged) for an index outside the list.
  bool GetBitmap(int Index, TBitmap* Image) const;
  // Draws image Index with its top-left corner at (X, Y); nothing for an index outside.
  void Draw(TCanvas* Canvas, int X, int Y, int Index) const;

 private:
  int FWidth = 16;
  int FHeight = 16;
  std::vector<std::unique_ptr<TBitmap>> FImages;
};

class TImageList : public TCustomImageList {
 public:
  using TCustomImageList::TCustomImageList;
};

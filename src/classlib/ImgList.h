// Image lists: numbered images of one size, drawn by index. Controls that show small pictures
// beside their texts (the drop-downs' buttons, headers and list columns) share one list and
// hear through FreeNotification when it goes.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Colors.h"
#include "classlib/Component.h"

class TBitmap;
class TCanvas;

class TCustomImageList : public TComponent {
 public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;

  // The size of every image; changing it empties the list.
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Count() const { return static_cast<int>(FImages.size()); }

  // Adds a copy of the image, cut or padded to the list's size; returns its index.
  int Add(TBitmap* Image);
  // The same, with the pixels of MaskColor left out when drawing (clNone: none).
  int AddMasked(TBitmap* Image, TColor MaskColor);
  void Delete(int Index);
  void Clear();

  // Draws image Index with its top-left corner at (X, Y); a disabled image is drawn greyed.
  // An index outside the list draws nothing.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  // A copy of image Index (its masked pixels in the mask colour); empty for a bad index.
  void GetBitmap(int Index, TBitmap* Image);

  TNotifyEvent OnChange;

 private:
  struct Entry;
  void Changed();
  std::vector<std::unique_ptr<Entry>> FImages;
  int FWidth = 16;
  int FHeight = 16;
};

class TImageList : public TCustomImageList {
 public:
  explicit TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
};

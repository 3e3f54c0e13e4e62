// Test doubles for the formatted-text engine: a fixed-pitch measurer, an image list and
// pictures that record what they are asked to draw, and ink boxes on a bitmap.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "classlib/Bitmap.h"
#include "grid/base/HTMLEngine.h"

namespace htmltest {

// Every character 8 pixels wide; a run as high as twice the font's point size (16 for 8 points).
class TFixedPitchMeasurer : public THTMLTextMeasurer {
 public:
  TSize TextSize(TCanvas* Canvas, const String& Text) override {
    int characters = 0;
    for (char c : Text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return TSize{8 * characters, 2 * Canvas->Font()->Size()};
  }
};

struct TDrawCall {
  int X, Y, Index;
};

// Images of 16 x 16 pixels, filled in a colour of their own when drawn.
class TFakeImageList : public THTMLImageList {
 public:
  explicit TFakeImageList(int count) : FCount(count) {}
  std::vector<TDrawCall> Calls;
  int Count() override { return FCount; }
  int Width() override { return 16; }
  int Height() override { return 16; }
  void Draw(TCanvas* Canvas, int X, int Y, int Index) override {
    Calls.push_back({X, Y, Index});
    Canvas->Brush()->SetColor(clLime);
    Canvas->FillRect(TRect{X, Y, X + 16, Y + 16});
  }
  void GetBitmap(int, TBitmap* Bitmap) override {
    Bitmap->SetSize(16, 16);
    Bitmap->Canvas()->Brush()->SetColor(clLime);
    Bitmap->Canvas()->FillRect(TRect{0, 0, 16, 16});
  }

 private:
  int FCount;
};

class TFakePicture : public THTMLPictureRef {
 public:
  TFakePicture(int w, int h, bool empty = false) : FWidth(w), FHeight(h), FEmpty(empty) {}
  std::vector<TRect> Drawn;
  bool Stretch = false;
  bool Empty() override { return FEmpty; }
  int GetMaxWidth() override { return FWidth; }
  int GetMaxHeight() override { return FHeight; }
  int FrameCount() override { return -1; }
  int FrameXPos() override { return 0; }
  int FrameYPos() override { return 0; }
  void SetStretch(bool s) override { Stretch = s; }
  void Draw(TCanvas*, const TRect& R) override { Drawn.push_back(R); }

 private:
  int FWidth, FHeight;
  bool FEmpty;
};

// A container (names without regard to case) and, with AddURLPicture, a cache.
class TFakePictures : public THTMLPictureCacheSource {
 public:
  std::map<String, std::unique_ptr<TFakePicture>> Pictures;
  std::vector<String> Added;
  THTMLPictureRef* FindPicture(const String& Name) override {
    auto it = Pictures.find(UpperCase(Name));
    return it == Pictures.end() ? nullptr : it->second.get();
  }
  void AddURLPicture(const String& Url) override {
    Added.push_back(Url);
    Pictures[UpperCase(Url)] = std::make_unique<TFakePicture>(0, 0, true);  // remote: stays empty
  }
};

// The bounding box of the pixels that match, in [Left, Right) x [Top, Bottom); empty when none.
inline TRect InkBox(TBitmap& Bitmap, const std::function<bool(TColor)>& Match, const TRect& Area) {
  TRect box{Area.Right, Area.Bottom, Area.Left, Area.Top};
  TCanvas* c = Bitmap.Canvas();
  for (int y = Area.Top; y < Area.Bottom; ++y)
    for (int x = Area.Left; x < Area.Right; ++x) {
      if (!Match(c->Pixel(x, y))) continue;
      box.Left = std::min(box.Left, x);
      box.Top = std::min(box.Top, y);
      box.Right = std::max(box.Right, x + 1);
      box.Bottom = std::max(box.Bottom, y + 1);
    }
  if (box.Left >= box.Right) return TRect{0, 0, 0, 0};
  return box;
}

inline bool NotWhite(TColor c) { return c != clWhite; }

}  // namespace htmltest

// TPicture holds one picture of any type and picks the type from a file name's extension or
// from the data's signature. The Qt-decoded types (PNG, GIF, icons) share TImageGraphic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "classlib/Graphic.h"

class QImage;
class TBitmap;

// The most pixels a picture read from a file may have (8192 x 8192): a decoder is not let
// allocate more.
inline constexpr uint64_t kMostPicturePixels = 8192ull * 8192ull;

// A picture decoded by Qt's image readers, kept with its alpha channel.
class TImageGraphic : public TGraphic {
 public:
  ~TImageGraphic() override;
  void Assign(TPersistent* Source) override;
  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // Resizing crops or extends with transparent pixels.
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  bool Transparent() const override { return true; }
  void Draw(TCanvas* canvas, const TRect& r) override;
  // EInvalidGraphic when Qt cannot read the data as this type.
  void LoadFromBytes(const std::string& data) override;
  std::string SaveToBytes() const override;

  const QImage& Image() const;  // classlib-internal
  std::unique_ptr<TGraphic> NewInstance() const override = 0;

 protected:
  // Qt's format name ("png", "gif", "ico") and the type's name in error messages.
  TImageGraphic(const char* format, const char* description);
  // The most pixels DataBytes bytes of this type may describe; data whose header claims more
  // is refused before the decoder allocates for it.
  virtual uint64_t MostPixels(size_t DataBytes) const;

 private:
  struct Private;
  std::unique_ptr<Private> d;
};

class TPngImage : public TImageGraphic {
 public:
  TPngImage() : TImageGraphic("png", "PNG image") {}
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TPngImage>(); }
};

// The most pixels LZW data (as a GIF image holds) of DataBytes bytes can describe when every
// code is at least CodeBits bits wide.
uint64_t LzwMostPixels(uint64_t DataBytes, unsigned CodeBits);

// A GIF logical screen of at most this many pixels (256 x 256) is decoded whatever the data
// holds: it costs less than its check would save.
inline constexpr uint64_t kSmallGifScreen = 256 * 256;

// GIF pictures load (first frame); saving raises EInvalidGraphicOperation, as Qt cannot write them.
// A logical screen larger than the file's compressed data can fill (and than kSmallGifScreen)
// is refused.
class TGifImage : public TImageGraphic {
 public:
  TGifImage() : TImageGraphic("gif", "GIF image") {}
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TGifImage>(); }
  std::string SaveToBytes() const override;

 protected:
  uint64_t MostPixels(size_t DataBytes) const override;
};

class TIcon : public TImageGraphic {
 public:
  TIcon() : TImageGraphic("ico", "Icon image") {}
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TIcon>(); }
};

class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // The picture held (nullptr when empty). SetGraphic copies the given picture.
  TGraphic* Graphic() const { return FGraphic.get(); }
  void SetGraphic(const TGraphic* graphic);
  // The picture as a bitmap: when another type is held, it is replaced by an empty bitmap.
  TBitmap* Bitmap();
  void SetBitmap(const TBitmap* bitmap);

  int Width() const;
  int Height() const;

  // Copies a TPicture or a TGraphic; nullptr empties.
  void Assign(TPersistent* Source) override;

  // The type comes from the extension (.bmp, .jpg/.jpeg/.jpe/.jfif, .png, .gif, .ico);
  // "Unknown picture file extension (.xyz)" otherwise (EInvalidGraphic).
  void LoadFromFile(const String& fileName);
  void SaveToFile(const String& fileName) const;
  // The type comes from the data's signature (BM, JPEG SOI, PNG, GIF8, icon header).
  void LoadFromBytes(const std::string& data);
  std::string SaveToBytes() const;

  TNotifyEvent OnChange;

  // Picture types by extension (lower case, without the dot); the built-in ones are registered.
  using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;
  static void RegisterFileFormat(const String& extension, TGraphicFactory factory);

 private:
  void Changed();
  void Adopt(std::unique_ptr<TGraphic> graphic);
  std::unique_ptr<TGraphic> FGraphic;
};

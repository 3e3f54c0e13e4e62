// TJPEGImage: a JPEG picture, decoded and encoded with libjpeg (6b interface).
//
// Loading decodes at once, so a damaged file (truncated, corrupt entropy data, not a JPEG at
// all) raises EJPEG right there and leaves the picture as it was. The bytes that were loaded
// are kept and saved again unchanged until the pixels, CompressionQuality or
// ProgressiveEncoding change; then saving encodes the pixels with those settings.
#pragma once

#include <memory>

#include "classlib/Graphic.h"

class QImage;
class TBitmap;

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGScale { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;
  TJPEGImage(const TJPEGImage&) = delete;
  TJPEGImage& operator=(const TJPEGImage&) = delete;

  // From a TJPEGImage: its data and settings. From a TBitmap (or any other picture): its
  // pixels, encoded at the next save.
  void Assign(TPersistent* Source) override;
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TJPEGImage>(); }
  // Writes the decoded pixels into a bitmap (the classic AssignTo); any other target is
  // refused the TPersistent way.
  void AssignTo(TPersistent* Dest) override;

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // The size of a JPEG follows its data; these do nothing.
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  // 1..100 (default 90); values outside are clamped.
  int CompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int quality);
  // Shows the picture in shades of grey; pixels that are encoded here (assigned from a
  // bitmap, or after an encoding setting changed) are encoded grey as well.
  bool Grayscale() const { return FGrayscale; }
  void SetGrayscale(bool grayscale);
  bool ProgressiveEncoding() const { return FProgressive; }
  void SetProgressiveEncoding(bool progressive);
  // Decoding choices, taking effect at the next load.
  TJPEGPerformance Performance() const { return FPerformance; }
  void SetPerformance(TJPEGPerformance performance) { FPerformance = performance; }
  TJPEGScale Scale() const { return FScale; }
  void SetScale(TJPEGScale scale) { FScale = scale; }
  TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TJPEGPixelFormat format) { FPixelFormat = format; }

  // Encodes now (saving does it when needed).
  void Compress();

  void Draw(TCanvas* canvas, const TRect& r) override;
  void LoadFromBytes(const std::string& data) override;
  std::string SaveToBytes() const override;

  // Classlib-internal: the decoded pixels.
  const QImage& Image() const;

 private:
  void DropData();
  struct Private;
  std::unique_ptr<Private> d;
  int FQuality = 90;
  bool FGrayscale = false;
  bool FProgressive = false;
  TJPEGPerformance FPerformance = jpBestQuality;
  TJPEGScale FScale = jsFullSize;
  TJPEGPixelFormat FPixelFormat = jf24Bit;
};

// The codec on its own, for code that has pixels but no picture object. Pixels are 24-bit
// RGB rows, top to bottom, 3 * width bytes each (1 byte per pixel with components == 1).
struct TJpegPixels {
  int width = 0;
  int height = 0;
  int components = 3;
  std::string pixels;
};
// Raises EJPEG with libjpeg's message when the data is not a whole, valid JPEG.
TJpegPixels DecodeJpeg(const std::string& data, bool grayscale = false, TJPEGScale scale = jsFullSize,
                       TJPEGPerformance performance = jpBestQuality);
std::string EncodeJpeg(const TJpegPixels& image, int quality, bool grayscale = false, bool progressive = false);

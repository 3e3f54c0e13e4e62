// TBitmap: an off-screen picture with its own canvas. Controls render into one to be tested
// by reading pixels; pictures of other types convert to one by Assign.
#pragma once

#include <functional>
#include <memory>

#include "classlib/Canvas.h"
#include "classlib/Graphic.h"

class QImage;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A named bitmap resource that is not registered.
class EResNotFound : public Exception {
 public:
  using Exception::Exception;
};

class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  // From another bitmap: a copy of its pixels and settings. From any other picture: this
  // bitmap takes its size and the picture is drawn onto it. nullptr empties the bitmap.
  void Assign(TPersistent* Source) override;
  std::unique_ptr<TGraphic> NewInstance() const override { return std::make_unique<TBitmap>(); }

  // The bitmap's canvas; drawing on it changes the pixels directly.
  TCanvas* Canvas();

  bool Empty() const override;
  int Width() const override;
  int Height() const override;
  // Resizing keeps the pixels that still fit; new pixels are white.
  void SetWidth(int width) override;
  void SetHeight(int height) override;
  void SetSize(int width, int height);

  // Stored for the file format written; drawing always works in 24-bit colour.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat format);

  // With tmAuto the transparent colour is the bottom-left pixel's; SetTransparentColor
  // switches to tmFixed.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode mode);

  void Draw(TCanvas* canvas, const TRect& r) override;

  // Windows bitmap files ("BM"); anything else raises EInvalidGraphic "Bitmap image is not valid".
  void LoadFromBytes(const std::string& data) override;
  std::string SaveToBytes() const override;

  // Named bitmap resources are our own drawn images: a subsystem registers a painter for a
  // name, and LoadFromResourceName runs it on this bitmap (EResNotFound for unknown names).
  using TResourcePainter = std::function<void(TBitmap* bitmap)>;
  static void RegisterResource(const String& name, TResourcePainter painter);
  void LoadFromResourceName(const String& name);

  // Classlib-internal: the pixels (the canvas's painter is ended first).
  QImage& Image();
  const QImage& Image() const;
  void SetImage(const QImage& image);  // takes a copy, converted to 24-bit colour

 private:
  class TBitmapCanvas;
  struct Private;
  std::unique_ptr<Private> d;
  TPixelFormat FPixelFormat = pfDevice;
  TTransparentMode FTransparentMode = tmAuto;
  TColor FTransparentColor = clDefault;
};

// Pictures: bitmap files, the picture container's choice of type, files on disk.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>

#include "classlib/Graphics.h"

namespace {

std::filesystem::path TempDir() {
  auto dir = std::filesystem::temp_directory_path() / ("zorvan_picture_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

std::unique_ptr<TBitmap> Glyph() {
  auto bmp = std::make_unique<TBitmap>(12, 8);
  bmp->Canvas()->Brush()->SetColor(clTeal);
  bmp->Canvas()->FillRect(Rect(0, 0, 12, 8));
  bmp->Canvas()->SetPixel(3, 2, clRed);
  return bmp;
}

void Put32(std::string& Bytes, size_t At, uint32_t Value, bool BigEndian) {
  for (int i = 0; i < 4; ++i) {
    const int shift = BigEndian ? 24 - 8 * i : 8 * i;
    Bytes[At + static_cast<size_t>(i)] = static_cast<char>((Value >> shift) & 0xFF);
  }
}

uint32_t Crc32(const std::string& Bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : Bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  return c ^ 0xFFFFFFFFu;
}

}  // namespace

// A header claiming more pixels than a picture may have (8192 x 8192) is refused; the picture
// keeps what it held.
TEST(Picture, HeadersClaimingHugeSizesAreRefused) {
  auto glyph = Glyph();
  std::string bmp = glyph->SaveToBytes();
  Put32(bmp, 18, 9000, false);
  Put32(bmp, 22, 9000, false);
  TBitmap bitmap;
  bitmap.Assign(glyph.get());
  EXPECT_THROW(bitmap.LoadFromBytes(bmp), EInvalidGraphic);
  EXPECT_EQ(bitmap.Width(), 12);

  TPngImage png;
  png.Assign(glyph.get());
  std::string bytes = png.SaveToBytes();
  ASSERT_EQ(bytes.substr(12, 4), "IHDR");
  Put32(bytes, 16, 9000, true);
  Put32(bytes, 20, 9000, true);
  Put32(bytes, 29, Crc32(bytes.substr(12, 17)), true);  // a header that is whole but for its size
  EXPECT_THROW(png.LoadFromBytes(bytes), EInvalidGraphic);
  EXPECT_EQ(png.Width(), 12);
  Put32(bytes, 16, 12, true);
  Put32(bytes, 20, 8, true);
  Put32(bytes, 29, Crc32(bytes.substr(12, 17)), true);
  png.LoadFromBytes(bytes);
  EXPECT_EQ(png.Height(), 8);
}

TEST(Bitmap, BmpBytesRoundTripExactly) {
  auto bmp = Glyph();
  bmp->SetPixelFormat(pf24bit);
  std::string bytes = bmp->SaveToBytes();
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  TBitmap back;
  back.LoadFromBytes(bytes);
  EXPECT_EQ(back.Width(), 12);
  EXPECT_EQ(back.Height(), 8);
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  EXPECT_EQ(back.Image(), bmp->Image());
  EXPECT_THROW(back.LoadFromBytes("BMgarbage"), EInvalidGraphic);
  EXPECT_THROW(back.LoadFromBytes("\x89PNG"), EInvalidGraphic);
  EXPECT_EQ(back.Width(), 12);  // unchanged by the failed loads
}

TEST(Bitmap, ResizeKeepsPixelsAndAssignCopies) {
  auto bmp = Glyph();
  int changes = 0;
  bmp->OnChange = [&](TObject*) { ++changes; };
  bmp->SetSize(20, 4);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(bmp->Canvas()->Pixel(3, 2), clRed);
  EXPECT_EQ(bmp->Canvas()->Pixel(15, 2), clWhite);
  TBitmap copy;
  copy.Assign(bmp.get());
  bmp->Canvas()->SetPixel(3, 2, clBlack);
  EXPECT_EQ(copy.Canvas()->Pixel(3, 2), clRed);
  TFont font;
  EXPECT_THROW(copy.Assign(&font), EConvertError);
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
  // An empty bitmap's canvas draws nothing and does not fail.
  copy.Canvas()->FillRect(Rect(0, 0, 5, 5));
  EXPECT_EQ(copy.Canvas()->Pixel(0, 0), clNone);
}

TEST(Bitmap, NamedResourcesAreDrawnByTheirRegisteredPainter) {
  TBitmap::RegisterResource("TESTARROW", [](TBitmap* b) {
    b->SetSize(5, 3);
    b->Canvas()->Brush()->SetColor(clBlack);
    b->Canvas()->FillRect(Rect(0, 0, 5, 1));
  });
  TBitmap bmp;
  bmp.LoadFromResourceName("TESTARROW");
  EXPECT_EQ(bmp.Width(), 5);
  EXPECT_EQ(bmp.Canvas()->Pixel(4, 0), clBlack);
  EXPECT_THROW(bmp.LoadFromResourceName("NOSUCH"), EResNotFound);
}

TEST(Picture, LoadFromFileChoosesTheTypeByExtension) {
  auto dir = TempDir();
  auto glyph = Glyph();
  glyph->SaveToFile((dir / "glyph.bmp").string());
  TJPEGImage jpeg;
  jpeg.Assign(glyph.get());
  jpeg.SaveToFile((dir / "glyph.JPG").string());
  QImage png(6, 4, QImage::Format_ARGB32);
  png.fill(Qt::transparent);
  png.setPixel(1, 1, qRgba(255, 0, 0, 255));
  ASSERT_TRUE(png.save(QString::fromStdString((dir / "dot.png").string())));

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  picture.LoadFromFile((dir / "glyph.bmp").string());
  EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 12);
  picture.LoadFromFile((dir / "glyph.JPG").string());
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Height(), 8);
  picture.LoadFromFile((dir / "dot.png").string());
  EXPECT_NE(dynamic_cast<TPngImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(changes, 3);

  // A PNG's transparent pixels leave the canvas as it was.
  TBitmap target(6, 4);
  target.Canvas()->Draw(0, 0, picture.Graphic());
  EXPECT_EQ(target.Canvas()->Pixel(0, 0), clWhite);
  EXPECT_EQ(target.Canvas()->Pixel(1, 1), clRed);

  EXPECT_THROW(picture.LoadFromFile((dir / "notes.xyz").string()), EInvalidGraphic);
  EXPECT_THROW(picture.LoadFromFile((dir / "missing.bmp").string()), EFOpenError);
  std::ofstream((dir / "broken.jpg").string(), std::ios::binary) << "not a picture";
  EXPECT_THROW(picture.LoadFromFile((dir / "broken.jpg").string()), EJPEG);
  EXPECT_NE(dynamic_cast<TPngImage*>(picture.Graphic()), nullptr);  // kept after failures
  std::filesystem::remove_all(dir);
}

TEST(Picture, BytesAreSniffedAndAssignCopiesTheGraphic) {
  auto glyph = Glyph();
  TPicture a;
  a.LoadFromBytes(glyph->SaveToBytes());
  ASSERT_NE(dynamic_cast<TBitmap*>(a.Graphic()), nullptr);
  TJPEGImage jpeg;
  jpeg.Assign(glyph.get());
  TPicture b;
  b.LoadFromBytes(jpeg.SaveToBytes());
  EXPECT_NE(dynamic_cast<TJPEGImage*>(b.Graphic()), nullptr);
  EXPECT_THROW(b.LoadFromBytes("plain text"), EInvalidGraphic);

  TPicture c;
  c.Assign(&b);
  ASSERT_NE(c.Graphic(), nullptr);
  EXPECT_NE(c.Graphic(), b.Graphic());
  EXPECT_EQ(c.Width(), 12);
  // Asking for a bitmap replaces another type with an empty bitmap.
  TBitmap* bmp = c.Bitmap();
  EXPECT_TRUE(bmp->Empty());
  c.Assign(nullptr);
  EXPECT_EQ(c.Graphic(), nullptr);
}

TEST(Picture, SaveToFileReplacesTheFileWhole) {
  auto dir = TempDir();
  auto path = (dir / "out.bmp").string();
  std::ofstream(path) << "old";
  auto glyph = Glyph();
  glyph->SaveToFile(path);
  TBitmap back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.Width(), 12);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);
  EXPECT_THROW(glyph->SaveToFile((dir / "no_such_dir" / "x.bmp").string()), EFCreateError);
  std::filesystem::remove_all(dir);
}

// JPEG coding through libjpeg: round trips, settings, and damaged data refused cleanly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "classlib/Graphics.h"

namespace {

// A test picture with smooth areas, hard edges and text.
std::unique_ptr<TBitmap> Scene(int w = 64, int h = 48) {
  auto bmp = std::make_unique<TBitmap>(w, h);
  TCanvas* c = bmp->Canvas();
  for (int x = 0; x < w; ++x) {
    c->Pen()->SetColor(RGB(x * 255 / w, 128, 255 - x * 255 / w));
    c->MoveTo(x, 0);
    c->LineTo(x, h);
  }
  c->Brush()->SetColor(clYellow);
  c->Ellipse(8, 8, 40, 40);
  c->Brush()->SetColor(clNavy);
  c->FillRect(Rect(44, 10, 60, 38));
  return bmp;
}

struct Difference {
  double mean = 0;
  int max = 0;
};

Difference Compare(TBitmap* a, TBitmap* b) {
  Difference d;
  long total = 0;
  int n = 0;
  for (int y = 0; y < a->Height(); ++y)
    for (int x = 0; x < a->Width(); ++x) {
      TColor p = a->Canvas()->Pixel(x, y), q = b->Canvas()->Pixel(x, y);
      for (int diff : {std::abs(GetRValue(p) - GetRValue(q)), std::abs(GetGValue(p) - GetGValue(q)),
                       std::abs(GetBValue(p) - GetBValue(q))}) {
        total += diff;
        d.max = std::max(d.max, diff);
        ++n;
      }
    }
  d.mean = static_cast<double>(total) / n;
  return d;
}

std::string Encoded(int quality = 90) {
  auto scene = Scene();
  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(quality);
  jpeg.Assign(scene.get());
  return jpeg.SaveToBytes();
}

}  // namespace

TEST(Jpeg, EncodeDecodeRoundTripStaysCloseToTheOriginal) {
  // Smooth colour: small errors everywhere.
  TBitmap smooth(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) smooth.Canvas()->SetPixel(x, y, RGB(x * 4, y * 5, 128));
  for (int quality : {95, 75}) {
    TJPEGImage jpeg;
    jpeg.SetCompressionQuality(quality);
    jpeg.Assign(&smooth);
    std::string bytes = jpeg.SaveToBytes();
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);

    TJPEGImage loaded;
    loaded.LoadFromBytes(bytes);
    EXPECT_EQ(loaded.Width(), 64);
    EXPECT_EQ(loaded.Height(), 48);
    TBitmap back;
    back.Assign(&loaded);
    Difference d = Compare(&smooth, &back);
    EXPECT_LT(d.mean, quality >= 95 ? 1.0 : 2.0) << quality;
    EXPECT_LT(d.max, 12) << quality;
  }
  // Hard edges blur, but flat areas keep their colour and nothing moves.
  auto scene = Scene();
  TJPEGImage jpeg;
  jpeg.Assign(scene.get());
  TJPEGImage loaded;
  loaded.LoadFromBytes(jpeg.SaveToBytes());
  TBitmap back;
  back.Assign(&loaded);
  for (TPoint p : {TPoint{52, 24}, TPoint{24, 24}}) {
    TColor want = scene->Canvas()->Pixel(p.X, p.Y), got = back.Canvas()->Pixel(p.X, p.Y);
    EXPECT_NEAR(GetRValue(got), GetRValue(want), 8);
    EXPECT_NEAR(GetGValue(got), GetGValue(want), 8);
    EXPECT_NEAR(GetBValue(got), GetBValue(want), 8);
  }
  EXPECT_LT(Compare(scene.get(), &back).mean, 8.0);
  EXPECT_LT(Encoded(30).size(), Encoded(95).size());
}

TEST(Jpeg, GrayscaleEncodesShadesOfGrey) {
  auto scene = Scene();
  TJPEGImage jpeg;
  jpeg.SetGrayscale(true);
  jpeg.Assign(scene.get());
  TJPEGImage loaded;
  loaded.LoadFromBytes(jpeg.SaveToBytes());
  TBitmap back;
  loaded.AssignTo(&back);
  for (int y = 0; y < back.Height(); y += 7)
    for (int x = 0; x < back.Width(); x += 5) {
      TColor p = back.Canvas()->Pixel(x, y);
      EXPECT_EQ(GetRValue(p), GetGValue(p));
      EXPECT_EQ(GetGValue(p), GetBValue(p));
    }
}

TEST(Jpeg, LoadedDataIsSavedUnchangedUntilAnEncodingSettingChanges) {
  std::string bytes = Encoded(80);
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(bytes);
  EXPECT_EQ(jpeg.SaveToBytes(), bytes);
  jpeg.SetCompressionQuality(20);
  std::string again = jpeg.SaveToBytes();
  EXPECT_NE(again, bytes);
  EXPECT_LT(again.size(), bytes.size());
  jpeg.SetProgressiveEncoding(true);
  TJPEGImage progressive;
  progressive.LoadFromBytes(jpeg.SaveToBytes());
  EXPECT_EQ(progressive.Width(), 64);
}

TEST(Jpeg, ScaledDecodingDividesTheSize) {
  TJPEGImage jpeg;
  jpeg.SetScale(jsQuarter);
  jpeg.LoadFromBytes(Encoded());
  EXPECT_EQ(jpeg.Width(), 16);
  EXPECT_EQ(jpeg.Height(), 12);
}

TEST(Jpeg, DamagedDataRaisesAndLeavesThePictureAsItWas) {
  const std::string good = Encoded();
  std::mt19937 random(12345);
  std::string noise(2000, '\0');
  for (char& c : noise) c = static_cast<char>(random() & 0xFF);
  std::string corrupt = good;
  // Scramble the entropy-coded data after the headers (keep the end marker).
  for (size_t i = good.size() / 2; i < good.size() - 2; i += 3) corrupt[i] = static_cast<char>(random() & 0xFF);
  std::string headerOnly = good.substr(0, 20);

  struct Case {
    const char* what;
    std::string data;
  } cases[] = {
      {"empty", ""},
      {"random bytes", noise},
      {"truncated to half", good.substr(0, good.size() / 2)},
      {"truncated before the end marker", good.substr(0, good.size() - 2)},
      {"header only", headerOnly},
      {"scrambled entropy data", corrupt},
      {"random bytes after a start marker", std::string("\xFF\xD8\xFF", 3) + noise},
  };
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(good);
  for (const Case& c : cases) {
    EXPECT_THROW(jpeg.LoadFromBytes(c.data), EJPEG) << c.what;
    EXPECT_EQ(jpeg.Width(), 64) << c.what;
    EXPECT_EQ(jpeg.SaveToBytes(), good) << c.what;
  }
  // The error carries libjpeg's reason.
  try {
    jpeg.LoadFromBytes(noise);
    FAIL();
  } catch (const EInvalidGraphic& e) {
    EXPECT_NE(e.Message.find("JPEG"), String::npos);
  }
  // The codec stays usable after errors.
  TJPEGImage fresh;
  fresh.LoadFromBytes(good);
  EXPECT_EQ(fresh.Height(), 48);
}

TEST(Jpeg, EncodingNothingRaises) {
  TJpegPixels none;
  EXPECT_THROW(EncodeJpeg(none, 90), EJPEG);
  TJPEGImage empty;
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.SaveToBytes(), "");
}

TEST(Jpeg, DrawsOntoACanvasStretched) {
  TJPEGImage jpeg;
  jpeg.LoadFromBytes(Encoded(95));
  TBitmap target(128, 96);
  target.Canvas()->StretchDraw(Rect(0, 0, 128, 96), &jpeg);
  TColor navy = target.Canvas()->Pixel(52 * 2, 24 * 2);
  EXPECT_LT(GetRValue(navy), 40);
  EXPECT_GT(GetBValue(navy), 90);
}

// The about box's picture: a species-by-site matrix of dots drawn with our canvas and encoded
// with our JPEG encoder. The test checks that the motif renders and survives the encoder; with
// ZORVAN_WRITE_ABOUT_JPG=<path> set it also writes the picture (how src/app/resources/about.jpg
// was made).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "classlib/Graphics.h"

namespace {

constexpr int kSites = 14;
constexpr int kSpecies = 8;

// Presence of species s at site c: a nested pattern (common species everywhere, rare ones at
// the rich sites) with a few holes, the kind of matrix the program tests.
bool Present(int s, int c) {
  int range = kSites - s * 3 / 2;
  bool hole = (s * 7 + c * 3) % 11 == 5;
  return c < range && !hole;
}

std::unique_ptr<TBitmap> DrawAboutPicture() {
  auto bmp = std::make_unique<TBitmap>(240, 160);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(RGB(246, 243, 232));
  c->FillRect(Rect(0, 0, 240, 160));
  // Axis frame.
  c->Pen()->SetColor(RGB(90, 90, 80));
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(14, 14, 226, 134);
  // Light grid lines between cells.
  c->Pen()->SetColor(RGB(220, 214, 196));
  for (int i = 1; i < kSites; ++i) {
    c->MoveTo(20 + i * 14, 18);
    c->LineTo(20 + i * 14, 130);
  }
  for (int j = 1; j < kSpecies; ++j) {
    c->MoveTo(18, 18 + j * 14);
    c->LineTo(222, 18 + j * 14);
  }
  // Dots: filled where present, a small ring where absent.
  for (int s = 0; s < kSpecies; ++s) {
    for (int site = 0; site < kSites; ++site) {
      int x = 20 + site * 14 + 2, y = 18 + s * 14 + 2;
      if (Present(s, site)) {
        int shade = 150 - s * 10;
        c->Pen()->SetColor(RGB(30, shade - 40, 40));
        c->Brush()->SetColor(RGB(60, shade, 70));
        c->Ellipse(x, y, x + 11, y + 11);
      } else {
        c->Pen()->SetColor(RGB(180, 172, 150));
        c->Brush()->SetStyle(bsClear);
        c->Ellipse(x + 3, y + 3, x + 8, y + 8);
      }
    }
  }
  // Name underneath.
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetName("Times New Roman");
  c->Font()->SetHeight(-17);
  c->Font()->SetStyle({fsBold});
  c->Font()->SetColor(RGB(50, 70, 50));
  TRect caption = Rect(0, 136, 240, 158);
  c->DrawText("Zorvan", caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return bmp;
}

}  // namespace

TEST(AboutPicture, RendersTheMatrixAndSurvivesJpegEncoding) {
  auto picture = DrawAboutPicture();
  TCanvas* c = picture->Canvas();
  // A present cell is green, an absent one keeps the background in its middle.
  EXPECT_EQ(c->Pixel(20 + 2 + 5, 18 + 2 + 5), RGB(60, 150, 70));
  EXPECT_EQ(c->Pixel(20 + 13 * 14 + 2 + 5, 18 + 7 * 14 + 2 + 5), RGB(246, 243, 232));

  TJPEGImage jpeg;
  jpeg.SetCompressionQuality(88);
  jpeg.Assign(picture.get());
  std::string bytes = jpeg.SaveToBytes();
  EXPECT_GT(bytes.size(), 2000u);
  EXPECT_LT(bytes.size(), 40000u);
  TJPEGImage back;
  back.LoadFromBytes(bytes);
  EXPECT_EQ(back.Width(), 240);
  EXPECT_EQ(back.Height(), 160);

  if (const char* path = std::getenv("ZORVAN_WRITE_ABOUT_JPG")) jpeg.SaveToFile(path);
}

TEST(AboutPicture, ShippedFileIsAValidJpegOfTheRightSize) {
  TPicture picture;
  picture.LoadFromFile((std::filesystem::path(__FILE__).parent_path() / "../../src/app/resources/about.jpg").string());
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 240);
  EXPECT_EQ(picture.Height(), 160);
}

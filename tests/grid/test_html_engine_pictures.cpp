// Formatted text drawing pictures of the picture container and the picture cache through the
// engine's picture adapters. The GIF is built here byte by byte: one red pixel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "classlib/Bitmap.h"
#include "grid/base/HTMLEngine.h"
#include "grid/base/HTMLEnginePictures.h"
#include "grid/base/PictureContainer.h"

namespace {

void Put16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

// A 1 x 1 GIF whose only pixel is red.
std::string RedPixelGif() {
  std::string s = "GIF89a";
  Put16(s, 1);
  Put16(s, 1);
  s += std::string("\x80\x00\x00", 3);              // global table of 2 colours
  s += std::string("\xFF\x00\x00\x00\x00\xFF", 6);  // red, blue
  s += '\x2C';
  Put16(s, 0);
  Put16(s, 0);
  Put16(s, 1);
  Put16(s, 1);
  s += '\x00';
  // LZW, minimum code size 2: clear, colour 0, end of information.
  s += std::string("\x02\x02\x44\x01\x00", 5);
  s += '\x3B';
  return s;
}

constexpr int kPicW = 100, kPicH = 60;

class HTMLEnginePictures : public ::testing::Test {
 protected:
  HTMLEnginePictures() : Bitmap(kPicW, kPicH) {}

  THTMLRenderResult Draw(const String& Text, THTMLRenderParams Params) {
    TCanvas* c = Bitmap.Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, kPicW, kPicH});
    THTMLRenderResult r;
    RenderHTMLText(c, Text, TRect{0, 0, kPicW, kPicH}, Params, r);
    return r;
  }
  // The box of the red pixels; empty when none.
  TRect RedBox() {
    TRect box{kPicW, kPicH, 0, 0};
    for (int y = 0; y < kPicH; ++y)
      for (int x = 0; x < kPicW; ++x)
        if (Bitmap.Canvas()->Pixel(x, y) == clRed)
          box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                      std::max(box.Bottom, y + 1)};
    return box.Left < box.Right ? box : TRect{0, 0, 0, 0};
  }

  TBitmap Bitmap;
};

TEST_F(HTMLEnginePictures, AContainerPictureIsDrawnByName) {
  TPictureContainer container(nullptr);
  TPictureItem* item = container.Items()->Add();
  item->SetName("Logo");
  item->Picture()->LoadFromBytes(RedPixelGif());
  ASSERT_FALSE(item->Picture()->Empty());
  THTMLContainerPictures pictures(&container);
  THTMLRenderParams params;
  params.PictureContainer = &pictures;

  THTMLRenderResult r = Draw("<IMG SRC=\"logo\" WIDTH=\"20\" HEIGHT=\"20\">", params);
  EXPECT_EQ(RedBox(), (TRect{1, 0, 21, 20}));  // stretched, at the line's start
  EXPECT_EQ(r.Width, 20);
  Draw("<IMG SRC=\"LOGO\">", params);
  EXPECT_EQ(RedBox(), (TRect{1, 0, 2, 1}));  // its own size
  Draw("<IMG SRC=\"other\">", params);
  EXPECT_EQ(RedBox(), (TRect{0, 0, 0, 0}));
}

// A picture named by URL is loaded into the caller's cache once and drawn from there.
TEST_F(HTMLEnginePictures, AURLPictureIsLoadedIntoTheCacheOnce) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "zorvan_html_engine_red.gif";
  { std::ofstream(file, std::ios::binary) << RedPixelGif(); }
  THTMLPictureCache cache;
  THTMLCachePictures pictures(&cache);
  THTMLRenderParams params;
  params.PictureCache = &pictures;
  const String text = "<IMG SRC=\"file://" + file.string() + "\" WIDTH=\"10\" HEIGHT=\"10\">";
  Draw(text, params);
  EXPECT_EQ(RedBox(), (TRect{1, 0, 11, 10}));
  Draw(text, params);
  EXPECT_EQ(RedBox(), (TRect{1, 0, 11, 10}));
  EXPECT_EQ(cache.Count(), 1);
  std::filesystem::remove(file);

  // A remote picture is not fetched: it takes no room, and is asked for only once.
  EXPECT_EQ(Draw("ab<IMG SRC=\"http://host/p.gif\">", params).Width, Draw("ab", params).Width);
  Draw("ab<IMG SRC=\"http://host/p.gif\">", params);
  EXPECT_EQ(cache.Count(), 2);
}

}  // namespace

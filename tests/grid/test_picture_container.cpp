// The picture container: decoding, frame stepping and delays of an animated GIF built here
// byte by byte, damaged GIFs rejected without reading past their data, loading by URL and
// resource, the picture cache and the named-picture container.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Picture.h"
#include "grid/base/GifBlocks.h"
#include "grid/base/PictureContainer.h"

namespace {

struct TFrameSpec {
  uint16_t left, top;
  uint16_t delay;
  uint8_t colorIndex;  // 0 red, 1 blue
};

void PutWord16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}

// A 2 x 2 GIF with a red and blue palette; every frame is one pixel at (left, top), each with
// a graphic control extension holding its delay.
std::string MakeGif(const std::vector<TFrameSpec>& frames, bool withComment = false) {
  std::string s = "GIF89a";
  PutWord16(s, 2);
  PutWord16(s, 2);
  s += std::string("\x80\x00\x00", 3);              // global table of 2 colours
  s += std::string("\xFF\x00\x00\x00\x00\xFF", 6);  // red, blue
  if (withComment) s += std::string("\x21\xFE\x03" "abc\x00", 7);
  for (const TFrameSpec& f : frames) {
    s += std::string("\x21\xF9\x04\x00", 4);
    PutWord16(s, f.delay);
    s += std::string("\x00\x00", 2);
    s += '\x2C';
    PutWord16(s, f.left);
    PutWord16(s, f.top);
    PutWord16(s, 1);
    PutWord16(s, 1);
    s += '\x00';
    // LZW, minimum code size 2: clear, the pixel, end of information.
    s += std::string("\x02\x02", 2);
    s += f.colorIndex ? '\x4C' : '\x44';
    s += std::string("\x01\x00", 2);
  }
  s += '\x3B';
  return s;
}

const std::vector<TFrameSpec> kThreeFrames = {{0, 0, 10, 0}, {1, 0, 20, 1}, {0, 1, 30, 0}};

// A GIF of one red frame of the given size and place on a logical screen of the given size.
// Its LZW data (clear, one pixel, end) describes a single pixel whatever the sizes claim.
std::string MakeSizedGif(uint16_t screenW, uint16_t screenH, uint16_t left, uint16_t top, uint16_t w, uint16_t h) {
  std::string s = "GIF89a";
  PutWord16(s, screenW);
  PutWord16(s, screenH);
  s += std::string("\x80\x00\x00", 3);
  s += std::string("\xFF\x00\x00\x00\x00\xFF", 6);
  s += '\x2C';
  PutWord16(s, left);
  PutWord16(s, top);
  PutWord16(s, w);
  PutWord16(s, h);
  s += '\x00';
  s += std::string("\x02\x02\x44\x01\x00", 5);
  s += '\x3B';
  return s;
}

TColor PixelDrawn(THTMLPicture& picture, int x, int y) {
  TBitmap bitmap;
  bitmap.SetSize(2, 2);
  bitmap.Canvas()->Brush()->SetColor(clWhite);
  bitmap.Canvas()->FillRect(Rect(0, 0, 2, 2));
  picture.Draw(bitmap.Canvas(), Rect(0, 0, 2, 2));
  return bitmap.Canvas()->Pixel(x, y);
}

TEST(GifBlocks, WalksFramesPositionsAndDelays) {
  const std::string gif = MakeGif(kThreeFrames, true);
  const TGifLayout layout = WalkGif(gif);
  ASSERT_TRUE(layout.Valid);
  EXPECT_EQ(layout.ScreenWidth, 2);
  ASSERT_EQ(layout.Frames.size(), 3u);
  EXPECT_EQ(layout.Frames[1].Left, 1);
  EXPECT_EQ(layout.Frames[2].Top, 1);
  EXPECT_EQ(layout.Frames[2].Delay, 30);
  // Leaving out frames keeps the header and table and starts at the wanted frame's control.
  const std::string fromSecond = GifFromFrame(gif, layout, 2);
  EXPECT_EQ(fromSecond.substr(0, layout.Frames[0].Start), gif.substr(0, layout.Frames[0].Start));
  EXPECT_EQ(fromSecond.size(), gif.size() - (layout.Frames[1].Start - layout.Frames[0].Start));
  EXPECT_TRUE(GifFromFrame(gif, layout, 4).empty());
}

// Sizes in the header that the compressed data cannot fill are cut or refused before a
// decoder allocates for them; sizes it can fill, and small screens, stay.
TEST(GifBlocks, SizesAreHeldToWhatTheDataCanFill) {
  struct TCase {
    const char* what;
    std::string gif;
    bool accepted;
    uint16_t screenW, screenH;  // after the check
  } cases[] = {
      {"frames that cover their screen", MakeGif(kThreeFrames), true, 2, 2},
      {"a small screen with room to spare", MakeSizedGif(200, 200, 0, 0, 1, 1), true, 200, 200},
      {"a huge screen around one pixel", MakeSizedGif(512, 65092, 0, 0, 1, 1), true, 1, 1},
      {"a larger screen around an offset pixel", MakeSizedGif(300, 300, 10, 20, 1, 1), true, 11, 21},
      {"a pixel offset far into a huge screen", MakeSizedGif(65535, 65535, 60000, 60000, 1, 1), false, 0, 0},
      {"a frame larger than its data", MakeSizedGif(2, 2, 0, 0, 10, 10), false, 0, 0},
      {"a huge frame of one pixel's data", MakeSizedGif(512, 65092, 0, 0, 512, 65092), false, 0, 0},
  };
  for (TCase& c : cases) {
    SCOPED_TRACE(c.what);
    TGifLayout layout = WalkGif(c.gif);
    ASSERT_TRUE(layout.Valid);
    ASSERT_EQ(LimitGifSizes(layout), c.accepted);
    if (!c.accepted) continue;
    EXPECT_EQ(layout.ScreenWidth, c.screenW);
    EXPECT_EQ(layout.ScreenHeight, c.screenH);
    const std::string fitted = GifWithScreen(c.gif, layout);
    EXPECT_EQ(WalkGif(fitted).ScreenWidth, c.screenW);
    EXPECT_EQ(WalkGif(fitted).ScreenHeight, c.screenH);
    EXPECT_EQ(fitted.size(), c.gif.size());
  }
  // What LZW data can describe: the k-th code after a clear stands for at most k pixels, and
  // none for more than 4096.
  EXPECT_EQ(LzwMostPixels(0, 3), 0u);
  EXPECT_EQ(LzwMostPixels(3, 3), 36u);  // 8 codes: 1 + 2 + ... + 8
  EXPECT_EQ(LzwMostPixels(3000, 2), 4096u * 4097u / 2u + (12000u - 4096u) * 4096u);
}

TEST(GifBlocks, EveryTruncationAndCorruptionIsRejected) {
  const std::string gif = MakeGif(kThreeFrames);
  for (size_t n = 0; n < gif.size(); ++n) {
    SCOPED_TRACE(n);
    // Copied into a buffer of exactly n bytes, so that a read past it is caught.
    auto cut = std::make_unique<char[]>(n);
    std::memcpy(cut.get(), gif.data(), n);
    EXPECT_FALSE(WalkGif(std::string_view(cut.get(), n)).Valid);
  }
  struct TCase {
    const char* what;
    size_t offset;
    char value;
  } cases[] = {
      {"global table larger than the data", 10, '\x87'},
      {"unknown block kind", 13 + 6, '\x55'},
      {"sub-block longer than the data", 13 + 6 + 2, '\x7F'},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bad = gif;
    bad[c.offset] = c.value;
    EXPECT_FALSE(WalkGif(bad).Valid);
  }
}

// Random damage to a good GIF: byte flips, cuts and inserted bytes. Whatever the walker
// accepts must describe frames inside the data, and the picture must either load or fail
// with its own error, then step and change frames without reading past its data.
TEST(GifBlocks, RandomDamageStaysInsideTheData) {
  const std::string gif = MakeGif(kThreeFrames, true);
  std::mt19937 random(20261210);
  auto below = [&random](size_t n) { return static_cast<size_t>(random() % n); };
  int accepted = 0;
  for (int iteration = 0; iteration < 4000; ++iteration) {
    std::string bad = gif;
    const int changes = 1 + static_cast<int>(below(4));
    for (int c = 0; c < changes; ++c) {
      switch (below(4)) {
        case 0:
        case 1: bad[below(bad.size())] = static_cast<char>(random() & 0xFF); break;
        case 2: bad.resize(below(bad.size() + 1)); break;
        default: bad.insert(below(bad.size() + 1), 1, static_cast<char>(random() & 0xFF)); break;
      }
      if (bad.empty()) bad = "G";
    }
    SCOPED_TRACE(iteration);
    auto exact = std::make_unique<char[]>(bad.size());
    std::memcpy(exact.get(), bad.data(), bad.size());
    const std::string_view data(exact.get(), bad.size());
    const TGifLayout layout = WalkGif(data);
    if (layout.Valid) {
      ++accepted;
      for (size_t f = 0; f < layout.Frames.size(); ++f) {
        ASSERT_LE(layout.Frames[f].Start, layout.Frames[f].End);
        ASSERT_LE(layout.Frames[f].End, data.size());
        if (f + 1 < layout.Frames.size()) {
          ASSERT_EQ(layout.Frames[f].End, layout.Frames[f + 1].Start);
        }
        ASSERT_LE(GifFromFrame(data, layout, static_cast<int>(f) + 1).size(), data.size());
      }
    }
    THTMLPicture picture;
    try {
      picture.LoadFromBytes(bad);
    } catch (const EInvalidGraphic&) {
      continue;
    }
    const int count = picture.FrameCount();
    ASSERT_LE(count, static_cast<int>(layout.Frames.size()));
    for (int f = 0; f <= count + 1; ++f) picture.FrameDelayOf(f);
    for (int tick = 0; tick < 6; ++tick) {
      try {
        picture.Step();
      } catch (const EInvalidGraphic&) {
        break;  // a frame whose image data the decoder refuses
      }
    }
  }
  EXPECT_GT(accepted, 0);  // some damage leaves a whole GIF (a changed colour, a delay)
}

TEST(HTMLPicture, AnimatedGifStepsThroughFramesAndDelays) {
  THTMLPicture picture;
  picture.LoadFromBytes(MakeGif(kThreeFrames));
  EXPECT_TRUE(picture.IsGIF());
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(picture.FrameCount(), 3);
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_EQ(picture.MaxWidth(), 2);
  EXPECT_EQ(picture.FrameDelayOf(2), 20);
  EXPECT_EQ(picture.FrameDelayOf(4), -1);
  EXPECT_EQ(PixelDrawn(picture, 0, 0), clRed);

  int changes = 0;
  picture.OnFrameChange = [&](TObject*) { ++changes; };
  picture.SetFrame(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.FrameXPos(), 1);
  EXPECT_EQ(picture.FrameYPos(), 0);
  EXPECT_EQ(PixelDrawn(picture, 1, 0), clBlue);

  picture.SetFrame(3);
  picture.FrameNext();
  EXPECT_EQ(picture.Frame(), 1);
  picture.FramePrev();
  EXPECT_EQ(picture.Frame(), 3);

  // Ticks of 100 ms: the first only counts, the second shows frame 2; each frame then stays
  // for its own delay (20, 30, then 10 hundredths) and the animation wraps to frame 1.
  THTMLPicture anim;
  anim.LoadFromBytes(MakeGif(kThreeFrames));
  std::vector<int> shown;
  for (int tick = 0; tick < 8; ++tick) {
    anim.Step();
    shown.push_back(anim.Frame());
  }
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 2, 3, 3, 3, 1, 2}));
  EXPECT_EQ(anim.FrameXPos(), 1);
}

TEST(HTMLPicture, DamagedGifsAreRejected) {
  const std::string gif = MakeGif(kThreeFrames);
  for (size_t n : {size_t(5), size_t(13), size_t(20), gif.size() / 2, gif.size() - 1}) {
    SCOPED_TRACE(n);
    THTMLPicture picture;
    const std::string cut(gif.data(), n);
    EXPECT_THROW(picture.LoadFromBytes(cut), EInvalidGraphic);
    EXPECT_LE(picture.FrameCount(), 0);
    EXPECT_FALSE(picture.Step());
    EXPECT_EQ(picture.Width(), 0);
  }
  THTMLPicture notAPicture;
  try {
    notAPicture.LoadFromBytes("plain words, no picture");
    FAIL() << "no error";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Could not load image. Invalid format");
  }
  EXPECT_EQ(notAPicture.FrameCount(), -1);
}

// A tiny GIF claiming a screen of 512 x 65,092 pixels is decoded at the size its frame fills
// (the decoder would have allocated 133 MB); one whose frame alone claims it is refused.
TEST(HTMLPicture, AScreenTheDataCannotFillIsNotAllocated) {
  THTMLPicture picture;
  picture.LoadFromBytes(MakeSizedGif(512, 65092, 0, 0, 1, 1));
  EXPECT_EQ(picture.Width(), 1);
  EXPECT_EQ(picture.Height(), 1);
  EXPECT_EQ(PixelDrawn(picture, 0, 0), clRed);
  for (const std::string& gif : {MakeSizedGif(512, 65092, 0, 0, 512, 65092), MakeSizedGif(65535, 65535, 60000, 60000, 1, 1)}) {
    THTMLPicture refused;
    EXPECT_THROW(refused.LoadFromBytes(gif), EInvalidGraphic);
    EXPECT_EQ(refused.Width(), 0);
  }
  // Read as a plain picture, without the frames' walk, the file as a whole cannot fill it.
  TPicture plain;
  EXPECT_THROW(plain.LoadFromBytes(MakeSizedGif(512, 65092, 0, 0, 1, 1)), EInvalidGraphic);
  plain.LoadFromBytes(MakeSizedGif(200, 200, 0, 0, 1, 1));
  EXPECT_EQ(plain.Width(), 200);
}

TEST(HTMLPicture, DrawsAtItsNaturalSizeOnTheCanvasDevice) {
  THTMLPicture picture;
  picture.LoadFromBytes(MakeGif({{0, 0, 0, 0}}));
  ASSERT_EQ(picture.Width(), 2);
  struct Case {
    int ppi;
    bool stretched;
    TColor at3x3;  // a 2 x 2 picture: red there only when drawn twice as large
  } cases[] = {{96, false, clWhite}, {192, false, clRed}, {96, true, clRed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    TBitmap bitmap;
    bitmap.SetSize(6, 6);
    bitmap.Canvas()->SetPixelsPerInch(c.ppi);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Rect(0, 0, 6, 6));
    picture.SetStretch(c.stretched);
    picture.Draw(bitmap.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixel(3, 3), c.at3x3);
    EXPECT_EQ(bitmap.Canvas()->Pixel(4, 4), clWhite);
  }
}

TEST(HTMLPicture, NewDataForgetsTheFramesOfTheOld) {
  THTMLPicture picture;
  picture.LoadFromBytes(MakeGif(kThreeFrames));
  picture.SetFrame(3);
  ASSERT_EQ(picture.FrameCount(), 3);
  picture.LoadFromBytes(MakeGif({{1, 1, 5, 1}}));
  EXPECT_EQ(picture.FrameCount(), 1);
  EXPECT_EQ(picture.Frame(), 1);
  EXPECT_EQ(PixelDrawn(picture, 1, 1), clBlue);
}

TEST(HTMLPicture, AssignCopiesAndAnEmptySourceStaysEmpty) {
  THTMLPicture source, copy;
  source.LoadFromBytes(MakeGif(kThreeFrames));
  int changes = 0;
  copy.OnChange = [&](TObject*) { ++changes; };
  copy.Assign(&source);
  EXPECT_FALSE(copy.Empty());
  EXPECT_EQ(copy.FrameCount(), 3);
  EXPECT_EQ(changes, 1);
  THTMLPicture empty;
  EXPECT_NO_THROW(copy.Assign(&empty));
  EXPECT_TRUE(copy.Empty());
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.SaveToBytes().empty());

  // A picture given itself (an item's picture set from its own) keeps its picture.
  TPictureItem item(nullptr);
  item.Picture()->LoadFromBytes(MakeGif(kThreeFrames));
  item.Picture()->SetFrame(2);
  item.SetPicture(item.Picture());
  EXPECT_FALSE(item.Picture()->Empty());
  EXPECT_EQ(item.Picture()->Frame(), 1);
  EXPECT_EQ(item.Picture()->Width(), 2);
  EXPECT_EQ(PixelDrawn(*item.Picture(), 0, 0), clRed);
}

TEST(HTMLPicture, LoadsByUrlFileAndResource) {
  const auto dir = std::filesystem::temp_directory_path() / "zorvan_picture_test";
  std::filesystem::create_directories(dir);
  const std::string gif = MakeGif({{0, 0, 0, 1}});
  { std::ofstream(dir / "one.gif", std::ios::binary) << gif; }
  { std::ofstream(dir / "bad.gif", std::ios::binary) << "GIF89a but not really"; }
  RegisterRCDataResource("LOGO", gif);

  THTMLPicture fromFile;
  fromFile.LoadFromURL("File://" + (dir / "one.gif").string());
  EXPECT_FALSE(fromFile.Empty());
  EXPECT_EQ(fromFile.ID(), "File://" + (dir / "one.gif").string());

  THTMLPicture badFile;
  EXPECT_NO_THROW(badFile.LoadFromFile((dir / "bad.gif").string()));
  EXPECT_TRUE(badFile.Empty());
  EXPECT_NO_THROW(badFile.LoadFromFile((dir / "missing.gif").string()));
  EXPECT_TRUE(badFile.Empty());

  THTMLPicture fromResource;
  fromResource.LoadFromURL("rEs://logo");
  EXPECT_FALSE(fromResource.Empty());
  THTMLPicture missing;
  missing.LoadFromURL("res://nothing");
  EXPECT_TRUE(missing.Empty());

  THTMLPicture remote;
  remote.SetAsynch(false);
  remote.LoadFromURL("http://example.invalid/a.gif");
  EXPECT_TRUE(remote.Empty());
  EXPECT_EQ(remote.ID(), "http://example.invalid/a.gif");
  UnregisterRCDataResources();
  std::filesystem::remove_all(dir);
}

TEST(PictureCache, FindsByExactIdAndAnimatesAll) {
  THTMLPictureCache cache;
  THTMLPicture* still = cache.AddPicture();
  still->LoadFromBytes(MakeGif({{0, 0, 0, 0}}));
  still->SetID("pic.gif");
  THTMLPicture* moving = cache.AddPicture();
  moving->LoadFromBytes(MakeGif(kThreeFrames));
  EXPECT_EQ(cache.FindPicture("pic.gif"), still);
  EXPECT_EQ(cache.FindPicture("PIC.GIF"), nullptr);
  EXPECT_FALSE(cache.Animate());
  EXPECT_TRUE(cache.Animate());
  cache.ClearPictures();
  EXPECT_EQ(cache.Count(), 0);
}

TEST(PictureContainer, FindsNamesIgnoringCaseAndCopiesItems) {
  TPictureContainer container(nullptr);
  EXPECT_EQ(container.Version(), "1.0.0.0");
  TPictureItem* item = container.Items()->Add();
  item->SetName("Logo");
  item->SetTag(7);
  item->Picture()->LoadFromBytes(MakeGif({{0, 0, 0, 1}}));
  EXPECT_EQ(container.FindPicture("LOGO"), item->Picture());
  EXPECT_EQ(container.FindPicture("other"), nullptr);
  EXPECT_EQ(container.Items()->GetOwner(), &container);

  TPictureItem* copy = container.Items()->Insert(0);
  copy->Assign(item);
  EXPECT_EQ(copy->Name(), "Logo");
  EXPECT_EQ(copy->Tag(), 7);
  EXPECT_FALSE(copy->Picture()->Empty());
  EXPECT_EQ(container.FindPicture("logo"), copy->Picture());
  EXPECT_THROW(copy->Assign(item->Picture()), EConvertError);
}

}  // namespace

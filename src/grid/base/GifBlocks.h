// The block structure of GIF data: the logical screen and, per image, where its blocks lie,
// its position and size and the delay of its graphic control extension. Every read is checked
// against the data's size; data that breaks the structure or ends before the trailer is not
// a valid GIF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TGifFrame {
  // Bytes [Start, End): the frame's graphic control extension (when it has one directly
  // before its image) and everything up to the start of the next frame.
  size_t Start = 0;
  size_t End = 0;
  uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
  int Delay = 0;  // hundredths of a second; 0 without a graphic control extension
  bool Transparent = false;
  uint16_t Disposal = 0;
  uint8_t CodeSize = 0;  // LZW minimum code size
  size_t DataBytes = 0;  // compressed image data, sub-block headers not counted
};

struct TGifLayout {
  bool Valid = false;
  uint16_t ScreenWidth = 0;
  uint16_t ScreenHeight = 0;
  std::vector<TGifFrame> Frames;
};

// At least a header and a logical screen descriptor, beginning "GIF8".
bool LooksLikeGif(std::string_view Data);

// Walks the blocks; Valid is false (and Frames empty) for data that is not a whole GIF.
TGifLayout WalkGif(std::string_view Data);

// Holds the sizes to what the data can fill, before a decoder allocates for them. False when a
// frame has more pixels than its compressed data can describe or than a picture may have. A
// logical screen larger than all the frames' data can fill (and than 256 x 256) is cut to the
// frames' extent (ScreenWidth and ScreenHeight change; the data does not); false when even
// that is too large.
bool LimitGifSizes(TGifLayout& Layout);

// The data with the logical screen size of Layout.
std::string GifWithScreen(std::string Data, const TGifLayout& Layout);

// The data without the frames before frame Current (1-based), so that a decoder showing the
// first image shows that frame. Empty when the layout has no such frame.
std::string GifFromFrame(std::string_view Data, const TGifLayout& Layout, int Current);

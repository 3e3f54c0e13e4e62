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

// The data without the frames before frame Current (1-based), so that a decoder showing the
// first image shows that frame. Empty when the layout has no such frame.
std::string GifFromFrame(std::string_view Data, const TGifLayout& Layout, int Current);

#include "grid/base/GifBlocks.h"

#include <algorithm>

#include "classlib/Picture.h"

namespace {

constexpr size_t kHeaderSize = 13;  // signature, version, logical screen descriptor
constexpr size_t kDescriptorSize = 10;
constexpr unsigned char kExtension = 0x21;
constexpr unsigned char kImage = 0x2C;
constexpr unsigned char kTrailer = 0x3B;
constexpr unsigned char kGraphicControl = 0xF9;

uint8_t ByteAt(std::string_view d, size_t p) { return static_cast<uint8_t>(d[p]); }
uint16_t Word16(std::string_view d, size_t p) {
  return static_cast<uint16_t>(ByteAt(d, p) | (ByteAt(d, p + 1) << 8));
}
size_t ColorTableSize(uint8_t packed) { return (packed & 0x80) ? 3u * (2u << (packed & 7)) : 0u; }

// Steps over a chain of data sub-blocks starting at p, adding their data bytes to Payload;
// false when it runs past the data.
bool SkipSubBlocks(std::string_view d, size_t& p, size_t& Payload) {
  for (;;) {
    if (p >= d.size()) return false;
    const size_t len = ByteAt(d, p);
    ++p;
    if (len == 0) return true;
    if (len > d.size() - p) return false;
    p += len;
    Payload += len;
  }
}

bool SkipSubBlocks(std::string_view d, size_t& p) {
  size_t payload = 0;
  return SkipSubBlocks(d, p, payload);
}

uint64_t Area(uint64_t Width, uint64_t Height) { return Width * Height; }

}  // namespace

bool LooksLikeGif(std::string_view Data) {
  return Data.size() >= kHeaderSize && Data.substr(0, 4) == "GIF8";
}

TGifLayout WalkGif(std::string_view Data) {
  TGifLayout layout;
  if (!LooksLikeGif(Data)) return layout;
  layout.ScreenWidth = Word16(Data, 6);
  layout.ScreenHeight = Word16(Data, 8);
  const size_t globalTable = ColorTableSize(ByteAt(Data, 10));
  if (globalTable > Data.size() - kHeaderSize) return layout;
  size_t p = kHeaderSize + globalTable;

  TGifFrame pending;        // graphic control read since the last image
  bool hasControl = false;
  size_t controlStart = 0;  // where that graphic control begins
  std::vector<TGifFrame> frames;
  while (p < Data.size()) {
    const uint8_t kind = ByteAt(Data, p);
    if (kind == kTrailer) {
      if (!frames.empty()) frames.back().End = p;
      layout.Frames = std::move(frames);
      layout.Valid = true;
      return layout;
    }
    if (kind == kExtension) {
      if (Data.size() - p < 2) return layout;
      const size_t start = p;
      const bool control = ByteAt(Data, p + 1) == kGraphicControl;
      p += 2;
      if (control && p < Data.size() && ByteAt(Data, p) >= 4 && Data.size() - p >= 5) {
        const uint8_t packed = ByteAt(Data, p + 1);
        pending.Disposal = static_cast<uint16_t>((packed >> 2) & 7);
        pending.Transparent = (packed & 1) != 0;
        pending.Delay = Word16(Data, p + 2);
      }
      if (!SkipSubBlocks(Data, p)) return layout;
      if (control && !hasControl) controlStart = start;
      hasControl = hasControl || control;
      continue;
    }
    if (kind != kImage) return layout;
    if (Data.size() - p < kDescriptorSize) return layout;
    TGifFrame frame = hasControl ? pending : TGifFrame();
    frame.Start = hasControl ? controlStart : p;
    frame.Left = Word16(Data, p + 1);
    frame.Top = Word16(Data, p + 3);
    frame.Width = Word16(Data, p + 5);
    frame.Height = Word16(Data, p + 7);
    const size_t localTable = ColorTableSize(ByteAt(Data, p + 9));
    p += kDescriptorSize;
    if (localTable > Data.size() - p) return layout;
    p += localTable;
    if (p >= Data.size()) return layout;  // the LZW code size
    frame.CodeSize = ByteAt(Data, p);
    ++p;
    if (!SkipSubBlocks(Data, p, frame.DataBytes)) return layout;
    if (!frames.empty()) frames.back().End = frame.Start;
    frames.push_back(frame);
    pending = TGifFrame();
    hasControl = false;
  }
  return layout;  // ended before the trailer
}

std::string GifFromFrame(std::string_view Data, const TGifLayout& Layout, int Current) {
  if (!Layout.Valid || Current < 1 || Current > static_cast<int>(Layout.Frames.size())) return std::string();
  const size_t skipFrom = Layout.Frames.front().Start;
  const size_t skipTo = Layout.Frames[static_cast<size_t>(Current - 1)].Start;
  std::string result(Data.substr(0, skipFrom));
  result += Data.substr(skipTo);
  return result;
}

bool LimitGifSizes(TGifLayout& Layout) {
  uint64_t fillable = 0;
  uint16_t right = 0, bottom = 0;
  for (const TGifFrame& frame : Layout.Frames) {
    // Codes start one bit wider than the minimum code size; a width that grows only adds
    // bits per code, so this is an upper bound.
    const unsigned codeBits = std::max<unsigned>(frame.CodeSize, 1u) + 1u;
    const uint64_t most = std::min(kMostPicturePixels, LzwMostPixels(frame.DataBytes, codeBits));
    if (Area(frame.Width, frame.Height) > most) return false;
    fillable += most;
    right = static_cast<uint16_t>(std::max(int{right}, std::min(0xFFFF, frame.Left + frame.Width)));
    bottom = static_cast<uint16_t>(std::max(int{bottom}, std::min(0xFFFF, frame.Top + frame.Height)));
  }
  // A small screen costs less than its check would save; a larger one must be one the frames'
  // data can fill, else it is cut to the frames, whose offsets must not make it large either.
  const uint64_t allowed = std::max(kSmallGifScreen, std::min(fillable, kMostPicturePixels));
  if (Area(Layout.ScreenWidth, Layout.ScreenHeight) <= allowed) return true;
  Layout.ScreenWidth = std::min(Layout.ScreenWidth, right);
  Layout.ScreenHeight = std::min(Layout.ScreenHeight, bottom);
  return Area(Layout.ScreenWidth, Layout.ScreenHeight) <= allowed;
}

std::string GifWithScreen(std::string Data, const TGifLayout& Layout) {
  if (!LooksLikeGif(Data)) return Data;
  Data[6] = static_cast<char>(Layout.ScreenWidth & 0xFF);
  Data[7] = static_cast<char>(Layout.ScreenWidth >> 8);
  Data[8] = static_cast<char>(Layout.ScreenHeight & 0xFF);
  Data[9] = static_cast<char>(Layout.ScreenHeight >> 8);
  return Data;
}

// Basic types of the class library: the integer and text types the program is written in,
// geometry records and the root object.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

using Integer = int32_t;
using Cardinal = uint32_t;
using Word = uint16_t;
using Byte = uint8_t;
using Int64 = int64_t;
using Double = double;
using Extended = long double;  // 64-bit mantissa on x86-64, as the intermediate results need
using Boolean = bool;

// Text is UTF-8 bytes; it may hold any byte, NUL included.
using String = std::string;
using WideString = std::u16string;

using TDateTime = double;  // days since 1899-12-30, fraction = time of day

// $00BBGGRR for a plain colour, $FF0000nn for system colour nn, clNone for no colour.
using TColor = int32_t;

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Rectangles cover [Left, Right) x [Top, Bottom).
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) { return TRect{left, top, left + width, top + height}; }
inline TPoint Point(int x, int y) { return TPoint{x, y}; }

// Root of every class of the library.
class TObject {
 public:
  virtual ~TObject() = default;
  // The class's own name (e.g. "TStringGrid"), as the program's code compares it.
  virtual String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Font, pen and brush: the drawing tools a canvas holds. Each is a small value object with an
// OnChange event that fires after every effective change (a setter given the value already
// held fires nothing), and Assign copies one tool's whole state from another.
#pragma once

#include <cstdint>

#include "classlib/Colors.h"
#include "classlib/Persistent.h"
#include "classlib/Sets.h"
#include "classlib/Types.h"

class TBitmap;

// Base of TFont, TPen and TBrush.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;

  // Counts effective changes; a canvas compares it to notice that a tool changed under it.
  uint64_t ChangeCount() const { return FChangeCount; }

 protected:
  void Changed();

 private:
  uint64_t FChangeCount = 0;
};

// ---- Fonts --------------------------------------------------------------------------------

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

using TFontStyles = Set<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

using TFontCharset = uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;
constexpr TFontCharset OEM_CHARSET = 255;

// The screen's and every canvas's default resolution: 96 pixels per inch.
constexpr int DefaultPixelsPerInch = 96;

// A font. The height is kept in pixels at PixelsPerInch: a negative Height is the character
// (em) height, a positive one the cell height (ascent + descent); Size is in points,
// Size = -Height * 72 / PixelsPerInch rounded. Names of the usual Windows faces are drawn with
// the DejaVu family (sans, mono, serif) so the look does not depend on installed fonts.
class TFont : public TGraphicsObject {
 public:
  TFont();

  // From another font; anything else goes the TPersistent way (and fails).
  void Assign(TPersistent* Source) override;
  void Assign(const TFont& source);

  const String& Name() const { return FName; }
  void SetName(const String& name);
  int Size() const;
  void SetSize(int points);
  int Height() const { return FHeight; }
  void SetHeight(int height);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles style);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch pitch);
  // Text angle in tenths of a degree, counter-clockwise (900 = bottom-to-top text).
  int Orientation() const { return FOrientation; }
  void SetOrientation(int tenths);
  int PixelsPerInch() const { return FPixelsPerInch; }
  // Changes the resolution the height refers to, keeping Height (as the classic font does).
  void SetPixelsPerInch(int ppi);

  // The DejaVu face a font name is drawn with.
  static String SubstituteFamily(const String& name);

  friend bool operator==(const TFont& a, const TFont& b);

 private:
  String FName = "Tahoma";
  int FHeight = -11;  // 8 points at 96 pixels per inch
  TColor FColor = clWindowText;
  TFontStyles FStyle;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FOrientation = 0;
  int FPixelsPerInch = DefaultPixelsPerInch;
};

// ---- Pens ---------------------------------------------------------------------------------

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };

// How a pen (and the fill of shapes) combines with the pixels already there.
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
 public:
  // From another pen; anything else goes the TPersistent way (and fails).
  void Assign(TPersistent* Source) override;
  void Assign(const TPen& source);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  int Width() const { return FWidth; }
  void SetWidth(int width);  // values below 1 become 1
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode mode);

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

// ---- Brushes ------------------------------------------------------------------------------

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

// A brush: solid colour, no fill (bsClear), a hatch in Color over the untouched background,
// or a pattern bitmap (which then wins over Style). The brush does not own the bitmap.
class TBrush : public TGraphicsObject {
 public:
  // From another brush; anything else goes the TPersistent way (and fails).
  void Assign(TPersistent* Source) override;
  void Assign(const TBrush& source);

  TColor Color() const { return FColor; }
  void SetColor(TColor color);  // a solid or hatch colour; setting it turns bsClear into bsSolid
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style);
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* bitmap);

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};

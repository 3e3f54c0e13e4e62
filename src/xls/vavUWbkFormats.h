// The cell format records the workbook interface passes (font, borders, fill, the whole cell
// format) and their enumerations. The enumerations keep the numbers XF and FONT records store:
// each value is the field's code, so a record reads into them and back without a table.
// Values read from a file that no enumerator names (a horizontal alignment of 7, say) are kept
// as they are and written back unchanged.
#pragma once

#include "classlib/Sets.h"
#include "classlib/Types.h"

// Horizontal alignment, bits 0-2 of XF byte 6.
enum class THWbkAlignment : Byte {
  fha_general,
  fha_left,
  fha_center,
  fha_right,
  fha_fill,
  fha_justify,
  fha_center_across_selection
};

// Vertical alignment, bits 4-6 of XF byte 6.
enum class TVWbkAlignment : Byte { fva_top, fva_center, fva_bottom, fva_justify, fva_distributed };

// Line style of one border: 4 bits of the XF per side and for the diagonal.
enum class TWbkBorderStyle : Byte {
  fbs_None,
  fbs_Thin,
  fbs_Medium,
  fbs_Dashed,
  fbs_Dotted,
  fbs_Thick,
  fbs_Double,
  fbs_Hair,
  fbs_Medium_dashed,
  fbs_Dash_dot,
  fbs_Medium_dash_dot,
  fbs_Dash_dot_dot,
  fbs_Medium_dash_dot_dot,
  fbs_Slanted_dash_dot
};

// Members of a font's style set.
enum TWbkFontStyle { flsBold, flsItalic, flsStrikeOut, flsSuperscript, flsSubscript };

// Underline kinds; the FONT record stores them as 0, 1, 2, 0x21 and 0x22.
enum class TWbkUnderline : Byte { fu_None, fu_Single, fu_Double, fu_SingleAccounting, fu_DoubleAccounting };

// Which diagonals a cell shows, bits 14-15 of XF bytes 12-13.
enum class TWbkDiagonalBorder : Byte { fdb_None, fdb_DiagDown, fdb_DiagUp, fdb_Both };

// Fill pattern 0..19: 1 is no fill, 2 solid, 3 to 19 the hatchings; the XF stores the pattern
// minus 1 in six bits. A number rather than named values, as the patterns are only ever counted.
using TWbkPatternStyle = Byte;

// A font; colour indexes count palette entries from 1.
struct TWbkFont {
  WideString Name = u"Arial";
  Word Size20 = 200;  // twentieths of a point
  Integer ColorIndex = 1;
  Set<TWbkFontStyle> Style;
  TWbkUnderline Underline = TWbkUnderline::fu_None;
  Byte Family = 0;
  Byte CharSet = 0;
  friend bool operator==(const TWbkFont&, const TWbkFont&);
};

struct TWbkOneBorder {
  TWbkBorderStyle Style = TWbkBorderStyle::fbs_None;
  Integer ColorIndex = 1;
  friend bool operator==(const TWbkOneBorder&, const TWbkOneBorder&);
};

struct TWbkBorders {
  TWbkOneBorder Left, Right, Top, Bottom, Diagonal;
  TWbkDiagonalBorder DiagonalStyle = TWbkDiagonalBorder::fdb_None;
  friend bool operator==(const TWbkBorders&, const TWbkBorders&);
};

struct TWbkFillPattern {
  TWbkPatternStyle Pattern = 1;
  Integer FgColorIndex = 1;
  Integer BgColorIndex = 1;
  friend bool operator==(const TWbkFillPattern&, const TWbkFillPattern&);
};

// Everything an XF record says about a cell. Rotation: 0..90 degrees counter-clockwise,
// 91..180 clockwise 1..90, 255 vertical text.
struct TWbkFormat {
  TWbkFont Font;
  TWbkBorders Borders;
  WideString Format;
  TWbkFillPattern FillPattern;
  THWbkAlignment HAlignment = THWbkAlignment::fha_general;
  TVWbkAlignment VAlignment = TVWbkAlignment::fva_top;
  bool Locked = true;
  bool Hidden = false;
  Integer Parent = 0;
  bool WrapText = false;
  bool ShrinkToFit = false;
  Byte Rotation = 0;
  Byte Indent = 0;
  friend bool operator==(const TWbkFormat&, const TWbkFormat&);
};

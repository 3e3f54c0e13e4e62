// The look of cells: FONT, FORMAT (number-format strings), XF (extended formats) and STYLE
// records, their lists in the workbook globals, the translation between an XF and the
// interface's cell format, the reuse of equal fonts, formats and XFs, and the built-in number
// formats (ids 14 and 22 follow the system's date order).
#pragma once

#include <vector>

#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUWbkFormats.h"
#include "xls/vavUWbkMessages.h"

// The built-in number format of id 0..49 ("" for ids without one and outside the range).
WideString BuiltInFormat(Integer id);

// FONT (0x0031): size, options, colour, weight, escapement, underline, family, character set,
// and the name with a one-byte count at offset 14.
class TFontRecord : public TRecordOf<TFontRecord, TBaseRecord> {
 public:
  TFontRecord(Word aId, ArrayOfByte aData);
  static constexpr Word Id_ = 0x0031;
  static std::unique_ptr<TFontRecord> CreateFromWbkFont(const TWbkFont& aFont);

  TWbkFont WbkFont() const;
  WideString Name() const;
  Word Height() const { return GetWord(Data, 0); }
  Integer ColorIndex() const { return GetWord(Data, 4) - 8; }
  Byte Family() const { return Data[11]; }
  Byte Charset() const { return Data[12]; }
  Set<TWbkFontStyle> Style() const { return WbkFont().Style; }
  TWbkUnderline Underline() const { return WbkFont().Underline; }
};

// FORMAT (0x041E): a format id and its string (two-byte count).
class TFormatRecord : public TRecordOf<TFormatRecord, TBaseRecord> {
 public:
  TFormatRecord(Word aId, ArrayOfByte aData);
  static constexpr Word Id_ = 0x041E;
  static std::unique_ptr<TFormatRecord> CreateFromData(const WideString& Fmt, Word NewID);
  Word FormatId() const { return GetWord(Data, 0); }
  WideString Value() const;
};

// STYLE (0x0293): kept and written back as it is.
class TStyleRecord : public TRecordOf<TStyleRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
};

class TFontRecordList;
class TFormatRecordList;

// XF (0x00E0): font, number format, protection, alignment, borders and fill of a cell.
class TXFRecord : public TRecordOf<TXFRecord, TBaseRecord> {
 public:
  TXFRecord(Word aId, ArrayOfByte aData);
  static constexpr Word Id_ = 0x00E0;
  // Adds the font and number format to the lists when they are new.
  static std::unique_ptr<TXFRecord> CreateFromFormat(const TWbkFormat& Fmt, TFontRecordList& FontList,
                                                     TFormatRecordList& FormatList);
  TWbkFormat WbkFormat(const TFontRecordList& FontList, const TFormatRecordList& FormatList) const;

  Word FontIndex() const { return GetWord(Data, 0); }
  Word FormatIndex() const { return GetWord(Data, 2); }
  // The font's list index: the stored index skips 4; 0 when outside the list.
  Integer GetActualFontIndex(const TFontRecordList& FontList) const;
  TWbkBorderStyle GetBorderStyle(size_t aPos, Integer FirstBit) const {
    return static_cast<TWbkBorderStyle>((Data[aPos] >> FirstBit) & 0x0F);
  }
  TWbkBorderStyle GetBorderStyleExt(size_t aPos, Integer FirstBit) const {
    return static_cast<TWbkBorderStyle>((GetCardinal(Data, aPos) >> FirstBit) & 0x0F);
  }
  Integer GetBorderColorIndex(size_t aPos, Integer FirstBit) const { return ColorToIndex((GetWord(Data, aPos) >> FirstBit) & 0x7F); }
  Integer GetBorderColorIndexExt(size_t aPos, Integer FirstBit) const {
    return ColorToIndex((GetCardinal(Data, aPos) >> FirstBit) & 0x7F);
  }
  TWbkDiagonalBorder DiagonalStyle() const { return static_cast<TWbkDiagonalBorder>((GetWord(Data, 12) >> 14) & 3); }
  THWbkAlignment HAlign() const { return static_cast<THWbkAlignment>(Data[6] & 7); }
  TVWbkAlignment VAlign() const { return static_cast<TVWbkAlignment>((Data[6] >> 4) & 7); }
  Byte Rotation() const { return Data[7]; }
  bool WrapText() const { return (Data[6] & 8) != 0; }
  Integer CellPattern() const { return static_cast<Integer>(GetCardinal(Data, 14) >> 26); }
  Integer CellFgColorIndex() const { return (GetWord(Data, 18) & 0x7F) - 7; }
  Integer CellBgColorIndex() const { return ((GetWord(Data, 18) >> 7) & 0x7F) - 7; }
  // Marks the interface colour indexes the XF uses (borders with a style, fill, font).
  void FillUsedColors(std::vector<bool>& UsedColors, const TFontRecordList& FontList) const;

 private:
  static Integer ColorToIndex(Integer Color) { return Color > 7 ? Color - 7 : 1; }
};

class TFontRecordList : public TRecordListOf<TFontRecord> {
 public:
  // The index of an equal font (same data bytes), the new font appended when there is none;
  // list indexes above 3 are returned plus 1, as XF records store them.
  Integer AddFont(const TWbkFont& aFont);
};

class TFormatRecordList : public TRecordListOf<TFormatRecord> {
 public:
  bool Sorted = true;
  Integer Add(std::unique_ptr<TFormatRecord> Item) override {
    Sorted = false;
    return TRecordListOf::Add(std::move(Item));
  }
  void Sort();
  // Sorts when needed and bisects by format id.
  bool Find(Integer aId, Integer& Index);
  // The id of a FORMAT record or built-in format with exactly this text; else a new FORMAT
  // record with the next id from 164 on.
  Integer AddFormat(const WideString& Fmt);
  // The text of the format id: its FORMAT record, else the built-in format, else "".
  WideString GetFormat(Integer aId) const;
};

class TXFRecordList : public TRecordListOf<TXFRecord> {
 public:
  // The first XF whose bytes equal the given XF's; Index -1 when none does.
  bool FindFormat(const TXFRecord& XF, Integer& Index) const;
  std::vector<bool> GetUsedColors(Integer ColorCount, const TFontRecordList& FontList) const;
};

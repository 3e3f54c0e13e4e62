// BIFF8 strings: a character count (1 or 2 bytes), an option byte, optional rich-text runs and
// far-east block, and the characters as one byte each (code units 0-255) or UTF-16. Strings
// read out of records may run on into CONTINUE records, where the characters restart after a
// fresh option byte.
#pragma once

#include "xls/vavUBiffBaseRecords.h"

using TStrLenLength = Byte;

class TExcelString {
 public:
  // Reads the string at Ofs of aRecord's data, following the CONTINUE chain; aRecord and Ofs
  // end just after the string.
  TExcelString(TStrLenLength aStrLenLength, const TBaseRecord*& aRecord, Integer& Ofs);
  // Builds a string from text: 8-bit unless ForceWide or a character is above 255.
  TExcelString(TStrLenLength aStrLenLength, const WideString& s, bool ForceWide = false);

  TStrLenLength StrLenLength = 2;
  Word StrLen = 0;
  Byte OptionFlags = 0;
  WideString WideData;   // the characters when 16-bit
  String ShortData;      // the characters when 8-bit
  Word NumberRichTextFormats = 0;
  ArrayOfByte RichTextFormats;  // 4 bytes per run: first character, font index
  Cardinal FarEastDataSize = 0;
  ArrayOfByte FarEastData;

  int GetCharSize() const { return (OptionFlags & 0x01) ? 2 : 1; }
  bool HasRichText() const { return (OptionFlags & 0x08) != 0; }
  bool HasFarInfo() const { return (OptionFlags & 0x04) != 0; }
  WideString Value() const;

  // -1, 0 or 1: by count width, then option byte, then characters (runs and far-east data
  // take no part).
  int Compare(const TExcelString& Str2) const;
  Int64 TotalSize() const;
  // Appends the string's bytes; without IncludeLen the count is left out.
  void SaveToStream(std::vector<Byte>& DataStream, bool IncludeLen = true) const;
  // Writes the same bytes into a block at aPos.
  void CopyToPtr(std::span<Byte> Ptr, size_t aPos, bool IncludeLen = true) const;
};

// Reads CharCount characters of a string whose option byte is OptionFlags, starting at Ofs of
// aRecord and going on into CONTINUE records, each of which starts with the option byte of
// the characters in it. A 16-bit continuation widens what was read so far and sets bit 0 of
// OptionFlags; the result is in ShortData while 8-bit, in WideData once 16-bit.
void ReadContinuedStr(const TBaseRecord*& aRecord, Integer& Ofs, Word CharCount, Byte& OptionFlags, String& ShortData,
                      WideString& WideData);

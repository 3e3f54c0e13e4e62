// The colour palette: the PALETTE record that overrides the 56 standard colours, and the
// standard colour of each entry. Entry i is colour number i + 8 in XF and FONT records.
#pragma once

#include "xls/vavUBiffBaseRecords.h"

// The standard colour (0x00BBGGRR) of entry 0..55; another index raises the index message.
Cardinal StandardPaletteColor(Integer Index);

// PALETTE (0x0092): an entry count and 4 bytes (red, green, blue, 0) per entry.
class TPaletteRecord : public TRecordOf<TPaletteRecord, TBaseRecord> {
 public:
  TPaletteRecord(Word aId, ArrayOfByte aData);
  static constexpr Word Id_ = 0x0092;
  static constexpr Integer StandardCount = 56;
  // 56 entries holding the standard colours.
  static std::unique_ptr<TPaletteRecord> CreateStandard();

  // The entries the data holds, never more than the count says.
  Integer Count() const;
  Cardinal GetColor(Integer Index) const;
  void SetColor(Integer Index, Cardinal Color);
};

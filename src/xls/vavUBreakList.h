// Where the bytes of a drawing's record tree are cut into BIFF records on save: each entry is
// the id and data size of the record that starts at a break.
#pragma once

#include <vector>

#include "xls/vavXlsMessages.h"

class TBreakList {
 public:
  explicit TBreakList(Integer aZeroPos) : ZeroPos(aZeroPos) {}

  void Add(Integer aId, Integer aSize);
  Integer CurrentId() const { return Entry(CurrentPos).Id; }
  Integer CurrentSize() const { return Entry(CurrentPos + 1).Size; }
  // The stream position of the next break.
  Int64 AcumSize() const { return Entry(CurrentPos).AcumSize + ZeroPos + 4 * Int64{CurrentPos}; }
  void IncCurrent() { ++CurrentPos; }
  // Bytes written between breaks that the plan did not count (OBJ and TXO records).
  void AddToZeroPos(Int64 Delta) { ZeroPos += Delta; }

  Integer CurrentPos = 0;
  Int64 ZeroPos = 0;

 private:
  struct TBreakEntry {
    Integer Id = 0, Size = 0;
    Int64 AcumSize = 0;
  };
  const TBreakEntry& Entry(Integer Index) const;
  std::vector<TBreakEntry> FList;
};

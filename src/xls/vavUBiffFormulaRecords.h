// FORMULA (0x0006) as a cell that keeps its tokens as read and answers with its cached result.
// The records that belong to a formula (SHRFMLA, ARRAY, TABLE and the STRING with a text
// result) are kept with it in file order and written right after it, so a formula survives a
// load and a save byte for byte until formulas are parsed.
#pragma once

#include <vector>

#include "xls/vavUBiffBaseRecords.h"

class TFormulaRecord : public TRecordOf<TFormulaRecord, TCellRecord> {
 public:
  static constexpr Word Id_ = 0x0006;
  // Refuses data shorter than the fixed part (cell, result, options, chain, token size).
  TFormulaRecord(Word aId, ArrayOfByte aData);
  TFormulaRecord(const TFormulaRecord& Other);

  // The cached result: a number, a Boolean, an error text, or the text of the STRING record
  // ("" for an empty text result or when the STRING is missing).
  Variant GetValue() const override;
  // Keeps a companion record; a second STRING replaces the first.
  void AddCompanion(std::unique_ptr<TBaseRecord> aRecord);
  const std::vector<std::unique_ptr<TBaseRecord>>& Companions() const { return FCompanions; }

  void SaveToStream(TOle2File& Workbook) const override;
  Integer TotalSize() const override;

 private:
  std::vector<std::unique_ptr<TBaseRecord>> FCompanions;
};

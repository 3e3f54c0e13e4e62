// Conditional formats: a CONDFMT record (0x01B0) naming the cell ranges, followed by its CF
// records (0x01B1), one per condition. The conditions are kept as read; only the references of
// their formulas move when rows or columns are inserted or deleted.
#pragma once

#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUBiffRangeRecords.h"

// CF (0x01B1): condition type, operator, the two formula lengths, the formatting block and the
// formulas, which are found from the end of the body.
class TCFRecord : public TRecordOf<TCFRecord, TBaseRecord> {
 public:
  static constexpr Word Id_ = 0x01B1;
  // A body too short for its formulas raises "Error reading record".
  TCFRecord(Word aId, ArrayOfByte aData);
  Byte CfType = 0;
  Byte Op = 0;
  Word Cce1 = 0;
  Word Cce2 = 0;

  // A token the arranging does not know raises "Bad Conditional format. Token Id: 0x%2x".
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  // Condition formulas stay as stored when cells are copied.
  void ArrangeCopyRowsAndCols(Integer, Integer) {}
};

class TCFRecordList : public TRecordListOf<TCFRecord> {
 public:
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo) {
    for (auto& r : FItems) r->ArrangeInsertRowsAndCols(aRowPos, aRowCount, aColPos, aColCount, SheetInfo);
  }
};

struct TExcelRange {
  Word R1 = 0, R2 = 0, C1 = 0, C2 = 0;
};

// One conditional format as an entry of the sheet's range list.
class TCondFmt : public TRangeEntry {
 public:
  static constexpr Word Id_ = 0x01B0;
  TCondFmt() : TRangeEntry(std::make_unique<TRangeValuesList>(513, 12)) {}

  Word Flag = 0;
  TExcelRange AllRange;
  TCFRecordList CFs;

  void Clear();
  std::unique_ptr<TRangeEntry> DoCopyTo() const override;
  // Takes the bounds and ranges of the CONDFMT record; the record is freed.
  void LoadFromStream(std::unique_ptr<TBaseRecord> First) override;
  // The same, then reads the CF records that follow it; anything else where a condition is
  // expected raises "Invalid conditional format record".
  void LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, std::unique_ptr<TBaseRecord> First);
  // Up to 513 ranges per CONDFMT record, each followed by all the conditions; nothing without
  // ranges.
  void SaveToStream(TOle2File& DataStream) const override;
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const override;
  Int64 TotalSize() const override;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const override;
  void ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, const TSheetInfo& SheetInfo,
                                Integer InsColCount, Integer InsColPos) override;
  void InsertAndCopyRowsOrCols(Integer FirstRow, Integer LastRow, bool UseCols, const TSheetInfo& SheetInfo,
                               Integer aCount, Integer DestRow) override;
  void DeleteRowsOrCols(Integer aRow, Integer aCount, bool UseCols, const TSheetInfo& SheetInfo) override;

 private:
  void SaveRecords(TOle2File& DataStream, const TXlsCellRange* CellRange) const;
  Int64 SizeFor(Integer n) const;
};

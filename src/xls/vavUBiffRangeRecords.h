// Sheet records that are lists of cell ranges (merged cells; conditional formats build on the
// same list): ranges follow inserted, deleted and copied rows and columns, and long lists are
// split over several records when saved.
#pragma once

#include <vector>

#include "xls/vavUBiffBaseRecords.h"
#include "xls/vavUWbkMessages.h"

// One range, 0-based, inclusive.
struct TRangeItem {
  Integer FirstRow = 0;
  Integer LastRow = 0;
  Integer FirstCol = 0;
  Integer LastCol = 0;
  friend bool operator==(const TRangeItem&, const TRangeItem&) = default;
};

class TRangeValuesList {
 public:
  TRangeValuesList(Integer aMaxRangesPerRecord, Word aOtherDataLen)
      : MaxRangesPerRecord(aMaxRangesPerRecord), FOtherDataLen(aOtherDataLen) {}

  const Integer MaxRangesPerRecord;
  const Word FOtherDataLen;

  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  const TRangeItem& operator[](Integer Index) const { return FItems.at(static_cast<size_t>(Index)); }
  void Delete(Integer Index) { FItems.erase(FItems.begin() + Index); }
  void Clear() { FItems.clear(); }
  void CopyFrom(const TRangeValuesList& aList) { FItems.insert(FItems.end(), aList.FItems.begin(), aList.FItems.end()); }

  // Reads the count at aPos and that many ranges, on into CONTINUE records. Columns past the
  // last column of a sheet are cut to it.
  void Load(const TBaseRecord& aRecord, Integer aPos);
  // Appends the range unless it is invalid (outside the sheet, reversed, or a single cell).
  void AddNewRange(Integer FirstRow, Integer FirstCol, Integer LastCol, Integer LastRow);
  // Grows the range over every item it overlaps and removes those items.
  void PreAddNewRange(Integer& FirstRow, Integer& FirstCol, Integer& LastCol, Integer& LastRow);
  void ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColCount, Integer InsColPos);
  // Removes the items wholly inside the deleted rows (columns with UseCols); without KeepSingle
  // also those that would shrink to one cell.
  void DeleteRows(Integer aPos, Integer aCount, bool UseCols, bool KeepSingle);
  // Copies the items inside rows First..Last (already moved for the insertion) to each of the
  // aCount inserted blocks at Dest.
  void CopyRowsExclusive(Integer First, Integer Last, bool UseCols, Integer aCount, Integer Dest);
  // As CopyRowsExclusive for items that may cover the source block only in part (conditional
  // formats): an item running up to the insertion point from the block (or back to it from
  // the block below) is stretched over the inserted rows; other items touching the block get
  // their part of it copied into every inserted block (one item over all of them when they
  // cover the whole block). Maximum and Minimum grow to the extent of what was made.
  void CopyRowsInclusive(Integer First, Integer Last, bool UseCols, Integer& Maximum, Integer& Minimum,
                         Integer aCount, Integer Dest);

  Integer RepeatCountR(Integer n) const { return n <= 0 ? 1 : (n - 1) / MaxRangesPerRecord + 1; }
  Integer RecordSizeR(Integer Line, Integer n) const;
  Int64 TotalSizeR(Integer n) const { return RepeatCountR(n) * (FOtherDataLen + 6) + 8 * static_cast<Int64>(n); }
  void SaveToStreamR(TOle2File& DataStream, Integer Line) const;
  Integer CountRangeRecords(const TXlsCellRange& CellRange) const;
  void SaveRangeToStreamR(TOle2File& DataStream, Integer Line, const TXlsCellRange& CellRange, Integer n) const;

 private:
  static bool Valid(Integer FirstRow, Integer FirstCol, Integer LastCol, Integer LastRow);
  static bool Inside(const TRangeItem& r, const TXlsCellRange& R) {
    return r.FirstRow >= R.Top && r.LastRow <= R.Bottom && r.FirstCol >= R.Left && r.LastCol <= R.Right;
  }
  std::vector<TRangeItem> FItems;
};

// A sheet's entry that holds a range list (merged cells, conditional formats).
class TRangeEntry : public TObject {
 public:
  explicit TRangeEntry(std::unique_ptr<TRangeValuesList> aList) : RangeValuesList(std::move(aList)) {}
  virtual std::unique_ptr<TRangeEntry> DoCopyTo() const = 0;
  static std::unique_ptr<TRangeEntry> CopyTo(const TRangeEntry* e) { return e ? e->DoCopyTo() : nullptr; }
  virtual void LoadFromStream(std::unique_ptr<TBaseRecord> First) = 0;
  virtual void SaveToStream(TOle2File& DataStream) const = 0;
  virtual void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const = 0;
  virtual Int64 TotalSize() const = 0;
  virtual Int64 TotalRangeSize(const TXlsCellRange& CellRange) const = 0;
  virtual void ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, const TSheetInfo& SheetInfo,
                                        Integer InsColCount, Integer InsColPos);
  virtual void InsertAndCopyRowsOrCols(Integer FirstRow, Integer LastRow, bool UseCols, const TSheetInfo& SheetInfo,
                                       Integer aCount, Integer DestRow) = 0;
  virtual void DeleteRowsOrCols(Integer aRow, Integer aCount, bool UseCols, const TSheetInfo& SheetInfo) = 0;

  std::unique_ptr<TRangeValuesList> RangeValuesList;
};

// The merged areas of a worksheet (MERGEDCELLS records, 513 ranges each).
class TMergedCells : public TRangeEntry {
 public:
  static constexpr Word Id_ = 0x00E5;
  TMergedCells() : TRangeEntry(std::make_unique<TRangeValuesList>(513, 0)) {}

  std::unique_ptr<TRangeEntry> DoCopyTo() const override;
  // Replaces the list by the ranges of the MERGEDCELLS record, which is freed.
  void LoadFromStream(std::unique_ptr<TBaseRecord> First) override;
  void SaveToStream(TOle2File& DataStream) const override;
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const override;
  Int64 TotalSize() const override;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const override;
  void InsertAndCopyRowsOrCols(Integer FirstRow, Integer LastRow, bool UseCols, const TSheetInfo& SheetInfo,
                               Integer aCount, Integer DestRow) override;
  void DeleteRowsOrCols(Integer aRow, Integer aCount, bool UseCols, const TSheetInfo& SheetInfo) override;

  // The bounds of the first merged area holding the cell.
  bool CheckCell(Integer aRow, Integer aCol, TXlsCellRange& CellBounds) const;
  void MergeCells(Integer FirstRow, Integer FirstCol, Integer LastCol, Integer LastRow) {
    RangeValuesList->AddNewRange(FirstRow, FirstCol, LastCol, LastRow);
  }
  void PreMerge(Integer& FirstRow, Integer& FirstCol, Integer& LastCol, Integer& LastRow) {
    RangeValuesList->PreAddNewRange(FirstRow, FirstCol, LastCol, LastRow);
  }
  void UnMergeCells(Integer FirstRow, Integer FirstCol, Integer LastCol, Integer LastRow);
  Integer MergedCount() const { return RangeValuesList->Count(); }
  TXlsCellRange MergedCell(Integer Index) const;
  void Clear() { RangeValuesList->Clear(); }
};

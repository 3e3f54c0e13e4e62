// The cell store of a worksheet: every ROW record and every cell in memory, read and written
// one cell at a time, moved when rows or columns are inserted, copied or deleted, and saved as
// the sheet's cell area (DIMENSIONS, then blocks of 32 rows: ROW records, then their cells).
//
// What is counted and what is written always agree: after loading and before saving, FixRows
// gives every row with cells a ROW record whose column bounds cover its cells.
#pragma once

#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUBiffColInfo.h"
#include "xls/vavUBiffRangeRecords.h"
#include "xls/vavUBiffSST.h"

// One list of records per row; rows without records hold an empty list.
class TBaseRowColList : public TBaseList<TCellRecordList> {
 public:
  // Appends empty row lists up to aRow, then adds the record to that row.
  void AddRecord(std::unique_ptr<TCellRecord> aRecord, Integer aRow);
  void CopyFrom(const TBaseRowColList& aList);
  Int64 TotalSize() const;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const;
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const;
  TCellRecordList* RowList(Integer aRow) const { return aRow < Count() ? (*this)[aRow] : nullptr; }
};

class TCellList : public TBaseRowColList {
 public:
  // The string table takes new text cells; the row and column lists are the sheet's own.
  TCellList(TSST* aSST, TRowRecordList* aRowRecordList, TColInfoList* aColInfoList)
      : FSST(aSST), FRowRecordList(aRowRecordList), FColInfoList(aColInfoList) {}

  // The value, format index (-1 without a cell) and formula flag of a cell, with the runs of
  // a rich text cell.
  void GetValueX2(Integer Row, Integer Col, TXlsCellValue& V, TRTFRunList& RTFRuns) const;
  TXlsCellValue GetValue(Integer Row, Integer Col) const;
  // Stores a value, replacing the cell; the kind of the variant chooses the record.
  void SetValueX2(Integer Row, Integer Col, const TXlsCellValue& Value, const TRTFRunList& RTFRuns, bool Options1904);
  void SetFormat(Integer Row, Integer Col, Integer XF);
  // The format a new cell gets: its row's when the row is formatted, else its column's, else 15.
  Integer DefaultFormat(Integer Row, Integer Col) const;

  void InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount, const TSheetInfo& SheetInfo,
                         bool OnlyFormulas);
  void InsertAndCopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aCount, const TSheetInfo& SheetInfo,
                         bool OnlyFormulas);
  void DeleteRows(Integer aRow, Word aCount, const TSheetInfo& SheetInfo);
  void DeleteCols(Integer aCol, Word aCount, const TSheetInfo& SheetInfo);
  void ArrangeInsertRowsAndCols(Integer InsRowPos, Integer InsRowCount, Integer InsColPos, Integer InsColCount,
                                const TSheetInfo& SheetInfo);
  Int64 FixTotalSize(bool NeedsRecalc) const;

 private:
  static void CheckRowCol(Integer Row, Integer Col);
  // Drops trailing rows without cells and without a modified row record.
  void TrimRows(Integer Row, bool Made);

  TSST* FSST;
  TRowRecordList* FRowRecordList;
  TColInfoList* FColInfoList;
};

class TCells {
 public:
  TCells(TSST* aSST, TColInfoList* aColInfoList) : FRowList(), FCellList(aSST, &FRowList, aColInfoList) {}

  TRowRecordList& RowList() { return FRowList; }
  TCellList& CellList() { return FCellList; }
  void Clear();
  void CopyFrom(const TCells& aCells);

  // Loading.
  void AddRow(std::unique_ptr<TRowRecord> aRecord) { FRowList.AddRecord(std::move(aRecord)); }
  // Cells past the last column of a sheet are left out.
  void AddCell(std::unique_ptr<TCellRecord> aRecord, Integer aRow);
  void AddMultipleCells(TMultipleValueRecord& aRecord);
  // Every row with cells gets a ROW record covering them.
  void FixRows();
  // Each row record's bounds become its cells' columns (0, 0 without cells).
  void FixMinMaxCols();

  void InsertAndCopyRows(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount, const TSheetInfo& SheetInfo,
                         bool OnlyFormulas);
  void InsertAndCopyCols(Integer FirstCol, Integer LastCol, Integer DestCol, Integer aCount, const TSheetInfo& SheetInfo,
                         bool OnlyFormulas);
  void DeleteRows(Integer aRow, Word aCount, const TSheetInfo& SheetInfo);
  void DeleteCols(Integer aCol, Word aCount, const TSheetInfo& SheetInfo);

  void SaveToStream(TOle2File& DataStream);
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange);
  Int64 TotalSize() const;
  Int64 FixTotalSize(bool NeedsRecalc) const;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const;

 private:
  TXlsCellRange UsedRange() const;
  void WriteArea(TOle2File& DataStream, const TXlsCellRange& Range);

  TRowRecordList FRowList;
  TCellList FCellList;
};

// The sheet's range entries (merged cells, conditional formats); every operation goes to each.
class TRangeList : public TBaseList<TRangeEntry> {
 public:
  void CopyFrom(const TRangeList& aList);
  void InsertAndCopyRowsOrCols(Integer FirstRow, Integer LastRow, Integer DestRow, Integer aCount,
                               const TSheetInfo& SheetInfo, bool UseCols);
  void DeleteRowsOrCols(Integer aRow, Integer aCount, const TSheetInfo& SheetInfo, bool UseCols);
  void SaveToStream(TOle2File& DataStream) const;
  void SaveRangeToStream(TOle2File& DataStream, const TXlsCellRange& CellRange) const;
  Int64 TotalSize() const;
  Int64 TotalRangeSize(const TXlsCellRange& CellRange) const;
};

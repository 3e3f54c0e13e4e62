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

class TWorkbookGlobals;

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
  // The string table takes new text cells; the row and column lists are the sheet's own; the
  // globals' names, sheets and references serve formulas.
  TCellList(TSST* aSST, TRowRecordList* aRowRecordList, TColInfoList* aColInfoList, TWorkbookGlobals* aGlobals = nullptr)
      : FSST(aSST), FRowRecordList(aRowRecordList), FColInfoList(aColInfoList), FGlobals(aGlobals) {}

  // The value, format index (-1 without a cell) and formula flag of a cell, with the runs of
  // a rich text cell.
  void GetValueX2(Integer Row, Integer Col, TXlsCellValue& V, TRTFRunList& RTFRuns) const;
  TXlsCellValue GetValue(Integer Row, Integer Col) const;
  // Stores a value, replacing the cell; the kind of the variant chooses the record.
  void SetValueX2(Integer Row, Integer Col, const TXlsCellValue& Value, const TRTFRunList& RTFRuns, bool Options1904);
  void SetFormat(Integer Row, Integer Col, Integer XF);
  // The format a new cell gets: its row's when the row is formatted, else its column's, else 15.
  Integer DefaultFormat(Integer Row, Integer Col) const;

  // Formulas (vavUBiffCellsFormulas.cpp). A formula is parsed before the cell is touched; an
  // empty formula removes the cell. The text of a cell that holds no formula is empty.
  void AssignFormulaX(Integer Row, Integer Col, const WideString& Formula, const Variant& Value, bool Options1904);
  void SetFormula(Integer Row, Integer Col, const WideString& Formula) {
    AssignFormulaX(Row, Col, Formula, Variant(), false);
  }
  WideString GetFormula(Integer Row, Integer Col) const;
  // What the formula converters ask of the store: the ARRAY or TABLE record of the formula at a
  // cell, names, sheet prefixes and sheets, and EXTERNSHEET entries.
  std::span<const Byte> ArrayFormula(Integer Row, Integer Col) const;
  std::span<const Byte> TableFormula(Integer Row, Integer Col) const;
  WideString GetName(Integer ExternSheet, Integer NameId) const;
  WideString GetSheetName(Integer SheetNumber) const;
  bool RefersToDeletedSheet(Integer ExternSheet) const;
  bool FindSheet(const WideString& SheetName, Integer& SheetIndex) const;
  Integer AddExternSheet(Integer FirstSheet, Integer LastSheet);
  // Expands the shared formulas of a loaded sheet into the cells that refer to them.
  void FixFormulas(TShrFmlaRecordList& ShrFmlas);
  // The 3-D references of every formula follow a sheet copy.
  void ArrangeInsertSheet(const TSheetInfo& SheetInfo);

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
  // Puts Made (or nothing) in place of the cell at Row, Col, keeping the row record's bounds and
  // the trailing rows right; the row has its row record already.
  void ReplaceCell(Integer Row, Integer Col, std::unique_ptr<TCellRecord> Made);
  // The FORMULA cell at Row, Col; raises as ArrayFormula describes.
  const TFormulaRecord& FormulaAt(Integer Row, Integer Col) const;
  TWorkbookGlobals& Globals() const;

  TSST* FSST;
  TRowRecordList* FRowRecordList;
  TColInfoList* FColInfoList;
  TWorkbookGlobals* FGlobals;
};

class TCells {
 public:
  TCells(TSST* aSST, TColInfoList* aColInfoList, TWorkbookGlobals* aGlobals = nullptr)
      : FRowList(), FCellList(aSST, &FRowList, aColInfoList, aGlobals) {}

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

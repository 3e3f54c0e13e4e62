// The records that carry formulas: FORMULA (a cell with its tokens and cached result, written
// with its ARRAY or TABLE record and, for a text result, a STRING record), ARRAY and TABLE,
// SHRFMLA (a formula shared by a block of cells, expanded into each cell when a sheet loads)
// and NAME (a defined name).
#pragma once

#include <span>

#include "xls/vavUBiffBaseRecords.h"
#include "xls/vavUWbkMessages.h"

class TCellList;
class TWorkbookGlobals;

namespace BiffFormulaId {
inline constexpr Word FORMULA = 0x0006, ARRAY = 0x0221, TABLE = 0x0236, SHRFMLA = 0x04BC, NAME = 0x0018,
                      STRING = 0x0207;
}

// ARRAY (0x0221): the range and tokens (cce at 12, tokens from 14) of an array formula.
class TArrayRecord : public TRecordOf<TArrayRecord, TBaseRecord> {
 public:
  TArrayRecord(Word aId, ArrayOfByte aData);
  // The range and the tokens follow inserted and deleted rows and columns of their sheet.
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset);
};

// TABLE (0x0236): a what-if table; rows at 0 and 2, columns at 4 and 5, options at 6, the
// row-input cell at 8 and 10, the column-input cell at 12 and 14 (row 0xFFFF or column 255:
// none).
class TTableRecord : public TRecordOf<TTableRecord, TBaseRecord> {
 public:
  // Sets "always calculate" and "calculate on load".
  TTableRecord(Word aId, ArrayOfByte aData);
  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColCount, Integer aColPos);
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset);
};

// SHRFMLA (0x04BC): rows at 0 and 2, columns at 4 and 5, cce at 8, tokens from 10.
class TShrFmlaRecord : public TRecordOf<TShrFmlaRecord, TBaseRecord> {
 public:
  TShrFmlaRecord(Word aId, ArrayOfByte aData);
  Word FirstRow() const { return GetWord(Data, 0); }
  Word LastRow() const { return GetWord(Data, 2); }
  Byte FirstCol() const { return Data[4]; }
  Byte LastCol() const { return Data[5]; }
  // Row + column * 65536 of the FORMULA record the SHRFMLA followed.
  Cardinal Key = 0;
};

class TTableRecord;
class TArrayRecord;

class TFormulaRecord : public TRecordOf<TFormulaRecord, TCellRecord> {
 public:
  static constexpr Word Id_ = BiffFormulaId::FORMULA;
  static constexpr Integer FirstToken = 22;

  // A record read from a file: the cached result is taken from bytes 6-13 (a text result is
  // handed in later by SetFormulaValue) and "calculate on load" is set. Data shorter than the
  // fixed part or than its tokens is refused.
  TFormulaRecord(Word aId, ArrayOfByte aData);
  // A copy with copies of the ARRAY and TABLE records and no cached result.
  TFormulaRecord(const TFormulaRecord& Other);
  ~TFormulaRecord() override;
  // A zero-filled record of DataSize bytes for a cell with Value as its cached result (empty:
  // none); the caller writes cce and the tokens from offset 20.
  static std::unique_ptr<TFormulaRecord> CreateFromData(bool Dates1904, const Variant& Value, Word XF, Word Column,
                                                        Word Row, Word DataSize);

  Variant GetValue() const override { return FormulaValue; }
  void SetFormulaValue(const Variant& Value) { FormulaValue = Value; }
  void SetTableRecord(std::unique_ptr<TTableRecord> aRecord);
  void SetArrayRecord(std::unique_ptr<TArrayRecord> aRecord);
  const TTableRecord* TableRecord() const { return FTableRecord.get(); }
  const TArrayRecord* ArrayRecord() const { return FArrayRecord.get(); }
  Word TokenLength() const { return GetWord(Data, 20); }

  // True when the formula is a single reference to a shared or array formula; Key = the row +
  // column * 65536 of the cell it names.
  bool IsExp(Cardinal& Key) const;
  // Takes the tokens of a SHRFMLA record, turned into ordinary ones for this cell.
  void MixShared(std::span<const Byte> SharedData);

  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo) override;
  void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset) override;
  // 3-D references follow a copied sheet.
  void ArrangeCopySheet(const TSheetInfo& SheetInfo);

  // With NeedsRecalc the cached result is cleared first; the size counts the ARRAY, TABLE and
  // STRING records written with the formula.
  Int64 FixTotalSize(bool NeedsRecalc) const override;
  Integer TotalSize() const override;
  Integer TotalSizeNoHeaders() const override;
  void SaveToStream(TOle2File& Workbook) const override;

 private:
  // Bytes of the STRING record's data that a text result needs (0 when none is written).
  ArrayOfByte StringData() const;
  void ClearResult();
  // Runs a token operation and reports a token it cannot handle with the cell's position.
  template <class F>
  void Arranging(F&& Operation);

  Variant FormulaValue;
  std::unique_ptr<TTableRecord> FTableRecord;
  std::unique_ptr<TArrayRecord> FArrayRecord;
};

// NAME (0x0018): options at 0, name length at 3, cce at 4, the sheet (1-based, 0: workbook)
// at 8, the name from 14 (option byte and characters), then the tokens.
class TNameRecord : public TRecordOf<TNameRecord, TBaseRecord> {
 public:
  // Data shorter than the fixed part, the name or the tokens is refused.
  TNameRecord(Word aId, ArrayOfByte aData);
  // Encodes Range's formula with every reference made 3-D on the sheet NameSheetIndex names
  // (DefaultSheet for a workbook-level name); an empty formula gives a name without tokens.
  static std::unique_ptr<TNameRecord> CreateFromData(const TXlsNamedRange& Range, TCellList* CellList,
                                                     const TWorkbookGlobals& Globals, Integer DefaultSheet = 0);

  WideString Name() const;
  Integer OptionFlags() const { return GetWord(Data, 0); }
  // The 0-based sheet of a sheet-level name, -1 for a workbook-level name.
  Integer RangeSheet() const;
  Integer FirstToken() const;
  Word TokenLength() const { return GetWord(Data, 4); }
  // The text of the name's formula.
  WideString Formula(const TCellList* CellList) const;

  // The bounds of a name that is one 3-D cell or area reference (0-based); -1 otherwise.
  Integer GetR1() const;
  Integer GetR2() const;
  Integer GetC1() const;
  Integer GetC2() const;
  // The sheet of that reference through the lookup, -1 as above.
  Integer RefersToSheet(const TGetSheet& GetSheet) const;
  void SetR1(Integer Value);
  void SetR2(Integer Value);
  void SetC1(Integer Value);
  void SetC2(Integer Value);

  void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                const TSheetInfo& SheetInfo);
  // Arranges a copy made for the sheet SheetInfo.InsSheet and makes it local to that sheet.
  TNameRecord* ArrangeCopySheet(const TSheetInfo& SheetInfo);
  // A sheet-level name at or after FirstSheet follows Count inserted (negative: deleted) sheets.
  void ArrangeInsertSheets(Integer FirstSheet, Integer Count);

 private:
  // Offset of the single 3-D reference's fields, or 0 when the name is not one.
  size_t SingleReference(bool& IsArea) const;
  Integer Field(Integer Index) const;
  void SetField(Integer Index, Integer Value);
  template <class F>
  void Arranging(F&& Operation);
};

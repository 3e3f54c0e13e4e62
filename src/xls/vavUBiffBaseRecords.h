// BIFF8 records in memory: the record base every record class derives from, with its chain
// of CONTINUE records; the records that are kept but never written; reading data that runs
// on into CONTINUE records; and the bases of row, cell and ROW records with DIMENSIONS and
// the formula's cached STRING result.
#pragma once

#include <memory>

#include "classlib/Variants.h"
#include "xls/vavUOle2Impl.h"
#include "xls/vavXlsMessages.h"

class TContinueRecord;

// One record: its id, its data block, and the CONTINUE records that carry the rest of its
// data. A record owns its data and its chain; copying copies both.
class TBaseRecord : public TObject {
 public:
  TBaseRecord(Word aId, ArrayOfByte aData);
  TBaseRecord(const TBaseRecord& Other);
  TBaseRecord& operator=(const TBaseRecord&) = delete;
  ~TBaseRecord() override;

  Word Id;
  ArrayOfByte Data;
  std::unique_ptr<TContinueRecord> Continue;

  Word DataSize() const { return static_cast<Word>(Data.size()); }

  // A copy made with the record's own class, CONTINUE chain included.
  virtual std::unique_ptr<TBaseRecord> DoCopyTo() const;
  // Writes the record and then its CONTINUE chain.
  virtual void SaveToStream(TOle2File& Workbook) const;
  // Bytes SaveToStream writes: headers and data of the record and its chain.
  virtual Integer TotalSize() const;
  virtual Integer TotalSizeNoHeaders() const;

  // Attaches the first CONTINUE record; a second one is refused.
  void AddContinue(std::unique_ptr<TContinueRecord> aContinue);
  static std::unique_ptr<TBaseRecord> CopyTo(const TBaseRecord* aRecord) { return aRecord ? aRecord->DoCopyTo() : nullptr; }
  // Writes id, size and the given data as one record.
  void SaveDataToStream(TOle2File& Workbook, std::span<const Byte> aData) const;

 protected:
  // Writes the CONTINUE chain after the record itself.
  void SaveContinuesToStream(TOle2File& Workbook) const;
};

// Gives a record class its copy operation: a copy of the same class.
template <class Derived, class Base>
class TRecordOf : public Base {
 public:
  using Base::Base;
  std::unique_ptr<TBaseRecord> DoCopyTo() const override {
    return std::make_unique<Derived>(static_cast<const Derived&>(*this));
  }
};

// A CONTINUE record (id 0x003C).
class TContinueRecord : public TRecordOf<TContinueRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
};

// A record kept while the workbook is open but left out when it is saved (index, cell-block
// offsets, tab order, recalculation id, drawing selection, external cell caches, chart font
// bases, and the string-table index that is rebuilt on save).
class TIgnoreRecord : public TRecordOf<TIgnoreRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  void SaveToStream(TOle2File&) const override {}
  Integer TotalSize() const override { return 0; }
  Integer TotalSizeNoHeaders() const override { return 0; }
};

// Reads Count bytes from offset Ofs of aRecord's data on into its CONTINUE chain; aRecord and
// Ofs end where the read ended. With Dest null the bytes are skipped.
void ReadContinuedMem(const TBaseRecord*& aRecord, Integer& Ofs, Integer Count, void* Dest);
// A little-endian word read the same way.
Word ReadContinuedWord(const TBaseRecord*& aRecord, Integer& Ofs);

// A record that starts with a row (offset 0) and a column (offset 2): cells, NOTE, ROW.
class TBaseRowColRecord : public TRecordOf<TBaseRowColRecord, TBaseRecord> {
 public:
  // Refuses data shorter than 4 bytes.
  TBaseRowColRecord(Word aId, ArrayOfByte aData);

  Word Row() const { return GetWord(Data, 0); }
  Word Column() const { return GetWord(Data, 2); }
  void SetRow(Word Value) { SetWord(Data, 0, Value); }
  void SetColumn(Word Value) { SetWord(Data, 2, Value); }

  // Moves the record when rows or columns are inserted (negative counts delete) on its own sheet.
  virtual void ArrangeInsertRowsAndCols(Integer aRowPos, Integer aRowCount, Integer aColPos, Integer aColCount,
                                        const TSheetInfo& SheetInfo);
  virtual void ArrangeCopyRowsAndCols(Integer RowOffset, Integer ColOffset);
  virtual Int64 FixTotalSize(bool NeedsRecalc) const;

  static constexpr Integer MaxRow = 65535;
  static constexpr Integer MaxCol = 255;
};

// The base of every cell record: row, column and format index (offset 4).
class TCellRecord : public TRecordOf<TCellRecord, TBaseRowColRecord> {
 public:
  using TRecordOf::TRecordOf;

  Word XF() const { return GetWord(Data, 4); }
  void SetXF(Word Value) { SetWord(Data, 4, Value); }

  // The cell's value; the base holds none and ignores writes.
  virtual Variant GetValue() const { return Variant(); }
  virtual void SetValue(const Variant&) {}

  // Hooks for joining neighbouring cells into one MULRK or MULBLANK record when saving.
  virtual bool CanJoinNext(const TCellRecord* NextRecord, Integer MaxCol) const;
  virtual void SaveFirstMul(TOle2File& Workbook, Word JoinedRecordSize) const;
  virtual void SaveMidMul(TOle2File& Workbook) const;
  virtual void SaveLastMul(TOle2File& Workbook) const;
  virtual Integer TotalSizeFirst() const { return TotalSize(); }
  virtual Integer TotalSizeMid() const { return TotalSize(); }
  virtual Integer TotalSizeLast() const { return TotalSize(); }

  // A new record of class T with a zeroed data block of aDataSize bytes and the three fields set.
  template <class T>
  static std::unique_ptr<T> CreateFromData(Word aId, Word aDataSize, Word aRow, Word aCol, Word aXF) {
    auto record = std::make_unique<T>(aId, ArrayOfByte(std::max<Word>(aDataSize, 6), 0));
    record->SetRow(aRow);
    record->SetColumn(aCol);
    record->SetXF(aXF);
    record->Data.resize(aDataSize);
    return record;
  }
};

// ROW (0x0208): a row's height, options, format and defined column range.
class TRowRecord : public TRecordOf<TRowRecord, TBaseRowColRecord> {
 public:
  // Clears the reserved word at offset 8, which some writers leave filled.
  TRowRecord(Word aId, ArrayOfByte aData);
  // A standard row: height 255, options 0x0100, format 15.
  static std::unique_ptr<TRowRecord> CreateStandard(Word aRow);

  static constexpr Word Id_ = 0x0208;
  static constexpr Word DefaultOptions = 0x0100;

  Word MinCol() const { return GetWord(Data, 2); }
  Word MaxCol() const { return GetWord(Data, 4); }
  Word Height() const { return GetWord(Data, 6); }
  Word Options() const { return GetWord(Data, 12); }
  void SetMinCol(Word Value) { SetWord(Data, 2, Value); }
  void SetMaxCol(Word Value) { SetWord(Data, 4, Value); }
  void SetHeight(Word Value) { SetWord(Data, 6, Value); }
  void SetOptions(Word Value) { SetWord(Data, 12, Value); }

  void ManualHeight() { SetOptions(Options() | 0x0040); }
  void AutoHeight() { SetOptions(Options() & ~0x0040); }
  bool IsAutoHeight() const { return (Options() & 0x0040) == 0; }
  void Hide(bool Value) { SetOptions(Value ? (Options() | 0x0020) : (Options() & ~0x0020)); }
  bool IsHidden() const { return (Options() & 0x0020) != 0; }
  bool IsFormatted() const { return (Options() & 0x0080) != 0; }
  bool IsModified() const { return Options() != DefaultOptions; }
  // The row's format: bits 0-11 of offset 14 when the row is formatted, else the default 15.
  Word XF() const { return IsFormatted() ? (GetWord(Data, 14) & 0x0FFF) : 15; }
  void SetXF(Word Value);
  void SetRowOutlineLevel(Integer Level) { SetOptions(static_cast<Word>((Options() & ~0x0007) | (Level & 7))); }
  // Writes the record with its column range narrowed to aMinCol .. aMaxCol.
  void SaveRangeToStream(TOle2File& DataStream, Word aMinCol, Word aMaxCol);
};

struct TDimensionsRec {
  Cardinal FirstRow = 0;
  Cardinal LastRow = 0;  // last used row + 1
  Word FirstCol = 0;
  Word LastCol = 0;      // last used column + 1
  Word Extra = 0;
};

// DIMENSIONS (0x0200): the used range of a sheet.
class TDimensionsRecord : public TRecordOf<TDimensionsRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  TDimensionsRec Dim() const;
};

// STRING (0x0207): the cached text result of the formula before it, written back byte for
// byte right after that formula, so a saved string formula keeps its result.
class TStringRecord : public TRecordOf<TStringRecord, TBaseRecord> {
 public:
  using TRecordOf::TRecordOf;
  WideString Value() const;
};
